// The simulated desktop must behave like Windows where the core relies on it;
// these tests pin the behaviours the other tests build on.
#include <gtest/gtest.h>

#include "tests/fake/fake_desktop.h"

namespace vorn::fake {
namespace {

class FakeDesktopTest : public ::testing::Test {
protected:
    FakeDesktopTest() { desktop.Install(); }
    HWND Add(const std::wstring& title, LONG style = WS_OVERLAPPEDWINDOW)
    {
        WindowDesc desc;
        desc.title = title;
        desc.style = style;
        return desktop.AddWindow(desc);
    }
    FakeDesktop desktop;
};

TEST_F(FakeDesktopTest, StartsWithTaskbarAndShellWindow)
{
    EXPECT_EQ(os::Windows().FindWindowW(L"Shell_TrayWnd", nullptr), desktop.taskbar);
    EXPECT_EQ(os::Windows().FindWindowW(L"shell_traywnd", nullptr), desktop.taskbar);
    EXPECT_EQ(os::Windows().GetShellWindow(), desktop.shellWindow);
    EXPECT_EQ(os::Windows().GetSystemMetrics(SM_CXVIRTUALSCREEN), 1920);
    EXPECT_EQ(os::Windows().GetSystemMetrics(SM_CYVIRTUALSCREEN), 1080);
}

TEST_F(FakeDesktopTest, MoveWindowEnforcesTheMinimumTrackingSize)
{
    const HWND sizable = Add(L"Editor");
    const HWND popup = Add(L"Popup", static_cast<LONG>(WS_POPUP));
    desktop.MoveWindow(sizable, 10, 20, 5, 5, TRUE);
    desktop.MoveWindow(popup, 10, 20, 5, 5, TRUE);
    RECT rect{};
    desktop.GetWindowRect(sizable, &rect);
    EXPECT_EQ(rect.right - rect.left, 136);
    EXPECT_EQ(rect.bottom - rect.top, 39);
    desktop.GetWindowRect(popup, &rect);
    EXPECT_EQ(rect.right - rect.left, 5);
}

TEST_F(FakeDesktopTest, ShowStatesAndPlacement)
{
    const HWND window = Add(L"Editor");
    desktop.SetForegroundWindow(window);
    desktop.ShowWindow(window, SW_SHOWMAXIMIZED);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ASSERT_TRUE(desktop.GetWindowPlacement(window, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(placement.rcNormalPosition.left, 100);
    EXPECT_NE(desktop.GetWindowLongW(window, GWL_STYLE) & WS_MAXIMIZE, 0);

    desktop.ShowWindow(window, SW_SHOWMINIMIZED);
    EXPECT_TRUE(desktop.IsIconic(window));
    EXPECT_NE(desktop.foreground, window);   // activation moved on
    desktop.ShowWindow(window, SW_RESTORE);  // back to maximized, as it was
    EXPECT_EQ(desktop.Window(window).state, ShowState::Maximized);
    desktop.ShowWindow(window, SW_SHOWNORMAL);
    EXPECT_EQ(desktop.Window(window).state, ShowState::Normal);
    EXPECT_EQ(desktop.Window(window).rect.left, 100);
    EXPECT_EQ(desktop.foreground, window);

    placement.length = 0;
    EXPECT_FALSE(desktop.GetWindowPlacement(window, &placement));
}

TEST_F(FakeDesktopTest, LayeredAttributesNeedTheLayeredStyle)
{
    const HWND window = Add(L"Editor");
    EXPECT_FALSE(desktop.SetLayeredWindowAttributes(window, 0, 100, LWA_ALPHA));
    desktop.SetWindowLongW(window, GWL_EXSTYLE, WS_EX_LAYERED);
    BYTE alpha = 0;
    EXPECT_FALSE(desktop.GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr));
    EXPECT_TRUE(desktop.SetLayeredWindowAttributes(window, 0, 100, LWA_ALPHA));
    EXPECT_TRUE(desktop.GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 100);
    desktop.SetWindowLongW(window, GWL_EXSTYLE, 0);
    EXPECT_FALSE(desktop.GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr));
}

TEST_F(FakeDesktopTest, EnumWindowsVisitsEachTopLevelWindowOnceAndStopsOnFalse)
{
    const HWND a = Add(L"A");
    const HWND b = Add(L"B");
    WindowDesc childDesc;
    childDesc.child = true;
    childDesc.parent = a;
    desktop.AddWindow(childDesc);
    struct Visit {
        FakeDesktop* desktop;
        std::vector<HWND> seen;
    } visit{&desktop, {}};
    desktop.EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& v = *reinterpret_cast<Visit*>(parameter);
            v.seen.push_back(window);
            v.desktop->ShowWindow(window, SW_SHOW);  // reorders the Z order while enumerating
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visit));
    EXPECT_EQ(visit.seen, (std::vector<HWND>{b, a, desktop.taskbar, desktop.shellWindow}));
    visit.seen.clear();
    EXPECT_FALSE(desktop.EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            reinterpret_cast<Visit*>(parameter)->seen.push_back(window);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&visit)));
    EXPECT_EQ(visit.seen.size(), 1u);
}

TEST_F(FakeDesktopTest, TimersFireInTimeOrderAndALateTickIsDeliveredOnce)
{
    const HWND window = Add(L"Main");
    desktop.SetTimer(window, 1, 10);
    desktop.SetTimer(window, 3, 25);
    std::vector<std::pair<UINT_PTR, std::int64_t>> ticks;
    const std::int64_t start = desktop.NowMs();
    desktop.AdvanceTime(50, [&](HWND, UINT_PTR id) {
        ticks.emplace_back(id, desktop.NowMs() - start);
        if (id == 3 && ticks.size() < 5) desktop.Sleep(30);  // a handler that blocks
    });
    // 10, 20, then 3 at 25 blocks until 55: timer 1 (due at 30, 40, 50) comes
    // once, late, at 55, and so does 3's tick due at 50.
    const std::vector<std::pair<UINT_PTR, std::int64_t>> expected = {{1, 10}, {1, 20}, {3, 25}, {1, 55}, {3, 55}};
    EXPECT_EQ(ticks, expected);
    EXPECT_TRUE(desktop.KillTimer(window, 1));
    EXPECT_FALSE(desktop.KillTimer(window, 1));
    EXPECT_EQ(desktop.SetTimer(window, 9, 1), 9u);
    EXPECT_EQ(desktop.Timer(window, 9)->periodMs, 10u);  // the system minimum
}

TEST_F(FakeDesktopTest, RegistryReadsRegSzAndReportsShortBuffers)
{
    desktop.SetRegistryValue(L"Control Panel\\Desktop", L"SCRNSAVE.EXE", L"C:\\Windows\\system32\\ss.scr");
    HKEY key = nullptr;
    ASSERT_EQ(desktop.RegOpenKeyExW(HKEY_CURRENT_USER, L"control panel\\desktop", 0, KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    wchar_t small[4];
    DWORD bytes = sizeof(small);
    EXPECT_EQ(desktop.RegQueryValueExW(key, L"SCRNSAVE.EXE", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &bytes),
              ERROR_MORE_DATA);
    wchar_t buffer[260];
    bytes = 520;
    DWORD type = 0;
    ASSERT_EQ(desktop.RegQueryValueExW(key, L"SCRNSAVE.EXE", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(buffer), L"C:\\Windows\\system32\\ss.scr");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(desktop.RegQueryValueExW(key, L"Missing", nullptr, nullptr, nullptr, &bytes), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(desktop.openRegistryKeys, 1);
    EXPECT_EQ(desktop.RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(desktop.openRegistryKeys, 0);
    EXPECT_NE(desktop.RegOpenKeyExW(HKEY_CURRENT_USER, L"Nothing", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
}

TEST_F(FakeDesktopTest, DangerousCallsAreOnlyLogged)
{
    desktop.SetSuspendState(1, 0, 0);
    desktop.ExitWindowsEx(EWX_SHUTDOWN, SHTDN_REASON_FLAG_PLANNED);
    desktop.LockWorkStation();
    desktop.WTSDisconnectSession(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, FALSE);
    ASSERT_EQ(desktop.power.size(), 4u);
    EXPECT_EQ(desktop.power[0].kind, PowerCallKind::SetSuspendState);
    EXPECT_EQ(desktop.power[1].arguments[0], static_cast<std::uint64_t>(EWX_SHUTDOWN));
    EXPECT_EQ(desktop.power[3].arguments[0], static_cast<std::uint64_t>(WTS_CURRENT_SESSION));
}

TEST_F(FakeDesktopTest, RandomFollowsTheRuntimeGeneratorAfterScriptedValues)
{
    desktop.srand(1);
    desktop.scriptedRandom = {7};
    EXPECT_EQ(desktop.rand(), 7);
    EXPECT_EQ(desktop.rand(), 41);  // the first value of the runtime's generator seeded with 1
    EXPECT_EQ(desktop.rand(), 18467);
}

}  // namespace
}  // namespace vorn::fake
