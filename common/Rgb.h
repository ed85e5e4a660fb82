// Colours as the program stores them: red + 256 * green + 65536 * blue.
#pragma once

#include <cstdint>

namespace varnex {

constexpr int32_t rgb(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

constexpr int redOf(int32_t colour) {
    return colour & 0xff;
}
constexpr int greenOf(int32_t colour) {
    return (colour >> 8) & 0xff;
}
constexpr int blueOf(int32_t colour) {
    return (colour >> 16) & 0xff;
}

}  // namespace varnex
