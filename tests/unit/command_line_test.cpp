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

}  // namespace
}  // namespace vorn
