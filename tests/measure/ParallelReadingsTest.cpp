#include "measure/ParallelReadings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace varnex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Worked by hand: Y = 1 / Z = (R - jX) / |Z|^2, Rp = |Z|^2 / R, Xp = |Z|^2 / X,
// Lp = Xp / w, Cp = B / w.
TEST(ParallelReadings, SeriesToParallelByHand) {
    struct Row {
        const char* name;
        std::complex<double> z;
        double omega;  // radians per second
        double G, B, Y, Rp, Xp;
        ReactanceKind kind;
        double LpOrCp;
    };
    const Row rows[] = {
        // |Z|^2 = 25.
        {"3 + 4j", {3, 4}, 1, 0.12, -0.16, 0.2, 25.0 / 3, 6.25, ReactanceKind::Inductive, 6.25},
        // |Z|^2 = 200: a capacitor with its losses, 50 uF side by side with 20 ohms.
        {"10 - 10j",
         {10, -10},
         1000,
         0.05,
         0.05,
         std::sqrt(0.005),
         20,
         -20,
         ReactanceKind::Capacitive,
         5e-5},
        // 1 uF with a 1 Mohm leak at 100 rad/s, worked back to its series form.
        {"1 uF || 1 Mohm", 1.0 / std::complex<double>(1e-6, 1e-4), 100, 1e-6, 1e-4,
         std::hypot(1e-6, 1e-4), 1e6, -1e4, ReactanceKind::Capacitive, 1e-6},
        {"pure resistance", {50, 0}, 10, 0.02, 0, 0.02, 50, kInf, ReactanceKind::Inductive, kInf},
        {"pure capacitance",
         {0, -100},
         1e4,
         0,
         0.01,
         0.01,
         kInf,
         -100,
         ReactanceKind::Capacitive,
         1e-6},
        // Beyond 1e154 the square of |Z| would overflow.
        {"very large",
         {3e200, 4e200},
         1,
         0.12e-200,
         -0.16e-200,
         0.2e-200,
         25e200 / 3,
         6.25e200,
         ReactanceKind::Inductive,
         6.25e200},
    };
    for (const Row& r : rows) {
        const ParallelReadings p = parallelReadings(r.z, r.omega / (2 * std::numbers::pi));
        auto near = [&](double got, double want, const char* what) {
            if (std::isinf(want))
                EXPECT_EQ(got, want) << r.name << ": " << what;
            else
                EXPECT_NEAR(got, want, 1e-12 * std::fabs(want) + 1e-300) << r.name << ": " << what;
        };
        near(p.conductance, r.G, "G");
        near(p.susceptance, r.B, "B");
        near(p.admittance, r.Y, "|Y|");
        near(p.resistance, r.Rp, "Rp");
        near(p.reactance, r.Xp, "Xp");
        EXPECT_EQ(p.kind, r.kind) << r.name;
        near(r.kind == ReactanceKind::Inductive ? p.inductance : p.capacitance, r.LpOrCp,
             "Lp or Cp");
    }
    // Nothing to form from no impedance at all, or at no frequency.
    EXPECT_TRUE(std::isnan(parallelReadings({0, 0}, 1000).conductance));
    EXPECT_FALSE(std::isfinite(parallelReadings({10, -10}, 0).capacitance));
}

TEST(ParallelReadings, TheAngleKeepsItsQuadrant) {
    struct Row {
        std::complex<double> z;
        double degrees;
    };
    // A capacitor whose resistance comes out a hair below zero: the principal
    // value would read +89.43.
    const Row rows[] = {{{-0.01, -1}, -90.5729},
                        {{-0.01, 1}, 90.5729},
                        {{1, 1}, 45},
                        {{-1, 0}, 180},
                        {{0, -1}, -90}};
    for (const Row& r : rows)
        EXPECT_NEAR(fullAngle(r.z), r.degrees, 1e-4) << r.z.real() << ", " << r.z.imag();
}

}  // namespace
}  // namespace varnex
