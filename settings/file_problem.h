// Telling the user that the settings file cannot be read or saved: the words
// of the notice, and the rule that it is told once per run.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/file_io.h"

namespace vorn {

struct FileProblem {
    bool saving = false;  // false: the file could not be read at start
    FileError error = FileError::Other;
    std::wstring path;  // the file (or folder) at fault
    // The folder the command line names for the settings cannot be used:
    // `path` is that folder, and no settings file is read or written.
    bool folderOption = false;
};

// A notification-area balloon: the title fits in 63 characters and the text
// in 255, the limits of the icon's data; a long path is shortened at its start.
struct FileProblemNotice {
    std::wstring title;
    std::wstring text;
};
FileProblemNotice NoticeFor(const FileProblem& problem);

// Hands the first problem of the run to the listener, and none after it. A
// problem met before there is a listener (the load at start) waits for one.
class CFileProblemReporter {
public:
    void Report(const FileProblem& problem);
    void SetListener(std::function<void(const FileProblem&)> listener);
    // Back to the start of a run (tests).
    void Reset();

private:
    std::function<void(const FileProblem&)> listener_;
    std::optional<FileProblem> waiting_;
    bool told_ = false;
};

}  // namespace vorn
