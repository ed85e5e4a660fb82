#include "measure/DecimalScale.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace varnex {

double scaleDecimal(float value, int powerOfTen) {
    if (!std::isfinite(value)) return value;
    // Shortest digits that read back to the same float, as d.ddde[+-]xx.
    char digits[32];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific);
    const double product = double(value) * std::pow(10.0, powerOfTen);
    if (ec != std::errc()) return product;
    char* e = digits;
    while (e != end && *e != 'e') ++e;
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), end, exponent);
    // At most 9 significant digits: the double read back holds them exactly enough
    // that its own shortest digits are the same.
    char shifted[48];
    std::snprintf(shifted, sizeof shifted, "%.*se%d", static_cast<int>(e - digits), digits,
                  exponent + powerOfTen);
    double result = 0;
    const auto parsed = std::from_chars(shifted, shifted + std::strlen(shifted), result);
    return parsed.ec == std::errc() ? result : product;
}

}  // namespace varnex
