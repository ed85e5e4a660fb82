#include "audio/TestTone.h"

#include "app/VarnexState.h"
#include "audio/AudioFormat.h"
#include "audio/TonePlayer.h"
#include "audio/WavImage.h"

#include <cmath>

namespace varnex {

QuadratureConstants quadratureConstants(float freq) {
    // The same float the window keeps in Pi; computed here so the constants do
    // not depend on the window having set it first.
    const float pi = static_cast<float>(4 * std::atan(1.0));
    QuadratureConstants q;
    // nearbyint rounds halves to the even neighbour in the default mode.
    const double lag = std::nearbyint(kFramesPerSecond / (4.0 * freq));
    if (!(lag >= 1 && lag <= 32767)) return q;  // no frequency the generator offers
    q.QuadLag = static_cast<int16_t>(lag);
    const float h = static_cast<float>(2.0 * static_cast<double>(pi) * freq * q.QuadLag /
                                       static_cast<double>(kFramesPerSecond));
    q.QuadB = static_cast<float>(-1 / std::sin(static_cast<double>(h)));
    q.QuadA = static_cast<float>(-static_cast<double>(q.QuadB) * std::cos(static_cast<double>(h)));
    return q;
}

bool PlayTestTone(VarnexState& state, TonePlayer& player) {
    const QuadratureConstants q = quadratureConstants(state.freq);
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
