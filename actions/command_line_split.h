#pragma once

#include <string>

namespace vorn {

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
