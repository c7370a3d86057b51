#include "settings/text_encoding.h"

#include <array>

#include "platform/win.h"

namespace vorn {
namespace {

constexpr bool IsHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
constexpr bool IsLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The ANSI code page as a byte → character table; `singleByte` false for the
// double-byte code pages of East Asian systems, where only ASCII bytes stand
// alone.
struct AnsiCodePage {
    std::array<wchar_t, 256> characters{};
    bool singleByte = true;
};

#if defined(_WIN32)

AnsiCodePage LoadAnsiCodePage()
{
    AnsiCodePage page;
    CPINFO info{};
    page.singleByte = GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        wchar_t c = 0;
        if (MultiByteToWideChar(CP_ACP, 0, &byte, 1, &c, 1) != 1) c = 0xFFFD;
        page.characters[static_cast<std::size_t>(b)] = c;
    }
    return page;
}

#else

AnsiCodePage LoadAnsiCodePage()
{
    // Windows-1252 from 0x80 to 0x9F; the rest is Latin-1.
    static constexpr wchar_t k80to9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    AnsiCodePage page;
    for (int b = 0; b < 256; ++b)
        page.characters[static_cast<std::size_t>(b)] =
            (b >= 0x80 && b <= 0x9F) ? k80to9F[b - 0x80] : static_cast<wchar_t>(b);
    return page;
}

#endif

const AnsiCodePage& CodePage()
{
    static const AnsiCodePage page = LoadAnsiCodePage();
    return page;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::wstring text;
    text.reserve(bytes.size() / 2);
    const std::size_t low = bigEndian ? 1 : 0;
    const auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + low])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1 - low])) << 8;
    };
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t u = unit(i);
        if constexpr (sizeof(wchar_t) == 4) {
            // Pairs become one character where wchar_t is 32 bits wide.
            if (IsHighSurrogate(u) && i + 1 < units && IsLowSurrogate(unit(i + 1))) {
                u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
                ++i;
            }
        }
        text += static_cast<wchar_t>(u);
    }
    return text;
}

// Strict UTF-8: a sequence that is cut short, too long for its character, a
// surrogate or beyond U+10FFFF makes the whole text undecodable.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int more = 0;  // continuation bytes
        if (lead < 0x80)
            more = 0;
        else if ((lead & 0xE0) == 0xC0)
            more = 1;
        else if ((lead & 0xF0) == 0xE0)
            more = 2;
        else if ((lead & 0xF8) == 0xF0)
            more = 3;
        else
            return std::nullopt;
        if (bytes.size() - i <= static_cast<std::size_t>(more)) return std::nullopt;
        std::uint32_t c = more == 0 ? lead : lead & (0x3F >> more);
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
        if (sizeof(wchar_t) == 2 && c > 0xFFFF) {
            text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            text += static_cast<wchar_t>(c);
        }
        i += static_cast<std::size_t>(more) + 1;
    }
    return text;
}

std::optional<std::wstring> DecodeAnsi(std::string_view bytes)
{
#if defined(_WIN32)
    if (bytes.empty()) return std::wstring();
    // Whole-text conversion, so double-byte code pages decode their pairs.
    std::wstring text;
    const int size = static_cast<int>(bytes.size());
    const int count = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (count <= 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(count));
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), count);
    return text;
#else
    const AnsiCodePage& page = CodePage();
    std::wstring text(bytes.size(), L'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = page.characters[static_cast<unsigned char>(bytes[i])];
    return text;
#endif
}

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// UTF-16LE without a mark: whole 16-bit units, none of them NUL, and more
// than half of them with a NUL high byte. Text with stray NULs (a crash's
// zero-filled end, a binary file) almost never passes, since its NULs pair up
// or fall anywhere.
bool LooksLikeUtf16LE(std::string_view bytes)
{
    if (bytes.size() % 2 != 0) return false;
    std::size_t narrow = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const bool lowNul = bytes[i] == '\0';
        const bool highNul = bytes[i + 1] == '\0';
        if (lowNul && highNul) return false;
        if (highNul) ++narrow;
    }
    return narrow * 2 > bytes.size() / 2;
}

bool HasNonAscii(std::string_view bytes)
{
    for (char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80) return true;
    return false;
}

std::string EncodeUtf8(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<std::uint32_t>(text[i]);
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<std::uint32_t>(text[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        // Half a pair has no UTF-8.
        if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) c = 0xFFFD;
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

std::string EncodeUtf16(std::wstring_view text)
{
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    const auto put = [&](std::uint32_t u) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>((u >> 8) & 0xFF);
    };
    for (wchar_t c : text) {
        const auto u = static_cast<std::uint32_t>(c);
        if (u > 0xFFFF) {
            put(0xD800 + ((u - 0x10000) >> 10));
            put(0xDC00 + ((u - 0x10000) & 0x3FF));
        } else {
            put(u);
        }
    }
    return bytes;
}

}  // namespace

std::optional<std::wstring> DecodeSettingsBytes(std::string_view bytes, TextEncoding* encoding)
{
    TextEncoding found = TextEncoding::Ansi;
    std::optional<std::wstring> text;
    if (StartsWith(bytes, "\xFF\xFE")) {
        found = TextEncoding::Utf16LE;
        text = DecodeUtf16(bytes.substr(2), false);
    } else if (StartsWith(bytes, "\xFE\xFF")) {
        found = TextEncoding::Utf16BE;
        text = DecodeUtf16(bytes.substr(2), true);
    } else if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        found = TextEncoding::Utf8WithMark;
        text = DecodeUtf8(bytes.substr(3));
    } else if (bytes.find('\0') != std::string_view::npos) {
        if (!LooksLikeUtf16LE(bytes)) return std::nullopt;
        found = TextEncoding::Utf16LEWithoutMark;
        text = DecodeUtf16(bytes, false);
    } else if (HasNonAscii(bytes) && (text = DecodeUtf8(bytes))) {
        found = TextEncoding::Utf8;
    } else {
        text = DecodeAnsi(bytes);
    }
    if (encoding) *encoding = found;
    return text;
}

bool FitsInAnsiByte(wchar_t c)
{
    const auto u = static_cast<std::uint32_t>(c);
    if (u < 0x80) return true;
    const AnsiCodePage& page = CodePage();
    return page.singleByte && u <= 0xFF && page.characters[u] == c;
}

std::string EncodeSettingsText(std::wstring_view text, TextEncoding readAs)
{
    if (readAs == TextEncoding::Utf8) return EncodeUtf8(text);
    const AnsiCodePage& page = CodePage();
    std::string bytes(text.size(), '\0');
    char* out = bytes.data();
    for (wchar_t c : text) {
        const auto u = static_cast<std::uint32_t>(c);
        if (u >= 0x80 && (!page.singleByte || u > 0xFF || page.characters[u] != c)) return EncodeUtf16(text);
        *out++ = static_cast<char>(static_cast<unsigned char>(u));
    }
    // 8-bit text that reads as UTF-8 ("Ã©" gives the bytes of "é") would
    // come back as other letters: such text is written as UTF-16 instead.
    if (HasNonAscii(bytes) && DecodeUtf8(bytes)) return EncodeUtf16(text);
    return bytes;
}

wchar_t FoldCase(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::wstring FoldedCase(std::wstring_view text)
{
    std::wstring folded(text);
    for (wchar_t& c : folded)
        c = FoldCase(c);
    return folded;
}

std::wstring_view TrimmedBlanks(std::wstring_view text)
{
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t'))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

}  // namespace vorn
