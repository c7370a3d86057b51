#include "app/single_instance.h"

#include "platform/port.h"

namespace vorn {

namespace {

// Asks the running window to show itself, or hands it the request; false
// when it did not answer in time.
bool AskRunning(IWindows& windows, HWND running, StartRequest request, const StartTiming& timing, DWORD_PTR& answer)
{
    if (request == StartRequest::None)
        return windows.SendMessageTimeoutW(running, kShowRunningMessage, 0, 0, SMTO_ABORTIFHUNG, timing.answerMs,
                                           &answer) != 0;
    COPYDATASTRUCT data = RequestCopyData(request);
    return windows.SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                       timing.answerMs, &answer) != 0;
}

}  // namespace

StartOutcome DecideStart(IInstanceLock& lock, const StartTiming& timing, StartRequest request)
{
    if (lock.Take(0) == LockState::Taken) return StartOutcome::Run;
    IWindows& windows = os::Windows();
    for (DWORD waited = 0; waited < timing.limitMs; waited += timing.stepMs) {
        if (const HWND running = windows.FindWindowW(kMainWindowClass, nullptr)) {
            DWORD_PTR answer = 0;
            if (!AskRunning(windows, running, request, timing, answer)) {
                // Hung: a call that waits for it would hang this start too.
                // Only a plain start shows it: a script's request is no
                // reason to put a window on the screen.
                if (request == StartRequest::None) windows.ShowWindowAsync(running, SW_SHOW);
                return StartOutcome::RunningUnanswered;
            }
            if (request != StartRequest::None && answer == TRUE) {
                if (request == StartRequest::Settings) windows.SetForegroundWindow(running);
                return StartOutcome::HandedOver;
            }
            if (request == StartRequest::None && answer == kShownAnswer) {
                // This start was launched by the user and may bring it forward.
                windows.SetForegroundWindow(running);
                return StartOutcome::ShownRunning;
            }
            // It is ending: its lock comes free when it has gone.
        }
        const LockState state = lock.Take(timing.stepMs);
        if (state == LockState::Taken) return StartOutcome::Run;
        // Nothing to wait on: the pause between two looks is this start's own.
        if (state == LockState::Unopenable) os::Clock().Sleep(timing.stepMs);
    }
    return StartOutcome::RunningUnanswered;
}

StartPlan PlanStart(std::wstring_view commandLine, IInstanceLock& lock, const StartTiming& timing)
{
    const ParsedCommandLine parsed = ParseCommandLine(commandLine);
    StartPlan plan;
    if (!parsed.ok) {
        plan.exitCode = 2;
        plan.message = CommandLineUsage(parsed.problem);
        return plan;
    }
    const StartOutcome outcome = DecideStart(lock, timing, parsed.request);
    switch (outcome) {
    case StartOutcome::Run:
        // No Vorn to end: nothing starts, and no settings file is made.
        if (parsed.request == StartRequest::Exit) {
            plan.exitCode = 1;
            return plan;
        }
        plan.run = true;
        plan.startDisabled = parsed.request == StartRequest::Disable || parsed.request == StartRequest::Toggle;
        plan.showWindow = parsed.request == StartRequest::Settings;
        return plan;
    case StartOutcome::ShownRunning:
    case StartOutcome::HandedOver:
        plan.exitCode = 0;
        return plan;
    case StartOutcome::RunningUnanswered:
        // A plain start has done what it could; a script learns that its
        // request went nowhere.
        plan.exitCode = parsed.request == StartRequest::None ? 0 : 1;
        return plan;
    }
    return plan;
}

}  // namespace vorn
