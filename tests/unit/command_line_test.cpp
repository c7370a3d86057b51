#include <gtest/gtest.h>

#include "app/command_line.h"

namespace vorn {
namespace {

struct SplitCase {
    const wchar_t* text;
    const wchar_t* program;
    const wchar_t* parameters;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsAtTheRightSpace)
{
    const SplitCase& c = GetParam();
    const CommandLine split = SplitCommandLine(c.text);
    EXPECT_EQ(split.program, c.program);
    EXPECT_EQ(split.parameters, c.parameters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{L"notepad", L"notepad", L""}, SplitCase{L"notepad readme.txt", L"notepad", L"readme.txt"},
        // Unquoted program: the whole rest, spaces and all, is the parameter string.
        SplitCase{L"notepad C:\\My Documents\\a.txt", L"notepad", L"C:\\My Documents\\a.txt"},
        // Quoted program path with spaces: quotes stay part of the program.
        SplitCase{L"\"C:\\Program Files\\App\\app.exe\" /x /y", L"\"C:\\Program Files\\App\\app.exe\"", L"/x /y"},
        SplitCase{L"\"C:\\Program Files\\App\\app.exe\"", L"\"C:\\Program Files\\App\\app.exe\"", L""},
        // Quoted argument after an unquoted program: the space after the
        // second quote decides.
        SplitCase{L"cmd /c \"a b\" c", L"cmd /c \"a b\"", L"c"},
        // A single quote: the first space splits.
        SplitCase{L"\"C:\\Program Files\\app.exe /x", L"\"C:\\Program", L"Files\\app.exe /x"}, SplitCase{L"", L"", L""},
        SplitCase{L" leading", L"", L"leading"}, SplitCase{L"trailing ", L"trailing", L""},
        SplitCase{L"a  b", L"a", L" b"}, SplitCase{L"\"\" x", L"\"\"", L"x"},
        // Tabs are not separators.
        SplitCase{L"a\tb", L"a\tb", L""}));

// The folder of the settings, as the Run key's value and a user write it.
TEST(FolderOptionTest, NamesTheFolderWhateverWayItIsQuoted)
{
    struct Case {
        const wchar_t* line;
        std::optional<std::wstring> folder;
    };
    const Case cases[] = {
        {L"\"C:\\Program Files\\Vorn\\Vorn.exe\" /folder \"C:\\Users\\me\\Vorn\"", L"C:\\Users\\me\\Vorn"},
        {L"Vorn.exe /folder \"C:\\My Folder\\\"", L"C:\\My Folder\\"},  // a last backslash as typed
        {L"Vorn.exe /folder \"C:\\My Folder\\\" /x", L"C:\\My Folder\\"},
        {L"Vorn.exe /FOLDER \"C:\\\\\"", L"C:\\"},  // the root as the Run key writes it
        {L"Vorn.exe /folder C:\\Tools", L"C:\\Tools"},
        {L"Vorn.exe\t/folder\tD:\\", L"D:\\"},
        {L"Vorn.exe /folder C:\\a /folder D:\\b", L"D:\\b"},  // the last one counts
        {L"Vorn.exe /folder", L""},
        {L"Vorn.exe /folder \"\"", L""},
        {L"Vorn.exe", std::nullopt},
        {L"Vorn.exe /folders C:\\x", std::nullopt},
        {L"\"C:\\odd /folder\\Vorn.exe\" x", std::nullopt},  // inside the program's own path
        {L"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FolderOption(c.line), c.folder) << testing::PrintToString(std::wstring(c.line));
}

}  // namespace
}  // namespace vorn
