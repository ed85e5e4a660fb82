// The tare values' texts: the three display boxes of the main window
// (txtLtare, txtCtare, txtRtare), whose pattern depends on which operation
// writes them, and the boxes of the manual tare dialog.  Also the two
// operations that change the tares.  User-interface thread only; Qt-free, so
// the window and the dialog only copy the texts.
#pragma once

#include <string>
#include <string_view>

#include "app/VarnexState.h"

namespace varnex {

// Who rewrites the main window's tare boxes; only the inductance pattern differs.
enum class TareWriter { StartUp, ClearTare, ManTareClose };

struct TareBoxTexts {
    std::string txtLtare;  // microhenries, " uH"
    std::string txtCtare;  // picofarads, " pF"
    std::string txtRtare;  // ohms
};

struct ManTareTexts {
    std::string txtC;  // picofarads
    std::string txtL;  // microhenries
    std::string txtR;  // ohms
};

// The main window's tare boxes written from the current values.
TareBoxTexts tareBoxTexts(const VarnexState& s, TareWriter writer);

// "Clear Tare" after Yes: Ltare, Ctare and Rtare set to 0; the returned texts
// are the boxes' new contents ("00.00 uH", "0.00 pF", "0.00").  Runs no
// measurement: the readings keep the old tare until the next run.
TareBoxTexts clearTare(VarnexState& s);

// The manual tare dialog's boxes on loading ("00.00", "00.00", "0.00" for zero).
ManTareTexts manTareLoadTexts(const VarnexState& s);

// The dialog's Close: Ctare = number of txtC * 1e-12, Ltare = number of txtL *
// 1e-6, Rtare = number of txtR, in that order.  A number is read as
// numericValue reads it (blanks ignored, a unit after it ignored, 0 for text
// that is not a number); a product beyond the float range gives 0, as
// singleValue does.  Returns the main window's new tare box texts.  The caller
// then unloads the dialog and asks for a measurement.
TareBoxTexts applyManTare(VarnexState& s, std::string_view txtC, std::string_view txtL,
                          std::string_view txtR);

}  // namespace varnex
