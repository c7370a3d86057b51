// Reading a whole file, and replacing one atomically so that a crash, a kill
// or a full disk in the middle of a save never leaves a truncated file.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vorn {

enum class ReadResult {
    Read,
    Missing,
    Failed
};

// Why a read or a save failed, in terms a user can act on.
enum class FileError {
    None,
    InUse,              // another program holds the file
    ReadOnlyFile,       // the file is marked read-only
    FolderNotWritable,  // no new file may be made in the folder
    AccessDenied,       // refused for another reason (permissions, a file being deleted)
    DiskFull,
    FolderMissing,
    NotAFile,  // a folder has the file's name
    Other
};

// How the Windows file functions wait between attempts on a file another
// program holds for a moment (Sleep); tests count the pauses instead.
using PauseFunction = std::function<void(unsigned milliseconds)>;

// Reads the whole file into `bytes`. A file another process holds open for a
// moment is retried briefly; one that cannot become readable is not.
[[nodiscard]] ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes, FileError* error = nullptr,
                                       const PauseFunction& pause = {});

// The steps of an atomic replace, one object per save. Tests wrap the system's
// steps to make any one of them fail.
class IFileWriter {
public:
    virtual ~IFileWriter() = default;
    // Creates (or truncates) `path` and opens it for writing.
    [[nodiscard]] virtual bool Create(const std::wstring& path) = 0;
    [[nodiscard]] virtual bool Write(std::string_view bytes) = 0;
    // Pushes what was written to the disk.
    [[nodiscard]] virtual bool Flush() = 0;
    [[nodiscard]] virtual bool Close() = 0;
    // Puts `from` in the place of `to` in one step; `to` may exist.
    [[nodiscard]] virtual bool Replace(const std::wstring& from, const std::wstring& to) = 0;
    virtual void Remove(const std::wstring& path) = 0;
    // Why the step that failed last did.
    virtual FileError Error() const { return FileError::Other; }
};

std::unique_ptr<IFileWriter> SystemFileWriter(PauseFunction pause = {});

// Writes `bytes` to a temporary file beside `path`, flushes it, and moves it
// over `path`. On any failure the old file is left as it was, the temporary
// file is removed, and `error` (when given) tells why.
[[nodiscard]] bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, IFileWriter& writer,
                                       FileError* error = nullptr);
[[nodiscard]] bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, FileError* error = nullptr);

// The process's current folder; empty when it cannot be read.
std::wstring CurrentFolder();

// The temporary file a save of `path` writes first.
std::wstring TemporaryPathFor(const std::wstring& path);

#if !defined(_WIN32)
// A wide path as the UTF-8 bytes POSIX calls take.
std::string NarrowPath(const std::wstring& path);
#endif

}  // namespace vorn
