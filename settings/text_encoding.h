// The settings file's two encodings. 8-bit text in the ANSI code page is what
// the format has always been and what other tools write; UTF-16 little-endian
// with the byte-order mark FF FE carries text the code page cannot hold. Both
// are what the Windows profile reader understands.
#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Text of a settings file: UTF-16LE after FF FE (an odd last byte is dropped),
// otherwise 8-bit ANSI (on Windows the system code page; elsewhere
// Windows-1252, whose five unassigned bytes stand for themselves).
std::wstring DecodeSettingsBytes(std::string_view bytes);

// Whether `c` can be stored as the single byte of the same value and read
// back unchanged through the ANSI code page.
bool FitsInAnsiByte(wchar_t c);

// The bytes of a settings file: one byte per character when every character
// fits; otherwise UTF-16LE with FF FE, so that nothing is lost.
std::string EncodeSettingsText(std::wstring_view text);

}  // namespace vorn
