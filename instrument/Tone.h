// The test tone: its frequency, the quadrature constants the estimator needs
// for it, and the WAV image the player loops.  Rebuilt by every Play.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "measure/Quadrature.h"

namespace varnex {

class TonePlayer;

// The signal generator's frequencies in hertz, lowest first.  The generator
// dialog offers them as its six options; the sweep measures at them when it
// is given no frequencies of its own.
inline constexpr std::array<double, 6> kGeneratorFrequencies = {120, 525, 1000, 1225, 2205, 3675};
// Every run starts at 1225 Hz.
inline constexpr double kStartFrequency = kGeneratorFrequencies[3];

// The frequencies the instrument plays and measures at, in hertz: above the
// lowest a quarter-second capture still holds two whole cycles of, below the
// highest a sound card passes without its anti-alias filter in the way.
inline constexpr double kLowestFrequency = 10;
inline constexpr double kHighestFrequency = 20000;

struct Tone {
    // Hertz, exactly as played: whole cycles fill the loop.  A double, not
    // the design's Single, so a frequency such as 1000.0227 Hz names its loop;
    // the readings take it rounded to a Single, as the design's freq.
    double freq = kStartFrequency;
    Quadrature quadrature;
    std::vector<uint8_t> WavBuf;  // the image being played
};

// The frequency the tone plays for a wanted one: held to kLowestFrequency ..
// kHighestFrequency (NaN gives the start frequency), then the nearest whose
// cycles fill a loop of at most a second exactly.
double playableFrequency(double hertz);

// The Play button's work: the tone stopped, its image rebuilt at `level`
// (clamped to 0..1) for the loop nearest to tone.freq, which becomes the
// frequency played, the quadrature constants for it, and the image played in
// a loop.  Returns the player's answer; the program goes on without a tone
// when it is false.
bool playTestTone(Tone& tone, double level, TonePlayer& player);

}  // namespace varnex
