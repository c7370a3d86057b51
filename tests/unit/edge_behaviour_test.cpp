// Edges that stay out of the way: zones on every monitor, the pause while a
// full-screen program is in front, the poll interval and the dwell time, and
// the work area of the window's own monitor.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "actions/window_monitor.h"
#include "app/edge_engine.h"
#include "tests/fake/fixture.h"
#include "ui/preview_layout.h"

namespace vorn {
namespace {

MonitorList Monitors(std::initializer_list<RECT> rects)
{
    MonitorList list;
    for (const RECT& r : rects)
        list.rects[static_cast<std::size_t>(list.count++)] = r;
    return list;
}

constexpr RECT kPrimary{0, 0, 1920, 1080};
// A borderless window's style (the top bit: negative as a LONG).
constexpr auto kPopup = static_cast<LONG>(WS_POPUP);

struct MonitorZoneCase {
    const char* arrangement;
    MonitorList monitors;
    POINT point;
    EdgeZone expected;
};

class ZoneOnMonitorsTest : public ::testing::TestWithParam<MonitorZoneCase> {};

// Corners and sides of 2 pixels, sides along the middle 70 % of each monitor.
TEST_P(ZoneOnMonitorsTest, OnlyTheDesktopsOuterBoundaryIsAZone)
{
    const MonitorZoneCase& c = GetParam();
    EXPECT_EQ(ZoneOnMonitors(c.point, c.monitors, 2, 2, 70), c.expected)
        << c.arrangement << " at (" << c.point.x << ", " << c.point.y << ")";
}

std::vector<MonitorZoneCase> MonitorZoneCases()
{
    const MonitorList sideBySide = Monitors({kPrimary, RECT{1920, 0, 3840, 1080}});
    const MonitorList stacked = Monitors({kPrimary, RECT{0, 1080, 1920, 2160}});
    // The right one smaller and lower: the primary's right edge is open from 300 down.
    const MonitorList unequal = Monitors({kPrimary, RECT{1920, 300, 3200, 1324}});
    const MonitorList leftOfPrimary = Monitors({kPrimary, RECT{-1280, 0, 0, 1024}});
    const MonitorList three = Monitors({kPrimary, RECT{-1920, 0, 0, 1080}, RECT{1920, 0, 3840, 1080}});
    return {
        {"side by side", sideBySide, {0, 0}, UpperLeftCorner},
        {"side by side", sideBySide, {1919, 0}, NoZone},
        {"side by side", sideBySide, {1920, 0}, NoZone},
        {"side by side", sideBySide, {3839, 0}, UpperRightCorner},
        {"side by side", sideBySide, {1919, 540}, NoZone},
        {"side by side", sideBySide, {3839, 540}, RightSide},
        {"side by side", sideBySide, {0, 540}, LeftSide},
        {"side by side", sideBySide, {2880, 0}, TopSide},
        {"stacked", stacked, {960, 1079}, NoZone},
        {"stacked", stacked, {0, 1079}, NoZone},
        {"stacked", stacked, {0, 2159}, LowerLeftCorner},
        {"stacked", stacked, {960, 2159}, BottomSide},
        {"stacked", stacked, {1919, 1620}, RightSide},
        {"different heights", unequal, {1919, 0}, UpperRightCorner},
        {"different heights", unequal, {1919, 200}, RightSide},
        {"different heights", unequal, {1919, 540}, NoZone},
        {"different heights", unequal, {1919, 1079}, NoZone},  // the pointer passes on to the right
        {"different heights", unequal, {1920, 300}, NoZone},
        {"different heights", unequal, {1920, 1100}, LeftSide},
        {"different heights", unequal, {2000, 10}, NoZone},  // on no monitor
        {"left of the primary", leftOfPrimary, {-1280, 0}, UpperLeftCorner},
        {"left of the primary", leftOfPrimary, {-1280, 512}, LeftSide},
        {"left of the primary", leftOfPrimary, {-1, 0}, NoZone},
        {"left of the primary", leftOfPrimary, {0, 540}, NoZone},
        {"left of the primary", leftOfPrimary, {0, 1079}, LowerLeftCorner},
        {"left of the primary", leftOfPrimary, {-640, 1023}, BottomSide},
        {"three in a row", three, {960, 0}, TopSide},
        {"three in a row", three, {1919, 540}, NoZone},
        {"three in a row", three, {-1920, 1079}, LowerLeftCorner},
        {"three in a row", three, {3839, 1079}, LowerRightCorner},
    };
}

INSTANTIATE_TEST_SUITE_P(Arrangements, ZoneOnMonitorsTest, ::testing::ValuesIn(MonitorZoneCases()));

class MonitorsTest : public fake::DesktopTest {
protected:
    MonitorsTest()
    {
        // A taskbar 40 pixels high on the primary monitor only.
        desktop.SetMonitors(
            {{kPrimary, RECT{0, 0, 1920, 1040}}, {RECT{1920, 0, 3840, 1080}, RECT{1920, 0, 3840, 1080}}});
    }
    HWND Add(const wchar_t* className, RECT rect, LONG style, fake::ShowState state = fake::ShowState::Normal)
    {
        fake::WindowDesc desc;
        desc.className = className;
        desc.rect = rect;
        desc.style = style;
        desc.state = state;
        return desktop.AddWindow(desc);
    }
};

TEST_F(MonitorsTest, AFullScreenWindowFillsItsMonitorWithoutATitleBar)
{
    struct Case {
        const char* what;
        const wchar_t* className;
        RECT rect;
        LONG style;
        bool expected;
    };
    const Case cases[] = {
        {"a borderless window the size of its monitor", L"Game", kPrimary, kPopup, true},
        {"the same on the second monitor", L"Game", RECT{1920, 0, 3840, 1080}, kPopup, true},
        {"a window a little larger than its monitor", L"Video", RECT{-4, -4, 1924, 1084}, kPopup, true},
        {"a maximised window that leaves the taskbar", L"Editor", RECT{-8, -8, 1928, 1048}, WS_OVERLAPPEDWINDOW, false},
        {"a window with a title bar over the whole monitor", L"Editor", RECT{-8, -8, 1928, 1088}, WS_OVERLAPPEDWINDOW,
         false},
        {"a borderless window with a thin border", L"Game", kPrimary, kPopup | static_cast<LONG>(WS_BORDER), true},
        {"a borderless window with a dialog frame", L"Game", kPrimary, kPopup | static_cast<LONG>(WS_DLGFRAME), true},
        {"a borderless window short of the bottom", L"Tool", RECT{0, 0, 1920, 1040}, kPopup, false},
        {"a borderless window short of the right", L"Tool", RECT{0, 0, 1919, 1080}, kPopup, false},
        {"a borderless window short of the top", L"Tool", RECT{0, 1, 1920, 1080}, kPopup, false},
        {"a borderless window short of the left", L"Tool", RECT{1, 0, 1920, 1080}, kPopup, false},
        {"across both monitors but filling neither", L"Tool", RECT{960, 0, 2880, 1080}, kPopup, false},
        {"the desktop's own window", L"Progman", kPrimary, kPopup, false},
        {"the desktop behind the icons", L"WorkerW", kPrimary, kPopup, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsFullScreenWindow(Add(c.className, c.rect, c.style)), c.expected) << c.what;

    const HWND minimised = Add(L"Game", kPrimary, kPopup, fake::ShowState::Minimized);
    EXPECT_FALSE(IsFullScreenWindow(minimised));
    EXPECT_FALSE(IsFullScreenWindow(desktop.shellWindow));
    EXPECT_FALSE(IsFullScreenWindow(nullptr));
    // Vorn's own preview covers the screen too.
    const HWND preview = Add(L"#32770", kPrimary, kPopup);
    desktop.Window(preview).processId = desktop.ownProcessId;
    EXPECT_FALSE(IsFullScreenWindow(preview));
}

TEST_F(MonitorsTest, WindowActionsKeepToTheWorkAreaOfTheWindowsMonitorWhenAsked)
{
    struct Case {
        const wchar_t* action;
        bool everyMonitor;
        RECT start;
        RECT expected;
    };
    constexpr RECT onSecond{2000, 100, 2400, 400};
    constexpr RECT onPrimary{200, 100, 600, 400};  // the taskbar's monitor
    const Case cases[] = {
        {L"Tile left", true, onSecond, RECT{1920, 0, 2880, 1080}},
        {L"Tile left", false, onSecond, RECT{0, 0, 960, 1040}},
        {L"Tile left", true, onPrimary, RECT{0, 0, 960, 1040}},
        {L"Tile right", true, onPrimary, RECT{960, 0, 1920, 1040}},
        {L"Enlarge window", true, onSecond, RECT{1930, 10, 3830, 1070}},
        {L"Enlarge window", true, onPrimary, RECT{10, 10, 1910, 1030}},
        {L"Grow window bottom", true, onSecond, RECT{2000, 100, 2400, 1080}},
        {L"Grow window bottom", true, onPrimary, RECT{200, 100, 600, 1040}},
    };
    for (const Case& c : cases) {
        theData.cornersOnEveryMonitor = c.everyMonitor;
        theData.windowGrow = 2000;
        const HWND window = Add(L"Editor", c.start, WS_OVERLAPPEDWINDOW);
        CEdgeEngine host;
        host.targetWindow = window;
        theCatalogue[static_cast<std::size_t>(FindActionIndex(c.action))].handler(host);
        const RECT r = desktop.Window(window).rect;
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<LONG>{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
            << testing::PrintToString(std::wstring(c.action)) << (c.everyMonitor ? " per monitor" : " primary");
    }
}

TEST_F(MonitorsTest, ThePreviewPaintsOnlyOuterZonesOnEveryMonitor)
{
    theData.cornersOnEveryMonitor = true;
    const auto rects = [](const std::vector<RECT>& areas) {
        std::vector<std::vector<LONG>> out;
        for (const RECT& r : areas)
            out.push_back({r.left, r.top, r.right, r.bottom});
        return out;
    };
    // Side by side: no corner or side where the two meet.
    const PreviewPicture pair = ComputePreviewPicture(3840, 1080, Plain);
    EXPECT_EQ(rects({pair.window}), rects({RECT{0, 0, 3840, 1080}}));
    EXPECT_EQ(rects(pair.areas),
              rects({RECT{0, 0, 2, 2}, RECT{0, 1077, 2, 1079}, RECT{0, 162, 2, 918}, RECT{288, 0, 1632, 2},
                     RECT{288, 1077, 1632, 1079}, RECT{3837, 0, 3839, 2}, RECT{3837, 1077, 3839, 1079},
                     RECT{3837, 162, 3839, 918}, RECT{2208, 0, 3552, 2}, RECT{2208, 1077, 3552, 1079}}));
    EXPECT_EQ(pair.texts.size(), 10u);
    // Each monitor's texts on that monitor: five on each, the corners and
    // sides of the left one on the left.
    int onLeft = 0;
    for (const PreviewText& text : pair.texts) {
        const bool left = text.at.x < 1920;
        onLeft += left;
        if (text.zone == UpperLeftCorner || text.zone == LowerLeftCorner || text.zone == LeftSide) {
            EXPECT_TRUE(left) << text.zone;
        }
        if (text.zone == UpperRightCorner || text.zone == LowerRightCorner || text.zone == RightSide) {
            EXPECT_FALSE(left) << text.zone;
        }
        EXPECT_GE(text.at.x, 0);
        EXPECT_LT(text.at.x, 3840);
    }
    EXPECT_EQ(onLeft, 5);
    EXPECT_EQ(pair.close.left, 900);  // the middle of the primary monitor

    // A smaller monitor to the left and lower: the window starts at its left,
    // and the primary's left side is painted only below it.
    desktop.SetMonitors({{kPrimary, kPrimary}, {RECT{-1280, 200, 0, 1000}, RECT{-1280, 200, 0, 1000}}});
    const PreviewPicture offset = ComputePreviewPicture(3200, 1080, Plain);
    EXPECT_EQ(rects({offset.window}), rects({RECT{-1280, 0, 1920, 1080}}));
    EXPECT_EQ(rects({offset.areas[4]}), rects({RECT{1280, 162, 1282, 200}}));  // after four corners
    EXPECT_EQ(offset.close.left, 1280 + 900);
}

class DwellAndPauseTest : public fake::DesktopTest {
protected:
    DwellAndPauseTest()
    {
        main = AddWindow(L"Vorn");
        editor = AddWindow(L"Editor");
        desktop.SetForegroundWindow(editor);
        desktop.MovePointer(960, 540);
        theData.assignments[Plain][UpperLeftCorner] = FindActionIndex(L"Tile left");
        engine.Start(main);
    }
    void Run(std::int64_t ms)
    {
        desktop.AdvanceTime(ms, [&](HWND window, UINT_PTR id) {
            if (window == main) engine.OnTimer(id);
        });
    }
    UINT PollPeriod() const { return desktop.Timer(main, kEdgeTimerId)->periodMs; }

    HWND main = nullptr;
    HWND editor = nullptr;
    CEdgeEngine engine;
};


TEST_F(MonitorsTest, ThePreviewsTextsAreSetAtTheScaleOfTheMonitorTheyAreOn)
{
    // The left monitor at 100 %, the right one at 150 %: the right one's
    // texts carry its scale and stand that much further from its edges;
    // the zones are the screen's own pixels at any scale.
    theData.cornersOnEveryMonitor = true;
    const PreviewPicture plain = ComputePreviewPicture(3840, 1080, Plain);
    const PreviewPicture scaled = ComputePreviewPicture(3840, 1080, Plain, [](int monitor) { return monitor == 1 ? 144 : 96; });
    ASSERT_EQ(scaled.texts.size(), plain.texts.size());
    EXPECT_EQ(scaled.areas.size(), plain.areas.size());
    for (std::size_t i = 0; i < scaled.areas.size(); ++i)
        EXPECT_EQ(scaled.areas[i].left, plain.areas[i].left) << i;
    for (std::size_t i = 0; i < scaled.texts.size(); ++i) {
        const PreviewText& t = scaled.texts[i];
        const bool right = t.at.x >= 1920;
        EXPECT_EQ(t.dpi, right ? 144 : 96) << t.zone;
        EXPECT_EQ(plain.texts[i].dpi, 96);
        if (!right) {
            EXPECT_EQ(t.at.y, plain.texts[i].at.y) << t.zone;
        }
    }
    // The right monitor's bottom text: 16 px above the side band at 100 %,
    // 24 at 150 %; the caption and Close button of the primary stay as they are.
    const auto bottomOnRight = [](const PreviewPicture& p) {
        for (const PreviewText& t : p.texts)
            if (t.zone == BottomSide && t.at.x >= 1920) return t.at.y;
        return LONG{-1};
    };
    EXPECT_EQ(bottomOnRight(plain), 1080 - 2 - 16);
    EXPECT_EQ(bottomOnRight(scaled), 1080 - 2 - 24);
    EXPECT_EQ(scaled.close.left, plain.close.left);

    // On the virtual screen, all at the window's scale: the Close button
    // 120 x 30 at 100 %, 240 x 60 at 200 %.
    theData.cornersOnEveryMonitor = false;
    const PreviewPicture twice = ComputePreviewPicture(1920, 1080, Plain, [](int) { return 192; });
    EXPECT_EQ(twice.close.right - twice.close.left, 240);
    EXPECT_EQ(twice.close.bottom - twice.close.top, 60);
    EXPECT_EQ(twice.label.right - twice.label.left, 800);
    for (const PreviewText& t : twice.texts)
        EXPECT_EQ(t.dpi, 192);
}
TEST_F(DwellAndPauseTest, AZoneCountsOnceThePointerHasStayedForTheDwellTime)
{
    theData.pollInterval = 100;
    theData.dwellTime = 300;
    Run(500);  // the first tick takes the new interval
    EXPECT_EQ(PollPeriod(), 100u);

    desktop.MovePointer(0, 540);  // the left side, for less than the dwell
    Run(200);
    desktop.MovePointer(960, 540);
    Run(100);
    desktop.MovePointer(0, 0);  // then the corner: first seen now
    Run(100);
    EXPECT_EQ(engine.currentZone, NoZone);
    Run(200);
    EXPECT_EQ(engine.currentZone, NoZone);
    Run(100);  // 300 ms after it was first seen
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    EXPECT_EQ(desktop.Window(editor).rect.right, 960);

    // Leaving ends at once; coming back waits again.
    desktop.MovePointer(960, 540);
    Run(100);
    EXPECT_EQ(engine.currentZone, NoZone);
    desktop.MovePointer(0, 0);
    Run(200);
    EXPECT_EQ(engine.currentZone, NoZone);

    // Brushed, left before the dwell ran out and come back: counted afresh
    // from the return, not from the brush.
    desktop.MovePointer(960, 540);
    Run(100);
    desktop.MovePointer(0, 0);
    Run(200);
    desktop.MovePointer(960, 540);
    Run(100);
    desktop.MovePointer(0, 0);
    Run(300);  // 600 ms since the brush was first seen, 200 since the return was
    EXPECT_EQ(engine.currentZone, NoZone);
    Run(100);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
}

// As the volume key held: one step on entering, the next after the keyboard's
// repeat delay, then at its repeat speed; the Repeat rate (which grow, shrink
// and move keep) has no say.
TEST_F(DwellAndPauseTest, TheVolumeStepsRepeatAsAHeldKeyWhileThePointerStaysAndStopWhenItLeaves)
{
    const auto presses = [&](BYTE key) {
        int count = 0;
        for (const fake::KeyEvent& event : desktop.keys)
            count += event.virtualKey == key && (event.flags & KEYEVENTF_KEYUP) == 0;
        return count;
    };
    struct Case {
        const char* keyboard;
        int delay;
        DWORD speed;
        bool readFails;
        int delayMs;   // about 250 ms a step of the delay
        int periodMs;  // 2.5 to 30 repeats a second
    };
    const Case cases[] = {
        {"shortest delay, slowest speed", 0, 0, false, 250, 400},
        {"longest delay, fastest speed", 3, 31, false, 1000, 33},
        {"shortest delay, fastest speed", 0, 31, false, 250, 33},
        {"longest delay, slowest speed", 3, 0, false, 1000, 400},
        {"beyond the ends", 9, 99, false, 1000, 33},
        {"unreadable: Windows' defaults", 3, 0, true, 500, 33},
    };
    theData.pollInterval = 50;
    theData.repeatRate = 100;
    theData.assignments[Plain][UpperLeftCorner] = FindActionIndex(L"Volume up");
    theData.assignments[Plain][LowerRightCorner] = FindActionIndex(L"Volume down");
    Run(500);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyboard);
        desktop.keyboardDelay = c.delay;
        desktop.keyboardSpeed = c.speed;
        desktop.keyboardRepeatReadFails = c.readFails;
        for (const auto& [x, y, key] : {std::tuple{0, 0, BYTE{VK_VOLUME_UP}}, {1919, 1079, BYTE{VK_VOLUME_DOWN}}}) {
            desktop.keys.clear();
            desktop.MovePointer(x, y);
            engine.Poll();  // the look that sees the pointer arrive
            ASSERT_NE(engine.currentZone, NoZone);
            EXPECT_EQ(presses(key), 1);
            Run(c.delayMs - 1);
            EXPECT_EQ(presses(key), 1);
            Run(1);
            EXPECT_EQ(presses(key), 2);
            Run(c.periodMs - 1);
            EXPECT_EQ(presses(key), 2);
            Run(1);
            EXPECT_EQ(presses(key), 3);
            Run(c.periodMs * 10);
            EXPECT_EQ(presses(key), 13);
            desktop.MovePointer(960, 540);
            engine.Poll();
            const int atLeaving = presses(key);
            Run(2000);
            EXPECT_EQ(presses(key), atLeaving);
            EXPECT_GE(desktop.GetAsyncKeyState(key), 0);
        }
    }
}

// Settings change often while the settings window is used (a slider being
// dragged): the poll keeps its rhythm through them, and a new interval counts
// at once.
TEST_F(DwellAndPauseTest, ThePollKeepsItsRhythmThroughSettingsChangesAndTakesANewIntervalAtOnce)
{
    for (int change = 0; change < 3; ++change) {
        Run(150);
        engine.SettingsChanged();
    }
    desktop.MovePointer(0, 0);
    Run(49);  // the poll is due 500 ms after the start, as if nothing changed
    EXPECT_EQ(engine.currentZone, NoZone);
    Run(1);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    theData.pollInterval = 100;
    engine.SettingsChanged();
    EXPECT_EQ(PollPeriod(), 100u);
}

TEST_F(DwellAndPauseTest, AFullScreenProgramInFrontKeepsZonesFromBeingEntered)
{
    fake::WindowDesc game;
    game.style = kPopup;
    game.rect = RECT{0, 0, 1920, 1080};
    const HWND fullScreen = desktop.AddWindow(game);
    desktop.SetForegroundWindow(fullScreen);

    // Off: the corner fires over the game.
    desktop.MovePointer(0, 0);
    engine.Poll();
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    desktop.MovePointer(960, 540);
    engine.Poll();

    theData.pauseInFullScreen = true;
    desktop.MovePointer(0, 0);
    engine.Poll();
    EXPECT_EQ(engine.currentZone, NoZone);

    // Begun with an ordinary window in front, the phase still ends when the
    // pointer leaves with the game in front.
    desktop.MovePointer(960, 540);
    engine.Poll();
    desktop.SetForegroundWindow(editor);
    desktop.MovePointer(0, 0);
    engine.Poll();
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    desktop.SetForegroundWindow(fullScreen);
    desktop.MovePointer(0, 540);  // straight on into the left side
    engine.Poll();
    EXPECT_EQ(engine.currentZone, NoZone);
    EXPECT_FALSE(engine.beginningRan);
}

// --- instant response and quiet while dragging ---------------------------------------

class InstantResponseTest : public fake::DesktopTest {
protected:
    InstantResponseTest()
    {
        main = AddWindow(L"Vorn");
        editor = AddWindow(L"Editor");
        desktop.SetForegroundWindow(editor);
        desktop.MovePointer(960, 540);
        theData.assignments[Plain][UpperLeftCorner] = FindActionIndex(L"Tile left");
        theData.assignments[Plain][LowerRightCorner] = FindActionIndex(L"Tile right");
        theData.instantResponse = true;
    }
    void Start() { engine.Start(main); }
    // A movement as raw input brings it: to the window that asked for it.
    void Move(int x, int y)
    {
        desktop.MovePointer(x, y);
        if (desktop.rawInputWindow == main) engine.OnPointerInput();
    }
    void Run(std::int64_t ms)
    {
        desktop.AdvanceTime(ms, [&](HWND window, UINT_PTR id) {
            if (window == main) engine.OnTimer(id);
        });
    }
    bool TimerActive(UINT_PTR id) const { return desktop.Timer(main, id) != nullptr; }
    LONG EditorRight() { return desktop.Window(editor).rect.right; }

    HWND main = nullptr;
    HWND editor = nullptr;
    CEdgeEngine engine;
};

TEST_F(InstantResponseTest, AZoneAnswersTheMovementItselfAndNothingTicksWhileThePointerRests)
{
    Start();
    EXPECT_TRUE(engine.Instant());
    EXPECT_EQ(desktop.rawInputWindow, main);
    EXPECT_FALSE(TimerActive(kEdgeTimerId));  // no poll
    Move(0, 0);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);  // at once, no time passed
    EXPECT_EQ(EditorRight(), 960);
    Move(960, 540);
    EXPECT_EQ(engine.currentZone, NoZone);
    Move(1919, 1079);
    EXPECT_EQ(engine.currentZone, LowerRightCorner);
    Move(960, 540);

    // One look a poll interval after the movements, which finds the pointer
    // where they left it; then, resting, a minute without a single tick.
    int ticks = 0;
    const auto count = [&](HWND window, UINT_PTR id) {
        if (window != main) return;
        ++ticks;
        engine.OnTimer(id);
    };
    desktop.AdvanceTime(theData.pollInterval, count);
    EXPECT_EQ(ticks, 1);
    ticks = 0;
    desktop.AdvanceTime(60000, count);
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(TimerActive(kEdgeTimerId));
    EXPECT_TRUE(engine.Instant());
    EXPECT_EQ(desktop.rawInputRegistrations, 1);
}

// Movements far from every edge, with nothing waiting, cost no look at the
// screen's size; the edges' reach follows the zone sizes and the screen.
TEST_F(InstantResponseTest, MovementsFarFromTheEdgesAreLeftAlone)
{
    Start();
    const int looks = desktop.screenSizeReads;
    for (int x = 100; x < 1800; x += 50)
        Move(x, 540);
    Move(3, 3);  // just beyond the corners' reach
    EXPECT_EQ(desktop.screenSizeReads, looks);
    Move(2, 2);  // within it, though in no zone
    Move(1917, 1077);
    Move(960, 540);
    EXPECT_EQ(desktop.screenSizeReads - looks, 2);
    EXPECT_EQ(engine.currentZone, NoZone);
    Move(0, 0);  // straight from afar into the corner
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    Move(960, 540);

    theData.cornerSize = 20;  // changed on the Settings page
    engine.SettingsChanged();
    Move(15, 15);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    Move(960, 540);
    desktop.SetScreenSize(1280, 1024);  // and then the screen
    engine.SettingsChanged();
    Move(1279, 1023);
    EXPECT_EQ(engine.currentZone, LowerRightCorner);
}

// A launch that runs a message loop keeps delivering raw input while the
// pointer moves on: the zone's own dispatch is not run again inside it.
TEST_F(InstantResponseTest, MovementsArrivingDuringADispatchAreDropped)
{
    theCustomActions[0] = CCustomAction{L"Log", L"", L"cmd /c echo entered", L"cmd /c echo left"};
    theData.assignments[Plain][UpperLeftCorner] = kBuiltInActionCount;
    Start();
    bool launching = false;
    desktop.onLaunch = [&] {
        if (std::exchange(launching, true)) return;
        Move(960, 540);
        Move(1919, 1079);
    };
    Move(0, 0);
    desktop.onLaunch = nullptr;
    EXPECT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    Move(1919, 1079);  // the next movement sees the pointer where it is now
    EXPECT_EQ(engine.currentZone, LowerRightCorner);
    EXPECT_EQ(desktop.launches.size(), 2u);  // the corner's ending
}

TEST_F(InstantResponseTest, TheDwellIsCountedExactlyFromTheFirstMovementIntoTheZone)
{
    theData.dwellTime = 300;
    Start();
    Move(0, 0);
    Run(299);
    EXPECT_EQ(engine.currentZone, NoZone);
    Move(1, 1);  // moving inside the zone counts on from the first movement
    Run(1);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    Move(960, 540);
    EXPECT_EQ(engine.currentZone, NoZone);  // leaving ends at once

    // A brush shorter than the dwell runs nothing, then or later.
    desktop.Window(editor).rect.right = 1500;
    Move(0, 0);
    Run(299);
    Move(960, 540);
    Run(1000);
    EXPECT_EQ(engine.currentZone, NoZone);
    EXPECT_EQ(desktop.Window(editor).rect.right, 1500);
    EXPECT_FALSE(TimerActive(kDwellTimerId));
}

TEST_F(InstantResponseTest, TheDwellCountsAgainAtEveryVisitAndForEveryZone)
{
    theData.dwellTime = 200;
    Start();
    for (const auto& [x, y, zone] : {std::tuple{0, 0, UpperLeftCorner}, {0, 0, UpperLeftCorner},
                                    {1919, 1079, LowerRightCorner}, {0, 0, UpperLeftCorner}}) {
        Move(960, 540);
        Run(50);
        Move(x, y);
        Run(199);
        EXPECT_EQ(engine.currentZone, NoZone);
        Run(1);
        EXPECT_EQ(engine.currentZone, zone);
    }
}

// A zone's own wait, longer than the "Dwell time" may be, is waited out
// exactly with the timer of instant response; a zone without one answers the
// movement itself; and nothing is set to tick once nothing waits.
TEST_F(InstantResponseTest, AZoneWaitsItsOwnTimeAndItsNeighbourNone)
{
    theData.dwellTime = 0;
    theData.SetZoneDwell(UpperLeftCorner, 1500);
    Start();
    for (int visit = 0; visit < 2; ++visit) {
        Move(0, 0);
        Run(1499);
        EXPECT_EQ(engine.currentZone, NoZone) << visit;
        if (visit == 0) {  // leaving one millisecond short, and coming back, waits it all again
            Move(960, 540);
            Run(50);
            continue;
        }
        Run(1);
        EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    }
    Move(1919, 1079);
    EXPECT_EQ(engine.currentZone, LowerRightCorner);
    Move(960, 540);
    Run(kEdgePollMs);
    EXPECT_FALSE(TimerActive(kDwellTimerId));
}

// A pen, a touch screen or a program moves the pointer without raw input:
// the look after the last movement finds it elsewhere, and the poll follows it
// until it rests. Raw input stays asked for all along: nothing falls back and
// comes back again.
TEST_F(InstantResponseTest, MovementsWithoutRawInputAreFollowedByThePollUntilThePointerRests)
{
    theData.pollInterval = 100;
    Start();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Move(500, 500);  // the mouse
        desktop.MovePointer(200, 200);  // and then, with no raw input, the pen
        Run(100);
        ASSERT_TRUE(TimerActive(kEdgeTimerId));
        desktop.MovePointer(0, 0);
        Run(99);
        EXPECT_EQ(engine.currentZone, NoZone);
        Run(1);  // within a poll interval
        EXPECT_EQ(engine.currentZone, UpperLeftCorner);
        desktop.MovePointer(960, 540);
        Run(100);
        EXPECT_EQ(engine.currentZone, NoZone);
        EXPECT_TRUE(TimerActive(kEdgeTimerId));
        Run(100);  // resting
        EXPECT_FALSE(TimerActive(kEdgeTimerId));
        Run(60000);
        EXPECT_FALSE(TimerActive(kEdgeTimerId));
    }
    EXPECT_TRUE(engine.Instant());
    EXPECT_EQ(desktop.rawInputWindow, main);
    EXPECT_EQ(desktop.rawInputRegistrations, 1);
    EXPECT_FALSE(TimerActive(kRetryTimerId));
}

// A pen or touch screen moves the pointer without raw input from rest: the
// poll runs beside raw input for as long as one is there.
TEST_F(InstantResponseTest, WithAPenOrTouchScreenThePollRunsBesideRawInput)
{
    theData.pollInterval = 100;
    desktop.digitizer = 0xC5;  // integrated touch and pen, ready
    Start();
    ASSERT_TRUE(TimerActive(kEdgeTimerId));
    EXPECT_EQ(desktop.Timer(main, kEdgeTimerId)->periodMs, 100u);
    Run(60000);  // resting, and still polling
    EXPECT_TRUE(TimerActive(kEdgeTimerId));
    desktop.MovePointer(0, 0);  // the pen
    Run(100);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    Move(960, 540);  // the mouse, as ever
    EXPECT_EQ(engine.currentZone, NoZone);
    Run(1000);
    EXPECT_TRUE(TimerActive(kEdgeTimerId));

    // Taken away: the poll stops once the pointer rests; plugged in again, it
    // comes back at once.
    desktop.digitizer = 0;
    engine.SettingsChanged();
    Run(100);
    EXPECT_FALSE(TimerActive(kEdgeTimerId));
    desktop.digitizer = 0x40;
    engine.SettingsChanged();
    EXPECT_TRUE(TimerActive(kEdgeTimerId));
    EXPECT_EQ(desktop.rawInputRegistrations, 1);
}

TEST_F(InstantResponseTest, WithoutMovementsItPollsAndTriesAgainLater)
{
    // Raw input refused: the poll at the interval set, and a later try.
    theData.pollInterval = 100;
    desktop.rawInputFails = true;
    Start();
    EXPECT_FALSE(engine.Instant());
    ASSERT_TRUE(TimerActive(kEdgeTimerId));
    EXPECT_EQ(desktop.Timer(main, kEdgeTimerId)->periodMs, 100u);
    EXPECT_TRUE(TimerActive(kRetryTimerId));
    desktop.MovePointer(0, 0);
    Run(100);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    desktop.MovePointer(960, 540);
    Run(100);

    desktop.rawInputFails = false;
    Run(kRetryMs);
    EXPECT_TRUE(engine.Instant());
    EXPECT_FALSE(TimerActive(kEdgeTimerId));
    EXPECT_FALSE(TimerActive(kRetryTimerId));

    // Once raw input is had, it is kept: a movement without it is followed by
    // the poll, and no other try is made.
    const int registrations = desktop.rawInputRegistrations;
    Move(960, 540);
    desktop.MovePointer(0, 0);  // no raw input for it
    Run(100);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    Run(kRetryMs * 2);
    EXPECT_TRUE(engine.Instant());
    EXPECT_FALSE(TimerActive(kRetryTimerId));
    EXPECT_EQ(desktop.rawInputRegistrations, registrations);
}

TEST_F(InstantResponseTest, TurningItOnAndOffWhileRunning)
{
    theData.instantResponse = false;
    Start();
    EXPECT_FALSE(engine.Instant());
    EXPECT_TRUE(TimerActive(kEdgeTimerId));
    theData.instantResponse = true;
    engine.SettingsChanged();
    EXPECT_TRUE(engine.Instant());
    EXPECT_FALSE(TimerActive(kEdgeTimerId));
    theData.instantResponse = false;
    engine.SettingsChanged();
    EXPECT_FALSE(engine.Instant());
    EXPECT_TRUE(TimerActive(kEdgeTimerId));
    EXPECT_FALSE(TimerActive(kRetryTimerId));
    EXPECT_EQ(desktop.rawInputWindow, nullptr);
}

TEST_F(InstantResponseTest, StoppingForgetsTheRawInputAndAStopWithoutItLeavesNoneBehind)
{
    Start();
    ASSERT_EQ(desktop.rawInputWindow, main);
    engine.Stop();
    EXPECT_EQ(desktop.rawInputWindow, nullptr);
    EXPECT_FALSE(engine.Instant());

    // Failed to register: a stop asks for no removal and the retry ends.
    desktop.rawInputFails = true;
    Start();
    EXPECT_FALSE(engine.Instant());
    engine.Stop();
    desktop.rawInputFails = false;
    Run(kRetryMs);
    EXPECT_FALSE(engine.Instant());
}

TEST_F(InstantResponseTest, TheWallpaperChangesOnATimerOfItsOwnWhenDue)
{
    desktop.AddFolder(L"C:\\Walls", {L"a.bmp", L"b.bmp"});
    theData.wallpaperFolders = {L"C:\\Walls"};
    theData.ScanWallpaperFiles();
    theData.wallpaperRandom = false;
    theData.wallpaperDelay = 10;
    Start();
    ASSERT_TRUE(TimerActive(kWallpaperTimerId));
    Run(10000);
    EXPECT_TRUE(desktop.wallpaper.empty());  // strictly after the delay
    Run(1000);
    EXPECT_EQ(desktop.wallpaper, L"C:\\Walls\\a.bmp");
    Run(10000);
    EXPECT_EQ(desktop.wallpaper, L"C:\\Walls\\a.bmp");
    Run(1000);
    EXPECT_EQ(desktop.wallpaper, L"C:\\Walls\\b.bmp");
    theData.wallpaperDelay = 0;  // switched off on the Settings page
    engine.SettingsChanged();
    EXPECT_FALSE(TimerActive(kWallpaperTimerId));
}

// Quiet while dragging, with the poll and with instant response, for each
// button: a zone reached with it down is not entered, not even when it is
// let go there; entering afresh is.
TEST_F(InstantResponseTest, AZoneReachedWithAButtonDownIsEnteredOnlyAfresh)
{
    theData.quietWhileDragging = true;
    Start();
    for (const bool instant : {false, true}) {
        theData.instantResponse = instant;
        engine.SettingsChanged();
        ASSERT_EQ(engine.Instant(), instant);
        const auto step = [&](int x, int y) {
            Move(x, y);
            if (!instant) Run(500);
        };
        for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2}) {
            SCOPED_TRACE(testing::Message() << (instant ? "instant " : "poll ") << button);
            step(960, 540);
            desktop.SetKeyDown(button, true);
            step(0, 0);
            EXPECT_EQ(engine.currentZone, NoZone);
            desktop.SetKeyDown(button, false);
            step(1, 1);  // let go there, and moved on inside it
            EXPECT_EQ(engine.currentZone, NoZone);
            step(960, 540);
            step(0, 0);  // afresh
            EXPECT_EQ(engine.currentZone, UpperLeftCorner);

            // Entered before the press: it ends as ever when left.
            desktop.SetKeyDown(button, true);
            step(960, 540);
            EXPECT_EQ(engine.currentZone, NoZone);
            desktop.SetKeyDown(button, false);
        }
    }
    // From one zone straight into another with a button down: the first
    // ends, the second is not entered.
    for (const bool instant : {false, true}) {
        theData.instantResponse = instant;
        engine.SettingsChanged();
        const auto step = [&](int x, int y) {
            Move(x, y);
            if (!instant) Run(500);
        };
        SCOPED_TRACE(instant ? "instant" : "poll");
        desktop.Window(editor).rect = RECT{100, 100, 500, 500};
        step(960, 540);
        step(0, 0);
        ASSERT_EQ(engine.currentZone, UpperLeftCorner);
        desktop.SetKeyDown(VK_LBUTTON, true);
        step(0, 540);  // the left side, reached with the button down
        EXPECT_EQ(engine.currentZone, NoZone);
        desktop.SetKeyDown(VK_LBUTTON, false);
        step(960, 540);
    }
    // Off: a button changes nothing.
    theData.quietWhileDragging = false;
    Move(960, 540);
    desktop.SetKeyDown(VK_LBUTTON, true);
    Move(0, 0);
    EXPECT_EQ(engine.currentZone, UpperLeftCorner);
    desktop.SetKeyDown(VK_LBUTTON, false);
}

// A window pulled into a corner and let go between two looks at the pointer
// (within one poll, or before the movement's raw input is looked at) is a drag
// all the same; a click done and seen before the pointer set out is not. With
// instant response, a look is a movement's raw input and the poll's tick that
// follows it a poll interval later.
TEST_F(InstantResponseTest, ADropBetweenTwoLooksStaysQuiet)
{
    enum Step { Press, Release, IntoCorner, Look, OptionOff, OptionOn };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        bool entered;
    };
    const Case cases[] = {
        {"pressed, pulled into the corner and let go between two looks", {Press, IntoCorner, Release, Look}, false},
        {"down at the last look, let go in the corner before the next", {Press, Look, IntoCorner, Release, Look},
         false},
        {"down at the last look and still down in the corner", {Press, Look, IntoCorner, Look}, false},
        {"clicked away from the edges, a look, then into the corner", {Press, Release, Look, IntoCorner, Look}, true},
        {"no button at all", {IntoCorner, Look}, true},
        {"pressed while resting in the corner", {IntoCorner, Look, Press, Look}, true},
        {"let go while the option was off", {Press, Look, OptionOff, Release, Look, OptionOn, IntoCorner, Look}, true},
    };
    theData.quietWhileDragging = true;
    Start();
    for (const bool instant : {false, true}) {
        theData.instantResponse = instant;
        engine.SettingsChanged();
        ASSERT_EQ(engine.Instant(), instant);
        // With instant response, the raw input of all that, looked at once
        // it is over.
        const auto look = [&] {
            if (instant) engine.OnPointerInput();
            Run(theData.pollInterval);
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << (instant ? "instant: " : "poll: ") << c.what);
            desktop.MovePointer(960, 540);
            look();
            ASSERT_EQ(engine.currentZone, NoZone);
            for (const Step step : c.steps) {
                if (step == Press || step == Release) desktop.SetKeyDown(VK_LBUTTON, step == Press);
                if (step == IntoCorner) desktop.MovePointer(0, 0);
                if (step == Look) look();
                if (step == OptionOff || step == OptionOn) theData.quietWhileDragging = step == OptionOn;
            }
            EXPECT_EQ(engine.currentZone == UpperLeftCorner, c.entered);
            desktop.SetKeyDown(VK_LBUTTON, false);
        }
    }
}

}  // namespace
}  // namespace vorn
