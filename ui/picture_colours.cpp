#include "ui/picture_colours.h"

#include <algorithm>
#include <cmath>

namespace vorn {

PictureColours ChoosePictureColours(bool highContrast, const SystemColours& system)
{
    if (highContrast)
        return PictureColours{false,           system.window, system.windowText, system.highlight,
                              system.hotLight, system.window, system.highlight,  system.highlightText};
    // The others light grey, the selected one a deep blue: about 4 : 1.
    return PictureColours{true,
                          Rgb{255, 255, 255},
                          Rgb{0, 0, 0},
                          Rgb{255, 0, 0},
                          Rgb{255, 255, 0},
                          Rgb{225, 225, 225},
                          Rgb{0, 102, 204},
                          Rgb{0, 0, 0}};
}

double RelativeLuminance(Rgb colour)
{
    const auto linear = [](std::uint8_t value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.r) + 0.7152 * linear(colour.g) + 0.0722 * linear(colour.b);
}

double ContrastRatio(Rgb a, Rgb b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace vorn
