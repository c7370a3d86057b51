#include <gtest/gtest.h>

#include "actions/util.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

using fake::ShowState;

class UtilTest : public fake::DesktopTest {
protected:
    BYTE Alpha(HWND window) { return desktop.Window(window).alpha; }
    bool Layered(HWND window) { return (desktop.Window(window).exStyle & WS_EX_LAYERED) != 0; }
    HWND AddChildOf(HWND parent, const std::wstring& title)
    {
        fake::WindowDesc desc;
        desc.title = title;
        desc.parent = parent;
        return desktop.AddWindow(desc);
    }
    HWND AddInState(const std::wstring& title, ShowState state)
    {
        fake::WindowDesc desc;
        desc.title = title;
        desc.state = state;
        return desktop.AddWindow(desc);
    }
};

TEST_F(UtilTest, ResolveFindsTheLayeredFunctionsWhenPresent)
{
    EXPECT_NE(theUtil.setLayeredAttributes, nullptr);
    EXPECT_NE(theUtil.getLayeredAttributes, nullptr);
    desktop.layeredFunctionsAvailable = false;
    theUtil.Resolve();
    EXPECT_EQ(theUtil.setLayeredAttributes, nullptr);
    EXPECT_EQ(theUtil.getLayeredAttributes, nullptr);
}

struct VersionCase {
    DWORD platform;
    DWORD major;
    bool vistaOrLater;
};

TEST_F(UtilTest, VistaOrLaterIsAnNtPlatformAboveVersionFive)
{
    const VersionCase cases[] = {{VER_PLATFORM_WIN32_NT, 10, true},
                                 {VER_PLATFORM_WIN32_NT, 6, true},
                                 {VER_PLATFORM_WIN32_NT, 5, false},
                                 {VER_PLATFORM_WIN32_NT, 4, false},
                                 {VER_PLATFORM_WIN32_WINDOWS, 6, false}};
    for (const auto& c : cases) {
        desktop.version.dwPlatformId = c.platform;
        desktop.version.dwMajorVersion = c.major;
        theUtil.Resolve();
        EXPECT_EQ(theUtil.vistaOrLater, c.vistaOrLater) << c.platform << " " << c.major;
    }
}

TEST_F(UtilTest, FindTaskbarTriesTenTimes)
{
    EXPECT_EQ(theUtil.FindTaskbar(), desktop.taskbar);
    desktop.findWindowCalls = 0;
    desktop.findWindowFailures = 9;
    EXPECT_EQ(theUtil.FindTaskbar(), desktop.taskbar);
    EXPECT_EQ(desktop.findWindowCalls, 10);
    desktop.findWindowCalls = 0;
    desktop.findWindowFailures = 10;
    EXPECT_EQ(theUtil.FindTaskbar(), nullptr);
    EXPECT_EQ(desktop.findWindowCalls, 10);
}

TEST_F(UtilTest, IsPeekTarget)
{
    const HWND normal = AddWindow(L"Editor");
    const HWND ownedByTaskbar = AddChildOf(desktop.taskbar, L"Jump list");
    const HWND ownedByOther = AddChildOf(normal, L"Find");
    const HWND minimized = AddInState(L"Small", ShowState::Minimized);
    const HWND maximized = AddInState(L"Big", ShowState::Maximized);
    EXPECT_TRUE(theUtil.IsPeekTarget(normal));
    EXPECT_TRUE(theUtil.IsPeekTarget(ownedByOther));
    EXPECT_TRUE(theUtil.IsPeekTarget(maximized));
    EXPECT_FALSE(theUtil.IsPeekTarget(ownedByTaskbar));
    EXPECT_FALSE(theUtil.IsPeekTarget(desktop.taskbar));
    EXPECT_FALSE(theUtil.IsPeekTarget(desktop.shellWindow));
    EXPECT_FALSE(theUtil.IsPeekTarget(minimized));
    // With no taskbar, a window without a parent matches the missing taskbar.
    desktop.DestroyWindow(desktop.taskbar);
    EXPECT_FALSE(theUtil.IsPeekTarget(normal));
    EXPECT_TRUE(theUtil.IsPeekTarget(ownedByOther));
}

TEST_F(UtilTest, RestoreIfMaximizedTouchesOnlyMaximizedWindows)
{
    fake::WindowDesc desc;
    desc.title = L"Big";
    desc.rect = RECT{10, 20, 310, 220};
    desc.state = ShowState::Maximized;
    const HWND maximized = desktop.AddWindow(desc);
    const HWND minimized = AddInState(L"Small", ShowState::Minimized);
    const HWND normal = AddWindow(L"Normal");
    desktop.SetForegroundWindow(normal);

    theUtil.RestoreIfMaximized(normal);
    theUtil.RestoreIfMaximized(minimized);
    EXPECT_EQ(desktop.foreground, normal);  // nothing was shown
    EXPECT_EQ(desktop.Window(minimized).state, ShowState::Minimized);

    theUtil.RestoreIfMaximized(maximized);
    EXPECT_EQ(desktop.Window(maximized).state, ShowState::Normal);
    EXPECT_EQ(desktop.Window(maximized).rect.left, 10);
    EXPECT_EQ(desktop.Window(maximized).rect.bottom, 220);
}

TEST_F(UtilTest, ReleaseLeftButtonSendsAButtonUpAtThePointer)
{
    desktop.MovePointer(640, 480);
    desktop.SetKeyDown(VK_LBUTTON, true);
    theUtil.ReleaseLeftButton();
    ASSERT_EQ(desktop.mouse.size(), 1u);
    EXPECT_EQ(desktop.mouse[0].flags, static_cast<DWORD>(MOUSEEVENTF_LEFTUP));
    EXPECT_EQ(desktop.mouse[0].x, 640u);
    EXPECT_EQ(desktop.mouse[0].y, 480u);
    EXPECT_GE(desktop.GetAsyncKeyState(VK_LBUTTON), 0);
}

struct TransparencyCase {
    int percent;
    BYTE alpha;
};

TEST_F(UtilTest, SetWindowTransparencyMakesTheWindowLayeredWithTheAlpha)
{
    const HWND window = AddWindow(L"Editor");
    desktop.Window(window).exStyle = WS_EX_TOPMOST;
    for (const auto& c : {TransparencyCase{0, 255}, TransparencyCase{50, 127}, TransparencyCase{100, 0},
                          TransparencyCase{1, 252}, TransparencyCase{99, 2}, TransparencyCase{98, 5}}) {
        theUtil.SetWindowTransparency(window, c.percent);
        EXPECT_EQ(Alpha(window), c.alpha) << c.percent;
        EXPECT_EQ(desktop.Window(window).layeredFlags, static_cast<DWORD>(LWA_ALPHA));
        EXPECT_EQ(desktop.Window(window).colorKey, 0u);
    }
    EXPECT_EQ(desktop.Window(window).exStyle, WS_EX_TOPMOST | WS_EX_LAYERED);
}

TEST_F(UtilTest, GetWindowTransparency)
{
    const HWND window = AddWindow(L"Editor");
    EXPECT_EQ(theUtil.GetWindowTransparency(window), 0);  // not layered
    desktop.Window(window).exStyle |= WS_EX_LAYERED;
    EXPECT_EQ(theUtil.GetWindowTransparency(window), 0);  // layered, attributes never set
    desktop.SetLayeredWindowAttributes(window, 0, 128, LWA_ALPHA);
    EXPECT_EQ(theUtil.GetWindowTransparency(window), 49);
    desktop.SetLayeredWindowAttributes(window, 0, 0, LWA_ALPHA);
    EXPECT_EQ(theUtil.GetWindowTransparency(window), 100);
}

TEST_F(UtilTest, WithoutLayeredFunctionsTransparencyReadsFullAndSetsNothing)
{
    desktop.layeredFunctionsAvailable = false;
    theUtil.Resolve();
    const HWND window = AddWindow(L"Editor");
    EXPECT_EQ(theUtil.GetWindowTransparency(window), 100);
    theUtil.SetWindowTransparency(window, 50);
    EXPECT_FALSE(Layered(window));
    EXPECT_TRUE(desktop.Window(window).alphaHistory.empty());
}

TEST(TransparencyArithmetic, EveryPercentageSurvivesTheRoundTripThroughAlpha)
{
    for (int percent = 0; percent <= 100; ++percent)
        EXPECT_EQ(PercentFromAlpha(AlphaFromPercent(percent)), percent) << percent;
    EXPECT_EQ(PercentFromAlpha(255), 0);
    EXPECT_EQ(PercentFromAlpha(128), 49);
    EXPECT_EQ(PercentFromAlpha(0), 100);
    // Out-of-range percentages are held to the ends rather than wrapping.
    EXPECT_EQ(AlphaFromPercent(-20), 255);
    EXPECT_EQ(AlphaFromPercent(101), 0);
}

TEST_F(UtilTest, PostTaskbarCommand)
{
    theUtil.PostTaskbarCommand(kTaskbarCascade);
    ASSERT_EQ(desktop.posted.size(), 1u);
    EXPECT_EQ(desktop.posted[0].window, desktop.taskbar);
    EXPECT_EQ(desktop.posted[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(desktop.posted[0].wParam, 403u);
    EXPECT_EQ(desktop.posted[0].lParam, 0);
    desktop.DestroyWindow(desktop.taskbar);
    theUtil.PostTaskbarCommand(kTaskbarShowDesktop);
    EXPECT_EQ(desktop.posted.size(), 1u);
}

// --- the sweep -------------------------------------------------------------------

const WindowSweep kAllSweeps[] = {WindowSweep::MaximizeAll,       WindowSweep::RestoreAll,
                                  WindowSweep::PeekAll,           WindowSweep::UnpeekAll,
                                  WindowSweep::TileTwoHorizontal, WindowSweep::TileTwoVertical};

TEST_F(UtilTest, EverySweepIgnoresHiddenUntitledAndShellWindows)
{
    std::vector<HWND> ignored;
    for (const wchar_t* title : {L"Start", L"Start Menu", L"Program Manager", L""})
        ignored.push_back(AddInState(title, ShowState::Maximized));
    fake::WindowDesc hidden;
    hidden.title = L"Hidden";
    hidden.visible = false;
    hidden.state = ShowState::Maximized;
    ignored.push_back(desktop.AddWindow(hidden));
    for (WindowSweep mode : kAllSweeps) {
        theUtil.ApplyToAllWindows(mode);
        for (HWND window : ignored) {
            EXPECT_EQ(desktop.Window(window).state, ShowState::Maximized) << static_cast<int>(mode);
            EXPECT_FALSE(Layered(window)) << static_cast<int>(mode);
        }
    }
}

TEST_F(UtilTest, MaximizeAllMaximizesSizableTopLevelWindowsOnly)
{
    const HWND sizable = AddWindow(L"Editor");
    const HWND dialog = AddWindow(L"Dialog", RECT{0, 0, 200, 100}, WS_CAPTION | WS_SYSMENU);
    const HWND owned = AddChildOf(sizable, L"Find");
    fake::WindowDesc desktopChild;
    desktopChild.title = L"Gadget";
    desktopChild.parent = desktop.shellWindow;
    const HWND gadget = desktop.AddWindow(desktopChild);
    desktop.Window(desktop.taskbar).title = L"Taskbar";
    desktop.Window(desktop.taskbar).style |= WS_THICKFRAME;
    theUtil.ApplyToAllWindows(WindowSweep::MaximizeAll);
    EXPECT_EQ(desktop.Window(sizable).state, ShowState::Maximized);
    EXPECT_EQ(desktop.Window(gadget).state, ShowState::Maximized);
    EXPECT_EQ(desktop.Window(dialog).state, ShowState::Normal);
    EXPECT_EQ(desktop.Window(owned).state, ShowState::Normal);
    EXPECT_EQ(desktop.Window(desktop.taskbar).state, ShowState::Normal);
}

TEST_F(UtilTest, RestoreAllRestoresMinimizedAndMaximizedAlike)
{
    const HWND minimized = AddInState(L"Small", ShowState::Minimized);
    const HWND maximized = AddInState(L"Big", ShowState::Maximized);
    const HWND dialog = AddWindow(L"Dialog", RECT{0, 0, 200, 100}, WS_CAPTION);
    desktop.ShowWindow(dialog, SW_SHOWMINIMIZED);
    theUtil.ApplyToAllWindows(WindowSweep::RestoreAll);
    for (HWND window : {minimized, maximized, dialog})
        EXPECT_EQ(desktop.Window(window).state, ShowState::Normal);
}

TEST_F(UtilTest, PeekAllAndUnpeekAll)
{
    theData.desktopTransparency = 80;
    const HWND editor = AddWindow(L"Editor");
    const HWND own = AddWindow(L"Vorn");
    const HWND minimized = AddInState(L"Small", ShowState::Minimized);
    const HWND jumpList = AddChildOf(desktop.taskbar, L"Jump list");
    theUtil.ApplyToAllWindows(WindowSweep::PeekAll);
    EXPECT_EQ(Alpha(editor), AlphaFromPercent(80));
    EXPECT_EQ(Alpha(own), AlphaFromPercent(80));  // the program's own windows too
    EXPECT_FALSE(Layered(minimized));
    EXPECT_FALSE(Layered(jumpList));
    EXPECT_FALSE(Layered(desktop.taskbar));

    desktop.ShowWindow(minimized, SW_SHOWNORMAL);  // restored in between: not peeked, so not unpeeked either
    theUtil.ApplyToAllWindows(WindowSweep::UnpeekAll);
    EXPECT_EQ(Alpha(editor), 255);
    EXPECT_TRUE(Layered(editor));     // the layered style stays
    EXPECT_TRUE(Layered(minimized));  // made layered with alpha 255
    EXPECT_EQ(Alpha(minimized), 255);
}

TEST_F(UtilTest, PeekSweepsNeedTheLayeredFunctions)
{
    desktop.layeredFunctionsAvailable = false;
    theUtil.Resolve();
    const HWND editor = AddWindow(L"Editor");
    theUtil.ApplyToAllWindows(WindowSweep::PeekAll);
    theUtil.ApplyToAllWindows(WindowSweep::UnpeekAll);
    EXPECT_FALSE(Layered(editor));
}

struct TileTwoCase {
    WindowSweep mode;
    RECT first;
    RECT second;
};

class TileTwoTest : public UtilTest, public ::testing::WithParamInterface<TileTwoCase> {};

TEST_P(TileTwoTest, PlacesTheTopTwoSizableWindowsAndSkipsTheRest)
{
    desktop.workArea = RECT{0, 0, 1281, 1001};
    const RECT untouched{50, 60, 450, 360};
    const HWND third = AddWindow(L"Third", untouched);
    const HWND second = AddInState(L"Second", ShowState::Maximized);
    const HWND fixedSize = AddWindow(L"Fixed", untouched, WS_CAPTION | WS_SYSMENU);
    const HWND first = AddWindow(L"First");
    tileTwoCount = 0;
    theUtil.ApplyToAllWindows(GetParam().mode);
    EXPECT_EQ(tileTwoCount, 2);
    const auto same = [](RECT a, RECT b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    EXPECT_TRUE(same(desktop.Window(first).rect, GetParam().first));
    EXPECT_EQ(desktop.Window(second).state, ShowState::Normal);  // restored before placing
    EXPECT_TRUE(same(desktop.Window(second).rect, GetParam().second));
    EXPECT_TRUE(same(desktop.Window(third).rect, untouched));
    EXPECT_TRUE(same(desktop.Window(fixedSize).rect, untouched));
}

INSTANTIATE_TEST_SUITE_P(
    BothLayouts, TileTwoTest,
    ::testing::Values(TileTwoCase{WindowSweep::TileTwoHorizontal, RECT{0, 0, 1281, 500}, RECT{0, 500, 1281, 1000}},
                      TileTwoCase{WindowSweep::TileTwoVertical, RECT{0, 0, 640, 1001}, RECT{640, 0, 1280, 1001}}));

TEST_F(UtilTest, TileTwoLetsGoOfAHeldButtonAndNeedsAWorkArea)
{
    const RECT start{100, 100, 500, 400};
    const HWND window = AddWindow(L"Editor", start);
    desktop.SetKeyDown(VK_LBUTTON, true);
    desktop.workAreaAvailable = false;
    theUtil.ApplyToAllWindows(WindowSweep::TileTwoVertical);
    EXPECT_EQ(desktop.mouse.size(), 1u);
    EXPECT_EQ(desktop.Window(window).rect.right, start.right);
    EXPECT_EQ(tileTwoCount, 0);
}

TEST_F(UtilTest, TileTwoLeavesWindowsAloneOnceTwoArePlaced)
{
    const HWND window = AddWindow(L"Editor");
    tileTwoCount = 2;
    theUtil.ApplyToAllWindows(WindowSweep::TileTwoHorizontal);
    EXPECT_EQ(desktop.Window(window).rect.left, 100);
    EXPECT_EQ(tileTwoCount, 2);
}

}  // namespace
}  // namespace vorn
