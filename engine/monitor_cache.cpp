#include "engine/monitor_cache.h"

#include <algorithm>

#include "platform/rect.h"

namespace vorn {

void CMonitorCache::Rebuild(const std::vector<ConnectedMonitor>& monitors, const CData& data)
{
    count_ = static_cast<int>(std::min<std::size_t>(monitors.size(), kMaxMonitors));
    for (int i = 0; i < count_; ++i) {
        const auto at = static_cast<std::size_t>(i);
        rects_[at] = monitors[at].rect;
        paths_[at] = monitors[at].devicePath;
    }
    for (std::size_t i = static_cast<std::size_t>(count_); i < paths_.size(); ++i)
        paths_[i].clear();
    Resolve(data);
}

void CMonitorCache::Resolve(const CData& data)
{
    for (int i = 0; i < count_; ++i) {
        const auto at = static_cast<std::size_t>(i);
        slots_[at] = data.MonitorSlot(paths_[at]);
    }
    resolvedFor_ = data.monitorAssignments.size();
}

int CMonitorCache::IndexAt(POINT point) const
{
    for (int i = 0; i < count_; ++i)
        if (Inside(rects_[static_cast<std::size_t>(i)], point)) return i;
    return -1;
}

int CMonitorCache::IndexOf(const RECT& rect) const
{
    for (int i = 0; i < count_; ++i) {
        const RECT& r = rects_[static_cast<std::size_t>(i)];
        if (r.left == rect.left && r.top == rect.top && r.right == rect.right && r.bottom == rect.bottom) return i;
    }
    return -1;
}

}  // namespace vorn
