// Quadrature constants of a test frequency: QuadA * x(k) + QuadB * x(k - QuadLag)
// turns a sine sampled at 44100 frames per second into the matching cosine, the
// sample stream advanced by 90 degrees, whatever the rounding of QuadLag.
// Set whenever the tone starts (Play) and read by every LMS pass.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/AudioFormat.h"
#include "common/Pi.h"
#include "common/Single.h"

namespace varnex {

struct Quadrature {
    int16_t QuadLag = 0;  // frames in a quarter period of the tone
    float QuadA = 0;
    float QuadB = 0;
};

// Each result is held as a float, as the program stores them.  A frequency
// without a usable quarter period (zero, negative, not finite, above 22050 Hz,
// or so low that the lag does not fit a 16-bit integer) gives all zeros: the
// regressor is then 0 and the quadrature weight does not adapt, instead of
// the estimator dividing by sin(0).
inline Quadrature quadratureFor(float freq) {
    Quadrature none;
    if (!std::isfinite(freq) || freq <= 0) return none;
    // Quarter period rounded to the nearest frame, halves to the even neighbour.
    const double lag = roundHalfEven(double(kFramesPerSecond) / (4.0 * double(freq)));
    if (lag < 1 || lag > std::numeric_limits<int16_t>::max()) return none;

    Quadrature q;
    q.QuadLag = static_cast<int16_t>(lag);
    const float h =
        static_cast<float>((double(Pi) + double(Pi)) * double(freq) * lag / kFramesPerSecond);
    q.QuadB = static_cast<float>(-1.0 / std::sin(double(h)));
    q.QuadA = static_cast<float>(-double(q.QuadB) * std::cos(double(h)));
    if (!std::isfinite(q.QuadA) || !std::isfinite(q.QuadB)) return none;
    return q;
}

}  // namespace varnex
