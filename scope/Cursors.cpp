#include "scope/Cursors.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Flags.h"
#include "common/NumberText.h"
#include "common/Single.h"
#include "scope/DifferenceReadout.h"
#include "scope/ScopeGeometry.h"
#include "scope/ScopeMath.h"

namespace varnex::scope {
namespace {

constexpr const char* kVoltPattern = "#0.000";
constexpr const char* kVoltUnit = " v";

std::string voltText(const Traces& traces, const VoltArray& values, int32_t index) {
    if (traces.Captured != 1) return std::string(kNoValueText) + kVoltUnit;
    return formatPattern(sampleAt(values, index), kVoltPattern) + kVoltUnit;
}

// Removes the line where the cursor is, moves it, draws it where it now is.
void moveCursor(ScopeRenderer& renderer, int32_t& cursor, int32_t to) {
    ScopeCanvas canvas(renderer);
    canvas.setXorMode(true);
    canvas.verticalLine(cursor, kCursorColour);
    cursor = to;
    canvas.verticalLine(cursor, kCursorColour);
}

}  // namespace

void showCursors(ScopeSettings& settings, bool ticked) {
    settings.CursorsOn = ticked ? 1 : 0;
}

void mouseDown(ScopeView& view) {
    view.MouseDn = kTrue;
}
void mouseUp(ScopeView& view) {
    view.MouseDn = kFalse;
}

int16_t mouseXOf(float x) {
    constexpr double lowest = std::numeric_limits<int16_t>::min();
    constexpr double highest = std::numeric_limits<int16_t>::max();
    if (std::isnan(x)) return 0;
    return static_cast<int16_t>(std::clamp(roundHalfEven(x), lowest, highest));
}

int32_t sampleIndexUnder(float x, float tbScale, int32_t trigPt) {
    const float samples = toSingle(quotient(x, tbScale));
    return clampedIndex(roundHalfEven(static_cast<double>(samples) + trigPt));
}

ScopeReadouts mouseMove(ScopeSettings& settings, ScopeView& view, const Traces& traces,
                        ScopeRenderer& renderer, int16_t buttons, float x) {
    ScopeReadouts readouts;
    if (settings.CursorsOn != 1 || view.MouseDn != kTrue || std::isnan(x)) return readouts;

    view.MouseX = mouseXOf(x);
    if (x > 0 && x < kVisibleRight) {
        view.myx = sampleIndexUnder(x, settings.TBscale, traces.TrigPt);
        if (buttons == kLeftButton) {
            moveCursor(renderer, settings.Cursor1, view.MouseX);
            readouts.vxAtCursor = voltText(traces, traces.Vx, view.myx);
            readouts.vrAtCursor = voltText(traces, traces.Vr, view.myx);
        }
    }
    if (buttons == kRightButton) moveCursor(renderer, settings.Cursor2, view.MouseX);

    readouts.differenceKind = readoutKindText(settings);
    readouts.cursorDifference = differenceReadout(settings, view);
    return readouts;
}

}  // namespace varnex::scope
