#include "app/Varnex.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cmath>

#include "app/Form.h"
#include "app/SettingsFile.h"
#include "app/ShapeWidget.h"
#include "audio/NoSoundDevice.h"
#include "common/NumberText.h"
#include "scope/ScaleLadders.h"
#include "scope/ScopeWidget.h"

namespace varnex {
namespace {

// Client area of the window in twips, and where it opens.
constexpr int kClientWidth = 11370;
constexpr int kClientHeight = 7065;
constexpr int kOpenLeft = 1455;
constexpr int kOpenTop = 2040;

QString text(const std::string& s) { return QString::fromStdString(s); }

// The scale box text for a gain; a gain without a reciprocal leaves the box
// as it was, as a start-up step that cannot be done is skipped.
void setVoltsPerDivision(QLineEdit* box, float gain) {
    const float voltsPerDivision = 1 / gain;
    if (std::isfinite(voltsPerDivision)) box->setText(text(scope::voltsPerDivText(voltsPerDivision)));
}

}  // namespace

Varnex::Varnex(Platform platform, QWidget* parent)
    : QMainWindow(parent),
      platform_(std::move(platform)),
      state_(std::make_unique<VarnexState>()),
      scope_(std::make_unique<scope::ScopeController>(*state_, devicePixelRatioF())),
      measurement_(std::make_unique<MeasurementRun>(
          *state_, MeasurementHooks{[] { QCoreApplication::processEvents(); },
                                    [this](const Readings& readings) { showReadings(readings); },
                                    [this] { drawScope(); }})) {
    if (!platform_.tonePlayer) platform_.tonePlayer = std::make_unique<NoTonePlayer>();
    if (!platform_.waveInput) platform_.waveInput = std::make_unique<NoWaveInput>();
    if (!platform_.pollTimer) platform_.pollTimer = std::make_unique<SteadyPollTimer>();
    setObjectName("Varnex");
    setWindowTitle("Varnex Impedance");
    setFont(formFont());

    auto* client = new QWidget(this);
    client->setObjectName("VarnexClient");
    setColors(client, QColor(192, 192, 192));
    const TwipsScale scale = twipsScaleOf(this);
    client->setFixedSize(scale.pixels(kClientWidth), scale.pixels(kClientHeight));
    setCentralWidget(client);
    picture1_ = new scope::ScopeWidget(scope_->renderer(), client);
    controls_ = buildVarnexControls(*this, client, picture1_);
    connectControls();

    move(scale.pixels(kOpenLeft), scale.pixels(kOpenTop));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
}

Varnex::~Varnex() = default;

void Varnex::connectControls() {
    VarnexControls& c = controls_;
    connect(c.btnExit, &QPushButton::clicked, this, &Varnex::btnExit_Click);
    // Toggled, not clicked: a change made by the program runs the handler too.
    connect(c.Check1, &QCheckBox::toggled, this, &Varnex::Check1_Click);
    connect(c.Check2, &QCheckBox::clicked, this, &Varnex::Check2_Click);
    connect(c.Timer1, &QTimer::timeout, this, &Varnex::Timer1_Timer);
    connectMenus();
    connectScope();
    connectMeasurement();
    connectCapture();
}

void Varnex::Form_Load() {
    VarnexState& s = *state_;
    s.Pi = static_cast<float>(4 * std::atan(1.0));
    s.InitFile = (platform_.programFolder / kSettingsFileName).string();
    // From here on a step that cannot be done is skipped without a message.
    readSettings(s.InitFile, s);

    VarnexControls& c = controls_;
    setVoltsPerDivision(c.Text20, s.Lgain);
    setVoltsPerDivision(c.Text11, s.Rgain);
    if (s.CursorsOn == 1)
        c.Check1->setChecked(true);
    else if (s.CursorsOn == 0)
        c.Check1->setChecked(false);
    // Any other value leaves the box as the form defines it.

    showTareTexts(tareBoxTexts(s, TareWriter::StartUp));
    c.txtRm->setText(text(paddedForm(s.Rm)));
    c.txtuLMS->setText(text(paddedForm(s.uLMS)));
    s.freq = 1225;
    cmdPlay_Click();
    doscope();

    c.Timer1->start();
}

void Varnex::Timer1_Timer() {
    state_->Msg = "Set Mixer";
    showMessage("Reminder");
    controls_.Timer1->stop();
}

void Varnex::btnExit_Click() {
    VarnexState& s = *state_;
    cmdStop_Click();
    if (s.Busy != kFalse || s.RunFlag != kFalse) {
        s.Msg = "A process is running.  Click Stop before closing.";
        showMessage("Exit Check");
        return;
    }
    s.InitFile = (platform_.programFolder / kSettingsFileName).string();
    writeSettings(s.InitFile, s);  // a folder that cannot be written is skipped silently
    CloseInput(s, *platform_.waveInput);

    // Every other window goes with the main window, so the program ends:
    // the calibration and reference dialogs first, then the rest.
    exiting_ = true;
    for (QWidget* dialog : {static_cast<QWidget*>(calibrate_.open()), static_cast<QWidget*>(rmForm_.open())})
        if (dialog) dialog->close();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->close();
    close();
}

void Varnex::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    event->ignore();
    state_->Msg = "Use Exit button to close";
    showMessage("Exit Check");
}

void Varnex::setLamp(const QColor& color) { controls_.shTrigRdy->setFillColor(color); }

void Varnex::showMessage(const std::string& title, MessageIcon icon) {
    MessageRequest request;
    request.title = title;
    request.text = state_->Msg;
    request.icon = icon;
    platform_.messageBoxes->show(request);
}

}  // namespace varnex
