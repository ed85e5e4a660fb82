// The second half of a measurement run: the final weights become the series
// impedance Z = Rm * (Wi + j Wq), less the tares, and the texts of the
// readings.  Runs on the user-interface thread, without yielding, right after
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

#include <cstdint>
#include <string>
#include <string_view>

#include "measure/Estimator.h"
#include "measure/Tare.h"

namespace varnex {

// Inductive when the quadrature weight is not negative (Wq = 0 included).
enum class ReactanceKind { Inductive, Capacitive };

// The results a run keeps until the next one.  Ls is written only by an
// inductive reading and Cs only by a capacitive one.
struct Results {
    float Zmag = 0;  // ohms
    float Zang = 0;  // degrees
    float Ls = 0;    // henries, less Ltare
    float Cs = 0;    // farads, less Ctare
};

// Everything one run shows, in SI units.
struct ImpedanceReading {
    float stepSize = 0;    // uLMS left by the run
    float magnitude = 0;   // |Z|, ohms
    float angle = 0;       // principal value of arctan(Xs / Rs), degrees
    float lastError = 0;   // ErrLMS(H), volts
    float resistance = 0;  // Rs, ohms
    float reactance = 0;   // Xs, ohms
    ReactanceKind kind = ReactanceKind::Inductive;
    float inductance = 0;           // Ls, henries, when inductive
    float capacitance = 0;          // Cs, farads, when capacitive
    float quality = 0;              // Q = Xs / Rs when inductive (9999 for Rs exactly 0)
    float dissipation = 0;          // D = Rs / |Xs| when capacitive
    float referenceResistance = 0;  // the Rm it was formed with
    float frequency = 0;            // the test frequency it was formed with
    // Standard uncertainties (one sigma) of Rs and Xs due to noise, in ohms,
    // from the run's own residual error (see weightUncertainty).
    double resistanceUncertainty = 0;
    double reactanceUncertainty = 0;
};

// The inputs of a reading besides the estimator's weights.
struct ReadingParameters {
    float Rm = 0;    // active reference resistance, ohms
    float freq = 0;  // test frequency, hertz
    float uLMS = 0;  // step size left by the run
    Tare tare;
    int QuadLag = 0;  // the run's first update index: its errors are ErrLMS(QuadLag..H)
};

// The standard deviation of each final weight due to noise.  The normalised
// update with step Beta / Pwr averages the error over about 1 / Beta samples
// (2000); with a white residual of power s2 and regressors of mean square P
// (Vr and its 90-degree copy alike), each weight scatters with variance
// Beta * s2 / (2 P).  s2 and P are taken over the second half of the last
// pass, ErrLMS and Vr at (QuadLag + H) / 2..H: the samples the final weights
// remember, past any start of the tone or of the stream at the capture's
// beginning.  0 when there is nothing to take them from.
double weightUncertainty(const EstimatorState& estimator, int QuadLag, int H);

// Applies the resistance tare to Wi(H+1) (stored back into the weight array),
// stores Zmag, Zang and Ls or Cs into `results`, and returns the reading.
// Reads Wi(H+1), Wq(H+1) and ErrLMS(H).  Called only after a run, so
// SampleCount fits the arrays.
ImpedanceReading computeReading(EstimatorState& estimator, int32_t SampleCount,
                                const ReadingParameters& parameters, Results& results);

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
