// The small controls the pages share (Windows only): labels whose background
// lets the white page show through, web-style links, and the helpers the pages
// share for tips, texts, pictures and the modifier list.
#pragma once

#include <span>
#include <string>

#include "framework/handles.h"
#include "framework/window.h"
#include "ui/contrast.h"
#include "ui/monitor_artwork.h"

namespace vorn::ui {

// A static control on a white page: on Vista and later it draws no
// background of its own.
class CTransparentStatic : public CWnd {
public:
    HBRUSH ReflectedColour(HDC dc) override;
};

// A static control that looks and acts like a web link: coloured text, a hand
// cursor, underlined while the pointer is over it, a tip with its address.
// A click on an address starting with "www" opens it; any other click reaches
// the page as the control's command. It is a tab stop with a focus outline,
// and Enter or Space on it acts as a click.
class CHyperLink : public WithMessageTable<CHyperLink, CWnd> {
public:
    CHyperLink() = default;
    ~CHyperLink() override;

    // Subclasses the control and sets it up (style, address, fonts, size,
    // cursor, tip).
    bool Attach(HWND control);
    // Makes the control exactly as large as its text.
    void FitToText();

    HBRUSH ReflectedColour(HDC dc) override;
    bool ReflectedCommand(UINT code) override;
    bool PreTranslateMessage(MSG& message) override;

    static std::span<const MessageEntry<CHyperLink>> MessageTable();

    COLORREF linkColour = RGB(0, 0, 238);
    COLORREF visitedColour = RGB(85, 26, 139);
    COLORREF hoverColour = RGB(255, 0, 0);
    bool over = false;
    bool visited = false;
    std::wstring url;
    HCURSOR linkCursor = nullptr;

private:
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDialogCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy() override;

    OwnedFont underlineFont_;
    OwnedFont normalFont_;
    OwnedWindow toolTip_;
};

// The whole text of a window or control.
std::wstring ControlText(HWND control);

// A control and the tip it shows until the page sets another.
struct ControlTip {
    HWND control;
    const wchar_t* text;
};
// A window's tip window (15 s on screen, a quarter second to appear), with a
// tool for each control; null when it cannot be made.
HWND CreatePageToolTip(HWND page, std::span<const ControlTip> tools, DWORD style = 0);
// Gives the tool of `control` the text `text` and hands the tip the mouse
// message, so that it shows (or moves) there.
void ShowPageTip(HWND tip, HWND page, HWND control, std::wstring text, const MSG& message);
// Hands the tip the mouse message alone: it shows what it was last given.
void RelayToTip(HWND tip, const MSG& message);
// A mouse message's point as the window it was addressed to has it.
POINT MessagePoint(const MSG& message);
// A mouse move to `window` at the point of `lParam`, for a tip to follow.
MSG MouseMoveAt(HWND window, LPARAM lParam);

// Copies the picture, `size` pixels of it, to the top left corner of `dc`.
void DrawPicture(HDC dc, HBITMAP picture, SIZE size);

// The dots per inch of the window's monitor (96 at 100 %).
int WindowDpi(HWND window);

// The image strip bitmap resource at `dpi`, each image scaled pixel by pixel
// into its cell, so that it stays sharp and its colour key exact. Null when
// it cannot be loaded.
HBITMAP LoadScaledImageStrip(int id, const ImageStrip& strip, int dpi);
// An image list of the strip's images at `dpi`, magenta masked out, that
// grows by `grow` images.
HIMAGELIST CreateStripImageList(int id, const ImageStrip& strip, int dpi, int grow);

// A bitmap of artwork drawn at run time, for a DC like the screen's.
HBITMAP BitmapOf(const MonitorArtwork& art);

// The list of the three modifiers, Plain selected.
void FillModifierList(HWND combo);

// The colour of `role` now: the system's while high contrast is on.
COLORREF ColourOf(ColourRole role);

// A name or a description for screen readers, where neither the control's
// own text nor the label before it can give one (the system's direct
// annotation). False where the system keeps no annotations.
bool SetAccessibleName(HWND window, const std::wstring& name);
bool SetAccessibleDescription(HWND window, const std::wstring& text);

// Adds `style` to the window's style.
void AddStyle(HWND window, LONG style);

}  // namespace vorn::ui
