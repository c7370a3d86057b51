// The small controls the pages share (Windows only): labels whose background
// lets the white page show through, and web-style links.
#pragma once

#include <span>
#include <string>

#include "framework/handles.h"
#include "framework/window.h"

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
// the page as the control's command.
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
    void OnFinalDestroy() override;

    OwnedFont underlineFont_;
    OwnedFont normalFont_;
    OwnedWindow toolTip_;
};

}  // namespace vorn::ui
