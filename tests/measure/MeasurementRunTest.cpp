#include "measure/MeasurementRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SyntheticCapture.h"

namespace varnex {
namespace {

constexpr int H = 11024;

// A window as far as the run can see it: the state, an event log and hooks
// that write into the log.  `onYield` plays the handlers that run during a yield.
struct FakeWindow {
    std::unique_ptr<VarnexState> state = testing::newState();
    std::string log;  // Y: yield, S: readings shown, D: redraw
    std::vector<Readings> shown;
    std::function<void(int)> onYield;  // gets the number of the yield, from 1
    int yields = 0;
    MeasurementRun run{*state, MeasurementHooks{
                                   [this] {
                                       log += 'Y';
                                       ++yields;
                                       if (onYield) onYield(yields);
                                   },
                                   [this](const Readings& r) {
                                       log += 'S';
                                       shown.push_back(r);
                                   },
                                   [this] { log += 'D'; },
                               }};

    FakeWindow() { testing::fillRatio(*state, 8000, 0.5, 0.3); }
};

// The readings the first run shows when nothing interferes.
Readings undisturbedReadings() {
    FakeWindow w;
    w.run.request();
    return w.shown.at(0);
}

void expectSameReadings(const Readings& a, const Readings& b, const std::string& name) {
    EXPECT_EQ(a.Text2, b.Text2) << name;
    EXPECT_EQ(a.Text1, b.Text1) << name;
    EXPECT_EQ(a.Text4, b.Text4) << name;
    EXPECT_EQ(a.Text3, b.Text3) << name;
    EXPECT_EQ(a.Text5, b.Text5) << name;
    EXPECT_EQ(a.Text6, b.Text6) << name;
    EXPECT_EQ(a.txteLMS, b.txteLMS) << name;
    EXPECT_EQ(a.txtuLMS, b.txtuLMS) << name;
}

TEST(MeasurementRun, OneRequestYieldsSixTimesThenShowsTheReadings) {
    FakeWindow w;
    EXPECT_EQ(w.run.request(Redraw::Yes), RunOutcome::Measured);
    EXPECT_EQ(w.log, "YYYYYYSD");
    EXPECT_EQ(w.shown.at(0).Text4, "50.00") << "Rs of 0.5 on the 100 ohm reference";
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
    const Readings reference = undisturbedReadings();
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
            w.state->Rm = 1000;
            w.run.request();
        }
    };
    w.run.request();
    ASSERT_EQ(w.shown.size(), 2u);
    EXPECT_EQ(w.shown[1].Text4, "500.00") << "the deferred run uses the new Rm";
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
            w.state->DataReady = kFalse;  // Stop
        }
    };
    EXPECT_EQ(w.run.request(), RunOutcome::Measured);
    EXPECT_EQ(w.log, "YYYYYYS") << "the run in progress finishes, the deferred one finds no data";
}

TEST(MeasurementRun, NotReadyMeasuresNothingButStillRedraws) {
    FakeWindow w;
    w.state->DataReady = kFalse;
    EXPECT_EQ(w.run.request(Redraw::Yes), RunOutcome::NotReady);
    EXPECT_EQ(w.log, "D");
}

TEST(MeasurementRun, ResetDuringARunWaitsForItsEnd) {
    const Readings reference = undisturbedReadings();
    FakeWindow w;
    float seedAfterReset = -1;
    w.onYield = [&](int yield) {
        if (yield == 3) w.run.resetWeights();
        if (yield == 4) seedAfterReset = w.state->Wi[w.state->QuadLag];
    };
    w.run.request();
    EXPECT_NE(seedAfterReset, 0) << "the run went on from its own weights";
    expectSameReadings(w.shown.at(0), reference, "reset during the run");
    for (int i = 1; i <= H; ++i)
        ASSERT_EQ(w.state->Wi[i], 0) << "cleared when the run ended, " << i;
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
