// Plays the test tone: a WAV image looped from memory until stopped.
// All calls come from the user-interface thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace varnex {

class TonePlayer {
public:
    TonePlayer() = default;
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;
    virtual ~TonePlayer() = default;

    // Stops any tone, then plays the image's data part in an endless gapless
    // loop from its first frame, and returns at once. The image is copied
    // before playing starts, so the caller may rebuild it after stop().
    // Returns false, and plays nothing (no default sound either), when there
    // is no output device or the image is not a PCM WAVE image.
    virtual bool play(std::span<const uint8_t> image) = 0;

    // Silences the tone at once; harmless when nothing plays.
    virtual void stop() = 0;

    // The device's name, for messages ("the output 'pulse'").
    virtual std::string deviceName() const = 0;
};

}  // namespace varnex
