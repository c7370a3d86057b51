// What the settings window does with keys, apart from its widgets
// (portable): which page Ctrl+Tab and Ctrl+Page Down lead to, how the
// window keeps its focus showing, which typed letters are no access keys,
// and which keys scroll a page.
#pragma once

#include <optional>
#include <vector>

#include "platform/win.h"

namespace vorn::ui {

// The page a key pressed with Ctrl (and maybe Shift) leads to from page
// `current` of `count`: Tab and Page Down the next, Shift+Tab and Page Up the
// one before, round at either end. None for any other key or without Ctrl.
std::optional<int> PageForKey(int current, int count, WPARAM key, bool ctrl, bool shift);

// The changes of keyboard cues (the wParam of WM_CHANGEUISTATE or
// WM_UPDATEUISTATE) to make in place of the one asked: the same, but the
// focus never hidden. The focus outline then shows also for a keyboard user
// who comes to a window last used with the mouse.
std::vector<WPARAM> WithFocusShown(WPARAM change);

// The dialog manager takes a character typed on a control that wants none
// (its WM_GETDLGCODE answer `dialogCode` has neither DLGC_WANTCHARS nor
// DLGC_WANTMESSAGE) for an access key even without Alt: a stray D on a
// button would delete, an X exit. True for such a printable character
// (WM_CHAR), which must go to its control alone, which ignores it. Alt with
// a letter (WM_SYSCHAR) and Enter, Escape and Tab stay the dialog manager's;
// boxes, lists and trees, which want characters, still get every letter.
bool IsStrayAccessKey(UINT message, WPARAM character, LRESULT dialogCode);

// The scroll-bar code (SB_PAGEUP, SB_PAGEDOWN, SB_TOP or SB_BOTTOM) by which
// a key pressed (WM_KEYDOWN) on a control of a scrolling page scrolls the
// page: Page Up and Page Down without Ctrl (with it they change pages), Home
// and End with Ctrl. None for other keys and on a control that uses such keys
// itself: boxes, lists, trees and sliders, which want arrows or characters.
std::optional<int> PageScrollForKey(UINT message, WPARAM key, bool ctrl, LRESULT dialogCode);

}  // namespace vorn::ui
