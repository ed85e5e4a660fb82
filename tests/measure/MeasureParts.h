// The parts a measurement run works on, as start-up and the Play button leave
// them, and captures to put in them.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "BridgeCaptures.h"
#include "common/WorkingArrays.h"
#include "measure/Estimator.h"

namespace varnex::testing {

// Frames the capture buffer holds (interleaved pairs inside `Samples`).
inline constexpr int kFrames = kLastIndex / 2;

struct MeasureParts {
    explicit MeasureParts(float testFrequency)
        : freq(testFrequency), quadrature(quadratureFor(freq)) {}

    float freq;
    SampleArray Samples{};
    int32_t SampleCount = 22048;
    Calibration calibration;
    Quadrature quadrature;
    EstimatorState estimator;
    float uLMS = 0.055f;

    bool run(const YieldFn& yield = {}) {
        return runEstimator(Samples, SampleCount, calibration, quadrature, estimator, uLMS, yield);
    }
    void reset() { resetWeights(SampleCount, estimator); }
};

// On the heap: the parts hold several large arrays.
inline std::unique_ptr<MeasureParts> newParts(float freq = 1225) {
    return std::make_unique<MeasureParts>(freq);
}

inline int16_t toSample(double value) {
    return static_cast<int16_t>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

// Writes left(m) and right(m), in sample steps, for every frame m.
inline void fillCapture(MeasureParts& p, const std::function<double(int)>& left,
                        const std::function<double(int)>& right) {
    for (int m = 0; m < kFrames; ++m) {
        p.Samples[2 * m] = toSample(left(m));
        p.Samples[2 * m + 1] = toSample(right(m));
    }
}

// A capture of the simulated bridge whose Vx / Vr is re + j im at the test
// frequency, Vr about `amplitude` steps.
inline void fillRatio(MeasureParts& p, double amplitude, double re, double im) {
    recordRatio(p.Samples, p.freq, amplitude, re, im);
}

}  // namespace varnex::testing
