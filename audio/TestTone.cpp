#include "audio/TestTone.h"

#include "app/VarnexState.h"
#include "audio/AudioFormat.h"
#include "audio/TonePlayer.h"
#include "audio/WavImage.h"
#include "measure/Quadrature.h"

#include <cmath>

namespace varnex {

bool PlayTestTone(VarnexState& state, TonePlayer& player) {
    const Quadrature q = quadratureFor(state.freq, state.Pi);
    state.QuadLag = q.QuadLag;
    state.QuadA = q.QuadA;
    state.QuadB = q.QuadB;
    // The player must let go of the old image before it is rebuilt.
    player.stop();
    modWAV wav;
    wav.MakeHeader(state.WavBuf, kFramesPerSecond, kToneBits, 1, state.SigGenLvl, state.SigGenLvl);
    wav.MakeSine(state.WavBuf, state.freq);
    return player.play(state.WavBuf);
}

}  // namespace varnex
