// A machine without sound devices: the player refuses every image and the
// input never opens.  The window runs on these when it is given no sound
// devices, so it starts and works, without a tone or a capture.
#pragma once

#include "audio/TonePlayer.h"
#include "audio/WaveInput.h"

namespace varnex {

class NoTonePlayer final : public TonePlayer {
public:
    bool play(std::span<const uint8_t>) override { return false; }
    void stop() override {}
    std::string deviceName() const override { return "no sound output"; }
};

class NoWaveInput final : public WaveInput {
public:
    int32_t open(const WaveFormat&) override { return 0; }
    bool start(int32_t) override { return false; }
    void addBuffer(int32_t, WaveHeader&) override {}
    void reset(int32_t) override {}
    void close(int32_t) override {}
    std::string deviceName() const override { return "no sound input"; }
};

}  // namespace varnex
