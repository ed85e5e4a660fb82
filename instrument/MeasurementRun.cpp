#include "instrument/MeasurementRun.h"

#include <utility>

namespace varnex {

MeasurementRun::MeasurementRun(const CaptureBuffers& capture, const Tone& tone, Settings& settings,
                               EstimatorState& estimator, MeasurementHooks hooks)
    : capture_(capture),
      tone_(tone),
      settings_(settings),
      estimator_(estimator),
      hooks_(std::move(hooks)) {}

bool MeasurementRun::runOnce() {
    // Nothing to measure until a capture has arrived, and nothing after Stop.
    if (capture_.DataReady == kFalse) return false;
    if (!runEstimator(capture_.Samples, capture_.SampleCount, settings_.calibration,
                      tone_.quadrature, estimator_, settings_.steps.uLMS, hooks_.yield))
        return false;
    // Read after the run: a dialog closed during its yields counts.
    const ReadingParameters parameters{settings_.resistors.Rm, tone_.freq, settings_.steps.uLMS,
                                       settings_.tare, tone_.quadrature.QuadLag};
    const ImpedanceReading reading = computeReading(estimator_, capture_.SampleCount, parameters);
    if (hooks_.show) hooks_.show(reading);
    return true;
}

RunOutcome MeasurementRun::request(Redraw redraw) {
    if (redraw == Redraw::Yes) redrawPending_ = true;
    if (running_) {
        runPending_ = true;
        return RunOutcome::Deferred;
    }

    // Cleared on every way out, so one failed hook cannot block all later runs.
    struct RunningFlag {
        bool& flag;
        explicit RunningFlag(bool& f) : flag(f) { flag = true; }
        ~RunningFlag() { flag = false; }
    } runningFlag(running_);

    bool measured = false;
    do {
        runPending_ = false;
        if (runOnce()) measured = true;
        if (resetPending_) {
            resetPending_ = false;
            varnex::resetWeights(capture_.SampleCount, estimator_);
        }
    } while (runPending_);

    if (redrawPending_) {
        redrawPending_ = false;
        if (hooks_.redraw) hooks_.redraw();
    }
    return measured ? RunOutcome::Measured : RunOutcome::NotReady;
}

void MeasurementRun::resetWeights() {
    if (running_)
        resetPending_ = true;
    else
        varnex::resetWeights(capture_.SampleCount, estimator_);
}

}  // namespace varnex
