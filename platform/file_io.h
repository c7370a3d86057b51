// Reading a whole file, and replacing one atomically so that a crash, a kill
// or a full disk in the middle of a save never leaves a truncated file; where
// no new file may be made beside it, or the file has other names, rewriting it
// in place. The save logic here is shared by the platforms; each platform's
// file calls are in a file of their own (platform/win32/file_io_win32.cpp,
// platform/posix/file_io_posix.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    NotAFile,     // a folder has the file's name
    NotAFolder,   // a file has the folder's name
    Undecodable,  // the file's bytes are no text in their encoding
    NameTaken,    // something already has the name a new file was to take
    Other
};

// How the Windows file functions wait between attempts on a file another
// program holds for a moment (Sleep); tests count the pauses instead.
using PauseFunction = std::function<void(unsigned milliseconds)>;

// Reads the whole file into `bytes`. A file another process holds open for a
// moment is retried briefly; one that cannot become readable is not.
[[nodiscard]] ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes, FileError* error = nullptr,
                                       const PauseFunction& pause = {});

// A temporary file an earlier save left beside the file it was for.
struct LeftoverFile {
    std::wstring path;
    std::int64_t ageMs = 0;  // since it was last written
};

// The steps of a save, one object per save. Tests wrap the system's steps to
// make any one of them fail.
class IFileWriter {
public:
    virtual ~IFileWriter() = default;
    // The file a save of `path` writes: where a symbolic link leads (so that
    // the link stays one), also when the file there is not made yet; else
    // `path` itself. Empty for a link whose file cannot be made (its folder is
    // missing): a file put in the link's place would cut the link loose.
    virtual std::wstring FinalPath(const std::wstring& path) = 0;
    // Makes `path` as a new file and opens it for writing; fails (NameTaken)
    // when something has that name already.
    [[nodiscard]] virtual bool Create(const std::wstring& path) = 0;
    // Opens the existing `path` for writing from its start.
    [[nodiscard]] virtual bool Open(const std::wstring& path) = 0;
    // The length of the open file.
    [[nodiscard]] virtual bool Size(std::uint64_t& size) = 0;
    // Where in the open file the next write goes.
    [[nodiscard]] virtual bool Seek(std::uint64_t offset) = 0;
    [[nodiscard]] virtual bool Write(std::string_view bytes) = 0;
    // Ends the open file where the writing stopped.
    [[nodiscard]] virtual bool Truncate() = 0;
    // Pushes what was written to the disk.
    [[nodiscard]] virtual bool Flush() = 0;
    [[nodiscard]] virtual bool Close() = 0;
    // Puts `from` in the place of `to` in one step; `to` may exist, and its
    // attributes (and, on Windows, its security) stay with the name.
    [[nodiscard]] virtual bool Replace(const std::wstring& from, const std::wstring& to) = 0;
    virtual void Remove(const std::wstring& path) = 0;
    [[nodiscard]] virtual bool Exists(const std::wstring& path) = 0;
    // How many names (hard links) the file has; 1 when that cannot be told.
    virtual unsigned LinkCount(const std::wstring& path) = 0;
    // The temporary files earlier saves of `path` left beside it (a crash
    // between writing one and replacing, or a replace that lost the file):
    // files with names of saves of it, never folders nor read-only files.
    virtual std::vector<LeftoverFile> Leftovers(const std::wstring& path) = 0;
    // Why the step that failed last did.
    virtual FileError Error() const { return FileError::Other; }
};

std::unique_ptr<IFileWriter> SystemFileWriter(PauseFunction pause = {});

// Saves `bytes` as the file `path` (or the file its link leads to): written
// to a temporary file of its own beside it, flushed, and moved over it, so
// that on any failure the old file stays as it was. Where no new file may be
// made in the folder but the file itself may be written, and where the file
// has other names (hard links) that must go on seeing it, it is rewritten in
// place instead, with room for the new text made before any old byte is
// overwritten. While the file exists, temporary files earlier saves left
// beside it are removed once they are a minute old (so that a save in
// progress elsewhere keeps its own). On failure `error` tells why and
// `faultPath` names the file or folder at fault (when given).
[[nodiscard]] bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, IFileWriter& writer,
                                       FileError* error = nullptr, std::wstring* faultPath = nullptr);
[[nodiscard]] bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, FileError* error = nullptr,
                                       std::wstring* faultPath = nullptr);

// A save whose replace lost the file keeps the new text only in its temporary
// file; the next start, finding the file missing, takes it back.
struct LostSave {
    std::wstring from;                      // the temporary file
    std::string bytes;                      // its bytes
    FileError readError = FileError::None;  // it could not be read, and stays where it is
};
// When the file `path` (or the file its link leads to) is missing, the newest
// temporary file of an earlier save of it whose bytes `complete` accepts is
// moved into its place (where it cannot be, it stays, and its bytes are the
// settings all the same). A leftover that cannot be read ends the search with
// its error, since it may be the only copy. Nothing when the file exists or
// no leftover is complete.
[[nodiscard]] std::optional<LostSave> TakeBackLostSave(const std::wstring& path, IFileWriter& writer,
                                                       const std::function<bool(std::string_view)>& complete);

// The process's current folder; empty when it cannot be read.
std::wstring CurrentFolder();

// Why `folder` cannot be the current folder: missing, a file, or refused;
// None when it is a folder.
FileError FolderProblem(const std::wstring& folder);

// The temporary file the `attempt`th try of a save of `path` writes first:
// a name of this process's own, "Vorn.ini.~<process>-<n>.tmp".
std::wstring TemporaryPathFor(const std::wstring& path, unsigned attempt = 0);
// Whether `name` (without folder) is a temporary file of a save of `fileName`.
bool IsTemporaryNameOf(const std::wstring& name, const std::wstring& fileName);

#if !defined(_WIN32)
// A wide path as the UTF-8 bytes POSIX calls take.
std::string NarrowPath(const std::wstring& path);
#endif

}  // namespace vorn
