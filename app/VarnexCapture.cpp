// The main window's capture buttons and the test tone: Start1, Start2, Stop,
// Play and the tone's Stop.
#include <QComboBox>
#include <QCoreApplication>
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
    singleCapture();
}

bool Varnex::deferWhileMeasuring(void (Varnex::*handler)()) {
    if (!instrument_->measuring()) return false;
    deferredStart_ = handler;
    return true;
}

bool Varnex::singleCapture() {
    if (!instrument_->openInput()) {
        showMessage("Ouch!", "Wave input device did not open!", MessageIcon::Exclamation);
        return false;
    }
    setLamp(kLampCapturing);
    const CaptureResult result = instrument_->captureOnce([this] {
        docalib();
        doscope();
    });
    controls_.DevicesBox->setEnabled(true);
    if (result == CaptureResult::Recorded) return true;
    setLamp(kLampIdle);
    const std::string device = instrument_->inputDeviceName();
    showMessage("Ouch!",
                result == CaptureResult::TimedOut
                    ? "The sound card did not return the recording within two seconds (" + device +
                          "). Check the input device and the sound server, then try again."
                    : "The sound card delivered three recordings in a row with frames missing (" +
                          device +
                          "). Check the input device and the sound server, then try again.",
                MessageIcon::Exclamation);
    return false;
}

void Varnex::btnRun_Click() {
    if (deferWhileMeasuring(&Varnex::btnRun_Click)) return;
    const VarnexControls& c = controls_;
    if (!instrument_->continuous()) {
        instrument_->startContinuous();
        c.btnRun->setText("Run");
        c.btnStart->setEnabled(false);
        continuousFailed_ = false;
    }
    do {
        QCoreApplication::processEvents();
        if (continuousFailed_) return;
        // A capture that cannot be made ends continuous capture as Stop
        // would, so the user is told once instead of once a pass.
        if (!singleCapture()) {
            continuousFailed_ = true;
            if (instrument_->continuous()) btnStop_Click();
            return;
        }
    } while (instrument_->continuous());
}

void Varnex::btnStop_Click() {
    const VarnexControls& c = controls_;
    instrument_->stop();
    c.btnRun->setText("Start2");
    c.btnStart->setEnabled(true);
    c.DevicesBox->setEnabled(true);
    setLamp(kLampIdle);
}

}  // namespace varnex
