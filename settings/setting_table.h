// The keys of the "Settings" section, in the order the file is written, with
// the text a missing key reads as and the range a number is clamped into.
// Defaults, load and save all walk this one table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/data.h"

namespace vorn {

struct SettingDef {
    const wchar_t* key;
    std::int32_t CData::*number;  // set for numeric keys
    bool CData::*flag;            // set for "True"/"False" keys
    const wchar_t* missingValue;  // what a missing key reads as
    std::int32_t low;
    std::int32_t high;
    // Written as "False" whatever the field holds: the first save ends the
    // first run.
    bool alwaysWrittenFalse = false;
    // Written only when the value is not what a missing key reads as, so that
    // a file that never changed them stays as it always was.
    bool writtenWhenChanged = false;
    // Text that holds no number (an emptied box, a word) means the default
    // rather than the low end, where the low end is costly.
    bool unreadableMeansMissing = false;
};

inline constexpr std::array<SettingDef, 24> kSettingDefs{{
    {L"Corner size", &CData::cornerSize, nullptr, L"2", 1, 20},
    {L"Current page", &CData::currentPage, nullptr, L"0", 0, 4},
    {L"Repeat rate", &CData::repeatRate, nullptr, L"70", 1, 100},
    {L"Side length", &CData::sideLength, nullptr, L"70", 10, 90},
    {L"Side width", &CData::sideWidth, nullptr, L"2", 1, 20},
    {L"Fade transparency", nullptr, &CData::fadeTransparency, L"F", 0, 0},
    {L"Desktop transparency", &CData::desktopTransparency, nullptr, L"98", 1, 99},
    {L"Vorn transparency", &CData::vornTransparency, nullptr, L"0", 0, 100},
    {L"Taskbar transparency", &CData::taskbarTransparency, nullptr, L"0", 0, 100},
    {L"Wallpaper delay", &CData::wallpaperDelay, nullptr, L"0", 0, 262799},
    {L"Wallpaper random", nullptr, &CData::wallpaperRandom, L"T", 0, 0},
    {L"Window transparency", &CData::windowTransparency, nullptr, L"50", 1, 99},
    {L"Window grow", &CData::windowGrow, nullptr, L"10", 1, 99},
    {L"Window shrink", &CData::windowShrink, nullptr, L"10", 1, 99},
    {L"Window move", &CData::windowMove, nullptr, L"10", 1, 99},
    {L"First run", nullptr, &CData::firstRun, L"T", 0, 0, true},
    {L"Pause in full screen", nullptr, &CData::pauseInFullScreen, L"F", 0, 0, false, true},
    {L"Corners on every monitor", nullptr, &CData::cornersOnEveryMonitor, L"F", 0, 0, false, true},
    {L"Poll interval", &CData::pollInterval, nullptr, L"500", 50, 500, false, true, true},
    {L"Dwell time", &CData::dwellTime, nullptr, L"0", 0, 1000, false, true},
    {L"Instant response", nullptr, &CData::instantResponse, L"F", 0, 0, false, true},
    {L"Quiet while dragging", nullptr, &CData::quietWhileDragging, L"F", 0, 0, false, true},
    {L"Keep a log", nullptr, &CData::keepLog, L"F", 0, 0, false, true},
    {L"Show the wait", nullptr, &CData::showWait, L"F", 0, 0, false, true},
}};

// A numeric key's value read from text: truncated and clamped into its range.
std::int32_t SettingNumber(const SettingDef& def, std::wstring_view text);

// Whether the save writes the key: always, except for the optional keys at
// their defaults.
bool IsSettingWritten(const SettingDef& def, const CData& data);

// "Group %d expanded" for 1 … 13, missing value "T".
inline constexpr const wchar_t* kGroupExpandedMissingValue = L"T";

// Default Plain assignments by zone; Shift and Ctrl default to "No action".
inline constexpr std::array<const wchar_t*, kZoneCount> kDefaultPlainActions{{
    L"Screen saver on",
    L"Enlarge window",
    L"Screen saver disable momentary",
    L"Show desktop momentary",
    L"Tile left",
    L"Maximize persistent",
    L"Tile right",
    L"Peek window momentary",
}};
inline constexpr const wchar_t* kDefaultOtherAction = L"No action";

// A boolean value is true exactly when its first character is an upper-case T.
constexpr bool ParseFlag(const wchar_t* text) { return text && text[0] == L'T'; }

}  // namespace vorn
