// The edge engine: maps the pointer to a hot zone at every poll (twice a
// second unless set otherwise), or with instant response at every movement of
// the pointer, and runs the assigned action's beginning phase on entering a
// zone and its ending phase on leaving it; repeats repeatable actions; changes
// the wallpaper on its delay. The main window owns one engine and feeds it the
// ticks of its timers and the pointer's raw input.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "actions/action_host.h"
#include "actions/action_runner.h"
#include "actions/catalogue.h"
#include "actions/key_combination.h"
#include "actions/zones.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

inline constexpr UINT_PTR kRepeatTimerId = 1;
inline constexpr UINT_PTR kEdgeTimerId = 3;
inline constexpr UINT kEdgePollMs = 500;  // the default poll interval
// With instant response: the end of a zone's dwell (one-shot), another try at
// the movements after asking for them failed, and the wallpaper change when it
// is due.
inline constexpr UINT_PTR kDwellTimerId = 6;
inline constexpr UINT_PTR kRetryTimerId = 8;
inline constexpr UINT_PTR kWallpaperTimerId = 9;
inline constexpr UINT kRetryMs = 30000;
// A pen or touch screen plugged in or taken away: looked for once the burst
// of device messages Windows sends has ended.
inline constexpr UINT_PTR kDevicesTimerId = 10;
inline constexpr UINT kDevicesSettleMs = 500;

// The keyboard's own repeat, which the volume steps follow as a held volume
// key would: the first repeat after `delayMs`, then one every `periodMs`.
struct KeyRepeatTiming {
    UINT delayMs;
    UINT periodMs;
};
// Read from the system at every call (Control Panel may have changed it).
KeyRepeatTiming KeyboardRepeatTiming();


class CEdgeEngine : public CActionHost, public IActionRunner {
public:
    // Tests may run the engine on a catalogue of their own.
    explicit CEdgeEngine(const Catalogue& catalogue = theCatalogue);
    ~CEdgeEngine() override;

    // The window that owns the timers and gets the pointer's raw input;
    // starts the edge poll on it at the interval of the settings, or instant
    // response when that is on. "Vorn settings" calls `openSettingsWindow`.
    void Start(HWND mainWindow, std::function<void()> openSettingsWindow = {});
    // The main window is going: the pointer's raw input and the session's
    // notifications are no longer asked for, so no registration outlives the
    // window it names, and keys held for a custom action go up.
    void Stop();

    // The session is locked, disconnected or switched away from, or the
    // machine goes to sleep: keys held go up, a repeat stops, and nothing
    // fires until it is back.
    void SessionSuspended();
    // Back (unlocked, connected, resumed): the zone under the pointer now
    // fires only once the pointer has left it and come back.
    void SessionResumed();
    // The main window's WM_WTSSESSION_CHANGE (its wParam) and
    // WM_POWERBROADCAST (its event), routed to the two above.
    void SessionChanged(WPARAM change);
    void PowerChanged(WPARAM event);
    // Devices came or went (WM_DEVICECHANGE, WM_POINTERDEVICECHANGE): whether
    // a pen or touch screen is there is asked again shortly, once per burst.
    void DevicesChanged();
    // A key message taken from the queue of Vorn's windows. With keys held
    // for a custom action, a key the user presses that is none of theirs
    // lets them go up, and it is dropped (true): it came with Vorn's
    // modifiers down and would be Alt+letter or Ctrl+Shift+letter.
    bool KeyReachesVorn(UINT message, WPARAM key);

    // A tick of any of the main window's timers: the poll (3), one repeat (1),
    // and after every tick the wallpaper check; with instant response the
    // dwell, the retry and the wallpaper timer besides, and the poll only
    // beside raw input (a pen or touch screen, or a pointer that moved without
    // raw input, until it rests). A tick that
    // arrives while a dispatch is still running is dropped (and comes again).
    // A poll whose interval setting has changed sets the timer to the new one.
    void OnTimer(UINT_PTR timerId);
    // The pointer's raw input (WM_INPUT): with instant response, the zone of
    // the pointer now. Ignored while a dispatch runs.
    void OnPointerInput();
    // A setting may have changed: instant response on or off, the poll
    // interval, the wallpaper delay, the zone sizes, the custom actions; or
    // the screen did. Keys held for a custom action go up.
    void SettingsChanged();
    // Edge actions on or off (the tray menu); off lets held keys go up.
    void SetEnabled(bool enabled);
    // The modifiers a custom action holds down go up now (when edge actions
    // are switched off, the program ends, the session ends, settings change):
    // no modifier may stay down behind the user's back.
    void ReleaseHeldKeys();
    // The combination whose modifiers are held now, if any.
    std::optional<KeyCombination> HeldKeys() const;
    // Movements decide the zones now (instant response working).
    bool Instant() const { return instant_; }

    void Poll();
    void RepeatTick();
    void WallpaperCheck();

    // Dispatch for the floating buttons. A negative index stands for the
    // assignment of the current zone under the current modifier. A null target
    // means the foreground window. Ignored while a dispatch is running.
    void RunAction(ActionIndex index, bool endingPhase, HWND target) override;

    void ChangeWallpaper(bool random) override;
    void OpenSettingsWindow() override
    {
        if (openSettingsWindow_) openSettingsWindow_();
    }
    HWND MainWindow() const override { return mainWindow_; }

    // True while an action runs (its handler or its launch).
    bool Dispatching() const { return dispatching_; }

    // Zone of the pointer at the last poll.
    EdgeZone currentZone = NoZone;
    // The last dispatch was a zone's beginning phase.
    bool beginningRan = false;

private:
    // `zone`: the zone whose beginning this is, for keys it holds.
    void Dispatch(ActionIndex index, EdgeZone zone = NoZone);
    void LaunchCustomAction(ActionIndex index, EdgeZone zone);
    void PressCustomKeys(const KeyCombination& keys, bool hold, ActionIndex index, EdgeZone zone);
    void StopRepeat();
    // Any keys held go up first: they would read as the user's modifier.
    ActionIndex AssignmentOf(EdgeZone zone);
    // The action whose ending leaving `zone` runs: the one holding keys for
    // it, whatever modifier those keys make the keyboard show; else as above.
    ActionIndex LeavingAssignment(EdgeZone zone);
    // How much longer the pointer must stay in `zone` for its dwell time,
    // counted from the first poll (or movement) that found it there; 0 when
    // it has stayed long enough.
    DWORD DwellLeft(EdgeZone zone);
    void ForgetDwell();
    void StartPoll();
    void StopPoll();
    // Asks for the pointer's raw input; on failure polls and tries again later.
    void TryInstant();
    void LeaveInstant();
    static void ForgetRawInput();
    // With instant response, a look at the pointer that no movement brought
    // (a tick of the poll or of the dwell).
    void Look();
    // The pointer now; false while the session is away or the read fails
    // (the secure desktop has the input), which lets held keys go up.
    bool ReadPointer(POINT& at);
    void LookForDigitizer();
    // Whether a pointer moves where raw input does not tell: a pen or a touch
    // screen is there.
    static bool HasDigitizer();
    // Quiet while dragging: whether a mouse button was down at any moment
    // since the buttons were last asked about, now included.
    bool ButtonHeldSinceLastLook();
    void ArmWallpaperTimer();
    void MeasureScreen(const ZoneGeometry& geometry);
    // The zone rules and the dispatch for the pointer at `point`, seen by a
    // tick of a timer or else by the pointer's raw input.
    void Evaluate(POINT point, bool tick);

    const Catalogue& catalogue_;
    HWND mainWindow_ = nullptr;
    std::function<void()> openSettingsWindow_;
    bool dispatching_ = false;
    UINT pollMs_ = kEdgePollMs;
    // The poll's timer is set (always without instant response).
    bool polling_ = false;
    EdgeZone dwellZone_ = NoZone;
    DWORD dwellSince_ = 0;
    bool dwellTimerArmed_ = false;
    // A held-key repeat waits out the keyboard's delay; then it goes on at
    // this period (0: the repeat already runs at its period).
    UINT repeatPeriodAfterDelay_ = 0;
    // Instant response: movements arrive; or they failed and a retry waits.
    bool instant_ = false;
    bool retrying_ = false;
    // A pen or touch screen: with instant response the poll runs beside the
    // movements all the time.
    bool digitizer_ = false;
    // Where the pointer was at the last look, whatever brought it.
    POINT lastPoint_{-1, -1};
    // Quiet while dragging: a button was down when last asked about; the zone
    // the pointer reached with a button down, entered only afresh.
    bool buttonDownAtLastLook_ = false;
    EdgeZone heldZone_ = NoZone;
    // Locked, disconnected or asleep; and back, the next look to come
    // making the zone under the pointer one entered only afresh (heldZone_).
    bool suspended_ = false;
    bool resumed_ = false;
    bool devicesTimerArmed_ = false;
    // Where no zone reaches, as the last look at the screen found it.
    RECT farFromEdges_{};
    // A custom action's modifiers held down: for the zone entered (NoZone: a
    // floating button's press) until its ending or anything else dispatched.
    struct KeyHold {
        KeyCombination keys;
        ActionIndex action;
        EdgeZone zone;
    };
    std::optional<KeyHold> keyHold_;
};

}  // namespace vorn
