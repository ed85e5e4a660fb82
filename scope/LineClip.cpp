#include "scope/LineClip.h"

#include <algorithm>
#include <cmath>

#include "scope/ScopeGeometry.h"

namespace varnex::scope {
namespace {

double limited(double value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

// One boundary of Liang-Barsky: narrows [enter, leave] so that p * t <= q holds.
bool narrow(double p, double q, double& enter, double& leave) {
    if (p == 0) return q >= 0;  // parallel to this edge: inside or wholly outside
    const double t = q / p;
    if (p < 0) {
        if (t > leave) return false;
        enter = std::max(enter, t);
    } else {
        if (t < enter) return false;
        leave = std::min(leave, t);
    }
    return true;
}

}  // namespace

std::optional<UnitSegment> clipToVisible(const UnitSegment& segment) {
    if (std::isnan(segment.x1) || std::isnan(segment.y1) || std::isnan(segment.x2) ||
        std::isnan(segment.y2))
        return std::nullopt;
    const double x1 = limited(segment.x1), y1 = limited(segment.y1);
    const double x2 = limited(segment.x2), y2 = limited(segment.y2);
    const double dx = x2 - x1, dy = y2 - y1;
    double enter = 0, leave = 1;
    if (!narrow(-dx, x1, enter, leave) || !narrow(dx, kVisibleRight - x1, enter, leave) ||
        !narrow(-dy, y1, enter, leave) || !narrow(dy, kVisibleBottom - y1, enter, leave))
        return std::nullopt;

    // Rounding in the parameter can leave an end a hair outside; pull it back.
    auto inX = [](double x) { return std::clamp(x, 0.0, double(kVisibleRight)); };
    auto inY = [](double y) { return std::clamp(y, 0.0, double(kVisibleBottom)); };
    UnitSegment clipped{x1, y1, x2, y2};
    if (enter > 0) {
        clipped.x1 = x1 + enter * dx;
        clipped.y1 = y1 + enter * dy;
    }
    if (leave < 1) {
        clipped.x2 = x1 + leave * dx;
        clipped.y2 = y1 + leave * dy;
    }
    clipped.x1 = inX(clipped.x1);
    clipped.x2 = inX(clipped.x2);
    clipped.y1 = inY(clipped.y1);
    clipped.y2 = inY(clipped.y2);
    return clipped;
}

}  // namespace varnex::scope
