#include "common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

namespace varnex {
namespace {

// A finite value as sign, significant digits (no trailing zeros, "0" for zero)
// and the decimal exponent of the first digit: value = d.ddd x 10^exponent.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

DecimalDigits fromScientificText(std::string_view text) {
    DecimalDigits result;
    size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') {
        result.negative = true;
        ++pos;
    }
    for (; pos < text.size() && text[pos] != 'e' && text[pos] != 'E'; ++pos) {
        if (text[pos] != '.') result.digits += text[pos];
    }
    if (pos < text.size()) {
        int exponent = 0;
        const char* first = text.data() + pos + 1;
        if (*first == '+') ++first;
        std::from_chars(first, text.data() + text.size(), exponent);
        result.exponent = exponent;
    }
    while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
    if (result.digits == "0") {
        result.negative = false;
        result.exponent = 0;
    }
    return result;
}

// The value rounded to a number of significant digits, as a meter's display
// would.  to_chars, unlike printf, never uses the locale's decimal separator.
DecimalDigits significantDigits(double value, int digits) {
    char text[64];
    auto [end, ec] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, digits - 1);
    (void)ec;  // 64 characters hold any double with 20 digits
    double readBack = 0;
    if (std::from_chars(text, end, readBack).ec != std::errc::result_out_of_range)
        return fromScientificText(std::string_view(text, end - text));
    // Rounded up past the largest double, the text would read back as 0: the
    // digits are cut instead (1.79769313486231E+308).
    const char* longerEnd =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, digits + 4)
            .ptr;
    const std::string_view longer(text, longerEnd - text);
    const size_t kept =
        (value < 0 ? 1 : 0) + 1 + static_cast<size_t>(digits);  // sign, point, digits
    return fromScientificText(std::string(longer.substr(0, kept)) +
                              std::string(longer.substr(longer.find('e'))));
}

// Shortest digits that read back to the same value of the value's own type.
template <typename T>
DecimalDigits shortestDigits(T value) {
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    (void)ec;  // the buffer is always large enough for a float or a double
    return fromScientificText(std::string_view(text, end - text));
}

std::string exponentText(int exponent) {
    std::string digits = std::to_string(std::abs(exponent));
    if (digits.size() < 2) digits.insert(0, "0");
    return std::string("E") + (exponent < 0 ? '-' : '+') + digits;
}

// Shared body of the plain and padded forms.
std::string numberForm(double value, int digits, int exponentLimit, bool padded) {
    if (!std::isfinite(value)) return std::string(kNoValueText);
    const DecimalDigits d = significantDigits(value, digits);
    std::string text;
    if (d.negative)
        text = "-";
    else if (padded)
        text = " ";

    if (d.exponent < -4 || d.exponent >= exponentLimit) {
        text += d.digits[0];
        if (d.digits.size() > 1) text += "." + d.digits.substr(1);
        return text + exponentText(d.exponent);
    }
    if (d.exponent >= 0) {
        std::string whole = d.digits.substr(0, std::min<size_t>(d.digits.size(), d.exponent + 1));
        whole.resize(d.exponent + 1, '0');
        text += whole;
        if (d.digits.size() > whole.size()) text += "." + d.digits.substr(whole.size());
        return text;
    }
    if (!padded) text += "0";
    return text + "." + std::string(-d.exponent - 1, '0') + d.digits;
}

// The parts of a pattern such as "##0.00 uH".
struct Pattern {
    std::string_view prefix, suffix;
    int minWholeDigits = 0;
    int decimals = 0;
    int minDecimals = 0;
    bool hasPoint = false;
};

bool isDigitPlaceholder(char c) {
    return c == '#' || c == '0' || c == '.';
}

Pattern parsePattern(std::string_view pattern) {
    Pattern p;
    size_t start = 0;
    while (start < pattern.size() && !isDigitPlaceholder(pattern[start])) ++start;
    size_t end = start;
    bool inFraction = false;
    for (; end < pattern.size(); ++end) {
        const char c = pattern[end];
        if (c == '.') {
            if (inFraction) break;  // a second point is literal text
            inFraction = true;
            p.hasPoint = true;
        } else if (c == '0' || c == '#') {
            if (inFraction) {
                ++p.decimals;
                if (c == '0') p.minDecimals = p.decimals;
            } else if (c == '0') {
                ++p.minWholeDigits;
            }
        } else {
            break;
        }
    }
    p.prefix = pattern.substr(0, start);
    p.suffix = pattern.substr(end);
    return p;
}

std::string formatDigits(const DecimalDigits& value, std::string_view patternText) {
    const Pattern p = parsePattern(patternText);
    // Place the digits on a fixed grid: whole part, then p.decimals fraction digits
    // and one more digit that decides the rounding.
    const int wholeCount = std::max(value.exponent + 1, 0);
    std::string grid(wholeCount + p.decimals + 1, '0');
    for (size_t i = 0; i < value.digits.size(); ++i) {
        const long position =
            static_cast<long>(wholeCount) - 1 - value.exponent + static_cast<long>(i);
        if (position >= 0 && position < static_cast<long>(grid.size()))
            grid[position] = value.digits[i];
    }
    const bool roundUp = grid.back() >= '5';
    grid.pop_back();
    if (roundUp) {
        int i = static_cast<int>(grid.size()) - 1;
        while (i >= 0 && grid[i] == '9') grid[i--] = '0';
        if (i >= 0)
            ++grid[i];
        else
            grid.insert(grid.begin(), '1');
    }
    const size_t wholeLength = grid.size() - p.decimals;
    std::string whole = grid.substr(0, wholeLength);
    std::string fraction = grid.substr(wholeLength);

    const size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "" : whole.substr(firstNonZero);
    if (static_cast<int>(whole.size()) < p.minWholeDigits)
        whole.insert(0, p.minWholeDigits - whole.size(), '0');
    while (static_cast<int>(fraction.size()) > p.minDecimals && fraction.back() == '0')
        fraction.pop_back();

    const bool isZero = grid.find_first_not_of('0') == std::string::npos;
    std::string text(p.prefix);
    if (value.negative && !isZero) text += '-';
    text += whole;
    if (p.hasPoint) text += "." + fraction;
    text += p.suffix;
    return text;
}

}  // namespace

std::string plainForm(float value) {
    return numberForm(value, 7, 7, false);
}
std::string plainForm(double value) {
    return numberForm(value, 15, 15, false);
}
std::string paddedForm(float value) {
    return numberForm(value, 7, 7, true);
}
std::string paddedForm(double value) {
    return numberForm(value, 15, 15, true);
}

std::string formatPattern(float value, std::string_view pattern) {
    if (!std::isfinite(value)) return std::string(kNoValueText);
    return formatDigits(shortestDigits(value), pattern);
}

std::string formatPattern(double value, std::string_view pattern) {
    if (!std::isfinite(value)) return std::string(kNoValueText);
    return formatDigits(shortestDigits(value), pattern);
}

double numericValue(std::string_view text) {
    // Gather the leading number with the blanks taken out, then convert it once.
    std::string number;
    size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() &&
               (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n'))
            ++pos;
    };
    auto takeDigits = [&] {
        int count = 0;
        for (skipBlanks(); pos < text.size() && text[pos] >= '0' && text[pos] <= '9';
             skipBlanks()) {
            number += text[pos++];
            ++count;
        }
        return count;
    };

    skipBlanks();
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        if (text[pos] == '-') number += '-';
        ++pos;
    }
    int mantissaDigits = takeDigits();
    if (pos < text.size() && text[pos] == '.') {
        number += '.';
        ++pos;
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0) return 0;

    // An exponent counts only when digits follow the E and its sign.
    const size_t beforeExponent = pos;
    const size_t numberLength = number.size();
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        number += 'e';
        ++pos;
        skipBlanks();
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) number += text[pos++];
        if (takeDigits() == 0) {
            pos = beforeExponent;
            number.resize(numberLength);
        }
    }

    double value = 0;
    const char* first = number.data();
    if (*first == '-' && number.size() > 1 && number[1] == '.') {
        // from_chars wants a digit before the point.
        number.insert(1, "0");
        first = number.data();
    } else if (*first == '.') {
        number.insert(0, "0");
        first = number.data();
    }
    auto [end, ec] = std::from_chars(first, first + number.size(), value);
    (void)end;
    if (ec != std::errc() || !std::isfinite(value)) return 0;
    return value;
}

float singleValue(std::string_view text) {
    const double value = numericValue(text);
    if (std::fabs(value) > std::numeric_limits<float>::max()) return 0;
    return static_cast<float>(value);
}

namespace {

double prefixFactor(char c) {
    switch (c) {
        case 'p':
            return 1e-12;
        case 'n':
            return 1e-9;
        case 'u':
            return 1e-6;
        case 'm':
            return 1e-3;
        case 'k':
        case 'K':
            return 1e3;
        case 'M':
            return 1e6;
        case 'G':
            return 1e9;
        default:
            return 0;
    }
}

// [sign] digits [. digits] [e [sign] digits], at least one mantissa digit.
bool isNumberText(std::string_view text) {
    size_t i = 0;
    auto digits = [&] {
        const size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

}  // namespace

std::string fixedText(double value, int decimals) {
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return std::string(kNoValueText);
    return std::string(text, result.ptr);
}

std::optional<double> prefixedNumber(std::string_view text) {
    double factor = 1;
    if (!text.empty() && prefixFactor(text.back()) != 0) {
        factor = prefixFactor(text.back());
        text.remove_suffix(1);
    }
    // numericValue reads the digits; the whole text must be the number for
    // its result to mean it.
    if (!isNumberText(text)) return std::nullopt;
    const double value = numericValue(text) * factor;
    if (!std::isfinite(value)) return std::nullopt;
    // numericValue gives 0 for a number beyond a double: not a zero written.
    const std::string_view mantissa = text.substr(0, text.find_first_of("eE"));
    if (value == 0 && mantissa.find_first_of("123456789") != std::string_view::npos)
        return std::nullopt;
    return value;
}

std::string engineeringText(double value, std::string_view unit, int significant) {
    if (!std::isfinite(value)) return std::string(kNoValueText);
    static constexpr std::pair<double, const char*> kPrefixes[] = {
        {1e9, "G"},  {1e6, "M"},  {1e3, "k"},  {1, ""},
        {1e-3, "m"}, {1e-6, "µ"}, {1e-9, "n"}, {1e-12, "p"}};
    const double size = std::fabs(value);
    double factor = 1;
    const char* prefix = "";
    if (size != 0) {
        factor = kPrefixes[std::size(kPrefixes) - 1].first;
        prefix = kPrefixes[std::size(kPrefixes) - 1].second;
        for (const auto& [f, p] : kPrefixes) {
            // Rounded as it will be shown: 999.96 with four digits is 1.000 k.
            const double digitsBefore = std::floor(std::log10(size / f)) + 1;
            const double decimals = std::max(0.0, significant - digitsBefore);
            const double shown =
                std::round(size / f * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
            if (shown >= 1) {
                factor = f;
                prefix = p;
                break;
            }
        }
    }
    const double scaled = value / factor;
    // The digits before the point once rounded: 99.996 shows as 100.0, not 100.00.
    auto decimalsFor = [&](double x) {
        const int before = x == 0 ? 1 : static_cast<int>(std::floor(std::log10(std::fabs(x)))) + 1;
        return std::max(0, significant - std::max(before, 1));
    };
    const int decimals = decimalsFor(scaled);
    const double rounded = std::round(scaled * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    return fixedText(scaled, decimalsFor(rounded)) + " " + prefix + std::string(unit);
}

}  // namespace varnex
