// What a settings dialog may ask of the program: the instrument whose
// parameters it edits, and the main window's three public methods plus the
// parameter-row boxes it rewrites after a change.  The main window implements
// it; a dialog never sees the window itself.
#pragma once

#include <cstdint>

#include "measure/TareText.h"

namespace varnex {

class Instrument;

class DialogHost {
public:
    virtual ~DialogHost() = default;

    virtual Instrument& instrument() = 0;
    // The generator option selected (1..6), kept while the program runs.
    virtual int16_t& SigGenOptFlag() = 0;

    // Measure the last capture again (nothing when none is held).
    virtual void docalib() = 0;
    // Redraw the oscilloscope.
    virtual void doscope() = 0;
    // Rebuild and restart the test tone at the instrument's frequency and level.
    virtual void cmdPlay_Click() = 0;

    // Rewrite a box of the parameter row from the instrument's value.
    virtual void showReferenceResistance() = 0;  // Rm
    virtual void showStepSize() = 0;             // uLMS
    virtual void showFrequency() = 0;            // the test frequency
    virtual void showTare(TareWriter writer) = 0;
};

}  // namespace varnex
