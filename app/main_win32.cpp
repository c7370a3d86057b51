// Vorn.exe (Windows only): loads the settings from the working folder and
// runs the edge engine from the timers of a hidden window until the window is
// closed or the session ends.
#include "platform/win32/win32_port.h"

#include "actions/util.h"
#include "app/edge_engine.h"
#include "settings/data.h"

namespace {

constexpr wchar_t kHostClass[] = L"VornEngineHost";

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* engine = reinterpret_cast<vorn::CEdgeEngine*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_TIMER:
        if (engine) engine->OnTimer(wParam);
        return 0;
    case WM_ENDSESSION:
        if (wParam) DestroyWindow(window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    using namespace vorn;
    InstallWin32Port();
    theUtil.Resolve();
    os::Clock().srand(os::Clock().GetTickCount());
    theData.LoadSettings();

    CEdgeEngine engine;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &HostProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHostClass;
    if (!RegisterClassExW(&windowClass)) return 1;
    // A top-level window, never shown: it owns the timers and, unlike a
    // message-only window, hears that the session ends.
    const HWND host = CreateWindowExW(WS_EX_TOOLWINDOW, kHostClass, L"Vorn", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      instance, &engine);
    if (!host) return 1;
    engine.Start(host);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
