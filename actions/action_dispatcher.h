// Runs what the edge engine decided and what a floating button asks for:
// the built-in actions' handlers with their repeats, custom command lines,
// and custom keys with the modifiers some of them hold down. It is the host
// the handlers see; the main window's composition completes it with the
// settings window and the wallpaper.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "actions/action_host.h"
#include "actions/catalogue.h"
#include "actions/key_combination.h"
#include "engine/activity.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

inline constexpr UINT_PTR kRepeatTimerId = 1;

// The keyboard's own repeat, which the volume steps follow as a held volume
// key would: the first repeat after `delayMs`, then one every `periodMs`.
struct KeyRepeatTiming {
    UINT delayMs;
    UINT periodMs;
};
// Read from the system at every call (Control Panel may have changed it).
KeyRepeatTiming KeyboardRepeatTiming();

// Told of each program a command line started, with its process handle,
// which it then owns (closes): it records how the program ended.
class IProcessWatch {
public:
    virtual void ProcessStarted(HANDLE process, ActionIndex action, std::wstring_view program) = 0;

protected:
    ~IProcessWatch() = default;
};

class CActionDispatcher : public CActionHost {
public:
    // Tests may run the actions of a catalogue of their own.
    explicit CActionDispatcher(const Catalogue& catalogue = theCatalogue) : catalogue_(catalogue) {}
    ~CActionDispatcher() override;

    // The window that owns the repeat timer.
    void SetMainWindow(HWND window) { mainWindow_ = window; }
    HWND MainWindow() const override { return mainWindow_; }

    // The pointer left `zone`: its assignment's ending (that of the action
    // holding keys for it, whatever modifier those keys make the keyboard show).
    // `slot`: the assignments of the monitor where it was entered, as
    // CData::AssignmentOn takes them (-1: the shared ones).
    void RunZoneEnding(EdgeZone zone, int slot);
    // The zone was left while edge actions were off: the next dispatch runs
    // in the ending phase.
    void KeepEndingPending() { ending = true; }
    // The pointer entered `zone`: its assignment's beginning under the
    // modifier held now (or its ending, when one is pending), on the monitor
    // of `slot`.
    void RunZoneBeginning(EdgeZone zone, int slot);
    // A floating button's press or release. A negative index stands for the
    // assignment of `currentZone` under the current modifier, on the monitor
    // of `currentSlot`. A null target means the foreground window. Ignored
    // while a dispatch is running.
    void RunOnRequest(ActionIndex index, bool endingPhase, HWND target, EdgeZone currentZone, int currentSlot);

    // A notch of the wheel or a click in a zone: the action's beginning and
    // at once its ending, without a repeat (one step a notch), for the
    // foreground window. Ignored while disabled or while a dispatch runs.
    void RunOnce(ActionIndex index);

    void RepeatTick();
    void StopRepeat();

    // The modifiers a custom action holds down go up now: no modifier may
    // stay down behind the user's back.
    void ReleaseHeldKeys();
    // The combination whose modifiers are held now, if any.
    std::optional<KeyCombination> HeldKeys() const;
    bool HoldingKeys() const { return keyHold_.has_value(); }
    // A key message taken from the queue of Vorn's windows. With keys held
    // for a custom action, a key the user presses that is none of theirs
    // lets them go up, and it is dropped (true): it came with Vorn's
    // modifiers down and would be Alt+letter or Ctrl+Shift+letter.
    bool KeyReachesVorn(UINT message, WPARAM key);

    // True while an action runs (its handler or its launch).
    bool Dispatching() const { return dispatching_; }

    // The last dispatch was a zone's beginning phase.
    bool beginningRan = false;

    // The number of the monitor the zones to come lie on, for the activity
    // (0: one monitor).
    void SetActivityMonitor(int number) { activityMonitor_ = static_cast<std::int8_t>(number); }
    // Told the first time keys go to a window with higher rights than Vorn's
    // (its program's file name): Windows drops them without a word.
    void SetHigherRightsNotice(std::function<void(const std::wstring&)> notice)
    {
        higherRightsNotice_ = std::move(notice);
    }

    // Command lines started hand their processes to `watch` (null: none,
    // and no process handle is asked for).
    void SetProcessWatch(IProcessWatch* watch) { processWatch_ = watch; }

protected:
    // An event of the activity in the zone `zone` (NoZone: none).
    void NoteActivity(ActivityKind kind, EdgeZone zone, ActionIndex action = kNoActionIndex, ActionSet set = 0,
                      std::wstring_view text = {});

private:
    // `zone`: the zone whose beginning this is, for keys it holds.
    void Dispatch(ActionIndex index, EdgeZone zone = NoZone);
    void LaunchCustomAction(ActionIndex index, EdgeZone zone);
    void PressCustomKeys(const KeyCombination& keys, bool hold, ActionIndex index, EdgeZone zone);
    // Keys typed by `index` went to the window in front: one with higher
    // rights than Vorn's does not get them, which is told.
    void CheckKeysArrive(ActionIndex index);
    // Any keys held go up first: they would read as the user's modifier.
    ActionIndex AssignmentOf(EdgeZone zone, int slot);
    ActionIndex LeavingAssignment(EdgeZone zone, int slot);

    const Catalogue& catalogue_;
    HWND mainWindow_ = nullptr;
    bool dispatching_ = false;
    // The dispatch runs once and starts no repeat.
    bool once_ = false;
    // A held-key repeat waits out the keyboard's delay; then it goes on at
    // this period (0: the repeat already runs at its period).
    UINT repeatPeriodAfterDelay_ = 0;
    // A custom action's modifiers held down: for the zone entered (NoZone: a
    // floating button's press) until its ending or anything else dispatched.
    struct KeyHold {
        KeyCombination keys;
        ActionIndex action;
        EdgeZone zone;
    };
    std::optional<KeyHold> keyHold_;
    std::int8_t activityMonitor_ = 0;
    std::function<void(const std::wstring&)> higherRightsNotice_;
    bool toldHigherRights_ = false;
    IProcessWatch* processWatch_ = nullptr;
};

}  // namespace vorn
