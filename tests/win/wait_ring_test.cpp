#include <gtest/gtest.h>

#include <initializer_list>

#include "actions/custom_actions.h"
#include "engine/activity.h"
#include "tests/win/main_window_fixture.h"
#include "ui/wait_ring.h"
#include "ui/wait_ring_model.h"

namespace vorn::ui {
namespace {

using test::PumpUntil;

constexpr wchar_t kFrontClass[] = L"VornWaitRingTestFront";

LRESULT CALLBACK FrontProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

// True once a redraw of the fill arrives for `ring` (it is handled too).
bool FillTimerArrives(HWND ring)
{
    // Its own loop: a general pump would hand the timer to the window first.
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        MSG message;
        while (PeekMessageW(&message, ring, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            DispatchMessageW(&message);
            if (message.wParam == CWaitRing::kFillTimerId) return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_TIMER);
    }
    return false;
}

class WaitRingWindowTest : public ::testing::Test {
protected:
    WaitRingWindowTest()
    {
        InstallWin32Port();
        test::RegisterTestWindowClass(kFrontClass, FrontProcedure);
    }
    ~WaitRingWindowTest() override { test::UnregisterTestWindowClass(kFrontClass); }
};

TEST_F(WaitRingWindowTest, ShowsBesideThePointerWithoutTakingTheForegroundAndLeavesNoTimer)
{
    test::TestWindow front(kFrontClass, L"In front", 200, 200, 400, 300);
    ShowWindow(front.get(), SW_SHOW);
    PumpUntil(
        [&] {
            SetForegroundWindow(front.get());
            return GetForegroundWindow() == front.get();
        },
        3000, 20);
    const HWND inFront = GetForegroundWindow();

    CWaitRing ring;
    const POINT at{300, 300};
    // Long enough that the ring is still filling however slow the machine.
    ring.WaitBegins(at, 60000, 60000);
    const HWND window = ring.Handle();
    ASSERT_TRUE(window);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    for (const LONG_PTR style : std::initializer_list<LONG_PTR>{WS_EX_LAYERED, WS_EX_TRANSPARENT, WS_EX_TOPMOST,
                                                                WS_EX_NOACTIVATE, WS_EX_TOOLWINDOW})
        EXPECT_EQ(exStyle & style, style) << std::hex << style;
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_POPUP, static_cast<LONG_PTR>(WS_POPUP));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(flags & LWA_COLORKEY, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_TRUE(IsWindowVisible(window));
    RECT shown{};
    GetWindowRect(window, &shown);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(shown.right - shown.left, WaitRingSide(static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX))));
    ReleaseDC(nullptr, screen);
    EXPECT_GT(shown.left, at.x);
    EXPECT_GT(shown.top, at.y);
    EXPECT_TRUE(FillTimerArrives(window));
    EXPECT_EQ(GetForegroundWindow(), inFront);

    ring.WaitEnds();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(KillTimer(window, CWaitRing::kFillTimerId)) << "the fill's timer outlived the wait";

    // The same window, again; a wait already over is drawn full with no timer.
    ring.WaitBegins(at, 1000, 0);
    EXPECT_EQ(ring.Handle(), window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(KillTimer(window, CWaitRing::kFillTimerId));
    ring.WaitEnds();
    EXPECT_FALSE(IsWindowVisible(window));
}

// A program a command line started ends, and its exit code is in the activity.
TEST_F(MainWindowTest, TheExitCodeOfAStartedProgramIsRecorded)
{
    CMainDlg& main = Open();
    theActivity.Clear();
    theCustomActions[0] = CCustomAction{L"Exit three", L"", L"cmd /c exit 3", L""};
    main.Engine().RunOnce(kBuiltInActionCount);
    const ActivityEvent* exited = nullptr;
    PumpUntil(
        [&] {
            for (std::size_t i = 0; i < theActivity.Count() && !exited; ++i)
                if (theActivity.Newest(i).kind == ActivityKind::Exited) exited = &theActivity.Newest(i);
            return exited != nullptr;
        },
        20000, 20);
    ASSERT_NE(exited, nullptr) << "no exit recorded";
    EXPECT_EQ(exited->code, 3u);
    EXPECT_EQ(exited->action, kBuiltInActionCount);
    EXPECT_EQ(exited->Text(), L"cmd");
    theActivity.Clear();
}

}  // namespace
}  // namespace vorn::ui
