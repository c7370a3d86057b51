// A key combination a custom action presses: any set of Ctrl, Alt, Shift and
// Win with one key, or the modifiers alone. Its text ("Ctrl+Shift+Esc",
// "Win+Shift+S", "Media play pause") is what the settings file holds and what
// a user may type there by hand. Every combination Vorn presses, a built-in
// keystroke action's or a custom action's, is typed by TypeKeyCombination.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win.h"

namespace vorn {

// The modifier bits of a combination.
enum KeyModifier : BYTE {
    kCtrlModifier = 1,
    kAltModifier = 2,
    kShiftModifier = 4,
    kWinModifier = 8,
};

struct KeyCombination {
    BYTE modifiers = 0;  // KeyModifier bits
    BYTE key = 0;        // the virtual key; 0 for the modifiers alone
    bool Empty() const { return modifiers == 0 && key == 0; }
    bool operator==(const KeyCombination&) const = default;
};

// A key typed between a key and the release of Win or Alt, so that neither
// goes up looking alone (which opens the Start menu or a menu bar) even when
// another program's hotkey swallowed the key. 0xE8 has no meaning to Windows
// or to any keyboard; 0xFF, the other candidate, is what some keyboards send
// for keys without a code of their own.
inline constexpr BYTE kMaskKey = 0xE8;

// The text the settings file holds: the modifiers in the order Windows names
// them (Win, Ctrl, Alt, Shift), then the key, joined by "+". The key's name
// does not depend on the keyboard layout: the punctuation keys are "OEM 1"
// to "OEM 8", "OEM 102", "Plus", "Comma", "Minus" and "Period"; a key without
// a name is "VK" and its code in hexadecimal. Empty for no keys.
std::wstring KeyCombinationText(const KeyCombination& keys);
// The same for the eyes: a punctuation key shows the character it types on
// the user's layout ("Ctrl+Ü" rather than "Ctrl+OEM 1") when it types one.
std::wstring KeyCombinationDisplayText(const KeyCombination& keys);
// The modifiers alone followed by "+", as shown while they are held: "Ctrl+Alt+".
std::wstring ModifiersDisplayPrefix(BYTE modifiers);

// Reads a combination written as above, ignoring case and blanks, with the
// modifiers in any order, one named twice counting once. A key may also be written as the one character it
// types without Shift on the user's layout ("Ctrl+ü", "Ctrl+;"), or as the
// capital of a letter it types. Empty text gives no keys; nothing when the
// text is no combination.
std::optional<KeyCombination> ParseKeyCombination(std::wstring_view text);

// The keys a keyboard sends with the E0 prefix: typed with KEYEVENTF_EXTENDEDKEY.
bool IsExtendedKey(BYTE key);
// The virtual key a modifier bit presses (Win: the left Win key).
BYTE ModifierKeyCode(KeyModifier modifier);
// The modifier bit of a virtual key: the generic, left and right Ctrl, Alt and
// Shift, and both Win keys; 0 for any other key.
BYTE ModifierOfKey(BYTE key);

// Whether the keys a keyboard sends with the E0 prefix go with
// KEYEVENTF_EXTENDEDKEY. The shell reads Win+Ctrl+Right as the arrow only when
// flagged (unflagged it is the number pad's 6); the older built-in keystrokes
// have always gone unflagged, and the programs they drive know them so.
enum class ExtendedKeys : bool {
    Unflagged,
    Flagged
};

// Presses and releases the combination: modifiers down in the order Ctrl,
// Alt, Shift, Win, the key down and up, the guard key when Win or Alt is
// down, the modifiers up in reverse. With `holdModifiers` the modifiers stay
// down until ReleaseKeyModifiers. The modifiers alone, not held, go down and
// up with nothing between, exactly as recorded ("Win" opens the Start menu).
void TypeKeyCombination(const KeyCombination& keys, bool holdModifiers, ExtendedKeys extended = ExtendedKeys::Flagged);
// How many key events Vorn has typed since it started: an action that typed
// any moved it.
unsigned KeyEventsTyped();
// The modifiers of a combination typed with holdModifiers go up, in reverse.
void ReleaseKeyModifiers(const KeyCombination& keys);

}  // namespace vorn
