#include "platform/file_io.h"

#include "platform/win.h"

#if !defined(_WIN32)
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vorn {

std::wstring TemporaryPathFor(const std::wstring& path) { return path + L".tmp"; }

bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, IFileWriter& writer)
{
    const std::wstring temporary = TemporaryPathFor(path);
    if (!writer.Create(temporary)) {
        writer.Remove(temporary);
        return false;
    }
    const bool written = writer.Write(bytes) && writer.Flush();
    const bool closed = writer.Close();
    if (!written || !closed || !writer.Replace(temporary, path)) {
        writer.Remove(temporary);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::wstring& path, std::string_view bytes)
{
    const auto writer = SystemFileWriter();
    return WriteFileAtomically(path, bytes, *writer);
}

#if defined(_WIN32)

namespace {

// Virus scanners and indexers open files for a moment; such a file is worth
// a few more tries before giving up.
bool IsTransientError(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}
constexpr int kAttempts = 20;
constexpr DWORD kPauseMs = 50;

class Win32FileWriter final : public IFileWriter {
public:
    ~Win32FileWriter() override { (void)Close(); }

    bool Create(const std::wstring& path) override
    {
        file_ = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file_ != INVALID_HANDLE_VALUE;
    }
    bool Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
            bytes.remove_prefix(written);
        }
        return true;
    }
    bool Flush() override { return FlushFileBuffers(file_) != FALSE; }
    bool Close() override
    {
        if (file_ == INVALID_HANDLE_VALUE) return true;
        const bool closed = CloseHandle(file_) != FALSE;
        file_ = INVALID_HANDLE_VALUE;
        return closed;
    }
    bool Replace(const std::wstring& from, const std::wstring& to) override
    {
        for (int attempt = 1;; ++attempt) {
            if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
            if (attempt == kAttempts || !IsTransientError(GetLastError())) return false;
            Sleep(kPauseMs);
        }
    }
    void Remove(const std::wstring& path) override
    {
        (void)Close();
        DeleteFileW(path.c_str());
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace

std::unique_ptr<IFileWriter> SystemFileWriter() { return std::make_unique<Win32FileWriter>(); }

ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    bytes.clear();
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 1;; ++attempt) {
        file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) break;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ReadResult::Missing;
        // A folder of that name answers "access denied" too, but for good.
        const DWORD attributes = GetFileAttributesW(path.c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folder || attempt == kAttempts || !IsTransientError(error)) return ReadResult::Failed;
        Sleep(kPauseMs);
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
    return ok ? ReadResult::Read : ReadResult::Failed;
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

class PosixFileWriter final : public IFileWriter {
public:
    ~PosixFileWriter() override { (void)Close(); }

    bool Create(const std::wstring& path) override
    {
        file_ = open(NarrowPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        return file_ >= 0;
    }
    bool Write(std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t written = write(file_, bytes.data(), bytes.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }
    bool Flush() override { return fsync(file_) == 0; }
    bool Close() override
    {
        if (file_ < 0) return true;
        const bool closed = close(file_) == 0;
        file_ = -1;
        return closed;
    }
    bool Replace(const std::wstring& from, const std::wstring& to) override
    {
        const std::string target = NarrowPath(to);
        if (rename(NarrowPath(from).c_str(), target.c_str()) != 0) return false;
        // Make the rename itself durable.
        const std::size_t slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
        const int directory = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
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

private:
    int file_ = -1;
};

}  // namespace

std::unique_ptr<IFileWriter> SystemFileWriter() { return std::make_unique<PosixFileWriter>(); }

ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    bytes.clear();
    const int file = open(NarrowPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    char buffer[65536];
    for (;;) {
        const ssize_t count = read(file, buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            close(file);
            return ReadResult::Failed;
        }
        if (count == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    close(file);
    return ReadResult::Read;
}

#endif

}  // namespace vorn
