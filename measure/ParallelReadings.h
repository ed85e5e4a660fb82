// The parallel equivalent of a measured impedance, as bench LCR meters show
// it beside the series one: the admittance Y = 1 / Z = G + j B, and the
// resistance and reactance that, side by side, draw the same current.
#pragma once

#include <complex>

#include "measure/Readings.h"

namespace varnex {

struct ParallelReadings {
    double conductance = 0;  // G, siemens
    double susceptance = 0;  // B, siemens
    double admittance = 0;   // |Y|, siemens
    double resistance = 0;   // Rp = 1 / G, ohms; infinite for a pure reactance
    double reactance = 0;    // Xp = -1 / B, ohms; infinite for a pure resistance
    // As the series readings decide it: inductive when B is not positive.
    ReactanceKind kind = ReactanceKind::Inductive;
    double inductance = 0;   // Lp = Xp / (2 pi f), henries, when inductive
    double capacitance = 0;  // Cp = B / (2 pi f), farads, when capacitive
};

// Of a series impedance z at `frequency` hertz.  A part that cannot be formed
// (z = 0, a zero frequency, z not a number) is not finite.
ParallelReadings parallelReadings(std::complex<double> z, double frequency);

// The angle of z in its own quadrant, -180 to 180 degrees: a capacitor whose
// resistance comes out a hair below zero reads -90.01, not +89.99.
double fullAngle(std::complex<double> z);

}  // namespace varnex
