// Captures made up for the measurement tests: sines written into `Samples` as
// the sound card would deliver them (rounded and clipped to 16 bits).
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "app/VarnexState.h"
#include "measure/Quadrature.h"

namespace varnex::testing {

// Frames the capture buffer holds (interleaved pairs inside `Samples`).
inline constexpr int kFrames = kLastIndex / 2;

// A state as start-up leaves it, with the quadrature constants of `freq`.
// On the heap: the state holds several large arrays.
inline std::unique_ptr<VarnexState> newState(float freq = 1225) {
    auto s = std::make_unique<VarnexState>();
    s->Pi = static_cast<float>(4 * std::atan(1.0));
    s->freq = freq;
    const Quadrature q = quadratureFor(freq, s->Pi);
    s->QuadLag = q.QuadLag;
    s->QuadA = q.QuadA;
    s->QuadB = q.QuadB;
    return s;
}

inline int16_t toSample(double value) {
    return static_cast<int16_t>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

// Writes left(m) and right(m), in sample steps, for every frame m, and marks
// the data ready as a completed capture does.
inline void fillCapture(VarnexState& s, const std::function<double(int)>& left,
                        const std::function<double(int)>& right) {
    for (int m = 0; m < kFrames; ++m) {
        s.Samples[2 * m] = toSample(left(m));
        s.Samples[2 * m + 1] = toSample(right(m));
    }
    s.DataReady = kTrue;
}

// A capture whose difference channel Vr = right * Bal - left is a sine of
// `amplitude` steps at s.freq and whose Vx = (re + j im) * Vr, j a 90-degree lead.
inline void fillRatio(VarnexState& s, double amplitude, double re, double im, double phase = 0.3) {
    const double w = 2 * M_PI * s.freq / kFramesPerSecond;
    auto vr = [=](int m) { return amplitude * std::sin(w * m + phase); };
    auto vx = [=](int m) {
        return amplitude * (re * std::sin(w * m + phase) + im * std::cos(w * m + phase));
    };
    const double bal = s.Bal;
    fillCapture(s, vx, [=](int m) { return (vr(m) + vx(m)) / bal; });
}

}  // namespace varnex::testing
