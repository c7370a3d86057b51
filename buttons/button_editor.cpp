#include "buttons/button_editor.h"

#include <algorithm>

namespace vorn {
namespace {

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

constexpr std::size_t kTipLimit = 1023;

}  // namespace

std::wstring CaptionFromActions(ActionIndex plain, ActionIndex ctrl, ActionIndex shift)
{
    std::wstring text;
    if (plain != kNoActionIndex || (ctrl == kNoActionIndex && shift == kNoActionIndex))
        text = theData.ActionName(plain);
    const auto line = [&](const wchar_t* key, ActionIndex action) {
        if (action == kNoActionIndex) return;
        if (!text.empty()) text += L"\r\n";
        text += key + theData.ActionName(action);
    };
    line(L"Ctrl: ", ctrl);
    line(L"Shift: ", shift);
    return text;
}

// --- the picture -------------------------------------------------------------------------

void CButtonEditor::UnselectAll()
{
    for (const auto& button : theButtons.List())
        button->selected = false;
    if (selectedId >= 0) view_.Repaint(theButtons.GetDiagramRect(selectedId));
}

void CButtonEditor::LeftButtonDown(POINT p)
{
    UnselectAll();
    selectedId = theButtons.HitTest(p);
    downPoint = lastPoint = p;
    SetCurrentButton(selectedId);
    if (selectedId < 0) {
        drawing = true;
    } else {
        dragging = true;
        theButtons.Find(selectedId)->selected = true;
        view_.Repaint(theButtons.GetDiagramRect(selectedId));
    }
    view_.TrackMouseLeave(true);
}

void CButtonEditor::MouseMove(POINT p)
{
    if (drawing) {
        if (Inside(kScreenArea, p)) {
            lastPoint = p;
            view_.Repaint(rubberRect);
            rubberRect = RECT{std::min(downPoint.x, p.x), std::min(downPoint.y, p.y), std::max(downPoint.x, p.x),
                              std::max(downPoint.y, p.y)};
            view_.Repaint(rubberRect);
        } else {
            // Leaving the screen area abandons the new button.
            drawing = false;
            view_.Repaint(kScreenArea);
        }
    }
    if (dragging && (p.x != lastPoint.x || p.y != lastPoint.y)) {
        if (Inside(kScreenArea, p)) {
            theButtons.MoveButtonBy(selectedId, p.x - lastPoint.x, p.y - lastPoint.y);
            lastPoint = p;
            view_.Repaint(kScreenArea);
            view_.SetSettingsWindowTopmost(true);
        } else {
            drawing = dragging = false;
            view_.Repaint(kScreenArea);
            view_.TrackMouseLeave(false);
        }
    }
}

void CButtonEditor::LeftButtonUp()
{
    dragging = false;
    // A release at the press position, in x or in y, draws nothing.
    if (drawing && lastPoint.x != downPoint.x && lastPoint.y != downPoint.y) {
        const int id = theButtons.AddButton(true, rubberRect.left, rubberRect.top, rubberRect.right, rubberRect.bottom);
        if (id >= 0) {
            selectedId = id;
            for (const auto& button : theButtons.List())
                button->selected = button->id == id;
            SetCurrentButton(id);
        }
    }
    drawing = false;
    view_.TrackMouseLeave(false);
}

void CButtonEditor::MouseLeave()
{
    drawing = dragging = false;
    view_.Repaint(kScreenArea);
}

void CButtonEditor::DoubleClick()
{
    for (int slot = 0; slot < kModifierCount; ++slot)
        theButtons.SetAction(selectedId, slot, kNoActionIndex);
    theButtons.SetKeepTitle(selectedId, false);
    SetCurrentButton(selectedId);
}

void CButtonEditor::RightButtonDown(POINT p)
{
    UnselectAll();
    selectedId = theButtons.HitTest(p);
    // An empty spot leaves the page's controls as they are, editing nothing.
    if (selectedId < 0) return;
    SetCurrentButton(selectedId);
    theButtons.Find(selectedId)->selected = true;
    view_.Repaint(theButtons.GetDiagramRect(selectedId));
}

bool CButtonEditor::RightButtonUp(POINT p) const { return selectedId >= 0 && theButtons.HitTest(p) == selectedId; }

std::wstring CButtonEditor::DiagramTip(POINT p, bool leftButtonHeld) const
{
    if (!leftButtonHeld && theButtons.List().empty() && Inside(kScreenArea, p))
        return L"Click and drag in this screen to draw a button\nYou can then drag it into position and set its "
               L"details";
    const int id = theButtons.HitTest(p);
    if (id < 0) return {};
    const std::wstring caption = theButtons.GetCaption(id);
    std::wstring tip =
        (caption.empty() ? L"Untitled button" : caption) + L"\n\nDrag to move button\nRight-click for options menu";
    if (tip.size() > kTipLimit) tip.resize(kTipLimit);
    return tip;
}

void CButtonEditor::ClearSelection()
{
    UnselectAll();
    selectedId = -1;
}

void CButtonEditor::RepaintDiagram(const RECT* diagramRect) { view_.Repaint(diagramRect ? *diagramRect : kScreenArea); }

// --- the page's controls ---------------------------------------------------------------------

void CButtonEditor::SetCurrentButton(int id)
{
    currentButton = id;
    if (id < 0)
        view_.ShowCaption(L"");
    else
        ShowButton(id);
}

void CButtonEditor::ShowButton(int id)
{
    updatingCaption = true;
    view_.ShowCaption(theButtons.GetCaption(id));
    updatingCaption = false;
    const CButtonInfo* button = theButtons.Find(id);
    view_.ShowTransparency(button ? button->transparency : 0);
    SelectActionInTree();
}

void CButtonEditor::SelectActionInTree()
{
    const CButtonInfo* button = theButtons.Find(currentButton);
    view_.SelectTreeAction(button ? button->actions[static_cast<std::size_t>(modifier)] : -1);
}

void CButtonEditor::TreeSelectionChanged(std::optional<ActionIndex> action)
{
    if (currentButton < 0) return;
    const CButtonInfo* button = theButtons.Find(selectedId);
    // The page selecting the button's own action changes nothing.
    if (action && button && button->actions[static_cast<std::size_t>(modifier)] != *action)
        theButtons.SetAction(selectedId, modifier, *action);
    RegenerateCaption();
}

void CButtonEditor::ModifierChanged(ModifierKey newModifier)
{
    modifier = newModifier;
    if (currentButton >= 0) SelectActionInTree();
}

void CButtonEditor::CaptionChanged(const std::wstring& text)
{
    if (currentButton < 0) return;
    const CButtonInfo* button = theButtons.Find(selectedId);
    if (button && button->caption != text) theButtons.SetCaption(selectedId, text);
    // Typing keeps the caption from being made anew; emptying the box gives
    // that back.
    if (!updatingCaption && button && button->keepTitle != !text.empty())
        theButtons.SetKeepTitle(selectedId, !text.empty());
}

void CButtonEditor::SliderMoved(int percent)
{
    if (currentButton >= 0) theButtons.SetTransparency(selectedId, percent);
}

void CButtonEditor::RegenerateCaption()
{
    const CButtonInfo* button = theButtons.Find(currentButton);
    // Without a button there are no actions to make a caption of.
    if (!button || button->keepTitle) return;
    const auto action = [&](ModifierKey m) { return button->actions[static_cast<std::size_t>(m)]; };
    const std::wstring text = CaptionFromActions(action(Plain), action(Ctrl), action(Shift));
    updatingCaption = true;
    view_.ShowCaption(text);
    CaptionChanged(text);
    updatingCaption = false;
}

void CButtonEditor::ResetTitle()
{
    theButtons.SetKeepTitle(currentButton, false);
    RegenerateCaption();
}

void CButtonEditor::DeleteThisButton()
{
    if (currentButton < 0) return;
    view_.Repaint(theButtons.GetDiagramRect(selectedId));
    theButtons.DeleteButton(selectedId);
    selectedId = -1;
    SetCurrentButton(-1);
}

void CButtonEditor::PageShown(bool settingsWindowVisible)
{
    if (settingsWindowVisible) theButtons.SetSizingFrames(true);
    view_.SetSettingsWindowTopmost(true);
}

void CButtonEditor::PageHidden()
{
    theButtons.SetSizingFrames(false);
    view_.SetSettingsWindowTopmost(false);
    ClearSelection();
    currentButton = -1;
}

}  // namespace vorn
