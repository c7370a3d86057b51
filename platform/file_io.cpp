// The save logic both platforms share; their file calls are behind IFileWriter.
#include "platform/file_io.h"

#include <algorithm>
#include <atomic>

#include "platform/file_io_platform.h"

namespace vorn {
namespace {

// A name of this process's own: no file left by a crash, nor a folder or a
// read-only file someone made, can stand in the way of a save.
constexpr wchar_t kTemporaryMark[] = L".~";
constexpr wchar_t kTemporaryEnd[] = L".tmp";
constexpr unsigned kNameAttempts = 8;
// A temporary file this old is no save in progress.
constexpr std::int64_t kLeftoverAgeMs = 60 * 1000;

std::wstring Hex(unsigned value)
{
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

// Only while the file exists: without it, a leftover may hold the only copy
// of a save whose replace went wrong, which the next start takes back.
void RemoveOldLeftovers(const std::wstring& path, IFileWriter& writer)
{
    for (const LeftoverFile& leftover : writer.Leftovers(path))
        if (leftover.ageMs > kLeftoverAgeMs) writer.Remove(leftover.path);
}

// Writes `bytes` over the file `path` itself. A longer text first gets its
// part beyond the old end written there, so that a full disk fails before
// any old byte is overwritten (and the file is cut back to its old length);
// only then does the rest go over the old text, and the file is cut to the
// new length. `swapError` is why the swap was not made, if it was tried.
FileError WriteInPlace(const std::wstring& path, std::string_view bytes, IFileWriter& writer, FileError swapError)
{
    if (!writer.Open(path)) {
        const FileError openError = writer.Error();
        const bool aboutTheFile = openError == FileError::ReadOnlyFile || openError == FileError::InUse ||
                                  openError == FileError::NotAFile;
        return aboutTheFile || swapError == FileError::None ? openError : swapError;
    }
    std::uint64_t oldSize = 0;
    bool written = writer.Size(oldSize);
    const std::uint64_t newSize = bytes.size();
    if (written && newSize > oldSize) {
        if (!(writer.Seek(oldSize) && writer.Write(bytes.substr(oldSize)) && writer.Flush())) {
            const FileError why = writer.Error();
            (void)(writer.Seek(oldSize) && writer.Truncate());
            (void)writer.Close();
            return why;
        }
    }
    written = written && writer.Seek(0) && writer.Write(bytes.substr(0, std::min(oldSize, newSize))) &&
              writer.Seek(newSize) && writer.Truncate() && writer.Flush();
    const FileError writeError = writer.Error();
    if (!writer.Close()) return writer.Error();
    return written ? FileError::None : writeError;
}

}  // namespace

std::wstring TemporaryPathFor(const std::wstring& path, unsigned number)
{
    return path + kTemporaryMark + Hex(CurrentProcessId()) + L"-" + Hex(number) + kTemporaryEnd;
}

bool IsTemporaryNameOf(const std::wstring& name, const std::wstring& fileName)
{
    const std::wstring start = fileName + kTemporaryMark;
    const std::wstring end = kTemporaryEnd;
    if (name.size() <= start.size() + end.size() || name.compare(0, start.size(), start) != 0 ||
        name.compare(name.size() - end.size(), end.size(), end) != 0)
        return false;
    // "<process>-<number>" in hexadecimal.
    const std::wstring middle = name.substr(start.size(), name.size() - start.size() - end.size());
    const std::size_t dash = middle.find(L'-');
    if (dash == 0 || dash == std::wstring::npos || dash + 1 == middle.size()) return false;
    for (std::size_t i = 0; i < middle.size(); ++i)
        if (i != dash && !((middle[i] >= L'0' && middle[i] <= L'9') || (middle[i] >= L'a' && middle[i] <= L'f')))
            return false;
    return true;
}

bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, IFileWriter& writer, FileError* error,
                         std::wstring* faultPath)
{
    // Through a link to the file it leads to, so that the link stays one.
    const std::wstring target = writer.FinalPath(path);
    const auto finish = [&](FileError why) {
        if (error) *error = why;
        if (faultPath) *faultPath = why == FileError::None ? std::wstring() : target.empty() ? path : target;
        return why == FileError::None;
    };
    if (target.empty()) return finish(FileError::FolderMissing);
    const bool targetExists = writer.Exists(target);
    if (targetExists) RemoveOldLeftovers(target, writer);
    // A swap would give this name a new file and leave the file's other names
    // with the old one.
    if (targetExists && writer.LinkCount(target) > 1)
        return finish(WriteInPlace(target, bytes, writer, FileError::None));

    static std::atomic<unsigned> nextNumber{0};
    std::wstring temporary;
    bool created = false;
    FileError why = FileError::None;
    for (unsigned attempt = 0; attempt < kNameAttempts && !created; ++attempt) {
        temporary = TemporaryPathFor(target, nextNumber++);
        created = writer.Create(temporary);
        if (created) break;
        why = writer.Error();
        if (why == FileError::NameTaken) continue;  // someone else's: left alone
        // A create that fails after making the file, as a full disk can.
        writer.Remove(temporary);
        break;
    }
    if (created) {
        const bool written = writer.Write(bytes) && writer.Flush();
        const bool closed = writer.Close();
        if (written && closed && writer.Replace(temporary, target)) return finish(FileError::None);
        // Read before the clean-up, which makes calls of its own.
        why = writer.Error();
        // A replace that lost the old file keeps the new one under its
        // temporary name rather than nothing at all.
        if (targetExists && !writer.Exists(target)) return finish(why);
        writer.Remove(temporary);
        // The folder took the new file but refuses to swap it in (a folder
        // where only owners may rename, say): the file itself is written.
        const bool refusedSwap = written && closed && targetExists &&
                                 (why == FileError::FolderNotWritable || why == FileError::AccessDenied);
        if (!refusedSwap) return finish(why);
    } else if (why != FileError::FolderNotWritable && why != FileError::AccessDenied) {
        return finish(why == FileError::NameTaken ? FileError::Other : why);
    }
    // No new file may be made beside it: the file itself, when it may be
    // written, is written over.
    return finish(WriteInPlace(target, bytes, writer, why));
}

bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, FileError* error, std::wstring* faultPath)
{
    const auto writer = SystemFileWriter();
    return WriteFileAtomically(path, bytes, *writer, error, faultPath);
}

std::optional<LostSave> TakeBackLostSave(const std::wstring& path, IFileWriter& writer,
                                         const std::function<bool(std::string_view)>& complete)
{
    const std::wstring target = writer.FinalPath(path);
    if (target.empty() || writer.Exists(target)) return std::nullopt;
    std::vector<LeftoverFile> leftovers = writer.Leftovers(target);
    std::stable_sort(leftovers.begin(), leftovers.end(),
                     [](const LeftoverFile& a, const LeftoverFile& b) { return a.ageMs < b.ageMs; });
    for (const LeftoverFile& leftover : leftovers) {
        LostSave save;
        save.from = leftover.path;
        const ReadResult read = ReadWholeFile(leftover.path, save.bytes, &save.readError);
        if (read == ReadResult::Missing) continue;  // gone meanwhile
        if (read == ReadResult::Failed) {
            if (save.readError == FileError::None) save.readError = FileError::Other;
            return save;
        }
        // Cut short by a crash while it was written: not the settings.
        if (!complete(save.bytes)) continue;
        (void)writer.Replace(leftover.path, target);
        return save;
    }
    return std::nullopt;
}

}  // namespace vorn
