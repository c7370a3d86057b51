#include "ui/actions_dlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include "actions/custom_actions.h"
#include "actions/util.h"
#include "ui/actions_page_model.h"
#include "ui/controls.h"
#include "ui/picture_accessible.h"

namespace vorn::ui {
namespace {

// The line under the key list that tells what the tree's selected action
// does, made by the page: one of its labels, the last id they may take.
constexpr int kDescriptionLineId = kFirstLabelId + kLabelCount - 1;
// Where it lies, in dialog units: below the key list, as wide as the picture,
// two lines high.
constexpr RECT kDescriptionLine{6, 189, 161, 207};

constexpr PictureAccessibility kZonesAccessibility{
    L"Screen zones", L"Arrow keys choose a corner or a side; the action tree sets its action"};

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

namespace {

std::wstring ItemTip(HWND tree, HTREEITEM item)
{
    if (!item) return {};
    wchar_t text[260] = {};
    const TVITEMW data = ItemData(tree, item, text, 260);
    if (IsHeading(tree, item)) return HeadingTip(text);
    return ActionDescription(static_cast<ActionIndex>(data.lParam));
}

}  // namespace

std::wstring TreeTipAt(HWND tree, POINT point, bool& overItem)
{
    TVHITTESTINFO hit{};
    hit.pt = point;
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    overItem = item != nullptr;
    return ItemTip(tree, item);
}

std::wstring SelectedTreeTip(HWND tree) { return ItemTip(tree, NextItem(tree, nullptr, TVGN_CARET)); }

// --- the monitor picture -------------------------------------------------------------------

std::span<const MessageEntry<CMonitorStatic>> CMonitorStatic::MessageTable()
{
    static const MessageEntry<CMonitorStatic> table[] = {
        MapMessage<CMonitorStatic>(WM_LBUTTONDOWN, &CMonitorStatic::OnLeftButtonDown),
        MapMessage<CMonitorStatic>(WM_LBUTTONDBLCLK, &CMonitorStatic::OnLeftButtonDoubleClick),
        MapMessage<CMonitorStatic>(WM_MOUSEMOVE, &CMonitorStatic::OnMouseMove),
        MapMessage<CMonitorStatic>(WM_PAINT, &CMonitorStatic::OnPaint),
        MapMessage<CMonitorStatic>(WM_DPICHANGED_AFTERPARENT, &CMonitorStatic::OnScaleChanged),
        MapMessage<CMonitorStatic>(WM_GETDLGCODE, &CMonitorStatic::OnGetDlgCode),
        MapMessage<CMonitorStatic>(WM_KEYDOWN, &CMonitorStatic::OnKeyDown),
        MapMessage<CMonitorStatic>(WM_GETOBJECT, &CMonitorStatic::OnGetObject),
        MapMessage<CMonitorStatic>(kAccessibleValueMessage, &CMonitorStatic::OnAccessibleValue),
    };
    return table;
}

bool CMonitorStatic::Attach(HWND control)
{
    static const wchar_t* const hint[] = {L"Click on a corner or a side,", L"and then set its action"};
    if (!picture_.Prepare(control, hint)) return false;
    return Subclass(control);
}

void CMonitorStatic::Select(EdgeZone zone)
{
    if (zone == NoZone || zone == selectedZone) return;
    selectedZone = zone;
    page_.ShowZone(zone);
    InvalidateRect(handle_, nullptr, FALSE);
}

std::wstring CMonitorStatic::ValueText() const { return ZoneValueText(selectedZone, page_.Modifier()); }

void CMonitorStatic::AnnounceValue()
{
    if (handle_) ui::AnnounceValue(handle_, ValueText(), toldValue_);
}

LRESULT CMonitorStatic::OnLeftButtonDown(WPARAM wParam, LPARAM lParam)
{
    // The keyboard follows the pointer, as in a list: the arrows go on from here.
    SetFocus(handle_);
    Select(DiagramZoneAt(picture_.UnitsAt(lParam)));
    return DefaultProcedure(WM_LBUTTONDOWN, wParam, lParam);
}

// The characters too: a letter typed on the picture would otherwise be
// taken as an access key, and the page's own buttons answer those alone.
LRESULT CMonitorStatic::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

LRESULT CMonitorStatic::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    Arrow arrow{};
    switch (wParam) {
    case VK_LEFT:
        arrow = Arrow::Left;
        break;
    case VK_RIGHT:
        arrow = Arrow::Right;
        break;
    case VK_UP:
        arrow = Arrow::Up;
        break;
    case VK_DOWN:
        arrow = Arrow::Down;
        break;
    default:
        return DefaultProcedure(WM_KEYDOWN, wParam, lParam);
    }
    picture_.ShowFocusCues();
    Select(NeighbourZone(selectedZone, arrow));
    return 0;
}

bool CMonitorStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (ChangesThePicturesLook(message)) InvalidateRect(handle_, nullptr, FALSE);
    return WithMessageTable::OnMessage(message, wParam, lParam, result);
}

LRESULT CMonitorStatic::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (AnswerGetObject(handle_, kZonesAccessibility, wParam, lParam, result)) return result;
    return DefaultProcedure(WM_GETOBJECT, wParam, lParam);
}

LRESULT CMonitorStatic::OnAccessibleValue(WPARAM, LPARAM lParam)
{
    if (lParam) *reinterpret_cast<std::wstring*>(lParam) = ValueText();
    return 0;
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
    const PictureColours colours = CurrentPictureColours();
    picture_.Draw(dc, colours);
    // Without the artwork the zones are not seen on it: each has its outline.
    if (!colours.artwork)
        for (const RECT& zone : kDiagramZoneRects)
            picture_.Outline(dc, zone, ColourRef(colours.outline));
    const OwnedBrush hover(CreateSolidBrush(ColourRef(colours.hotZone)));
    const OwnedBrush selection(CreateSolidBrush(ColourRef(colours.selectedZone)));
    if (hoverZone != NoZone) picture_.Fill(dc, kDiagramZoneRects[static_cast<std::size_t>(hoverZone)], hover.Get());
    // After the hover, so that a hovered selected zone stays red.
    const RECT& selected = kDiagramZoneRects[static_cast<std::size_t>(selectedZone)];
    picture_.Fill(dc, selected, selection.Get());
    picture_.DrawFocus(dc, selected);
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
    // Made before the common initialisation, which makes it one of the
    // page's labels. The template is left as it is: the line is the page's
    // own, in the room below the key list.
    description_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                                   handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDescriptionLineId)),
                                   GetModuleHandleW(nullptr), nullptr);
    PlaceDescriptionLine();
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

void CActionsDlg::PlaceDescriptionLine()
{
    if (!description_) return;
    RECT line = kDescriptionLine;
    MapDialogRect(handle_, &line);
    SetWindowPos(description_, nullptr, line.left, line.top, line.right - line.left, line.bottom - line.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(description_, WM_SETFONT, SendMessageW(handle_, WM_GETFONT, 0, 0), TRUE);
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
    diagram_.AnnounceValue();
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
    PlaceDescriptionLine();
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
    // What the item does, without the pointer over it.
    if (description_) SetWindowTextW(description_, SelectedTreeTip(tree_).c_str());
    const std::optional<ActionIndex> chosen = SelectedTreeAction(tree_);
    if (!chosen) return 0;
    ActionIndex& assigned = theData.assignments[static_cast<std::size_t>(modifier_)][static_cast<std::size_t>(zone_)];
    // The page selects the zone's own action when it shows it: that is no
    // change, and a first start that changes nothing writes no file.
    if (*chosen == assigned) return 0;
    assigned = *chosen;
    theData.SaveSettings();
    diagram_.AnnounceValue();
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
    // The focus stays on the list: its arrow keys go on choosing a key.
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
