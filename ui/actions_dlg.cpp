#include "ui/actions_dlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include "actions/util.h"
#include "ui/actions_page_model.h"
#include "ui/controls.h"

namespace vorn::ui {
namespace {

constexpr COLORREF kHoverColour = RGB(255, 255, 0);
constexpr COLORREF kSelectionColour = RGB(255, 0, 0);

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const std::wstring& text, int image, int selectedImage, LPARAM data)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// Headings have no parent; their data is 0 like the first action's, so only
// the parent tells them apart.
bool IsHeading(HWND tree, HTREEITEM item) { return NextItem(tree, item, TVGN_PARENT) == nullptr; }

TVITEMW ItemData(HWND tree, HTREEITEM item, wchar_t* text = nullptr, int capacity = 0)
{
    TVITEMW data{};
    data.mask = TVIF_PARAM | TVIF_STATE | (text ? TVIF_TEXT : 0);
    data.hItem = item;
    data.stateMask = TVIS_EXPANDED;
    data.pszText = text;
    data.cchTextMax = capacity;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return data;
}

}  // namespace

// --- the action tree, shared with the Buttons page ------------------------------------------

HIMAGELIST CreateActionTreeImages(int dpi)
{
    return CreateStripImageList(IDB_TREE, kTreeImageStrip, dpi, 1);
}

void FillActionTree(HWND tree, bool& restoring)
{
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    // A heading's item data is its key in theData.groupExpanded.
    for (const ActionTreeGroup& group : BuildActionTree()) {
        const HTREEITEM heading =
            InsertItem(tree, TVI_ROOT, group.heading, group.image, group.selectedImage, group.expansionKey);
        for (const ActionTreeItem& item : group.items)
            InsertItem(tree, heading, item.text, item.image, item.selectedImage, item.action);
    }
    restoring = true;
    for (HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT); item; item = NextItem(tree, item, TVGN_NEXT)) {
        const LPARAM key = ItemData(tree, item).lParam;
        const bool expanded = key >= 0 && key < kGroupCount && theData.groupExpanded[static_cast<std::size_t>(key)];
        SendMessageW(tree, TVM_EXPAND, expanded ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
    }
    restoring = false;
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(NextItem(tree, nullptr, TVGN_ROOT)));
}

std::optional<ActionIndex> SelectedTreeAction(HWND tree)
{
    const HTREEITEM item = NextItem(tree, nullptr, TVGN_CARET);
    if (!item || IsHeading(tree, item)) return std::nullopt;
    return static_cast<ActionIndex>(ItemData(tree, item).lParam);
}

bool SelectTreeAction(HWND tree, ActionIndex action)
{
    for (HTREEITEM group = NextItem(tree, nullptr, TVGN_ROOT); group; group = NextItem(tree, group, TVGN_NEXT))
        for (HTREEITEM item = NextItem(tree, group, TVGN_CHILD); item; item = NextItem(tree, item, TVGN_NEXT))
            if (ItemData(tree, item).lParam == action) {
                SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
                SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
                return true;
            }
    return false;
}

void StoreGroupExpansion(HWND tree)
{
    for (HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT); item; item = NextItem(tree, item, TVGN_NEXT)) {
        const TVITEMW heading = ItemData(tree, item);
        // A heading with nothing under it cannot show as expanded: it keeps
        // what was stored, so "Custom" opens again once it has actions.
        if (!NextItem(tree, item, TVGN_CHILD)) continue;
        if (heading.lParam >= 0 && heading.lParam < kGroupCount)
            theData.groupExpanded[static_cast<std::size_t>(heading.lParam)] = (heading.state & TVIS_EXPANDED) != 0;
    }
    theData.SaveSettings();
}

std::wstring TreeTipAt(HWND tree, POINT point, bool& overItem)
{
    TVHITTESTINFO hit{};
    hit.pt = point;
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    overItem = item != nullptr;
    if (!item) return {};
    wchar_t text[260] = {};
    const TVITEMW data = ItemData(tree, item, text, 260);
    if (IsHeading(tree, item)) return HeadingTip(text);
    return theData.ActionDescription(static_cast<ActionIndex>(data.lParam));
}

// --- the monitor picture -------------------------------------------------------------------

std::span<const MessageEntry<CMonitorStatic>> CMonitorStatic::MessageTable()
{
    static const MessageEntry<CMonitorStatic> table[] = {
        MapMessage<CMonitorStatic>(WM_LBUTTONDOWN, &CMonitorStatic::OnLeftButtonDown),
        MapMessage<CMonitorStatic>(WM_LBUTTONDBLCLK, &CMonitorStatic::OnLeftButtonDoubleClick),
        MapMessage<CMonitorStatic>(WM_MOUSEMOVE, &CMonitorStatic::OnMouseMove),
        MapMessage<CMonitorStatic>(WM_PAINT, &CMonitorStatic::OnPaint),
        MapMessage<CMonitorStatic>(WM_DPICHANGED_AFTERPARENT, &CMonitorStatic::OnScaleChanged),
    };
    return table;
}

bool CMonitorStatic::Attach(HWND control)
{
    static const wchar_t* const hint[] = {L"Click on a corner or a side,", L"and then set its action"};
    if (!picture_.Prepare(control, hint)) return false;
    return Subclass(control);
}

LRESULT CMonitorStatic::OnLeftButtonDown(WPARAM wParam, LPARAM lParam)
{
    const EdgeZone zone = DiagramZoneAt(picture_.UnitsAt(lParam));
    if (zone != NoZone && zone != selectedZone) {
        selectedZone = zone;
        page_.ShowZone(zone);
        InvalidateRect(handle_, nullptr, FALSE);
    }
    return DefaultProcedure(WM_LBUTTONDOWN, wParam, lParam);
}

// Resets the selected zone, wherever the double-click falls.
LRESULT CMonitorStatic::OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam)
{
    theData.assignments[static_cast<std::size_t>(modifier)][static_cast<std::size_t>(selectedZone)] = kNoActionIndex;
    theData.SaveSettings();
    page_.ShowZone(selectedZone);
    page_.UpdateToolTip(MouseMoveAt(handle_, lParam), true);
    return DefaultProcedure(WM_LBUTTONDBLCLK, wParam, lParam);
}

LRESULT CMonitorStatic::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    const EdgeZone zone = DiagramZoneAt(picture_.UnitsAt(lParam));
    if (zone != hoverZone) {
        hoverZone = zone;
        InvalidateRect(handle_, nullptr, FALSE);
    }
    return DefaultProcedure(WM_MOUSEMOVE, wParam, lParam);
}

// The window moved to a monitor of another scale, or the scale changed: the
// dialog has laid its controls out again; the picture follows.
LRESULT CMonitorStatic::OnScaleChanged(WPARAM, LPARAM)
{
    picture_.Relayout();
    return 0;
}

LRESULT CMonitorStatic::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(handle_, &paint);
    picture_.Draw(dc);
    const OwnedBrush hover(CreateSolidBrush(kHoverColour));
    const OwnedBrush selection(CreateSolidBrush(kSelectionColour));
    if (hoverZone != NoZone) picture_.Fill(dc, kDiagramZoneRects[static_cast<std::size_t>(hoverZone)], hover.Get());
    // After the hover, so that a hovered selected zone stays red.
    picture_.Fill(dc, kDiagramZoneRects[static_cast<std::size_t>(selectedZone)], selection.Get());
    EndPaint(handle_, &paint);
    return 0;
}

// --- the page -------------------------------------------------------------------------------

std::span<const MessageEntry<CActionsDlg>> CActionsDlg::MessageTable()
{
    static const MessageEntry<CActionsDlg> table[] = {
        MapMessage<CActionsDlg>(WM_SHOWWINDOW, &CActionsDlg::OnShowWindow),
        MapNotify<CActionsDlg>(IDC_ACTION_TREE, TVN_SELCHANGEDW, &CActionsDlg::OnSelectionChanged),
        MapNotify<CActionsDlg>(IDC_ACTION_TREE, TVN_ITEMEXPANDEDW, &CActionsDlg::OnItemExpanded),
        MapCommand<CActionsDlg>(IDC_MODIFIER, &CActionsDlg::OnModifierChanged, CBN_SELCHANGE),
    };
    return table;
}

BOOL CActionsDlg::OnInitDialog()
{
    CStdDlg::OnInitDialog();
    diagram_.Attach(Item(IDC_DIAGRAM));
    AddStyle(diagram_.Handle(), WS_TABSTOP);  // the keyboard picks zones on it too
    modifierCombo_ = Item(IDC_MODIFIER);
    tree_ = Item(IDC_ACTION_TREE);
    FillModifierList(modifierCombo_);

    treeImages_.Reset(CreateActionTreeImages(WindowDpi(handle_)));
    SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(treeImages_.Get()));

    const ControlTip tools[] = {{tree_, L"Choose the action for the zone and the key"},
                                {diagram_.Handle(), L"Choose a corner or a side of the screen"},
                                {modifierCombo_, L"Select a modifier key for actions"}};
    toolTip_.Reset(CreatePageToolTip(handle_, tools));
    return TRUE;
}

void CActionsDlg::RebuildTree()
{
    FillActionTree(tree_, restoringExpansion_);
    // The keyboard goes to the tree when it was on this page; a page shown
    // from the tab headings leaves it on them.
    const HWND focus = GetFocus();
    if (focus && (focus == handle_ || IsChild(handle_, focus))) SetFocus(tree_);
    ShowZone(zone_);
}

void CActionsDlg::ShowZone(EdgeZone zone)
{
    zone_ = zone;
    // The label names the tree for screen readers, and its access key leads there.
    SetWindowTextW(Label(1).Handle(), (L"&" + ZoneLabel(zone, modifier_)).c_str());
    SelectTreeAction(tree_, theData.assignments[static_cast<std::size_t>(modifier_)][static_cast<std::size_t>(zone_)]);
}

void CActionsDlg::UpdateToolTip(const MSG& message, bool forced)
{
    const HWND tip = toolTip_.Get();
    if (!tip) return;
    const POINT p = MessagePoint(message);
    const bool moved = p.x != lastTipPoint_.x || p.y != lastTipPoint_.y;
    std::wstring text;
    HWND tool = nullptr;
    if (message.hwnd == diagram_.Handle()) {
        if (!moved && !forced) return;
        text = ZoneTip(DiagramZoneAt(diagram_.Picture().Scale().Units(p)), diagram_.modifier);
        tool = diagram_.Handle();
    } else {
        // The modifier list's moves are hit-tested on the tree, as its own.
        bool overItem = false;
        text = TreeTipAt(tree_, p, overItem);
        if (!overItem || !moved) return;
        tool = tree_;
    }
    lastTipPoint_ = p;
    ShowPageTip(tip, handle_, tool, std::move(text), message);
}

bool CActionsDlg::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_MOUSEMOVE &&
        (message.hwnd == tree_ || message.hwnd == diagram_.Handle() || message.hwnd == modifierCombo_))
        UpdateToolTip(message, false);
    return false;
}

void CActionsDlg::AfterScaleChange()
{
    OwnedImageList images(CreateActionTreeImages(WindowDpi(handle_)));
    SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.Get()));
    treeImages_ = std::move(images);
}

LRESULT CActionsDlg::OnShowWindow(WPARAM wParam, LPARAM)
{
    if (wParam) RebuildTree();
    return 0;
}

LRESULT CActionsDlg::OnSelectionChanged(WPARAM, LPARAM)
{
    const std::optional<ActionIndex> chosen = SelectedTreeAction(tree_);
    if (!chosen) return 0;
    ActionIndex& assigned = theData.assignments[static_cast<std::size_t>(modifier_)][static_cast<std::size_t>(zone_)];
    // The page selects the zone's own action when it shows it: that is no
    // change, and a first start that changes nothing writes no file.
    if (*chosen == assigned) return 0;
    assigned = *chosen;
    theData.SaveSettings();
    return 0;
}

LRESULT CActionsDlg::OnItemExpanded(WPARAM, LPARAM)
{
    if (initialised && !restoringExpansion_) StoreGroupExpansion(tree_);
    return 0;
}

LRESULT CActionsDlg::OnModifierChanged(WPARAM, LPARAM)
{
    const LRESULT selection = SendMessageW(modifierCombo_, CB_GETCURSEL, 0, 0);
    if (selection < 0 || selection >= kModifierCount) return 0;
    modifier_ = static_cast<ModifierKey>(selection);
    SetFocus(tree_);
    ShowZone(zone_);
    diagram_.modifier = modifier_;
    return 0;
}

void CActionsDlg::OnFinalDestroy()
{
    // The tip was owned by the page and went with it.
    (void)toolTip_.Release();
    CStdDlg::OnFinalDestroy();
}

}  // namespace vorn::ui
