// The colours of the monitor pictures on the Actions and Buttons pages. In
// high contrast they are the system's, on a plain background without the
// artwork, so that every outline shows in the user's theme; otherwise they
// are the pictures' own, chosen so that a selected button stands out from
// the others by the contrast the eye needs to tell them apart at a glance.
#pragma once

#include "ui/monitor_artwork.h"

namespace vorn {

// The system colours high contrast draws with.
struct SystemColours {
    Rgb window;
    Rgb windowText;
    Rgb highlight;
    Rgb highlightText;
    Rgb hotLight;
};

struct PictureColours {
    // The monitor artwork behind everything; else `background`.
    bool artwork;
    Rgb background;
    // The screen area's outline, the zones' outlines and the hint (only drawn
    // without the artwork), and every button's frame.
    Rgb outline;
    Rgb selectedZone;
    Rgb hotZone;
    Rgb button;
    Rgb selectedButton;
    // The frame of the selected button.
    Rgb selectedButtonFrame;
};

PictureColours ChoosePictureColours(bool highContrast, const SystemColours& system);

// The relative luminance of a colour (sRGB), 0 for black to 1 for white.
double RelativeLuminance(Rgb colour);
// The contrast ratio of two colours, (lighter + 0.05) / (darker + 0.05):
// 1 for equal colours, 21 for black on white.
double ContrastRatio(Rgb a, Rgb b);

// The least contrast a selected button keeps from the others.
inline constexpr double kSelectionContrast = 3.0;

}  // namespace vorn
