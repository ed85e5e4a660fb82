// The Play button's work: the quadrature constants of the test frequency and
// the rebuilt, restarted tone.
#pragma once

#include <cstdint>

namespace varnex {

struct VarnexState;
class TonePlayer;

// cmdPlay_Click: sets QuadLag, QuadA and QuadB for state.freq (with the
// window's Pi, set first thing at start-up), stops the
// tone, rebuilds state.WavBuf (16-bit stereo at 44100 frames/s, both channels
// at state.SigGenLvl clamped to 0..1) and plays it in a loop. Returns the
// player's answer; the program goes on without a tone when it is false.
bool PlayTestTone(VarnexState& state, TonePlayer& player);

}  // namespace varnex
