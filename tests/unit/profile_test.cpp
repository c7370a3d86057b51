#include <gtest/gtest.h>

#include <string>

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

TEST(ProfileFile, AUtf8ByteOrderMarkIsPartOfTheFirstLine)
{
    // Windows does not recognise it: the first header is not a header.
    const ProfileFile file = ProfileFile::FromBytes("\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w\r\n");
    EXPECT_EQ(file.Get(L"s", L"k", L"d"), L"d");
    EXPECT_EQ(file.Get(L"t", L"k", L"d"), L"w");
}

TEST(TextEncoding, EightBitWhenEveryCharacterFits)
{
    EXPECT_EQ(EncodeSettingsText(L"abc=\u00e9\u00ff"), "abc=\xE9\xFF");
    EXPECT_EQ(EncodeSettingsText(L""), "");
}

TEST(TextEncoding, Utf16WhenACharacterDoesNotFit)
{
    for (const wchar_t* text : {L"\u20ac", L"\u0080", L"\u4e2d", L"a\u0100"}) {
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
