// The program's flags are 16-bit integers: -1 for True, 0 for False.
#pragma once

#include <cstdint>

namespace varnex {

inline constexpr int16_t kTrue = -1;
inline constexpr int16_t kFalse = 0;

}  // namespace varnex
