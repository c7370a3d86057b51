#include "actions/key_combination.h"

#include <array>
#include <vector>

#include "platform/port.h"
#include "settings/text_encoding.h"

namespace vorn {
namespace {

struct NamedKey {
    BYTE key;
    const wchar_t* name;
};

// The written name of every key that has one beyond the letters, digits, F1
// to F24 and the number pad's digits, which are named by rule below.
// clang-format off
constexpr NamedKey kNamedKeys[] = {
    {0x03, L"Break"}, {0x08, L"Backspace"}, {0x09, L"Tab"}, {0x0C, L"Clear"}, {0x0D, L"Enter"},
    {0x13, L"Pause"}, {0x14, L"Caps lock"}, {0x1B, L"Esc"}, {0x20, L"Space"},
    {0x21, L"Page up"}, {0x22, L"Page down"}, {0x23, L"End"}, {0x24, L"Home"},
    {0x25, L"Left"}, {0x26, L"Up"}, {0x27, L"Right"}, {0x28, L"Down"},
    {0x2C, L"Print screen"}, {0x2D, L"Insert"}, {0x2E, L"Delete"}, {0x2F, L"Help"},
    {0x5D, L"Apps"}, {0x5F, L"Sleep"},
    {0x6A, L"Num multiply"}, {0x6B, L"Num add"}, {0x6C, L"Num separator"}, {0x6D, L"Num subtract"},
    {0x6E, L"Num decimal"}, {0x6F, L"Num divide"},
    {0x90, L"Num lock"}, {0x91, L"Scroll lock"},
    {0xA6, L"Browser back"}, {0xA7, L"Browser forward"}, {0xA8, L"Browser refresh"}, {0xA9, L"Browser stop"},
    {0xAA, L"Browser search"}, {0xAB, L"Browser favorites"}, {0xAC, L"Browser home"},
    {0xAD, L"Volume mute"}, {0xAE, L"Volume down"}, {0xAF, L"Volume up"},
    {0xB0, L"Media next track"}, {0xB1, L"Media previous track"}, {0xB2, L"Media stop"},
    {0xB3, L"Media play pause"},
    {0xB4, L"Launch mail"}, {0xB5, L"Launch media"}, {0xB6, L"Launch app 1"}, {0xB7, L"Launch app 2"},
    {0xBA, L"OEM 1"}, {0xBB, L"Plus"}, {0xBC, L"Comma"}, {0xBD, L"Minus"}, {0xBE, L"Period"},
    {0xBF, L"OEM 2"}, {0xC0, L"OEM 3"}, {0xDB, L"OEM 4"}, {0xDC, L"OEM 5"}, {0xDD, L"OEM 6"},
    {0xDE, L"OEM 7"}, {0xDF, L"OEM 8"}, {0xE2, L"OEM 102"},
};
// Other spellings a hand-written file may use; they are read, never written.
constexpr NamedKey kOtherSpellings[] = {
    {0x1B, L"Escape"}, {0x0D, L"Return"}, {0x2E, L"Del"}, {0x2D, L"Ins"}, {0x21, L"PgUp"}, {0x22, L"PgDn"},
    {0x2C, L"PrtSc"},
};
// clang-format on

struct NamedModifier {
    KeyModifier bit;
    BYTE key;
    const wchar_t* name;
    const wchar_t* otherSpelling;
};

// In the order the text names them; typed in the order of the bits.
constexpr std::array<NamedModifier, 4> kModifiers{{
    {kWinModifier, 0x5B, L"Win", L"Windows"},
    {kCtrlModifier, 0x11, L"Ctrl", L"Control"},
    {kAltModifier, 0x12, L"Alt", nullptr},
    {kShiftModifier, 0x10, L"Shift", nullptr},
}};
constexpr std::array<KeyModifier, 4> kTypingOrder{kCtrlModifier, kAltModifier, kShiftModifier, kWinModifier};

constexpr BYTE kFirstFunctionKey = 0x70;  // F1 … F24
constexpr BYTE kFunctionKeyCount = 24;
constexpr BYTE kFirstNumPadDigit = 0x60;  // Num 0 … Num 9

bool IsPunctuationKey(BYTE key) { return (key >= 0xBA && key <= 0xC0) || (key >= 0xDB && key <= 0xDF) || key == 0xE2; }

// What a combination cannot use as its key: no key, the mouse buttons, and
// the modifiers themselves.
bool CanBeTheKey(BYTE key)
{
    switch (key) {
    case 0x00:
    case 0x01:
    case 0x02:
    case 0x04:
    case 0x05:
    case 0x06:
    case 0xFF:
        return false;
    default:
        return ModifierOfKey(key) == 0;
    }
}

wchar_t HexDigit(int value) { return static_cast<wchar_t>(value < 10 ? L'0' + value : L'A' + value - 10); }

std::wstring KeyName(BYTE key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= kFirstFunctionKey && key < kFirstFunctionKey + kFunctionKeyCount)
        return L"F" + std::to_wstring(key - kFirstFunctionKey + 1);
    if (key >= kFirstNumPadDigit && key <= kFirstNumPadDigit + 9)
        return L"Num " + std::wstring(1, static_cast<wchar_t>(L'0' + key - kFirstNumPadDigit));
    for (const NamedKey& named : kNamedKeys)
        if (named.key == key) return named.name;
    return std::wstring(L"VK ") + HexDigit(key >> 4) + HexDigit(key & 0xF);
}

// A name as compared: lower case, without blanks.
std::wstring Folded(std::wstring_view text)
{
    std::wstring folded;
    for (const wchar_t c : text) {
        if (c == L' ' || c == L'\t') continue;
        folded += (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    }
    return folded;
}

// The character a key types without Shift on the user's layout, or 0.
wchar_t LayoutCharacter(BYTE key)
{
    // Dead keys (accents) come with the top bit set.
    const auto c = static_cast<wchar_t>(os::Input().MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0xFFFF);
    return c > L' ' ? c : 0;
}

// The key that types `c` on the user's layout: without Shift, or with Shift
// when `c` is what the key shows (the capital of a letter such as Ü).
std::optional<BYTE> LayoutKey(wchar_t c)
{
    const SHORT scan = os::Input().VkKeyScanW(c);
    if (scan == -1) return std::nullopt;
    const auto key = static_cast<BYTE>(scan & 0xFF);
    const auto shiftState = static_cast<BYTE>((scan >> 8) & 0xFF);
    if (!CanBeTheKey(key)) return std::nullopt;
    if (shiftState == 0) return key;
    if (shiftState == 1 && LayoutCharacter(key) == c) return key;
    return std::nullopt;
}

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

// The key a part of the text names.
std::optional<BYTE> KeyOfPart(std::wstring_view part)
{
    const std::wstring folded = Folded(part);
    if (folded.empty()) return std::nullopt;
    for (int key = 1; key < 0xFF; ++key)
        if (CanBeTheKey(static_cast<BYTE>(key)) && Folded(KeyName(static_cast<BYTE>(key))) == folded)
            return static_cast<BYTE>(key);
    for (const NamedKey& named : kOtherSpellings)
        if (Folded(named.name) == folded) return named.key;
    if (folded.size() == 4 && folded.starts_with(L"vk")) {
        const int high = HexValue(folded[2]);
        const int low = HexValue(folded[3]);
        if (high >= 0 && low >= 0 && CanBeTheKey(static_cast<BYTE>(high * 16 + low)))
            return static_cast<BYTE>(high * 16 + low);
        return std::nullopt;
    }
    if (part.size() == 1) return LayoutKey(part[0]);
    return std::nullopt;
}

std::optional<KeyModifier> ModifierOfPart(std::wstring_view part)
{
    const std::wstring folded = Folded(part);
    for (const NamedModifier& modifier : kModifiers)
        if (folded == Folded(modifier.name) || (modifier.otherSpelling && folded == Folded(modifier.otherSpelling)))
            return modifier.bit;
    return std::nullopt;
}


// The parts between the "+" signs. A "+" where a part should begin is the
// part itself: "Ctrl++" is Ctrl and the key that types "+".
std::vector<std::wstring> Parts(std::wstring_view text)
{
    std::vector<std::wstring> parts;
    std::wstring part;
    for (const wchar_t c : text) {
        if (c == L'+' && !TrimmedBlanks(part).empty()) {
            parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(std::move(part));
    return parts;
}

std::wstring Text(const KeyCombination& keys, bool forTheEyes)
{
    std::wstring text;
    for (const NamedModifier& modifier : kModifiers) {
        if (!(keys.modifiers & modifier.bit)) continue;
        if (!text.empty()) text += L'+';
        text += modifier.name;
    }
    if (keys.key) {
        if (!text.empty()) text += L'+';
        const wchar_t shown = forTheEyes && IsPunctuationKey(keys.key) ? LayoutCharacter(keys.key) : 0;
        text += shown ? std::wstring(1, shown) : KeyName(keys.key);
    }
    return text;
}

unsigned keyEventsTyped = 0;

void KeyEvent(BYTE key, bool up, ExtendedKeys extended = ExtendedKeys::Flagged)
{
    ++keyEventsTyped;
    DWORD flags = extended == ExtendedKeys::Flagged && IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0;
    if (up) flags |= KEYEVENTF_KEYUP;
    os::Input().keybd_event(key, 0, flags, 0);
}

void Mask()
{
    KeyEvent(kMaskKey, false);
    KeyEvent(kMaskKey, true);
}

bool HoldsWinOrAlt(const KeyCombination& keys) { return (keys.modifiers & (kWinModifier | kAltModifier)) != 0; }

}  // namespace

unsigned KeyEventsTyped() { return keyEventsTyped; }

std::wstring KeyCombinationText(const KeyCombination& keys) { return Text(keys, false); }

std::wstring KeyCombinationDisplayText(const KeyCombination& keys) { return Text(keys, true); }

std::wstring ModifiersDisplayPrefix(BYTE modifiers)
{
    std::wstring text = Text(KeyCombination{modifiers, 0}, true);
    if (!text.empty()) text += L'+';
    return text;
}

std::optional<KeyCombination> ParseKeyCombination(std::wstring_view text)
{
    text = TrimmedBlanks(text);
    KeyCombination keys;
    if (text.empty()) return keys;
    for (const std::wstring& rawPart : Parts(text)) {
        const std::wstring_view part = TrimmedBlanks(rawPart);
        // Nothing may follow the key.
        if (keys.key || part.empty()) return std::nullopt;
        // A modifier named twice is the same key held: it counts once.
        if (const std::optional<KeyModifier> modifier = ModifierOfPart(part)) {
            keys.modifiers = static_cast<BYTE>(keys.modifiers | *modifier);
            continue;
        }
        const std::optional<BYTE> key = KeyOfPart(part);
        if (!key) return std::nullopt;
        keys.key = *key;
    }
    return keys;
}

bool IsExtendedKey(BYTE key)
{
    switch (key) {
    case 0x03:  // Break
    case 0x21:  // Page up … Down
    case 0x22:
    case 0x23:
    case 0x24:
    case 0x25:
    case 0x26:
    case 0x27:
    case 0x28:
    case 0x2C:  // Print screen
    case 0x2D:  // Insert
    case 0x2E:  // Delete
    case 0x5B:  // the Win keys
    case 0x5C:
    case 0x5D:  // Apps
    case 0x5F:  // Sleep
    case 0x6F:  // Num divide
    case 0x90:  // Num lock
        return true;
    default:
        // The browser, volume, media and launch keys.
        return key >= 0xA6 && key <= 0xB7;
    }
}

BYTE ModifierKeyCode(KeyModifier modifier)
{
    for (const NamedModifier& named : kModifiers)
        if (named.bit == modifier) return named.key;
    return 0;
}

BYTE ModifierOfKey(BYTE key)
{
    switch (key) {
    case 0x11:  // Ctrl, left, right
    case 0xA2:
    case 0xA3:
        return kCtrlModifier;
    case 0x12:  // Alt
    case 0xA4:
    case 0xA5:
        return kAltModifier;
    case 0x10:  // Shift
    case 0xA0:
    case 0xA1:
        return kShiftModifier;
    case 0x5B:  // Win, left and right
    case 0x5C:
        return kWinModifier;
    default:
        return 0;
    }
}

// The keys go to whichever window has the keyboard focus.
void TypeKeyCombination(const KeyCombination& keys, bool holdModifiers, ExtendedKeys extended)
{
    for (const KeyModifier modifier : kTypingOrder)
        if (keys.modifiers & modifier) KeyEvent(ModifierKeyCode(modifier), false, extended);
    if (keys.key) {
        KeyEvent(keys.key, false, extended);
        KeyEvent(keys.key, true, extended);
        if (HoldsWinOrAlt(keys)) Mask();
    }
    if (holdModifiers) return;
    for (auto it = kTypingOrder.rbegin(); it != kTypingOrder.rend(); ++it)
        if (keys.modifiers & *it) KeyEvent(ModifierKeyCode(*it), true, extended);
}

void ReleaseKeyModifiers(const KeyCombination& keys)
{
    // Held alone, Win or Alt would open its menu on the way up.
    if (!keys.key && HoldsWinOrAlt(keys)) Mask();
    for (auto it = kTypingOrder.rbegin(); it != kTypingOrder.rend(); ++it)
        if (keys.modifiers & *it) KeyEvent(ModifierKeyCode(*it), true);
}

}  // namespace vorn
