#include "audio/PortAudioLibrary.h"

#include "audio/QuietAudioLibraries.h"

#include <portaudio.h>

namespace varnex {

PortAudioLibrary::PortAudioLibrary() {
    silenceAudioLibraryChatter();
    ready_ = Pa_Initialize() == paNoError;
}

PortAudioLibrary::~PortAudioLibrary() {
    if (ready_) Pa_Terminate();
}

}  // namespace varnex
