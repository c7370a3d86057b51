// The Actions page (Windows only): a picture of a monitor on which the user
// picks a zone, the list of triggers with their keys (entering, the wheel's
// two ways and the click, each plain, with Shift and with Ctrl), and the tree
// of every action; choosing an action in the tree assigns it to the zone at
// once. Where there is more than
// one monitor, a list above the picture chooses whose assignments the page
// shows and sets; the wait box below the tree holds the zone's own wait.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "res/resource.h"
#include "settings/data.h"
#include "ui/actions_page_model.h"
#include "ui/picture_page.h"

namespace vorn::ui {

class CActionsDlg;

// The monitor picture with its clickable zones. The arrow keys choose the
// zone next to the selected one, and a screen reader hears which zone is
// selected and what it does. Zones with a wheel or click action carry a mark.
class CMonitorStatic : public WithMessageTable<CMonitorStatic, CPictureControl> {
public:
    explicit CMonitorStatic(CActionsDlg& page);

    // Makes `zone` the selected one, as a click on it does.
    void Select(EdgeZone zone);

    static std::span<const MessageEntry<CMonitorStatic>> MessageTable();

    EdgeZone hoverZone = NoZone;
    EdgeZone selectedZone = UpperLeftCorner;
    ActionSet set = SetOf(Entering, Plain);

protected:
    std::wstring ValueText() const override;
    void Paint(HDC dc, const PictureColours& colours, const RECT& area) override;
    RECT FocusTarget() const override;

private:
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);

    CActionsDlg& page_;
};

class CActionsDlg : public WithMessageTable<CActionsDlg, CPicturePage> {
public:
    CActionsDlg() : WithMessageTable(IDD_ACTIONS) {}

    // Refills the tree, restores the groups' expansion and selects the zone's
    // action.
    void RebuildTree() override;
    // Makes `zone` the page's zone: the label, the tree's selection and the
    // wait box.
    void ShowZone(EdgeZone zone);
    // Lists "All monitors", the monitors connected now and those remembered,
    // shown only when there is more than one; the monitor chosen stays
    // chosen while it is listed.
    void RebuildMonitorList();

    // The line that tells what the tree's selected item does.
    HWND DescriptionLine() const { return description_; }
    CMonitorStatic& Diagram() override { return diagram_; }
    EdgeZone Zone() const { return zone_; }
    // The set the page shows and sets, and its modifier.
    ActionSet Set() const { return set_; }
    ModifierKey Modifier() const { return ModifierOf(set_); }
    // The monitor whose assignments the page shows and sets.
    const MonitorChoice& Monitor() const { return monitor_; }
    HWND MonitorList() const { return monitorCombo_; }
    HWND WaitBox() const { return waitBox_; }

    void AfterScaleChange() override;

    static std::span<const MessageEntry<CActionsDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;
    std::optional<std::wstring> OwnTip(HWND control, POINT point) override;
    // Keeps the trigger, changes the key.
    void ModifierChosen(ModifierKey modifier) override;
    void FillModifierCombo() override;
    void ListEntryChosen(int index) override;
    bool OffersSameAsAllMonitors() const override { return !monitor_.AllMonitors(); }
    bool TipFollowsOver(HWND control) const override { return control == monitorCombo_ || control == waitBox_; }

private:
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectionChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnMonitorChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnWaitChanged(WPARAM wParam, LPARAM lParam);
    void PlaceDescriptionLine();
    // The tree and the zone again for the monitor chosen now.
    void ShowMonitor();

    CMonitorStatic diagram_{*this};
    HWND description_ = nullptr;
    ActionSet set_ = SetOf(Entering, Plain);
    EdgeZone zone_ = UpperLeftCorner;
    HWND monitorCombo_ = nullptr;
    HWND waitBox_ = nullptr;
    std::vector<MonitorChoice> monitors_{kAllMonitors};
    MonitorChoice monitor_ = kAllMonitors;
    // Set while the page writes the zone's wait into the box: no edit.
    bool showingWait_ = false;
};

}  // namespace vorn::ui
