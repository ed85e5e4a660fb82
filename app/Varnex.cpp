#include "app/Varnex.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>

#include "app/ScopeWidget.h"
#include "app/ShapeWidget.h"
#include "common/NumberText.h"
#include "dialogs/FormBuilder.h"
#include "instrument/SettingsFile.h"
#include "scope/ScaleLadders.h"

namespace varnex {
namespace {

// Client area of the window in twips, and where it opens.
constexpr int kClientWidth = 11370;
constexpr int kClientHeight = 7065;
constexpr int kOpenLeft = 1455;
constexpr int kOpenTop = 2040;

// The scale box text for a gain; a gain without a reciprocal leaves the box
// as it was, as a start-up step that cannot be done is skipped.
void showStartUpScale(QLineEdit* box, float gain) {
    if (const auto scale = scope::startUpScaleText(gain)) showText(*box, *scale);
}

}  // namespace

Varnex::Varnex(Platform platform, QWidget* parent)
    : QMainWindow(parent),
      messageBoxes_(std::move(platform.messageBoxes)),
      files_(locateProgramFiles(platform.programFolder, std::getenv)),
      recordReading_(std::move(platform.recordReading)),
      instrument_(std::make_unique<Instrument>(
          std::move(platform.sound),
          MeasurementHooks{[] { QCoreApplication::processEvents(); },
                           [this](const ImpedanceReading& reading) { showReading(reading); },
                           [this] { drawScope(); }})),
      scope_(std::make_unique<scope::ScopeController>(instrument_->settings().scope,
                                                      instrument_->traces(), devicePixelRatioF())) {
    setObjectName("Varnex");
    setWindowTitle("Varnex Impedance");
    setFont(formFont());

    auto* client = new QWidget(this);
    client->setObjectName("VarnexClient");
    setColors(client, QColor(192, 192, 192));
    const TwipsScale scale = twipsScaleOf(this);
    client->setFixedSize(scale.pixels(kClientWidth), scale.pixels(kClientHeight));
    setCentralWidget(client);
    picture1_ = new ScopeWidget(scope_->renderer(), client);
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
    // From here on a step that cannot be done is skipped without a message.
    if (files_.settingsFile) instrument_->loadSettings(*files_.settingsFile);
    const Settings& s = instrument_->settings();

    VarnexControls& c = controls_;
    showStartUpScale(c.Text20, s.scope.Lgain);
    showStartUpScale(c.Text11, s.scope.Rgain);
    if (s.scope.CursorsOn == 1)
        c.Check1->setChecked(true);
    else if (s.scope.CursorsOn == 0)
        c.Check1->setChecked(false);
    // Any other value leaves the box as the form defines it.

    showTare(TareWriter::StartUp);
    showReferenceResistance();
    showStepSize();
    // Every run starts at 1225 Hz, whatever the generator chose last time.
    instrument_->setFrequency(kStartFrequency);
    cmdPlay_Click();
    doscope();

    c.Timer1->start();
}

void Varnex::Timer1_Timer() {
    showMessage("Reminder", "Set Mixer");
    controls_.Timer1->stop();
}

void Varnex::btnExit_Click() {
    cmdStop_Click();
    if (instrument_->busy()) {
        showMessage("Exit Check", "A process is running.  Click Stop before closing.");
        return;
    }
    // A folder that cannot be written is skipped silently, as is a user
    // without a home folder.
    if (files_.settingsFile) instrument_->saveSettings(*files_.settingsFile);
    instrument_->closeInput();

    // Every other window goes with the main window, so the program ends:
    // the calibration and reference dialogs first, then the rest.
    exiting_ = true;
    for (QWidget* dialog :
         {static_cast<QWidget*>(calibrate_.open()), static_cast<QWidget*>(rmForm_.open())})
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
    showMessage("Exit Check", "Use Exit button to close");
}

void Varnex::setLamp(const QColor& color) {
    controls_.shTrigRdy->setFillColor(color);
}

void Varnex::showMessage(const std::string& title, const std::string& text, MessageIcon icon) {
    MessageRequest request;
    request.title = title;
    request.text = text;
    request.icon = icon;
    messageBoxes_->show(request);
}

void Varnex::showReferenceResistance() {
    showText(*controls_.txtRm, paddedForm(instrument_->settings().resistors.Rm));
}

void Varnex::showStepSize() {
    showText(*controls_.txtuLMS, paddedForm(instrument_->settings().steps.uLMS));
}

void Varnex::showFrequency() {
    showText(*controls_.txtFreq, formatPattern(instrument_->tone().freq, "#000") + " Hz");
}

void Varnex::showTare(TareWriter writer) {
    const TareTexts texts = tareBoxTexts(instrument_->settings().tare, writer);
    const VarnexControls& c = controls_;
    showText(*c.txtLtare, texts.inductance);
    showText(*c.txtCtare, texts.capacitance);
    showText(*c.txtRtare, texts.resistance);
}

}  // namespace varnex
