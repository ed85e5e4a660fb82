// Rounding a double to a Single (float).  A value beyond the float range
// becomes infinite instead of an undefined conversion, so the displays can
// show their "---" marker for it.
#pragma once

#include <limits>

namespace varnex {

inline float toSingle(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest) return std::numeric_limits<float>::infinity();
    if (value < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

}  // namespace varnex
