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
// text); edit boxes, lists and the pictures' screens the window's; what is
// chosen the highlight; links and the hovered zone the hot-light colour.
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
    {ColourRole::Picture, Rgb(255, 255, 255), COLOR_WINDOW},
    {ColourRole::PictureLine, Rgb(0, 0, 0), COLOR_WINDOWTEXT},
    {ColourRole::ZoneHover, Rgb(255, 255, 0), COLOR_HOTLIGHT},
    {ColourRole::ZoneSelected, Rgb(255, 0, 0), COLOR_HIGHLIGHT},
    {ColourRole::Button, Rgb(225, 225, 225), COLOR_WINDOW},
    {ColourRole::ButtonSelected, Rgb(190, 230, 255), COLOR_HIGHLIGHT},
    {ColourRole::FocusOutline, Rgb(0, 0, 0), COLOR_WINDOWTEXT},
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
