// The desktop's monitors as the port reports them: their rectangles, read
// once per look by the zone rule and the preview.
#pragma once

#include <array>

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

}  // namespace vorn
