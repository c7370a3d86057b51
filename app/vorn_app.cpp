#include "app/vorn_app.h"

#include "platform/win.h"

#include <commctrl.h>

#include "actions/util.h"
#include "app/command_line.h"
#include "app/main_dlg.h"
#include "app/settings_store.h"
#include "app/single_instance.h"
#include "buttons/button_dlg.h"
#include "framework/handles.h"
#include "platform/file_io.h"
#include "platform/win32/instance_lock.h"
#include "platform/win32/win32_port.h"
#include "settings/data.h"

namespace vorn::ui {

namespace {

// Owned by the running Vorn of this session. Taken before anything is loaded,
// so that two starts at once cannot both become the running one.
constexpr wchar_t kInstanceName[] = L"Local\\Vorn running";

// Every message any of Vorn's windows takes from the queue passes here, in
// the main loop and in the modal loops of the editor, the preview, message
// boxes and menus alike: a key typed while a corner holds keys goes no
// further (it would be Alt+letter or Ctrl+Shift+letter), and the keys go up.
CEdgeEngine* keyGateEngine = nullptr;
HHOOK keyGate = nullptr;

LRESULT CALLBACK KeyGate(int code, WPARAM removing, LPARAM lParam)
{
    if (code == HC_ACTION && removing == PM_REMOVE && keyGateEngine) {
        MSG& message = *reinterpret_cast<MSG*>(lParam);
        if (keyGateEngine->KeyReachesVorn(message.message, message.wParam)) message.message = WM_NULL;
    }
    return CallNextHookEx(keyGate, code, removing, lParam);
}

}  // namespace

void CVornApp::UseSettingsFolder()
{
    // Started at log-on: Windows chose the working folder, the command line
    // names the one that holds the settings. One that cannot be used is told,
    // and no settings file is written anywhere rather than in a folder the
    // user did not choose.
    const std::optional<std::wstring> folder = ParseCommandLine(GetCommandLineW()).folder;
    if (!folder) return;
    if (!folder->empty() && SetCurrentDirectoryW(folder->c_str())) {
        theData.settingsPath = WorkingFolderSettingsPath();
        return;
    }
    FileError why = folder->empty() ? FileError::FolderMissing : FolderProblem(*folder);
    if (why == FileError::None) why = FileError::AccessDenied;
    theData.settingsFolderProblem = FileProblem{false, why, *folder, true};
    // The folder the user chose stays the one named, also by the log-on entry.
    std::wstring path = *folder;
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    theData.settingsPath = path + L"Vorn.ini";
}

int CVornApp::Run()
{
    InstallWin32Port();
    theUtil.Resolve();
    CSessionInstanceLock running(kInstanceName);
    const StartPlan plan = PlanStart(GetCommandLineW(), running);
    if (!plan.message.empty()) MessageBoxW(nullptr, plan.message.c_str(), L"Vorn", MB_OK | MB_ICONERROR);
    if (!plan.run) return plan.exitCode;
    UseSettingsFolder();

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);

    os::Clock().srand(os::Clock().GetTickCount());
    // The floating buttons are made while the settings load.
    CButtonWindowsHost buttonWindows;
    theButtons.SetHost(&buttonWindows);
    InstallSettingsStore();
    theData.LoadSettings();

    CMainDlg main;
    if (!main.Create()) return 1;
    buttonWindows.Attach(main.Handle(), &main.Engine());
    // Asked for on the command line with no Vorn running yet.
    if (plan.startDisabled) main.SetEdgesEnabled(false);
    if (plan.showWindow) main.OpenSettingsWindow();
    keyGateEngine = &main.Engine();
    keyGate = SetWindowsHookExW(WH_GETMESSAGE, &KeyGate, nullptr, GetCurrentThreadId());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The pointer's movements, hundreds a second while it moves: straight
        // to the main window, past the tips and the dialog keys.
        if (message.message == WM_INPUT) {
            DispatchMessageW(&message);
            continue;
        }
        if (WalkPreTranslate(message)) continue;
        if (main.HandleDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (keyGate) UnhookWindowsHookEx(keyGate);
    keyGate = nullptr;
    keyGateEngine = nullptr;
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
