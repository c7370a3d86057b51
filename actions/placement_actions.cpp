#include <algorithm>

#include "actions/action_host.h"
#include "actions/handlers.h"
#include "actions/window_monitor.h"
#include "actions/util.h"
#include "platform/port.h"
#include "settings/data.h"

namespace vorn::handlers {
namespace {

// A null window has no style, so every test below rejects it.
bool HasStyle(HWND window, LONG bits)
{
    return window && (os::Windows().GetWindowLongW(window, GWL_STYLE) & bits) != 0;
}
bool IsSizable(HWND window) { return HasStyle(window, WS_THICKFRAME); }
// Either caption bit will do: a dialog frame without a title bar can still be moved.
bool IsCaptioned(HWND window) { return HasStyle(window, WS_CAPTION); }

void Place(HWND window, const RECT& rect)
{
    os::Windows().MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

enum class Half {
    Left,
    Right,
    Top,
    Bottom
};

void TileHalf(const CActionHost& host, Half half)
{
    const HWND target = host.targetWindow;
    RECT work{};
    if (host.ending || !IsSizable(target) || !WorkAreaFor(target, work)) return;
    // A window still being dragged would snap back under the pointer.
    if (os::Input().GetAsyncKeyState(VK_LBUTTON) < 0) theUtil.ReleaseLeftButton();
    theUtil.RestoreIfMaximized(target);

    // Both halves are w (or h) wide, so an odd last column or row stays uncovered.
    const LONG w = (work.right - work.left) / 2;
    const LONG h = (work.bottom - work.top) / 2;
    RECT rect = work;
    switch (half) {
    case Half::Left:
        rect.right = work.left + w;
        break;
    case Half::Right:
        rect.left = work.left + w;
        rect.right = rect.left + w;
        break;
    case Half::Top:
        rect.bottom = work.top + h;
        break;
    case Half::Bottom:
        rect.top = work.top + h;
        rect.bottom = rect.top + h;
        break;
    }
    Place(target, rect);
}

// For the actions that step from the window's current rectangle: the work
// area and that rectangle, once the target qualifies and is no longer
// maximised. False when there is nothing to do.
bool StartFromCurrentRect(const CActionHost& host, bool (*qualifies)(HWND), RECT& work, RECT& rect)
{
    if (host.ending || !qualifies(host.targetWindow) || !WorkAreaFor(host.targetWindow, work)) return false;
    theUtil.RestoreIfMaximized(host.targetWindow);
    return os::Windows().GetWindowRect(host.targetWindow, &rect) != FALSE;
}

// Which edges a grow or shrink moves.
struct Edges {
    bool left;
    bool top;
    bool right;
    bool bottom;
};
constexpr Edges kLeftEdge{true, false, false, false};
constexpr Edges kRightEdge{false, false, true, false};
constexpr Edges kTopEdge{false, true, false, false};
constexpr Edges kBottomEdge{false, false, false, true};
constexpr Edges kHeightEdges{false, true, false, true};
constexpr Edges kWidthEdges{true, false, true, false};
constexpr Edges kAllEdges{true, true, true, true};

// Moves the named edges outward by the grow step or inward by the shrink step,
// then keeps every edge inside the work area. The window system's minimum
// size is the only lower bound.
void Resize(const CActionHost& host, Edges edges, bool grow)
{
    RECT work{};
    RECT rect{};
    if (!StartFromCurrentRect(host, &IsSizable, work, rect)) return;

    const LONG outward = grow ? theData.windowGrow : -theData.windowShrink;
    if (edges.left) rect.left -= outward;
    if (edges.top) rect.top -= outward;
    if (edges.right) rect.right += outward;
    if (edges.bottom) rect.bottom += outward;
    rect.left = std::max(rect.left, work.left);
    rect.top = std::max(rect.top, work.top);
    rect.right = std::min(rect.right, work.right);
    rect.bottom = std::min(rect.bottom, work.bottom);
    Place(host.targetWindow, rect);
}

// Moves by the move step in the given directions (-1, 0 or 1 on each axis),
// then shifts the window back into the work area without resizing it. A
// window larger than the work area ends on its right or bottom edge.
void Shift(const CActionHost& host, int dx, int dy)
{
    RECT work{};
    RECT rect{};
    if (!StartFromCurrentRect(host, &IsCaptioned, work, rect)) return;

    const auto shiftBy = [&rect](LONG x, LONG y) {
        rect.left += x;
        rect.right += x;
        rect.top += y;
        rect.bottom += y;
    };
    shiftBy(dx * theData.windowMove, dy * theData.windowMove);
    if (rect.left < work.left) shiftBy(work.left - rect.left, 0);
    if (rect.right > work.right) shiftBy(work.right - rect.right, 0);
    if (rect.top < work.top) shiftBy(0, work.top - rect.top);
    if (rect.bottom > work.bottom) shiftBy(0, work.bottom - rect.bottom);
    Place(host.targetWindow, rect);
}

void TileTwo(const CActionHost& host, WindowSweep sweep)
{
    if (host.ending) return;
    tileTwoCount = 0;
    theUtil.ApplyToAllWindows(sweep);
    tileTwoCount = 0;
}

// The remembered window is shared with the peek actions: the last to remember wins.
void MinimizeAndRemember(CActionHost& host)
{
    if (!host.targetWindow) return;
    host.savedWindow = host.targetWindow;
    os::Windows().ShowWindow(host.targetWindow, SW_SHOWMINIMIZED);
}

void RestoreSaved(CActionHost& host)
{
    if (!host.savedWindow) return;
    os::Windows().ShowWindow(host.savedWindow, SW_SHOWNORMAL);
    host.savedWindow = nullptr;
}

void OnEntering(const CActionHost& host, WindowSweep sweep)
{
    if (!host.ending) theUtil.ApplyToAllWindows(sweep);
}

}  // namespace

// The taskbar's own arrangement commands are sent again on leaving: the shell
// decides what a second one does.
void Cascade(CActionHost& /*host*/) { theUtil.PostTaskbarCommand(kTaskbarCascade); }
void TileHorizontal(CActionHost& /*host*/) { theUtil.PostTaskbarCommand(kTaskbarTileHorizontal); }
void TileVertical(CActionHost& /*host*/) { theUtil.PostTaskbarCommand(kTaskbarTileVertical); }

void TileLeft(CActionHost& host) { TileHalf(host, Half::Left); }
void TileRight(CActionHost& host) { TileHalf(host, Half::Right); }
void TileTop(CActionHost& host) { TileHalf(host, Half::Top); }
void TileBottom(CActionHost& host) { TileHalf(host, Half::Bottom); }
void Tile2Horizontal(CActionHost& host) { TileTwo(host, WindowSweep::TileTwoHorizontal); }
void Tile2Vertical(CActionHost& host) { TileTwo(host, WindowSweep::TileTwoVertical); }

void EnlargeWindow(CActionHost& host)
{
    const HWND target = host.targetWindow;
    RECT work{};
    if (host.ending || !IsSizable(target) || !WorkAreaFor(target, work)) return;
    theUtil.RestoreIfMaximized(target);
    Place(target, RECT{work.left + 10, work.top + 10, work.right - 10, work.bottom - 10});
}

void GrowWindowLeft(CActionHost& host) { Resize(host, kLeftEdge, true); }
void GrowWindowRight(CActionHost& host) { Resize(host, kRightEdge, true); }
void GrowWindowTop(CActionHost& host) { Resize(host, kTopEdge, true); }
void GrowWindowBottom(CActionHost& host) { Resize(host, kBottomEdge, true); }
void GrowWindowHeight(CActionHost& host) { Resize(host, kHeightEdges, true); }
void GrowWindowWidth(CActionHost& host) { Resize(host, kWidthEdges, true); }
void GrowWindowAll(CActionHost& host) { Resize(host, kAllEdges, true); }
void ShrinkWindowLeft(CActionHost& host) { Resize(host, kLeftEdge, false); }
void ShrinkWindowRight(CActionHost& host) { Resize(host, kRightEdge, false); }
void ShrinkWindowTop(CActionHost& host) { Resize(host, kTopEdge, false); }
void ShrinkWindowBottom(CActionHost& host) { Resize(host, kBottomEdge, false); }
void ShrinkWindowHeight(CActionHost& host) { Resize(host, kHeightEdges, false); }
void ShrinkWindowWidth(CActionHost& host) { Resize(host, kWidthEdges, false); }
void ShrinkWindowAll(CActionHost& host) { Resize(host, kAllEdges, false); }

void MoveWindowLeft(CActionHost& host) { Shift(host, -1, 0); }
void MoveWindowRight(CActionHost& host) { Shift(host, 1, 0); }
void MoveWindowUp(CActionHost& host) { Shift(host, 0, -1); }
void MoveWindowDown(CActionHost& host) { Shift(host, 0, 1); }
void MoveWindowUpAndLeft(CActionHost& host) { Shift(host, -1, -1); }
void MoveWindowUpAndRight(CActionHost& host) { Shift(host, 1, -1); }
void MoveWindowDownAndLeft(CActionHost& host) { Shift(host, -1, 1); }
void MoveWindowDownAndRight(CActionHost& host) { Shift(host, 1, 1); }

// The window minimised on entering comes back on leaving, although by then it
// is no longer the foreground window.
void MinimizeMomentary(CActionHost& host)
{
    if (host.ending)
        RestoreSaved(host);
    else
        MinimizeAndRemember(host);
}

void MinimizePersistent(CActionHost& host)
{
    if (!host.ending) MinimizeAndRemember(host);
}

// Also "Full screen momentary (Chrome)". Leaving restores whatever window is
// in front then, not the one maximised on entering.
void MaximizeMomentary(CActionHost& host)
{
    if (IsSizable(host.targetWindow))
        os::Windows().ShowWindow(host.targetWindow, host.ending ? SW_SHOWNORMAL : SW_SHOWMAXIMIZED);
}

void MaximizePersistent(CActionHost& host)
{
    if (host.ending || !IsSizable(host.targetWindow)) return;
    host.savedWindow = host.targetWindow;
    os::Windows().ShowWindow(host.targetWindow, SW_SHOWMAXIMIZED);
}

// Runs in both phases; on leaving it normally finds nothing left to restore.
void Restore(CActionHost& host) { RestoreSaved(host); }

void MinimizeAllMomentary(CActionHost& host)
{
    if (host.ending)
        theUtil.ApplyToAllWindows(WindowSweep::RestoreAll);
    else
        theUtil.PostTaskbarCommand(kTaskbarMinimizeAll);
}

void MinimizeAllPersistent(CActionHost& host)
{
    if (!host.ending) theUtil.PostTaskbarCommand(kTaskbarMinimizeAll);
}

void MaximizeAllMomentary(CActionHost& host)
{
    theUtil.ApplyToAllWindows(host.ending ? WindowSweep::RestoreAll : WindowSweep::MaximizeAll);
}

void MaximizeAllPersistent(CActionHost& host) { OnEntering(host, WindowSweep::MaximizeAll); }
void RestoreAll(CActionHost& host) { OnEntering(host, WindowSweep::RestoreAll); }

void FullScreenToggleChrome(CActionHost& host)
{
    const HWND target = host.targetWindow;
    if (host.ending || !IsSizable(target)) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    os::Windows().GetWindowPlacement(target, &placement);
    os::Windows().ShowWindow(target, placement.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : SW_SHOWMAXIMIZED);
}

}  // namespace vorn::handlers
