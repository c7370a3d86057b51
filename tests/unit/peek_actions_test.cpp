#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/action_host.h"
#include "actions/catalogue.h"
#include "actions/util.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

using fake::ShowState;

class QuietHost final : public CActionHost {
public:
    void ChangeWallpaper(bool) override {}
    void OpenSettingsWindow() override {}
    HWND MainWindow() const override { return nullptr; }
};

// The alphas a run of percentages gives, for comparing with alphaHistory.
std::vector<BYTE> Alphas(const std::vector<int>& percents)
{
    std::vector<BYTE> alphas;
    for (int percent : percents)
        alphas.push_back(AlphaFromPercent(percent));
    return alphas;
}

class PeekActionsTest : public fake::DesktopTest {
protected:
    PeekActionsTest()
    {
        window = AddWindow(L"Editor");
        desktop.SetForegroundWindow(window);
    }

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

    HWND AddInState(const std::wstring& title, ShowState state)
    {
        fake::WindowDesc desc;
        desc.title = title;
        desc.state = state;
        return desktop.AddWindow(desc);
    }

    const std::vector<BYTE>& History(HWND w) { return desktop.Window(w).alphaHistory; }
    BYTE Alpha(HWND w) { return desktop.Window(w).alpha; }
    bool Layered(HWND w) { return (desktop.Window(w).exStyle & WS_EX_LAYERED) != 0; }
    int Percent(HWND w) { return theUtil.GetWindowTransparency(w); }

    QuietHost host;
    HWND window = nullptr;
};

// --- Peek window momentary ---

TEST_F(PeekActionsTest, WindowMomentaryWithoutFadeSetsTheTransparencyAndClearsIt)
{
    theData.windowTransparency = 50;
    RunOn(window, L"Peek window momentary");
    EXPECT_EQ(History(window), Alphas({50}));
    EXPECT_TRUE(desktop.sleeps.empty());
    RunOn(window, L"Peek window momentary", true);
    EXPECT_EQ(History(window), Alphas({50, 0}));
    EXPECT_TRUE(Layered(window));  // 0 keeps the layered style
    EXPECT_EQ(host.savedWindow, nullptr);
}

struct FadeCase {
    int percent;
    std::vector<int> in;   // percentages set going in
    std::vector<int> out;  // percentages set going out
};

TEST_F(PeekActionsTest, WindowMomentaryFadesInAndOutInTwentyMillisecondSteps)
{
    const FadeCase cases[] = {
        {50, {1, 6, 11, 16, 21, 26, 31, 36, 41, 46, 50}, {50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0, 0}},
        {5, {1, 2, 3, 4, 5, 5}, {5, 4, 3, 2, 1, 0, 0}},
        {19,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 19},
         {19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0}},
        {25, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 25}, {25, 23, 21, 19, 17, 15, 13, 11, 9, 7, 5, 3, 1, 0}},
    };
    theData.fadeTransparency = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        theData.windowTransparency = c.percent;
        desktop.Window(window).alphaHistory.clear();
        desktop.sleeps.clear();

        RunOn(window, L"Peek window momentary");
        EXPECT_EQ(History(window), Alphas(c.in));
        // One pause per step; the final setting has none.
        EXPECT_EQ(desktop.sleeps, std::vector<DWORD>(c.in.size() - 1, 20));

        desktop.Window(window).alphaHistory.clear();
        desktop.sleeps.clear();
        RunOn(window, L"Peek window momentary", true);
        EXPECT_EQ(History(window), Alphas(c.out));
        EXPECT_EQ(desktop.sleeps, std::vector<DWORD>(c.out.size() - 1, 20));
        EXPECT_EQ(Alpha(window), 255);
    }
}

TEST_F(PeekActionsTest, FadeInFollowsAChangeOfTheSettingMadeWhileItRuns)
{
    theData.fadeTransparency = true;
    theData.windowTransparency = 50;
    int pauses = 0;
    desktop.onSleep = [&](DWORD) {
        if (++pauses == 3) theData.windowTransparency = 20;
    };
    RunOn(window, L"Peek window momentary");
    // The step stays 5 (from 50); the bound and the last value follow the new 20.
    EXPECT_EQ(History(window), Alphas({1, 6, 11, 16, 20}));
    EXPECT_EQ(desktop.sleeps.size(), 4u);
}

TEST_F(PeekActionsTest, FadeInCanBeLengthenedWhileItRuns)
{
    theData.fadeTransparency = true;
    theData.windowTransparency = 10;
    int pauses = 0;
    desktop.onSleep = [&](DWORD) {
        if (++pauses == 1) theData.windowTransparency = 14;
    };
    RunOn(window, L"Peek window momentary");
    EXPECT_EQ(History(window), Alphas({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 14}));
}

TEST_F(PeekActionsTest, WindowMomentaryLeavesTheShellAndMinimizedWindowsAlone)
{
    const HWND minimized = AddInState(L"Small", ShowState::Minimized);
    for (bool fade : {false, true}) {
        theData.fadeTransparency = fade;
        for (HWND target : {desktop.taskbar, desktop.shellWindow, minimized, static_cast<HWND>(nullptr)}) {
            RunOn(target, L"Peek window momentary");
            RunOn(target, L"Peek window momentary", true);
        }
    }
    for (HWND w : {desktop.taskbar, desktop.shellWindow, minimized}) {
        EXPECT_TRUE(History(w).empty());
        EXPECT_FALSE(Layered(w));
    }
    EXPECT_TRUE(desktop.sleeps.empty());
}

TEST_F(PeekActionsTest, PeekingWithZeroTransparencyStillMakesTheWindowLayered)
{
    theData.windowTransparency = 0;
    RunOn(window, L"Peek window momentary");
    EXPECT_TRUE(Layered(window));
    EXPECT_EQ(History(window), Alphas({0}));
    EXPECT_EQ(Alpha(window), 255);
}

TEST_F(PeekActionsTest, WithoutLayeredFunctionsNothingIsSetButTheWindowIsStillRemembered)
{
    desktop.layeredFunctionsAvailable = false;
    theUtil.Resolve();
    theData.fadeTransparency = true;
    theData.windowTransparency = 30;
    RunOn(window, L"Peek window momentary");
    RunOn(window, L"Peek window momentary", true);
    RunOn(window, L"Peek window persistent");
    EXPECT_EQ(host.savedWindow, window);
    RunOn(window, L"Peek desktop momentary");
    RunOn(window, L"Peek window undo");
    EXPECT_EQ(host.savedWindow, nullptr);
    EXPECT_FALSE(Layered(window));
    EXPECT_TRUE(History(window).empty());
    // The fade still paces itself, with nothing to show.
    EXPECT_FALSE(desktop.sleeps.empty());
}

// --- Peek window persistent and undo ---

TEST_F(PeekActionsTest, WindowPersistentActsInBothPhasesOnTheTargetOfEach)
{
    theData.windowTransparency = 40;
    const HWND other = AddWindow(L"Other");
    RunOn(window, L"Peek window persistent");
    EXPECT_EQ(host.savedWindow, window);
    EXPECT_EQ(Percent(window), 40);

    RunOn(other, L"Peek window persistent", true);
    EXPECT_EQ(host.savedWindow, other);
    EXPECT_EQ(Percent(other), 40);
    EXPECT_EQ(Percent(window), 40);
}

TEST_F(PeekActionsTest, WindowPersistentIgnoresTheShellMinimizedWindowsAndNoTarget)
{
    const HWND minimized = AddInState(L"Small", ShowState::Minimized);
    host.savedWindow = window;
    for (HWND target : {desktop.taskbar, desktop.shellWindow, minimized, static_cast<HWND>(nullptr)})
        RunOn(target, L"Peek window persistent");
    EXPECT_EQ(host.savedWindow, window);
    EXPECT_TRUE(History(minimized).empty());
    EXPECT_TRUE(History(desktop.taskbar).empty());
}

TEST_F(PeekActionsTest, UndoAfterTwoPersistentPeeksClearsOnlyTheSecond)
{
    theData.windowTransparency = 60;
    const HWND second = AddWindow(L"Second");
    RunOn(window, L"Peek window persistent");
    RunOn(second, L"Peek window persistent");
    RunOn(nullptr, L"Peek window undo");
    EXPECT_EQ(Percent(window), 60);
    EXPECT_EQ(Percent(second), 0);
    EXPECT_EQ(Alpha(second), 255);
    EXPECT_EQ(host.savedWindow, nullptr);

    // Nothing left to undo.
    RunOn(nullptr, L"Peek window undo");
    EXPECT_EQ(Percent(window), 60);
}

TEST_F(PeekActionsTest, UndoSetsZeroNotTheEarlierTransparency)
{
    theUtil.SetWindowTransparency(window, 30);
    RunOn(window, L"Peek window persistent");
    RunOn(nullptr, L"Peek window undo");
    EXPECT_EQ(Percent(window), 0);
}

TEST_F(PeekActionsTest, UndoAfterMinimizePersistentClearsTheMinimizedWindow)
{
    RunOn(window, L"Minimize persistent");
    ASSERT_EQ(host.savedWindow, window);
    RunOn(nullptr, L"Peek window undo");
    EXPECT_EQ(History(window), Alphas({0}));
    EXPECT_EQ(host.savedWindow, nullptr);
    EXPECT_EQ(desktop.Window(window).state, ShowState::Minimized);
}

TEST_F(PeekActionsTest, UndoDoesNothingWhenLeaving)
{
    RunOn(window, L"Peek window persistent");
    RunOn(nullptr, L"Peek window undo", true);
    EXPECT_EQ(host.savedWindow, window);
    EXPECT_EQ(History(window).size(), 1u);
}

TEST_F(PeekActionsTest, RestoreAfterAWindowPeekKeepsItsTransparency)
{
    theData.windowTransparency = 50;
    desktop.ShowWindow(window, SW_SHOWMAXIMIZED);
    RunOn(window, L"Peek window persistent");
    RunOn(nullptr, L"Restore");
    EXPECT_EQ(desktop.Window(window).state, ShowState::Normal);
    EXPECT_EQ(Percent(window), 50);
}

// --- Peek desktop ---

TEST_F(PeekActionsTest, DesktopMomentaryPeeksEveryEligibleWindowAndUndoesOnLeaving)
{
    theData.desktopTransparency = 90;
    const HWND other = AddWindow(L"Other");
    const HWND minimized = AddInState(L"Small", ShowState::Minimized);
    RunOn(window, L"Peek desktop momentary");
    EXPECT_EQ(Percent(window), 90);
    EXPECT_EQ(Percent(other), 90);
    EXPECT_TRUE(History(minimized).empty());
    EXPECT_TRUE(History(desktop.taskbar).empty());
    EXPECT_TRUE(History(desktop.shellWindow).empty());

    RunOn(window, L"Peek desktop momentary", true);
    EXPECT_EQ(Percent(window), 0);
    EXPECT_EQ(Percent(other), 0);
    EXPECT_TRUE(Layered(other));
    EXPECT_TRUE(History(minimized).empty());
}

TEST_F(PeekActionsTest, DesktopPersistentAndUndoActOnlyOnEntering)
{
    theData.desktopTransparency = 70;
    RunOn(window, L"Peek desktop persistent", true);
    EXPECT_TRUE(History(window).empty());
    RunOn(window, L"Peek desktop persistent");
    EXPECT_EQ(Percent(window), 70);
    RunOn(window, L"Peek desktop undo", true);
    EXPECT_EQ(Percent(window), 70);
    RunOn(window, L"Peek desktop undo");
    EXPECT_EQ(Percent(window), 0);
    EXPECT_EQ(History(window), Alphas({70, 0}));
}

// --- Show desktop ---

TEST_F(PeekActionsTest, ShowDesktopMomentaryTogglesOnEnteringAndAgainOnLeaving)
{
    RunOn(window, L"Show desktop momentary");
    RunOn(window, L"Show desktop momentary", true);
    ASSERT_EQ(desktop.posted.size(), 2u);
    for (const auto& message : desktop.posted) {
        EXPECT_EQ(message.window, desktop.taskbar);
        EXPECT_EQ(message.message, static_cast<UINT>(WM_COMMAND));
        EXPECT_EQ(message.wParam, 407u);
        EXPECT_EQ(message.lParam, 0);
    }
}

TEST_F(PeekActionsTest, ShowDesktopTogglePostsOnlyOnEntering)
{
    RunOn(window, L"Show desktop toggle");
    RunOn(window, L"Show desktop toggle", true);
    ASSERT_EQ(desktop.posted.size(), 1u);
    EXPECT_EQ(desktop.posted[0].wParam, 407u);
}

}  // namespace
}  // namespace vorn
