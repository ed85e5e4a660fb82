#include "instrument/Instrument.h"

#include "audio/NoSoundDevice.h"
#include "instrument/SettingsFile.h"

namespace varnex {
namespace {

// A dialog's five values and the option chosen among them (1..5; any other
// number chooses none): the chosen value becomes the active one and its
// number the flag, and every value is stored, changed or not.
template <typename Part>
void chooseOneOfFive(Part& part, const std::array<float, 5>& values, int option,
                     float Part::*active, int16_t Part::*flag,
                     const std::array<float Part::*, 5>& members) {
    if (option >= 1 && option <= static_cast<int>(values.size())) {
        part.*active = values[option - 1];
        part.*flag = static_cast<int16_t>(option);
    }
    for (size_t i = 0; i < values.size(); ++i) part.*members[i] = values[i];
}

}  // namespace

Instrument::Instrument(SoundDevices devices, MeasurementHooks hooks)
    : devices_(std::move(devices)),
      capture_(std::make_unique<CaptureBuffers>()),
      estimator_(std::make_unique<EstimatorState>()),
      traces_{estimator_->Vx, estimator_->Vr, estimator_->TrigPt, capture_->Captured},
      hooks_(hooks),
      run_(*capture_, tone_, settings_, *estimator_, results_, std::move(hooks)) {
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

void Instrument::chooseFrequency(int option) {
    if (option < 1 || option > static_cast<int>(kSigGenFrequencies.size())) return;
    tone_.freq = kSigGenFrequencies[option - 1];
    tone_.SigGenOptFlag = static_cast<int16_t>(option);
}

bool Instrument::openInput() {
    // Continuous capture keeps the input running from one capture to the next.
    if (capture_->hWaveIn != 0) return true;
    return OpenInput(*capture_, *devices_.input);
}

CaptureResult Instrument::captureOnce(const std::function<void()>& measureAndDraw) {
    capture_->Busy = kTrue;
    return CaptureOnce(*capture_, *devices_.input, {hooks_.yield, measureAndDraw},
                       *devices_.pollTimer,
                       continuous() ? AfterCapture::KeepOpen : AfterCapture::Close);
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

void Instrument::chooseResistor(const std::array<float, 5>& values, int option) {
    chooseOneOfFive(settings_.resistors, values, option, &ReferenceResistors::Rm,
                    &ReferenceResistors::RmOptFlag, kResistorValues);
}

void Instrument::chooseStepSize(const std::array<float, 5>& values, int option) {
    chooseOneOfFive(settings_.steps, values, option, &StepSizes::uLMS, &StepSizes::LMSOptFlag,
                    kOfferedStepSizes);
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
