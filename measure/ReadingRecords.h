// A reading as one line of text for a script or a log: the window's texts
// with their names, a CSV row, or a JSON object.  Every form carries the time
// it was taken; a value the window would show as "---" is left empty in CSV
// and null in JSON.
#pragma once

#include <chrono>
#include <string>

#include "measure/ParallelReadings.h"
#include "measure/Readings.h"

namespace varnex {

using ReadingTime = std::chrono::system_clock::time_point;

// "2026-12-09T14:03:07.250Z".
std::string isoTime(ReadingTime time);

// "1225 Hz  Rs 20.00  Xs 76.97  |Z| 79.53  Ang 75.43  Ls 10.00mH  Q 3.848
// ±0.004 Ω  Rp 316.2 Ω  Lp 10.66 mH": the frequency played, the window's
// texts, the larger uncertainty of Rs and Xs, and the parallel equivalent.
std::string readingTextLine(const ImpedanceReading& reading);

// "Rp 316.2 Ω  Lp 10.66 mH" or "Rp 1.000 MΩ  Cp 100.0 nF".
std::string parallelText(const ParallelReadings& parallel);

// A frequency as the output names it: "1225 Hz", "1000.0227 Hz".
std::string frequencyText(double hertz);

// The uncertainty as the text line shows it: one significant digit, or two
// when the first is 1, in plain digits ("±0.004 Ω", "±0.12 Ω").
std::string uncertaintyText(double ohms);

// The CSV header and one row, fields in the order of the JSON keys; ls and q
// are empty for a capacitive reading, cs and d for an inductive one, and cp
// or lp likewise by the parallel set's kind.
std::string csvHeader();
std::string csvLine(const ImpedanceReading& reading, ReadingTime time);

// One JSON object with the keys time, frequency (as played), rm, the series
// set rs, xs, z, kind, ls and q or cs and d (the window's Singles, Ls and Cs
// less their tares), angle (of Z in its own quadrant, -180..180), the
// parallel set rp, xp, lp or cp, g, b, y (from Z), the standard
// uncertainties u_rs and u_xs, ulms and elms; numbers at full precision.
std::string jsonLine(const ImpedanceReading& reading, ReadingTime time);

}  // namespace varnex
