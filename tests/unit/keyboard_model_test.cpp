// The settings window's keys: Ctrl+Tab and Ctrl+Page Down to the pages, and
// the focus kept showing whatever the system asks.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vorn::ui
