// A folder of its own for a test, removed with everything in it at the end.
#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/file_io.h"

namespace vorn::fake {

class TempFolder {
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = base / ("vorn-test-" + std::to_string(Process()) + "-" + std::to_string(counter++));
            std::error_code error;
            if (std::filesystem::create_directory(path_, error)) break;
        }
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A file in the folder, as the wide path the core takes.
    std::wstring File(std::wstring_view name) const
    {
        return (path_ / std::filesystem::path(std::wstring(name))).wstring();
    }

    static std::string Read(const std::wstring& path)
    {
        std::string bytes;
        if (ReadWholeFile(path, bytes) != ReadResult::Read) return "<unreadable>";
        return bytes;
    }
    static bool Write(const std::wstring& path, std::string_view bytes) { return WriteFileAtomically(path, bytes); }

private:
    static long Process();
    std::filesystem::path path_;
};

}  // namespace vorn::fake
