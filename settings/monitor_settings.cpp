#include "settings/monitor_settings.h"

#include <algorithm>

#include "settings/data.h"
#include "settings/text_encoding.h"

namespace vorn {

static_assert(kMonitorZoneCount == kZoneCount && kMonitorSetCount == kActionSetCount);

bool MonitorAssignments::HasOwn() const
{
    for (std::size_t m = 0; m < actions.size(); ++m)
        for (std::size_t z = 0; z < actions[m].size(); ++z)
            if (actions[m][z] != kSameAsAllMonitors || !unread[m][z].empty()) return true;
    return false;
}

ActionIndex CData::AssignmentOn(int slot, ActionSet set, EdgeZone zone) const
{
    const auto m = static_cast<std::size_t>(set);
    const auto z = static_cast<std::size_t>(zone);
    if (slot >= 0 && static_cast<std::size_t>(slot) < monitorAssignments.size()) {
        const ActionIndex own = monitorAssignments[static_cast<std::size_t>(slot)].actions[m][z];
        if (own != kSameAsAllMonitors) return own;
    }
    return assignments[m][z];
}

std::int32_t CData::DwellOf(EdgeZone zone) const
{
    if (zone < 0 || zone >= kZoneCount) return dwellTime;
    const std::int32_t own = zoneDwell[static_cast<std::size_t>(zone)];
    return own == kDwellAsSetting ? dwellTime : own;
}

void CData::SetZoneDwell(EdgeZone zone, std::int32_t ms)
{
    if (zone < 0 || zone >= kZoneCount) return;
    const auto z = static_cast<std::size_t>(zone);
    zoneDwell[z] = ms == kDwellAsSetting ? kDwellAsSetting : std::clamp(ms, 0, kMaxZoneDwell);
    unreadZoneDwell[z].clear();
}

int CData::MonitorSlot(std::wstring_view devicePath) const
{
    if (devicePath.empty()) return -1;
    for (std::size_t i = 0; i < monitorAssignments.size(); ++i)
        if (EqualsIgnoringCase(monitorAssignments[i].devicePath, devicePath)) return static_cast<int>(i);
    return -1;
}

int CData::FreeMonitorNumber() const
{
    int number = 1;
    const auto used = [&](int n) {
        return std::any_of(monitorAssignments.begin(), monitorAssignments.end(),
                           [n](const MonitorAssignments& m) { return m.number == n; }) ||
               std::find(keptMonitorNumbers.begin(), keptMonitorNumbers.end(), n) != keptMonitorNumbers.end();
    };
    while (used(number))
        ++number;
    return number;
}

int CData::RememberMonitor(std::wstring_view devicePath, std::wstring_view name)
{
    int slot = MonitorSlot(devicePath);
    if (slot < 0) {
        MonitorAssignments monitor;
        monitor.number = FreeMonitorNumber();
        monitor.devicePath = std::wstring(devicePath);
        monitorAssignments.push_back(std::move(monitor));
        slot = static_cast<int>(monitorAssignments.size()) - 1;
    }
    monitorAssignments[static_cast<std::size_t>(slot)].name = std::wstring(name);
    return slot;
}

void CData::SetAssignmentOn(int slot, ActionSet set, EdgeZone zone, ActionIndex action)
{
    const auto m = static_cast<std::size_t>(set);
    const auto z = static_cast<std::size_t>(zone);
    if (slot < 0 || static_cast<std::size_t>(slot) >= monitorAssignments.size()) {
        if (action != kSameAsAllMonitors) assignments[m][z] = action;
        return;
    }
    MonitorAssignments& monitor = monitorAssignments[static_cast<std::size_t>(slot)];
    monitor.actions[m][z] = action;
    monitor.unread[m][z].clear();
}

}  // namespace vorn
