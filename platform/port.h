// The port: every operating-system call the portable core makes goes through
// one of these small interfaces, grouped by concern. Method names and arguments
// are the Win32 ones, so call sites read like the calls they stand for.
//
// One implementation per platform is installed once: start-up installs the
// straight Win32 calls, a test fixture installs the simulated desktop. Before
// anything is installed every call fails harmlessly (returns 0 or FALSE).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win.h"

namespace vorn {

// Pointer and keyboard state, and synthetic input.
class IInput {
public:
    virtual ~IInput() = default;
    virtual BOOL GetCursorPos(POINT* point) = 0;
    virtual SHORT GetKeyState(int virtualKey) = 0;
    virtual SHORT GetAsyncKeyState(int virtualKey) = 0;
    virtual void keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) = 0;
    virtual void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) = 0;
    // Pointer movements as they happen: WM_INPUT to the registered window.
    virtual BOOL RegisterRawInputDevices(PCRAWINPUTDEVICE devices, UINT count, UINT size) = 0;
    // The user's keyboard layout: the key (and shift state) that types a
    // character, and the character a key types.
    virtual SHORT VkKeyScanW(WCHAR character) = 0;
    virtual UINT MapVirtualKeyW(UINT code, UINT mapType) = 0;
};

// One active path of the display configuration: the adapter output (its
// source), which GDI names as GetMonitorInfoW's szDevice, and the monitor on it
// (its target).
struct DisplayTarget {
    std::wstring gdiDeviceName;  // viewGdiDeviceName, "\\.\DISPLAY1"
    std::wstring devicePath;     // monitorDevicePath, the same whatever the arrangement
    std::wstring friendlyName;   // monitorFriendlyDeviceName; may be empty
};

// Top-level windows: screen metrics and monitors, the foreground window,
// placement, styles, enumeration, messages, and the run-time lookup of
// optional user32 functions.
class IWindows {
public:
    virtual ~IWindows() = default;
    virtual int GetSystemMetrics(int index) = 0;
    virtual HWND GetForegroundWindow() = 0;
    virtual BOOL SetForegroundWindow(HWND window) = 0;
    virtual HWND FindWindowW(LPCWSTR className, LPCWSTR title) = 0;
    virtual HWND GetParent(HWND window) = 0;
    virtual HWND GetShellWindow() = 0;
    virtual BOOL IsWindow(HWND window) = 0;
    virtual BOOL IsIconic(HWND window) = 0;
    virtual BOOL IsWindowVisible(HWND window) = 0;
    virtual int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) = 0;
    virtual LONG GetWindowLongW(HWND window, int index) = 0;
    virtual LONG SetWindowLongW(HWND window, int index, LONG value) = 0;
    virtual BOOL GetWindowRect(HWND window, RECT* rect) = 0;
    virtual BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) = 0;
    virtual BOOL ShowWindow(HWND window, int command) = 0;
    // Asks the window's own thread to show it, without waiting for it.
    virtual BOOL ShowWindowAsync(HWND window, int command) = 0;
    virtual BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) = 0;
    virtual BOOL EnumWindows(WNDENUMPROC procedure, LPARAM parameter) = 0;
    virtual BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                        UINT timeoutMs, DWORD_PTR* result) = 0;
    virtual HMODULE GetModuleHandleW(LPCWSTR moduleName) = 0;
    virtual FARPROC GetProcAddress(HMODULE module, LPCSTR procName) = 0;
    virtual int GetClassNameW(HWND window, LPWSTR buffer, int capacity) = 0;
    virtual DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) = 0;
    virtual DWORD GetCurrentProcessId() = 0;
    // The program file of the window's process: QueryFullProcessImageNameW
    // on the process opened with PROCESS_QUERY_LIMITED_INFORMATION; where
    // the process cannot be opened (elevated, protected), the window's module
    // (GetWindowModuleFileNameW). False, with `path` empty, when neither tells.
    virtual bool ProgramOfWindow(HWND window, std::wstring& path) = 0;
    // The window's process runs at a higher integrity level than this one
    // (an elevated program, for one), so that Windows drops the keys sent to
    // it. False when that cannot be told.
    virtual bool RunsWithHigherRights(HWND) { return false; }
    // Told of changes (the foreground window's, for one) as they happen; out
    // of context, the events come through the installing thread's messages.
    virtual HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE module, WINEVENTPROC procedure,
                                          DWORD processId, DWORD threadId, DWORD flags) = 0;
    virtual BOOL UnhookWinEvent(HWINEVENTHOOK hook) = 0;
    // Monitors: each one's rectangle and work area, in virtual-screen coordinates.
    virtual BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC procedure, LPARAM parameter) = 0;
    virtual HMONITOR MonitorFromWindow(HWND window, DWORD flags) = 0;
    // MONITORINFOEXW too (szDevice) when info->cbSize is its size.
    virtual BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) = 0;
    // Replaces `targets` with the active paths of the display configuration
    // (QueryDisplayConfig with QDC_ONLY_ACTIVE_PATHS, then
    // DisplayConfigGetDeviceInfo for each path's source and target names).
    // False, with `targets` empty, when the system cannot tell.
    virtual bool QueryActiveDisplayTargets(std::vector<DisplayTarget>& targets) = 0;
};

// Shell launch, system parameters, the registry (read only) and the OS version.
class IShell {
public:
    virtual ~IShell() = default;
    virtual HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                    INT showCommand) = 0;
    virtual BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) = 0;
    virtual BOOL SystemParametersInfoW(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) = 0;
    virtual LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result) = 0;
    virtual LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                     DWORD* dataBytes) = 0;
    virtual LSTATUS RegCloseKey(HKEY key) = 0;
    virtual BOOL GetVersionExW(OSVERSIONINFOW* info) = 0;
    // Windows' words for an error code (FormatMessageW), without the line's end.
    virtual std::wstring ErrorText(DWORD code) { return L"Error " + std::to_wstring(code); }
};

// Power and session control, the session's notifications to a window
// (WM_WTSSESSION_CHANGE), and the token calls that enable the shutdown
// privilege. The simulated desktop only records these; tests never reach the
// real ones.
class IPower {
public:
    virtual ~IPower() = default;
    virtual BOOLEAN SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled) = 0;
    virtual BOOL LockWorkStation() = 0;
    virtual BOOL ExitWindowsEx(UINT flags, DWORD reason) = 0;
    virtual BOOL WTSDisconnectSession(HANDLE server, DWORD sessionId, BOOL wait) = 0;
    virtual BOOL WTSRegisterSessionNotification(HWND window, DWORD flags) = 0;
    virtual BOOL WTSUnRegisterSessionNotification(HWND window) = 0;
    virtual HANDLE GetCurrentProcess() = 0;
    virtual BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) = 0;
    virtual BOOL LookupPrivilegeValueW(LPCWSTR systemName, LPCWSTR name, LUID* luid) = 0;
    virtual BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                                       TOKEN_PRIVILEGES* previousState, DWORD* returnLength) = 0;
    virtual DWORD GetLastError() = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;
};

// Timers of a window (the main window owns the edge and repeat timers).
class ITimers {
public:
    virtual ~ITimers() = default;
    virtual UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs) = 0;
    virtual BOOL KillTimer(HWND window, UINT_PTR id) = 0;
};

// A moment of the local clock, to the millisecond, as GetLocalTime tells it.
struct ClockTime {
    std::uint16_t year = 0, month = 0, day = 0;
    std::uint16_t hour = 0, minute = 0, second = 0, millisecond = 0;
};
// The civil time of `ms` milliseconds since 1970 (UTC as it stands).
ClockTime ClockTimeOf(std::int64_t ms);

// Clock, sleep and the C runtime's random numbers.
class IClock {
public:
    virtual ~IClock() = default;
    // Seconds since 1970, as _time64(nullptr).
    virtual std::int64_t Time64() = 0;
    // The local time now; without a clock of its own, Time64's.
    virtual ClockTime LocalTime() { return ClockTimeOf(Time64() * 1000); }
    virtual DWORD GetTickCount() = 0;
    virtual void Sleep(DWORD milliseconds) = 0;
    virtual int rand() = 0;
    virtual void srand(unsigned seed) = 0;
};

// Folder enumeration with the C runtime's wide find-first/find-next.
class IFiles {
public:
    virtual ~IFiles() = default;
    // Appends the name of every entry matching `pattern` (a folder followed by
    // "*.*"), directories and hidden files included, in the order the file
    // system returns them. False when nothing can be enumerated.
    virtual bool FindFiles(const std::wstring& pattern, std::vector<std::wstring>& names) = 0;
};

struct Port {
    IInput* input = nullptr;
    IWindows* windows = nullptr;
    IShell* shell = nullptr;
    IPower* power = nullptr;
    ITimers* timers = nullptr;
    IClock* clock = nullptr;
    IFiles* files = nullptr;
};

// Installs the implementation the core calls from now on. Members left null
// keep failing harmlessly. The objects must outlive their installation.
void InstallPort(const Port& port);
// Back to the harmless implementation (used by test fixtures when they end).
void UninstallPort();

namespace os {
IInput& Input();
IWindows& Windows();
IShell& Shell();
IPower& Power();
ITimers& Timers();
IClock& Clock();
IFiles& Files();
}  // namespace os

}  // namespace vorn
