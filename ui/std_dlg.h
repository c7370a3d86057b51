// The base of the settings window's pages (Windows only): a page fits itself
// into the tab control below the tab headings, is white on Vista and later,
// and ignores Enter and Escape, so that a page never closes itself.
#pragma once

#include "framework/dialog.h"

namespace vorn::ui {

class CStdDlg : public CDialog {
public:
    explicit CStdDlg(UINT templateId) : CDialog(templateId) {}

    // Set at the end of the common initialisation.
    bool initialised = false;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Places the page inside its parent, below the tab headings.
    void FitIntoParent();
};

}  // namespace vorn::ui
