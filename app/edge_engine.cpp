#include "app/edge_engine.h"

#include <algorithm>
#include <utility>

#include "actions/custom_actions.h"
#include "actions/util.h"
#include "app/command_line.h"
#include "platform/port.h"

namespace vorn {

CEdgeEngine::CEdgeEngine(const Catalogue& catalogue) : catalogue_(catalogue)
{
    wallpaperChangedAt = os::Clock().Time64();
}

CEdgeEngine::~CEdgeEngine() { ReleaseHeldKeys(); }

void CEdgeEngine::Start(HWND mainWindow, std::function<void()> openSettingsWindow)
{
    mainWindow_ = mainWindow;
    openSettingsWindow_ = std::move(openSettingsWindow);
    // A lock, a disconnect or a switch of user is told to the window.
    (void)os::Power().WTSRegisterSessionNotification(mainWindow_, NOTIFY_FOR_THIS_SESSION);
    if (theData.instantResponse)
        TryInstant();
    else
        StartPoll();
}

void CEdgeEngine::StartPoll()
{
    pollMs_ = static_cast<UINT>(theData.pollInterval);
    os::Timers().SetTimer(mainWindow_, kEdgeTimerId, pollMs_);
    polling_ = true;
}

void CEdgeEngine::StopPoll()
{
    os::Timers().KillTimer(mainWindow_, kEdgeTimerId);
    polling_ = false;
}

// Raw input rather than a low-level hook: the system queues it to the window
// and moves the pointer on regardless, so nothing Vorn does (an action, a
// message box) can slow the pointer, and no hook can be dropped by Windows.
// It tells only of a mouse, though: a pen, a touch screen or a program moving
// the pointer makes none. Where a pen or touch screen is, the poll runs beside
// it; elsewhere the poll runs only after movements raw input did not tell of
// (see Look), so that with a mouse alone nothing ticks while the pointer rests.
void CEdgeEngine::TryInstant()
{
    const RAWINPUTDEVICE mouse{1, 2, RIDEV_INPUTSINK, mainWindow_};  // generic desktop: mouse
    ITimers& timers = os::Timers();
    if (!os::Input().RegisterRawInputDevices(&mouse, 1, sizeof(mouse))) {
        // The poll, until a later try works.
        if (!polling_) StartPoll();
        retrying_ = true;
        timers.SetTimer(mainWindow_, kRetryTimerId, kRetryMs);
        return;
    }
    instant_ = true;
    retrying_ = false;
    timers.KillTimer(mainWindow_, kRetryTimerId);
    digitizer_ = HasDigitizer();
    if (digitizer_)
        StartPoll();
    else
        StopPoll();
    ArmWallpaperTimer();
    Poll();
}

bool CEdgeEngine::HasDigitizer() { return os::Windows().GetSystemMetrics(SM_DIGITIZER) != 0; }

void CEdgeEngine::ForgetRawInput()
{
    const RAWINPUTDEVICE mouse{1, 2, RIDEV_REMOVE, nullptr};
    (void)os::Input().RegisterRawInputDevices(&mouse, 1, sizeof(mouse));
}

void CEdgeEngine::LeaveInstant()
{
    ITimers& timers = os::Timers();
    if (instant_) {
        ForgetRawInput();
        for (const UINT_PTR id : {kDwellTimerId, kWallpaperTimerId, kDevicesTimerId})
            timers.KillTimer(mainWindow_, id);
        dwellTimerArmed_ = false;
        devicesTimerArmed_ = false;
        instant_ = false;
    }
    if (retrying_) timers.KillTimer(mainWindow_, kRetryTimerId);
    retrying_ = false;
    StartPoll();
}

void CEdgeEngine::Stop()
{
    ReleaseHeldKeys();
    if (instant_) ForgetRawInput();
    if (retrying_) os::Timers().KillTimer(mainWindow_, kRetryTimerId);
    if (devicesTimerArmed_) os::Timers().KillTimer(mainWindow_, kDevicesTimerId);
    if (mainWindow_) (void)os::Power().WTSUnRegisterSessionNotification(mainWindow_);
    instant_ = false;
    retrying_ = false;
    devicesTimerArmed_ = false;
}

void CEdgeEngine::SessionSuspended()
{
    ReleaseHeldKeys();
    if (repeatHandler) StopRepeat();
    ForgetDwell();
    suspended_ = true;
}

void CEdgeEngine::SessionResumed()
{
    suspended_ = false;
    // Also after a second notice of the same return (resumed, then resumed
    // by the user; connected, then unlocked): the pointer may rest anywhere.
    resumed_ = true;
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

// Windows sends a burst of these for one device: the first arms the timer,
// the ones that follow before it fires change nothing.
void CEdgeEngine::DevicesChanged()
{
    // Without instant response the poll runs whatever is plugged in.
    if (!instant_ || devicesTimerArmed_) return;
    os::Timers().SetTimer(mainWindow_, kDevicesTimerId, kDevicesSettleMs);
    devicesTimerArmed_ = true;
}

void CEdgeEngine::LookForDigitizer()
{
    // A pen or touch screen added starts the poll beside raw input; one taken
    // away leaves it at the next look that finds the pointer resting.
    digitizer_ = HasDigitizer();
    if (digitizer_ && !polling_) StartPoll();
}

bool CEdgeEngine::KeyReachesVorn(UINT message, WPARAM key)
{
    if (!keyHold_ || (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) || key > 0xFF) return false;
    // The held keys' own, typed by Vorn itself while one of its windows is in
    // front, and any modifier: none of them types anything.
    const auto code = static_cast<BYTE>(key);
    if (ModifierOfKey(code) || code == keyHold_->keys.key || code == kMaskKey) return false;
    ReleaseHeldKeys();
    return true;
}

void CEdgeEngine::SettingsChanged()
{
    // The action holding them may have changed, moved or gone.
    ReleaseHeldKeys();
    if (!mainWindow_) return;
    if (theData.instantResponse && !instant_ && !retrying_) TryInstant();
    if (!theData.instantResponse && (instant_ || retrying_)) LeaveInstant();
    if (instant_) {
        LookForDigitizer();
        ArmWallpaperTimer();
        MeasureScreen(CurrentZoneGeometry());  // the zone sizes, or the screen, changed
    }
    if (polling_ && pollMs_ != static_cast<UINT>(theData.pollInterval)) StartPoll();
}

void CEdgeEngine::OnTimer(UINT_PTR timerId)
{
    // A modal loop inside an action (a message box, a dialog, a slow launch)
    // keeps delivering the main window's timers. A poll then would run before
    // the zone of the running dispatch is recorded and dispatch it again.
    if (dispatching_) return;
    switch (timerId) {
    case kEdgeTimerId:
        if (pollMs_ != static_cast<UINT>(theData.pollInterval)) StartPoll();
        if (instant_)
            Look();
        else
            Poll();
        break;
    case kRepeatTimerId:
        RepeatTick();
        break;
    case kDwellTimerId:
        os::Timers().KillTimer(mainWindow_, kDwellTimerId);
        dwellTimerArmed_ = false;
        if (instant_) Look();
        break;
    case kRetryTimerId:
        if (retrying_) TryInstant();
        break;
    case kDevicesTimerId:
        os::Timers().KillTimer(mainWindow_, kDevicesTimerId);
        devicesTimerArmed_ = false;
        if (instant_) LookForDigitizer();
        break;
    default:
        break;
    }
    // With instant response the wallpaper has a timer of its own.
    if (!instant_) {
        WallpaperCheck();
    } else if (timerId == kWallpaperTimerId) {
        WallpaperCheck();
        ArmWallpaperTimer();
    }
}

void CEdgeEngine::OnPointerInput()
{
    if (!instant_ || dispatching_) return;
    POINT at{};
    if (!ReadPointer(at)) return;
    // One tick of the poll a poll interval on tells whether the pointer went
    // on moving without raw input (see Look): set once for a run of movements.
    if (!polling_) StartPoll();
    // Most movements are nowhere near an edge, with nothing waiting: those
    // need no look at the screen's size, its monitors or the modifiers.
    const bool waiting = currentZone != NoZone || dwellTimerArmed_ || heldZone_ != NoZone || resumed_;
    if (!waiting && !theData.cornersOnEveryMonitor && farFromEdges_.right > farFromEdges_.left &&
        at.x >= farFromEdges_.left && at.x < farFromEdges_.right && at.y >= farFromEdges_.top &&
        at.y < farFromEdges_.bottom) {
        lastPoint_ = at;
        return;
    }
    Evaluate(at, false);
}

// Every movement raw input tells of is looked at when it comes, so a look
// that finds the pointer elsewhere than the last one left it has found a
// movement without raw input (a pen, a touch screen, a program). The poll
// then follows the pointer until a look finds it resting; without a pen or
// touch screen it stops there, and raw input wakes the next look.
void CEdgeEngine::Look()
{
    POINT at{};
    if (!ReadPointer(at)) return;
    const bool moved = at.x != lastPoint_.x || at.y != lastPoint_.y;
    Evaluate(at, true);
    // While keys are held the poll goes on: a read that fails lets them go.
    if (moved && !polling_)
        StartPoll();
    else if (!moved && !digitizer_ && !keyHold_)
        StopPoll();
}

bool CEdgeEngine::ReadPointer(POINT& at)
{
    if (suspended_) return false;
    if (os::Input().GetCursorPos(&at)) return true;
    // The secure desktop has the input (lock screen, elevation prompt): a
    // modifier held now would stay down there and after it.
    ReleaseHeldKeys();
    return false;
}

// The part of the screen no zone reaches into, for the movements to come.
void CEdgeEngine::MeasureScreen(const ZoneGeometry& geometry)
{
    const int reach = std::max(geometry.cornerSize, geometry.sideWidth) + 1;
    farFromEdges_ = RECT{reach, reach, geometry.screenWidth - reach, geometry.screenHeight - reach};
}

void CEdgeEngine::ArmWallpaperTimer()
{
    if (theData.wallpaperDelay <= 0) {
        os::Timers().KillTimer(mainWindow_, kWallpaperTimerId);
        return;
    }
    // The check changes it once the time is strictly past the delay.
    const std::int64_t due = wallpaperChangedAt + theData.wallpaperDelay + 1;
    const std::int64_t seconds = std::max<std::int64_t>(due - os::Clock().Time64(), 0);
    os::Timers().SetTimer(mainWindow_, kWallpaperTimerId, static_cast<UINT>(std::max<std::int64_t>(seconds * 1000, 1)));
}

ActionIndex CEdgeEngine::AssignmentOf(EdgeZone zone)
{
    if (zone < 0 || zone >= kZoneCount) return kNoActionIndex;
    ReleaseHeldKeys();
    return theData.assignments[static_cast<std::size_t>(CurrentModifier())][static_cast<std::size_t>(zone)];
}

void CEdgeEngine::StopRepeat()
{
    repeatHandler = nullptr;
    repeatPeriodAfterDelay_ = 0;
    os::Timers().KillTimer(mainWindow_, kRepeatTimerId);
}

KeyRepeatTiming KeyboardRepeatTiming()
{
    // Windows' defaults stand in for a read that fails.
    int delay = 1;
    DWORD speed = 31;
    IShell& shell = os::Shell();
    if (!shell.SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0)) delay = 1;
    if (!shell.SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0)) speed = 31;
    // The delay 0 … 3 is about 250 … 1000 ms; the speed 0 … 31 about 2.5 … 30
    // repeats a second in even steps, that is 1000 / (2.5 + 27.5 × speed / 31) ms apart.
    const auto quarters = static_cast<UINT>(std::clamp(delay, 0, 3)) + 1;
    const UINT step = std::min<DWORD>(speed, 31);
    return {quarters * 250, 62000 / (155 + 55 * step)};
}

void CEdgeEngine::Dispatch(ActionIndex index, EdgeZone zone)
{
    if (index < 0) return;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(dispatching_);
    // A hold ends with the next dispatch, its own ending or any other.
    ReleaseHeldKeys();
    if (index >= kBuiltInActionCount) {
        LaunchCustomAction(index, zone);
        return;
    }
    const ActionDef& action = catalogue_[static_cast<std::size_t>(index)];
    if (!ending && action.repeatable && theData.repeatRate > 0) {
        repeatHandler = action.handler;
        UINT period = static_cast<UINT>(1000 / theData.repeatRate);
        repeatPeriodAfterDelay_ = 0;
        if (action.repeatsAsHeldKey) {
            const KeyRepeatTiming keyboard = KeyboardRepeatTiming();
            period = keyboard.delayMs;
            repeatPeriodAfterDelay_ = keyboard.periodMs;
        }
        os::Timers().SetTimer(mainWindow_, kRepeatTimerId, period);
    }
    if (action.handler) action.handler(*this);
}

void CEdgeEngine::LaunchCustomAction(ActionIndex index, EdgeZone zone)
{
    const CCustomAction* slot = theCustomActions.Slot(index - kBuiltInActionCount);
    if (!slot) return;
    if (const KeyCombination& keys = ending ? slot->endingKeys : slot->beginningKeys; !keys.Empty()) {
        PressCustomKeys(keys, !ending && slot->holdKeys, index, zone);
        return;
    }
    const std::wstring& text = ending ? slot->endingAction : slot->beginningAction;
    if (text.empty()) return;
    const CommandLine command = SplitCommandLine(text);
    // A failed launch (missing program, bad command line) is not reported: no
    // error box, which would also run a message loop inside the dispatch.
    SHELLEXECUTEINFOW launch{};
    launch.cbSize = sizeof(launch);
    launch.fMask = SEE_MASK_FLAG_NO_UI;
    launch.lpFile = command.program.c_str();
    launch.lpParameters = command.parameters.empty() ? nullptr : command.parameters.c_str();
    launch.nShow = SW_SHOWNORMAL;
    (void)os::Shell().ShellExecuteExW(&launch);
}

// The keys go to whichever window has the keyboard focus, like the
// keystroke actions' keys.
void CEdgeEngine::PressCustomKeys(const KeyCombination& keys, bool hold, ActionIndex index, EdgeZone zone)
{
    const bool holding = hold && keys.modifiers != 0;
    TypeKeyCombination(keys, holding);
    if (holding) keyHold_ = KeyHold{keys, index, zone};
}

void CEdgeEngine::ReleaseHeldKeys()
{
    if (!keyHold_) return;
    const KeyCombination keys = keyHold_->keys;
    keyHold_.reset();
    ReleaseKeyModifiers(keys);
}

std::optional<KeyCombination> CEdgeEngine::HeldKeys() const
{
    if (!keyHold_) return std::nullopt;
    return keyHold_->keys;
}

void CEdgeEngine::SetEnabled(bool enabled)
{
    theData.enabled = enabled;
    if (!enabled) ReleaseHeldKeys();
}

ActionIndex CEdgeEngine::LeavingAssignment(EdgeZone zone)
{
    if (keyHold_ && keyHold_->zone == zone) return keyHold_->action;
    return AssignmentOf(zone);
}

// GetAsyncKeyState's low bit tells of a press since the last call asked about
// that button, so a window pulled into a corner and let go between two looks
// still counts as a drag; and a button down at the last look and up now was
// down in between. Another program asking about the same buttons can take the
// low bit first: such a drop then counts only when the button was down at a
// look.
bool CEdgeEngine::ButtonHeldSinceLastLook()
{
    if (!theData.quietWhileDragging) {
        buttonDownAtLastLook_ = false;
        return false;
    }
    IInput& input = os::Input();
    bool downNow = false;
    bool pressedSince = false;
    for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2}) {
        const SHORT state = input.GetAsyncKeyState(button);  // every button asked, each low bit taken
        downNow = downNow || (state & 0x8000) != 0;
        pressedSince = pressedSince || (state & 1) != 0;
    }
    const bool held = downNow || pressedSince || buttonDownAtLastLook_;
    buttonDownAtLastLook_ = downNow;
    return held;
}

void CEdgeEngine::Poll()
{
    POINT point{};
    // The read fails while the secure desktop has the input (lock screen,
    // elevation prompt). The point would stay (0, 0), the upper left corner.
    if (!ReadPointer(point)) return;
    Evaluate(point, true);
}

void CEdgeEngine::Evaluate(POINT point, bool tick)
{
    lastPoint_ = point;
    const ZoneGeometry geometry = CurrentZoneGeometry();
    MeasureScreen(geometry);
    EdgeZone zone = theData.cornersOnEveryMonitor ? CurrentZoneOf(point) : ZoneOfPoint(point, geometry);
    // Quiet while dragging: a zone reached with a button down (a file or a
    // window dragged, text selected) is not entered, and after the release
    // only when the pointer enters it afresh. The buttons are asked at every
    // tick, so that a press counts until the next one, and between ticks only
    // when a zone would be entered: a movement's raw input comes too often
    // (Wine, for one, answers such quick questions from a cache that can
    // miss a button just pressed).
    const bool entering = zone != NoZone && zone != currentZone;
    const bool buttonHeld = (tick || entering) && ButtonHeldSinceLastLook();
    if (zone != heldZone_) heldZone_ = NoZone;
    // Back from a lock or sleep, the pointer may rest in a zone the user did
    // not just move into: that one too is entered only afresh.
    if (std::exchange(resumed_, false) && entering) heldZone_ = zone;
    if (entering) {
        if (theData.quietWhileDragging && buttonHeld) heldZone_ = zone;
        if (zone == heldZone_) {
            ForgetDwell();
            if (currentZone == NoZone) return;
            zone = NoZone;
        }
    }
    if (zone == currentZone) {
        ForgetDwell();
        return;
    }
    // A zone not yet dwelt in is not entered; the zone left still ends. With
    // instant response the dwell ends on a timer of its own, exactly.
    if (zone != NoZone) {
        if (const DWORD left = DwellLeft(zone)) {
            if (instant_ && !dwellTimerArmed_) {
                os::Timers().SetTimer(mainWindow_, kDwellTimerId, left);
                dwellTimerArmed_ = true;
            }
            if (currentZone == NoZone) return;
            zone = NoZone;
        }
    }
    // Asked only when something would happen: a full-screen program in front
    // keeps every zone from being entered, but a phase begun before it came
    // still ends when the pointer leaves.
    if (theData.pauseInFullScreen && IsFullScreenWindow(os::Windows().GetForegroundWindow())) {
        if (currentZone == NoZone) return;
        zone = NoZone;
    }

    if (currentZone != NoZone) {
        ending = true;
        // Leaving while disabled leaves the ending phase pending: the next
        // dispatch after re-enabling runs in the ending phase.
        if (theData.enabled) {
            if (repeatHandler) StopRepeat();
            targetWindow = os::Windows().GetForegroundWindow();
            Dispatch(LeavingAssignment(currentZone));
            beginningRan = false;
            ending = false;
        }
    }

    currentZone = zone;
    // The next zone must be dwelt in afresh.
    if (zone != NoZone) dwellZone_ = NoZone;

    if (zone != NoZone && theData.enabled) {
        if (repeatHandler && ending) StopRepeat();
        targetWindow = os::Windows().GetForegroundWindow();
        Dispatch(AssignmentOf(zone), zone);
        beginningRan = !ending;
        ending = false;
    }
}

DWORD CEdgeEngine::DwellLeft(EdgeZone zone)
{
    if (theData.dwellTime <= 0) return 0;
    const DWORD now = os::Clock().GetTickCount();
    if (zone != dwellZone_) {
        dwellZone_ = zone;
        dwellSince_ = now;
        dwellTimerArmed_ = false;  // armed anew (the same timer) for this zone
    }
    const DWORD stayed = now - dwellSince_;
    const auto dwell = static_cast<DWORD>(theData.dwellTime);
    return stayed >= dwell ? 0 : dwell - stayed;
}

void CEdgeEngine::ForgetDwell()
{
    dwellZone_ = NoZone;
    if (dwellTimerArmed_) {
        os::Timers().KillTimer(mainWindow_, kDwellTimerId);
        dwellTimerArmed_ = false;
    }
}

void CEdgeEngine::RepeatTick()
{
    if (!repeatHandler) return;
    // A held-key repeat past the keyboard's delay goes on at its speed.
    if (repeatPeriodAfterDelay_)
        os::Timers().SetTimer(mainWindow_, kRepeatTimerId, std::exchange(repeatPeriodAfterDelay_, 0U));
    repeatHandler(*this);
}

void CEdgeEngine::RunAction(ActionIndex index, bool endingPhase, HWND target)
{
    if (!theData.enabled || dispatching_) return;
    if (index < 0 && beginningRan && !ending) return;
    // A negative index means the current zone's assignment; with the pointer
    // in no zone there is none to run.
    if (index < 0 && currentZone == NoZone) return;
    // The release ends what the press began: keys it holds would read as
    // another modifier's action.
    if (endingPhase && keyHold_ && keyHold_->zone == NoZone) index = keyHold_->action;

    if (endingPhase) ending = true;
    if (repeatHandler && ending) StopRepeat();
    targetWindow = target ? target : os::Windows().GetForegroundWindow();
    Dispatch(index < 0 ? AssignmentOf(currentZone) : index);
    beginningRan = index < 0 && !ending;
    ending = false;
}

void CEdgeEngine::WallpaperCheck()
{
    if (theData.wallpaperDelay <= 0) return;
    const std::int64_t now = os::Clock().Time64();
    if (now > wallpaperChangedAt + static_cast<std::int64_t>(theData.wallpaperDelay))
        ChangeWallpaper(theData.wallpaperRandom);
}

void CEdgeEngine::ChangeWallpaper(bool random)
{
    const std::wstring path = theData.NextWallpaper(random);
    if (!path.empty()) SetDesktopWallpaper(path);
    wallpaperChangedAt = os::Clock().Time64();
    if (instant_) ArmWallpaperTimer();
}

}  // namespace vorn
