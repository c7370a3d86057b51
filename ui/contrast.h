// The colours Vorn paints with, and whether the user has a high-contrast
// theme on (portable). In high contrast every role takes a colour of the
// system's, paired as Windows pairs them (text on its own background), so
// that no text or outline can vanish; otherwise each keeps the colour it has
// always had.
#pragma once

#include "platform/win.h"

namespace vorn::ui {

// True while the user's high-contrast theme is on; false when the system
// cannot tell.
bool HighContrastOn();

// What a colour is for.
enum class ColourRole {
    Page,            // a page's background, behind its labels, frames and check boxes
    PageText,        // labels, frames and check boxes on a page
    Field,           // the inside of edit boxes and lists
    FieldText,       // text typed or listed in them
    Link,            // a link's text, not yet opened
    LinkVisited,     // a link's text once opened
    LinkHover,       // a link's text under the pointer
    PreviewZone,     // the preview's zone areas
    PreviewText,     // the preview's texts, on its own background
};
inline constexpr int kColourRoleCount = static_cast<int>(ColourRole::PreviewText) + 1;

// A system colour (a COLOR_* index, as GetSysColor takes it) or a fixed one.
struct ColourChoice {
    int systemIndex = -1;  // -1: the fixed colour
    COLORREF fixed = 0;
    constexpr bool IsSystem() const { return systemIndex >= 0; }
};

// The colour of `role`, with high contrast on or off.
ColourChoice ChooseColour(ColourRole role, bool highContrast);

}  // namespace vorn::ui
