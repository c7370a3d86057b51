// The programs in front of which the zones keep quiet, apart from the
// widgets (portable): the rows the "Add" dialog offers, their filtering as
// the user types, the rules a typed name goes by, and the tray menu's item
// for the program in front.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

// A visible top-level window and the program file of its process.
struct ProgramWindow {
    std::wstring path;   // as the system tells it; empty when it tells none
    std::wstring title;  // may be empty
    DWORD processId = 0;
};

// One program the dialog offers: its file name and what the row shows,
// "notepad.exe — Untitled - Notepad" (the name alone for untitled windows).
struct ProgramRow {
    std::wstring name;
    std::wstring text;
};

// The visible top-level windows now, each with its program (through the port).
std::vector<ProgramWindow> VisibleProgramWindows();

// One row per program (the same file name in another case or folder is the
// same program), with the title of its first titled window; Vorn's own
// process and windows whose program is unknown left out; sorted by name
// without regard to case.
std::vector<ProgramRow> ProgramRows(const std::vector<ProgramWindow>& windows, DWORD ownProcessId);

// The rows whose text holds `typed`, without regard to case; all of them for
// nothing typed (blanks at the ends do not count).
std::vector<ProgramRow> FilterProgramRows(const std::vector<ProgramRow>& rows, std::wstring_view typed);

enum class QuietAddResult {
    Added,
    AlreadyListed,  // the same name in any case: nothing changes
    Unusable,       // empty, or with a folder or a drive: not added
};
// Adds a name, blanks at its ends trimmed, to the end of theData's list.
// Saving is the caller's.
QuietAddResult AddQuietProgram(CData& data, std::wstring_view name);
// What the dialog says beside the name box for a name it did not add; empty
// for one it added.
std::wstring QuietAddMessage(QuietAddResult result, std::wstring_view name);
// Takes out the listed name that equals `name` without regard to case (a
// path counts by its file name). False when none was listed.
bool RemoveQuietProgram(CData& data, std::wstring_view name);

// The file name of the program whose window is in front, or empty when the
// window is Vorn's own or its program cannot be told. With the taskbar in
// front (it takes the foreground when its icons are clicked), the window the
// user was in below it.
std::wstring ProgramInFrontNow();

// The tray menu's item for a program: "&Keep quiet in notepad.exe", an
// ampersand in the name shown as typed; for none, the greyed item's text.
std::wstring KeepQuietItemText(std::wstring_view program);
// Chosen from the tray menu: out of the list when it is listed, else into
// it. True when it is listed afterwards. Saving is the caller's.
bool ToggleQuietProgram(CData& data, std::wstring_view program);

}  // namespace vorn
