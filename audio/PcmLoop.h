// The data part of a WAV image, decoded for a player that loops it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace varnex {

struct PcmLoop {
    int32_t sampleRate = 0;
    int channels = 0;
    // Interleaved frames, 16-bit; 8-bit images are widened.
    std::vector<int16_t> samples;

    size_t frames() const { return channels == 0 ? 0 : samples.size() / channels; }
};

// Reads a plain 44-byte-header PCM RIFF WAVE image of 1 or 2 channels and 8
// or 16 bits. Nothing when the image is malformed, claims more data than it
// holds, or holds no whole frame.
std::optional<PcmLoop> decodeWavImage(std::span<const uint8_t> image);

}  // namespace varnex
