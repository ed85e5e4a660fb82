// The test tone: its frequency, the generator option that chose it, the
// quadrature constants the estimator needs for it, and the WAV image the
// player loops.  Rebuilt by every Play.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "measure/Quadrature.h"

namespace varnex {

class TonePlayer;

// The generator's frequencies in the order of their option number
// (SigGenOptFlag 1 to 6).
inline constexpr std::array<float, 6> kSigGenFrequencies = {525, 1225, 2205, 1000, 120, 3675};
// The option numbers from the lowest frequency to the highest.
constexpr std::array<int, kSigGenFrequencies.size()> sigGenOptionsByFrequency() {
    std::array<int, kSigGenFrequencies.size()> options{};
    for (size_t i = 0; i < options.size(); ++i) options[i] = static_cast<int>(i) + 1;
    std::sort(options.begin(), options.end(),
              [](int a, int b) { return kSigGenFrequencies[a - 1] < kSigGenFrequencies[b - 1]; });
    return options;
}
// The option every run starts with: 1225 Hz.
inline constexpr int16_t kStartSigGenOption = 2;

struct Tone {
    float freq = kSigGenFrequencies[kStartSigGenOption - 1];  // hertz
    int16_t SigGenOptFlag = kStartSigGenOption;
    Quadrature quadrature;
    std::vector<uint8_t> WavBuf;  // the image being played
};

// The Play button's work: the quadrature constants for tone.freq, the tone
// stopped, its image rebuilt at `level` (clamped to 0..1) and played in a
// loop.  Returns the player's answer; the program goes on without a tone
// when it is false.
bool playTestTone(Tone& tone, double level, TonePlayer& player);

}  // namespace varnex
