// The tree of every action (Windows only), as both the Actions and the
// Buttons page show it: its groups and items, its images, its selection, the
// groups' expansion kept in the settings, and its tips.
#pragma once

#include <optional>
#include <string>

#include "platform/win.h"
#include <commctrl.h>

#include "settings/data.h"

namespace vorn::ui {

// Fills the tree from the catalogue and the custom actions, each group
// expanded as theData.groupExpanded says; with `sameAsAllMonitors`, first
// "Same as all monitors", whose data is kSameAsAllMonitors. `restoring` is
// set while the groups are opened and closed.
void FillActionTree(HWND tree, bool& restoring, bool sameAsAllMonitors = false);
// The image list of the action trees, from the strip of eight pictures, at
// `dpi`.
HIMAGELIST CreateActionTreeImages(int dpi);
// The action of the tree's selected item (kSameAsAllMonitors for "Same as
// all monitors"); none when a heading or nothing is selected.
std::optional<ActionIndex> SelectedTreeAction(HWND tree);
// Selects the first item whose data is `action`; false when none has it.
bool SelectTreeAction(HWND tree, ActionIndex action);
// Stores each group's expansion in theData.groupExpanded.
void StoreGroupExpansion(HWND tree);
// The tip for the tree item at a point of the tree: a heading's text and
// " actions", or an action's description; empty over no item.
std::wstring TreeTipAt(HWND tree, POINT point, bool& overItem);
// The same for the tree's selected item.
std::wstring SelectedTreeTip(HWND tree);

}  // namespace vorn::ui
