#include <gtest/gtest.h>

#include "engine/zones.h"

namespace vorn {
namespace {

// 1920 x 1080 with the default side length (70 %): bands 288 … 1632 and 162 … 918.
ZoneGeometry Geometry(int corner, int side) { return ZoneGeometry{corner, side, 1920, 1080, 288, 1632, 162, 918}; }

struct ZoneCase {
    int corner;
    int side;
    POINT point;
    EdgeZone expected;
};

class ZoneOfPointTest : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(ZoneOfPointTest, MapsPointToZone)
{
    const ZoneCase& c = GetParam();
    EXPECT_EQ(ZoneOfPoint(c.point, Geometry(c.corner, c.side)), c.expected)
        << "corner " << c.corner << " side " << c.side << " at (" << c.point.x << ", " << c.point.y << ")";
}

INSTANTIATE_TEST_SUITE_P(Corners, ZoneOfPointTest,
                         ::testing::Values(
                             // Upper left: C x C.
                             ZoneCase{2, 2, {0, 0}, UpperLeftCorner}, ZoneCase{2, 2, {1, 1}, UpperLeftCorner},
                             ZoneCase{2, 2, {2, 0}, NoZone},  // right of the corner, left of the top band
                             ZoneCase{2, 2, {0, 2}, NoZone},  // below the corner, above the left band
                             // Upper right: one row taller (y from 0 to C).
                             ZoneCase{2, 2, {1919, 0}, UpperRightCorner}, ZoneCase{2, 2, {1919, 1}, UpperRightCorner},
                             ZoneCase{2, 2, {1919, 2}, UpperRightCorner}, ZoneCase{2, 2, {1918, 2}, UpperRightCorner},
                             ZoneCase{2, 2, {1919, 3}, NoZone}, ZoneCase{2, 2, {1917, 0}, NoZone},
                             // Lower left and lower right: C rows.
                             ZoneCase{2, 2, {0, 1078}, LowerLeftCorner}, ZoneCase{2, 2, {1, 1079}, LowerLeftCorner},
                             ZoneCase{2, 2, {0, 1077}, NoZone}, ZoneCase{2, 2, {2, 1079}, NoZone},
                             ZoneCase{2, 2, {1918, 1079}, LowerRightCorner},
                             ZoneCase{2, 2, {1918, 1078}, LowerRightCorner}, ZoneCase{2, 2, {1917, 1079}, NoZone},
                             // Larger corners.
                             ZoneCase{20, 2, {19, 19}, UpperLeftCorner}, ZoneCase{20, 2, {20, 19}, NoZone},
                             ZoneCase{20, 2, {1900, 20}, UpperRightCorner}, ZoneCase{20, 2, {1900, 21}, NoZone},
                             ZoneCase{20, 2, {1900, 1060}, LowerRightCorner},
                             ZoneCase{20, 2, {19, 1060}, LowerLeftCorner}));

INSTANTIATE_TEST_SUITE_P(Sides, ZoneOfPointTest,
                         ::testing::Values(
                             // Left: x < S, open band 162 < y < 918.
                             ZoneCase{2, 2, {0, 163}, LeftSide}, ZoneCase{2, 2, {1, 917}, LeftSide},
                             ZoneCase{2, 2, {0, 162}, NoZone}, ZoneCase{2, 2, {0, 918}, NoZone},
                             ZoneCase{2, 2, {2, 500}, NoZone},
                             // Top: y < S, open band 288 < x < 1632.
                             ZoneCase{2, 2, {289, 0}, TopSide}, ZoneCase{2, 2, {1631, 1}, TopSide},
                             ZoneCase{2, 2, {288, 0}, NoZone}, ZoneCase{2, 2, {1632, 0}, NoZone},
                             ZoneCase{2, 2, {960, 2}, NoZone},
                             // Right: x >= CX - S.
                             ZoneCase{2, 2, {1918, 500}, RightSide}, ZoneCase{2, 2, {1919, 163}, RightSide},
                             ZoneCase{2, 2, {1917, 500}, NoZone}, ZoneCase{2, 2, {1919, 918}, NoZone},
                             // Bottom: y >= CY - S.
                             ZoneCase{2, 2, {960, 1078}, BottomSide}, ZoneCase{2, 2, {960, 1079}, BottomSide},
                             ZoneCase{2, 2, {960, 1077}, NoZone}, ZoneCase{2, 2, {1632, 1079}, NoZone},
                             // Wide sides reach further in.
                             ZoneCase{2, 20, {19, 500}, LeftSide}, ZoneCase{2, 20, {20, 500}, NoZone},
                             ZoneCase{2, 20, {960, 1060}, BottomSide}, ZoneCase{2, 20, {960, 1059}, NoZone},
                             // The middle of the screen and points beyond it.
                             ZoneCase{2, 2, {960, 540}, NoZone}, ZoneCase{2, 2, {-5, 500}, LeftSide},
                             ZoneCase{2, 2, {-5, -5}, UpperLeftCorner}, ZoneCase{2, 2, {2500, 500}, RightSide}));

TEST(ZoneOfPoint, CornersWinOverSidesWhereTheyOverlap)
{
    // A side band that reaches the corner squares: the corner test comes first.
    const ZoneGeometry g{10, 10, 100, 100, 0, 100, 0, 100};
    EXPECT_EQ(ZoneOfPoint({5, 5}, g), UpperLeftCorner);
    EXPECT_EQ(ZoneOfPoint({5, 50}, g), LeftSide);
    EXPECT_EQ(ZoneOfPoint({95, 95}, g), LowerRightCorner);
    // Left before top: a point in both bands, outside the corners.
    const ZoneGeometry wide{1, 20, 100, 100, 0, 100, 0, 100};
    EXPECT_EQ(ZoneOfPoint({5, 5}, wide), LeftSide);
    EXPECT_EQ(ZoneOfPoint({95, 5}, wide), TopSide);
    EXPECT_EQ(ZoneOfPoint({95, 95}, wide), RightSide);
}

}  // namespace
}  // namespace vorn
