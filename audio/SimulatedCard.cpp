#include "audio/SimulatedCard.h"

#include "audio/PcmLoop.h"
#include "audio/WavImage.h"
#include "common/AudioFormat.h"

#include <algorithm>
#include <cmath>

namespace varnex {

SimulatedCard::SimulatedCard(const SimulatedBridgeOptions& options)
    : options_(options), random_(options.noiseSeed), noise_(0.0, options.noiseSteps) {}

bool SimulatedCard::play(std::span<const uint8_t> image) {
    stop();
    if (!options_.hasOutput) return false;
    const std::optional<PcmLoop> loop = decodeWavImage(image);
    if (!loop) return false;
    // The bridge hangs on the first output channel.
    drive_.resize(loop->frames());
    for (size_t m = 0; m < drive_.size(); ++m) drive_[m] = loop->samples[m * loop->channels];
    sampleRate_ = loop->sampleRate;
    response_ = respondToLoop(options_.circuit, drive_, sampleRate_);
    toneStart_ = std::chrono::steady_clock::now();
    virtualFrames_ = 0;
    return true;
}

void SimulatedCard::stop() {
    drive_.clear();
    response_ = {};
}

void SimulatedCard::selectReference(double ohms) {
    if (!(ohms > 0) || !std::isfinite(ohms) || ohms == options_.circuit.referenceResistance) return;
    options_.circuit.referenceResistance = ohms;
    if (!drive_.empty()) response_ = respondToLoop(options_.circuit, drive_, sampleRate_);
}

int64_t SimulatedCard::framesSinceToneStart() const {
    if (!options_.realTime || !options_.followsWallClock) return virtualFrames_;
    const auto elapsed = std::chrono::steady_clock::now() - toneStart_;
    return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() *
           kFramesPerSecond / 1000000;
}

int16_t SimulatedCard::quantise(double steps) {
    if (options_.noiseSteps > 0) steps += noise_(random_);
    return static_cast<int16_t>(std::clamp(std::nearbyint(steps), -32768.0, 32767.0));
}

void SimulatedCard::record(std::span<int16_t> frames) {
    const size_t count = frames.size() / 2;
    const int64_t first = framesSinceToneStart();
    const size_t period = response_.left.size();
    for (size_t m = 0; m < count; ++m) {
        const int64_t t = first + static_cast<int64_t>(m) - options_.startSilenceFrames;
        double left = 0, right = 0;
        if (period > 0 && t >= 0) {
            const size_t i = static_cast<size_t>(t) % period;
            left = response_.left[i];
            right = response_.right[i];
        }
        frames[2 * m] = quantise(left);
        frames[2 * m + 1] = quantise(right);
    }
    virtualFrames_ += static_cast<int64_t>(count);
}

std::vector<int16_t> recordSimulatedCapture(SimulatedBridgeOptions options, double frequency,
                                            double level) {
    options.realTime = false;
    SimulatedCard card(options);
    std::vector<uint8_t> image;
    buildTestTone(image, frequency, level);
    card.play(image);
    std::vector<int16_t> frames(static_cast<size_t>(kCaptureFrames) * kStereoChannels);
    card.record(frames);
    return frames;
}

}  // namespace varnex
