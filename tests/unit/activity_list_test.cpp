// The activity window's portable side: how its list catches up with the
// record, the text Copy makes, and the notice about keys Windows drops.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/fake/fake_desktop.h"
#include "ui/activity_list.h"

namespace vorn {
namespace {

class ActivityListTest : public ::testing::Test {
protected:
    ActivityListTest() { desktop.Install(); }
    void RecordLaunches(int count)
    {
        for (int i = 0; i < count; ++i) {
            ActivityEvent event;
            event.kind = ActivityKind::Launched;
            event.SetText(L"program" + std::to_wstring(next++) + L".exe");
            log->Record(event);
        }
    }

    fake::FakeDesktop desktop;
    std::unique_ptr<CActivityLog> log = std::make_unique<CActivityLog>();
    int next = 0;
};

TEST_F(ActivityListTest, TheListCatchesUpByInsertingOnTopOrStartsAgain)
{
    constexpr std::size_t ring = CActivityLog::kCapacity;
    struct Case {
        int before, after;    // events recorded before the list caught up, and since
        bool clearedBetween;  // the record was cleared in between
        bool rebuild;
        std::size_t insert;
    };
    const Case cases[] = {
        {3, 0, false, false, 0},                               // nothing new
        {3, 2, false, false, 2},                               // two new on top
        {static_cast<int>(ring), 1, false, false, 1},          // the oldest drops off the end
        {10, static_cast<int>(ring) - 1, false, false, ring - 1},  // all but one row new
        {10, static_cast<int>(ring), false, true, 0},              // nothing shown is left
        {10, 2, true, true, 0},                                // cleared, then two new
    };
    for (const Case& c : cases) {
        log = std::make_unique<CActivityLog>();
        RecordLaunches(c.before);
        const std::uint64_t shown = log->Recorded();
        if (c.clearedBetween) log->Clear();
        RecordLaunches(c.after);
        const ActivityCatchUp change = CatchUpActivity(shown, *log);
        EXPECT_EQ(change.rebuild, c.rebuild) << c.before << " " << c.after;
        if (c.rebuild) continue;
        EXPECT_EQ(change.insert, c.insert) << c.before << " " << c.after;
        EXPECT_EQ(change.keep, log->Count());
    }
}

TEST_F(ActivityListTest, CopyTakesTheChosenLinesOrAllAndNothingFromAnEmptyRecord)
{
    EXPECT_EQ(ActivityClipboardText(*log, {}), L"");
    RecordLaunches(3);
    const std::vector<std::size_t> chosen{0, 2};
    EXPECT_EQ(ActivityClipboardText(*log, chosen),
              ActivityLine(log->Newest(0)) + L"\r\n" + ActivityLine(log->Newest(2)) + L"\r\n");
    const std::wstring all = ActivityClipboardText(*log, {});
    EXPECT_EQ(all, ActivityLine(log->Newest(0)) + L"\r\n" + ActivityLine(log->Newest(1)) + L"\r\n" +
                       ActivityLine(log->Newest(2)) + L"\r\n");
    EXPECT_NE(all.find(L"program2.exe"), std::wstring::npos);
}

TEST_F(ActivityListTest, TheHigherRightsNoticeNamesTheProgramAndFitsTheBalloon)
{
    const HigherRightsNoticeText notice = HigherRightsNotice(L"Taskmgr.exe");
    EXPECT_NE(notice.title.find(L"Taskmgr.exe"), std::wstring::npos);
    EXPECT_EQ(notice.text.rfind(L"Taskmgr.exe", 0), 0u);
    EXPECT_NE(notice.text.find(L"administrator"), std::wstring::npos);
    // Names as long as the record keeps them, and none at all.
    for (std::size_t length = 0; length < ActivityEvent{}.text.size(); ++length) {
        const HigherRightsNoticeText longer = HigherRightsNotice(std::wstring(length, L'n'));
        EXPECT_LE(longer.title.size(), 63u) << length;
        EXPECT_LE(longer.text.size(), 255u) << length;
    }
}

}  // namespace
}  // namespace vorn
