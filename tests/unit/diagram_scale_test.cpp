// The monitor pictures at 100 to 200 %: every pixel of the scaled picture
// means what it shows, and a button drawn at any scale is stored with the
// numbers of the same drag at 100 %.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "buttons/button_editor.h"
#include "tests/fake/fixture.h"
#include "tests/fake/temp_folder.h"
#include "ui/actions_page_model.h"
#include "ui/diagram_scale.h"
#include "ui/monitor_artwork.h"

namespace vorn {
namespace {

constexpr int kDpis[] = {96, 120, 144, 168, 192};

bool Holds(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

TEST(DiagramScale, EveryPixelOfTheScaledPictureNamesTheZonePaintedUnderIt)
{
    for (const int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const DiagramScale scale{dpi};
        const SIZE shown = scale.Pixels(kDiagramPictureSize);
        int mismatches = 0;
        for (int y = -2; y < shown.cy + 2; ++y)
            for (int x = -2; x < shown.cx + 2; ++x) {
                EdgeZone painted = NoZone;
                for (int zone = 0; zone < kZoneCount && painted == NoZone; ++zone)
                    if (Holds(scale.Pixels(kDiagramZoneRects[static_cast<std::size_t>(zone)]), x, y))
                        painted = EdgeZone(zone);
                mismatches += DiagramZoneAt(scale.Units(POINT{x, y})) != painted;
            }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(DiagramScale, TheLowerRightCornersEdgesInBothDirections)
{
    const RECT corner = kDiagramZoneRects[LowerRightCorner];  // 200, 149 to 220, 169
    for (const int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const DiagramScale scale{dpi};
        const RECT r = scale.Pixels(corner);
        EXPECT_EQ(DiagramZoneAt(scale.Units(POINT{r.left, r.top})), LowerRightCorner);
        EXPECT_EQ(DiagramZoneAt(scale.Units(POINT{r.right - 1, r.bottom - 1})), LowerRightCorner);
        EXPECT_EQ(DiagramZoneAt(scale.Units(POINT{r.left - 1, r.top})), NoZone);
        EXPECT_EQ(DiagramZoneAt(scale.Units(POINT{r.left, r.top - 1})), NoZone);
        EXPECT_EQ(DiagramZoneAt(scale.Units(POINT{r.right, r.bottom - 1})), NoZone);
        EXPECT_EQ(DiagramZoneAt(scale.Units(POINT{r.right - 1, r.bottom})), NoZone);
    }
}

TEST(DiagramScale, UnitsArePlacedInProportionAndComeBackUnchanged)
{
    for (const int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const DiagramScale scale{dpi};
        for (int units = -40; units <= 300; ++units) {
            const double exact = units * dpi / 96.0;
            EXPECT_LE(std::abs(scale.Pixels(units) - exact), 0.5) << units;
            EXPECT_EQ(scale.Units(scale.Pixels(units)), units) << units;
        }
        // The screen area (9, 10)-(220, 169) and the picture itself.
        const RECT area = scale.Pixels(RECT{9, 10, 220, 169});
        EXPECT_NEAR(area.right - area.left, 211 * dpi / 96.0, 1.0);
        EXPECT_NEAR(area.bottom - area.top, 159 * dpi / 96.0, 1.0);
        const SIZE shown = scale.Pixels(kDiagramPictureSize);
        EXPECT_NEAR(shown.cx, 230 * dpi / 96.0, 0.5);
        EXPECT_NEAR(shown.cy, 225 * dpi / 96.0, 0.5);
    }
    // Off the picture, up and left: still the unit under the pixel.
    EXPECT_EQ((DiagramScale{192}.Units(POINT{-1, -3})).x, -1);
    EXPECT_EQ((DiagramScale{192}.Units(POINT{-1, -3})).y, -2);
    EXPECT_EQ(DiagramScale{144}.Pixels(-5), -8);
}

class ScaledDrawingTest : public fake::DesktopTest {
protected:
    ScaledDrawingTest() { theData.settingsPath = folder.File(L"Vorn.ini"); }

    // A drag over the picture shown at `dpi`, between the pixels that show
    // the given units, as the page hands it to the editor.
    RECT DrawAt(int dpi, std::vector<POINT> units)
    {
        const DiagramScale scale{dpi};
        const auto at = [&](POINT u) { return scale.Units(POINT{scale.Pixels(u.x), scale.Pixels(u.y)}); };
        editor.LeftButtonDown(at(units.front()));
        for (std::size_t i = 1; i < units.size(); ++i)
            editor.MouseMove(at(units[i]));
        editor.LeftButtonUp();
        return theButtons.List().empty() ? RECT{} : theButtons.List().front()->diagramRect;
    }

    fake::TempFolder folder;
    IButtonEditorView view;
    CButtonEditor editor{view};
};

TEST_F(ScaledDrawingTest, AButtonDrawnAtAnyScaleIsStoredWithTheNumbersOfTheSameDragAt100Percent)
{
    const std::vector<POINT> drags[] = {
        {{50, 60}, {80, 90}, {120, 101}},  // inside the area
        {{9, 10}, {40, 40}},               // from the area's top left corner
        {{200, 150}, {219, 168}},          // to its bottom right pixel
    };
    for (const auto& drag : drags) {
        theButtons.DeleteAllButtons();
        const RECT at100 = DrawAt(96, drag);
        ASSERT_NE(at100.right, 0);
        for (const int dpi : kDpis) {
            theButtons.DeleteAllButtons();
            const RECT r = DrawAt(dpi, drag);
            EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
                      (std::vector<LONG>{at100.left, at100.top, at100.right, at100.bottom}))
                << dpi;
        }
    }
}

}  // namespace
}  // namespace vorn

namespace vorn {
namespace {

TEST(MonitorArtwork, AtEveryScaleTheGlassCoversExactlyTheScreenAreaTheZonesArePaintedOn)
{
    constexpr Rgb kRecess{52, 56, 66};
    for (const int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const DiagramScale scale{dpi};
        const MonitorArtwork art = DrawMonitorArtwork(scale, kWhiteSurround, 2, 158);
        ASSERT_EQ(art.width, scale.Pixels(kDiagramPictureSize).cx);
        ASSERT_EQ(art.height, scale.Pixels(kDiagramPictureSize).cy);
        ASSERT_EQ(art.pixels.size(), static_cast<std::size_t>(art.width) * static_cast<std::size_t>(art.height));
        const RECT glass = scale.Pixels(RECT{9, 10, 220, 169});
        const int midX = (glass.left + glass.right) / 2, midY = (glass.top + glass.bottom) / 2;
        // The recess just outside each edge, the landscape just inside.
        EXPECT_EQ(art.At(glass.left - 1, midY), kRecess);
        EXPECT_EQ(art.At(glass.right, midY), kRecess);
        EXPECT_EQ(art.At(midX, glass.top - 1), kRecess);
        EXPECT_EQ(art.At(midX, glass.bottom), kRecess);
        EXPECT_NE(art.At(glass.left, midY), kRecess);
        EXPECT_NE(art.At(glass.right - 1, midY), kRecess);
        EXPECT_NE(art.At(midX, glass.top), kRecess);
        EXPECT_NE(art.At(midX, glass.bottom - 1), kRecess);
        // Sky at the top of the glass, grass at its bottom, the case's silver
        // below it, the surround in the picture's corners.
        const Rgb sky = art.At(glass.left + 2, glass.top + 2);
        EXPECT_GT(sky.b, sky.r + 60);
        const Rgb grass = art.At(midX, glass.bottom - 2);
        EXPECT_GT(grass.g, grass.r + 30);
        EXPECT_GT(grass.g, grass.b + 30);
        const Rgb chin = art.At(glass.left + 4, scale.Pixels(180));
        EXPECT_GT(chin.r, 150);
        EXPECT_LT(std::abs(chin.r - chin.b), 30);
        EXPECT_EQ(art.At(0, art.height - 1), kWhiteSurround);
        EXPECT_EQ(art.At(art.width - 1, 0), kWhiteSurround);
    }
    const MonitorArtwork old = DrawMonitorArtwork(DiagramScale{144}, kButtonFaceSurround, 2, 158);
    EXPECT_EQ(old.At(0, old.height - 1), kButtonFaceSurround);
}

TEST(MonitorArtwork, TheHintsBandDarkensTheSkyBehindItOnlyWhenThereIsAHint)
{
    for (const int dpi : {96, 192}) {
        const DiagramScale scale{dpi};
        const MonitorArtwork plain = DrawMonitorArtwork(scale, kWhiteSurround, 0, 0);
        const MonitorArtwork hinted = DrawMonitorArtwork(scale, kWhiteSurround, 2, 158);
        const int x = scale.Pixels(115), y = hinted.hintCentreY;
        EXPECT_EQ(y, scale.Pixels(68));
        const auto light = [](Rgb c) { return c.r + c.g + c.b; };
        EXPECT_LT(light(hinted.At(x, y)), light(plain.At(x, y)) - 60) << dpi;
        // Well away from the band: the same picture.
        EXPECT_EQ(hinted.At(x, scale.Pixels(150)), plain.At(x, scale.Pixels(150))) << dpi;
    }
}

}  // namespace
}  // namespace vorn

namespace vorn {
namespace {

// Points of the drawings that must show their shape at every scale: inside
// the letters, inside the o's counter, on the pointer, on the stand, on a fir.
TEST(MonitorArtwork, TheShapesShowWhereTheyAreDrawnAtEveryScale)
{
    const auto bright = [](Rgb c) { return c.r > 170 && c.g > 170 && c.b > 170; };
    const auto grey = [](Rgb c) { return std::abs(c.r - c.b) < 30 && c.r > 120; };
    for (const int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        const DiagramScale scale{dpi};
        const MonitorArtwork banner = DrawBannerArtwork(scale);
        ASSERT_EQ(banner.width, scale.Pixels(kBannerSize.cx));
        const auto at = [&](const MonitorArtwork& art, double x, double y) {
            return art.At(static_cast<int>(x * dpi / 96), static_cast<int>(y * dpi / 96));
        };
        EXPECT_TRUE(bright(at(banner, 23.5, 15))) << "the V's left stroke";
        EXPECT_TRUE(bright(at(banner, 38.5, 49))) << "the V's point";
        EXPECT_FALSE(bright(at(banner, 38.5, 30))) << "between the V's strokes";
        EXPECT_TRUE(bright(at(banner, 60.5, 37.5))) << "the o's left side";
        EXPECT_FALSE(bright(at(banner, 74.3, 37.5))) << "the o's counter";
        EXPECT_TRUE(bright(at(banner, 264.5, 40))) << "the pointer";
        EXPECT_FALSE(bright(at(banner, 258, 40))) << "beside the pointer";
        EXPECT_GT(at(banner, 100, 76.5).r, at(banner, 100, 80).r + 40) << "the amber accent";

        const MonitorArtwork monitor = DrawMonitorArtwork(scale, kWhiteSurround, 0, 0);
        EXPECT_TRUE(grey(at(monitor, 114.5, 196))) << "the stand's neck";
        EXPECT_EQ(at(monitor, 40, 196), kWhiteSurround) << "beside the neck";
        const Rgb fir = at(monitor, 9 + 22, 10 + 123.6 - 4);
        EXPECT_GT(fir.g, fir.r + 30) << "a fir";
        EXPECT_LT(fir.g, 120) << "a fir, darker than the meadow";
    }
}

}  // namespace
}  // namespace vorn

namespace vorn {
namespace {

// The tab icons and the trees' icons at scales that are and are not a whole
// multiple of a quarter: the image list, which cuts a strip into images of
// its own size, finds every image whole in its cell.
TEST(ImageStrip, TheScaledStripHoldsEveryImageInACellOfTheImageListsSize)
{
    for (const ImageStrip& strip : {kTabImageStrip, kTreeImageStrip}) {
        for (const int dpi : {96, 100, 106, 120, 144}) {
            SCOPED_TRACE(testing::Message() << strip.count << " images at " << dpi);
            const ScaledImageStrip scaled = ScaleImageStrip(strip, dpi);
            EXPECT_NEAR(scaled.cell.cx, strip.image.cx * dpi / 96.0, 0.5);
            EXPECT_NEAR(scaled.cell.cy, strip.image.cy * dpi / 96.0, 0.5);
            // What the image list makes of the strip: width ÷ its image width.
            EXPECT_EQ(scaled.size.cx / scaled.cell.cx, strip.count);
            EXPECT_EQ(scaled.size.cx % scaled.cell.cx, 0);
            EXPECT_EQ(scaled.size.cy, scaled.cell.cy);
            // The last image, whole, in the last cell the list cuts.
            const RECT cell = scaled.Cell(strip.count - 1), source = scaled.Source(strip.count - 1);
            EXPECT_EQ((std::vector<LONG>{cell.left, cell.right, cell.bottom}),
                      (std::vector<LONG>{scaled.size.cx - scaled.cell.cx, scaled.size.cx, scaled.cell.cy}));
            EXPECT_EQ(
                (std::vector<LONG>{source.left, source.right, source.bottom}),
                (std::vector<LONG>{strip.image.cx * (strip.count - 1), strip.image.cx * strip.count, strip.image.cy}));
        }
    }
}

}  // namespace
}  // namespace vorn

namespace vorn {
namespace {

// The picture takes the display's scale while the dialog's box for it holds
// it, and the largest scale that fits when the box is smaller.
TEST(DiagramScale, ThePictureNeverOutgrowsTheBoxTheDialogGivesIt)
{
    const auto fits = [](int dpi, SIZE box) {
        const SIZE shown = DiagramScale{dpi}.Pixels(kDiagramPictureSize);
        return shown.cx <= box.cx && shown.cy <= box.cy;
    };
    for (const int dpi : {96, 120, 144, 168, 192, 240}) {
        SCOPED_TRACE(dpi);
        const SIZE exact = DiagramScale{dpi}.Pixels(kDiagramPictureSize);
        const SIZE boxes[] = {exact,
                              {exact.cx + 40, exact.cy + 3},
                              {exact.cx - 1, exact.cy},
                              {exact.cx, exact.cy - 1},
                              {exact.cx * 9 / 10, exact.cy * 9 / 10}};
        for (const SIZE box : boxes) {
            const int chosen = PictureDpiInBox(dpi, box);
            EXPECT_TRUE(fits(chosen, box)) << box.cx << " x " << box.cy;
            EXPECT_LE(chosen, dpi);
            // No larger scale would fit, up to the display's.
            if (chosen < dpi) {
                EXPECT_FALSE(fits(chosen + 1, box)) << box.cx << " x " << box.cy;
            }
        }
        EXPECT_EQ(PictureDpiInBox(dpi, exact), dpi);
        EXPECT_LT(PictureDpiInBox(dpi, SIZE{exact.cx, exact.cy - 1}), dpi);
        // Not laid out yet, in either direction.
        EXPECT_EQ(PictureDpiInBox(dpi, SIZE{0, exact.cy}), dpi);
        EXPECT_EQ(PictureDpiInBox(dpi, SIZE{exact.cx, 0}), dpi);
    }
}

}  // namespace
}  // namespace vorn
