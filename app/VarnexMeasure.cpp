// The main window's side of the measurement: docalib, the readings boxes,
// "Reset" and the tare menus.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <utility>

#include "app/Varnex.h"
#include "common/NumberText.h"
#include "dialogs/FormBuilder.h"
#include "measure/ParallelReadings.h"
#include "measure/ReadingRecords.h"

namespace varnex {

void Varnex::connectMeasurement() {
    const VarnexControls& c = controls_;
    connect(c.menuResetLMS, &QAction::triggered, this, &Varnex::menuResetLMS_Click);
    connect(c.menuTareClear, &QAction::triggered, this, &Varnex::menuTareClear_Click);
    connect(c.myManTare, &QAction::triggered, this, &Varnex::myManTare_Click);
}

void Varnex::docalib() {
    if (instrument_->measure() == RunOutcome::Deferred) return;
    // The outermost run has ended: a capture clicked during it starts now,
    // from the event loop.
    if (auto start = std::exchange(deferredStart_, nullptr)) QTimer::singleShot(0, this, start);
}

void Varnex::showReading(const ImpedanceReading& reading) {
    const ReadingTexts t = readingTexts(reading);
    const VarnexControls& c = controls_;
    auto q = [](const std::string& s) { return QString::fromStdString(s); };
    showText(*c.txtuLMS, t.stepSize);
    showText(*c.Text2, t.magnitude);
    showText(*c.Text1, t.angle);
    showText(*c.txteLMS, t.lastError);
    showText(*c.Text4, t.resistance);
    showText(*c.Text3, t.reactance);
    c.Label16->setText(q(t.seriesCaption));
    showText(*c.Text5, t.seriesValue);
    showText(*c.Text6, t.factor);
    c.Label17->setText(q(t.factorCaption));
    // The boxes keep their texts; what the noise leaves uncertain and the
    // parallel equivalent show on hover.
    const ImpedanceUncertainty u = impedanceUncertainty(reading);
    const std::string why = " (one standard uncertainty, from this capture)";
    const ParallelReadings p = parallelReadings(impedanceOf(reading), reading.frequency);
    const std::string parallel = "Parallel equivalent: " + parallelText(p) + "  G " +
                                 engineeringText(p.conductance, "S") + "  B " +
                                 engineeringText(p.susceptance, "S");
    c.Text4->setToolTip(q(uncertaintyText(u.resistance) + why + "\n" + parallel));
    c.Text3->setToolTip(q(uncertaintyText(u.reactance) + why + "\n" + parallel));
    if (recordReading_) recordReading_(reading);
    emit measured();
}

void Varnex::menuResetLMS_Click() {
    instrument_->resetWeights();
}

void Varnex::menuTareClear_Click() {
    MessageRequest question;
    question.title = "Clear Tare Values";
    question.text = "This will set all tare values to zero. Continue ?";
    question.buttons = MessageButtons::YesNo;
    question.defaultButton = MessageAnswer::No;
    if (messageBoxes_->show(question) != MessageAnswer::Yes) return;
    // No measurement: the readings keep the old tare until the next run.
    instrument_->clearTare();
    showTare(TareWriter::ClearTare);
}

void Varnex::myManTare_Click() {
    manTare_.show(host());
}

}  // namespace varnex
