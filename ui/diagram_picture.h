// The monitor picture both the Actions and the Buttons page show (Windows
// only): the artwork at the window's scale in a static control, and the
// conversion between the picture's 100 % units, in which the pages work, and
// the control's pixels.
#pragma once

#include "framework/handles.h"
#include "platform/win.h"
#include "ui/diagram_scale.h"

// Sent to child windows once their dialog has been laid out at a new scale
// (Windows 10 1703 on; the build targets Windows 7, whose headers lack it).
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace vorn::ui {

class CDiagramPicture {
public:
    // Makes the static control the picture: mouse messages on (SS_NOTIFY),
    // the artwork `bitmap` loaded, the control sized to it at the scale.
    bool Prepare(HWND control, int bitmap);
    // After a change of scale: the control sized again.
    void Relayout() const;

    DiagramScale Scale() const { return scale_; }
    // The point of a mouse message to the control, in units.
    POINT UnitsAt(LPARAM lParam) const;
    RECT Pixels(const RECT& units) const { return scale_.Pixels(units); }

    void Draw(HDC dc) const;
    void Fill(HDC dc, const RECT& units, HBRUSH brush) const;
    // Repaints the part of the picture under `units`; all of it when null.
    void Invalidate(const RECT* units) const;

private:
    HWND control_ = nullptr;
    OwnedBitmap artwork_;
    mutable DiagramScale scale_;
};

}  // namespace vorn::ui
