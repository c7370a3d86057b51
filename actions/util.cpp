#include "actions/util.h"

#include <cmath>
#include <cwchar>

#include "actions/window_monitor.h"
#include "platform/port.h"
#include "settings/data.h"

namespace vorn {

CUtil theUtil;
int tileTwoCount = 0;

namespace {

template <typename Function> Function AsFunction(FARPROC procedure)
{
    // Through the generic function type, which every function type converts
    // to without a cast-function-type complaint.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(procedure));
}

bool HasStyle(HWND window, LONG bits) { return (os::Windows().GetWindowLongW(window, GWL_STYLE) & bits) != 0; }

// Windows that belong to the shell and no sweep may touch.
bool IsShellTitle(const wchar_t* title)
{
    return std::wcscmp(title, L"Start") == 0 || std::wcscmp(title, L"Start Menu") == 0 ||
           std::wcscmp(title, L"Program Manager") == 0;
}

struct Sweep {
    const CUtil* util;
    WindowSweep mode;
};

void TileTwo(const CUtil& util, HWND window, bool horizontal)
{
    RECT work{};
    const bool haveWorkArea = WorkAreaFor(window, work);
    if (os::Input().GetAsyncKeyState(VK_LBUTTON) < 0) util.ReleaseLeftButton();
    // Without a work area there is nowhere to place the window.
    if (!haveWorkArea || !HasStyle(window, WS_THICKFRAME)) return;
    if (tileTwoCount != 0 && tileTwoCount != 1) return;

    const bool first = tileTwoCount == 0;
    const int h = (work.bottom - work.top) / 2;
    const int w = (work.right - work.left) / 2;
    util.RestoreIfMaximized(window);
    if (horizontal)
        os::Windows().MoveWindow(window, work.left, first ? work.top : work.top + h, work.right - work.left, h, TRUE);
    else
        os::Windows().MoveWindow(window, first ? work.left : work.left + w, work.top, w, work.bottom - work.top, TRUE);
    ++tileTwoCount;
}

BOOL CALLBACK SweepProcedure(HWND window, LPARAM parameter)
{
    const Sweep& sweep = *reinterpret_cast<const Sweep*>(parameter);
    const CUtil& util = *sweep.util;
    IWindows& windows = os::Windows();
    if (!window || !windows.IsWindowVisible(window)) return TRUE;

    wchar_t title[1023] = {};
    windows.GetWindowTextW(window, title, 1023);
    title[1022] = L'\0';
    if (title[0] == L'\0' || IsShellTitle(title)) return TRUE;

    const HWND parent = windows.GetParent(window);
    const HWND shell = windows.GetShellWindow();
    const HWND taskbar = util.FindTaskbar();

    switch (sweep.mode) {
    case WindowSweep::MaximizeAll:
        if ((!parent || parent == shell) && window != taskbar && HasStyle(window, WS_THICKFRAME))
            windows.ShowWindow(window, SW_SHOWMAXIMIZED);
        break;
    case WindowSweep::RestoreAll:
        windows.ShowWindow(window, SW_SHOWNORMAL);
        break;
    case WindowSweep::PeekAll:
        if (util.IsPeekTarget(window)) util.SetWindowTransparency(window, theData.desktopTransparency);
        break;
    case WindowSweep::UnpeekAll:
        if (util.IsPeekTarget(window)) util.SetWindowTransparency(window, 0);
        break;
    case WindowSweep::TileTwoHorizontal:
        TileTwo(util, window, true);
        break;
    case WindowSweep::TileTwoVertical:
        TileTwo(util, window, false);
        break;
    }
    return TRUE;
}

}  // namespace

BYTE AlphaFromPercent(int percent)
{
    // Percentages outside 0 … 100 would wrap into a nonsense alpha.
    const int clamped = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
    return static_cast<BYTE>(static_cast<int>(std::trunc(255.0 - clamped * 2.55)) & 0xFF);
}

int PercentFromAlpha(BYTE alpha) { return static_cast<int>(std::trunc((alpha - 255) / -2.55)); }

void SetDesktopWallpaper(const std::wstring& path)
{
    std::wstring copy = path;  // the call takes a writable buffer
    os::Shell().SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, copy.data(), 0);
}

void CUtil::Resolve()
{
    IWindows& windows = os::Windows();
    getLayeredAttributes = AsFunction<GetLayeredWindowAttributesFn>(
        windows.GetProcAddress(windows.GetModuleHandleW(L"USER32.DLL"), "GetLayeredWindowAttributes"));
    setLayeredAttributes = AsFunction<SetLayeredWindowAttributesFn>(
        windows.GetProcAddress(windows.GetModuleHandleW(L"USER32.DLL"), "SetLayeredWindowAttributes"));

    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    vistaOrLater = os::Shell().GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                   version.dwMajorVersion > 5;
}

HWND CUtil::FindTaskbar() const
{
    for (int attempt = 0; attempt < 10; ++attempt)
        if (HWND taskbar = os::Windows().FindWindowW(L"Shell_TrayWnd", nullptr)) return taskbar;
    return nullptr;
}

bool CUtil::IsPeekTarget(HWND window) const
{
    if (!window) return false;
    IWindows& windows = os::Windows();
    const HWND taskbar = FindTaskbar();
    return windows.GetParent(window) != taskbar && window != taskbar && window != windows.GetShellWindow() &&
           !windows.IsIconic(window);
}

void CUtil::RestoreIfMaximized(HWND window) const
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (os::Windows().GetWindowPlacement(window, &placement) && placement.showCmd == SW_SHOWMAXIMIZED)
        os::Windows().ShowWindow(window, SW_SHOWNORMAL);
}

void CUtil::ReleaseLeftButton() const
{
    POINT point{};
    os::Input().GetCursorPos(&point);
    os::Input().mouse_event(MOUSEEVENTF_LEFTUP, static_cast<DWORD>(point.x), static_cast<DWORD>(point.y), 0, 0);
}

int CUtil::GetWindowTransparency(HWND window) const
{
    BYTE alpha = 0;
    if (getLayeredAttributes && !getLayeredAttributes(window, nullptr, &alpha, nullptr)) return 0;
    return PercentFromAlpha(alpha);
}

void CUtil::SetWindowTransparency(HWND window, int percent) const
{
    if (!setLayeredAttributes) return;
    IWindows& windows = os::Windows();
    windows.SetWindowLongW(window, GWL_EXSTYLE, windows.GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    setLayeredAttributes(window, 0, AlphaFromPercent(percent), LWA_ALPHA);
}

void CUtil::PostTaskbarCommand(WPARAM command) const
{
    if (HWND taskbar = FindTaskbar()) os::Windows().PostMessageW(taskbar, WM_COMMAND, command, 0);
}

void CUtil::ApplyToAllWindows(WindowSweep mode) const
{
    Sweep sweep{this, mode};
    os::Windows().EnumWindows(&SweepProcedure, reinterpret_cast<LPARAM>(&sweep));
}

}  // namespace vorn
