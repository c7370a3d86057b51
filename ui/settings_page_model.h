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
#include "actions/key_combination.h"
#include "settings/data.h"

namespace vorn {

struct SettingDef;

// A number box of the Settings page and the setting it edits. A box stores,
// and its spin offers, exactly the range the settings file is read back
// with, so that whatever the page stores survives a restart unchanged.
struct NumberBox {
    int boxId;
    int spinId;
    int low, high;               // stored range, also the spin's
    std::int32_t CData::*field;  // null for the three parts of the delay
    const SettingDef* setting;   // the key it is stored under; null for the delay
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

// --- the page's scrolling ---------------------------------------------------------------
// The Settings page is taller than the tab area and scrolls. Its lengths are
// the page's pixels at its current scale, measured from its controls; its
// steps are dialog units, so that at every scale a step moves the same part
// of the page and the end of the range shows the last control.

inline constexpr int kScrollLineUnits = 32;    // an arrow of the scroll bar, a notch of the wheel
inline constexpr int kScrollPageUnits = 128;   // a click beside the thumb
inline constexpr int kScrollRoomUnits = 4;     // kept above a section and around a control brought into view
inline constexpr int kContentMarginUnits = 6;  // below the last control

struct PageScroll {
    int contentHeight = 0;  // unscrolled, down to a margin below the last control
    int viewHeight = 0;     // the part of it the page shows
    int line = 1;
    int page = 1;
    int room = 0;
    // The furthest the content scrolls: its end at the bottom of the view.
    int Max() const;
};

// The scrolling of a page whose lowest control ends at `lastBottom`
// (unscrolled) in a view `viewHeight` high; `unitHeight` is the height of
// eight vertical dialog units, the dialog font's, in pixels.
PageScroll MeasurePageScroll(int lastBottom, int viewHeight, int unitHeight);
// The step a scroll-bar message makes from `position`, or none.
std::optional<int> ScrollStep(const PageScroll& scroll, int code, int position, int thumbPosition);
// The step a turn of the mouse wheel by `delta` makes from `position`: one
// line step per notch, up for a turn away from the user, within the range.
// Parts of a notch (precise wheels) add up in `remainder` until they make one.
std::optional<int> WheelStep(const PageScroll& scroll, int delta, int position, int& remainder);
// Whether a list whose vertical scroll bar has the range `low`...`high`,
// shows `page` of it and stands at `position` can itself scroll by a wheel
// turn of `delta` (positive: away from the user, up). An empty list, one
// without a bar and one at that end cannot: the wheel scrolls the page then,
// so that no list stops the page under the pointer.
bool ListScrollsByWheel(int low, int high, int page, int position, int delta);
// The step that brings the content from `top` to `bottom` (unscrolled) into
// the view scrolled to `position`, with some room around it; none when it is
// in view. Within the range.
std::optional<int> StepIntoView(const PageScroll& scroll, int top, int bottom, int position);
// The section frame (a label id) that contents link `linkId` (1802 ... 1809) leads to.
std::optional<int> SectionFrameOf(int linkId);
// Where a link scrolls to: its section's frame, whose top is `frameTop`
// (unscrolled), just below the top of the view; within the range.
int SectionPosition(const PageScroll& scroll, int frameTop);
// The position that shows, after a change of scale, the content that was at
// the top of the view at `position` before it; within the new range.
int PositionAtNewScale(const PageScroll& before, int position, const PageScroll& after);

// --- the custom action editor ---------------------------------------------------------

enum class CustomEditError {
    None,
    NameRequired,    // "Name required"
    ActionRequired,  // "At least one action is required"
    NameInUse,       // "The name you entered is already in use"
};
const wchar_t* CustomEditMessage(CustomEditError error);

// --- the custom page ---------------------------------------------------------------------

// The question asked before the action `name` that `use` counts is deleted,
// such as: Delete "Log"? 3 zones and 1 button use it. Empty when nothing uses
// it: such an action goes without a question.
std::wstring DeleteQuestion(const std::wstring& name, const CustomActionUse& use);

// The four texts of the editor, spaces trimmed at both ends, and the keys of
// either phase (which take the place of its command line), checked and, when
// they pass, stored: into the slot named `editedName`, or the first free one
// when it is empty (nothing is stored when none is free). `fields` gets the
// trimmed texts.
CustomEditError SaveCustomActionEdit(const std::wstring& editedName, CCustomAction& fields);

// --- the key that turns the edges off and on ---------------------------------------------

// RegisterHotKey's modifier bits (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN,
// MOD_NOREPEAT), which the portable build has no header for.
inline constexpr UINT kHotKeyAlt = 0x0001;
inline constexpr UINT kHotKeyControl = 0x0002;
inline constexpr UINT kHotKeyShift = 0x0004;
inline constexpr UINT kHotKeyWin = 0x0008;
inline constexpr UINT kHotKeyNoRepeat = 0x4000;
// The bits for a combination's modifiers, held down not repeating.
UINT HotKeyModifiers(BYTE modifiers);

// The system's table of hot keys, for the one hot key of the main window.
class IHotKeyRegistry {
public:
    virtual ~IHotKeyRegistry() = default;
    // False when Windows or another program holds the combination.
    virtual bool Register(UINT modifiers, UINT key) = 0;
    virtual void Unregister() = 0;
};

enum class SwitchKeyResult {
    Unchanged,   // the combination it has
    Registered,  // a new one, registered and stored
    Cleared,     // none: unregistered and stored
    Taken,       // held elsewhere: not kept, the old one stays
    NoKey,       // modifiers alone cannot be a hot key: not kept
};

// The combination that turns the edges off and on: stored in
// theData.switchKeys and registered as the hot key while it can be.
class CSwitchKey {
public:
    explicit CSwitchKey(IHotKeyRegistry& registry) : registry_(registry) {}
    // Registers the stored combination. What the tray notice tells when it
    // cannot be (it stays in the file for a later start); empty when it was
    // registered or there is none.
    std::wstring Start();
    // The user chose `keys` (none: empty). A combination that cannot be
    // registered leaves the setting and the registered key as they were.
    SwitchKeyResult Change(const KeyCombination& keys);
    // At the end of the run.
    void Stop();
    bool Registered() const { return registered_; }

private:
    bool RegisterText(const std::wstring& text);
    IHotKeyRegistry& registry_;
    bool registered_ = false;
};

// What the page says beside the box after a change; empty when all is well.
std::wstring SwitchKeyMessage(SwitchKeyResult result, const KeyCombination& keys);
// The tray notice after the key turned the edges off or on.
const wchar_t* SwitchNotice(bool enabled);

}  // namespace vorn
