// The desktop's monitors as the port reports them: their rectangles, the
// work area of the monitor a window is on, and whether a window fills its
// monitor the way a game, a video or a slide show does.
#pragma once

#include <array>

#include "platform/win.h"

namespace vorn {

// More than any desktop has; further monitors are ignored. A fixed list, so
// that reading it at every poll allocates nothing.
inline constexpr int kMaxMonitors = 16;

struct MonitorList {
    std::array<RECT, kMaxMonitors> rects{};
    int count = 0;

    // The first monitor holding the point, or null.
    const RECT* At(POINT point) const;
    bool Contains(POINT point) const { return At(point) != nullptr; }
};

// The monitors now, in the order the system lists them; empty when it cannot tell.
MonitorList DisplayMonitors();

// The work area the window actions keep a window in: with corners on every
// monitor, that of the monitor the window is on; otherwise (or when that
// cannot be read) the primary monitor's.
bool WorkAreaFor(HWND window, RECT& work);

// Whether the window fills its whole monitor without a title bar: a
// borderless or exclusive full-screen program. Never the shell's desktop, the
// taskbar, a minimised window, or a window of Vorn's own (the preview).
bool IsFullScreenWindow(HWND window);

}  // namespace vorn
