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
// (never when negative); one made by a Vorn with other rights cannot even be
// opened meanwhile.
class ScriptedLock : public IInstanceLock {
public:
    ScriptedLock(int freeAfter, bool unopenable) : freeAfter_(freeAfter), unopenable_(unopenable) {}
    LockState Take(DWORD) override
    {
        ++takes;
        if (freeAfter_ >= 0 && freeAfter_-- == 0) return LockState::Taken;
        return unopenable_ ? LockState::Unopenable : LockState::Held;
    }
    int takes = 0;

private:
    int freeAfter_;
    bool unopenable_;
};

struct Other {
    const wchar_t* className;
    bool ours;        // the running Vorn's main window
    bool hung = false;
    bool ending = false;  // being destroyed: answers 0
    // Run as administrator: the system drops this start's messages to it,
    // unless it lets the show message through.
    bool higherRights = false;
    bool letsShowThrough = false;
};

struct StartCase {
    const char* name;
    int lockFreeAfter;
    bool unopenable;
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
        added.higherRights = other.higherRights;
        if (other.letsShowThrough) added.allowedFromLowerRights.push_back(kShowRunningMessage);
        if (other.ours) ours = window;
    }
    const HWND foregroundBefore = desktop.GetForegroundWindow();
    ScriptedLock lock(c.lockFreeAfter, c.unopenable);

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
    // A lock that cannot be waited for: the start waits between its looks
    // itself, once after every failed take, rather than asking in a spin.
    const int failedLaterTakes = lock.takes - 1 - (outcome == StartOutcome::Run ? 1 : 0);
    EXPECT_EQ(desktop.sleeps.size(), c.unopenable ? static_cast<std::size_t>(failedLaterTakes) : 0u) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Starts, StartTest,
    ::testing::Values(
        StartCase{"lock free, a folder and a document titled Vorn open", 0, false,
                  {{L"CabinetWClass", false}, {L"#32770", false}, {L"Notepad", false}}, StartOutcome::Run},
        StartCase{"lock held, its window answers among others titled Vorn", -1, false,
                  {{L"CabinetWClass", false}, {kMainWindowClass, true}, {L"#32770", false}},
                  StartOutcome::ShownRunning},
        StartCase{"lock held, only other programs' windows titled Vorn, freed later", 3, false,
                  {{L"CabinetWClass", false}, {L"#32770", false}}, StartOutcome::Run},
        StartCase{"lock held, no window yet, freed at the last look", 10, false, {}, StartOutcome::Run},
        StartCase{"lock held for good, no window ever", -1, false, {{L"CabinetWClass", false}},
                  StartOutcome::RunningUnanswered},
        StartCase{"lock held, its window hung", -1, false, {{kMainWindowClass, true, true}},
                  StartOutcome::RunningUnanswered},
        StartCase{"lock held by a Vorn that is ending, freed when it has gone", 2, false,
                  {{kMainWindowClass, true, false, true}}, StartOutcome::Run},
        // Run as administrator, the running Vorn made a lock this start cannot
        // open, or an older one whose window drops this start's message.
        StartCase{"lock cannot be opened, no window ever", -1, true, {}, StartOutcome::RunningUnanswered},
        StartCase{"lock cannot be opened, its holder ends later", 4, true, {}, StartOutcome::Run},
        StartCase{"lock cannot be opened, its window lets the message through", -1, true,
                  {{L"CabinetWClass", false}, {kMainWindowClass, true, false, false, true, true}},
                  StartOutcome::ShownRunning},
        StartCase{"lock held, its window run as administrator lets the message through", -1, false,
                  {{kMainWindowClass, true, false, false, true, true}}, StartOutcome::ShownRunning},
        StartCase{"lock cannot be opened, its window drops the message", -1, true,
                  {{kMainWindowClass, true, false, false, true, false}}, StartOutcome::RunningUnanswered}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return "Case" + std::to_string(info.index); });


// The command line's request, with no Vorn running, with one that answers,
// one that hangs and one that is ending: what this start does and the exit
// code a script sees.
enum class Running {
    None,
    Answers,
    Hung,
    Ending
};

struct PlanCase {
    const wchar_t* line;
    Running running;
    bool run;
    bool startDisabled;
    bool showWindow;
    int exitCode;  // when it does not run
    UINT sent;     // what the running window was asked (0: nothing)
};

class PlanStartTest : public fake::DesktopTest, public ::testing::WithParamInterface<PlanCase> {};

TEST_P(PlanStartTest, CarriesTheRequestToTheRunningVornOrStartsAccordingly)
{
    const PlanCase& c = GetParam();
    const std::string name =
        testing::PrintToString(std::wstring(c.line)) + " running " + std::to_string(static_cast<int>(c.running));
    HWND ours = nullptr;
    if (c.running != Running::None) {
        WindowDesc desc;
        desc.title = L"Vorn";
        desc.className = kMainWindowClass;
        desc.visible = false;
        ours = desktop.AddWindow(desc);
        FakeWindow& window = desktop.Window(ours);
        window.hung = c.running == Running::Hung;
        // The main window answers a hand-over TRUE and the show message with
        // its own answer; one being destroyed answers 0 to both.
        const bool request = ParseCommandLine(c.line).request != StartRequest::None;
        window.answer = c.running != Running::Answers ? 0 : request ? TRUE : kShownAnswer;
    }
    const HWND foregroundBefore = desktop.GetForegroundWindow();
    ScriptedLock lock(c.running == Running::None ? 0 : c.running == Running::Ending ? 2 : -1, false);

    const StartPlan plan = PlanStart(c.line, lock, StartTiming{500, 50, 100});

    EXPECT_EQ(plan.run, c.run) << name;
    EXPECT_EQ(plan.startDisabled, c.startDisabled) << name;
    EXPECT_EQ(plan.showWindow, c.showWindow) << name;
    if (!c.run) {
        EXPECT_EQ(plan.exitCode, c.exitCode) << name;
    }
    // Only a bad line has a message, and it touches nothing: no lock, no window.
    EXPECT_EQ(plan.message.empty(), c.exitCode != 2) << name;
    if (c.exitCode == 2) {
        EXPECT_EQ(lock.takes, 0) << name;
        EXPECT_EQ(desktop.findWindowCalls, 0) << name;
    }
    if (c.sent == 0) {
        EXPECT_TRUE(desktop.sentWithTimeout.empty()) << name;
    } else {
        ASSERT_FALSE(desktop.sentWithTimeout.empty()) << name;
        for (const TimedMessage& asked : desktop.sentWithTimeout) {
            EXPECT_EQ(asked.window, ours) << name;
            EXPECT_EQ(asked.message, c.sent) << name;
            EXPECT_EQ(asked.flags & SMTO_ABORTIFHUNG, static_cast<UINT>(SMTO_ABORTIFHUNG)) << name;
            if (c.sent == WM_COPYDATA) {
                EXPECT_NE(asked.lParam, 0) << name;
            }
        }
    }
    EXPECT_TRUE(desktop.posted.empty() && desktop.sent.empty()) << name;
    // A script's request shows no window it did not ask for, not even a hung one.
    const bool showsRunning =
        c.sent == kShowRunningMessage || std::wstring_view(c.line).find(L"settings") != std::wstring_view::npos;
    if (!showsRunning) {
        EXPECT_TRUE(desktop.shownAsync.empty()) << name;
    }
    const bool broughtForward = c.running == Running::Answers && showsRunning;
    EXPECT_EQ(desktop.GetForegroundWindow(), broughtForward ? ours : foregroundBefore) << name;
}

constexpr UINT kShow = kShowRunningMessage;
constexpr UINT kHand = WM_COPYDATA;

INSTANTIATE_TEST_SUITE_P(
    Requests, PlanStartTest,
    ::testing::Values(
        // Without a switch, as ever.
        PlanCase{L"Vorn.exe", Running::None, true, false, false, 0, 0},
        PlanCase{L"Vorn.exe", Running::Answers, false, false, false, 0, kShow},
        PlanCase{L"Vorn.exe", Running::Hung, false, false, false, 0, kShow},
        PlanCase{L"Vorn.exe /folder C:\\Tools", Running::None, true, false, false, 0, 0},
        // Each request with no Vorn running, and handed to one that runs.
        PlanCase{L"Vorn.exe /disable", Running::None, true, true, false, 0, 0},
        PlanCase{L"Vorn.exe /disable", Running::Answers, false, false, false, 0, kHand},
        PlanCase{L"Vorn.exe /TOGGLE", Running::None, true, true, false, 0, 0},
        PlanCase{L"Vorn.exe /TOGGLE", Running::Answers, false, false, false, 0, kHand},
        PlanCase{L"Vorn.exe /Enable", Running::None, true, false, false, 0, 0},
        PlanCase{L"Vorn.exe /Enable", Running::Answers, false, false, false, 0, kHand},
        PlanCase{L"Vorn.exe /settings", Running::None, true, false, true, 0, 0},
        PlanCase{L"Vorn.exe /settings", Running::Answers, false, false, false, 0, kHand},
        PlanCase{L"Vorn.exe /exit", Running::None, false, false, false, 1, 0},
        PlanCase{L"Vorn.exe /exit", Running::Answers, false, false, false, 0, kHand},
        // A hung Vorn does not hang the script: it learns the request went nowhere.
        PlanCase{L"Vorn.exe /disable", Running::Hung, false, false, false, 1, kHand},
        PlanCase{L"Vorn.exe /exit", Running::Hung, false, false, false, 1, kHand},
        // One that is ending hands over to this start once it has gone.
        PlanCase{L"Vorn.exe /exit", Running::Ending, false, false, false, 1, kHand},
        PlanCase{L"Vorn.exe /disable", Running::Ending, true, true, false, 0, kHand},
        // With the folder, before or after.
        PlanCase{L"Vorn.exe /disable /folder \"C:\\My Folder\"", Running::None, true, true, false, 0, 0},
        PlanCase{L"Vorn.exe /folder C:\\x /exit", Running::Answers, false, false, false, 0, kHand},
        PlanCase{L"Vorn.exe /folder C:\\x /exit", Running::None, false, false, false, 1, 0},
        // Bad lines, with and without a Vorn running.
        PlanCase{L"Vorn.exe /pause", Running::None, false, false, false, 2, 0},
        PlanCase{L"Vorn.exe /pause", Running::Answers, false, false, false, 2, 0},
        PlanCase{L"Vorn.exe /disable /enable", Running::Answers, false, false, false, 2, 0},
        PlanCase{L"Vorn.exe /exit /folder", Running::Answers, false, false, false, 2, 0},
        PlanCase{L"Vorn.exe /disable now", Running::None, false, false, false, 2, 0}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace vorn
