#include "ui/actions_page_model.h"

#include <algorithm>
#include <cwctype>

#include "actions/custom_actions.h"
#include "engine/zone_input.h"
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

ActionIndex MonitorChoice::Shown(ActionSet set, EdgeZone zone) const { return theData.AssignmentOn(Slot(), set, zone); }

ActionIndex MonitorChoice::Own(ActionSet set, EdgeZone zone) const
{
    const auto m = static_cast<std::size_t>(set);
    const auto z = static_cast<std::size_t>(zone);
    if (AllMonitors()) return theData.assignments[m][z];
    const int slot = Slot();
    if (slot < 0) return kSameAsAllMonitors;
    return theData.monitorAssignments[static_cast<std::size_t>(slot)].actions[m][z];
}

bool MonitorChoice::Set(ActionSet set, EdgeZone zone, ActionIndex action) const
{
    if (Own(set, zone) == action) return false;
    int slot = Slot();
    if (!AllMonitors() && slot < 0) slot = theData.RememberMonitor(devicePath, name);
    theData.SetAssignmentOn(slot, set, zone, action);
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

namespace {

// How a sentence names a trigger, and a set: "wheel up", "click with Ctrl".
constexpr const wchar_t* kTriggerWords[kTriggerCount] = {L"entering", L"wheel up", L"wheel down", L"click"};
constexpr const wchar_t* kModifierNames[kModifierCount] = {L"", L"Shift", L"Ctrl"};

bool ValidSet(ActionSet set) { return set >= 0 && set < kActionSetCount; }

std::wstring SetWords(ActionSet set)
{
    const std::wstring trigger = kTriggerWords[TriggerOf(set)];
    return ModifierOf(set) == Plain ? trigger : trigger + L" with " + kModifierNames[ModifierOf(set)];
}

// "; wheel up: Volume up; click with Ctrl: Sleep": the zone's wheel and click
// actions that do something, but for the set already named.
std::wstring OtherTriggers(EdgeZone zone, ActionSet shown, const MonitorChoice& monitor)
{
    std::wstring text;
    for (ActionSet set = SetOf(WheelUp, Plain); set < kActionSetCount; ++set) {
        if (set == shown) continue;
        const ActionIndex action = monitor.Shown(set, zone);
        if (action != kNoActionIndex) text += L"; " + SetWords(set) + L": " + ActionName(action);
    }
    return text;
}

}  // namespace

std::wstring ActionSetName(ActionSet set)
{
    if (!ValidSet(set)) return {};
    std::wstring name = SetWords(set);
    name[0] = static_cast<wchar_t>(std::towupper(name[0]));
    return name;
}

std::wstring ZoneLabel(EdgeZone zone, ActionSet set, const MonitorChoice& monitor)
{
    if (!ValidSet(set)) return {};
    const std::wstring name = FoldedCase(ZoneName(zone));
    const ZoneTrigger trigger = TriggerOf(set);
    const std::wstring on = trigger == Entering ? L"" : L" on " + std::wstring(kTriggerWords[trigger]);
    const ModifierKey modifier = ModifierOf(set);
    const std::wstring with = modifier == Plain ? L"" : L" with " + std::wstring(kModifierNames[modifier]) + L" key";
    const std::wstring where = monitor.AllMonitors() ? L"" : L" on " + monitor.title;
    return L"Action for " + name + on + with + where + L":";
}

bool HasWheelOrClick(EdgeZone zone, const MonitorChoice& monitor)
{
    // The zone-input rule judges the zone's range too.
    return ZoneInputTakes(theData, monitor.Slot(), zone) != 0;
}

RECT ZoneMarkRect(EdgeZone zone)
{
    if (zone < 0 || zone >= kZoneCount) return {};
    const RECT& r = kDiagramZoneRects[static_cast<std::size_t>(zone)];
    // Four units: small beside the thinnest zone, ten units deep.
    const LONG x = (r.left + r.right) / 2 - 2;
    const LONG y = (r.top + r.bottom) / 2 - 2;
    return RECT{x, y, x + 4, y + 4};
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

std::wstring ZoneValueText(EdgeZone zone, ActionSet set, const MonitorChoice& monitor)
{
    if (zone < 0 || zone >= kZoneCount || !ValidSet(set)) return {};
    const ModifierKey modifier = ModifierOf(set);
    // Entering is what a zone does by default: only its key is named.
    const std::wstring key = TriggerOf(set) != Entering ? L", " + SetWords(set) + L": "
                             : modifier == Plain        ? L": "
                                                        : L", " + std::wstring(kModifierNames[modifier]) + L": ";
    return ZoneName(zone) + key + ZoneTip(zone, set, monitor);
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

std::wstring ZoneTip(EdgeZone zone, ActionSet set, const MonitorChoice& monitor)
{
    if (zone < 0 || zone >= kZoneCount || !ValidSet(set)) return {};
    const std::wstring name = ActionName(monitor.Shown(set, zone));
    const std::wstring shown = monitor.Shared(set, zone) ? name + L" (same as all monitors)" : name;
    return shown + OtherTriggers(zone, set, monitor);
}

}  // namespace vorn
