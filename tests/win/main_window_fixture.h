// The main window on real windows, as the tests of the window and its pages
// open it: settings in a folder of the test's own, the Win32 port installed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "actions/util.h"
#include "app/main_dlg.h"
#include "app/settings_store.h"
#include "platform/win32/win32_port.h"
#include "res/resource.h"
#include "settings/data.h"
#include "tests/fake/temp_folder.h"
#include "tests/win/win_test_support.h"

namespace vorn::ui {

using test::PumpFor;

// How often a pump here wakes to look at the queue when nothing arrives.
inline constexpr DWORD kCheckEveryMs = 5;

inline std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        InstallWin32Port();
        InstallSettingsStore();
        theUtil.Resolve();
        theData.settingsPath = folder.File(L"Vorn.ini");
        theData.fileProblems.Reset();
        theData.ResetSaveThrottle();
        theData.LoadSettings();
        theData.enabled = true;
    }
    ~MainWindowTest() override
    {
        main_.reset();
        PumpFor(20, kCheckEveryMs);
    }
    CMainDlg& Open()
    {
        main_ = std::make_unique<CMainDlg>();
        main_->endsMessageLoop = false;
        EXPECT_TRUE(main_->Create());
        PumpFor(50, kCheckEveryMs);
        // The tray icon follows the first paint, on a timer: a busy machine
        // may take longer.
        for (int wait = 0; wait < 100 && !main_->Tray(); ++wait)
            PumpFor(20, kCheckEveryMs);
        // The shell's tray window appears with the first icon, on its own
        // time, and the window manager may give it the activation: the
        // window shown takes it back before a test looks at the focus.
        if (IsWindowVisible(main_->Handle())) {
            for (int wait = 0; wait < 50; ++wait) {
                const HWND shellTray = FindWindowW(L"Shell_TrayWnd", nullptr);
                if (shellTray && IsWindowVisible(shellTray)) break;
                PumpFor(20, kCheckEveryMs);
            }
            PumpFor(50, kCheckEveryMs);
            for (int wait = 0; wait < 50 && GetForegroundWindow() != main_->Handle(); ++wait) {
                SetForegroundWindow(main_->Handle());
                PumpFor(20, kCheckEveryMs);
            }
        }
        return *main_;
    }
    // Handles what arrives for `ms` as the program's own message loop does:
    // pre-translation, then the settings window's dialog keys.
    static void PumpAsTheProgram(CMainDlg& main, DWORD ms)
    {
        const DWORD start = GetTickCount();
        do {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT || WalkPreTranslate(message) || main.HandleDialogKeys(message))
                    continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kCheckEveryMs, QS_ALLINPUT);
        } while (GetTickCount() - start < ms);
    }
    // A key pressed and let go in `window`, as the keyboard sends it.
    static void PostKey(HWND window, WPARAM key)
    {
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    }
    // Selects tab `index` as a click on its heading does.
    void SwitchTab(CMainDlg& main, int index)
    {
        SendMessageW(main.Tabs(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
        NMHDR header{main.Tabs(), IDC_MAIN_TABS, TCN_SELCHANGE};
        SendMessageW(main.Handle(), WM_NOTIFY, IDC_MAIN_TABS, reinterpret_cast<LPARAM>(&header));
        PumpFor(20, kCheckEveryMs);
    }
    std::wstring TrayItemText(CMainDlg& main)
    {
        wchar_t text[64] = {};
        GetMenuStringW(main.Tray()->Popup(), ID_TRAY_TOGGLE, text, 64, MF_BYCOMMAND);
        return text;
    }

    fake::TempFolder folder;
    std::unique_ptr<CMainDlg> main_;
};

}  // namespace vorn::ui
