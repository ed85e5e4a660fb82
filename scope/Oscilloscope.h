// The redraw of the oscilloscope view (doscope) and the time-base label it
// starts with (Update).  Both run on the user-interface thread and may be
// entered while a capture or a measurement yields; they change no variable the
// measurement uses.
#pragma once

#include <string>

#include "app/VarnexState.h"
#include "scope/ScopeRenderer.h"
#include "scope/ScopeTexts.h"

namespace varnex::scope {

// Milliseconds per horizontal division for a time base in drawing units per
// sample, unrounded; infinite or NaN for a TBscale of 0 or NaN.
double msPerDivOf(float tbScale);

// Update: recomputes MsPerDiv from TBscale, leaves the shown value in ScaleVal
// (rounded to three decimals) and returns the text for Label8, such as
// "0.5 ms/div"; "--- ms/div" when the time base gives no finite value.
std::string update(VarnexState& state);

// doscope: Update, then the whole picture afresh: graticule (GridOn = 1),
// traces from TrigPt (Captured = 1 and ScopeMode 1, 2 or 3), both cursors in
// XOR mode (CursorsOn = 1) with the difference readout.  Returns Label8, Text15
// when it is written, and redrawFinished.
ScopeTexts doscope(VarnexState& state, ScopeRenderer& renderer);

}  // namespace varnex::scope
