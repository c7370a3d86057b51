#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "engine/edge_machine.h"

namespace vorn {

void PrintTo(const EdgeDecision& d, std::ostream* out)
{
    *out << "{kind " << int{d.kind} << ", zone " << d.zone << ", " << d.ms << " ms" << (d.restart ? ", restart}" : "}");
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
    settings.dwell.fill(ms);
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
      {kTop, 290, true, false, false, {{D::LookAgain, TopSide, 300, true}}}}},
    {"a zone reached with a button down is entered only afresh; movements do not ask the buttons",
     {.quietWhileDragging = true},
     {{kMiddle, 0, false, true, false, {kForget}, 0},
      {kCorner, 10, false, true, false, {kForget}, 1},
      {kCorner, 20, true, false, false, {kForget}, 1},
      {kMiddle, 30, false, false, false, {kForget}, 0},
      {kCorner, 40, false, false, false, {{D::RunBeginning, UpperLeftCorner}}, 1}}},
    {"a full-screen program keeps zones from being entered, not from ending",
     {.pauseInFullScreen = true},
     {{kCorner, 0, true, false, false, {{D::RunBeginning, UpperLeftCorner}}},
      {kTop, 10, true, false, true, {{D::RunEnding, UpperLeftCorner}}},
      {kCorner, 20, true, false, true, {}}}},
    {"leaving while edge actions are off leaves the ending pending",
     {.enabled = false},
     {{kCorner, 0, true, false, false, {}}, {kMiddle, 10, true, false, false, {{D::EndingPending, UpperLeftCorner}}}}},
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

}  // namespace
}  // namespace vorn
