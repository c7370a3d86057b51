// The text of Vorn.ini, and how values are stored so that they read back
// unchanged.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vorn {

// Decimal text of a number; the runtime's wide formatting is slow.
std::wstring DecimalText(std::int64_t number);

// The settings' own sections; the whole file's other sections follow them.
inline constexpr const wchar_t* kSettingsSection = L"Settings";
// Keys of "[Settings]" that are no number or flag, written only when set.
inline constexpr const wchar_t* kQuietProgramsKey = L"Quiet programs";
inline constexpr const wchar_t* kSwitchKeysKey = L"Switch keys";
inline constexpr const wchar_t* kWallpaperFoldersSection = L"Wallpaper folders";
// Each zone's own wait; written only when a zone has one.
inline constexpr const wchar_t* kDwellTimesSection = L"Dwell times";

// Whether `bytes` are text in an encoding the load reads, holding every one
// of `sections` in order, and ending where a save ends: right after the last
// one's header, or after an empty line (the one that closes each custom
// action and each button section). A cut exactly after such an empty line
// cannot be told from a save with fewer actions or buttons.
bool HoldsSectionsInOrder(std::string_view bytes, std::span<const wchar_t* const> sections);

// A value as it is written after "key=". Line breaks and NULs, which would
// end the line, become spaces. A value the profile reader would change (blanks
// at either end, or one pair of enclosing quotes) is written inside double
// quotes, which the reader removes again.
std::wstring StoredValue(std::wstring_view value);
void AppendStoredValue(std::wstring& out, std::wstring_view value);
// A whole "key=value" line, CR LF included.
void AppendKeyLine(std::wstring& out, std::wstring_view key, std::wstring_view value);

}  // namespace vorn
