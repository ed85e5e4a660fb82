// How well the instrument measures across its frequency range: resistors,
// inductors and capacitors whose impedance matches the reference resistor at
// each frequency from 10 Hz to 20 kHz, on the simulated bridge, measured as
// `varnex measure --count N` measures them (the tone settled 0.2 s, then back
// to back captures whose weights carry over).  For each row: the error of |Z|
// (mean and spread, relative), of the angle (degrees), the uncertainty each
// reading carries, and the share of Rs and Xs within +-2u of the truth.
//
// Usage: measure_frequencies [captures per row = 10] [noise steps = 1] [seed = 11]
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "SettledBridge.h"
#include "instrument/Settings.h"
#include "instrument/Tone.h"

namespace varnex {
namespace {

// A part of each kind whose reactance (or resistance) is `ohms` at `hertz`.
std::string partAt(char kind, double hertz, double ohms) {
    const double omega = 2 * std::numbers::pi * hertz;
    char text[64];
    if (kind == 'R') std::snprintf(text, sizeof text, "R=%.6g", ohms);
    // An inductor with a Q of 10, as a real coil has.
    if (kind == 'L') std::snprintf(text, sizeof text, "L=%.6g,R=%.6g", ohms / omega, ohms / 10);
    if (kind == 'C') std::snprintf(text, sizeof text, "C=%.6g", 1 / (omega * ohms));
    return text;
}

}  // namespace
}  // namespace varnex

int main(int argc, char** argv) {
    using namespace varnex;
    const int captures = argc > 1 ? std::max(3, std::atoi(argv[1])) : 10;
    const double noise = argc > 2 ? std::atof(argv[2]) : 1.0;
    const uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 11;
    const double frequencies[] = {10, 15, 20, 30, 50, 100, 200, 1000, 5000, 10000, 15000, 20000};
    const float Rm = ReferenceResistors{}.Rm;  // the 100 ohm reference at start-up
    constexpr double kLevel = 0.5;             // SettledBridge's, the generator's default

    std::printf("Simulated bridge, Rm %g ohm, level %.1f, noise %.2g steps, %d captures a row\n",
                double(Rm), kLevel, noise, captures);
    std::printf("%8s %-28s | %9s %9s | %8s %8s | %9s | %s\n", "Hz", "component", "|Z| err%",
                "|Z| sd%", "ang err", "ang sd", "u/|Z| %", "Rs,Xs within 2u");
    int within = 0, readings = 0;
    int row = 0;
    for (double asked : frequencies) {
        const double f = playableFrequency(asked);
        for (char kind : {'R', 'L', 'C'}) {
            const std::string description = partAt(kind, f, Rm);
            SettledBridge bridge(description.c_str(), Rm, f, noise,
                                 seed + 7919u * static_cast<uint32_t>(row++));
            const std::complex<double> z = bridge.truth();
            RunningStats magnitude, angle, u;
            int rowWithin = 0;
            for (int n = 0; n < captures; ++n) {
                const ImpedanceReading reading = bridge.next();
                const std::complex<double> measured = impedanceOf(reading);
                const ImpedanceUncertainty ur = impedanceUncertainty(reading);
                magnitude.add(std::abs(measured) / std::abs(z) - 1);
                angle.add(std::remainder(std::arg(measured) - std::arg(z), 2 * std::numbers::pi) *
                          180 / std::numbers::pi);
                u.add(ur.larger() / std::abs(z));
                rowWithin += std::fabs(measured.real() - z.real()) <= 2 * ur.resistance;
                rowWithin += std::fabs(measured.imag() - z.imag()) <= 2 * ur.reactance;
            }
            within += rowWithin;
            readings += 2 * captures;
            std::printf("%8.1f %-28s | %9.4f %9.4f | %8.4f %8.4f | %9.4f | %d/%d\n", f,
                        description.c_str(), 100 * magnitude.mean, 100 * magnitude.sd(), angle.mean,
                        angle.sd(), 100 * u.mean, rowWithin, 2 * captures);
        }
    }
    std::printf("Rs and Xs within +-2u: %d of %d (%.1f %%)\n", within, readings,
                100.0 * within / readings);
    return 0;
}
