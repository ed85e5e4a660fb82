// Accuracy of the impedance estimate on the simulated bridge (16-bit rounding
// and seeded Gaussian noise): known components at every test frequency and
// every reference resistor, the estimate against the truth over several
// captures, beside the Cramer-Rao bound for the same noise.
//
// Each capture is measured as "Reset" followed by one run (default Bal and
// Vperbit, zero tares).  Errors: |Z| relative to the true |Z|, the angle as
// atan2(Wq, Wi) against the true angle (the box shows the principal value,
// which folds +-90 degrees; the estimate itself is what is judged here).
//
// Bound: each input's phasor from N samples has a relative amplitude std of
// sqrt(2/N) * sigma / A and the same phase std in radians.  Z / Rm = Vx / (drive
// - Vx), so to first order the relative error of Z is |Rm + Z| / Rm times the
// two inputs' relative errors added in quadrature, split equally between |Z|
// (relative) and the angle (radians).  sigma includes the rounding (1/12 step^2).
//
// Usage: measure_accuracy [trials=16] [sigma_steps=2] [seed=20240601]
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "SettledBridge.h"
#include "audio/Capture.h"
#include "audio/SimulatedCard.h"
#include "audio/WavImage.h"
#include "common/AudioFormat.h"
#include "instrument/Settings.h"
#include "instrument/Tone.h"
#include "measure/Estimator.h"
#include "measure/Readings.h"

namespace varnex {
namespace {

struct Part {
    const char* name;
    const char* description;  // as the simulated bridge reads it
};

double degrees(double radians) {
    return radians * 180 / M_PI;
}

}  // namespace
}  // namespace varnex

int main(int argc, char** argv) {
    using namespace varnex;
    const int trials = argc > 1 ? std::atoi(argv[1]) : 16;
    const double sigma = argc > 2 ? std::atof(argv[2]) : 2.0;
    const unsigned long long seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20240601ULL;

    const Part parts[] = {
        {"R 1k", "R=1k"},
        {"L 10mH", "L=10m"},
        {"C 100nF", "C=100n"},
        {"470R+10mH", "R=470,L=10m"},
    };
    const auto& freqs = kGeneratorFrequencies;
    // The five reference resistors at their start-up values.
    const ReferenceResistors resistors;
    const float refs[] = {resistors.Rm10, resistors.Rm100, resistors.Rm1000, resistors.Rm10000,
                          resistors.Rm100000};
    const int32_t kSampleCount = std::make_unique<CaptureBuffers>()->SampleCount;
    const int n = kSampleCount / 2 + 1;  // frames measured
    // The generator's default level.
    constexpr double kLevel = 0.5;
    const double sigmaTotal = std::sqrt(sigma * sigma + 1.0 / 12);
    const Calibration calibration;

    std::printf(
        "Simulated bridge, level %.1f, noise sigma %.2f steps per input (%.3f with rounding),"
        " N = %d, %d captures per row, seed %llu\n",
        kLevel, sigma, sigmaTotal, n, trials, seed);
    std::printf("%-10s %6s %8s | %10s %8s | %9s %9s %9s %6s | %8s %8s %8s %6s\n", "component", "Hz",
                "Rm", "|Z| true", "ang true", "|Z| bias%", "|Z| sd%", "CRB sd%", "sd/CRB",
                "ang bias", "ang sd", "CRB deg", "sd/CRB");

    std::vector<double> ratios;
    int row = 0;
    auto estimator = std::make_unique<EstimatorState>();
    auto samples = std::make_unique<SampleArray>();
    for (const Part& part : parts) {
        for (double f : freqs) {
            for (float rm : refs) {
                SimulatedBridgeOptions options;
                options.circuit.component = *parseComponent(part.description);
                options.circuit.referenceResistance = rm;
                options.noiseSteps = sigma;
                options.noiseSeed = static_cast<uint32_t>(seed + 1000003ULL * row++);
                options.realTime = false;
                const std::complex<double> z = options.circuit.component.impedanceAt(f);
                const double trueMag = std::abs(z);
                const double trueAngle = std::arg(z);

                // Relative phasor errors of the two inputs (the right one after Bal).
                const ChannelGains gains = channelGainsAt(options.circuit, f);
                const double drive = kLevel * 32767;
                const double relLeft =
                    std::sqrt(2.0 / n) * sigmaTotal / (drive * std::abs(gains.left));
                const double relRight = std::sqrt(2.0 / n) * sigmaTotal /
                                        (drive * std::abs(gains.right) * calibration.Bal);
                const double gain = std::abs(double(rm) + z) / rm;
                const double crb = gain * std::hypot(relLeft, relRight);

                // One card for the row: each capture starts where the last ended,
                // a random number of frames on, so the phase varies.
                SimulatedCard card(options);
                std::vector<uint8_t> image;
                buildTestTone(image, f, kLevel);
                card.play(image);
                std::mt19937_64 rng(options.noiseSeed);
                std::uniform_int_distribution<int> skip(1, 441);
                const Quadrature quadrature = quadratureFor(static_cast<float>(f));
                std::vector<int16_t> frames(static_cast<size_t>(kCaptureFrames) * 2);
                RunningStats mag, ang;
                const int h = lastFrameIndex(kSampleCount);
                for (int t = 0; t < trials; ++t) {
                    std::vector<int16_t> gap(static_cast<size_t>(skip(rng)) * 2);
                    card.record(gap);
                    card.record(frames);
                    std::copy(frames.begin(), frames.begin() + kSampleCount + 2, samples->begin());
                    resetWeights(kSampleCount, *estimator);
                    float uLMS = 0;
                    runEstimator(*samples, kSampleCount, calibration, quadrature, *estimator, uLMS,
                                 {});
                    const ImpedanceReading r =
                        computeReading(*estimator, kSampleCount, {rm, f, uLMS, {}});
                    const std::complex<double> est(estimator->Wi[h + 1], estimator->Wq[h + 1]);
                    mag.add(double(seriesReadings(r).magnitude) / trueMag - 1);
                    ang.add(std::remainder(std::arg(est) - trueAngle, 2 * M_PI));
                }
                std::printf(
                    "%-10s %6.0f %8.1f | %10.4g %8.2f | %9.4f %9.4f %9.4f %6.2f | %8.4f %8.4f "
                    "%8.4f %6.2f\n",
                    part.name, f, rm, trueMag, degrees(trueAngle), 100 * mag.mean, 100 * mag.sd(),
                    100 * crb, mag.sd() / crb, degrees(ang.mean), degrees(ang.sd()), degrees(crb),
                    ang.sd() / crb);
                ratios.push_back(mag.sd() / crb);
                ratios.push_back(ang.sd() / crb);
            }
        }
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("sd/CRB over all rows (|Z| and angle): median %.2f, min %.2f, max %.2f\n",
                ratios[ratios.size() / 2], ratios.front(), ratios.back());
    return 0;
}
