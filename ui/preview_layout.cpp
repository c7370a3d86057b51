#include "ui/preview_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "actions/custom_actions.h"
#include "engine/zones.h"
#include "platform/rect.h"
#include "ui/diagram_scale.h"

namespace vorn {
namespace {

// The slot whose assignment each zone shows.
using ZoneSlots = std::array<int, kZoneCount>;

ZoneSlots AllZones(int slot)
{
    ZoneSlots slots;
    slots.fill(slot);
    return slots;
}

PreviewLayout LayoutOf(int cx, int cy, const SideBands& bands, ModifierKey modifier, int dpi, const ZoneSlots& slots)
{
    const auto px = [dpi](int length) { return (length * dpi + kBaseDpi / 2) / kBaseDpi; };
    const CData& d = theData;
    const int c = d.cornerSize;
    const int s = d.sideWidth;
    PreviewLayout layout{};
    layout.areas[UpperLeftCorner] = RECT{0, 0, c, c};
    layout.areas[UpperRightCorner] = RECT{cx - c - 1, 0, cx - 1, c};
    layout.areas[LowerLeftCorner] = RECT{0, cy - c - 1, c, cy - 1};
    layout.areas[LowerRightCorner] = RECT{cx - c - 1, cy - c - 1, cx - 1, cy - 1};
    layout.areas[LeftSide] = RECT{0, bands.yLow, s, bands.yHigh};
    layout.areas[RightSide] = RECT{cx - s - 1, bands.yLow, cx - 1, bands.yHigh};
    layout.areas[TopSide] = RECT{bands.xLow, 0, bands.xHigh, s};
    layout.areas[BottomSide] = RECT{bands.xLow, cy - s - 1, bands.xHigh, cy - 1};

    // The window spans (0, 0)-(cx, cy). Side texts sit beside their edge's
    // middle; corner texts run diagonally towards their corner.
    const auto text = [&](EdgeZone zone, int escapement, TextAlign align, int x, int y) {
        const int slot = slots[static_cast<std::size_t>(zone)];
        const ActionIndex action = d.AssignmentOn(slot, modifier, zone);
        PreviewText t{zone, ActionName(action), escapement, align, POINT{x, y}, dpi, {}, {}};
        t.more = WheelAndClickText(slot, modifier, zone);
        if (t.more.empty()) return t;
        // A line further down the text's own "down", which the slant turns.
        const double angle = escapement / 10.0 * 3.14159265358979 / 180.0;
        const POINT down{static_cast<LONG>(std::lround(px(16) * std::sin(angle))),
                         static_cast<LONG>(std::lround(px(16) * std::cos(angle)))};
        const POINT below{t.at.x + down.x, t.at.y + down.y};
        // Against the right or the bottom edge the second line would run off
        // the screen: the first moves up a line into the screen instead.
        const bool farEdge = zone == RightSide || zone == BottomSide || zone == LowerLeftCorner ||
                             zone == LowerRightCorner;
        t.moreAt = farEdge ? t.at : below;
        if (farEdge) t.at = POINT{t.at.x - down.x, t.at.y - down.y};
        return t;
    };
    layout.texts = {{
        text(LeftSide, 900, TextAlign::Centre, s, cy / 2),
        text(RightSide, 900, TextAlign::Centre, cx - s - px(16), cy / 2),
        text(TopSide, 0, TextAlign::Centre, cx / 2, s),
        text(BottomSide, 0, TextAlign::Centre, cx / 2, cy - s - px(16)),
        text(UpperLeftCorner, -350, TextAlign::Left, c + px(15), c + px(5)),
        text(LowerRightCorner, -350, TextAlign::Right, cx - c - px(10), cy - c - px(20)),
        text(UpperRightCorner, 350, TextAlign::Right, cx - c - px(15), c + px(5)),
        text(LowerLeftCorner, 350, TextAlign::Left, c + px(10), cy - c - px(20)),
    }};
    layout.label = RECT{cx / 2 - px(200), cy / 2 - px(50), cx / 2 + px(200), cy / 2 - px(38)};
    layout.close = RECT{cx / 2 - px(60), cy / 2 - px(15), cx / 2 + px(60), cy / 2 + px(15)};
    return layout;
}

RECT Moved(RECT r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// The parts of [low, high) along an edge where no monitor continues the
// desktop: `across` is the row or column just beyond the edge.
std::vector<std::pair<LONG, LONG>> ClosedParts(const MonitorList& monitors, bool vertical, LONG across, LONG low,
                                               LONG high)
{
    std::vector<std::pair<LONG, LONG>> parts{{low, high}};
    for (int i = 0; i < monitors.count; ++i) {
        const RECT& o = monitors.rects[static_cast<std::size_t>(i)];
        const bool crosses = vertical ? o.left <= across && across < o.right : o.top <= across && across < o.bottom;
        if (!crosses) continue;
        const LONG cutLow = vertical ? o.top : o.left;
        const LONG cutHigh = vertical ? o.bottom : o.right;
        std::vector<std::pair<LONG, LONG>> kept;
        for (const auto& [a, b] : parts) {
            if (a < std::min(b, cutLow)) kept.emplace_back(a, std::min(b, cutLow));
            if (std::max(a, cutHigh) < b) kept.emplace_back(std::max(a, cutHigh), b);
        }
        parts = std::move(kept);
    }
    return parts;
}

}  // namespace

int MonitorSlots::At(POINT point) const
{
    for (const Monitor& monitor : monitors)
        if (Inside(monitor.rect, point)) return monitor.slot;
    return -1;
}

MonitorSlots ConnectedMonitorSlots()
{
    MonitorSlots slots;
    for (const ConnectedMonitor& monitor : ConnectedMonitors())
        slots.monitors.push_back(MonitorSlots::Monitor{monitor.rect, theData.MonitorSlot(monitor.devicePath),
                                                       std::to_wstring(monitor.number) + L". " +
                                                           MonitorDisplayName(monitor)});
    return slots;
}

PreviewLayout ComputePreviewLayout(int cx, int cy, ModifierKey modifier, int dpi, const MonitorSlots& slots)
{
    const CData& d = theData;
    // Where on the screen's edge each zone lies, in EdgeZone order.
    const int midX = (d.sideXLow + d.sideXHigh) / 2;
    const int midY = (d.sideYLow + d.sideYHigh) / 2;
    const POINT spots[kZoneCount] = {{0, 0},       {cx - 1, 0},    {0, cy - 1},    {cx - 1, cy - 1},
                                     {0, midY},    {midX, 0},      {cx - 1, midY}, {midX, cy - 1}};
    ZoneSlots zoneSlots{};
    for (std::size_t zone = 0; zone < zoneSlots.size(); ++zone)
        zoneSlots[zone] = slots.At(spots[zone]);
    return LayoutOf(cx, cy, SideBands{d.sideXLow, d.sideXHigh, d.sideYLow, d.sideYHigh}, modifier, dpi, zoneSlots);
}

PreviewPicture ComputePreviewPicture(int cx, int cy, ModifierKey modifier, const std::function<int(int)>& dpiOf,
                                     const MonitorSlots& slots)
{
    if (theData.cornersOnEveryMonitor) {
        const MonitorList monitors = DisplayMonitors();
        if (monitors.count > 0) return ComputeMonitorsPreview(monitors, modifier, dpiOf, slots);
    }
    const PreviewLayout layout = ComputePreviewLayout(cx, cy, modifier, dpiOf ? dpiOf(0) : kBaseDpi, slots);
    return PreviewPicture{RECT{0, 0, cx, cy}, std::vector<RECT>(layout.areas.begin(), layout.areas.end()),
                          std::vector<PreviewText>(layout.texts.begin(), layout.texts.end()), layout.label,
                          layout.close};
}

PreviewPicture ComputeMonitorsPreview(const MonitorList& monitors, ModifierKey modifier,
                                      const std::function<int(int)>& dpiOf, const MonitorSlots& slots)
{
    PreviewPicture picture{};
    RECT& bounds = picture.window;
    bounds = monitors.rects[0];
    for (int i = 1; i < monitors.count; ++i) {
        const RECT& m = monitors.rects[static_cast<std::size_t>(i)];
        bounds = RECT{std::min(bounds.left, m.left), std::min(bounds.top, m.top), std::max(bounds.right, m.right),
                      std::max(bounds.bottom, m.bottom)};
    }
    // The primary monitor has its origin at (0, 0).
    const RECT* primary = monitors.At(POINT{0, 0});
    if (!primary) primary = &monitors.rects[0];
    for (int i = 0; i < monitors.count; ++i) {
        const RECT& m = monitors.rects[static_cast<std::size_t>(i)];
        const int w = m.right - m.left;
        const int h = m.bottom - m.top;
        const PreviewLayout layout = LayoutOf(w, h, SideBandsOf(w, h, theData.sideLength), modifier,
                                              dpiOf ? dpiOf(i) : kBaseDpi, AllZones(slots.At(POINT{m.left, m.top})));
        // Monitor to window coordinates.
        const int dx = m.left - bounds.left;
        const int dy = m.top - bounds.top;
        std::array<bool, kZoneCount> shown{};
        // A corner shows when its outermost pixel is that corner's zone.
        const auto corner = [&](EdgeZone zone, POINT outermost) {
            if (ZoneOnMonitors(outermost, monitors, theData.cornerSize, theData.sideWidth, theData.sideLength) != zone)
                return;
            shown[static_cast<std::size_t>(zone)] = true;
            picture.areas.push_back(Moved(layout.areas[static_cast<std::size_t>(zone)], dx, dy));
        };
        corner(UpperLeftCorner, POINT{m.left, m.top});
        corner(UpperRightCorner, POINT{m.right - 1, m.top});
        corner(LowerLeftCorner, POINT{m.left, m.bottom - 1});
        corner(LowerRightCorner, POINT{m.right - 1, m.bottom - 1});
        const auto side = [&](EdgeZone zone, bool vertical, LONG across) {
            const RECT area = Moved(layout.areas[static_cast<std::size_t>(zone)], m.left, m.top);  // on the screen
            const LONG low = vertical ? area.top : area.left;
            const LONG high = vertical ? area.bottom : area.right;
            for (const auto& [a, b] : ClosedParts(monitors, vertical, across, low, high)) {
                shown[static_cast<std::size_t>(zone)] = true;
                const RECT part = vertical ? RECT{area.left, a, area.right, b} : RECT{a, area.top, b, area.bottom};
                picture.areas.push_back(Moved(part, -bounds.left, -bounds.top));
            }
        };
        side(LeftSide, true, m.left - 1);
        side(RightSide, true, m.right);
        side(TopSide, false, m.top - 1);
        side(BottomSide, false, m.bottom);
        for (PreviewText text : layout.texts) {
            if (!shown[static_cast<std::size_t>(text.zone)]) continue;
            text.at = POINT{text.at.x + dx, text.at.y + dy};
            text.moreAt = POINT{text.moreAt.x + dx, text.moreAt.y + dy};
            picture.texts.push_back(std::move(text));
        }
        if (&m == primary) {
            picture.label = Moved(layout.label, dx, dy);
            picture.close = Moved(layout.close, dx, dy);
        }
    }
    return picture;
}

namespace {

// The sets of the wheel and the click for the modifier, with how the
// description names them.
struct TriggerWords {
    ZoneTrigger trigger;
    const wchar_t* words;
};
constexpr TriggerWords kWheelAndClick[] = {{WheelUp, L"wheel up"}, {WheelDown, L"wheel down"}, {Click, L"click"}};

// "; wheel up: Volume up; click: Sleep" for the zone, in words.
std::wstring WheelAndClickWords(int slot, ModifierKey modifier, EdgeZone zone)
{
    std::wstring text;
    for (const TriggerWords& t : kWheelAndClick) {
        const ActionIndex action = theData.AssignmentOn(slot, SetOf(t.trigger, modifier), zone);
        if (action != kNoActionIndex) text += L"; " + std::wstring(t.words) + L": " + ActionName(action);
    }
    return text;
}

}  // namespace

std::wstring WheelAndClickText(int slot, ModifierKey modifier, EdgeZone zone)
{
    if (zone < 0 || zone >= kZoneCount) return {};
    const ActionIndex up = theData.AssignmentOn(slot, SetOf(WheelUp, modifier), zone);
    const ActionIndex down = theData.AssignmentOn(slot, SetOf(WheelDown, modifier), zone);
    const ActionIndex click = theData.AssignmentOn(slot, SetOf(Click, modifier), zone);
    std::wstring text;
    if (up != kNoActionIndex && down != kNoActionIndex)
        text = L"Wheel: " + ActionName(up) + L" / " + ActionName(down);
    else if (up != kNoActionIndex)
        text = L"Wheel up: " + ActionName(up);
    else if (down != kNoActionIndex)
        text = L"Wheel down: " + ActionName(down);
    if (click != kNoActionIndex) text += (text.empty() ? L"Click: " : L"; Click: ") + ActionName(click);
    return text;
}

const wchar_t* PreviewLabel(ModifierKey modifier)
{
    switch (modifier) {
    case Shift:
        return L"Shift key actions";
    case Ctrl:
        return L"Ctrl key actions";
    default:
        return L"Press Shift or Ctrl keys to see their actions";
    }
}

std::wstring PreviewDescription(ModifierKey modifier, const MonitorSlots& slots)
{
    const auto m = static_cast<std::size_t>(modifier);
    std::wstring text;
    for (int zone = 0; zone < kZoneCount; ++zone) {
        if (!text.empty()) text += L" ";
        const EdgeZone z = static_cast<EdgeZone>(zone);
        const ActionIndex action = theData.assignments[m][static_cast<std::size_t>(zone)];
        text += std::wstring(ZoneName(z)) + L": " + ActionName(action) + WheelAndClickWords(-1, modifier, z) + L".";
    }
    for (const MonitorSlots::Monitor& monitor : slots.monitors) {
        if (monitor.slot < 0 || static_cast<std::size_t>(monitor.slot) >= theData.monitorAssignments.size()) continue;
        const auto& own = theData.monitorAssignments[static_cast<std::size_t>(monitor.slot)].actions;
        // Entering first, then the wheel and the click, each zone in order.
        const auto tell = [&](ActionSet set, const wchar_t* on) {
            for (int zone = 0; zone < kZoneCount; ++zone) {
                const ActionIndex action = own[static_cast<std::size_t>(set)][static_cast<std::size_t>(zone)];
                if (action == kSameAsAllMonitors) continue;
                const std::wstring name = FoldedCase(ZoneName(static_cast<EdgeZone>(zone)));
                text += L" On " + monitor.title + L", " + name + on + L": " + ActionName(action) + L".";
            }
        };
        tell(static_cast<ActionSet>(m), L"");
        for (const TriggerWords& t : kWheelAndClick)
            tell(SetOf(t.trigger, modifier), (L" on " + std::wstring(t.words)).c_str());
    }
    return text;
}

}  // namespace vorn
