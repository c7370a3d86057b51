#include "actions/action_dispatcher.h"

#include <algorithm>
#include <utility>

#include "actions/command_line_split.h"
#include "actions/custom_actions.h"
#include "platform/port.h"

namespace vorn {

CActionDispatcher::~CActionDispatcher() { ReleaseHeldKeys(); }

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

ActionIndex CActionDispatcher::AssignmentOf(EdgeZone zone, int slot)
{
    if (zone < 0 || zone >= kZoneCount) return kNoActionIndex;
    ReleaseHeldKeys();
    return theData.AssignmentOn(slot, CurrentModifier(), zone);
}

ActionIndex CActionDispatcher::LeavingAssignment(EdgeZone zone, int slot)
{
    if (keyHold_ && keyHold_->zone == zone) return keyHold_->action;
    return AssignmentOf(zone, slot);
}

void CActionDispatcher::NoteActivity(ActivityKind kind, EdgeZone zone, ActionIndex action, ActionSet set,
                                     std::wstring_view text)
{
    ActivityEvent event;
    event.kind = kind;
    event.zone = static_cast<std::int8_t>(zone);
    event.monitor = zone != NoZone ? activityMonitor_ : std::int8_t{0};
    event.action = action;
    event.set = static_cast<std::uint8_t>(set);
    event.SetText(text);
    theActivity.Record(event);
}

void CActionDispatcher::RunZoneEnding(EdgeZone zone, int slot)
{
    ending = true;
    if (repeatHandler) StopRepeat();
    targetWindow = os::Windows().GetForegroundWindow();
    const ActionIndex action = LeavingAssignment(zone, slot);
    NoteActivity(ActivityKind::Left, zone, action);
    Dispatch(action);
    beginningRan = false;
    ending = false;
}

void CActionDispatcher::RunZoneBeginning(EdgeZone zone, int slot)
{
    if (repeatHandler && ending) StopRepeat();
    targetWindow = os::Windows().GetForegroundWindow();
    const ActionIndex action = AssignmentOf(zone, slot);
    NoteActivity(ending ? ActivityKind::Left : ActivityKind::Entered, zone, action, CurrentModifier());
    Dispatch(action, zone);
    beginningRan = !ending;
    ending = false;
}

void CActionDispatcher::RunOnRequest(ActionIndex index, bool endingPhase, HWND target, EdgeZone currentZone,
                                     int currentSlot)
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
    Dispatch(index < 0 ? AssignmentOf(currentZone, currentSlot) : index);
    beginningRan = index < 0 && !ending;
    ending = false;
}

void CActionDispatcher::RunOnce(ActionIndex index)
{
    if (!theData.enabled || dispatching_ || index < 0) return;
    // The zone entered keeps its phase: a floating button that ends "the
    // current zone" still finds its beginning ran.
    const bool beganZone = beginningRan;
    const bool endingPending = ending;
    targetWindow = os::Windows().GetForegroundWindow();
    once_ = true;
    ending = false;
    Dispatch(index);
    ending = true;
    Dispatch(index);
    once_ = false;
    ending = endingPending;
    beginningRan = beganZone;
}

void CActionDispatcher::StopRepeat()
{
    repeatHandler = nullptr;
    repeatPeriodAfterDelay_ = 0;
    os::Timers().KillTimer(mainWindow_, kRepeatTimerId);
}

void CActionDispatcher::RepeatTick()
{
    if (!repeatHandler) return;
    // A held-key repeat past the keyboard's delay goes on at its speed.
    if (repeatPeriodAfterDelay_)
        os::Timers().SetTimer(mainWindow_, kRepeatTimerId, std::exchange(repeatPeriodAfterDelay_, 0U));
    repeatHandler(*this);
}

void CActionDispatcher::Dispatch(ActionIndex index, EdgeZone zone)
{
    if (index < 0) return;
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(dispatching_);
    // A hold ends with the next dispatch, its own ending or any other.
    ReleaseHeldKeys();
    const unsigned keysBefore = KeyEventsTyped();
    struct KeysCheck {
        CActionDispatcher& dispatcher;
        ActionIndex index;
        unsigned before;
        ~KeysCheck()
        {
            if (KeyEventsTyped() != before) dispatcher.CheckKeysArrive(index);
        }
    } keysCheck{*this, index, keysBefore};
    if (index >= kBuiltInActionCount) {
        LaunchCustomAction(index, zone);
        return;
    }
    const ActionDef& action = catalogue_[static_cast<std::size_t>(index)];
    if (!ending && !once_ && action.repeatable && theData.repeatRate > 0) {
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

void CActionDispatcher::LaunchCustomAction(ActionIndex index, EdgeZone zone)
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
    launch.fMask = SEE_MASK_FLAG_NO_UI | (processWatch_ ? SEE_MASK_NOCLOSEPROCESS : 0);
    launch.lpFile = command.program.c_str();
    launch.lpParameters = command.parameters.empty() ? nullptr : command.parameters.c_str();
    launch.nShow = SW_SHOWNORMAL;
    if (os::Shell().ShellExecuteExW(&launch)) {
        NoteActivity(ActivityKind::Launched, zone, index, 0, command.program);
        // A document opened in a running program may come without a process.
        if (processWatch_ && launch.hProcess) processWatch_->ProcessStarted(launch.hProcess, index, command.program);
        return;
    }
    ActivityEvent failed;
    failed.kind = ActivityKind::LaunchFailed;
    failed.action = index;
    failed.code = os::Power().GetLastError();
    failed.SetText(command.program);
    theActivity.Record(failed);
}

void CActionDispatcher::CheckKeysArrive(ActionIndex index)
{
    const HWND front = os::Windows().GetForegroundWindow();
    if (!front || !os::Windows().RunsWithHigherRights(front)) return;
    std::wstring path;
    const std::wstring program =
        os::Windows().ProgramOfWindow(front, path) ? std::wstring(ProgramFileName(path)) : std::wstring();
    NoteActivity(ActivityKind::KeysToHigherRights, NoZone, index, 0, program);
    if (!std::exchange(toldHigherRights_, true) && higherRightsNotice_) higherRightsNotice_(program);
}

// The keys go to whichever window has the keyboard focus, like the
// keystroke actions' keys.
void CActionDispatcher::PressCustomKeys(const KeyCombination& keys, bool hold, ActionIndex index, EdgeZone zone)
{
    const bool holding = hold && keys.modifiers != 0;
    ActivityEvent typed;
    typed.kind = ActivityKind::KeysSent;
    typed.action = index;
    typed.code = static_cast<std::uint32_t>(keys.modifiers) << 8 | keys.key;
    theActivity.Record(typed);
    TypeKeyCombination(keys, holding);
    if (holding) keyHold_ = KeyHold{keys, index, zone};
}

void CActionDispatcher::ReleaseHeldKeys()
{
    if (!keyHold_) return;
    const KeyCombination keys = keyHold_->keys;
    keyHold_.reset();
    ReleaseKeyModifiers(keys);
}

std::optional<KeyCombination> CActionDispatcher::HeldKeys() const
{
    if (!keyHold_) return std::nullopt;
    return keyHold_->keys;
}

bool CActionDispatcher::KeyReachesVorn(UINT message, WPARAM key)
{
    if (!keyHold_ || (message != WM_KEYDOWN && message != WM_SYSKEYDOWN) || key > 0xFF) return false;
    // The held keys' own, typed by Vorn itself while one of its windows is in
    // front, and any modifier: none of them types anything.
    const auto code = static_cast<BYTE>(key);
    if (ModifierOfKey(code) || code == keyHold_->keys.key || code == kMaskKey) return false;
    ReleaseHeldKeys();
    return true;
}

}  // namespace vorn
