// The monitor picture both the Actions and the Buttons page show (Windows
// only): the artwork drawn at the window's scale in a static control, with
// the page's hint written on it, and the conversion between the picture's
// 100 % units, in which the pages work, and the control's pixels.
#pragma once

#include <memory>
#include <span>

#include "framework/handles.h"
#include "platform/thread.h"
#include "platform/win.h"
#include "ui/diagram_scale.h"
#include "ui/picture_colours.h"

// Sent to child windows once their dialog has been laid out at a new scale
// (Windows 10 1703 on; the build targets Windows 7, whose headers lack it).
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace vorn::ui {

// The pictures' colours in the theme now.
PictureColours CurrentPictureColours();
COLORREF ColourRef(Rgb colour);
// Messages after which a picture looks different: the focus came or went,
// the window's focus cues changed, or the theme did.
bool ChangesThePicturesLook(UINT message);

class CDiagramPicture {
public:
    CDiagramPicture();
    ~CDiagramPicture();
    CDiagramPicture(const CDiagramPicture&) = delete;
    CDiagramPicture& operator=(const CDiagramPicture&) = delete;

    // Makes the static control the picture: mouse messages on (SS_NOTIFY),
    // sized to the artwork at the window's scale, smaller where the box the
    // dialog laid out for it is, the artwork drawn with `hint`, a line each,
    // on its screen.
    bool Prepare(HWND control, std::span<const wchar_t* const> hint);
    // After a change of scale: sized, within the control's new box, and
    // drawn again.
    void Relayout();

    DiagramScale Scale() const { return scale_; }
    // The point of a mouse message to the control, in units.
    POINT UnitsAt(LPARAM lParam) const;
    RECT Pixels(const RECT& units) const { return scale_.Pixels(units); }

    // The artwork, or in high contrast its plain stand-in: the background,
    // the screen area's outline and the hint, in `colours`.
    void Draw(HDC dc, const PictureColours& colours) const;
    // The same, only within `area` (pixels of the control), as a paint of
    // part of the picture needs.
    void Draw(HDC dc, const PictureColours& colours, const RECT& area) const;
    void Fill(HDC dc, const RECT& units, HBRUSH brush) const;
    // A one-pixel outline on the edges of `units`.
    void Outline(HDC dc, const RECT& units, COLORREF colour) const;
    // The keyboard focus around `units`, as Windows shows it: only while the
    // control has the focus and the window shows focus cues.
    void DrawFocus(HDC dc, const RECT& units) const;
    // A key was used on the picture: the window shows its focus cues from now
    // on, as for any keyboard navigation.
    void ShowFocusCues() const;
    // Repaints the part of the picture under `units`, with its focus outline;
    // all of it when null.
    void Invalidate(const RECT* units) const;

private:
    struct Drawing;
    void DrawHint(HDC dc, COLORREF text, const COLORREF* rim) const;
    // The artwork made by the drawing thread, as a bitmap with the hint on
    // it; waits for the thread if it is still drawing.
    void TakeArtwork() const;

    HWND control_ = nullptr;
    std::span<const wchar_t* const> hint_;
    // The artwork takes tens of milliseconds at 100 % and over a hundred at
    // 200 %: it is drawn on a thread of its own while the window is built
    // and shown, and taken at the first paint.
    mutable std::unique_ptr<Drawing> drawing_;
    mutable CThread drawingThread_;
    mutable OwnedBitmap artwork_;
    OwnedFont hintFont_;
    mutable int hintCentreY_ = 0;
    SIZE size_{};
    DiagramScale scale_;
};

}  // namespace vorn::ui
