#include "audio/ComponentDescription.h"

#include "common/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <numbers>
#include <string_view>
#include <vector>

namespace varnex {
namespace {

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ' && c != '\t') out += c;
    return out;
}

// Finds where the imaginary part of "a+bj" begins: a sign that is neither the
// first character nor part of an exponent.
size_t imaginaryStart(std::string_view text) {
    for (size_t i = text.size(); i-- > 1;) {
        if ((text[i] == '+' || text[i] == '-') && text[i - 1] != 'e' && text[i - 1] != 'E')
            return i;
    }
    return 0;
}

std::optional<std::complex<double>> complexValue(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.back() != 'j' && text.back() != 'i') {
        const auto real = prefixedNumber(text);
        if (!real) return std::nullopt;
        return std::complex<double>(*real, 0);
    }
    text.remove_suffix(1);
    const size_t split = imaginaryStart(text);
    std::string_view imagText = text.substr(split);
    if (imagText == "+" || imagText == "-" || imagText.empty())  // "1+j", "j"
        return std::nullopt;
    const auto imag = prefixedNumber(imagText);
    if (!imag) return std::nullopt;
    double real = 0;
    if (split > 0) {
        const auto r = prefixedNumber(text.substr(0, split));
        if (!r) return std::nullopt;
        real = *r;
    }
    return std::complex<double>(real, *imag);
}

bool fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

bool addTerm(Component& component, std::string_view term, std::string* error) {
    const size_t eq = term.find('=');
    if (eq != 1) return fail(error, "expected KEY=VALUE in \"" + std::string(term) + "\"");
    const char key = static_cast<char>(term[0] & ~0x20);  // upper case
    std::string_view value = term.substr(2);
    if (key == 'C' && !value.empty() && value.back() == 'F') value.remove_suffix(1);
    if (key == 'L' && !value.empty() && value.back() == 'H') value.remove_suffix(1);
    const std::string bad = "cannot read the value of \"" + std::string(term) + "\"";
    if (key == 'Z') {
        const auto z = complexValue(value);
        if (!z) return fail(error, bad);
        // A negative resistance could cancel the source and Rm: no finite current.
        if (z->real() < 0) return fail(error, "the real part of Z must not be negative");
        component.fixed += *z;
        return true;
    }
    const auto v = prefixedNumber(value);
    if (!v) return fail(error, bad);
    switch (key) {
        case 'R':
            if (*v < 0) return fail(error, "a resistance must not be negative");
            component.resistance += *v;
            return true;
        case 'L':
            if (*v < 0) return fail(error, "an inductance must not be negative");
            component.inductance += *v;
            return true;
        case 'C':
            if (!(*v > 0)) return fail(error, "a capacitance must be positive");
            component.elastance += 1 / *v;
            return true;
        default:
            return fail(error,
                        "unknown part \"" + std::string(1, term[0]) + "\"; use R, L, C or Z");
    }
}

// Every sum fits a double, the resistance of R and Z together too; 1/C of a
// capacitance near the smallest double does not.
bool isFinite(const Component& c) {
    return std::isfinite(c.resistance) && std::isfinite(c.inductance) &&
           std::isfinite(c.elastance) && std::isfinite(c.fixed.real()) &&
           std::isfinite(c.fixed.imag()) && std::isfinite(c.resistance + c.fixed.real());
}

// The comma-separated terms of a text without blanks; an empty text is one
// empty term.
std::vector<std::string_view> splitTerms(std::string_view compact) {
    std::vector<std::string_view> terms;
    size_t begin = 0;
    while (begin <= compact.size()) {
        size_t end = compact.find(',', begin);
        if (end == std::string_view::npos) end = compact.size();
        terms.push_back(compact.substr(begin, end - begin));
        begin = end + 1;
    }
    return terms;
}

constexpr std::string_view kParallel = "||";

// One term added in series: a part, or parts side by side ("C=1u||R=1M").
bool addSeriesTerm(Component& component, std::string_view term, std::string* error) {
    if (term.find(kParallel) == std::string_view::npos) return addTerm(component, term, error);
    std::vector<Component> group;
    for (size_t begin = 0;;) {
        const size_t end = term.find(kParallel, begin);
        const std::string_view part = term.substr(begin, end - begin);
        Component element;
        if (!addTerm(element, part, error)) return false;
        if (!isFinite(element))
            return fail(error,
                        "\"" + std::string(part) + "\" is beyond what the simulation can hold");
        group.push_back(element);
        if (end == std::string_view::npos) break;
        begin = end + kParallel.size();
    }
    component.parallelGroups.push_back(std::move(group));
    return true;
}

// The component the terms describe; no term, or one empty one, is none.
std::optional<Component> componentOf(const std::vector<std::string_view>& terms,
                                     std::string* error) {
    if (terms.empty() || (terms.size() == 1 && terms.front().empty())) {
        fail(error, "no component given");
        return std::nullopt;
    }
    Component component;
    for (const std::string_view term : terms) {
        if (!addSeriesTerm(component, term, error)) return std::nullopt;
        if (!isFinite(component)) {
            fail(error, "\"" + std::string(term) + "\" is beyond what the simulation can hold");
            return std::nullopt;
        }
    }
    return component;
}

// Parts side by side: their admittances add.  A part that carries no current
// (a capacitor at direct current) adds none, one of no impedance shorts the
// group, and a group that carries no current at all (L and C at resonance)
// is open.
std::complex<double> parallelImpedance(const std::vector<Component>& group, double f) {
    std::complex<double> admittance = 0;
    for (const Component& part : group) {
        const std::complex<double> z = part.impedanceAt(f);
        if (!std::isfinite(std::abs(z))) continue;
        if (z == 0.0) return 0;
        admittance += 1.0 / z;
    }
    if (!std::isfinite(std::abs(admittance))) return 0;
    if (admittance == 0.0) return {std::numeric_limits<double>::infinity(), 0};
    return 1.0 / admittance;
}

}  // namespace

std::complex<double> Component::impedanceAt(double f) const {
    constexpr std::complex<double> kOpen{std::numeric_limits<double>::infinity(), 0};
    const double omega = 2 * std::numbers::pi * f;
    std::complex<double> z = fixed + std::complex<double>(resistance, omega * inductance);
    if (elastance > 0) {
        if (omega == 0) return kOpen;
        z += std::complex<double>(0, -elastance / omega);
    }
    for (const std::vector<Component>& group : parallelGroups) {
        const std::complex<double> side = parallelImpedance(group, f);
        if (!std::isfinite(std::abs(side))) return kOpen;
        z += side;
    }
    return z;
}

std::optional<Component> parseComponent(std::string_view text, std::string* error) {
    const std::string compact = withoutBlanks(text);
    return componentOf(splitTerms(compact), error);
}

std::optional<SimulationDescription> parseSimulation(std::string_view text, std::string* error) {
    const std::string compact = withoutBlanks(text);
    SimulationDescription description;
    // The other terms go on to the component exactly as written.
    std::vector<std::string_view> componentTerms;
    for (const std::string_view term : splitTerms(compact)) {
        std::string key(term.substr(0, std::min(term.find('='), term.size())));
        for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (key != "noise" && key != "seed") {
            componentTerms.push_back(term);
            continue;
        }
        const std::string_view value = term.substr(key.size() + (term.size() > key.size()));
        if (key == "seed") {
            const auto seed = prefixedNumber(value);
            if (term.size() == key.size() || !seed || *seed < 0 || *seed != std::floor(*seed) ||
                *seed > std::numeric_limits<uint32_t>::max()) {
                fail(error, "cannot read the seed of \"" + std::string(term) +
                                "\"; use seed=N, N a whole number from 0 to 4294967295");
                return std::nullopt;
            }
            description.noiseSeed = static_cast<uint32_t>(*seed);
            continue;
        }
        const auto steps = prefixedNumber(value);
        if (term.size() == key.size() || !steps || *steps < 0) {
            fail(error, "cannot read the noise of \"" + std::string(term) +
                            "\"; use noise=N, N steps rms from 0");
            return std::nullopt;
        }
        description.noiseSteps = *steps;
    }
    const std::optional<Component> component = componentOf(componentTerms, error);
    if (!component) return std::nullopt;
    description.component = *component;
    return description;
}

std::optional<double> parseResistance(std::string_view text) {
    const std::string compact = withoutBlanks(text);
    const auto value = prefixedNumber(compact);
    if (!value || !(*value > 0)) return std::nullopt;
    return value;
}

}  // namespace varnex
