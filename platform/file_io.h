// Reading a whole file, and replacing one atomically so that a crash, a kill
// or a full disk in the middle of a save never leaves a truncated file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vorn {

enum class ReadResult {
    Read,
    Missing,
    Failed
};

// Reads the whole file into `bytes`. A file another process holds open for a
// moment is retried briefly.
[[nodiscard]] ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes);

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
};

std::unique_ptr<IFileWriter> SystemFileWriter();

// Writes `bytes` to a temporary file beside `path`, flushes it, and moves it
// over `path`. On any failure the old file is left as it was and the temporary
// file is removed.
[[nodiscard]] bool WriteFileAtomically(const std::wstring& path, std::string_view bytes, IFileWriter& writer);
[[nodiscard]] bool WriteFileAtomically(const std::wstring& path, std::string_view bytes);

// The temporary file a save of `path` writes first.
std::wstring TemporaryPathFor(const std::wstring& path);

#if !defined(_WIN32)
// A wide path as the UTF-8 bytes POSIX calls take.
std::string NarrowPath(const std::wstring& path);
#endif

}  // namespace vorn
