#include "app/single_instance.h"

#include "platform/port.h"

namespace vorn {

StartOutcome DecideStart(IInstanceLock& lock, const StartTiming& timing)
{
    if (lock.Take(0) == LockState::Taken) return StartOutcome::Run;
    IWindows& windows = os::Windows();
    for (DWORD waited = 0; waited < timing.limitMs; waited += timing.stepMs) {
        if (const HWND running = windows.FindWindowW(kMainWindowClass, nullptr)) {
            DWORD_PTR answer = 0;
            if (!windows.SendMessageTimeoutW(running, kShowRunningMessage, 0, 0, SMTO_ABORTIFHUNG, timing.answerMs,
                                             &answer)) {
                // Hung: a call that waits for it would hang this start too.
                windows.ShowWindowAsync(running, SW_SHOW);
                return StartOutcome::RunningUnanswered;
            }
            if (answer == kShownAnswer) {
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

}  // namespace vorn
