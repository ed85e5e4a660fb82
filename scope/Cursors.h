// The two measuring cursors: switching them on and off (Check1) and dragging
// them on Picture1.  Cursor 1 follows the left button and gives the voltage
// readouts; cursor 2 follows the right button.  A drag step XORs one line away
// and draws it anew without a redraw, which relies on the last redraw having
// drawn both lines (CursorsOn = 1).  Every ScopeMode, 4 included, treats both
// cursors as vertical lines.
#pragma once

#include <cstdint>

#include "app/VarnexState.h"
#include "scope/ScopeRenderer.h"
#include "scope/ScopeTexts.h"

namespace varnex::scope {

// Button-state bits of a mouse move.
inline constexpr int16_t kLeftButton = 1;
inline constexpr int16_t kRightButton = 2;
inline constexpr int16_t kMiddleButton = 4;

// Check1 click: CursorsOn = 1 when the box is ticked, else 0 (also when greyed).
// The caller redraws with doscope.
void check1Click(VarnexState& state, bool ticked);

// Any button pressed or released on Picture1; no cursor moves until the next move.
void mouseDown(VarnexState& state);
void mouseUp(VarnexState& state);

// The pointer x in drawing units as a 16-bit MouseX, halves to even.  A pointer
// reported beyond the 16-bit range while a button is held is held at its ends.
int16_t mouseXOf(float x);

// The sample index under pointer x: x / TBscale + TrigPt rounded halves to
// even, always inside 0..44100, whatever TBscale holds.
int32_t sampleIndexUnder(float x, float tbScale, int32_t trigPt);

// One mouse move with the button-state mask and x in drawing units (y is not
// used).  Nothing happens unless CursorsOn = 1 and a button is down (MouseDn).
// Left alone inside 0 < x < 6995 moves cursor 1 and writes Text9 and Text12;
// right alone moves cursor 2 anywhere; every state refreshes Label10 and Text15.
// A NaN x is ignored.
ScopeTexts mouseMove(VarnexState& state, ScopeRenderer& renderer, int16_t buttons, float x);

}  // namespace varnex::scope
