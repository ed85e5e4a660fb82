#include "instrument/Tone.h"

#include "audio/TonePlayer.h"
#include "audio/WavImage.h"

namespace varnex {

bool playTestTone(Tone& tone, double level, TonePlayer& player) {
    tone.quadrature = quadratureFor(tone.freq);
    // The player must let go of the old image before it is rebuilt.
    player.stop();
    buildTestTone(tone.WavBuf, tone.freq, level);
    return player.play(tone.WavBuf);
}

}  // namespace varnex
