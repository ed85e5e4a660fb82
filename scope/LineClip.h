// Clipping of line segments to the visible area, in drawing units.
#pragma once

#include <optional>

namespace varnex::scope {

struct UnitSegment {
    double x1, y1, x2, y2;
};

// Coordinates are held within this distance of the screen before clipping, so
// infinite values cannot poison the arithmetic; a segment that reaches so far
// out is off-screen anyway, except for a negligible change of its slope.
inline constexpr double kCoordinateLimit = 1e9;

// The part of the segment inside 0..kVisibleRight x 0..kVisibleBottom, both
// ends included, or nothing when it misses the area or has a NaN coordinate.
// The returned coordinates always lie inside the area.
std::optional<UnitSegment> clipToVisible(const UnitSegment& segment);

}  // namespace varnex::scope
