#include "dialogs/Calibrate.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/Varnex.h"
#include "common/NumberText.h"
#include "dialogs/DialogForm.h"

namespace varnex {
namespace {

// Stands in for an entry that is empty, not a number, zero or negative: the
// measurement divides by volts per bit, so it must stay positive.
constexpr float kFallbackVperbit = 0.0001f;

}  // namespace

Calibrate::Calibrate(Varnex& varnex) : QWidget(nullptr, Qt::Dialog), varnex_(varnex) {
    setUpForm(*this, "Calibrate", "Calibrate Varnex Bridge", 4335, 2190);
    FormBuilder b(*this);
    b.label("chBalance", "Channel Bal", 240, 360, 1095, 255);
    b.label("Vlabel", "Volts per bit", 1800, 360, 1095, 255);
    chBal_ = b.textBox("chBal", " ", 240, 600, 855, 285);
    vcal_ = b.textBox("vcal", " ", 1680, 600, 1095, 285, Qt::AlignRight);
    b.label("Label1", "Enter new value in box then close. See Help for more information.", 240,
            1080, 2655, 375);
    QPushButton* cmdApply = b.commandButton("cmdApply", "Apply", 2760, 1560, 615, 375);
    QPushButton* cmdClose = b.commandButton("cmdClose", "Close", 3600, 1560, 615, 375);
    connect(cmdApply, &QPushButton::clicked, this, &Calibrate::cmdApply_Click);
    connect(cmdClose, &QPushButton::clicked, this, &Calibrate::cmdClose_Click);
    connect(chBal_, &QLineEdit::textChanged, this, &Calibrate::chBal_Change);
    connect(vcal_, &QLineEdit::textChanged, this, &Calibrate::vcal_Change);

    // Load: setting the texts runs the change events, which store the shown
    // (7-digit) values back.
    const VarnexState& s = varnex_.state();
    chBal_->setText(qtext(paddedForm(s.Bal)));
    vcal_->setText(qtext(paddedForm(s.Vperbit)));
}

void Calibrate::chBal_Change() {
    varnex_.state().Bal = singleValue(textOf(*chBal_));  // any value is accepted
}

void Calibrate::vcal_Change() {
    VarnexState& s = varnex_.state();
    s.Vperbit = singleValue(textOf(*vcal_));
    // The box keeps what was typed.
    if (!(s.Vperbit > 0)) s.Vperbit = kFallbackVperbit;
}

void Calibrate::cmdApply_Click() {
    varnex_.docalib();
    varnex_.doscope();
}

void Calibrate::cmdClose_Click() {
    Varnex& varnex = varnex_;  // the dialog is gone after close()
    close();
    varnex.docalib();
    varnex.doscope();
}

}  // namespace varnex
