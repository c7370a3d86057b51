// Windows only: the file calls of the settings file's reading and saving.
#include "platform/file_io.h"
#include "platform/file_io_platform.h"
#include "platform/win.h"

namespace vorn {
namespace {

constexpr int kAttempts = 20;
constexpr DWORD kPauseMs = 50;

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? L"." : path.substr(0, separator);
}

std::wstring NameOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
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

// The path of the file open as `file`, links followed, as an ordinary path
// ("\\?\C:\..." and "\\?\UNC\server\..." without their prefixes); empty when
// it cannot be told.
std::wstring PathOfOpenFile(HANDLE file)
{
    std::wstring final(1024, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), 0);
    }
    if (length == 0 || length >= final.size()) return {};
    final.resize(length);
    if (final.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + final.substr(7);
    if (final.rfind(L"\\\\?\\", 0) == 0) final.erase(0, 4);
    return final;
}

// `final`, or `path` when it is empty or the same file under its own spelling
// (the name the user gave is kept).
std::wstring PreferGiven(const std::wstring& final, const std::wstring& path)
{
    if (final.empty() || CompareStringOrdinal(final.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL) return path;
    return final;
}

// Whether the name `path`, which cannot be opened, is held by a symbolic
// link to a file not made yet. Windows shows the link's own attributes. Wine
// shows nothing of its Unix links, but makes no new file in one's place; that
// test makes the file where there is none, so it is made only under Wine.
bool HeldByALink(const std::wstring& path)
{
    if (GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    static const bool wine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    if (!wine) return false;
    const HANDLE made = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (made == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(made);
    DeleteFileW(Long(path).c_str());
    return false;
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
        constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        const HANDLE file =
            CreateFileW(Long(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            const std::wstring final = PathOfOpenFile(file);
            CloseHandle(file);
            return PreferGiven(final, path);
        }
        const DWORD code = GetLastError();
        if ((code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND) || !HeldByALink(path)) return path;
        // A link to a file not made yet. Making the file through the link
        // makes it where the link leads (Windows follows its links so, and
        // Wine its Unix ones), and the made file tells where that is; it is
        // removed again at once. Where it cannot be made (the link's folder
        // is missing), no file may take the link's place either.
        const HANDLE made = CreateFileW(Long(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (made == INVALID_HANDLE_VALUE) return {};
        const std::wstring final = PathOfOpenFile(made);
        LARGE_INTEGER size{};
        const bool empty = GetFileSizeEx(made, &size) && size.QuadPart == 0;
        CloseHandle(made);
        // By the file's own path: deleting by the link's name would delete the link.
        if (!final.empty() && empty) DeleteFileW(Long(final).c_str());
        return PreferGiven(final, path);
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
    unsigned LinkCount(const std::wstring& path) override
    {
        const HANDLE file = CreateFileW(Long(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        BY_HANDLE_FILE_INFORMATION information{};
        const bool known = GetFileInformationByHandle(file, &information);
        CloseHandle(file);
        return known && information.nNumberOfLinks > 1 ? information.nNumberOfLinks : 1;
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
    bool Size(std::uint64_t& size) override
    {
        LARGE_INTEGER length{};
        if (!GetFileSizeEx(file_, &length)) return Failed();
        size = static_cast<std::uint64_t>(length.QuadPart);
        return true;
    }
    bool Seek(std::uint64_t offset) override
    {
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) || Failed();
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
    std::vector<LeftoverFile> Leftovers(const std::wstring& path) override
    {
        const std::wstring folder = FolderOf(path);
        const std::wstring name = NameOf(path);
        FILETIME nowTime{};
        GetSystemTimeAsFileTime(&nowTime);
        const auto ticks = [](const FILETIME& t) {
            return static_cast<std::int64_t>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                             t.dwLowDateTime);
        };
        constexpr std::int64_t kTicksPerMs = 10000;
        std::vector<LeftoverFile> found;
        WIN32_FIND_DATAW entry{};
        const HANDLE search = FindFirstFileW(Long(path + L"*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return found;
        do {
            if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0 &&
                IsTemporaryNameOf(entry.cFileName, name))
                found.push_back({folder + L"\\" + entry.cFileName,
                                 (ticks(nowTime) - ticks(entry.ftLastWriteTime)) / kTicksPerMs});
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        return found;
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

unsigned CurrentProcessId() { return static_cast<unsigned>(GetCurrentProcessId()); }

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

}  // namespace vorn
