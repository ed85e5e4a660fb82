// An ideal bridge for the measurement benchmarks: the tone drives the
// reference resistor Rm and the component Z in series; the right input sees the
// drive (its gain off by 1/Bal, which the program's Bal undoes), the left input
// the voltage across Z.  Each channel gets seeded Gaussian noise and is
// rounded and clipped to 16 bits, as a sound card delivers it.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>

#include "app/VarnexState.h"
#include "measure/Quadrature.h"

namespace varnex::bench {

// Frames written into `Samples` (the measurement reads the first 11025).
inline constexpr int kCaptureFrames = kLastIndex / 2;

struct Bridge {
    std::complex<double> Z;  // component under test, ohms
    double driveCounts;      // drive amplitude after the Bal correction, in sample steps
    double sigmaCounts;      // noise of each input, in sample steps (before rounding)
};

// Vx / drive for the component on the state's Rm.
inline std::complex<double> leftGain(const VarnexState& s, const Bridge& b) {
    return b.Z / (double(s.Rm) + b.Z);
}

// Fills Samples at s.freq, starting at `phase`, and marks the data ready.
inline void synthesise(VarnexState& s, const Bridge& b, double phase, std::mt19937_64& rng) {
    std::normal_distribution<double> noise(0, b.sigmaCounts);
    const std::complex<double> hx = leftGain(s, b);
    const double w = 2 * M_PI * s.freq / kFramesPerSecond;
    auto toSample = [](double v) {
        return static_cast<int16_t>(std::clamp(std::nearbyint(v), -32768.0, 32767.0));
    };
    for (int m = 0; m < kCaptureFrames; ++m) {
        const double t = w * m + phase;
        const double drive = b.driveCounts * std::sin(t);
        const double left = b.driveCounts * std::abs(hx) * std::sin(t + std::arg(hx));
        s.Samples[2 * m] = toSample(left + noise(rng));
        s.Samples[2 * m + 1] = toSample(drive / s.Bal + noise(rng));
    }
    s.DataReady = kTrue;
}

// Sets the test frequency and its quadrature constants, as Play does.
inline void tuneTo(VarnexState& s, float freq) {
    s.Pi = static_cast<float>(4 * std::atan(1.0));
    s.freq = freq;
    const Quadrature q = quadratureFor(freq, s.Pi);
    s.QuadLag = q.QuadLag;
    s.QuadA = q.QuadA;
    s.QuadB = q.QuadB;
}

}  // namespace varnex::bench
