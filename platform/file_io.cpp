#include "platform/file_io.h"

#include <atomic>

#include "platform/win.h"

#if !defined(_WIN32)
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorn {
namespace {

// A name of this process's own: no file left by a crash, nor a folder or a
// read-only file someone made, can stand in the way of a save.
constexpr wchar_t kTemporaryMark[] = L".~";
constexpr wchar_t kTemporaryEnd[] = L".tmp";
constexpr unsigned kNameAttempts = 8;
// A temporary file this old is no save in progress.
constexpr long long kLeftoverAgeSeconds = 60;

unsigned CurrentProcessId()
{
#if defined(_WIN32)
    return static_cast<unsigned>(GetCurrentProcessId());
#else
    return static_cast<unsigned>(getpid());
#endif
}

std::wstring Hex(unsigned value)
{
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

std::wstring NameOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
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
        if (faultPath) *faultPath = why == FileError::None ? std::wstring() : target;
        return why == FileError::None;
    };
    // Without the file, a leftover may hold the only copy of a save whose
    // replace went wrong: it stays.
    const bool targetExists = writer.Exists(target);
    if (targetExists) writer.RemoveLeftovers(target);

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
    // written, is written over and cut to its new length.
    if (!writer.Open(target)) {
        const FileError openError = writer.Error();
        const bool aboutTheFile = openError == FileError::ReadOnlyFile || openError == FileError::InUse ||
                                  openError == FileError::NotAFile;
        return finish(aboutTheFile ? openError : why);
    }
    const bool written = writer.Write(bytes) && writer.Truncate() && writer.Flush();
    const FileError writeError = writer.Error();
    if (!writer.Close()) return finish(writer.Error());
    return finish(written ? FileError::None : writeError);
}

bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, FileError* error, std::wstring* faultPath)
{
    const auto writer = SystemFileWriter();
    return WriteFileAtomically(path, bytes, *writer, error, faultPath);
}

#if defined(_WIN32)

namespace {

constexpr int kAttempts = 20;
constexpr DWORD kPauseMs = 50;

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? L"." : path.substr(0, separator);
}

// Whether a new file may be made beside `path`. Folder attributes do not
// tell on Windows, so the only sure test is to make one.
bool FolderAcceptsNewFiles(const std::wstring& path)
{
    const std::wstring probe = FolderOf(path) + L"\\~vorn-write-test.tmp";
    const HANDLE file =
        CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

// What a failed call on `path` means for the user.
FileError Classify(DWORD error, const std::wstring& path)
{
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileError::InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileError::DiskFull;
    case ERROR_PATH_NOT_FOUND:
        return FileError::FolderMissing;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return FileError::NameTaken;
    case ERROR_WRITE_PROTECT:
        return FileError::FolderNotWritable;
    case ERROR_ACCESS_DENIED: {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileError::NotAFile;
            if (attributes & FILE_ATTRIBUTE_READONLY) return FileError::ReadOnlyFile;
        }
        return FolderAcceptsNewFiles(path) ? FileError::AccessDenied : FileError::FolderNotWritable;
    }
    default:
        return FileError::Other;
    }
}

// Virus scanners and indexers hold files for a moment, and a file being
// replaced or deleted answers "access denied" for a moment too: worth a few
// more tries. A read-only file or a folder that refuses changes is not, since
// waiting mends neither, and every save would freeze the window meanwhile.
bool WorthRetrying(FileError error) { return error == FileError::InUse || error == FileError::AccessDenied; }

void Pause(const PauseFunction& pause)
{
    if (pause)
        pause(kPauseMs);
    else
        Sleep(kPauseMs);
}

// A path as the file functions take it beyond MAX_PATH: the temporary name is
// longer than the file's own, and a folder near the limit must not lose saves.
std::wstring Long(const std::wstring& path)
{
    constexpr std::size_t kNearTheLimit = MAX_PATH - 30;
    if (path.size() < kNearTheLimit || path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;
}

// The attributes a file's name keeps across a save (hidden, system, archive,
// not indexed); read-only files are never saved over.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Win32FileWriter final : public IFileWriter {
public:
    explicit Win32FileWriter(PauseFunction pause) : pause_(std::move(pause)) {}
    ~Win32FileWriter() override { (void)Close(); }

    std::wstring FinalPath(const std::wstring& path) override
    {
        // Wine does not mark its links as reparse points: ask every file.
        const HANDLE file = CreateFileW(Long(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return path;
        std::wstring final(1024, L'\0');
        DWORD length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
        if (length >= final.size()) {
            final.resize(length + 1);
            length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
        }
        CloseHandle(file);
        if (length == 0 || length >= final.size()) return path;
        final.resize(length);
        // "\\?\C:\..." and "\\?\UNC\server\..." as ordinary paths.
        if (final.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + final.substr(7);
        if (final.rfind(L"\\\\?\\", 0) == 0) final.erase(0, 4);
        // The same file under its own spelling: keep the name the user gave.
        if (CompareStringOrdinal(final.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL) return path;
        return final;
    }
    bool Create(const std::wstring& path) override
    {
        path_ = path;
        file_ = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ != INVALID_HANDLE_VALUE) return true;
        const DWORD code = GetLastError();
        // A folder or a read-only file of that name answers "access denied".
        const bool taken = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
                           (code == ERROR_ACCESS_DENIED && Exists(path));
        return Failed(taken ? FileError::NameTaken : Classify(code, path));
    }
    bool Exists(const std::wstring& path) override
    {
        return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool Open(const std::wstring& path) override
    {
        path_ = path;
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return Failed(FileError::ReadOnlyFile);
        file_ = CreateFileW(Long(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        return file_ != INVALID_HANDLE_VALUE || Failed();
    }
    bool Truncate() override { return SetEndOfFile(file_) || Failed(); }
    bool Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr)) return Failed();
            if (written == 0) return Failed(FileError::DiskFull);
            bytes.remove_prefix(written);
        }
        return true;
    }
    bool Flush() override { return FlushFileBuffers(file_) || Failed(); }
    bool Close() override
    {
        if (file_ == INVALID_HANDLE_VALUE) return true;
        const bool closed = CloseHandle(file_) || Failed();
        file_ = INVALID_HANDLE_VALUE;
        return closed;
    }
    bool Replace(const std::wstring& from, const std::wstring& to) override
    {
        // Windows refuses to replace a read-only file; Wine replaces it. The
        // user marked it so that it stays as it is: refuse on both.
        const std::wstring source = Long(from);
        const std::wstring target = Long(to);
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return Failed(FileError::ReadOnlyFile);
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        // ReplaceFileW keeps the name's security on Windows; Wine's keeps no
        // attributes, so the new file takes them first.
        if (exists && (attributes & kKeptAttributes) != 0) SetFileAttributesW(source.c_str(), attributes & kKeptAttributes);
        bool replaceFile = exists;
        for (int attempt = 1;; ++attempt) {
            if (replaceFile &&
                ReplaceFileW(target.c_str(), source.c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr))
                return true;
            if (!replaceFile &&
                MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return true;
            const DWORD code = GetLastError();
            // File systems that cannot swap the two (some network drives)
            // still take an ordinary move.
            if (replaceFile && (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT || code == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
                                code == ERROR_UNABLE_TO_REMOVE_REPLACED || code == ERROR_INVALID_FUNCTION ||
                                code == ERROR_NOT_SUPPORTED)) {
                replaceFile = false;
                continue;
            }
            error_ = Classify(code, to);
            if (attempt >= kAttempts || !WorthRetrying(error_)) return false;
            Pause(pause_);
        }
    }
    void Remove(const std::wstring& path) override
    {
        (void)Close();
        DeleteFileW(Long(path).c_str());
    }
    void RemoveLeftovers(const std::wstring& path) override
    {
        const std::wstring folder = FolderOf(path);
        const std::wstring name = NameOf(path);
        FILETIME nowTime{};
        GetSystemTimeAsFileTime(&nowTime);
        const auto ticks = [](const FILETIME& t) {
            return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        constexpr unsigned long long kTicksPerSecond = 10000000;
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(Long(path + kTemporaryMark + L"*" + kTemporaryEnd).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            const bool old = ticks(nowTime) > ticks(found.ftLastWriteTime) + kLeftoverAgeSeconds * kTicksPerSecond;
            if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0 && old &&
                IsTemporaryNameOf(found.cFileName, name))
                DeleteFileW(Long(folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    FileError Error() const override { return error_; }

private:
    // Records why the call just made failed; always false.
    bool Failed() { return Failed(Classify(GetLastError(), path_)); }
    bool Failed(FileError error)
    {
        error_ = error;
        return false;
    }

    PauseFunction pause_;
    std::wstring path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    FileError error_ = FileError::None;
};

}  // namespace

std::unique_ptr<IFileWriter> SystemFileWriter(PauseFunction pause)
{
    return std::make_unique<Win32FileWriter>(std::move(pause));
}

FileError FolderProblem(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_ACCESS_DENIED ? FileError::AccessDenied : FileError::FolderMissing;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return FileError::NotAFolder;
    return FileError::None;
}

std::wstring CurrentFolder()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    folder.resize(GetCurrentDirectoryW(size, folder.data()));
    return folder;
}

ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes, FileError* error, const PauseFunction& pause)
{
    bytes.clear();
    const auto failed = [&](FileError why) {
        if (error) *error = why;
        return ReadResult::Failed;
    };
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 1;; ++attempt) {
        file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) break;
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            if (error) *error = FileError::None;
            return ReadResult::Missing;
        }
        const FileError why = Classify(code, path);
        // Reading is refused for good when a folder has the name, and when the
        // file is read-only or its folder refuses changes: the refusal is then
        // about permissions, not about a file being replaced.
        if (why == FileError::NotAFile) return failed(why);
        if (why == FileError::ReadOnlyFile || why == FileError::FolderNotWritable)
            return failed(FileError::AccessDenied);
        if (attempt == kAttempts || !WorthRetrying(why)) return failed(why);
        Pause(pause);
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, sizeof(buffer), &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0) break;
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    if (!ok) return failed(FileError::Other);
    if (error) *error = FileError::None;
    return ReadResult::Read;
}

#else  // POSIX

std::string NarrowPath(const std::wstring& path)
{
    std::string utf8;
    for (wchar_t wc : path) {
        auto c = static_cast<std::uint32_t>(wc);
        if (c > 0x10FFFF) c = 0xFFFD;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (c >> 18));
            utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

// What a failed call on `path` means for the user.
FileError Classify(int error, const std::string& path)
{
    switch (error) {
    case EBUSY:
    case ETXTBSY:
        return FileError::InUse;
    case ENOSPC:
    case EDQUOT:
        return FileError::DiskFull;
    case ENOENT:
    case ENOTDIR:
        return FileError::FolderMissing;
    case EISDIR:
        return FileError::NotAFile;
    case EEXIST:
        return FileError::NameTaken;
    case EROFS:
        return FileError::FolderNotWritable;
    case EACCES:
    case EPERM: {
        struct stat status {};
        if (stat(path.c_str(), &status) == 0) {
            if (S_ISDIR(status.st_mode)) return FileError::NotAFile;
            if (access(path.c_str(), W_OK) != 0) return FileError::ReadOnlyFile;
        }
        return access(FolderOf(path).c_str(), W_OK) == 0 ? FileError::AccessDenied : FileError::FolderNotWritable;
    }
    default:
        return FileError::Other;
    }
}

// No one may write it, whoever asks (the superuser could, all the same).
bool MarkedReadOnly(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::wstring WidePath(const std::string& path)
{
    // Only the tests run natively, in ASCII folders.
    return std::wstring(path.begin(), path.end());
}

class PosixFileWriter final : public IFileWriter {
public:
    ~PosixFileWriter() override { (void)Close(); }

    std::wstring FinalPath(const std::wstring& path) override
    {
        const std::string link = NarrowPath(path);
        struct stat status {};
        if (lstat(link.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        char resolved[PATH_MAX];
        if (realpath(link.c_str(), resolved)) return WidePath(resolved);
        // A link to a file not made yet: the file it names.
        char text[PATH_MAX];
        const ssize_t length = readlink(link.c_str(), text, sizeof(text) - 1);
        if (length <= 0) return path;
        const std::string target(text, static_cast<std::size_t>(length));
        return WidePath(target.front() == '/' ? target : FolderOf(link) + "/" + target);
    }
    bool Exists(const std::wstring& path) override
    {
        struct stat status {};
        return stat(NarrowPath(path).c_str(), &status) == 0;
    }
    bool Create(const std::wstring& path) override
    {
        path_ = NarrowPath(path);
        file_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return file_ >= 0 || Failed();
    }
    bool Open(const std::wstring& path) override
    {
        path_ = NarrowPath(path);
        if (MarkedReadOnly(path_)) return Failed(FileError::ReadOnlyFile);
        file_ = open(path_.c_str(), O_WRONLY | O_CLOEXEC);
        return file_ >= 0 || Failed();
    }
    bool Truncate() override
    {
        const off_t end = lseek(file_, 0, SEEK_CUR);
        return (end >= 0 && ftruncate(file_, end) == 0) || Failed();
    }
    bool Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t written = write(file_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) return Failed();
            if (written == 0) return Failed(FileError::DiskFull);
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }
    bool Flush() override { return fsync(file_) == 0 || Failed(); }
    bool Close() override
    {
        if (file_ < 0) return true;
        const bool closed = close(file_) == 0 || Failed();
        file_ = -1;
        return closed;
    }
    bool Replace(const std::wstring& from, const std::wstring& to) override
    {
        const std::string target = NarrowPath(to);
        const std::string source = NarrowPath(from);
        // As on Windows: a file the user marked read-only stays as it is.
        if (MarkedReadOnly(target)) return Failed(FileError::ReadOnlyFile);
        // The file keeps its permissions.
        struct stat status {};
        if (stat(target.c_str(), &status) == 0 && S_ISREG(status.st_mode)) chmod(source.c_str(), status.st_mode & 07777);
        if (rename(source.c_str(), target.c_str()) != 0) return Failed(Classify(errno, target));
        // Make the rename itself durable.
        const int directory = open(FolderOf(target).c_str(), O_RDONLY | O_CLOEXEC);
        if (directory >= 0) {
            fsync(directory);
            close(directory);
        }
        return true;
    }
    void Remove(const std::wstring& path) override
    {
        (void)Close();
        unlink(NarrowPath(path).c_str());
    }
    void RemoveLeftovers(const std::wstring& path) override
    {
        const std::string folder = FolderOf(NarrowPath(path));
        const std::wstring name = NameOf(path);
        DIR* directory = opendir(folder.c_str());
        if (!directory) return;
        while (const dirent* entry = readdir(directory)) {
            const std::string entryName = entry->d_name;
            if (!IsTemporaryNameOf(WidePath(entryName), name)) continue;
            const std::string full = folder + "/" + entryName;
            struct stat status {};
            if (lstat(full.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
                time(nullptr) - status.st_mtime > kLeftoverAgeSeconds)
                unlink(full.c_str());
        }
        closedir(directory);
    }
    FileError Error() const override { return error_; }

private:
    bool Failed() { return Failed(Classify(errno, path_)); }
    bool Failed(FileError error)
    {
        error_ = error;
        return false;
    }

    std::string path_;
    int file_ = -1;
    FileError error_ = FileError::None;
};

}  // namespace

std::wstring CurrentFolder()
{
    std::string folder(4096, '\0');
    if (!getcwd(folder.data(), folder.size())) return {};
    folder.resize(std::strlen(folder.c_str()));
    return WidePath(folder);
}

FileError FolderProblem(const std::wstring& folder)
{
    struct stat status {};
    if (stat(NarrowPath(folder).c_str(), &status) != 0)
        return errno == EACCES ? FileError::AccessDenied : FileError::FolderMissing;
    if (!S_ISDIR(status.st_mode)) return FileError::NotAFolder;
    return access(NarrowPath(folder).c_str(), X_OK) == 0 ? FileError::None : FileError::AccessDenied;
}

// Nothing on POSIX holds a file against others, so nothing is retried.
std::unique_ptr<IFileWriter> SystemFileWriter(PauseFunction) { return std::make_unique<PosixFileWriter>(); }

ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes, FileError* error, const PauseFunction&)
{
    bytes.clear();
    const std::string narrow = NarrowPath(path);
    const auto finish = [&](ReadResult result, FileError why) {
        if (error) *error = why;
        return result;
    };
    const int file = open(narrow.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return finish(ReadResult::Missing, FileError::None);
        const FileError why = Classify(errno, narrow);
        return finish(ReadResult::Failed, why == FileError::ReadOnlyFile ? FileError::AccessDenied : why);
    }
    char buffer[65536];
    for (;;) {
        const ssize_t count = read(file, buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            const FileError why = errno == EISDIR ? FileError::NotAFile : FileError::Other;
            close(file);
            return finish(ReadResult::Failed, why);
        }
        if (count == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    close(file);
    return finish(ReadResult::Read, FileError::None);
}

#endif

}  // namespace vorn
