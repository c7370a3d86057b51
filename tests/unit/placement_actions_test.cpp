#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "actions/action_host.h"
#include "actions/catalogue.h"
#include "actions/util.h"
#include "app/edge_engine.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

using fake::ShowState;

// A rectangle gtest can compare and print.
struct Box {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
    bool operator==(const Box&) const = default;
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
};

void PrintTo(const Box& box, std::ostream* out)
{
    *out << "(" << box.left << ", " << box.top << ")-(" << box.right << ", " << box.bottom << ")";
}

Box BoxOf(const RECT& rect) { return Box{rect.left, rect.top, rect.right, rect.bottom}; }
RECT RectOf(const Box& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

// Handlers need a host; this one never changes the wallpaper or opens a window.
class QuietHost final : public CActionHost {
public:
    void ChangeWallpaper(bool) override {}
    void OpenSettingsWindow() override {}
    HWND MainWindow() const override { return nullptr; }
};

constexpr LONG kSizable = WS_OVERLAPPEDWINDOW;
constexpr LONG kDialog = WS_CAPTION | WS_SYSMENU;  // a caption but no sizing frame
constexpr LONG kBorderOnly = WS_BORDER | WS_SYSMENU;
constexpr LONG kDialogFrameOnly = WS_DLGFRAME;
constexpr LONG kPopup = static_cast<LONG>(WS_POPUP);

class PlacementActionsTest : public fake::DesktopTest {
protected:
    PlacementActionsTest()
    {
        desktop.SetScreenSize(1280, 1040);
        desktop.workArea = RECT{0, 0, 1280, 1000};
    }

    // Runs the catalogue entry of that name on the host as it is.
    void Run(const wchar_t* name, bool ending = false)
    {
        const ActionIndex index = FindActionIndex(name);
        ASSERT_NE(index, kNoActionIndex) << testing::PrintToString(std::wstring(name));
        host.ending = ending;
        theCatalogue[static_cast<std::size_t>(index)].handler(host);
    }
    void RunOn(HWND target, const wchar_t* name, bool ending = false)
    {
        host.targetWindow = target;
        Run(name, ending);
    }

    HWND AddIn(ShowState state, Box box = Box{300, 200, 700, 600}, LONG style = kSizable,
               const std::wstring& title = L"Window")
    {
        fake::WindowDesc desc;
        desc.title = title;
        desc.rect = RectOf(box);
        desc.style = style;
        desc.state = state;
        return desktop.AddWindow(desc);
    }
    HWND Add(Box box = Box{300, 200, 700, 600}, LONG style = kSizable, const std::wstring& title = L"Window")
    {
        return AddIn(ShowState::Normal, box, style, title);
    }

    Box Rect(HWND window) { return BoxOf(desktop.Window(window).rect); }
    ShowState State(HWND window) { return desktop.Window(window).state; }
    std::vector<WPARAM> TaskbarCommands() const
    {
        std::vector<WPARAM> commands;
        for (const auto& message : desktop.posted)
            if (message.window == desktop.taskbar && message.message == WM_COMMAND) commands.push_back(message.wParam);
        return commands;
    }

    QuietHost host;
};

// --- Half-screen tiles and Enlarge ---

TEST_F(PlacementActionsTest, TileRightRestoresAMaximizedWindowThenPlacesItOnTheRightHalf)
{
    const HWND window = AddIn(ShowState::Maximized);
    RunOn(window, L"Tile right");
    EXPECT_EQ(State(window), ShowState::Normal);
    EXPECT_EQ(Rect(window), (Box{640, 0, 1280, 1000}));
}

struct TileCase {
    const wchar_t* action;
    Box expected;
};

TEST_F(PlacementActionsTest, HalfTilesUseHalfTheWorkAreaRoundedDown)
{
    // Odd width and height: the last column and row stay uncovered.
    desktop.workArea = RECT{0, 0, 1281, 1001};
    const TileCase cases[] = {{L"Tile left", {0, 0, 640, 1001}},
                              {L"Tile right", {640, 0, 1280, 1001}},
                              {L"Tile top", {0, 0, 1281, 500}},
                              {L"Tile bottom", {0, 500, 1281, 1000}}};
    for (const auto& c : cases) {
        const HWND window = Add();
        RunOn(window, c.action);
        EXPECT_EQ(Rect(window), c.expected) << testing::PrintToString(std::wstring(c.action));
    }
}

TEST_F(PlacementActionsTest, HalfTilesStartAtTheWorkAreaOrigin)
{
    desktop.workArea = RECT{100, 40, 1380, 1040};
    const TileCase cases[] = {{L"Tile left", {100, 40, 740, 1040}},
                              {L"Tile right", {740, 40, 1380, 1040}},
                              {L"Tile top", {100, 40, 1380, 540}},
                              {L"Tile bottom", {100, 540, 1380, 1040}},
                              {L"Enlarge window", {110, 50, 1370, 1030}}};
    for (const auto& c : cases) {
        const HWND window = AddIn(ShowState::Maximized);
        RunOn(window, c.action);
        EXPECT_EQ(State(window), ShowState::Normal) << testing::PrintToString(std::wstring(c.action));
        EXPECT_EQ(Rect(window), c.expected) << testing::PrintToString(std::wstring(c.action));
    }
}

TEST_F(PlacementActionsTest, HalfTilesLetGoOfAHeldLeftButtonFirst)
{
    const HWND window = Add();
    desktop.MovePointer(400, 210);
    RunOn(window, L"Tile left");
    EXPECT_TRUE(desktop.mouse.empty());

    desktop.SetKeyDown(VK_LBUTTON, true);
    RunOn(window, L"Tile top");
    ASSERT_EQ(desktop.mouse.size(), 1u);
    EXPECT_EQ(desktop.mouse[0].flags, static_cast<DWORD>(MOUSEEVENTF_LEFTUP));
    EXPECT_EQ(desktop.mouse[0].x, 400u);
    EXPECT_EQ(desktop.mouse[0].y, 210u);
    EXPECT_EQ(Rect(window), (Box{0, 0, 1280, 500}));
}

TEST_F(PlacementActionsTest, EnlargeDoesNotLetGoOfTheButton)
{
    const HWND window = Add();
    desktop.SetKeyDown(VK_LBUTTON, true);
    RunOn(window, L"Enlarge window");
    EXPECT_TRUE(desktop.mouse.empty());
    EXPECT_EQ(Rect(window), (Box{10, 10, 1270, 990}));
}

// --- Windows the placements leave alone ---

const wchar_t* const kSizingActions[] = {
    L"Tile left",
    L"Tile right",
    L"Tile top",
    L"Tile bottom",
    L"Enlarge window",
    L"Grow window left",
    L"Grow window right",
    L"Grow window top",
    L"Grow window bottom",
    L"Grow window height",
    L"Grow window width",
    L"Grow window all",
    L"Shrink window left",
    L"Shrink window right",
    L"Shrink window top",
    L"Shrink window bottom",
    L"Shrink window height",
    L"Shrink window width",
    L"Shrink window all",
    L"Maximize persistent",
    L"Full screen toggle (Chrome)",
};

const wchar_t* const kMoveActions[] = {
    L"Move window left",          L"Move window right",          L"Move window up",
    L"Move window down",          L"Move window up and left",    L"Move window up and right",
    L"Move window down and left", L"Move window down and right",
};

TEST_F(PlacementActionsTest, SizingActionsSkipWindowsWithoutASizingFrame)
{
    for (LONG style : {kDialog, kBorderOnly, kPopup}) {
        const HWND window = Add(Box{300, 200, 700, 600}, style);
        for (const wchar_t* action : kSizingActions) {
            RunOn(window, action);
            EXPECT_EQ(Rect(window), (Box{300, 200, 700, 600})) << testing::PrintToString(std::wstring(action));
            EXPECT_EQ(State(window), ShowState::Normal);
        }
    }
    EXPECT_EQ(host.savedWindow, nullptr);
}

TEST_F(PlacementActionsTest, MovesSkipWindowsWithoutEitherCaptionBit)
{
    const HWND window = Add(Box{300, 200, 700, 600}, kPopup | WS_THICKFRAME);
    for (const wchar_t* action : kMoveActions) {
        RunOn(window, action);
        EXPECT_EQ(Rect(window), (Box{300, 200, 700, 600})) << testing::PrintToString(std::wstring(action));
    }
}

TEST_F(PlacementActionsTest, MovesNeedOnlyOneCaptionBit)
{
    theData.windowMove = 10;
    for (LONG style : {kDialog, kBorderOnly, kDialogFrameOnly}) {
        const HWND window = Add(Box{300, 200, 700, 600}, style);
        RunOn(window, L"Move window right");
        EXPECT_EQ(Rect(window), (Box{310, 200, 710, 600})) << style;
    }
}

TEST_F(PlacementActionsTest, NothingHappensWithoutATargetOrAWorkArea)
{
    const HWND window = Add();
    const HWND other = Add(Box{10, 20, 210, 220});
    desktop.SetForegroundWindow(other);
    desktop.SetKeyDown(VK_LBUTTON, true);
    for (bool workArea : {true, false}) {
        desktop.workAreaAvailable = workArea;
        const HWND target = workArea ? nullptr : window;
        for (const wchar_t* action : kSizingActions) {
            const std::wstring name = action;
            // These two do not read the work area.
            if (target && (name == L"Maximize persistent" || name == L"Full screen toggle (Chrome)")) continue;
            RunOn(target, action);
        }
        for (const wchar_t* action : kMoveActions)
            RunOn(target, action);
    }
    EXPECT_EQ(Rect(window), (Box{300, 200, 700, 600}));
    EXPECT_EQ(Rect(other), (Box{10, 20, 210, 220}));
    EXPECT_TRUE(desktop.mouse.empty());
    EXPECT_EQ(desktop.foreground, other);
}

TEST_F(PlacementActionsTest, PlacementsDoNothingWhenLeaving)
{
    const HWND window = AddIn(ShowState::Maximized);
    desktop.SetKeyDown(VK_LBUTTON, true);
    for (const wchar_t* action : kSizingActions)
        RunOn(window, action, true);
    for (const wchar_t* action : kMoveActions)
        RunOn(window, action, true);
    EXPECT_EQ(State(window), ShowState::Maximized);
    EXPECT_EQ(Rect(window), (Box{0, 0, 1280, 1000}));
    EXPECT_TRUE(desktop.mouse.empty());
    EXPECT_EQ(host.savedWindow, nullptr);
}

// --- Grow and shrink ---

struct ResizeCase {
    const wchar_t* action;
    Box expected;
};

TEST_F(PlacementActionsTest, GrowAndShrinkMoveTheNamedEdges)
{
    theData.windowGrow = 20;
    theData.windowShrink = 15;
    const ResizeCase cases[] = {
        {L"Grow window left", {280, 200, 700, 600}},     {L"Grow window right", {300, 200, 720, 600}},
        {L"Grow window top", {300, 180, 700, 600}},      {L"Grow window bottom", {300, 200, 700, 620}},
        {L"Grow window height", {300, 180, 700, 620}},   {L"Grow window width", {280, 200, 720, 600}},
        {L"Grow window all", {280, 180, 720, 620}},      {L"Shrink window left", {315, 200, 700, 600}},
        {L"Shrink window right", {300, 200, 685, 600}},  {L"Shrink window top", {300, 215, 700, 600}},
        {L"Shrink window bottom", {300, 200, 700, 585}}, {L"Shrink window height", {300, 215, 700, 585}},
        {L"Shrink window width", {315, 200, 685, 600}},  {L"Shrink window all", {315, 215, 685, 585}},
    };
    for (const auto& c : cases) {
        const HWND window = Add();
        RunOn(window, c.action);
        EXPECT_EQ(Rect(window), c.expected) << testing::PrintToString(std::wstring(c.action));
    }
}

TEST_F(PlacementActionsTest, GrowLeftStopsAtTheWorkAreaEdge)
{
    desktop.workArea = RECT{50, 0, 1280, 1000};
    theData.windowGrow = 20;
    const HWND window = Add(Box{60, 200, 460, 600});
    RunOn(window, L"Grow window left");
    EXPECT_EQ(Rect(window), (Box{50, 200, 460, 600}));
}

TEST_F(PlacementActionsTest, ResizingClampsEveryEdgeIntoTheWorkArea)
{
    // Edges that were already outside come in, moved or not.
    theData.windowGrow = 20;
    theData.windowShrink = 15;
    const HWND grown = Add(Box{-50, 100, 400, 1100});
    RunOn(grown, L"Grow window top");
    EXPECT_EQ(Rect(grown), (Box{0, 80, 400, 1000}));

    const HWND shrunk = Add(Box{900, -30, 1400, 500});
    RunOn(shrunk, L"Shrink window left");
    EXPECT_EQ(Rect(shrunk), (Box{915, 0, 1280, 500}));
}

TEST_F(PlacementActionsTest, ResizingRestoresAMaximizedWindowFirst)
{
    theData.windowGrow = 20;
    const HWND window = AddIn(ShowState::Maximized);
    RunOn(window, L"Grow window right");
    EXPECT_EQ(State(window), ShowState::Normal);
    EXPECT_EQ(Rect(window), (Box{300, 200, 720, 600}));
}

TEST_F(PlacementActionsTest, ShrinkingStopsAtTheWindowSystemsMinimumSize)
{
    theData.windowShrink = 30;
    const HWND window = Add(Box{300, 200, 500, 300});
    RunOn(window, L"Shrink window all");
    EXPECT_EQ(Rect(window), (Box{330, 230, 470, 270}));  // 140 x 40
    RunOn(window, L"Shrink window all");
    EXPECT_EQ(Rect(window).Width(), 136);
    EXPECT_EQ(Rect(window).Height(), 39);
}

// --- Move ---

struct MoveCase {
    const wchar_t* action;
    Box expected;
};

TEST_F(PlacementActionsTest, MovesShiftTheWholeWindow)
{
    theData.windowMove = 25;
    const MoveCase cases[] = {
        {L"Move window left", {275, 200, 675, 600}},
        {L"Move window right", {325, 200, 725, 600}},
        {L"Move window up", {300, 175, 700, 575}},
        {L"Move window down", {300, 225, 700, 625}},
        {L"Move window up and left", {275, 175, 675, 575}},
        {L"Move window up and right", {325, 175, 725, 575}},
        {L"Move window down and left", {275, 225, 675, 625}},
        {L"Move window down and right", {325, 225, 725, 625}},
    };
    for (const auto& c : cases) {
        const HWND window = Add();
        RunOn(window, c.action);
        EXPECT_EQ(Rect(window), c.expected) << testing::PrintToString(std::wstring(c.action));
    }
}

TEST_F(PlacementActionsTest, MoveLeftStopsAtTheWorkAreaEdgeKeepingTheSize)
{
    desktop.workArea = RECT{40, 0, 1280, 1000};
    theData.windowMove = 50;
    const HWND window = Add(Box{70, 200, 470, 600});
    RunOn(window, L"Move window left");
    EXPECT_EQ(Rect(window), (Box{40, 200, 440, 600}));
}

TEST_F(PlacementActionsTest, MovesKeepTheWindowInsideByShiftingNeverResizing)
{
    theData.windowMove = 10;
    const MoveCase cases[] = {
        {L"Move window down and right", {880, 600, 1280, 1000}},
        {L"Move window up and left", {0, 0, 400, 400}},
        // Wider than the work area: the right edge wins.
        {L"Move window right", {-220, 200, 1280, 500}},
        {L"Move window left", {-220, 200, 1280, 500}},
        // Taller: the bottom edge wins.
        {L"Move window down", {100, -150, 500, 1000}},
        {L"Move window up", {100, -150, 500, 1000}},
    };
    const Box starts[] = {{875, 595, 1275, 995},  {5, 5, 405, 405},      {-100, 200, 1400, 500},
                          {-100, 200, 1400, 500}, {100, -50, 500, 1100}, {100, -50, 500, 1100}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const HWND window = Add(starts[i]);
        RunOn(window, cases[i].action);
        EXPECT_EQ(Rect(window), cases[i].expected) << testing::PrintToString(std::wstring(cases[i].action));
        EXPECT_EQ(Rect(window).Width(), starts[i].Width());
        EXPECT_EQ(Rect(window).Height(), starts[i].Height());
    }
}

TEST_F(PlacementActionsTest, MoveRestoresAMaximizedWindowFirst)
{
    theData.windowMove = 10;
    const HWND window = AddIn(ShowState::Maximized);
    RunOn(window, L"Move window down");
    EXPECT_EQ(State(window), ShowState::Normal);
    EXPECT_EQ(Rect(window), (Box{300, 210, 700, 610}));
}

// --- Minimize and maximize ---

TEST_F(PlacementActionsTest, MaximizeMomentaryOnADialogWithoutSizingFrameDoesNothing)
{
    const HWND dialog = Add(Box{300, 200, 700, 600}, kDialog);
    const HWND other = Add(Box{10, 20, 210, 220});
    desktop.SetForegroundWindow(other);
    for (const wchar_t* action : {L"Maximize momentary", L"Full screen momentary (Chrome)"}) {
        RunOn(dialog, action);
        RunOn(dialog, action, true);
    }
    EXPECT_EQ(State(dialog), ShowState::Normal);
    EXPECT_EQ(Rect(dialog), (Box{300, 200, 700, 600}));
    EXPECT_EQ(desktop.foreground, other);  // not even activated
}

TEST_F(PlacementActionsTest, MinimizeMomentaryRestoresTheMinimizedWindowWhenLeaving)
{
    const HWND back = Add(Box{10, 20, 210, 220}, kSizable, L"Back");
    const HWND front = Add(Box{300, 200, 700, 600}, kSizable, L"Front");
    desktop.SetForegroundWindow(front);

    RunOn(front, L"Minimize momentary");
    EXPECT_EQ(State(front), ShowState::Minimized);
    EXPECT_EQ(host.savedWindow, front);
    EXPECT_EQ(desktop.foreground, back);

    // On leaving the target is whatever is in front now.
    RunOn(desktop.foreground, L"Minimize momentary", true);
    EXPECT_EQ(State(front), ShowState::Normal);
    EXPECT_EQ(Rect(front), (Box{300, 200, 700, 600}));
    EXPECT_EQ(State(back), ShowState::Normal);
    EXPECT_EQ(host.savedWindow, nullptr);

    // A second ending finds nothing remembered.
    RunOn(back, L"Minimize momentary", true);
    EXPECT_EQ(State(back), ShowState::Normal);
}

TEST_F(PlacementActionsTest, MinimizeWithoutATargetKeepsTheRememberedWindow)
{
    const HWND window = Add();
    host.savedWindow = window;
    RunOn(nullptr, L"Minimize momentary");
    RunOn(nullptr, L"Minimize persistent");
    EXPECT_EQ(host.savedWindow, window);
}

TEST_F(PlacementActionsTest, MaximizeMomentaryRestoresTheWindowInFrontWhenLeaving)
{
    const HWND first = Add(Box{10, 20, 210, 220}, kSizable, L"First");
    const HWND second = AddIn(ShowState::Maximized, Box{300, 200, 700, 600}, kSizable, L"Second");

    RunOn(first, L"Maximize momentary");
    EXPECT_EQ(State(first), ShowState::Maximized);
    EXPECT_EQ(host.savedWindow, nullptr);

    desktop.SetForegroundWindow(second);
    RunOn(second, L"Maximize momentary", true);
    EXPECT_EQ(State(second), ShowState::Normal);
    EXPECT_EQ(Rect(second), (Box{300, 200, 700, 600}));
    EXPECT_EQ(State(first), ShowState::Maximized);
}

TEST_F(PlacementActionsTest, FullScreenMomentaryChromeMaximizesLikeMaximizeMomentary)
{
    const HWND window = Add();
    RunOn(window, L"Full screen momentary (Chrome)");
    EXPECT_EQ(State(window), ShowState::Maximized);
    RunOn(window, L"Full screen momentary (Chrome)", true);
    EXPECT_EQ(State(window), ShowState::Normal);
    EXPECT_EQ(Rect(window), (Box{300, 200, 700, 600}));
}

TEST_F(PlacementActionsTest, FullScreenToggleChromeAlternatesOnEntering)
{
    const HWND window = Add();
    RunOn(window, L"Full screen toggle (Chrome)");
    EXPECT_EQ(State(window), ShowState::Maximized);
    RunOn(window, L"Full screen toggle (Chrome)", true);
    EXPECT_EQ(State(window), ShowState::Maximized);
    RunOn(window, L"Full screen toggle (Chrome)");
    EXPECT_EQ(State(window), ShowState::Normal);
    EXPECT_EQ(Rect(window), (Box{300, 200, 700, 600}));
}

TEST_F(PlacementActionsTest, MaximizePersistentRemembersTheWindowForRestore)
{
    const HWND window = Add();
    RunOn(window, L"Maximize persistent");
    EXPECT_EQ(State(window), ShowState::Maximized);
    EXPECT_EQ(host.savedWindow, window);
    RunOn(nullptr, L"Restore");
    EXPECT_EQ(State(window), ShowState::Normal);
    EXPECT_EQ(host.savedWindow, nullptr);
}

TEST_F(PlacementActionsTest, RestoreRestoresOnlyTheLastRememberedWindow)
{
    const HWND a = Add(Box{10, 20, 210, 220}, kSizable, L"A");
    const HWND b = Add(Box{300, 200, 700, 600}, kSizable, L"B");
    RunOn(a, L"Minimize persistent");
    RunOn(b, L"Maximize persistent");
    EXPECT_EQ(host.savedWindow, b);

    RunOn(nullptr, L"Restore");
    EXPECT_EQ(State(b), ShowState::Normal);
    EXPECT_EQ(State(a), ShowState::Minimized);
    EXPECT_EQ(host.savedWindow, nullptr);

    // Leaving the zone finds the slot already cleared.
    RunOn(nullptr, L"Restore", true);
    EXPECT_EQ(State(a), ShowState::Minimized);
}

TEST_F(PlacementActionsTest, RestoreRunsInTheEndingPhaseToo)
{
    const HWND window = AddIn(ShowState::Minimized);
    host.savedWindow = window;
    RunOn(nullptr, L"Restore", true);
    EXPECT_EQ(State(window), ShowState::Normal);
    EXPECT_EQ(host.savedWindow, nullptr);
}

TEST_F(PlacementActionsTest, PersistentMinimizeAndMaximizeDoNothingWhenLeaving)
{
    const HWND window = Add();
    RunOn(window, L"Minimize persistent", true);
    RunOn(window, L"Maximize persistent", true);
    EXPECT_EQ(State(window), ShowState::Normal);
    EXPECT_EQ(host.savedWindow, nullptr);
}

// --- All windows and taskbar commands ---

struct TaskbarCase {
    const wchar_t* action;
    WPARAM command;
};

TEST_F(PlacementActionsTest, ArrangementCommandsArePostedInBothPhases)
{
    const TaskbarCase cases[] = {{L"Cascade", 403}, {L"Tile horizontal", 405}, {L"Tile vertical", 404}};
    for (const auto& c : cases) {
        desktop.posted.clear();
        Run(c.action);
        Run(c.action, true);
        EXPECT_EQ(TaskbarCommands(), (std::vector<WPARAM>{c.command, c.command}))
            << testing::PrintToString(std::wstring(c.action));
        EXPECT_EQ(desktop.posted.size(), 2u);
    }
}

TEST_F(PlacementActionsTest, TaskbarCommandsNeedATaskbar)
{
    desktop.DestroyWindow(desktop.taskbar);
    for (const wchar_t* action : {L"Cascade", L"Tile horizontal", L"Tile vertical", L"Minimize all persistent"})
        Run(action);
    EXPECT_TRUE(desktop.posted.empty());
}

TEST_F(PlacementActionsTest, MinimizeAllMomentaryRestoresEveryWindowWhenLeaving)
{
    const HWND minimized = AddIn(ShowState::Minimized, Box{10, 20, 210, 220});
    const HWND maximized = AddIn(ShowState::Maximized);
    Run(L"Minimize all momentary");
    EXPECT_EQ(TaskbarCommands(), (std::vector<WPARAM>{415}));
    EXPECT_EQ(State(minimized), ShowState::Minimized);

    Run(L"Minimize all momentary", true);
    EXPECT_EQ(TaskbarCommands(), (std::vector<WPARAM>{415}));
    EXPECT_EQ(State(minimized), ShowState::Normal);
    EXPECT_EQ(State(maximized), ShowState::Normal);
}

TEST_F(PlacementActionsTest, MinimizeAllPersistentPostsOnlyOnEntering)
{
    Run(L"Minimize all persistent");
    Run(L"Minimize all persistent", true);
    EXPECT_EQ(TaskbarCommands(), (std::vector<WPARAM>{415}));
}

TEST_F(PlacementActionsTest, MaximizeAllMaximizesSizableWindowsAndRestoresThemOnLeaving)
{
    const HWND sizable = Add();
    const HWND dialog = Add(Box{10, 20, 210, 220}, kDialog);
    Run(L"Maximize all momentary");
    EXPECT_EQ(State(sizable), ShowState::Maximized);
    EXPECT_EQ(State(dialog), ShowState::Normal);
    Run(L"Maximize all momentary", true);
    EXPECT_EQ(State(sizable), ShowState::Normal);
    EXPECT_EQ(Rect(sizable), (Box{300, 200, 700, 600}));

    Run(L"Maximize all persistent");
    EXPECT_EQ(State(sizable), ShowState::Maximized);
    Run(L"Maximize all persistent", true);
    Run(L"Restore all", true);
    EXPECT_EQ(State(sizable), ShowState::Maximized);
    Run(L"Restore all");
    EXPECT_EQ(State(sizable), ShowState::Normal);
}

TEST_F(PlacementActionsTest, TileTwoPlacesTheTopTwoSizableWindowsAndResetsTheCount)
{
    const HWND third = Add(Box{5, 5, 305, 305}, kSizable, L"Third");
    const HWND second = Add(Box{20, 30, 320, 330}, kSizable, L"Second");
    Add(Box{40, 50, 340, 350}, kDialog, L"Dialog");
    const HWND first = Add(Box{60, 70, 360, 370}, kSizable, L"First");

    tileTwoCount = 7;
    Run(L"Tile 2 vertical");
    EXPECT_EQ(Rect(first), (Box{0, 0, 640, 1000}));
    EXPECT_EQ(Rect(second), (Box{640, 0, 1280, 1000}));
    EXPECT_EQ(Rect(third), (Box{5, 5, 305, 305}));
    EXPECT_EQ(tileTwoCount, 0);

    tileTwoCount = 3;
    Run(L"Tile 2 horizontal");
    EXPECT_EQ(Rect(first), (Box{0, 0, 1280, 500}));
    EXPECT_EQ(Rect(second), (Box{0, 500, 1280, 1000}));
    EXPECT_EQ(tileTwoCount, 0);

    tileTwoCount = 4;
    Run(L"Tile 2 vertical", true);
    EXPECT_EQ(Rect(first), (Box{0, 0, 1280, 500}));
    EXPECT_EQ(tileTwoCount, 4);  // the ending phase does not even reset it
}

// --- Repeats through the edge engine ---

class RepeatedPlacementTest : public PlacementActionsTest {
protected:
    RepeatedPlacementTest()
    {
        mainWindow = Add(Box{0, 0, 200, 100}, kSizable, L"Vorn");
        theData.repeatRate = 10;  // a tick every 100 ms
        theData.ComputeSideBands();
        engine.Start(mainWindow);
        desktop.MovePointer(640, 520);
    }

    // Puts the pointer on the top side with `action` assigned there and the
    // window in front, then collects the window's rectangle after each tick.
    std::vector<Box> Repeat(const wchar_t* action, HWND window, int ticks)
    {
        theData.assignments[Plain][TopSide] = FindActionIndex(action);
        desktop.SetForegroundWindow(window);
        desktop.MovePointer(640, 0);
        engine.Poll();
        std::vector<Box> rects{Rect(window)};
        for (int tick = 0; tick < ticks; ++tick) {
            desktop.AdvanceTime(100, [&](HWND timerWindow, UINT_PTR id) {
                if (timerWindow == mainWindow) engine.OnTimer(id);
            });
            rects.push_back(Rect(window));
        }
        return rects;
    }
    void Leave()
    {
        desktop.MovePointer(640, 520);
        engine.Poll();
    }

    HWND mainWindow = nullptr;
    CEdgeEngine engine;
};

TEST_F(RepeatedPlacementTest, GrowAllGrowsEveryTickUntilTheWorkAreaStopsIt)
{
    theData.windowGrow = 20;
    const HWND window = Add(Box{500, 400, 700, 600});
    const std::vector<Box> rects = Repeat(L"Grow window all", window, 35);
    ASSERT_TRUE(engine.repeatHandler != nullptr);
    for (std::size_t k = 0; k < rects.size(); ++k) {
        const LONG step = static_cast<LONG>(20 * (k + 1));  // the entry ran once already
        const Box expected{std::max<LONG>(500 - step, 0), std::max<LONG>(400 - step, 0),
                           std::min<LONG>(700 + step, 1280), std::min<LONG>(600 + step, 1000)};
        EXPECT_EQ(rects[k], expected) << "tick " << k;
    }
    EXPECT_EQ(rects.back(), (Box{0, 0, 1280, 1000}));

    Leave();
    EXPECT_EQ(engine.repeatHandler, nullptr);
}

TEST_F(RepeatedPlacementTest, ShrinkAllShrinksEveryTickUntilTheMinimumSizeStopsIt)
{
    theData.windowShrink = 10;
    const HWND window = Add(Box{400, 300, 800, 700});
    const std::vector<Box> rects = Repeat(L"Shrink window all", window, 25);
    for (std::size_t k = 1; k < rects.size(); ++k) {
        EXPECT_LE(rects[k].Width(), rects[k - 1].Width()) << "tick " << k;
        EXPECT_LE(rects[k].Height(), rects[k - 1].Height()) << "tick " << k;
        const LONG wanted = static_cast<LONG>(400 - 20 * (k + 1));
        EXPECT_EQ(rects[k].Width(), std::max<LONG>(wanted, 136)) << "tick " << k;
        EXPECT_EQ(rects[k].Height(), std::max<LONG>(wanted, 39)) << "tick " << k;
    }
    EXPECT_EQ(rects.back().Width(), 136);
    EXPECT_EQ(rects.back().Height(), 39);
}

TEST_F(RepeatedPlacementTest, MoveLeftMovesEveryTickUntilTheEdgeAndStopsWhenLeaving)
{
    theData.windowMove = 50;
    const HWND window = Add(Box{280, 300, 680, 500});
    const std::vector<Box> rects = Repeat(L"Move window left", window, 6);
    const LONG lefts[] = {230, 180, 130, 80, 30, 0, 0};
    ASSERT_EQ(rects.size(), std::size(lefts));
    for (std::size_t k = 0; k < rects.size(); ++k)
        EXPECT_EQ(rects[k], (Box{lefts[k], 300, lefts[k] + 400, 500})) << "tick " << k;

    Leave();
    const Box resting = Rect(window);
    desktop.MoveWindow(window, 600, 300, 400, 200, TRUE);
    desktop.AdvanceTime(1000, [&](HWND timerWindow, UINT_PTR id) {
        if (timerWindow == mainWindow) engine.OnTimer(id);
    });
    EXPECT_EQ(resting, (Box{0, 300, 400, 500}));
    EXPECT_EQ(Rect(window), (Box{600, 300, 1000, 500}));
}

}  // namespace
}  // namespace vorn
