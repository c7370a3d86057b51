#include "ui/diagram_picture.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "actions/util.h"
#include "ui/contrast.h"
#include "ui/controls.h"
#include "ui/monitor_artwork.h"

namespace vorn::ui {
namespace {

// The hint's face: bold, 8 points at the picture's scale, as the dialogs'.
HFONT CreateHintFont(int dpi)
{
    return CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"Tahoma");
}

// How far outside a zone or a button its focus outline lies, in units.
constexpr int kFocusGap = 2;

Rgb RgbOf(COLORREF colour) { return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

}  // namespace

PictureColours CurrentPictureColours()
{
    const SystemColours system{RgbOf(GetSysColor(COLOR_WINDOW)), RgbOf(GetSysColor(COLOR_WINDOWTEXT)),
                               RgbOf(GetSysColor(COLOR_HIGHLIGHT)), RgbOf(GetSysColor(COLOR_HIGHLIGHTTEXT)),
                               RgbOf(GetSysColor(COLOR_HOTLIGHT))};
    return ChoosePictureColours(HighContrastOn(), system);
}

COLORREF ColourRef(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }

bool ChangesThePicturesLook(UINT message)
{
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
        return true;
    default:
        return false;
    }
}

struct CDiagramPicture::Drawing {
    DiagramScale scale;
    Rgb surround;
    int hintLines = 0;
    int hintWidth = 0;
    MonitorArtwork art;

    static void Run(void* self)
    {
        auto& drawing = *static_cast<Drawing*>(self);
        drawing.art = DrawMonitorArtwork(drawing.scale, drawing.surround, drawing.hintLines, drawing.hintWidth);
    }
};

CDiagramPicture::CDiagramPicture() = default;

CDiagramPicture::~CDiagramPicture() { drawingThread_.Join(); }

bool CDiagramPicture::Prepare(HWND control, std::span<const wchar_t* const> hint)
{
    control_ = control;
    hint_ = hint;
    if (!control) return false;
    SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | SS_NOTIFY);
    Relayout();
    return true;
}

void CDiagramPicture::Relayout()
{
    if (!control_) return;
    RECT box{};
    GetWindowRect(control_, &box);
    scale_ = DiagramScale{PictureDpiInBox(WindowDpi(control_), SIZE{box.right - box.left, box.bottom - box.top})};
    size_ = scale_.Pixels(kDiagramPictureSize);
    SetWindowPos(control_, nullptr, 0, 0, size_.cx, size_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const HDC screen = GetDC(control_);
    const HDC memory = CreateCompatibleDC(screen);
    hintFont_.Reset(CreateHintFont(scale_.dpi));
    const HGDIOBJ oldFont = SelectObject(memory, hintFont_.Get());
    // The band behind the hint is as wide as its longest line.
    int widest = 0;
    for (const wchar_t* line : hint_) {
        SIZE extent{};
        GetTextExtentPoint32W(memory, line, static_cast<int>(std::wcslen(line)), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
    }
    SelectObject(memory, oldFont);
    DeleteDC(memory);
    ReleaseDC(control_, screen);

    // A drawing for the scale before is of no use now.
    drawingThread_.Join();
    artwork_.Reset();
    drawing_ = std::make_unique<Drawing>();
    drawing_->scale = scale_;
    drawing_->surround = theUtil.vistaOrLater ? kWhiteSurround : kButtonFaceSurround;
    drawing_->hintLines = static_cast<int>(hint_.size());
    drawing_->hintWidth = MulDiv(widest, kBaseDpi, scale_.dpi);
    // Without a thread, drawn here and now.
    if (!drawingThread_.Start(&Drawing::Run, drawing_.get())) Drawing::Run(drawing_.get());
    InvalidateRect(control_, nullptr, FALSE);
}

void CDiagramPicture::TakeArtwork() const
{
    if (!drawing_) return;
    drawingThread_.Join();
    const std::unique_ptr<Drawing> drawing = std::move(drawing_);
    hintCentreY_ = drawing->art.hintCentreY;
    artwork_.Reset(BitmapOf(drawing->art));
    if (!artwork_) return;
    // The hint, white with a dark rim, centred line by line on the band.
    const HDC memory = CreateCompatibleDC(nullptr);
    const HGDIOBJ oldBitmap = SelectObject(memory, artwork_.Get());
    const COLORREF rim = RGB(36, 52, 92);
    DrawHint(memory, RGB(255, 255, 255), &rim);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
}

void CDiagramPicture::DrawHint(HDC dc, COLORREF text, const COLORREF* rim) const
{
    const Selected font(dc, hintFont_.Get());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_CENTER | TA_BASELINE);
    const COLORREF oldColour = GetTextColor(dc);
    const int lines = static_cast<int>(hint_.size());
    const int lineStep = scale_.Pixels(13);
    const int centreX = scale_.Pixels(9) + (scale_.Pixels(220) - scale_.Pixels(9)) / 2;
    const int firstBaseline = hintCentreY_ - lineStep * (lines - 1) / 2 + scale_.Pixels(4);
    const int rimWidth = std::max(1, MulDiv(1, scale_.dpi, kBaseDpi));
    for (int i = 0; i < lines; ++i) {
        const int y = firstBaseline + i * lineStep;
        const wchar_t* line = hint_[static_cast<std::size_t>(i)];
        const int length = static_cast<int>(std::wcslen(line));
        if (rim) {
            SetTextColor(dc, *rim);
            for (const POINT d : {POINT{rimWidth, rimWidth}, POINT{0, rimWidth}, POINT{rimWidth, 0},
                                  POINT{-rimWidth, 0}, POINT{0, -rimWidth}})
                TextOutW(dc, centreX + d.x, y + d.y, line, length);
        }
        SetTextColor(dc, text);
        TextOutW(dc, centreX, y, line, length);
    }
    SetTextColor(dc, oldColour);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
}

POINT CDiagramPicture::UnitsAt(LPARAM lParam) const
{
    return scale_.Units(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

void CDiagramPicture::Draw(HDC dc, const PictureColours& colours) const
{
    TakeArtwork();
    if (colours.artwork) {
        DrawPicture(dc, artwork_.Get(), size_);
        return;
    }
    // High contrast: no landscape behind, every line in the theme's colours.
    const OwnedBrush background(CreateSolidBrush(ColourRef(colours.background)));
    const RECT all{0, 0, size_.cx, size_.cy};
    FillRect(dc, &all, background.Get());
    Outline(dc, kPictureScreenArea, ColourRef(colours.outline));
    DrawHint(dc, ColourRef(colours.outline), nullptr);
}

void CDiagramPicture::Draw(HDC dc, const PictureColours& colours, const RECT& area) const
{
    TakeArtwork();
    if (!colours.artwork || !artwork_) {
        Draw(dc, colours);
        return;
    }
    RECT part{};
    const RECT all{0, 0, size_.cx, size_.cy};
    if (!IntersectRect(&part, &area, &all)) return;
    const HDC memory = CreateCompatibleDC(dc);
    {
        const Selected selected(memory, artwork_.Get());
        BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, memory, part.left, part.top,
               SRCCOPY);
    }
    DeleteDC(memory);
}

void CDiagramPicture::Fill(HDC dc, const RECT& units, HBRUSH brush) const
{
    const RECT pixels = Pixels(units);
    FillRect(dc, &pixels, brush);
}

void CDiagramPicture::Outline(HDC dc, const RECT& units, COLORREF colour) const
{
    const RECT pixels = Pixels(units);
    const OwnedBrush brush(CreateSolidBrush(colour));
    FrameRect(dc, &pixels, brush.Get());
}

void CDiagramPicture::DrawFocus(HDC dc, const RECT& units) const
{
    if (!control_ || GetFocus() != control_) return;
    if (SendMessageW(control_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return;
    RECT around = units;
    InflateRect(&around, kFocusGap, kFocusGap);
    RECT pixels = Pixels(around);
    // Within the control, where the outline of a zone at the edge still shows.
    const RECT control{0, 0, size_.cx, size_.cy};
    IntersectRect(&pixels, &pixels, &control);
    // Solid and in two tones, the picture's outline colour around its
    // background colour: a dotted line all but vanishes on the photograph,
    // and one of the two shows on any zone, button and theme. Each line is
    // as wide as a unit of the picture, and a pixel at least.
    const PictureColours colours = CurrentPictureColours();
    const LONG width = std::max<LONG>(1, Pixels(RECT{0, 0, 1, 1}).right);
    for (const Rgb tone : {colours.outline, colours.background}) {
        const OwnedBrush brush(CreateSolidBrush(ColourRef(tone)));
        for (LONG i = 0; i < width && pixels.right - pixels.left > 2 && pixels.bottom - pixels.top > 2; ++i) {
            FrameRect(dc, &pixels, brush.Get());
            InflateRect(&pixels, -1, -1);
        }
    }
}

void CDiagramPicture::ShowFocusCues() const
{
    if (control_) SendMessageW(control_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void CDiagramPicture::Invalidate(const RECT* units) const
{
    if (!control_) return;
    if (!units) {
        InvalidateRect(control_, nullptr, FALSE);
        return;
    }
    // The focus outline lies outside, and a pixel more: the frame of a
    // button is drawn on its edges.
    RECT around = *units;
    InflateRect(&around, kFocusGap, kFocusGap);
    RECT pixels = Pixels(around);
    InflateRect(&pixels, 1, 1);
    InvalidateRect(control_, &pixels, FALSE);
}

}  // namespace vorn::ui
