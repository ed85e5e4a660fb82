// Arithmetic guards for values that come from the settings file: any of them
// may be zero, negative, tiny or not finite.
#pragma once

#include "common/Single.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "common/WorkingArrays.h"

namespace varnex::scope {

// a / b with the IEEE result for b = 0 (signed infinity, or NaN for 0 / 0),
// without performing a division by zero.
inline double quotient(double a, double b) {
    if (b != 0) return a / b;
    if (a == 0 || std::isnan(a)) return std::numeric_limits<double>::quiet_NaN();
    return std::signbit(a) == std::signbit(b) ? std::numeric_limits<double>::infinity()
                                              : -std::numeric_limits<double>::infinity();
}

// An array index for Vx and Vr: NaN gives 0, everything else is held in 0..kLastIndex.
inline int32_t clampedIndex(double index) {
    if (!(index >= 0)) return 0;
    if (index > kLastIndex) return kLastIndex;
    return static_cast<int32_t>(index);
}

// The value at an index of a volt array; indices outside the array read as 0 V,
// like the never-written tail of the array.
inline float sampleAt(const VoltArray& values, int64_t index) {
    if (index < 0 || index > kLastIndex) return 0;
    return values[static_cast<size_t>(index)];
}

}  // namespace varnex::scope
