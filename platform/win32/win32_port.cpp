#include "platform/win32/win32_port.h"

#include <io.h>
#include <iterator>
#include <stdlib.h>
#include <time.h>

namespace vorn {
namespace {

// Every method is the same-named system call with the same arguments, so the
// core behaves exactly as if it called Windows directly. The global names are
// written with :: because each method hides the function it stands for.
class Win32Port final : public IInput,
                        public IWindows,
                        public IShell,
                        public IPower,
                        public ITimers,
                        public IClock,
                        public IFiles {
public:
    // IInput
    BOOL GetCursorPos(POINT* point) override { return ::GetCursorPos(point); }
    SHORT GetKeyState(int virtualKey) override { return ::GetKeyState(virtualKey); }
    SHORT GetAsyncKeyState(int virtualKey) override { return ::GetAsyncKeyState(virtualKey); }
    void keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) override
    {
        ::keybd_event(virtualKey, scanCode, flags, extraInfo);
    }
    BOOL RegisterRawInputDevices(PCRAWINPUTDEVICE devices, UINT count, UINT size) override
    {
        return ::RegisterRawInputDevices(devices, count, size);
    }
    void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) override
    {
        ::mouse_event(flags, dx, dy, data, extraInfo);
    }
    SHORT VkKeyScanW(WCHAR character) override { return ::VkKeyScanW(character); }
    UINT MapVirtualKeyW(UINT code, UINT mapType) override { return ::MapVirtualKeyW(code, mapType); }

    // IWindows
    int GetSystemMetrics(int index) override { return ::GetSystemMetrics(index); }
    HWND GetForegroundWindow() override { return ::GetForegroundWindow(); }
    BOOL SetForegroundWindow(HWND window) override { return ::SetForegroundWindow(window); }
    HWND FindWindowW(LPCWSTR className, LPCWSTR title) override { return ::FindWindowW(className, title); }
    HWND GetParent(HWND window) override { return ::GetParent(window); }
    HWND GetShellWindow() override { return ::GetShellWindow(); }
    BOOL IsWindow(HWND window) override { return ::IsWindow(window); }
    BOOL IsIconic(HWND window) override { return ::IsIconic(window); }
    BOOL IsWindowVisible(HWND window) override { return ::IsWindowVisible(window); }
    int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) override
    {
        return ::GetWindowTextW(window, buffer, capacity);
    }
    LONG GetWindowLongW(HWND window, int index) override { return ::GetWindowLongW(window, index); }
    LONG SetWindowLongW(HWND window, int index, LONG value) override { return ::SetWindowLongW(window, index, value); }
    BOOL GetWindowRect(HWND window, RECT* rect) override { return ::GetWindowRect(window, rect); }
    BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) override
    {
        return ::MoveWindow(window, x, y, width, height, repaint);
    }
    BOOL ShowWindow(HWND window, int command) override { return ::ShowWindow(window, command); }
    BOOL ShowWindowAsync(HWND window, int command) override { return ::ShowWindowAsync(window, command); }
    BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) override
    {
        return ::GetWindowPlacement(window, placement);
    }
    BOOL EnumWindows(WNDENUMPROC procedure, LPARAM parameter) override { return ::EnumWindows(procedure, parameter); }
    BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return ::PostMessageW(window, message, wParam, lParam);
    }
    LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return ::SendMessageW(window, message, wParam, lParam);
    }
    LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
                                DWORD_PTR* result) override
    {
        return ::SendMessageTimeoutW(window, message, wParam, lParam, flags, timeoutMs, result);
    }
    HMODULE GetModuleHandleW(LPCWSTR moduleName) override { return ::GetModuleHandleW(moduleName); }
    FARPROC GetProcAddress(HMODULE module, LPCSTR procName) override { return ::GetProcAddress(module, procName); }
    int GetClassNameW(HWND window, LPWSTR buffer, int capacity) override
    {
        return ::GetClassNameW(window, buffer, capacity);
    }
    DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) override
    {
        return ::GetWindowThreadProcessId(window, processId);
    }
    DWORD GetCurrentProcessId() override { return ::GetCurrentProcessId(); }
    bool ProgramOfWindow(HWND window, std::wstring& path) override;
    bool RunsWithHigherRights(HWND window) override;
    HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE module, WINEVENTPROC procedure,
                                  DWORD processId, DWORD threadId, DWORD flags) override
    {
        return ::SetWinEventHook(eventMin, eventMax, module, procedure, processId, threadId, flags);
    }
    BOOL UnhookWinEvent(HWINEVENTHOOK hook) override { return ::UnhookWinEvent(hook); }
    BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC procedure, LPARAM parameter) override
    {
        return ::EnumDisplayMonitors(dc, clip, procedure, parameter);
    }
    HMONITOR MonitorFromWindow(HWND window, DWORD flags) override { return ::MonitorFromWindow(window, flags); }
    BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) override { return ::GetMonitorInfoW(monitor, info); }
    bool QueryActiveDisplayTargets(std::vector<DisplayTarget>& targets) override;

    // IShell
    HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                            INT showCommand) override
    {
        return ::ShellExecuteW(owner, verb, file, parameters, directory, showCommand);
    }
    BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) override { return ::ShellExecuteExW(info); }
    std::wstring ErrorText(DWORD code) override;
    BOOL SystemParametersInfoW(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) override
    {
        return ::SystemParametersInfoW(action, uiParam, pvParam, winIni);
    }
    LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result) override
    {
        return ::RegOpenKeyExW(key, subKey, options, access, result);
    }
    LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                             DWORD* dataBytes) override
    {
        return ::RegQueryValueExW(key, valueName, reserved, type, data, dataBytes);
    }
    LSTATUS RegCloseKey(HKEY key) override { return ::RegCloseKey(key); }
    BOOL GetVersionExW(OSVERSIONINFOW* info) override
    {
        // Deprecated in newer SDKs, but the core wants the version the system
        // reports to this program, which is exactly what this call gives.
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
        return ::GetVersionExW(info);
#if defined(__GNUC__) && !defined(_MSC_VER)
#pragma GCC diagnostic pop
#endif
    }

    // IPower
    BOOLEAN SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled) override
    {
        return ::SetSuspendState(hibernate, force, wakeupEventsDisabled);
    }
    BOOL LockWorkStation() override { return ::LockWorkStation(); }
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override { return ::ExitWindowsEx(flags, reason); }
    BOOL WTSDisconnectSession(HANDLE server, DWORD sessionId, BOOL wait) override
    {
        return ::WTSDisconnectSession(server, sessionId, wait);
    }
    BOOL WTSRegisterSessionNotification(HWND window, DWORD flags) override
    {
        return ::WTSRegisterSessionNotification(window, flags);
    }
    BOOL WTSUnRegisterSessionNotification(HWND window) override { return ::WTSUnRegisterSessionNotification(window); }
    HANDLE GetCurrentProcess() override { return ::GetCurrentProcess(); }
    BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) override
    {
        return ::OpenProcessToken(process, access, token);
    }
    BOOL LookupPrivilegeValueW(LPCWSTR systemName, LPCWSTR name, LUID* luid) override
    {
        return ::LookupPrivilegeValueW(systemName, name, luid);
    }
    BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                               TOKEN_PRIVILEGES* previousState, DWORD* returnLength) override
    {
        return ::AdjustTokenPrivileges(token, disableAll, newState, bufferLength, previousState, returnLength);
    }
    DWORD GetLastError() override { return ::GetLastError(); }
    BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }

    // ITimers: no timer procedure, so the window gets WM_TIMER.
    UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs) override
    {
        return ::SetTimer(window, id, elapseMs, nullptr);
    }
    BOOL KillTimer(HWND window, UINT_PTR id) override { return ::KillTimer(window, id); }

    // IClock
    std::int64_t Time64() override { return ::_time64(nullptr); }
    ClockTime LocalTime() override
    {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    }
    DWORD GetTickCount() override { return ::GetTickCount(); }
    void Sleep(DWORD milliseconds) override { ::Sleep(milliseconds); }
    int rand() override { return ::rand(); }
    void srand(unsigned seed) override { ::srand(seed); }

    // IFiles
    bool FindFiles(const std::wstring& pattern, std::vector<std::wstring>& names) override
    {
        _wfinddata64_t entry{};
        const intptr_t search = ::_wfindfirst64(pattern.c_str(), &entry);
        if (search == -1) return false;
        do {
            names.emplace_back(entry.name);
        } while (::_wfindnext64(search, &entry) == 0);
        ::_findclose(search);
        return true;
    }
};

namespace {
// The mandatory integrity level of a process's token (its last RID), which
// decides whose input may reach whose windows; 0 when it cannot be read.
DWORD IntegrityLevelOf(HANDLE process)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) return 0;
    alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    DWORD level = 0;
    if (::GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof(buffer), &size)) {
        const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
        if (const UCHAR count = *::GetSidSubAuthorityCount(sid); count > 0)
            level = *::GetSidSubAuthority(sid, count - 1U);
    }
    ::CloseHandle(token);
    return level;
}
}  // namespace

bool Win32Port::RunsWithHigherRights(HWND window)
{
    DWORD processId = 0;
    if (!window || !::GetWindowThreadProcessId(window, &processId) || processId == 0) return false;
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return false;
    const DWORD theirs = IntegrityLevelOf(process);
    ::CloseHandle(process);
    const DWORD ours = IntegrityLevelOf(::GetCurrentProcess());
    return ours != 0 && theirs > ours;
}

std::wstring Win32Port::ErrorText(DWORD code)
{
    wchar_t buffer[512];
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                    buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
        --length;
    if (length == 0) return L"Error " + std::to_wstring(code);
    return std::wstring(buffer, length);
}

bool Win32Port::ProgramOfWindow(HWND window, std::wstring& path)
{
    path.clear();
    DWORD processId = 0;
    if (!window || !::GetWindowThreadProcessId(window, &processId) || processId == 0) return false;
    wchar_t buffer[MAX_PATH * 4];
    if (const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
        DWORD size = static_cast<DWORD>(std::size(buffer));
        const BOOL named = ::QueryFullProcessImageNameW(process, 0, buffer, &size);
        ::CloseHandle(process);
        if (named && size > 0) {
            path.assign(buffer, size);
            return true;
        }
    }
    // Only a window of this process tells its module this way; for others
    // the system answers nothing, and the program counts as unknown.
    const UINT length = ::GetWindowModuleFileNameW(window, buffer, static_cast<UINT>(std::size(buffer)));
    if (length == 0 || length >= std::size(buffer)) return false;
    path.assign(buffer, length);
    return true;
}

// The display configuration functions came with Windows 7; looked up at run
// time so that a system without them still starts (and the monitors are then
// known by their GDI names).
bool Win32Port::QueryActiveDisplayTargets(std::vector<DisplayTarget>& targets)
{
    using GetBufferSizes = LONG(WINAPI*)(UINT32, UINT32*, UINT32*);
    using Query = LONG(WINAPI*)(UINT32, UINT32*, DISPLAYCONFIG_PATH_INFO*, UINT32*, DISPLAYCONFIG_MODE_INFO*,
                                DISPLAYCONFIG_TOPOLOGY_ID*);
    using GetDeviceInfo = LONG(WINAPI*)(DISPLAYCONFIG_DEVICE_INFO_HEADER*);
    targets.clear();
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (!user32) return false;
    const auto getBufferSizes = reinterpret_cast<GetBufferSizes>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDisplayConfigBufferSizes")));
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(::GetProcAddress(user32, "QueryDisplayConfig")));
    const auto getDeviceInfo = reinterpret_cast<GetDeviceInfo>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "DisplayConfigGetDeviceInfo")));
    if (!getBufferSizes || !query || !getDeviceInfo) return false;

    std::vector<DISPLAYCONFIG_PATH_INFO> paths;
    std::vector<DISPLAYCONFIG_MODE_INFO> modes;
    LONG result = ERROR_INSUFFICIENT_BUFFER;
    // A display added between the two calls makes the buffers too small: ask
    // again, a few times at most.
    for (int attempt = 0; attempt < 4 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        UINT32 pathCount = 0;
        UINT32 modeCount = 0;
        if (getBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS) return false;
        paths.resize(pathCount);
        modes.resize(modeCount);
        result = query(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount, modes.data(), nullptr);
        paths.resize(pathCount);
    }
    if (result != ERROR_SUCCESS) return false;

    for (const DISPLAYCONFIG_PATH_INFO& path : paths) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
        source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        source.header.size = sizeof(source);
        source.header.adapterId = path.sourceInfo.adapterId;
        source.header.id = path.sourceInfo.id;
        DISPLAYCONFIG_TARGET_DEVICE_NAME target{};
        target.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_TARGET_NAME;
        target.header.size = sizeof(target);
        target.header.adapterId = path.targetInfo.adapterId;
        target.header.id = path.targetInfo.id;
        // A path whose names cannot be read is left out: its monitor is then
        // known by its GDI name, as where the configuration is missing.
        if (getDeviceInfo(&source.header) != ERROR_SUCCESS || getDeviceInfo(&target.header) != ERROR_SUCCESS) continue;
        targets.push_back(
            DisplayTarget{source.viewGdiDeviceName, target.monitorDevicePath, target.monitorFriendlyDeviceName});
    }
    return true;
}

Win32Port win32Port;

}  // namespace

void InstallWin32Port()
{
    InstallPort(Port{&win32Port, &win32Port, &win32Port, &win32Port, &win32Port, &win32Port, &win32Port});
}

}  // namespace vorn
