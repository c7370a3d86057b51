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

// What the box's low-level hook keeps of the keyboard's events for the
// recorder, and what it hands on to the hooks installed before it (a screen
// reader's) and to Windows: keys typed by a program (Vorn's own key actions
// among them) are never recorded; neither are Insert and Caps Lock pressed
// with nothing else held, the modifiers screen readers use, nor any key
// pressed while one of them is held, so a screen reader's commands work in
// the box. A key whose press was kept keeps its release and repeats too, and
// one whose press went on sends its release on after it.
class CKeyHookFilter {
public:
    // `flags` as the low-level hook gets them (KBDLLHOOKSTRUCT): true when
    // the event is the box's, false when it goes on.
    bool Keep(BYTE key, DWORD flags);

private:
    std::bitset<256> kept_;    // pressed, kept
    std::bitset<256> passed_;  // pressed, gone on
    std::bitset<256> reader_;  // a screen reader's modifier, gone on
};

// Whether a key message that reached the box, with the time it carries
// (GetMessageTime), came after the last event the hook was called for: the
// hook would have had it first, so Windows no longer calls the hook. The
// tick counts wrap after 49.7 days.
bool CameAfterHook(DWORD messageTime, DWORD lastHookTime);

}  // namespace vorn
