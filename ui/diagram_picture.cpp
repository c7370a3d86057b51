#include "ui/diagram_picture.h"

#include <windowsx.h>

#include "ui/controls.h"

namespace vorn::ui {

bool CDiagramPicture::Prepare(HWND control, int bitmap)
{
    control_ = control;
    if (!control) return false;
    SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | SS_NOTIFY);
    artwork_.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    Relayout();
    return true;
}

void CDiagramPicture::Relayout() const
{
    if (!control_) return;
    scale_ = DiagramScale{WindowDpi(control_)};
    // A bitmap static sizes itself to its own bitmap, at 100 %: the picture
    // and its mouse area take the scaled size instead.
    const SIZE shown = scale_.Pixels(kDiagramPictureSize);
    SetWindowPos(control_, nullptr, 0, 0, shown.cx, shown.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(control_, nullptr, FALSE);
}

POINT CDiagramPicture::UnitsAt(LPARAM lParam) const
{
    return scale_.Units(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

void CDiagramPicture::Draw(HDC dc) const
{
    DrawPicture(dc, artwork_.Get(), kDiagramPictureSize, scale_.Pixels(kDiagramPictureSize));
}

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
