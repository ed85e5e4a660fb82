#include "dialogs/uLMSform.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/Varnex.h"
#include "common/NumberText.h"
#include "dialogs/DialogForm.h"

namespace varnex {
namespace {

struct StepRow {
    const char* option;
    const char* box;
    const char* designText;
    int top;
    float VarnexState::* value;
};

// In the order of LMSOptFlag, 1 to 5.
constexpr std::array<StepRow, 5> kRows{{
    {"optLMS1", "txtLMS1", "Text1", 240, &VarnexState::uLMS1},
    {"optLMS2", "txtLMS2", "Text2", 720, &VarnexState::uLMS2},
    {"optLMS3", "txtLMS3", "Text3", 1200, &VarnexState::uLMS3},
    {"optLMS4", "txtLMS4", "Text4", 1680, &VarnexState::uLMS4},
    {"optLMS5", "txtLMS5", "Text5", 2160, &VarnexState::uLMS5},
}};

}  // namespace

uLMSform::uLMSform(Varnex& varnex) : QWidget(nullptr, Qt::Dialog), varnex_(varnex) {
    setUpForm(*this, "uLMSform", "LMS Parameter", 4290, 3000);
    FormBuilder b(*this);
    for (size_t i = 0; i < kRows.size(); ++i) {
        const StepRow& row = kRows[i];
        options_[i] = b.optionButton(row.option, "", 240, row.top, 255, 255);
        boxes_[i] = b.textBox(row.box, row.designText, 600, row.top, 975, 285);
    }
    b.label("labLMS1", "Slow convergence.. Small error", 1680, 240, 2535, 255);
    b.label("labLMS3", "Intermediate convergence", 1680, 1200, 2655, 255);
    b.label("labLMS5", "Fastest convergence.. Large error", 1680, 2160, 2535, 255);
    QPushButton* btnClose = b.commandButton("btnClose", "Close", 3480, 2520, 615, 375);
    connect(btnClose, &QPushButton::clicked, this, &uLMSform::btnClose_Click);

    // Load.
    const VarnexState& s = varnex_.state();
    for (size_t i = 0; i < kRows.size(); ++i) boxes_[i]->setText(qtext(paddedForm(s.*kRows[i].value)));
    if (s.LMSOptFlag >= 1 && s.LMSOptFlag <= kSteps) options_[s.LMSOptFlag - 1]->setChecked(true);
}

void uLMSform::btnClose_Click() {
    Varnex& varnex = varnex_;  // the dialog is gone after close()
    VarnexState& s = varnex.state();
    for (size_t i = 0; i < kRows.size(); ++i) {
        if (options_[i]->isChecked()) {
            s.uLMS = singleValue(textOf(*boxes_[i]));
            s.LMSOptFlag = static_cast<int16_t>(i + 1);
        }
    }
    for (size_t i = 0; i < kRows.size(); ++i) s.*kRows[i].value = singleValue(textOf(*boxes_[i]));
    varnex.controls().txtuLMS->setText(qtext(paddedForm(s.uLMS)));
    close();  // the unload event measures and redraws once
    varnex.docalib();
    varnex.doscope();
}

void uLMSform::closeEvent(QCloseEvent* event) {
    event->accept();
    // The recompute yields to the event loop; the closing dialog must take
    // no more clicks meanwhile.
    setEnabled(false);
    varnex_.docalib();
    varnex_.doscope();
}

}  // namespace varnex
