// A window on its monitor: the work area the window actions keep it in, and
// whether it fills its monitor the way a game, a video or a slide show does.
#pragma once

#include "platform/win.h"

namespace vorn {

// The work area the window actions keep a window in: with corners on every
// monitor, that of the monitor the window is on; otherwise (or when that
// cannot be read) the primary monitor's.
bool WorkAreaFor(HWND window, RECT& work);

// Whether the window fills its whole monitor without a title bar: a
// borderless or exclusive full-screen program. Never the shell's desktop, the
// taskbar, a minimised window, or a window of Vorn's own (the preview).
bool IsFullScreenWindow(HWND window);

}  // namespace vorn
