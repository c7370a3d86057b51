// What the zone overlay draws (portable): every zone of every monitor at the
// very pixels the engine answers for it, and beside each, inside the screen,
// the name of its action. A zone is often a pixel or two deep, so its name
// cannot sit on it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win.h"
#include "settings/data.h"
#include "ui/preview_layout.h"

namespace vorn {

struct OverlayZone {
    EdgeZone zone;
    // The index of its monitor in the slots given; -1 for the virtual screen's zones.
    int monitor;
    // Screen pixels: where the pointer is in this zone, as the zone rule has
    // it (a side cut where another monitor continues the desktop, a corner
    // taking precedence over a side). Never empty.
    std::vector<RECT> parts;
    // Where the name is written, on the screen; empty when there is no name.
    RECT label;
    std::wstring name;  // its action for the modifier, on its monitor
};

// The width and height of a text as it will be drawn, padding included.
using MeasureText = std::function<SIZE(const std::wstring&)>;

// The zones for the settings in `data`. Without corners on every monitor, the
// zones of the virtual screen of `screenWidth` x `screenHeight` (from (0, 0),
// as the zone rule measures it), each named after the assignment of the
// monitor holding it; with them, each monitor's own zones, where the desktop
// ends, with that monitor's assignments. `slots` lists the monitors.
std::vector<OverlayZone> ComputeOverlayZones(const CData& data, int screenWidth, int screenHeight,
                                             const MonitorSlots& slots, ModifierKey modifier,
                                             const MeasureText& measure);

// The smallest rectangle holding `screen` and every part and label.
RECT OverlayBounds(const std::vector<OverlayZone>& zones, const RECT& screen);

}  // namespace vorn
