// The Actions page (Windows only): a picture of a monitor on which the user
// picks a zone, the modifier list, and the tree of every action; choosing an
// action in the tree assigns it to the zone at once.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "framework/handles.h"
#include "res/resource.h"
#include "settings/data.h"
#include "ui/picture_page.h"

namespace vorn::ui {

class CActionsDlg;

// The monitor picture with its clickable zones. The arrow keys choose the
// zone next to the selected one, and a screen reader hears which zone is
// selected and what it does.
class CMonitorStatic : public WithMessageTable<CMonitorStatic, CPictureControl> {
public:
    explicit CMonitorStatic(CActionsDlg& page);

    // Makes `zone` the selected one, as a click on it does.
    void Select(EdgeZone zone);

    static std::span<const MessageEntry<CMonitorStatic>> MessageTable();

    EdgeZone hoverZone = NoZone;
    EdgeZone selectedZone = UpperLeftCorner;
    ModifierKey modifier = Plain;

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
    // Makes `zone` the page's zone: the label and the tree's selection.
    void ShowZone(EdgeZone zone);

    // The line that tells what the tree's selected item does.
    HWND DescriptionLine() const { return description_; }
    CMonitorStatic& Diagram() override { return diagram_; }
    EdgeZone Zone() const { return zone_; }
    ModifierKey Modifier() const { return modifier_; }

    void AfterScaleChange() override;

    static std::span<const MessageEntry<CActionsDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;
    std::optional<std::wstring> OwnTip(HWND control, POINT point) override;
    void ModifierChosen(ModifierKey modifier) override;

private:
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectionChanged(WPARAM wParam, LPARAM lParam);
    void PlaceDescriptionLine();

    CMonitorStatic diagram_{*this};
    HWND description_ = nullptr;
    ModifierKey modifier_ = Plain;
    EdgeZone zone_ = UpperLeftCorner;
};

}  // namespace vorn::ui
