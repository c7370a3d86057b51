// The settings file's encodings. 8-bit text in the ANSI code page is what the
// format has always been and what other tools write; UTF-16 little-endian with
// the byte-order mark FF FE carries text the code page cannot hold. Both are
// what the Windows profile reader understands, and what a save writes. Files
// that editors save as UTF-8 or UTF-16 big-endian with their marks are read
// too, so that a user's edit never turns the settings into defaults.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Text of a settings file, by its byte-order mark: UTF-16LE after FF FE,
// UTF-16BE after FE FF (an odd last byte is dropped), UTF-8 after EF BB BF;
// otherwise 8-bit ANSI (on Windows the system code page; elsewhere
// Windows-1252, whose five unassigned bytes stand for themselves). Nothing
// when the bytes are not text in the encoding their mark names.
std::optional<std::wstring> DecodeSettingsBytes(std::string_view bytes);

// Whether `c` can be stored as the single byte of the same value and read
// back unchanged through the ANSI code page.
bool FitsInAnsiByte(wchar_t c);

// The bytes of a settings file: one byte per character when every character
// fits; otherwise UTF-16LE with FF FE, so that nothing is lost.
std::string EncodeSettingsText(std::wstring_view text);

}  // namespace vorn
