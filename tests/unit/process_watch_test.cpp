#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "actions/custom_actions.h"
#include "app/edge_engine.h"
#include "app/process_watch.h"
#include "engine/activity.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

HANDLE Process(int number) { return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(0x1000 + number)); }
HANDLE WaitOf(HANDLE process) { return reinterpret_cast<HANDLE>(reinterpret_cast<std::uintptr_t>(process) + 0x100000); }

// The system's waits, as a log of what was asked.
class FakeWaits : public IProcessWaits {
public:
    bool Wait(HANDLE process, std::size_t slot, HANDLE* wait) override
    {
        if (refuse) return false;
        *wait = WaitOf(process);
        waiting[slot] = process;
        log.push_back(L"wait");
        return true;
    }
    void EndWait(HANDLE wait) override
    {
        ended.push_back(wait);
        log.push_back(L"end wait");
    }
    bool ExitCode(HANDLE process, DWORD* code) override
    {
        *code = codes[process];
        return true;
    }
    void Close(HANDLE process) override
    {
        closed.push_back(process);
        log.push_back(L"close");
    }
    // The slot `process` is watched in.
    std::size_t SlotOf(HANDLE process) const
    {
        for (const auto& [slot, watched] : waiting)
            if (watched == process) return slot;
        return CProcessWatch::kCapacity;
    }

    bool refuse = false;
    std::map<std::size_t, HANDLE> waiting;
    std::map<HANDLE, DWORD> codes;
    std::vector<HANDLE> ended;
    std::vector<HANDLE> closed;
    std::vector<std::wstring> log;
};

class ProcessWatchTest : public fake::DesktopTest {
protected:
    ~ProcessWatchTest() override { theActivity.Clear(); }

    FakeWaits waits;
};

TEST_F(ProcessWatchTest, AnEndedProgramIsRecordedOnceWithItsExitCodeAndItsHandleClosed)
{
    CProcessWatch watch(waits);
    waits.codes[Process(1)] = 3;
    watch.ProcessStarted(Process(1), kBuiltInActionCount + 2, L"cmd");
    ASSERT_EQ(watch.Watching(), 1u);
    EXPECT_TRUE(waits.closed.empty());

    const std::size_t slot = waits.SlotOf(Process(1));
    watch.ProcessEnded(slot);
    ASSERT_EQ(theActivity.Count(), 1u);
    const ActivityEvent& exited = theActivity.Newest(0);
    EXPECT_EQ(exited.kind, ActivityKind::Exited);
    EXPECT_EQ(exited.code, 3u);
    EXPECT_EQ(exited.action, kBuiltInActionCount + 2);
    EXPECT_EQ(exited.Text(), L"cmd");
    // The wait names the handle: it goes first.
    EXPECT_EQ(waits.log, (std::vector<std::wstring>{L"wait", L"end wait", L"close"}));
    EXPECT_EQ(waits.ended, std::vector<HANDLE>{WaitOf(Process(1))});
    EXPECT_EQ(waits.closed, std::vector<HANDLE>{Process(1)});
    EXPECT_EQ(watch.Watching(), 0u);

    // A late or repeated telling of the same slot changes nothing.
    watch.ProcessEnded(slot);
    watch.ProcessEnded(CProcessWatch::kCapacity);
    EXPECT_EQ(theActivity.Count(), 1u);
    EXPECT_EQ(waits.closed.size(), 1u);
}

TEST_F(ProcessWatchTest, ProgramsBeyondTheWatchedAreClosedAtOnceAndAFreedSlotIsUsedAgain)
{
    CProcessWatch watch(waits);
    for (int i = 0; i < static_cast<int>(CProcessWatch::kCapacity); ++i)
        watch.ProcessStarted(Process(i), 0, L"program");
    EXPECT_EQ(watch.Watching(), CProcessWatch::kCapacity);
    EXPECT_TRUE(waits.closed.empty());

    watch.ProcessStarted(Process(100), 0, L"one too many");
    EXPECT_EQ(waits.closed, std::vector<HANDLE>{Process(100)});
    EXPECT_EQ(waits.SlotOf(Process(100)), CProcessWatch::kCapacity);
    EXPECT_EQ(watch.Watching(), CProcessWatch::kCapacity);

    watch.ProcessEnded(waits.SlotOf(Process(5)));
    watch.ProcessStarted(Process(101), 0, L"program");
    EXPECT_LT(waits.SlotOf(Process(101)), CProcessWatch::kCapacity);
    EXPECT_EQ(watch.Watching(), CProcessWatch::kCapacity);
}

TEST_F(ProcessWatchTest, StoppingEndsEveryWaitAndClosesEveryHandleOnce)
{
    {
        CProcessWatch watch(waits);
        watch.ProcessStarted(Process(1), 0, L"one");
        watch.ProcessStarted(Process(2), 0, L"two");
        watch.StopAll();
        EXPECT_EQ(waits.ended.size(), 2u);
        EXPECT_EQ(waits.closed.size(), 2u);
        EXPECT_EQ(watch.Watching(), 0u);
        watch.ProcessStarted(Process(3), 0, L"three");
    }  // and when it goes
    EXPECT_EQ(waits.ended.size(), 3u);
    EXPECT_EQ(waits.closed, (std::vector<HANDLE>{Process(1), Process(2), Process(3)}));
    EXPECT_EQ(theActivity.Count(), 0u);
}

TEST_F(ProcessWatchTest, AProcessTheSystemWillNotWaitForIsClosedAtOnce)
{
    CProcessWatch watch(waits);
    waits.refuse = true;
    watch.ProcessStarted(Process(1), 0, L"program");
    EXPECT_EQ(waits.closed, std::vector<HANDLE>{Process(1)});
    EXPECT_TRUE(waits.ended.empty());
    EXPECT_EQ(watch.Watching(), 0u);
}

// The process handle is asked of the shell only when someone will close it.
TEST_F(ProcessWatchTest, ALaunchAsksForItsProcessOnlyWithAWatch)
{
    theCustomActions[0] = CCustomAction{L"Exit three", L"", L"cmd /c exit 3", L""};
    CEdgeEngine dispatcher;
    dispatcher.RunOnce(kBuiltInActionCount);
    CProcessWatch watch(waits);
    dispatcher.SetProcessWatch(&watch);
    dispatcher.RunOnce(kBuiltInActionCount);
    ASSERT_EQ(desktop.launches.size(), 2u);
    EXPECT_EQ(desktop.launches[0].mask & SEE_MASK_NOCLOSEPROCESS, 0u);
    EXPECT_EQ(desktop.launches[1].mask & SEE_MASK_NOCLOSEPROCESS, static_cast<ULONG>(SEE_MASK_NOCLOSEPROCESS));
    for (const fake::Launch& launch : desktop.launches)
        EXPECT_EQ(launch.mask & SEE_MASK_FLAG_NO_UI, static_cast<ULONG>(SEE_MASK_FLAG_NO_UI));
}

}  // namespace
}  // namespace vorn
