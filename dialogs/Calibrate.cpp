#include "dialogs/Calibrate.h"

#include <QLineEdit>
#include <QPushButton>

#include "common/NumberText.h"
#include "dialogs/DialogHost.h"
#include "dialogs/FormBuilder.h"
#include "instrument/Instrument.h"

namespace varnex {

Calibrate::Calibrate(DialogHost& host) : QWidget(nullptr, Qt::Dialog), host_(host) {
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
    const Calibration& calibration = host_.instrument().settings().calibration;
    showText(*chBal_, paddedForm(calibration.Bal));
    showText(*vcal_, paddedForm(calibration.Vperbit));
}

void Calibrate::chBal_Change() {
    host_.instrument().setBalance(singleValue(textOf(*chBal_)));  // any value is accepted
}

void Calibrate::vcal_Change() {
    // The box keeps what was typed, even when the instrument takes the fallback.
    host_.instrument().setVoltsPerBit(singleValue(textOf(*vcal_)));
}

void Calibrate::cmdApply_Click() {
    host_.docalib();
    host_.doscope();
}

void Calibrate::cmdClose_Click() {
    DialogHost& host = host_;  // the dialog is gone after close()
    close();
    host.docalib();
    host.doscope();
}

}  // namespace varnex
