#include "tests/fake/fake_desktop.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <limits>
#include <stdexcept>

namespace vorn::fake {
namespace {

FakeDesktop* current = nullptr;

// What a real window system enforces as the smallest tracking size of a
// window with a sizing frame or a caption.
constexpr int kMinTrackWidth = 136;
constexpr int kMinTrackHeight = 39;
constexpr UINT kMinimumTimerMs = 10;  // USER_TIMER_MINIMUM

std::wstring Folded(std::wstring text)
{
    for (auto& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

std::wstring Text(LPCWSTR text) { return text ? std::wstring(text) : std::wstring(); }

BOOL WINAPI SetLayeredTrampoline(HWND window, COLORREF key, BYTE alpha, DWORD flags)
{
    return current ? current->SetLayeredWindowAttributes(window, key, alpha, flags) : FALSE;
}

BOOL WINAPI GetLayeredTrampoline(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags)
{
    return current ? current->GetLayeredWindowAttributes(window, key, alpha, flags) : FALSE;
}

HMODULE const kUser32 = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x7ff10000));
HANDLE const kProcess = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
HANDLE const kToken = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(0x444));
constexpr std::uintptr_t kFirstRegistryHandle = 0x5000;

}  // namespace

FakeDesktop::FakeDesktop()
{
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwMajorVersion = 10;
    version.dwMinorVersion = 0;
    version.dwBuildNumber = 19045;
    version.dwPlatformId = VER_PLATFORM_WIN32_NT;

    WindowDesc shellDesc;
    shellDesc.title = L"Program Manager";
    shellDesc.className = L"Progman";
    shellDesc.style = static_cast<LONG>(WS_POPUP);
    shellDesc.rect = RECT{0, 0, 1920, 1080};
    shellWindow = AddWindow(shellDesc);

    WindowDesc taskbarDesc;
    taskbarDesc.title = L"";
    taskbarDesc.className = L"Shell_TrayWnd";
    taskbarDesc.style = static_cast<LONG>(WS_POPUP);
    taskbarDesc.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    taskbarDesc.rect = RECT{0, 1040, 1920, 1080};
    taskbar = AddWindow(taskbarDesc);
}

FakeDesktop::~FakeDesktop()
{
    if (current == this) {
        current = nullptr;
        UninstallPort();
    }
}

void FakeDesktop::Install()
{
    current = this;
    InstallPort(Port{this, this, this, this, this, this, this});
}

FakeDesktop* FakeDesktop::Current() { return current; }

// --- scene ------------------------------------------------------------------

HWND FakeDesktop::AddWindow(const WindowDesc& desc)
{
    FakeWindow window;
    window.handle = reinterpret_cast<HWND>(nextHandle_);
    nextHandle_ += 0x10;
    window.title = desc.title;
    window.className = desc.className;
    window.parent = desc.parent;
    window.child = desc.child;
    window.style = desc.style;
    window.exStyle = desc.exStyle;
    window.rect = desc.rect;
    window.restoreRect = desc.rect;
    window.visible = desc.visible;
    if ((desc.style & (WS_THICKFRAME | WS_CAPTION)) != 0) {
        window.minWidth = kMinTrackWidth;
        window.minHeight = kMinTrackHeight;
    }
    windows_.push_back(window);
    zOrder_.insert(zOrder_.begin(), window.handle);
    FakeWindow& added = windows_.back();
    if (desc.state == ShowState::Minimized) Minimize(added);
    if (desc.state == ShowState::Maximized) Maximize(added);
    return added.handle;
}

FakeWindow& FakeDesktop::Window(HWND handle)
{
    FakeWindow* window = Lookup(handle);
    if (!window) throw std::out_of_range("no such fake window");
    return *window;
}

const FakeWindow* FakeDesktop::Find(HWND handle) const
{
    for (const auto& window : windows_)
        if (window.handle == handle && handle) return &window;
    return nullptr;
}

FakeWindow* FakeDesktop::Lookup(HWND handle) { return const_cast<FakeWindow*>(Find(handle)); }

void FakeDesktop::DestroyWindow(HWND handle)
{
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), handle), zOrder_.end());
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [&](const auto& w) { return w.handle == handle; }),
                   windows_.end());
    if (foreground == handle) foreground = nullptr;
}

void FakeDesktop::SetScreenSize(int width, int height)
{
    screenWidth_ = width;
    screenHeight_ = height;
    workArea = RECT{0, 0, width, height};
}

void FakeDesktop::SetMonitors(std::vector<FakeMonitor> monitors)
{
    monitors_ = std::move(monitors);
    if (monitors_.empty()) return;
    RECT bounds = monitors_.front().monitor;
    for (const FakeMonitor& m : monitors_) {
        bounds.left = std::min(bounds.left, m.monitor.left);
        bounds.top = std::min(bounds.top, m.monitor.top);
        bounds.right = std::max(bounds.right, m.monitor.right);
        bounds.bottom = std::max(bounds.bottom, m.monitor.bottom);
    }
    screenLeft_ = bounds.left;
    screenTop_ = bounds.top;
    screenWidth_ = bounds.right - bounds.left;
    screenHeight_ = bounds.bottom - bounds.top;
    workArea = monitors_.front().work;
}

RECT FakeDesktop::MonitorRect(std::size_t index) const
{
    if (!monitors_.empty()) return monitors_[index].monitor;
    return RECT{0, 0, screenWidth_, screenHeight_};
}

RECT FakeDesktop::MonitorWork(std::size_t index) const
{
    if (!monitors_.empty()) return monitors_[index].work;
    return workArea;
}

void FakeDesktop::AddFolder(const std::wstring& folder, std::vector<std::wstring> names)
{
    std::wstring key = Folded(folder);
    if (key.empty() || key.back() != L'\\') key += L'\\';
    folders_[key] = std::move(names);
}

void FakeDesktop::SetRegistryValue(const std::wstring& subKey, const std::wstring& valueName, const std::wstring& data)
{
    registry_[Folded(subKey)][Folded(valueName)] = data;
}

void FakeDesktop::BringToTop(HWND handle)
{
    auto found = std::find(zOrder_.begin(), zOrder_.end(), handle);
    if (found == zOrder_.end()) return;
    zOrder_.erase(found);
    zOrder_.insert(zOrder_.begin(), handle);
}

void FakeDesktop::Activate(HWND handle)
{
    foreground = handle;
    BringToTop(handle);
}

void FakeDesktop::ActivateNext(HWND leaving)
{
    if (foreground != leaving) return;
    foreground = nullptr;
    for (HWND handle : zOrder_) {
        const FakeWindow* window = Find(handle);
        if (handle == leaving || !window || window->child || !window->visible) continue;
        if (window->state == ShowState::Minimized || handle == taskbar || handle == shellWindow) continue;
        foreground = handle;
        return;
    }
}

void FakeDesktop::Minimize(FakeWindow& window)
{
    if (window.state == ShowState::Minimized) return;
    window.maximizedBeforeMinimize = window.state == ShowState::Maximized;
    if (window.state == ShowState::Normal) window.restoreRect = window.rect;
    window.state = ShowState::Minimized;
    // Where Windows parks a minimised top-level window.
    window.rect = RECT{-32000, -32000, -32000 + 160, -32000 + 28};
}

void FakeDesktop::Maximize(FakeWindow& window)
{
    if (window.state == ShowState::Normal) window.restoreRect = window.rect;
    window.state = ShowState::Maximized;
    window.rect = workArea;
}

void FakeDesktop::Restore(FakeWindow& window)
{
    if (window.state == ShowState::Normal) return;
    window.state = ShowState::Normal;
    window.rect = window.restoreRect;
}

// --- time -------------------------------------------------------------------

void FakeDesktop::AdvanceTime(std::int64_t ms, const std::function<void(HWND, UINT_PTR)>& onTimer)
{
    const std::int64_t end = nowMs_ + ms;
    for (;;) {
        TimerState* next = nullptr;
        for (auto& timer : timers_)
            if (timer.active && timer.dueMs <= end && (!next || timer.dueMs < next->dueMs)) next = &timer;
        if (!next) break;
        nowMs_ = std::max(nowMs_, next->dueMs);
        // Like WM_TIMER, one tick however late it is; the next is due a period
        // after this delivery.
        next->dueMs = nowMs_ + next->periodMs;
        const HWND window = next->window;
        const UINT_PTR id = next->id;
        if (onTimer) onTimer(window, id);
    }
    nowMs_ = std::max(nowMs_, end);
}

const TimerState* FakeDesktop::Timer(HWND window, UINT_PTR id) const
{
    for (const auto& timer : timers_)
        if (timer.active && timer.window == window && timer.id == id) return &timer;
    return nullptr;
}

// --- IInput -------------------------------------------------------------------

BOOL FakeDesktop::GetCursorPos(POINT* point)
{
    if (!point || cursorReadFails) return FALSE;
    *point = pointer;
    return TRUE;
}

SHORT FakeDesktop::GetKeyState(int virtualKey)
{
    // Windows sets the high bit (and a few more) while the key is down.
    return keysDown[static_cast<std::size_t>(virtualKey & 0xFF)] ? static_cast<SHORT>(-128) : 0;
}

SHORT FakeDesktop::GetAsyncKeyState(int virtualKey)
{
    const auto key = static_cast<std::size_t>(virtualKey & 0xFF);
    // The high bit while the key is down; the low bit once after it went down.
    const auto state = static_cast<std::uint16_t>((keysDown[key] ? 0x8000 : 0) | (keysPressedSinceAsked[key] ? 1 : 0));
    keysPressedSinceAsked[key] = false;
    return static_cast<SHORT>(state);
}

void FakeDesktop::SetKeyState(BYTE virtualKey, bool down)
{
    if (down && !keysDown[virtualKey]) keysPressedSinceAsked[virtualKey] = true;
    keysDown[virtualKey] = down;
}

void FakeDesktop::keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR)
{
    keys.push_back(KeyEvent{virtualKey, scanCode, flags});
    SetKeyState(virtualKey, (flags & KEYEVENTF_KEYUP) == 0);
}

std::vector<LayoutKey> UnitedStatesLayout()
{
    std::vector<LayoutKey> layout;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter)
        layout.push_back(LayoutKey{static_cast<BYTE>(letter), static_cast<wchar_t>(letter - L'A' + L'a'), letter, letter});
    const wchar_t* shiftedDigits = L")!@#$%^&*(";
    for (int digit = 0; digit < 10; ++digit)
        layout.push_back(LayoutKey{static_cast<BYTE>('0' + digit), static_cast<wchar_t>(L'0' + digit),
                                   shiftedDigits[digit], static_cast<wchar_t>(L'0' + digit)});
    const LayoutKey others[] = {
        {0x20, L' ', L' ', L' '},   {0xBA, L';', L':', L';'},   {0xBB, L'=', L'+', L'='}, {0xBC, L',', L'<', L','},
        {0xBD, L'-', L'_', L'-'},   {0xBE, L'.', L'>', L'.'},   {0xBF, L'/', L'?', L'/'}, {0xC0, L'`', L'~', L'`'},
        {0xDB, L'[', L'{', L'['},   {0xDC, L'\\', L'|', L'\\'}, {0xDD, L']', L'}', L']'}, {0xDE, L'\'', L'"', L'\''},
    };
    layout.insert(layout.end(), std::begin(others), std::end(others));
    return layout;
}

SHORT FakeDesktop::VkKeyScanW(WCHAR character)
{
    for (const LayoutKey& key : keyboardLayout) {
        if (key.plain == character) return key.key;
        if (key.shifted == character) return static_cast<SHORT>(0x100 | key.key);
    }
    return -1;
}

UINT FakeDesktop::MapVirtualKeyW(UINT code, UINT mapType)
{
    if (mapType != MAPVK_VK_TO_CHAR) return 0;
    for (const LayoutKey& key : keyboardLayout)
        if (key.key == code) return static_cast<UINT>(key.shown) | (key.dead ? 0x80000000u : 0u);
    return 0;
}

BOOL FakeDesktop::RegisterRawInputDevices(PCRAWINPUTDEVICE devices, UINT count, UINT size)
{
    if (!devices || count != 1 || size != sizeof(RAWINPUTDEVICE)) return FALSE;
    const RAWINPUTDEVICE& device = devices[0];
    if (device.usUsagePage != 1 || device.usUsage != 2) return FALSE;
    if (device.dwFlags & RIDEV_REMOVE) {
        rawInputWindow = nullptr;
        return TRUE;
    }
    ++rawInputRegistrations;
    if (rawInputFails || !device.hwndTarget) return FALSE;
    rawInputWindow = device.hwndTarget;
    return TRUE;
}

void FakeDesktop::mouse_event(DWORD flags, DWORD dx, DWORD dy, DWORD, ULONG_PTR)
{
    mouse.push_back(MouseEvent{flags, dx, dy});
    if (flags & MOUSEEVENTF_LEFTDOWN) SetKeyState(VK_LBUTTON, true);
    if (flags & MOUSEEVENTF_LEFTUP) SetKeyState(VK_LBUTTON, false);
}

// --- IWindows -----------------------------------------------------------------

int FakeDesktop::GetSystemMetrics(int index)
{
    if (index == SM_CXVIRTUALSCREEN) ++screenSizeReads;
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
        return screenWidth_;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return screenHeight_;
    case SM_XVIRTUALSCREEN:
        return screenLeft_;
    case SM_YVIRTUALSCREEN:
        return screenTop_;
    case SM_CXMINTRACK:
        return kMinTrackWidth;
    case SM_CYMINTRACK:
        return kMinTrackHeight;
    case SM_DIGITIZER:
        ++digitizerReads;
        return digitizer;
    default:
        return 0;
    }
}

BOOL FakeDesktop::SetForegroundWindow(HWND window)
{
    if (!Find(window)) return FALSE;
    Activate(window);
    return TRUE;
}

HWND FakeDesktop::FindWindowW(LPCWSTR className, LPCWSTR title)
{
    ++findWindowCalls;
    if (findWindowFailures > 0) {
        --findWindowFailures;
        return nullptr;
    }
    // Both names are compared without regard to case; hidden windows count.
    for (HWND handle : zOrder_) {
        const FakeWindow* window = Find(handle);
        if (!window || window->child) continue;
        if (className && Folded(className) != Folded(window->className)) continue;
        if (title && Folded(title) != Folded(window->title)) continue;
        return handle;
    }
    return nullptr;
}

HWND FakeDesktop::GetParent(HWND window)
{
    const FakeWindow* found = Find(window);
    return found ? found->parent : nullptr;
}

BOOL FakeDesktop::IsIconic(HWND window)
{
    const FakeWindow* found = Find(window);
    return found && found->state == ShowState::Minimized;
}

BOOL FakeDesktop::IsWindowVisible(HWND window)
{
    const FakeWindow* found = Find(window);
    return found && found->visible;
}

int FakeDesktop::GetWindowTextW(HWND window, LPWSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0) return 0;
    buffer[0] = L'\0';
    const FakeWindow* found = Find(window);
    if (!found) return 0;
    const std::size_t count = std::min(found->title.size(), static_cast<std::size_t>(capacity - 1));
    std::wmemcpy(buffer, found->title.data(), count);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

LONG FakeDesktop::GetWindowLongW(HWND window, int index)
{
    const FakeWindow* found = Find(window);
    if (!found) return 0;
    if (index == GWL_EXSTYLE) return found->exStyle;
    if (index != GWL_STYLE) return 0;
    LONG style = found->style & ~static_cast<LONG>(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    if (found->visible) style |= static_cast<LONG>(WS_VISIBLE);
    if (found->state == ShowState::Minimized) style |= static_cast<LONG>(WS_MINIMIZE);
    if (found->state == ShowState::Maximized) style |= static_cast<LONG>(WS_MAXIMIZE);
    return style;
}

LONG FakeDesktop::SetWindowLongW(HWND window, int index, LONG value)
{
    FakeWindow* found = Lookup(window);
    if (!found) return 0;
    const LONG previous = GetWindowLongW(window, index);
    if (index == GWL_EXSTYLE) {
        found->exStyle = value;
        // Dropping the layered style forgets the layered attributes.
        if ((value & WS_EX_LAYERED) == 0) {
            found->layeredAttributesSet = false;
            found->alpha = 255;
        }
    } else if (index == GWL_STYLE) {
        found->style = value & ~static_cast<LONG>(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    }
    return previous;
}

BOOL FakeDesktop::GetWindowRect(HWND window, RECT* rect)
{
    const FakeWindow* found = Find(window);
    if (!found || !rect) return FALSE;
    *rect = found->rect;
    return TRUE;
}

BOOL FakeDesktop::MoveWindow(HWND window, int x, int y, int width, int height, BOOL)
{
    FakeWindow* found = Lookup(window);
    if (!found) return FALSE;
    width = std::max(width, found->minWidth);
    height = std::max(height, found->minHeight);
    const RECT placed{x, y, x + width, y + height};
    // A minimised window keeps its parking place; the move sets where it
    // comes back to.
    if (found->state == ShowState::Minimized)
        found->restoreRect = placed;
    else
        found->rect = placed;
    return TRUE;
}

BOOL FakeDesktop::ShowWindowAsync(HWND window, int command)
{
    if (!Lookup(window)) return FALSE;
    shownAsync.push_back(Message{window, static_cast<UINT>(command), 0, 0});
    return TRUE;
}

BOOL FakeDesktop::ShowWindow(HWND window, int command)
{
    FakeWindow* found = Lookup(window);
    if (!found) return FALSE;
    if (found->hung) ++blockedOnHung;
    const BOOL wasVisible = found->visible ? TRUE : FALSE;
    switch (command) {
    case SW_HIDE:
        found->visible = false;
        ActivateNext(window);
        break;
    case SW_SHOWNORMAL:
        found->visible = true;
        Restore(*found);
        Activate(window);
        break;
    case SW_RESTORE:
        found->visible = true;
        if (found->state == ShowState::Minimized && found->maximizedBeforeMinimize) {
            found->state = ShowState::Maximized;  // the normal position stays
            found->rect = workArea;
        } else {
            Restore(*found);
        }
        Activate(window);
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        found->visible = true;
        Minimize(*found);
        ActivateNext(window);
        break;
    case SW_SHOWMAXIMIZED:
        found->visible = true;
        Maximize(*found);
        Activate(window);
        break;
    case SW_SHOWNOACTIVATE:
        found->visible = true;
        Restore(*found);
        break;
    case SW_SHOW:
        found->visible = true;
        Activate(window);
        break;
    case SW_SHOWNA:
        found->visible = true;
        break;
    default:
        break;
    }
    return wasVisible;
}

BOOL FakeDesktop::GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement)
{
    const FakeWindow* found = Find(window);
    if (!found || !placement || placement->length != sizeof(WINDOWPLACEMENT)) return FALSE;
    placement->flags = 0;
    placement->showCmd = found->state == ShowState::Minimized   ? SW_SHOWMINIMIZED
                         : found->state == ShowState::Maximized ? SW_SHOWMAXIMIZED
                                                                : SW_SHOWNORMAL;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    placement->rcNormalPosition = found->state == ShowState::Normal ? found->rect : found->restoreRect;
    return TRUE;
}

BOOL FakeDesktop::EnumWindows(WNDENUMPROC procedure, LPARAM parameter)
{
    // Windows takes the list first, so windows that move in the Z order while
    // the procedure runs are still visited once each.
    std::vector<HWND> snapshot;
    for (HWND handle : zOrder_) {
        const FakeWindow* window = Find(handle);
        if (window && !window->child) snapshot.push_back(handle);
    }
    for (HWND handle : snapshot) {
        if (!Find(handle)) continue;
        if (!procedure(handle, parameter)) return FALSE;
    }
    return TRUE;
}

BOOL FakeDesktop::PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != HWND_BROADCAST && window && !Find(window)) return FALSE;
    posted.push_back(Message{window, message, wParam, lParam});
    return TRUE;
}

LRESULT FakeDesktop::SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    sent.push_back(Message{window, message, wParam, lParam});
    if (const FakeWindow* found = Find(window); found && found->hung) ++blockedOnHung;
    return 0;
}

LRESULT FakeDesktop::SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                         UINT timeoutMs, DWORD_PTR* result)
{
    if (onSendWithTimeout) onSendWithTimeout();
    sentWithTimeout.push_back(TimedMessage{window, message, wParam, lParam, flags, timeoutMs});
    const FakeWindow* found = Find(window);
    const bool dropped = found && found->higherRights &&
                         std::find(found->allowedFromLowerRights.begin(), found->allowedFromLowerRights.end(),
                                   message) == found->allowedFromLowerRights.end();
    if (result) *result = found && !dropped ? found->answer : 0;
    return found && (found->hung || dropped) ? FALSE : TRUE;
}

HMODULE FakeDesktop::GetModuleHandleW(LPCWSTR moduleName)
{
    if (!moduleName) return nullptr;
    const std::wstring name = Folded(moduleName);
    return name == L"user32.dll" || name == L"user32" ? kUser32 : nullptr;
}

FARPROC FakeDesktop::GetProcAddress(HMODULE module, LPCSTR procName)
{
    if (module != kUser32 || !procName || !layeredFunctionsAvailable) return nullptr;
    if (std::strcmp(procName, "SetLayeredWindowAttributes") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&SetLayeredTrampoline));
    if (std::strcmp(procName, "GetLayeredWindowAttributes") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&GetLayeredTrampoline));
    return nullptr;
}

int FakeDesktop::GetClassNameW(HWND window, LPWSTR buffer, int capacity)
{
    const FakeWindow* found = Find(window);
    if (!found || !buffer || capacity <= 0) return 0;
    const std::size_t length = std::min(found->className.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(found->className.c_str(), length, buffer);
    buffer[length] = L'\0';
    return static_cast<int>(length);
}

bool FakeDesktop::ProgramOfWindow(HWND window, std::wstring& path)
{
    const FakeWindow* found = Find(window);
    path = found ? found->program : std::wstring();
    return !path.empty();
}

HWINEVENTHOOK FakeDesktop::SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE, WINEVENTPROC procedure,
                                           DWORD processId, DWORD threadId, DWORD flags)
{
    // Only what the core asks for is simulated: every process and thread.
    if (!procedure || eventMin > eventMax || processId != 0 || threadId != 0) return nullptr;
    const auto handle = reinterpret_cast<HWINEVENTHOOK>(nextHook_++);
    winEventHooks.push_back(WinEventHook{handle, eventMin, eventMax, procedure, flags});
    return handle;
}

BOOL FakeDesktop::UnhookWinEvent(HWINEVENTHOOK hook)
{
    const auto found = std::find_if(winEventHooks.begin(), winEventHooks.end(),
                                    [hook](const WinEventHook& each) { return each.handle == hook; });
    if (found == winEventHooks.end()) return FALSE;
    winEventHooks.erase(found);
    return TRUE;
}

void FakeDesktop::BringToFront(HWND window)
{
    if (Find(window))
        Activate(window);
    else
        foreground = nullptr;
    const FakeWindow* found = Find(window);
    const bool own = found && found->processId == ownProcessId;
    // A copy: a hook may be removed while the events are told.
    const std::vector<WinEventHook> hooks = winEventHooks;
    for (const WinEventHook& hook : hooks) {
        if (hook.eventMin > EVENT_SYSTEM_FOREGROUND || hook.eventMax < EVENT_SYSTEM_FOREGROUND) continue;
        if (own && (hook.flags & WINEVENT_SKIPOWNPROCESS)) continue;
        hook.procedure(hook.handle, EVENT_SYSTEM_FOREGROUND, foreground, 0, 0, 0, 0);
    }
}

DWORD FakeDesktop::GetWindowThreadProcessId(HWND window, DWORD* processId)
{
    const FakeWindow* found = Find(window);
    if (processId) *processId = found ? found->processId : 0;
    return found ? 1 : 0;
}

namespace {
HMONITOR MonitorHandle(std::size_t index) { return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(index + 1)); }
// What GDI calls the adapter output of the monitor at `index` of the list.
std::wstring GdiName(std::size_t index) { return L"\\\\.\\DISPLAY" + std::to_wstring(index + 1); }
}  // namespace

BOOL FakeDesktop::EnumDisplayMonitors(HDC, LPCRECT, MONITORENUMPROC procedure, LPARAM parameter)
{
    for (std::size_t i = 0; i < MonitorCount(); ++i) {
        RECT rect = MonitorRect(i);
        if (!procedure(MonitorHandle(i), nullptr, &rect, parameter)) break;
    }
    return TRUE;
}

// The monitor sharing the largest area with the window; with none shared, the
// nearest by distance between the rectangles (or none, as asked).
HMONITOR FakeDesktop::MonitorFromWindow(HWND window, DWORD flags)
{
    const FakeWindow* found = Find(window);
    if (!found) return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorHandle(0);
    const RECT& r = found->rect;
    std::int64_t bestShared = 0;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    std::size_t best = 0;
    std::size_t nearest = 0;
    for (std::size_t i = 0; i < MonitorCount(); ++i) {
        const RECT m = MonitorRect(i);
        const std::int64_t w = std::min(r.right, m.right) - std::max(r.left, m.left);
        const std::int64_t h = std::min(r.bottom, m.bottom) - std::max(r.top, m.top);
        if (w > 0 && h > 0 && w * h > bestShared) {
            bestShared = w * h;
            best = i;
        }
        const std::int64_t dx = std::max<std::int64_t>({0, m.left - r.right, r.left - m.right});
        const std::int64_t dy = std::max<std::int64_t>({0, m.top - r.bottom, r.top - m.bottom});
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            nearest = i;
        }
    }
    if (bestShared > 0) return MonitorHandle(best);
    if (flags == MONITOR_DEFAULTTONULL) return nullptr;
    return MonitorHandle(flags == MONITOR_DEFAULTTOPRIMARY ? 0 : nearest);
}

BOOL FakeDesktop::GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info)
{
    const auto index = reinterpret_cast<std::uintptr_t>(monitor);
    if (!info || index == 0 || index > MonitorCount()) return FALSE;
    info->rcMonitor = MonitorRect(index - 1);
    info->rcWork = MonitorWork(index - 1);
    info->dwFlags = info->rcMonitor.left == 0 && info->rcMonitor.top == 0 ? MONITORINFOF_PRIMARY : 0;
    if (info->cbSize >= sizeof(MONITORINFOEXW)) {
        const std::wstring name = GdiName(index - 1);
        WCHAR* device = static_cast<MONITORINFOEXW*>(info)->szDevice;
        std::wmemcpy(device, name.c_str(), name.size() + 1);
    }
    return TRUE;
}

bool FakeDesktop::QueryActiveDisplayTargets(std::vector<DisplayTarget>& targets)
{
    targets.clear();
    if (displayConfigFails) return false;
    for (std::size_t i = 0; i < monitors_.size(); ++i) {
        const std::size_t index = displayConfigReversed ? monitors_.size() - 1 - i : i;
        const FakeMonitor& m = monitors_[index];
        if (!m.devicePath.empty()) targets.push_back(DisplayTarget{GdiName(index), m.devicePath, m.friendlyName});
    }
    return true;
}

BOOL FakeDesktop::SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags)
{
    FakeWindow* found = Lookup(window);
    // Windows refuses windows without the layered extended style.
    if (!found || (found->exStyle & WS_EX_LAYERED) == 0) return FALSE;
    found->layeredAttributesSet = true;
    found->colorKey = key;
    found->alpha = alpha;
    found->layeredFlags = flags;
    found->alphaHistory.push_back(alpha);
    return TRUE;
}

BOOL FakeDesktop::GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags)
{
    const FakeWindow* found = Find(window);
    if (!found || (found->exStyle & WS_EX_LAYERED) == 0 || !found->layeredAttributesSet) return FALSE;
    if (key) *key = found->colorKey;
    if (alpha) *alpha = found->alpha;
    if (flags) *flags = found->layeredFlags;
    return TRUE;
}

// --- IShell -------------------------------------------------------------------

HINSTANCE FakeDesktop::ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                     INT showCommand)
{
    launches.push_back(Launch{owner, Text(verb), Text(file), Text(parameters), Text(directory), showCommand});
    // Above 32 means success; 2 is "file not found".
    return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(shellExecuteFails ? 2 : 42));
}

BOOL FakeDesktop::ShellExecuteExW(SHELLEXECUTEINFOW* info)
{
    if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOW)) return FALSE;
    launches.push_back(Launch{info->hwnd, Text(info->lpVerb), Text(info->lpFile), Text(info->lpParameters),
                              Text(info->lpDirectory), info->nShow, info->fMask});
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(shellExecuteFails ? 2 : 42));
    if (shellExecuteFails) lastError_ = 2;  // ERROR_FILE_NOT_FOUND
    if (onLaunch) onLaunch();
    return shellExecuteFails ? FALSE : TRUE;
}

BOOL FakeDesktop::SystemParametersInfoW(UINT action, UINT uiParam, PVOID pvParam, UINT winIni)
{
    SystemParameterCall call{action, uiParam, {}, winIni};
    BOOL result = TRUE;
    switch (action) {
    case SPI_GETWORKAREA:
        if (!workAreaAvailable || !pvParam) {
            result = FALSE;
            break;
        }
        *static_cast<RECT*>(pvParam) = workArea;
        break;
    case SPI_GETDESKWALLPAPER: {
        auto* buffer = static_cast<wchar_t*>(pvParam);
        if (!buffer || uiParam == 0) {
            result = FALSE;
            break;
        }
        const std::size_t count = std::min(wallpaper.size(), static_cast<std::size_t>(uiParam - 1));
        std::wmemcpy(buffer, wallpaper.data(), count);
        buffer[count] = L'\0';
        break;
    }
    case SPI_SETDESKWALLPAPER:
        call.text = Text(static_cast<const wchar_t*>(pvParam));
        wallpaper = call.text;
        break;
    case SPI_GETSCREENSAVEACTIVE:
        if (!pvParam) {
            result = FALSE;
            break;
        }
        *static_cast<BOOL*>(pvParam) = screenSaverActive ? TRUE : FALSE;
        break;
    case SPI_SETSCREENSAVEACTIVE:
        screenSaverActive = uiParam != 0;
        break;
    case SPI_GETHIGHCONTRAST:
        if (!pvParam || uiParam != sizeof(HIGHCONTRASTW)) {
            result = FALSE;
            break;
        }
        static_cast<HIGHCONTRASTW*>(pvParam)->dwFlags = highContrast ? HCF_HIGHCONTRASTON : 0;
        break;
    case SPI_GETKEYBOARDDELAY:
        if (!pvParam || keyboardRepeatReadFails) {
            result = FALSE;
            break;
        }
        *static_cast<int*>(pvParam) = keyboardDelay;
        break;
    case SPI_GETKEYBOARDSPEED:
        if (!pvParam || keyboardRepeatReadFails) {
            result = FALSE;
            break;
        }
        *static_cast<DWORD*>(pvParam) = keyboardSpeed;
        break;
    default:
        result = FALSE;
        break;
    }
    // Reads are not logged: tests look for what changed the system.
    if (action == SPI_SETDESKWALLPAPER || action == SPI_SETSCREENSAVEACTIVE) systemParameters.push_back(call);
    return result;
}

LSTATUS FakeDesktop::RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, HKEY* result)
{
    if (!result) return ERROR_FILE_NOT_FOUND;
    *result = nullptr;
    if (key != HKEY_CURRENT_USER || !subKey) return ERROR_FILE_NOT_FOUND;
    const std::wstring name = Folded(subKey);
    if (registry_.find(name) == registry_.end()) return ERROR_FILE_NOT_FOUND;
    openKeyNames_.push_back(name);
    *result = reinterpret_cast<HKEY>(kFirstRegistryHandle + openKeyNames_.size() - 1);
    ++openRegistryKeys;
    return ERROR_SUCCESS;
}

LSTATUS FakeDesktop::RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataBytes)
{
    const auto index = reinterpret_cast<std::uintptr_t>(key) - kFirstRegistryHandle;
    if (index >= openKeyNames_.size() || openKeyNames_[index].empty()) return ERROR_FILE_NOT_FOUND;
    const auto& values = registry_[openKeyNames_[index]];
    const auto found = values.find(Folded(Text(valueName)));
    if (found == values.end()) return ERROR_FILE_NOT_FOUND;
    // Stored as UTF-16 with its terminating NUL, the way Windows stores REG_SZ.
    std::vector<std::uint16_t> units(found->second.begin(), found->second.end());
    units.push_back(0);
    const auto bytes = static_cast<DWORD>(units.size() * sizeof(std::uint16_t));
    if (type) *type = REG_SZ;
    if (!dataBytes) return data ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
    if (data && *dataBytes < bytes) {
        *dataBytes = bytes;
        return ERROR_MORE_DATA;
    }
    if (data) {
        // Back to the caller's wchar_t, whatever its width.
        auto* out = reinterpret_cast<wchar_t*>(data);
        for (std::size_t i = 0; i < units.size(); ++i)
            out[i] = static_cast<wchar_t>(units[i]);
    }
    *dataBytes = bytes;
    return ERROR_SUCCESS;
}

LSTATUS FakeDesktop::RegCloseKey(HKEY key)
{
    const auto index = reinterpret_cast<std::uintptr_t>(key) - kFirstRegistryHandle;
    if (index >= openKeyNames_.size() || openKeyNames_[index].empty()) return ERROR_FILE_NOT_FOUND;
    openKeyNames_[index].clear();
    --openRegistryKeys;
    return ERROR_SUCCESS;
}

BOOL FakeDesktop::GetVersionExW(OSVERSIONINFOW* info)
{
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) return FALSE;
    *info = version;
    return TRUE;
}

// --- IPower -------------------------------------------------------------------

BOOLEAN FakeDesktop::SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeupEventsDisabled)
{
    power.push_back(PowerCall{PowerCallKind::SetSuspendState, {hibernate, force, wakeupEventsDisabled}});
    return 1;
}

BOOL FakeDesktop::LockWorkStation()
{
    power.push_back(PowerCall{PowerCallKind::LockWorkStation, {}});
    return TRUE;
}

BOOL FakeDesktop::ExitWindowsEx(UINT flags, DWORD reason)
{
    power.push_back(PowerCall{PowerCallKind::ExitWindowsEx, {flags, reason, 0}});
    return TRUE;
}

BOOL FakeDesktop::WTSDisconnectSession(HANDLE, DWORD sessionId, BOOL wait)
{
    power.push_back(PowerCall{PowerCallKind::WTSDisconnectSession, {sessionId, static_cast<std::uint64_t>(wait), 0}});
    return TRUE;
}

BOOL FakeDesktop::WTSRegisterSessionNotification(HWND window, DWORD flags)
{
    if (!Find(window) || flags != NOTIFY_FOR_THIS_SESSION) return FALSE;
    sessionNotified.push_back(window);
    return TRUE;
}

BOOL FakeDesktop::WTSUnRegisterSessionNotification(HWND window)
{
    const auto found = std::find(sessionNotified.begin(), sessionNotified.end(), window);
    if (found == sessionNotified.end()) return FALSE;
    sessionNotified.erase(found);
    return TRUE;
}

HANDLE FakeDesktop::GetCurrentProcess() { return kProcess; }

BOOL FakeDesktop::OpenProcessToken(HANDLE process, DWORD, HANDLE* token)
{
    if (!token || process != kProcess) return FALSE;
    *token = openProcessTokenResult ? kToken : nullptr;
    if (openProcessTokenResult) ++openTokens;
    return openProcessTokenResult;
}

BOOL FakeDesktop::LookupPrivilegeValueW(LPCWSTR, LPCWSTR name, LUID* luid)
{
    if (!luid || !name || std::wcscmp(name, L"SeShutdownPrivilege") != 0) return FALSE;
    *luid = LUID{19, 0};
    return TRUE;
}

BOOL FakeDesktop::AdjustTokenPrivileges(HANDLE token, BOOL, TOKEN_PRIVILEGES*, DWORD, TOKEN_PRIVILEGES*, DWORD*)
{
    if (token != kToken) {
        lastError_ = 6;  // ERROR_INVALID_HANDLE
        return FALSE;
    }
    lastError_ = adjustPrivilegesError;
    return TRUE;
}

BOOL FakeDesktop::CloseHandle(HANDLE handle)
{
    if (handle != kToken || openTokens == 0) return FALSE;
    --openTokens;
    return TRUE;
}

// --- ITimers ------------------------------------------------------------------

UINT_PTR FakeDesktop::SetTimer(HWND window, UINT_PTR id, UINT elapseMs)
{
    // A fixed table, so that arming a timer allocates nothing.
    TimerState* slot = nullptr;
    for (auto& timer : timers_)
        if (timer.active && timer.window == window && timer.id == id) slot = &timer;
    if (!slot)
        for (auto& timer : timers_)
            if (!timer.active) {
                slot = &timer;
                break;
            }
    if (!slot) return 0;
    const UINT period = std::max(elapseMs, kMinimumTimerMs);
    *slot = TimerState{window, id, period, nowMs_ + period, true};
    return id;
}

BOOL FakeDesktop::KillTimer(HWND window, UINT_PTR id)
{
    for (auto& timer : timers_)
        if (timer.active && timer.window == window && timer.id == id) {
            timer.active = false;
            return TRUE;
        }
    return FALSE;
}

// --- IClock -------------------------------------------------------------------

void FakeDesktop::Sleep(DWORD milliseconds)
{
    sleeps.push_back(milliseconds);
    nowMs_ += milliseconds;
    if (onSleep) onSleep(milliseconds);
}

int FakeDesktop::rand()
{
    if (!scriptedRandom.empty()) {
        const int value = scriptedRandom.front();
        scriptedRandom.pop_front();
        return value;
    }
    // The Windows runtime's linear congruential generator.
    randomSeed = randomSeed * 214013u + 2531011u;
    return static_cast<int>((randomSeed >> 16) & 0x7fff);
}

void FakeDesktop::srand(unsigned seed)
{
    seeds.push_back(seed);
    randomSeed = seed;
}

// --- IFiles -------------------------------------------------------------------

bool FakeDesktop::FindFiles(const std::wstring& pattern, std::vector<std::wstring>& names)
{
    if (pattern.size() < 3 || pattern.compare(pattern.size() - 3, 3, L"*.*") != 0) return false;
    const auto found = folders_.find(Folded(pattern.substr(0, pattern.size() - 3)));
    if (found == folders_.end()) return false;
    // Every folder lists itself and its parent first, as on NTFS.
    names.push_back(L".");
    names.push_back(L"..");
    names.insert(names.end(), found->second.begin(), found->second.end());
    return true;
}

}  // namespace vorn::fake
