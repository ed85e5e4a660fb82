#include "dialogs/uLMSform.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/NumberText.h"
#include "dialogs/DialogHost.h"
#include "dialogs/FormBuilder.h"
#include "instrument/Instrument.h"

namespace varnex {
namespace {

struct StepRow {
    const char* option;
    const char* box;
    const char* designText;
    int top;
};

// In the order of LMSOptFlag, 1 to 5.
constexpr std::array<StepRow, 5> kRows{{
    {"optLMS1", "txtLMS1", "Text1", 240},
    {"optLMS2", "txtLMS2", "Text2", 720},
    {"optLMS3", "txtLMS3", "Text3", 1200},
    {"optLMS4", "txtLMS4", "Text4", 1680},
    {"optLMS5", "txtLMS5", "Text5", 2160},
}};

}  // namespace

uLMSform::uLMSform(DialogHost& host) : QWidget(nullptr, Qt::Dialog), host_(host) {
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
    const StepSizes& steps = host_.instrument().settings().steps;
    for (size_t i = 0; i < kRows.size(); ++i)
        showText(*boxes_[i], paddedForm(steps.*kOfferedStepSizes[i]));
    if (steps.LMSOptFlag >= 1 && steps.LMSOptFlag <= kSteps)
        options_[steps.LMSOptFlag - 1]->setChecked(true);
}

void uLMSform::btnClose_Click() {
    DialogHost& host = host_;  // the dialog is gone after close()
    std::array<float, kSteps> values{};
    int chosen = 0;
    for (size_t i = 0; i < kRows.size(); ++i) {
        values[i] = singleValue(textOf(*boxes_[i]));
        if (options_[i]->isChecked()) chosen = static_cast<int>(i + 1);
    }
    Instrument& instrument = host.instrument();
    if (chosen != 0) {
        instrument.setStepSize(values[chosen - 1]);
        instrument.settings().steps.LMSOptFlag = static_cast<int16_t>(chosen);
    }
    instrument.setOfferedStepSizes(values);
    host.showStepSize();
    close();  // the unload event measures and redraws once
    host.docalib();
    host.doscope();
}

void uLMSform::closeEvent(QCloseEvent* event) {
    event->accept();
    // The recompute yields to the event loop; the closing dialog must take
    // no more clicks meanwhile.
    setEnabled(false);
    host_.docalib();
    host_.doscope();
}

}  // namespace varnex
