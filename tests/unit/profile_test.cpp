#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win.h"
#include "settings/profile.h"
#include "settings/text_encoding.h"

namespace vorn {
namespace {

struct LookupCase {
    const char* what;
    std::wstring text;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* defaultValue;
    std::wstring expected;
};

class ProfileLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(ProfileLookupTest, ReadsLikeTheWindowsProfileReader)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(ProfileFile::Parse(c.text).Get(c.section, c.key, c.defaultValue), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileLookupTest,
    ::testing::Values(
        LookupCase{"plain", L"[s]\r\nk=v\r\n", L"s", L"k", L"d", L"v"},
        LookupCase{"missing key gives the default", L"[s]\r\nk=v\r\n", L"s", L"x", L"d", L"d"},
        LookupCase{"missing section gives the default", L"[s]\r\nk=v\r\n", L"t", L"k", L"d", L"d"},
        LookupCase{"default loses trailing spaces only", L"", L"s", L"k", L" d \t  ", L" d \t"},
        LookupCase{"quotes stay in a default", L"", L"s", L"k", L"\"d\"", L"\"d\""},
        LookupCase{"empty value is not the default", L"[s]\r\nk=\r\n", L"s", L"k", L"d", L""},
        LookupCase{"line without = is no key", L"[s]\r\nk\r\n", L"s", L"k", L"d", L"d"},
        LookupCase{"=v defines the empty key", L"[s]\r\n=v\r\n", L"s", L"", L"d", L"v"},
        LookupCase{"split at the first =", L"[s]\r\nk=a=b\r\n", L"s", L"k", L"d", L"a=b"},
        LookupCase{"key and value trimmed of blanks", L"[s]\r\n \t k \v = \t v w \v\r\n", L"s", L"k", L"", L"v w"},
        LookupCase{"other white space is not blank", L"[s]\r\nk=\fv\f\r\n", L"s", L"k", L"", L"\fv\f"},
        LookupCase{"section names ignore case", L"[SeTTings]\r\nk=v\r\n", L"settings", L"k", L"", L"v"},
        LookupCase{"key names ignore case", L"[s]\r\nCorner Size=5\r\n", L"s", L"corner size", L"", L"5"},
        LookupCase{"blanks inside brackets are not part of the name", L"  [ s \t]\r\nk=v\r\n", L"s", L"k", L"", L"v"},
        LookupCase{"text after ] is ignored", L"[s] trailing\r\nk=v\r\n", L"s", L"k", L"", L"v"},
        LookupCase{"[s]k=v defines no key", L"[s]k=v\r\n", L"s", L"k", L"d", L"d"},
        LookupCase{"header without ]", L"[s\r\nk=v\r\n", L"s", L"k", L"", L"v"},
        LookupCase{"keys before any header cannot be read", L"k=v\r\n[s]\r\n", L"s", L"k", L"d", L"d"},
        LookupCase{"comment line", L"[s]\r\n;k=v\r\n", L"s", L"k", L"d", L"d"},
        LookupCase{"indented comment line", L"[s]\r\n  ; k=v\r\n", L"s", L"; k", L"d", L"d"},
        LookupCase{"no end-of-line comments", L"[s]\r\nk=v ; note\r\n", L"s", L"k", L"", L"v ; note"},
        LookupCase{"# is no comment", L"[s]\r\n#k=v\r\n", L"s", L"#k", L"", L"v"},
        LookupCase{"first key wins", L"[s]\r\nk=1\r\nK=2\r\n", L"s", L"k", L"", L"1"},
        LookupCase{"only the first section of a name counts", L"[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n", L"s", L"b", L"d",
                   L"d"},
        LookupCase{"keys after a repeated section are not read into the first", L"[s]\r\na=1\r\n[s]\r\na=2\r\n", L"s",
                   L"a", L"", L"1"},
        LookupCase{"double quotes removed", L"[s]\r\nk=\"v w\"\r\n", L"s", L"k", L"", L"v w"},
        LookupCase{"single quotes removed", L"[s]\r\nk='v'\r\n", L"s", L"k", L"", L"v"},
        LookupCase{"one pair only", L"[s]\r\nk=\"\"v\"\"\r\n", L"s", L"k", L"", L"\"v\""},
        LookupCase{"blanks inside quotes stay", L"[s]\r\nk= \"  v  \" \r\n", L"s", L"k", L"", L"  v  "},
        LookupCase{"mismatched quotes stay", L"[s]\r\nk=\"v'\r\n", L"s", L"k", L"", L"\"v'"},
        LookupCase{"a lone quote stays", L"[s]\r\nk=\"\r\n", L"s", L"k", L"", L"\""},
        LookupCase{"two quotes make the empty text", L"[s]\r\nk=\"\"\r\n", L"s", L"k", L"d", L""},
        LookupCase{"quotes inside stay", L"[s]\r\nk=a\"b\"\r\n", L"s", L"k", L"", L"a\"b\""},
        LookupCase{"LF-only lines", L"[s]\nk=v\nj=w", L"s", L"j", L"", L"w"},
        LookupCase{"CR-only lines", L"[s]\rk=v\rj=w\r", L"s", L"j", L"", L"w"},
        LookupCase{"runs of line ends", L"[s]\r\r\n\n\rk=v", L"s", L"k", L"", L"v"},
        LookupCase{"NUL ends the text of its line", std::wstring(L"[s]\r\nk=ab\0cd\r\nj=w", 17), L"s", L"k", L"",
                   L"ab"},
        LookupCase{"the line after a NUL is read", std::wstring(L"[s]\r\nk=ab\0cd\r\nj=w", 17), L"s", L"j", L"", L"w"},
        LookupCase{"NUL in a header", std::wstring(L"[s\0]x\r\nk=v", 10), L"s", L"k", L"", L"v"},
        LookupCase{"empty text has no sections", L"", L"s", L"k", L"d", L"d"},
        LookupCase{"long values come back whole", L"[s]\r\nk=" + std::wstring(5000, L'x') + L"\r\n", L"s", L"k", L"",
                   std::wstring(5000, L'x')}));

TEST(ProfileFile, DecodesAnsiBytes)
{
    // Windows-1252: 0x80 is the euro sign, 0xE9 is e acute, the five
    // unassigned bytes stand for themselves.
    const ProfileFile file = ProfileFile::FromBytes("[s]\r\nk=\xE9\x80\x81\x9D\r\n");
#if defined(_WIN32)
    // Under Windows the system code page decides; check against it.
    EXPECT_EQ(file.Get(L"s", L"k", L""), DecodeSettingsBytes("\xE9\x80\x81\x9D"));
#else
    EXPECT_EQ(file.Get(L"s", L"k", L""), L"\u00e9\u20ac\u0081\u009d");
#endif
}

TEST(ProfileFile, ReadsUtf16LittleEndianAfterItsByteOrderMark)
{
    const std::string bytes = EncodeSettingsText(L"[s]\r\nk=\u20ac \u4e2d\r\n");
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ProfileFile::FromBytes(bytes).Get(L"s", L"k", L""), L"\u20ac \u4e2d");
    // An odd last byte is dropped.
    EXPECT_EQ(ProfileFile::FromBytes(bytes + "\x41").Get(L"s", L"k", L""), L"\u20ac \u4e2d");
}

// What editors write: UTF-8 and UTF-16 big-endian, each after its mark.
TEST(ProfileFile, TheByteOrderMarksOfUtf8AndUtf16BigEndianAreRecognised)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"UTF-8", "\xEF\xBB\xBF[s]\r\nk=caf\xC3\xA9 \xE2\x82\xAC", L"[s]\r\nk=caf\u00e9 \u20ac"},
        {"UTF-8 beyond the basic plane", "\xEF\xBB\xBFx\xF0\x9F\x98\x80y", L"x\U0001F600y"},
        {"UTF-8, the mark alone", "\xEF\xBB\xBF", L""},
        {"UTF-16BE", std::string("\xFE\xFF\0[\0s\0]\x20\xAC", 10), L"[s]\u20ac"},
        {"UTF-16BE with an odd last byte", std::string("\xFE\xFF\0k\0", 5), L"k"},
        {"UTF-16BE beyond the basic plane", std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6), L"\U0001F600"},
        {"a mark cut short is 8-bit text", "\xEF\xBBk", L"\u00ef\u00bbk"},
    };
    for (const Case& c : cases) {
        if (c.what == std::string("a mark cut short is 8-bit text") && sizeof(wchar_t) == 2) continue;  // the code page
        EXPECT_EQ(DecodeSettingsBytes(c.bytes), c.text) << c.what;
    }
    const ProfileFile file = ProfileFile::FromBytes("\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w\r\n");
    EXPECT_EQ(file.Get(L"s", L"k", L"d"), L"v");  // the first header is one
    EXPECT_EQ(file.Get(L"t", L"k", L"d"), L"w");
}

// UTF-8 that is not: the file is no text, rather than text with holes.
TEST(ProfileFile, BytesThatAreNoTextInTheirEncodingDecodeToNothing)
{
    const char* cases[] = {
        "\xEF\xBB\xBFk=\xFF",                  // no UTF-8 byte
        "\xEF\xBB\xBFk=\xE2\x82",             // cut short at the end
        "\xEF\xBB\xBFk=\xE2\x82x",            // cut short in the middle
        "\xEF\xBB\xBFk=\xC0\xAF",             // too long for its character
        "\xEF\xBB\xBFk=\xED\xA0\x80",        // a surrogate
        "\xEF\xBB\xBFk=\xF4\x90\x80\x80",   // beyond U+10FFFF
        "\xEF\xBB\xBF\x80",                   // a continuation byte alone
    };
    for (const char* bytes : cases) {
        EXPECT_EQ(DecodeSettingsBytes(bytes), std::nullopt) << testing::PrintToString(std::string(bytes));
        EXPECT_FALSE(ProfileFile::Decode(bytes).has_value());
    }
    // Cut short where the bytes after the end would complete it.
    const std::string whole = "\xEF\xBB\xBFk=\xE2\x82\xAC";
    EXPECT_EQ(DecodeSettingsBytes(std::string_view(whole).substr(0, whole.size() - 1)), std::nullopt);
    EXPECT_EQ(DecodeSettingsBytes(whole), std::wstring(L"k=\u20ac"));
    // The largest of each length still decodes.
    EXPECT_EQ(DecodeSettingsBytes("\xEF\xBB\xBF\x7F\xDF\xBF\xEF\xBF\xBF"), std::wstring(L"\u007f\u07ff\uffff"));
}

// Bytes without a byte-order mark, as editors save them: what the load takes
// them for, each rule at its edges.
TEST(TextEncoding, BytesWithoutAMarkAreReadAsWhatTheyHold)
{
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string bytes;
        std::optional<TextEncoding> encoding;  // nothing: no text
        std::wstring text;
    };
    const Case cases[] = {
        {"valid UTF-8 with a multi-byte sequence", "k=Jos\xC3\xA9", TextEncoding::Utf8, L"k=Jos\u00e9"},
        {"UTF-8 beyond the basic plane", "x\xF0\x9F\x98\x80", TextEncoding::Utf8, L"x\U0001F600"},
        {"invalid UTF-8", "k=Jos\xE9", TextEncoding::Ansi, L"k=Jos\u00e9"},
        {"valid UTF-8 but for one byte", "k=\xC3\xA9 \xE9", TextEncoding::Ansi, L"k=\u00c3\u00a9 \u00e9"},
        {"too long for its character", "k=\xC0\xAF", TextEncoding::Ansi, L"k=\u00c0\u00af"},
        {"pure ASCII", "k=Jose", TextEncoding::Ansi, L"k=Jose"},
        {"nothing", "", TextEncoding::Ansi, L""},
        // The rule's choice: 8-bit text whose bytes happen to be valid UTF-8
        // reads as UTF-8 ("\u00c3\u00a9" becomes "\u00e9"), and is written back
        // to the same bytes.
        {"ANSI that happens to be valid UTF-8", "k=\xC3\xA9t\xC3\xA9", TextEncoding::Utf8, L"k=\u00e9t\u00e9"},
        {"UTF-16LE, most characters with a NUL high byte", "a\0b\0\x00\x4e"s, TextEncoding::Utf16LEWithoutMark,
         L"ab\u4e00"},
        {"UTF-16LE, as many without as with", "a\0\x00\x4e"s, std::nullopt, L""},
        {"UTF-16LE holding a NUL character", "a\0b\0\0\0"s, std::nullopt, L""},
        {"UTF-16LE with an odd byte count", "a\0b\0c"s, std::nullopt, L""},
        {"other text with a NUL byte", "[s]\r\nk=a\0b\r\n"s, std::nullopt, L""},
    };
#if defined(_WIN32)
    // 8-bit text beyond ASCII as the code page has it: the system's here.
    const bool windows1252 = GetACP() == 1252;
#else
    const bool windows1252 = true;
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TextEncoding encoding = TextEncoding::Utf16BE;
        const std::optional<std::wstring> text = DecodeSettingsBytes(c.bytes, &encoding);
        ASSERT_EQ(text.has_value(), c.encoding.has_value());
        if (!text) continue;
        EXPECT_EQ(encoding, *c.encoding);
        if (encoding != TextEncoding::Ansi || windows1252) {
            EXPECT_EQ(*text, c.text);
        }
    }
}

TEST(TextEncoding, AFileReadAsUtf8IsWrittenAsUtf8WithoutAMark)
{
    // Each length at its first character.
    EXPECT_EQ(EncodeSettingsText(L"\u007f\u0080 \u0800 \U00010000", TextEncoding::Utf8),
              "\x7F\xC2\x80 \xE0\xA0\x80 \xF0\x90\x80\x80");
    EXPECT_EQ(EncodeSettingsText(L"Jos\u00e9 \u20ac x\U0001F600", TextEncoding::Utf8),
              "Jos\xC3\xA9 \xE2\x82\xAC x\xF0\x9F\x98\x80");
    // Half a surrogate pair has no UTF-8.
    EXPECT_EQ(EncodeSettingsText(std::wstring(1, static_cast<wchar_t>(0xD800)), TextEncoding::Utf8), "\xEF\xBF\xBD");
    // Every other encoding read is written back by the usual rule.
    EXPECT_EQ(EncodeSettingsText(L"Jos\u00e9", TextEncoding::Utf16LEWithoutMark), "Jos\xE9");
}

TEST(TextEncoding, EightBitWhenEveryCharacterFits)
{
    EXPECT_EQ(EncodeSettingsText(L"abc=\u00e9\u00ff"), "abc=\xE9\xFF");
    EXPECT_EQ(EncodeSettingsText(L""), "");
}

TEST(TextEncoding, Utf16WhenACharacterDoesNotFitOrTheBytesWouldReadAsUtf8)
{
    // "Ã©" in 8 bits is the UTF-8 of "é"; "Ã" followed by a space is not UTF-8.
    EXPECT_EQ(EncodeSettingsText(L"\u00c3 x"), "\xC3 x");
    for (const wchar_t* text : {L"\u20ac", L"\u0080", L"\u4e2d", L"a\u0100", L"Jos\u00c3\u00a9"}) {
        const std::string bytes = EncodeSettingsText(text);
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
        EXPECT_EQ(DecodeSettingsBytes(bytes), text);
    }
    EXPECT_EQ(EncodeSettingsText(L"a\u20ac"), std::string("\xFF\xFE"
                                                          "a\0\xAC\x20",
                                                          6));
}

TEST(TextEncoding, CharactersBeyondTheBasicPlaneSurviveAsSurrogatePairs)
{
    const std::wstring text = L"x\U0001F600y";
    const std::string bytes = EncodeSettingsText(text);
    EXPECT_EQ(bytes, std::string("\xFF\xFE"
                                 "x\0\x3D\xD8\x00\xDE"
                                 "y\0",
                                 10));
    EXPECT_EQ(DecodeSettingsBytes(bytes), text);
}

}  // namespace
}  // namespace vorn
