// The volts-per-division and time-base ladders stepped by the six scale
// buttons, and the Hz/ms switch Check2.  None of them redraws: the caller
// runs doscope after a scale step (Check2 needs no redraw).
#pragma once

#include <array>
#include <string>

#include "app/VarnexState.h"
#include "scope/ScopeTexts.h"

namespace varnex::scope {

// Gains (1 / volts per division) from the smallest to the largest, and the
// volts per division each one shows.
inline constexpr std::array<float, 9> kGainLadder = {0.2f, 0.5f, 1, 2, 5, 10, 20, 50, 100};
inline constexpr std::array<float, 9> kVoltsPerDivLadder = {5, 2, 1, 0.5f, 0.2f,
                                                            0.1f, 0.05f, 0.02f, 0.01f};

// TimeBase values from the slowest (5 ms/div) to the fastest (0.1 ms/div).
inline constexpr std::array<float, 6> kTimeBaseLadder = {2, 5, 10, 20, 50, 100};
// TBscale = TimeBase * this, stored as a Single.
inline constexpr double kTBscalePerTimeBase = 1.5873;

// " v/div" after the shortest decimal text of a Single: 0.05 -> "0.05 v/div".
std::string voltsPerDivText(float voltsPerDiv);

// The text of a scale box from a gain, as start-up writes it: 1 / gain.
std::string voltsPerDivTextOfGain(float gain);

enum class GainStep { Up, Down };  // Up: larger gain, smaller volts per division

// One press of a volts-per-division button on `gain`.  The ladder neither wraps
// nor passes its ends.  A gain that is not on the ladder (from an edited
// settings file) stays as it is, and the text then shows its true volts per
// division, 1 / gain.  Leaves the shown value in `scaleVal`; returns the text.
std::string stepGain(float& gain, float& scaleVal, GainStep step);

// The six buttons.  Each returns what the window writes before its redraw.
ScopeTexts btnLdec(VarnexState& state);   // Vx gain up; Text20
ScopeTexts btnLinc(VarnexState& state);   // Vx gain down; Text20
ScopeTexts btnRdec(VarnexState& state);   // Vr gain up; Text11
ScopeTexts btnRinc(VarnexState& state);   // Vr gain down; Text11
void btnTBdec(VarnexState& state);        // less time per division; TBscale recomputed
void btnTBinc(VarnexState& state);        // more time per division; TBscale recomputed

// TimeBase one step faster or slower; the same value at the ends and off the ladder.
float fasterTimeBase(float timeBase);
float slowerTimeBase(float timeBase);

// Check2 click: toggles TimeReadout between 0 and 1 and writes Label10 and the
// new form of Text15; any other TimeReadout is left alone and nothing is written.
ScopeTexts check2Click(VarnexState& state);

}  // namespace varnex::scope
