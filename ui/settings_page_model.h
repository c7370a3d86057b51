// What the Settings and Custom pages do, apart from their widgets: the
// number boxes with their conversion and clamps, the wallpaper delay in
// hours, minutes and seconds, the window list's filter, the page's scrolling,
// and the custom action editor's validation.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actions/custom_actions.h"
#include "settings/data.h"

namespace vorn {

// A number box of the Settings page and the setting it edits. A box stores,
// and its spin offers, exactly the range the settings file is read back
// with, so that whatever the page stores survives a restart unchanged.
struct NumberBox {
    int boxId;
    int spinId;
    int low, high;               // stored range, also the spin's
    std::int32_t CData::*field;  // null for the three parts of the delay
};
extern const std::array<NumberBox, 14> kNumberBoxes;
inline constexpr int kDelayHoursBox = 1010;
inline constexpr int kDelayMinutesBox = 1011;
inline constexpr int kDelaySecondsBox = 1012;

const NumberBox* FindNumberBox(int boxId);

// Stores a number box's text into its setting (converted like the file's
// numbers, truncated, clamped); "Side length" recomputes the side bands.
// False when the setting already had that value.
bool StoreNumberBox(const NumberBox& box, const std::wstring& text);

struct DelayParts {
    int hours, minutes, seconds;
};
// The delay from the three boxes: hours held to 0...72, the others to 0...59.
std::int32_t DelayFromParts(const std::wstring& hours, const std::wstring& minutes, const std::wstring& seconds);
DelayParts PartsOfDelay(std::int32_t seconds);

// The titles the window list shows for the visible top-level windows' titles:
// the untitled, the start menu and the shell's desktop left out, "Vorn" added
// when missing and "Taskbar" always. The list box sorts them.
std::vector<std::wstring> WindowListEntries(const std::vector<std::wstring>& titles);

// The page scrolls by pixels up to this.
inline constexpr int kScrollMax = 1280;
// The step a scroll-bar message makes from `position`, or none.
std::optional<int> ScrollStep(int code, int position, int thumbPosition);
// The step a turn of the mouse wheel by `delta` makes from `position`: one
// line step per notch, up for a turn away from the user, within the range.
// Parts of a notch (precise wheels) add up in `remainder` until they make one.
std::optional<int> WheelStep(int delta, int position, int& remainder);
// The step that brings the content from `top` to `bottom` (page pixels,
// unscrolled) into a view `height` high scrolled to `position`, with a little
// room around it; none when it is in view. Within the range.
std::optional<int> StepIntoView(int top, int bottom, int position, int height);
// Where each of the first six contents links (1802 ... 1807) scrolls to.
std::optional<int> SectionOffset(int linkId);
// The seventh (1808) scrolls to just above the "Edge behaviour" frame, in
// dialog units, whatever the dialog font makes of them.
inline constexpr int kEdgeBehaviourLink = 1808;
inline constexpr int kEdgeBehaviourTop = 716;

// --- the custom action editor ---------------------------------------------------------

enum class CustomEditError {
    None,
    NameRequired,    // "Name required"
    ActionRequired,  // "At least one action is required"
    NameInUse,       // "The name you entered is already in use"
};
const wchar_t* CustomEditMessage(CustomEditError error);

// The four texts of the editor, spaces trimmed at both ends, and the keys of
// either phase (which take the place of its command line), checked and, when
// they pass, stored: into the slot named `editedName`, or the first free one
// when it is empty (nothing is stored when none is free). `fields` gets the
// trimmed texts.
CustomEditError SaveCustomActionEdit(const std::wstring& editedName, CCustomAction& fields);

}  // namespace vorn
