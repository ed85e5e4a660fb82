#include "audio/WavImage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace varnex {
namespace {

constexpr double kAmplitude16 = 32767;
constexpr double kAmplitude8 = 127;
constexpr int32_t kCentre8 = 127;

void putField(std::vector<uint8_t>& buffer, size_t offset, int32_t value, int bytes) {
    for (int n = 0; n < bytes; ++n) buffer[offset + n] = ByteOf(value, n);
}

void putTag(std::vector<uint8_t>& buffer, size_t offset, const char (&tag)[5]) {
    for (int n = 0; n < 4; ++n) buffer[offset + n] = static_cast<uint8_t>(tag[n]);
}

// A sine sample this close to zero is a zero crossing that rounding pushed
// below zero: sin(1200 * 2 pi / 12) comes out as about -2e-13. Away from a
// crossing a sample of these tones is never below 1e-4.
constexpr double kZeroTolerance = 1e-9;

// Frames of `cycles` whole cycles: the index at which the sine comes back to
// zero or above for the cycles-th time.
int64_t framesOfWholeCycles(double step, int cycles) {
    int counted = 0;
    bool armed = true;
    for (int64_t k = 1;; ++k) {
        const double value = std::sin(static_cast<double>(k) * step);
        if (value < -kZeroTolerance) {
            armed = false;
        } else if (!armed) {
            if (++counted == cycles) return k;
            armed = true;
        }
    }
}

// The generator's count of cycles in one image.
int generatorCycles(double frequency) {
    return frequency > 1000 ? 100 : 10;
}

// Radians per frame, in the design's order of operations: the images of the
// generator's frequencies stay the same to the byte.
double phaseStep(double frequency, int32_t sampleRate) {
    return 2 * std::numbers::pi / ((1 / frequency) / (1.0 / sampleRate));
}

// The whole cycles in `frames` frames nearest to `wanted` cycles per frame;
// at least one, as a loop without a cycle plays nothing.
int32_t cyclesIn(double wanted, int32_t frames) {
    return static_cast<int32_t>(std::max(1.0, std::nearbyint(wanted * frames)));
}

// How far that many cycles in `frames` frames lie from `wanted`.
double offBy(double wanted, int32_t frames) {
    return std::fabs(cyclesIn(wanted, frames) - wanted * frames) / frames;
}

}  // namespace

uint8_t ByteOf(int32_t value, int n) {
    const uint32_t bits = static_cast<uint32_t>(value);
    uint8_t byte = static_cast<uint8_t>(bits >> (8 * n));
    if (n == 3) byte &= 0x7F;
    return byte;
}

double clampLevel(double level) {
    if (!(level > 0)) return 0;  // also not a number
    return level > 1 ? 1 : level;
}

void modWAV::MakeHeader(std::vector<uint8_t>& buffer, int32_t sampleRate, int16_t bits,
                        int16_t mode, double leftLevel, double rightLevel) {
    sampleRate_ = sampleRate;
    bits_ = bits == 8 ? 8 : 16;
    mode_ = mode;
    channels_ = mode == 0 ? 1 : 2;
    bytesPerSample_ = static_cast<int16_t>(bits_ / 8);
    leftLevel_ = clampLevel(leftLevel);
    rightLevel_ = clampLevel(rightLevel);

    buffer.assign(kWavHeaderBytes, 0);
    putTag(buffer, 0, "RIFF");
    putTag(buffer, 8, "WAVE");
    putTag(buffer, 12, "fmt ");
    putField(buffer, 16, 16, 4);
    putField(buffer, 20, 1, 2);
    putField(buffer, 22, channels_, 2);
    putField(buffer, 24, sampleRate_, 4);
    putField(buffer, 28, channels_ * sampleRate_ * bytesPerSample_, 4);
    putField(buffer, 32, channels_ * bytesPerSample_, 2);
    putField(buffer, 34, bits_, 2);
    putTag(buffer, 36, "data");
}

void modWAV::MakeSine(std::vector<uint8_t>& buffer, double frequency) const {
    const int cycles = generatorCycles(frequency);
    const double step = phaseStep(frequency, sampleRate_);
    const bool playable = frequency > 0 && frequency <= sampleRate_ / 2.0;
    appendFrames(buffer, step, playable ? framesOfWholeCycles(step, cycles) : 0);
}

void modWAV::MakeLoop(std::vector<uint8_t>& buffer, const ToneLoop& loop) const {
    const bool playable = loop.frames > 0 && loop.cycles > 0;
    appendFrames(buffer, playable ? phaseStep(loop.frequency(), sampleRate_) : 0,
                 playable ? loop.frames : 0);
}

void modWAV::appendFrames(std::vector<uint8_t>& buffer, double step, int64_t frames) const {
    const int32_t dataSize = static_cast<int32_t>(frames * channels_ * bits_ / 8);

    buffer.resize(kWavHeaderBytes + static_cast<size_t>(dataSize));
    putField(buffer, 40, dataSize, 4);
    putField(buffer, 4, dataSize + 36, 4);

    const bool leftSilent = mode_ == 3;
    const bool rightSilent = mode_ == 2;
    const double amplitude = bits_ == 16 ? kAmplitude16 : kAmplitude8;
    size_t offset = kWavHeaderBytes;
    auto put = [&](double level, double s, bool silent) {
        const int32_t value = static_cast<int32_t>(std::floor(level * s));
        if (bits_ == 16) {
            buffer[offset++] = silent ? 0 : ByteOf(value, 0);
            buffer[offset++] = silent ? 0 : ByteOf(value, 1);
        } else {
            buffer[offset++] = silent ? 0 : ByteOf(value + kCentre8, 0);
        }
    };
    for (int64_t k = 0; k < frames; ++k) {
        const double s = amplitude * std::sin(static_cast<double>(k) * step);
        put(leftLevel_, s, leftSilent);
        if (channels_ == 2) put(rightLevel_, s, rightSilent);
    }
}

double ToneLoop::frequency() const {
    return frames > 0 ? double(kFramesPerSecond) * cycles / frames : 0;
}

ToneLoop toneLoopFor(double frequency) {
    if (!(frequency > 0) || frequency > kFramesPerSecond / 2.0) return {};
    // Cycles per frame, approximated by every denominator in turn, shortest
    // first: a few tens of microseconds, and exact where a continued fraction
    // of a double could round a term the wrong way.  Fractions of different
    // value lie at least 1 / kLongestLoopFrames^2 (5e-10) apart; a longer loop
    // must come nearer by more than rounding to be taken.
    constexpr double kSameFraction = 1e-13;
    const double wanted = frequency / kFramesPerSecond;
    ToneLoop loop;
    double nearest = std::numeric_limits<double>::infinity();
    for (int32_t frames = 1; frames <= kLongestLoopFrames; ++frames) {
        const double off = offBy(wanted, frames);
        if (off < nearest - kSameFraction * wanted) {
            nearest = off;
            loop = {cyclesIn(wanted, frames), frames};
        }
    }
    // The generator's own images hold 10 or 100 cycles: where that count is a
    // whole multiple of the shortest loop, the image is theirs byte for byte.
    const int cycles = generatorCycles(loop.frequency());
    if (loop.cycles > 0 && cycles % loop.cycles == 0) {
        const int64_t frames = int64_t(loop.frames) * (cycles / loop.cycles);
        if (frames <= kLongestLoopFrames) loop = {cycles, static_cast<int32_t>(frames)};
    }
    return loop;
}

double buildTestTone(std::vector<uint8_t>& buffer, double frequency, double level) {
    const ToneLoop loop = toneLoopFor(frequency);
    modWAV wav;
    wav.MakeHeader(buffer, kFramesPerSecond, kToneBits, 1, level, level);
    wav.MakeLoop(buffer, loop);
    return loop.frequency();
}

}  // namespace varnex
