// What the oscilloscope works on: its settings (kept in the settings file),
// its view between events (not kept), and the traces it draws, which belong
// to the measurement and are only read here.
#pragma once

#include <cstdint>

#include "common/Single.h"
#include "common/WorkingArrays.h"

namespace varnex::scope {

// TBscale = TimeBase * this, stored as a Single.
inline constexpr double kTBscalePerTimeBase = 1.5873;

struct ScopeSettings {
    float TimeBase = 20;                                 // a step of the time-base ladder
    float TBscale = toSingle(20 * kTBscalePerTimeBase);  // drawing units per sample
    float Lgain = 1;                                     // 1 / volts per division of the Vx trace
    float Rgain = 1;                                     // the same for the Vr trace
    int16_t GridOn = 1;                                  // 1: draw the graticule
    int16_t ScopeMode = 3;                               // 1: Vx only, 2: Vr only, 3: both
    int16_t CursorsOn = 0;                               // 1: draw the two cursors
    int32_t Cursor1 = 1000;                              // x of each cursor in drawing units
    int32_t Cursor2 = 3000;
    int16_t TimeReadout = 0;  // cursor difference as a time (1) or a frequency (0)
};

struct ScopeView {
    double MsPerDiv = 0;  // milliseconds per division, from TBscale
    int16_t MouseDn = 0;  // -1 while a button is held on the screen
    int16_t MouseX = 0;   // pointer x of the last drag step
    int32_t myx = 0;      // index of the sample under the pointer
};

// The last measurement's traces and trigger, and whether any capture has
// arrived yet.  The oscilloscope reads them as they stand at each redraw.
struct Traces {
    const VoltArray& Vx;
    const VoltArray& Vr;
    const int32_t& TrigPt;
    const int16_t& Captured;
};

}  // namespace varnex::scope
