#include "measure/Readings.h"

#include <algorithm>
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

// The standard deviation of values[first..last].
double spread(const VoltArray& values, int first, int last) {
    const int count = last - first + 1;
    if (count < 2) return 0;
    double mean = 0;
    for (int k = first; k <= last; ++k) mean += values[k];
    mean /= count;
    double sum = 0;
    for (int k = first; k <= last; ++k) sum += (values[k] - mean) * (values[k] - mean);
    return std::sqrt(sum / (count - 1));
}

// Rm = 0 (or not finite) forms no impedance from the weights.
bool hasReference(float Rm) {
    return std::isfinite(Rm) && Rm != 0;
}

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

WeightUncertainty weightUncertainty(const EstimatorState& e, int QuadLag, int H) {
    if (QuadLag < 0 || QuadLag > H || H > kLastIndex) return {};
    const int remembered = (QuadLag + H) / 2;
    double errorPower = 0, signalPower = 0;
    for (int k = remembered; k <= H; ++k) {
        errorPower += double(e.ErrLMS[k]) * e.ErrLMS[k];
        signalPower += double(e.Vr[k]) * e.Vr[k];
    }
    if (!(signalPower > 0)) return {};
    // The counts cancel: both are means over the same samples.
    const double noise = std::sqrt(double(kLmsBeta) * errorPower / (2 * signalPower));
    return {std::max(noise, spread(e.Wi, remembered, H + 1)),
            std::max(noise, spread(e.Wq, remembered, H + 1))};
}

ImpedanceReading computeReading(EstimatorState& e, int32_t SampleCount,
                                const ReadingParameters& p) {
    ImpedanceReading r;
    r.stepSize = p.uLMS;
    r.referenceResistance = p.Rm;
    r.frequency = p.frequency;
    r.tare = p.tare;
    const int h = lastFrameIndex(SampleCount);
    if (h < 0) {
        // No run can have happened: nothing to read.
        r.Wi = r.Wq = r.lastError = kNaN;
        return r;
    }
    // Without a usable Rm the tare cannot be formed: the weight is left as it is.
    if (hasReference(p.Rm)) {
        e.Wi[h + 1] = toSingle(double(e.Wi[h + 1]) - double(p.tare.Rtare) / p.Rm);
        r.Wi = e.Wi[h + 1];
    } else {
        r.Wi = kNaN;
    }
    r.Wq = e.Wq[h + 1];
    r.lastError = e.ErrLMS[h];
    r.ratioUncertainty = weightUncertainty(e, p.QuadLag, h);
    return r;
}

std::complex<double> impedanceOf(const ImpedanceReading& r) {
    const double Rm = r.referenceResistance;
    return {Rm * r.Wi, Rm * r.Wq};
}

ImpedanceUncertainty impedanceUncertainty(const ImpedanceReading& r) {
    if (!hasReference(r.referenceResistance)) return {std::nan(""), std::nan("")};
    const double ohmsPerWeight = std::fabs(double(r.referenceResistance));
    return {ohmsPerWeight * r.ratioUncertainty.inPhase,
            ohmsPerWeight * r.ratioUncertainty.quadrature};
}

double ImpedanceUncertainty::larger() const {
    return std::fmax(resistance, reactance);
}

SeriesReadings seriesReadings(const ImpedanceReading& r) {
    SeriesReadings s;
    const float Rm = r.referenceResistance;
    const bool haveRm = hasReference(Rm);
    const float wi = r.Wi;
    const float wq = r.Wq;
    // The design's freq is a Single.
    const float freq = toSingle(r.frequency);

    s.magnitude = toSingle(double(Rm) * std::sqrt(double(wq) * wq + double(wi) * wi));
    // Principal value: a negative Wi is not moved to another quadrant.
    s.angle = wi == 0 ? kAngleOfPureReactance
                      : toSingle(std::atan(double(wq) / wi) * (180.0 / double(Pi)));
    s.resistance = toSingle(double(wi) * Rm);
    s.reactance = haveRm ? toSingle(double(wq) * Rm) : kNaN;
    if (wq >= 0) {
        s.kind = ReactanceKind::Inductive;
        s.inductance =
            haveRm ? toSingle(double(wq) * Rm / ((double(Pi) + Pi) * freq) - r.tare.Ltare) : kNaN;
        s.quality = wi == 0 ? kQOfPureReactance : toSingle(double(wq) / wi);
    } else {
        s.kind = ReactanceKind::Capacitive;
        s.capacitance =
            haveRm ? toSingle(-1.0 / (double(freq) * kTwoPi * wq * Rm) - r.tare.Ctare) : kNaN;
        s.dissipation = toSingle(-double(wi) / wq);
    }
    return s;
}

ReadingTexts readingTexts(const ImpedanceReading& reading) {
    return readingTexts(seriesReadings(reading), reading.stepSize, reading.lastError);
}

ReadingTexts readingTexts(const SeriesReadings& r, float stepSize, float lastError) {
    ReadingTexts t;
    t.stepSize = paddedForm(stepSize);
    t.magnitude = zmagText(r.magnitude);
    t.angle = angleText(r.angle);
    t.lastError = errorText(lastError);
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
