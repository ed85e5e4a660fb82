#include "measure/Quadrature.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace varnex {
namespace {

TEST(Quadrature, LagAndCoefficientsAdvanceTheSineByAQuarterTurn) {
    struct Row {
        float freq;
        int lag;
    };
    const Row rows[] = {{120, 92}, {525, 21}, {1000, 11}, {1225, 9}, {2205, 5}, {3675, 3}};
    for (const Row& row : rows) {
        const Quadrature q = quadratureFor(row.freq);
        EXPECT_EQ(q.QuadLag, row.lag) << row.freq << " Hz";
        const double w = 2 * M_PI * row.freq / kFramesPerSecond;
        double worst = 0;
        for (int k = q.QuadLag; k < 2000; ++k) {
            const double advanced =
                q.QuadA * std::sin(w * k) + q.QuadB * std::sin(w * (k - q.QuadLag));
            worst = std::max(worst, std::fabs(advanced - std::cos(w * k)));
        }
        EXPECT_LT(worst, 1e-5) << row.freq << " Hz";
    }
}

TEST(Quadrature, AtTwelveTwentyFiveTheLagIsAnExactQuarterPeriod) {
    const Quadrature q = quadratureFor(1225);
    EXPECT_EQ(q.QuadB, -1.0f);
    EXPECT_NEAR(q.QuadA, 0, 1e-6);
}

TEST(Quadrature, HalvesRoundToTheEvenLag) {
    // 44100 / (4 * freq) = 2.5, 3.5, 10.5 and 12.5.
    EXPECT_EQ(quadratureFor(4410).QuadLag, 2);
    EXPECT_EQ(quadratureFor(3150).QuadLag, 4);
    EXPECT_EQ(quadratureFor(1050).QuadLag, 10);
    EXPECT_EQ(quadratureFor(882).QuadLag, 12);
}

TEST(Quadrature, FrequenciesWithoutAQuarterPeriodGiveZeros) {
    for (float freq : {0.0f, -5.0f, -1225.0f, 22050.0f, 30000.0f, 0.1f, std::nanf(""), INFINITY}) {
        const Quadrature q = quadratureFor(freq);
        EXPECT_EQ(q.QuadLag, 0) << freq;
        EXPECT_EQ(q.QuadA, 0) << freq;
        EXPECT_EQ(q.QuadB, 0) << freq;
    }
}

TEST(Quadrature, PiIsTheSingleNearestToFourArctanOne) {
    EXPECT_EQ(Pi, static_cast<float>(4 * std::atan(1.0)));
    EXPECT_FLOAT_EQ(Pi, 3.14159265f);
}

}  // namespace
}  // namespace varnex
