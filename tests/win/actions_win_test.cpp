// Action handlers on real windows through the Win32 port (Wine with a display
// on Linux): placements read back with GetWindowRect and GetWindowPlacement,
// peeks with GetLayeredWindowAttributes, keystrokes as the messages a
// foreground window receives.
//
// Only actions that touch the test's own windows run here: never power,
// session, monitor, screen saver, wallpaper or closing other programs' windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "actions/catalogue.h"
#include "actions/util.h"
#include "app/edge_engine.h"
#include "app/settings_store.h"
#include "platform/port.h"
#include "platform/win32/win32_port.h"
#include "settings/data.h"
#include "tests/win/win_test_support.h"

namespace vorn {
namespace {

constexpr wchar_t kClassName[] = L"VornActionTestWindow";

struct KeyMessage {
    UINT message;
    WPARAM key;
    bool operator==(const KeyMessage&) const = default;
};

void PrintTo(const KeyMessage& m, std::ostream* out)
{
    *out << (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN ? "down " : "up ") << m.key;
}

// Key messages received by any test window, in order.
std::vector<KeyMessage> received;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
        received.push_back(KeyMessage{message, wParam});
    return ::DefWindowProcW(window, message, wParam, lParam);
}

using test::PumpFor;
using test::PumpUntil;

// How often a wait here looks again at what it waits for.
constexpr DWORD kCheckEveryMs = 20;

struct Box {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
    bool operator==(const Box&) const = default;
};

void PrintTo(const Box& box, std::ostream* out)
{
    *out << "(" << box.left << ", " << box.top << ")-(" << box.right << ", " << box.bottom << ")";
}

Box RectOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return Box{rect.left, rect.top, rect.right, rect.bottom};
}

UINT ShowCommandOf(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window, &placement);
    return placement.showCmd;
}

BYTE AlphaOf(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags)) return 0;
    return alpha;
}

constexpr Box kStart{100, 120, 580, 480};

// Under Wine the window manager confirms a minimize or maximize some time
// later, and a restore that overtakes the confirmation is undone by it. Tests
// that change the show state twice let it arrive in between.
void SettleWindowManager() { PumpFor(500, kCheckEveryMs); }

class TestWindow : public test::TestWindow {
public:
    TestWindow()
        : test::TestWindow(kClassName, L"Vorn action test", kStart.left, kStart.top, kStart.right - kStart.left,
                           kStart.bottom - kStart.top)
    {
        if (!get()) return;
        Show();
        PumpUntil([this] { return ::IsWindowVisible(get()) != FALSE; }, 2000, kCheckEveryMs);
    }
};

class ActionsWinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallWin32Port();
        InstallSettingsStore();
        theUtil.Resolve();
        classRegistered_ = test::RegisterTestWindowClass(kClassName, &RecordingProcedure);
    }
    static void TearDownTestSuite()
    {
        if (classRegistered_) test::UnregisterTestWindowClass(kClassName);
        UninstallPort();
    }

    void SetUp() override
    {
        ASSERT_TRUE(classRegistered_);
        theData.ResetToDefaults();
        theData.windowGrow = 10;
        theData.windowShrink = 10;
        theData.windowMove = 10;
        theData.windowTransparency = 50;
        theData.fadeTransparency = false;
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
        ASSERT_NE(window.get(), nullptr);
        received.clear();
    }

    // Runs the entry of that name on the test window and lets the window
    // system catch up.
    void Run(const wchar_t* name, bool ending = false, HWND target = nullptr)
    {
        const ActionIndex index = FindActionIndex(name);
        ASSERT_NE(index, kNoActionIndex) << testing::PrintToString(std::wstring(name));
        host.ending = ending;
        host.targetWindow = target ? target : window.get();
        theCatalogue[static_cast<std::size_t>(index)].handler(host);
        host.ending = false;
    }
    // Geometry may arrive a little later from the window manager.
    Box SettledRect(const Box& expected)
    {
        PumpUntil([&] { return RectOf(window.get()) == expected; }, 2000, kCheckEveryMs);
        return RectOf(window.get());
    }

    static inline bool classRegistered_ = false;
    RECT work{};
    TestWindow window;
    CEdgeEngine host;
};

// --- Placement ---

struct TileCase {
    const wchar_t* action;
    Box (*expected)(const RECT& work);
};

TEST_F(ActionsWinTest, HalfTilesAndEnlargeFillTheirPartOfTheWorkArea)
{
    const TileCase cases[] = {
        {L"Tile left",
         [](const RECT& w) {
             return Box{w.left, w.top, w.left + (w.right - w.left) / 2, w.bottom};
         }},
        {L"Tile right",
         [](const RECT& w) {
             const LONG half = (w.right - w.left) / 2;
             return Box{w.left + half, w.top, w.left + 2 * half, w.bottom};
         }},
        {L"Tile top",
         [](const RECT& w) {
             return Box{w.left, w.top, w.right, w.top + (w.bottom - w.top) / 2};
         }},
        {L"Tile bottom",
         [](const RECT& w) {
             const LONG half = (w.bottom - w.top) / 2;
             return Box{w.left, w.top + half, w.right, w.top + 2 * half};
         }},
        {L"Enlarge window",
         [](const RECT& w) {
             return Box{w.left + 10, w.top + 10, w.right - 10, w.bottom - 10};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.action)));
        ::MoveWindow(window.get(), kStart.left, kStart.top, kStart.right - kStart.left, kStart.bottom - kStart.top,
                     TRUE);
        Run(c.action);
        EXPECT_EQ(SettledRect(c.expected(work)), c.expected(work));
        EXPECT_EQ(ShowCommandOf(window.get()), static_cast<UINT>(SW_SHOWNORMAL));
    }
}

TEST_F(ActionsWinTest, TileLeftRestoresAMaximizedWindowFirst)
{
    ::ShowWindow(window.get(), SW_SHOWMAXIMIZED);
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(window.get()) != FALSE; }, 2000, kCheckEveryMs));
    SettleWindowManager();
    Run(L"Tile left");
    const Box expected{work.left, work.top, work.left + (work.right - work.left) / 2, work.bottom};
    EXPECT_EQ(SettledRect(expected), expected);
    EXPECT_FALSE(::IsZoomed(window.get()));
}

struct StepCase {
    const wchar_t* action;
    Box expected;
};

TEST_F(ActionsWinTest, GrowShrinkAndMoveStepTheWindowByTheSettings)
{
    const StepCase cases[] = {
        {L"Grow window right", {100, 120, 590, 480}}, {L"Grow window all", {90, 110, 590, 490}},
        {L"Shrink window all", {110, 130, 570, 470}}, {L"Shrink window left", {110, 120, 580, 480}},
        {L"Move window down", {100, 130, 580, 490}},  {L"Move window up and left", {90, 110, 570, 470}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.action)));
        ::MoveWindow(window.get(), kStart.left, kStart.top, kStart.right - kStart.left, kStart.bottom - kStart.top,
                     TRUE);
        ASSERT_EQ(SettledRect(kStart), kStart);
        Run(c.action);
        EXPECT_EQ(SettledRect(c.expected), c.expected);
        // The ending phase does nothing.
        Run(c.action, true);
        EXPECT_EQ(RectOf(window.get()), c.expected);
    }
}

TEST_F(ActionsWinTest, MoveLeftStopsAtTheWorkAreaEdge)
{
    theData.windowMove = 50;
    ::MoveWindow(window.get(), work.left + 30, kStart.top, 400, 300, TRUE);
    Run(L"Move window left");
    const Box expected{work.left, kStart.top, work.left + 400, kStart.top + 300};
    EXPECT_EQ(SettledRect(expected), expected);
}

TEST_F(ActionsWinTest, MaximizeMomentaryMaximizesOnEnteringAndRestoresOnLeaving)
{
    Run(L"Maximize momentary");
    EXPECT_TRUE(PumpUntil([&] { return ::IsZoomed(window.get()) != FALSE; }, 2000, kCheckEveryMs));
    EXPECT_EQ(ShowCommandOf(window.get()), static_cast<UINT>(SW_SHOWMAXIMIZED));
    SettleWindowManager();

    Run(L"Maximize momentary", true);
    EXPECT_TRUE(PumpUntil([&] { return ::IsZoomed(window.get()) == FALSE; }, 2000, kCheckEveryMs));
    EXPECT_EQ(ShowCommandOf(window.get()), static_cast<UINT>(SW_SHOWNORMAL));
    // The normal size comes back; where it lands is occasionally the window
    // manager's choice under Wine.
    const Box restored = SettledRect(kStart);
    EXPECT_EQ(restored.right - restored.left, kStart.right - kStart.left);
    EXPECT_EQ(restored.bottom - restored.top, kStart.bottom - kStart.top);
    EXPECT_EQ(host.savedWindow, nullptr);
}

TEST_F(ActionsWinTest, MinimizeMomentaryMinimizesOnEnteringAndRestoresOnLeaving)
{
    Run(L"Minimize momentary");
    EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(window.get()) != FALSE; }, 2000, kCheckEveryMs));
    EXPECT_EQ(host.savedWindow, window.get());
    SettleWindowManager();

    // Leaving: the target is whatever is in front now, yet the minimized window comes back.
    Run(L"Minimize momentary", true, ::GetForegroundWindow());
    EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(window.get()) == FALSE; }, 2000, kCheckEveryMs));
    EXPECT_EQ(ShowCommandOf(window.get()), static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(host.savedWindow, nullptr);
}

// --- Peek ---

class PeekActionsWinTest : public ActionsWinTest {
protected:
    void SetUp() override
    {
        ActionsWinTest::SetUp();
        ASSERT_NE(theUtil.setLayeredAttributes, nullptr);
        // A window is a peek target only once the shell's taskbar exists.
        ASSERT_TRUE(
            PumpUntil([] { return ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }, 10000, kCheckEveryMs));
    }
};

TEST_F(PeekActionsWinTest, WindowMomentarySetsTheTransparencyAndClearsItOnLeaving)
{
    Run(L"Peek window momentary");
    EXPECT_NE(::GetWindowLongW(window.get(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(AlphaOf(window.get()), AlphaFromPercent(50));
    Run(L"Peek window momentary", true);
    EXPECT_EQ(AlphaOf(window.get()), 255);
    EXPECT_EQ(theUtil.GetWindowTransparency(window.get()), 0);
}

// The system's clock, except that each pause notes how opaque the window is
// at that moment: the steps a fade shows.
class StepClock : public IClock {
public:
    StepClock(IClock& system, HWND window) : system_(system), window_(window) {}
    std::int64_t Time64() override { return system_.Time64(); }
    DWORD GetTickCount() override { return system_.GetTickCount(); }
    void Sleep(DWORD) override { steps.push_back(AlphaOf(window_)); }
    int rand() override { return system_.rand(); }
    void srand(unsigned seed) override { system_.srand(seed); }
    std::vector<BYTE> steps;

private:
    IClock& system_;
    HWND window_;
};

TEST_F(PeekActionsWinTest, WindowMomentaryFadesInOverItsSteps)
{
    theData.fadeTransparency = true;
    theData.windowTransparency = 30;
    StepClock clock(os::Clock(), window.get());
    InstallPort({&os::Input(), &os::Windows(), &os::Shell(), &os::Power(), &os::Timers(), &clock, &os::Files()});
    Run(L"Peek window momentary");
    InstallWin32Port();
    InstallSettingsStore();
    EXPECT_EQ(AlphaOf(window.get()), AlphaFromPercent(30));
    // Shown step by step, each more transparent than the last, none past the end.
    ASSERT_GT(clock.steps.size(), 2u);
    for (std::size_t i = 1; i < clock.steps.size(); ++i)
        EXPECT_LT(clock.steps[i], clock.steps[i - 1]) << "step " << i;
    EXPECT_LT(clock.steps.front(), 255);
    EXPECT_GE(clock.steps.back(), AlphaFromPercent(30));
    Run(L"Peek window momentary", true);
    EXPECT_EQ(AlphaOf(window.get()), 255);
}

TEST_F(PeekActionsWinTest, WindowPersistentStaysUntilUndo)
{
    theData.windowTransparency = 40;
    Run(L"Peek window persistent");
    EXPECT_EQ(host.savedWindow, window.get());
    EXPECT_EQ(AlphaOf(window.get()), AlphaFromPercent(40));
    EXPECT_EQ(theUtil.GetWindowTransparency(window.get()), 40);

    Run(L"Peek window undo");
    EXPECT_EQ(AlphaOf(window.get()), 255);
    EXPECT_EQ(host.savedWindow, nullptr);
}

TEST_F(PeekActionsWinTest, MinimizedWindowIsNotPeeked)
{
    ::ShowWindow(window.get(), SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(window.get()) != FALSE; }, 2000, kCheckEveryMs));
    Run(L"Peek window momentary");
    Run(L"Peek window persistent");
    EXPECT_EQ(::GetWindowLongW(window.get(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(host.savedWindow, nullptr);
}

// --- Keystrokes ---

class KeystrokeActionsWinTest : public ActionsWinTest {
protected:
    void SetUp() override
    {
        ActionsWinTest::SetUp();
        ::SetForegroundWindow(window.get());
        // The keys go wherever the focus is: make sure it is our window.
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window.get() && ::GetFocus() == window.get(); },
                              5000, kCheckEveryMs));
        PumpFor(100, kCheckEveryMs);
        received.clear();
    }

    std::vector<KeyMessage> Expect(std::size_t count)
    {
        PumpUntil([count] { return received.size() >= count; }, 3000, kCheckEveryMs);
        PumpFor(100, kCheckEveryMs);  // and nothing more
        return received;
    }
};

TEST_F(KeystrokeActionsWinTest, CopyPressesCtrlAndC)
{
    Run(L"Copy");
    const std::vector<KeyMessage> expected{
        {WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'C'}, {WM_KEYUP, 'C'}, {WM_KEYUP, VK_CONTROL}};
    EXPECT_EQ(Expect(expected.size()), expected);
    EXPECT_GE(::GetAsyncKeyState(VK_CONTROL), 0);  // released
}

TEST_F(KeystrokeActionsWinTest, RefreshPressesF5OnlyOnEntering)
{
    Run(L"Refresh", true);
    Run(L"Refresh");
    const std::vector<KeyMessage> expected{{WM_KEYDOWN, VK_F5}, {WM_KEYUP, VK_F5}};
    EXPECT_EQ(Expect(expected.size()), expected);
}

}  // namespace
}  // namespace vorn
