// What the mouse hook keeps from the windows below and what it sets off, as
// the hook's thread asks it for each mouse event.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "engine/zone_input.h"

namespace vorn {

bool operator==(const ZoneInputAnswer& a, const ZoneInputAnswer& b)
{
    return a.take == b.take && a.runs == b.runs && (!a.take || a.set == b.set);
}

void PrintTo(const ZoneInputAnswer& a, std::ostream* out)
{
    *out << "{" << (a.take ? "take" : "pass") << ", set " << a.set << ", runs " << a.runs << "}";
}

namespace {

constexpr POINT kRightSide{1919, 540};
constexpr POINT kOutside{960, 540};
constexpr POINT kUpperRight{1919, 0};

// The right side of one 1920 x 1080 screen with wheel up and a Ctrl click.
ZoneInputTarget RightSideTarget()
{
    ZoneInputTarget target;
    target.zone = RightSide;
    target.geometry = ZoneGeometry{2, 2, 1920, 1080, 100, 1820, 100, 980};
    target.takes = static_cast<std::uint16_t>((1u << (SetOf(WheelUp, Plain) - kModifierCount)) |
                                              (1u << (SetOf(Click, Ctrl) - kModifierCount)));
    return target;
}

struct Input {
    MouseInput input;
    POINT at;
    int delta;
    ModifierKey modifier;
    ZoneInputAnswer expected;
};

// The bottom side of the right one of two monitors, with corners on every
// monitor: the same side of the monitor beside it is another zone.
ZoneInputTarget BottomOfSecondMonitor()
{
    ZoneInputTarget target = RightSideTarget();
    target.zone = BottomSide;
    target.onMonitors = true;
    target.monitors.rects[0] = RECT{0, 0, 1920, 1080};
    target.monitors.rects[1] = RECT{1920, 0, 3840, 1080};
    target.monitors.count = 2;
    target.monitor = 1;
    target.sideLength = 70;
    return target;
}

struct FilterCase {
    const char* what;
    std::vector<Input> inputs;
    ZoneInputTarget target = RightSideTarget();
};

constexpr ActionSet kUp = SetOf(WheelUp, Plain);
constexpr ActionSet kCtrlClick = SetOf(Click, Ctrl);

const FilterCase kFilterCases[] = {
    {"each notch runs once; a fast turn of three notches at once runs three times",
     {{MouseInput::Wheel, kRightSide, 120, Plain, {true, kUp, 1}},
      {MouseInput::Wheel, kRightSide, 360, Plain, {true, kUp, 3}}}},
    {"small steps add up to a notch and run at the step that completes it",
     {{MouseInput::Wheel, kRightSide, 40, Plain, {true, kUp, 0}},
      {MouseInput::Wheel, kRightSide, 40, Plain, {true, kUp, 0}},
      {MouseInput::Wheel, kRightSide, 50, Plain, {true, kUp, 1}},
      {MouseInput::Wheel, kRightSide, 110, Plain, {true, kUp, 1}}}},
    {"steps gathered outside the zone or the other way do not count",
     {{MouseInput::Wheel, kRightSide, 100, Plain, {true, kUp, 0}},
      {MouseInput::Wheel, kOutside, 100, Plain, {}},
      {MouseInput::Wheel, kRightSide, 100, Plain, {true, kUp, 0}},
      {MouseInput::Wheel, kRightSide, -60, Plain, {}},
      {MouseInput::Wheel, kRightSide, 100, Plain, {true, kUp, 0}}}},
    {"the wheel without an action for its way or its modifier passes",
     {{MouseInput::Wheel, kRightSide, -120, Plain, {}},
      {MouseInput::Wheel, kRightSide, 120, Shift, {}},
      {MouseInput::Wheel, kUpperRight, 120, Plain, {}}}},
    {"a click in the zone is taken, press and release, and runs at the release",
     {{MouseInput::LeftDown, kRightSide, 0, Ctrl, {true, kCtrlClick, 0}},
      {MouseInput::LeftUp, kRightSide, 0, Ctrl, {true, kCtrlClick, 1}}}},
    {"a press taken and let go outside: the release is taken, nothing runs",
     {{MouseInput::LeftDown, kRightSide, 0, Ctrl, {true, kCtrlClick, 0}},
      {MouseInput::LeftUp, kOutside, 0, Plain, {true, kCtrlClick, 0}},
      {MouseInput::LeftUp, kRightSide, 0, Ctrl, {}}}},
    {"a drag begun outside and let go in the zone is not the zone's",
     {{MouseInput::LeftDown, kOutside, 0, Ctrl, {}}, {MouseInput::LeftUp, kRightSide, 0, Ctrl, {}}}},
    {"a click without its modifier's action, and other buttons, pass",
     {{MouseInput::LeftDown, kRightSide, 0, Plain, {}},
      {MouseInput::LeftUp, kRightSide, 0, Plain, {}},
      {MouseInput::Other, kRightSide, 120, Plain, {}}}},
    {"on every monitor only the zone's own monitor is taken",
     {{MouseInput::Wheel, POINT{2880, 1079}, 120, Plain, {true, kUp, 1}},
      {MouseInput::Wheel, POINT{960, 1079}, 120, Plain, {}}},
     BottomOfSecondMonitor()},
};

TEST(ZoneInputFilterTest, TakesTheZonesOwnWheelAndClicksAndCountsTheirRuns)
{
    for (const FilterCase& c : kFilterCases) {
        SCOPED_TRACE(c.what);
        CZoneInputFilter filter;
        filter.Aim(c.target);
        int number = 0;
        for (const Input& input : c.inputs)
            EXPECT_EQ(filter.Event(input.input, input.at, input.delta, input.modifier), input.expected)
                << "input " << number++;
    }
}

// Released with a press taken: the press's release is still taken, and the
// next zone does not inherit the steps of the last.
TEST(ZoneInputFilterTest, AReleasedHookStillTakesTheReleaseOfItsPress)
{
    CZoneInputFilter filter;
    filter.Aim(RightSideTarget());
    EXPECT_TRUE(filter.Event(MouseInput::Wheel, kRightSide, 100, Plain).take);
    EXPECT_TRUE(filter.Event(MouseInput::LeftDown, kRightSide, 0, Ctrl).take);
    filter.Release();
    EXPECT_FALSE(filter.Event(MouseInput::Wheel, kRightSide, 120, Plain).take);
    EXPECT_EQ(filter.Event(MouseInput::LeftUp, kRightSide, 0, Ctrl), (ZoneInputAnswer{true, kCtrlClick, 0}));
    filter.Aim(RightSideTarget());
    EXPECT_EQ(filter.Event(MouseInput::Wheel, kRightSide, 100, Plain), (ZoneInputAnswer{true, kUp, 0}));
}

}  // namespace
}  // namespace vorn
