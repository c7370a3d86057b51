#include "ui/picture_page.h"

#include <commctrl.h>

#include "res/resource.h"
#include "ui/action_tree.h"
#include "ui/controls.h"

namespace vorn::ui {

// --- the picture ---------------------------------------------------------------------------

std::span<const MessageEntry<CPictureControl>> CPictureControl::MessageTable()
{
    static const MessageEntry<CPictureControl> table[] = {
        MapMessage<CPictureControl>(WM_PAINT, &CPictureControl::OnPaint),
        MapMessage<CPictureControl>(WM_DPICHANGED_AFTERPARENT, &CPictureControl::OnScaleChanged),
        MapMessage<CPictureControl>(WM_GETDLGCODE, &CPictureControl::OnGetDlgCode),
        MapMessage<CPictureControl>(WM_GETOBJECT, &CPictureControl::OnGetObject),
        MapMessage<CPictureControl>(kAccessibleValueMessage, &CPictureControl::OnAccessibleValue),
    };
    return table;
}

bool CPictureControl::Attach(HWND control)
{
    if (!picture_.Prepare(control, hint_)) return false;
    return Subclass(control);
}

void CPictureControl::AnnounceValue()
{
    if (handle_) ui::AnnounceValue(handle_, ValueText(), toldValue_);
}

bool CPictureControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (ChangesThePicturesLook(message)) InvalidateRect(handle_, nullptr, FALSE);
    return WithMessageTable::OnMessage(message, wParam, lParam, result);
}

LRESULT CPictureControl::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void CPictureControl::FollowFocusTarget()
{
    const RECT target = FocusTarget();
    if (EqualRect(&target, &focusDrawn_)) return;
    picture_.Invalidate(&focusDrawn_);
    picture_.Invalidate(&target);
}

LRESULT CPictureControl::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(handle_, &paint);
    Paint(dc, CurrentPictureColours(), paint.rcPaint);
    focusDrawn_ = FocusTarget();
    picture_.DrawFocus(dc, focusDrawn_);
    EndPaint(handle_, &paint);
    return 0;
}

// The window moved to a monitor of another scale, or the scale changed: the
// dialog has laid its controls out again; the picture follows.
LRESULT CPictureControl::OnScaleChanged(WPARAM, LPARAM)
{
    picture_.Relayout();
    return 0;
}

LRESULT CPictureControl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (AnswerGetObject(handle_, accessibility_, wParam, lParam, result)) return result;
    return DefaultProcedure(WM_GETOBJECT, wParam, lParam);
}

LRESULT CPictureControl::OnAccessibleValue(WPARAM, LPARAM lParam)
{
    if (lParam) *reinterpret_cast<std::wstring*>(lParam) = ValueText();
    return 0;
}

// --- the page -------------------------------------------------------------------------------

std::span<const MessageEntry<CPicturePage>> CPicturePage::MessageTable()
{
    static const MessageEntry<CPicturePage> table[] = {
        MapNotify<CPicturePage>(IDC_ACTION_TREE, TVN_ITEMEXPANDEDW, &CPicturePage::OnItemExpanded),
        MapCommand<CPicturePage>(IDC_MODIFIER, &CPicturePage::OnModifierChanged, CBN_SELCHANGE),
    };
    return table;
}

BOOL CPicturePage::OnInitDialog()
{
    CStdDlg::OnInitDialog();
    CPictureControl& picture = Diagram();
    picture.Attach(Item(IDC_DIAGRAM));
    AddStyle(picture.Handle(), WS_TABSTOP);  // the keyboard works the picture too
    modifierCombo_ = Item(IDC_MODIFIER);
    tree_ = Item(IDC_ACTION_TREE);
    FillModifierCombo();
    treeImages_.Reset(CreateActionTreeImages(WindowDpi(handle_)));
    SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(treeImages_.Get()));
    return TRUE;
}

void CPicturePage::FillTree() { FillActionTree(tree_, restoringExpansion_, OffersSameAsAllMonitors()); }

void CPicturePage::RebuildTree()
{
    FillTree();
    // The keyboard goes to the tree when it was on this page; a page shown
    // from the tab headings leaves it on them.
    const HWND focus = GetFocus();
    if (focus && (focus == handle_ || IsChild(handle_, focus))) SetFocus(tree_);
}

void CPicturePage::UpdateToolTip(const MSG& message, bool forced)
{
    const HWND tip = toolTip_.Get();
    if (!tip) return;
    const POINT p = MessagePoint(message);
    const bool moved = p.x != lastTipPoint_.x || p.y != lastTipPoint_.y;
    std::wstring text;
    HWND tool = message.hwnd;
    if (std::optional<std::wstring> own = OwnTip(message.hwnd, p)) {
        if (!moved && !forced) return;
        text = std::move(*own);
    } else {
        // The tree's tip, hit-tested at the point as the tree would have it;
        // the modifier list's moves too, as its own.
        bool overItem = false;
        text = TreeTipAt(tree_, p, overItem);
        if (!overItem || !moved) return;
        tool = tree_;
    }
    lastTipPoint_ = p;
    // The same text again (a drag goes on over the same button) only
    // passes the move on: setting it would draw the tip again.
    if (tool == lastTipTool_ && text == lastTipText_) {
        RelayToTip(tip, message);
        return;
    }
    lastTipTool_ = tool;
    lastTipText_ = text;
    ShowPageTip(tip, handle_, tool, std::move(text), message);
}

bool CPicturePage::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_MOUSEMOVE && (message.hwnd == tree_ || message.hwnd == Diagram().Handle() ||
                                            message.hwnd == modifierCombo_ || TipFollowsOver(message.hwnd)))
        UpdateToolTip(message, false);
    return false;
}

void CPicturePage::AfterScaleChange()
{
    OwnedImageList images(CreateActionTreeImages(WindowDpi(handle_)));
    SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.Get()));
    treeImages_ = std::move(images);
}

LRESULT CPicturePage::OnItemExpanded(WPARAM, LPARAM)
{
    if (initialised && !restoringExpansion_) StoreGroupExpansion(tree_);
    return 0;
}

LRESULT CPicturePage::OnModifierChanged(WPARAM, LPARAM)
{
    const LRESULT selection = SendMessageW(modifierCombo_, CB_GETCURSEL, 0, 0);
    if (selection < 0 || selection >= SendMessageW(modifierCombo_, CB_GETCOUNT, 0, 0)) return 0;
    ListEntryChosen(static_cast<int>(selection));
    return 0;
}

void CPicturePage::FillModifierCombo() { FillModifierList(modifierCombo_); }

void CPicturePage::ListEntryChosen(int index)
{
    if (index >= 0 && index < kModifierCount) ModifierChosen(static_cast<ModifierKey>(index));
}

void CPicturePage::OnFinalDestroy()
{
    // The tip was owned by the page and went with it.
    (void)toolTip_.Release();
    CStdDlg::OnFinalDestroy();
}

}  // namespace vorn::ui
