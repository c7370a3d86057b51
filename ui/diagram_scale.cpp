#include "ui/diagram_scale.h"

#include <algorithm>
#include <cstdint>

namespace vorn {
namespace {

// Division rounding towards minus infinity: points dragged off the picture
// have negative coordinates.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int DiagramScale::Pixels(int units) const
{
    // ceil(units × dpi / 96 − ½), in integers.
    const std::int64_t twice = 2 * static_cast<std::int64_t>(units) * dpi - kBaseDpi;
    return static_cast<int>(-FloorDiv(-twice, 2 * kBaseDpi));
}

int DiagramScale::Units(int pixels) const
{
    // floor((pixels + ½) × 96 / dpi).
    if (dpi <= 0) return pixels;
    return static_cast<int>(FloorDiv((2 * static_cast<std::int64_t>(pixels) + 1) * (kBaseDpi / 2), dpi));
}

RECT DiagramScale::Pixels(const RECT& units) const
{
    return RECT{Pixels(units.left), Pixels(units.top), Pixels(units.right), Pixels(units.bottom)};
}

SIZE DiagramScale::Pixels(SIZE units) const { return SIZE{Pixels(units.cx), Pixels(units.cy)}; }

POINT DiagramScale::Units(POINT pixels) const { return POINT{Units(pixels.x), Units(pixels.y)}; }

int PictureDpiInBox(int dpi, SIZE box)
{
    if (box.cx <= 0 || box.cy <= 0) return dpi;
    // The largest scale whose rounded length is at most `pixels`: length ×
    // dpi / 96 − ½ ≤ pixels.
    const auto largest = [](std::int64_t pixels, std::int64_t length) {
        return (2 * pixels + 1) * kBaseDpi / (2 * length);
    };
    const std::int64_t fits =
        std::min(largest(box.cx, kDiagramPictureSize.cx), largest(box.cy, kDiagramPictureSize.cy));
    return static_cast<int>(std::max<std::int64_t>(1, std::min<std::int64_t>(dpi, fits)));
}

ScaledImageStrip ScaleImageStrip(const ImageStrip& strip, int dpi)
{
    const SIZE cell = DiagramScale{dpi}.Pixels(strip.image);
    return ScaledImageStrip{strip.image, cell, SIZE{cell.cx * strip.count, cell.cy}};
}

RECT ScaledImageStrip::Source(int index) const { return RECT{index * image.cx, 0, (index + 1) * image.cx, image.cy}; }

RECT ScaledImageStrip::Cell(int index) const { return RECT{index * cell.cx, 0, (index + 1) * cell.cx, cell.cy}; }

}  // namespace vorn
