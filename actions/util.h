// Window and shell helpers shared by the action handlers and the pages:
// the taskbar, peek eligibility, transparency in percent, and one sweep over
// all top-level windows.
#pragma once

#include <string>

#include "platform/win.h"

namespace vorn {

enum class WindowSweep : int {
    MaximizeAll = 0,
    RestoreAll = 1,
    PeekAll = 2,
    UnpeekAll = 3,
    TileTwoHorizontal = 4,
    TileTwoVertical = 5,
};

// Commands the taskbar understands when posted as WM_COMMAND.
inline constexpr WPARAM kTaskbarCascade = 403;
inline constexpr WPARAM kTaskbarTileVertical = 404;
inline constexpr WPARAM kTaskbarTileHorizontal = 405;
inline constexpr WPARAM kTaskbarShowDesktop = 407;
inline constexpr WPARAM kTaskbarMinimizeAll = 415;

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using GetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);

class CUtil {
public:
    CUtil() = default;
    CUtil(const CUtil&) = delete;
    CUtil& operator=(const CUtil&) = delete;
    virtual ~CUtil() = default;

    // Looks up the layered-window functions in user32 (never loading it) and
    // reads the OS version. Start-up calls it once the port is installed, so
    // the program still starts where the functions are missing.
    void Resolve();

    // The taskbar window ("Shell_TrayWnd"), or null. Tries up to ten times.
    HWND FindTaskbar() const;
    // Whether a peek may make the window see-through: a window, not the
    // taskbar or one of its children, not the shell's desktop, not minimised.
    bool IsPeekTarget(HWND window) const;
    // Windows keeps a maximised window's size through MoveWindow: restore first.
    void RestoreIfMaximized(HWND window) const;
    // Lets go of a held left button (a window being dragged) at the pointer.
    void ReleaseLeftButton() const;
    // Transparency in percent from the window's layered alpha; 0 when the
    // window has none, 100 when the functions are missing.
    int GetWindowTransparency(HWND window) const;
    // Makes the window layered with the alpha of `percent`; does nothing
    // where the layered-window functions are missing.
    void SetWindowTransparency(HWND window, int percent) const;
    void PostTaskbarCommand(WPARAM command) const;
    void ApplyToAllWindows(WindowSweep mode) const;

    SetLayeredWindowAttributesFn setLayeredAttributes = nullptr;
    GetLayeredWindowAttributesFn getLayeredAttributes = nullptr;
    bool vistaOrLater = false;
};

extern CUtil theUtil;

// Windows already placed by the running Tile 2 sweep; the Tile 2 handlers
// reset it before and after each sweep.
extern int tileTwoCount;

// Shows `path` as the wallpaper for this session; empty removes it.
void SetDesktopWallpaper(const std::wstring& path);

// Layered-window alpha for a transparency percentage: trunc(255 - p * 2.55).
BYTE AlphaFromPercent(int percent);
// Percentage for an alpha: trunc((alpha - 255) / -2.55).
int PercentFromAlpha(BYTE alpha);

}  // namespace vorn
