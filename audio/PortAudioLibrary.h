// Holds PortAudio initialised for the life of one device object. PortAudio
// counts its initialisations, so a player and an input may each hold one.
#pragma once

#include <optional>
#include <string>

namespace varnex {

class PortAudioLibrary {
public:
    PortAudioLibrary();
    PortAudioLibrary(const PortAudioLibrary&) = delete;
    PortAudioLibrary& operator=(const PortAudioLibrary&) = delete;
    ~PortAudioLibrary();

    // False when PortAudio could not start: there is then no device at all.
    bool ready() const { return ready_; }

    // "the input 'pulse'" or "the output 'pulse'" for the device with that
    // index (the default device when none is given), or what stands in for it
    // when there is none.
    std::string deviceName(bool input, std::optional<int> device) const;

    // The device with that index, or the default one; paNoDevice when there is none.
    int deviceOrDefault(bool input, std::optional<int> device) const;

    // A failing sound library call: "varnex: <doing>: <the library's text>"
    // on standard error, once (the same message again is not repeated).
    // Returns whether `error` was a failure.  User-interface thread only.
    static bool failed(int error, const std::string& doing);

private:
    bool ready_ = false;
};

}  // namespace varnex
