#include "app/VarnexControls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "app/ShapeWidget.h"
#include "dialogs/FormBuilder.h"

namespace varnex {
namespace {

const QColor kLightGrey(224, 224, 224);
const QColor kLightGreen(192, 255, 192);
const QColor kLightCyan(192, 255, 255);
const QColor kLightYellow(255, 255, 128);
const QColor kLightOrange(255, 224, 192);
const QColor kNavy(0, 0, 128);

// The main window's variants of the forms' controls: coloured labels,
// display boxes in colour, buttons a click does not focus.
class Builder {
public:
    explicit Builder(QWidget* client) : form_(*client), client_(client) {}

    const FormBuilder& form() const { return form_; }

    QLabel* label(const char* name, const char* caption, int l, int t, int w, int h,
                  const QColor* ground = nullptr,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
        QLabel* label = form_.label(name, caption, l, t, w, h, align);
        if (ground) setColors(label, *ground);
        return label;
    }

    QLineEdit* textBox(const char* name, const char* text, int l, int t, int w, int h,
                       Qt::Alignment align = Qt::AlignLeft) {
        return form_.displayBox(name, text, l, t, w, h, align);
    }

    // Light text on black, as the oscilloscope's readouts.
    QLineEdit* readout(const char* name, const char* text, int l, int t, int w, int h,
                       const QColor& textColor) {
        QLineEdit* box = textBox(name, text, l, t, w, h, Qt::AlignHCenter);
        setColors(box, Qt::black, textColor);
        return box;
    }

    QPushButton* button(const char* name, const char* caption, int l, int t, int w, int h) {
        return unfocused(form_.commandButton(name, caption, l, t, w, h));
    }

    QPushButton* pictureButton(const char* name, bool pointsUp, int l, int t, int w, int h) {
        return unfocused(form_.pictureButton(name, pointsUp, l, t, w, h));
    }

    QCheckBox* checkBox(const char* name, const char* caption, int l, int t, int w, int h) {
        QCheckBox* box = form_.checkBox(name, caption, l, t, w, h);
        setColors(box, kLightGrey);
        return box;
    }

    QWidget* line(const char* name, int l, int t, int w) { return form_.line(name, l, t, w); }

    QWidget* picture(const char* name, QWidget* widget = nullptr) {
        if (!widget) widget = new QWidget(client_);
        widget->setParent(client_);
        form_.place(widget, name, 1800, 600, 7025, 5625);
        setColors(widget, Qt::black);
        return widget;
    }

private:
    static QPushButton* unfocused(QPushButton* button) {
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    }

    FormBuilder form_;
    QWidget* client_;
};

void buildMenus(QMainWindow& window, VarnexControls& c) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("menuBar");
    bar->setFont(formFont());
    auto action = [&](const char* name, const char* caption, QWidget* owner) {
        auto* action = new QAction(QString::fromUtf8(caption), &window);
        action->setObjectName(name);
        owner->addAction(action);
        return action;
    };
    // Switched off: it has no items and does nothing, so it is not shown.
    c.Menu1 = action("Menu1", "MyMenu", bar);
    c.Menu1->setVisible(false);
    c.Menu1->setEnabled(false);
    c.menuCalibrate = action("menuCalibrate", "&Calibrate", bar);
    c.menuRm = action("menuRm", "Rm", bar);
    c.menuResetLMS = action("menuResetLMS", "Reset", bar);
    c.myuLMs = action("myuLMs", "uLMS", bar);
    c.myuLMs->setVisible(false);
    c.myuLMs->setEnabled(false);

    c.menuTare = new QMenu("&Tare", bar);
    c.menuTare->setObjectName("menuTare");
    c.menuTare->menuAction()->setObjectName("menuTareAction");
    bar->addMenu(c.menuTare);
    c.menuTareClear = action("menuTareClear", "Clear Tare", c.menuTare);
    c.myManTare = action("myManTare", "Set Tare", c.menuTare);

    c.menuSigGen = action("menuSigGen", "SigGen", bar);

    c.menuHelpMain = new QMenu("&Help", bar);
    c.menuHelpMain->setObjectName("menuHelpMain");
    c.menuHelpMain->menuAction()->setObjectName("menuHelpMainAction");
    bar->addMenu(c.menuHelpMain);
    c.menuHelp = action("menuHelp", "&Help", c.menuHelpMain);
    c.menuAbout = action("menuAbout", "&About", c.menuHelpMain);
}

}  // namespace

VarnexControls buildVarnexControls(QMainWindow& window, QWidget* client, QWidget* picture1) {
    Builder b(client);
    VarnexControls c;
    const QColor tooltipGround = QApplication::palette().color(QPalette::ToolTipBase);
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);

    // Created bottom-most first: later siblings are drawn above earlier ones.
    c.Picture3 = b.picture("Picture3");
    c.Picture3->hide();  // spare surface, switched off
    c.Picture2 = b.picture("Picture2");
    c.Picture1 = b.picture("Picture1", picture1);
    c.DevicesBox = new QComboBox(client);
    b.form().place(c.DevicesBox, "DevicesBox", 2040, 1440, 1215, 315);
    c.DevicesBox->hide();  // never filled; switched off
    c.DevicesBox->setEnabled(false);
    c.cmdPlay = b.button("cmdPlay", "Play", 1920, 5760, 495, 375);
    c.cmdStop = b.button("cmdStop", "Stop", 2640, 5760, 495, 375);

    c.Label18 = b.label("Label18", "Varnex Impedance Bridge", 2640, 120, 5415, 375, &kLightGrey,
                        Qt::AlignHCenter | Qt::AlignTop);
    c.Label18->setFont(formFont(11.25, true));
    c.Line1 = b.line("Line1", 0, 0, 11400);
    c.Line2 = b.line("Line2", 0, 6480, 11400);

    // Scale panel.
    c.Label12 = b.label("Label12", "Oscilloscope", 240, 720, 1455, 2415, &kLightGrey,
                        Qt::AlignHCenter | Qt::AlignTop);
    c.Label1 = b.label("Label1", "Vx  (L Ch)    ", 360, 1080, 855, 255, &kLightGreen);
    c.btnLdec = b.pictureButton("btnLdec", true, 1320, 1080, 255, 270);
    c.Text20 = b.readout("Text20", " 5 v/div", 360, 1320, 855, 255, kLightCyan);
    c.btnLinc = b.pictureButton("btnLinc", false, 1320, 1320, 255, 285);
    c.Label2 = b.label("Label2", "Vr (R-L) Ch   ", 360, 1680, 855, 255, &kLightCyan);
    c.btnRdec = b.pictureButton("btnRdec", true, 1320, 1680, 255, 255);
    c.Text11 = b.readout("Text11", " 5 v/div", 360, 1920, 855, 255, kLightCyan);
    c.btnRinc = b.pictureButton("btnRinc", false, 1320, 1920, 255, 255);
    c.Label9 = b.label("Label9", "Time Base    ", 360, 2520, 855, 495, &tooltipGround);
    c.btnTBdec = b.pictureButton("btnTBdec", true, 1320, 2520, 255, 255);
    c.Label8 = b.label("Label8", "0.5ms/div", 360, 2760, 855, 255);
    setColors(c.Label8, Qt::black, kLightYellow);
    c.btnTBinc = b.pictureButton("btnTBinc", false, 1320, 2760, 255, 255);

    // Cursor panel.
    c.Label11 = b.label("Label11", " ", 240, 3360, 1455, 2775, &kLightGrey);
    c.Check1 = b.checkBox("Check1", "Cursors On", 360, 3480, 1095, 255);
    c.Label3 = b.label("Label3", "  L Ch", 360, 3840, 855, 255, &kLightGreen);
    c.Text9 = b.readout("Text9", "- - -", 360, 4080, 855, 255, Qt::white);
    c.Label6 = b.label("Label6", "  (R-L) Ch", 360, 4440, 855, 255, &kLightCyan);
    c.Text12 = b.readout("Text12", "- - -", 360, 4680, 855, 255, Qt::white);
    c.Check2 = b.checkBox("Check2", "Hz or ms", 360, 5160, 1095, 240);
    c.Label10 = b.label("Label10", "Time", 480, 5520, 735, 255, &kLightOrange);
    c.Text15 = b.readout("Text15", "- - -", 360, 5760, 975, 255, kLightYellow);

    // Capture controls.
    c.Label5 = b.label("Label5", "Trig Rdy", 9000, 720, 615, 375, &kLightGrey);
    c.Label5->setFont(formFont(6));
    c.shTrigRdy = new ShapeWidget(client);
    b.form().place(c.shTrigRdy, "shTrigRdy", 9120, 915, 345, 135);
    c.shTrigRdy->setFillColor(QColor(0, 255, 0));
    c.btnStart = b.button("btnStart", "Start1", 9000, 1320, 615, 375);
    c.Label23 = b.label("Label23", "Single Capture", 9720, 1320, 735, 375);
    c.btnRun = b.button("btnRun", "Start2", 9000, 1920, 615, 375);
    c.Label24 = b.label("Label24", "Continuous Capture", 9720, 1920, 975, 375);
    c.btnStop = b.button("btnStop", "Stop", 9000, 2520, 615, 375);
    c.Label26 =
        b.label("Label26", "Stop before adjusting controls or parameters.", 9720, 2520, 1695, 375);
    c.btnExit = b.button("btnExit", "Exit", 9000, 3120, 615, 375);
    c.Timer1 = new QTimer(client);
    c.Timer1->setObjectName("Timer1");
    c.Timer1->setInterval(10);
    c.Timer1->setSingleShot(true);  // it fires once, then stays disabled

    // Readings of the unknown.
    const Qt::Alignment right = Qt::AlignRight;
    c.Label4 = b.label("Label4", "UNKNOWN", 9000, 3840, 2295, 255, &kLightGrey);
    c.Label14 = b.label("Label14", "Rs", 9000, 4200, 1095, 255);
    setColors(c.Label14, kNavy, Qt::white);
    c.Label15 = b.label("Label15", "Xs", 10200, 4200, 1095, 255);
    setColors(c.Label15, highlight, QApplication::palette().color(QPalette::HighlightedText));
    c.Text4 = b.textBox("Text4", "   0", 9000, 4440, 1095, 315, right);
    c.Text3 = b.textBox("Text3", "0", 10200, 4440, 1095, 315, right);
    c.Label20 = b.label("Label20", "IZI", 9000, 4920, 1095, 255, &kLightGreen);
    c.Label27 = b.label("Label27", "Ang Z", 10200, 4920, 1095, 255, &kLightGreen);
    c.Text2 = b.textBox("Text2", "0", 9000, 5160, 1095, 315, right);
    c.Text1 = b.textBox("Text1", "0", 10200, 5160, 1095, 315, right);
    c.Label16 = b.label("Label16", "C or L", 9000, 5640, 1095, 255, &tooltipGround);
    c.Label17 = b.label("Label17", "D or Q", 10200, 5640, 1095, 255, &tooltipGround);
    c.Text5 = b.textBox("Text5", "", 9000, 5880, 1095, 315, right);
    c.Text6 = b.textBox("Text6", "", 10200, 5880, 1095, 315, right);

    // Parameter row.
    c.Label25 = b.label("Label25", "Parameters", 360, 6600, 855, 255, &kLightGrey);
    c.Label19 = b.label("Label19", "Rm", 1320, 6600, 375, 255, &kLightGrey);
    c.txtRm = b.textBox("txtRm", "0", 1680, 6600, 615, 255, right);
    c.Label7 = b.label("Label7", "C Tare", 2400, 6600, 615, 255, &kLightGrey);
    c.txtCtare = b.textBox("txtCtare", "0", 3000, 6600, 735, 255, right);
    c.Label21 = b.label("Label21", "L Tare", 3840, 6600, 615, 255, &kLightGrey);
    c.txtLtare = b.textBox("txtLtare", "0", 4440, 6600, 735, 255, right);
    c.Label28 = b.label("Label28", "R Tare", 5280, 6600, 735, 255, &kLightGrey);
    c.txtRtare = b.textBox("txtRtare", "0", 6000, 6600, 495, 255, right);
    c.Label22 = b.label("Label22", "uLMS", 6600, 6600, 615, 255, &kLightGrey);
    c.txtuLMS = b.textBox("txtuLMS", "Text7", 7200, 6600, 615, 255, right);
    c.Label13 = b.label("Label13", "eLMS", 7920, 6600, 615, 255, &kLightGrey);
    c.txteLMS = b.textBox("txteLMS", "Err Data  ", 8520, 6600, 735, 255, right);
    c.lblFreq = b.label("lblFreq", "Freq", 9480, 6600, 495, 255, &kLightGrey);
    c.txtFreq = b.textBox("txtFreq", "1225 Hz", 9960, 6600, 735, 255, Qt::AlignHCenter);

    // The panels lie behind the controls they group.
    c.Label12->lower();
    c.Label11->lower();
    c.Picture2->lower();
    c.Picture3->lower();

    buildMenus(window, c);
    return c;
}

}  // namespace varnex
