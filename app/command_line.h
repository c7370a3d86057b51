#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "actions/command_line_split.h"
#include "platform/win.h"

namespace vorn {

// What a start asks of Vorn besides "/folder". A start without a request
// keeps to the old way: it runs, or shows the running Vorn's window.
enum class StartRequest {
    None,
    Disable,
    Enable,
    Toggle,
    Settings,
    Exit
};

struct ParsedCommandLine {
    bool ok = true;
    StartRequest request = StartRequest::None;
    // The folder named with "/folder" (the last one counts), or nothing. A
    // quoted folder runs to the next quote, so that "C:\My Folder\" keeps its
    // last backslash; the doubled backslash the Run key's value ends a root
    // with ("C:\\") reads as one. "/folder" without a value makes the line bad.
    std::optional<std::wstring> folder;
    // For a bad line: the argument that made it so, as typed.
    std::wstring problem;
};

// Reads Vorn's own command line: the switches in any case, at most one
// request (named again, it is the same request), "/folder <dir>" anywhere.
// Bad: an unknown switch, a word that is no switch, a request with a value
// ("/disable:x"), two different requests, "/folder" with nothing after it
// or an empty value.
ParsedCommandLine ParseCommandLine(std::wstring_view commandLine);

// The message a bad command line shows: what was wrong and every switch.
std::wstring CommandLineUsage(std::wstring_view problem);

// A request handed to the running Vorn travels as WM_COPYDATA: this number
// in dwData, the request's word (as on the command line, without the slash)
// as UTF-16 text without its terminating zero. The text is static: the
// record may be sent as long as the program runs.
inline constexpr ULONG_PTR kRequestCopyDataId = 0x566F5251;
COPYDATASTRUCT RequestCopyData(StartRequest request);
// The request a WM_COPYDATA record names; nothing for any other record
// (another program may send anything).
std::optional<StartRequest> RequestFromCopyData(const COPYDATASTRUCT* data);

}  // namespace vorn
