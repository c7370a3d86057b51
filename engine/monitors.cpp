#include "engine/monitors.h"

#include <algorithm>

#include "platform/port.h"
#include "platform/rect.h"
#include "settings/text_encoding.h"

namespace vorn {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM parameter)
{
    auto& list = *reinterpret_cast<MonitorList*>(parameter);
    if (!rect || list.count >= kMaxMonitors) return FALSE;
    list.rects[static_cast<std::size_t>(list.count++)] = *rect;
    return TRUE;
}

struct Handle {
    HMONITOR monitor;
    RECT rect;
};

BOOL CALLBACK AddHandle(HMONITOR monitor, HDC, LPRECT rect, LPARAM parameter)
{
    if (rect) reinterpret_cast<std::vector<Handle>*>(parameter)->push_back(Handle{monitor, *rect});
    return TRUE;
}

}  // namespace

const RECT* MonitorList::At(POINT point) const
{
    for (int i = 0; i < count; ++i)
        if (Inside(rects[static_cast<std::size_t>(i)], point)) return &rects[static_cast<std::size_t>(i)];
    return nullptr;
}

// The display configuration knows a monitor by its adapter output's GDI name,
// which is also what GetMonitorInfoW tells of an HMONITOR: that name joins the two.
std::vector<ConnectedMonitor> ConnectedMonitors()
{
    IWindows& windows = os::Windows();
    std::vector<Handle> handles;
    windows.EnumDisplayMonitors(nullptr, nullptr, &AddHandle, reinterpret_cast<LPARAM>(&handles));
    std::vector<DisplayTarget> targets;
    if (!windows.QueryActiveDisplayTargets(targets)) targets.clear();

    std::vector<ConnectedMonitor> monitors;
    monitors.reserve(handles.size());
    for (const Handle& handle : handles) {
        ConnectedMonitor monitor;
        monitor.rect = handle.rect;
        MONITORINFOEXW info{};
        info.cbSize = sizeof(info);
        if (windows.GetMonitorInfoW(handle.monitor, &info)) {
            info.szDevice[CCHDEVICENAME - 1] = L'\0';
            monitor.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
            monitor.devicePath = info.szDevice;
        } else {
            // The primary monitor is the one at the virtual screen's origin.
            monitor.primary = handle.rect.left == 0 && handle.rect.top == 0;
        }
        const auto target = std::find_if(targets.begin(), targets.end(), [&](const DisplayTarget& t) {
            return !monitor.devicePath.empty() && EqualsIgnoringCase(t.gdiDeviceName, monitor.devicePath);
        });
        if (target != targets.end() && !target->devicePath.empty()) {
            monitor.devicePath = target->devicePath;
            monitor.friendlyName = target->friendlyName;
        }
        monitors.push_back(std::move(monitor));
    }
    std::stable_sort(monitors.begin(), monitors.end(), [](const ConnectedMonitor& a, const ConnectedMonitor& b) {
        if (a.primary != b.primary) return a.primary;
        if (a.rect.left != b.rect.left) return a.rect.left < b.rect.left;
        return a.rect.top < b.rect.top;
    });
    for (std::size_t i = 0; i < monitors.size(); ++i)
        monitors[i].number = static_cast<int>(i) + 1;
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
