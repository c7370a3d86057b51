// Starting Vorn when the user logs on (Windows only): a value of the current
// user's Run key that names this Vorn.exe, in quotes, and the folder of its
// Vorn.ini. The key is the only place the choice lives, so the page reads it
// back each time it shows.
#pragma once

#include <string>

namespace vorn::ui {

inline constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kRunValue = L"Vorn";

// Windows starts the programs of the Run key in a folder of its own choice,
// and Vorn keeps its settings in the folder it starts in: the value names the
// folder with this option, and Vorn moves there before it loads.
inline constexpr const wchar_t* kFolderOption = L"/folder";

// What the value holds: the running program's full path in quotes, then the
// option with the folder of the settings file in use.
std::wstring LogOnCommand();

// Whether the Run key holds the value and it starts this very program (a
// value left by a copy elsewhere does not count).
bool StartsAtLogOn(const wchar_t* valueName = kRunValue);

// Writes or deletes the value; a value already gone counts as deleted.
// False when the key cannot be changed.
bool SetStartAtLogOn(bool start, const wchar_t* valueName = kRunValue);

}  // namespace vorn::ui
