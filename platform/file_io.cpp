#include "platform/file_io.h"

#include "platform/win.h"

#if !defined(_WIN32)
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorn {

std::wstring TemporaryPathFor(const std::wstring& path) { return path + L".tmp"; }

bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, IFileWriter& writer, FileError* error)
{
    const std::wstring temporary = TemporaryPathFor(path);
    const auto fail = [&] {
        // Read before the clean-up, which makes calls of its own.
        if (error) *error = writer.Error();
        writer.Remove(temporary);
        return false;
    };
    if (!writer.Create(temporary)) return fail();
    const bool written = writer.Write(bytes) && writer.Flush();
    const bool closed = writer.Close();
    if (!written || !closed || !writer.Replace(temporary, path)) return fail();
    if (error) *error = FileError::None;
    return true;
}

bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, FileError* error)
{
    const auto writer = SystemFileWriter();
    return WriteFileAtomically(path, bytes, *writer, error);
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

class Win32FileWriter final : public IFileWriter {
public:
    explicit Win32FileWriter(PauseFunction pause) : pause_(std::move(pause)) {}
    ~Win32FileWriter() override { (void)Close(); }

    bool Create(const std::wstring& path) override
    {
        path_ = path;
        file_ = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ != INVALID_HANDLE_VALUE || Failed();
    }
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
        const DWORD attributes = GetFileAttributesW(to.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return Failed(FileError::ReadOnlyFile);
        for (int attempt = 1;; ++attempt) {
            if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
            error_ = Classify(GetLastError(), to);
            if (attempt == kAttempts || !WorthRetrying(error_)) return false;
            Pause(pause_);
        }
    }
    void Remove(const std::wstring& path) override
    {
        (void)Close();
        DeleteFileW(path.c_str());
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

class PosixFileWriter final : public IFileWriter {
public:
    ~PosixFileWriter() override { (void)Close(); }

    bool Create(const std::wstring& path) override
    {
        path_ = NarrowPath(path);
        file_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        return file_ >= 0 || Failed();
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
        if (rename(NarrowPath(from).c_str(), target.c_str()) != 0) return Failed(Classify(errno, target));
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
    // Only the tests run natively, in ASCII folders.
    return std::wstring(folder.begin(), folder.end());
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
