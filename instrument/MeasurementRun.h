// One measurement run (`docalib`) with a guard against nesting.  A run yields
// to the event loop six times, and a handler may then ask for another run (a
// dialog's Close, a completed capture) or press "Reset".  Running a second
// estimator over the arrays of the first would leave the first to finish from
// half-updated weights, so:
// - a run requested while one is in progress is deferred: it runs once, after
//   the current run has shown its readings (several requests coalesce into
//   one), and it sees the state as it then stands (Samples, Rm, tares,
//   DataReady);
// - a redraw asked for with a request is done once, after the last deferred run;
// - "Reset" during a run is applied when that run ends (before a deferred run),
//   so a run never continues from weights cleared under it.
// Readings are thus always computed from the final weights of a whole run.
// User-interface thread only.
#pragma once

#include <functional>

#include "audio/Capture.h"
#include "instrument/Settings.h"
#include "instrument/Tone.h"
#include "measure/Estimator.h"
#include "measure/Readings.h"

namespace varnex {

// How the instrument reaches whoever shows its results.  Every member may be empty.
struct MeasurementHooks {
    YieldFn yield;                                      // let pending events run
    std::function<void(const ImpedanceReading&)> show;  // a run's reading, to be shown
    std::function<void()> redraw;                       // doscope
};

enum class Redraw { No, Yes };

enum class RunOutcome {
    Measured,  // at least one run went through the estimator and the readings
    NotReady,  // DataReady was False: nothing measured (a redraw still happens)
    Deferred,  // a run is in progress; this request runs when it ends
};

class MeasurementRun {
public:
    // The parts must outlive this object.  A run reads the capture, the
    // calibration, Rm, the tares and the tone's frequency and quadrature,
    // writes the estimator and the step size uLMS, and shows its reading.
    MeasurementRun(const CaptureBuffers& capture, const Tone& tone, Settings& settings,
                   EstimatorState& estimator, MeasurementHooks hooks);
    MeasurementRun(const MeasurementRun&) = delete;
    MeasurementRun& operator=(const MeasurementRun&) = delete;

    // `docalib`, followed by `doscope` when asked.
    RunOutcome request(Redraw redraw = Redraw::No);

    // The "Reset" menu.
    void resetWeights();

    // A redraw made during a run shows arrays still being filled: redraw once
    // more when the run ends.  Does nothing when no run is in progress.
    void redrawWhenDone() { redrawPending_ = redrawPending_ || running_; }

    bool running() const { return running_; }

private:
    // One estimator run and its reading; false when nothing was measured.
    bool runOnce();

    const CaptureBuffers& capture_;
    const Tone& tone_;
    Settings& settings_;
    EstimatorState& estimator_;
    MeasurementHooks hooks_;
    bool running_ = false;
    bool runPending_ = false;
    bool resetPending_ = false;
    bool redrawPending_ = false;
};

}  // namespace varnex
