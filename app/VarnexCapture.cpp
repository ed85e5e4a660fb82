// The main window's capture buttons and the test tone: Start1, Start2, Stop,
// Play and the tone's Stop.
#include <QComboBox>
#include <QPushButton>

#include "app/ShapeWidget.h"
#include "app/Varnex.h"

namespace varnex {

void Varnex::connectCapture() {
    const VarnexControls& c = controls_;
    connect(c.btnStart, &QPushButton::clicked, this, &Varnex::btnStart_Click);
    connect(c.btnRun, &QPushButton::clicked, this, &Varnex::btnRun_Click);
    connect(c.btnStop, &QPushButton::clicked, this, &Varnex::btnStop_Click);
    connect(c.cmdPlay, &QPushButton::clicked, this, &Varnex::cmdPlay_Click);
    connect(c.cmdStop, &QPushButton::clicked, this, &Varnex::cmdStop_Click);
}

void Varnex::cmdPlay_Click() {
    // Refused without an output device; the program then goes on without a tone.
    instrument_->playTone();
    emit toneRestarted();
}

void Varnex::cmdStop_Click() {
    instrument_->stopTone();
}

void Varnex::btnStart_Click() {
    if (deferWhileMeasuring(&Varnex::btnStart_Click)) return;
    instrument_->captureSingle(captureSteps());
}

bool Varnex::deferWhileMeasuring(void (Varnex::*handler)()) {
    if (!instrument_->measuring()) return false;
    deferredStart_ = handler;
    return true;
}

CaptureSteps Varnex::captureSteps() {
    CaptureSteps steps;
    steps.recording = [this] { setLamp(kLampCapturing); };
    steps.measureAndDraw = [this] {
        controls_.DevicesBox->setEnabled(true);
        docalib();
        doscope();
    };
    steps.failed = [this](CaptureFailure failure) {
        controls_.DevicesBox->setEnabled(true);
        // An input that did not open changed nothing, the lamp included.
        if (failure != CaptureFailure::InputDidNotOpen) setLamp(kLampIdle);
        showMessage("Ouch!", captureFailureText(failure, instrument_->inputDeviceName()),
                    MessageIcon::Exclamation);
    };
    return steps;
}

void Varnex::btnRun_Click() {
    if (deferWhileMeasuring(&Varnex::btnRun_Click)) return;
    const VarnexControls& c = controls_;
    if (!instrument_->continuous()) {
        c.btnRun->setText("Run");
        c.btnStart->setEnabled(false);
    }
    // The loop yields before each capture; Stop, handled there, ends it.  A
    // capture that cannot be made ends it as Stop would, after one message.
    if (instrument_->captureContinuously(captureSteps()) == ContinuousEnd::Failed) showStopped();
}

void Varnex::btnStop_Click() {
    instrument_->stop();
    showStopped();
}

void Varnex::showStopped() {
    const VarnexControls& c = controls_;
    c.btnRun->setText("Start2");
    c.btnStart->setEnabled(true);
    c.DevicesBox->setEnabled(true);
    setLamp(kLampIdle);
}

}  // namespace varnex
