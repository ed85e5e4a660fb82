#include "dialogs/ManTare.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/DialogHost.h"
#include "dialogs/FormBuilder.h"
#include "instrument/Instrument.h"
#include "measure/TareText.h"

namespace varnex {

ManTare::ManTare(DialogHost& host) : QWidget(nullptr, Qt::Dialog), host_(host) {
    setUpForm(*this, "ManTare", "Manual Tare", 3480, 2205);
    FormBuilder form(*this);
    // Created in tab order: txtC, txtL, Close, then txtR.
    txtC_ = form.textBox("txtC", "Text1", 360, 240, 615, 285);
    txtL_ = form.textBox("txtL", "Text2", 360, 720, 615, 285);
    Command1_ = form.commandButton("Command1", "Close", 2520, 1680, 735, 375);
    txtR_ = form.textBox("txtR", "Text1", 360, 1200, 615, 285);
    form.label("Label1", "C  (1 to 25 pF)", 1080, 360, 1335, 255);
    form.label("Label2", "L (0.1 to 4 uH)", 1080, 840, 1335, 255);
    form.label("Label4", "R (0 To 1 ohm)", 1080, 1320, 1095, 255);
    // A little smaller than the form font: its two lines fill the label.
    form.label("Label3", "Put your values of tare in the boxes and then close form.", 240, 1680,
               2175, 495)
        ->setFont(formFont(kFormFontPoints - 0.5));
    setTabOrder(txtC_, txtL_);
    setTabOrder(txtL_, Command1_);
    setTabOrder(Command1_, txtR_);

    const TareTexts texts = manTareLoadTexts(host_.instrument().settings().tare);
    showText(*txtC_, texts.capacitance);
    showText(*txtL_, texts.inductance);
    showText(*txtR_, texts.resistance);

    connect(Command1_, &QPushButton::clicked, this, &ManTare::Command1_Click);
    centreOnScreen(*this);
}

void ManTare::Command1_Click() {
    DialogHost& host = host_;  // the dialog is gone after close()
    host.instrument().setTare(tareFromBoxes(textOf(*txtC_), textOf(*txtL_), textOf(*txtR_)));
    host.showTare(TareWriter::ManTareClose);
    close();
    host.docalib();
}

}  // namespace varnex
