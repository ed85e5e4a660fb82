// The time or frequency between the two cursors, as written into Text15.
#pragma once

#include <optional>
#include <string>

#include "app/VarnexState.h"

namespace varnex::scope {

// The general decimal text of a value (up to 15 significant digits, point as
// separator) cut after its fifth character, without rounding: 1.42857 -> "1.428".
std::string firstFiveCharacters(double value);

// The time between the cursors from Cursor1, Cursor2 and MsPerDiv:
// "1.428 ms", or in microseconds below 0.1 ms ("0 us" for coinciding cursors).
std::string timeReadout(const VarnexState& state);

// The frequency whose period is the time between the cursors ("699.9 Hz");
// nothing when the cursors coincide, so Text15 keeps its text.
std::optional<std::string> frequencyReadout(const VarnexState& state);

// The form that TimeReadout chooses: time for any value but 0, frequency for 0.
std::optional<std::string> differenceReadout(const VarnexState& state);

// "Time" or "Freq" for Label10, by TimeReadout.
std::string readoutKindText(const VarnexState& state);

}  // namespace varnex::scope
