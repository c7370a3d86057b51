// The Buttons page's behaviour, apart from its widgets: the picture on which
// buttons are drawn and dragged (idle, drawing, dragging), which button the
// page's controls edit, the caption made from a button's actions, and the
// picture's tips. The page feeds it mouse events and control changes, and
// shows what it asks for through IButtonEditorView.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "buttons/buttons.h"

namespace vorn {

// What the editor asks of the page.
class IButtonEditorView {
public:
    virtual ~IButtonEditorView() = default;
    // The caption box's text, set by the page itself (raises no change).
    virtual void ShowCaption(const std::wstring& /*text*/) {}
    virtual void ShowTransparency(int /*percent*/) {}
    // Selects the tree item of `action`; -1 finds none.
    virtual void SelectTreeAction(ActionIndex /*action*/) {}
    virtual void Repaint(const RECT& /*diagramRect*/) {}
    // A drag step's repaint, which the page may put off until the screen
    // shows its next frame; the drag's end brings what is left at once.
    virtual void RepaintDragStep(const RECT& diagramRect) { Repaint(diagramRect); }
    virtual void DragEnded() {}
    virtual void SetSettingsWindowTopmost(bool /*on*/) {}
    // Asks for, or stops asking for, word of the pointer leaving the picture.
    virtual void TrackMouseLeave(bool /*on*/) {}
    // What ValueText says may have changed: the selection, or the selected
    // button's place, size or actions.
    virtual void ValueChanged() {}
};

// The part of the picture that stands for the screen.
inline constexpr RECT kScreenArea{kDiagramLeft, kDiagramTop, kDiagramRight, kDiagramBottom};

// A button made from the keyboard: this many units wide and high, at the
// middle of the screen area, or further down and right by kInsertStep where
// a button already starts there.
inline constexpr SIZE kInsertedButtonSize{16, 8};
inline constexpr int kInsertStep = 8;

// The caption a button gets from its actions: the plain action, then a
// "Ctrl: " line and a "Shift: " line for those that are set.
std::wstring CaptionFromActions(ActionIndex plain, ActionIndex ctrl, ActionIndex shift);

class CButtonEditor final : public IButtonsDiagram {
public:
    explicit CButtonEditor(IButtonEditorView& view) : view_(view) {}
    // A page closed in the middle of a drag lets the saves go.
    ~CButtonEditor();

    // --- the picture --------------------------------------------------------
    void LeftButtonDown(POINT p);
    void MouseMove(POINT p);
    void LeftButtonUp();
    void MouseLeave();
    // Clears the selected button's actions and its keep-title flag.
    void DoubleClick();
    void RightButtonDown(POINT p);
    // Whether the context menu opens: the release is on the selected button.
    bool RightButtonUp(POINT p) const;
    // The tip over the picture at p.
    std::wstring DiagramTip(POINT p, bool leftButtonHeld) const;

    // --- the keyboard -------------------------------------------------------------
    // Insert: a new button, selected, as a drawing leaves it; -1 when no more
    // can be made.
    int InsertButton();
    // Whether Tab (forward) or Shift+Tab has a button to go to: the next or
    // previous one in list order (the order of the file's sections), or, with
    // none selected, the first or the last. Without one the key leaves the
    // picture.
    bool HasNeighbour(bool forward) const;
    // Tab or Shift+Tab: selects that button; false when there is none.
    bool SelectNeighbour(bool forward);
    // Arrows: the selected button moved by (dx, dy) units, stopping at the
    // edges of the screen area.
    void MoveSelectedBy(int dx, int dy);
    // Shift+arrows: its right and bottom edges moved, held in the screen area.
    void SizeSelectedBy(int dWidth, int dHeight);
    // Delete: the selected button goes; the next in list order is selected
    // after, or the previous when the last went, none when none is left.
    void DeleteSelected();
    // Where the menu of the keyboard (Shift+F10, the Menu key) opens: on the
    // selected button; none without one, as a right click on no button.
    std::optional<RECT> MenuAnchor() const;
    // What the picture tells a screen reader it shows:
    // "Button 2 of 5, Copy, 91, 30, 16 × 8" (the place in units from the top
    // left of the screen area), "3 buttons, none selected", "No buttons".
    std::wstring ValueText() const;

    // --- the page's controls ---------------------------------------------------
    // A tree item chosen: an action, or a heading (nullopt).
    void TreeSelectionChanged(std::optional<ActionIndex> action);
    void ModifierChanged(ModifierKey modifier);
    void CaptionChanged(const std::wstring& text);
    void SliderMoved(int percent);
    void ResetTitle();
    void DeleteThisButton();
    // The frames come only with a settings window on screen: a start on this
    // page shows it while the window stays hidden.
    void PageShown(bool settingsWindowVisible);
    void PageHidden();

    void SetCurrentButton(int id);
    void RegenerateCaption();
    void ClearSelection();

    // IButtonsDiagram
    void RepaintDiagram(const RECT* diagramRect) override;
    void ClearDiagramSelection() override { ClearSelection(); }

    bool drawing = false;
    bool dragging = false;
    int selectedId = -1;
    POINT downPoint{0, 0};
    POINT lastPoint{0, 0};
    RECT rubberRect{};
    // The button the page's controls show; edits go to selectedId, and only
    // while this is not -1.
    int currentButton = -1;
    ModifierKey modifier = Plain;
    // The page itself is writing the caption box.
    bool updatingCaption = false;

private:
    // The drag is over (released, or the pointer left the picture or the
    // screen area): the value is told if the button moved.
    void EndDrag();
    void ChangeSelectedRect(const std::function<void()>& change);
    void ShowButton(int id);
    void SelectActionInTree();
    void UnselectAll();
    // Makes `id` the one selected button, shown by the page's controls.
    void Select(int id);
    // Position of the selected button in list order; -1 when none is.
    int SelectedIndex() const;

    IButtonEditorView& view_;
    // The dragged button moved since the press, and nobody was told yet.
    bool movedInDrag_ = false;
};

}  // namespace vorn
