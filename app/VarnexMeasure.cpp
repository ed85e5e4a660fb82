// The main window's side of the measurement: docalib, the readings boxes,
// "Reset" and the tare menus.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <utility>

#include "app/Varnex.h"
#include "measure/ManTare.h"

namespace varnex {

void Varnex::connectMeasurement() {
    const VarnexControls& c = controls_;
    connect(c.menuResetLMS, &QAction::triggered, this, &Varnex::menuResetLMS_Click);
    connect(c.menuTareClear, &QAction::triggered, this, &Varnex::menuTareClear_Click);
    connect(c.myManTare, &QAction::triggered, this, &Varnex::myManTare_Click);
}

void Varnex::docalib() {
    if (measurement_->request() == RunOutcome::Deferred) return;
    // The outermost run has ended: a capture clicked during it starts now,
    // from the event loop.
    if (auto start = std::exchange(deferredStart_, nullptr)) QTimer::singleShot(0, this, start);
}

void Varnex::showReadings(const Readings& r) {
    const VarnexControls& c = controls_;
    auto q = [](const std::string& s) { return QString::fromStdString(s); };
    c.txtuLMS->setText(q(r.txtuLMS));
    c.Text2->setText(q(r.Text2));
    c.Text1->setText(q(r.Text1));
    c.txteLMS->setText(q(r.txteLMS));
    c.Text4->setText(q(r.Text4));
    c.Text3->setText(q(r.Text3));
    c.Label16->setText(q(r.Label16));
    c.Text5->setText(q(r.Text5));
    c.Text6->setText(q(r.Text6));
    c.Label17->setText(q(r.Label17));
    emit measured();
}

void Varnex::menuResetLMS_Click() { measurement_->resetWeights(); }

void Varnex::menuTareClear_Click() {
    MessageRequest question;
    question.title = "Clear Tare Values";
    question.text = "This will set all tare values to zero. Continue ?";
    question.buttons = MessageButtons::YesNo;
    question.defaultButton = MessageAnswer::No;
    if (platform_.messageBoxes->show(question) != MessageAnswer::Yes) return;
    // No measurement: the readings keep the old tare until the next run.
    showTareTexts(clearTare(*state_));
}

void Varnex::myManTare_Click() { manTare_.show(*this); }

void Varnex::showTareTexts(const TareBoxTexts& texts) {
    const VarnexControls& c = controls_;
    c.txtLtare->setText(QString::fromStdString(texts.txtLtare));
    c.txtCtare->setText(QString::fromStdString(texts.txtCtare));
    c.txtRtare->setText(QString::fromStdString(texts.txtRtare));
}

}  // namespace varnex
