#include "instrument/Instrument.h"

#include "audio/NoSoundDevice.h"
#include "instrument/SettingsFile.h"

namespace varnex {

Instrument::Instrument(SoundDevices devices, MeasurementHooks hooks)
    : devices_(std::move(devices)),
      capture_(std::make_unique<CaptureBuffers>()),
      estimator_(std::make_unique<EstimatorState>()),
      traces_{estimator_->Vx, estimator_->Vr, estimator_->TrigPt, capture_->Captured},
      hooks_(hooks),
      run_(*capture_, tone_, settings_, *estimator_,
           {hooks.yield,
            [this, show = hooks.show](const ImpedanceReading& reading) {
                lastReading_ = reading;
                if (show) show(reading);
            },
            hooks.redraw}) {
    if (!devices_.player) devices_.player = std::make_unique<NoTonePlayer>();
    if (!devices_.input) devices_.input = std::make_unique<NoWaveInput>();
    if (!devices_.pollTimer) devices_.pollTimer = std::make_unique<SteadyPollTimer>();
}

Instrument::~Instrument() {
    closeInput();
}

int Instrument::loadSettings(const std::filesystem::path& file) {
    return readSettings(file, settings_);
}

bool Instrument::saveSettings(const std::filesystem::path& file) const {
    // The user's configuration folder may not hold ours yet: made on the first save.
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return writeSettings(file, settings_);
}

bool Instrument::playTone() {
    return playTestTone(tone_, settings_.SigGenLvl, *devices_.player);
}

void Instrument::stopTone() {
    devices_.player->stop();
}

void Instrument::setLevel(double level) {
    settings_.SigGenLvl = level;
}

double Instrument::setFrequency(double hertz) {
    tone_.freq = playableFrequency(hertz);
    return tone_.freq;
}

bool Instrument::openInput() {
    // Continuous capture keeps the input running from one capture to the next.
    if (capture_->hWaveIn != 0) return true;
    return OpenInput(*capture_, *devices_.input);
}

CaptureResult Instrument::captureOnce(const std::function<void()>& measureAndDraw) {
    // A bridge that switches its reference wires in the one this capture is measured with.
    if (devices_.reference) devices_.reference->select(settings_.resistors.Rm);
    capture_->Busy = kTrue;
    return CaptureOnce(*capture_, *devices_.input, {hooks_.yield, measureAndDraw},
                       *devices_.pollTimer,
                       continuous() ? AfterCapture::KeepOpen : AfterCapture::Close);
}

bool Instrument::captureSingle(const CaptureSteps& steps) {
    auto fail = [&](CaptureFailure failure) {
        if (steps.failed) steps.failed(failure);
        return false;
    };
    if (!openInput()) return fail(CaptureFailure::InputDidNotOpen);
    if (steps.recording) steps.recording();
    switch (captureOnce(steps.measureAndDraw)) {
        case CaptureResult::Recorded:
            return true;
        case CaptureResult::TimedOut:
            return fail(CaptureFailure::TimedOut);
        case CaptureResult::Broken:
            return fail(CaptureFailure::Broken);
    }
    return false;
}

ContinuousEnd Instrument::captureContinuously(const CaptureSteps& steps, int64_t captures) {
    if (!continuous()) {
        RunFlag_ = kTrue;
        continuousFailed_ = false;
    }
    for (int64_t taken = 0;;) {
        if (hooks_.yield) hooks_.yield();
        if (continuousFailed_) return ContinuousEnd::Failed;
        // The user is told once, not once a pass.
        if (!captureSingle(steps)) {
            continuousFailed_ = true;
            if (continuous()) stop();
            return ContinuousEnd::Failed;
        }
        if (!continuous()) return ContinuousEnd::Stopped;
        if (++taken == captures) return ContinuousEnd::Counted;
    }
}

std::string captureFailureText(CaptureFailure failure, const std::string& device) {
    // The texts say the capture's limits in words.
    static_assert(kCaptureTimeout == std::chrono::seconds(2) && kCaptureTries == 3);
    switch (failure) {
        case CaptureFailure::InputDidNotOpen:
            return "Wave input device did not open!";
        case CaptureFailure::TimedOut:
            return "The sound card did not return the recording within two seconds (" + device +
                   "). Check the input device and the sound server, then try again.";
        case CaptureFailure::Broken:
            return "The sound card delivered three recordings in a row with frames missing (" +
                   device + "). Check the input device and the sound server, then try again.";
    }
    return {};
}

void Instrument::closeInput() {
    CloseInput(*capture_, *devices_.input);
}

void Instrument::stop() {
    RunFlag_ = kFalse;
    closeInput();
    capture_->Busy = kFalse;
    capture_->DataReady = kFalse;
}

void Instrument::setReference(float ohms) {
    settings_.resistors.Rm = ohms;
}

void Instrument::setStoredResistors(const std::array<float, 5>& ohms) {
    for (size_t i = 0; i < ohms.size(); ++i) settings_.resistors.*kResistorValues[i] = ohms[i];
}

void Instrument::setStepSize(float uLMS) {
    settings_.steps.uLMS = uLMS;
}

void Instrument::setOfferedStepSizes(const std::array<float, 5>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) settings_.steps.*kOfferedStepSizes[i] = steps[i];
}

void Instrument::setBalance(float Bal) {
    settings_.calibration.Bal = Bal;
}

void Instrument::setVoltsPerBit(float Vperbit) {
    settings_.calibration.Vperbit = acceptedVperbit(Vperbit);
}

void Instrument::setTare(const Tare& tare) {
    settings_.tare = tare;
}

}  // namespace varnex
