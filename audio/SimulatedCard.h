// The state the simulated player and input share: what is playing, since
// when, and the noise source. Used from one thread only.
#pragma once

#include "audio/SimulatedBridge.h"

#include <chrono>
#include <random>
#include <span>

namespace varnex {

class SimulatedCard {
public:
    explicit SimulatedCard(const SimulatedBridgeOptions& options);
    SimulatedCard(const SimulatedCard&) = delete;
    SimulatedCard& operator=(const SimulatedCard&) = delete;

    const SimulatedBridgeOptions& options() const { return options_; }

    bool play(std::span<const uint8_t> image);
    void stop();

    // Fills interleaved left/right frames with what the inputs see from now on.
    void record(std::span<int16_t> frames);

private:
    int64_t framesSinceToneStart() const;
    int16_t quantise(double steps);

    SimulatedBridgeOptions options_;
    std::mt19937 random_;
    std::normal_distribution<double> noise_;
    BridgeResponse response_;  // one period in input steps; empty while silent
    std::chrono::steady_clock::time_point toneStart_;
    int64_t virtualFrames_ = 0;  // the card's clock when not in real time
};

}  // namespace varnex
