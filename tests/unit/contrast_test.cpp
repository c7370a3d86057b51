// The colours Vorn paints with: the system's while high contrast is on,
// paired as the system pairs them; the usual ones otherwise.
#include <gtest/gtest.h>

#include "tests/fake/fixture.h"
#include "ui/contrast.h"

namespace vorn::ui {
namespace {

class ContrastTest : public fake::DesktopTest {};

TEST_F(ContrastTest, TheThemeIsAskedOfTheSystem)
{
    EXPECT_FALSE(HighContrastOn());
    desktop.highContrast = true;
    EXPECT_TRUE(HighContrastOn());
    desktop.highContrast = false;
    EXPECT_FALSE(HighContrastOn());
    // A system that cannot tell counts as no high contrast.
    desktop.highContrast = true;
    UninstallPort();
    EXPECT_FALSE(HighContrastOn());
}

// Outside high contrast a mouse user sees the colours Vorn has always had:
// fixed ones, whatever the theme (the window tests read them as painted).
TEST(ColourChoice, OutsideHighContrastNoColourIsTheSystems)
{
    for (int role = 0; role < kColourRoleCount; ++role)
        EXPECT_FALSE(ChooseColour(static_cast<ColourRole>(role), false).IsSystem()) << role;
}

// In high contrast every colour is the system's, and whatever is drawn on
// something else takes the colour the system made for that background: the
// text of a dialog on its face, of a window on its window colour, links in
// the hot-light colour.
TEST(ColourChoice, InHighContrastEveryRoleIsASystemColourPairedWithItsBackground)
{
    for (int role = 0; role < kColourRoleCount; ++role)
        EXPECT_TRUE(ChooseColour(static_cast<ColourRole>(role), true).IsSystem()) << role;

    const struct {
        ColourRole drawn, on;
        int drawnColour, onColour;
    } pairs[] = {
        {ColourRole::PageText, ColourRole::Page, COLOR_BTNTEXT, COLOR_BTNFACE},
        {ColourRole::Link, ColourRole::Page, COLOR_HOTLIGHT, COLOR_BTNFACE},
        {ColourRole::LinkVisited, ColourRole::Page, COLOR_HOTLIGHT, COLOR_BTNFACE},
        {ColourRole::LinkHover, ColourRole::Page, COLOR_HOTLIGHT, COLOR_BTNFACE},
        {ColourRole::FieldText, ColourRole::Field, COLOR_WINDOWTEXT, COLOR_WINDOW},
        // The preview's texts lie on the dialog's own face.
        {ColourRole::PreviewText, ColourRole::Page, COLOR_BTNTEXT, COLOR_BTNFACE},
        {ColourRole::PreviewZone, ColourRole::Page, COLOR_HIGHLIGHT, COLOR_BTNFACE},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(pair.drawn) << " on " << static_cast<int>(pair.on));
        EXPECT_EQ(ChooseColour(pair.drawn, true).systemIndex, pair.drawnColour);
        EXPECT_EQ(ChooseColour(pair.on, true).systemIndex, pair.onColour);
    }
}

}  // namespace
}  // namespace vorn::ui
