// Key combinations: their text both ways, the keyboard layout's punctuation,
// how they are typed, and what the editor's key box records.
#include <gtest/gtest.h>

#include "actions/key_combination.h"
#include "tests/fake/fixture.h"
#include "ui/key_recorder.h"

namespace vorn {
namespace {

constexpr BYTE kCtrl = kCtrlModifier, kAlt = kAltModifier, kShift = kShiftModifier, kWin = kWinModifier;
constexpr BYTE kVkShift = 0x10, kVkCtrl = 0x11, kVkAlt = 0x12, kVkWin = 0x5B;

class KeyCombinationTest : public fake::DesktopTest {};

// Written so, and read back the same.
TEST_F(KeyCombinationTest, TextBothWays)
{
    const std::pair<KeyCombination, const wchar_t*> cases[] = {
        {{}, L""},
        {{kCtrl, 0}, L"Ctrl"},
        {{kAlt, 0}, L"Alt"},
        {{kShift, 0}, L"Shift"},
        {{kWin, 0}, L"Win"},
        {{kCtrl | kAlt | kShift | kWin, 0x2E}, L"Win+Ctrl+Alt+Shift+Delete"},
        {{kCtrl | kAlt, 'T'}, L"Ctrl+Alt+T"},
        {{kWin | kShift, 'S'}, L"Win+Shift+S"},
        {{kCtrl | kShift, 0x1B}, L"Ctrl+Shift+Esc"},
        {{0, 'A'}, L"A"},
        {{0, 'Z'}, L"Z"},
        {{kCtrl, '0'}, L"Ctrl+0"},
        {{kCtrl, '9'}, L"Ctrl+9"},
        {{0, 0x70}, L"F1"},
        {{kShift, 0x87}, L"Shift+F24"},
        {{0, 0x88}, L"VK 88"},
        {{kAlt, 0x2C}, L"Alt+Print screen"},
        {{0, 0x13}, L"Pause"},
        {{0, 0x21}, L"Page up"},
        {{0, 0x60}, L"Num 0"},
        {{0, 0x69}, L"Num 9"},
        {{kCtrl, 0x6B}, L"Ctrl+Num add"},
        {{0, 0xB3}, L"Media play pause"},
        {{0, 0xA6}, L"Browser back"},
        {{kCtrl, 0xBA}, L"Ctrl+OEM 1"},
        {{kCtrl, 0xBB}, L"Ctrl+Plus"},
        {{kCtrl, 0xE2}, L"Ctrl+OEM 102"},
        {{0, 0xE8}, L"VK E8"},
    };
    for (const auto& [keys, text] : cases) {
        EXPECT_EQ(KeyCombinationText(keys), text);
        EXPECT_EQ(ParseKeyCombination(text), keys) << testing::PrintToString(std::wstring(text));
    }
}

// By hand: any case, blanks, modifiers in any order, other spellings and the
// layout's characters; and what cannot be read.
TEST_F(KeyCombinationTest, ReadsWhatAUserTypesAndRefusesTheRest)
{
    const std::pair<const wchar_t*, std::optional<KeyCombination>> cases[] = {
        {L"  Shift + ctrl + ESCAPE ", KeyCombination{kCtrl | kShift, 0x1B}},
        {L"Control+Windows+d", KeyCombination{kCtrl | kWin, 'D'}},
        {L"alt+shift", KeyCombination{kAlt | kShift, 0}},
        {L"pgdn", KeyCombination{0, 0x22}},
        {L"PRINTSCREEN", KeyCombination{0, 0x2C}},
        {L"F 13", KeyCombination{0, 0x7C}},
        {L"Return", KeyCombination{0, 0x0D}},
        {L"vk e8", KeyCombination{0, 0xE8}},
        {L"VK 0D", KeyCombination{0, 0x0D}},
        {L"Ctrl+;", KeyCombination{kCtrl, 0xBA}},
        {L"Alt+'", KeyCombination{kAlt, 0xDE}},
        // A modifier named twice, in either spelling, counts once.
        {L"Ctrl+Ctrl+A", KeyCombination{kCtrl, 'A'}},
        {L"control+Shift+CTRL+Esc", KeyCombination{kCtrl | kShift, 0x1B}},
        {L"Alt+Alt", KeyCombination{kAlt, 0}},
        // Unreadable: nothing after "+", a "+" glued to a name, a modifier after
        // the key, two keys, unknown names and codes, characters that
        // need Shift or that no key types here.
        {L"Ctrl+", std::nullopt},
        {L"+Ctrl", std::nullopt},
        {L"A+Ctrl", std::nullopt},
        {L"A+B", std::nullopt},
        {L"Ctrl+Shiftt+S", std::nullopt},
        {L"F25", std::nullopt},
        {L"F0", std::nullopt},
        {L"VK 00", std::nullopt},
        {L"VK FF", std::nullopt},
        {L"VK 01", std::nullopt},
        {L"VK 10", std::nullopt},
        {L"VK 5C", std::nullopt},
        {L"VK G1", std::nullopt},
        {L"Ctrl+:", std::nullopt},
        {L"Ctrl++", std::nullopt},
        {L"Ctrl+\u00fc", std::nullopt},
        {L"Ctrl++++", std::nullopt},
    };
    for (const auto& [text, keys] : cases)
        EXPECT_EQ(ParseKeyCombination(text), keys) << testing::PrintToString(std::wstring(text));
}

// A German layout: punctuation shows and reads as the characters it types
// there, and is written by names that do not depend on it.
TEST_F(KeyCombinationTest, PunctuationOfTheUsersLayout)
{
    desktop.keyboardLayout = {{0xBA, L'\u00fc', L'\u00dc', L'\u00dc'},
                              {0xBB, L'+', L'*', L'+'},
                              {0xDC, L'^', L'\u00b0', L'^', true},
                              {'Y', L'z', L'Z', L'Z'}};
    const struct {
        const wchar_t* typed;
        KeyCombination keys;
        const wchar_t* shown;
        const wchar_t* written;
    } cases[] = {
        {L"Ctrl+\u00fc", {kCtrl, 0xBA}, L"Ctrl+\u00dc", L"Ctrl+OEM 1"},
        {L"Ctrl+\u00dc", {kCtrl, 0xBA}, L"Ctrl+\u00dc", L"Ctrl+OEM 1"},  // the capital the key shows
        {L"Ctrl++", {kCtrl, 0xBB}, L"Ctrl++", L"Ctrl+Plus"},
        {L"Shift+^", {kShift, 0xDC}, L"Shift+^", L"Shift+OEM 5"},  // an accent
        {L"Ctrl+Y", {kCtrl, 'Y'}, L"Ctrl+Y", L"Ctrl+Y"},           // letters keep Windows' names
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseKeyCombination(c.typed), c.keys) << testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(KeyCombinationDisplayText(c.keys), c.shown);
        EXPECT_EQ(KeyCombinationText(c.keys), c.written);
    }
    EXPECT_FALSE(ParseKeyCombination(L"Ctrl+*"));                        // Shift and +
    EXPECT_EQ(KeyCombinationDisplayText({kCtrl, 0xDF}), L"Ctrl+OEM 8");  // the layout types nothing with it
    EXPECT_EQ(ModifiersDisplayPrefix(kWin | kShift), L"Win+Shift+");
}

std::string Typed(const fake::FakeDesktop& desktop)
{
    std::string typed;
    for (const fake::KeyEvent& event : desktop.keys)
        typed += ((event.flags & KEYEVENTF_KEYUP) ? " ^" : " v") + std::to_string(event.virtualKey) +
                 ((event.flags & KEYEVENTF_EXTENDEDKEY) ? "e" : "") + (event.scanCode ? "?" : "");
    return typed;
}

// v: down, ^: up, e: extended. Modifiers down Ctrl, Alt, Shift, Win, up in
// reverse; the harmless key 232 before Win or Alt go up; held modifiers go up
// only when released, with the guard then if no key came between.
TEST_F(KeyCombinationTest, TypedInOrderWithTheExtendedFlagsAndTheGuardForWinAndAlt)
{
    const struct {
        KeyCombination keys;
        bool hold;
        const char* typed;
        const char* released;
    } cases[] = {
        {{kCtrl | kShift, 0x1B}, false, " v17 v16 v27 ^27 ^16 ^17", ""},
        {{kWin | kShift, 'S'}, false, " v16 v91e v83 ^83 v232 ^232 ^91e ^16", ""},
        {{kCtrl | kAlt | kShift | kWin, 0x2E}, false, " v17 v18 v16 v91e v46e ^46e v232 ^232 ^91e ^16 ^18 ^17", ""},
        {{kCtrl, 0x2C}, false, " v17 v44e ^44e ^17", ""},
        {{0, 0xB3}, false, " v179e ^179e", ""},
        {{0, 0x6F}, false, " v111e ^111e", ""},
        {{0, 0x6A}, false, " v106 ^106", ""},
        {{0, 0x25}, false, " v37e ^37e", ""},
        {{0, 0x13}, false, " v19 ^19", ""},
        {{kWin, 0}, false, " v91e ^91e", ""},  // alone, as recorded: the Start menu
        {{kAlt, 0x09}, true, " v18 v9 ^9 v232 ^232", " ^18"},
        {{kCtrl | kShift, 'X'}, true, " v17 v16 v88 ^88", " ^16 ^17"},
        {{kWin, 0}, true, " v91e", " v232 ^232 ^91e"},
    };
    for (const auto& c : cases) {
        desktop.keys.clear();
        TypeKeyCombination(c.keys, c.hold);
        EXPECT_EQ(Typed(desktop), c.typed);
        EXPECT_EQ(desktop.keysDown[kVkCtrl] || desktop.keysDown[kVkAlt] || desktop.keysDown[kVkWin], c.hold);
        desktop.keys.clear();
        if (c.hold) ReleaseKeyModifiers(c.keys);
        EXPECT_EQ(Typed(desktop), c.released);
        EXPECT_EQ(std::count(desktop.keysDown.begin(), desktop.keysDown.end(), true), 0);
    }
}

TEST_F(KeyCombinationTest, TheRecorderTakesWhatIsPressed)
{
    // Left and right modifiers alike.
    const struct {
        std::vector<std::pair<BYTE, bool>> strokes;  // key, up
        const wchar_t* text;
        RecorderResult last;
    } cases[] = {
        {{{0xA2, 0}, {0xA0, 0}, {0x1B, 0}, {0x1B, 1}, {0xA0, 1}}, L"Ctrl+Shift+Esc", RecorderResult::None},
        {{{0x5C, 0}, {0xA1, 0}, {'S', 0}}, L"Win+Shift+S", RecorderResult::Changed},
        {{{0xA2, 0}, {0xA5, 0}}, L"Ctrl+Alt+", RecorderResult::Changed},  // held, no key yet
        {{{kVkAlt, 0}, {kVkShift, 0}, {kVkShift, 1}, {kVkAlt, 1}}, L"Alt+Shift", RecorderResult::Changed},
        {{{kVkCtrl, 0}, {'C', 0}, {'C', 1}, {kVkCtrl, 1}}, L"Ctrl+C", RecorderResult::Changed},
        {{{0x0D, 0}, {0x0D, 1}, {0x1B, 0}}, L"Esc", RecorderResult::Changed},
        {{{'A', 0}, {0x09, 0}}, L"A", RecorderResult::NextControl},
        {{{0x09, 0}, {0x09, 1}, {0x09, 0}}, L"", RecorderResult::NextControl},  // and again
        {{{'A', 0}, {kVkShift, 0}, {0x09, 0}}, L"A", RecorderResult::PreviousControl},
        {{{kVkCtrl, 0}, {0x09, 0}}, L"Ctrl+Tab", RecorderResult::Changed},
        {{{'A', 0}, {'A', 1}, {0x08, 0}}, L"", RecorderResult::Changed},  // Backspace empties
        {{{kVkAlt, 0}, {0x08, 0}}, L"Alt+Backspace", RecorderResult::Changed},
        {{{'A', 0}, {'A', 0}}, L"A", RecorderResult::None},  // the keyboard's repeat
        {{{kVkCtrl, 0}, {kVkCtrl, 0}}, L"Ctrl+", RecorderResult::None},
        {{{kVkAlt, 0}, {0x2C, 1}}, L"Alt+Print screen", RecorderResult::Changed},  // its press kept by Windows
        {{{'A', 0}, {'A', 1}, {0x0D, 1}}, L"A", RecorderResult::None},             // a release of a press elsewhere
    };
    for (const auto& c : cases) {
        CKeyRecorder recorder;
        RecorderResult last = RecorderResult::None;
        for (const auto& [key, up] : c.strokes)
            last = up ? recorder.KeyUp(key) : recorder.KeyDown(key);
        EXPECT_EQ(recorder.Text(), c.text);
        EXPECT_EQ(last, c.last) << testing::PrintToString(std::wstring(c.text));
    }
    // The focus going forgets what is held, not what was recorded.
    CKeyRecorder recorder;
    recorder.SetKeys({kCtrl, 'C'});
    recorder.KeyDown(kVkShift);
    recorder.Forget();
    EXPECT_EQ(recorder.KeyUp(kVkShift), RecorderResult::None);
    EXPECT_EQ(recorder.Text(), L"Ctrl+C");
}

}  // namespace
}  // namespace vorn
