// A virtual sound card wired to a modelled bridge, for trying the program
// without hardware and for tests: the tone it is given drives the circuit,
// and its input records what the two channels would see, with the right
// channel's gain mismatch, the input scale, 16-bit quantisation, seeded noise
// and a few milliseconds of silence after the tone starts. When no tone plays
// the inputs hear only the noise.
//
// The player and the input share one card. All their calls come from one
// thread (the user-interface thread); in real time a worker thread of the
// input is the card's audio thread: it only copies a block computed in
// addBuffer into the caller's buffer and sets the done flag, without locks
// or allocation.
#pragma once

#include "audio/BridgeCircuit.h"
#include "audio/ReferenceSwitch.h"
#include "audio/TonePlayer.h"
#include "audio/WaveInput.h"

#include <cstdint>
#include <memory>

namespace varnex {

struct SimulatedBridgeOptions {
    BridgeCircuit circuit;
    double noiseSteps = 1.0;  // rms noise of each input, in steps
    uint32_t noiseSeed = 1;
    // Output latency of the card: 3 ms of silence after the tone starts.
    int32_t startSilenceFrames = 132;
    // Real time: a buffer is filled at 44100 frames/s. Otherwise it is full
    // when addBuffer returns, and the card's clock advances by one buffer per
    // recording, so the result depends on nothing but the calls made.
    bool realTime = true;
    // In real time, a capture holds what the inputs see at the moment it is
    // asked for.  false: captures follow one another from the tone's start
    // (after its silence), whatever the time between them, so a run with a
    // seed repeats to the last digit.
    bool followsWallClock = true;
    bool hasOutput = true;  // false: play() refuses, as without a speaker
    bool hasInput = true;   // false: open() gives 0, as without a microphone input
    // The circuit's reference resistor follows the program's Rm (through the
    // bridge's ReferenceSwitch) instead of staying circuit.referenceResistance.
    bool referenceFollows = false;
};

struct SimulatedBridge {
    std::unique_ptr<TonePlayer> player;
    std::unique_ptr<WaveInput> input;
    // Only when options.referenceFollows; otherwise empty.
    std::unique_ptr<ReferenceSwitch> reference;
};

SimulatedBridge makeSimulatedBridge(const SimulatedBridgeOptions& options);

}  // namespace varnex
