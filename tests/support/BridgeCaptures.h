// Captures for the measurement tests, made by the simulated bridge's own
// circuit (the test must link varnex_audio).
#pragma once

#include <algorithm>
#include <complex>
#include <cstdint>
#include <vector>

#include "audio/SimulatedCard.h"
#include "common/WorkingArrays.h"

namespace varnex::testing {

// Interleaved values a capture copies into Samples (frames 0..11024).
inline constexpr int kCopiedValues = 22050;

// Fills Samples with a noise-free capture (16-bit rounding only) whose
// difference channel Vr is a sine of about `amplitude` steps at `freq` and
// whose Vx is (re + j im) * Vr, j a 90-degree lead: the component is
// Rm * (re + j im) on an ideal source.  The program's default calibration
// undoes the card's channel mismatch.
inline void recordRatio(SampleArray& Samples, float freq, double amplitude, double re, double im) {
    SimulatedBridgeOptions options;
    options.circuit.sourceResistance = 0;
    const double Rm = options.circuit.referenceResistance;
    const std::complex<double> z = Rm * std::complex<double>(re, im);
    options.circuit.component.fixed = z;
    options.noiseSteps = 0;
    options.startSilenceFrames = 0;
    // Vr = drive * Rm / (Rm + Z), in input steps.
    const double stepsAtFullScale = 32767 * options.circuit.dacVoltsPerStep /
                                    options.circuit.adcVoltsPerStep * std::abs(Rm / (Rm + z));
    const std::vector<int16_t> frames =
        recordSimulatedCapture(options, freq, amplitude / stepsAtFullScale);
    std::copy(frames.begin(), frames.begin() + kCopiedValues, Samples.begin());
}

}  // namespace varnex::testing
