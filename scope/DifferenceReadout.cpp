#include "scope/DifferenceReadout.h"

#include <cmath>

#include "common/NumberText.h"
#include "scope/ScopeGeometry.h"
#include "scope/ScopeMath.h"

namespace varnex::scope {
namespace {

constexpr size_t kReadoutCharacters = 5;
// Below this many milliseconds the time is shown in microseconds.
constexpr double kMicrosecondLimit = 0.1;

// Cursor1 - Cursor2 in drawing units; in double because the stored positions
// can be any 32-bit values and their difference may not fit.
double cursorDistance(const ScopeSettings& settings) {
    return static_cast<double>(settings.Cursor1) - static_cast<double>(settings.Cursor2);
}

}  // namespace

std::string firstFiveCharacters(double value) {
    return plainForm(value).substr(0, kReadoutCharacters);
}

std::string timeReadout(const ScopeSettings& settings, const ScopeView& view) {
    const double milliseconds = std::fabs(view.MsPerDiv * cursorDistance(settings) / kDivision);
    if (milliseconds < kMicrosecondLimit) return firstFiveCharacters(milliseconds * 1000) + " us";
    return firstFiveCharacters(milliseconds) + " ms";
}

std::optional<std::string> frequencyReadout(const ScopeSettings& settings, const ScopeView& view) {
    const double distance = cursorDistance(settings);
    if (distance == 0) return std::nullopt;
    const double period = view.MsPerDiv * std::fabs(distance) / kDivision;
    return firstFiveCharacters(quotient(1000, period)) + " Hz";
}

std::optional<std::string> differenceReadout(const ScopeSettings& settings, const ScopeView& view) {
    if (settings.TimeReadout != 0) return timeReadout(settings, view);
    return frequencyReadout(settings, view);
}

std::string readoutKindText(const ScopeSettings& settings) {
    return settings.TimeReadout != 0 ? "Time" : "Freq";
}

}  // namespace varnex::scope
