// The simulated bridge's description (VARNEX_SIMULATE) and its reference
// resistor (VARNEX_SIMULATE_RM).  The input is the description, optionally a
// line end and the resistor's text.
#include "audio/BridgeCircuit.h"
#include "audio/ComponentDescription.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "FuzzCheck.h"

namespace {

using varnex::fuzz::printable;

std::string numberText(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string complexText(std::complex<double> z) {
    return "(" + numberText(z.real()) + ", " + numberText(z.imag()) + ")";
}

bool isFinite(std::complex<double> z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// The program's lowest and highest test frequencies and two between.
constexpr double kFrequencies[] = {120, 1000, 1225, 3675};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t lineEnd = text.find('\n');
    const std::string_view description = text.substr(0, lineEnd);
    const std::string_view resistorText =
        lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);

    varnex::BridgeCircuit circuit;
    if (!resistorText.empty()) {
        const std::optional<double> rm = varnex::parseResistance(resistorText);
        if (rm) {
            VARNEX_FUZZ_CHECK(std::isfinite(*rm) && *rm > 0,
                              printable(resistorText) + " gives " + numberText(*rm));
            circuit.referenceResistance = *rm;
        }
    }

    std::string error;
    const std::optional<varnex::Component> component = varnex::parseComponent(description, &error);
    // The simulation's reading of the same text: its noise term apart, the same component.
    std::string simulationError;
    const auto simulation = varnex::parseSimulation(description, &simulationError);
    VARNEX_FUZZ_CHECK(simulation || !simulationError.empty(),
                      printable(description) + " is refused without a reason");
    if (simulation && simulation->noiseSteps)
        VARNEX_FUZZ_CHECK(
            std::isfinite(*simulation->noiseSteps) && *simulation->noiseSteps >= 0,
            printable(description) + " gives noise " + numberText(*simulation->noiseSteps));
    if (simulation && !simulation->noiseSteps) {
        VARNEX_FUZZ_CHECK(component.has_value(),
                          printable(description) + " is a simulation but no component");
        const varnex::Component& a = *component;
        const varnex::Component& b = simulation->component;
        VARNEX_FUZZ_CHECK(a.resistance == b.resistance && a.inductance == b.inductance &&
                              a.elastance == b.elastance && a.fixed == b.fixed,
                          printable(description) + " reads differently as a simulation");
    }
    if (!component) {
        VARNEX_FUZZ_CHECK(!error.empty(), printable(description) + " is refused without a reason");
        return 0;
    }
    const varnex::Component& c = *component;
    const std::string parsed = printable(description) + " gives R " + numberText(c.resistance) +
                               ", L " + numberText(c.inductance) + ", 1/C " +
                               numberText(c.elastance) + ", Z " + complexText(c.fixed);
    VARNEX_FUZZ_CHECK(c.resistance >= 0 && c.inductance >= 0 && c.elastance >= 0, parsed);
    VARNEX_FUZZ_CHECK(std::isfinite(c.resistance) && std::isfinite(c.inductance) &&
                          std::isfinite(c.elastance) && isFinite(c.fixed),
                      parsed);
    // Infinite only at direct current, and only with a capacitor.
    VARNEX_FUZZ_CHECK(isFinite(c.impedanceAt(0)) == (c.elastance == 0), parsed);

    circuit.component = c;
    for (const double f : kFrequencies) {
        const std::complex<double> z = c.impedanceAt(f);
        // A finite resistance; the reactance is finite unless one of its parts
        // is near the largest double.
        const double omega = 2 * std::numbers::pi * f;
        const double largestPart =
            std::max({omega * c.inductance, c.elastance / omega, std::fabs(c.fixed.imag())});
        VARNEX_FUZZ_CHECK(
            std::isfinite(z.real()) && !std::isnan(z.imag()) &&
                (std::isfinite(z.imag()) || largestPart >= std::numeric_limits<double>::max() / 3),
            parsed + ": at " + numberText(f) + " Hz " + complexText(z));
        // What the simulated card's inputs record must be a number it can quantise.
        const varnex::ChannelGains gains = varnex::channelGainsAt(circuit, f);
        VARNEX_FUZZ_CHECK(isFinite(gains.left) && isFinite(gains.right),
                          parsed + ", Rm " + numberText(circuit.referenceResistance) + ": at " +
                              numberText(f) + " Hz the inputs see " + complexText(gains.left) +
                              " and " + complexText(gains.right));
    }
    return 0;
}
