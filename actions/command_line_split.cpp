#include "actions/command_line_split.h"

namespace vorn {

CommandLine SplitCommandLine(const std::wstring& text)
{
    const std::size_t firstQuote = text.find(L'"');
    const std::size_t secondQuote =
        firstQuote == std::wstring::npos ? std::wstring::npos : text.find(L'"', firstQuote + 1);
    const std::size_t space = text.find(L' ', secondQuote == std::wstring::npos ? 0 : secondQuote + 1);
    if (space == std::wstring::npos) return {text, {}};
    return {text.substr(0, space), text.substr(space + 1)};
}

}  // namespace vorn
