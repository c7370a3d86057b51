#include "app/vorn_app.h"

#include "platform/win.h"

#include <commctrl.h>

#include "actions/util.h"
#include "app/main_dlg.h"
#include "platform/win32/win32_port.h"
#include "settings/data.h"

namespace vorn::ui {

bool CVornApp::ShowRunningInstance()
{
    // The running instance is found by its main window's title.
    const HWND running = FindWindowW(nullptr, L"Vorn");
    if (!running) return false;
    ShowWindow(running, SW_SHOW);
    SetForegroundWindow(running);
    return true;
}

int CVornApp::Run()
{
    InstallWin32Port();
    theUtil.Resolve();
    if (ShowRunningInstance()) return 0;

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);

    os::Clock().srand(os::Clock().GetTickCount());
    theData.LoadSettings();

    CMainDlg main;
    if (!main.Create()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        main.PreTranslateMessage(message);
        if (main.Handle() && IsDialogMessageW(main.Handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace vorn::ui

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    vorn::ui::CVornApp app;
    return app.Run();
}
