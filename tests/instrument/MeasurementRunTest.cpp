#include "instrument/MeasurementRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BridgeCaptures.h"

namespace varnex {
namespace {

constexpr int H = 11024;

// A window as far as the run can see it: the instrument's parts, an event
// log and hooks that write into the log.  `onYield` plays the handlers that
// run during a yield.
struct FakeWindow {
    std::unique_ptr<CaptureBuffers> capture = std::make_unique<CaptureBuffers>();
    Tone tone;
    Settings settings;
    std::unique_ptr<EstimatorState> estimator = std::make_unique<EstimatorState>();
    std::string log;  // Y: yield, S: readings shown, D: redraw
    std::vector<ReadingTexts> shown;
    std::function<void(int)> onYield;  // gets the number of the yield, from 1
    int yields = 0;
    MeasurementRun run{*capture, tone, settings, *estimator,
                       MeasurementHooks{
                           [this] {
                               log += 'Y';
                               ++yields;
                               if (onYield) onYield(yields);
                           },
                           [this](const ImpedanceReading& r) {
                               log += 'S';
                               shown.push_back(readingTexts(r));
                           },
                           [this] { log += 'D'; },
                       }};

    FakeWindow() {
        tone.quadrature = quadratureFor(tone.freq);
        testing::recordRatio(capture->Samples, tone.freq, 8000, 0.5, 0.3);
        capture->DataReady = kTrue;
    }
};

// The readings the first run shows when nothing interferes.
ReadingTexts undisturbedReadings() {
    FakeWindow w;
    w.run.request();
    return w.shown.at(0);
}

void expectSameReadings(const ReadingTexts& a, const ReadingTexts& b, const std::string& name) {
    EXPECT_EQ(a.magnitude, b.magnitude) << name;
    EXPECT_EQ(a.angle, b.angle) << name;
    EXPECT_EQ(a.resistance, b.resistance) << name;
    EXPECT_EQ(a.reactance, b.reactance) << name;
    EXPECT_EQ(a.seriesValue, b.seriesValue) << name;
    EXPECT_EQ(a.factor, b.factor) << name;
    EXPECT_EQ(a.lastError, b.lastError) << name;
    EXPECT_EQ(a.stepSize, b.stepSize) << name;
}

TEST(MeasurementRun, OneRequestYieldsSixTimesThenShowsTheReadings) {
    FakeWindow w;
    EXPECT_EQ(w.run.request(Redraw::Yes), RunOutcome::Measured);
    EXPECT_EQ(w.log, "YYYYYYSD");
    EXPECT_EQ(w.shown.at(0).resistance, "50.00") << "Rs of 0.5 on the 100 ohm reference";
    EXPECT_FALSE(w.run.running());
}

TEST(MeasurementRun, RequestsDuringARunAreDeferredNotNested) {
    struct Row {
        const char* name;
        std::vector<int> requestAtYields;  // yields of the first run that ask again
        const char* log;
    };
    const Row rows[] = {
        {"at the first yield", {1}, "YYYYYYSYYYYYYS"},
        {"at the last yield", {6}, "YYYYYYSYYYYYYS"},
        {"at every yield, coalesced", {1, 2, 3, 4, 5, 6}, "YYYYYYSYYYYYYS"},
    };
    const ReadingTexts reference = undisturbedReadings();
    for (const Row& row : rows) {
        FakeWindow w;
        std::vector<RunOutcome> nested;
        w.onYield = [&](int yield) {
            EXPECT_TRUE(w.run.running()) << row.name;
            for (int at : row.requestAtYields)
                if (yield == at) nested.push_back(w.run.request());
        };
        EXPECT_EQ(w.run.request(), RunOutcome::Measured) << row.name;
        EXPECT_EQ(w.log, row.log) << row.name;
        for (RunOutcome outcome : nested) EXPECT_EQ(outcome, RunOutcome::Deferred) << row.name;
        // The first readings come from a whole, undisturbed run.
        ASSERT_EQ(w.shown.size(), 2u) << row.name;
        expectSameReadings(w.shown[0], reference, row.name);
    }
}

TEST(MeasurementRun, DeferredRunSeesTheChangeTheHandlerMade) {
    FakeWindow w;
    // A dialog's Close during the run: new reference resistor, then docalib.
    w.onYield = [&](int yield) {
        if (yield == 3) {
            w.settings.resistors.Rm = 1000;
            w.run.request();
        }
    };
    w.run.request();
    ASSERT_EQ(w.shown.size(), 2u);
    // Rs of 0.5 on the new 1000 ohm reference, to the bridge's rounding.
    EXPECT_NEAR(std::stod(w.shown[1].resistance), 500, 0.05) << "the deferred run uses the new Rm";
}

TEST(MeasurementRun, RequestDuringTheDeferredRunIsDeferredAgain) {
    FakeWindow w;
    w.onYield = [&](int yield) {
        if (yield == 2 || yield == 8) w.run.request();
    };
    w.run.request();
    EXPECT_EQ(w.log, "YYYYYYSYYYYYYSYYYYYYS");
}

TEST(MeasurementRun, RedrawAskedByADeferredRequestComesOnceAtTheEnd) {
    FakeWindow w;
    w.onYield = [&](int yield) {
        if (yield == 4) w.run.request(Redraw::Yes);  // a capture completing
    };
    w.run.request(Redraw::No);  // a tare dialog's Close
    EXPECT_EQ(w.log, "YYYYYYSYYYYYYSD");
}

TEST(MeasurementRun, StopDuringTheFirstRunMakesTheDeferredRunANoOp) {
    FakeWindow w;
    w.onYield = [&](int yield) {
        if (yield == 2) {
            w.run.request();
            w.capture->DataReady = kFalse;  // Stop
        }
    };
    EXPECT_EQ(w.run.request(), RunOutcome::Measured);
    EXPECT_EQ(w.log, "YYYYYYS") << "the run in progress finishes, the deferred one finds no data";
}

TEST(MeasurementRun, NotReadyMeasuresNothingButStillRedraws) {
    FakeWindow w;
    w.capture->DataReady = kFalse;
    EXPECT_EQ(w.run.request(Redraw::Yes), RunOutcome::NotReady);
    EXPECT_EQ(w.log, "D");
}

TEST(MeasurementRun, NotReadyChangesNothingAndDoesNotYield) {
    FakeWindow w;
    w.capture->DataReady = kFalse;
    EstimatorState& e = *w.estimator;
    e.Wi[3] = 0.25f;
    w.settings.steps.uLMS = 0.075f;
    e.TrigPt = 42;
    EXPECT_EQ(w.run.request(), RunOutcome::NotReady);
    EXPECT_EQ(w.yields, 0);
    for (int i = 0; i <= kLastIndex; ++i) {
        ASSERT_EQ(e.Vx[i], 0) << "Vx " << i;
        ASSERT_EQ(e.Vr[i], 0) << "Vr " << i;
        ASSERT_EQ(e.Wq[i], 0) << "Wq " << i;
        ASSERT_EQ(e.ErrLMS[i], 0) << "ErrLMS " << i;
        ASSERT_EQ(e.Wi[i], i == 3 ? 0.25f : 0) << "Wi " << i;
    }
    EXPECT_EQ(w.settings.steps.uLMS, 0.075f);
    EXPECT_EQ(e.TrigPt, 42);
    EXPECT_EQ(e.Pwr, 0);
    EXPECT_EQ(e.LMSIdx, 0);
}

TEST(MeasurementRun, ResetDuringARunWaitsForItsEnd) {
    const ReadingTexts reference = undisturbedReadings();
    FakeWindow w;
    float seedAfterReset = -1;
    w.onYield = [&](int yield) {
        if (yield == 3) w.run.resetWeights();
        if (yield == 4) seedAfterReset = w.estimator->Wi[w.tone.quadrature.QuadLag];
    };
    w.run.request();
    EXPECT_NE(seedAfterReset, 0) << "the run went on from its own weights";
    expectSameReadings(w.shown.at(0), reference, "reset during the run");
    for (int i = 1; i <= H; ++i)
        ASSERT_EQ(w.estimator->Wi[i], 0) << "cleared when the run ended, " << i;
}

TEST(MeasurementRun, AFailingHookDoesNotLeaveTheRunBlocked) {
    FakeWindow w;
    w.onYield = [](int yield) {
        if (yield == 1) throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(w.run.request(), std::runtime_error);
    EXPECT_FALSE(w.run.running());
    w.onYield = nullptr;
    EXPECT_EQ(w.run.request(), RunOutcome::Measured);
}

}  // namespace
}  // namespace varnex
