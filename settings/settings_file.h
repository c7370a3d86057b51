// The text of Vorn.ini, and how values are stored so that they read back
// unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

// Decimal text of a number; the runtime's wide formatting is slow.
std::wstring DecimalText(std::int64_t number);

// The whole settings file, as text with CR LF line ends, from theData, the
// custom actions and the buttons.
std::wstring FormatSettingsFile();

// Whether `bytes` are a whole settings file as a save writes it, not one a
// crash cut short: text in an encoding the load reads, holding every section
// a save always writes, in order, and ending where a save ends, after
// "[Custom actions]" or after the empty line that closes each custom action
// and each button section. A cut exactly after such an empty line cannot be
// told from a save with fewer actions or buttons.
bool IsCompleteSettingsFile(std::string_view bytes);

// A value as it is written after "key=". Line breaks and NULs, which would
// end the line, become spaces. A value the profile reader would change (blanks
// at either end, or one pair of enclosing quotes) is written inside double
// quotes, which the reader removes again.
std::wstring StoredValue(std::wstring_view value);
void AppendStoredValue(std::wstring& out, std::wstring_view value);
// A whole "key=value" line, CR LF included.
void AppendKeyLine(std::wstring& out, std::wstring_view key, std::wstring_view value);

}  // namespace vorn
