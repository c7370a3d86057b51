#include <gtest/gtest.h>

#include <iterator>
#include <vector>

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

// Vorn's own switches, as a script or a shortcut writes them.
TEST(ParseCommandLineTest, ReadsEachSwitchInAnyCaseWithOrWithoutAFolder)
{
    using R = StartRequest;
    struct Case {
        const wchar_t* line;
        const wchar_t* problem;
        R request = R::None;
        std::optional<std::wstring> folder = std::nullopt;
    };
    const Case cases[] = {
        {L"Vorn.exe", L""},
        {L"", L""},
        {L"Vorn.exe /disable", L"", R::Disable},
        {L"Vorn.exe /ENABLE", L"", R::Enable},
        {L"Vorn.exe /Toggle", L"", R::Toggle},
        {L"Vorn.exe /sEtTiNgS", L"", R::Settings},
        {L"\"C:\\Program Files\\Vorn\\Vorn.exe\" /exit", L"", R::Exit},
        {L"Vorn.exe /disable /folder \"C:\\My Folder\"", L"", R::Disable, L"C:\\My Folder"},
        {L"Vorn.exe\t/FOLDER\tD:\\\t/exit", L"", R::Exit, L"D:\\"},
        {L"Vorn.exe /folder \"C:\\\\\" /toggle", L"", R::Toggle, L"C:\\"},
        {L"Vorn.exe /folder C:\\a /folder D:\\b", L"", R::None, L"D:\\b"},  // the last one counts
        // The folder as the Run key's value and a user write it.
        {L"\"C:\\Program Files\\Vorn\\Vorn.exe\" /folder \"C:\\Users\\me\\Vorn\"", L"", R::None,
         L"C:\\Users\\me\\Vorn"},
        {L"Vorn.exe /folder \"C:\\My Folder\\\"", L"", R::None, L"C:\\My Folder\\"},  // a last backslash as typed
        {L"Vorn.exe /disable /DISABLE", L"", R::Disable},                             // the same request again
        {L"\"C:\\odd /exit\\Vorn.exe\"", L""},                                        // inside the program's own path
        // Bad: nothing starts and the message names what was wrong.
        {L"Vorn.exe /disable /enable", L"/enable"},
        {L"Vorn.exe /settings /exit", L"/exit"},
        {L"Vorn.exe /pause", L"/pause"},
        {L"Vorn.exe /disabled", L"/disabled"},
        {L"Vorn.exe /folders C:\\x", L"/folders"},
        {L"Vorn.exe -disable", L"-disable"},
        {L"Vorn.exe /", L"/"},
        {L"Vorn.exe /disable now", L"now"},
        {L"Vorn.exe /disable:yes", L"/disable:yes"},
        {L"Vorn.exe /exit /folder", L"/folder"},
        {L"Vorn.exe /folder \"\" /exit", L"/folder"},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.line);
        const std::string line = testing::PrintToString(std::wstring(c.line));
        EXPECT_EQ(parsed.ok, *c.problem == L'\0') << line;
        EXPECT_EQ(parsed.problem, c.problem) << line;
        if (!parsed.ok) continue;
        EXPECT_EQ(parsed.request, c.request) << line;
        EXPECT_EQ(parsed.folder, c.folder) << line;
    }
}

constexpr StartRequest kEveryRequest[] = {StartRequest::Disable, StartRequest::Enable, StartRequest::Toggle,
                                          StartRequest::Settings, StartRequest::Exit};

// The message of a bad line lists every switch the parser takes, by
// feeding each word it lists back to the parser.
TEST(CommandLineUsageTest, NamesTheProblemAndListsEverySwitchTheParserTakes)
{
    const std::wstring text = CommandLineUsage(L"/pause");
    EXPECT_NE(text.find(L"\"/pause\""), std::wstring::npos);
    EXPECT_EQ(CommandLineUsage(L"").find(L"\"\""), std::wstring::npos);
    std::vector<StartRequest> listed;
    bool folderListed = false;
    for (std::size_t at = text.find(L"\n/"); at != std::wstring::npos; at = text.find(L"\n/", at + 1)) {
        const std::size_t end = text.find_first_of(L"\t \n", at + 1);
        const std::wstring word = text.substr(at + 1, end - at - 1);
        if (word == L"/folder") {
            folderListed = ParseCommandLine(L"Vorn.exe /folder C:\\x").ok;
            continue;
        }
        const ParsedCommandLine parsed = ParseCommandLine(L"Vorn.exe " + word);
        EXPECT_TRUE(parsed.ok) << testing::PrintToString(word);
        listed.push_back(parsed.request);
    }
    EXPECT_EQ(listed, std::vector<StartRequest>(std::begin(kEveryRequest), std::end(kEveryRequest)));
    EXPECT_TRUE(folderListed);
}

// What a later start sends is what the running window reads, and nothing
// else another program might send reads as a request.
TEST(RequestCopyDataTest, EachRequestReadsBackAndNoOtherRecordDoes)
{
    for (const StartRequest request : kEveryRequest) {
        const COPYDATASTRUCT data = RequestCopyData(request);
        EXPECT_EQ(RequestFromCopyData(&data), request);
    }
    wchar_t word[] = L"DISABLE";
    const auto record = [&word](ULONG_PTR id, DWORD bytes) { return COPYDATASTRUCT{id, bytes, word}; };
    const COPYDATASTRUCT others[] = {
        record(kRequestCopyDataId, 7 * sizeof(wchar_t)),      // another spelling
        record(kRequestCopyDataId + 1, 7 * sizeof(wchar_t)),  // another program's number
        record(kRequestCopyDataId, 0),
        record(kRequestCopyDataId, 3),  // half a character
        COPYDATASTRUCT{kRequestCopyDataId, 8, nullptr},
    };
    for (const COPYDATASTRUCT& other : others)
        EXPECT_EQ(RequestFromCopyData(&other), std::nullopt);
    EXPECT_EQ(RequestFromCopyData(nullptr), std::nullopt);
    // The right number, the word followed by more: not a whole word of ours.
    wchar_t longer[] = L"exitnow";
    const COPYDATASTRUCT trailing{kRequestCopyDataId, 7 * sizeof(wchar_t), longer};
    EXPECT_EQ(RequestFromCopyData(&trailing), std::nullopt);
    const COPYDATASTRUCT exact{kRequestCopyDataId, 4 * sizeof(wchar_t), longer};
    EXPECT_EQ(RequestFromCopyData(&exact), StartRequest::Exit);
}

}  // namespace
}  // namespace vorn
