#include <gtest/gtest.h>

#include "actions/custom_actions.h"
#include "engine/zones.h"
#include "platform/rect.h"
#include "settings/side_bands.h"
#include "ui/zone_overlay_model.h"

namespace vorn {
namespace {

// Eight pixels a letter, sixteen high: what the window would measure.
SIZE Measure(const std::wstring& text) { return SIZE{static_cast<LONG>(text.size() * 8), 16}; }

struct OverlayCase {
    const char* what;
    std::vector<RECT> monitors;
    bool everyMonitor;
    int corner;
    int side;
    int sideLength;
};

// Small screens, so that every pixel can be asked; sides wider than the
// corners too, where a corner cuts into them.
const OverlayCase kOverlayCases[] = {
    {"one monitor", {{0, 0, 320, 200}}, false, 3, 2, 70},
    {"one monitor, sides wider than the corners, full length", {{0, 0, 320, 200}}, false, 2, 6, 100},
    {"two monitors side by side, every monitor", {{0, 0, 320, 200}, {320, 0, 640, 200}}, true, 3, 2, 70},
    {"a taller monitor beside, every monitor", {{0, 40, 320, 240}, {320, 0, 560, 300}}, true, 10, 5, 100},
    {"two monitors, one virtual screen", {{0, 0, 320, 200}, {320, 0, 640, 200}}, false, 3, 2, 70},
};

class ZoneOverlayTest : public ::testing::TestWithParam<OverlayCase> {
protected:
    void SetUp() override
    {
        const OverlayCase& c = GetParam();
        data_.cornersOnEveryMonitor = c.everyMonitor;
        data_.cornerSize = c.corner;
        data_.sideWidth = c.side;
        data_.sideLength = c.sideLength;
        for (const RECT& m : c.monitors) {
            screen_.right = std::max(screen_.right, m.right);
            screen_.bottom = std::max(screen_.bottom, m.bottom);
            slots_.monitors.push_back(MonitorSlots::Monitor{m, -1, L""});
            list_.rects[static_cast<std::size_t>(list_.count++)] = m;
        }
        const SideBands bands = SideBandsOf(screen_.right, screen_.bottom, c.sideLength);
        data_.sideXLow = bands.xLow;
        data_.sideXHigh = bands.xHigh;
        data_.sideYLow = bands.yLow;
        data_.sideYHigh = bands.yHigh;
    }

    // The zone the engine finds at a point.
    EdgeZone RuleAt(POINT at) const
    {
        const OverlayCase& c = GetParam();
        if (c.everyMonitor) return ZoneOnMonitors(at, list_, c.corner, c.side, c.sideLength);
        const ZoneGeometry g{c.corner,          c.side,           screen_.right,   screen_.bottom,
                             data_.sideXLow, data_.sideXHigh, data_.sideYLow, data_.sideYHigh};
        return ZoneOfPoint(at, g);
    }

    CData data_;
    RECT screen_{0, 0, 0, 0};
    MonitorSlots slots_;
    MonitorList list_;
};

// Every pixel of every monitor: drawn in the zone the engine finds there,
// and not drawn where it finds none. Catches a zone drawn a pixel off (the
// upper right corner's extra row, a band's open ends), a side drawn where
// the pointer passes on to the next monitor, or a zone missing.
TEST_P(ZoneOverlayTest, EveryPixelIsDrawnInTheZoneTheEngineFindsThere)
{
    const std::vector<OverlayZone> zones =
        ComputeOverlayZones(data_, screen_.right, screen_.bottom, slots_, Plain, Measure);
    for (const RECT& m : GetParam().monitors)
        for (LONG y = m.top; y < m.bottom; ++y)
            for (LONG x = m.left; x < m.right; ++x) {
                const POINT at{x, y};
                EdgeZone drawn = NoZone;
                int times = 0;
                for (const OverlayZone& zone : zones)
                    for (const RECT& part : zone.parts)
                        if (Inside(part, at)) {
                            drawn = zone.zone;
                            ++times;
                        }
                ASSERT_LE(times, 1) << "(" << x << ", " << y << ") drawn twice";
                ASSERT_EQ(drawn, RuleAt(at)) << GetParam().what << " at (" << x << ", " << y << ")";
            }
}

// Each name sits inside the monitor of its zone, apart from the zone itself,
// so a zone a pixel deep still has a readable name beside it.
TEST_P(ZoneOverlayTest, EachNameIsOnItsMonitorBesideItsZone)
{
    const std::vector<OverlayZone> zones =
        ComputeOverlayZones(data_, screen_.right, screen_.bottom, slots_, Plain, Measure);
    ASSERT_FALSE(zones.empty());
    const RECT bounds = OverlayBounds(zones, screen_);
    for (const OverlayZone& zone : zones) {
        ASSERT_FALSE(zone.name.empty()) << ZoneName(zone.zone);
        const RECT& l = zone.label;
        EXPECT_EQ(l.right - l.left, Measure(zone.name).cx);
        const POINT corners[] = {{l.left, l.top}, {l.right - 1, l.bottom - 1}};
        for (const POINT p : corners) {
            EXPECT_TRUE(list_.Contains(p)) << ZoneName(zone.zone) << " off the screen";
            EXPECT_TRUE(Inside(bounds, p));
            if (zone.monitor >= 0) {
                EXPECT_TRUE(Inside(GetParam().monitors[static_cast<std::size_t>(zone.monitor)], p));
            }
            for (const RECT& part : zone.parts)
                EXPECT_FALSE(Inside(part, p)) << ZoneName(zone.zone) << ": its name covers it";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ZoneOverlayTest, ::testing::ValuesIn(kOverlayCases));

// A monitor with assignments of its own shows them, the other the shared
// ones; the modifier held picks the set.
TEST(ZoneOverlayNames, AMonitorWithItsOwnAssignmentIsNamedAfterIt)
{
    CData data;
    data.cornersOnEveryMonitor = true;
    data.cornerSize = 2;
    data.sideWidth = 2;
    data.sideLength = 70;
    const int slot = data.RememberMonitor(L"\\\\?\\DISPLAY#RIGHT#2", L"Right");
    const ActionIndex shared = data.AssignmentOn(-1, Shift, TopSide);
    const ActionIndex own = shared == 1 ? 2 : 1;
    data.SetAssignmentOn(slot, Shift, TopSide, own);
    MonitorSlots slots;
    slots.monitors = {{RECT{0, 0, 320, 200}, -1, L""}, {RECT{320, 0, 640, 200}, slot, L""}};
    for (const auto& [modifier, monitor, expected] :
         {std::tuple{Shift, 1, own}, std::tuple{Shift, 0, shared},
          std::tuple{Plain, 1, data.AssignmentOn(-1, Plain, TopSide)}}) {
        const std::vector<OverlayZone> zones = ComputeOverlayZones(data, 640, 200, slots, modifier, Measure);
        const auto found = std::find_if(zones.begin(), zones.end(), [&](const OverlayZone& z) {
            return z.zone == TopSide && z.monitor == monitor;
        });
        ASSERT_NE(found, zones.end()) << "monitor " << monitor;
        EXPECT_EQ(found->name, ActionName(expected)) << "monitor " << monitor << ", modifier " << modifier;
    }
}

}  // namespace
}  // namespace vorn
