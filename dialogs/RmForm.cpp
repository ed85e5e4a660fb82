#include "dialogs/RmForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/NumberText.h"
#include "dialogs/DialogHost.h"
#include "dialogs/FormBuilder.h"
#include "instrument/Instrument.h"

namespace varnex {
namespace {

struct ResistorRow {
    const char* option;
    const char* box;
    const char* designText;
    int top;
};

// In the order of RmOptFlag, 1 to 5.
constexpr std::array<ResistorRow, 5> kRows{{
    {"optRm10", "txtRm10", "Text1", 360},
    {"optRm100", "txtRm100", "Text2", 720},
    {"optRm1000", "txtRm1000", "Text3", 1080},
    {"optRm10000", "txtRm10000", "Text4", 1440},
    {"optRm100000", "txtRm100000", "Text5", 1800},
}};

}  // namespace

RmForm::RmForm(DialogHost& host) : QWidget(nullptr, Qt::Dialog), host_(host) {
    setUpForm(*this, "RmForm", "Rm Setting", 2955, 2385);
    FormBuilder b(*this);
    for (size_t i = 0; i < kRows.size(); ++i) {
        const ResistorRow& row = kRows[i];
        options_[i] = b.optionButton(row.option, "", 240, row.top, 255, 255);
        boxes_[i] = b.textBox(row.box, row.designText, 600, row.top, 1215, 285);
    }
    QPushButton* cmdClose = b.commandButton("cmdClose", "Close", 2040, 1800, 615, 375);
    connect(cmdClose, &QPushButton::clicked, this, &RmForm::cmdClose_Click);
    centreOnScreen(*this);

    // Load.
    const ReferenceResistors& r = host_.instrument().settings().resistors;
    for (size_t i = 0; i < kRows.size(); ++i)
        showText(*boxes_[i], paddedForm(r.*kResistorValues[i]));
    // A flag outside 1..5 (an edited settings file) selects none.
    if (r.RmOptFlag >= 1 && r.RmOptFlag <= kResistors) options_[r.RmOptFlag - 1]->setChecked(true);
}

void RmForm::cmdClose_Click() {
    DialogHost& host = host_;  // the dialog is gone after close()
    std::array<float, kResistors> values{};
    int chosen = 0;
    for (size_t i = 0; i < kRows.size(); ++i) {
        values[i] = singleValue(textOf(*boxes_[i]));
        if (options_[i]->isChecked()) chosen = static_cast<int>(i + 1);
    }
    // The chosen row's value is wired in, then every row is stored.
    Instrument& instrument = host.instrument();
    if (chosen != 0) {
        instrument.setReference(values[chosen - 1]);
        instrument.settings().resistors.RmOptFlag = static_cast<int16_t>(chosen);
    }
    instrument.setStoredResistors(values);
    host.showReferenceResistance();
    close();
    host.docalib();
}

}  // namespace varnex
