// The first half of a measurement run: the capture in `Samples` becomes the
// volt arrays `Vx` and `Vr`, the trigger index `TrigPt` and the complex
// estimate (Wi(H+1), Wq(H+1)) of Vx / Vr at the test frequency, found by a
// two-weight normalised LMS over five passes.  The readings follow in
// Readings.h; MeasurementRun.h puts both together and keeps runs from nesting.
//
// Everything runs on the user-interface thread.  A run allocates nothing and
// works only on the arrays of the state, which are sized once.
//
// Arithmetic: each assignment's right-hand side is evaluated in double and
// rounded to float when stored, so every stored value (including the
// quadrature regressor q) is a float; the project builds with
// -ffp-contract=off, so the digits are the same on every build.
#pragma once

#include <functional>

#include "app/VarnexState.h"

namespace varnex {

// Smoothing factor of Pwr and numerator of the normalised step size.
inline constexpr float kLmsBeta = 0.0005f;
// Full passes of the LMS update over one capture.
inline constexpr int kLmsPasses = 5;

// Lets pending user-interface events run (the window passes
// QCoreApplication::processEvents).  May be empty.
using YieldFn = std::function<void()>;

// H: the last frame index measured, SampleCount / 2 (11024); -1 when
// SampleCount does not fit the arrays (it never changes after start-up).
int lastFrameIndex(const VarnexState& s);

// One estimator run.  Returns false at once, changing nothing and without
// yielding, unless DataReady is True (or SampleCount does not fit the
// arrays).  Otherwise yields once at its start and once at the start of each
// pass (six in all); handlers that run then see the arrays as they stand.
// Afterwards uLMS = Beta / Pwr of the last update, LMSIdx = H + 1, Pass = 6,
// ErrLMS(H) is the last error.  A QuadLag outside 0..H (no tone started) skips
// the updates: the weights stay as they were.
// Not re-entrant: a yield must not start another run on the same state
// (MeasurementRun defers such requests).
bool runEstimator(VarnexState& s, const YieldFn& yield);

// "Reset" (does nothing when SampleCount does not fit the arrays): Wi(1..H) = Wq(1..H) = 0, indices
// 0 and H + 1 untouched, LMSIdx = H + 1.  The next run starts from zero weights.
void resetWeights(VarnexState& s);

}  // namespace varnex
