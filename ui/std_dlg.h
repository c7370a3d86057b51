// The base of the settings window's pages (Windows only): a page, a sibling
// of the tab control, fits itself into the tab control's display area below
// the tab headings, turns its labels (ids 1301 to 1336) into transparent
// ones, is white on Vista and later and in the system's colours in high
// contrast, and ignores Enter and Escape, so that a page never closes itself.
#pragma once

#include <array>
#include <memory>

#include "framework/dialog.h"
#include "ui/controls.h"

namespace vorn::ui {

inline constexpr int kFirstLabelId = 1301;
// Posted to the current page after each key the settings window is given:
// the keyboard focus may have moved (Tab, a mnemonic), and a page that
// scrolls brings it into view.
inline constexpr UINT kFocusMayHaveMovedMessage = WM_APP + 40;
inline constexpr int kLabelCount = 36;

// The display area of the tab control `tabs`, below its headings as the
// control itself computes them at the current scale, in the client
// coordinates of `parent`.
RECT TabPageRect(HWND tabs, HWND parent);

class CStdDlg : public CDialog {
public:
    explicit CStdDlg(UINT templateId) : CDialog(templateId) {}

    // Set at the end of the common initialisation.
    bool initialised = false;

    // The label with id 1301 + index, when the page has one.
    CTransparentStatic& Label(int index) { return labels_[static_cast<std::size_t>(index)]; }

    // Places the page on the display area of the tab control `tabs`, below
    // its headings: at creation, and again whenever the headings or the
    // window change size.
    void PlaceOnTabs(HWND tabs);

    // A change of scale, in two steps around the dialog manager's new
    // layout: before it, and once it is done and the page placed again.
    virtual void BeforeScaleChange() {}
    virtual void AfterScaleChange() {}

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The answer to a colour query while high contrast is on.
    static HBRUSH HighContrastColours(UINT message, WPARAM wParam, LPARAM lParam);

    std::array<CTransparentStatic, kLabelCount> labels_;
};

}  // namespace vorn::ui
