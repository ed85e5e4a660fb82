#include "instrument/Tone.h"

#include <algorithm>
#include <cmath>

#include "audio/TonePlayer.h"
#include "audio/WavImage.h"
#include "common/Single.h"

namespace varnex {

double playableFrequency(double hertz) {
    if (std::isnan(hertz)) return kStartFrequency;
    return toneLoopFor(std::clamp(hertz, kLowestFrequency, kHighestFrequency)).frequency();
}

bool playTestTone(Tone& tone, double level, TonePlayer& player) {
    // The player must let go of the old image before it is rebuilt.
    player.stop();
    // A frequency set by hand becomes the one the loop really plays.
    const double played = buildTestTone(tone.WavBuf, tone.freq, level);
    if (played > 0) tone.freq = played;
    tone.quadrature = quadratureFor(toSingle(tone.freq));
    return player.play(tone.WavBuf);
}

}  // namespace varnex
