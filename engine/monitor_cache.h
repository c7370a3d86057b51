// The connected monitors as the engine last read them: each one's rectangle
// and the slot of its assignments in the settings. Read again only when the
// displays change and resolved again when the settings do, so that a look at
// the pointer finds the assignments of the monitor holding it without a
// system call or an allocation.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "engine/monitors.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

class CMonitorCache {
public:
    // The monitors connected now (ConnectedMonitors()), then the slots.
    void Rebuild(const std::vector<ConnectedMonitor>& monitors, const CData& data);
    // The slots again, by device path: the settings remembered a monitor,
    // or were read anew.
    void Resolve(const CData& data);
    // Whether the settings may hold slots this cache has not resolved:
    // slots are only appended during a run, so their count tells.
    bool Stale(const CData& data) const { return resolvedFor_ != data.monitorAssignments.size(); }

    int Count() const { return count_; }
    // The index of the first monitor holding the point; -1 for none.
    int IndexAt(POINT point) const;
    // The index of the monitor with exactly this rectangle; -1 for none.
    int IndexOf(const RECT& rect) const;
    // The slot of the monitor at `index` (-1 when it has no assignments of
    // its own, or for no monitor): what CData::AssignmentOn takes.
    int SlotAt(int index) const { return index >= 0 && index < count_ ? slots_[static_cast<std::size_t>(index)] : -1; }
    const RECT& RectAt(int index) const { return rects_[static_cast<std::size_t>(index)]; }

private:
    std::array<RECT, kMaxMonitors> rects_{};
    std::array<int, kMaxMonitors> slots_{};
    std::array<std::wstring, kMaxMonitors> paths_{};
    int count_ = 0;
    std::size_t resolvedFor_ = 0;
};

}  // namespace vorn
