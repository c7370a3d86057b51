// What the tests on real windows (under Wine on Linux) share: pumping this
// thread's messages while waiting, and plain windows of a test's own class.
#pragma once

#include <algorithm>

#include "platform/win.h"

namespace vorn::test {

// Dispatches whatever is queued, waiting for more until `done` holds or the
// time-out passes; `done` is asked again at least every `checkEveryMs`, since
// what it looks at may change without a message. A quit message is dropped:
// the loop that would end on it is not running. Returns whether `done` held.
template <typename Done> bool PumpUntil(Done done, DWORD timeoutMs, DWORD checkEveryMs = 50)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done()) return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, checkEveryMs), QS_ALLINPUT);
    }
}

// Handles what arrives for `ms`: lets the window manager and Wine settle.
inline void PumpFor(DWORD ms, DWORD checkEveryMs = 50)
{
    PumpUntil([] { return false; }, ms, checkEveryMs);
}

// Registers a plain window class under `name`; false when that fails.
inline bool RegisterTestWindowClass(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = name;
    return ::RegisterClassW(&windowClass) != 0;
}

inline void UnregisterTestWindowClass(const wchar_t* name) { ::UnregisterClassW(name, ::GetModuleHandleW(nullptr)); }

// A top-level window of a class registered above, created hidden and
// destroyed with the object.
class TestWindow {
public:
    TestWindow(const wchar_t* className, const wchar_t* title, int x, int y, int width, int height)
        : handle_(::CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr))
    {
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow()
    {
        if (handle_) ::DestroyWindow(handle_);
    }
    HWND get() const { return handle_; }
    void Show() const
    {
        ::ShowWindow(handle_, SW_SHOWNORMAL);
        ::UpdateWindow(handle_);
    }

private:
    HWND handle_ = nullptr;
};

}  // namespace vorn::test
