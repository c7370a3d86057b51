#include "app/edge_engine.h"

#include <utility>

#include "platform/port.h"

namespace vorn {
namespace {
// The engine the foreground hook reports to: a win event carries no context,
// and one engine runs at a time.
CEdgeEngine* foregroundListener = nullptr;
}  // namespace

CEdgeEngine::CEdgeEngine(const Catalogue& catalogue) : CActionDispatcher(catalogue)
{
    wallpaperChangedAt = os::Clock().Time64();
}

CEdgeEngine::~CEdgeEngine()
{
    if (foregroundListener == this) foregroundListener = nullptr;
}

void CEdgeEngine::Start(HWND mainWindow, std::function<void()> openSettingsWindow)
{
    SetMainWindow(mainWindow);
    openSettingsWindow_ = std::move(openSettingsWindow);
    // A lock, a disconnect or a switch of user is told to the window.
    (void)os::Power().WTSRegisterSessionNotification(mainWindow, NOTIFY_FOR_THIS_SESSION);
    monitors_.Rebuild(ConnectedMonitors(), theData);
    // Vorn's own windows are told too: while one is in front no quiet
    // program is, and the state must not stay with the one before.
    foregroundListener = this;
    if (!foregroundHook_)
        foregroundHook_ = os::Windows().SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                                        &CEdgeEngine::OnForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    ForegroundChanged(os::Windows().GetForegroundWindow());
    source_.Start(mainWindow);
}

void CEdgeEngine::Stop()
{
    ReleaseZoneInput();
    ReleaseHeldKeys();
    source_.Stop();
    if (foregroundHook_) (void)os::Windows().UnhookWinEvent(std::exchange(foregroundHook_, nullptr));
    if (foregroundListener == this) foregroundListener = nullptr;
    wallpaper_.Detach();
    if (MainWindow()) (void)os::Power().WTSUnRegisterSessionNotification(MainWindow());
}

void CEdgeEngine::SessionSuspended()
{
    ReleaseZoneInput();
    ReleaseHeldKeys();
    if (repeatHandler) StopRepeat();
    machine_.ForgetDwell();
    source_.ForgetLookAgain();
    source_.Suspend();
}

void CEdgeEngine::SessionResumed()
{
    source_.Resume();
    // Also after a second notice of the same return (resumed, then resumed
    // by the user; connected, then unlocked): the pointer may rest anywhere.
    machine_.Resumed();
}

void CEdgeEngine::SessionChanged(WPARAM change)
{
    switch (change) {
    case WTS_SESSION_LOCK:
    case WTS_CONSOLE_DISCONNECT:  // also another user switched to
    case WTS_REMOTE_DISCONNECT:
        SessionSuspended();
        break;
    case WTS_SESSION_LOGOFF:
        // The program ends with the session; nothing comes back to resume.
        ReleaseHeldKeys();
        break;
    case WTS_SESSION_UNLOCK:
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT:
        SessionResumed();
        break;
    default:
        break;
    }
}

void CEdgeEngine::PowerChanged(WPARAM event)
{
    if (event == PBT_APMSUSPEND) SessionSuspended();
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) SessionResumed();
}

void CEdgeEngine::SettingsChanged()
{
    // The action holding them may have changed, moved or gone.
    ReleaseHeldKeys();
    // A monitor may have been given assignments of its own, or the file read anew.
    monitors_.Resolve(theData);
    // The quiet list may have changed under the program in front.
    JudgeProgramInFront();
    // The zone's wheel and click actions may have changed under a pointer at rest.
    if (ZoneInputAimed()) {
        aim_.takes = ZoneInputTakes(theData, aim_.slot, aim_.zone);
        if (aim_.takes == 0 || !theData.enabled || ZoneInputPaused())
            ReleaseZoneInput();
        else
            zoneHook_->Aim(aim_);
    }
    if (!MainWindow()) return;
    source_.SettingsChanged();
    if (Instant()) {
        wallpaper_.SettingsChanged();
        machine_.MeasureScreen(CurrentZoneGeometry());  // the zone sizes, or the screen, changed
    }
}

void CEdgeEngine::DisplayChanged()
{
    monitors_.Rebuild(ConnectedMonitors(), theData);
    SettingsChanged();
}

void CEdgeEngine::OnTimer(UINT_PTR timerId)
{
    // A modal loop inside an action (a message box, a dialog, a slow launch)
    // keeps delivering the main window's timers. A poll then would run before
    // the zone of the running dispatch is recorded and dispatch it again.
    if (Dispatching()) return;
    if (timerId == kRepeatTimerId)
        RepeatTick();
    else
        (void)source_.OnTimer(timerId);
    wallpaper_.Tick(timerId);
}

void CEdgeEngine::OnPointerInput()
{
    if (!Dispatching()) source_.OnPointerInput();
}

void CEdgeEngine::SetEnabled(bool enabled)
{
    theData.enabled = enabled;
    if (!enabled) {
        ReleaseZoneInput();
        ReleaseHeldKeys();
    }
}

void CALLBACK CEdgeEngine::OnForegroundEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD)
{
    if (event == EVENT_SYSTEM_FOREGROUND && foregroundListener) foregroundListener->ForegroundChanged(window);
}

void CEdgeEngine::ForegroundChanged(HWND window)
{
    windowInFront_ = window;
    DWORD processId = 0;
    (void)os::Windows().GetWindowThreadProcessId(window, &processId);
    ownInFront_ = window && processId != 0 && processId == os::Windows().GetCurrentProcessId();
    if (!ownInFront_) {
        // One that cannot be read counts as not listed.
        std::wstring path;
        programInFront_ = window && os::Windows().ProgramOfWindow(window, path) ? std::wstring(ProgramFileName(path))
                                                                                : std::wstring();
    }
    JudgeProgramInFront();
}

// Asked only when a zone would be entered or its hook aimed. Where the
// foreground event does not come (Wine 8 sends none), a window it did not
// tell of is judged here; otherwise this is one call.
bool CEdgeEngine::QuietProgramInFront()
{
    if (const HWND window = os::Windows().GetForegroundWindow(); window != windowInFront_) ForegroundChanged(window);
    return quietInFront_;
}

void CEdgeEngine::JudgeProgramInFront()
{
    quietInFront_ = !ownInFront_ && !programInFront_.empty() && theData.IsQuietProgram(programInFront_);
    // Nothing of the zone's is taken while it is in front.
    if (quietInFront_) ReleaseZoneInput();
}

void CEdgeEngine::OnZoneInput(ActionSet set, EdgeZone zone, int slot, int runs)
{
    if (set < kModifierCount || set >= kActionSetCount || zone < 0 || zone >= kZoneCount) return;
    const ActionIndex action = theData.AssignmentOn(slot, set, zone);
    if (theData.enabled && runs > 0) {
        SetActivityMonitor(MonitorNumberAt(lastAt_));
        NoteActivity(ActivityKind::RanOnce, zone, action, set);
    }
    for (int run = 0; run < runs; ++run)
        RunOnce(action);
}

void CEdgeEngine::AimZoneInput(const EdgeEvent& event)
{
    if (!zoneHook_) return;
    ZoneInputTarget target;
    const EdgeZone zone = machine_.PointerZone();
    if (theData.enabled && zone != NoZone) {
        target.zone = zone;
        target.slot = machine_.PointerSlot();
        target.takes = ZoneInputTakes(theData, target.slot, zone);
        target.geometry = event.geometry;
        if (event.monitors) {
            target.onMonitors = true;
            target.monitors = *event.monitors;
            target.monitor = machine_.PointerMonitor();
            target.sideLength = theData.sideLength;
        } else if (monitors_.Count() > 1) {
            // A side runs across monitors, each with assignments of its own.
            if (const int index = monitors_.IndexAt(event.at); index >= 0) target.within = monitors_.RectAt(index);
        }
    }
    if (target.takes == 0) {
        ReleaseZoneInput();
        return;
    }
    if (ZoneInputAimed() && target.SameAs(aim_)) return;
    if (ZoneInputPaused()) {
        ReleaseZoneInput();
        return;
    }
    aim_ = target;
    zoneHook_->Aim(aim_);
}

bool CEdgeEngine::ZoneInputPaused()
{
    return QuietProgramInFront() || (theData.pauseInFullScreen && senses_.FullScreenInFront());
}

void CEdgeEngine::ReleaseZoneInput()
{
    if (!ZoneInputAimed()) return;
    aim_ = {};
    zoneHook_->Release();
}

int CEdgeEngine::MonitorNumberAt(POINT at) const { return monitors_.Count() > 1 ? monitors_.IndexAt(at) + 1 : 0; }

void CEdgeEngine::NoteDecision(const EdgeDecision& decision, POINT at)
{
    static constexpr ActivityKind kinds[] = {
        ActivityKind::NotWhileDisabled,  // NoReason does not come
        ActivityKind::NotWhileDisabled,  ActivityKind::NotInFullScreen, ActivityKind::NotWithQuietProgram,
        ActivityKind::NotWithButtonHeld, ActivityKind::WaitCutShort,
    };
    ActivityEvent event;
    event.kind = kinds[decision.reason];
    event.zone = static_cast<std::int8_t>(decision.zone);
    // A wait cut short was in the zone where it began, not where the pointer went.
    event.monitor =
        static_cast<std::int8_t>(MonitorNumberAt(decision.reason == EdgeDecision::WaitCutShort ? dwellAt_ : at));
    event.stayed = decision.ms;
    event.wait = decision.wait;
    if (decision.reason == EdgeDecision::QuietProgram) event.SetText(programInFront_);
    theActivity.Record(event);
}

void CEdgeEngine::ShowWait(const EdgeDecision& decision, POINT at)
{
    const DWORD wait = static_cast<DWORD>(EdgeSettingsOf(theData).WaitOf(decision.zone));
    if (!waitDisplay_ || !theData.showWait || wait < kShownWaitMs) {
        EndWait();
        return;
    }
    waitShown_ = true;
    waitDisplay_->WaitBegins(at, wait, decision.ms);
}

void CEdgeEngine::EndWait()
{
    if (std::exchange(waitShown_, false)) waitDisplay_->WaitEnds();
}

bool CEdgeEngine::Unremarkable(POINT at) const
{
    return !machine_.Waiting() && !ZoneInputAimed() && !theData.cornersOnEveryMonitor && machine_.FarFromEdges(at);
}

// A look at the pointer: the screen and the settings now to the machine, its
// decisions to the source's timers and to the dispatcher.
void CEdgeEngine::PointerAt(POINT at, bool tick)
{
    MonitorList monitors;
    if (theData.cornersOnEveryMonitor) monitors = DisplayMonitors();
    // Slots are only appended during a run: a monitor remembered since the
    // settings last told is resolved before its first zone.
    if (monitors_.Stale(theData)) monitors_.Resolve(theData);
    const EdgeEvent event{
        at,        os::Clock().GetTickCount(), tick, CurrentZoneGeometry(), monitors.count > 0 ? &monitors : nullptr,
        &monitors_};
    const EdgeDecisions decisions = machine_.Step(event, EdgeSettingsOf(theData), *this);
    lastAt_ = at;
    for (const EdgeDecision& decision : decisions) {
        switch (decision.kind) {
        case EdgeDecision::LookAgain:
            source_.LookAgainIn(decision.ms, decision.restart);
            if (decision.restart) {
                dwellAt_ = at;
                ShowWait(decision, at);
            }
            break;
        case EdgeDecision::ForgetLookAgain:
            source_.ForgetLookAgain();
            EndWait();
            break;
        case EdgeDecision::NotEntered:
            NoteDecision(decision, at);
            EndWait();
            break;
        case EdgeDecision::RunEnding:
            SetActivityMonitor(enteredMonitor_);
            RunZoneEnding(decision.zone, decision.slot);
            break;
        case EdgeDecision::EndingPending:
            KeepEndingPending();
            break;
        case EdgeDecision::RunBeginning:
            EndWait();
            enteredMonitor_ = MonitorNumberAt(at);
            SetActivityMonitor(enteredMonitor_);
            RunZoneBeginning(decision.zone, decision.slot);
            break;
        }
    }
    AimZoneInput(event);
}

}  // namespace vorn
