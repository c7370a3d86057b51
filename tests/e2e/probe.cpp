// A small Windows program the end-to-end tests run beside Vorn to look at
// windows the way Windows sees them (Windows only). It prints one line and
// exits 0, or exits 1 when the window or control is not there.
//
//   probe window TITLE           "visible|maximized|minimized|hidden LEFT TOP RIGHT BOTTOM"
//   probe control TITLE ID       "X Y": the middle of a control, on the screen
//   probe foreground             the title of the foreground window
//   probe alpha TITLE            the layered alpha, or "none"
#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/win.h"

namespace {

HWND FindTitled(const wchar_t* title) { return FindWindowW(nullptr, title); }

int Window(const wchar_t* title)
{
    const HWND window = FindTitled(title);
    if (!window) return 1;
    RECT rect{};
    GetWindowRect(window, &rect);
    const char* state = IsIconic(window)           ? "minimized"
                        : !IsWindowVisible(window) ? "hidden"
                        : IsZoomed(window)         ? "maximized"
                                                   : "visible";
    std::printf("%s %ld %ld %ld %ld\n", state, static_cast<long>(rect.left), static_cast<long>(rect.top),
                static_cast<long>(rect.right), static_cast<long>(rect.bottom));
    return 0;
}

int Control(const wchar_t* title, int id)
{
    const HWND window = FindTitled(title);
    const HWND control = window ? GetDlgItem(window, id) : nullptr;
    if (!control) return 1;
    RECT rect{};
    GetWindowRect(control, &rect);
    std::printf("%ld %ld\n", static_cast<long>((rect.left + rect.right) / 2),
                static_cast<long>((rect.top + rect.bottom) / 2));
    return 0;
}

int Foreground()
{
    wchar_t title[256] = {};
    GetWindowTextW(GetForegroundWindow(), title, 256);
    std::printf("%ls\n", title);
    return 0;
}

int Alpha(const wchar_t* title)
{
    const HWND window = FindTitled(title);
    if (!window) return 1;
    BYTE alpha = 0;
    if (GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr))
        std::printf("%d\n", alpha);
    else
        std::printf("none\n");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"window" && argc == 3) return Window(argv[2]);
    if (command == L"control" && argc == 4) return Control(argv[2], _wtoi(argv[3]));
    if (command == L"foreground") return Foreground();
    if (command == L"alpha" && argc == 3) return Alpha(argv[2]);
    std::fprintf(stderr, "usage: probe window|control|foreground|alpha ...\n");
    return 2;
}
