// The second half of a measurement run: the final weights become the series
// impedance Z = Rm * (Wi + j Wq), less the tares, and the texts of the
// readings boxes.  Runs on the user-interface thread, without yielding, right
// after runEstimator.
//
// Faults (none of them stops the program; a box whose value cannot be formed
// shows kNoValueText, "---", and every other box is still written):
// - Rm = 0 (or not finite): no impedance can be formed from the ratio, and the
//   tare Rtare / Rm is not a number.  The weight array is left untared (a
//   non-finite tare is never stored into Wi(H+1)); |Z|, the angle, Rs, Xs,
//   Ls or Cs and Q or D show "---" and are stored as NaN; the captions still
//   follow the sign of Wq; uLMS and eLMS are shown as usual.
// - freq = 0: Ls or Cs is not finite and shows "---".
// - Wq / Wi (Q) or -Wi / Wq (D) beyond the float range (a tiny weight): the
//   box shows "---".  The angle is computed in double and stays right (near
//   +-90 degrees).
// - Any other result that overflows to infinity shows "---".
#pragma once

#include <string>
#include <string_view>

#include "app/VarnexState.h"

namespace varnex {

inline constexpr std::string_view kInductiveCaption = "Ls";
inline constexpr std::string_view kCapacitiveCaption = "Cs";
inline constexpr std::string_view kQualityCaption = "Q";
inline constexpr std::string_view kDissipationCaption = "D";

// The texts of one run, named after the controls and declared in the order the
// window writes them.
struct Readings {
    std::string txtuLMS;  // last step size, padded form
    std::string Text2;    // |Z|, ohms
    std::string Text1;    // angle of Z, degrees
    std::string txteLMS;  // last LMS error, volts
    std::string Text4;    // Rs, ohms
    std::string Text3;    // Xs, ohms
    std::string Label16;  // "Ls" or "Cs"
    std::string Text5;    // Ls or Cs with its unit
    std::string Text6;    // Q or D
    std::string Label17;  // "Q" or "D"
};

// Applies the resistance tare to Wi(H+1), stores Zmag, Zang, Ls or Cs and Q or
// D (in ScaleVal), and returns the texts.  Reads Wi(H+1), Wq(H+1), ErrLMS(H),
// uLMS, Rm, freq, Pi and the tares.
Readings computeReadings(VarnexState& s);

// The box patterns on their own, so they can be checked on exact values.
std::string zmagText(float Zmag);
std::string rsText(float Rs);
std::string xsText(float Xs);
// Ls in mH or uH, by the unit table.
std::string inductanceText(float Ls);
// Cs in uF (three precisions) or pF, by the unit table, largest threshold first.
std::string capacitanceText(float Cs);

}  // namespace varnex
