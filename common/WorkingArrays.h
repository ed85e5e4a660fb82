// The fixed arrays a capture lives in, from the raw samples to the volts and
// weights of the estimator.  Sized once, indices 0..44100, never reallocated:
// the sound device and the oscilloscope hold on to them.
#pragma once

#include <array>
#include <cstdint>

namespace varnex {

// Highest index of every working array.
inline constexpr int kLastIndex = 44100;

using SampleArray = std::array<int16_t, kLastIndex + 1>;
using VoltArray = std::array<float, kLastIndex + 1>;

}  // namespace varnex
