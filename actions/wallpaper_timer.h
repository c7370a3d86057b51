// The wallpaper's change on its delay. Riding on the edge poll, every tick
// of the main window's timers checks whether it is due; with instant
// response, when no poll ticks, it has a one-shot timer of its own set for
// the moment it is due.
#pragma once

#include "actions/action_host.h"
#include "platform/win.h"

namespace vorn {

inline constexpr UINT_PTR kWallpaperTimerId = 9;

class CWallpaperTimer {
public:
    // `host` keeps the time of the last change and owns the timers.
    explicit CWallpaperTimer(CActionHost& host) : host_(host) {}

    // A timer of its own from now on (armed at once), or none (killed).
    void UseOwnTimer(bool own);
    // The window is going: nothing is armed on it any more.
    void Detach() { own_ = false; }
    // A tick of the main window's timer `timerId`.
    void Tick(UINT_PTR timerId);
    // The delay may have changed.
    void SettingsChanged();
    // Changes it when the delay is past.
    void Check();
    // Applies the next wallpaper (random or in sequence) when there is one,
    // and restarts the delay in every case.
    void Change(bool random);

private:
    void Arm();

    CActionHost& host_;
    bool own_ = false;
};

}  // namespace vorn
