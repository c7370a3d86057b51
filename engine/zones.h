// The zone rule: which hot zone a point of the screen lies in, on the virtual
// screen or on every monitor. The engine, the preview and the pages share it.
#pragma once

#include "engine/monitors.h"
#include "settings/side_bands.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

// Everything the zone test needs, read once per poll.
struct ZoneGeometry {
    int cornerSize;
    int sideWidth;
    int screenWidth;   // SM_CXVIRTUALSCREEN
    int screenHeight;  // SM_CYVIRTUALSCREEN
    int sideXLow;
    int sideXHigh;
    int sideYLow;
    int sideYHigh;
};

// The zone of a point in screen coordinates. The screen is taken to span
// (0, 0) to (width, height); the first test that holds wins, corners first.
// The upper right corner is one row taller than the others.
EdgeZone ZoneOfPoint(POINT point, const ZoneGeometry& geometry);

// The geometry of the settings and the virtual screen now: what a look at
// the pointer hands the edge state machine.
ZoneGeometry CurrentZoneGeometry();

// With corners on every monitor: the zone of the point on the monitor that
// holds it, measured on that monitor with the same sizes. An edge counts only
// where the pointer can go no further (the desktop's outer boundary), so
// crossing from one monitor to the next fires nothing. `monitor`, when
// given, receives the index of the monitor holding the point (-1: none).
EdgeZone ZoneOnMonitors(POINT point, const MonitorList& monitors, int cornerSize, int sideWidth, int sideLength,
                        int* monitor = nullptr);

}  // namespace vorn
