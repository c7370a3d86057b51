// What the settings window does with keys, apart from its widgets
// (portable): which page Ctrl+Tab and Ctrl+Page Down lead to, and how the
// window keeps its focus showing.
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

}  // namespace vorn::ui
