// The main window: owner of all measurement state for the whole run, its
// controls and menus, start-up, and the one way out (Exit).
#pragma once

#include <QMainWindow>

#include <memory>

#include "app/DialogSlot.h"
#include "app/Platform.h"
#include "app/VarnexControls.h"
#include "app/VarnexState.h"
#include "dialogs/Calibrate.h"
#include "dialogs/MyHelp.h"
#include "dialogs/RmForm.h"
#include "dialogs/SigGen.h"
#include "dialogs/uLMSform.h"
#include "measure/ManTare.h"
#include "measure/MeasurementRun.h"
#include "measure/TareText.h"
#include "scope/ScopeController.h"

namespace varnex {

namespace scope {
class ScopeWidget;
}

class Varnex : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs start-up (reads the settings file, fills the
    // boxes); the caller shows it.
    explicit Varnex(Platform platform, QWidget* parent = nullptr);
    ~Varnex() override;

    VarnexState& state() { return *state_; }
    const VarnexControls& controls() const { return controls_; }
    MessageBoxes& messageBoxes() { return *platform_.messageBoxes; }

    // Public methods the dialogs call after changing a parameter.
    void docalib();        // measure the last capture again
    void doscope();        // redraw the oscilloscope
    void Update();         // time per division from the time base
    void cmdPlay_Click();  // rebuild and restart the test tone

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

    // Rewrites the three tare boxes of the parameter row.
    void showTareTexts(const TareBoxTexts& texts);

    // Menu handlers that open windows.
    void menuCalibrate_Click();
    void menuRm_Click();
    void myuLMs_Click();
    void menuSigGen_Click();
    void menuHelp_Click();
    void menuAbout_Click();

signals:
    // Observable ends of the public operations.
    void measured();      // a measurement run finished and wrote the readings
    void scopeDrawn();    // the oscilloscope was redrawn
    void toneRestarted(); // the test tone was rebuilt and started

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void connectControls();
    void connectMenus();
    void connectScope();
    void connectMeasurement();
    void connectCapture();
    // One capture as Start1 makes it; false when it could not be made (the
    // user has been told why).
    bool singleCapture();
    void closeInput();
    // A capture asked for while a measurement yields would measure nothing
    // until that run ends; the click is kept and acted on when it has.
    bool deferWhileMeasuring(void (Varnex::*handler)());
    void showReadings(const Readings& readings);
    void drawScope();
    // Writes what the oscilloscope answered into the controls of the same names.
    void showScopeTexts(const scope::ScopeTexts& texts);
    void showMessage(const std::string& title, MessageIcon icon = MessageIcon::None);
    void setLamp(const QColor& color);

    Platform platform_;
    std::unique_ptr<VarnexState> state_;
    std::unique_ptr<scope::ScopeController> scope_;
    scope::ScopeWidget* picture1_ = nullptr;
    std::unique_ptr<MeasurementRun> measurement_;
    VarnexControls controls_;
    DialogSlot<ManTare> manTare_;
    bool exiting_ = false;  // the close asked for by Exit goes through
    void (Varnex::*deferredStart_)() = nullptr;
    // Continuous capture ended because a capture could not be made; an
    // enclosing continuous loop ends too instead of asking the user again.
    bool continuousFailed_ = false;

    // The modeless dialogs, one instance each.
    DialogSlot<Calibrate> calibrate_;
    DialogSlot<RmForm> rmForm_;
    DialogSlot<uLMSform> uLMSform_;
    DialogSlot<SigGen> sigGen_;
    DialogSlot<MyHelp> myHelp_;
};

}  // namespace varnex
