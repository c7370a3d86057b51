// What the monitor pictures of the Actions and Buttons pages tell screen
// readers (Windows only). A picture is a static control that paints what it
// shows, so the system's own accessible object knows neither its name nor
// what is selected on it: the picture answers WM_GETOBJECT with an object of
// its own, giving its name, a role, a description of its keys and its value
// (and its place and state as the window's), and tells clients when the value
// changes.
//
// Dynamic annotation (IAccPropServices) would do the same with less code on
// Windows, but Wine's oleacc has it only as stubs that fail (E_NOTIMPL), so
// nothing could be shown or tested there; WM_GETOBJECT works on both.
//
// oleacc and oleaut32 are not imported: they are loaded when a client first
// asks, so that a start without a screen reader never loads them.
#pragma once

#include <string>

#include "platform/win.h"

namespace vorn::ui {

// Sent to a picture for its value: lParam is a std::wstring* to fill. Only
// the pictures, which are static controls, are sent it; no message of a
// static shares the WM_APP range.
inline constexpr UINT kAccessibleValueMessage = WM_APP + 60;

struct PictureAccessibility {
    const wchar_t* name;
    // The keys that work it, read after the name and value.
    const wchar_t* description;
};

// Loads oleacc and oleaut32 for the rest of the run, once; false when they
// cannot be had. Only what serves accessibility clients calls it.
bool LoadAccessibility();

// Answers WM_GETOBJECT for the picture's client area; false for any other
// object, or when the object cannot be made, for the default procedure to
// answer.
bool AnswerGetObject(HWND picture, const PictureAccessibility& info, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Tells accessibility clients that the value changed, when `value` differs
// from what they were last told, `told`.
void AnnounceValue(HWND picture, const std::wstring& value, std::wstring& told);

}  // namespace vorn::ui
