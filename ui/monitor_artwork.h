// The monitor pictures of the Actions and Buttons pages, drawn at run time at
// any scale: a flat panel on a stand showing a landscape, with a soft dark
// band where the page's hint is written. Drawn from shapes in the 100 %
// units of the pictures, so that every scale is as sharp as 100 %. The hint's
// words are the window layer's to write, in a font of the same scale.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/diagram_scale.h"

namespace vorn {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// What lies around the panel: white, or the button face of the old theme.
inline constexpr Rgb kWhiteSurround{255, 255, 255};
inline constexpr Rgb kButtonFaceSurround{236, 233, 216};

struct MonitorArtwork {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows top down
    // Where the hint goes, in pixels: centred on this line of the screen.
    int hintCentreY = 0;

    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x]; }
};

// The picture at `scale`, kDiagramPictureSize units large, with a band
// behind `hintLines` lines of hint text `hintWidth` units wide.
MonitorArtwork DrawMonitorArtwork(DiagramScale scale, Rgb surround, int hintLines, int hintWidth);

// The About page's banner, 310 x 90 units: "Vorn" in a bold geometric face
// and a small screen whose corners glow, on a blue gradient. Its tag line
// is the window layer's to write, at the units' (22, 63), 8 units high, in
// kBannerTagColour, with the amber accent under it drawn here.
inline constexpr SIZE kBannerSize{310, 90};
inline constexpr Rgb kBannerTagColour{210, 230, 252};
MonitorArtwork DrawBannerArtwork(DiagramScale scale);

}  // namespace vorn
