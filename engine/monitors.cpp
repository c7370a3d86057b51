#include "engine/monitors.h"

#include "platform/port.h"
#include "platform/rect.h"

namespace vorn {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM parameter)
{
    auto& list = *reinterpret_cast<MonitorList*>(parameter);
    if (!rect || list.count >= kMaxMonitors) return FALSE;
    list.rects[static_cast<std::size_t>(list.count++)] = *rect;
    return TRUE;
}

}  // namespace

const RECT* MonitorList::At(POINT point) const
{
    for (int i = 0; i < count; ++i)
        if (Inside(rects[static_cast<std::size_t>(i)], point)) return &rects[static_cast<std::size_t>(i)];
    return nullptr;
}

MonitorList DisplayMonitors()
{
    MonitorList list;
    os::Windows().EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

}  // namespace vorn
