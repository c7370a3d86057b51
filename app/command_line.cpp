#include "app/command_line.h"

#include <vector>

namespace vorn {

namespace {

bool IsArgumentBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool SameOptionName(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

// The arguments of a command line, the program first. Quotes group blanks
// and are dropped; paths hold no quotes, so no backslash escapes one.
std::vector<std::wstring> Arguments(std::wstring_view line)
{
    std::vector<std::wstring> arguments;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && IsArgumentBlank(line[i]))
            ++i;
        if (i >= line.size()) break;
        std::wstring argument;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsArgumentBlank(line[i])); ++i) {
            if (line[i] == L'"')
                quoted = !quoted;
            else
                argument += line[i];
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

// The doubled backslash the Run key's value ends a root with ("C:\\") reads as one.
void TrimDoubledRoot(std::wstring& folder)
{
    if (folder.size() > 2 && folder.compare(folder.size() - 2, 2, L"\\\\") == 0) folder.pop_back();
}

struct RequestName {
    StartRequest request;
    const wchar_t* word;
    const wchar_t* meaning;
};

constexpr RequestName kRequests[] = {
    {StartRequest::Disable, L"disable", L"turn the corners and sides off"},
    {StartRequest::Enable, L"enable", L"turn them on again"},
    {StartRequest::Toggle, L"toggle", L"turn them off when on, on when off"},
    {StartRequest::Settings, L"settings", L"show the settings window"},
    {StartRequest::Exit, L"exit", L"end the running Vorn"},
};

std::optional<StartRequest> RequestNamed(std::wstring_view word)
{
    for (const RequestName& name : kRequests)
        if (SameOptionName(word, name.word)) return name.request;
    return std::nullopt;
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::wstring_view commandLine)
{
    const std::vector<std::wstring> arguments = Arguments(commandLine);
    ParsedCommandLine parsed;
    const auto bad = [&parsed](const std::wstring& argument) {
        parsed.ok = false;
        parsed.problem = argument;
        return parsed;
    };
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (SameOptionName(argument, L"/folder")) {
            // An empty folder would leave the settings nowhere the user chose.
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) return bad(argument);
            parsed.folder = arguments[++i];
            TrimDoubledRoot(*parsed.folder);
            continue;
        }
        if (argument.size() < 2 || argument[0] != L'/') return bad(argument);
        const std::wstring_view name = std::wstring_view(argument).substr(1);
        std::optional<StartRequest> request = RequestNamed(name);
        if (!request) return bad(argument);
        if (parsed.request != StartRequest::None && parsed.request != *request) return bad(argument);
        parsed.request = *request;
    }
    return parsed;
}

std::wstring CommandLineUsage(std::wstring_view problem)
{
    std::wstring text;
    if (!problem.empty()) {
        text = L"Vorn cannot follow \"";
        text += problem;
        text += L"\" on its command line and did nothing.\n\n";
    }
    text += L"Vorn.exe takes these switches, in any case:\n\n";
    for (const RequestName& name : kRequests) {
        text += L"/";
        text += name.word;
        text += L"\t";
        text += name.meaning;
        text += L"\n";
    }
    text += L"/folder <folder>\tkeep Vorn.ini in that folder\n\n"
            L"One of the first five at a time; /folder goes with any of them. "
            L"With Vorn running, the switch goes to it; otherwise /disable and /toggle "
            L"start Vorn turned off, /enable and /settings start it, and /exit does nothing.";
    return text;
}

COPYDATASTRUCT RequestCopyData(StartRequest request)
{
    COPYDATASTRUCT data{};
    data.dwData = kRequestCopyDataId;
    for (const RequestName& name : kRequests)
        if (name.request == request) {
            const std::wstring_view word = name.word;
            data.cbData = static_cast<DWORD>(word.size() * sizeof(wchar_t));
            data.lpData = const_cast<wchar_t*>(word.data());
        }
    return data;
}

std::optional<StartRequest> RequestFromCopyData(const COPYDATASTRUCT* data)
{
    // The longest word is a few characters: anything larger is not ours.
    constexpr DWORD kLongest = 32 * sizeof(wchar_t);
    if (!data || data->dwData != kRequestCopyDataId || !data->lpData || data->cbData == 0 ||
        data->cbData % sizeof(wchar_t) != 0 || data->cbData > kLongest)
        return std::nullopt;
    const std::wstring_view word(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    // Spelled exactly as this program sends it.
    for (const RequestName& name : kRequests)
        if (word == name.word) return name.request;
    return std::nullopt;
}

}  // namespace vorn
