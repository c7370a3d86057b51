// A small Windows program the end-to-end tests run beside Vorn to look at
// windows the way Windows sees them (Windows only). It prints one line and
// exits 0, or exits 1 when the window or control is not there.
//
//   probe window TITLE           "visible|maximized|minimized|hidden LEFT TOP RIGHT BOTTOM"
//   probe control TITLE ID       "X Y": the middle of a control, on the screen
//   probe foreground             the title of the foreground window
//   probe alpha TITLE            the layered alpha, or "none"
//   probe rect TITLE ID          "LEFT TOP RIGHT BOTTOM" of a control, on the screen
//   probe preview                "LEFT TOP RIGHT BOTTOM LABEL" of the open preview
//   probe page TITLE             "LEFT TOP RIGHT BOTTOM" of the page the window's
//                                tab control (1901) shows, on the screen
//   probe headings TITLE         "BOTTOM": the lowest edge of the tab control's
//                                headings on the screen, as the control has them
//   probe shift                  "down" or "up", as Wine has it now
//   probe modifiers              the modifiers down now, as Wine has them:
//                                "ctrl alt shift win" or some of them, or "none"
//   probe buttons                a line per floating button window, left to
//                                right: "LEFT TOP RIGHT BOTTOM topmost|normal CAPTION"
//                                (line breaks in the caption as |)
//   probe fullscreen SECONDS     shows a borderless window over the whole
//                                primary monitor, titled "Full screen", in
//                                front for that long, then closes it
//   probe keys SECONDS FILE      shows a window titled "Key recorder" in front
//                                for that long and appends a line per key it
//                                receives to FILE: "down|up VK extended|plain"
//   probe mouse SECONDS FILE     shows a borderless window titled "Mouse recorder"
//                                over the whole screen for that long and appends a
//                                line per wheel notch or left press or release it
//                                receives to FILE: "wheel|down|up X Y"
//   probe titled SECONDS TITLE   shows a plain window of another program with
//                                that title (a folder named Vorn, say) for that long
//   probe monitors               a line per connected monitor, as Vorn knows it:
//                                "NUMBER DEVICE-PATH"
//
// A TITLE of Vorn's main window finds that window first, whatever other
// windows share its title.
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "engine/monitors.h"
#include "platform/win.h"
#include "platform/win32/win32_port.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

HWND FindTitled(const wchar_t* title)
{
    if (const HWND vorn = FindWindowW(L"VornMainWindow", title)) return vorn;
    return FindWindowW(nullptr, title);
}

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK MatchVisibleId(HWND child, LPARAM search)
{
    auto& s = *reinterpret_cast<Search*>(search);
    if (GetDlgCtrlID(child) != s.id || !IsWindowVisible(child)) return TRUE;
    s.found = child;
    return FALSE;
}

// A control of the window or of one of its pages: the first visible one with
// that id.
HWND FindControl(HWND window, int id)
{
    if (!window) return nullptr;
    if (const HWND direct = GetDlgItem(window, id)) return direct;
    Search search{id, nullptr};
    EnumChildWindows(window, &MatchVisibleId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

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
    const HWND control = FindControl(FindTitled(title), id);
    if (!control) return 1;
    RECT rect{};
    GetWindowRect(control, &rect);
    std::printf("%ld %ld\n", static_cast<long>((rect.left + rect.right) / 2),
                static_cast<long>((rect.top + rect.bottom) / 2));
    return 0;
}

int ControlRect(const wchar_t* title, int id)
{
    const HWND control = FindControl(FindTitled(title), id);
    if (!control) return 1;
    RECT rect{};
    GetWindowRect(control, &rect);
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                static_cast<long>(rect.right), static_cast<long>(rect.bottom));
    return 0;
}

void PrintRect(const RECT& rect)
{
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                static_cast<long>(rect.right), static_cast<long>(rect.bottom));
}

constexpr int kTabsId = 1901;

// The page: a visible dialog inside the tab control or beside it.
int Page(const wchar_t* title)
{
    const HWND window = FindTitled(title);
    const HWND tabs = FindControl(window, kTabsId);
    if (!tabs) return 1;
    for (const HWND parent : {tabs, window})
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t className[64] = {};
            GetClassNameW(child, className, 64);
            if (std::wstring(className) != L"#32770" || !IsWindowVisible(child)) continue;
            RECT rect{};
            GetWindowRect(child, &rect);
            PrintRect(rect);
            return 0;
        }
    return 1;
}

// The headings' rectangles live in Vorn's process: the tab control writes
// them into memory lent to it there, and they are read back from it.
int Headings(const wchar_t* title)
{
    const HWND tabs = FindControl(FindTitled(title), kTabsId);
    DWORD processId = 0;
    if (!tabs || !GetWindowThreadProcessId(tabs, &processId)) return 1;
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return 1;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    long bottom = -1;
    const auto count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; remote && index < count; ++index) {
        RECT heading{};
        SIZE_T read = 0;
        if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) ||
            !ReadProcessMemory(process, remote, &heading, sizeof(heading), &read) || read != sizeof(heading))
            continue;
        MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&heading), 2);
        bottom = std::max(bottom, static_cast<long>(heading.bottom));
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (bottom < 0) return 1;
    std::printf("%ld\n", bottom);
    return 0;
}

BOOL CALLBACK FindPreview(HWND window, LPARAM found)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    wchar_t title[16] = {};
    GetWindowTextW(window, title, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window) || std::wstring(title) != L"Preview")
        return TRUE;
    if (!GetDlgItem(window, 1301) || !GetDlgItem(window, IDOK) || GetDlgItem(window, 1602)) return TRUE;
    if (!(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

int Preview()
{
    HWND preview = nullptr;
    EnumWindows(&FindPreview, reinterpret_cast<LPARAM>(&preview));
    if (!preview) return 1;
    RECT rect{};
    GetWindowRect(preview, &rect);
    wchar_t label[128] = {};
    GetWindowTextW(GetDlgItem(preview, 1301), label, 128);
    std::printf("%ld %ld %ld %ld %ls\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
                static_cast<long>(rect.right), static_cast<long>(rect.bottom), label);
    return 0;
}

int Foreground()
{
    wchar_t title[256] = {};
    GetWindowTextW(GetForegroundWindow(), title, 256);
    std::printf("%ls\n", title);
    return 0;
}

BOOL CALLBACK CountTitled(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<std::pair<const wchar_t*, int>*>(data);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (std::wcscmp(title, search->first) == 0) ++search->second;
    return TRUE;
}

// How many top-level windows, shown or hidden, carry the title.
int Count(const wchar_t* title)
{
    std::pair<const wchar_t*, int> search{title, 0};
    EnumWindows(&CountTitled, reinterpret_cast<LPARAM>(&search));
    std::printf("%d\n", search.second);
    return 0;
}

// Milliseconds a program takes to launch a command line through the shell,
// as Vorn launches a custom action, and to see it finish.
int Launch(const wchar_t* program, const wchar_t* parameters)
{
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    SHELLEXECUTEINFOW launch{};
    launch.cbSize = sizeof(launch);
    launch.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    launch.lpFile = program;
    launch.lpParameters = parameters;
    launch.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&launch) || !launch.hProcess) return 1;
    WaitForSingleObject(launch.hProcess, 10000);
    CloseHandle(launch.hProcess);
    QueryPerformanceCounter(&end);
    std::printf("%lld\n", static_cast<long long>((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart));
    return 0;
}

int Clipboard()
{
    if (!OpenClipboard(nullptr)) return 1;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            std::printf("%ls\n", text);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
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

BOOL CALLBACK ListButton(HWND window, LPARAM found)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    const HWND face = GetDlgItem(window, 1602);
    if (!face || std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    RECT rect{};
    GetWindowRect(window, &rect);
    wchar_t caption[256] = {};
    GetWindowTextW(face, caption, 256);
    std::wstring text;
    for (const wchar_t* c = caption; *c; ++c)
        if (*c != L'\r') text += *c == L'\n' ? L'|' : *c;
    const bool topmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    wchar_t line[400];
    std::swprintf(line, 400, L"%ld %ld %ld %ld %ls %ls", static_cast<long>(rect.left), static_cast<long>(rect.top),
                  static_cast<long>(rect.right), static_cast<long>(rect.bottom), topmost ? L"topmost" : L"normal",
                  text.c_str());
    reinterpret_cast<std::vector<std::pair<long, std::wstring>>*>(found)->emplace_back(rect.left, line);
    return TRUE;
}

int Buttons()
{
    std::vector<std::pair<long, std::wstring>> found;
    EnumWindows(&ListButton, reinterpret_cast<LPARAM>(&found));
    std::sort(found.begin(), found.end());
    for (const auto& [left, line] : found)
        std::printf("%ls\n", line.c_str());
    return 0;
}

// Keeps the window answering for that long, then closes it.
void ShowFor(HWND window, int seconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    DestroyWindow(window);
}

LRESULT CALLBACK BlackWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT rect{};
        GetClientRect(window, &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// What a game or a slide show looks like to the window system.
int FullScreen(int seconds)
{
    WNDCLASSW type{};
    type.lpfnWndProc = &BlackWindow;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"VornProbeFullScreen";
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&type);
    const HWND window = CreateWindowExW(0, type.lpszClassName, L"Full screen", WS_POPUP | WS_VISIBLE, 0, 0,
                                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                        type.hInstance, nullptr);
    if (!window) return 1;
    SetForegroundWindow(window);
    ShowFor(window, seconds);
    return 0;
}

FILE* recording = nullptr;

LRESULT CALLBACK KeyRecorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    if ((down || up) && recording) {
        // Bit 24 of the key data: the key came with the keyboard's E0 prefix.
        std::fprintf(recording, "%s %u %s\n", down ? "down" : "up", static_cast<unsigned>(wParam),
                     (lParam & (1 << 24)) ? "extended" : "plain");
        std::fflush(recording);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Shows a window of `procedure` in front, with the keyboard, for that long,
// while the procedure writes what it gets to `file`.
int Record(int seconds, const wchar_t* file, WNDPROC procedure, const wchar_t* title, DWORD style, RECT at)
{
    recording = _wfopen(file, L"a");
    if (!recording) return 1;
    WNDCLASSW type{};
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = title;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&type);
    const HWND window = CreateWindowExW(0, type.lpszClassName, title, style | WS_VISIBLE, at.left, at.top,
                                        at.right - at.left, at.bottom - at.top, nullptr, nullptr, type.hInstance, nullptr);
    if (!window) return 1;
    SetForegroundWindow(window);
    SetFocus(window);
    ShowFor(window, seconds);
    std::fclose(recording);
    return 0;
}

// A window in front that writes down every key it gets, as a program would
// see it.
int Keys(int seconds, const wchar_t* file)
{
    return Record(seconds, file, &KeyRecorder, L"Key recorder", WS_OVERLAPPEDWINDOW, RECT{400, 300, 1200, 700});
}

LRESULT CALLBACK MouseRecorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (recording && (message == WM_MOUSEWHEEL || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)) {
        // Where it happened, in screen coordinates, as the wheel's own are.
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (message != WM_MOUSEWHEEL) ClientToScreen(window, &at);
        const char* kind = message == WM_MOUSEWHEEL ? "wheel" : message == WM_LBUTTONDOWN ? "down" : "up";
        std::fprintf(recording, "%s %ld %ld\n", kind, static_cast<long>(at.x), static_cast<long>(at.y));
        std::fflush(recording);
    }
    return BlackWindow(window, message, wParam, lParam);
}

// A window over the whole screen that writes down every wheel notch and left
// click it gets: the desktop under the pointer, as a program below a zone.
int Mouse(int seconds, const wchar_t* file)
{
    return Record(seconds, file, &MouseRecorder, L"Mouse recorder", WS_POPUP,
                  RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

// Another program's window that happens to carry a title.
int Titled(int seconds, const wchar_t* title)
{
    WNDCLASSW type{};
    type.lpfnWndProc = &DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"VornProbeTitled";
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&type);
    const HWND window = CreateWindowExW(0, type.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 600,
                                        400, nullptr, nullptr, type.hInstance, nullptr);
    if (!window) return 1;
    ShowFor(window, seconds);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"window" && argc == 3) return Window(argv[2]);
    if (command == L"control" && argc == 4) return Control(argv[2], _wtoi(argv[3]));
    if (command == L"foreground") return Foreground();
    if (command == L"clipboard") return Clipboard();
    if (command == L"launch" && argc == 4) return Launch(argv[2], argv[3]);
    if (command == L"count" && argc == 3) return Count(argv[2]);
    if (command == L"alpha" && argc == 3) return Alpha(argv[2]);
    if (command == L"buttons") return Buttons();
    if (command == L"rect" && argc == 4) return ControlRect(argv[2], _wtoi(argv[3]));
    if (command == L"preview") return Preview();
    if (command == L"page" && argc == 3) return Page(argv[2]);
    if (command == L"headings" && argc == 3) return Headings(argv[2]);
    if (command == L"fullscreen" && argc == 3) return FullScreen(_wtoi(argv[2]));
    if (command == L"keys" && argc == 4) return Keys(_wtoi(argv[2]), argv[3]);
    if (command == L"mouse" && argc == 4) return Mouse(_wtoi(argv[2]), argv[3]);
    if (command == L"titled" && argc == 4) return Titled(_wtoi(argv[2]), argv[3]);
    if (command == L"monitors") {
        vorn::InstallWin32Port();
        for (const vorn::ConnectedMonitor& monitor : vorn::ConnectedMonitors())
            std::printf("%d %ls\n", monitor.number, monitor.devicePath.c_str());
        return 0;
    }
    if (command == L"modifiers") {
        std::string down;
        const std::pair<int, const char*> modifiers[] = {
            {VK_CONTROL, "ctrl"}, {VK_MENU, "alt"}, {VK_SHIFT, "shift"}, {VK_LWIN, "win"}};
        for (const auto& [key, name] : modifiers)
            if (GetAsyncKeyState(key) & 0x8000) down += (down.empty() ? "" : " ") + std::string(name);
        std::printf("%s\n", down.empty() ? "none" : down.c_str());
        return 0;
    }
    if (command == L"shift") {
        std::printf("%s\n", (GetAsyncKeyState(VK_SHIFT) & 0x8000) ? "down" : "up");
        return 0;
    }
    std::fprintf(stderr, "usage: probe window|control|foreground|clipboard|alpha ...\n");
    return 2;
}
