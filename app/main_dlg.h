// The main window (Windows only): the tabbed settings window that hosts the
// five pages and owns the tray icon and the edge engine's timers. It exists for
// the whole run; closing or minimising it only hides it.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>

#include "app/activity_file.h"
#include "app/edge_engine.h"
#include "app/process_watch.h"
#include "app/system_tray.h"
#include "app/zone_hook.h"
#include "framework/dialog.h"
#include "framework/handles.h"
#include "ui/settings_page_model.h"
#include "ui/std_dlg.h"
#include "ui/wait_ring.h"

namespace vorn::ui {

class CActivityDlg;

class CMainDlg : public WithMessageTable<CMainDlg, CDialog> {
public:
    // Set once the window is set up: the tray icon comes after the window's
    // first paint (a timer's message is the last a queue gives), as adding it
    // takes the shell a while.
    static constexpr UINT_PTR kTrayTimerId = 11;
    // Posted to itself on a change of scale, to run once the dialog manager
    // has laid the window out again.
    static constexpr UINT kScaleChangedMessage = WM_APP + 42;
    // Posted once by the log on disk after new activity: written here, off
    // the pointer's path.
    static constexpr UINT kWriteLogMessage = WM_APP + 46;
    // A program a command line started has ended (wParam: its watch slot).
    static constexpr UINT kProcessEndedMessage = WM_APP + 47;
    static constexpr int kPageCount = 5;
    // The hot key that turns the edges off and on, registered on this window.
    static constexpr int kSwitchHotKeyId = 1;
    enum Page {
        ActionsPage,
        ButtonsPage,
        CustomPage,
        SettingsPage,
        AboutPage
    };

    CMainDlg();
    ~CMainDlg() override;

    // Creates the window, hidden unless this is the first run.
    bool Create();

    // The "&Open..." command: shows the window restored.
    void OpenSettingsWindow();

    // The edge engine this window feeds with its timers; the floating buttons
    // dispatch through its RunAction.
    CEdgeEngine& Engine() { return engine_; }
    // Edge actions off or on, as the tray menu's Disable and Enable do.
    void SetEdgesEnabled(bool enabled);

    // Messages for this window and its pages pass here first, so that the
    // tooltips see the mouse.
    bool PreTranslateMessage(MSG& message) override;

    // The dialog manager's keys (Tab, Escape, Enter, arrows, access keys)
    // for a message taken from the queue; true when it was dealt with. Tab
    // and the access keys work through the whole window, the current page
    // included; Escape or Enter typed on a page leaves the window as it is.
    // Ctrl+Tab and Ctrl+Page Down go to the next page, with Shift or Page Up
    // to the one before, from wherever the keyboard is.
    bool HandleDialogKeys(MSG& message);
    // Shows page `index` as a click on its heading does, the keyboard on
    // the headings.
    void SelectPage(int index);
    // The page, built when it is first wanted.
    CStdDlg* Page(int index);
    CStdDlg* ActivePage() const { return activePage_; }
    HWND Tabs() const { return tabs_; }
    HWND ToolTip() const { return toolTip_.Get(); }
    CSystemTray* Tray() const { return tray_.get(); }
    // The "Recent activity" window, once the tray menu has opened it.
    CActivityDlg* Activity() const { return activity_.get(); }
    // Brings the tray menu's "Keep quiet in" item up to date, as its opening does.
    void UpdateQuietItem(HMENU menu);

    static std::span<const MessageEntry<CMainDlg>> MessageTable();

    // The program ends when its main window is destroyed. Tests that make
    // their own windows turn this off.
    bool endsMessageLoop = true;

protected:
    BOOL OnInitDialog() override;
    // Enter, Escape, the Close button and the close box all just hide.
    void OnOK() override { Hide(); }
    void OnCancel() override { Hide(); }
    void OnFinalDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Hide();
    void CreateTabs();
    void CreateTabImages();
    void CreateToolTip();
    void Centre();
    void ShowPage(int index);
    bool SwitchPageByKey(const MSG& message);
    // Another theme, high contrast on or off.
    void ColoursChanged();

    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    void CreateTray();
    LRESULT OnScaleChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimerMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnPointerInput(WPARAM wParam, LPARAM lParam);
    LRESULT OnZoneInput(WPARAM wParam, LPARAM lParam);
    LRESULT OnWriteLog(WPARAM wParam, LPARAM lParam);
    LRESULT OnProcessEnded(WPARAM wParam, LPARAM lParam);
    void ShowButtonFrames(bool on) const;
    LRESULT OnExit(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayOpen(WPARAM wParam, LPARAM lParam);
    // A later start of the program asks this window to show itself.
    LRESULT OnShowRunning(WPARAM wParam, LPARAM lParam);
    // A later start hands over its command line's request (WM_COPYDATA):
    // carried out, it answers TRUE.
    LRESULT OnStartRequest(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayToggle(WPARAM wParam, LPARAM lParam);
    LRESULT OnPreview(WPARAM wParam, LPARAM lParam);
    LRESULT OnTabChanged(WPARAM wParam, LPARAM lParam);
    // The tray menu's "Keep quiet in" item and the switch key.
    LRESULT OnTrayQuiet(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayActivity(WPARAM wParam, LPARAM lParam);
    LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);
    void StartSwitchKey();
    void ShowSwitchKeyNotice();

    // The hot key on this window, for the switch key.
    class WindowHotKey : public IHotKeyRegistry {
    public:
        explicit WindowHotKey(const HWND& window) : window_(window) {}
        bool Register(UINT modifiers, UINT key) override;
        void Unregister() override;

    private:
        const HWND& window_;
    };

    // Declared before the engine, so that they end after it.
    CZoneInputHook zoneHook_;
    CWaitRing waitRing_;
    CWin32ProcessWaits processWaits_;
    CProcessWatch processWatch_{processWaits_};
    CEdgeEngine engine_;
    UINT trayMessage_;
    HICON icon_;
    std::array<std::unique_ptr<CStdDlg>, kPageCount> pages_;
    CStdDlg* activePage_ = nullptr;
    OwnedImageList tabImages_;
    std::unique_ptr<CSystemTray> tray_;
    HWND tabs_ = nullptr;
    OwnedWindow toolTip_;
    // Set once the window is being destroyed.
    bool ending_ = false;
    WindowHotKey hotKey_{handle_};
    CSwitchKey switchKey_{hotKey_};
    // Told once the tray icon is there: a stored switch key that could not be registered.
    std::wstring switchKeyNotice_;
    std::wstring menuProgram_;
    // "Keep a log": Vorn.log beside the settings.
    std::unique_ptr<CActivityFile> activityFile_;
    std::unique_ptr<CActivityDlg> activity_;
};

}  // namespace vorn::ui
