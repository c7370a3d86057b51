// The Buttons page (Windows only): a picture of the screen on which floating
// buttons are drawn, moved and chosen, and the controls that edit the chosen
// one: the action tree, the caption box, the key list, the transparency
// slider and a context menu. CButtonEditor holds the behaviour.
#pragma once

#include <span>

#include "buttons/button_editor.h"
#include "framework/handles.h"
#include "res/resource.h"
#include "ui/diagram_picture.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

class CButtonsDlg;

// The picture; the editor works in its 100 % units. It is a tab stop: Insert
// makes a button, Tab and Shift+Tab go from button to button, the arrows move
// the selected one and Shift+arrows size it, Delete deletes it, and Shift+F10
// or the menu key opens its menu; a screen reader hears which button is
// selected, what it does and where it is.
class CMonitorStaticBtn : public WithMessageTable<CMonitorStaticBtn, CWnd> {
public:
    explicit CMonitorStaticBtn(CButtonsDlg& page) : page_(page) {}
    bool Attach(HWND control);
    const CDiagramPicture& Picture() const { return picture_; }

    // What the editor shows changed: the focus outline follows the selected
    // button, and accessibility clients are told.
    void EditorChanged();
    // A drag step's places: the first of a burst repainted at once, the rest
    // at the next frame, as one: steps between two frames are never seen.
    // Flush brings what waits at once and ends the burst.
    void RepaintDragStep(const RECT& units);
    void FlushDragRepaint();

    static std::span<const MessageEntry<CMonitorStaticBtn>> MessageTable();

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRightButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnScaleChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnAccessibleValue(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    void KeepFocus();
    void PaintDragArea();
    // Where the focus outline goes: around the selected button, or around the
    // whole screen while none is, so that the focus always shows.
    RECT FocusTarget() const;

    CButtonsDlg& page_;
    // Loaded once: a drag repaints the picture at every step.
    CDiagramPicture picture_;
    std::wstring toldValue_;
    // Where the last paint put the focus outline.
    RECT focusDrawn_{};
    // The drag steps' places not yet repainted; the frame timer runs.
    RECT dragArea_{};
    bool dragPending_ = false;
    bool frameTimer_ = false;
};

class CButtonsDlg : public WithMessageTable<CButtonsDlg, CStdDlg>, public IButtonEditorView {
public:
    CButtonsDlg();
    ~CButtonsDlg() override;

    void RebuildTree();
    void UpdateToolTip(const MSG& message, bool forced);
    bool PreTranslateMessage(MSG& message) override;

    CButtonEditor& Editor() { return editor_; }
    CMonitorStaticBtn& Diagram() { return diagram_; }
    HWND Tree() const { return tree_; }
    HMENU ContextMenu() const { return menu_ ? GetSubMenu(menu_.Get(), 0) : nullptr; }

    // IButtonEditorView
    void ShowCaption(const std::wstring& text) override;
    void ShowTransparency(int percent) override;
    void SelectTreeAction(ActionIndex action) override;
    void Repaint(const RECT& diagramRect) override;
    void RepaintDragStep(const RECT& diagramRect) override;
    void DragEnded() override;
    void SetSettingsWindowTopmost(bool on) override;
    void TrackMouseLeave(bool on) override;
    void ValueChanged() override;

    // The tree's images at the new scale; the picture redraws itself.
    void AfterScaleChange() override;

    static std::span<const MessageEntry<CButtonsDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectionChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnItemExpanded(WPARAM wParam, LPARAM lParam);
    LRESULT OnModifierChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptionChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnSlider(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuCommand(WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy() override;

    CButtonEditor editor_{*this};
    CMonitorStaticBtn diagram_{*this};
    HWND modifierCombo_ = nullptr;
    HWND captionEdit_ = nullptr;
    HWND slider_ = nullptr;
    HWND tree_ = nullptr;
    OwnedImageList treeImages_;
    OwnedWindow toolTip_;
    OwnedMenu menu_;
    POINT lastTipPoint_{-1, -1};
    // The tool and text the tip was last given.
    HWND lastTipTool_ = nullptr;
    std::wstring lastTipText_;
    bool restoringExpansion_ = false;
};

}  // namespace vorn::ui
