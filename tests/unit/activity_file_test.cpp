#include "app/activity_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "settings/text_encoding.h"
#include "tests/fake/fixture.h"
#include "tests/fake/temp_folder.h"

namespace vorn {
namespace {

ActivityEvent QuietEvent(std::wstring_view program)
{
    ActivityEvent event{.kind = ActivityKind::NotWithQuietProgram, .zone = UpperLeftCorner};
    event.SetText(program);
    return event;
}

constexpr ActivityEvent kEntered{.kind = ActivityKind::Entered, .zone = LowerRightCorner, .action = 0};

std::string Bytes(const ActivityEvent& e) { return EncodeSettingsText(ActivityLine(e) + L"\r\n", TextEncoding::Utf8); }

// The system's steps, with the write failing as on a full disk.
class FullDiskWriter final : public IFileWriter {
public:
    explicit FullDiskWriter(int& made) { ++made; }
    std::wstring FinalPath(const std::wstring& path) override { return real_->FinalPath(path); }
    bool Create(const std::wstring& path) override { return real_->Create(path); }
    bool Open(const std::wstring& path) override { return real_->Open(path); }
    bool Size(std::uint64_t& size) override { return real_->Size(size); }
    bool Seek(std::uint64_t offset) override { return real_->Seek(offset); }
    bool Write(std::string_view) override { return false; }
    bool Truncate() override { return real_->Truncate(); }
    bool Flush() override { return real_->Flush(); }
    bool Close() override { return real_->Close(); }
    bool Replace(const std::wstring& from, const std::wstring& to) override { return real_->Replace(from, to); }
    void Remove(const std::wstring& path) override { real_->Remove(path); }
    bool Exists(const std::wstring& path) override { return real_->Exists(path); }
    unsigned LinkCount(const std::wstring& path) override { return real_->LinkCount(path); }
    std::vector<LeftoverFile> Leftovers(const std::wstring& path) override { return real_->Leftovers(path); }
    FileError Error() const override { return FileError::DiskFull; }

private:
    std::unique_ptr<IFileWriter> real_ = SystemFileWriter();
};

class ActivityFileTest : public fake::DesktopTest {
protected:
    ActivityFileTest()
    {
        hooks.askForWrite = [this] { ++asks; };
        hooks.tellProblem = [this](const std::wstring& path, FileError error) { told.emplace_back(path, error); };
    }
    CActivityFile& File()
    {
        if (!file) {
            file = std::make_unique<CActivityFile>(*log, ActivityLogPath(folder.File(L"Vorn.ini")), hooks);
            file->Follow(true);
        }
        return *file;
    }
    std::string Log() const { return fake::TempFolder::Read(folder.File(L"Vorn.log")); }

    fake::TempFolder folder;
    std::unique_ptr<CActivityLog> log = std::make_unique<CActivityLog>();
    CActivityFile::Hooks hooks;
    std::unique_ptr<CActivityFile> file;
    int asks = 0;
    int writers = 0;  // FullDiskWriters made
    std::vector<std::pair<std::wstring, FileError>> told;
};

TEST_F(ActivityFileTest, WritesEachEventAsAUtf8LineWithItsTimeBesideTheSettings)
{
    EXPECT_EQ(File().Path(), folder.File(L"Vorn.log"));
    log->Record(QuietEvent(L"\u00c9diteur.exe"));
    desktop.AdvanceTime(1234);
    log->Record(kEntered);
    EXPECT_EQ(asks, 1) << "one write is asked for, however many events come before it";
    ASSERT_TRUE(File().WriteNow());

    const std::string bytes = Log();
    EXPECT_EQ(bytes, Bytes(log->Newest(1)) + Bytes(log->Newest(0))) << "oldest first, each ending in CR LF";
    EXPECT_NE(bytes.find("Upper left corner"), std::string::npos);
    EXPECT_NE(bytes.find("\303\211diteur.exe is in front"), std::string::npos) << "UTF-8, not the code page";
    EXPECT_TRUE(std::regex_search(bytes, std::regex(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}  )")))
        << "no mark before the time, to the millisecond: " << bytes.substr(0, 25);
    EXPECT_TRUE(told.empty());
}

TEST_F(ActivityFileTest, TheNextWriteAppendsOnlyWhatCameSince)
{
    log->Record(QuietEvent(L"Notepad.exe"));
    File();  // turned on now: what came before stays out of the file
    log->Record(kEntered);
    ASSERT_TRUE(File().WriteNow());
    const std::string first = Log();
    EXPECT_EQ(first, Bytes(log->Newest(0)));

    EXPECT_TRUE(File().WriteNow()) << "nothing new: nothing written";
    EXPECT_EQ(Log(), first);
    log->Record(QuietEvent(L"Game.exe"));
    EXPECT_EQ(asks, 2);
    ASSERT_TRUE(File().WriteNow());
    EXPECT_EQ(Log(), first + Bytes(log->Newest(0)));
}

TEST_F(ActivityFileTest, MoreThanTheRingHoldsBetweenWritesWritesWhatTheRingHolds)
{
    File();
    for (std::size_t n = 0; n <= CActivityLog::kCapacity; ++n)
        log->Record(QuietEvent(L"p" + std::to_wstring(n) + L".exe"));
    ASSERT_TRUE(File().WriteNow());
    const std::string bytes = Log();
    EXPECT_EQ(bytes.rfind(Bytes(log->Newest(CActivityLog::kCapacity - 1)), 0), 0u) << "starts with the oldest kept";
    EXPECT_EQ(bytes.find("p0.exe"), std::string::npos);
    EXPECT_NE(bytes.find("p500.exe"), std::string::npos);
}

TEST_F(ActivityFileTest, OffItNeitherListensNorWrites)
{
    File().Follow(false);
    log->Record(kEntered);
    EXPECT_EQ(asks, 0);
    EXPECT_TRUE(File().WriteNow());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Vorn.log"));
}

// The 1 MB rule at both edges: a write that just fits stays in Vorn.log; one
// byte more and the old file becomes Vorn.log.1, replacing an older one.
struct SizeCase {
    const char* name;
    std::size_t overLimit;  // the file's bytes plus the write's, past the limit
    bool olderOne;          // a Vorn.log.1 exists already
    bool moves;
};

class ActivityFileSizeTest : public ActivityFileTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ActivityFileSizeTest, MovesToDotOneOnlyPastOneMegabyte)
{
    const SizeCase& c = GetParam();
    File();
    log->Record(kEntered);
    const std::string line = Bytes(log->Newest(0));
    const std::string old(static_cast<std::size_t>(CActivityFile::kMaxBytes) - line.size() + c.overLimit, 'x');
    ASSERT_TRUE(fake::TempFolder::Write(folder.File(L"Vorn.log"), old));
    ASSERT_TRUE(!c.olderOne || fake::TempFolder::Write(folder.File(L"Vorn.log.1"), "older"));

    ASSERT_TRUE(File().WriteNow());
    EXPECT_EQ(Log(), c.moves ? line : old + line);
    const std::string older = c.olderOne ? "older" : "<unreadable>";
    EXPECT_EQ(fake::TempFolder::Read(folder.File(L"Vorn.log.1")), c.moves ? old : older);
}

INSTANTIATE_TEST_SUITE_P(Edges, ActivityFileSizeTest,
                         ::testing::Values(SizeCase{"JustFits", 0, false, false},
                                           SizeCase{"OneByteOver", 1, false, true},
                                           SizeCase{"OneByteOverReplacesTheOlder", 1, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A log that cannot be written is told once; each later write tries again
// and the ring keeps every event.
class ActivityFileFailureTest : public ActivityFileTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ActivityFileFailureTest, IsToldOnceAndTriedAgain)
{
    bool full = GetParam();  // else a folder has the log's name
    const std::filesystem::path logPath = folder.Path() / "Vorn.log";
    if (!full) std::filesystem::create_directory(logPath);
    hooks.writer = [&] { return full ? std::make_unique<FullDiskWriter>(writers) : SystemFileWriter(); };
    log->Record(kEntered);  // before: not the file's
    File();
    log->Record(QuietEvent(L"Notepad.exe"));
    EXPECT_FALSE(File().WriteNow());
    ASSERT_EQ(told, (decltype(told){{folder.File(L"Vorn.log"), full ? FileError::DiskFull : FileError::NotAFile}}));

    log->Record(QuietEvent(L"Game.exe"));
    EXPECT_EQ(asks, 2) << "a write is asked for again";
    EXPECT_FALSE(File().WriteNow());
    EXPECT_EQ(told.size(), 1u) << "told once";
    EXPECT_EQ(writers, full ? 2 : 0) << "the second write tried again";
    EXPECT_EQ(log->Count(), 3u);
    EXPECT_EQ(log->Newest(0).Text(), L"Game.exe");

    // Mended: the next write has every event the failed ones had.
    full = false;
    std::filesystem::remove(logPath);
    ASSERT_TRUE(File().WriteNow());
    EXPECT_EQ(Log(), Bytes(log->Newest(1)) + Bytes(log->Newest(0)));
    EXPECT_EQ(told.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Faults, ActivityFileFailureTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "FullDisk" : "FolderOfTheName"); });

TEST_F(ActivityFileTest, TurnedOffAndOnAFailureIsToldAgain)
{
    hooks.writer = [this] { return std::make_unique<FullDiskWriter>(writers); };
    File();
    log->Record(kEntered);
    EXPECT_FALSE(File().WriteNow());
    File().Follow(false);
    File().Follow(true);
    log->Record(kEntered);
    EXPECT_FALSE(File().WriteNow());
    EXPECT_EQ(told.size(), 2u);
}

TEST(ActivityFileNoticeTest, NamesTheFileAndTheReasonWithinTheBalloonsLimit)
{
    const FileProblemNotice notice = ActivityFileNotice(L"C:\\Users\\Ann\\Vorn\\Vorn.log", FileError::DiskFull);
    EXPECT_EQ(notice.title, L"Vorn cannot write its log");
    EXPECT_EQ(notice.text.rfind(L"C:\\Users\\Ann\\Vorn\\Vorn.log cannot be written: the disk is full.", 0), 0u)
        << std::string(notice.text.begin(), notice.text.end());
    const FileProblemNotice longer =
        ActivityFileNotice(L"C:\\" + std::wstring(400, L'd') + L"\\Vorn.log", FileError::ReadOnlyFile);
    EXPECT_EQ(longer.text.size(), 255u);
    EXPECT_NE(longer.text.find(L"d\\Vorn.log cannot be written: the file is marked read-only."), std::wstring::npos);
}

}  // namespace
}  // namespace vorn
