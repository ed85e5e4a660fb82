#include "scope/Oscilloscope.h"

#include <cmath>

#include "common/NumberText.h"
#include "scope/DifferenceReadout.h"
#include "scope/ScopeGeometry.h"
#include "scope/ScopeMath.h"

namespace varnex::scope {
namespace {

void drawGraticule(ScopeCanvas& canvas) {
    for (int k = 0; k <= kDivisionsAcross; ++k) {
        const double at = kDivision * k;
        canvas.line(0, at, kGraticuleRight, at, kGridColour);
        canvas.line(at, 0, at, kGraticuleBottom, kGridColour);
    }
    for (int k = 1; k <= kTickCount; ++k) {
        const double at = kTickSpacing * k;
        canvas.line(at, kCentreY + kTickHalfLength, at, kCentreY - kTickHalfLength, kGridColour);
        canvas.line(kCentreX - kTickHalfLength, at, kCentreX + kTickHalfLength, at, kGridColour);
    }
}

// Screen y of a voltage: 0 V on the centre line, 1 / gain volts per division,
// positive upward.  Single precision, as the stored gains and volts are.
double traceY(float gain, float volts) {
    const float y = static_cast<float>(kCentreY) - gain * static_cast<float>(kDivision) * volts;
    return std::floor(static_cast<double>(y));
}

void drawTraces(const VarnexState& state, ScopeCanvas& canvas) {
    // Any other ScopeMode (0, negative, or 4 from an edited settings file) draws no trace.
    const bool drawVx = state.ScopeMode == 1 || state.ScopeMode == 3;
    const bool drawVr = state.ScopeMode == 2 || state.ScopeMode == 3;
    if (!drawVx && !drawVr) return;
    const double tbScale = state.TBscale;
    for (int k = 0; k < kTraceSegments; ++k) {
        // Indices past the arrays read as 0 V, so a late trigger ends in a flat line.
        const int64_t i = static_cast<int64_t>(state.TrigPt) + k;
        const double x1 = std::floor(tbScale * k);
        const double x2 = std::floor(tbScale * (k + 1));
        if (drawVx)
            canvas.line(x1, traceY(state.Lgain, sampleAt(state.Vx, i)), x2,
                        traceY(state.Lgain, sampleAt(state.Vx, i + 1)), state.VxColor);
        if (drawVr)
            canvas.line(x1, traceY(state.Rgain, sampleAt(state.Vr, i)), x2,
                        traceY(state.Rgain, sampleAt(state.Vr, i + 1)), state.VrColor);
    }
}

// The value as shown with three decimals, read back as a Single; infinite (or
// NaN) when it is no finite Single.
float shownMsPerDiv(double msPerDiv) {
    const float single = toSingle(msPerDiv);
    if (!std::isfinite(single)) return single;
    return singleValue(formatPattern(msPerDiv, "0.000"));
}

}  // namespace

double msPerDivOf(float tbScale) {
    const double secondsPerDivision = quotient(kDivision, static_cast<double>(tbScale) * kFramesPerSecond);
    return secondsPerDivision * 1000;
}

std::string update(VarnexState& state) {
    state.MsPerDiv = msPerDivOf(state.TBscale);
    state.ScaleVal = shownMsPerDiv(state.MsPerDiv);
    return plainForm(state.ScaleVal) + " ms/div";
}

ScopeTexts doscope(VarnexState& state, ScopeRenderer& renderer) {
    ScopeTexts texts;
    texts.Label8 = update(state);
    renderer.clear();
    {
        ScopeCanvas canvas(renderer);
        if (state.GridOn == 1) drawGraticule(canvas);
        if (state.Captured == 1) drawTraces(state, canvas);
        if (state.CursorsOn == 1) {
            canvas.setXorMode(true);
            canvas.verticalLine(state.Cursor1, kCursorColour);
            canvas.verticalLine(state.Cursor2, kCursorColour);
            texts.Text15 = differenceReadout(state);
        }
    }
    texts.redrawFinished = true;
    return texts;
}

}  // namespace varnex::scope
