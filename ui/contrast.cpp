#include "ui/contrast.h"

#include <array>

#include "platform/port.h"

namespace vorn::ui {
namespace {

constexpr COLORREF Rgb(int r, int g, int b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

struct RoleColours {
    ColourRole role;
    COLORREF normal;  // outside high contrast
    int system;       // in high contrast
};

// Pages, labels and the preview take the dialog's pair (button face and
// text); edit boxes and lists the window's; the preview's zones the
// highlight; links the hot-light colour. The pictures choose their own.
constexpr std::array<RoleColours, kColourRoleCount> kRoles = {{
    {ColourRole::Page, Rgb(255, 255, 255), COLOR_BTNFACE},
    {ColourRole::PageText, Rgb(0, 0, 0), COLOR_BTNTEXT},
    {ColourRole::Field, Rgb(255, 255, 255), COLOR_WINDOW},
    {ColourRole::FieldText, Rgb(0, 0, 0), COLOR_WINDOWTEXT},
    {ColourRole::Link, Rgb(0, 0, 238), COLOR_HOTLIGHT},
    {ColourRole::LinkVisited, Rgb(85, 26, 139), COLOR_HOTLIGHT},
    {ColourRole::LinkHover, Rgb(255, 0, 0), COLOR_HOTLIGHT},
    {ColourRole::PreviewZone, Rgb(255, 0, 0), COLOR_HIGHLIGHT},
    {ColourRole::PreviewText, Rgb(0, 0, 0), COLOR_BTNTEXT},
}};

constexpr bool InRoleOrder()
{
    for (std::size_t i = 0; i < kRoles.size(); ++i)
        if (kRoles[i].role != static_cast<ColourRole>(i)) return false;
    return true;
}
static_assert(InRoleOrder(), "one row per role, in the order of the roles");

}  // namespace

bool HighContrastOn()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    if (!os::Shell().SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

ColourChoice ChooseColour(ColourRole role, bool highContrast)
{
    const RoleColours& colours = kRoles[static_cast<std::size_t>(role)];
    if (highContrast) return ColourChoice{colours.system, 0};
    return ColourChoice{-1, colours.normal};
}

}  // namespace vorn::ui
