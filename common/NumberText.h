// Number <-> text conversions shared by every window and file of the program.
// Every text the program writes uses a point as the decimal separator, whatever
// the locale, because every reader of those texts accepts only a point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnex {

// Shown wherever a value cannot be represented (infinite or not a number).
inline constexpr std::string_view kNoValueText = "---";

// Shortest decimal text with at most 7 (float) or 15 (double) significant
// digits, no leading blank: 1 -> "1", 0.5 -> "0.5", 2.792e-5 -> "2.792E-05".
// Exponent notation when the decimal exponent is below -4 or at least 7
// (float) / 15 (double).  The few doubles that would round up past the
// largest double have their digits cut instead, so every form reads back.
std::string plainForm(float value);
std::string plainForm(double value);

// The same digits with one leading blank for a value that is not negative and
// no zero before the point: 0.055 -> " .055", 100 -> " 100", -0.5 -> "-.5".
std::string paddedForm(float value);
std::string paddedForm(double value);

// Pattern formatting: '#' optional digit, '0' digit always shown, '.' the
// decimal point; digits left of the point are never cut off; any other text
// before or after the digits is copied unchanged ("##0.00 uH").  The value is
// rounded half away from zero on its shortest decimal text, as a meter reads:
// 0.125 with "0.00" gives "0.13".  A value that rounds to zero has no sign.
std::string formatPattern(float value, std::string_view pattern);
std::string formatPattern(double value, std::string_view pattern);

// Numeric value of a text: blanks anywhere are ignored, the longest leading
// decimal number (sign, digits, one point, exponent) is taken, the rest is
// ignored; 0 when the text does not begin with a number or the number does
// not fit a double.  "1 000" -> 1000, "1,5" -> 1, "12.5 pF" -> 12.5.
double numericValue(std::string_view text);

// numericValue rounded to a float; a value beyond the float range gives 0.
float singleValue(std::string_view text);

// A whole text that is one decimal number ([sign] digits [. digits]
// [e [sign] digits]) with an optional SI prefix at its end, p n u m k K M G:
// "2.2k" -> 2200, "100n" -> 1e-7.  Nothing for any other text or a value
// beyond a double.
std::optional<double> prefixedNumber(std::string_view text);

// value with `decimals` digits after a point, whatever the locale: (2.5, 2)
// -> "2.50".
std::string fixedText(double value, int decimals);

// A value with an SI prefix (p to G) and `significant` digits, then the
// unit: (1.00123e6, "Ω") -> "1.001 MΩ", (9.99e-8, "F") -> "99.90 nF";
// kNoValueText for a value that is not finite.
std::string engineeringText(double value, std::string_view unit, int significant = 4);

}  // namespace varnex
