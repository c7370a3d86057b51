// A later start's request handed to the real main window from another
// thread, as from another process: the window carries it out and answers,
// and the start ends with the code a script sees.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/single_instance.h"
#include "tests/win/main_window_fixture.h"

namespace vorn::ui {
namespace {

struct HandOverCase {
    const wchar_t* line;
    bool enabledBefore;
    bool enabledAfter;
    bool shownAfter;
    bool windowLeft;  // false: the running Vorn ended
};

class StartRequestTest : public MainWindowTest, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(StartRequestTest, TheRunningWindowCarriesOutTheRequestAndTheStartEndsWithZero)
{
    const HandOverCase& c = GetParam();
    theData.firstRun = false;
    CMainDlg& main = Open();
    const HWND window = main.Handle();
    ASSERT_FALSE(IsWindowVisible(window));
    main.SetEdgesEnabled(c.enabledBefore);

    struct HeldLock : IInstanceLock {
        LockState Take(DWORD) override { return LockState::Held; }
    };
    std::atomic<bool> done{false};
    StartPlan plan;
    std::thread start([&] {
        HeldLock held;
        plan = PlanStart(c.line, held, StartTiming{5000, 50, 5000});
        done = true;
    });
    // This thread is the running Vorn's: it answers while it pumps.
    const bool answered = test::PumpUntil([&] { return done.load(); }, 20000, kCheckEveryMs);
    start.join();
    ASSERT_TRUE(answered);
    // What the request left in the queue (the exit) runs.
    PumpFor(50, kCheckEveryMs);

    const std::string name = testing::PrintToString(std::wstring(c.line));
    EXPECT_FALSE(plan.run) << name;
    EXPECT_EQ(plan.exitCode, 0) << name;
    EXPECT_EQ(IsWindow(window) != FALSE, c.windowLeft) << name;
    if (!c.windowLeft) return;
    EXPECT_EQ(theData.enabled, c.enabledAfter) << name;
    EXPECT_EQ(TrayItemText(main), c.enabledAfter ? L"&Disable" : L"&Enable") << name;
    EXPECT_EQ(IsWindowVisible(window) != FALSE, c.shownAfter) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Requests, StartRequestTest,
    ::testing::Values(HandOverCase{L"Vorn.exe /disable", true, false, false, true},
                      HandOverCase{L"Vorn.exe /DISABLE", false, false, false, true},
                      HandOverCase{L"Vorn.exe /enable", false, true, false, true},
                      HandOverCase{L"Vorn.exe /toggle", true, false, false, true},
                      HandOverCase{L"Vorn.exe /Toggle", false, true, false, true},
                      HandOverCase{L"Vorn.exe /settings", true, true, true, true},
                      HandOverCase{L"Vorn.exe /folder C:\\elsewhere /exit", true, true, false, false}),
    [](const ::testing::TestParamInfo<HandOverCase>& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace vorn::ui
