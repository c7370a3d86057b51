// What the Actions page shows, apart from its widgets: the clickable zones of
// the monitor picture, the label above the tree, the tree's contents and the
// texts of the tips. The Buttons page shows the same tree.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "actions/catalogue.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

// The zones on the monitor picture, in client pixels, right and bottom
// outside; they lie on its screen area (9, 10)-(220, 169) and do not follow
// the zone sizes of the settings.
extern const std::array<RECT, kZoneCount> kDiagramZoneRects;

// The first zone whose rectangle holds the point, or NoZone.
EdgeZone DiagramZoneAt(POINT point);

// "Action for lower right corner with Shift key:"
std::wstring ZoneLabel(EdgeZone zone, ModifierKey modifier);

// The arrow keys, on the monitor picture.
enum class Arrow {
    Left,
    Right,
    Up,
    Down
};

// The zone an arrow key moves the selection to, as the zones lie on the
// picture: corners at the corners, sides between them, nothing in the middle,
// so that Down from the top side goes across to the bottom side. At the
// picture's edge the zone stays as it is.
EdgeZone NeighbourZone(EdgeZone zone, Arrow arrow);

// What the picture tells a screen reader it shows: the selected zone and its
// action for the key, "Lower right corner, Shift: Task view"; the plain
// action with no key named, "Upper left corner: Screen saver on".
std::wstring ZoneValueText(EdgeZone zone, ModifierKey modifier);

// The tree's pictures, in the order of the image strip.
enum TreeImage {
    GroupClosed,
    GroupOpen,
    CustomGroupClosed,
    CustomGroupOpen,
    BuiltInAction,
    BuiltInActionSelected,
    CustomAction,
    CustomActionSelected,
};

struct ActionTreeItem {
    std::wstring text;
    ActionIndex action;  // the item's data
    TreeImage image;
    TreeImage selectedImage;
};

struct ActionTreeGroup {
    std::wstring heading;
    TreeImage image;
    TreeImage selectedImage;
    std::vector<ActionTreeItem> items;
    // The element of theData.groupExpanded that holds whether it is expanded.
    int expansionKey;
};

// The catalogue groups in catalogue order, then "Custom" with the custom
// actions in use. "Custom" keeps the key it had before the catalogue grew
// (kCustomGroupKey); the groups after the first twelve take the keys after it.
std::vector<ActionTreeGroup> BuildActionTree();

// The tip over a heading: "Window arrangement actions".
std::wstring HeadingTip(const std::wstring& heading);
// The tip over a zone of the picture: the name of its action for `modifier`.
std::wstring ZoneTip(EdgeZone zone, ModifierKey modifier);

}  // namespace vorn
