// "Keep a log": the activity, line by line, in Vorn.log beside Vorn.ini. The
// pointer's path only asks for a write; the write comes later, off that path,
// and takes every event recorded since the one before. The file never grows
// past 1 MB: before that it becomes Vorn.log.1 and a new one starts.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/activity.h"
#include "platform/file_io.h"
#include "settings/file_problem.h"

namespace vorn {

// "Vorn.log" in the folder of the settings file `settingsPath`.
std::wstring ActivityLogPath(const std::wstring& settingsPath);

// The tray notice of a log that cannot be written.
FileProblemNotice ActivityFileNotice(const std::wstring& path, FileError error);

class CActivityFile final : public IActivityListener {
public:
    static constexpr std::uint64_t kMaxBytes = 1048576;

    struct Hooks {
        // Asks for WriteNow later (the main window posts itself a message).
        std::function<void()> askForWrite;
        // The log cannot be written: told once, until the log is turned off and on.
        std::function<void(const std::wstring& path, FileError error)> tellProblem;
        // The file steps of one write; the system's when empty.
        std::function<std::unique_ptr<IFileWriter>()> writer;
    };

    CActivityFile(CActivityLog& log, std::wstring path, Hooks hooks);
    ~CActivityFile();
    CActivityFile(const CActivityFile&) = delete;
    CActivityFile& operator=(const CActivityFile&) = delete;

    // Listens to the activity while `keepLog` holds. Turned on, it logs what
    // comes from then on.
    void Follow(bool keepLog);
    bool On() const { return on_; }
    const std::wstring& Path() const { return path_; }

    // On the pointer's path: asks once for a write, until that write comes.
    void ActivityRecorded() override;
    // Appends what was recorded since the last write. What cannot be written
    // stays for the next write (as far as the ring still holds it).
    bool WriteNow();

private:
    bool Append(IFileWriter& writer, const std::string& bytes);

    CActivityLog& log_;
    std::wstring path_;
    Hooks hooks_;
    bool on_ = false;
    bool asked_ = false;
    bool told_ = false;
    std::uint64_t written_ = 0;  // the log's Recorded() at the last write
};

}  // namespace vorn
