// The Settings page (Windows only): every setting that is not an action,
// in eight sections on a page taller than the tab area that scrolls, with a
// contents box of links to the sections. Every change is stored at once.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "res/resource.h"
#include "ui/controls.h"
#include "ui/key_box.h"
#include "ui/settings_page_model.h"
#include "ui/std_dlg.h"
#include "ui/zone_overlay.h"

namespace vorn::ui {

class CSettingsDlg : public WithMessageTable<CSettingsDlg, CStdDlg> {
public:
    CSettingsDlg() : WithMessageTable(IDD_SETTINGS) {}

    void RefreshWindowList();
    void SyncSliderToWindow();
    // Scrolls the content to `position` (pixels from its top), within the range.
    void ScrollToSection(int position);
    // The scroll range and steps, as measured on the page at its scale.
    const PageScroll& Scroll() const { return scroll_; }
    // The log-on box as the Run key has it now.
    void ShowLogOnState();
    // The value of the Run key the box stands for (tests use one of their own).
    const wchar_t* runValue = L"Vorn";
    int ScrollPosition() const { return scrollPos_; }
    HWND WindowList() const { return windowList_; }
    HWND FolderList() const { return folderList_; }
    HWND Slider() const { return slider_; }
    HWND QuietList() const { return quietList_; }
    CKeyBox& SwitchKeys() { return switchKeys_; }
    // The zones drawn over the screen by "Show zones" and while a zone size changes.
    CZoneOverlay& ZoneOverlay() { return zoneOverlay_; }

    // The main window's switch key, which the box changes (none: the box
    // only stores what it records).
    CSwitchKey* switchKey = nullptr;
    // The quiet programs' list as the settings have it now (the tray menu
    // may have changed them).
    void ShowQuietPrograms();
    // A name the "Add" dialog added: listed, chosen, saved.
    void QuietProgramAdded(const std::wstring& name);

    // The mouse wheel scrolls the page wherever it is turned on it, but over
    // the slider, which slides, and over a list that can scroll that way
    // itself. Page Up, Page Down, Ctrl+Home and Ctrl+End scroll it from a
    // control that has no use for them (a button, a check box, a link).
    bool PreTranslateMessage(MSG& message) override;

    static std::span<const MessageEntry<CSettingsDlg>> MessageTable();

    // The content at the top of the view stays there across a change of
    // scale: the page goes back to its top while the dialog manager lays it
    // out again, and then scrolls to the same content at the new size.
    void BeforeScaleChange() override;
    void AfterScaleChange() override;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HWND WindowOf(const std::wstring& entry) const;
    void EnableDeleteFolder();
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
    LRESULT OnTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnFlagBox(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowZones(WPARAM wParam, LPARAM lParam);
    LRESULT OnRandom(WPARAM wParam, LPARAM lParam);
    LRESULT OnSequential(WPARAM wParam, LPARAM lParam);
    LRESULT OnStartAtLogOn(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddFolder(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteFolder(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefresh(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowSelected(WPARAM wParam, LPARAM lParam);
    LRESULT OnSlider(WPARAM wParam, LPARAM lParam);
    LRESULT OnVerticalScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);
    LRESULT OnFocusMayHaveMoved(WPARAM wParam, LPARAM lParam);
    void ScrollBy(int step);
    bool ListScrollsItself(HWND list, int delta) const;
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    // The range and steps from the controls as they are now.
    PageScroll MeasureScroll() const;
    void UpdateScrollBar() const;
    LRESULT OnContentsLink(WPARAM wParam, LPARAM lParam);
    LRESULT OnQuietAdd(WPARAM wParam, LPARAM lParam);
    LRESULT OnQuietRemove(WPARAM wParam, LPARAM lParam);
    void EnableQuietRemove();
    LRESULT OnSwitchKeys(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowStoredSwitchKeys(WPARAM wParam, LPARAM lParam);
    void ShowSwitchKeyProblem(const std::wstring& text);

    std::array<CHyperLink, 8> contentsLinks_;
    HWND folderList_ = nullptr;
    HWND windowList_ = nullptr;
    HWND slider_ = nullptr;
    HWND quietList_ = nullptr;
    CKeyBox switchKeys_;
    CZoneOverlay zoneOverlay_;
    // Labels outside the page's numbered ones.
    std::array<CTransparentStatic, 4> ownLabels_;
    int scrollPos_ = 0;
    int wheelRemainder_ = 0;
    PageScroll scroll_;
    // During a change of scale: the range and the position before it.
    std::optional<std::pair<PageScroll, int>> beforeScale_;
    // The page writes its boxes: that is no edit of the user's.
    bool filling_ = false;
};

}  // namespace vorn::ui
