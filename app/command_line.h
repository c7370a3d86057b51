#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "actions/command_line_split.h"

namespace vorn {

// The folder Vorn's own command line names for its settings with "/folder"
// (any case; the last one counts), or nothing without the option. A quoted
// folder runs to the next quote, so that "C:\My Folder\" keeps its last
// backslash rather than escaping the quote; the doubled backslash the Run key's
// value ends a root with ("C:\\") reads as one. Empty when the option has no
// value.
std::optional<std::wstring> FolderOption(std::wstring_view commandLine);

}  // namespace vorn
