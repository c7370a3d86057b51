// What the two pages that show the monitor picture beside the action tree
// share (Windows only): the picture control, which paints the picture with
// the keyboard focus outline on it and tells screen readers what it shows,
// and the page, which holds the picture, the modifier list and the tree and
// routes the tips of all three.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "framework/handles.h"
#include "settings/data.h"
#include "ui/diagram_picture.h"
#include "ui/picture_accessible.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

// The picture in a static control. It is a tab stop that keeps the arrow keys
// and the characters (a letter typed on it would otherwise be taken as an
// access key, and the page's own buttons answer those alone); it repaints
// itself when its look changes and follows a change of scale.
class CPictureControl : public WithMessageTable<CPictureControl, CWnd> {
public:
    // `accessibility` and `hint` (the lines written on the picture) are the
    // page's constants: they outlive the control.
    CPictureControl(const PictureAccessibility& accessibility, std::span<const wchar_t* const> hint)
        : accessibility_(accessibility), hint_(hint)
    {
    }
    bool Attach(HWND control);
    const CDiagramPicture& Picture() const { return picture_; }

    // Tells accessibility clients of a new value.
    void AnnounceValue();

    static std::span<const MessageEntry<CPictureControl>> MessageTable();

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);

    // What a screen reader hears as the picture's value.
    virtual std::wstring ValueText() const = 0;
    // What the page draws on the picture, within `area` (pixels of the
    // control), before the focus outline.
    virtual void Paint(HDC dc, const PictureColours& colours, const RECT& area) = 0;
    // Where the focus outline goes, in units.
    virtual RECT FocusTarget() const = 0;
    // Repaints where the focus outline was and where it goes now, when they differ.
    void FollowFocusTarget();

    CDiagramPicture picture_;

private:
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnScaleChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnAccessibleValue(WPARAM wParam, LPARAM lParam);

    const PictureAccessibility& accessibility_;
    std::span<const wchar_t* const> hint_;
    std::wstring toldValue_;
    // Where the last paint put the focus outline.
    RECT focusDrawn_{};
};

// A page with the picture (IDC_DIAGRAM), the modifier list (IDC_MODIFIER) and
// the action tree (IDC_ACTION_TREE). Its tip follows the pointer over them
// and over the controls a page adds.
class CPicturePage : public WithMessageTable<CPicturePage, CStdDlg> {
public:
    using WithMessageTable::WithMessageTable;

    virtual CPictureControl& Diagram() = 0;
    HWND Tree() const { return tree_; }
    HWND ToolTip() const { return toolTip_.Get(); }

    // Refills the tree from the catalogue and the custom actions and restores
    // the groups' expansion.
    virtual void RebuildTree();
    // Sets the tip of the control under a mouse move and shows it.
    void UpdateToolTip(const MSG& message, bool forced);

    bool PreTranslateMessage(MSG& message) override;
    // The tree's images at the new scale; the picture redraws itself.
    void AfterScaleChange() override;

    static std::span<const MessageEntry<CPicturePage>> MessageTable();

protected:
    BOOL OnInitDialog() override;
    void OnFinalDestroy() override;

    // The tip of `control` at `point` where the page makes it itself (the
    // picture's); nothing where the tree's tip at the point is shown.
    virtual std::optional<std::wstring> OwnTip(HWND control, POINT point) = 0;
    // Whether the tree offers "Same as all monitors" first.
    virtual bool OffersSameAsAllMonitors() const { return false; }
    // Refills the tree, leaving the keyboard where it is.
    void FillTree();
    // The page's other controls over which the tip follows the pointer.
    virtual bool TipFollowsOver(HWND /*control*/) const { return false; }
    // A modifier chosen in the list; the focus stays on the list, whose arrow
    // keys go on choosing.
    virtual void ModifierChosen(ModifierKey modifier) = 0;
    // The list's entries: the three modifiers unless the page lists more.
    virtual void FillModifierCombo();
    // Entry `index` of the list chosen; by default the modifier of that place.
    virtual void ListEntryChosen(int index);

    HWND modifierCombo_ = nullptr;
    HWND tree_ = nullptr;
    OwnedWindow toolTip_;

private:
    LRESULT OnItemExpanded(WPARAM wParam, LPARAM lParam);
    LRESULT OnModifierChanged(WPARAM wParam, LPARAM lParam);

    OwnedImageList treeImages_;
    POINT lastTipPoint_{-1, -1};
    // The tool and text the tip was last given.
    HWND lastTipTool_ = nullptr;
    std::wstring lastTipText_;
    bool restoringExpansion_ = false;
};

}  // namespace vorn::ui
