// The two factors that turn raw samples into the bridge's voltages: volts per
// input step, and the balance that multiplies the right channel before the
// left is subtracted from it.  Set in the calibration dialog, kept in the
// settings file, read by every measurement run.
#pragma once

#include "common/DefaultCalibration.h"

namespace varnex {

struct Calibration {
    float Bal = static_cast<float>(kDefaultBal);
    float Vperbit = static_cast<float>(kDefaultVperbit);
};

// Stands in for a volts-per-bit entry that is empty, not a number, zero or
// negative: the measurement divides by it, so it must stay positive.
inline constexpr float kFallbackVperbit = 0.0001f;

// Vperbit as an entry of the calibration dialog sets it.
inline float acceptedVperbit(float entered) {
    return entered > 0 ? entered : kFallbackVperbit;
}

}  // namespace varnex
