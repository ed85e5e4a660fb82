#include "measure/Readings.h"

#include <cmath>
#include <limits>

#include "common/NumberText.h"
#include "common/Pi.h"
#include "common/Single.h"
#include "measure/DecimalScale.h"

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

}  // namespace

std::string zmagText(float Zmag) {
    return formatPattern(Zmag, Zmag < kZmagWholeOhms ? "##0.00" : "##########0");
}

std::string angleText(float Zang) {
    return formatPattern(Zang, "##0.00");
}

std::string errorText(float err) {
    return formatPattern(err, "#0.00000");
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

std::string factorText(float qualityOrDissipation) {
    return formatPattern(qualityOrDissipation, "#0.000");
}

double weightUncertainty(const EstimatorState& e, int QuadLag, int H) {
    if (QuadLag < 0 || QuadLag > H || H > kLastIndex) return 0;
    double errorPower = 0, signalPower = 0;
    for (int k = (QuadLag + H) / 2; k <= H; ++k) {
        errorPower += double(e.ErrLMS[k]) * e.ErrLMS[k];
        signalPower += double(e.Vr[k]) * e.Vr[k];
    }
    if (!(signalPower > 0)) return 0;
    // The counts cancel: both are means over the same samples.
    return std::sqrt(double(kLmsBeta) * errorPower / (2 * signalPower));
}

ImpedanceReading computeReading(EstimatorState& e, int32_t SampleCount, const ReadingParameters& p,
                                Results& results) {
    ImpedanceReading r;
    r.stepSize = p.uLMS;
    r.referenceResistance = p.Rm;
    r.frequency = p.freq;
    const int h = lastFrameIndex(SampleCount);
    if (h < 0) {
        // No run can have happened: nothing to read, nothing stored.
        r.magnitude = r.angle = r.lastError = r.resistance = r.reactance = kNaN;
        r.inductance = r.quality = kNaN;
        return r;
    }

    // Without a usable Rm neither the tare nor any impedance can be formed.
    const float Rm = p.Rm;
    const bool haveRm = std::isfinite(Rm) && Rm != 0;
    float wi = kNaN;
    if (haveRm) {
        e.Wi[h + 1] = toSingle(double(e.Wi[h + 1]) - double(p.tare.Rtare) / Rm);
        wi = e.Wi[h + 1];
    }
    const float wq = e.Wq[h + 1];

    results.Zmag = toSingle(double(Rm) * std::sqrt(double(wq) * wq + double(wi) * wi));
    // Principal value: a negative Wi is not moved to another quadrant.
    results.Zang = wi == 0 ? kAngleOfPureReactance
                           : toSingle(std::atan(double(wq) / wi) * (180.0 / double(Pi)));
    r.magnitude = results.Zmag;
    r.angle = results.Zang;
    r.lastError = e.ErrLMS[h];
    r.resistance = toSingle(double(wi) * Rm);
    r.reactance = haveRm ? toSingle(double(wq) * Rm) : kNaN;
    const double ohmsPerWeight = haveRm ? std::fabs(double(Rm)) : std::nan("");
    r.resistanceUncertainty = r.reactanceUncertainty =
        ohmsPerWeight * weightUncertainty(e, p.QuadLag, h);

    if (wq >= 0) {
        r.kind = ReactanceKind::Inductive;
        results.Ls =
            haveRm ? toSingle(double(wq) * Rm / ((double(Pi) + Pi) * p.freq) - p.tare.Ltare) : kNaN;
        r.inductance = results.Ls;
        r.quality = wi == 0 ? kQOfPureReactance : toSingle(double(wq) / wi);
    } else {
        r.kind = ReactanceKind::Capacitive;
        results.Cs =
            haveRm ? toSingle(-1.0 / (double(p.freq) * kTwoPi * wq * Rm) - p.tare.Ctare) : kNaN;
        r.capacitance = results.Cs;
        r.dissipation = toSingle(-double(wi) / wq);
    }
    return r;
}

ReadingTexts readingTexts(const ImpedanceReading& r) {
    ReadingTexts t;
    t.stepSize = paddedForm(r.stepSize);
    t.magnitude = zmagText(r.magnitude);
    t.angle = angleText(r.angle);
    t.lastError = errorText(r.lastError);
    t.resistance = rsText(r.resistance);
    t.reactance = xsText(r.reactance);
    if (r.kind == ReactanceKind::Inductive) {
        t.seriesCaption = kInductiveCaption;
        t.seriesValue = inductanceText(r.inductance);
        t.factor = factorText(r.quality);
        t.factorCaption = kQualityCaption;
    } else {
        t.seriesCaption = kCapacitiveCaption;
        t.seriesValue = capacitanceText(r.capacitance);
        t.factor = factorText(r.dissipation);
        t.factorCaption = kDissipationCaption;
    }
    return t;
}

}  // namespace varnex
