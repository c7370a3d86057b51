// What the Actions page shows, apart from its widgets: the clickable zones of
// the monitor picture, the label above the tree, the tree's contents and the
// texts of the tips. The Buttons page shows the same tree.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "actions/catalogue.h"
#include "engine/monitors.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

// The zones on the monitor picture, in client pixels, right and bottom
// outside; they lie on its screen area (9, 10)-(220, 169) and do not follow
// the zone sizes of the settings.
extern const std::array<RECT, kZoneCount> kDiagramZoneRects;

// The first zone whose rectangle holds the point, or NoZone.
EdgeZone DiagramZoneAt(POINT point);

// One entry of the page's monitor list: all monitors (the shared
// assignments), a connected monitor, or one remembered and not connected.
struct MonitorChoice {
    // As the list shows it: "All monitors", "1. DELL U2720Q (primary)",
    // "2. Display2", "DELL P2419H (not connected)".
    std::wstring text;
    // As the label above the tree names it: "2. Display2", "DELL P2419H".
    std::wstring title;
    // Empty for all monitors.
    std::wstring devicePath;
    // The friendly name it is remembered by at its first own assignment.
    std::wstring name;

    bool AllMonitors() const { return devicePath.empty(); }
    // Its index in theData.monitorAssignments; -1 for all monitors and for a
    // monitor without a slot yet.
    int Slot() const;
    // The action the zone runs there for the set (a modifier is the set of
    // entering with it).
    ActionIndex Shown(ActionSet set, EdgeZone zone) const;
    // What is set for it there: the monitor's own action, kSameAsAllMonitors
    // where it has none; for all monitors, the shared action.
    ActionIndex Own(ActionSet set, EdgeZone zone) const;
    // Whether the zone shows the shared assignment on a monitor chosen.
    bool Shared(ActionSet set, EdgeZone zone) const { return !AllMonitors() && Own(set, zone) == kSameAsAllMonitors; }
    // Sets it; a monitor gets its slot at its first own assignment, not by
    // being chosen. False when nothing changed.
    bool Set(ActionSet set, EdgeZone zone, ActionIndex action) const;
};

// All monitors: the page's choice when the list is hidden.
extern const MonitorChoice kAllMonitors;

// "All monitors", the connected monitors in their numbers' order, then the
// remembered monitors not connected, in the file's order. A connected
// monitor whose device path the system cannot tell cannot be remembered and
// is left out.
std::vector<MonitorChoice> MonitorChoices(const std::vector<ConnectedMonitor>& connected);
// The list is shown when more than one monitor is connected or remembered.
inline bool ShowsMonitorList(const std::vector<MonitorChoice>& choices) { return choices.size() > 2; }

// The entries of the page's set list, in set order: "Entering", "Entering
// with Shift", "Entering with Ctrl", "Wheel up", ..., "Click with Ctrl".
std::wstring ActionSetName(ActionSet set);

// "Action for lower right corner with Shift key:", "Action for right side on
// wheel up with Shift key:"; with a monitor chosen, "Action for lower right
// corner on 2. Display2:".
std::wstring ZoneLabel(EdgeZone zone, ActionSet set, const MonitorChoice& monitor = kAllMonitors);

// Whether the zone has a wheel or a click action in any set, as the monitor
// chosen runs it: the picture marks it whichever set is shown.
bool HasWheelOrClick(EdgeZone zone, const MonitorChoice& monitor = kAllMonitors);
// Where the mark of such a zone goes on the picture: a small square in the
// zone's middle, in the units of kDiagramZoneRects.
RECT ZoneMarkRect(EdgeZone zone);

// The wait box: the zone's own wait in milliseconds, empty where the zone
// waits the "Dwell time".
std::wstring ZoneWaitText(EdgeZone zone);
// Stores the box's text as the zone's wait: empty is the "Dwell time", a
// number is held to 0 ... kMaxZoneDwell. False when the wait was that already.
bool StoreZoneWait(EdgeZone zone, const std::wstring& text);

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
// With a monitor chosen, a zone that shows the shared assignment says so:
// "Lower right corner: Task view (same as all monitors)". A wheel or click
// set is named as "Right side, wheel up with Shift: Volume up". The zone's
// other wheel and click actions follow as in ZoneTip.
std::wstring ZoneValueText(EdgeZone zone, ActionSet set, const MonitorChoice& monitor = kAllMonitors);

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
// The tip over a zone of the picture: the name of its action for `set` on
// the monitor chosen, "(same as all monitors)" after it where shared, then
// the zone's wheel and click actions of the other sets that do something:
// "Tile right; wheel up: Volume up; click with Ctrl: Sleep".
std::wstring ZoneTip(EdgeZone zone, ActionSet set, const MonitorChoice& monitor = kAllMonitors);

// The tree's first item while a monitor is chosen, its data kSameAsAllMonitors.
inline constexpr const wchar_t* kSameAsAllMonitorsItem = L"Same as all monitors";

}  // namespace vorn
