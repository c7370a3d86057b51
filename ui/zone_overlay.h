// The zones drawn over the screen (Windows only): one layered, click-through,
// topmost window over the virtual screen that is never activated. It shows
// every zone in a colour of its own with its action's name, for a few
// seconds, and ends early on Esc or a click anywhere. While it is hidden it
// has no timer.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "framework/window.h"
#include "ui/zone_overlay_model.h"

namespace vorn::ui {

class CZoneOverlay : public WithMessageTable<CZoneOverlay, CWnd> {
public:
    // How long it stays when nothing ends it.
    static constexpr UINT kShownMs = 5000;
    // Its timers, which exist only while it shows: one looks at the keys,
    // the other ends the showing.
    static constexpr UINT_PTR kKeysTimer = 1;
    static constexpr UINT_PTR kEndTimer = 2;

    // Whether a key (VK_ESCAPE, VK_LBUTTON, ...) is down now: the
    // keyboard's state at the moment (the high bit of GetAsyncKeyState).
    std::function<bool(int)> keyDown;

    CZoneOverlay();

    // Shows the zones for the settings now, or draws them again with new
    // sizes, for kShownMs from now; the window in front stays in front.
    void Show();
    void Hide();
    bool Shown() const { return handle_ && IsWindowVisible(handle_); }
    // What is drawn now.
    const std::vector<OverlayZone>& Zones() const { return zones_; }

    // The look the timer takes at the keys: Esc, or a mouse button that was
    // not already down when the zones were shown, hides them. True when it
    // hid them.
    bool CheckKeys();

    static std::span<const MessageEntry<CZoneOverlay>> MessageTable();

private:
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);

    std::vector<OverlayZone> zones_;
    RECT bounds_{};
    // The keys that were down when the zones were shown, until released.
    unsigned ignored_ = 0;
};

}  // namespace vorn::ui
