// The simulated bridge's description (VARNEX_SIMULATE) and its reference
// resistor (VARNEX_SIMULATE_RM).  The input is the description, optionally a
// line end and the resistor's text.
#include "audio/BridgeCircuit.h"
#include "audio/ComponentDescription.h"
#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"

namespace {

using varnex::Component;
using varnex::fuzz::printable;

// The expected impedances are worked in long double, whose range holds every
// product, sum and reciprocal of the doubles a component is made of.
using Wide = long double;
using WideComplex = std::complex<Wide>;
static_assert(std::numeric_limits<Wide>::max_exponent >
                  2 * std::numeric_limits<double>::max_exponent,
              "the expected impedances need a wider range than a double");

constexpr Wide kLargest = std::numeric_limits<double>::max();
// A value this large may not survive a sum or a reciprocal in doubles: the
// component may then read as open leads.
constexpr Wide kNearLargest = kLargest / 4;
// Beyond this the doubles' reciprocals lose digits; the value is not compared.
constexpr Wide kComparable = 1e300;

// The frequencies the program measures at (its lowest, the generator's, its
// highest), and direct current and half a fast card's rate: the loop response
// asks for every bin between.
constexpr double kFrequencies[] = {0, 10, 120, 1000, 1225, 3675, 20000, 96000};

std::string numberText(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string complexText(std::complex<double> z) {
    return "(" + numberText(z.real()) + ", " + numberText(z.imag()) + ")";
}

std::string componentText(const Component& c) {
    std::string text = "R " + numberText(c.resistance) + ", L " + numberText(c.inductance) +
                       ", 1/C " + numberText(c.elastance) + ", Z " + complexText(c.fixed);
    for (const std::vector<Component>& group : c.parallelGroups) {
        text += ", [";
        for (size_t i = 0; i < group.size(); ++i)
            text += (i ? " || " : "") + componentText(group[i]);
        text += "]";
    }
    return text;
}

bool isFinite(std::complex<double> z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '\t') out += c;
    return out;
}

// The pieces between separators; an empty text is one empty piece.
std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    for (size_t begin = 0;;) {
        const size_t end = text.find(separator, begin);
        pieces.push_back(text.substr(begin, end - begin));
        if (end == std::string_view::npos) return pieces;
        begin = end + separator.size();
    }
}

std::string lowerKey(std::string_view term) {
    std::string key(term.substr(0, term.find('=')));
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

WideComplex wide(std::complex<double> z) {
    return {z.real(), z.imag()};
}

WideComplex reciprocal(WideComplex z) {
    const Wide norm = z.real() * z.real() + z.imag() * z.imag();
    return {z.real() / norm, -z.imag() / norm};
}

// One part of a group; nothing where it carries no current (a capacitor at
// direct current).
std::optional<WideComplex> partImpedance(const Component& part, Wide omega) {
    if (part.elastance > 0 && omega == 0) return std::nullopt;
    WideComplex z = wide(part.fixed) + WideComplex(part.resistance, omega * part.inductance);
    if (part.elastance > 0) z -= WideComplex(0, part.elastance / omega);
    return z;
}

struct Expectation {
    bool mustOpen = false;  // no current can flow
    bool mayOpen = false;   // admittances that cancel, or values near the largest double
    bool precise = true;    // the doubles can give z to a few digits
    WideComplex z = 0;      // where not open
    Wide least = 0;         // of a group: the smallest |z| the doubles can give where not open
    // The most the real and imaginary sums can come to along the way.
    Wide realReach = 0;
    Wide imagReach = 0;
};

// Parts side by side: their admittances add, and the group is open only where
// every part is, or where what flows through them cancels (L and C at
// resonance, a capacitor against an inductor given as Z).
Expectation expectGroup(const std::vector<Component>& group, Wide omega) {
    Expectation e;
    WideComplex all = 0, firm = 0;  // firm: without the parts near the largest double
    Wide allSize = 0, firmSize = 0;
    bool conducts = false;
    for (const Component& part : group) {
        const std::optional<WideComplex> z = partImpedance(part, omega);
        if (!z) continue;
        conducts = true;
        if (*z == WideComplex(0)) {  // shorts the group
            e.z = 0;
            return e;
        }
        const WideComplex y = reciprocal(*z);
        all += y;
        allSize += std::abs(y);
        if (std::abs(*z) < kNearLargest) {
            firm += y;
            firmSize += std::abs(y);
        }
    }
    if (!conducts) {
        e.mustOpen = e.mayOpen = true;
        e.precise = false;
        e.least = std::numeric_limits<Wide>::infinity();
        return e;
    }
    e.z = reciprocal(all);
    // Doubles round each admittance: a cancellation to within that may leave
    // exactly nothing.
    e.mayOpen = std::abs(firm) <= 1e-9 * firmSize || std::abs(e.z) >= kNearLargest;
    // Nor can that rounding, or dropping the parts too large for a double,
    // leave much more: near resonance the group's impedance is huge.
    e.least = 0.5 / (std::abs(all) + 1e-9 * allSize + (allSize - firmSize));
    e.precise = !e.mayOpen && std::abs(all) > 1e-3 * allSize;
    return e;
}

Expectation expect(const Component& c, double f) {
    const Wide omega = 2 * std::numbers::pi * f;  // rounded as impedanceAt rounds it
    Expectation e;
    e.z = wide(c.fixed) + WideComplex(c.resistance, omega * c.inductance);
    e.realReach = std::fabs(Wide(c.fixed.real())) + c.resistance;
    e.imagReach = std::fabs(Wide(c.fixed.imag())) + omega * c.inductance;
    if (c.elastance > 0 && omega == 0) e.mustOpen = true;
    if (c.elastance > 0 && omega != 0) {
        e.z -= WideComplex(0, c.elastance / omega);
        e.imagReach += c.elastance / omega;
    }
    for (const std::vector<Component>& group : c.parallelGroups) {
        const Expectation side = expectGroup(group, omega);
        e.mustOpen |= side.mustOpen;
        e.mayOpen |= side.mayOpen;
        e.precise &= side.precise;
        // Where precise the doubles' value is within a factor 2 of it.
        e.z += side.z;
        e.realReach += 2 * std::abs(side.z);
        e.imagReach += 2 * std::abs(side.z);
    }
    e.mayOpen |= e.mustOpen;
    e.precise &= !e.mayOpen && e.realReach + e.imagReach < kComparable;
    return e;
}

// The frequency where the first group's first inductor and first capacitor
// cancel; 0 for none.
double resonance(const Component& c) {
    for (const std::vector<Component>& group : c.parallelGroups) {
        Wide inductance = 0, elastance = 0;
        for (const Component& part : group) {
            if (inductance == 0) inductance = part.inductance;
            if (elastance == 0) elastance = part.elastance;
        }
        if (inductance > 0 && elastance > 0) {
            const double f = static_cast<double>(std::sqrt(elastance / inductance) /
                                                 (2 * std::numbers::pi_v<Wide>));
            return std::isfinite(f) ? f : 0;
        }
    }
    return 0;
}

// What each term reads as alone: a group's parts are exactly those parts, and
// the terms outside groups add up, in the order written, to the series part.
void checkTerms(const Component& c, std::string_view description) {
    const auto detail = [&](std::string_view what) {
        return printable(description) + " gives " + componentText(c) + ": " + std::string(what);
    };
    Component series;
    series.parallelGroups = c.parallelGroups;
    size_t group = 0;
    const std::string compact = withoutBlanks(description);
    for (const std::string_view term : split(compact, ",")) {
        if (term.find("||") == std::string_view::npos) {
            const std::optional<Component> alone = varnex::parseComponent(term);
            VARNEX_FUZZ_CHECK(alone && alone->parallelGroups.empty(),
                              detail(printable(term) + " reads otherwise alone"));
            series.resistance += alone->resistance;
            series.inductance += alone->inductance;
            series.elastance += alone->elastance;
            series.fixed += alone->fixed;
            continue;
        }
        VARNEX_FUZZ_CHECK(group < c.parallelGroups.size(),
                          detail(printable(term) + " is no group"));
        const std::vector<Component>& parts = c.parallelGroups[group++];
        const std::vector<std::string_view> texts = split(term, "||");
        VARNEX_FUZZ_CHECK(parts.size() == texts.size(),
                          detail(printable(term) + " has another number of parts"));
        for (size_t i = 0; i < parts.size(); ++i) {
            const std::optional<Component> alone = varnex::parseComponent(texts[i]);
            VARNEX_FUZZ_CHECK(alone && alone->parallelGroups.empty() && *alone == parts[i],
                              detail(printable(texts[i]) + " reads otherwise alone"));
        }
    }
    VARNEX_FUZZ_CHECK(group == c.parallelGroups.size(), detail("groups without terms"));
    VARNEX_FUZZ_CHECK(series == c, detail("the series terms add to " + componentText(series)));
}

// The simulation's reading of the same text: its noise and seed terms apart,
// the same component, and each setting the number written.
void checkSimulation(std::string_view description, const std::optional<Component>& component) {
    std::string error;
    const auto simulation = varnex::parseSimulation(description, &error);
    const auto detail = [&] {
        std::string text = printable(description);
        if (!simulation) return text + " is refused: " + error;
        text += " gives " + componentText(simulation->component);
        if (simulation->noiseSteps) text += ", noise " + numberText(*simulation->noiseSteps);
        if (simulation->noiseSeed) text += ", seed " + std::to_string(*simulation->noiseSeed);
        return text;
    };
    VARNEX_FUZZ_CHECK(simulation || !error.empty(), detail() + " without a reason");

    const std::string compact = withoutBlanks(description);
    std::vector<std::string_view> componentTerms;
    std::optional<double> noise, seed;
    bool settingsRead = true, anySetting = false;
    for (const std::string_view term : split(compact, ",")) {
        const std::string key = lowerKey(term);
        if (key != "noise" && key != "seed") {
            componentTerms.push_back(term);
            continue;
        }
        anySetting = true;
        const std::optional<double> value =
            term.size() > key.size() ? varnex::prefixedNumber(term.substr(key.size() + 1))
                                     : std::nullopt;
        if (key == "noise" && value && *value >= 0) {
            noise = value;
        } else if (key == "seed" && value && *value >= 0 && *value == std::floor(*value) &&
                   *value <= std::numeric_limits<uint32_t>::max()) {
            seed = value;
        } else {
            settingsRead = false;
        }
    }
    // The other terms as they stand; an empty one among them is still refused.
    std::string rest;
    for (size_t i = 0; i < componentTerms.size(); ++i)
        rest += (i ? "," : "") + std::string(componentTerms[i]);
    const std::optional<Component> expected = anySetting ? varnex::parseComponent(rest) : component;
    VARNEX_FUZZ_CHECK(simulation.has_value() == (settingsRead && expected.has_value()),
                      detail() + (settingsRead ? "" : ", though a setting is unreadable") +
                          (expected ? ", though the component reads" : ", though no component"));
    if (!simulation) return;
    VARNEX_FUZZ_CHECK(simulation->component == *expected,
                      detail() + ", not " + componentText(*expected));
    // The last of each setting holds.
    VARNEX_FUZZ_CHECK(simulation->noiseSteps == noise, detail());
    VARNEX_FUZZ_CHECK(simulation->noiseSeed.has_value() == seed.has_value() &&
                          (!seed || static_cast<double>(*simulation->noiseSeed) == *seed),
                      detail());
}

// Each group as the only part of a component.
void checkGroups(const Component& c, double f, std::string_view description) {
    const Wide omega = 2 * std::numbers::pi * f;
    for (size_t i = 0; i < c.parallelGroups.size(); ++i) {
        Component alone;
        alone.parallelGroups = {c.parallelGroups[i]};
        const std::complex<double> z = alone.impedanceAt(f);
        const Expectation e = expectGroup(c.parallelGroups[i], omega);
        const auto detail = [&](std::string_view what) {
            return printable(description) + " gives " + componentText(c) + ": its group " +
                   std::to_string(i + 1) + " at " + numberText(f) + " Hz is " + complexText(z) +
                   " (expected about " +
                   complexText({static_cast<double>(e.z.real()), static_cast<double>(e.z.imag())}) +
                   "): " + std::string(what);
        };
        VARNEX_FUZZ_CHECK(!std::isnan(z.real()) && !std::isnan(z.imag()) && z.real() >= 0,
                          detail("a passive group has a resistance from 0"));
        VARNEX_FUZZ_CHECK(!e.mustOpen || !isFinite(z), detail("every part is open"));
        VARNEX_FUZZ_CHECK(isFinite(z) || e.mayOpen, detail("open, though current flows"));
        VARNEX_FUZZ_CHECK(!isFinite(z) || std::abs(wide(z)) + 1e-300 >= e.least,
                          detail("too small for what its parts let through"));
        // Where the admittances do not nearly cancel, rounding stays far below a
        // millionth.
        if (e.precise)
            VARNEX_FUZZ_CHECK(std::abs(wide(z) - e.z) <= 1e-6 * std::abs(e.z) + 1e-300,
                              detail("not the value expected"));
    }
}

void checkAt(varnex::BridgeCircuit& circuit, double f, std::string_view description) {
    const Component& c = circuit.component;
    checkGroups(c, f, description);
    const std::complex<double> z = c.impedanceAt(f);
    const Expectation e = expect(c, f);
    const auto detail = [&](std::string_view what) {
        return printable(description) + " gives " + componentText(c) + ": at " + numberText(f) +
               " Hz " + complexText(z) + " (expected about " +
               complexText({static_cast<double>(e.z.real()), static_cast<double>(e.z.imag())}) +
               "): " + std::string(what);
    };
    VARNEX_FUZZ_CHECK(!std::isnan(z.real()) && !std::isnan(z.imag()) && z.real() >= 0,
                      detail("a passive part has a resistance from 0"));
    VARNEX_FUZZ_CHECK(!e.mustOpen || !isFinite(z), detail("no current can flow"));
    // Infinite only where open, or where a sum overflows; a series part alone
    // has a resistance the parser made sure fits.
    VARNEX_FUZZ_CHECK(std::isfinite(z.real()) || e.mayOpen ||
                          (!c.parallelGroups.empty() && e.realReach >= kNearLargest),
                      detail("an infinite resistance"));
    VARNEX_FUZZ_CHECK(std::isfinite(z.imag()) || e.mayOpen || e.imagReach >= kNearLargest,
                      detail("an infinite reactance"));
    if (e.precise) {
        const Wide tolerance = 1e-6 * (e.realReach + e.imagReach) + 1e-300;
        VARNEX_FUZZ_CHECK(std::abs(wide(z) - e.z) <= tolerance, detail("not the value expected"));
    }

    // What the simulated card's inputs record must be a number it can
    // quantise, and a divider of passive parts never gains.
    const varnex::ChannelGains gains = varnex::channelGainsAt(circuit, f);
    const double scale = circuit.dacVoltsPerStep / circuit.adcVoltsPerStep;
    VARNEX_FUZZ_CHECK(
        isFinite(gains.left) && isFinite(gains.right) &&
            std::abs(gains.left) <= scale * (1 + 1e-12) &&
            std::abs(gains.right) <= scale * std::fabs(circuit.rightGain) * (1 + 1e-12),
        detail("with Rm " + numberText(circuit.referenceResistance) + " the inputs see " +
               complexText(gains.left) + " and " + complexText(gains.right)));
}

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
    const std::optional<Component> component = varnex::parseComponent(description, &error);
    checkSimulation(description, component);
    if (!component) {
        VARNEX_FUZZ_CHECK(!error.empty(), printable(description) + " is refused without a reason");
        return 0;
    }
    const Component& c = *component;
    const auto isSound = [](const Component& part) {
        return part.resistance >= 0 && part.inductance >= 0 && part.elastance >= 0 &&
               std::isfinite(part.resistance) && std::isfinite(part.inductance) &&
               std::isfinite(part.elastance) && isFinite(part.fixed) && part.fixed.real() >= 0;
    };
    VARNEX_FUZZ_CHECK(isSound(c) && std::isfinite(c.resistance + c.fixed.real()),
                      printable(description) + " gives " + componentText(c));
    for (const std::vector<Component>& group : c.parallelGroups)
        for (const Component& part : group)
            VARNEX_FUZZ_CHECK(isSound(part) && std::isfinite(part.resistance + part.fixed.real()),
                              printable(description) + " gives " + componentText(c));
    checkTerms(c, description);

    circuit.component = c;
    for (const double f : kFrequencies) checkAt(circuit, f, description);
    if (const double f = resonance(c); f > 0) checkAt(circuit, f, description);
    return 0;
}
