#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <utility>
#include <vector>

#include "app/edge_engine.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

// Every handler call the engine makes, with what the handler saw.
struct Call {
    ActionIndex index;
    bool ending;
    HWND target;
    bool repeatTimerRunning;

    bool operator==(const Call& other) const
    {
        return index == other.index && ending == other.ending && target == other.target;
    }
};

void PrintTo(const Call& call, std::ostream* out)
{
    *out << "{action " << call.index << (call.ending ? ", ending" : ", beginning") << ", target " << call.target
         << (call.repeatTimerRunning ? ", repeating}" : "}");
}

std::vector<Call>* recorded = nullptr;
HWND recordingMainWindow = nullptr;

template <std::size_t Index> void Record(CActionHost& host)
{
    const auto* desktop = fake::FakeDesktop::Current();
    recorded->push_back(Call{static_cast<ActionIndex>(Index), host.ending, host.targetWindow,
                             desktop && desktop->Timer(recordingMainWindow, kRepeatTimerId) != nullptr});
}

// The real catalogue's flags with handlers that record their calls.
Catalogue RecordingCatalogue()
{
    Catalogue catalogue = theCatalogue;
    [&]<std::size_t... I>(std::index_sequence<I...>) { ((catalogue[I].handler = &Record<I>), ...); }
    (std::make_index_sequence<kBuiltInActionCount>{});
    return catalogue;
}

const Catalogue kRecordingCatalogue = RecordingCatalogue();

constexpr POINT kZonePoints[kZoneCount] = {
    {0, 0}, {1919, 0}, {0, 1079}, {1919, 1079}, {0, 540}, {960, 0}, {1919, 540}, {960, 1079},
};
constexpr POINT kCentre{960, 540};

// Distinct, non-repeatable actions for every modifier and zone.
constexpr ActionIndex PlainAction(int zone) { return zone; }
constexpr ActionIndex ShiftAction(int zone) { return 8 + zone; }
constexpr ActionIndex CtrlAction(int zone) { return 21 + zone; }

constexpr int kGrowLeft = 31;  // repeatable
constexpr int kMoveLeft = 45;  // repeatable
constexpr int kCascade = 21;   // not repeatable

class EdgeEngineTest : public fake::DesktopTest {
protected:
    EdgeEngineTest()
    {
        recorded = &calls;
        mainWindow = AddWindow(L"Vorn");
        recordingMainWindow = mainWindow;
        editor = AddWindow(L"Editor");
        desktop.SetForegroundWindow(editor);
        desktop.MovePointer(kCentre.x, kCentre.y);
        for (int zone = 0; zone < kZoneCount; ++zone) {
            theData.assignments[Plain][static_cast<std::size_t>(zone)] = PlainAction(zone);
            theData.assignments[Shift][static_cast<std::size_t>(zone)] = ShiftAction(zone);
            theData.assignments[Ctrl][static_cast<std::size_t>(zone)] = CtrlAction(zone);
        }
        engine.Start(mainWindow);
    }
    ~EdgeEngineTest() override { recorded = nullptr; }

    void PollAt(POINT point)
    {
        desktop.MovePointer(point.x, point.y);
        engine.Poll();
    }
    void PollIn(EdgeZone zone) { PollAt(kZonePoints[zone]); }
    void Hold(ModifierKey modifier)
    {
        desktop.SetKeyDown(VK_SHIFT, modifier == Shift);
        desktop.SetKeyDown(VK_CONTROL, modifier == Ctrl);
    }
    void Assign(ModifierKey modifier, EdgeZone zone, ActionIndex index)
    {
        theData.assignments[static_cast<std::size_t>(modifier)][static_cast<std::size_t>(zone)] = index;
    }
    // Runs the clock, feeding every due timer of the main window to the engine.
    void Run(std::int64_t ms)
    {
        desktop.AdvanceTime(ms, [&](HWND window, UINT_PTR id) {
            if (window == mainWindow) engine.OnTimer(id);
        });
    }
    bool RepeatTimerRunning() const { return desktop.Timer(mainWindow, kRepeatTimerId) != nullptr; }
    UINT RepeatPeriod() const { return desktop.Timer(mainWindow, kRepeatTimerId)->periodMs; }

    std::vector<Call> calls;
    HWND mainWindow = nullptr;
    HWND editor = nullptr;
    CEdgeEngine engine{kRecordingCatalogue};
};

TEST_F(EdgeEngineTest, StartArmsTheEdgePollOnTheMainWindow)
{
    const fake::TimerState* poll = desktop.Timer(mainWindow, kEdgeTimerId);
    ASSERT_NE(poll, nullptr);
    EXPECT_EQ(poll->periodMs, 500u);
    EXPECT_FALSE(RepeatTimerRunning());
    EXPECT_EQ(engine.currentZone, NoZone);
    EXPECT_EQ(engine.MainWindow(), mainWindow);
}

struct ZoneModifierCase {
    EdgeZone zone;
    ModifierKey modifier;
};

class EnterAndLeaveTest : public EdgeEngineTest, public ::testing::WithParamInterface<ZoneModifierCase> {};

TEST_P(EnterAndLeaveTest, RunsBeginningOnEntryAndEndingOnLeave)
{
    const auto [zone, modifier] = GetParam();
    const ActionIndex expected = modifier == Plain   ? PlainAction(zone)
                                 : modifier == Shift ? ShiftAction(zone)
                                                     : CtrlAction(zone);
    Hold(modifier);
    PollIn(zone);
    EXPECT_EQ(engine.currentZone, zone);
    EXPECT_TRUE(engine.beginningRan);
    PollIn(zone);  // staying in the zone dispatches nothing
    PollAt(kCentre);
    EXPECT_EQ(engine.currentZone, NoZone);
    EXPECT_FALSE(engine.beginningRan);
    EXPECT_FALSE(engine.ending);
    EXPECT_EQ(calls, (std::vector<Call>{{expected, false, editor, false}, {expected, true, editor, false}}));
}

std::vector<ZoneModifierCase> AllZonesAndModifiers()
{
    std::vector<ZoneModifierCase> cases;
    for (int zone = 0; zone < kZoneCount; ++zone)
        for (ModifierKey modifier : {Plain, Shift, Ctrl})
            cases.push_back({EdgeZone(zone), modifier});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryZone, EnterAndLeaveTest, ::testing::ValuesIn(AllZonesAndModifiers()));

TEST_F(EdgeEngineTest, ModifierIsReadAgainForTheEndingPhase)
{
    Hold(Shift);
    PollIn(LowerRightCorner);
    Hold(Plain);
    PollAt(kCentre);
    EXPECT_EQ(calls, (std::vector<Call>{{ShiftAction(LowerRightCorner), false, editor, false},
                                        {PlainAction(LowerRightCorner), true, editor, false}}));
}

TEST_F(EdgeEngineTest, ShiftWinsWhenBothModifiersAreHeld)
{
    desktop.SetKeyDown(VK_SHIFT, true);
    desktop.SetKeyDown(VK_CONTROL, true);
    PollIn(TopSide);
    EXPECT_EQ(calls, (std::vector<Call>{{ShiftAction(TopSide), false, editor, false}}));
}

TEST_F(EdgeEngineTest, MoveFromZoneToZoneWithinOneTickEndsBeforeItBegins)
{
    PollIn(UpperLeftCorner);
    PollIn(TopSide);
    EXPECT_EQ(engine.currentZone, TopSide);
    EXPECT_TRUE(engine.beginningRan);
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(UpperLeftCorner), false, editor, false},
                                        {PlainAction(UpperLeftCorner), true, editor, false},
                                        {PlainAction(TopSide), false, editor, false}}));
}

TEST_F(EdgeEngineTest, TargetIsTheForegroundWindowAtEachDispatch)
{
    PollIn(LeftSide);
    const HWND other = AddWindow(L"Other");
    desktop.SetForegroundWindow(other);
    PollAt(kCentre);
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(LeftSide), false, editor, false},
                                        {PlainAction(LeftSide), true, other, false}}));
    EXPECT_EQ(engine.targetWindow, other);
}

TEST_F(EdgeEngineTest, DisabledEngineFollowsThePointerButDispatchesNothing)
{
    theData.enabled = false;
    PollIn(RightSide);
    EXPECT_EQ(engine.currentZone, RightSide);
    PollIn(BottomSide);
    EXPECT_EQ(engine.currentZone, BottomSide);
    EXPECT_TRUE(calls.empty());
}

TEST_F(EdgeEngineTest, LeavingWhileDisabled_RunsEndingOnNextEntry)
{
    PollIn(RightSide);
    theData.enabled = false;
    PollAt(kCentre);
    EXPECT_TRUE(engine.ending);  // the ending phase is pending
    EXPECT_TRUE(engine.beginningRan);
    theData.enabled = true;
    PollIn(BottomSide);
    EXPECT_FALSE(engine.ending);
    EXPECT_FALSE(engine.beginningRan);
    PollAt(kCentre);
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(RightSide), false, editor, false},
                                        {PlainAction(BottomSide), true, editor, false},
                                        {PlainAction(BottomSide), true, editor, false}}));
}

TEST_F(EdgeEngineTest, PendingEndingRunsWhenLeavingAZoneEnteredWhileDisabled)
{
    PollIn(RightSide);
    theData.enabled = false;
    PollIn(TopSide);  // left RightSide while disabled: pending
    theData.enabled = true;
    PollAt(kCentre);  // leaving TopSide runs an ending phase, which clears the pending state
    PollIn(LeftSide);
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(RightSide), false, editor, false},
                                        {PlainAction(TopSide), true, editor, false},
                                        {PlainAction(LeftSide), false, editor, false}}));
}

TEST_F(EdgeEngineTest, RepeatableActionRepeatsAtTheRepeatRateUntilTheZoneIsLeft)
{
    Assign(Plain, UpperLeftCorner, kGrowLeft);
    PollIn(UpperLeftCorner);
    ASSERT_TRUE(RepeatTimerRunning());
    EXPECT_EQ(RepeatPeriod(), 14u);  // 1000 / 70
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].repeatTimerRunning);  // armed before the first call
    Run(140);
    EXPECT_EQ(calls.size(), 11u);
    for (const Call& call : calls)
        EXPECT_EQ(call, (Call{kGrowLeft, false, editor, true}));
    PollAt(kCentre);
    EXPECT_FALSE(RepeatTimerRunning());
    EXPECT_EQ(engine.repeatHandler, nullptr);
    ASSERT_EQ(calls.size(), 12u);
    EXPECT_EQ(calls.back(), (Call{kGrowLeft, true, editor, false}));
    EXPECT_FALSE(calls.back().repeatTimerRunning);  // killed before the ending phase
    Run(200);
    EXPECT_EQ(calls.size(), 12u);
}

TEST_F(EdgeEngineTest, RepeatKeepsTheTargetCapturedOnEntry)
{
    Assign(Plain, UpperLeftCorner, kGrowLeft);
    PollIn(UpperLeftCorner);
    desktop.SetForegroundWindow(AddWindow(L"Other"));
    Run(30);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.back().target, editor);
}

struct RateCase {
    int rate;
    UINT period;
};

TEST_F(EdgeEngineTest, RepeatPeriodIsOneSecondDividedByTheRate)
{
    Assign(Plain, UpperLeftCorner, kGrowLeft);
    for (const RateCase c : {RateCase{70, 14}, RateCase{100, 10}, RateCase{1, 1000}, RateCase{3, 333}}) {
        theData.repeatRate = c.rate;
        PollIn(UpperLeftCorner);
        ASSERT_TRUE(RepeatTimerRunning());
        EXPECT_EQ(RepeatPeriod(), c.period) << c.rate;
        PollAt(kCentre);
    }
}

TEST_F(EdgeEngineTest, EnteringAnotherRepeatingZoneReplacesTheRepeat)
{
    Assign(Plain, UpperLeftCorner, kGrowLeft);
    Assign(Plain, TopSide, kMoveLeft);
    PollIn(UpperLeftCorner);
    PollIn(TopSide);
    calls.clear();
    Run(28);
    EXPECT_EQ(calls, (std::vector<Call>{{kMoveLeft, false, editor, true}, {kMoveLeft, false, editor, true}}));
}

TEST_F(EdgeEngineTest, NonRepeatableActionsArmNoRepeat)
{
    Hold(Ctrl);
    PollIn(UpperLeftCorner);
    EXPECT_FALSE(RepeatTimerRunning());
    EXPECT_EQ(engine.repeatHandler, nullptr);
}

TEST_F(EdgeEngineTest, DisablingWhileRepeating_RepeatGoesOnUntilTheNextEndingDispatch)
{
    Assign(Plain, UpperLeftCorner, kGrowLeft);
    PollIn(UpperLeftCorner);
    theData.enabled = false;
    calls.clear();
    Run(28);
    EXPECT_EQ(calls, (std::vector<Call>{{kGrowLeft, false, editor, true}, {kGrowLeft, false, editor, true}}));
    PollAt(kCentre);  // leaves while disabled: the repeat now runs the ending behaviour
    calls.clear();
    Run(28);
    EXPECT_EQ(calls, (std::vector<Call>{{kGrowLeft, true, editor, true}, {kGrowLeft, true, editor, true}}));
    theData.enabled = true;
    calls.clear();
    PollIn(RightSide);
    EXPECT_FALSE(RepeatTimerRunning());
    EXPECT_EQ(engine.repeatHandler, nullptr);
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(RightSide), true, editor, false}}));
    calls.clear();
    Run(100);
    EXPECT_TRUE(calls.empty());
}

TEST_F(EdgeEngineTest, TimerTicksAreRoutedById)
{
    desktop.MovePointer(0, 0);
    engine.OnTimer(kRepeatTimerId);  // no repeat armed: nothing
    EXPECT_TRUE(calls.empty());
    engine.OnTimer(kEdgeTimerId);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    EXPECT_EQ(calls.size(), 1u);
    engine.OnTimer(7);  // some other timer: no poll
    desktop.MovePointer(kCentre.x, kCentre.y);
    engine.OnTimer(7);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
}

TEST_F(EdgeEngineTest, EdgeTimerDrivesThePollEveryHalfSecond)
{
    desktop.MovePointer(0, 0);
    Run(499);
    EXPECT_TRUE(calls.empty());
    Run(1);
    EXPECT_EQ(calls.size(), 1u);
    desktop.MovePointer(kCentre.x, kCentre.y);
    Run(500);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(EdgeEngineTest, PassingThroughAZoneBetweenPollsTriggersNothing)
{
    Run(100);
    desktop.MovePointer(0, 0);
    Run(100);
    desktop.MovePointer(kCentre.x, kCentre.y);
    Run(1000);
    EXPECT_TRUE(calls.empty());
}

// --- RunAction -----------------------------------------------------------------

TEST_F(EdgeEngineTest, RunActionDoesNothingWhileDisabled)
{
    theData.enabled = false;
    engine.RunAction(kCascade, false, nullptr);
    engine.RunAction(kCascade, true, nullptr);
    EXPECT_TRUE(calls.empty());
}

TEST_F(EdgeEngineTest, RunActionDispatchesBothPhasesOnTheGivenOrForegroundWindow)
{
    const HWND button = AddWindow(L"Button target");
    engine.RunAction(kCascade, false, button);
    EXPECT_FALSE(engine.beginningRan);
    engine.RunAction(kCascade, true, nullptr);
    EXPECT_FALSE(engine.ending);
    EXPECT_EQ(engine.currentZone, NoZone);
    EXPECT_EQ(calls, (std::vector<Call>{{kCascade, false, button, false}, {kCascade, true, editor, false}}));
}

TEST_F(EdgeEngineTest, RunActionWithNegativeIndexRunsTheCurrentZoneAssignment)
{
    PollIn(LeftSide);
    // The zone's beginning already ran: a request for "the zone's action" is
    // ignored in either phase.
    engine.RunAction(-1, false, nullptr);
    engine.RunAction(-1, true, nullptr);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_TRUE(engine.beginningRan);
    engine.RunAction(kCascade, false, nullptr);  // any explicit dispatch clears beginningRan
    EXPECT_FALSE(engine.beginningRan);
    engine.RunAction(-1, true, nullptr);  // ending of the zone's assignment
    EXPECT_FALSE(engine.beginningRan);
    Hold(Shift);
    engine.RunAction(-1, false, nullptr);  // beginning, under the modifier held now
    EXPECT_TRUE(engine.beginningRan);
    EXPECT_EQ(engine.currentZone, LeftSide);
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(LeftSide), false, editor, false},
                                        {kCascade, false, editor, false},
                                        {PlainAction(LeftSide), true, editor, false},
                                        {ShiftAction(LeftSide), false, editor, false}}));
}

TEST_F(EdgeEngineTest, RunActionWithNegativeIndexOutsideAnyZoneDoesNothing)
{
    engine.RunAction(-1, false, nullptr);
    engine.RunAction(-1, true, nullptr);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(engine.ending);
}

TEST_F(EdgeEngineTest, ButtonPressOfARepeatableActionReplacesTheRepeatAndReleaseStopsIt)
{
    Assign(Plain, UpperLeftCorner, kGrowLeft);
    PollIn(UpperLeftCorner);
    engine.RunAction(kMoveLeft, false, editor);
    calls.clear();
    Run(14);
    EXPECT_EQ(calls, (std::vector<Call>{{kMoveLeft, false, editor, true}}));
    engine.RunAction(kMoveLeft, true, editor);
    EXPECT_FALSE(RepeatTimerRunning());
    EXPECT_FALSE(calls.back().repeatTimerRunning);
    EXPECT_EQ(calls.back(), (Call{kMoveLeft, true, editor, false}));
}

TEST_F(EdgeEngineTest, ButtonPressWhileAnEndingIsPendingRunsInTheEndingPhase)
{
    Assign(Plain, UpperLeftCorner, kGrowLeft);
    PollIn(UpperLeftCorner);
    theData.enabled = false;
    PollAt(kCentre);
    theData.enabled = true;
    calls.clear();
    engine.RunAction(kCascade, false, nullptr);
    EXPECT_FALSE(RepeatTimerRunning());
    EXPECT_FALSE(engine.ending);
    EXPECT_EQ(calls, (std::vector<Call>{{kCascade, true, editor, false}}));
}

TEST_F(EdgeEngineTest, RunActionIgnoresIndicesOutsideTheActionSpace)
{
    engine.RunAction(kBuiltInActionCount + 100, false, nullptr);
    engine.RunAction(100000, true, nullptr);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(desktop.launches.empty());
}

TEST_F(EdgeEngineTest, PollsWhoseCursorReadFailsChangeNothing)
{
    // The read fails while the secure desktop has the input; the point it
    // leaves behind, (0, 0), must not count as the upper left corner.
    for (const POINT start : {kCentre, kZonePoints[RightSide]}) {
        PollAt(start);
        calls.clear();
        const EdgeZone before = engine.currentZone;
        desktop.cursorReadFails = true;
        for (const POINT elsewhere : {POINT{0, 0}, kCentre, kZonePoints[BottomSide]}) {
            PollAt(elsewhere);
            Run(kEdgePollMs);
        }
        EXPECT_EQ(engine.currentZone, before);
        EXPECT_TRUE(calls.empty());
        desktop.cursorReadFails = false;
        PollAt(start);
        EXPECT_TRUE(calls.empty());  // back where it was: nothing to enter or leave
    }
}

// A pen or touch screen plugged in or taken away while Vorn runs with
// instant response: Windows tells of it in bursts; the engine asks once per
// burst, within a second, and the poll follows what it finds.
TEST_F(EdgeEngineTest, APenPluggedInOrTakenAwayIsFollowedOncePerBurst)
{
    engine.DevicesChanged();  // the poll runs anyway: nothing to look for
    EXPECT_EQ(desktop.Timer(mainWindow, kDevicesTimerId), nullptr);
    theData.instantResponse = true;
    engine.SettingsChanged();
    ASSERT_TRUE(engine.Instant());
    Run(kEdgePollMs);
    ASSERT_EQ(desktop.Timer(mainWindow, kEdgeTimerId), nullptr);  // resting, a mouse alone

    const int reads = desktop.digitizerReads;
    desktop.digitizer = 0xC5;
    for (int message = 0; message < 30; ++message) {
        engine.DevicesChanged();
        Run(10);
    }
    Run(1000 - 300);
    EXPECT_EQ(desktop.digitizerReads, reads + 1);
    EXPECT_NE(desktop.Timer(mainWindow, kEdgeTimerId), nullptr);
    desktop.MovePointer(kZonePoints[UpperLeftCorner].x, kZonePoints[UpperLeftCorner].y);  // the pen: no raw input
    Run(kEdgePollMs);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    desktop.MovePointer(kCentre.x, kCentre.y);
    Run(10 * kEdgePollMs);
    EXPECT_NE(desktop.Timer(mainWindow, kEdgeTimerId), nullptr);  // resting, and still polling

    desktop.digitizer = 0;
    for (int message = 0; message < 3; ++message)
        engine.DevicesChanged();
    Run(1000);
    EXPECT_EQ(desktop.digitizerReads, reads + 2);
    EXPECT_EQ(desktop.Timer(mainWindow, kEdgeTimerId), nullptr);
    EXPECT_EQ(desktop.Timer(mainWindow, kDevicesTimerId), nullptr);
}

// --- monitors of their own ---------------------------------------------------------

// A laptop and a desk monitor to its right, each known by its device path.
const fake::FakeMonitor kLaptop{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040},
                                L"\\\\?\\DISPLAY#LEN40A9#4&1b2c3d4e&0&UID265988#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}",
                                L""};
const fake::FakeMonitor kDesk{RECT{1920, 0, 3840, 1080}, RECT{1920, 0, 3840, 1040},
                              L"\\\\?\\DISPLAY#DEL41B8#5&2f3c0a1&0&UID4353#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}",
                              L"DELL U2720Q"};

// The desk monitor's own actions, distinct from the shared ones and not repeatable.
constexpr ActionIndex OwnAction(ModifierKey modifier, int zone) { return 60 + 8 * modifier + zone; }

class MonitorAssignmentTest : public EdgeEngineTest {
protected:
    MonitorAssignmentTest() { Plug({kLaptop, kDesk}); }
    void Plug(std::vector<fake::FakeMonitor> monitors)
    {
        desktop.SetMonitors(std::move(monitors));
        theData.ComputeSideBands();
        engine.DisplayChanged();
    }
    // Own actions for every modifier and zone but `shared`, given as the page
    // gives them: the settings are not told before the next look.
    int Own(const fake::FakeMonitor& monitor, EdgeZone shared)
    {
        const int slot = theData.RememberMonitor(monitor.devicePath, monitor.friendlyName);
        for (ModifierKey modifier : {Plain, Shift, Ctrl})
            for (int zone = 0; zone < kZoneCount; ++zone)
                if (zone != shared) theData.SetAssignmentOn(slot, modifier, EdgeZone(zone), OwnAction(modifier, zone));
        return slot;
    }
    static ActionIndex SharedAction(ModifierKey modifier, int zone)
    {
        return modifier == Plain ? PlainAction(zone) : modifier == Shift ? ShiftAction(zone) : CtrlAction(zone);
    }
};

// The outer zones of the two, on every monitor and on the virtual screen
// alike: the corners and sides where the pointer can go no further.
struct MonitorZone {
    bool onDesk;
    EdgeZone zone;
    POINT at;
};
constexpr MonitorZone kOuterZones[] = {
    {false, UpperLeftCorner, {0, 0}},
    {false, LowerLeftCorner, {0, 1079}},
    {false, LeftSide, {0, 540}},
    {false, TopSide, {960, 0}},
    {false, BottomSide, {960, 1079}},
    {true, UpperRightCorner, {3839, 0}},
    {true, LowerRightCorner, {3839, 1079}},
    {true, RightSide, {3839, 540}},
    {true, TopSide, {2880, 0}},
    {true, BottomSide, {2880, 1079}},
};

// Entered under one modifier and left under the next: the beginning is the
// entering monitor's for the first, the ending the same monitor's for the
// second, wherever the pointer leaves to.
TEST_F(MonitorAssignmentTest, AZoneRunsTheActionsOfTheMonitorHoldingThePointer)
{
    constexpr EdgeZone kDeskShares = BottomSide;  // "Same as all monitors" there
    Own(kDesk, kDeskShares);
    const auto expected = [&](const MonitorZone& place, ModifierKey modifier) {
        return place.onDesk && place.zone != kDeskShares ? OwnAction(modifier, place.zone)
                                                         : SharedAction(modifier, place.zone);
    };
    for (const bool everyMonitor : {false, true}) {
        theData.cornersOnEveryMonitor = everyMonitor;
        for (const ModifierKey modifier : {Plain, Shift, Ctrl}) {
            const auto leaving = static_cast<ModifierKey>((modifier + 1) % kModifierCount);
            for (const MonitorZone& place : kOuterZones) {
                calls.clear();
                Hold(modifier);
                PollAt(place.at);
                Hold(leaving);
                PollAt(kCentre);
                EXPECT_EQ(calls, (std::vector<Call>{{expected(place, modifier), false, editor, false},
                                                    {expected(place, leaving), true, editor, false}}))
                    << (everyMonitor ? "on every monitor, " : "virtual screen, ") << "modifier " << modifier
                    << (place.onDesk ? ", desk, zone " : ", laptop, zone ") << place.zone;
            }
        }
    }
}

TEST_F(MonitorAssignmentTest, AMonitorUnpluggedAndPluggedInElsewhereKeepsItsActions)
{
    Own(kDesk, NoZone);
    Plug({kLaptop});
    for (const bool everyMonitor : {false, true}) {
        theData.cornersOnEveryMonitor = everyMonitor;
        PollAt({1919, 1079});  // the laptop's lower right corner, now the desktop's
        PollAt(kCentre);
    }
    // Back at another resolution, below the laptop, where it is listed first.
    fake::FakeMonitor moved = kDesk;
    moved.monitor = moved.work = RECT{0, 1080, 2560, 2520};
    Plug({kLaptop, moved});
    for (const bool everyMonitor : {false, true}) {
        theData.cornersOnEveryMonitor = everyMonitor;
        PollAt({2559, 2519});
        PollAt(kCentre);
    }
    const ActionIndex shared = PlainAction(LowerRightCorner);
    const ActionIndex own = OwnAction(Plain, LowerRightCorner);
    EXPECT_EQ(calls, (std::vector<Call>{{shared, false, editor, false},
                                        {shared, true, editor, false},
                                        {shared, false, editor, false},
                                        {shared, true, editor, false},
                                        {own, false, editor, false},
                                        {own, true, editor, false},
                                        {own, false, editor, false},
                                        {own, true, editor, false}}));
}

TEST_F(MonitorAssignmentTest, AButtonAskingForTheZonesActionGetsTheMonitorsOwn)
{
    Own(kDesk, NoZone);
    theData.cornersOnEveryMonitor = true;
    PollAt({3839, 540});
    // A button's own action, the first built-in one among them, is its own.
    engine.RunAction(0, false, nullptr);
    engine.RunAction(-1, true, nullptr);
    Hold(Shift);
    engine.RunAction(-1, false, nullptr);
    EXPECT_EQ(calls, (std::vector<Call>{{OwnAction(Plain, RightSide), false, editor, false},
                                        {0, false, editor, false},
                                        {OwnAction(Plain, RightSide), true, editor, false},
                                        {OwnAction(Shift, RightSide), false, editor, false}}));
}

// The poll judges a zone's own wait as the "Dwell time": at the first look
// that finds the pointer there all along.
TEST_F(EdgeEngineTest, ThePollWaitsAZonesOwnTimeAndNoneForItsNeighbour)
{
    theData.pollInterval = 100;
    engine.SettingsChanged();
    theData.SetZoneDwell(LowerRightCorner, 1200);
    desktop.MovePointer(kZonePoints[LowerRightCorner].x, kZonePoints[LowerRightCorner].y);
    Run(100);  // the first look
    Run(1100);
    EXPECT_EQ(engine.currentZone, NoZone);
    Run(100);
    EXPECT_EQ(engine.currentZone, LowerRightCorner);
    desktop.MovePointer(kZonePoints[RightSide].x, kZonePoints[RightSide].y);
    Run(100);
    EXPECT_EQ(engine.currentZone, RightSide);
}

// --- custom actions --------------------------------------------------------------

class CustomDispatchTest : public EdgeEngineTest {
protected:
    void Define(int slot, const wchar_t* beginning, const wchar_t* ending)
    {
        theCustomActions[slot] = CCustomAction{L"Action " + std::to_wstring(slot), L"", beginning, ending};
    }
};

TEST_F(CustomDispatchTest, LaunchesTheSplitCommandLinesThroughTheShell)
{
    Define(0, L"\"C:\\Program Files\\App\\app.exe\" /x /y", L"notepad C:\\My Documents\\a b.txt");
    Assign(Plain, LowerLeftCorner, kBuiltInActionCount);
    PollIn(LowerLeftCorner);
    PollAt(kCentre);
    ASSERT_EQ(desktop.launches.size(), 2u);
    const fake::Launch& first = desktop.launches[0];
    EXPECT_EQ(first.owner, nullptr);
    EXPECT_EQ(first.verb, L"");
    EXPECT_EQ(first.file, L"\"C:\\Program Files\\App\\app.exe\"");
    EXPECT_EQ(first.parameters, L"/x /y");
    EXPECT_EQ(first.directory, L"");
    EXPECT_EQ(first.show, SW_SHOWNORMAL);
    // A missing program must not bring up the shell's error box.
    EXPECT_EQ(first.mask & SEE_MASK_FLAG_NO_UI, static_cast<ULONG>(SEE_MASK_FLAG_NO_UI));
    EXPECT_EQ(desktop.launches[1].file, L"notepad");
    EXPECT_EQ(desktop.launches[1].parameters, L"C:\\My Documents\\a b.txt");
    EXPECT_TRUE(calls.empty());
}

TEST_F(CustomDispatchTest, EmptyCommandLinesLaunchNothing)
{
    Define(0, L"", L"calc");
    Define(1, L"calc", L"");
    Assign(Plain, LeftSide, kBuiltInActionCount);
    Assign(Plain, RightSide, kBuiltInActionCount + 1);
    PollIn(LeftSide);
    EXPECT_TRUE(desktop.launches.empty());
    PollIn(RightSide);
    ASSERT_EQ(desktop.launches.size(), 2u);  // LeftSide's ending, RightSide's beginning
    PollAt(kCentre);
    EXPECT_EQ(desktop.launches.size(), 2u);
}

TEST_F(CustomDispatchTest, CustomActionsNeverRepeat)
{
    Define(0, L"calc", L"");
    Assign(Plain, UpperLeftCorner, kBuiltInActionCount);
    theData.repeatRate = 100;
    PollIn(UpperLeftCorner);
    EXPECT_FALSE(RepeatTimerRunning());
    Run(100);
    EXPECT_EQ(desktop.launches.size(), 1u);
}

TEST_F(CustomDispatchTest, LastSlotAndFreeSlotsAreHandled)
{
    Define(99, L"last", L"");
    engine.RunAction(kBuiltInActionCount + 99, false, nullptr);
    engine.RunAction(kBuiltInActionCount + 5, false, nullptr);  // a free slot: empty command lines
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].file, L"last");
}

TEST_F(CustomDispatchTest, TicksAndButtonsArrivingDuringADispatchAreDropped)
{
    // A launch that runs a message loop (the shell's own UI, a slow start)
    // keeps delivering the main window's timers while the pointer moves on.
    Define(0, L"missing-program", L"");
    Assign(Plain, LeftSide, kBuiltInActionCount);
    int reentries = 0;
    desktop.onLaunch = [&] {
        if (++reentries > 1) return;
        desktop.MovePointer(kZonePoints[RightSide].x, kZonePoints[RightSide].y);
        Run(3 * kEdgePollMs);
        engine.RunAction(kCascade, false, nullptr);
    };
    PollIn(LeftSide);
    desktop.onLaunch = nullptr;
    EXPECT_EQ(desktop.launches.size(), 1u);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(engine.currentZone, LeftSide);
    EXPECT_TRUE(engine.beginningRan);
    EXPECT_FALSE(engine.ending);
    EXPECT_FALSE(engine.Dispatching());

    // The next tick sees the pointer where it is now.
    Run(kEdgePollMs);
    EXPECT_EQ(engine.currentZone, RightSide);
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(RightSide), false, editor, false}}));
}

TEST_F(CustomDispatchTest, FailedLaunchIsIgnored)
{
    desktop.shellExecuteFails = true;
    Define(0, L"missing.exe", L"missing.exe");
    engine.RunAction(kBuiltInActionCount, false, nullptr);
    engine.RunAction(kBuiltInActionCount, true, nullptr);
    EXPECT_EQ(desktop.launches.size(), 2u);
}

// --- wallpaper ---------------------------------------------------------------------

class WallpaperTimerTest : public EdgeEngineTest {
protected:
    WallpaperTimerTest()
    {
        theData.wallpaperFiles = {L"C:\\P\\a.bmp", L"C:\\P\\b.bmp"};
        theData.wallpaperRandom = false;
        desktop.wallpaper = L"C:\\P\\b.bmp";
    }
    std::vector<std::wstring> Changes() const
    {
        std::vector<std::wstring> paths;
        for (const auto& call : desktop.systemParameters)
            if (call.action == SPI_SETDESKWALLPAPER) paths.push_back(call.text);
        return paths;
    }
};

TEST_F(WallpaperTimerTest, ChangesOnTheFirstTickMoreThanOneDelayAfterTheLastChange)
{
    theData.wallpaperDelay = 10;
    const std::int64_t start = desktop.Time64();
    Run(10'500);
    EXPECT_TRUE(Changes().empty());  // 10 s is not more than 10 s
    Run(500);
    EXPECT_EQ(Changes(), (std::vector<std::wstring>{L"C:\\P\\a.bmp"}));
    EXPECT_EQ(engine.wallpaperChangedAt, start + 11);
    Run(10'500);
    EXPECT_EQ(Changes().size(), 1u);
    Run(500);
    EXPECT_EQ(Changes(), (std::vector<std::wstring>{L"C:\\P\\a.bmp", L"C:\\P\\b.bmp"}));
}

TEST_F(WallpaperTimerTest, ZeroDelayNeverChanges)
{
    theData.wallpaperDelay = 0;
    Run(100'000);
    EXPECT_TRUE(Changes().empty());
}

TEST_F(WallpaperTimerTest, TheDelayRestartsEvenWhenThereIsNothingToShow)
{
    theData.wallpaperFiles = {L"C:\\P\\b.bmp"};  // already the wallpaper
    engine.ChangeWallpaper(false);
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(engine.wallpaperChangedAt, desktop.Time64());
}

TEST_F(WallpaperTimerTest, ChecksAfterTicksOfAnyTimer)
{
    theData.wallpaperDelay = 1;
    desktop.AdvanceTime(5'000);  // no ticks delivered
    EXPECT_TRUE(Changes().empty());
    engine.OnTimer(42);
    EXPECT_EQ(Changes().size(), 1u);
}

TEST_F(WallpaperTimerTest, RandomOrderFollowsTheSetting)
{
    theData.wallpaperDelay = 1;
    theData.wallpaperRandom = true;
    theData.wallpaperFiles = {L"A", L"B", L"C"};
    desktop.wallpaper = L"A";
    desktop.scriptedRandom = {2};
    desktop.AdvanceTime(2'000);
    engine.OnTimer(kEdgeTimerId);
    EXPECT_EQ(Changes(), (std::vector<std::wstring>{L"C"}));
}

// --- programs the zones keep quiet in -----------------------------------------------------

class QuietProgramTest : public EdgeEngineTest {
protected:
    QuietProgramTest()
    {
        desktop.Window(mainWindow).processId = desktop.ownProcessId;
        desktop.Window(mainWindow).program = L"C:\\Tools\\Vorn\\Vorn.exe";
        desktop.Window(editor).program = L"C:\\Program Files\\Editor\\editor.exe";
        game = AddWindow(L"Game");
        desktop.Window(game).program = L"D:\\Games\\Borderless\\Game.EXE";
        // Run as administrator: its process cannot be opened, its module not read.
        elevated = AddWindow(L"Elevated");
        theData.quietPrograms = {L"game.exe"};
        engine.SettingsChanged();
    }
    // The corner is entered from the centre: did its beginning run?
    bool CornerFires()
    {
        PollAt(kCentre);
        calls.clear();
        PollIn(UpperLeftCorner);
        const bool fired = !calls.empty();
        PollAt(kCentre);
        return fired;
    }
    HWND game = nullptr;
    HWND elevated = nullptr;
};

TEST_F(QuietProgramTest, NothingFiresWhileAListedProgramIsInFront)
{
    struct Step {
        const char* what;
        std::function<void()> act;
        bool fires;
        const wchar_t* inFront;  // the file name the tray menu would offer
    };
    const Step steps[] = {
        {"an unlisted program", [&] { desktop.BringToFront(editor); }, true, L"editor.exe"},
        {"a listed one, named in another case", [&] { desktop.BringToFront(game); }, false, L"Game.EXE"},
        {"Vorn's own window over it", [&] { desktop.BringToFront(mainWindow); }, true, L"Game.EXE"},
        {"the listed one again", [&] { desktop.BringToFront(game); }, false, L"Game.EXE"},
        {"one that cannot be opened", [&] { desktop.BringToFront(elevated); }, true, L""},
        {"nothing in front", [&] { desktop.BringToFront(nullptr); }, true, L""},
        {"the listed one in front, the event not told", [&] { desktop.SetForegroundWindow(game); }, false, L"Game.EXE"},
        {"the unlisted one listed while in front",
         [&] {
             desktop.BringToFront(editor);
             theData.quietPrograms.push_back(L"EDITOR.exe");
             engine.SettingsChanged();
         },
         false, L"editor.exe"},
        {"and taken out again",
         [&] {
             theData.quietPrograms = {L"game.exe"};
             engine.SettingsChanged();
         },
         true, L"editor.exe"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(CornerFires(), step.fires) << step.what;
        EXPECT_EQ(engine.QuietInFront(), !step.fires) << step.what;
        EXPECT_EQ(engine.ProgramInFront(), step.inFront) << step.what;
    }
}

// As with the pause in full screen: the zone entered before the program came
// to the front still ends, the next is not entered, and a floating button
// still runs its action.
TEST_F(QuietProgramTest, AZoneEnteredBeforeStillEndsAndButtonsKeepWorking)
{
    PollIn(UpperLeftCorner);
    ASSERT_EQ(calls.size(), 1u);
    desktop.BringToFront(game);
    calls.clear();
    PollIn(LeftSide);  // straight on from the corner
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(UpperLeftCorner), true, game, false}}));
    EXPECT_EQ(engine.currentZone, NoZone);
    calls.clear();
    engine.RunAction(kCascade, false, nullptr);
    EXPECT_EQ(calls, (std::vector<Call>{{kCascade, false, game, false}}));
    desktop.BringToFront(editor);
    calls.clear();
    PollIn(LeftSide);  // the pointer still there: entered now
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(LeftSide), false, editor, false}}));
}

// The foreground is watched from Start to Stop, Vorn's own windows included,
// and Start reads the program already in front.
TEST_F(QuietProgramTest, TheForegroundIsWatchedFromStartToStop)
{
    ASSERT_EQ(desktop.winEventHooks.size(), 1u);
    const fake::WinEventHook& hook = desktop.winEventHooks.front();
    EXPECT_EQ(hook.eventMin, static_cast<DWORD>(EVENT_SYSTEM_FOREGROUND));
    EXPECT_EQ(hook.eventMax, static_cast<DWORD>(EVENT_SYSTEM_FOREGROUND));
    EXPECT_EQ(hook.flags & WINEVENT_SKIPOWNPROCESS, 0u);
    engine.Stop();
    EXPECT_TRUE(desktop.winEventHooks.empty());
    desktop.SetForegroundWindow(game);
    engine.Start(mainWindow);
    EXPECT_EQ(desktop.winEventHooks.size(), 1u);
    EXPECT_TRUE(engine.QuietInFront());
}

// --- the wheel and the click in a zone -------------------------------------------------

// Stands in for the hook's thread: what the engine aims it at, and the
// filter a real hook would run, fed here by the test.
struct RecordingHook final : IZoneInputHook {
    void Aim(const ZoneInputTarget& target) override
    {
        filter.Aim(target);
        aimedAt = target.zone;
        ++aims;
    }
    void Release() override
    {
        filter.Release();
        aimedAt = NoZone;
    }
    CZoneInputFilter filter;
    EdgeZone aimedAt = NoZone;
    int aims = 0;
};

class ZoneInputTest : public EdgeEngineTest {
protected:
    ZoneInputTest()
    {
        engine.SetZoneInputHook(&hook);
        theData.assignments[SetOf(WheelUp, Plain)][RightSide] = kGrowLeft;  // repeatable
        theData.assignments[SetOf(WheelDown, Shift)][RightSide] = kCascade;
        theData.assignments[SetOf(Click, Plain)][LowerLeftCorner] = kCascade;
    }
    // The event as the hook would have it: true when it was taken.
    bool Feed(MouseInput input, int delta = 0)
    {
        POINT at{};
        desktop.GetCursorPos(&at);
        const ZoneInputAnswer answer = hook.filter.Event(input, at, delta, CurrentModifier());
        if (answer.runs > 0)
            engine.OnZoneInput(answer.set, hook.filter.Target().zone, hook.filter.Target().slot, answer.runs);
        return answer.take;
    }
    RecordingHook hook;
};

// The hook is there exactly while the pointer is in a zone with a wheel or
// click action, whatever its entering action, and for no other zone.
TEST_F(ZoneInputTest, TheHookIsAimedOnlyWhileThePointerIsInAZoneWithSuchAnAction)
{
    struct Step {
        const char* what;
        std::function<void()> act;
        EdgeZone aimed;
    };
    const Step steps[] = {
        {"the centre", [&] { PollAt(kCentre); }, NoZone},
        {"the right side", [&] { PollIn(RightSide); }, RightSide},
        {"a zone with only an entering action", [&] { PollIn(UpperLeftCorner); }, NoZone},
        {"a click zone whose entering action is none",
         [&] {
             Assign(Plain, LowerLeftCorner, kNoActionIndex);
             PollIn(LowerLeftCorner);
         },
         LowerLeftCorner},
        {"disabled", [&] { engine.SetEnabled(false); }, NoZone},
        {"disabled, back in the right side", [&] { PollIn(RightSide); }, NoZone},
        {"enabled again",
         [&] {
             engine.SetEnabled(true);
             PollIn(RightSide);
         },
         RightSide},
        {"the action taken away under the pointer",
         [&] {
             theData.assignments[SetOf(WheelUp, Plain)][RightSide] = kNoActionIndex;
             theData.assignments[SetOf(WheelDown, Shift)][RightSide] = kNoActionIndex;
             engine.SettingsChanged();
         },
         NoZone},
        {"given back",
         [&] {
             theData.assignments[SetOf(WheelUp, Plain)][RightSide] = kGrowLeft;
             PollIn(RightSide);
         },
         RightSide},
        {"the session locked", [&] { engine.SessionSuspended(); }, NoZone},
        {"unlocked, at the next look",
         [&] {
             engine.SessionResumed();
             PollIn(RightSide);
         },
         RightSide},
        {"the program ends", [&] { engine.Stop(); }, NoZone},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(hook.aimedAt, step.aimed) << step.what;
        EXPECT_EQ(engine.ZoneInputAimed(), step.aimed != NoZone) << step.what;
    }
}

// A notch runs the action's beginning and ending and starts no repeat, so a
// repeating action steps once a notch; a partial step runs nothing.
// Straight from one wheel zone into another with the same triggers: the hook
// follows, so the new zone's notch is taken and runs the new zone's action,
// the first of the catalogue included.
TEST_F(ZoneInputTest, TheHookFollowsThePointerFromOneWheelZoneStraightIntoTheNext)
{
    theData.assignments[SetOf(WheelDown, Shift)][RightSide] = kNoActionIndex;
    theData.assignments[SetOf(WheelUp, Plain)][LowerRightCorner] = 0;
    PollIn(RightSide);
    PollIn(LowerRightCorner);
    EXPECT_EQ(hook.aimedAt, LowerRightCorner);
    calls.clear();
    EXPECT_TRUE(Feed(MouseInput::Wheel, 120));
    EXPECT_EQ(calls, (std::vector<Call>{{0, false, editor, false}, {0, true, editor, false}}));
}

TEST_F(ZoneInputTest, EachNotchRunsTheActionOnceForTheModifierHeld)
{
    PollIn(RightSide);
    calls.clear();
    EXPECT_TRUE(Feed(MouseInput::Wheel, 120));
    EXPECT_EQ(calls, (std::vector<Call>{{kGrowLeft, false, editor, false}, {kGrowLeft, true, editor, false}}));
    EXPECT_FALSE(RepeatTimerRunning());
    EXPECT_TRUE(Feed(MouseInput::Wheel, 60));
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_TRUE(Feed(MouseInput::Wheel, 60));
    EXPECT_EQ(calls.size(), 4u);

    // Down has an action only with Shift.
    EXPECT_FALSE(Feed(MouseInput::Wheel, -120));
    Hold(Shift);
    calls.clear();
    EXPECT_TRUE(Feed(MouseInput::Wheel, -240));
    EXPECT_EQ(calls, (std::vector<Call>{{kCascade, false, editor, false},
                                        {kCascade, true, editor, false},
                                        {kCascade, false, editor, false},
                                        {kCascade, true, editor, false}}));
    // The zone entered keeps its phase: leaving runs its ending.
    Hold(Plain);
    calls.clear();
    PollAt(kCentre);
    EXPECT_EQ(calls, (std::vector<Call>{{PlainAction(RightSide), true, editor, false}}));
}

// Paused in full screen the zone takes nothing: the game gets its wheel.
TEST_F(ZoneInputTest, NothingIsTakenWhilePausedInFullScreen)
{
    fake::WindowDesc game;
    game.style = static_cast<LONG>(WS_POPUP);
    game.rect = RECT{0, 0, 1920, 1080};
    desktop.SetForegroundWindow(desktop.AddWindow(game));
    theData.pauseInFullScreen = true;
    PollIn(RightSide);
    EXPECT_EQ(hook.aimedAt, NoZone);
    theData.pauseInFullScreen = false;
    PollIn(RightSide);
    EXPECT_EQ(hook.aimedAt, RightSide);
}

// A listed program coming to the front takes the hook away at once, not at
// the next look, and it stays away until the program leaves the front.
TEST_F(ZoneInputTest, NothingIsTakenWhileAQuietProgramIsInFront)
{
    const HWND remote = AddWindow(L"Remote desktop");
    desktop.Window(remote).program = L"C:\\Windows\\System32\\mstsc.exe";
    theData.quietPrograms = {L"mstsc.exe"};
    engine.SettingsChanged();
    PollIn(RightSide);
    ASSERT_EQ(hook.aimedAt, RightSide);
    desktop.BringToFront(remote);
    EXPECT_EQ(hook.aimedAt, NoZone);
    EXPECT_FALSE(Feed(MouseInput::Wheel, 120));
    PollIn(RightSide);
    EXPECT_EQ(hook.aimedAt, NoZone);
    desktop.BringToFront(editor);
    PollIn(RightSide);
    EXPECT_EQ(hook.aimedAt, RightSide);
}

}  // namespace
}  // namespace vorn

// --- the activity: why a zone did or did not fire -------------------------------

namespace vorn {
namespace {

class ActivityTest : public EdgeEngineTest {
protected:
    // The corner entered from the centre, then left.
    void Brush()
    {
        PollAt(kCentre);
        PollIn(UpperLeftCorner);
        PollAt(kCentre);
    }
    // The words of every event recorded, oldest first.
    std::vector<std::wstring> Lines() const
    {
        std::vector<std::wstring> lines;
        for (std::size_t i = theActivity.Count(); i-- > 0;) {
            const ActivityWords words = DescribeActivity(theActivity.Newest(i));
            lines.push_back(words.zone + L" | " + words.what + L" | " + words.why);
        }
        return lines;
    }
};

TEST_F(ActivityTest, EachReasonAZoneDidNotFireIsRecordedInWords)
{
    const std::wstring corner = L"Upper left corner | ";
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::function<void()> act;
        std::vector<std::wstring> lines;
    };
    const auto brush = [this] { Brush(); };
    const std::wstring ran = L"Entered: ran \u201c" + ActionName(PlainAction(UpperLeftCorner)) + L"\u201d | ";
    const std::wstring left = L"Left: ended \u201c" + ActionName(PlainAction(UpperLeftCorner)) + L"\u201d | ";
    const Case cases[] = {
        {"fired: what ran on entering and on leaving", [] {}, brush, {corner + ran, corner + left}},
        {"a full-screen program in front, with the pause on",
         [this] {
             fake::WindowDesc game;
             game.style = static_cast<LONG>(WS_POPUP);
             game.rect = RECT{0, 0, 1920, 1080};
             desktop.SetForegroundWindow(desktop.AddWindow(game));
             theData.pauseInFullScreen = true;
         },
         brush,
         {corner + L"Nothing ran | A full-screen program is in front"}},
        {"a quiet program in front, by its name",
         [this] {
             desktop.Window(editor).program = L"D:\\Games\\Game.EXE";
             theData.quietPrograms = {L"game.exe"};
             engine.ForegroundChanged(editor);
         },
         brush,
         {corner + L"Nothing ran | Game.EXE is in front, one of the quiet programs"}},
        {"a button held, told once however often the pointer is looked at",
         [this] {
             theData.quietWhileDragging = true;
             desktop.SetKeyDown(VK_LBUTTON, true);
         },
         [this] {
             PollAt(kCentre);
             PollIn(UpperLeftCorner);
             PollIn(UpperLeftCorner);
         },
         {corner + L"Nothing ran | A mouse button was held down"}},
        {"the pointer left 1 ms before the wait ran out",
         [] { theData.SetZoneDwell(UpperLeftCorner, 500); },
         [this] {
             PollIn(UpperLeftCorner);
             desktop.AdvanceTime(499);
             PollAt(kCentre);
         },
         {corner + L"Nothing ran | The pointer left after 499 ms of the 500 ms wait"}},
        {"the pointer stayed the whole wait: entered, no wait cut short",
         [] { theData.SetZoneDwell(UpperLeftCorner, 500); },
         [this] {
             PollIn(UpperLeftCorner);
             desktop.AdvanceTime(500);
             PollIn(UpperLeftCorner);
             PollAt(kCentre);
         },
         {corner + ran, corner + left}},
        {"a launch that failed, with Windows' words for the error",
         [this] {
             theCustomActions[0] = CCustomAction{L"Run it", L"", L"missing.exe /x", L""};
             Assign(Plain, UpperLeftCorner, kBuiltInActionCount);
             desktop.shellExecuteFails = true;
         },
         [this] { PollIn(UpperLeftCorner); },
         {corner + L"Entered: ran \u201cRun it\u201d | ", L" | Could not start missing.exe | Error 2"}},
        {"keys sent while a window with higher rights is in front",
         [this] {
             CCustomAction keys{L"Task view", L"", L"", L""};
             keys.beginningKeys = KeyCombination{kWinModifier, VK_TAB};
             theCustomActions[0] = keys;
             Assign(Plain, UpperLeftCorner, kBuiltInActionCount);
             desktop.Window(editor).higherRights = true;
             desktop.Window(editor).program = L"C:\\Windows\\System32\\Taskmgr.exe";
         },
         [this] { PollIn(UpperLeftCorner); },
         {corner + L"Entered: ran \u201cTask view\u201d | ", L" | Typed Win+Tab | ",
          L" | Keys of \u201cTask view\u201d did not arrive | Taskmgr.exe is in front and runs with higher rights "
          L"than Vorn, so Windows drops keys sent to it. Start Vorn as administrator to reach it."}},
        // Last: leaving while disabled leaves an ending pending for the next entry.
        {"Vorn disabled", [] { theData.enabled = false; }, brush, {corner + L"Nothing ran | Vorn is disabled"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetGlobals();
        for (int zone = 0; zone < kZoneCount; ++zone)
            Assign(Plain, static_cast<EdgeZone>(zone), PlainAction(zone));
        c.arrange();
        engine.SettingsChanged();
        c.act();
        EXPECT_EQ(Lines(), c.lines);
        desktop.SetKeyDown(VK_LBUTTON, false);
        desktop.shellExecuteFails = false;
        desktop.Window(editor).higherRights = false;
        desktop.SetForegroundWindow(editor);
        PollAt(kCentre);
    }
}

// A program with higher rights is told of once a run, however often keys miss it.
TEST_F(ActivityTest, KeysMissingAWindowWithHigherRightsAreToldOnce)
{
    std::vector<std::wstring> told;
    engine.SetHigherRightsNotice([&](const std::wstring& program) { told.push_back(program); });
    CCustomAction keys{L"Keys", L"", L"", L""};
    keys.beginningKeys = KeyCombination{kCtrlModifier, 'C'};
    theCustomActions[0] = keys;
    Assign(Plain, UpperLeftCorner, kBuiltInActionCount);
    desktop.Window(editor).program = L"C:\\Admin\\tool.exe";
    Brush();
    EXPECT_TRUE(told.empty());
    desktop.Window(editor).higherRights = true;
    Brush();
    Brush();
    EXPECT_EQ(told, std::vector<std::wstring>{L"tool.exe"});
}

TEST(ActivityLogTest, KeepsTheNewestFiveHundredInOrder)
{
    CActivityLog log;
    for (std::uint32_t n = 1; n <= CActivityLog::kCapacity + 1; ++n) {
        ActivityEvent event;
        event.code = n;
        log.Record(event);
    }
    ASSERT_EQ(log.Count(), CActivityLog::kCapacity);
    EXPECT_EQ(log.Newest(0).code, CActivityLog::kCapacity + 1);
    EXPECT_EQ(log.Newest(CActivityLog::kCapacity - 1).code, 2u);  // the first one went
    EXPECT_EQ(log.Recorded(), CActivityLog::kCapacity + 1);
    log.Clear();
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_EQ(log.Recorded(), CActivityLog::kCapacity + 1);
}

}  // namespace
}  // namespace vorn

namespace vorn {
namespace {

// Each record names the monitor of its zone: a zone left, or a wait cut
// short, where the zone was, not where the pointer went.
TEST_F(MonitorAssignmentTest, TheActivityNamesTheMonitorOfTheZone)
{
    theActivity.Clear();
    PollAt({3839, 0});
    PollAt({960, 540});
    theData.SetZoneDwell(UpperRightCorner, 500);
    PollAt({3839, 0});
    desktop.AdvanceTime(100);
    PollAt({960, 540});
    ASSERT_EQ(theActivity.Count(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(DescribeActivity(theActivity.Newest(i)).zone, L"Upper right corner, monitor 2") << i;
}

struct RecordingWaits final : IWaitDisplay {
    void WaitBegins(POINT at, DWORD wait, DWORD left) override { told.push_back({at.x, wait, left}); }
    void WaitEnds() override { told.push_back({-1, 0, 0}); }
    struct Told {
        LONG x;
        DWORD wait, left;
        bool operator==(const Told&) const = default;
    };
    std::vector<Told> told;
};

// The ring shows a wait long enough to see, from where it begins until the
// zone is entered or left; with the option off, or a short wait, nothing.
TEST_F(EdgeEngineTest, TheWaitIsShownFromItsStartUntilTheZoneIsEnteredOrLeft)
{
    using Told = RecordingWaits::Told;
    struct Case {
        const char* what;
        bool shown;
        std::int32_t wait;
        bool stays;
        std::vector<Told> told;
    };
    const Case cases[] = {
        {"stayed: shown until entered", true, 500, true, {{0, 500, 500}, {-1, 0, 0}}},
        {"left before the end: shown until left", true, 500, false, {{0, 500, 500}, {-1, 0, 0}}},
        {"the shortest wait shown", true, 300, true, {{0, 300, 300}, {-1, 0, 0}}},
        {"a wait too short to see", true, 299, true, {}},
        {"the option off", false, 500, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingWaits waits;
        engine.SetWaitDisplay(&waits);
        theData.showWait = c.shown;
        theData.SetZoneDwell(UpperLeftCorner, c.wait);
        PollIn(UpperLeftCorner);
        desktop.AdvanceTime(c.wait);
        if (c.stays) PollIn(UpperLeftCorner);
        PollAt(kCentre);
        EXPECT_EQ(waits.told, c.told);
        engine.SetWaitDisplay(nullptr);
    }
}

}  // namespace
}  // namespace vorn
