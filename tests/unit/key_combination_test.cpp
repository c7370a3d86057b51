// Key combinations: their text both ways, the keyboard layout's punctuation,
// how they are typed, and what the editor's key box records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/key_combination.h"
#include "tests/fake/fixture.h"
#include "ui/key_recorder.h"

namespace vorn {
namespace {

constexpr BYTE kCtrl = kCtrlModifier;
constexpr BYTE kAlt = kAltModifier;
constexpr BYTE kShift = kShiftModifier;
constexpr BYTE kWin = kWinModifier;

class KeyCombinationTest : public fake::DesktopTest {};

// One row per rule of the text: it is written so, and read back the same.
TEST_F(KeyCombinationTest, TextBothWays)
{
    struct Case {
        KeyCombination keys;
        const wchar_t* text;
    };
    const Case cases[] = {
        {{}, L""},
        // Each modifier alone, then all of them, in the order Windows names them.
        {{kCtrl, 0}, L"Ctrl"},
        {{kAlt, 0}, L"Alt"},
        {{kShift, 0}, L"Shift"},
        {{kWin, 0}, L"Win"},
        {{kCtrl | kShift, 0}, L"Ctrl+Shift"},
        {{kCtrl | kAlt | kShift | kWin, 0x2E}, L"Win+Ctrl+Alt+Shift+Delete"},
        {{kCtrl | kAlt, 'T'}, L"Ctrl+Alt+T"},
        {{kWin | kShift, 'S'}, L"Win+Shift+S"},
        {{kCtrl | kShift, 0x1B}, L"Ctrl+Shift+Esc"},
        {{kAlt, 0x09}, L"Alt+Tab"},
        // Letters and digits at both ends.
        {{0, 'A'}, L"A"},
        {{0, 'Z'}, L"Z"},
        {{kCtrl, '0'}, L"Ctrl+0"},
        {{kCtrl, '9'}, L"Ctrl+9"},
        // Function keys to F24; the code after it has no name.
        {{0, 0x70}, L"F1"},
        {{0, 0x7C}, L"F13"},
        {{kShift, 0x87}, L"Shift+F24"},
        {{0, 0x88}, L"VK 88"},
        // Extended and plain keys of the editing block and the number pad.
        {{0, 0x2C}, L"Print screen"},
        {{kAlt, 0x2C}, L"Alt+Print screen"},
        {{0, 0x13}, L"Pause"},
        {{kCtrl, 0x03}, L"Ctrl+Break"},
        {{0, 0x21}, L"Page up"},
        {{0, 0x28}, L"Down"},
        {{0, 0x60}, L"Num 0"},
        {{0, 0x69}, L"Num 9"},
        {{kCtrl, 0x6B}, L"Ctrl+Num add"},
        {{0, 0x6F}, L"Num divide"},
        // Media and browser keys.
        {{0, 0xB3}, L"Media play pause"},
        {{0, 0xB0}, L"Media next track"},
        {{kShift, 0xAF}, L"Shift+Volume up"},
        {{0, 0xA6}, L"Browser back"},
        {{0, 0xB7}, L"Launch app 2"},
        // Punctuation by names that hold on every layout.
        {{kCtrl, 0xBA}, L"Ctrl+OEM 1"},
        {{kCtrl, 0xBB}, L"Ctrl+Plus"},
        {{kCtrl, 0xBD}, L"Ctrl+Minus"},
        {{kCtrl, 0xE2}, L"Ctrl+OEM 102"},
        {{0, 0xE8}, L"VK E8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(KeyCombinationText(c.keys), c.text);
        const std::optional<KeyCombination> read = ParseKeyCombination(c.text);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->modifiers, c.keys.modifiers);
        EXPECT_EQ(read->key, c.keys.key);
    }
}

// Hand-written text: any case, blanks, modifiers in any order, other
// spellings, and the layout's characters.
TEST_F(KeyCombinationTest, ReadsWhatAUserTypesByHand)
{
    struct Case {
        const wchar_t* text;
        KeyCombination keys;
    };
    const Case cases[] = {
        {L"ctrl+shift+esc", {kCtrl | kShift, 0x1B}},
        {L"  Shift + Ctrl + ESCAPE ", {kCtrl | kShift, 0x1B}},
        {L"Control+Windows+d", {kCtrl | kWin, 'D'}},
        {L"alt+shift", {kAlt | kShift, 0}},
        {L"pageup", {0, 0x21}},
        {L"PgDn", {0, 0x22}},
        {L"PRINTSCREEN", {0, 0x2C}},
        {L"PrtSc", {0, 0x2C}},
        {L"mediaplaypause", {0, 0xB3}},
        {L"F 13", {0, 0x7C}},
        {L"Return", {0, 0x0D}},
        {L"vk e8", {0, 0xE8}},
        {L"VK41", {0, 'A'}},
        {L"Ctrl+;", {kCtrl, 0xBA}},
        {L"Ctrl+=", {kCtrl, 0xBB}},
        {L"Ctrl+\\", {kCtrl, 0xDC}},
        {L"Alt+'", {kAlt, 0xDE}},
        {L"win + e", {kWin, 'E'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        const std::optional<KeyCombination> read = ParseKeyCombination(c.text);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->modifiers, c.keys.modifiers);
        EXPECT_EQ(read->key, c.keys.key);
    }
}

TEST_F(KeyCombinationTest, WhatCannotBeRead)
{
    for (const wchar_t* text : {
             L"Ctrl+",          // nothing after the last "+"
             L"+Ctrl",          // a "+" glued to a name
             L"A+Ctrl",         // a modifier after the key
             L"A+B",            // two keys
             L"Ctrl+Ctrl+A",    // a modifier twice
             L"Ctrl+Shiftt+S",  // no such name
             L"Ctrl+Foo",       //
             L"F25",            // no such function key
             L"F0",             //
             L"Num 10",         //
             L"VK 00",          // no key
             L"VK FF",          //
             L"VK 01",          // the left mouse button
             L"VK 10",          // Shift, as a key
             L"VK 5C",          // the right Win key, as a key
             L"VK G1",          // no hexadecimal number
             L"Ctrl+:",         // needs Shift on this layout
             L"Ctrl++",         // so does "+"
             L"Ctrl+\u00fc",    // no key types it here
             L"Ctrl++++",       //
         }) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        EXPECT_FALSE(ParseKeyCombination(text).has_value());
    }
}

// A German layout: the keys show and read as the characters they type there,
// and are written by names that do not depend on it.
TEST_F(KeyCombinationTest, PunctuationOfTheUsersLayout)
{
    desktop.keyboardLayout = {
        {0xBA, L'\u00fc', L'\u00dc', L'\u00dc'},  // ü, shown as its capital
        {0xBB, L'+', L'*', L'+'},
        {0xBF, L'#', L'\'', L'#'},
        {0xDC, L'^', L'\u00b0', L'^', true},  // a dead key
        {'Y', L'z', L'Z', L'Z'},
    };
    struct Case {
        const wchar_t* typed;  // by hand
        KeyCombination keys;
        const wchar_t* shown;
        const wchar_t* written;
    };
    const Case cases[] = {
        {L"Ctrl+\u00fc", {kCtrl, 0xBA}, L"Ctrl+\u00dc", L"Ctrl+OEM 1"},
        {L"Ctrl+\u00dc", {kCtrl, 0xBA}, L"Ctrl+\u00dc", L"Ctrl+OEM 1"},
        {L"Ctrl++", {kCtrl, 0xBB}, L"Ctrl++", L"Ctrl+Plus"},
        {L"Alt+#", {kAlt, 0xBF}, L"Alt+#", L"Alt+OEM 2"},
        {L"Shift+^", {kShift, 0xDC}, L"Shift+^", L"Shift+OEM 5"},
        // Letters keep their names: the key is the one Windows calls Y.
        {L"Ctrl+Y", {kCtrl, 'Y'}, L"Ctrl+Y", L"Ctrl+Y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
        const std::optional<KeyCombination> read = ParseKeyCombination(c.typed);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, c.keys);
        EXPECT_EQ(KeyCombinationDisplayText(c.keys), c.shown);
        EXPECT_EQ(KeyCombinationText(c.keys), c.written);
    }
    EXPECT_FALSE(ParseKeyCombination(L"Ctrl+*").has_value());  // Shift and + on this layout
    EXPECT_FALSE(ParseKeyCombination(L"Ctrl+;").has_value());  // no key types it unshifted
    // A punctuation key the layout types nothing with shows its name.
    EXPECT_EQ(KeyCombinationDisplayText({kCtrl, 0xDF}), L"Ctrl+OEM 8");
    EXPECT_EQ(ModifiersDisplayPrefix(kWin | kShift), L"Win+Shift+");
    EXPECT_EQ(ModifiersDisplayPrefix(0), L"");
}

// --- typing ------------------------------------------------------------------------------

struct Typed {
    BYTE key;
    bool up;
    bool extended;
    bool operator==(const Typed&) const = default;
};

void PrintTo(const Typed& typed, std::ostream* out)
{
    *out << (typed.up ? "up " : "down ") << int(typed.key) << (typed.extended ? " extended" : "");
}

std::vector<Typed> TypedKeys(const fake::FakeDesktop& desktop)
{
    std::vector<Typed> typed;
    for (const fake::KeyEvent& event : desktop.keys) {
        EXPECT_EQ(event.scanCode, 0);
        typed.push_back(
            {event.virtualKey, (event.flags & KEYEVENTF_KEYUP) != 0, (event.flags & KEYEVENTF_EXTENDEDKEY) != 0});
    }
    return typed;
}

constexpr BYTE kVkCtrl = 0x11;
constexpr BYTE kVkAlt = 0x12;
constexpr BYTE kVkShift = 0x10;
constexpr BYTE kVkWin = 0x5B;

Typed Down(BYTE key, bool extended = false) { return {key, false, extended}; }
Typed Up(BYTE key, bool extended = false) { return {key, true, extended}; }

TEST_F(KeyCombinationTest, TypedInOrderWithTheExtendedFlagsAndTheGuardForWinAndAlt)
{
    struct Case {
        KeyCombination keys;
        std::vector<Typed> typed;
    };
    const Case cases[] = {
        {{0, 'A'}, {Down('A'), Up('A')}},
        // Modifiers down Ctrl, Alt, Shift, Win; up in reverse.
        {{kCtrl | kShift, 0x1B}, {Down(kVkCtrl), Down(kVkShift), Down(0x1B), Up(0x1B), Up(kVkShift), Up(kVkCtrl)}},
        // With Win or Alt a harmless key comes before they go up.
        {{kWin | kShift, 'S'},
         {Down(kVkShift), Down(kVkWin, true), Down('S'), Up('S'), Down(kMaskKey), Up(kMaskKey), Up(kVkWin, true),
          Up(kVkShift)}},
        {{kCtrl | kAlt | kShift | kWin, 0x2E},
         {Down(kVkCtrl), Down(kVkAlt), Down(kVkShift), Down(kVkWin, true), Down(0x2E, true), Up(0x2E, true),
          Down(kMaskKey), Up(kMaskKey), Up(kVkWin, true), Up(kVkShift), Up(kVkAlt), Up(kVkCtrl)}},
        {{kAlt, 0x09}, {Down(kVkAlt), Down(0x09), Up(0x09), Down(kMaskKey), Up(kMaskKey), Up(kVkAlt)}},
        // Ctrl and Shift open no menu: no guard.
        {{kCtrl, 0x2C}, {Down(kVkCtrl), Down(0x2C, true), Up(0x2C, true), Up(kVkCtrl)}},
        // Extended and plain keys.
        {{0, 0xB3}, {Down(0xB3, true), Up(0xB3, true)}},
        {{0, 0x6F}, {Down(0x6F, true), Up(0x6F, true)}},
        {{0, 0x6A}, {Down(0x6A), Up(0x6A)}},
        {{0, 0x87}, {Down(0x87), Up(0x87)}},
        {{0, 0x25}, {Down(0x25, true), Up(0x25, true)}},
        {{0, 0x13}, {Down(0x13), Up(0x13)}},
        // The modifiers alone go down and up as recorded: Win alone is the Start menu.
        {{kWin, 0}, {Down(kVkWin, true), Up(kVkWin, true)}},
        {{kAlt | kShift, 0}, {Down(kVkAlt), Down(kVkShift), Up(kVkShift), Up(kVkAlt)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(KeyCombinationText(c.keys)));
        desktop.keys.clear();
        TypeKeyCombination(c.keys, false);
        EXPECT_EQ(TypedKeys(desktop), c.typed);
        for (int key = 0; key < 256; ++key)
            EXPECT_FALSE(desktop.keysDown[static_cast<std::size_t>(key)]) << key;
    }
}

TEST_F(KeyCombinationTest, HeldModifiersStayDownUntilReleasedAndNeverGoUpAlone)
{
    struct Case {
        KeyCombination keys;
        std::vector<Typed> pressed;
        std::vector<Typed> released;
    };
    const Case cases[] = {
        {{kAlt, 0x09}, {Down(kVkAlt), Down(0x09), Up(0x09), Down(kMaskKey), Up(kMaskKey)}, {Up(kVkAlt)}},
        {{kCtrl | kShift, 'X'}, {Down(kVkCtrl), Down(kVkShift), Down('X'), Up('X')}, {Up(kVkShift), Up(kVkCtrl)}},
        // Win held alone: the guard goes just before it is let go.
        {{kWin, 0}, {Down(kVkWin, true)}, {Down(kMaskKey), Up(kMaskKey), Up(kVkWin, true)}},
        {{kCtrl, 0}, {Down(kVkCtrl)}, {Up(kVkCtrl)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(KeyCombinationText(c.keys)));
        desktop.keys.clear();
        TypeKeyCombination(c.keys, true);
        EXPECT_EQ(TypedKeys(desktop), c.pressed);
        EXPECT_EQ(desktop.keysDown[kVkCtrl], (c.keys.modifiers & kCtrl) != 0);
        EXPECT_EQ(desktop.keysDown[kVkWin], (c.keys.modifiers & kWin) != 0);
        desktop.keys.clear();
        ReleaseKeyModifiers(c.keys);
        EXPECT_EQ(TypedKeys(desktop), c.released);
        for (int key = 0; key < 256; ++key)
            EXPECT_FALSE(desktop.keysDown[static_cast<std::size_t>(key)]) << key;
    }
}

// --- the key box's recorder -----------------------------------------------------------

struct Stroke {
    BYTE key;
    bool up;
};
Stroke Press(BYTE key) { return {key, false}; }
Stroke Release(BYTE key) { return {key, true}; }

TEST_F(KeyCombinationTest, TheRecorderTakesWhatIsPressed)
{
    constexpr BYTE kLeftCtrl = 0xA2;
    constexpr BYTE kRightAlt = 0xA5;
    constexpr BYTE kLeftShift = 0xA0;
    constexpr BYTE kRightWin = 0x5C;
    struct Case {
        const char* what;
        std::vector<Stroke> strokes;
        const wchar_t* text;  // shown at the end
        RecorderResult last;  // what the last stroke asked for
    };
    const Case cases[] = {
        {"a combination",
         {Press(kLeftCtrl), Press(kLeftShift), Press(0x1B), Release(0x1B), Release(kLeftShift)},
         L"Ctrl+Shift+Esc",
         RecorderResult::None},
        {"left and right modifiers alike",
         {Press(kRightWin), Press(kLeftShift), Press('S')},
         L"Win+Shift+S",
         RecorderResult::Changed},
        {"modifiers shown while held", {Press(kLeftCtrl), Press(kRightAlt)}, L"Ctrl+Alt+", RecorderResult::Changed},
        {"modifiers alone when let go without a key",
         {Press(0x12), Press(0x10), Release(0x10), Release(0x12)},
         L"Alt+Shift",
         RecorderResult::Changed},
        {"Win alone", {Press(0x5B), Release(0x5B)}, L"Win", RecorderResult::Changed},
        {"the key keeps its combination when the modifiers go up",
         {Press(0x11), Press('C'), Release('C'), Release(0x11)},
         L"Ctrl+C",
         RecorderResult::Changed},
        {"Escape and Enter are keys like any",
         {Press(0x0D), Release(0x0D), Press(0x1B)},
         L"Esc",
         RecorderResult::Changed},
        {"Tab alone moves on", {Press('A'), Press(0x09)}, L"A", RecorderResult::NextControl},
        {"Shift+Tab moves back", {Press('A'), Press(0x10), Press(0x09)}, L"A", RecorderResult::PreviousControl},
        {"Ctrl+Tab is recorded", {Press(0x11), Press(0x09)}, L"Ctrl+Tab", RecorderResult::Changed},
        {"Alt+Tab is recorded", {Press(0x12), Press(0x09)}, L"Alt+Tab", RecorderResult::Changed},
        {"Backspace alone empties the box", {Press('A'), Release('A'), Press(0x08)}, L"", RecorderResult::Changed},
        {"Alt+Backspace is recorded", {Press(0x12), Press(0x08)}, L"Alt+Backspace", RecorderResult::Changed},
        {"a held key's repeat changes nothing", {Press('A'), Press('A')}, L"A", RecorderResult::None},
        {"a held modifier's repeat changes nothing", {Press(0x11), Press(0x11)}, L"Ctrl+", RecorderResult::None},
        {"Print Screen whose press Windows kept",
         {Press(0x12), Release(0x2C)},
         L"Alt+Print screen",
         RecorderResult::Changed},
        {"the release of a key pressed elsewhere",
         {Press('A'), Release('A'), Release(0x0D)},
         L"A",
         RecorderResult::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKeyRecorder recorder;
        RecorderResult last = RecorderResult::None;
        for (const Stroke& stroke : c.strokes)
            last = stroke.up ? recorder.KeyUp(stroke.key) : recorder.KeyDown(stroke.key);
        EXPECT_EQ(recorder.Text(), c.text);
        EXPECT_EQ(last, c.last);
    }
}

TEST_F(KeyCombinationTest, TheRecorderForgetsHeldKeysWhenTheFocusGoes)
{
    CKeyRecorder recorder;
    recorder.SetKeys({kCtrl, 'C'});
    EXPECT_EQ(recorder.Text(), L"Ctrl+C");
    recorder.KeyDown(0x10);
    recorder.KeyDown(0x09);  // Shift+Tab: the focus goes
    recorder.Forget();
    // Shift's release comes later, to wherever the focus went; here nothing is recorded.
    EXPECT_EQ(recorder.KeyUp(0x10), RecorderResult::None);
    EXPECT_EQ(recorder.Keys(), (KeyCombination{kCtrl, 'C'}));
    recorder.KeyDown(0x11);
    EXPECT_EQ(recorder.Text(), L"Ctrl+");
    recorder.Forget();
    EXPECT_EQ(recorder.Text(), L"Ctrl+C");
}

}  // namespace
}  // namespace vorn
