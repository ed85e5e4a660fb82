// The Play button's work: the quadrature constants of the test frequency and
// the rebuilt, restarted tone.
#pragma once

#include <cstdint>

namespace varnex {

struct VarnexState;
class TonePlayer;

struct QuadratureConstants {
    int16_t QuadLag = 0;  // samples in a quarter period, rounded half to even
    float QuadA = 0;      // cos(h) / sin(h)
    float QuadB = 0;      // -1 / sin(h)
};

// QuadA * x(k) + QuadB * x(k - QuadLag) turns a sine at freq into its cosine.
// h = 2 pi freq QuadLag / 44100 is held as a float, with pi the float
// 4 arctan(1), so the constants match the estimator's arithmetic exactly.
// A frequency whose quarter period is not 1..32767 samples gives all zeros.
QuadratureConstants quadratureConstants(float freq);

// cmdPlay_Click: sets QuadLag, QuadA and QuadB for state.freq, stops the
// tone, rebuilds state.WavBuf (16-bit stereo at 44100 frames/s, both channels
// at state.SigGenLvl clamped to 0..1) and plays it in a loop. Returns the
// player's answer; the program goes on without a tone when it is false.
bool PlayTestTone(VarnexState& state, TonePlayer& player);

}  // namespace varnex
