#include "ui/wait_ring_model.h"

#include <algorithm>
#include <cmath>

namespace vorn::ui {

double WaitFraction(DWORD wait, DWORD left, DWORD elapsed)
{
    if (wait == 0) return 1.0;
    const double gone = static_cast<double>(wait) - static_cast<double>(left) + static_cast<double>(elapsed);
    return std::clamp(gone / static_cast<double>(wait), 0.0, 1.0);
}

int WaitRingSide(UINT dpi)
{
    if (dpi == 0) dpi = 96;
    return static_cast<int>((static_cast<long long>(kWaitRingSize) * dpi + 48) / 96);
}

namespace {

// One axis: after the pointer, else before it, then kept between `low` and `high`.
LONG Beside(LONG at, int side, LONG low, LONG high)
{
    // The arrow reaches about two thirds of the ring's side below and right
    // of its hot spot.
    const int clear = side * 2 / 3;
    LONG start = at + clear;
    if (start + side > high) start = at - clear - side;
    return std::clamp<LONG>(start, low, std::max<LONG>(low, high - side));
}

}  // namespace

RECT WaitRingPlace(POINT at, int side, const RECT& monitor)
{
    const LONG left = Beside(at.x, side, monitor.left, monitor.right);
    const LONG top = Beside(at.y, side, monitor.top, monitor.bottom);
    return RECT{left, top, left + side, top + side};
}

POINT WaitRingFillEnd(const RECT& box, double fraction)
{
    constexpr double kPi = 3.14159265358979323846;
    constexpr double kFar = 10000.0;
    const double angle = std::clamp(fraction, 0.0, 1.0) * 2.0 * kPi;
    const double centreX = (box.left + box.right) / 2.0;
    const double centreY = (box.top + box.bottom) / 2.0;
    return POINT{static_cast<LONG>(std::lround(centreX + kFar * std::sin(angle))),
                 static_cast<LONG>(std::lround(centreY - kFar * std::cos(angle)))};
}

}  // namespace vorn::ui
