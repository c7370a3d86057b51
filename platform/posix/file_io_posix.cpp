// POSIX only (the native test build): the file calls of the settings file's
// reading and saving.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/file_io_platform.h"

namespace vorn {

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

std::wstring NameOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
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

std::int64_t Milliseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
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
    unsigned LinkCount(const std::wstring& path) override
    {
        struct stat status {};
        if (stat(NarrowPath(path).c_str(), &status) != 0 || status.st_nlink < 1) return 1;
        return static_cast<unsigned>(status.st_nlink);
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
    bool Size(std::uint64_t& size) override
    {
        struct stat status {};
        if (fstat(file_, &status) != 0) return Failed();
        size = static_cast<std::uint64_t>(status.st_size);
        return true;
    }
    bool Seek(std::uint64_t offset) override
    {
        return lseek(file_, static_cast<off_t>(offset), SEEK_SET) >= 0 || Failed();
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
    std::vector<LeftoverFile> Leftovers(const std::wstring& path) override
    {
        std::vector<LeftoverFile> found;
        const std::string folder = FolderOf(NarrowPath(path));
        const std::wstring name = NameOf(path);
        DIR* directory = opendir(folder.c_str());
        if (!directory) return found;
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        while (const dirent* entry = readdir(directory)) {
            const std::string entryName = entry->d_name;
            if (!IsTemporaryNameOf(WidePath(entryName), name)) continue;
            const std::string full = folder + "/" + entryName;
            struct stat status {};
            if (lstat(full.c_str(), &status) == 0 && S_ISREG(status.st_mode) && !MarkedReadOnly(full))
                found.push_back({WidePath(full), Milliseconds(now) - Milliseconds(status.st_mtim)});
        }
        closedir(directory);
        return found;
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

unsigned CurrentProcessId() { return static_cast<unsigned>(getpid()); }

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

}  // namespace vorn
