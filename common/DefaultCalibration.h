// The calibration a new installation starts with, and the one the simulated
// bridge's card is built to: its right input reads 1 / 0.9955 of the left, and
// one input step is 27.92 microvolts.
#pragma once

namespace varnex {

inline constexpr double kDefaultBal = 0.9955;
inline constexpr double kDefaultVperbit = 0.00002792;

// The program stores both as Singles; these are the same values.
static_assert(static_cast<float>(kDefaultBal) == 0.9955f);
static_assert(static_cast<float>(kDefaultVperbit) == 0.00002792f);

}  // namespace varnex
