#include "scope/Oscilloscope.h"

#include <cmath>

#include "common/AudioFormat.h"
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

void drawTraces(const ScopeSettings& settings, const Traces& traces, ScopeCanvas& canvas) {
    // Any other ScopeMode (0, negative, or 4 from an edited settings file) draws no trace.
    const bool drawVx = settings.ScopeMode == 1 || settings.ScopeMode == 3;
    const bool drawVr = settings.ScopeMode == 2 || settings.ScopeMode == 3;
    if (!drawVx && !drawVr) return;
    const double tbScale = settings.TBscale;
    for (int k = 0; k < kTraceSegments; ++k) {
        // Indices past the arrays read as 0 V, so a late trigger ends in a flat line.
        const int64_t i = static_cast<int64_t>(traces.TrigPt) + k;
        const double x1 = std::floor(tbScale * k);
        const double x2 = std::floor(tbScale * (k + 1));
        if (drawVx)
            canvas.line(x1, traceY(settings.Lgain, sampleAt(traces.Vx, i)), x2,
                        traceY(settings.Lgain, sampleAt(traces.Vx, i + 1)), VxColor);
        if (drawVr)
            canvas.line(x1, traceY(settings.Rgain, sampleAt(traces.Vr, i)), x2,
                        traceY(settings.Rgain, sampleAt(traces.Vr, i + 1)), VrColor);
    }
}

}  // namespace

float shownMsPerDiv(double msPerDiv) {
    const float single = toSingle(msPerDiv);
    if (!std::isfinite(single)) return single;
    return singleValue(formatPattern(msPerDiv, "0.000"));
}

double msPerDivOf(float tbScale) {
    const double secondsPerDivision =
        quotient(kDivision, static_cast<double>(tbScale) * kFramesPerSecond);
    return secondsPerDivision * 1000;
}

std::string update(const ScopeSettings& settings, ScopeView& view) {
    view.MsPerDiv = msPerDivOf(settings.TBscale);
    return plainForm(shownMsPerDiv(view.MsPerDiv)) + " ms/div";
}

ScopeReadouts doscope(const ScopeSettings& settings, ScopeView& view, const Traces& traces,
                      ScopeRenderer& renderer) {
    ScopeReadouts readouts;
    readouts.timePerDivision = update(settings, view);
    renderer.clear();
    {
        ScopeCanvas canvas(renderer);
        if (settings.GridOn == 1) drawGraticule(canvas);
        if (traces.Captured == 1) drawTraces(settings, traces, canvas);
        if (settings.CursorsOn == 1) {
            canvas.setXorMode(true);
            canvas.verticalLine(settings.Cursor1, kCursorColour);
            canvas.verticalLine(settings.Cursor2, kCursorColour);
            readouts.cursorDifference = differenceReadout(settings, view);
        }
    }
    readouts.redrawFinished = true;
    return readouts;
}

}  // namespace varnex::scope
