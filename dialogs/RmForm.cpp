#include "dialogs/RmForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/Varnex.h"
#include "common/NumberText.h"
#include "dialogs/DialogForm.h"

namespace varnex {
namespace {

struct ResistorRow {
    const char* option;
    const char* box;
    const char* designText;
    int top;
    float VarnexState::* value;
};

// In the order of RmOptFlag, 1 to 5.
constexpr std::array<ResistorRow, 5> kRows{{
    {"optRm10", "txtRm10", "Text1", 360, &VarnexState::Rm10},
    {"optRm100", "txtRm100", "Text2", 720, &VarnexState::Rm100},
    {"optRm1000", "txtRm1000", "Text3", 1080, &VarnexState::Rm1000},
    {"optRm10000", "txtRm10000", "Text4", 1440, &VarnexState::Rm10000},
    {"optRm100000", "txtRm100000", "Text5", 1800, &VarnexState::Rm100000},
}};

}  // namespace

RmForm::RmForm(Varnex& varnex) : QWidget(nullptr, Qt::Dialog), varnex_(varnex) {
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
    const VarnexState& s = varnex_.state();
    for (size_t i = 0; i < kRows.size(); ++i) boxes_[i]->setText(qtext(paddedForm(s.*kRows[i].value)));
    // A flag outside 1..5 (an edited settings file) selects none.
    if (s.RmOptFlag >= 1 && s.RmOptFlag <= kResistors) options_[s.RmOptFlag - 1]->setChecked(true);
}

void RmForm::cmdClose_Click() {
    Varnex& varnex = varnex_;  // the dialog is gone after close()
    VarnexState& s = varnex.state();
    for (size_t i = 0; i < kRows.size(); ++i) {
        if (options_[i]->isChecked()) {
            s.Rm = singleValue(textOf(*boxes_[i]));
            s.RmOptFlag = static_cast<int16_t>(i + 1);
        }
    }
    // Every value is stored, changed or not.
    for (size_t i = 0; i < kRows.size(); ++i) s.*kRows[i].value = singleValue(textOf(*boxes_[i]));
    varnex.controls().txtRm->setText(qtext(paddedForm(s.Rm)));
    close();
    varnex.docalib();
}

}  // namespace varnex
