// The volts-per-division and time-base ladders stepped by the six scale
// buttons, and the Hz/ms switch.  None of them redraws: the caller runs
// doscope after a scale step (the switch needs no redraw).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "scope/ScopeReadouts.h"
#include "scope/ScopeSettings.h"

namespace varnex::scope {

// Gains (1 / volts per division) from the smallest to the largest, and the
// volts per division each one shows.
inline constexpr std::array<float, 9> kGainLadder = {0.2f, 0.5f, 1, 2, 5, 10, 20, 50, 100};
inline constexpr std::array<float, 9> kVoltsPerDivLadder = {5,    2,     1,     0.5f, 0.2f,
                                                            0.1f, 0.05f, 0.02f, 0.01f};

// TimeBase values from the slowest (5 ms/div) to the fastest (0.1 ms/div).
inline constexpr std::array<float, 6> kTimeBaseLadder = {2, 5, 10, 20, 50, 100};

// " v/div" after the shortest decimal text of a Single: 0.05 -> "0.05 v/div".
std::string voltsPerDivText(float voltsPerDiv);

// The text of a scale box from a gain: 1 / gain ("--- v/div" when it is not finite).
std::string voltsPerDivTextOfGain(float gain);

// The same as start-up writes it: nothing when 1 / gain is not finite, so the
// box keeps the text the form gave it.
std::optional<std::string> startUpScaleText(float gain);

enum class GainStep { Up, Down };  // Up: larger gain, smaller volts per division

// One press of a volts-per-division button on `gain`.  The ladder neither wraps
// nor passes its ends.  A gain that is not on the ladder (from an edited
// settings file) stays as it is and shows its true volts per division,
// 1 / gain.  Returns the volts per division now shown.
float stepGain(float& gain, GainStep step);

// The six scale buttons (the upper of each pair raises the gain or shortens
// the time per division).  Each returns what the window writes before its redraw.
ScopeReadouts raiseVxGain(ScopeSettings& settings);  // smaller volts per division of Vx
ScopeReadouts lowerVxGain(ScopeSettings& settings);  // larger volts per division of Vx
ScopeReadouts raiseVrGain(ScopeSettings& settings);  // the same for Vr
ScopeReadouts lowerVrGain(ScopeSettings& settings);
// The time-base steps; TBscale is recomputed.
void shortenTimePerDivision(ScopeSettings& settings);
void lengthenTimePerDivision(ScopeSettings& settings);

// The Hz/ms switch: toggles TimeReadout between 0 and 1 and writes the
// difference kind and the new form of the cursor difference; any other
// TimeReadout is left alone and nothing is written.
ScopeReadouts switchDifferenceKind(ScopeSettings& settings, const ScopeView& view);

}  // namespace varnex::scope
