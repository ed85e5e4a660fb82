// The component on the simulated bridge, from a short text such as "R=1k",
// "C=100n", "L=10m,R=5" or "Z=50-30j".
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <string_view>

namespace varnex {

// A series combination: resistance, inductance, capacitance and a fixed
// complex impedance (the same at every frequency), all in SI units.
struct Component {
    double resistance = 0;
    double inductance = 0;
    double elastance = 0;  // 1/C summed over the series capacitors; 0 = none
    std::complex<double> fixed{0, 0};

    // Impedance at frequency f in Hz; infinite at 0 Hz when a capacitor is in
    // series, and where a reactance near the largest double (1e305 H at
    // 3675 Hz) does not fit one: the bridge then sees open leads.  Its
    // resistance is always finite.
    std::complex<double> impedanceAt(double f) const;
};

// Comma-separated terms KEY=VALUE, added in series. KEY is R, L, C or Z (either
// case). VALUE is a decimal number with an optional SI prefix p n u m k M G;
// C may end in F, L in H. Z is "real", "real+imagj", "real-imagj" or "imagj",
// each part with an optional prefix. Blanks are ignored. R, L and the real
// part of Z must not be negative and C must be positive; every sum (R and Z's
// real part together too), and 1/C, must fit a double.
// On a text it cannot read: nothing, and *error tells why.
std::optional<Component> parseComponent(std::string_view text, std::string* error = nullptr);

// The simulated bridge as VARNEX_SIMULATE describes it: the component's terms
// and, among them, an optional "noise=N" (either case), the rms noise of each
// input in 16-bit steps (a number from 0).  On a text it cannot read: nothing,
// and *error tells why.
struct SimulationDescription {
    Component component;
    std::optional<double> noiseSteps;
};
std::optional<SimulationDescription> parseSimulation(std::string_view text,
                                                     std::string* error = nullptr);

// A resistance such as "100", "100.3" or "1k"; nothing unless positive.
std::optional<double> parseResistance(std::string_view text);

}  // namespace varnex
