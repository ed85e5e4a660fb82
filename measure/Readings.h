// The second half of a measurement run: the final weights become the series
// impedance Z = Rm * (Wi + j Wq), less the tares, and the window's readings
// and their texts.  Runs on the user-interface thread, without yielding, right after
// runEstimator.
//
// Faults (none of them stops the program; a value that cannot be formed is
// NaN or infinite and its text is kNoValueText, "---"; every other value is
// still formed):
// - Rm = 0 (or not finite): no impedance can be formed from the ratio, and the
//   tare Rtare / Rm is not a number.  The weight array is left untared (a
//   non-finite tare is never stored into Wi(H+1)); |Z|, the angle, Rs, Xs,
//   Ls or Cs and Q or D are NaN; the kind still follows the sign of Wq; the
//   step size and the error are formed as usual.
// - freq = 0: Ls or Cs is not finite.
// - Wq / Wi (Q) or -Wi / Wq (D) beyond the float range (a tiny weight): not
//   finite.  The angle is computed in double and stays right (near +-90).
// - Any other result that overflows is infinite.
#pragma once

#include <complex>
#include <cstdint>
#include <string>
#include <string_view>

#include "measure/Estimator.h"
#include "measure/Tare.h"

namespace varnex {

// Standard uncertainties of the two weights (see weightUncertainty).
struct WeightUncertainty {
    double inPhase = 0;     // of Wi
    double quadrature = 0;  // of Wq
};

// Inductive when the quadrature weight is not negative (Wq = 0 included).
enum class ReactanceKind { Inductive, Capacitive };

// One reading: the series impedance a run measured, held as the run's final
// weights (the ratio Vx / Vr at the test frequency, less the resistance tare)
// and the reference resistance they are scaled by, Z = Rm (Wi + j Wq), with
// everything it was taken at.  What the window shows and what the command
// line prints (the series and parallel sets, texts, records, plots) are pure
// functions of it.
struct ImpedanceReading {
    float Wi = 0;                   // Wi(H+1) less Rtare / Rm; NaN when Rm could not take it
    float Wq = 0;                   // Wq(H+1)
    float referenceResistance = 0;  // Rm, ohms
    double frequency = 0;           // hertz, as played
    Tare tare;                      // Ltare and Ctare come off Ls and Cs only
    float stepSize = 0;             // uLMS left by the run
    float lastError = 0;            // ErrLMS(H), volts
    // Standard uncertainties (one sigma) of Wi and Wq from the run itself
    // (see weightUncertainty).
    WeightUncertainty ratioUncertainty;
};

// Z = Rm (Wi + j Wq), ohms.
std::complex<double> impedanceOf(const ImpedanceReading& reading);
// The standard uncertainties of Rs and Xs, ohms: the weights' times |Rm|.
struct ImpedanceUncertainty {
    double resistance = 0;
    double reactance = 0;
    double larger() const;  // the one the text line shows
};
ImpedanceUncertainty impedanceUncertainty(const ImpedanceReading& reading);

// The series readings as the window shows them, each formed in Singles from
// the weights exactly as the design forms it (see the faults above).
struct SeriesReadings {
    float magnitude = 0;   // |Z|, ohms
    float angle = 0;       // principal value of arctan(Xs / Rs), degrees
    float resistance = 0;  // Rs, ohms
    float reactance = 0;   // Xs, ohms
    ReactanceKind kind = ReactanceKind::Inductive;
    float inductance = 0;   // Ls less Ltare, henries, when inductive
    float capacitance = 0;  // Cs less Ctare, farads, when capacitive
    float quality = 0;      // Q = Xs / Rs when inductive (9999 for Rs exactly 0)
    float dissipation = 0;  // D = Rs / |Xs| when capacitive
};

SeriesReadings seriesReadings(const ImpedanceReading& reading);

// The inputs of a reading besides the estimator's weights.
struct ReadingParameters {
    float Rm = 0;          // active reference resistance, ohms
    double frequency = 0;  // test frequency as played, hertz
    float uLMS = 0;        // step size left by the run
    Tare tare;
    int QuadLag = 0;  // the run's first update index: its errors are ErrLMS(QuadLag..H)
};

// The standard deviation of each final weight, the larger of two estimates:
// - The noise: the normalised update with step Beta / Pwr averages the error
//   over about 1 / Beta samples (2000); with a white residual of power s2 and
//   regressors of mean square P (Vr and its 90-degree copy alike), each
//   weight scatters with variance Beta * s2 / (2 P).  s2 and P are taken over
//   the second half of the last pass, ErrLMS and Vr at (QuadLag + H) / 2..H:
//   the samples the final weights remember, past any start of the tone or of
//   the stream at the capture's beginning.
// - The weight's own wander over the same samples, Wi and Wq up to H + 1.
//   Below about 50 Hz the 2000 samples hold less than a cycle, and what the
//   two regressors cannot model (the tone's harmonics, its rounding to whole
//   steps) makes the weights ripple with the tone's phase: the final weight
//   then depends on where the capture ends, by up to four times the noise
//   estimate, and only this one sees it.  Above, it is the smaller.
// 0 when there is nothing to take them from.
WeightUncertainty weightUncertainty(const EstimatorState& estimator, int QuadLag, int H);

// Applies the resistance tare to Wi(H+1) (stored back into the weight array)
// and returns the reading.  Reads Wi(H+1), Wq(H+1) and ErrLMS(H).  Called only
// after a run, so SampleCount fits the arrays.
ImpedanceReading computeReading(EstimatorState& estimator, int32_t SampleCount,
                                const ReadingParameters& parameters);

inline constexpr std::string_view kInductiveCaption = "Ls";
inline constexpr std::string_view kCapacitiveCaption = "Cs";
inline constexpr std::string_view kQualityCaption = "Q";
inline constexpr std::string_view kDissipationCaption = "D";

// The texts of one reading, in the order the window writes them.
struct ReadingTexts {
    std::string stepSize;       // padded form
    std::string magnitude;      // ohms
    std::string angle;          // degrees
    std::string lastError;      // volts
    std::string resistance;     // ohms
    std::string reactance;      // ohms
    std::string seriesCaption;  // "Ls" or "Cs"
    std::string seriesValue;    // Ls or Cs with its unit
    std::string factor;         // Q or D
    std::string factorCaption;  // "Q" or "D"
};

ReadingTexts readingTexts(const ImpedanceReading& reading);
ReadingTexts readingTexts(const SeriesReadings& series, float stepSize, float lastError);

// The box patterns on their own, so they can be checked on exact values.
std::string zmagText(float Zmag);
std::string angleText(float Zang);
std::string errorText(float err);
std::string rsText(float Rs);
std::string xsText(float Xs);
// Ls in mH or uH, by the unit table.
std::string inductanceText(float Ls);
// Cs in uF (three precisions) or pF, by the unit table, largest threshold first.
std::string capacitanceText(float Cs);
std::string factorText(float qualityOrDissipation);

}  // namespace varnex
