// The settings dialogs' tests: the window on the simulated bridge, opened
// before each test.
#pragma once

#include <utility>

#include "WindowFixture.h"

namespace varnex::testing {

class DialogFixture : public WindowFixture {
protected:
    void SetUp() override { openOnBridge(); }

    // Every settings dialog: the handler that opens it and its window's name.
    static constexpr std::pair<void (Varnex::*)(), const char*> kSettingsDialogs[] = {
        {&Varnex::menuSigGen_Click, "SigGen"},
        {&Varnex::menuCalibrate_Click, "Calibrate"},
        {&Varnex::menuRm_Click, "RmForm"},
        {&Varnex::myuLMs_Click, "uLMSform"},
        {&Varnex::myManTare_Click, "ManTare"}};

    // Start1: a capture is then held for a dialog's Close to measure again.
    void holdACapture() { window->btnStart_Click(); }
};

}  // namespace varnex::testing
