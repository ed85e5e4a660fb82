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
double cursorDistance(const VarnexState& state) {
    return static_cast<double>(state.Cursor1) - static_cast<double>(state.Cursor2);
}

}  // namespace

std::string firstFiveCharacters(double value) {
    return plainForm(value).substr(0, kReadoutCharacters);
}

std::string timeReadout(const VarnexState& state) {
    const double milliseconds = std::fabs(state.MsPerDiv * cursorDistance(state) / kDivision);
    if (milliseconds < kMicrosecondLimit) return firstFiveCharacters(milliseconds * 1000) + " us";
    return firstFiveCharacters(milliseconds) + " ms";
}

std::optional<std::string> frequencyReadout(const VarnexState& state) {
    const double distance = cursorDistance(state);
    if (distance == 0) return std::nullopt;
    const double period = state.MsPerDiv * std::fabs(distance) / kDivision;
    return firstFiveCharacters(quotient(1000, period)) + " Hz";
}

std::optional<std::string> differenceReadout(const VarnexState& state) {
    if (state.TimeReadout != 0) return timeReadout(state);
    return frequencyReadout(state);
}

std::string readoutKindText(const VarnexState& state) {
    return state.TimeReadout != 0 ? "Time" : "Freq";
}

}  // namespace varnex::scope
