// Our profile reader and writer side by side with the system's: the same bytes
// read by ProfileFile and by GetPrivateProfileStringW, files written by
// WritePrivateProfileStringW read by ours, our saves read by the system's, and
// the atomic replace against a file another thread holds open.
//
// The system's reader is asked with a buffer far larger than any value here,
// since it cuts values to the buffer and ours does not. Under Wine a few rows
// of the corpus get a different answer from Wine than from Windows; those rows
// say so, and there only our reader is held to the Windows answer.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "actions/custom_actions.h"
#include "actions/util.h"
#include "app/settings_store.h"
#include "platform/file_io.h"
#include "platform/win32/win32_port.h"
#include "settings/data.h"
#include "settings/profile.h"
#include "settings/setting_table.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "tests/fake/temp_folder.h"

namespace vorn {
namespace {

constexpr DWORD kLargeBuffer = 65536;

bool UnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring SystemRead(const std::wstring& path, const wchar_t* section, const wchar_t* key,
                        const wchar_t* defaultValue, DWORD bufferSize = kLargeBuffer)
{
    std::wstring buffer(bufferSize, L'\0');
    const DWORD length =
        ::GetPrivateProfileStringW(section, key, defaultValue, buffer.data(), bufferSize, path.c_str());
    buffer.resize(length);
    return buffer;
}

// Straight Win32 file access, so that what is checked does not depend on the
// file code under test.
bool WriteBytes(const std::wstring& path, std::string_view bytes)
{
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadBytes(const std::wstring& path)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

// Whether a save of `path` left a temporary file of its own beside it.
bool TemporaryFilesLeft(const std::wstring& path)
{
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    const std::wstring name = path.substr(folder.size());
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool left = false;
    do
        left |= IsTemporaryNameOf(found.cFileName, name);
    while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return left;
}

std::string Utf16File(std::wstring_view text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(static_cast<unsigned>(c) & 0xFF);
        bytes += static_cast<char>((static_cast<unsigned>(c) >> 8) & 0xFF);
    }
    return bytes;
}

std::string BigEndianUtf16File(std::wstring_view text)
{
    std::string bytes = "\xFE\xFF";
    for (wchar_t c : text) {
        bytes += static_cast<char>((static_cast<unsigned>(c) >> 8) & 0xFF);
        bytes += static_cast<char>(static_cast<unsigned>(c) & 0xFF);
    }
    return bytes;
}

// Sections and keys as the system's reader lists them (NUL-separated lists).
std::vector<std::wstring> SplitList(const std::wstring& list)
{
    std::vector<std::wstring> items;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = list.find(L'\0', start);
        if (end == start || end == std::wstring::npos) break;
        items.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::vector<std::wstring> SystemSections(const std::wstring& path)
{
    std::wstring buffer(kLargeBuffer, L'\0');
    const DWORD length = ::GetPrivateProfileSectionNamesW(buffer.data(), kLargeBuffer, path.c_str());
    buffer.resize(length + 1);
    return SplitList(buffer);
}

std::vector<std::wstring> SystemKeys(const std::wstring& path, const std::wstring& section)
{
    std::wstring buffer(kLargeBuffer, L'\0');
    const DWORD length =
        ::GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(), kLargeBuffer, path.c_str());
    buffer.resize(length + 1);
    return SplitList(buffer);
}

// --- The comparison corpus ---

struct Lookup {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* defaultValue;
    // What Windows gives, by the rules our reader follows.
    std::wstring expected;
    // Wine's reader answers otherwise; Windows and our reader agree.
    bool wineDiffers = false;
    // Windows' reader answers otherwise; Wine and our reader agree, by
    // choice: files editors write in encodings Windows does not recognise.
    bool windowsDiffers = false;
};

struct CorpusFile {
    const char* what;
    std::string bytes;
    std::vector<Lookup> lookups;
    // The expected answers assume Windows-1252 as the ANSI code page.
    bool needsCodePage1252 = false;
    // Windows reads it; ours finds no text, by choice: NUL bytes outside
    // UTF-16 mark a file that is not the settings, which is then never saved
    // over. The lookups are the system's answers only.
    bool oursFindsNoText = false;
};

constexpr bool kWineDiffers = true;
constexpr bool kWindowsDiffers = true;

// A file as a save writes it with monitors and waits of their own.
constexpr std::string_view kMonitorSectionsFile =
    "[Settings]\r\nDwell time=100\r\n\r\n[Wallpaper folders]\r\n\r\n[Dwell times]\r\n"
    "Lower right corner=800\r\nTop side=abc\r\n\r\n[Actions, Plain]\r\nLeft side=Tile left\r\n\r\n"
    "[Monitors]\r\nMonitor 2=\\\\?\\DISPLAY#Default_Monitor#4&1a2b&0&UID0#{e6f07b5f-ee97}\r\n"
    "Name 2=Desk screen\r\n\r\n[Actions, Plain, Monitor 2]\r\nLower right corner=Tile left\r\n"
    "Left side=No action\r\n\r\n[Actions, Ctrl, Monitor 2]\r\nUpper left corner=No action\r\n\r\n"
    "[Actions, Shift, Monitor 9]\r\nBottom side=kept\r\n\r\n[Custom actions]\r\n";

std::vector<CorpusFile> Corpus()
{
    using namespace std::string_literals;
    const std::wstring longValue(5000, L'x');
    return {
        {"blanks around keys and values",
         "[s]\r\n  \tk1 \t= \t v1 \t \r\n\vk2\v=\vv2\v\r\nk3 = a b \r\n \t\v\r\n\t[t]\r\n k = x \r\n",
         {
             {L"s", L"k1", L"d", L"v1"},
             {L"s", L"k2", L"d", L"v2"},
             {L"s", L"k3", L"d", L"a b"},
             {L"t", L"k", L"d", L"x"},
         }},
        {"form feed and Ctrl-Z are not blanks",
         "[s]\r\nk1=\fv\f\r\nk2=v\x1a\r\n\fk3=v\r\nk4 \f=v\r\n",
         {
             {L"s", L"k1", L"d", L"\fv\f", kWineDiffers},
             {L"s", L"k2", L"d", L"v\x1a", kWineDiffers},
             {L"s", L"k3", L"d", L"d", kWineDiffers},
             {L"s", L"\fk3", L"d", L"v"},
             {L"s", L"k4", L"d", L"d", kWineDiffers},
             {L"s", L"k4 \f", L"d", L"v"},
         }},
        {"quotes",
         "[s]\r\n"
         "dq=\"v w\"\r\n"
         "sq='v w'\r\n"
         "mismatched1=\"v'\r\n"
         "mismatched2='v\"\r\n"
         "lone1=\"\r\n"
         "lone2='\r\n"
         "pair=\"\"\r\n"
         "nested1=\"'v'\"\r\n"
         "nested2='\"v\"'\r\n"
         "doubled=\"\"v\"\"\r\n"
         "inner=a\"b\"\r\n"
         "leading=\"v\r\n"
         "trailing=v\"\r\n"
         "blanks= \" v \" \r\n"
         "tabs=\t'\tv\t'\t\r\n"
         "two=\"a\" \"b\"\r\n"
         "command=\"\"C:\\Program Files\\App\\app.exe\" /q\"\r\n"
         "quoted key\"=v\r\n"
         "\"qk\"=v\r\n",
         {
             {L"s", L"dq", L"d", L"v w"},
             {L"s", L"sq", L"d", L"v w"},
             {L"s", L"mismatched1", L"d", L"\"v'"},
             {L"s", L"mismatched2", L"d", L"'v\""},
             {L"s", L"lone1", L"d", L"\""},
             {L"s", L"lone2", L"d", L"'"},
             {L"s", L"pair", L"d", L""},
             {L"s", L"nested1", L"d", L"'v'"},
             {L"s", L"nested2", L"d", L"\"v\""},
             {L"s", L"doubled", L"d", L"\"v\""},
             {L"s", L"inner", L"d", L"a\"b\""},
             {L"s", L"leading", L"d", L"\"v"},
             {L"s", L"trailing", L"d", L"v\""},
             {L"s", L"blanks", L"d", L" v "},
             {L"s", L"tabs", L"d", L"\tv\t"},
             {L"s", L"two", L"d", L"a\" \"b"},
             {L"s", L"command", L"d", L"\"C:\\Program Files\\App\\app.exe\" /q"},
             {L"s", L"quoted key\"", L"d", L"v"},
             {L"s", L"\"qk\"", L"d", L"v"},
             {L"s", L"qk", L"d", L"d"},
         }},
        {"comments and # lines",
         "; top comment\r\n[s]\r\n;k1=v\r\n  ;k2=v\r\n\t; k3 = v\r\nk4=v ; not a comment\r\nk5=v;w\r\n"
         "#k6=v\r\n# k7\r\n;[t]\r\nk8=v\r\n",
         {
             {L"s", L";k1", L"d", L"d", kWineDiffers},
             {L"s", L"k1", L"d", L"d"},
             {L"s", L";k2", L"d", L"d", kWineDiffers},
             {L"s", L"; k3", L"d", L"d", kWineDiffers},
             {L"s", L"k4", L"d", L"v ; not a comment"},
             {L"s", L"k5", L"d", L"v;w"},
             {L"s", L"#k6", L"d", L"v"},
             {L"s", L"# k7", L"d", L"d"},
             {L"s", L"k8", L"d", L"v"},
             {L"t", L"k8", L"d", L"d"},
         }},
        {"section headers",
         "[a]b]\r\nk=1\r\n[s]k=v\r\n[ t \t]\r\nk=2\r\n[u\r\nk=3\r\n[\v w x \v] trailing text\r\nk=4\r\n"
         "  \t[v] ; note\r\nk=6\r\n",
         {
             {L"a", L"k", L"d", L"1", kWineDiffers},
             {L"a]b", L"k", L"d", L"d", kWineDiffers},
             {L"s", L"k", L"d", L"d"},
             {L"t", L"k", L"d", L"2"},
             {L"u", L"k", L"d", L"3", kWineDiffers},
             {L"w x", L"k", L"d", L"4"},
             {L"v", L"k", L"d", L"6"},
         }},
        {"an empty section name",
         "[s]\r\nk=1\r\n[]\r\nk=5\r\n",
         {
             {L"", L"k", L"d", L"5", kWineDiffers},
             {L"s", L"k", L"d", L"1"},
         }},
        {"a header line holding =",
         "[s]\r\n[k=v\r\nj=1\r\n",
         {
             {L"s", L"[k", L"d", L"d", kWineDiffers},
             {L"s", L"j", L"d", L"d", kWineDiffers},
             {L"k=v", L"j", L"d", L"1", kWineDiffers},
         }},
        {"keys before the first section",
         "k=0\r\nj=1\r\n[s]\r\nk=v\r\n",
         {
             {L"", L"k", L"d", L"d", kWineDiffers},
             {L"", L"j", L"d", L"d", kWineDiffers},
             {L"s", L"k", L"d", L"v"},
             {L"s", L"j", L"d", L"d"},
         }},
        {"case differences",
         "[SeTtInGs]\r\nCoRnEr SiZe=5\r\n[settings]\r\nx=1\r\n",
         {
             {L"settings", L"corner size", L"d", L"5"},
             {L"SETTINGS", L"CORNER SIZE", L"d", L"5"},
             {L"settings", L"x", L"d", L"d"},
         }},
        {"duplicate sections and keys",
         "[s]\r\nk=1\r\nK=2\r\nk=3\r\n[t]\r\nk=t\r\n[S]\r\nk=4\r\nn=5\r\n",
         {
             {L"s", L"k", L"d", L"1"},
             {L"s", L"n", L"d", L"d"},
             {L"t", L"k", L"d", L"t"},
         }},
        {"empty values, missing keys and the empty key",
         "[s]\r\nk=\r\nk2=   \r\nk3\r\n=v\r\n  =  w\r\n",
         {
             {L"s", L"k", L"d", L""},
             {L"s", L"k2", L"d", L""},
             {L"s", L"k3", L"d", L"d"},
             {L"s", L"", L"d", L"v"},
             {L"s", L"missing", L"d", L"d"},
         }},
        {"defaults",
         "[s]\r\nk=v\r\n",
         {
             {L"s", L"missing", L"d   ", L"d"},
             {L"s", L"missing", L"d \t ", L"d \t"},
             {L"s", L"missing", L"  d", L"  d"},
             {L"s", L"missing", L"   ", L"", kWineDiffers},
             {L"s", L"missing", L"\"d\"", L"\"d\"", kWineDiffers},
             {L"s", L"missing", L"'d'  ", L"'d'", kWineDiffers},
             {L"s", L"missing", L"\" d \"", L"\" d \"", kWineDiffers},
             {L"s", L"missing", L"", L""},
             {L"nosuch", L"k", L"x ", L"x"},
             {L"s", L"k", L"x ", L"v"},
         }},
        {"CR-only line ends",
         "[s]\rk=v\rj=w\r\r[t]\rk=x",
         {
             {L"s", L"k", L"d", L"v"},
             {L"s", L"j", L"d", L"w"},
             {L"t", L"k", L"d", L"x"},
         }},
        {"LF-only line ends",
         "[s]\nk=v\nj=w\n\n[t]\nk=x\n",
         {
             {L"s", L"k", L"d", L"v"},
             {L"s", L"j", L"d", L"w"},
             {L"t", L"k", L"d", L"x"},
         }},
        {"mixed line ends",
         "[s]\r\nk=v\rj=w\n\r[t]\n\r\nk=x\r\n\n\r\ny=z",
         {
             {L"s", L"k", L"d", L"v"},
             {L"s", L"j", L"d", L"w"},
             {L"t", L"k", L"d", L"x"},
             {L"t", L"y", L"d", L"z"},
         }},
        {"NUL bytes in lines",
         "[s]\r\nk=ab\0cd\r\nj=w\r\nn\0=x\r\nq=\"a\0\"\r\n\0m=1\r\n[t\0]\r\nz=1\r\n"s,
         {
             {L"s", L"k", L"d", L"ab"},
             {L"s", L"j", L"d", L"w"},
             {L"s", L"n", L"d", L"d", kWineDiffers},
             {L"s", L"q", L"d", L"\"a"},
             {L"s", L"m", L"d", L"d"},
             {L"t", L"z", L"d", L"1"},
         },
         false,
         true},
        {"UTF-16LE with FF FE",
         Utf16File(L"[s]\r\nk=caf\u00e9 \u20ac\r\n[Stra\u00dfe]\r\nk=\u4e2d\u6587\r\n \"q\" = ' x '\r\n"),
         {
             {L"s", L"k", L"d", L"caf\u00e9 \u20ac"},
             {L"Stra\u00dfe", L"k", L"d", L"\u4e2d\u6587"},
             {L"Stra\u00dfe", L"\"q\"", L"d", L" x "},
         }},
        {"UTF-16LE with an odd last byte",
         // Half a character: not part of the text.
         Utf16File(L"[s]\r\nk=v\r\nj=w") + "A",
         {
             {L"s", L"k", L"d", L"v"},
             {L"s", L"j", L"d", L"w", kWineDiffers},
         }},
        {"UTF-16 big-endian with FE FF",
         BigEndianUtf16File(L"[s]\r\nk=v\u20ac\r\n"),
         {
             {L"s", L"k", L"d", L"v\u20ac", false, kWindowsDiffers},
         }},
        {"Latin-1 bytes",
         "[Caf\xE9]\r\nk=\xE9t\xE9 \x80 \x81\x8D\r\n\xC4pfel=\xFC\r\n",
         {
             {L"Caf\u00e9", L"k", L"d", L"\u00e9t\u00e9 \u20ac \u0081\u008d"},
             {L"Caf\u00e9", L"\u00c4pfel", L"d", L"\u00fc"},
         },
         true},
        {"UTF-8 with its byte-order mark",
         "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=caf\xC3\xA9\r\n",
         {
             {L"s", L"k", L"d", L"v", false, kWindowsDiffers},
             {L"t", L"k", L"d", L"caf\u00e9", false, kWindowsDiffers},
         }},
        {"an empty file",
         "",
         {
             {L"s", L"k", L"d", L"d"},
             {L"", L"k", L"d", L"d"},
         }},
        {"long values and equal signs",
         "[s]\r\nk=a=b\r\nmy key = my value \r\nlong=" + std::string(5000, 'x') + "\r\nv79=" + std::string(79, 'y') +
             "\r\nv80=" + std::string(80, 'y') + "\r\n",
         {
             {L"s", L"k", L"d", L"a=b"},
             {L"s", L"my key", L"d", L"my value"},
             {L"s", L"long", L"d", longValue},
             {L"s", L"v79", L"d", std::wstring(79, L'y')},
             {L"s", L"v80", L"d", std::wstring(80, L'y')},
         }},
        {"a hand-edited settings file",
         "; Vorn.ini\r\n[Settings]\r\nCorner size = 5 \r\nFade transparency=\"True\"\r\n\r\n"
         "[Custom actions]\r\nName 1 = Backup\r\nActionA 1=\"\"C:\\Tools\\copy.exe\" /s\"\r\n"
         "ActionB 1=   \r\n[Actions, Plain]\r\nLeft side=Backup ; mine\r\n",
         {
             {L"Settings", L"Corner size", L"2", L"5"},
             {L"Settings", L"Fade transparency", L"F", L"True"},
             {L"Settings", L"Wallpaper random", L"T", L"T"},
             {L"Custom actions", L"Name 1", L"", L"Backup"},
             {L"Custom actions", L"ActionA 1", L"", L"\"C:\\Tools\\copy.exe\" /s"},
             {L"Custom actions", L"ActionB 1", L"", L""},
             {L"Custom actions", L"Name 2", L"", L""},
             {L"Actions, Plain", L"Left side", L"Tile left", L"Backup ; mine"},
         }},
        {"monitors and waits of their own", std::string(kMonitorSectionsFile),
         {
             {L"Dwell times", L"Lower right corner", L"", L"800"},
             {L"dwell TIMES", L"Top side", L"", L"abc"},
             {L"Monitors", L"Monitor 2", L"", L"\\\\?\\DISPLAY#Default_Monitor#4&1a2b&0&UID0#{e6f07b5f-ee97}"},
             {L"Monitors", L"Name 2", L"", L"Desk screen"},
             {L"Actions, Plain, Monitor 2", L"Lower right corner", L"", L"Tile left"},
             {L"actions, ctrl, monitor 2", L"Upper left corner", L"", L"No action"},
             {L"Actions, Shift, Monitor 9", L"Bottom side", L"", L"kept"},
             {L"Actions, Shift, Monitor 2", L"Bottom side", L"<none>", L"<none>"},
         }},
    };
}

class ProfileCompatTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstallWin32Port();
        InstallSettingsStore();
        InstallSettingsStore();
    }
    static void TearDownTestSuite() { UninstallPort(); }

    void SetUp() override
    {
        savedPath_ = theData.settingsPath;
        theCustomActions.Clear();
        theData.ResetToDefaults();
        theData.settingsUnreadable = false;
        theData.settingsPath = folder.File(L"Vorn.ini");
    }
    void TearDown() override
    {
        theCustomActions.Clear();
        theData.ResetToDefaults();
        theData.settingsUnreadable = false;
        theData.settingsPath = savedPath_;
    }

    // Every file gets a name of its own: the system may cache a file it has
    // read, keyed by name and time stamp.
    std::wstring NewFile(std::wstring_view stem = L"case")
    {
        return folder.File(std::wstring(stem) + L"-" + std::to_wstring(++files_) + L".ini");
    }

    fake::TempFolder folder;

private:
    std::wstring savedPath_;
    int files_ = 0;
};

TEST_F(ProfileCompatTest, CorpusReadsAsWindowsReadsIt)
{
    const bool wine = UnderWine();
    const bool codePage1252 = ::GetACP() == 1252;
    int compared = 0;
    for (const CorpusFile& c : Corpus()) {
        SCOPED_TRACE(c.what);
        if (c.needsCodePage1252 && !codePage1252) {
            std::cout << "[ note     ] skipped \"" << c.what << "\": the ANSI code page is " << ::GetACP() << "\n";
            continue;
        }
        const std::wstring path = NewFile();
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        const ProfileFile ours = ProfileFile::FromBytes(c.bytes);
        EXPECT_EQ(ProfileFile::Decode(c.bytes).has_value(), !c.oursFindsNoText);
        for (const Lookup& l : c.lookups) {
            SCOPED_TRACE(::testing::Message()
                         << "[" << l.section << "] " << l.key << " (default \"" << l.defaultValue << "\")");
            if (!c.oursFindsNoText) {
                EXPECT_EQ(ours.Get(l.section, l.key, l.defaultValue), l.expected);
            }
            const std::wstring system = SystemRead(path, l.section, l.key, l.defaultValue);
            if (!wine && l.windowsDiffers) {
                std::cout << "[ windows  ] " << c.what << ": read as Wine reads it, by choice\n";
            } else if (wine && l.wineDiffers) {
                // A row that no longer differs should lose its flag.
                EXPECT_NE(system, l.expected) << "Wine now gives the Windows answer";
                std::cout << "[ wine     ] " << c.what << ": [" << ::testing::PrintToString(std::wstring(l.section))
                          << "] " << ::testing::PrintToString(std::wstring(l.key)) << " default "
                          << ::testing::PrintToString(std::wstring(l.defaultValue)) << ": Windows "
                          << ::testing::PrintToString(l.expected) << ", Wine " << ::testing::PrintToString(system)
                          << "\n";
            } else {
                EXPECT_EQ(system, l.expected);
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 100);
}

// The order the load lists monitors and keeps sections in is the order the
// system's own reader lists them: section names and each section's keys.
TEST_F(ProfileCompatTest, SectionsAndKeysListInTheSystemsOrder)
{
    const std::wstring path = NewFile(L"order");
    ASSERT_TRUE(WriteBytes(path, std::string(kMonitorSectionsFile)));
    const ProfileFile ours = ProfileFile::FromBytes(kMonitorSectionsFile);
    const std::vector<std::wstring> sections = SystemSections(path);
    const std::vector<std::wstring_view> ourSections = ours.SectionNames();
    ASSERT_EQ(std::vector<std::wstring>(ourSections.begin(), ourSections.end()), sections);
    for (const std::wstring& section : sections) {
        SCOPED_TRACE(::testing::PrintToString(section));
        std::vector<std::wstring> keys;
        for (const ProfileFile::KeyValue& key : ours.Keys(section))
            keys.emplace_back(key.key);
        EXPECT_EQ(keys, SystemKeys(path, section));
    }
}

// The one deliberate difference: with the buffer Windows programs
// traditionally pass, the system cuts a value to 79 characters.
TEST_F(ProfileCompatTest, SystemCutsValuesToItsBufferAndOursKeepsThemWhole)
{
    const std::string value(300, 'c');
    const std::wstring path = NewFile();
    ASSERT_TRUE(WriteBytes(path, "[s]\r\nk=" + value + "\r\n"));
    EXPECT_EQ(SystemRead(path, L"s", L"k", L"", 80), std::wstring(79, L'c'));
    EXPECT_EQ(ProfileFile::FromBytes(ReadBytes(path)).Get(L"s", L"k", L""), std::wstring(300, L'c'));
}

// --- Files the system writes, read by ours ---

// Every key the system lists in `path`, and every (section, key) in `extra`,
// reads the same through both readers.
void ExpectSameReading(const std::wstring& path, const std::vector<std::pair<std::wstring, std::wstring>>& extra)
{
    const std::string bytes = ReadBytes(path);
    const ProfileFile ours = ProfileFile::FromBytes(bytes);
    int compared = 0;
    for (const std::wstring& section : SystemSections(path)) {
        for (const std::wstring& key : SystemKeys(path, section)) {
            SCOPED_TRACE(::testing::Message() << "[" << section << "] " << key);
            EXPECT_EQ(ours.Get(section, key, L"<missing>"),
                      SystemRead(path, section.c_str(), key.c_str(), L"<missing>"));
            ++compared;
        }
    }
    for (const auto& [section, key] : extra) {
        SCOPED_TRACE(::testing::Message() << "[" << section << "] " << key);
        EXPECT_EQ(ours.Get(section, key, L"<missing>"), SystemRead(path, section.c_str(), key.c_str(), L"<missing>"));
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

struct WrittenValue {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
};

const WrittenValue kWrittenValues[] = {
    {L"Settings", L"Corner size", L"5"},
    {L"Settings", L"Fade transparency", L"True"},
    {L"Settings", L"Key with spaces", L"value with spaces"},
    {L"Settings", L"Equals", L"a=b=c"},
    {L"Settings", L"Latin", L"caf\u00e9 \u00e0 la cr\u00e8me, \u00c4pfel"},
    {L"Settings", L"Semicolon", L"a ; b"},
    {L"Custom actions", L"Name 1", L"Backup"},
    {L"Custom actions", L"ActionA 1", L"\"C:\\Program Files\\App\\app.exe\" /q"},
    {L"Custom actions", L"ActionB 1", L"\"\"C:\\Program Files\\App\\app.exe\" /q\""},
    {L"Custom actions", L"Description 1", L"'single'"},
    {L"Custom actions", L"Padded", L"  padded  "},
    {L"Custom actions", L"Empty", L""},
    {L"Wallpaper folders", L"1", L"C:\\Users\\Me\\Pictures\\Ferien am Meer"},
};

std::vector<std::pair<std::wstring, std::wstring>> WrittenKeys()
{
    std::vector<std::pair<std::wstring, std::wstring>> keys;
    for (const WrittenValue& w : kWrittenValues)
        keys.emplace_back(w.section, w.key);
    keys.emplace_back(L"Settings", L"Not written");
    keys.emplace_back(L"Not written", L"Corner size");
    return keys;
}

TEST_F(ProfileCompatTest, FilesWrittenBySystemReadTheSame)
{
    const std::wstring path = NewFile(L"written");
    for (const WrittenValue& w : kWrittenValues)
        ASSERT_TRUE(::WritePrivateProfileStringW(w.section, w.key, w.value, path.c_str())) << w.key;
    ExpectSameReading(path, WrittenKeys());
    // The values themselves, through the system's reader, for the record.
    EXPECT_EQ(SystemRead(path, L"Settings", L"Latin", L""), L"caf\u00e9 \u00e0 la cr\u00e8me, \u00c4pfel");
    EXPECT_EQ(SystemRead(path, L"Settings", L"Equals", L""), L"a=b=c");
}

TEST_F(ProfileCompatTest, KeysUpdatedBySystemInOurFileReadTheSame)
{
    theData.cornerSize = 7;
    theData.wallpaperFolders = {L"C:\\Pictures", L"D:\\Caf\u00e9"};
    theCustomActions[0] = CCustomAction{L"Backup", L"Copy my documents", L"\"C:\\a b\\c.exe\" /x", L""};
    theData.settingsPath = NewFile(L"ours");
    ASSERT_TRUE(theData.WriteSettingsFile());
    const std::wstring& path = theData.settingsPath;

    ASSERT_TRUE(::WritePrivateProfileStringW(L"Settings", L"Corner size", L"12", path.c_str()));
    ASSERT_TRUE(::WritePrivateProfileStringW(L"Settings", L"New key", L"x = y", path.c_str()));
    ASSERT_TRUE(::WritePrivateProfileStringW(L"Custom actions", L"ActionB 1", L"\"quoted\"", path.c_str()));
    ASSERT_TRUE(::WritePrivateProfileStringW(L"Wallpaper folders", L"2", nullptr, path.c_str()));  // deletes
    ASSERT_TRUE(::WritePrivateProfileStringW(L"Added section", L"k", L"\u00fc", path.c_str()));

    ExpectSameReading(path, {{L"Settings", L"Corner size"},
                             {L"Wallpaper folders", L"2"},
                             {L"Custom actions", L"ActionA 1"},
                             {L"Custom actions", L"ActionB 1"},
                             {L"Added section", L"k"}});
    const ProfileFile ours = ProfileFile::FromBytes(ReadBytes(path));
    EXPECT_EQ(ours.Get(L"Settings", L"Corner size", L""), L"12");
    EXPECT_EQ(ours.Get(L"Settings", L"New key", L""), L"x = y");
    EXPECT_EQ(ours.Get(L"Custom actions", L"ActionA 1", L""), L"\"C:\\a b\\c.exe\" /x");
    EXPECT_EQ(ours.Get(L"Wallpaper folders", L"1", L""), L"C:\\Pictures");
    EXPECT_EQ(ours.Get(L"Wallpaper folders", L"2", L"gone"), L"gone");
}

TEST_F(ProfileCompatTest, KeysUpdatedBySystemInOurUtf16FileReadTheSame)
{
    theCustomActions[0] = CCustomAction{L"Euro \u20ac", L"", L"calc", L""};
    theData.settingsPath = NewFile(L"ours-utf16");
    ASSERT_TRUE(theData.WriteSettingsFile());
    const std::wstring& path = theData.settingsPath;
    ASSERT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");

    ASSERT_TRUE(
        ::WritePrivateProfileStringW(L"Custom actions", L"Description 1", L"\u4e2d\u6587 \u20ac", path.c_str()));
    ASSERT_TRUE(::WritePrivateProfileStringW(L"Settings", L"Corner size", L"3", path.c_str()));

    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
    ExpectSameReading(path, {{L"Custom actions", L"Name 1"}, {L"Custom actions", L"Description 1"}});
    const ProfileFile ours = ProfileFile::FromBytes(ReadBytes(path));
    EXPECT_EQ(ours.Get(L"Custom actions", L"Name 1", L""), L"Euro \u20ac");
    EXPECT_EQ(ours.Get(L"Custom actions", L"Description 1", L""), L"\u4e2d\u6587 \u20ac");
    EXPECT_EQ(ours.Get(L"Settings", L"Corner size", L""), L"3");
}

// --- Our saves, read by the system ---

const wchar_t* FlagText(bool value) { return value ? L"True" : L"False"; }

// Every key a load reads, through the system's reader, against what theData
// and the custom actions hold now.
void ExpectSystemReadsWhatWeHold(const std::wstring& path)
{
    const CData& d = theData;
    for (const SettingDef& def : kSettingDefs) {
        SCOPED_TRACE(::testing::Message() << def.key);
        const std::wstring expected = !IsSettingWritten(def, d) ? std::wstring(L"<missing>")
                                      : def.number
                                          ? std::to_wstring(d.*def.number)
                                          : std::wstring(FlagText(def.alwaysWrittenFalse ? false : d.*def.flag));
        EXPECT_EQ(SystemRead(path, L"Settings", def.key, L"<missing>"), expected);
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        const std::wstring key = L"Group " + std::to_wstring(group) + L" expanded";
        const bool expanded = d.groupExpanded[static_cast<std::size_t>(group - 1)];
        // The later headings are written only when collapsed.
        EXPECT_EQ(SystemRead(path, L"Settings", key.c_str(), L"<missing>"),
                  group - 1 > kCustomGroupKey && expanded ? L"<missing>" : FlagText(expanded))
            << key;
    }
    int number = 0;
    for (const std::wstring& folder : d.wallpaperFolders) {
        const std::wstring key = std::to_wstring(++number);
        EXPECT_EQ(SystemRead(path, L"Wallpaper folders", key.c_str(), L"<missing>"), folder) << key;
    }
    EXPECT_EQ(SystemRead(path, L"Wallpaper folders", std::to_wstring(number + 1).c_str(), L""), L"");
    const wchar_t* const tables[kModifierCount] = {L"Actions, Plain", L"Actions, Shift", L"Actions, Ctrl"};
    for (int modifier = 0; modifier < kModifierCount; ++modifier)
        for (int zone = 0; zone < kZoneCount; ++zone)
            EXPECT_EQ(SystemRead(path, tables[modifier], ZoneName(EdgeZone(zone)), L"<missing>"),
                      ActionName(d.assignments[static_cast<std::size_t>(modifier)][static_cast<std::size_t>(zone)]))
                << tables[modifier] << " / " << ZoneName(EdgeZone(zone));
    number = 0;
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        const CCustomAction& action = theCustomActions[slot];
        if (action.IsFree()) continue;
        const std::wstring n = std::to_wstring(++number);
        SCOPED_TRACE(::testing::Message() << "custom action " << n);
        EXPECT_EQ(SystemRead(path, L"Custom actions", (L"Name " + n).c_str(), L"<missing>"), action.name);
        EXPECT_EQ(SystemRead(path, L"Custom actions", (L"Description " + n).c_str(), L"<missing>"), action.description);
        EXPECT_EQ(SystemRead(path, L"Custom actions", (L"ActionA " + n).c_str(), L"<missing>"), action.beginningAction);
        EXPECT_EQ(SystemRead(path, L"Custom actions", (L"ActionB " + n).c_str(), L"<missing>"), action.endingAction);
    }
    EXPECT_EQ(SystemRead(path, L"Custom actions", (L"Name " + std::to_wstring(number + 1)).c_str(), L""), L"");
}

void FillSettings()
{
    CData& d = theData;
    d.cornerSize = 7;
    d.currentPage = 3;
    d.repeatRate = 55;
    d.sideLength = 40;
    d.sideWidth = 4;
    d.fadeTransparency = true;
    d.desktopTransparency = 12;
    d.vornTransparency = 100;
    d.taskbarTransparency = 33;
    d.wallpaperDelay = 3600;
    d.wallpaperRandom = false;
    d.windowTransparency = 70;
    d.windowGrow = 5;
    d.windowShrink = 6;
    d.windowMove = 7;
    d.firstRun = true;  // written as False all the same
    d.groupExpanded[4] = false;
    d.groupExpanded[12] = false;
    d.groupExpanded[14] = false;
    d.wallpaperFolders = {L"C:\\Pictures", L"D:\\Bilder\\Caf\u00e9 \u00e0 Paris", L"  E:\\padded\\  ",
                          L"\"F:\\quoted\""};
    theCustomActions[0] = CCustomAction{L"Backup", L"Copy my documents", L"robocopy C:\\Docs D:\\Docs /MIR", L""};
    // Quoted command lines: the writer puts them inside one more pair.
    theCustomActions[1] = CCustomAction{L"Mail", L"'Mail' in quotes", L"\"C:\\Program Files\\Mail\\mail.exe\" /new",
                                        L"\"C:\\Program Files\\Mail\\mail.exe\" \"/quit now\""};
    theCustomActions[2] = CCustomAction{L"Equals = and ; semicolons", L"a=b ; c", L" leading blank", L"trailing tab\t"};
    theCustomActions[4] = CCustomAction{L"After a gap", L"\u00c4pfel", L"x", L"y"};
    d.assignments[Plain][LeftSide] = kBuiltInActionCount + 0;
    d.assignments[Shift][UpperLeftCorner] = kBuiltInActionCount + 1;
    d.assignments[Ctrl][TopSide] = kBuiltInActionCount + 2;
    d.assignments[Ctrl][BottomSide] = 5;
}

TEST_F(ProfileCompatTest, OurAnsiSaveReadsTheSameThroughTheSystem)
{
    FillSettings();
    theData.settingsPath = NewFile(L"saved");
    theData.SaveSettings();
    const std::string bytes = ReadBytes(theData.settingsPath);
    ASSERT_NE(bytes.substr(0, 2), "\xFF\xFE");  // every character fits in the code page
    EXPECT_NE(bytes.find("\r\nActionB 2=\"\"C:\\Program Files\\Mail\\mail.exe\" \"/quit now\"\"\r\n"),
              std::string::npos);
    ExpectSystemReadsWhatWeHold(theData.settingsPath);
}

TEST_F(ProfileCompatTest, OurUtf16SaveWithTheEuroSignReadsTheSameThroughTheSystem)
{
    FillSettings();
    theCustomActions[3] = CCustomAction{L"Price in \u20ac", L"\u20ac 5", L"\"C:\\\u20ac\\x.exe\"", L""};
    theData.assignments[Shift][RightSide] = kBuiltInActionCount + 3;
    theData.settingsPath = NewFile(L"saved-euro");
    theData.SaveSettings();
    ASSERT_EQ(ReadBytes(theData.settingsPath).substr(0, 2), "\xFF\xFE");
    ExpectSystemReadsWhatWeHold(theData.settingsPath);
}

TEST_F(ProfileCompatTest, OurUtf16SaveWithCjkReadsTheSameThroughTheSystem)
{
    FillSettings();
    theCustomActions[3] = CCustomAction{L"\u8a18\u4e8b", L"\u4e2d\u6587", L"notepad \"D:\\\u6587\u66f8\\a.txt\"", L""};
    theData.wallpaperFolders.push_back(L"D:\\\u5199\u771f");
    theData.settingsPath = NewFile(L"saved-cjk");
    theData.SaveSettings();
    ASSERT_EQ(ReadBytes(theData.settingsPath).substr(0, 2), "\xFF\xFE");
    ExpectSystemReadsWhatWeHold(theData.settingsPath);
}

// --- The atomic replace against a file held open ---

// Opens `path` with no sharing at all, as a scanner or a backup tool might,
// and keeps it open until released or for `holdFor`. Windows refuses to
// replace a file open without FILE_SHARE_DELETE; Wine refuses to replace any
// open file, whatever its sharing, so both meet the retry here.
class FileHolder {
public:
    FileHolder(const std::wstring& path, std::chrono::milliseconds holdFor)
    {
        thread_ = std::thread([this, path, holdFor] {
            const HANDLE file =
                ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            opened_ = file != INVALID_HANDLE_VALUE;
            ::SetEvent(ready_);
            ::WaitForSingleObject(release_, static_cast<DWORD>(holdFor.count()));
            if (opened_) ::CloseHandle(file);
        });
        ::WaitForSingleObject(ready_, INFINITE);
    }
    ~FileHolder() { Release(); }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    bool opened() const { return opened_; }
    void Release()
    {
        if (!thread_.joinable()) return;
        ::SetEvent(release_);
        thread_.join();
        ::CloseHandle(ready_);
        ::CloseHandle(release_);
    }

private:
    HANDLE ready_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool opened_ = false;
    std::thread thread_;
};

TEST_F(ProfileCompatTest, ReplaceWaitsForAFileHeldOpenBriefly)
{
    const std::string old = "[Settings]\r\nCorner size=3\r\n";
    ASSERT_TRUE(WriteBytes(theData.settingsPath, old));

    // Held until the save first waits: the attempt before met the open file,
    // the one after the wait finds it free.
    FileHolder holder(theData.settingsPath, std::chrono::milliseconds(INFINITE));
    ASSERT_TRUE(holder.opened());
    int pauses = 0;
    const auto writer = SystemFileWriter([&](unsigned) {
        if (++pauses == 1) holder.Release();
    });
    FileError error = FileError::None;
    const bool written = WriteFileAtomically(theData.settingsPath, "[Settings]\r\nCorner size=9\r\n", *writer, &error);
    holder.Release();

    EXPECT_TRUE(written) << static_cast<int>(error);
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(ReadBytes(theData.settingsPath), "[Settings]\r\nCorner size=9\r\n");
    EXPECT_FALSE(TemporaryFilesLeft(theData.settingsPath));
}

TEST_F(ProfileCompatTest, ReplaceGivesUpOnAFileHeldOpenThroughoutAndLeavesItAlone)
{
    const std::string old = "[Settings]\r\nCorner size=3\r\n; the user's own file\r\n";
    ASSERT_TRUE(WriteBytes(theData.settingsPath, old));
    theData.cornerSize = 9;

    bool written = true;
    int pauses = 0;
    FileError error = FileError::None;
    ReadResult read = ReadResult::Read;
    FileError readError = FileError::None;
    std::string bytes;
    {
        FileHolder holder(theData.settingsPath, std::chrono::milliseconds(INFINITE));
        ASSERT_TRUE(holder.opened());
        const auto writer = SystemFileWriter([&](unsigned) { ++pauses; });
        written = WriteFileAtomically(theData.settingsPath, "new", *writer, &error);
        read = ReadWholeFile(theData.settingsPath, bytes, &readError, [&](unsigned) { ++pauses; });
    }
    EXPECT_FALSE(written);
    // Windows answers a sharing violation; Wine refuses any open file as denied.
    EXPECT_TRUE(error == FileError::InUse || error == FileError::AccessDenied) << static_cast<int>(error);
    EXPECT_EQ(read, ReadResult::Failed);
    EXPECT_EQ(readError, FileError::InUse);
    EXPECT_EQ(pauses, 2 * 19);  // every attempt but the last waited
    EXPECT_EQ(ReadBytes(theData.settingsPath), old);
    EXPECT_FALSE(TemporaryFilesLeft(theData.settingsPath));
}

TEST_F(ProfileCompatTest, AReadOnlyFileIsNotRetriedAndSaysWhy)
{
    const std::string old = "[Settings]\r\nCorner size=3\r\n";
    ASSERT_TRUE(WriteBytes(theData.settingsPath, old));
    ASSERT_TRUE(::SetFileAttributesW(theData.settingsPath.c_str(), FILE_ATTRIBUTE_READONLY));
    int pauses = 0;
    const auto writer = SystemFileWriter([&](unsigned) { ++pauses; });
    FileError error = FileError::None;
    const bool written = WriteFileAtomically(theData.settingsPath, "new", *writer, &error);
    std::string bytes;
    const ReadResult read = ReadWholeFile(theData.settingsPath, bytes);
    ::SetFileAttributesW(theData.settingsPath.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_FALSE(written);
    EXPECT_EQ(error, FileError::ReadOnlyFile);
    EXPECT_EQ(pauses, 0);
    EXPECT_EQ(read, ReadResult::Read);  // still loads
    EXPECT_EQ(bytes, old);
    EXPECT_FALSE(TemporaryFilesLeft(theData.settingsPath));
}

// --- Links the save must keep ---

// The Unix path of `path` under Wine, where Wine maps its drives; Wine maps
// only what is there, so a missing folder's path (ASCII) is made from its
// parent's.
std::string UnixPath(const std::wstring& path)
{
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    if (char* unix = toUnix(path.c_str())) {
        std::string result = unix;
        ::HeapFree(::GetProcessHeap(), 0, unix);
        return result;
    }
    const std::size_t separator = path.find_last_of(L'\\');
    if (separator == std::wstring::npos || separator == 0) return {};
    const std::string parent = UnixPath(path.substr(0, separator));
    const std::wstring name = path.substr(separator + 1);
    return parent.empty() ? parent : parent + "/" + std::string(name.begin(), name.end());
}

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Runs `command` with the Unix shell under Wine. Wine does not wait for a
// Unix program: a file the command makes last tells it has run.
bool RunUnixCommand(const std::wstring& folder, const std::string& command)
{
    const std::wstring done = folder + L"\\unix-command-done";
    const std::string marker = UnixPath(done);
    if (marker.empty()) return false;
    std::wstring line = L"sh -c \"" + Widened(command) + L" && touch '" + Widened(marker) + L"'\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    for (int wait = 0; wait < 500 && ::GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++wait)
        ::Sleep(20);
    return ::DeleteFileW(done.c_str());
}

// Makes `link` a symbolic link to `target`, which need not exist. Windows
// makes one in developer mode; Wine's CreateSymbolicLinkW makes none, but
// Wine follows Unix links and runs Unix programs, so ln makes one there.
bool MakeSymbolicLink(const std::wstring& folder, const std::wstring& link, const std::wstring& target)
{
    if (!UnderWine()) {
        constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
        return ::CreateSymbolicLinkW(link.c_str(), target.c_str(), kUnprivileged) &&
               ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    const std::string from = UnixPath(link);
    const std::string to = UnixPath(target);
    if (from.empty() || to.empty() || !RunUnixCommand(folder, "ln -s '" + to + "' '" + from + "'")) return false;
    // Wine shows nothing of a link to nothing, but no new file takes its name.
    const HANDLE file = ::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_EXISTS;
    ::CloseHandle(file);
    ::DeleteFileW(link.c_str());
    return false;
}

// The link itself, which Wine cannot see while it leads nowhere.
void RemoveSymbolicLink(const std::wstring& folder, const std::wstring& link)
{
    if (UnderWine())
        (void)RunUnixCommand(folder, "rm -f '" + UnixPath(link) + "'");
    else
        ::DeleteFileW(link.c_str());
}

// A link to a synced copy not made yet: the first save makes the copy, and
// the link stays one. A link into a folder that is missing cannot be saved
// through, and is not replaced by a file either.
TEST_F(ProfileCompatTest, ALinkToAFileNotMadeYetStaysALink)
{
    const std::wstring synced = folder.File(L"synced");
    ASSERT_TRUE(::CreateDirectoryW(synced.c_str(), nullptr));
    struct Case {
        const char* what;
        std::wstring target;
        bool saved;
    };
    const Case cases[] = {
        {"the folder is there", synced + L"\\Vorn.ini", true},
        {"the folder is missing", folder.File(L"unmounted") + L"\\Vorn.ini", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        theData.settingsPath = NewFile(L"linked");
        if (!MakeSymbolicLink(folder.Path().wstring(), theData.settingsPath, c.target))
            GTEST_SKIP() << "no symbolic links can be made here";
        theData.cornerSize = 6;
        FileError error = FileError::None;
        std::wstring fault;
        EXPECT_EQ(theData.WriteSettingsFile(&error, &fault), c.saved);
        EXPECT_EQ(error, c.saved ? FileError::None : FileError::FolderMissing);
        EXPECT_EQ(ReadBytes(c.target).find("Corner size=6\r\n") != std::string::npos, c.saved);
        // Read through the link, the file is the one at the target.
        EXPECT_EQ(ReadBytes(theData.settingsPath), ReadBytes(c.target));
        EXPECT_FALSE(TemporaryFilesLeft(c.target));
        theData.cornerSize = 7;
        EXPECT_EQ(theData.WriteSettingsFile(), c.saved);  // still a link
        EXPECT_EQ(ReadBytes(c.target).find("Corner size=7\r\n") != std::string::npos, c.saved);
        RemoveSymbolicLink(folder.Path().wstring(), theData.settingsPath);
    }
}

// --- A file in the encoding Notepad saves ---

// UTF-8 without a mark through the load and the save on Windows: the name
// in the command line arrives whole and the file comes back byte for byte,
// though the system's reader would take the bytes for ANSI.
TEST_F(ProfileCompatTest, AUtf8FileWithoutAMarkRoundTripsByteForByte)
{
    theCustomActions[0] = CCustomAction{L"Log", L"Jos\u00e9's log", L"cmd /c echo x>>Jos\u00e9.log", L""};
    theData.assignments[Plain][LeftSide] = kBuiltInActionCount;
    const std::string bytes = EncodeSettingsText(FormatSettingsFile(), TextEncoding::Utf8);
    ASSERT_NE(bytes.find("Jos\xC3\xA9.log"), std::string::npos);
    ASSERT_TRUE(WriteBytes(theData.settingsPath, bytes));
    theCustomActions.Clear();
    theData.ResetToDefaults();

    const auto setLayered = theUtil.setLayeredAttributes;
    theUtil.setLayeredAttributes = nullptr;  // the load would make the real taskbar layered
    theData.LoadSettings();
    theUtil.setLayeredAttributes = setLayered;
    EXPECT_EQ(theCustomActions[0].beginningAction, L"cmd /c echo x>>Jos\u00e9.log");
    EXPECT_EQ(theData.assignments[Plain][LeftSide], kBuiltInActionCount);
    ASSERT_TRUE(theData.WriteSettingsFile());
    EXPECT_EQ(ReadBytes(theData.settingsPath), bytes);
}

// --- A settings file that cannot be read ---

TEST_F(ProfileCompatTest, FolderNamedLikeTheSettingsFileIsNeverReplaced)
{
    ASSERT_TRUE(::CreateDirectoryW(theData.settingsPath.c_str(), nullptr));
    // The load would otherwise make the real taskbar layered.
    const auto setLayered = theUtil.setLayeredAttributes;
    theUtil.setLayeredAttributes = nullptr;
    theData.LoadSettings();
    theUtil.setLayeredAttributes = setLayered;

    EXPECT_TRUE(theData.settingsUnreadable);
    EXPECT_FALSE(theData.WriteSettingsFile());
    theData.SaveSettings();
    const DWORD attributes = ::GetFileAttributesW(theData.settingsPath.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_FALSE(TemporaryFilesLeft(theData.settingsPath));
    ::RemoveDirectoryW(theData.settingsPath.c_str());
}

}  // namespace
}  // namespace vorn
