// A reading as one line of text for a script or a log: the window's texts
// with their names, a CSV row, or a JSON object.  Every form carries the time
// it was taken; a value the window would show as "---" is left empty in CSV
// and null in JSON.
#pragma once

#include <chrono>
#include <string>

#include "measure/Readings.h"

namespace varnex {

using ReadingTime = std::chrono::system_clock::time_point;

// "2026-12-09T14:03:07.250Z".
std::string isoTime(ReadingTime time);

// "Rs 20.00  Xs 76.97  |Z| 79.53  Ang 75.43  Ls 10.00mH  Q 3.848  ±0.004 Ω".
std::string readingTextLine(const ImpedanceReading& reading);

// The uncertainty as the text line shows it: one significant digit, or two
// when the first is 1, in plain digits ("±0.004 Ω", "±0.12 Ω").
std::string uncertaintyText(double ohms);

// The CSV header and one row, fields in the order of the JSON keys; ls and q
// are empty for a capacitive reading, cs and d for an inductive one.
std::string csvHeader();
std::string csvLine(const ImpedanceReading& reading, ReadingTime time);

// One JSON object with the keys time, frequency, rm, rs, xs, z, angle, kind,
// ls and q or cs and d, u_rs, u_xs, ulms, elms; numbers at full precision.
std::string jsonLine(const ImpedanceReading& reading, ReadingTime time);

}  // namespace varnex
