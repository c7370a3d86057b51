// The settings file's encodings. 8-bit text in the ANSI code page is what the
// format has always been and what other tools write; UTF-16 little-endian with
// the byte-order mark FF FE carries text the code page cannot hold. Both are
// what the Windows profile reader understands, and what a save writes. Files
// that editors save as UTF-8 (with or without its mark), UTF-16 big-endian
// with its mark or UTF-16 little-endian without one are read too, so that a
// user's edit never turns the settings into defaults; a file read as UTF-8
// without a mark, as Notepad saves, is written back so.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// How a settings file's bytes hold its text.
enum class TextEncoding {
    Ansi,
    Utf8,  // without a mark
    Utf8WithMark,
    Utf16LE,  // after FF FE
    Utf16LEWithoutMark,
    Utf16BE,  // after FE FF
};

// Text of a settings file, by its byte-order mark: UTF-16LE after FF FE,
// UTF-16BE after FE FF (an odd last byte is dropped), UTF-8 after EF BB BF.
// Without a mark: bytes with a NUL are UTF-16LE when that is what they look
// like (an even count, no NUL character, and most characters with a NUL high
// byte, as the ASCII of keys and section names gives), else no text; bytes
// that are valid UTF-8 and hold at least one multi-byte sequence are UTF-8;
// anything else is 8-bit ANSI (on Windows the system code page; elsewhere
// Windows-1252, whose five unassigned bytes stand for themselves). Nothing
// when the bytes are not text in their encoding. `encoding` (when given) is
// told which encoding was read.
std::optional<std::wstring> DecodeSettingsBytes(std::string_view bytes, TextEncoding* encoding = nullptr);

// Whether `c` can be stored as the single byte of the same value and read
// back unchanged through the ANSI code page.
bool FitsInAnsiByte(wchar_t c);

// The bytes of a settings file read in `readAs`: UTF-8 without a mark for a
// file read so; otherwise one byte per character when every character fits,
// else UTF-16LE with FF FE, so that nothing is lost.
std::string EncodeSettingsText(std::wstring_view text, TextEncoding readAs = TextEncoding::Ansi);

// The Windows runtime's _wcsicmp in its default locale folds A-Z only; doing
// the same on every platform keeps name lookups identical everywhere.
wchar_t FoldCase(wchar_t c);
std::wstring FoldedCase(std::wstring_view text);
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);

// Without the spaces and tabs at either end, as Windows reads a value.
std::wstring_view TrimmedBlanks(std::wstring_view text);

}  // namespace vorn
