#include "ui/action_tree.h"

#include <commctrl.h>

#include "actions/custom_actions.h"
#include "res/resource.h"
#include "settings/data.h"
#include "ui/actions_page_model.h"
#include "ui/controls.h"

namespace vorn::ui {
namespace {

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

TVITEMW ItemData(HWND tree, HTREEITEM item, wchar_t* text = nullptr, int capacity = 0);

// "Same as all monitors" stands at the root beside the headings.
bool IsSameAsAllMonitors(HWND tree, HTREEITEM item)
{
    return NextItem(tree, item, TVGN_PARENT) == nullptr && ItemData(tree, item).lParam == kSameAsAllMonitors;
}

// Headings have no parent; their data is 0 like the first action's, so only
// the parent tells them apart.
bool IsHeading(HWND tree, HTREEITEM item)
{
    return NextItem(tree, item, TVGN_PARENT) == nullptr && !IsSameAsAllMonitors(tree, item);
}

TVITEMW ItemData(HWND tree, HTREEITEM item, wchar_t* text, int capacity)
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

HIMAGELIST CreateActionTreeImages(int dpi) { return CreateStripImageList(IDB_TREE, kTreeImageStrip, dpi, 1); }

void FillActionTree(HWND tree, bool& restoring, bool sameAsAllMonitors)
{
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    if (sameAsAllMonitors)
        InsertItem(tree, TVI_ROOT, kSameAsAllMonitorsItem, BuiltInAction, BuiltInActionSelected, kSameAsAllMonitors);
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
    for (HTREEITEM group = NextItem(tree, nullptr, TVGN_ROOT); group; group = NextItem(tree, group, TVGN_NEXT)) {
        if (action == kSameAsAllMonitors && IsSameAsAllMonitors(tree, group)) {
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(group));
            SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(group));
            return true;
        }
        for (HTREEITEM item = NextItem(tree, group, TVGN_CHILD); item; item = NextItem(tree, item, TVGN_NEXT))
            if (ItemData(tree, item).lParam == action) {
                SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
                SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
                return true;
            }
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
    if (IsSameAsAllMonitors(tree, item)) return L"The zone runs the action it has on all monitors";
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

}  // namespace vorn::ui
