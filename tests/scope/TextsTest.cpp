// Texts of the scale controls and the cursor difference readout.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "ScopeTestSupport.h"
#include "scope/DifferenceReadout.h"
#include "scope/Oscilloscope.h"
#include "scope/ScaleLadders.h"

namespace varnex::scope {
namespace {

using testing::ScopeState;

TEST(ScopeReadouts, UpdateLabelsEveryTimeBase) {
    struct Row {
        float tbScale;
        double msPerDiv;
        const char* label8;
    };
    const Row rows[] = {
        {3.1746f, 5.000005, "5 ms/div"},    {7.9365f, 2.000002, "2 ms/div"},
        {15.873f, 1.000001, "1 ms/div"},    {31.746f, 0.5000004954, "0.5 ms/div"},
        {79.365f, 0.2000002, "0.2 ms/div"}, {158.73f, 0.1000001, "0.1 ms/div"},
        {10, 1.5873015873, "1.587 ms/div"},  // off the ladder: three decimals shown
    };
    for (const Row& row : rows) {
        ScopeState state;
        state.settings.TBscale = row.tbScale;
        EXPECT_EQ(update(state.settings, state.view), row.label8) << "TBscale " << row.tbScale;
        EXPECT_NEAR(state.view.MsPerDiv, row.msPerDiv, 1e-6) << "TBscale " << row.tbScale;
    }
    ScopeState defaults;
    EXPECT_EQ(update(defaults.settings, defaults.view), "0.5 ms/div");
    EXPECT_NEAR(defaults.view.MsPerDiv, 0.5000004954, 1e-10)
        << "MsPerDiv keeps its unrounded value";
    EXPECT_EQ(shownMsPerDiv(defaults.view.MsPerDiv), 0.5f) << "the label shows it rounded";
}

TEST(ScopeReadouts, FirstFiveCharactersCutWithoutRounding) {
    struct Row {
        double value;
        const char* text;
    };
    const Row rows[] = {{1.428572, "1.428"},
                        {699.99934, "699.9"},
                        {1999.998, "1999."},
                        {0.5, "0.5"},
                        {123456.7, "12345"},
                        {0.000015, "1.5E-"},
                        {0, "0"}};
    for (const Row& row : rows) EXPECT_EQ(firstFiveCharacters(row.value), row.text) << row.value;
}

TEST(ScopeReadouts, DifferenceReadoutInTimeAndFrequency) {
    struct Row {
        float tbScale;
        int32_t cursor1, cursor2;
        int16_t timeReadout;
        std::optional<std::string> text15;
    };
    const Row rows[] = {
        {31.746f, 1700, 1000, 1, "0.500 ms"},
        {31.746f, 1000, 1700, 0, "1999. Hz"},
        {31.746f, 1000, 3000, 1, "1.428 ms"},
        {31.746f, 1000, 3000, 0, "699.9 Hz"},
        {31.746f, 1000, 3000, -1, "1.428 ms"},  // any value but 0 is time
        {31.746f, 2000, 2000, 1, "0 us"},
        {31.746f, 2000, 2000, 0, std::nullopt},  // coinciding: Text15 keeps its text
        {31.746f, 1000, 1100, 1, "71.42 us"},
        {31.746f, 1000, 1001, 1, "0.714 us"},
        {3.1746f, 0, 700, 1, "5.000 ms"},
        {3.1746f, 0, 700, 0, "199.9 Hz"},
        // Positions from an edited settings file whose difference does not fit 32 bits.
        {31.746f, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(), 1,
         "30678 ms"},
        {0, 1000, 3000, 1, "--- ms"},  // no finite time base
        {0, 1000, 3000, 0, "0 Hz"},
    };
    for (const Row& row : rows) {
        ScopeState state;
        state.settings.TBscale = row.tbScale;
        update(state.settings, state.view);
        state.settings.Cursor1 = row.cursor1;
        state.settings.Cursor2 = row.cursor2;
        state.settings.TimeReadout = row.timeReadout;
        EXPECT_EQ(differenceReadout(state.settings, state.view), row.text15)
            << "TBscale " << row.tbScale << " cursors " << row.cursor1 << ", " << row.cursor2
            << " TimeReadout " << row.timeReadout;
    }
}

TEST(ScaleLadders, GainButtonsStepAndStopAtTheEnds) {
    struct Row {
        float gain;
        GainStep step;
        float newGain;
        const char* text;
    };
    const Row rows[] = {
        {0.2f, GainStep::Up, 0.5f, "2 v/div"},   {10, GainStep::Up, 20, "0.05 v/div"},
        {50, GainStep::Up, 100, "0.01 v/div"},   {100, GainStep::Up, 100, "0.01 v/div"},
        {1, GainStep::Down, 0.5f, "2 v/div"},    {0.5f, GainStep::Down, 0.2f, "5 v/div"},
        {0.2f, GainStep::Down, 0.2f, "5 v/div"}, {2, GainStep::Down, 1, "1 v/div"},
    };
    for (const Row& row : rows) {
        float gain = row.gain;
        const float shown = stepGain(gain, row.step);
        EXPECT_EQ(voltsPerDivText(shown), row.text) << "gain " << row.gain;
        EXPECT_EQ(gain, row.newGain) << "gain " << row.gain;
        EXPECT_EQ(shown * gain, 1.0f) << "gain " << row.gain << ": shown value is 1 / gain";
    }
}

TEST(ScaleLadders, NinePressesWalkTheWholeLadder) {
    ScopeState state;
    state.settings.Rgain = 100;  // 0.01 v/div
    const char* expected[] = {"0.02 v/div", "0.05 v/div", "0.1 v/div", "0.2 v/div", "0.5 v/div",
                              "1 v/div",    "2 v/div",    "5 v/div",   "5 v/div"};
    for (int press = 0; press < 9; ++press) {
        const ScopeReadouts texts = lowerVrGain(state.settings);
        EXPECT_EQ(texts.vrScale, expected[press]) << "press " << press + 1;
        EXPECT_FALSE(texts.vxScale) << "press " << press + 1;
    }
    EXPECT_EQ(state.settings.Rgain, 0.2f);
    EXPECT_EQ(state.settings.Lgain, 1.0f) << "the other trace is untouched";

    for (int press = 0; press < 9; ++press) raiseVxGain(state.settings);
    EXPECT_EQ(state.settings.Lgain, 100.0f);
    EXPECT_EQ(raiseVxGain(state.settings).vxScale, "0.01 v/div");
}

TEST(ScaleLadders, GainOffTheLadderStaysAndShowsItsTrueScale) {
    struct Row {
        float gain;
        const char* text;
    };
    const Row rows[] = {{3, "0.3333333 v/div"},
                        {0.25f, "4 v/div"},
                        {0.2000001f, "4.999997 v/div"},
                        {0, "--- v/div"},
                        {-2, "-0.5 v/div"},
                        {std::numeric_limits<float>::quiet_NaN(), "--- v/div"}};
    for (const Row& row : rows) {
        for (GainStep step : {GainStep::Up, GainStep::Down}) {
            ScopeState state;
            state.settings.Lgain = row.gain;
            EXPECT_EQ(step == GainStep::Up ? raiseVxGain(state.settings).vxScale
                                           : lowerVxGain(state.settings).vxScale,
                      row.text)
                << "gain " << row.gain;
            if (!std::isnan(row.gain)) {
                EXPECT_EQ(state.settings.Lgain, row.gain) << "gain " << row.gain;
            }
        }
    }
    EXPECT_EQ(voltsPerDivTextOfGain(1), "1 v/div") << "start-up text at the default gain";
}

TEST(ScaleLadders, TimeBaseButtonsStepAndRecomputeTBscale) {
    struct Row {
        float timeBase;
        bool faster;
        float newTimeBase;
        float tbScale;
    };
    const Row rows[] = {
        {2, true, 5, 7.9365f},     {5, true, 10, 15.873f},   {10, true, 20, 31.746f},
        {20, true, 50, 79.365f},   {50, true, 100, 158.73f}, {100, true, 100, 158.73f},
        {100, false, 50, 79.365f}, {20, false, 10, 15.873f}, {5, false, 2, 3.1746f},
        {2, false, 2, 3.1746f},    {7, true, 7, 11.1111f},   {0, false, 0, 0},
    };
    for (const Row& row : rows) {
        ScopeState state;
        state.settings.TimeBase = row.timeBase;
        state.settings.TBscale = -1;
        row.faster ? shortenTimePerDivision(state.settings)
                   : lengthenTimePerDivision(state.settings);
        EXPECT_EQ(state.settings.TimeBase, row.newTimeBase) << "TimeBase " << row.timeBase;
        EXPECT_EQ(state.settings.TBscale, row.tbScale) << "TimeBase " << row.timeBase;
    }
}

TEST(ScaleLadders, Check2TogglesAndTwoClicksRestore) {
    ScopeState state;
    update(state.settings, state.view);
    ScopeReadouts first = switchDifferenceKind(state.settings, state.view);
    EXPECT_EQ(state.settings.TimeReadout, 1);
    EXPECT_EQ(first.differenceKind, "Time");
    EXPECT_EQ(first.cursorDifference, "1.428 ms");
    ScopeReadouts second = switchDifferenceKind(state.settings, state.view);
    EXPECT_EQ(state.settings.TimeReadout, 0);
    EXPECT_EQ(second.differenceKind, "Freq");
    EXPECT_EQ(second.cursorDifference, "699.9 Hz");

    // Coinciding cursors: the time form reads 0 us, the frequency form leaves Text15.
    state.settings.Cursor2 = state.settings.Cursor1;
    EXPECT_EQ(switchDifferenceKind(state.settings, state.view).cursorDifference, "0 us");
    const ScopeReadouts back = switchDifferenceKind(state.settings, state.view);
    EXPECT_EQ(back.differenceKind, "Freq");
    EXPECT_FALSE(back.cursorDifference);

    // Any other TimeReadout: nothing at all.
    state.settings.TimeReadout = 2;
    const ScopeReadouts none = switchDifferenceKind(state.settings, state.view);
    EXPECT_EQ(state.settings.TimeReadout, 2);
    EXPECT_FALSE(none.differenceKind);
    EXPECT_FALSE(none.cursorDifference);
}

}  // namespace
}  // namespace varnex::scope
