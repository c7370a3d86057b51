// The wait ring's arithmetic (portable): how full it is and where it stands
// beside the pointer. The window that draws it is in wait_ring.h.
#pragma once

#include "platform/win.h"

namespace vorn::ui {

// The ring's side at 96 dots per inch.
inline constexpr int kWaitRingSize = 24;

// How much of a wait of `wait` ms is gone, from 0 to 1: `left` ms of it were
// still to go when it was shown, `elapsed` ms ago.
double WaitFraction(DWORD wait, DWORD left, DWORD elapsed);

// The ring's side in pixels on a monitor of `dpi` dots per inch.
int WaitRingSide(UINT dpi);

// The ring's square of side `side` beside the pointer at `at`: below and to
// the right of the hot spot, clear of the arrow, or on the other side of the
// pointer where the monitor `monitor` ends; always inside the monitor.
RECT WaitRingPlace(POINT at, int side, const RECT& monitor);

// The point where the filled part of a ring in `box` ends, filling
// clockwise from the top: on a circle far outside the box, so that a
// pie drawn to it is exact to a fraction of a degree.
POINT WaitRingFillEnd(const RECT& box, double fraction);

}  // namespace vorn::ui
