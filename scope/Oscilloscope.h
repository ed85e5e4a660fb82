// The redraw of the oscilloscope view (doscope) and the time-base label it
// starts with (Update).  Both run on the user-interface thread and may be
// entered while a capture or a measurement yields; they change nothing the
// measurement uses.
#pragma once

#include <string>

#include "scope/ScopeReadouts.h"
#include "scope/ScopeRenderer.h"
#include "scope/ScopeSettings.h"

namespace varnex::scope {

// Milliseconds per horizontal division for a time base in drawing units per
// sample, unrounded; infinite or NaN for a TBscale of 0 or NaN.
double msPerDivOf(float tbScale);

// The milliseconds per division as the label shows them, three decimals,
// read back as a Single; not finite when there is no finite value.
float shownMsPerDiv(double msPerDiv);

// Update: recomputes view.MsPerDiv from TBscale and returns the time-base
// label's text, such as "0.5 ms/div"; "--- ms/div" when the time base gives no
// finite value.
std::string update(const ScopeSettings& settings, ScopeView& view);

// doscope: Update, then the whole picture afresh: graticule (GridOn = 1),
// traces from TrigPt (Captured = 1 and ScopeMode 1, 2 or 3), both cursors in
// XOR mode (CursorsOn = 1) with the difference readout.  Returns the time per
// division, the cursor difference when it is written, and redrawFinished.
ScopeReadouts doscope(const ScopeSettings& settings, ScopeView& view, const Traces& traces,
                      ScopeRenderer& renderer);

}  // namespace varnex::scope
