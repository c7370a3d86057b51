#include "platform/port.h"

namespace vorn {
namespace {

// What the core talks to before a port is installed: every call fails the
// way a missing window or function fails on Windows, so nothing crashes.
class NullPort final : public IInput,
                       public IWindows,
                       public IShell,
                       public IPower,
                       public ITimers,
                       public IClock,
                       public IFiles {
public:
    BOOL GetCursorPos(POINT*) override { return FALSE; }
    SHORT GetKeyState(int) override { return 0; }
    SHORT GetAsyncKeyState(int) override { return 0; }
    void keybd_event(BYTE, BYTE, DWORD, ULONG_PTR) override {}
    void mouse_event(DWORD, DWORD, DWORD, DWORD, ULONG_PTR) override {}
    BOOL RegisterRawInputDevices(PCRAWINPUTDEVICE, UINT, UINT) override { return FALSE; }
    SHORT VkKeyScanW(WCHAR) override { return -1; }
    UINT MapVirtualKeyW(UINT, UINT) override { return 0; }

    int GetSystemMetrics(int) override { return 0; }
    HWND GetForegroundWindow() override { return nullptr; }
    BOOL SetForegroundWindow(HWND) override { return FALSE; }
    HWND FindWindowW(LPCWSTR, LPCWSTR) override { return nullptr; }
    HWND GetParent(HWND) override { return nullptr; }
    HWND GetShellWindow() override { return nullptr; }
    BOOL IsWindow(HWND) override { return FALSE; }
    BOOL IsIconic(HWND) override { return FALSE; }
    BOOL IsWindowVisible(HWND) override { return FALSE; }
    int GetWindowTextW(HWND, LPWSTR buffer, int capacity) override
    {
        if (buffer && capacity > 0) buffer[0] = L'\0';
        return 0;
    }
    LONG GetWindowLongW(HWND, int) override { return 0; }
    LONG SetWindowLongW(HWND, int, LONG) override { return 0; }
    BOOL GetWindowRect(HWND, RECT*) override { return FALSE; }
    BOOL MoveWindow(HWND, int, int, int, int, BOOL) override { return FALSE; }
    BOOL ShowWindow(HWND, int) override { return FALSE; }
    BOOL ShowWindowAsync(HWND, int) override { return FALSE; }
    BOOL GetWindowPlacement(HWND, WINDOWPLACEMENT*) override { return FALSE; }
    BOOL EnumWindows(WNDENUMPROC, LPARAM) override { return FALSE; }
    BOOL PostMessageW(HWND, UINT, WPARAM, LPARAM) override { return FALSE; }
    LRESULT SendMessageW(HWND, UINT, WPARAM, LPARAM) override { return 0; }
    LRESULT SendMessageTimeoutW(HWND, UINT, WPARAM, LPARAM, UINT, UINT, DWORD_PTR*) override { return 0; }
    HMODULE GetModuleHandleW(LPCWSTR) override { return nullptr; }
    FARPROC GetProcAddress(HMODULE, LPCSTR) override { return nullptr; }
    int GetClassNameW(HWND, LPWSTR buffer, int capacity) override
    {
        if (buffer && capacity > 0) buffer[0] = L'\0';
        return 0;
    }
    DWORD GetWindowThreadProcessId(HWND, DWORD* processId) override
    {
        if (processId) *processId = 0;
        return 0;
    }
    DWORD GetCurrentProcessId() override { return 0; }
    bool ProgramOfWindow(HWND, std::wstring& path) override
    {
        path.clear();
        return false;
    }
    HWINEVENTHOOK SetWinEventHook(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD) override { return nullptr; }
    BOOL UnhookWinEvent(HWINEVENTHOOK) override { return FALSE; }
    BOOL EnumDisplayMonitors(HDC, LPCRECT, MONITORENUMPROC, LPARAM) override { return FALSE; }
    HMONITOR MonitorFromWindow(HWND, DWORD) override { return nullptr; }
    BOOL GetMonitorInfoW(HMONITOR, MONITORINFO*) override { return FALSE; }
    bool QueryActiveDisplayTargets(std::vector<DisplayTarget>& targets) override
    {
        targets.clear();
        return false;
    }

    HINSTANCE ShellExecuteW(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) override { return nullptr; }
    BOOL ShellExecuteExW(SHELLEXECUTEINFOW*) override { return FALSE; }
    BOOL SystemParametersInfoW(UINT, UINT, PVOID, UINT) override { return FALSE; }
    LSTATUS RegOpenKeyExW(HKEY, LPCWSTR, DWORD, REGSAM, HKEY*) override { return ERROR_FILE_NOT_FOUND; }
    LSTATUS RegQueryValueExW(HKEY, LPCWSTR, DWORD*, DWORD*, BYTE*, DWORD*) override { return ERROR_FILE_NOT_FOUND; }
    LSTATUS RegCloseKey(HKEY) override { return ERROR_SUCCESS; }
    BOOL GetVersionExW(OSVERSIONINFOW*) override { return FALSE; }

    BOOLEAN SetSuspendState(BOOLEAN, BOOLEAN, BOOLEAN) override { return 0; }
    BOOL LockWorkStation() override { return FALSE; }
    BOOL ExitWindowsEx(UINT, DWORD) override { return FALSE; }
    BOOL WTSDisconnectSession(HANDLE, DWORD, BOOL) override { return FALSE; }
    BOOL WTSRegisterSessionNotification(HWND, DWORD) override { return FALSE; }
    BOOL WTSUnRegisterSessionNotification(HWND) override { return FALSE; }
    HANDLE GetCurrentProcess() override { return nullptr; }
    BOOL OpenProcessToken(HANDLE, DWORD, HANDLE*) override { return FALSE; }
    BOOL LookupPrivilegeValueW(LPCWSTR, LPCWSTR, LUID*) override { return FALSE; }
    BOOL AdjustTokenPrivileges(HANDLE, BOOL, TOKEN_PRIVILEGES*, DWORD, TOKEN_PRIVILEGES*, DWORD*) override
    {
        return FALSE;
    }
    DWORD GetLastError() override { return 1; }
    BOOL CloseHandle(HANDLE) override { return FALSE; }

    UINT_PTR SetTimer(HWND, UINT_PTR, UINT) override { return 0; }
    BOOL KillTimer(HWND, UINT_PTR) override { return FALSE; }

    std::int64_t Time64() override { return 0; }
    DWORD GetTickCount() override { return 0; }
    void Sleep(DWORD) override {}
    int rand() override { return 0; }
    void srand(unsigned) override {}

    bool FindFiles(const std::wstring&, std::vector<std::wstring>&) override { return false; }
};

NullPort nullPort;

Port HarmlessPort() { return Port{&nullPort, &nullPort, &nullPort, &nullPort, &nullPort, &nullPort, &nullPort}; }

// Constant-initialised, so it is valid during the static initialisation of
// other translation units.
Port installed{&nullPort, &nullPort, &nullPort, &nullPort, &nullPort, &nullPort, &nullPort};

template <typename T> T* OrNull(T* given, T* fallback) { return given ? given : fallback; }

}  // namespace

void InstallPort(const Port& port)
{
    const Port harmless = HarmlessPort();
    installed.input = OrNull(port.input, harmless.input);
    installed.windows = OrNull(port.windows, harmless.windows);
    installed.shell = OrNull(port.shell, harmless.shell);
    installed.power = OrNull(port.power, harmless.power);
    installed.timers = OrNull(port.timers, harmless.timers);
    installed.clock = OrNull(port.clock, harmless.clock);
    installed.files = OrNull(port.files, harmless.files);
}

void UninstallPort() { installed = HarmlessPort(); }

// Days to a civil date after Howard Hinnant's algorithm: exact for every
// day of the proleptic Gregorian calendar.
ClockTime ClockTimeOf(std::int64_t ms)
{
    std::int64_t days = ms / 86400000;
    std::int64_t inDay = ms % 86400000;
    if (inDay < 0) {
        inDay += 86400000;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const std::int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const auto part = [](std::int64_t value) { return static_cast<std::uint16_t>(value); };
    return {part(year),
            part(month),
            part(day),
            part(inDay / 3600000),
            part(inDay / 60000 % 60),
            part(inDay / 1000 % 60),
            part(inDay % 1000)};
}

namespace os {
IInput& Input() { return *installed.input; }
IWindows& Windows() { return *installed.windows; }
IShell& Shell() { return *installed.shell; }
IPower& Power() { return *installed.power; }
ITimers& Timers() { return *installed.timers; }
IClock& Clock() { return *installed.clock; }
IFiles& Files() { return *installed.files; }
}  // namespace os

}  // namespace vorn
