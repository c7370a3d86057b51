// Assignments of a monitor of its own, and a wait of a zone of its own: what
// differs from the shared assignments and from the "Dwell time".
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/action_index.h"

namespace vorn {

// The eight zones and twelve action sets, as data.h counts them.
inline constexpr int kMonitorZoneCount = 8;
inline constexpr int kMonitorSetCount = 12;

// In a monitor's table: the zone runs the assignment shared by all monitors.
inline constexpr ActionIndex kSameAsAllMonitors = -1;

// In zoneDwell: the zone waits the "Dwell time" of the settings.
inline constexpr std::int32_t kDwellAsSetting = -1;
inline constexpr std::int32_t kMaxZoneDwell = 5000;

// A monitor known by its device path, connected or not.
struct MonitorAssignments {
    // N of "Monitor N" in the file: kept as read, so that sections kept for
    // numbers the file does not list never come to mean another monitor.
    int number = 0;
    std::wstring devicePath;
    // The friendly name last seen; empty when it has none.
    std::wstring name;
    // actions[set][zone]; kSameAsAllMonitors where shared.
    std::array<std::array<ActionIndex, kMonitorZoneCount>, kMonitorSetCount> actions = [] {
        std::array<std::array<ActionIndex, kMonitorZoneCount>, kMonitorSetCount> table{};
        for (auto& row : table)
            row.fill(kSameAsAllMonitors);
        return table;
    }();
    // Values of its sections that could not be read, by set and zone:
    // written back as they were until the user sets that assignment.
    std::array<std::array<std::wstring, kMonitorZoneCount>, kMonitorSetCount> unread{};

    // Whether any assignment, or any value kept unread, is its own.
    bool HasOwn() const;
};

}  // namespace vorn
