// Points and rectangles as Win32 has them (portable): a rectangle holds its
// left and top edges, not its right and bottom ones.
#pragma once

#include "platform/win.h"

namespace vorn {

// Whether `p` lies in `r`, as PtInRect has it.
constexpr bool Inside(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace vorn
