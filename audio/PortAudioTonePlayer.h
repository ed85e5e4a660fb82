// The test tone on the default output through PortAudio.
#pragma once

#include "audio/PcmLoop.h"
#include "audio/PortAudioLibrary.h"
#include "audio/TonePlayer.h"

#include <portaudio.h>

#include <cstddef>
#include <optional>

namespace varnex {

class PortAudioTonePlayer final : public TonePlayer {
public:
    // The default output, or the device with that PortAudio index.
    explicit PortAudioTonePlayer(std::optional<int> device = std::nullopt);
    ~PortAudioTonePlayer() override;

    // The loop is copied out of the image and the stream opened and started
    // afterwards; the callback reads only that copy.
    bool play(std::span<const uint8_t> image) override;
    // Aborts the stream (no draining) and closes it; after it returns the
    // callback no longer runs.
    void stop() override;
    std::string deviceName() const override { return library_.deviceName(false, device_); }

private:
    // Runs on the audio thread: copies the loop into the output, wrapping at
    // its end; no locks, no allocation.
    static int fill(const void* input, void* output, unsigned long frames,
                    const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags statusFlags,
                    void* self);

    PortAudioLibrary library_;  // first member: outlives the stream
    std::optional<int> device_;
    PcmLoop loop_;
    size_t position_ = 0;  // next frame; the callback's own while the stream runs
    PaStream* stream_ = nullptr;
};

}  // namespace varnex
