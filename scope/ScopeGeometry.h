// Fixed geometry and colours of the oscilloscope screen.  Positions are in
// drawing units (twips of the screen: 15 per pixel at 96 dpi), origin top left,
// y downward.
#pragma once

#include <cstdint>

#include "common/Rgb.h"
#include "common/Twips.h"

namespace varnex::scope {

// Limits of the visible area; the control itself is 7025 x 5625 with its border.
inline constexpr int kVisibleRight = 6995;
inline constexpr int kVisibleBottom = 5595;

// Graticule: 10 divisions across, 8 down; the last line on the right and at the
// bottom lies just outside the visible area.
inline constexpr int kDivision = 700;
inline constexpr int kDivisionsAcross = 10;
inline constexpr int kGraticuleRight = kDivision * kDivisionsAcross;  // 7000
inline constexpr int kGraticuleBottom = kDivision * 8;                // 5600
inline constexpr int kCentreX = kGraticuleRight / 2;                  // 3500
inline constexpr int kCentreY = kGraticuleBottom / 2;                 // 2800, 0 V

// Five ticks per division on both centre lines, 120 units long.
inline constexpr int kTickSpacing = kDivision / 5;
inline constexpr int kTickHalfLength = 60;
inline constexpr int kTickCount = 50;

inline constexpr int kUnitsPerPixel = kTwipsPerPixel;

// Every redraw draws this many segments from the trigger point, whatever the time base.
inline constexpr int kTraceSegments = 401;

// Colours as red + 256 * green + 65536 * blue.
inline constexpr int32_t kBackgroundColour = rgb(0, 0, 0);
inline constexpr int32_t kGridColour = rgb(85, 85, 85);  // 5592405
inline constexpr int32_t kCursorColour = rgb(255, 0, 0);
inline constexpr int32_t VxColor = rgb(0, 255, 0);
inline constexpr int32_t VrColor = rgb(0, 0, 255);

}  // namespace varnex::scope
