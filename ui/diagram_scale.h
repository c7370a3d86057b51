// The monitor pictures of the Actions and Buttons pages are laid out in the
// pixels of their 100 % artwork: the zone rectangles, the screen area and the
// buttons' stored rectangles. On a scaled display the picture is shown that
// many times larger; these convert between its units and its real pixels at
// the edges (the mouse, the painting), so that everything else keeps working
// in units.
#pragma once

#include "platform/win.h"

namespace vorn {

inline constexpr int kBaseDpi = 96;
// The artwork's size at 100 %.
inline constexpr SIZE kDiagramPictureSize{230, 225};

struct DiagramScale {
    int dpi = kBaseDpi;

    // The first pixel whose centre lies on or after the unit edge `units`:
    // a pixel lies inside a rectangle converted with this exactly when its
    // centre, in units, does.
    int Pixels(int units) const;
    // The unit under the centre of pixel `pixels`.
    int Units(int pixels) const;

    RECT Pixels(const RECT& units) const;
    SIZE Pixels(SIZE units) const;
    POINT Units(POINT pixels) const;
};

}  // namespace vorn
