// The one sound format of the program: the tone it plays and the block it
// records are both 16-bit stereo PCM at 44100 frames per second.
#pragma once

#include <cstdint>

namespace varnex {

inline constexpr int32_t kFramesPerSecond = 44100;
inline constexpr int16_t kToneBits = 16;
inline constexpr int16_t kStereoChannels = 2;
inline constexpr int16_t kBytesPerFrame = kStereoChannels * kToneBits / 8;

// One capture: 44200 bytes, 11050 frames, just over a quarter second.
inline constexpr uint32_t kCaptureBytes = 44200;
inline constexpr int32_t kCaptureFrames = kCaptureBytes / kBytesPerFrame;

}  // namespace varnex
