// The desktop's monitors as the port reports them: their rectangles, read
// once per look by the zone rule and the preview.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/win.h"

namespace vorn {

// More than any desktop has; further monitors are ignored. A fixed list, so
// that reading it at every poll allocates nothing.
inline constexpr int kMaxMonitors = 16;

struct MonitorList {
    std::array<RECT, kMaxMonitors> rects{};
    int count = 0;

    // The first monitor holding the point, or null.
    const RECT* At(POINT point) const;
    bool Contains(POINT point) const { return At(point) != nullptr; }
};

// The monitors now, in the order the system lists them; empty when it cannot tell.
MonitorList DisplayMonitors();

// A connected monitor, known by what it is: its device path follows it
// through rearranging, a new primary, a new resolution or another order of
// plugging.
struct ConnectedMonitor {
    RECT rect{};
    bool primary = false;
    // Its number in today's arrangement, from 1: the primary first, then the
    // others from left to right (top to bottom where they stand in a column).
    int number = 0;
    // monitorDevicePath of the display configuration; where the system cannot
    // tell it, the adapter's device name ("\\.\DISPLAY2") stands in.
    std::wstring devicePath;
    // monitorFriendlyDeviceName; empty when the monitor has none.
    std::wstring friendlyName;
};

// The monitors connected now, in number order. Reads the display
// configuration: call it when the displays change, not at every look.
std::vector<ConnectedMonitor> ConnectedMonitors();

// What the user sees a monitor called: its friendly name, or "Monitor N".
std::wstring MonitorDisplayName(const ConnectedMonitor& monitor);

}  // namespace vorn
