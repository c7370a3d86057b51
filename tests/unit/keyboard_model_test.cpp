// The settings window's keys: Ctrl+Tab and Ctrl+Page Down to the pages, the
// focus kept showing whatever the system asks, letters that are no access
// keys, and the keys that scroll a page.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "ui/keyboard_model.h"

namespace vorn::ui {
namespace {

TEST(KeyboardModel, CtrlTabAndCtrlPageDownLeadRoundThePages)
{
    const struct {
        int from;
        WPARAM key;
        bool ctrl, shift;
        std::optional<int> to;
    } cases[] = {
        {0, VK_TAB, true, false, 1},
        {3, VK_TAB, true, false, 4},
        {4, VK_TAB, true, false, 0},
        {0, VK_TAB, true, true, 4},
        {1, VK_TAB, true, true, 0},
        {4, VK_NEXT, true, false, 0},
        {0, VK_PRIOR, true, false, 4},
        {2, VK_PRIOR, true, true, 1},
        {2, VK_TAB, false, false, std::nullopt},
        {2, VK_NEXT, false, false, std::nullopt},
        {2, VK_LEFT, true, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageForKey(c.from, 5, c.key, c.ctrl, c.shift), c.to) << c.from << " " << c.key << " " << c.shift;
}

TEST(KeyboardModel, TheFocusIsNeverHiddenTheRestChangesAsAsked)
{
    const struct {
        WORD action, flags;
        std::vector<WPARAM> made;
    } cases[] = {
        {UIS_SET,
         UISF_HIDEFOCUS | UISF_HIDEACCEL,
         {MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS)}},
        {UIS_INITIALIZE,
         UISF_HIDEFOCUS | UISF_HIDEACCEL,
         {MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEACCEL), MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS)}},
        {UIS_SET, UISF_HIDEFOCUS, {MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS)}},
        {UIS_SET, UISF_HIDEACCEL, {MAKEWPARAM(UIS_SET, UISF_HIDEACCEL)}},
        {UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL, {MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithFocusShown(MAKEWPARAM(c.action, c.flags)), c.made) << c.action << " " << c.flags;
}

// What each kind of control answers to WM_GETDLGCODE, as the system's do.
constexpr LRESULT kButton = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
constexpr LRESULT kCheckBox = DLGC_BUTTON;
constexpr LRESULT kOption = DLGC_BUTTON | DLGC_RADIOBUTTON;
constexpr LRESULT kLink = DLGC_STATIC;
constexpr LRESULT kSlider = DLGC_WANTARROWS;
constexpr LRESULT kEdit = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
constexpr LRESULT kList = DLGC_WANTCHARS | DLGC_WANTARROWS;  // lists, trees, closed combo boxes

TEST(KeyboardModel, ALetterWithoutAltIsAnAccessKeyNowhereAndTypesWhereCharactersAreWanted)
{
    const struct {
        UINT message;
        WPARAM character;
        LRESULT code;
        bool stray;
    } cases[] = {
        {WM_CHAR, L'd', kButton, true},
        {WM_CHAR, L'x', DLGC_BUTTON | DLGC_DEFPUSHBUTTON, true},
        {WM_CHAR, L'v', kCheckBox, true},
        {WM_CHAR, L'n', kOption, true},
        {WM_CHAR, L'e', kLink, true},
        {WM_CHAR, L'e', kLink | DLGC_HASSETSEL, true},
        {WM_CHAR, L't', kSlider, true},
        {WM_CHAR, L'7', kButton, true},
        {WM_CHAR, L' ', kButton, true},  // the lowest printable character
        {WM_CHAR, 0x1F, kButton, false},  // and one below: control characters stay the dialog's
        {WM_CHAR, 0x0D, kButton, false},  // Enter
        {WM_CHAR, 0x1B, kButton, false},
        {WM_CHAR, L'd', kEdit, false},
        {WM_CHAR, L'd', kList, false},
        {WM_CHAR, L'd', DLGC_WANTCHARS, false},
        {WM_CHAR, L'd', DLGC_WANTMESSAGE, false},  // the key box takes every key
        {WM_SYSCHAR, L'd', kButton, false},        // Alt+D stays the access key
        {WM_SYSCHAR, L'd', kEdit, false},
        {WM_KEYDOWN, L'D', kButton, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsStrayAccessKey(c.message, c.character, c.code), c.stray)
            << c.message << " " << c.character << " " << c.code;
}

TEST(KeyboardModel, PageKeysScrollThePageFromControlsThatHaveNoUseForThem)
{
    const struct {
        UINT message;
        WPARAM key;
        bool ctrl;
        LRESULT code;
        std::optional<int> scroll;
    } cases[] = {
        {WM_KEYDOWN, VK_NEXT, false, kButton, SB_PAGEDOWN},
        {WM_KEYDOWN, VK_PRIOR, false, kCheckBox, SB_PAGEUP},
        {WM_KEYDOWN, VK_NEXT, false, kOption, SB_PAGEDOWN},
        {WM_KEYDOWN, VK_END, true, kLink, SB_BOTTOM},
        {WM_KEYDOWN, VK_HOME, true, kButton, SB_TOP},
        // Ctrl with the page keys changes pages; Home and End alone are no page keys.
        {WM_KEYDOWN, VK_NEXT, true, kButton, std::nullopt},
        {WM_KEYDOWN, VK_PRIOR, true, kButton, std::nullopt},
        {WM_KEYDOWN, VK_HOME, false, kButton, std::nullopt},
        {WM_KEYDOWN, VK_END, false, kLink, std::nullopt},
        {WM_KEYDOWN, VK_DOWN, false, kButton, std::nullopt},
        // Controls that use the keys themselves keep them.
        {WM_KEYDOWN, VK_NEXT, false, kEdit, std::nullopt},
        {WM_KEYDOWN, VK_END, true, kEdit, std::nullopt},
        {WM_KEYDOWN, VK_NEXT, false, kList, std::nullopt},
        {WM_KEYDOWN, VK_PRIOR, false, kSlider, std::nullopt},
        {WM_KEYDOWN, VK_HOME, true, DLGC_WANTALLKEYS, std::nullopt},
        {WM_CHAR, VK_NEXT, false, kButton, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageScrollForKey(c.message, c.key, c.ctrl, c.code), c.scroll)
            << c.message << " " << c.key << " " << c.ctrl << " " << c.code;
}

}  // namespace
}  // namespace vorn::ui
