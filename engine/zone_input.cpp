#include "engine/zone_input.h"

#include <cstdlib>

#include "platform/rect.h"
#include "settings/monitor_settings.h"

namespace vorn {

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

bool ZoneInputTarget::Holds(POINT at) const
{
    if (zone == NoZone) return false;
    if (onMonitors) {
        int holding = -1;
        return ZoneOnMonitors(at, monitors, geometry.cornerSize, geometry.sideWidth, sideLength, &holding) == zone &&
               holding == monitor;
    }
    if (within.right > within.left && !Inside(within, at)) return false;
    return ZoneOfPoint(at, geometry) == zone;
}

bool ZoneInputTarget::SameAs(const ZoneInputTarget& o) const
{
    const ZoneGeometry& g = geometry;
    const ZoneGeometry& h = o.geometry;
    if (zone != o.zone || slot != o.slot || takes != o.takes || onMonitors != o.onMonitors || monitor != o.monitor ||
        sideLength != o.sideLength || !SameRect(within, o.within) || g.cornerSize != h.cornerSize ||
        g.sideWidth != h.sideWidth || g.screenWidth != h.screenWidth || g.screenHeight != h.screenHeight ||
        g.sideXLow != h.sideXLow || g.sideXHigh != h.sideXHigh || g.sideYLow != h.sideYLow ||
        g.sideYHigh != h.sideYHigh || monitors.count != o.monitors.count)
        return false;
    for (int i = 0; i < monitors.count; ++i)
        if (!SameRect(monitors.rects[static_cast<std::size_t>(i)], o.monitors.rects[static_cast<std::size_t>(i)]))
            return false;
    return true;
}

std::uint16_t ZoneInputTakes(const CData& data, int slot, EdgeZone zone)
{
    if (zone < 0 || zone >= kZoneCount) return 0;
    std::uint16_t takes = 0;
    for (ActionSet set = kModifierCount; set < kActionSetCount; ++set)
        if (data.AssignmentOn(slot, set, zone) != kNoActionIndex)
            takes = static_cast<std::uint16_t>(takes | (1u << (set - kModifierCount)));
    return takes;
}

ZoneInputAnswer CZoneInputFilter::Event(MouseInput input, POINT at, int wheelDelta, ModifierKey modifier)
{
    switch (input) {
    case MouseInput::Wheel: {
        const ActionSet set = SetOf(wheelDelta > 0 ? WheelUp : WheelDown, modifier);
        if (wheelDelta == 0 || !target_.Holds(at) || !target_.Takes(set)) {
            wheel_ = 0;
            return {};
        }
        // A turn the other way starts a notch of its own.
        if ((wheel_ > 0) != (wheelDelta > 0)) wheel_ = 0;
        wheel_ += wheelDelta;
        const int notches = wheel_ / kWheelNotch;
        wheel_ -= notches * kWheelNotch;
        return {true, set, std::abs(notches)};
    }
    case MouseInput::LeftDown:
        if (!target_.Holds(at) || !target_.Takes(SetOf(Click, modifier))) return {};
        pressTaken_ = true;
        pressModifier_ = modifier;
        return {true, SetOf(Click, modifier), 0};
    case MouseInput::LeftUp: {
        // The window below never saw the press: it does not see the release
        // either. A press that began elsewhere (a drag into the zone) is not
        // the zone's, nor is its release.
        if (!pressTaken_) return {};
        pressTaken_ = false;
        const ActionSet set = SetOf(Click, pressModifier_);
        return {true, set, target_.Holds(at) && target_.Takes(set) ? 1 : 0};
    }
    case MouseInput::Other:
        break;
    }
    return {};
}

}  // namespace vorn
