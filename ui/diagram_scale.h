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
// The part of the picture that stands for the screen.
inline constexpr RECT kPictureScreenArea{9, 10, 220, 169};

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

// The scale the monitor picture is drawn at in a box of `box` pixels, as
// the dialog lays out its control, on a display of `dpi`: the display's,
// unless that would make the picture larger than the box (a dialog font
// smaller than the display's scale makes the box smaller), then the largest
// at which it fits, so that it never covers the controls beside it.
int PictureDpiInBox(int dpi, SIZE box);

// A strip of `count` images of `image` pixels each, side by side at 100 %:
// the tab icons and the trees' icons.
struct ImageStrip {
    SIZE image;
    int count;
};
inline constexpr ImageStrip kTabImageStrip{{20, 19}, 5};
inline constexpr ImageStrip kTreeImageStrip{{16, 14}, 8};

// The strip at a scale. Each image is scaled on its own to the cell size,
// the size of the image list: the list cuts the strip into exactly `count`
// images, each the whole of one image, whatever the scale.
struct ScaledImageStrip {
    SIZE image;  // at 100 %
    SIZE cell;
    SIZE size;  // of the whole scaled strip
    // Image `index` in the 100 % strip, and the cell it is scaled into.
    RECT Source(int index) const;
    RECT Cell(int index) const;
};
ScaledImageStrip ScaleImageStrip(const ImageStrip& strip, int dpi);

}  // namespace vorn
