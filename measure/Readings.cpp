#include "measure/Readings.h"

#include <cmath>
#include <limits>

#include "common/NumberText.h"
#include "measure/DecimalScale.h"
#include "measure/Estimator.h"

#include "common/Single.h"

namespace varnex {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Above this |Z| the ohms are shown without decimals.
constexpr float kZmagWholeOhms = 1000;
constexpr float kRsWholeOhms = 1000;
constexpr float kXsWholeOhms = 10000;
// Q when the in-phase weight is exactly zero.
constexpr float kQOfPureReactance = 9999;
// The angle when Wi is exactly zero (also for a negative Wq).
constexpr float kAngleOfPureReactance = 90;
// Cs divides by this rather than by 2 * Pi.
constexpr double kTwoPi = 6.2831853;

constexpr float kMilliHenryAbove = 0.001f;
constexpr float kMicroFaradAbove = 1e-6f;
constexpr float kFourDecimalsAbove = 1e-8f;
constexpr float kFiveDecimalsAbove = 1e-9f;

float toFloat(double value) { return toSingle(value); }

}  // namespace

std::string zmagText(float Zmag) {
    return formatPattern(Zmag, Zmag < kZmagWholeOhms ? "##0.00" : "##########0");
}

std::string rsText(float Rs) {
    return formatPattern(Rs, Rs >= kRsWholeOhms ? "##0" : "##0.00");
}

std::string xsText(float Xs) {
    const bool whole = Xs <= -kXsWholeOhms || Xs >= kXsWholeOhms;
    return formatPattern(Xs, whole ? "##0" : "##0.00");
}

std::string inductanceText(float Ls) {
    if (Ls > kMilliHenryAbove) return formatPattern(scaleDecimal(Ls, 3), "##0.00mH");
    return formatPattern(scaleDecimal(Ls, 6), "##0.00uH");
}

std::string capacitanceText(float Cs) {
    if (Cs > kMicroFaradAbove) return formatPattern(scaleDecimal(Cs, 6), "##0.00uF");
    if (Cs > kFourDecimalsAbove) return formatPattern(scaleDecimal(Cs, 6), "##0.0000uF");
    if (Cs > kFiveDecimalsAbove) return formatPattern(scaleDecimal(Cs, 6), "##0.00000uF");
    return formatPattern(scaleDecimal(Cs, 12), "##0.00pF");
}

Readings computeReadings(VarnexState& s) {
    Readings r;
    const int h = lastFrameIndex(s);
    r.txtuLMS = paddedForm(s.uLMS);
    if (h < 0) {
        // No run can have happened: nothing to read, nothing stored.
        r.Text2 = r.Text1 = r.txteLMS = r.Text4 = r.Text3 = r.Text5 = r.Text6 = kNoValueText;
        return r;
    }

    // Without a usable Rm neither the tare nor any impedance can be formed.
    const bool haveRm = std::isfinite(s.Rm) && s.Rm != 0;
    float wi = kNaN;
    if (haveRm) {
        s.Wi[h + 1] = toFloat(double(s.Wi[h + 1]) - double(s.Rtare) / s.Rm);
        wi = s.Wi[h + 1];
    }
    const float wq = s.Wq[h + 1];

    s.Zmag = toFloat(double(s.Rm) * std::sqrt(double(wq) * wq + double(wi) * wi));
    // Principal value: a negative Wi is not moved to another quadrant.
    s.Zang = wi == 0 ? kAngleOfPureReactance
                     : toFloat(std::atan(double(wq) / wi) * (180.0 / double(s.Pi)));
    const float Rs = toFloat(double(wi) * s.Rm);
    const float Xs = haveRm ? toFloat(double(wq) * s.Rm) : kNaN;

    r.Text2 = zmagText(s.Zmag);
    r.Text1 = formatPattern(s.Zang, "##0.00");
    r.txteLMS = formatPattern(s.ErrLMS[h], "#0.00000");
    r.Text4 = rsText(Rs);
    r.Text3 = xsText(Xs);

    if (wq >= 0) {
        r.Label16 = kInductiveCaption;
        s.Ls =
            haveRm ? toFloat(double(wq) * s.Rm / ((double(s.Pi) + s.Pi) * s.freq) - s.Ltare) : kNaN;
        r.Text5 = inductanceText(s.Ls);
        s.ScaleVal = wi == 0 ? kQOfPureReactance : toFloat(double(wq) / wi);
        r.Text6 = formatPattern(s.ScaleVal, "#0.000");
        r.Label17 = kQualityCaption;
    } else {
        r.Label16 = kCapacitiveCaption;
        s.Cs = haveRm ? toFloat(-1.0 / (double(s.freq) * kTwoPi * wq * s.Rm) - s.Ctare) : kNaN;
        r.Text5 = capacitanceText(s.Cs);
        s.ScaleVal = toFloat(-double(wi) / wq);
        r.Text6 = formatPattern(s.ScaleVal, "#0.000");
        r.Label17 = kDissipationCaption;
    }
    return r;
}

}  // namespace varnex
