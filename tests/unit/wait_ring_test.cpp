#include <gtest/gtest.h>

#include "ui/wait_ring_model.h"

namespace vorn::ui {
namespace {

struct FractionCase {
    const char* name;
    DWORD wait, left, elapsed;
    double fraction;
};

TEST(WaitRingTest, FillsWithTheWaitGoneSinceTheZoneWasReached)
{
    const FractionCase cases[] = {
        {"just begun", 1000, 1000, 0, 0.0},
        {"half way", 1000, 1000, 500, 0.5},
        {"just over", 1000, 1000, 1000, 1.0},
        {"long over", 1000, 1000, 60000, 1.0},
        // The pointer reached the zone between two looks: that part is gone.
        {"partly gone when shown", 1000, 250, 0, 0.75},
        {"partly gone, then over", 1000, 250, 250, 1.0},
        {"more left than the wait", 1000, 1500, 0, 0.0},
        {"no wait", 0, 0, 0, 1.0},
    };
    for (const FractionCase& c : cases)
        EXPECT_DOUBLE_EQ(WaitFraction(c.wait, c.left, c.elapsed), c.fraction) << c.name;
}

TEST(WaitRingTest, GrowsWithTheMonitorsScale)
{
    EXPECT_EQ(WaitRingSide(96), kWaitRingSize);
    EXPECT_EQ(WaitRingSide(192), 2 * kWaitRingSize);
    EXPECT_GT(WaitRingSide(144), WaitRingSide(120));
    EXPECT_GT(WaitRingSide(120), WaitRingSide(96));
    EXPECT_EQ(WaitRingSide(0), kWaitRingSize);  // scale unknown
}

enum Side {
    Before,
    After
};

struct PlaceCase {
    const char* name;
    RECT monitor;
    POINT at;
    Side horizontal, vertical;
};

TEST(WaitRingTest, StandsBesideThePointerAndOnItsMonitorAtEveryEdge)
{
    const RECT screen{0, 0, 1920, 1080};
    const RECT leftOfIt{-1280, 0, 0, 1024};
    const PlaceCase cases[] = {
        {"middle", screen, {960, 540}, After, After},
        {"left side", screen, {0, 540}, After, After},
        {"top side", screen, {960, 0}, After, After},
        {"right side", screen, {1919, 540}, Before, After},
        {"bottom side", screen, {960, 1079}, After, Before},
        {"upper left corner", screen, {0, 0}, After, After},
        {"upper right corner", screen, {1919, 0}, Before, After},
        {"lower left corner", screen, {0, 1079}, After, Before},
        {"lower right corner", screen, {1919, 1079}, Before, Before},
        // Room to the right lies on the next monitor, not on this one.
        {"right side of a monitor left of the first", leftOfIt, {-1, 500}, Before, After},
        {"lower left corner of a monitor left of the first", leftOfIt, {-1280, 1023}, After, Before},
    };
    for (const int side : {WaitRingSide(96), WaitRingSide(192)}) {
        for (const PlaceCase& c : cases) {
            const RECT ring = WaitRingPlace(c.at, side, c.monitor);
            SCOPED_TRACE(c.name);
            EXPECT_EQ(ring.right - ring.left, side);
            EXPECT_EQ(ring.bottom - ring.top, side);
            EXPECT_GE(ring.left, c.monitor.left);
            EXPECT_GE(ring.top, c.monitor.top);
            EXPECT_LE(ring.right, c.monitor.right);
            EXPECT_LE(ring.bottom, c.monitor.bottom);
            // Never under the hot spot, where it would hide what is pointed at.
            EXPECT_EQ(c.horizontal == After, ring.left > c.at.x);
            EXPECT_EQ(c.horizontal == Before, ring.right <= c.at.x);
            EXPECT_EQ(c.vertical == After, ring.top > c.at.y);
            EXPECT_EQ(c.vertical == Before, ring.bottom <= c.at.y);
        }
    }
}

TEST(WaitRingTest, FillsClockwiseFromTheTop)
{
    const RECT box{0, 0, 24, 24};
    // Where the fill ends at each quarter: -1 before the box, 0 at the centre, 1 past it.
    struct Case {
        double fraction;
        int x, y;
    };
    const auto side = [](LONG at, LONG low, LONG high) { return at < low ? -1 : at > high ? 1 : at == 12 ? 0 : 2; };
    for (const Case& c : {Case{0.0, 0, -1}, Case{0.25, 1, 0}, Case{0.5, 0, 1}, Case{0.75, -1, 0}}) {
        const POINT end = WaitRingFillEnd(box, c.fraction);
        EXPECT_EQ(side(end.x, box.left, box.right), c.x) << c.fraction;
        EXPECT_EQ(side(end.y, box.top, box.bottom), c.y) << c.fraction;
    }
    // A sliver already leaves the top, so that the pie is not drawn whole.
    EXPECT_GT(WaitRingFillEnd(box, 0.001).x, WaitRingFillEnd(box, 0.0).x);
}

}  // namespace
}  // namespace vorn::ui
