// What the simulated bridge's inputs record while a loop plays: the steady
// state of both inputs, one loop long.
#pragma once

#include <span>
#include <vector>

#include "audio/BridgeCircuit.h"

namespace varnex {

// One period of the steady-state response of both inputs (in input steps, not
// yet quantised) to a periodic drive given as one period of output steps at
// the given frame rate.  Exact for any periodic drive: every harmonic of the
// loop, its rounding to whole steps included, goes through the circuit with
// its own gain.
struct BridgeResponse {
    std::vector<double> left;
    std::vector<double> right;
};

BridgeResponse respondToLoop(const BridgeCircuit& circuit, std::span<const double> drive,
                             double framesPerSecond);

}  // namespace varnex
