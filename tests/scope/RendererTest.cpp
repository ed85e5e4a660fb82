// Pixels of the redraw: graticule, traces, trigger tail, clipping and cursors.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "ScopeTestSupport.h"
#include "scope/Oscilloscope.h"
#include "scope/ScopeGeometry.h"
#include "scope/ScopeRenderer.h"

namespace varnex::scope {
namespace {

using namespace testing;

TEST(ScopeRenderer, PictureCoversTheVisibleAreaAtEveryRatio) {
    struct Row {
        qreal ratio;
        int width, height;
    };
    // 6995 and 5595 units are the last visible coordinates.
    const Row rows[] = {{1, 467, 374},   {2, 933, 747},
                        {1.5, 700, 560}, {0, 467, 374},
                        {-3, 467, 374},  {std::numeric_limits<qreal>::quiet_NaN(), 467, 374}};
    for (const Row& row : rows) {
        ScopeRenderer renderer(row.ratio);
        EXPECT_EQ(renderer.image().width(), row.width) << "ratio " << row.ratio;
        EXPECT_EQ(renderer.image().height(), row.height) << "ratio " << row.ratio;
        EXPECT_EQ(renderer.image().format(), QImage::Format_RGB32) << "ratio " << row.ratio;
        EXPECT_EQ(countColour(renderer.image(), kBlack), row.width * row.height)
            << "ratio " << row.ratio;
    }
}

TEST(ScopeRenderer, GraticuleLinesLieOnTheDivisions) {
    ScopeState state = blankState();
    state.settings.GridOn = 1;
    ScopeRenderer renderer;
    doscope(state.settings, state.view, state.traces(), renderer);
    const QImage& image = renderer.image();
    // Horizontal lines at y = 0, 700 .. 4900 run across the whole width; 5600 is outside.
    for (int k = 0; k <= 7; ++k)
        EXPECT_EQ(countRow(image, px(700 * k), kGrey), image.width()) << "horizontal line " << k;
    for (int k = 0; k <= 9; ++k)
        EXPECT_EQ(countColumn(image, px(700 * k), kGrey), image.height()) << "vertical line " << k;
    // Rows and columns between the lines hold only the crossing lines and ticks.
    EXPECT_EQ(countRow(image, px(350), kGrey), 10) << "row between lines: ten vertical lines";
    EXPECT_EQ(countRow(image, px(5595), kGrey), 10) << "bottom row: the line at 5600 is clipped";
    EXPECT_EQ(countColumn(image, image.width() - 1, kGrey), 8)
        << "the line at 7000 is clipped: only the horizontal lines cross the last column";
    EXPECT_EQ(countColumn(image, px(350), kGrey), 8)
        << "column between lines: eight horizontal lines";
}

TEST(ScopeRenderer, CentreTicksAreFivePerDivisionAndCentred) {
    ScopeState state = blankState();
    state.settings.GridOn = 1;
    ScopeRenderer renderer;
    doscope(state.settings, state.view, state.traces(), renderer);
    const QImage& image = renderer.image();
    // The tick at x = 140 on the horizontal centre line spans y 2740..2860.
    for (int y = px(2740); y <= px(2860); ++y)
        EXPECT_EQ(image.pixel(px(140), y), kGrey) << "row " << y;
    EXPECT_EQ(image.pixel(px(140), px(2740) - 1), kBlack);
    EXPECT_EQ(image.pixel(px(140), px(2860) + 1), kBlack);
    // The tick at y = 140 on the vertical centre line spans x 3440..3560.
    for (int x = px(3440); x <= px(3560); ++x)
        EXPECT_EQ(image.pixel(x, px(140)), kGrey) << "column " << x;
    EXPECT_EQ(image.pixel(px(3440) - 1, px(140)), kBlack);
    EXPECT_EQ(image.pixel(px(3560) + 1, px(140)), kBlack);
    // Ticks at x = 140k for every k that is not on a graticule line.
    for (int k = 1; k < 50; ++k) {
        if (k % 5 == 0) continue;
        EXPECT_EQ(image.pixel(px(140 * k), px(2760)), kGrey) << "tick " << k;
    }
}

TEST(ScopeRenderer, NoGraticuleUnlessGridOnIsOne) {
    for (int16_t gridOn : {int16_t(0), int16_t(2), int16_t(-1)}) {
        ScopeState state = blankState();
        state.settings.GridOn = gridOn;
        ScopeRenderer renderer;
        doscope(state.settings, state.view, state.traces(), renderer);
        EXPECT_EQ(countColour(renderer.image(), kGrey), 0) << "GridOn " << gridOn;
    }
}

// A 1 kHz sine of the given amplitude in Vx from index 0.
void fillSine(ScopeState& state, float amplitude) {
    for (int i = 0; i <= kLastIndex; ++i)
        state.Vx[i] = amplitude * static_cast<float>(std::sin(2 * std::numbers::pi * i / 44.1));
}

TEST(ScopeRenderer, SineIsDrawnWhereTheScalesPutIt) {
    struct Row {
        float gain;
        float tbScale;
        int lastDrawnUnit;  // where the 401 segments end, or the right edge
    };
    const Row rows[] = {
        {1, 31.746f, 6995}, {2, 31.746f, 6995}, {1, 3.1746f, 1273}, {2, 3.1746f, 1273}};
    for (const Row& row : rows) {
        ScopeState state = blankState();
        state.Captured = 1;
        state.settings.ScopeMode = 1;
        state.settings.Lgain = row.gain;
        state.settings.TBscale = row.tbScale;
        fillSine(state, 1.5f);
        ScopeRenderer renderer;
        doscope(state.settings, state.view, state.traces(), renderer);
        const QImage& image = renderer.image();
        int checked = 0;
        for (int k = 0; k <= 401; ++k) {
            const double x = std::floor(row.tbScale * k);
            if (x > 6995) break;
            const double volts = state.Vx[k];
            const double y = 2800 - row.gain * 700 * volts;
            EXPECT_EQ(image.pixel(px(x), px(y)), kGreen)
                << "gain " << row.gain << " TBscale " << row.tbScale << " sample " << k;
            // Where the sine is well away from zero, its mirror image is dark.
            if (std::fabs(volts) > 0.5 &&
                image.pixel(px(x), px(2800 + row.gain * 700 * volts)) == kGreen)
                ADD_FAILURE() << "trace upside down at gain " << row.gain << " sample " << k;
            ++checked;
        }
        EXPECT_GT(checked, 100) << "gain " << row.gain;
        // Nothing to the right of the last segment.
        for (int column = px(row.lastDrawnUnit) + 2; column < image.width(); ++column)
            ASSERT_EQ(countColumn(image, column, kGreen), 0)
                << "gain " << row.gain << " TBscale " << row.tbScale << " column " << column;
        // The peaks reach gain * 1.5 divisions from the centre.
        const int peakRow = px(2800 - row.gain * 700 * 1.5);
        EXPECT_GT(countRow(image, peakRow, kGreen) + countRow(image, peakRow + 1, kGreen), 0)
            << "gain " << row.gain << " TBscale " << row.tbScale;
        EXPECT_EQ(countRow(image, peakRow - 2, kGreen), 0) << "gain " << row.gain << " overshoot";
    }
}

TEST(ScopeRenderer, ScopeModeChoosesTheTraces) {
    struct Row {
        int16_t mode;
        int16_t captured;
        bool green, blue;
    };
    const Row rows[] = {{1, 1, true, false},  {2, 1, false, true},   {3, 1, true, true},
                        {0, 1, false, false}, {-1, 1, false, false}, {4, 1, false, false},
                        {3, 0, false, false}};
    for (const Row& row : rows) {
        ScopeState state = blankState();
        state.settings.ScopeMode = row.mode;
        state.Captured = row.captured;
        state.Vx.fill(0.5f);   // half a division up
        state.Vr.fill(-0.5f);  // half a division down
        ScopeRenderer renderer;
        doscope(state.settings, state.view, state.traces(), renderer);
        const QImage& image = renderer.image();
        EXPECT_EQ(countRow(image, px(2450), kGreen) == image.width(), row.green)
            << "mode " << row.mode << " captured " << row.captured;
        EXPECT_EQ(countRow(image, px(3150), kBlue) == image.width(), row.blue)
            << "mode " << row.mode << " captured " << row.captured;
        EXPECT_EQ(countColour(image, kGreen) + countColour(image, kBlue),
                  (row.green + row.blue) * image.width())
            << "mode " << row.mode << ": nothing but the flat traces";
    }
}

TEST(ScopeRenderer, SegmentsAreClippedAtTheEdges) {
    ScopeState state = blankState();
    state.Captured = 1;
    state.settings.ScopeMode = 1;
    // Alternating far above and far below the screen: every segment crosses it top to bottom.
    for (int i = 0; i <= kLastIndex; ++i) state.Vx[i] = (i % 2 == 0) ? 10.0f : -10.0f;
    ScopeRenderer renderer;
    doscope(state.settings, state.view, state.traces(), renderer);
    const QImage& image = renderer.image();
    EXPECT_GT(countRow(image, 0, kGreen), 20) << "segments reach the top row";
    EXPECT_GT(countRow(image, image.height() - 1, kGreen), 20) << "segments reach the bottom row";
    // The trace runs to the right edge (401 segments at 0.5 ms/div span 12730 units).
    EXPECT_GT(countColumn(image, image.width() - 1, kGreen), 0) << "trace reaches the right edge";

    // Off-scale values, huge gains and not-finite samples draw nothing wrong and never wrap.
    ScopeState wild = blankState();
    wild.Captured = 1;
    wild.settings.ScopeMode = 3;
    wild.settings.Lgain = 1e30f;
    wild.settings.Rgain = 100;
    wild.Vx.fill(1);
    wild.Vr.fill(std::numeric_limits<float>::quiet_NaN());
    wild.Vr[3] = std::numeric_limits<float>::infinity();
    ScopeRenderer wildRenderer;
    doscope(wild.settings, wild.view, wild.traces(), wildRenderer);
    EXPECT_EQ(countColour(wildRenderer.image(), kBlue), 0) << "NaN samples draw no segment";
    EXPECT_EQ(countColour(wildRenderer.image(), kGreen), 0)
        << "a trace far above the top is clipped away";
}

TEST(ScopeRenderer, TriggerNearTheEndDrawsTheTailFlatFromZeros) {
    ScopeState state = blankState();
    state.Captured = 1;
    state.settings.ScopeMode = 1;
    // One volt up to N = 11024, the never-written zeros after it.
    for (int i = 0; i <= 11024; ++i) state.Vx[i] = 1;
    state.TrigPt = 11000;
    ScopeRenderer renderer;
    doscope(state.settings, state.view, state.traces(), renderer);
    const QImage& image = renderer.image();
    // Segments 0..23 at one division up; from segment 25 on the centre line.
    for (int column = 0; column < px(31.746 * 24); ++column)
        EXPECT_EQ(image.pixel(column, px(2100)), kGreen) << "column " << column;
    for (int column = px(31.746 * 25) + 1; column < image.width(); ++column)
        ASSERT_EQ(image.pixel(column, px(2800)), kGreen) << "flat tail, column " << column;

    // A trigger past the arrays' end reads zeros, not memory beyond them.
    for (int32_t trigPt : {44000, 44100, std::numeric_limits<int32_t>::max(), -300,
                           std::numeric_limits<int32_t>::min()}) {
        ScopeState late = blankState();
        late.Captured = 1;
        late.settings.ScopeMode = 3;
        late.Vx.fill(1);
        late.Vr.fill(1);
        late.TrigPt = trigPt;
        ScopeRenderer lateRenderer;
        doscope(late.settings, late.view, late.traces(), lateRenderer);
        EXPECT_GT(countRow(lateRenderer.image(), px(2800), kBlue), 200) << "TrigPt " << trigPt;
    }
}

TEST(ScopeRenderer, BadTimeBasesNeitherCrashNorReadOutside) {
    struct Row {
        float tbScale;
        const char* label8;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Row rows[] = {
        {0, "--- ms/div"},
        {-1, "-15.873 ms/div"},
        {1e-30f, "1.587302E+31 ms/div"},
        {1e-44f, "--- ms/div"},  // beyond the Single range
        {inf, "0 ms/div"},
        {-inf, "0 ms/div"},
        {std::numeric_limits<float>::quiet_NaN(), "--- ms/div"},
        {1e30f, "0 ms/div"},
    };
    for (const Row& row : rows) {
        ScopeState state = blankState();
        state.Captured = 1;
        state.settings.CursorsOn = 1;
        state.settings.GridOn = 1;
        state.settings.TBscale = row.tbScale;
        state.TrigPt = 44000;
        state.Vx.fill(0.25f);
        ScopeRenderer renderer;
        const ScopeReadouts texts = doscope(state.settings, state.view, state.traces(), renderer);
        EXPECT_EQ(texts.timePerDivision, row.label8) << "TBscale " << row.tbScale;
        EXPECT_TRUE(texts.cursorDifference) << "TBscale " << row.tbScale;
        EXPECT_TRUE(texts.redrawFinished) << "TBscale " << row.tbScale;
    }
}

TEST(ScopeRenderer, CoincidingCursorsVanish) {
    ScopeState state = blankState();
    state.settings.GridOn = 1;
    ScopeRenderer plain;
    doscope(state.settings, state.view, state.traces(), plain);

    state.settings.CursorsOn = 1;
    state.settings.Cursor1 = 2000;
    state.settings.Cursor2 = 2000;
    ScopeRenderer withCursors;
    doscope(state.settings, state.view, state.traces(), withCursors);
    EXPECT_EQ(withCursors.image(), plain.image());

    state.settings.Cursor2 = 3000;
    doscope(state.settings, state.view, state.traces(), withCursors);
    EXPECT_EQ(countColumn(withCursors.image(), px(2000), kRed), withCursors.image().height() - 8)
        << "a red line, except where it crosses the eight grey horizontal lines";
    EXPECT_EQ(withCursors.image().pixel(px(2000), px(2800)), qRgb(0xaa, 0x55, 0x55))
        << "red XOR grey on the centre line";
    EXPECT_EQ(countColumn(withCursors.image(), px(3000), kRed), withCursors.image().height() - 8);
}

TEST(ScopeRenderer, CursorDrawnTwiceRestoresEveryPixel) {
    ScopeState state = blankState();
    state.settings.GridOn = 1;
    state.Captured = 1;
    state.settings.CursorsOn = 1;
    for (int i = 0; i <= kLastIndex; ++i) {
        state.Vx[i] = static_cast<float>(std::sin(i * 0.3));
        state.Vr[i] = static_cast<float>(std::cos(i * 0.2));
    }
    ScopeRenderer renderer;
    doscope(state.settings, state.view, state.traces(), renderer);
    const QImage before = renderer.image().copy();
    for (double x : {0.0, 1234.0, 3500.0, 6995.0, -20.0, 7000.0}) {
        {
            ScopeCanvas canvas(renderer);
            canvas.setXorMode(true);
            canvas.verticalLine(x, kCursorColour);
        }
        const bool visible = x >= 0 && x <= 6995;
        EXPECT_EQ(renderer.image() != before, visible) << "cursor at " << x;
        {
            ScopeCanvas canvas(renderer);
            canvas.setXorMode(true);
            canvas.verticalLine(x, kCursorColour);
        }
        EXPECT_EQ(renderer.image(), before) << "cursor at " << x;
    }
}

TEST(ScopeRenderer, DirtyRectCoversWhatChanged) {
    ScopeRenderer renderer;
    EXPECT_EQ(renderer.takeDirtyRect(), renderer.image().rect()) << "a new picture is dirty whole";
    EXPECT_TRUE(renderer.takeDirtyRect().isEmpty());
    {
        ScopeCanvas canvas(renderer);
        canvas.setXorMode(true);
        canvas.verticalLine(1500, kCursorColour);
    }
    EXPECT_EQ(renderer.takeDirtyRect(), QRect(px(1500), 0, 1, renderer.image().height()));
}

}  // namespace
}  // namespace varnex::scope
