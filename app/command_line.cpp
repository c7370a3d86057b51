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

}  // namespace

std::optional<std::wstring> FolderOption(std::wstring_view commandLine)
{
    const std::vector<std::wstring> arguments = Arguments(commandLine);
    std::optional<std::wstring> folder;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (!SameOptionName(arguments[i], L"/folder")) continue;
        folder = i + 1 < arguments.size() ? arguments[++i] : std::wstring();
        if (folder->size() > 2 && folder->compare(folder->size() - 2, 2, L"\\\\") == 0) folder->pop_back();
    }
    return folder;
}

}  // namespace vorn
