#include "actions/window_monitor.h"

#include <cwchar>

#include "platform/port.h"
#include "settings/data.h"

namespace vorn {
namespace {

bool MonitorOf(HWND window, MONITORINFO& info)
{
    const HMONITOR monitor = os::Windows().MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    info = MONITORINFO{};
    info.cbSize = sizeof(info);
    return monitor && os::Windows().GetMonitorInfoW(monitor, &info) != FALSE;
}

// The windows that make up the desktop itself; they cover the screen too.
bool IsDesktopClass(HWND window)
{
    wchar_t name[32] = {};
    os::Windows().GetClassNameW(window, name, 32);
    return std::wcscmp(name, L"Progman") == 0 || std::wcscmp(name, L"WorkerW") == 0 ||
           std::wcscmp(name, L"Shell_TrayWnd") == 0;
}

}  // namespace

bool WorkAreaFor(HWND window, RECT& work)
{
    MONITORINFO info{};
    if (theData.cornersOnEveryMonitor && window && MonitorOf(window, info)) {
        work = info.rcWork;
        return true;
    }
    return os::Shell().SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) != FALSE;
}

bool IsFullScreenWindow(HWND window)
{
    IWindows& windows = os::Windows();
    if (!window || window == windows.GetShellWindow() || windows.IsIconic(window)) return false;
    // A maximised window keeps its title bar, even where the taskbar hides
    // itself and the window covers the monitor.
    if ((windows.GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) return false;
    if (IsDesktopClass(window)) return false;
    DWORD process = 0;
    windows.GetWindowThreadProcessId(window, &process);
    if (process != 0 && process == windows.GetCurrentProcessId()) return false;
    RECT rect{};
    MONITORINFO info{};
    if (!windows.GetWindowRect(window, &rect) || !MonitorOf(window, info)) return false;
    const RECT& m = info.rcMonitor;
    return rect.left <= m.left && rect.top <= m.top && rect.right >= m.right && rect.bottom >= m.bottom;
}

}  // namespace vorn
