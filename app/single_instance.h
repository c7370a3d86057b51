// One Vorn per session: what a start does when another Vorn runs, is still
// starting or is ending. Portable; the lock itself is the platform's.
#pragma once

#include <string>
#include <string_view>

#include "app/command_line.h"
#include "platform/instance_lock.h"
#include "platform/win.h"

namespace vorn {

// The running Vorn's main window is found by this class of its own, never by
// its title: a folder, a document or a browser tab may be titled "Vorn".
inline constexpr wchar_t kMainWindowClass[] = L"VornMainWindow";
// Sent by a later start to the running Vorn's main window, which shows itself
// and answers kShownAnswer. A window that is being destroyed answers 0.
inline constexpr UINT kShowRunningMessage = WM_APP + 50;
inline constexpr LRESULT kShownAnswer = 0x566F726E;

enum class StartOutcome {
    Run,               // this start is the one Vorn of the session
    ShownRunning,      // the running Vorn showed its window
    HandedOver,        // the running Vorn carried out this start's request
    RunningUnanswered  // the running Vorn holds the lock but does not answer
};

struct StartTiming {
    DWORD limitMs = 10000;  // how long a later start waits for the running one
    DWORD stepMs = 50;      // how often it looks for its window meanwhile
    UINT answerMs = 2000;   // how long the running window may take to answer
};

// A start that gets the lock runs and looks for nothing. Otherwise it asks the
// running Vorn's window to show itself; while there is none (the running one
// still loads, or is ending) it waits for the lock, so a Vorn that ends hands
// over to exactly one waiting start. A lock that cannot be opened is held all
// the same: the start keeps looking for the window at the same pace and
// never runs beside the Vorn that holds it.
// With a request, the running window is handed it (WM_COPYDATA, answered
// TRUE once carried out) instead of being asked to show itself.
StartOutcome DecideStart(IInstanceLock& lock, const StartTiming& timing = {},
                         StartRequest request = StartRequest::None);

// What a start with this command line does. Exit codes: 0 when the running
// Vorn showed itself or carried out the request (or this Vorn ran and ended),
// 1 for /exit with no Vorn running and for a request the running Vorn did not
// answer in time, 2 for a bad command line.
struct StartPlan {
    bool run = false;            // this start becomes the running Vorn
    bool startDisabled = false;  // ... with the corners and sides off
    bool showWindow = false;     // ... with its window shown
    int exitCode = 0;            // when it does not run
    std::wstring message;        // for a bad line: shown, nothing else done
};

// A bad line takes no lock and asks no window: it changes nothing anywhere.
StartPlan PlanStart(std::wstring_view commandLine, IInstanceLock& lock, const StartTiming& timing = {});

}  // namespace vorn
