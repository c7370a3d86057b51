// A simulated Windows desktop that implements every port interface: a small
// window manager in memory (windows with title, class, parent, styles,
// rectangle, show state, visibility, Z order and layered alpha), the
// foreground window, the pointer and keys, screen and work area, wallpaper,
// screen saver, registry values, folders, a clock and timers, and logs of
// everything launched, posted, sent, keyed, clicked and powered. Dangerous
// calls (shutdown, log off, suspend, lock, disconnect) exist here only as log
// entries.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/port.h"

namespace vorn::fake {

enum class ShowState {
    Normal,
    Minimized,
    Maximized
};

struct FakeWindow {
    HWND handle = nullptr;
    std::wstring title;
    std::wstring className;
    HWND parent = nullptr;  // what GetParent answers (owner or parent)
    bool child = false;     // child windows are not enumerated as top-level
    LONG style = 0;
    LONG exStyle = 0;
    RECT rect{};         // current window rectangle
    RECT restoreRect{};  // normal position while minimised or maximised
    ShowState state = ShowState::Normal;
    bool maximizedBeforeMinimize = false;
    bool visible = true;
    // Layered attributes: set only by SetLayeredWindowAttributes.
    bool layeredAttributesSet = false;
    BYTE alpha = 255;
    COLORREF colorKey = 0;
    DWORD layeredFlags = 0;
    // Every alpha ever set, in order (fades are checked against it).
    std::vector<BYTE> alphaHistory;
    // Smallest size the window system lets MoveWindow give it.
    int minWidth = 0;
    int minHeight = 0;
    // Another program's unless set to the desktop's ownProcessId.
    DWORD processId = 0;
    // A window whose thread no longer reads its messages: SendMessageTimeoutW
    // gives up on it, and ShowWindow would block the caller.
    bool hung = false;
    // What the window answers a SendMessageTimeoutW.
    LRESULT answer = 0;
    // A process with more rights than the core's (run as administrator):
    // the system drops the core's messages to it, except those the window
    // lets through (ChangeWindowMessageFilterEx).
    bool higherRights = false;
    std::vector<UINT> allowedFromLowerRights;
    // The program file of its process, as ProgramOfWindow tells it; empty:
    // a process that cannot be opened and a module that cannot be read.
    std::wstring program;
};

// A monitor: its rectangle and work area in virtual-screen coordinates.
struct FakeMonitor {
    RECT monitor;
    RECT work;
    // What the display configuration tells of it; an empty path: the
    // configuration does not know it (the adapter's name stands in).
    std::wstring devicePath{};
    std::wstring friendlyName{};
};

// What a test describes to add a window; sizable captioned windows by default.
struct WindowDesc {
    std::wstring title = L"Window";
    std::wstring className = L"FakeWindowClass";
    LONG style = WS_OVERLAPPEDWINDOW;
    LONG exStyle = 0;
    RECT rect{100, 100, 500, 400};
    HWND parent = nullptr;
    bool child = false;
    bool visible = true;
    ShowState state = ShowState::Normal;
};

struct Launch {
    HWND owner;
    std::wstring verb;  // empty for the default verb
    std::wstring file;
    std::wstring parameters;
    std::wstring directory;
    int show;
    // ShellExecuteExW's mask; 0 for ShellExecuteW, which takes none.
    ULONG mask = 0;
};

// A hook set with SetWinEventHook.
struct WinEventHook {
    HWINEVENTHOOK handle;
    DWORD eventMin;
    DWORD eventMax;
    WINEVENTPROC procedure;
    DWORD flags;
};

struct Message {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A SendMessageTimeoutW call: the message and how long the sender would wait.
struct TimedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT flags;
    UINT timeoutMs;
};

struct KeyEvent {
    BYTE virtualKey;
    BYTE scanCode;
    DWORD flags;
};

struct MouseEvent {
    DWORD flags;
    DWORD x;
    DWORD y;
};

// A key of the simulated keyboard layout: what it types without and with
// Shift, and what MapVirtualKeyW shows for it (a letter's capital on Windows;
// a dead key, an accent, with the top bit set).
struct LayoutKey {
    BYTE key;
    wchar_t plain;
    wchar_t shifted;
    wchar_t shown;
    bool dead = false;
};

// The United States layout's letters, digits, space and punctuation.
std::vector<LayoutKey> UnitedStatesLayout();

struct SystemParameterCall {
    UINT action;
    UINT uiParam;
    std::wstring text;  // the path set, for SPI_SETDESKWALLPAPER
    UINT winIni;
};

enum class PowerCallKind {
    SetSuspendState,
    LockWorkStation,
    ExitWindowsEx,
    WTSDisconnectSession
};
struct PowerCall {
    PowerCallKind kind;
    // SetSuspendState: hibernate, force, wake events disabled. ExitWindowsEx:
    // flags, reason. WTSDisconnectSession: session id, wait.
    std::array<std::uint64_t, 3> arguments;
};

struct TimerState {
    HWND window = nullptr;
    UINT_PTR id = 0;
    UINT periodMs = 0;
    std::int64_t dueMs = 0;
    bool active = false;
};

class FakeDesktop final : public IInput,
                          public IWindows,
                          public IShell,
                          public IPower,
                          public ITimers,
                          public IClock,
                          public IFiles {
public:
    // A 1920 x 1080 screen whose work area is the whole screen, a taskbar
    // ("Shell_TrayWnd") and the shell's desktop window ("Program Manager").
    FakeDesktop();
    ~FakeDesktop() override;
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    // Makes this desktop the one the core talks to.
    void Install();
    static FakeDesktop* Current();

    // --- building the scene -------------------------------------------------
    // Adds a top-level window at the top of the Z order (not activated).
    HWND AddWindow(const WindowDesc& desc);
    FakeWindow& Window(HWND handle);
    const FakeWindow* Find(HWND handle) const;
    void DestroyWindow(HWND handle);
    // Handles in Z order, top first.
    const std::vector<HWND>& ZOrder() const { return zOrder_; }
    void SetScreenSize(int width, int height);
    // Several monitors, the primary first (its origin should be 0, 0); the
    // virtual screen becomes their bounding box and the work area the
    // primary's. Without a call there is one: the screen with `workArea`.
    // The n-th monitor of the list is "\\.\DISPLAYn" to GDI; the one at 0, 0
    // is the primary.
    void SetMonitors(std::vector<FakeMonitor> monitors);
    void MovePointer(int x, int y) { pointer = POINT{x, y}; }
    void SetKeyDown(int virtualKey, bool down) { SetKeyState(static_cast<BYTE>(virtualKey & 0xFF), down); }
    // A folder (compared without regard to case) and the names it lists.
    void AddFolder(const std::wstring& folder, std::vector<std::wstring> names);
    void SetRegistryValue(const std::wstring& subKey, const std::wstring& valueName, const std::wstring& data);

    // The user brings `window` to the front (or, null, nothing is in front):
    // it becomes the foreground window and, as the installing thread's
    // message loop would, every hook for EVENT_SYSTEM_FOREGROUND is told,
    // except those that skip the core's own process when it is the core's.
    void BringToFront(HWND window);

    // --- time ---------------------------------------------------------------
    // Moves the clock forward, delivering every timer that falls due on the
    // way, in time order, to `onTimer` (window, id).
    void AdvanceTime(std::int64_t ms, const std::function<void(HWND, UINT_PTR)>& onTimer = {});
    std::int64_t NowMs() const { return nowMs_; }
    const TimerState* Timer(HWND window, UINT_PTR id) const;

    // --- state tests read and set directly ----------------------------------
    POINT pointer{0, 0};
    std::array<bool, 256> keysDown{};
    // GetAsyncKeyState's low bit: the key went down since the last call asked
    // about it.
    std::array<bool, 256> keysPressedSinceAsked{};
    std::vector<LayoutKey> keyboardLayout = UnitedStatesLayout();
    HWND foreground = nullptr;
    HWND taskbar = nullptr;
    HWND shellWindow = nullptr;
    RECT workArea{0, 0, 1920, 1080};
    bool workAreaAvailable = true;
    std::wstring wallpaper;
    bool screenSaverActive = true;
    // The user's high-contrast theme (SPI_GETHIGHCONTRAST).
    bool highContrast = false;
    // The keyboard's repeat as SPI_GETKEYBOARDDELAY (0 … 3) and
    // SPI_GETKEYBOARDSPEED (0 … 31) answer it; Windows' defaults. The reads
    // fail when asked to.
    int keyboardDelay = 1;
    DWORD keyboardSpeed = 31;
    bool keyboardRepeatReadFails = false;
    // What GetSystemMetrics(SM_DIGITIZER) answers: 0 on a machine without a
    // pen or touch screen.
    int digitizer = 0;
    bool layeredFunctionsAvailable = true;
    // The display configuration (QueryActiveDisplayTargets): fails as a
    // system without it does, or lists its paths last monitor first, since
    // the system promises no order.
    bool displayConfigFails = false;
    bool displayConfigReversed = false;
    // The first this many FindWindowW calls find nothing.
    int findWindowFailures = 0;
    int findWindowCalls = 0;
    OSVERSIONINFOW version{};
    // Token calls: OpenProcessToken's result and the error AdjustTokenPrivileges leaves.
    BOOL openProcessTokenResult = TRUE;
    DWORD adjustPrivilegesError = 0;
    // rand(): scripted values first, then the Windows runtime's generator.
    std::deque<int> scriptedRandom;
    unsigned randomSeed = 1;
    bool shellExecuteFails = false;
    // GetCursorPos fails, as it does while the secure desktop has the input.
    bool cursorReadFails = false;
    // Reads of the virtual screen's width (GetSystemMetrics).
    int screenSizeReads = 0;
    // Reads of GetSystemMetrics(SM_DIGITIZER).
    int digitizerReads = 0;
    // The windows registered for the session's notifications, in order.
    std::vector<HWND> sessionNotified;
    // The win-event hooks set and not yet removed, in order.
    std::vector<WinEventHook> winEventHooks;
    // The window the mouse's raw input goes to (null: none), and whether
    // asking for it fails.
    HWND rawInputWindow = nullptr;
    bool rawInputFails = false;
    int rawInputRegistrations = 0;
    // Called by ShellExecuteExW after logging, so a test can act while the
    // launch is under way (a modal loop delivering timers).
    std::function<void()> onLaunch;
    // Called by SendMessageTimeoutW before logging; it may block, to stand
    // for windows that are slow to answer.
    std::function<void()> onSendWithTimeout;

    // --- logs ---------------------------------------------------------------
    std::vector<Launch> launches;
    std::vector<Message> posted;
    std::vector<Message> sent;
    // ShowWindowAsync calls: the window and the command (wParam).
    std::vector<Message> shownAsync;
    // Calls that would have waited for a hung window for ever.
    int blockedOnHung = 0;
    std::vector<TimedMessage> sentWithTimeout;
    std::vector<KeyEvent> keys;
    std::vector<MouseEvent> mouse;
    std::vector<SystemParameterCall> systemParameters;
    std::vector<PowerCall> power;
    std::vector<DWORD> sleeps;
    // Called by Sleep after it is logged, so a test can act while a handler
    // blocks (a setting changed during a fade).
    std::function<void(DWORD)> onSleep;
    std::vector<unsigned> seeds;
    int openRegistryKeys = 0;
    int openTokens = 0;
    // The process the core runs in, as GetCurrentProcessId tells it.
    DWORD ownProcessId = 4242;

    // IInput
    BOOL GetCursorPos(POINT* point) override;
    SHORT GetKeyState(int virtualKey) override;
    SHORT GetAsyncKeyState(int virtualKey) override;
    void keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) override;
    void mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD data, ULONG_PTR extraInfo) override;
    BOOL RegisterRawInputDevices(PCRAWINPUTDEVICE devices, UINT count, UINT size) override;
    SHORT VkKeyScanW(WCHAR character) override;
    UINT MapVirtualKeyW(UINT code, UINT mapType) override;

    // IWindows
    int GetSystemMetrics(int index) override;
    HWND GetForegroundWindow() override { return foreground; }
    BOOL SetForegroundWindow(HWND window) override;
    HWND FindWindowW(LPCWSTR className, LPCWSTR title) override;
    HWND GetParent(HWND window) override;
    HWND GetShellWindow() override { return shellWindow; }
    BOOL IsWindow(HWND window) override { return Find(window) != nullptr; }
    BOOL IsIconic(HWND window) override;
    BOOL IsWindowVisible(HWND window) override;
    int GetWindowTextW(HWND window, LPWSTR buffer, int capacity) override;
    LONG GetWindowLongW(HWND window, int index) override;
    LONG SetWindowLongW(HWND window, int index, LONG value) override;
    BOOL GetWindowRect(HWND window, RECT* rect) override;
    BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) override;
    BOOL ShowWindow(HWND window, int command) override;
    BOOL ShowWindowAsync(HWND window, int command) override;
    BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) override;
    BOOL EnumWindows(WNDENUMPROC procedure, LPARAM parameter) override;
    BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
                                DWORD_PTR* result) override;
    HMODULE GetModuleHandleW(LPCWSTR moduleName) override;
    FARPROC GetProcAddress(HMODULE module, LPCSTR procName) override;
    int GetClassNameW(HWND window, LPWSTR buffer, int capacity) override;
    DWORD GetWindowThreadProcessId(HWND window, DWORD* processId) override;
    bool ProgramOfWindow(HWND window, std::wstring& path) override;
    bool RunsWithHigherRights(HWND window) override
    {
        const FakeWindow* found = Find(window);
        return found && found->higherRights;
    }
    DWORD GetCurrentProcessId() override { return ownProcessId; }
    HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE module, WINEVENTPROC procedure,
                                  DWORD processId, DWORD threadId, DWORD flags) override;
    BOOL UnhookWinEvent(HWINEVENTHOOK hook) override;
    BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC procedure, LPARAM parameter) override;
    HMONITOR MonitorFromWindow(HWND window, DWORD flags) override;
    BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) override;
    bool QueryActiveDisplayTargets(std::vector<DisplayTarget>& targets) override;

    // The layered-window functions GetProcAddress hands out.
    BOOL SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags);
    BOOL GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags);

    // IShell
    HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                            INT showCommand) override;
    BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) override;
    BOOL SystemParametersInfoW(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) override;
    LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result) override;
    LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                             DWORD* dataBytes) override;
    LSTATUS RegCloseKey(HKEY key) override;
    BOOL GetVersionExW(OSVERSIONINFOW* info) override;

    // IPower
    BOOLEAN SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled) override;
    BOOL LockWorkStation() override;
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
    BOOL WTSDisconnectSession(HANDLE server, DWORD sessionId, BOOL wait) override;
    BOOL WTSRegisterSessionNotification(HWND window, DWORD flags) override;
    BOOL WTSUnRegisterSessionNotification(HWND window) override;
    HANDLE GetCurrentProcess() override;
    BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE* token) override;
    BOOL LookupPrivilegeValueW(LPCWSTR systemName, LPCWSTR name, LUID* luid) override;
    BOOL AdjustTokenPrivileges(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* newState, DWORD bufferLength,
                               TOKEN_PRIVILEGES* previousState, DWORD* returnLength) override;
    DWORD GetLastError() override { return lastError_; }
    BOOL CloseHandle(HANDLE handle) override;

    // ITimers
    UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs) override;
    BOOL KillTimer(HWND window, UINT_PTR id) override;

    // IClock
    std::int64_t Time64() override { return nowMs_ / 1000; }
    ClockTime LocalTime() override { return ClockTimeOf(nowMs_); }
    DWORD GetTickCount() override { return static_cast<DWORD>(nowMs_ - bootMs_); }
    void Sleep(DWORD milliseconds) override;
    int rand() override;
    void srand(unsigned seed) override;

    // IFiles
    bool FindFiles(const std::wstring& pattern, std::vector<std::wstring>& names) override;

private:
    void SetKeyState(BYTE virtualKey, bool down);
    FakeWindow* Lookup(HWND handle);
    void BringToTop(HWND handle);
    void Activate(HWND handle);
    // The window that becomes active when `leaving` stops being active.
    void ActivateNext(HWND leaving);
    void Minimize(FakeWindow& window);
    void Maximize(FakeWindow& window);
    void Restore(FakeWindow& window);

    std::vector<FakeWindow> windows_;
    std::vector<HWND> zOrder_;
    std::uintptr_t nextHandle_ = 0x10000;
    std::uintptr_t nextHook_ = 0x700;
    // The monitors now: the set ones, or the one screen (no allocation: the
    // engine's poll reads them).
    std::size_t MonitorCount() const { return monitors_.empty() ? 1 : monitors_.size(); }
    RECT MonitorRect(std::size_t index) const;
    RECT MonitorWork(std::size_t index) const;

    int screenWidth_ = 1920;
    int screenHeight_ = 1080;
    int screenLeft_ = 0;
    int screenTop_ = 0;
    std::vector<FakeMonitor> monitors_;
    std::map<std::wstring, std::vector<std::wstring>> folders_;
    std::map<std::wstring, std::map<std::wstring, std::wstring>> registry_;  // folded sub key → values
    std::vector<std::wstring> openKeyNames_;
    std::array<TimerState, 16> timers_{};
    std::int64_t nowMs_ = 1'800'000'000'000;  // some time in 2027
    std::int64_t bootMs_ = 1'800'000'000'000 - 3'600'000;
    DWORD lastError_ = 0;
};

}  // namespace vorn::fake
