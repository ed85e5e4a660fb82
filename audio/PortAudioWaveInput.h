// Records from the default input through PortAudio.
#pragma once

#include "audio/PortAudioLibrary.h"
#include "audio/WaveInput.h"

#include <portaudio.h>

#include <atomic>
#include <optional>

namespace varnex {

class PortAudioWaveInput final : public WaveInput {
public:
    // The default input, or the device with that PortAudio index.
    explicit PortAudioWaveInput(std::optional<int> device = std::nullopt);
    ~PortAudioWaveInput() override;

    int32_t open(const WaveFormat& format) override;
    bool start(int32_t handle) override;
    void addBuffer(int32_t handle, WaveHeader& header) override;
    void reset(int32_t handle) override;
    void close(int32_t handle) override;
    std::string deviceName() const override { return library_.deviceName(true, device_); }

private:
    // Runs on the audio thread: copies frames into the pending buffer and marks
    // it done when full; no locks, no allocation.
    static int record(const void* input, void* output, unsigned long frames,
                      const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags statusFlags,
                      void* self);
    bool isOpen(int32_t handle) const { return handle != 0 && handle == handle_; }
    // Audio thread: how many of the block's first frames are the stream's
    // start-up silence, which no capture may hold.
    size_t skipStartSilence(const void* input, unsigned long frames);

    // A sound server may begin a stream with up to a few hundred frames of
    // exact silence before the first real frame; a sound card's converter
    // never gives exact zeros for long, and a truly silent input is recorded
    // after this many frames all the same.
    static constexpr uint32_t kStartSilenceFrames = 4096;

    PortAudioLibrary library_;  // first member: outlives the stream
    std::optional<int> device_;
    PaStream* stream_ = nullptr;
    int32_t handle_ = 0;
    int32_t lastHandle_ = 0;
    uint16_t blockAlign_ = 0;
    // The buffer being filled: published by addBuffer (release), cleared by the
    // callback when it is full, or by reset once the stream has stopped.
    std::atomic<WaveHeader*> pending_{nullptr};
    // Frames of start-up silence still dropped: set by start, counted down
    // by the callback, 0 once a frame with signal has come.
    std::atomic<uint32_t> startSilenceLeft_{0};
};

}  // namespace varnex
