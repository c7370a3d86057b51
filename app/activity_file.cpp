#include "app/activity_file.h"

#include <algorithm>
#include <utility>

#include "settings/text_encoding.h"

namespace vorn {

std::wstring ActivityLogPath(const std::wstring& settingsPath)
{
    const std::size_t slash = settingsPath.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : settingsPath.substr(0, slash + 1)) + L"Vorn.log";
}

FileProblemNotice ActivityFileNotice(const std::wstring& path, FileError error)
{
    constexpr std::size_t kTextLimit = 255;  // the icon's data holds no more
    const std::wstring after =
        L" cannot be written: " + FileErrorWords(error) + L". Vorn goes on recording in Recent activity.";
    std::wstring shown = path;
    // The end of the path names the file and its folder.
    const std::size_t room = kTextLimit - after.size();
    if (shown.size() > room) shown = L"\u2026" + shown.substr(shown.size() - (room - 1));
    return {L"Vorn cannot write its log", shown + after};
}

CActivityFile::CActivityFile(CActivityLog& log, std::wstring path, Hooks hooks)
    : log_(log), path_(std::move(path)), hooks_(std::move(hooks))
{
}

CActivityFile::~CActivityFile() { Follow(false); }

void CActivityFile::Follow(bool keepLog)
{
    if (keepLog == on_) return;
    on_ = keepLog;
    log_.SetFileListener(on_ ? this : nullptr);
    if (!on_) return;
    // Turned on again: a log the user has mended meanwhile may be told of anew.
    written_ = log_.Recorded();
    told_ = false;
}

void CActivityFile::ActivityRecorded()
{
    if (asked_ || !on_) return;
    asked_ = true;
    if (hooks_.askForWrite) hooks_.askForWrite();
}

bool CActivityFile::WriteNow()
{
    asked_ = false;
    if (!on_) return true;
    const std::uint64_t fresh = log_.Recorded() - written_;
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(fresh, log_.Count()));
    if (count == 0) return true;
    std::wstring text;
    for (std::size_t index = count; index-- > 0;)
        text += ActivityLine(log_.Newest(index)) + L"\r\n";
    const std::string bytes = EncodeSettingsText(text, TextEncoding::Utf8);
    const std::unique_ptr<IFileWriter> writer = hooks_.writer ? hooks_.writer() : SystemFileWriter();
    if (!Append(*writer, bytes)) {
        const FileError error = writer->Error();
        (void)writer->Close();
        if (!told_ && hooks_.tellProblem) hooks_.tellProblem(path_, error);
        told_ = true;
        return false;
    }
    written_ = log_.Recorded();
    return true;
}

// Opened, appended and closed each time, so that the file can be read,
// moved or deleted between writes.
bool CActivityFile::Append(IFileWriter& writer, const std::string& bytes)
{
    std::uint64_t size = 0;
    if (!writer.Exists(path_)) {
        if (!writer.Create(path_)) return false;
    } else {
        if (!writer.Open(path_) || !writer.Size(size)) return false;
        if (size > 0 && size + bytes.size() > kMaxBytes) {
            if (!writer.Close() || !writer.Replace(path_, path_ + L".1") || !writer.Create(path_)) return false;
            size = 0;
        }
    }
    return writer.Seek(size) && writer.Write(bytes) && writer.Close();
}

}  // namespace vorn
