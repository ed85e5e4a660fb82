#include "measure/Quadrature.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varnex {
namespace {

const float kPi = static_cast<float>(4 * std::atan(1.0));

TEST(Quadrature, LagAndCoefficientsAdvanceTheSineByAQuarterTurn) {
    struct Row {
        float freq;
        int lag;
    };
    const Row rows[] = {{120, 92}, {525, 21}, {1000, 11}, {1225, 9}, {2205, 5}, {3675, 3}};
    for (const Row& row : rows) {
        const Quadrature q = quadratureFor(row.freq, kPi);
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
    const Quadrature q = quadratureFor(1225, kPi);
    EXPECT_EQ(q.QuadB, -1.0f);
    EXPECT_NEAR(q.QuadA, 0, 1e-6);
}

TEST(Quadrature, HalvesRoundToTheEvenLag) {
    // 44100 / (4 * freq) = 2.5 and 3.5.
    EXPECT_EQ(quadratureFor(4410, kPi).QuadLag, 2);
    EXPECT_EQ(quadratureFor(3150, kPi).QuadLag, 4);
}

TEST(Quadrature, FrequenciesWithoutAQuarterPeriodGiveZeros) {
    for (float freq : {0.0f, -1225.0f, 22050.0f, 30000.0f, 0.1f, std::nanf(""), INFINITY}) {
        const Quadrature q = quadratureFor(freq, kPi);
        EXPECT_EQ(q.QuadLag, 0) << freq;
        EXPECT_EQ(q.QuadA, 0) << freq;
        EXPECT_EQ(q.QuadB, 0) << freq;
    }
}

}  // namespace
}  // namespace varnex
