// Telling the user that the settings file cannot be read or saved, or was
// taken back from a save's temporary file: the words of the notice, and the
// rule that each is told once per run.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_io.h"

namespace vorn {

// A value the file holds that Vorn cannot read: keys of a custom action
// written by hand that are no key combination, or another value written by
// hand (a monitor's action, a wait). The first is named, with how
// many more there were.
struct UnreadableKeys {
    std::wstring text;    // as the file holds it
    std::wstring action;  // the custom action's name
    int more = 0;
    // Set for a value of this section that is not a key combination (a
    // monitor's action, a wait); such values are kept as they stand.
    std::wstring section{};
    // Such a value is left out instead (a quiet program's name with a folder).
    bool dropped = false;
};

struct FileProblem {
    bool saving = false;  // false: the file could not be read at start
    FileError error = FileError::Other;
    std::wstring path;  // the file (or folder) at fault
    // The folder the command line names for the settings cannot be used:
    // `path` is that folder, and no settings file is read or written.
    bool folderOption = false;
    // No fault but news: the file `path` was missing, and the complete copy a
    // save that did not finish left beside it was taken back.
    bool recovered = false;
    // The file was read, but these keys in it were not: told once as well,
    // apart from the file's own problems, so that a failed save is still told.
    std::optional<UnreadableKeys> keys{};
};

// A notification-area balloon: the title fits in 63 characters and the text
// in 255, the limits of the icon's data; a long path is shortened at its start.
struct FileProblemNotice {
    std::wstring title;
    std::wstring text;
};
FileProblemNotice NoticeFor(const FileProblem& problem);

// Why a file could not be written, in the words of those notices.
std::wstring FileErrorWords(FileError error);

// Hands the first problem of the run to the listener, and none after it; a
// recovered file and the first unreadable keys are told once each besides. A
// problem met before there is a listener (the load at start) waits for one.
class CFileProblemReporter {
public:
    void Report(const FileProblem& problem);
    void SetListener(std::function<void(const FileProblem&)> listener);
    // Back to the start of a run (tests).
    void Reset();

private:
    std::function<void(const FileProblem&)> listener_;
    std::vector<FileProblem> waiting_;
    bool toldProblem_ = false;
    bool toldRecovery_ = false;
    bool toldKeys_ = false;
};

}  // namespace vorn
