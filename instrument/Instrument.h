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
#include <memory>
#include <string>

#include "audio/Capture.h"
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
// without that device (no tone, no capture) and the real clock.
struct SoundDevices {
    std::unique_ptr<TonePlayer> player;
    std::unique_ptr<WaveInput> input;
    std::unique_ptr<PollTimer> pollTimer;
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
    const Results& results() const { return results_; }
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
    // The generator's frequency option 1..6 (SigGenOptFlag); others are ignored.
    void chooseFrequency(int option);

    // --- Capture. ---
    // Opens and starts the input (true at once when continuous capture keeps
    // it open); false when it did not open or start.
    bool openInput();
    // One recording after a successful openInput (see CaptureOnce): Busy
    // while it records, then a yield, the copy into Samples, DataReady, and
    // measureAndDraw.  A capture that is not whole is taken again.  During
    // continuous capture the input stays open until stop().
    CaptureResult captureOnce(const std::function<void()>& measureAndDraw);
    void closeInput();
    // Continuous capture: RunFlag on until stop().
    void startContinuous() { RunFlag_ = kTrue; }
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
    // The reference resistors' values (10 ohm first) and the one wired in
    // (option 1..5; any other number keeps Rm and RmOptFlag).
    void chooseResistor(const std::array<float, 5>& values, int option);
    // The five step sizes offered and the one chosen (1..5; others keep uLMS).
    void chooseStepSize(const std::array<float, 5>& values, int option);
    // The calibration factors as typed; a volts per bit that is not positive
    // becomes kFallbackVperbit.
    void setBalance(float Bal);
    void setVoltsPerBit(float Vperbit);
    void setTare(const Tare& tare);
    // "Clear Tare": every tare 0.  Measures nothing: the readings keep the old
    // tare until the next run.
    void clearTare() { settings_.tare = {}; }

private:
    SoundDevices devices_;
    Settings settings_;
    Tone tone_;
    // Large and at fixed addresses: the device writes CapBuf, the
    // oscilloscope reads the volt arrays.
    std::unique_ptr<CaptureBuffers> capture_;
    std::unique_ptr<EstimatorState> estimator_;
    Results results_;
    int16_t RunFlag_ = kFalse;
    scope::Traces traces_;
    MeasurementHooks hooks_;
    MeasurementRun run_;
};

}  // namespace varnex
