// The edge engine put together: the input source's looks at the pointer go
// to the edge state machine, whose decisions the action dispatcher runs; the
// wallpaper changes on its delay beside them. The main window owns one
// engine and feeds it the ticks of its timers, the pointer's raw input and
// the session's and the power's notices. Floating buttons run their actions
// through it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "actions/action_dispatcher.h"
#include "actions/action_runner.h"
#include "actions/catalogue.h"
#include "actions/key_combination.h"
#include "actions/wallpaper_timer.h"
#include "engine/edge_machine.h"
#include "engine/input_source.h"
#include "engine/monitor_cache.h"
#include "engine/zone_input.h"
#include "engine/zones.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

// Shows the pointer's wait in a zone: a wait of `wait` ms began at `at`,
// `left` ms of it to go; and it ended (the zone entered, or left).
class IWaitDisplay {
public:
    virtual void WaitBegins(POINT at, DWORD wait, DWORD left) = 0;
    virtual void WaitEnds() = 0;

protected:
    ~IWaitDisplay() = default;
};
// Waits shorter than this pass too quickly to be worth a ring.
inline constexpr DWORD kShownWaitMs = 300;

class CEdgeEngine : public CActionDispatcher, public IActionRunner, private IPointerSink, private IEdgeSenses {
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
    // Devices came or went (WM_DEVICECHANGE, WM_POINTERDEVICECHANGE).
    void DevicesChanged() { source_.DevicesChanged(); }

    // A tick of any of the main window's timers: the poll, one repeat, and
    // after every tick the wallpaper check; with instant response the dwell,
    // the retry and the wallpaper timer besides. A tick that arrives while a
    // dispatch is still running is dropped (and comes again).
    void OnTimer(UINT_PTR timerId);
    // The pointer's raw input (WM_INPUT): with instant response, the zone of
    // the pointer now. Ignored while a dispatch runs.
    void OnPointerInput();
    // A setting may have changed: instant response on or off, the poll
    // interval, the wallpaper delay, the zone sizes, the custom actions; or
    // the screen did. Keys held for a custom action go up.
    void SettingsChanged();
    // The displays changed (WM_DISPLAYCHANGE): the connected monitors are
    // read again, so that each monitor's assignments follow it to its new
    // place; then as SettingsChanged.
    void DisplayChanged();
    // Edge actions on or off (the tray menu); off lets held keys go up.
    void SetEnabled(bool enabled);
    // The hook that takes the wheel and the click in a zone; aimed while the
    // pointer is in a zone with such an action, released otherwise. Without
    // one (tests of other things) the wheel and the click do nothing.
    void SetZoneInputHook(IZoneInputHook* hook) { zoneHook_ = hook; }
    // The hook took a notch or a click: `set`'s action of `zone` on the
    // monitor of `slot` runs `runs` times.
    void OnZoneInput(ActionSet set, EdgeZone zone, int slot, int runs);
    // Whether the hook is aimed at a zone now.
    bool ZoneInputAimed() const { return aim_.zone != NoZone; }
    // Where the waits are shown, with "Show the wait" on; none: not shown.
    void SetWaitDisplay(IWaitDisplay* display) { waitDisplay_ = display; }

    // Another window came to the front (the foreground hook, Start, and a
    // zone about to be entered with a window the hook did not tell of): a
    // program of the quiet list in front keeps the zones quiet, as a
    // full-screen one does. The program is read here, never at a look.
    void ForegroundChanged(HWND window);
    // A program of the quiet list is in front.
    bool QuietInFront() const { return quietInFront_; }
    // The file name of the program whose window was last in front, Vorn's
    // own windows passed over (its tray menu keeps the one before); empty
    // when none could be read.
    const std::wstring& ProgramInFront() const { return programInFront_; }

    // Movements decide the zones now (instant response working).
    bool Instant() const { return source_.Instant(); }

    void Poll() { source_.Poll(); }
    void WallpaperCheck() { wallpaper_.Check(); }

    // Dispatch for the floating buttons. A negative index stands for the
    // assignment of the current zone under the current modifier, on the
    // monitor where the zone was entered. A null target means the foreground
    // window. Ignored while a dispatch is running.
    void RunAction(ActionIndex index, bool endingPhase, HWND target) override
    {
        RunOnRequest(index, endingPhase, target, machine_.currentZone, machine_.currentSlot);
    }

    void ChangeWallpaper(bool random) override { wallpaper_.Change(random); }
    void OpenSettingsWindow() override
    {
        if (openSettingsWindow_) openSettingsWindow_();
    }

private:
    void PointerAt(POINT at, bool tick) override;
    bool Unremarkable(POINT at) const override;
    void PointerLost() override { ReleaseHeldKeys(); }
    bool HoldingKeys() const override { return CActionDispatcher::HoldingKeys(); }
    void InstantChanged(bool instant) override { wallpaper_.UseOwnTimer(instant); }
    // The machine's questions: the port's answers, and the program in front.
    Buttons MouseButtons() override { return senses_.MouseButtons(); }
    bool FullScreenInFront() override { return senses_.FullScreenInFront(); }
    bool QuietProgramInFront() override;

    // The hook at the zone of the pointer, or released.
    void AimZoneInput(const EdgeEvent& event);
    void ReleaseZoneInput();
    // Paused in full screen, or a quiet program in front: nothing of a
    // zone's is taken.
    bool ZoneInputPaused();
    // What a look decided, into the activity and the wait shown.
    void NoteDecision(const EdgeDecision& decision, POINT at);
    // The number of the monitor holding `at` as the Actions page shows it; 0
    // with one monitor.
    int MonitorNumberAt(POINT at) const;
    void ShowWait(const EdgeDecision& decision, POINT at);
    void EndWait();
    // The quiet list judged against the program in front.
    void JudgeProgramInFront();
    static void CALLBACK OnForegroundEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                           DWORD thread, DWORD time);

    std::function<void()> openSettingsWindow_;
    IZoneInputHook* zoneHook_ = nullptr;
    IWaitDisplay* waitDisplay_ = nullptr;
    bool waitShown_ = false;
    // The pointer at the last look, where the current wait began, and the
    // monitor number of the zone entered.
    POINT lastAt_{};
    POINT dwellAt_{};
    int enteredMonitor_ = 0;
    // What the hook is aimed at; no zone: released.
    ZoneInputTarget aim_;
    HWINEVENTHOOK foregroundHook_ = nullptr;
    HWND windowInFront_ = nullptr;
    std::wstring programInFront_;
    bool ownInFront_ = false;
    bool quietInFront_ = false;
    CEdgeMachine machine_;
    CMonitorCache monitors_;
    CPortSenses senses_;
    CInputSource source_{*this};
    CWallpaperTimer wallpaper_{*this};

public:
    // Zone of the pointer at the last look.
    const EdgeZone& currentZone = machine_.currentZone;
};

}  // namespace vorn
