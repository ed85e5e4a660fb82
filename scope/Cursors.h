// The two measuring cursors: switching them on and off ("Cursors On") and
// dragging them on the screen.  Cursor 1 follows the left button and gives the voltage
// readouts; cursor 2 follows the right button.  A drag step XORs one line away
// and draws it anew without a redraw, which relies on the last redraw having
// drawn both lines (CursorsOn = 1).  Every ScopeMode, 4 included, treats both
// cursors as vertical lines.
#pragma once

#include <cstdint>

#include "scope/ScopeReadouts.h"
#include "scope/ScopeRenderer.h"
#include "scope/ScopeSettings.h"

namespace varnex::scope {

// Button-state bits of a mouse move.
inline constexpr int16_t kLeftButton = 1;
inline constexpr int16_t kRightButton = 2;
inline constexpr int16_t kMiddleButton = 4;

// The "Cursors On" switch: CursorsOn = 1 when the box is ticked, else 0 (also
// when greyed).  The caller redraws with doscope.
void showCursors(ScopeSettings& settings, bool ticked);

// Any button pressed or released on the screen; no cursor moves until the next move.
void mouseDown(ScopeView& view);
void mouseUp(ScopeView& view);

// The pointer x in drawing units as a 16-bit MouseX, halves to even.  A pointer
// reported beyond the 16-bit range while a button is held is held at its ends.
int16_t mouseXOf(float x);

// The sample index under pointer x: x / TBscale + TrigPt rounded halves to
// even, always inside 0..44100, whatever TBscale holds.
int32_t sampleIndexUnder(float x, float tbScale, int32_t trigPt);

// One mouse move with the button-state mask and x in drawing units (y is not
// used).  Nothing happens unless CursorsOn = 1 and a button is down (MouseDn).
// Left alone inside 0 < x < 6995 moves cursor 1 and reads out Vx and Vr under
// it; right alone moves cursor 2 anywhere; every state refreshes the
// difference kind and the cursor difference.  A NaN x is ignored.
ScopeReadouts mouseMove(ScopeSettings& settings, ScopeView& view, const Traces& traces,
                        ScopeRenderer& renderer, int16_t buttons, float x);

}  // namespace varnex::scope
