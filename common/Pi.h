// The program's Pi: the Single nearest to 4 * arctan(1), as every formula of
// the tone and the readings uses it.
#pragma once

#include <numbers>

namespace varnex {

inline constexpr float Pi = std::numbers::pi_v<float>;

}  // namespace varnex
