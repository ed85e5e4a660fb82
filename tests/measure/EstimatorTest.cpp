#include "measure/Estimator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

#include "MeasureParts.h"

// Counts every allocation of this test program, so a test can show that a run
// allocates nothing.
namespace {
std::atomic<long> allocationCount{0};
}  // namespace

void* operator new(std::size_t size) {
    ++allocationCount;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace varnex {
namespace {

using testing::fillCapture;
using testing::fillRatio;
using testing::newParts;

constexpr int H = 11024;

TEST(Estimator, WeightsConvergeToTheRatioOfVxToVr) {
    struct Row {
        float freq;
        double re, im;  // Vx / Vr, im a 90-degree lead
    };
    const Row rows[] = {
        {1225, 0.5, 0},    {1225, -0.7, 0}, {1225, 0, 0.8},  {1225, 0, -1.5},
        {120, 1.2, 0},     {120, 0, 0.6},   {525, 0.3, 0.4}, {1000, 0, 0.25},
        {2205, 0.9, -0.2}, {3675, 0, 1},    {3675, 0.4, 0},  {1225, 2, 0.5},
    };
    for (const Row& row : rows) {
        auto s = newParts(row.freq);
        fillRatio(*s, 8000, row.re, row.im);
        ASSERT_TRUE(s->run({}));
        const std::string name = "freq " + std::to_string(row.freq) + " ratio " +
                                 std::to_string(row.re) + " + j" + std::to_string(row.im);
        EXPECT_NEAR(s->estimator.Wi[H + 1], row.re, 2e-4) << name;
        EXPECT_NEAR(s->estimator.Wq[H + 1], row.im, 2e-4) << name;
        EXPECT_EQ(s->estimator.LMSIdx, H + 1) << name;
    }
}

TEST(Estimator, VoltArraysAreTheScaledChannelsAndTheirDifference) {
    auto s = newParts();
    fillRatio(*s, 5000, 0.4, 0.3);
    s->calibration.Bal = 0.98f;
    s->calibration.Vperbit = 3e-5f;
    ASSERT_TRUE(s->run({}));
    for (int i : {0, 1, 77, 5000, H}) {
        const float left = s->Samples[2 * i];
        const float right = s->Samples[2 * i + 1];
        EXPECT_FLOAT_EQ(s->estimator.Vx[i], left * 3e-5f) << "frame " << i;
        EXPECT_FLOAT_EQ(s->estimator.Vr[i], (right * 0.98f - left) * 3e-5f) << "frame " << i;
    }
    // Frames past H are not touched.
    EXPECT_EQ(s->estimator.Vx[H + 1], 0);
    EXPECT_EQ(s->estimator.Vr[H + 1], 0);
}

TEST(Estimator, YieldsSixTimesAndHandlersSeeTheRunSoFar) {
    auto s = newParts();
    fillRatio(*s, 8000, 0.5, 0.2);
    s->estimator.Vx[10] = 123;  // the previous run's values
    s->estimator.TrigPt = 999;
    s->estimator.Wi[H] = 0.375f;
    s->estimator.Wq[H] = -0.125f;
    int yields = 0;
    s->run([&] {
        ++yields;
        if (yields == 1) {
            EXPECT_EQ(s->estimator.Vx[10], 123) << "first yield comes before the split";
            EXPECT_EQ(s->estimator.TrigPt, 999);
        } else {
            EXPECT_EQ(s->estimator.Pass, yields - 1) << "yield " << yields;
            EXPECT_NE(s->estimator.Vx[10], 123) << "yield " << yields;
        }
        if (yields == 2) {
            EXPECT_EQ(s->estimator.Wi[s->quadrature.QuadLag], 0.375f)
                << "the first pass starts from the last run";
            EXPECT_EQ(s->estimator.Wq[s->quadrature.QuadLag], -0.125f);
        }
    });
    EXPECT_EQ(yields, 6);
    EXPECT_EQ(s->estimator.Pass, kLmsPasses + 1);
}

TEST(Estimator, TriggerIsTheFirstStrictRisingCrossingOfTheRightChannel) {
    struct Row {
        const char* name;
        int first;        // frame of the first of the three samples written
        int16_t a, b, c;  // right samples at first, first + 1, first + 2
        int expected;     // TrigPt after the run (starts at 4321)
    };
    const Row rows[] = {
        {"negative then positive", 100, -3, 5, 5, 100},
        {"through an exact zero", 100, -3, 0, 5, 4321},
        {"crossing at the first frame", 0, -1, 1, 1, 0},
        {"crossing into the last frame", H - 1, -7, 7, 7, H - 1},
        {"crossing past the last frame", H, -7, 7, 7, 4321},
        {"no crossing at all", 100, 200, 200, 200, 4321},
    };
    for (const Row& row : rows) {
        auto s = newParts();
        fillCapture(
            *s, [](int) { return 0.0; }, [](int) { return 200.0; });
        s->Samples[2 * row.first + 1] = row.a;
        s->Samples[2 * row.first + 3] = row.b;
        s->Samples[2 * row.first + 5] = row.c;
        s->estimator.TrigPt = 4321;
        s->run({});
        EXPECT_EQ(s->estimator.TrigPt, row.expected) << row.name;
    }
}

TEST(Estimator, TriggerUsesTheBalancedRightChannelNotTheDifference) {
    // Left is large and positive, so right - left would cross elsewhere.
    auto s = newParts();
    fillCapture(
        *s, [](int) { return 1000.0; }, [](int m) { return m < 300 ? -50.0 : 50.0; });
    s->run({});
    EXPECT_EQ(s->estimator.TrigPt, 299);
}

TEST(Estimator, ResetClearsTheWeightsSoTheNextRunStartsFromZero) {
    auto s = newParts();
    fillRatio(*s, 8000, 0.5, 0.4);
    s->run({});
    ASSERT_NE(s->estimator.Wi[H], 0);
    s->estimator.Wi[0] = 0.5f;
    const float lastWi = s->estimator.Wi[H + 1];

    s->reset();
    for (int i = 1; i <= H; ++i) {
        ASSERT_EQ(s->estimator.Wi[i], 0) << i;
        ASSERT_EQ(s->estimator.Wq[i], 0) << i;
    }
    EXPECT_EQ(s->estimator.Wi[0], 0.5f) << "index 0 is left as it is";
    EXPECT_EQ(s->estimator.Wi[H + 1], lastWi) << "index H + 1 is left as it is";
    EXPECT_EQ(s->estimator.LMSIdx, H + 1);

    int yields = 0;
    float seedWi = -1, seedWq = -1, firstWi = -1;
    s->run([&] {
        if (++yields == 2) {
            seedWi = s->estimator.Wi[s->quadrature.QuadLag];
            seedWq = s->estimator.Wq[s->quadrature.QuadLag];
            firstWi = s->estimator.Wi[s->quadrature.QuadLag + 1];
        }
    });
    EXPECT_EQ(seedWi, 0);
    EXPECT_EQ(seedWq, 0);
    EXPECT_EQ(firstWi, 0) << "cleared, not left from the run before";
}

TEST(Estimator, SecondRunOnOneCaptureContinuesFromTheFirst) {
    // With a tiny volts-per-step the running power needs most of a run to come
    // down from its start value, so one run stops well short of convergence.
    auto s = newParts();
    s->calibration.Vperbit = 1e-11f;
    fillRatio(*s, 8000, 0.5, 0.4);
    s->run({});
    const float reachedWi = s->estimator.Wi[H];
    const float reachedWq = s->estimator.Wq[H];
    const double firstMiss = std::hypot(s->estimator.Wi[H + 1] - 0.5, s->estimator.Wq[H + 1] - 0.4);
    ASSERT_GT(firstMiss, 0.01) << "the first run must not have converged";

    int yields = 0;
    s->run([&] {
        if (++yields == 2) {
            EXPECT_EQ(s->estimator.Wi[s->quadrature.QuadLag], reachedWi);
            EXPECT_EQ(s->estimator.Wq[s->quadrature.QuadLag], reachedWq);
        }
    });
    const double secondMiss =
        std::hypot(s->estimator.Wi[H + 1] - 0.5, s->estimator.Wq[H + 1] - 0.4);
    EXPECT_LT(secondMiss, 0.5 * firstMiss) << "the second run went on from the first";
}

TEST(Estimator, StepSizeLeftAfterARunIsBetaOverPwr) {
    auto s = newParts();
    fillRatio(*s, 8000, 0.5, 0.1);
    s->uLMS = 0.095f;  // as chosen in the step-size dialog
    s->run({});
    EXPECT_EQ(s->estimator.Beta, 0.0005f);
    EXPECT_EQ(s->uLMS, s->estimator.Beta / s->estimator.Pwr);
    // Pwr is the running mean square of Vr: 8000 steps amplitude in volts.
    const double meanSquare = 0.5 * std::pow(8000 * s->calibration.Vperbit, 2);
    EXPECT_NEAR(s->estimator.Pwr, meanSquare, 0.05 * meanSquare);
}

TEST(Estimator, UnusableQuarterPeriodLeavesTheWeightsAlone) {
    for (int16_t lag : {int16_t(-1), int16_t(H + 1), int16_t(32767)}) {
        auto s = newParts();
        fillRatio(*s, 8000, 0.5, 0.3);
        s->quadrature.QuadLag = lag;
        s->estimator.Wi[H] = 0.25f;
        EXPECT_TRUE(s->run({})) << "lag " << lag;
        EXPECT_EQ(s->estimator.Wi[H], 0.25f) << "lag " << lag;
        EXPECT_EQ(s->estimator.Wi[H + 1], 0) << "lag " << lag;
        EXPECT_NE(s->estimator.Vx[100], 0) << "the volt arrays are still made, lag " << lag;
    }
}

TEST(Estimator, SampleCountBeyondTheArraysRunsNothing) {
    auto s = newParts();
    fillRatio(*s, 8000, 0.5, 0.3);
    s->SampleCount = 2 * kLastIndex;
    int yields = 0;
    EXPECT_FALSE(s->run([&] { ++yields; }));
    EXPECT_EQ(yields, 0);
    s->reset();  // must not write past the arrays either
    EXPECT_EQ(s->estimator.LMSIdx, 0);
}

TEST(Estimator, ARunAllocatesNothing) {
    auto s = newParts();
    fillRatio(*s, 8000, 0.5, 0.3);
    int yields = 0;
    const YieldFn yield = [&] { ++yields; };
    const long before = allocationCount.load();
    s->run(yield);
    s->reset();
    EXPECT_EQ(allocationCount.load(), before);
    EXPECT_EQ(yields, 6);
}

}  // namespace
}  // namespace varnex
