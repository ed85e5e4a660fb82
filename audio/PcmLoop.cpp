#include "audio/PcmLoop.h"

#include "audio/WavImage.h"

#include <cstring>

namespace varnex {
namespace {

uint32_t field(std::span<const uint8_t> image, size_t offset, int bytes) {
    uint32_t value = 0;
    for (int n = bytes - 1; n >= 0; --n) value = (value << 8) | image[offset + n];
    return value;
}

bool hasTag(std::span<const uint8_t> image, size_t offset, const char (&tag)[5]) {
    return std::memcmp(image.data() + offset, tag, 4) == 0;
}

}  // namespace

std::optional<PcmLoop> decodeWavImage(std::span<const uint8_t> image) {
    if (image.size() < static_cast<size_t>(kWavHeaderBytes)) return std::nullopt;
    if (!hasTag(image, 0, "RIFF") || !hasTag(image, 8, "WAVE") || !hasTag(image, 12, "fmt ") ||
        !hasTag(image, 36, "data"))
        return std::nullopt;
    const uint32_t format = field(image, 20, 2);
    const uint32_t channels = field(image, 22, 2);
    const uint32_t rate = field(image, 24, 4);
    const uint32_t bits = field(image, 34, 2);
    const uint32_t dataSize = field(image, 40, 4);
    if (format != 1 || channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate == 0 ||
        rate > 384000)
        return std::nullopt;
    if (dataSize > image.size() - kWavHeaderBytes) return std::nullopt;
    const uint32_t frameBytes = channels * bits / 8;
    const size_t frames = dataSize / frameBytes;
    if (frames == 0) return std::nullopt;

    PcmLoop loop;
    loop.sampleRate = static_cast<int32_t>(rate);
    loop.channels = static_cast<int>(channels);
    loop.samples.resize(frames * channels);
    const uint8_t* data = image.data() + kWavHeaderBytes;
    for (size_t i = 0; i < loop.samples.size(); ++i) {
        if (bits == 16)
            loop.samples[i] = static_cast<int16_t>(data[2 * i] | (data[2 * i + 1] << 8));
        else  // unsigned 8-bit, centred on 128
            loop.samples[i] = static_cast<int16_t>((data[i] - 128) * 256);
    }
    return loop;
}

}  // namespace varnex
