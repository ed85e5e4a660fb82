#include "measure/ManTare.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/Form.h"
#include "app/Varnex.h"

namespace varnex {

ManTare::ManTare(Varnex& varnex) : QWidget(nullptr, Qt::Dialog), varnex_(varnex) {
    setObjectName("ManTare");
    setWindowTitle("Manual Tare");
    setFont(formFont());
    const TwipsScale scale = twipsScaleOf(this);
    setFixedSize(scale.pixels(3480), scale.pixels(2205));

    auto label = [&](const char* name, const char* caption, int l, int t, int w, int h) {
        auto* label = new QLabel(caption, this);
        place(label, name, scale, l, t, w, h);
        label->setWordWrap(true);
        return label;
    };
    auto box = [&](const char* name, int l, int t) {
        auto* box = new QLineEdit(this);
        place(box, name, scale, l, t, 615, 285);
        return box;
    };
    // Created in tab order: txtC, txtL, Close, then txtR.
    txtC_ = box("txtC", 360, 240);
    txtL_ = box("txtL", 360, 720);
    Command1_ = new QPushButton("Close", this);
    place(Command1_, "Command1", scale, 2520, 1680, 735, 375);
    txtR_ = box("txtR", 360, 1200);
    label("Label1", "C  (1 to 25 pF)", 1080, 360, 1335, 255);
    label("Label2", "L (0.1 to 4 uH)", 1080, 840, 1335, 255);
    label("Label4", "R (0 To 1 ohm)", 1080, 1320, 1095, 255);
    label("Label3", "Put your values of tare in the boxes and then close form.", 240, 1680,
          2175, 495);
    setTabOrder(txtC_, txtL_);
    setTabOrder(txtL_, Command1_);
    setTabOrder(Command1_, txtR_);

    const ManTareTexts texts = manTareLoadTexts(varnex_.state());
    txtC_->setText(QString::fromStdString(texts.txtC));
    txtL_->setText(QString::fromStdString(texts.txtL));
    txtR_->setText(QString::fromStdString(texts.txtR));

    connect(Command1_, &QPushButton::clicked, this, &ManTare::Command1_Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void ManTare::Command1_Click() {
    Varnex& varnex = varnex_;
    varnex.showTareTexts(applyManTare(varnex.state(), txtC_->text().toStdString(),
                                      txtL_->text().toStdString(), txtR_->text().toStdString()));
    close();
    // Nothing of this dialog is touched after the close.
    varnex.docalib();
}

}  // namespace varnex
