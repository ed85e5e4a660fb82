// The state the simulated player and input share: what is playing, since
// when, and the noise source. Used from one thread only.
#pragma once

#include "audio/LoopResponse.h"
#include "audio/SimulatedBridge.h"
#include "common/AudioFormat.h"

#include <chrono>
#include <random>
#include <span>
#include <vector>

namespace varnex {

class SimulatedCard {
public:
    explicit SimulatedCard(const SimulatedBridgeOptions& options);
    SimulatedCard(const SimulatedCard&) = delete;
    SimulatedCard& operator=(const SimulatedCard&) = delete;

    const SimulatedBridgeOptions& options() const { return options_; }

    bool play(std::span<const uint8_t> image);
    void stop();
    // The reference resistor from now on; the tone playing goes on, through
    // the new circuit.
    void selectReference(double ohms);

    // Fills interleaved left/right frames with what the inputs see from now on.
    void record(std::span<int16_t> frames);

private:
    int64_t framesSinceToneStart() const;
    int16_t quantise(double steps);

    SimulatedBridgeOptions options_;
    std::mt19937 random_;
    std::normal_distribution<double> noise_;
    double sampleRate_ = kFramesPerSecond;
    std::vector<double> drive_;  // one loop of the tone in output steps; empty while silent
    BridgeResponse response_;    // one period in input steps; empty while silent
    std::chrono::steady_clock::time_point toneStart_;
    int64_t virtualFrames_ = 0;  // the card's clock when not in real time
};

// One capture's frames (kCaptureFrames, interleaved left/right) from a card of
// its own, made at once rather than in real time: the program's test tone at
// `frequency` and `level` plays through the circuit from the card's first
// frame.  For the benches and tests of the measurement, which need a bridge's
// capture without the program around it.
std::vector<int16_t> recordSimulatedCapture(SimulatedBridgeOptions options, double frequency,
                                            double level);

}  // namespace varnex
