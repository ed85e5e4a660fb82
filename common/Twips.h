// Forms and the oscilloscope are laid out in twips (1/1440 inch): 15 make one
// pixel at 96 dots per inch.
#pragma once

namespace varnex {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr double kReferenceDpi = 96;

}  // namespace varnex
