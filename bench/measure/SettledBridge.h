// Readings of a known part on the simulated bridge, taken as
// `varnex measure --count N` takes them: the tone settled 0.2 s, then
// captures back to back, each measured with the weights of the one before.
// For the reports on accuracy and uncertainty; not in real time.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/Capture.h"
#include "audio/SimulatedCard.h"
#include "audio/WavImage.h"
#include "measure/Estimator.h"
#include "measure/Readings.h"

namespace varnex {

class SettledBridge {
public:
    SettledBridge(const char* description, float Rm, double hertz, double noiseSteps, uint32_t seed,
                  double level = 0.5)
        : Rm_(Rm), hertz_(hertz), quadrature_(quadratureFor(static_cast<float>(hertz))) {
        SimulatedBridgeOptions options;
        options.circuit.component = *parseComponent(description);
        options.circuit.referenceResistance = Rm;
        options.noiseSteps = noiseSteps;
        options.noiseSeed = seed;
        options.realTime = false;
        truth_ = options.circuit.component.impedanceAt(hertz);
        card_ = std::make_unique<SimulatedCard>(options);
        std::vector<uint8_t> image;
        buildTestTone(image, hertz, level);
        card_->play(image);
        std::vector<int16_t> settling(static_cast<size_t>(kFramesPerSecond / 5) * 2);
        card_->record(settling);
    }

    // The part's impedance at the frequency, ohms.
    std::complex<double> truth() const { return truth_; }

    // The next capture's reading.
    ImpedanceReading next() {
        card_->record(frames_);
        std::copy(frames_.begin(), frames_.begin() + sampleCount_ + 2, samples_->begin());
        runEstimator(*samples_, sampleCount_, Calibration{}, quadrature_, *estimator_, uLMS_, {});
        return computeReading(*estimator_, sampleCount_,
                              {Rm_, hertz_, uLMS_, {}, quadrature_.QuadLag});
    }

private:
    float Rm_;
    double hertz_;
    Quadrature quadrature_;
    std::complex<double> truth_;
    std::unique_ptr<SimulatedCard> card_;
    std::vector<int16_t> frames_ = std::vector<int16_t>(static_cast<size_t>(kCaptureFrames) * 2);
    int32_t sampleCount_ = CaptureBuffers{}.SampleCount;
    std::unique_ptr<SampleArray> samples_ = std::make_unique<SampleArray>();
    std::unique_ptr<EstimatorState> estimator_ = std::make_unique<EstimatorState>();
    float uLMS_ = 0;
};

// Mean and standard deviation, added one value at a time.
struct RunningStats {
    double mean = 0, m2 = 0;
    int n = 0;
    void add(double x) {
        ++n;
        const double d = x - mean;
        mean += d / n;
        m2 += d * (x - mean);
    }
    double sd() const { return n > 1 ? std::sqrt(m2 / (n - 1)) : 0; }
};

}  // namespace varnex
