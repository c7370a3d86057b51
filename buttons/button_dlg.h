// The floating button windows (Windows only): a topmost tool window from
// template 103 holding one push button that covers its client area. Pressing
// the left mouse button on it runs the button's action, releasing ends it.
#pragma once

#include <optional>
#include <span>

#include "actions/action_runner.h"
#include "buttons/buttons.h"
#include "framework/dialog.h"

namespace vorn::ui {

// The push button (control 1602), subclassed.
class CButton2 : public WithMessageTable<CButton2, CWnd> {
public:
    CButton2() = default;
    ~CButton2() override;

    // Every message for the button notes the foreground window, when it is
    // someone else's, as the window the button's actions work on.
    bool PreTranslateMessage(MSG& message) override;

    static std::span<const MessageEntry<CButton2>> MessageTable();

    int buttonId = -1;
    HWND lastForeground = nullptr;

private:
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    // The ending; the modifier as the release message gives it, else read now.
    void End(std::optional<ModifierKey> modifier = {});
    // Whether a click may take the focus: only while the floating window has
    // its sizing frame (the Buttons page is open). Otherwise the window the
    // user was in keeps the focus, and with it the keys the actions send.
    bool TakesFocus() const;
    // The press as the button shows it, without the focus the button's own
    // handling would take.
    void PressWithoutFocus();
    void ReleaseWithoutFocus();

    // Between a press and its ending.
    bool pressed_ = false;
    // The ending was sent while the button had lost the mouse; the release,
    // should it still come, sends no second one.
    bool endedAway_ = false;
    // The button holds the mouse itself, for a press that took no focus.
    bool heldWithoutFocus_ = false;
};

class CButtonDlg : public WithMessageTable<CButtonDlg, CDialog>, public IButtonWindow {
public:
    explicit CButtonDlg(int buttonId);
    ~CButtonDlg() override;

    // Creates the hidden window, owned by no other window of the program.
    bool Create();

    HWND Handle() const override { return handle_; }
    void Place(const RECT& screen) override;
    void SetText(const std::wstring& text) override;
    void SetSizingFrame(bool on) override;

    CButton2& Button() { return button_; }
    bool Sizing() const { return sizing_; }

    static std::span<const MessageEntry<CButtonDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape never close a floating button.
    void OnOK() override {}
    void OnCancel() override {}

private:
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnterSizeMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);

    int buttonId_;
    bool sizing_ = false;
    CButton2 button_;
};

// The buttons' windows side: real floating windows, the runner the main
// window hands over for their actions, and the main window for the focus.
class CButtonWindowsHost final : public IButtonsHost {
public:
    std::unique_ptr<IButtonWindow> CreateButtonWindow(int id) override;
    void RunAction(ActionIndex index, bool ending, HWND target) override;
    void FocusMainWindow() override;

    // Set once the main window exists; null again when it goes.
    void Attach(HWND mainWindow, IActionRunner* runner)
    {
        mainWindow_ = mainWindow;
        runner_ = runner;
    }

private:
    HWND mainWindow_ = nullptr;
    IActionRunner* runner_ = nullptr;
};

}  // namespace vorn::ui
