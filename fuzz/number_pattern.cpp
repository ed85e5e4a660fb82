// Pattern formatting ("##0.00 uH") of any value with any pattern text.  The
// input is "value|pattern"; without a bar the text is both.
#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "FuzzCheck.h"

namespace {

using varnex::fuzz::printable;

template <typename T>
std::string numberText(T value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isPlaceholder(char c) {
    return c == '#' || c == '0';
}

// The pattern as its header describes it: text, the digit placeholders with
// at most one point, text.
struct PatternParts {
    std::string_view prefix, suffix;
    int minWholeDigits = 0;
    int decimals = 0;
    int minDecimals = 0;
    bool hasPoint = false;
};

PatternParts partsOf(std::string_view pattern) {
    PatternParts parts;
    size_t start = pattern.find_first_of("#0.");
    if (start == std::string_view::npos) start = pattern.size();
    size_t end = start;
    for (; end < pattern.size() && isPlaceholder(pattern[end]); ++end)
        if (pattern[end] == '0') ++parts.minWholeDigits;
    if (end < pattern.size() && pattern[end] == '.') {
        parts.hasPoint = true;
        for (++end; end < pattern.size() && isPlaceholder(pattern[end]); ++end) {
            ++parts.decimals;
            if (pattern[end] == '0') parts.minDecimals = parts.decimals;
        }
    }
    parts.prefix = pattern.substr(0, start);
    parts.suffix = pattern.substr(end);
    return parts;
}

// Fraction digits of the shortest text of the value: with that many decimals
// nothing is rounded away.
template <typename T>
int shortestDecimals(T value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    const std::string_view scientific(text, result.ptr - text);
    const size_t e = scientific.find('e');
    int digits = 0;
    for (size_t i = 0; i < e; ++i)
        if (isDigit(scientific[i])) ++digits;
    int exponent = 0;
    const char* first = text + e + 1;
    if (*first == '+') ++first;
    std::from_chars(first, result.ptr, exponent);
    return std::max(digits - 1 - exponent, 0);
}

template <typename T>
void checkPattern(T value, std::string_view pattern) {
    const std::string shown = varnex::formatPattern(value, pattern);
    const std::string context =
        numberText(value) + " with " + printable(pattern) + " gives " + printable(shown);
    const PatternParts p = partsOf(pattern);

    // Text around the digits is copied unchanged.
    VARNEX_FUZZ_CHECK(
        shown.size() >= p.prefix.size() + p.suffix.size() &&
            std::string_view(shown).substr(0, p.prefix.size()) == p.prefix &&
            std::string_view(shown).substr(shown.size() - p.suffix.size()) == p.suffix,
        context);
    const std::string_view number = std::string_view(shown).substr(
        p.prefix.size(), shown.size() - p.prefix.size() - p.suffix.size());

    // [-]digits[.digits], as many digits as the placeholders ask for.
    size_t i = number.empty() || number[0] != '-' ? 0 : 1;
    const size_t wholeStart = i;
    while (i < number.size() && isDigit(number[i])) ++i;
    const std::string_view whole = number.substr(wholeStart, i - wholeStart);
    std::string_view fraction;
    if (p.hasPoint) {
        VARNEX_FUZZ_CHECK(i < number.size() && number[i] == '.', context);
        const size_t fractionStart = ++i;
        while (i < number.size() && isDigit(number[i])) ++i;
        fraction = number.substr(fractionStart, i - fractionStart);
    }
    VARNEX_FUZZ_CHECK(i == number.size(), context);
    VARNEX_FUZZ_CHECK(static_cast<int>(whole.size()) >= p.minWholeDigits, context);
    VARNEX_FUZZ_CHECK(static_cast<int>(whole.size()) == p.minWholeDigits || whole[0] != '0',
                      context);
    VARNEX_FUZZ_CHECK(static_cast<int>(fraction.size()) >= p.minDecimals &&
                          static_cast<int>(fraction.size()) <= p.decimals,
                      context);
    VARNEX_FUZZ_CHECK(static_cast<int>(fraction.size()) == p.minDecimals || fraction.back() != '0',
                      context);

    // The value rounded to the pattern's decimals, and no minus sign on a zero.
    const double read = varnex::numericValue(number);
    VARNEX_FUZZ_CHECK(wholeStart == 0 || read != 0, context);
    const double typeError =
        std::numeric_limits<T>::epsilon() / 2 * std::fabs(static_cast<double>(value)) +
        std::numeric_limits<double>::epsilon() * std::fabs(read) +
        std::numeric_limits<T>::denorm_min();
    const double halfUnit = 0.5 * std::pow(10.0, -p.decimals);
    VARNEX_FUZZ_CHECK(std::fabs(read - static_cast<double>(value)) <= halfUnit + typeError,
                      context + " reads " + numberText(read));
    // With enough decimals every digit of the value is shown.
    if (p.decimals >= shortestDecimals(value))
        VARNEX_FUZZ_CHECK(static_cast<T>(read) == value, context + " reads " + numberText(read));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t bar = text.find('|');
    const std::string_view valueText = bar == std::string_view::npos ? text : text.substr(0, bar);
    const std::string_view pattern = bar == std::string_view::npos ? text : text.substr(bar + 1);

    checkPattern(varnex::numericValue(valueText), pattern);
    checkPattern(varnex::singleValue(valueText), pattern);

    for (const double odd :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        VARNEX_FUZZ_CHECK(varnex::formatPattern(odd, pattern) == varnex::kNoValueText,
                          printable(pattern));
        VARNEX_FUZZ_CHECK(
            varnex::formatPattern(static_cast<float>(odd), pattern) == varnex::kNoValueText,
            printable(pattern));
    }
    return 0;
}
