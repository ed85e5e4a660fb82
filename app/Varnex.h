// The main window: a view on the instrument.  Its controls and menus,
// start-up, the capture buttons, and the one way out (Exit).  It shows what
// the instrument measures and decides how to tell the user what went wrong.
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <string>

#include "app/DialogSlot.h"
#include "app/MessageBoxes.h"
#include "app/Platform.h"
#include "app/VarnexControls.h"
#include "dialogs/Calibrate.h"
#include "dialogs/DialogHost.h"
#include "dialogs/ManTare.h"
#include "dialogs/MyHelp.h"
#include "dialogs/RmForm.h"
#include "dialogs/SigGen.h"
#include "dialogs/uLMSform.h"
#include "instrument/Instrument.h"
#include "instrument/ProgramFiles.h"
#include "scope/ScopeController.h"

namespace varnex {

class ScopeWidget;

class Varnex : public QMainWindow, public DialogHost {
    Q_OBJECT
public:
    // Builds the window and runs start-up (reads the settings file, fills the
    // boxes); the caller shows it.
    explicit Varnex(Platform platform, QWidget* parent = nullptr);
    ~Varnex() override;

    Instrument& instrument() override { return *instrument_; }
    int16_t& SigGenOptFlag() override { return SigGenOptFlag_; }
    const VarnexControls& controls() const { return controls_; }

    // Public methods the dialogs call after changing a parameter.
    void docalib() override;        // measure the last capture again
    void doscope() override;        // redraw the oscilloscope
    void Update();                  // time per division from the time base
    void cmdPlay_Click() override;  // rebuild and restart the test tone

    // The parameter row's boxes, rewritten from the instrument.
    void showReferenceResistance() override;
    void showStepSize() override;
    void showFrequency() override;
    void showTare(TareWriter writer) override;

    // Event handlers, public so that other forms and tests can call them.
    void btnStart_Click();
    void btnRun_Click();
    void btnStop_Click();
    void cmdStop_Click();
    void btnExit_Click();
    void Check1_Click();
    void Check2_Click();
    void Timer1_Timer();

    // Measurement menus.
    void menuResetLMS_Click();
    void menuTareClear_Click();
    void myManTare_Click();

    // Menu handlers that open windows.
    void menuCalibrate_Click();
    void menuRm_Click();
    void myuLMs_Click();
    void menuSigGen_Click();
    void menuHelp_Click();
    void menuAbout_Click();

signals:
    // Observable ends of the public operations.
    void measured();       // a measurement run finished and wrote the readings
    void scopeDrawn();     // the oscilloscope was redrawn
    void toneRestarted();  // the test tone was rebuilt and started

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    // What the dialogs get of the window.
    DialogHost& host() { return *this; }

    void connectControls();
    void connectMenus();
    void connectScope();
    void connectMeasurement();
    void connectCapture();
    // What the window does around each capture: the lamp, docalib and
    // doscope, and the message when a capture cannot be made.
    CaptureSteps captureSteps();
    // The window's side of Stop: captions, lamp.
    void showStopped();
    // A capture asked for while a measurement yields would measure nothing
    // until that run ends; the click is kept and acted on when it has.
    bool deferWhileMeasuring(void (Varnex::*handler)());
    void showReading(const ImpedanceReading& reading);
    void drawScope();
    void showScopeReadouts(const scope::ScopeReadouts& readouts);
    void showMessage(const std::string& title, const std::string& text,
                     MessageIcon icon = MessageIcon::None);
    void setLamp(const QColor& color);

    std::unique_ptr<MessageBoxes> messageBoxes_;
    ProgramFiles files_;
    std::function<void(const ImpedanceReading&)> recordReading_;
    std::unique_ptr<Instrument> instrument_;
    std::unique_ptr<scope::ScopeController> scope_;
    ScopeWidget* picture1_ = nullptr;
    VarnexControls controls_;
    bool exiting_ = false;  // the close asked for by Exit goes through
    void (Varnex::*deferredStart_)() = nullptr;
    int16_t SigGenOptFlag_ = kStartSigGenOption;

    // The modeless dialogs, one instance each.
    DialogSlot<ManTare> manTare_;
    DialogSlot<Calibrate> calibrate_;
    DialogSlot<RmForm> rmForm_;
    DialogSlot<uLMSform> uLMSform_;
    DialogSlot<SigGen> sigGen_;
    DialogSlot<MyHelp> myHelp_;
};

}  // namespace varnex
