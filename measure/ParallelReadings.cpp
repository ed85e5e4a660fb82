#include "measure/ParallelReadings.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace varnex {

ParallelReadings parallelReadings(std::complex<double> z, double frequency) {
    ParallelReadings p;
    const double r = z.real();
    const double x = z.imag();
    // |Z| twice rather than |Z|^2, which would overflow for |Z| beyond 1e154.
    const double m = std::hypot(r, x);
    p.conductance = (r / m) / m;
    p.susceptance = -(x / m) / m;
    p.admittance = 1 / m;
    p.resistance = m * (m / r);
    // Xp = -1 / B = |Z|^2 / X; a pure resistance has an infinite one, of
    // either sign of zero.
    p.reactance = x == 0 ? std::numeric_limits<double>::infinity() : m * (m / x);
    const double omega = 2 * std::numbers::pi * frequency;
    if (x >= 0) {
        p.kind = ReactanceKind::Inductive;
        p.inductance = p.reactance / omega;
    } else {
        p.kind = ReactanceKind::Capacitive;
        p.capacitance = p.susceptance / omega;
    }
    return p;
}

double fullAngle(std::complex<double> z) {
    return std::atan2(z.imag(), z.real()) * 180 / std::numbers::pi;
}

}  // namespace varnex
