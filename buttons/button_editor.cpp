#include "buttons/button_editor.h"

#include <algorithm>

#include "actions/custom_actions.h"
#include "platform/rect.h"
#include "settings/data.h"

namespace vorn {
namespace {

constexpr std::size_t kTipLimit = 1023;

}  // namespace

std::wstring CaptionFromActions(ActionIndex plain, ActionIndex ctrl, ActionIndex shift)
{
    std::wstring text;
    if (plain != kNoActionIndex || (ctrl == kNoActionIndex && shift == kNoActionIndex)) text = ActionName(plain);
    const auto line = [&](const wchar_t* key, ActionIndex action) {
        if (action == kNoActionIndex) return;
        if (!text.empty()) text += L"\r\n";
        text += key + ActionName(action);
    };
    line(L"Ctrl: ", ctrl);
    line(L"Shift: ", shift);
    return text;
}

// --- the picture -------------------------------------------------------------------------

CButtonEditor::~CButtonEditor()
{
    if (dragging) theData.HoldSaves(false);
}

void CButtonEditor::UnselectAll()
{
    for (const auto& button : theButtons.List())
        button->selected = false;
    if (selectedId >= 0) view_.Repaint(theButtons.GetDiagramRect(selectedId));
}

void CButtonEditor::LeftButtonDown(POINT p)
{
    UnselectAll();
    movedInDrag_ = false;
    selectedId = theButtons.HitTest(p);
    downPoint = lastPoint = p;
    SetCurrentButton(selectedId);
    if (selectedId < 0) {
        drawing = true;
    } else {
        dragging = true;
        theData.HoldSaves(true);
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
            // Only where the button was and where it is now: the rest of the
            // picture, and the other buttons, look as they did.
            const RECT was = theButtons.GetDiagramRect(selectedId);
            theButtons.MoveButtonBy(selectedId, p.x - lastPoint.x, p.y - lastPoint.y);
            view_.RepaintDragStep(was);
            view_.RepaintDragStep(theButtons.GetDiagramRect(selectedId));
            lastPoint = p;
            view_.SetSettingsWindowTopmost(true);
            // A screen reader hears where the button ended, once, not every
            // step on the way there.
            movedInDrag_ = true;
        } else {
            drawing = false;
            EndDrag();
            view_.Repaint(kScreenArea);
            view_.TrackMouseLeave(false);
        }
    }
}

void CButtonEditor::EndDrag()
{
    dragging = false;
    theData.HoldSaves(false);
    view_.DragEnded();
    if (!movedInDrag_) return;
    movedInDrag_ = false;
    view_.ValueChanged();
}

void CButtonEditor::LeftButtonUp()
{
    EndDrag();
    // A release at the press position, in x or in y, draws nothing.
    if (drawing && lastPoint.x != downPoint.x && lastPoint.y != downPoint.y) {
        const int id = theButtons.AddButton(true, rubberRect.left, rubberRect.top, rubberRect.right, rubberRect.bottom);
        if (id >= 0) Select(id);
    }
    drawing = false;
    view_.TrackMouseLeave(false);
}

void CButtonEditor::MouseLeave()
{
    drawing = false;
    EndDrag();
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
    view_.ValueChanged();
}

// The list changed under the picture: a group command, a floating window
// sized on the screen, all buttons deleted.
void CButtonEditor::RepaintDiagram(const RECT* diagramRect)
{
    view_.Repaint(diagramRect ? *diagramRect : kScreenArea);
    view_.ValueChanged();
}

void CButtonEditor::Select(int id)
{
    UnselectAll();
    selectedId = id;
    if (CButtonInfo* button = theButtons.Find(id)) {
        button->selected = true;
        view_.Repaint(button->diagramRect);
    }
    SetCurrentButton(id);
}

int CButtonEditor::SelectedIndex() const
{
    if (selectedId < 0) return -1;
    const auto& list = theButtons.List();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->id == selectedId) return static_cast<int>(i);
    return -1;
}

// --- the keyboard ------------------------------------------------------------------------------

int CButtonEditor::InsertButton()
{
    drawing = dragging = movedInDrag_ = false;
    theData.HoldSaves(false);
    const LONG width = kInsertedButtonSize.cx;
    const LONG height = kInsertedButtonSize.cy;
    POINT at{kScreenArea.left + (kScreenArea.right - kScreenArea.left - width) / 2,
             kScreenArea.top + (kScreenArea.bottom - kScreenArea.top - height) / 2};
    // Not exactly over another button, where it could not be told apart.
    const auto taken = [](POINT p) {
        return std::any_of(theButtons.List().begin(), theButtons.List().end(), [&](const auto& button) {
            return button->diagramRect.left == p.x && button->diagramRect.top == p.y;
        });
    };
    while (taken(at) && at.x + kInsertStep + width <= kScreenArea.right &&
           at.y + kInsertStep + height <= kScreenArea.bottom) {
        at.x += kInsertStep;
        at.y += kInsertStep;
    }
    const int id = theButtons.AddButton(true, at.x, at.y, at.x + width, at.y + height);
    if (id >= 0) Select(id);
    return id;
}

bool CButtonEditor::HasNeighbour(bool forward) const
{
    const int count = static_cast<int>(theButtons.List().size());
    if (count == 0) return false;
    const int index = SelectedIndex();
    if (index < 0) return true;
    return forward ? index + 1 < count : index > 0;
}

bool CButtonEditor::SelectNeighbour(bool forward)
{
    if (!HasNeighbour(forward)) return false;
    const int count = static_cast<int>(theButtons.List().size());
    const int index = SelectedIndex();
    const int next = index < 0 ? (forward ? 0 : count - 1) : index + (forward ? 1 : -1);
    Select(theButtons.List()[static_cast<std::size_t>(next)]->id);
    return true;
}

void CButtonEditor::MoveSelectedBy(int dx, int dy)
{
    ChangeSelectedRect([&] { theButtons.MoveButtonBy(selectedId, dx, dy); });
}

void CButtonEditor::SizeSelectedBy(int dWidth, int dHeight)
{
    ChangeSelectedRect([&] { theButtons.ResizeButtonBy(selectedId, dWidth, dHeight); });
}

// The picture repainted where the button was and where it is now; as a drag
// does, the settings window stays above the floating window.
void CButtonEditor::ChangeSelectedRect(const std::function<void()>& change)
{
    if (!theButtons.Find(selectedId)) return;
    view_.Repaint(theButtons.GetDiagramRect(selectedId));
    change();
    view_.Repaint(theButtons.GetDiagramRect(selectedId));
    view_.SetSettingsWindowTopmost(true);
    view_.ValueChanged();
}

void CButtonEditor::DeleteSelected()
{
    if (!theButtons.Find(selectedId)) return;
    const int index = SelectedIndex();
    view_.Repaint(theButtons.GetDiagramRect(selectedId));
    theButtons.DeleteButton(selectedId);
    selectedId = -1;
    // The keyboard goes on with the button that took its place in the list,
    // or the one before when the last went, so that Delete again goes on.
    const auto& list = theButtons.List();
    if (list.empty()) {
        SetCurrentButton(-1);
        return;
    }
    Select(list[std::min<std::size_t>(static_cast<std::size_t>(index), list.size() - 1)]->id);
}

std::optional<RECT> CButtonEditor::MenuAnchor() const
{
    if (const CButtonInfo* button = theButtons.Find(selectedId)) return button->diagramRect;
    return std::nullopt;
}

std::wstring CButtonEditor::ValueText() const
{
    const auto& list = theButtons.List();
    const std::size_t count = list.size();
    if (count == 0) return L"No buttons";
    const int index = SelectedIndex();
    if (index < 0) return std::to_wstring(count) + (count == 1 ? L" button" : L" buttons") + L", none selected";
    const CButtonInfo& button = *list[static_cast<std::size_t>(index)];
    const auto lines = [](std::wstring text, const wchar_t* separator) {
        for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at))
            text.replace(at, 2, separator);
        return text;
    };
    std::wstring text = L"Button " + std::to_wstring(index + 1) + L" of " + std::to_wstring(count) + L", ";
    // A typed caption says nothing of what the button does: both are told.
    if (button.keepTitle && !button.caption.empty()) text += L"titled " + lines(button.caption, L" ") + L", ";
    const auto action = [&](ModifierKey m) { return button.actions[static_cast<std::size_t>(m)]; };
    text += lines(CaptionFromActions(action(Plain), action(Ctrl), action(Shift)), L", ");
    const RECT& r = button.diagramRect;
    text += L", " + std::to_wstring(r.left - kScreenArea.left) + L", " + std::to_wstring(r.top - kScreenArea.top) +
            L", " + std::to_wstring(r.right - r.left) + L" \u00d7 " + std::to_wstring(r.bottom - r.top);
    return text;
}

// --- the page's controls ---------------------------------------------------------------------

void CButtonEditor::SetCurrentButton(int id)
{
    currentButton = id;
    if (id < 0)
        view_.ShowCaption(L"");
    else
        ShowButton(id);
    view_.ValueChanged();
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
    view_.ValueChanged();
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
    view_.ValueChanged();
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
