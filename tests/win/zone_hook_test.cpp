// The zone's mouse hook on real input: a wheel notch in the zone reaches the
// main window as the zone's and not the window below; elsewhere, and once
// the hook is released, the window below gets it as without Vorn.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/zone_hook.h"
#include "tests/win/win_test_support.h"

namespace vorn {
namespace {

// Where each wheel message the window below got was turned: the queue keeps
// the order, so once a later notch arrived an earlier one taken never will.
std::vector<LONG> wheelAt;
int zoneRuns = 0;

LRESULT CALLBACK BelowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEWHEEL) wheelAt.push_back(static_cast<short>(LOWORD(lParam)));
    if (message == CZoneInputHook::kZoneInputMessage) zoneRuns += static_cast<int>(lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

void Notch(POINT at)
{
    SetCursorPos(at.x, at.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(kWheelNotch);
    SendInput(1, &input, sizeof(input));
}

TEST(ZoneHookTest, TakesTheWheelInItsZoneOnlyAndComesBackAfterBeingLost)
{
    ASSERT_TRUE(test::RegisterTestWindowClass(L"VornWheelBelow", &BelowProcedure));
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // One window under the pointer everywhere; it also stands in for the main window.
    const HWND below = CreateWindowExW(WS_EX_TOPMOST, L"VornWheelBelow", L"Below", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                       height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(below, nullptr);
    SetForegroundWindow(below);
    SetFocus(below);
    test::PumpFor(200);
    wheelAt.clear();
    zoneRuns = 0;

    ZoneInputTarget target;
    target.zone = RightSide;
    target.geometry = ZoneGeometry{2, 2, width, height, 0, width, height / 10, height - height / 10};
    target.takes = static_cast<std::uint16_t>(1u << (SetOf(WheelUp, Plain) - kModifierCount));
    const POINT inZone{width - 1, height / 2};
    const POINT middle{width / 2, height / 2};

    CZoneInputHook hook;
    hook.SetWindow(below);
    hook.Aim(target);
    ASSERT_TRUE(test::PumpUntil([&] { return hook.Hooked(); }, 5000));
    EXPECT_NE(hook.ThreadId(), GetCurrentThreadId());

    const auto reached = [&](POINT at) { return std::count(wheelAt.begin(), wheelAt.end(), at.x); };
    const auto until = [&](auto done) { return test::PumpUntil(done, 5000); };
    Notch(inZone);
    Notch(middle);
    EXPECT_TRUE(until([&] { return reached(middle) == 1; }));
    EXPECT_TRUE(until([] { return zoneRuns == 1; })) << zoneRuns;
    EXPECT_EQ(reached(inZone), 0);

    // Lost as Windows loses a hook that answered late: the next aim installs it again.
    const int installs = hook.Installs();
    hook.LoseHook();
    ASSERT_TRUE(until([&] { return !hook.Hooked(); }));
    Notch(inZone);
    EXPECT_TRUE(until([&] { return reached(inZone) == 1; }));
    hook.Aim(target);
    ASSERT_TRUE(until([&] { return hook.Installs() > installs && hook.Hooked(); }));
    Notch(inZone);
    Notch(middle);
    EXPECT_TRUE(until([&] { return reached(middle) == 2; }));
    EXPECT_TRUE(until([] { return zoneRuns == 2; })) << zoneRuns;
    EXPECT_EQ(reached(inZone), 1);

    // Released: the zone's wheel goes to the window below again.
    hook.Release();
    ASSERT_TRUE(until([&] { return !hook.Hooked(); }));
    Notch(inZone);
    EXPECT_TRUE(until([&] { return reached(inZone) == 2; }));
    EXPECT_EQ(zoneRuns, 2);

    hook.Stop();
    EXPECT_EQ(hook.ThreadId(), 0u);
    DestroyWindow(below);
}

}  // namespace
}  // namespace vorn
