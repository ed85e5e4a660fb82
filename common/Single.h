// Rounding a double to a Single (float), and to the nearest whole number the
// way the program's integer conversions round.
#pragma once

#include <cmath>
#include <limits>

namespace varnex {

// A value beyond the float range becomes infinite instead of an undefined
// conversion, so the displays can show their "---" marker for it.
inline float toSingle(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest) return std::numeric_limits<float>::infinity();
    if (value < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2),
// whatever the floating-point rounding mode; infinities and NaN pass through.
inline double roundHalfEven(double value) {
    if (!std::isfinite(value)) return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2) == 0 ? below : below + 1;
}

}  // namespace varnex
