// The main window's menu handlers that open other windows.
#include <QAction>

#include "app/Varnex.h"

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

// The dialogs arrive with their own work.
void Varnex::menuCalibrate_Click() {}
void Varnex::menuRm_Click() {}
void Varnex::myuLMs_Click() {}
void Varnex::menuSigGen_Click() {}
void Varnex::menuHelp_Click() {}
void Varnex::menuAbout_Click() {}

}  // namespace varnex
