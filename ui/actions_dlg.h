// The Actions page (Windows only): a picture of a monitor on which the user
// picks a zone, the modifier list, and the tree of every action; choosing an
// action in the tree assigns it to the zone at once.
#pragma once

#include <optional>
#include <span>

#include "framework/handles.h"
#include "res/resource.h"
#include "settings/data.h"
#include "ui/diagram_picture.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

class CActionsDlg;

// The monitor picture with its clickable zones. It is a tab stop: the arrow
// keys choose the zone next to the selected one, and a screen reader hears
// which zone is selected and what it does.
class CMonitorStatic : public WithMessageTable<CMonitorStatic, CWnd> {
public:
    explicit CMonitorStatic(CActionsDlg& page) : page_(page) {}
    bool Attach(HWND control);
    const CDiagramPicture& Picture() const { return picture_; }

    // Makes `zone` the selected one, as a click on it does.
    void Select(EdgeZone zone);
    // Tells accessibility clients of a new zone, key or action.
    void AnnounceValue();

    static std::span<const MessageEntry<CMonitorStatic>> MessageTable();

    EdgeZone hoverZone = NoZone;
    EdgeZone selectedZone = UpperLeftCorner;
    ModifierKey modifier = Plain;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnScaleChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnAccessibleValue(WPARAM wParam, LPARAM lParam);

    std::wstring ValueText() const;

    CActionsDlg& page_;
    CDiagramPicture picture_;
    std::wstring toldValue_;
};

class CActionsDlg : public WithMessageTable<CActionsDlg, CStdDlg> {
public:
    CActionsDlg() : WithMessageTable(IDD_ACTIONS) {}

    // Refills the tree from the catalogue and the custom actions, restores the
    // groups' expansion and selects the zone's action.
    void RebuildTree();
    // Makes `zone` the page's zone: the label and the tree's selection.
    void ShowZone(EdgeZone zone);
    // Sets the tip of the control under a mouse move and shows it.
    void UpdateToolTip(const MSG& message, bool forced);

    bool PreTranslateMessage(MSG& message) override;

    HWND Tree() const { return tree_; }
    HWND ToolTip() const { return toolTip_.Get(); }
    // The line that tells what the tree's selected item does.
    HWND DescriptionLine() const { return description_; }
    CMonitorStatic& Diagram() { return diagram_; }
    EdgeZone Zone() const { return zone_; }
    ModifierKey Modifier() const { return modifier_; }

    // The tree's images at the new scale; the picture redraws itself.
    void AfterScaleChange() override;

    static std::span<const MessageEntry<CActionsDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectionChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnItemExpanded(WPARAM wParam, LPARAM lParam);
    LRESULT OnModifierChanged(WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy() override;
    void PlaceDescriptionLine();

    CMonitorStatic diagram_{*this};
    HWND modifierCombo_ = nullptr;
    HWND tree_ = nullptr;
    HWND description_ = nullptr;
    OwnedImageList treeImages_;
    OwnedWindow toolTip_;
    POINT lastTipPoint_{-1, -1};
    ModifierKey modifier_ = Plain;
    EdgeZone zone_ = UpperLeftCorner;
    bool restoringExpansion_ = false;
};

// The tree of every action, as both the Actions and the Buttons page show it:
// filled from the catalogue and the custom actions, each group expanded as
// theData.groupExpanded says. `restoring` is set while the groups are opened
// and closed.
void FillActionTree(HWND tree, bool& restoring);
// The image list of the action trees, from the strip of eight pictures, at
// `dpi`.
HIMAGELIST CreateActionTreeImages(int dpi);
// The action of the tree's selected item; none when a heading or nothing is selected.
std::optional<ActionIndex> SelectedTreeAction(HWND tree);
// Selects the first item whose data is `action`; false when none has it.
bool SelectTreeAction(HWND tree, ActionIndex action);
// Stores each group's expansion in theData.groupExpanded.
void StoreGroupExpansion(HWND tree);
// The tip for the tree item at a point of the tree: a heading's text and
// " actions", or an action's description; empty over no item.
std::wstring TreeTipAt(HWND tree, POINT point, bool& overItem);
// The same for the tree's selected item.
std::wstring SelectedTreeTip(HWND tree);

}  // namespace vorn::ui
