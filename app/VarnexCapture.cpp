// The main window's capture buttons and the test tone: Start1, Start2, Stop,
// Play and the tone's Stop.
#include <QCoreApplication>
#include <QLineEdit>
#include <QComboBox>
#include <QPushButton>

#include "app/ShapeWidget.h"
#include "app/Varnex.h"
#include "audio/TestTone.h"

namespace varnex {
namespace {

const QColor kLampIdle(128, 255, 128);
const QColor kLampCapturing(255, 0, 0);

}  // namespace

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
    PlayTestTone(*state_, *platform_.tonePlayer);
    emit toneRestarted();
}

void Varnex::cmdStop_Click() { platform_.tonePlayer->stop(); }

void Varnex::btnStart_Click() {
    if (deferWhileMeasuring(&Varnex::btnStart_Click)) return;
    singleCapture();
}

bool Varnex::deferWhileMeasuring(void (Varnex::*handler)()) {
    if (!measurement_->running()) return false;
    deferredStart_ = handler;
    return true;
}

bool Varnex::singleCapture() {
    VarnexState& s = *state_;
    if (!OpenInput(s, *platform_.waveInput)) {
        s.Msg = "Wave input device did not open!";
        showMessage("Ouch!", MessageIcon::Exclamation);
        return false;
    }
    setLamp(kLampCapturing);
    s.Busy = kTrue;
    const CaptureCallbacks callbacks{[] { QCoreApplication::processEvents(); },
                                     [this] {
                                         docalib();
                                         doscope();
                                     }};
    const CaptureResult result = CaptureOnce(s, *platform_.waveInput, callbacks, *platform_.pollTimer);
    controls_.DevicesBox->setEnabled(true);
    if (result == CaptureResult::TimedOut) {
        setLamp(kLampIdle);
        s.Msg = "The sound card did not return the recording within two seconds. "
                "Check the input device and the sound server, then try again.";
        showMessage("Ouch!", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void Varnex::btnRun_Click() {
    if (deferWhileMeasuring(&Varnex::btnRun_Click)) return;
    VarnexState& s = *state_;
    const VarnexControls& c = controls_;
    if (s.RunFlag == kFalse) {
        s.RunFlag = kTrue;
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
            if (s.RunFlag != kFalse) btnStop_Click();
            return;
        }
    } while (s.RunFlag != kFalse);
}

void Varnex::btnStop_Click() {
    VarnexState& s = *state_;
    const VarnexControls& c = controls_;
    s.RunFlag = kFalse;
    c.btnRun->setText("Start2");
    c.btnStart->setEnabled(true);
    closeInput();
    s.Busy = kFalse;
    s.DataReady = kFalse;
    setLamp(kLampIdle);
}

void Varnex::closeInput() {
    CloseInput(*state_, *platform_.waveInput);
    controls_.DevicesBox->setEnabled(true);
}

}  // namespace varnex
