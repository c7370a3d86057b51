#include "ui/diagram_picture.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "actions/util.h"
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

}  // namespace

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
    const OwnedFont font(CreateHintFont(scale_.dpi));
    const HGDIOBJ oldFont = SelectObject(memory, font.Get());
    // The band behind the hint is as wide as its longest line.
    int widest = 0;
    for (const wchar_t* line : hint_) {
        SIZE extent{};
        GetTextExtentPoint32W(memory, line, static_cast<int>(std::wcslen(line)), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
    }
    const int lines = static_cast<int>(hint_.size());
    const MonitorArtwork art = DrawMonitorArtwork(scale_, theUtil.vistaOrLater ? kWhiteSurround : kButtonFaceSurround,
                                                  lines, MulDiv(widest, kBaseDpi, scale_.dpi));

    artwork_.Reset(BitmapOf(art));
    if (artwork_) {
        // The hint, white with a dark rim, centred line by line on the band.
        const HGDIOBJ oldBitmap = SelectObject(memory, artwork_.Get());
        SetBkMode(memory, TRANSPARENT);
        SetTextAlign(memory, TA_CENTER | TA_BASELINE);
        const int lineStep = scale_.Pixels(13);
        const int centreX = scale_.Pixels(9) + (scale_.Pixels(220) - scale_.Pixels(9)) / 2;
        const int firstBaseline = art.hintCentreY - lineStep * (lines - 1) / 2 + scale_.Pixels(4);
        const int rim = std::max(1, MulDiv(1, scale_.dpi, kBaseDpi));
        for (int i = 0; i < lines; ++i) {
            const int y = firstBaseline + i * lineStep;
            const int length = static_cast<int>(std::wcslen(hint_[static_cast<std::size_t>(i)]));
            SetTextColor(memory, RGB(36, 52, 92));
            for (const POINT d : {POINT{rim, rim}, POINT{0, rim}, POINT{rim, 0}, POINT{-rim, 0}, POINT{0, -rim}})
                TextOutW(memory, centreX + d.x, y + d.y, hint_[static_cast<std::size_t>(i)], length);
            SetTextColor(memory, RGB(255, 255, 255));
            TextOutW(memory, centreX, y, hint_[static_cast<std::size_t>(i)], length);
        }
        SelectObject(memory, oldBitmap);
    }
    SelectObject(memory, oldFont);
    DeleteDC(memory);
    ReleaseDC(control_, screen);
    InvalidateRect(control_, nullptr, FALSE);
}

POINT CDiagramPicture::UnitsAt(LPARAM lParam) const
{
    return scale_.Units(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

void CDiagramPicture::Draw(HDC dc) const { DrawPicture(dc, artwork_.Get(), size_); }

void CDiagramPicture::Fill(HDC dc, const RECT& units, HBRUSH brush) const
{
    const RECT pixels = Pixels(units);
    FillRect(dc, &pixels, brush);
}

void CDiagramPicture::Invalidate(const RECT* units) const
{
    if (!control_) return;
    if (!units) {
        InvalidateRect(control_, nullptr, FALSE);
        return;
    }
    // A pixel of margin: the frame of a button is drawn on its edges.
    RECT pixels = Pixels(*units);
    InflateRect(&pixels, 1, 1);
    InvalidateRect(control_, &pixels, FALSE);
}

}  // namespace vorn::ui
