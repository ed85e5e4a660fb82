// The tare values' texts: the three display boxes of the main window's
// parameter row, whose pattern depends on which operation writes them, and
// the boxes of the manual tare dialog, read back into tare values.  Qt-free,
// so the window and the dialog only copy the texts.
#pragma once

#include <string>
#include <string_view>

#include "measure/Tare.h"

namespace varnex {

// Who rewrites the main window's tare boxes; only the inductance pattern differs.
enum class TareWriter { StartUp, ClearTare, ManTareClose };

// The texts of the three tares, each with its unit.
struct TareTexts {
    std::string inductance;   // microhenries, " uH"
    std::string capacitance;  // picofarads, " pF"
    std::string resistance;   // ohms
};

// The main window's tare boxes written from the current values ("00.00 uH",
// "0.00 pF", "0.00" after Clear Tare).
TareTexts tareBoxTexts(const Tare& tare, TareWriter writer);

// The manual tare dialog's boxes on loading, plain numbers in pF, uH and ohms
// ("00.00", "00.00", "0.00" for zero).
TareTexts manTareLoadTexts(const Tare& tare);

// The tares the dialog's boxes hold: the capacitance in pF, the inductance in
// uH, the resistance in ohms.  A number is read as numericValue reads it
// (blanks ignored, a unit after it ignored, 0 for text that is not a number);
// a value beyond the float range gives 0, as singleValue does.
Tare tareFromBoxes(std::string_view picofarads, std::string_view microhenries,
                   std::string_view ohms);

}  // namespace varnex
