#include "settings/file_problem.h"

#include <utility>

namespace vorn {
namespace {

constexpr std::size_t kTitleLimit = 63;
constexpr std::size_t kTextLimit = 255;

const wchar_t* Reason(FileError error, bool saving, bool folder)
{
    if (folder) {
        switch (error) {
        case FileError::FolderMissing:
            return L"it does not exist";
        case FileError::NotAFolder:
            return L"it is a file, not a folder";
        case FileError::AccessDenied:
            return L"access to it was denied";
        default:
            return L"Windows reported an error";
        }
    }
    switch (error) {
    case FileError::InUse:
        return L"another program is using it";
    case FileError::ReadOnlyFile:
        return saving ? L"the file is marked read-only" : L"access to it was denied";
    case FileError::FolderNotWritable:
        return L"Vorn may not write in its folder";
    case FileError::AccessDenied:
        return L"access to it was denied";
    case FileError::DiskFull:
        return L"the disk is full";
    case FileError::FolderMissing:
        return L"its folder no longer exists";
    case FileError::NotAFile:
        return L"a folder has its name";
    case FileError::Undecodable:
        return L"its text is in no encoding Vorn can read";
    case FileError::NotAFolder:
    case FileError::NameTaken:
    case FileError::None:
    case FileError::Other:
        break;
    }
    return L"Windows reported an error";
}

// The end of the path, which names the file and its folder, in `room` characters.
std::wstring Shortened(const std::wstring& path, std::size_t room)
{
    if (path.size() <= room) return path;
    if (room == 0) return {};
    return L"\u2026" + path.substr(path.size() - (room - 1));
}

// A text from the file, in at most `room` characters.
std::wstring Quoted(const std::wstring& text, std::size_t room)
{
    if (text.size() <= room) return L"\"" + text + L"\"";
    return L"\"" + text.substr(0, room - 1) + L"\u2026\"";
}

FileProblemNotice KeysNotice(const UnreadableKeys& keys, const std::wstring& path)
{
    constexpr std::size_t kQuotedRoom = 32;
    FileProblemNotice notice;
    notice.title = L"Vorn cannot read some keys in its settings";
    if (!keys.section.empty()) {
        // No text: the whole section could not be placed.
        const std::wstring what = keys.text.empty() && !keys.dropped
                                      ? L"the section [" + keys.section + L"]"
                                      : Quoted(keys.text, kQuotedRoom) + L" in [" + keys.section + L"]";
        const std::wstring after = L" holds values Vorn cannot read: " + what +
                                   (keys.more > 0 ? L", and " + std::to_wstring(keys.more) + L" more" : L"") +
                                   (keys.dropped ? L". Vorn leaves them out." : L". Vorn keeps them as they are.");
        notice.text = Shortened(path, after.size() < kTextLimit ? kTextLimit - after.size() : 0) + after;
        return notice;
    }
    const std::wstring after =
        L" holds keys that are no key combination: " + Quoted(keys.text, kQuotedRoom) + L" for the custom action " +
        Quoted(keys.action, kQuotedRoom) + (keys.more > 0 ? L", and " + std::to_wstring(keys.more) + L" more" : L"") +
        (keys.more > 0 ? L". Those actions keep their command lines." : L". The action keeps its command lines.");
    notice.text = Shortened(path, after.size() < kTextLimit ? kTextLimit - after.size() : 0) + after;
    return notice;
}

}  // namespace

FileProblemNotice NoticeFor(const FileProblem& problem)
{
    const std::wstring reason = Reason(problem.error, problem.saving, problem.folderOption);
    std::wstring before;
    std::wstring after;
    FileProblemNotice notice;
    if (problem.keys) return KeysNotice(*problem.keys, problem.path);
    if (problem.recovered) {
        notice.title = L"Vorn took back its settings";
        before = L"";
        after = L" was missing after a save that did not finish. Vorn took back the settings that save had written.";
    } else if (problem.folderOption) {
        notice.title = L"Vorn cannot use its settings folder";
        before = L"The folder ";
        after = L" given with /folder cannot be used: " + reason +
                L". Vorn runs with default settings and saves nothing until it restarts.";
    } else if (problem.saving) {
        notice.title = L"Vorn cannot save its settings";
        before = L"Changes could not be saved to ";
        after = L": " + reason + L". They last only until Vorn ends.";
    } else {
        notice.title = L"Vorn cannot read its settings";
        before = L"";
        after = L" could not be read: " + reason +
                L". Vorn runs with default settings and leaves the file alone until it restarts.";
    }
    const std::size_t fixed = before.size() + after.size();
    notice.text = before + Shortened(problem.path, fixed < kTextLimit ? kTextLimit - fixed : 0) + after;
    notice.title.resize(std::min(notice.title.size(), kTitleLimit));
    return notice;
}

std::wstring FileErrorWords(FileError error) { return Reason(error, true, false); }

void CFileProblemReporter::Report(const FileProblem& problem)
{
    bool& told = problem.keys ? toldKeys_ : problem.recovered ? toldRecovery_ : toldProblem_;
    if (told) return;
    told = true;
    if (listener_)
        listener_(problem);
    else
        waiting_.push_back(problem);
}

void CFileProblemReporter::SetListener(std::function<void(const FileProblem&)> listener)
{
    listener_ = std::move(listener);
    if (!listener_) return;
    std::vector<FileProblem> waiting;
    waiting.swap(waiting_);
    for (const FileProblem& problem : waiting)
        listener_(problem);
}

void CFileProblemReporter::Reset()
{
    listener_ = nullptr;
    waiting_.clear();
    toldProblem_ = false;
    toldRecovery_ = false;
    toldKeys_ = false;
}

}  // namespace vorn
