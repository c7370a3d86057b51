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

// Until the display configuration is read: the monitors' rectangles alone.
std::vector<ConnectedMonitor> ConnectedMonitors()
{
    const MonitorList list = DisplayMonitors();
    std::vector<ConnectedMonitor> monitors;
    for (int i = 0; i < list.count; ++i) {
        ConnectedMonitor monitor;
        monitor.rect = list.rects[static_cast<std::size_t>(i)];
        monitor.primary = monitor.rect.left == 0 && monitor.rect.top == 0;
        monitor.number = i + 1;
        monitors.push_back(monitor);
    }
    return monitors;
}

std::wstring MonitorDisplayName(const ConnectedMonitor& monitor)
{
    if (!monitor.friendlyName.empty()) return monitor.friendlyName;
    return L"Monitor " + std::to_wstring(monitor.number);
}

MonitorList DisplayMonitors()
{
    MonitorList list;
    os::Windows().EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

}  // namespace vorn
