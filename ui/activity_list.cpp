#include "ui/activity_list.h"

namespace vorn {
namespace {

constexpr std::size_t kBalloonTitleMax = 63;
constexpr std::size_t kBalloonTextMax = 255;

}  // namespace

ActivityCatchUp CatchUpActivity(std::uint64_t shownRecorded, const CActivityLog& log)
{
    const std::size_t count = log.Count();
    const std::uint64_t fresh = log.Recorded() - shownRecorded;
    ActivityCatchUp change;
    change.keep = count;
    // Nothing of what the list shows is left in the ring, or the ring was
    // cleared since (which leaves fewer events than were recorded since).
    if (fresh >= count) {
        change.rebuild = true;
        return change;
    }
    change.insert = static_cast<std::size_t>(fresh);
    return change;
}

std::wstring ActivityClipboardText(const CActivityLog& log, std::span<const std::size_t> rows)
{
    std::wstring text;
    const auto add = [&](std::size_t row) {
        if (row >= log.Count()) return;
        text += ActivityLine(log.Newest(row));
        text += L"\r\n";
    };
    if (rows.empty()) {
        for (std::size_t row = 0; row < log.Count(); ++row) add(row);
    } else {
        for (const std::size_t row : rows) add(row);
    }
    return text;
}

HigherRightsNoticeText HigherRightsNotice(const std::wstring& program)
{
    static constexpr wchar_t kTitle[] = L"Vorn's keys did not reach ";
    static constexpr wchar_t kRest[] =
        L" runs with higher rights than Vorn, so Windows drops the keys Vorn sends to it. To reach such windows, "
        L"start Vorn as administrator (for example with a scheduled task at log-on set to run with highest "
        L"privileges).";
    // A name too long for the balloon is left out rather than cut.
    HigherRightsNoticeText notice;
    const bool titleFits = !program.empty() && std::size(kTitle) - 1 + program.size() <= kBalloonTitleMax;
    notice.title = std::wstring(kTitle) + (titleFits ? program : L"a program");
    const bool textFits = !program.empty() && program.size() + std::size(kRest) - 1 <= kBalloonTextMax;
    notice.text = (textFits ? program : L"The program in front") + kRest;
    return notice;
}

}  // namespace vorn
