// The first half of a measurement run: a capture becomes the volt arrays `Vx`
// and `Vr`, the trigger index `TrigPt` and the complex estimate
// (Wi(H+1), Wq(H+1)) of Vx / Vr at the test frequency, found by a two-weight
// normalised LMS over five passes.  The readings follow in Readings.h.
//
// Everything runs on the user-interface thread.  A run allocates nothing and
// works only on arrays sized once.
//
// Arithmetic: each assignment's right-hand side is evaluated in double and
// rounded to float when stored, so every stored value (including the
// quadrature regressor q) is a float; the project builds with
// -ffp-contract=off, so the digits are the same on every build.
#pragma once

#include <cstdint>
#include <functional>

#include "common/WorkingArrays.h"
#include "measure/Calibration.h"
#include "measure/Quadrature.h"

namespace varnex {

// Smoothing factor of Pwr and numerator of the normalised step size.
inline constexpr float kLmsBeta = 0.0005f;
// Full passes of the LMS update over one capture.
inline constexpr int kLmsPasses = 5;

// The estimator's working state.  The weights persist from run to run: a run
// continues adapting from where the previous one stopped.  Vx, Vr and TrigPt
// keep the last run's values; the oscilloscope draws from them.
struct EstimatorState {
    VoltArray Vx{};      // left samples of the last run, volts
    VoltArray Vr{};      // right * Bal - left, volts
    VoltArray Wi{};      // in-phase weight trajectory
    VoltArray Wq{};      // quadrature weight trajectory
    VoltArray ErrLMS{};  // error of the update at each index
    float Pwr = 0;       // running mean square of Vr
    float Beta = 0;
    float MuErr = 0;
    int16_t LMSIdx = 0;
    int16_t Pass = 0;
    int32_t TrigPt = 0;  // first rising zero crossing of the right channel
};

// Lets pending user-interface events run (the window passes
// QCoreApplication::processEvents).  May be empty.
using YieldFn = std::function<void()>;

// H: the last frame index measured, SampleCount / 2 (11024); -1 when
// SampleCount does not fit the arrays (it never changes after start-up).
int lastFrameIndex(int32_t SampleCount);

// One estimator run over the capture in Samples.  Returns false at once,
// changing nothing and without yielding, when SampleCount does not fit the
// arrays.  Otherwise yields once at its start and once at the start of each
// pass (six in all); handlers that run then see the arrays as they stand,
// and a calibration or tone changed by them counts from the next step that
// reads it.  Afterwards uLMS = Beta / Pwr of the last update, LMSIdx = H + 1,
// Pass = 6, ErrLMS(H) is the last error.  A QuadLag outside 0..H (no tone
// started) skips the updates: the weights stay as they were.
// Not re-entrant: a yield must not start another run on the same state (the
// instrument defers such requests).
bool runEstimator(const SampleArray& Samples, int32_t SampleCount, const Calibration& calibration,
                  const Quadrature& quadrature, EstimatorState& estimator, float& uLMS,
                  const YieldFn& yield);

// "Reset" (does nothing when SampleCount does not fit the arrays):
// Wi(1..H) = Wq(1..H) = 0, indices 0 and H + 1 untouched, LMSIdx = H + 1.
// The next run starts from zero weights.
void resetWeights(int32_t SampleCount, EstimatorState& estimator);

}  // namespace varnex
