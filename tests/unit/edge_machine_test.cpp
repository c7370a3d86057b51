#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "engine/edge_machine.h"
#include "engine/monitor_cache.h"

namespace vorn {

void PrintTo(const EdgeDecision& d, std::ostream* out)
{
    *out << "{kind " << int{d.kind} << ", zone " << d.zone << ", " << d.ms << " ms" << (d.restart ? ", restart" : "")
         << ", slot " << d.slot << ", reason " << int{d.reason} << ", wait " << d.wait << "}";
}

namespace {

// Answers as the step says, counting the button questions (each takes the
// system's "pressed since" report).
struct StepSenses final : IEdgeSenses {
    Buttons buttons{false, false};
    bool fullScreen = false;
    int buttonAsks = 0;
    Buttons MouseButtons() override { return ++buttonAsks, buttons; }
    bool FullScreenInFront() override { return fullScreen; }
};

constexpr POINT kCorner{0, 0};
constexpr POINT kTop{960, 0};
constexpr POINT kMiddle{960, 540};
constexpr POINT kLowerRight{1919, 1079};

struct Step {
    POINT at;
    DWORD now;
    bool tick;
    bool buttonDown;
    bool fullScreen;
    std::vector<EdgeDecision> expected;
    int buttonAsks = 0;
};

struct MachineCase {
    const char* what;
    EdgeSettings settings;
    std::vector<Step> steps;
};

using D = EdgeDecision;

// Every zone waits `ms`.
EdgeSettings WaitingEverywhere(int ms)
{
    EdgeSettings settings;
    settings.dwellTime = ms;
    return settings;
}

// One zone waits `ms`, the others not at all.
EdgeSettings OwnWait(EdgeZone zone, int ms)
{
    EdgeSettings settings;
    settings.zoneDwell[static_cast<std::size_t>(zone)] = ms;
    return settings;
}

const D kForget{D::ForgetLookAgain};

const MachineCase kCases[] = {
    {"a zone is entered once its dwell is over, not a millisecond sooner",
     WaitingEverywhere(300),
     {{kCorner, 1000, true, false, false, {{D::LookAgain, UpperLeftCorner, 300, true}}},
      {kCorner, 1299, false, false, false, {{D::LookAgain, UpperLeftCorner, 1, false}}},
      {kCorner, 1300, true, false, false, {{D::RunBeginning, UpperLeftCorner}}},
      {kMiddle, 1400, true, false, false, {{D::RunEnding, UpperLeftCorner}}}}},
    {"a dwell begun in one zone does not count in the next",
     WaitingEverywhere(300),
     {{kCorner, 0, true, false, false, {{D::LookAgain, UpperLeftCorner, 300, true}}},
      {kTop,
       290,
       true,
       false,
       false,
       {{D::NotEntered, UpperLeftCorner, 290, false, -1, D::WaitCutShort, 300}, {D::LookAgain, TopSide, 300, true}}}}},
    {"a zone reached with a button down is entered only afresh; movements do not ask the buttons",
     {.quietWhileDragging = true},
     {{kMiddle, 0, false, true, false, {kForget}, 0},
      {kCorner, 10, false, true, false, {{D::NotEntered, UpperLeftCorner, 0, false, -1, D::ButtonHeld}, kForget}, 1},
      {kCorner, 20, true, false, false, {kForget}, 1},
      {kMiddle, 30, false, false, false, {kForget}, 0},
      {kCorner, 40, false, false, false, {{D::RunBeginning, UpperLeftCorner}}, 1}}},
    {"a full-screen program keeps zones from being entered, not from ending",
     {.pauseInFullScreen = true},
     {{kCorner, 0, true, false, false, {{D::RunBeginning, UpperLeftCorner}}},
      {kTop,
       10,
       true,
       false,
       true,
       {{D::NotEntered, TopSide, 0, false, -1, D::FullScreen}, {D::RunEnding, UpperLeftCorner}}},
      {kCorner, 20, true, false, true, {{D::NotEntered, UpperLeftCorner, 0, false, -1, D::FullScreen}}},
      {kCorner, 30, true, false, true, {}}}},
    {"a zone's own wait: a visit one millisecond short enters nothing, and coming back waits it all again",
     OwnWait(UpperLeftCorner, 800),
     {{kCorner, 1000, true, false, false, {{D::LookAgain, UpperLeftCorner, 800, true}}},
      {kCorner, 1799, true, false, false, {{D::LookAgain, UpperLeftCorner, 1, false}}},
      {kMiddle,
       1800,
       true,
       false,
       false,
       {{D::NotEntered, UpperLeftCorner, 800, false, -1, D::WaitCutShort, 800}, kForget}},
      {kCorner, 1900, true, false, false, {{D::LookAgain, UpperLeftCorner, 800, true}}},
      {kCorner, 2699, false, false, false, {{D::LookAgain, UpperLeftCorner, 1, false}}},
      {kCorner, 2700, false, false, false, {{D::RunBeginning, UpperLeftCorner}}}}},
    {"a zone's own wait, stayed exactly, enters; its neighbour without one is entered at once",
     OwnWait(UpperLeftCorner, 800),
     {{kTop, 0, true, false, false, {{D::RunBeginning, TopSide}}},
      {kCorner, 10, true, false, false, {{D::LookAgain, UpperLeftCorner, 800, true}, {D::RunEnding, TopSide}}},
      {kCorner, 810, true, false, false, {{D::RunBeginning, UpperLeftCorner}}},
      {kTop, 820, true, false, false, {{D::RunEnding, UpperLeftCorner}, {D::RunBeginning, TopSide}}}}},
    {"a wait longer than a second is waited out",
     OwnWait(LowerRightCorner, 5000),
     {{kLowerRight, 0, true, false, false, {{D::LookAgain, LowerRightCorner, 5000, true}}},
      {kLowerRight, 4999, true, false, false, {{D::LookAgain, LowerRightCorner, 1, false}}},
      {kLowerRight, 5000, true, false, false, {{D::RunBeginning, LowerRightCorner}}}}},
    {"leaving while edge actions are off leaves the ending pending",
     {.enabled = false},
     {{kCorner, 0, true, false, false, {{D::NotEntered, UpperLeftCorner, 0, false, -1, D::Disabled}}},
      {kMiddle, 10, true, false, false, {{D::EndingPending, UpperLeftCorner}}}}},
};

TEST(EdgeMachineTest, DecidesFromLooksAndTime)
{
    const SideBands bands = SideBandsOf(1920, 1080, 70);
    const ZoneGeometry screen{2, 2, 1920, 1080, bands.xLow, bands.xHigh, bands.yLow, bands.yHigh};
    for (const MachineCase& c : kCases) {
        CEdgeMachine machine;
        int number = 0;
        for (const Step& step : c.steps) {
            StepSenses senses;
            senses.buttons = {step.buttonDown, false};
            senses.fullScreen = step.fullScreen;
            const EdgeDecisions made = machine.Step({step.at, step.now, step.tick, screen}, c.settings, senses);
            EXPECT_EQ(std::vector<EdgeDecision>(made.begin(), made.end()), step.expected)
                << c.what << ", step " << number;
            if (c.settings.quietWhileDragging) {
                EXPECT_EQ(senses.buttonAsks, step.buttonAsks) << c.what << ", step " << number;
            }
            ++number;
        }
    }
}

// Two monitors side by side, the right one with assignments of its own
// when the case says so: the place of a zone is the zone on its monitor.
constexpr RECT kLeftMonitor{0, 0, 1920, 1080};
constexpr RECT kRightMonitor{1920, 0, 3840, 1080};
constexpr POINT kLeftBottom{960, 1079};
constexpr POINT kRightBottom{2880, 1079};
constexpr POINT kLeftOfBoundary{1900, 1079};
constexpr POINT kRightOfBoundary{1950, 1079};
constexpr POINT kRightLowerCorner{3839, 1079};

struct MonitorStep {
    POINT at;
    DWORD now;
    std::vector<EdgeDecision> expected;
};

struct MonitorCase {
    const char* what;
    bool everyMonitor;
    bool rightHasOwn;
    int wait;
    std::vector<MonitorStep> steps;
};

constexpr int kRight = 0;  // the slot the right monitor's assignments get

const MonitorCase kMonitorCases[] = {
    {"on every monitor, the same zone on the next monitor within one look ends and begins",
     true,
     true,
     0,
     {{kLeftBottom, 0, {{D::RunBeginning, BottomSide, 0, false, -1}}},
      {kRightBottom, 10, {{D::RunEnding, BottomSide, 0, false, -1}, {D::RunBeginning, BottomSide, 0, false, kRight}}},
      {kRightBottom, 20, {kForget}},
      {kMiddle, 30, {{D::RunEnding, BottomSide, 0, false, kRight}}}}},
    {"on every monitor, two monitors sharing the assignments are two places all the same",
     true,
     false,
     0,
     {{kLeftBottom, 0, {{D::RunBeginning, BottomSide, 0, false, -1}}},
      {kRightBottom, 10, {{D::RunEnding, BottomSide, 0, false, -1}, {D::RunBeginning, BottomSide, 0, false, -1}}}}},
    {"on every monitor, the wait starts again on the same zone of the next monitor",
     true,
     true,
     300,
     {{kLeftBottom, 0, {{D::LookAgain, BottomSide, 300, true}}},
      {kRightBottom,
       200,
       {{D::NotEntered, BottomSide, 200, false, -1, D::WaitCutShort, 300}, {D::LookAgain, BottomSide, 300, true}}},
      {kRightBottom, 499, {{D::LookAgain, BottomSide, 1, false}}},
      {kRightBottom, 500, {{D::RunBeginning, BottomSide, 0, false, kRight}}}}},
    {"on the virtual screen, a corner runs the assignments of the monitor holding it",
     false,
     true,
     0,
     {{kRightLowerCorner, 0, {{D::RunBeginning, LowerRightCorner, 0, false, kRight}}},
      {POINT{0, 1079},
       10,
       {{D::RunEnding, LowerRightCorner, 0, false, kRight}, {D::RunBeginning, LowerLeftCorner, 0, false, -1}}}}},
    {"on the virtual screen, a side running across monitors changes with their assignments",
     false,
     true,
     0,
     {{kLeftOfBoundary, 0, {{D::RunBeginning, BottomSide, 0, false, -1}}},
      {kRightOfBoundary,
       10,
       {{D::RunEnding, BottomSide, 0, false, -1}, {D::RunBeginning, BottomSide, 0, false, kRight}}},
      {kLeftOfBoundary,
       20,
       {{D::RunEnding, BottomSide, 0, false, kRight}, {D::RunBeginning, BottomSide, 0, false, -1}}}}},
    {"on the virtual screen, a side across monitors that share the assignments stays one zone",
     false,
     false,
     0,
     {{kLeftOfBoundary, 0, {{D::RunBeginning, BottomSide, 0, false, -1}}},
      {kRightOfBoundary, 10, {kForget}},
      {kLeftOfBoundary, 20, {kForget}}}},
};

TEST(EdgeMachineTest, AZoneRunsTheAssignmentsOfTheMonitorWhereItWasEntered)
{
    const std::vector<ConnectedMonitor> connected = {{kLeftMonitor, true, 1, L"\\\\?\\DISPLAY#LEFT#1", L"Left"},
                                                     {kRightMonitor, false, 2, L"\\\\?\\DISPLAY#RIGHT#2", L"Right"}};
    MonitorList monitors;
    monitors.rects[0] = kLeftMonitor;
    monitors.rects[1] = kRightMonitor;
    monitors.count = 2;
    const SideBands bands = SideBandsOf(3840, 1080, 70);
    const ZoneGeometry screen{2, 2, 3840, 1080, bands.xLow, bands.xHigh, bands.yLow, bands.yHigh};
    for (const MonitorCase& c : kMonitorCases) {
        CData data;
        if (c.rightHasOwn) {
            // Known by its path, whatever case the settings wrote it in.
            ASSERT_EQ(data.RememberMonitor(L"\\\\?\\display#right#2", L"Right"), kRight);
            data.SetAssignmentOn(kRight, Plain, BottomSide, 3);
        }
        CMonitorCache cache;
        cache.Rebuild(connected, data);
        EdgeSettings settings = WaitingEverywhere(c.wait);
        settings.sideLength = 70;
        CEdgeMachine machine;
        int number = 0;
        for (const MonitorStep& step : c.steps) {
            StepSenses senses;
            const EdgeEvent event{step.at, step.now, true, screen, c.everyMonitor ? &monitors : nullptr, &cache};
            const EdgeDecisions made = machine.Step(event, settings, senses);
            EXPECT_EQ(std::vector<EdgeDecision>(made.begin(), made.end()), step.expected)
                << c.what << ", step " << number;
            ++number;
        }
    }
}

}  // namespace
}  // namespace vorn
