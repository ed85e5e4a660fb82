// The time or frequency between the two cursors, as the cursor difference box shows it.
#pragma once

#include <optional>
#include <string>

#include "scope/ScopeSettings.h"

namespace varnex::scope {

// The general decimal text of a value (up to 15 significant digits, point as
// separator) cut after its fifth character, without rounding: 1.42857 -> "1.428".
std::string firstFiveCharacters(double value);

// The time between the cursors from Cursor1, Cursor2 and MsPerDiv:
// "1.428 ms", or in microseconds below 0.1 ms ("0 us" for coinciding cursors).
std::string timeReadout(const ScopeSettings& settings, const ScopeView& view);

// The frequency whose period is the time between the cursors ("699.9 Hz");
// nothing when the cursors coincide, so the box keeps its text.
std::optional<std::string> frequencyReadout(const ScopeSettings& settings, const ScopeView& view);

// The form that TimeReadout chooses: time for any value but 0, frequency for 0.
std::optional<std::string> differenceReadout(const ScopeSettings& settings, const ScopeView& view);

// "Time" or "Freq", by TimeReadout.
std::string readoutKindText(const ScopeSettings& settings);

}  // namespace varnex::scope
