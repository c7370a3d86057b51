#include "ui/preview_layout.h"

namespace vorn {

PreviewLayout ComputePreviewLayout(int cx, int cy, ModifierKey modifier)
{
    const CData& d = theData;
    const int c = d.cornerSize;
    const int s = d.sideWidth;
    PreviewLayout layout{};
    layout.areas[UpperLeftCorner] = RECT{0, 0, c, c};
    layout.areas[UpperRightCorner] = RECT{cx - c - 1, 0, cx - 1, c};
    layout.areas[LowerLeftCorner] = RECT{0, cy - c - 1, c, cy - 1};
    layout.areas[LowerRightCorner] = RECT{cx - c - 1, cy - c - 1, cx - 1, cy - 1};
    layout.areas[LeftSide] = RECT{0, d.sideYLow, s, d.sideYHigh};
    layout.areas[RightSide] = RECT{cx - s - 1, d.sideYLow, cx - 1, d.sideYHigh};
    layout.areas[TopSide] = RECT{d.sideXLow, 0, d.sideXHigh, s};
    layout.areas[BottomSide] = RECT{d.sideXLow, cy - s - 1, d.sideXHigh, cy - 1};

    // The window spans (0, 0)-(cx, cy). Side texts sit beside their edge's
    // middle; corner texts run diagonally towards their corner.
    const auto text = [&](EdgeZone zone, int escapement, TextAlign align, int x, int y) {
        const ActionIndex action = d.assignments[static_cast<std::size_t>(modifier)][static_cast<std::size_t>(zone)];
        return PreviewText{zone, d.ActionName(action), escapement, align, POINT{x, y}};
    };
    layout.texts = {{
        text(LeftSide, 900, TextAlign::Centre, s, cy / 2),
        text(RightSide, 900, TextAlign::Centre, cx - s - 16, cy / 2),
        text(TopSide, 0, TextAlign::Centre, cx / 2, s),
        text(BottomSide, 0, TextAlign::Centre, cx / 2, cy - s - 16),
        text(UpperLeftCorner, -350, TextAlign::Left, c + 15, c + 5),
        text(LowerRightCorner, -350, TextAlign::Right, cx - c - 10, cy - c - 20),
        text(UpperRightCorner, 350, TextAlign::Right, cx - c - 15, c + 5),
        text(LowerLeftCorner, 350, TextAlign::Left, c + 10, cy - c - 20),
    }};
    layout.label = RECT{cx / 2 - 200, cy / 2 - 50, cx / 2 + 200, cy / 2 - 38};
    layout.close = RECT{cx / 2 - 60, cy / 2 - 15, cx / 2 + 60, cy / 2 + 15};
    return layout;
}

const wchar_t* PreviewLabel(ModifierKey modifier)
{
    switch (modifier) {
    case Shift:
        return L"Shift key actions";
    case Ctrl:
        return L"Ctrl key actions";
    default:
        return L"Press Shift or Ctrl keys to see their actions";
    }
}

}  // namespace vorn
