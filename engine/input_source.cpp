#include "engine/input_source.h"

#include "actions/window_monitor.h"
#include "platform/port.h"
#include "settings/data.h"

namespace vorn {

IEdgeSenses::Buttons CPortSenses::MouseButtons()
{
    IInput& input = os::Input();
    Buttons buttons{false, false};
    for (const int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_XBUTTON1, VK_XBUTTON2}) {
        const SHORT state = input.GetAsyncKeyState(button);  // every button asked, each low bit taken
        buttons.downNow = buttons.downNow || (state & 0x8000) != 0;
        buttons.pressedSince = buttons.pressedSince || (state & 1) != 0;
    }
    return buttons;
}

bool CPortSenses::FullScreenInFront() { return IsFullScreenWindow(os::Windows().GetForegroundWindow()); }

void CInputSource::Start(HWND window)
{
    window_ = window;
    if (theData.instantResponse)
        TryInstant();
    else
        StartPoll();
}

void CInputSource::StartPoll()
{
    pollMs_ = static_cast<UINT>(theData.pollInterval);
    os::Timers().SetTimer(window_, kEdgeTimerId, pollMs_);
    polling_ = true;
}

void CInputSource::StopPoll()
{
    os::Timers().KillTimer(window_, kEdgeTimerId);
    polling_ = false;
}

// Raw input rather than a low-level hook: the system queues it to the window
// and moves the pointer on regardless, so nothing Vorn does (an action, a
// message box) can slow the pointer, and no hook can be dropped by Windows.
// It tells only of a mouse, though: a pen, a touch screen or a program moving
// the pointer makes none. Where a pen or touch screen is, the poll runs beside
// it; elsewhere the poll runs only after movements raw input did not tell of
// (see Look), so that with a mouse alone nothing ticks while the pointer rests.
void CInputSource::TryInstant()
{
    const RAWINPUTDEVICE mouse{1, 2, RIDEV_INPUTSINK, window_};  // generic desktop: mouse
    ITimers& timers = os::Timers();
    if (!os::Input().RegisterRawInputDevices(&mouse, 1, sizeof(mouse))) {
        // The poll, until a later try works.
        if (!polling_) StartPoll();
        retrying_ = true;
        timers.SetTimer(window_, kRetryTimerId, kRetryMs);
        return;
    }
    instant_ = true;
    retrying_ = false;
    timers.KillTimer(window_, kRetryTimerId);
    digitizer_ = HasDigitizer();
    if (digitizer_)
        StartPoll();
    else
        StopPoll();
    sink_.InstantChanged(true);
    Poll();
}

bool CInputSource::HasDigitizer() { return os::Windows().GetSystemMetrics(SM_DIGITIZER) != 0; }

void CInputSource::ForgetRawInput()
{
    const RAWINPUTDEVICE mouse{1, 2, RIDEV_REMOVE, nullptr};
    (void)os::Input().RegisterRawInputDevices(&mouse, 1, sizeof(mouse));
}

void CInputSource::LeaveInstant()
{
    ITimers& timers = os::Timers();
    if (instant_) {
        ForgetRawInput();
        for (const UINT_PTR id : {kDwellTimerId, kDevicesTimerId})
            timers.KillTimer(window_, id);
        dwellTimerArmed_ = false;
        devicesTimerArmed_ = false;
        instant_ = false;
        sink_.InstantChanged(false);
    }
    if (retrying_) timers.KillTimer(window_, kRetryTimerId);
    retrying_ = false;
    StartPoll();
}

void CInputSource::Stop()
{
    if (instant_) ForgetRawInput();
    if (retrying_) os::Timers().KillTimer(window_, kRetryTimerId);
    if (devicesTimerArmed_) os::Timers().KillTimer(window_, kDevicesTimerId);
    instant_ = false;
    retrying_ = false;
    devicesTimerArmed_ = false;
}

// Windows sends a burst of these for one device: the first arms the timer,
// the ones that follow before it fires change nothing.
void CInputSource::DevicesChanged()
{
    // Without instant response the poll runs whatever is plugged in.
    if (!instant_ || devicesTimerArmed_) return;
    os::Timers().SetTimer(window_, kDevicesTimerId, kDevicesSettleMs);
    devicesTimerArmed_ = true;
}

void CInputSource::LookForDigitizer()
{
    // A pen or touch screen added starts the poll beside raw input; one taken
    // away leaves it at the next look that finds the pointer resting.
    digitizer_ = HasDigitizer();
    if (digitizer_ && !polling_) StartPoll();
}

void CInputSource::SettingsChanged()
{
    if (theData.instantResponse && !instant_ && !retrying_) TryInstant();
    if (!theData.instantResponse && (instant_ || retrying_)) LeaveInstant();
    if (instant_) LookForDigitizer();
    if (polling_ && pollMs_ != static_cast<UINT>(theData.pollInterval)) StartPoll();
}

bool CInputSource::OnTimer(UINT_PTR timerId)
{
    switch (timerId) {
    case kEdgeTimerId:
        if (pollMs_ != static_cast<UINT>(theData.pollInterval)) StartPoll();
        if (instant_)
            Look();
        else
            Poll();
        return true;
    case kDwellTimerId:
        os::Timers().KillTimer(window_, kDwellTimerId);
        dwellTimerArmed_ = false;
        if (instant_) Look();
        return true;
    case kRetryTimerId:
        if (retrying_) TryInstant();
        return true;
    case kDevicesTimerId:
        os::Timers().KillTimer(window_, kDevicesTimerId);
        devicesTimerArmed_ = false;
        if (instant_) LookForDigitizer();
        return true;
    default:
        return false;
    }
}

void CInputSource::OnPointerInput()
{
    if (!instant_) return;
    POINT at{};
    if (!ReadPointer(at)) return;
    // One tick of the poll a poll interval on tells whether the pointer went
    // on moving without raw input (see Look): set once for a run of movements.
    if (!polling_) StartPoll();
    // Most movements are nowhere near an edge, with nothing waiting: those
    // need no look at the screen's size, its monitors or the modifiers.
    lastPoint_ = at;
    if (!dwellTimerArmed_ && sink_.Unremarkable(at)) return;
    sink_.PointerAt(at, false);
}

// Every movement raw input tells of is looked at when it comes, so a look
// that finds the pointer elsewhere than the last one left it has found a
// movement without raw input (a pen, a touch screen, a program). The poll
// then follows the pointer until a look finds it resting; without a pen or
// touch screen it stops there, and raw input wakes the next look.
void CInputSource::Look()
{
    POINT at{};
    if (!ReadPointer(at)) return;
    const bool moved = at.x != lastPoint_.x || at.y != lastPoint_.y;
    lastPoint_ = at;
    sink_.PointerAt(at, true);
    // While keys are held the poll goes on: a read that fails lets them go.
    if (moved && !polling_)
        StartPoll();
    else if (!moved && !digitizer_ && !sink_.HoldingKeys())
        StopPoll();
}

void CInputSource::Poll()
{
    POINT point{};
    // The read fails while the secure desktop has the input (lock screen,
    // elevation prompt). The point would stay (0, 0), the upper left corner.
    if (!ReadPointer(point)) return;
    lastPoint_ = point;
    sink_.PointerAt(point, true);
}

bool CInputSource::ReadPointer(POINT& at)
{
    if (suspended_) return false;
    if (os::Input().GetCursorPos(&at)) return true;
    sink_.PointerLost();
    return false;
}

void CInputSource::LookAgainIn(DWORD ms, bool restart)
{
    if (restart) dwellTimerArmed_ = false;  // armed anew (the same timer) for this zone
    if (!instant_ || dwellTimerArmed_) return;
    os::Timers().SetTimer(window_, kDwellTimerId, ms);
    dwellTimerArmed_ = true;
}

void CInputSource::ForgetLookAgain()
{
    if (!dwellTimerArmed_) return;
    os::Timers().KillTimer(window_, kDwellTimerId);
    dwellTimerArmed_ = false;
}

}  // namespace vorn
