// The impedance bridge without a window: owns the settings, the test tone and
// its player, the wave input, the capture buffers, the estimator's state and
// the results, and offers the operations a user can ask for.  The window and
// its dialogs are views on it; the command line drives the same object.
//
// It never shows anything itself: results go out through MeasurementHooks,
// and operations that can fail say so in what they return.  Every call comes
// from one thread (the user-interface thread); long work yields through the
// hooks' yield, during which a view may call in again (a nested measurement
// request is deferred, see MeasurementRun).
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "audio/Capture.h"
#include "audio/ReferenceSwitch.h"
#include "audio/TonePlayer.h"
#include "audio/WaveInput.h"
#include "instrument/MeasurementRun.h"
#include "instrument/Settings.h"
#include "instrument/Tone.h"
#include "measure/Estimator.h"
#include "measure/Readings.h"
#include "measure/Tare.h"
#include "scope/ScopeSettings.h"

namespace varnex {

// The sound card, or the simulated bridge.  Empty members stand for a machine
// without that device (no tone, no capture), the real clock, and a bridge
// whose reference resistor is wired by hand.
struct SoundDevices {
    std::unique_ptr<TonePlayer> player;
    std::unique_ptr<WaveInput> input;
    std::unique_ptr<PollTimer> pollTimer;
    std::unique_ptr<ReferenceSwitch> reference;
};

// Why a capture could not be made.
enum class CaptureFailure {
    InputDidNotOpen,  // no input device, or one that would not start
    TimedOut,         // the recording did not come back (kCaptureTimeout)
    Broken,           // kCaptureTries recordings in a row were not whole
};

// What the user is told, the same in the window and on the command line;
// `device` is the input's name.
std::string captureFailureText(CaptureFailure failure, const std::string& device);

// What a view does around each capture.  Every member may be empty.
struct CaptureSteps {
    std::function<void()> recording;       // the input is open and records
    std::function<void()> measureAndDraw;  // the capture is in Samples
    std::function<void(CaptureFailure)> failed;
};

// How continuous capture ended.
enum class ContinuousEnd {
    Stopped,  // stop() was called (from a yield, in the window)
    Counted,  // the captures asked for were taken; continuous capture still runs
    Failed,   // a capture could not be made: continuous capture is stopped
};

class Instrument {
public:
    explicit Instrument(SoundDevices devices, MeasurementHooks hooks = {});
    ~Instrument();
    Instrument(const Instrument&) = delete;
    Instrument& operator=(const Instrument&) = delete;

    // The parts, for views to read.  The settings and the tone are plain
    // values a view may also set directly (the oscilloscope steps its scales
    // in them); a changed frequency counts from the next playTone.
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    Tone& tone() { return tone_; }
    const Tone& tone() const { return tone_; }
    const CaptureBuffers& capture() const { return *capture_; }
    const EstimatorState& estimator() const { return *estimator_; }
    // The reading of the last run, kept until the next one; none before it.
    const std::optional<ImpedanceReading>& lastReading() const { return lastReading_; }
    // What the oscilloscope draws: the volt arrays, the trigger and whether a
    // capture has arrived, read live.
    const scope::Traces& traces() const { return traces_; }

    // The settings file: read at start-up (a missing or unreadable file
    // leaves every default; returns the lines applied) and written at Exit,
    // its folder made when there is none (false when nothing could be
    // written; the old file is then untouched).
    int loadSettings(const std::filesystem::path& file);
    bool saveSettings(const std::filesystem::path& file) const;

    // The devices' names, for messages.
    std::string inputDeviceName() const { return devices_.input->deviceName(); }
    std::string outputDeviceName() const { return devices_.player->deviceName(); }

    // --- The test tone. ---
    // Play: the quadrature constants for the tone's frequency, the tone
    // rebuilt at SigGenLvl and looped.  False without an output device.
    bool playTone();
    void stopTone();
    // Output level as typed into the generator, stored at once.
    void setLevel(double level);
    // The test frequency from the next playTone on: playableFrequency(hertz),
    // which it returns, so the caller can say when it differs from the one
    // asked for.
    double setFrequency(double hertz);

    // --- Capture. ---
    // Start1: opens and starts the input (kept open during continuous
    // capture), steps.recording, one recording (Busy while it records; a
    // capture that is not whole is taken again), a yield, the copy into
    // Samples, DataReady, steps.measureAndDraw.  False, after steps.failed,
    // when no capture could be made; the input is then closed.
    bool captureSingle(const CaptureSteps& steps);
    // Start2: continuous capture on (when it is not already: a call inside a
    // yield of another loop runs a second, nested loop), then a yield and
    // captureSingle, again and again, until stop() is called from a yield or
    // `captures` have been taken.  A capture that cannot be made ends it as
    // stop() would, once: an enclosing loop then ends too without trying again.
    static constexpr int64_t kEveryCapture = -1;
    ContinuousEnd captureContinuously(const CaptureSteps& steps, int64_t captures = kEveryCapture);
    void closeInput();
    bool continuous() const { return RunFlag_ != kFalse; }
    // Stop: continuous capture off, the input closed, Busy and DataReady off.
    void stop();
    // A capture is being recorded or continuous capture runs: Exit must wait.
    bool busy() const { return capture_->Busy != kFalse || RunFlag_ != kFalse; }

    // --- Measurement. ---
    // docalib: measure the last capture again (nothing when none is held),
    // then redraw when asked.  Deferred while a run is in progress.
    RunOutcome measure(Redraw redraw = Redraw::No) { return run_.request(redraw); }
    bool measuring() const { return run_.running(); }
    void redrawWhenDone() { run_.redrawWhenDone(); }
    // "Reset": the next run starts from zero weights.
    void resetWeights() { run_.resetWeights(); }

    // --- Parameters. ---
    // The reference resistance every reading is formed with, ohms (Rm).
    void setReference(float ohms);
    // The measured values of the five stored resistors, 10 ohm first.
    void setStoredResistors(const std::array<float, 5>& ohms);
    // The LMS step size (uLMS; every run replaces it by its last), and the
    // five its dialog offers, in the dialog's order.
    void setStepSize(float uLMS);
    void setOfferedStepSizes(const std::array<float, 5>& steps);
    // The calibration factors as typed; a volts per bit that is not positive
    // becomes kFallbackVperbit.
    void setBalance(float Bal);
    void setVoltsPerBit(float Vperbit);
    void setTare(const Tare& tare);
    // "Clear Tare": every tare 0.  Measures nothing: the readings keep the old
    // tare until the next run.
    void clearTare() { settings_.tare = {}; }

private:
    bool openInput();
    CaptureResult captureOnce(const std::function<void()>& measureAndDraw);

    SoundDevices devices_;
    Settings settings_;
    Tone tone_;
    // Large and at fixed addresses: the device writes CapBuf, the
    // oscilloscope reads the volt arrays.
    std::unique_ptr<CaptureBuffers> capture_;
    std::unique_ptr<EstimatorState> estimator_;
    std::optional<ImpedanceReading> lastReading_;
    int16_t RunFlag_ = kFalse;
    // A capture failed inside continuous capture: loops still running end.
    bool continuousFailed_ = false;
    scope::Traces traces_;
    MeasurementHooks hooks_;
    MeasurementRun run_;
};

}  // namespace varnex
