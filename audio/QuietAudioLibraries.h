// ALSA and JACK print their probing of every device to stderr when the sound
// library starts; a user's terminal should stay readable.
#pragma once

namespace varnex {

// Installs do-nothing error handlers in ALSA and, when the JACK library is
// loaded in the process, in JACK (its error and info functions). Safe to call
// more than once; call it before the sound library is initialised.
void silenceAudioLibraryChatter();

}  // namespace varnex
