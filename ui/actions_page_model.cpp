#include "ui/actions_page_model.h"

#include <algorithm>

#include "actions/custom_actions.h"
#include "settings/number.h"

namespace vorn {

const std::array<RECT, kZoneCount> kDiagramZoneRects{{
    {9, 10, 29, 30},       // upper left corner
    {200, 10, 220, 30},    // upper right corner
    {9, 149, 29, 169},     // lower left corner
    {200, 149, 220, 169},  // lower right corner
    {9, 38, 19, 141},      // left side
    {40, 10, 189, 20},     // top side
    {210, 38, 220, 141},   // right side
    {40, 159, 189, 169},   // bottom side
}};

EdgeZone DiagramZoneAt(POINT p)
{
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const RECT& r = kDiagramZoneRects[static_cast<std::size_t>(zone)];
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return EdgeZone(zone);
    }
    return NoZone;
}

// --- the monitor list ----------------------------------------------------------------------

const MonitorChoice kAllMonitors{L"All monitors", L"", L"", L""};

int MonitorChoice::Slot() const { return AllMonitors() ? -1 : theData.MonitorSlot(devicePath); }

ActionIndex MonitorChoice::Shown(ModifierKey modifier, EdgeZone zone) const
{
    return theData.AssignmentOn(Slot(), modifier, zone);
}

ActionIndex MonitorChoice::Own(ModifierKey modifier, EdgeZone zone) const
{
    const auto m = static_cast<std::size_t>(modifier);
    const auto z = static_cast<std::size_t>(zone);
    if (AllMonitors()) return theData.assignments[m][z];
    const int slot = Slot();
    if (slot < 0) return kSameAsAllMonitors;
    return theData.monitorAssignments[static_cast<std::size_t>(slot)].actions[m][z];
}

bool MonitorChoice::Set(ModifierKey modifier, EdgeZone zone, ActionIndex action) const
{
    if (Own(modifier, zone) == action) return false;
    int slot = Slot();
    if (!AllMonitors() && slot < 0) slot = theData.RememberMonitor(devicePath, name);
    theData.SetAssignmentOn(slot, modifier, zone, action);
    return true;
}

std::vector<MonitorChoice> MonitorChoices(const std::vector<ConnectedMonitor>& connected)
{
    std::vector<MonitorChoice> choices{kAllMonitors};
    std::vector<bool> seen(theData.monitorAssignments.size(), false);
    for (const ConnectedMonitor& monitor : connected) {
        if (monitor.devicePath.empty()) continue;
        const std::wstring title = std::to_wstring(monitor.number) + L". " + MonitorDisplayName(monitor);
        choices.push_back(MonitorChoice{title + (monitor.primary ? L" (primary)" : L""), title, monitor.devicePath,
                                        monitor.friendlyName});
        if (const int slot = theData.MonitorSlot(monitor.devicePath); slot >= 0)
            seen[static_cast<std::size_t>(slot)] = true;
    }
    for (std::size_t slot = 0; slot < seen.size(); ++slot) {
        const MonitorAssignments& remembered = theData.monitorAssignments[slot];
        if (seen[slot] || remembered.devicePath.empty()) continue;
        const std::wstring title = remembered.name.empty() ? L"Monitor" : remembered.name;
        choices.push_back(MonitorChoice{title + L" (not connected)", title, remembered.devicePath, remembered.name});
    }
    return choices;
}

std::wstring ZoneLabel(EdgeZone zone, ModifierKey modifier, const MonitorChoice& monitor)
{
    const std::wstring name = FoldedCase(ZoneName(zone));
    const wchar_t* suffix = modifier == Shift ? L" with Shift key" : modifier == Ctrl ? L" with Ctrl key" : L"";
    const std::wstring on = monitor.AllMonitors() ? L"" : L" on " + monitor.title;
    return L"Action for " + name + suffix + on + L":";
}

std::wstring ZoneWaitText(EdgeZone zone)
{
    if (zone < 0 || zone >= kZoneCount) return {};
    const std::int32_t own = theData.zoneDwell[static_cast<std::size_t>(zone)];
    return own == kDwellAsSetting ? std::wstring() : std::to_wstring(own);
}

bool StoreZoneWait(EdgeZone zone, const std::wstring& text)
{
    if (zone < 0 || zone >= kZoneCount) return false;
    const bool empty = std::all_of(text.begin(), text.end(), [](wchar_t c) { return c == L' ' || c == L'\t'; });
    const std::int32_t wait = empty ? kDwellAsSetting : std::clamp(ParseSettingNumber(text), 0, kMaxZoneDwell);
    const auto z = static_cast<std::size_t>(zone);
    if (theData.zoneDwell[z] == wait && theData.unreadZoneDwell[z].empty()) return false;
    theData.SetZoneDwell(zone, wait);
    return true;
}

namespace {

// One row per zone in EdgeZone order; columns in Arrow order: left, right,
// up, down.
constexpr EdgeZone kNeighbours[kZoneCount][4] = {
    {UpperLeftCorner, TopSide, UpperLeftCorner, LeftSide},        // upper left corner
    {TopSide, UpperRightCorner, UpperRightCorner, RightSide},     // upper right corner
    {LowerLeftCorner, BottomSide, LeftSide, LowerLeftCorner},     // lower left corner
    {BottomSide, LowerRightCorner, RightSide, LowerRightCorner},  // lower right corner
    {LeftSide, RightSide, UpperLeftCorner, LowerLeftCorner},      // left side
    {UpperLeftCorner, UpperRightCorner, TopSide, BottomSide},     // top side
    {LeftSide, RightSide, UpperRightCorner, LowerRightCorner},    // right side
    {LowerLeftCorner, LowerRightCorner, TopSide, BottomSide},     // bottom side
};

}  // namespace

EdgeZone NeighbourZone(EdgeZone zone, Arrow arrow)
{
    if (zone < 0 || zone >= kZoneCount) return zone;
    return kNeighbours[static_cast<std::size_t>(zone)][static_cast<std::size_t>(arrow)];
}

std::wstring ZoneValueText(EdgeZone zone, ModifierKey modifier, const MonitorChoice& monitor)
{
    if (zone < 0 || zone >= kZoneCount) return {};
    const wchar_t* key = modifier == Shift ? L", Shift: " : modifier == Ctrl ? L", Ctrl: " : L": ";
    return ZoneName(zone) + std::wstring(key) + ZoneTip(zone, modifier, monitor);
}

std::vector<ActionTreeGroup> BuildActionTree()
{
    std::vector<ActionTreeGroup> groups;
    std::wstring group;
    int number = -1;
    for (ActionIndex index = 0; index < kBuiltInActionCount; ++index) {
        const ActionDef& action = theCatalogue[static_cast<std::size_t>(index)];
        if (group != action.group) {
            group = action.group;
            ++number;
            const int key = number < kCustomGroupKey ? number : number + 1;
            groups.push_back(ActionTreeGroup{group, GroupClosed, GroupOpen, {}, key});
        }
        // An action is stored by its name: one whose name a custom action
        // carries would come back as that custom action after a restart, so
        // the tree offers the custom one only.
        if (CustomShadowing(index) != kNoActionIndex) continue;
        groups.back().items.push_back(ActionTreeItem{action.name, index, BuiltInAction, BuiltInActionSelected});
    }
    std::erase_if(groups, [](const ActionTreeGroup& g) { return g.items.empty(); });
    ActionTreeGroup custom{L"Custom", CustomGroupClosed, CustomGroupOpen, {}, kCustomGroupKey};
    // The custom actions in use fill the first slots.
    for (int slot = 0; slot < theCustomActions.Count(); ++slot)
        custom.items.push_back(ActionTreeItem{theCustomActions[slot].name, kBuiltInActionCount + slot, CustomAction,
                                              CustomActionSelected});
    groups.push_back(std::move(custom));
    return groups;
}

std::wstring HeadingTip(const std::wstring& heading) { return heading + L" actions"; }

std::wstring ZoneTip(EdgeZone zone, ModifierKey modifier, const MonitorChoice& monitor)
{
    if (zone < 0 || zone >= kZoneCount) return {};
    const std::wstring name = ActionName(monitor.Shown(modifier, zone));
    return monitor.Shared(modifier, zone) ? name + L" (same as all monitors)" : name;
}

}  // namespace vorn
