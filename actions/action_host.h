// What a built-in action's handler works with: the state the dispatcher hands
// it and the few operations of the main window it may call. The main window
// (through the edge engine) is the only host.
#pragma once

#include <cstdint>
#include <string>

#include "actions/catalogue.h"
#include "platform/win.h"

namespace vorn {

class CActionHost {
public:
    CActionHost() = default;
    CActionHost(const CActionHost&) = delete;
    CActionHost& operator=(const CActionHost&) = delete;
    virtual ~CActionHost() = default;

    // Applies the next wallpaper (random or in sequence) when there is one, and
    // restarts the wallpaper delay in every case.
    virtual void ChangeWallpaper(bool random) = 0;
    // Restores and shows the settings window ("Vorn settings").
    virtual void OpenSettingsWindow() = 0;
    // The main window: owner of the timers, target of "Vorn settings".
    virtual HWND MainWindow() const = 0;

    // false: beginning phase or a repeat; true: ending phase.
    bool ending = false;
    // The window to act on; the foreground window at dispatch unless a button
    // named one. May be null.
    HWND targetWindow = nullptr;
    // One remembered window shared by the minimize, maximize, restore and
    // window-peek actions; the last one to remember wins.
    HWND savedWindow = nullptr;
    // Wallpaper remembered while "Toggle wallpaper" has switched it off.
    std::wstring savedWallpaper;
    // Seconds since 1970 of the last wallpaper change.
    std::int64_t wallpaperChangedAt = 0;
    // Handler the repeat timer calls again, or null.
    ActionHandler repeatHandler = nullptr;
};

}  // namespace vorn
