#include "scope/Cursors.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/NumberText.h"
#include "scope/DifferenceReadout.h"
#include "scope/ScopeGeometry.h"
#include "scope/ScopeMath.h"

namespace varnex::scope {
namespace {

constexpr const char* kVoltPattern = "#0.000";
constexpr const char* kVoltUnit = " v";

std::string voltText(const VarnexState& state, const VoltArray& values) {
    if (state.Captured != 1) return std::string(kNoValueText) + kVoltUnit;
    return formatPattern(sampleAt(values, state.myx), kVoltPattern) + kVoltUnit;
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

void check1Click(VarnexState& state, bool ticked) { state.CursorsOn = ticked ? 1 : 0; }

void mouseDown(VarnexState& state) { state.MouseDn = kTrue; }
void mouseUp(VarnexState& state) { state.MouseDn = kFalse; }

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

ScopeTexts mouseMove(VarnexState& state, ScopeRenderer& renderer, int16_t buttons, float x) {
    ScopeTexts texts;
    if (state.CursorsOn != 1 || state.MouseDn != kTrue || std::isnan(x)) return texts;

    state.MouseX = mouseXOf(x);
    if (x > 0 && x < kVisibleRight) {
        state.myx = sampleIndexUnder(x, state.TBscale, state.TrigPt);
        if (buttons == kLeftButton) {
            moveCursor(renderer, state.Cursor1, state.MouseX);
            texts.Text9 = voltText(state, state.Vx);
            texts.Text12 = voltText(state, state.Vr);
        }
    }
    if (buttons == kRightButton) moveCursor(renderer, state.Cursor2, state.MouseX);

    texts.Label10 = readoutKindText(state);
    texts.Text15 = differenceReadout(state);
    return texts;
}

}  // namespace varnex::scope
