// The main window's menu handlers that open other windows.
#include <QAction>

#include "app/Varnex.h"
#include "dialogs/About.h"

namespace varnex {

void Varnex::connectMenus() {
    const VarnexControls& c = controls_;
    connect(c.menuCalibrate, &QAction::triggered, this, &Varnex::menuCalibrate_Click);
    connect(c.menuRm, &QAction::triggered, this, &Varnex::menuRm_Click);
    connect(c.myuLMs, &QAction::triggered, this, &Varnex::myuLMs_Click);
    connect(c.menuSigGen, &QAction::triggered, this, &Varnex::menuSigGen_Click);
    connect(c.menuHelp, &QAction::triggered, this, &Varnex::menuHelp_Click);
    connect(c.menuAbout, &QAction::triggered, this, &Varnex::menuAbout_Click);
}

// Each opens its dialog modeless and without an owner, or brings the open one
// to the front.
void Varnex::menuCalibrate_Click() {
    calibrate_.show(host());
}
void Varnex::menuRm_Click() {
    rmForm_.show(host());
}
void Varnex::myuLMs_Click() {
    uLMSform_.show(host());
}
void Varnex::menuSigGen_Click() {
    sigGen_.show(host());
}
void Varnex::menuHelp_Click() {
    myHelp_.show(files_.helpFolder);
}

void Varnex::menuAbout_Click() {
    // OK only, no icon; waits until dismissed.
    showMessage(std::string(kAboutTitle), aboutMessage());
}

}  // namespace varnex
