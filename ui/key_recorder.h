// What the custom action editor's key box makes of the keys pressed in it,
// apart from the window: the combination recorded and the text the box shows.
// The box wants every key, Tab, Enter and Escape included, so a few keys
// keep their usual meaning there: Tab alone moves on to the next control and
// Shift+Tab back to the one before, Backspace alone empties the box. With any
// other modifier (Ctrl+Tab, Alt+Backspace) they are recorded like the rest.
#pragma once

#include <bitset>
#include <string>

#include "actions/key_combination.h"

namespace vorn {

enum class RecorderResult {
    None,             // nothing changed
    Changed,          // the text to show changed
    NextControl,      // Tab: the focus moves on
    PreviousControl,  // Shift+Tab: the focus moves back
};

class CKeyRecorder {
public:
    // A key went down (again, while held: ignored) or up; the virtual key as
    // the keyboard gives it, left and right modifiers apart or not.
    RecorderResult KeyDown(BYTE key);
    RecorderResult KeyUp(BYTE key);
    // The box lost the focus: keys still held are forgotten, not recorded.
    void Forget();

    void SetKeys(const KeyCombination& keys);
    const KeyCombination& Keys() const { return keys_; }
    // The combination ("Ctrl+Shift+Esc"), or while modifiers are held before
    // any key, those modifiers ("Ctrl+Shift+").
    std::wstring Text() const;

private:
    KeyCombination keys_;
    BYTE held_ = 0;     // modifiers down now
    BYTE pressed_ = 0;  // every modifier pressed since they were all up
    // A key (or Tab or Backspace) went down since the modifiers were all up:
    // letting them go records nothing more.
    bool keyInChord_ = false;
    std::bitset<256> down_;
};

}  // namespace vorn
