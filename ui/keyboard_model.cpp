#include "ui/keyboard_model.h"

namespace vorn::ui {

std::optional<int> PageForKey(int current, int count, WPARAM key, bool ctrl, bool shift)
{
    if (!ctrl || count <= 0) return std::nullopt;
    int step = 0;
    if (key == VK_TAB)
        step = shift ? -1 : 1;
    else if (key == VK_NEXT)
        step = 1;
    else if (key == VK_PRIOR)
        step = -1;
    if (step == 0) return std::nullopt;
    return ((current + step) % count + count) % count;
}

std::vector<WPARAM> WithFocusShown(WPARAM change)
{
    const WORD action = LOWORD(change);
    const WORD flags = HIWORD(change);
    if (action == UIS_CLEAR || !(flags & UISF_HIDEFOCUS)) return {change};
    std::vector<WPARAM> changes;
    if (const WORD others = flags & ~UISF_HIDEFOCUS) changes.push_back(MAKEWPARAM(action, others));
    changes.push_back(MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
    return changes;
}

bool IsStrayAccessKey(UINT message, WPARAM character, LRESULT dialogCode)
{
    return message == WM_CHAR && character >= L' ' && !(dialogCode & (DLGC_WANTCHARS | DLGC_WANTMESSAGE));
}

std::optional<int> PageScrollForKey(UINT message, WPARAM key, bool ctrl, LRESULT dialogCode)
{
    if (message != WM_KEYDOWN) return std::nullopt;
    if (dialogCode & (DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_HASSETSEL)) return std::nullopt;
    if (!ctrl && key == VK_PRIOR) return SB_PAGEUP;
    if (!ctrl && key == VK_NEXT) return SB_PAGEDOWN;
    if (ctrl && key == VK_HOME) return SB_TOP;
    if (ctrl && key == VK_END) return SB_BOTTOM;
    return std::nullopt;
}

}  // namespace vorn::ui
