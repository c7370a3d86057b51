// One Vorn per session: a start either runs, or shows the running Vorn's own
// window and ends; it never touches another program's window titled "Vorn",
// never waits on a hung one, and never ends while no Vorn holds the lock.
#include <gtest/gtest.h>

#include <vector>

#include "app/single_instance.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

using fake::FakeWindow;
using fake::Message;
using fake::TimedMessage;
using fake::WindowDesc;

// A lock held by a running Vorn until `freeAfter` more takes have failed
// (never when negative).
class ScriptedLock : public IInstanceLock {
public:
    explicit ScriptedLock(int freeAfter) : freeAfter_(freeAfter) {}
    bool Take(DWORD) override
    {
        ++takes;
        if (freeAfter_ < 0) return false;
        return freeAfter_-- == 0;
    }
    int takes = 0;

private:
    int freeAfter_;
};

struct Other {
    const wchar_t* className;
    bool ours;        // the running Vorn's main window
    bool hung = false;
    bool ending = false;  // being destroyed: answers 0
};

struct StartCase {
    const char* name;
    int lockFreeAfter;
    std::vector<Other> windows;
    StartOutcome expected;
};

class StartTest : public fake::DesktopTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, OnlyTheRunningVornsWindowIsAskedAndNoStartIsLeftWithoutVorn)
{
    const StartCase& c = GetParam();
    HWND ours = nullptr;
    for (const Other& other : c.windows) {
        WindowDesc desc;
        desc.title = L"Vorn";
        desc.className = other.className;
        desc.visible = !other.ours;
        const HWND window = desktop.AddWindow(desc);
        FakeWindow& added = desktop.Window(window);
        added.hung = other.hung;
        added.answer = other.ours && !other.ending ? kShownAnswer : 0;
        if (other.ours) ours = window;
    }
    const HWND foregroundBefore = desktop.GetForegroundWindow();
    ScriptedLock lock(c.lockFreeAfter);

    const StartOutcome outcome = DecideStart(lock, StartTiming{500, 50, 100});

    EXPECT_EQ(outcome, c.expected) << c.name;
    // The lock decides first: a start that gets it looks for nothing.
    if (c.lockFreeAfter == 0) {
        EXPECT_EQ(desktop.findWindowCalls, 0) << c.name;
    }
    for (const TimedMessage& asked : desktop.sentWithTimeout) {
        EXPECT_EQ(asked.window, ours) << c.name;
        EXPECT_EQ(asked.message, kShowRunningMessage) << c.name;
    }
    for (const Message& shown : desktop.shownAsync) {
        EXPECT_EQ(shown.window, ours) << c.name;
    }
    EXPECT_TRUE(desktop.posted.empty() && desktop.sent.empty()) << c.name;
    EXPECT_EQ(desktop.blockedOnHung, 0) << c.name;
    const bool shown = outcome == StartOutcome::ShownRunning;
    EXPECT_EQ(desktop.GetForegroundWindow(), shown ? ours : foregroundBefore) << c.name;
    // A start that ends leaves the lock with its holder; one that waited the
    // whole time without an answer gave up only while the lock stayed held.
    if (outcome == StartOutcome::RunningUnanswered && desktop.shownAsync.empty()) {
        EXPECT_EQ(lock.takes, 11) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Starts, StartTest,
    ::testing::Values(
        StartCase{"lock free, a folder and a document titled Vorn open", 0,
                  {{L"CabinetWClass", false}, {L"#32770", false}, {L"Notepad", false}}, StartOutcome::Run},
        StartCase{"lock held, its window answers among others titled Vorn", -1,
                  {{L"CabinetWClass", false}, {kMainWindowClass, true}, {L"#32770", false}},
                  StartOutcome::ShownRunning},
        StartCase{"lock held, only other programs' windows titled Vorn, freed later", 3,
                  {{L"CabinetWClass", false}, {L"#32770", false}}, StartOutcome::Run},
        StartCase{"lock held, no window yet, freed at the last look", 10, {}, StartOutcome::Run},
        StartCase{"lock held for good, no window ever", -1, {{L"CabinetWClass", false}},
                  StartOutcome::RunningUnanswered},
        StartCase{"lock held, its window hung", -1, {{kMainWindowClass, true, true}},
                  StartOutcome::RunningUnanswered},
        StartCase{"lock held by a Vorn that is ending, freed when it has gone", 2,
                  {{kMainWindowClass, true, false, true}}, StartOutcome::Run}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace vorn
