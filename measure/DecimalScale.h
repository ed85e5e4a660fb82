// Unit changes for display (henries to microhenries, farads to picofarads).
#pragma once

namespace varnex {

// value x 10^powerOfTen, taken on the float's shortest decimal digits, so the
// unit change adds no binary error of its own: 0.13f F in microfarads is
// exactly 130000 (a float product would give 129999.99) and 3.3e-12f F in
// picofarads is 3.3.  Infinity and NaN pass through, so the box shows "---".
double scaleDecimal(float value, int powerOfTen);

}  // namespace varnex
