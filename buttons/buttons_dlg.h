// The Buttons page (Windows only): a picture of the screen on which floating
// buttons are drawn, moved and chosen, and the controls that edit the chosen
// one: the action tree, the caption box, the key list, the transparency
// slider and a context menu. CButtonEditor holds the behaviour.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "buttons/button_editor.h"
#include "framework/handles.h"
#include "res/resource.h"
#include "ui/picture_page.h"

namespace vorn::ui {

class CButtonsDlg;

// The picture; the editor works in its 100 % units. Insert makes a button,
// Tab and Shift+Tab go from button to button, the arrows move the selected
// one and Shift+arrows size it, Delete deletes it, and Shift+F10 or the menu
// key opens its menu; a screen reader hears which button is selected, what it
// does and where it is.
class CMonitorStaticBtn : public WithMessageTable<CMonitorStaticBtn, CPictureControl> {
public:
    explicit CMonitorStaticBtn(CButtonsDlg& page);

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
    std::wstring ValueText() const override;
    void Paint(HDC dc, const PictureColours& colours, const RECT& area) override;
    // Around the selected button, or around the whole screen while none is,
    // so that the focus always shows.
    RECT FocusTarget() const override;

private:
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRightButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    void KeepFocus();
    void PaintDragArea();

    CButtonsDlg& page_;
    // The drag steps' places not yet repainted; the frame timer runs.
    RECT dragArea_{};
    bool dragPending_ = false;
    bool frameTimer_ = false;
};

class CButtonsDlg : public WithMessageTable<CButtonsDlg, CPicturePage>, public IButtonEditorView {
public:
    CButtonsDlg();
    ~CButtonsDlg() override;

    CButtonEditor& Editor() { return editor_; }
    CMonitorStaticBtn& Diagram() override { return diagram_; }
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

    static std::span<const MessageEntry<CButtonsDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;
    std::optional<std::wstring> OwnTip(HWND control, POINT point) override;
    bool TipFollowsOver(HWND control) const override;
    void ModifierChosen(ModifierKey modifier) override;

private:
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectionChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptionChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnSlider(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuCommand(WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy() override;

    CButtonEditor editor_{*this};
    CMonitorStaticBtn diagram_{*this};
    HWND captionEdit_ = nullptr;
    HWND slider_ = nullptr;
    OwnedMenu menu_;
};

}  // namespace vorn::ui
