#include "scope/LineClip.h"

#include <gtest/gtest.h>

#include <limits>

namespace varnex::scope {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(LineClip, SegmentsAreCutToTheVisibleArea) {
    struct Row {
        const char* name;
        UnitSegment in;
        bool visible;
        UnitSegment out;
    };
    const Row rows[] = {
        {"inside", {100, 200, 300, 400}, true, {100, 200, 300, 400}},
        {"on the top edge", {0, 0, 7000, 0}, true, {0, 0, 6995, 0}},
        {"right graticule line outside", {7000, 0, 7000, 5600}, false, {}},
        {"bottom graticule line outside", {0, 5600, 7000, 5600}, false, {}},
        {"crosses the left edge", {-100, 100, 100, 100}, true, {0, 100, 100, 100}},
        {"crosses the top diagonally", {0, -100, 200, 100}, true, {100, 0, 200, 100}},
        {"runs past the right edge", {6900, 2800, 7100, 2800}, true, {6900, 2800, 6995, 2800}},
        {"both ends outside, passes through",
         {-1000, 2800, 9000, 2800},
         true,
         {0, 2800, 6995, 2800}},
        {"wholly above", {10, -20, 500, -1}, false, {}},
        {"wholly right", {6996, 10, 8000, 20}, false, {}},
        {"a point inside", {50, 60, 50, 60}, true, {50, 60, 50, 60}},
        {"infinite end, vertical", {100, 2800, 100, kInf}, true, {100, 2800, 100, 5595}},
        {"both ends infinite", {-kInf, 10, kInf, 10}, true, {0, 10, 6995, 10}},
        {"NaN end", {kNaN, 10, 20, 10}, false, {}},
    };
    for (const Row& row : rows) {
        const auto clipped = clipToVisible(row.in);
        ASSERT_EQ(clipped.has_value(), row.visible) << row.name;
        if (!clipped) continue;
        EXPECT_NEAR(clipped->x1, row.out.x1, 1e-6) << row.name;
        EXPECT_NEAR(clipped->y1, row.out.y1, 1e-6) << row.name;
        EXPECT_NEAR(clipped->x2, row.out.x2, 1e-6) << row.name;
        EXPECT_NEAR(clipped->y2, row.out.y2, 1e-6) << row.name;
    }
}

TEST(LineClip, HugeSteepSegmentsStayInsideTheArea) {
    const UnitSegment huge[] = {{3000, 2800, 3001, 1e300},
                                {3000, 2800, 3001, -1e300},
                                {-1e30, -1e30, 1e30, 1e30},
                                {6995, 5595, 1e12, 1e12}};
    for (const UnitSegment& segment : huge) {
        const auto clipped = clipToVisible(segment);
        ASSERT_TRUE(clipped) << segment.x1 << "," << segment.y1 << " " << segment.x2 << ","
                             << segment.y2;
        for (double x : {clipped->x1, clipped->x2}) {
            EXPECT_GE(x, 0);
            EXPECT_LE(x, 6995);
        }
        for (double y : {clipped->y1, clipped->y2}) {
            EXPECT_GE(y, 0);
            EXPECT_LE(y, 5595);
        }
    }
}

}  // namespace
}  // namespace varnex::scope
