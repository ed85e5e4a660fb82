#include "measure/MeasurementRun.h"

#include <utility>

namespace varnex {

MeasurementRun::MeasurementRun(VarnexState& state, MeasurementHooks hooks)
    : state_(state), hooks_(std::move(hooks)) {}

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
        if (runEstimator(state_, hooks_.yield)) {
            measured = true;
            const Readings readings = computeReadings(state_);
            if (hooks_.show) hooks_.show(readings);
        }
        if (resetPending_) {
            resetPending_ = false;
            varnex::resetWeights(state_);
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
        varnex::resetWeights(state_);
}

}  // namespace varnex
