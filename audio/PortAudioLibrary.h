// Holds PortAudio initialised for the life of one device object. PortAudio
// counts its initialisations, so a player and an input may each hold one.
#pragma once

namespace varnex {

class PortAudioLibrary {
public:
    PortAudioLibrary();
    PortAudioLibrary(const PortAudioLibrary&) = delete;
    PortAudioLibrary& operator=(const PortAudioLibrary&) = delete;
    ~PortAudioLibrary();

    // False when PortAudio could not start: there is then no device at all.
    bool ready() const { return ready_; }

private:
    bool ready_ = false;
};

}  // namespace varnex
