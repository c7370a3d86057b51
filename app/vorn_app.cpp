#include "app/vorn_app.h"

#include "platform/win.h"

#include <commctrl.h>

#include "actions/util.h"
#include "app/main_dlg.h"
#include "buttons/button_dlg.h"
#include "platform/win32/win32_port.h"
#include "settings/data.h"
#include "ui/log_on.h"

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
    // Started at log-on: Windows chose the working folder, the command line
    // names the one that holds the settings.
    const std::wstring folder = FolderOption(GetCommandLineW());
    if (!folder.empty() && SetCurrentDirectoryW(folder.c_str())) theData.settingsPath = WorkingFolderSettingsPath();

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);

    os::Clock().srand(os::Clock().GetTickCount());
    // The floating buttons are made while the settings load.
    CButtonWindowsHost buttonWindows;
    theButtons.SetHost(&buttonWindows);
    theData.LoadSettings();

    CMainDlg main;
    if (!main.Create()) return 1;
    buttonWindows.Attach(main.Handle(), &main.Engine());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (WalkPreTranslate(message)) continue;
        if (main.HandleDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // A save still waiting for its turn is written before the program ends.
    theData.FlushSettings();
    buttonWindows.Attach(nullptr, nullptr);
    theButtons.Clear();
    theButtons.SetHost(nullptr);
    return 0;
}

}  // namespace vorn::ui

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    vorn::ui::CVornApp app;
    return app.Run();
}
