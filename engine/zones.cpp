#include "engine/zones.h"

#include "platform/port.h"

namespace vorn {

EdgeZone ZoneOfPoint(POINT point, const ZoneGeometry& g)
{
    const int x = point.x;
    const int y = point.y;
    const int c = g.cornerSize;
    const int s = g.sideWidth;
    const int cx = g.screenWidth;
    const int cy = g.screenHeight;
    if (x < c && y < c) return UpperLeftCorner;
    if (x >= cx - c && y <= c) return UpperRightCorner;
    if (x < c && y >= cy - c) return LowerLeftCorner;
    if (x >= cx - c && y >= cy - c) return LowerRightCorner;
    const bool alongVerticalBand = g.sideYLow < y && y < g.sideYHigh;
    const bool alongHorizontalBand = g.sideXLow < x && x < g.sideXHigh;
    if (x < s && alongVerticalBand) return LeftSide;
    if (y < s && alongHorizontalBand) return TopSide;
    if (x >= cx - s && alongVerticalBand) return RightSide;
    if (y >= cy - s && alongHorizontalBand) return BottomSide;
    return NoZone;
}

ZoneGeometry CurrentZoneGeometry()
{
    IWindows& windows = os::Windows();
    return ZoneGeometry{theData.cornerSize,
                        theData.sideWidth,
                        windows.GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        windows.GetSystemMetrics(SM_CYVIRTUALSCREEN),
                        theData.sideXLow,
                        theData.sideXHigh,
                        theData.sideYLow,
                        theData.sideYHigh};
}

EdgeZone ZoneOnMonitors(POINT point, const MonitorList& monitors, int cornerSize, int sideWidth, int sideLength,
                        int* monitor)
{
    const RECT* m = monitors.At(point);
    if (monitor) *monitor = m ? static_cast<int>(m - monitors.rects.data()) : -1;
    if (!m) return NoZone;
    const int width = m->right - m->left;
    const int height = m->bottom - m->top;
    const SideBands bands = SideBandsOf(width, height, sideLength);
    const ZoneGeometry geometry{cornerSize, sideWidth, width, height, bands.xLow, bands.xHigh, bands.yLow, bands.yHigh};
    const EdgeZone zone = ZoneOfPoint(POINT{point.x - m->left, point.y - m->top}, geometry);
    if (zone == NoZone) return NoZone;
    // Where another monitor continues the desktop, the pointer passes on:
    // the edges each zone lies against, by zone (left 1, up 2, right 4, down 8).
    constexpr int kFacing[kZoneCount] = {1 | 2, 4 | 2, 1 | 8, 4 | 8, 1, 2, 4, 8};
    const int open = (monitors.Contains(POINT{m->left - 1, point.y}) ? 1 : 0) |
                     (monitors.Contains(POINT{point.x, m->top - 1}) ? 2 : 0) |
                     (monitors.Contains(POINT{m->right, point.y}) ? 4 : 0) |
                     (monitors.Contains(POINT{point.x, m->bottom}) ? 8 : 0);
    return (kFacing[static_cast<std::size_t>(zone)] & open) != 0 ? NoZone : zone;
}

}  // namespace vorn
