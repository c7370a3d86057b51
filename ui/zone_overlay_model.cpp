#include "ui/zone_overlay_model.h"

#include <algorithm>
#include <array>

#include "actions/custom_actions.h"
#include "engine/monitors.h"
#include "platform/rect.h"
#include "settings/side_bands.h"

namespace vorn {
namespace {

constexpr int kLabelGap = 4;  // pixels between a zone and its name

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT Intersection(const RECT& a, const RECT& b)
{
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// What is left of each part once `cut` is taken out: up to four pieces each.
std::vector<RECT> Subtract(const std::vector<RECT>& parts, const RECT& cut)
{
    std::vector<RECT> left;
    for (const RECT& r : parts) {
        const RECT i = Intersection(r, cut);
        if (Empty(i)) {
            left.push_back(r);
            continue;
        }
        const RECT pieces[] = {{r.left, r.top, r.right, i.top},
                               {r.left, i.bottom, r.right, r.bottom},
                               {r.left, i.top, i.left, i.bottom},
                               {i.right, i.top, r.right, i.bottom}};
        for (const RECT& piece : pieces)
            if (!Empty(piece)) left.push_back(piece);
    }
    return left;
}

// The rectangles the zone rule gives each zone on a screen of w x h from
// (0, 0), before the earlier zones take their share: corners, then sides.
std::array<RECT, kZoneCount> RawZones(int w, int h, int c, int s, const SideBands& b)
{
    return {{
        {0, 0, c, c},
        {w - c, 0, w, c + 1},  // the upper right corner is one row taller
        {0, h - c, c, h},
        {w - c, h - c, w, h},
        {0, b.yLow + 1, s, b.yHigh},
        {b.xLow + 1, 0, b.xHigh, s},
        {w - s, b.yLow + 1, w, b.yHigh},
        {b.xLow + 1, h - s, b.xHigh, h},
    }};
}

// Each zone's pixels on a screen of w x h, moved to `origin`; the first zone
// the rule tests wins where two overlap.
std::array<std::vector<RECT>, kZoneCount> ZonesOn(POINT origin, int w, int h, int c, int s, const SideBands& bands)
{
    const std::array<RECT, kZoneCount> raw = RawZones(w, h, c, s, bands);
    const RECT screen{0, 0, w, h};
    std::array<std::vector<RECT>, kZoneCount> zones;
    for (std::size_t z = 0; z < raw.size(); ++z) {
        std::vector<RECT> parts;
        const RECT own = Intersection(raw[z], screen);
        if (!Empty(own)) parts.push_back(own);
        for (std::size_t earlier = 0; earlier < z; ++earlier)
            parts = Subtract(parts, raw[earlier]);
        for (RECT& r : parts)
            r = RECT{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
        zones[z] = std::move(parts);
    }
    return zones;
}

// The runs of [low, high) along a line where no monitor holds the pixel just
// beyond the edge: `beyond(i)` is that pixel for position i.
template <class Beyond>
std::vector<std::pair<LONG, LONG>> ClosedRuns(const MonitorList& monitors, LONG low, LONG high, Beyond beyond)
{
    std::vector<std::pair<LONG, LONG>> runs;
    for (LONG i = low; i < high; ++i) {
        if (monitors.Contains(beyond(i))) continue;
        if (!runs.empty() && runs.back().second == i)
            runs.back().second = i + 1;
        else
            runs.emplace_back(i, i + 1);
    }
    return runs;
}

// The parts of a monitor's zone where the desktop ends: along each edge the
// zone lies against, only the rows or columns with no monitor beyond.
std::vector<RECT> WhereTheDesktopEnds(const std::vector<RECT>& parts, EdgeZone zone, const RECT& m,
                                      const MonitorList& monitors)
{
    // The edges each zone lies against (left 1, up 2, right 4, down 8).
    constexpr int kFacing[kZoneCount] = {1 | 2, 4 | 2, 1 | 8, 4 | 8, 1, 2, 4, 8};
    const int facing = kFacing[static_cast<std::size_t>(zone)];
    std::vector<RECT> closed;
    for (const RECT& r : parts) {
        std::vector<std::pair<LONG, LONG>> rows{{r.top, r.bottom}};
        std::vector<std::pair<LONG, LONG>> columns{{r.left, r.right}};
        if (facing & 1) rows = ClosedRuns(monitors, r.top, r.bottom, [&](LONG y) { return POINT{m.left - 1, y}; });
        if (facing & 4) rows = ClosedRuns(monitors, r.top, r.bottom, [&](LONG y) { return POINT{m.right, y}; });
        if (facing & 2) columns = ClosedRuns(monitors, r.left, r.right, [&](LONG x) { return POINT{x, m.top - 1}; });
        if (facing & 8) columns = ClosedRuns(monitors, r.left, r.right, [&](LONG x) { return POINT{x, m.bottom}; });
        for (const auto& [top, bottom] : rows)
            for (const auto& [left, right] : columns)
                closed.push_back(RECT{left, top, right, bottom});
    }
    return closed;
}

// Beside the zone's largest part, towards the middle of `area`, and inside it.
RECT LabelBeside(EdgeZone zone, const std::vector<RECT>& parts, const RECT& area, SIZE size)
{
    // Which way the name goes from the zone, by zone: +1 right or down, -1
    // left or up, 0 centred on it.
    constexpr int kAcross[kZoneCount] = {1, -1, 1, -1, 1, 0, -1, 0};
    constexpr int kDown[kZoneCount] = {1, 1, -1, -1, 0, 1, 0, -1};
    const RECT& r = *std::max_element(parts.begin(), parts.end(), [](const RECT& a, const RECT& b) {
        return static_cast<long long>(a.right - a.left) * (a.bottom - a.top) <
               static_cast<long long>(b.right - b.left) * (b.bottom - b.top);
    });
    const auto place = [](int direction, LONG low, LONG high, LONG length) {
        if (direction > 0) return high + kLabelGap;
        if (direction < 0) return low - kLabelGap - length;
        return (low + high) / 2 - length / 2;
    };
    LONG x = place(kAcross[static_cast<std::size_t>(zone)], r.left, r.right, size.cx);
    LONG y = place(kDown[static_cast<std::size_t>(zone)], r.top, r.bottom, size.cy);
    x = std::max(area.left, std::min(x, area.right - size.cx));
    y = std::max(area.top, std::min(y, area.bottom - size.cy));
    return RECT{x, y, x + size.cx, y + size.cy};
}

void Add(std::vector<OverlayZone>& zones, EdgeZone zone, int monitor, std::vector<RECT> parts, const RECT& area,
         int slot, const CData& data, ModifierKey modifier, const MeasureText& measure)
{
    if (parts.empty()) return;
    OverlayZone z{zone, monitor, std::move(parts), RECT{}, ActionName(data.AssignmentOn(slot, modifier, zone))};
    if (!z.name.empty()) z.label = LabelBeside(zone, z.parts, area, measure(z.name));
    zones.push_back(std::move(z));
}

}  // namespace

std::vector<OverlayZone> ComputeOverlayZones(const CData& data, int screenWidth, int screenHeight,
                                             const MonitorSlots& slots, ModifierKey modifier,
                                             const MeasureText& measure)
{
    std::vector<OverlayZone> zones;
    MonitorList monitors;
    for (const MonitorSlots::Monitor& m : slots.monitors) {
        if (monitors.count == kMaxMonitors) break;
        monitors.rects[static_cast<std::size_t>(monitors.count++)] = m.rect;
    }
    if (data.cornersOnEveryMonitor && monitors.count > 0) {
        for (int i = 0; i < monitors.count; ++i) {
            const RECT& m = monitors.rects[static_cast<std::size_t>(i)];
            const int w = m.right - m.left;
            const int h = m.bottom - m.top;
            const auto own =
                ZonesOn(POINT{m.left, m.top}, w, h, data.cornerSize, data.sideWidth, SideBandsOf(w, h, data.sideLength));
            for (int z = 0; z < kZoneCount; ++z) {
                const EdgeZone zone = static_cast<EdgeZone>(z);
                Add(zones, zone, i, WhereTheDesktopEnds(own[static_cast<std::size_t>(z)], zone, m, monitors), m,
                    slots.monitors[static_cast<std::size_t>(i)].slot, data, modifier, measure);
            }
        }
        return zones;
    }
    const RECT screen{0, 0, screenWidth, screenHeight};
    const auto own = ZonesOn(POINT{0, 0}, screenWidth, screenHeight, data.cornerSize, data.sideWidth,
                             SideBands{data.sideXLow, data.sideXHigh, data.sideYLow, data.sideYHigh});
    for (int z = 0; z < kZoneCount; ++z) {
        const std::vector<RECT>& parts = own[static_cast<std::size_t>(z)];
        if (parts.empty()) continue;
        // Named after the monitor that holds it, its name kept on that monitor.
        const POINT at{parts.front().left, parts.front().top};
        const RECT* holder = monitors.At(at);
        Add(zones, static_cast<EdgeZone>(z), -1, parts, holder ? *holder : screen, slots.At(at), data, modifier,
            measure);
    }
    return zones;
}

RECT OverlayBounds(const std::vector<OverlayZone>& zones, const RECT& screen)
{
    RECT bounds = screen;
    const auto grow = [&bounds](const RECT& r) {
        if (Empty(r)) return;
        bounds = RECT{std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
                      std::max(bounds.bottom, r.bottom)};
    };
    for (const OverlayZone& zone : zones) {
        for (const RECT& part : zone.parts)
            grow(part);
        grow(zone.label);
    }
    return bounds;
}

}  // namespace vorn
