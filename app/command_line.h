#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// The folder Vorn's own command line names for its settings with "/folder"
// (any case; the last one counts), or nothing without the option. A quoted
// folder runs to the next quote, so that "C:\My Folder\" keeps its last
// backslash rather than escaping the quote; the doubled backslash the Run key's
// value ends a root with ("C:\\") reads as one. Empty when the option has no
// value.
std::optional<std::wstring> FolderOption(std::wstring_view commandLine);

// A custom action's command line split for the shell. The program runs up to
// the first space after the second double quote (with fewer than two quotes,
// up to the first space); quotes stay part of it. The rest after that space is
// the parameter string.
struct CommandLine {
    std::wstring program;
    std::wstring parameters;
};

CommandLine SplitCommandLine(const std::wstring& text);

}  // namespace vorn
