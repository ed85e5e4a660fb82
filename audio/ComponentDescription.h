// The component on the simulated bridge, from a short text such as "R=1k",
// "C=100n", "L=10m,R=5" or "Z=50-30j".
#pragma once

#include <complex>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnex {

// A series combination: resistance, inductance, capacitance, a fixed complex
// impedance (the same at every frequency) and groups of parts side by side,
// all in SI units.
struct Component {
    double resistance = 0;
    double inductance = 0;
    double elastance = 0;  // 1/C summed over the series capacitors; 0 = none
    std::complex<double> fixed{0, 0};
    // Each group's parts are in parallel; each part is one R, L, C or Z.
    std::vector<std::vector<Component>> parallelGroups;

    bool operator==(const Component&) const = default;

    // Impedance at frequency f in Hz; infinite (open: the bridge sees open
    // leads) at 0 Hz when a capacitor is in series, where a group side by
    // side carries no current (capacitors only at 0 Hz, L and C at
    // resonance), and where a reactance or a group's impedance near the
    // largest double (1e305 H at 3675 Hz) does not fit one.  Otherwise its
    // resistance is finite.
    std::complex<double> impedanceAt(double f) const;
};

// Comma-separated terms added in series.  A term is KEY=VALUE, or such parts
// joined by "||", which are side by side: "C=1u||R=1M" is a capacitor with a
// leak, "R=6,L=0.5m,L=2m||R=30" a loudspeaker's voice coil.  KEY is R, L, C
// or Z (either case). VALUE is a decimal number with an optional SI prefix p n u m k M G;
// C may end in F, L in H. Z is "real", "real+imagj", "real-imagj" or "imagj",
// each part with an optional prefix. Blanks are ignored. R, L and the real
// part of Z must not be negative and C must be positive; every sum (R and Z's
// real part together too), and 1/C, must fit a double.
// On a text it cannot read: nothing, and *error tells why.
std::optional<Component> parseComponent(std::string_view text, std::string* error = nullptr);

// The simulated bridge as VARNEX_SIMULATE describes it: the component's terms
// and, among them, an optional "noise=N" (either case), the rms noise of each
// input in 16-bit steps (a number from 0), and an optional "seed=N", which
// makes the noise the same on every run (a whole number).  On a text it
// cannot read: nothing, and *error tells why.
struct SimulationDescription {
    Component component;
    std::optional<double> noiseSteps;
    std::optional<uint32_t> noiseSeed;
};
std::optional<SimulationDescription> parseSimulation(std::string_view text,
                                                     std::string* error = nullptr);

// A resistance such as "100", "100.3" or "1k"; nothing unless positive.
std::optional<double> parseResistance(std::string_view text);

}  // namespace varnex
