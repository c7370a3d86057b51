// Dialogs from resource templates (Windows only), modal or modeless, bound to
// their object when the dialog manager sends WM_INITDIALOG.
#pragma once

#include "framework/window.h"

namespace vorn::ui {

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : templateId_(templateId) {}

    // Runs the dialog until EndDialog; the result EndDialog was given, or -1.
    INT_PTR DoModal(HWND parent);
    // Creates the dialog and returns at once; it lives until destroyed.
    bool CreateModeless(HWND parent);

    HWND Item(int id) const { return GetDlgItem(handle_, id); }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // Enter and Escape (and the caption's close box) by default end the dialog.
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Ends a modal dialog with `result`; destroys a modeless one.
    void EndDialog(INT_PTR result);

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Dialogs have no default procedure of their own to call: the dialog
    // manager does the default handling when the dialog procedure says no.
    LRESULT DefaultProcedure(UINT, WPARAM, LPARAM) override { return 0; }

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    bool modal_ = false;
};

// A letter typed without Alt on a control that takes no characters goes to
// that control alone, which ignores it: the dialog manager would take it for
// an access key. True when `message` was such a letter and is dispatched.
// Every message path that hands messages to the dialog manager asks first.
bool DispatchStrayAccessKey(const MSG& message);

}  // namespace vorn::ui
