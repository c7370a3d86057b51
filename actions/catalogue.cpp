#include "actions/catalogue.h"

#include "actions/handlers.h"

namespace vorn {

using namespace handlers;

// Names are the actions' identity in the settings file: never change them.
// "Full screen momentary (Chrome)" shares the maximize handler and "Close tab"
// the close-document keystroke.
// clang-format off
constinit const Catalogue theCatalogue = {{
    {L"Screen saver on", L"Turn on the screen saver while the mouse is in the selected position", L"Screen saver", false, &ScreenSaverOn},  // 0
    {L"Screen saver disable momentary", L"Disable the screen saver while the mouse is in the selected position", L"Screen saver", false, &ScreenSaverDisableMomentary},  // 1
    {L"Screen saver disable persistent", L"Disable the screen saver until it is re-enabled", L"Screen saver", false, &ScreenSaverDisablePersistent},  // 2
    {L"Screen saver enable", L"Re-enable the screen saver", L"Screen saver", false, &ScreenSaverEnable},  // 3
    {L"Monitor off", L"Turn off the monitor while the mouse is in the selected position", L"Power", false, &MonitorOff},  // 4
    {L"Monitor low power", L"Monitor low power while the mouse is in the selected position", L"Power", false, &MonitorLowPower},  // 5
    {L"Hibernate", L"Puts the system in hibernate mode until you press a key", L"Power", false, &Hibernate},  // 6
    {L"Suspend", L"Puts the system in suspend (sleep) mode until you press a key", L"Power", false, &Suspend},  // 7
    {L"Lock computer", L"Lock the computer", L"Power", false, &LockComputer},  // 8
    {L"Log off", L"Close programs and log off the current user", L"Power", false, &LogOff},  // 9
    {L"Switch user", L"Keep programs running and log off the current user", L"Power", false, &SwitchUser},  // 10
    {L"Shutdown", L"Close programs and shut down the computer", L"Power", false, &Shutdown},  // 11
    {L"Restart", L"Close programs and restart the computer", L"Power", false, &Restart},  // 12
    {L"Peek desktop momentary", L"Peek at the desktop while the mouse is in the selected position", L"Peek", false, &PeekDesktopMomentary},  // 13
    {L"Peek desktop persistent", L"Peek at the desktop until it is re-enabled", L"Peek", false, &PeekDesktopPersistent},  // 14
    {L"Peek desktop undo", L"Re-enable the desktop after peek desktop", L"Peek", false, &PeekDesktopUndo},  // 15
    {L"Peek window momentary", L"Peek through a window while the mouse is in the selected position", L"Peek", false, &PeekWindowMomentary},  // 16
    {L"Peek window persistent", L"Peek through a window until it is re-enabled", L"Peek", false, &PeekWindowPersistent},  // 17
    {L"Peek window undo", L"Re-enable the window after peek window", L"Peek", false, &PeekWindowUndo},  // 18
    {L"Show desktop momentary", L"Show the desktop while the mouse is in the selected position", L"Show desktop", false, &ShowDesktopMomentary},  // 19
    {L"Show desktop toggle", L"Alternately show and hide the desktop", L"Show desktop", false, &ShowDesktopToggle},  // 20
    {L"Cascade", L"Cascade all active windows", L"Window arrangement", false, &Cascade},  // 21
    {L"Tile horizontal", L"Tile all windows in a horizontal layout", L"Window arrangement", false, &TileHorizontal},  // 22
    {L"Tile vertical", L"Tile all windows in a vertical layout", L"Window arrangement", false, &TileVertical},  // 23
    {L"Tile left", L"Tile the active window on the left half of the screen", L"Window arrangement", false, &TileLeft},  // 24
    {L"Tile right", L"Tile the active window on the right half of the screen", L"Window arrangement", false, &TileRight},  // 25
    {L"Tile top", L"Tile the active window on the top half of the screen", L"Window arrangement", false, &TileTop},  // 26
    {L"Tile bottom", L"Tile the active window on the bottom half of the screen", L"Window arrangement", false, &TileBottom},  // 27
    {L"Tile 2 horizontal", L"Tile the top 2 active windows in a horizontal layout", L"Window arrangement", false, &Tile2Horizontal},  // 28
    {L"Tile 2 vertical", L"Tile the top 2 active windows in a vertical layout", L"Window arrangement", false, &Tile2Vertical},  // 29
    {L"Enlarge window", L"Make the active window almost large enough to fill the screen", L"Grow and shrink window", false, &EnlargeWindow},  // 30
    {L"Grow window left", L"Make the active window's left side larger", L"Grow and shrink window", true, &GrowWindowLeft},  // 31
    {L"Grow window right", L"Make the active window's right side larger", L"Grow and shrink window", true, &GrowWindowRight},  // 32
    {L"Grow window top", L"Make the active window's top side larger", L"Grow and shrink window", true, &GrowWindowTop},  // 33
    {L"Grow window bottom", L"Make the active window's bottom larger", L"Grow and shrink window", true, &GrowWindowBottom},  // 34
    {L"Grow window height", L"Make the active window's top and bottom sides larger", L"Grow and shrink window", true, &GrowWindowHeight},  // 35
    {L"Grow window width", L"Make the active window's left and right sides larger", L"Grow and shrink window", true, &GrowWindowWidth},  // 36
    {L"Grow window all", L"Make the active window larger on all sides", L"Grow and shrink window", true, &GrowWindowAll},  // 37
    {L"Shrink window left", L"Make the active window's left side smaller", L"Grow and shrink window", true, &ShrinkWindowLeft},  // 38
    {L"Shrink window right", L"Make the active window's right side smaller", L"Grow and shrink window", true, &ShrinkWindowRight},  // 39
    {L"Shrink window top", L"Make the active window's top side smaller", L"Grow and shrink window", true, &ShrinkWindowTop},  // 40
    {L"Shrink window bottom", L"Make the active window's bottom smaller", L"Grow and shrink window", true, &ShrinkWindowBottom},  // 41
    {L"Shrink window height", L"Make the active window's top and bottom sides smaller", L"Grow and shrink window", true, &ShrinkWindowHeight},  // 42
    {L"Shrink window width", L"Make the active window's left and right sides smaller", L"Grow and shrink window", true, &ShrinkWindowWidth},  // 43
    {L"Shrink window all", L"Make the active window smaller on all sides", L"Grow and shrink window", true, &ShrinkWindowAll},  // 44
    {L"Move window left", L"Move the active window to the left", L"Move window", true, &MoveWindowLeft},  // 45
    {L"Move window right", L"Move the active window to the right", L"Move window", true, &MoveWindowRight},  // 46
    {L"Move window up", L"Move the active window up", L"Move window", true, &MoveWindowUp},  // 47
    {L"Move window down", L"Move the active window down", L"Move window", true, &MoveWindowDown},  // 48
    {L"Move window up and left", L"Move the active window up and to the left", L"Move window", true, &MoveWindowUpAndLeft},  // 49
    {L"Move window up and right", L"Move the active window up and to the right", L"Move window", true, &MoveWindowUpAndRight},  // 50
    {L"Move window down and left", L"Move the active window down and to the left", L"Move window", true, &MoveWindowDownAndLeft},  // 51
    {L"Move window down and right", L"Move the active window down and to the right", L"Move window", true, &MoveWindowDownAndRight},  // 52
    {L"Minimize momentary", L"Minimize the active window", L"Minimize/Maximize", false, &MinimizeMomentary},  // 53
    {L"Minimize persistent", L"Minimize the active window until it is restored", L"Minimize/Maximize", false, &MinimizePersistent},  // 54
    {L"Maximize momentary", L"Maximize the active window while the mouse is in the selected position", L"Minimize/Maximize", false, &MaximizeMomentary},  // 55
    {L"Maximize persistent", L"Maximize the active window until it is restored", L"Minimize/Maximize", false, &MaximizePersistent},  // 56
    {L"Restore", L"Restore the active window", L"Minimize/Maximize", false, &Restore},  // 57
    {L"Minimize all momentary", L"Minimize all windows while the mouse is in the selected position", L"Minimize/Maximize", false, &MinimizeAllMomentary},  // 58
    {L"Minimize all persistent", L"Minimize all windows until they are restored", L"Minimize/Maximize", false, &MinimizeAllPersistent},  // 59
    {L"Maximize all momentary", L"Maximize all windows while the mouse is in the selected position", L"Minimize/Maximize", false, &MaximizeAllMomentary},  // 60
    {L"Maximize all persistent", L"Maximize all windows until they are restored", L"Minimize/Maximize", false, &MaximizeAllPersistent},  // 61
    {L"Restore all", L"Restore all maximized windows", L"Minimize/Maximize", false, &RestoreAll},  // 62
    {L"Next page", L"Go to the next later Web page in browse history", L"Web browser", false, &NextPage},  // 63
    {L"Previous page", L"Go to the previous Web page in browse history", L"Web browser", false, &PreviousPage},  // 64
    {L"Next tab", L"Switch to the next tab if more than one tab is open", L"Web browser", false, &NextTab},  // 65
    {L"Previous tab", L"Switch to the previous tab if more than one tab is open", L"Web browser", false, &PreviousTab},  // 66
    {L"Close tab", L"Close the current tab", L"Web browser", false, &CloseDocument},  // 67
    {L"Refresh", L"Reload the current web page", L"Web browser", false, &Refresh},  // 68
    {L"Scroll up", L"Scroll one line up (towards end of page)", L"Web browser", false, &ScrollUp},  // 69
    {L"Scroll down", L"Scroll one line down (towards beginning of page)", L"Web browser", false, &ScrollDown},  // 70
    {L"Scroll page up", L"Scroll one screen up (towards end of page)", L"Web browser", false, &ScrollPageUp},  // 71
    {L"Scroll page down", L"Scroll one screen down (towards beginning of page)", L"Web browser", false, &ScrollPageDown},  // 72
    {L"Full screen momentary", L"Show full-screen while the mouse is in the selected position", L"Web browser", false, &FullScreenMomentary},  // 73
    {L"Full screen toggle", L"Toggle full screen mode on and off", L"Web browser", false, &FullScreenToggle},  // 74
    {L"Full screen momentary (Chrome)", L"Full-screen while the mouse is in the selected position (Google Chrome)", L"Web browser", false, &MaximizeMomentary},  // 75
    {L"Full screen toggle (Chrome)", L"Toggle full screen mode on and off (Google Chrome)", L"Web browser", false, &FullScreenToggleChrome},  // 76
    {L"Zoom in", L"Make text larger", L"Web browser", false, &ZoomIn},  // 77
    {L"Zoom out", L"Make text smaller", L"Web browser", false, &ZoomOut},  // 78
    {L"Home", L"Go to the home page", L"Web browser", false, &Home},  // 79
    {L"Add to favorites", L"Add the current page to favorites", L"Web browser", false, &AddToFavorites},  // 80
    {L"Cut", L"Cut the selected text or item to the clipboard", L"Clipboard", false, &Cut},  // 81
    {L"Copy", L"Copy the selected text or item to the clipboard", L"Clipboard", false, &Copy},  // 82
    {L"Paste", L"Paste the selected text or item from the clipboard", L"Clipboard", false, &Paste},  // 83
    {L"Copy screen to clipboard", L"Place an image of the screen on the clipboard", L"Clipboard", false, &CopyScreenToClipboard},  // 84
    {L"Copy window to clipboard", L"Place an image of the current window on the clipboard", L"Clipboard", false, &CopyWindowToClipboard},  // 85
    {L"Cycle wallpaper", L"Change to next desktop background in sequence", L"Wallpaper", false, &CycleWallpaper},  // 86
    {L"Random wallpaper", L"Change to a random desktop background", L"Wallpaper", false, &RandomWallpaper},  // 87
    {L"Toggle wallpaper", L"Switch desktop background on and off", L"Wallpaper", false, &ToggleWallpaper},  // 88
    {L"Close window", L"Close the current window", L"Misc", false, &CloseWindow},  // 89
    {L"Close document", L"Close the current document/page/tab within a program", L"Misc", false, &CloseDocument},  // 90
    {L"Save document", L"Save the current document", L"Misc", false, &SaveDocument},  // 91
    {L"Sound volume", L"Open the sound volume control program", L"Misc", false, &SoundVolume},  // 92
    {L"Vorn settings", L"Open the Vorn settings window", L"Misc", false, &VornSettings},  // 93
    {L"No action", L"Don't do anything when the mouse reaches this position", L"Misc", false, &NoAction},  // 94
    {L"Task view", L"Show all open windows and the virtual desktops (Task view)", L"Windows", false, &TaskView},  // 95
    {L"Start menu", L"Open the Start menu", L"Windows", false, &StartMenu},  // 96
    {L"Search", L"Open Windows search", L"Windows", false, &Search},  // 97
    {L"Action center", L"Open the action center with notifications and quick settings", L"Windows", false, &ActionCenter},  // 98
    {L"File Explorer", L"Open a new File Explorer window", L"Windows", false, &FileExplorer},  // 99
    {L"Next desktop", L"Switch to the next virtual desktop", L"Windows", false, &NextDesktop},  // 100
    {L"Previous desktop", L"Switch to the previous virtual desktop", L"Windows", false, &PreviousDesktop},  // 101
    {L"New desktop", L"Add a virtual desktop and switch to it", L"Windows", false, &NewDesktop},  // 102
    {L"Play/pause", L"Play or pause the music or video that is playing", L"Media", false, &PlayPause},  // 103
    {L"Next track", L"Skip to the next track", L"Media", false, &NextTrack},  // 104
    {L"Previous track", L"Go back to the previous track", L"Media", false, &PreviousTrack},  // 105
    {L"Mute", L"Turn the sound off and on again", L"Media", false, &Mute},  // 106
    {L"Volume up", L"Make the sound louder while the mouse is in the selected position", L"Media", true, &VolumeUp, true},  // 107
    {L"Volume down", L"Make the sound quieter while the mouse is in the selected position", L"Media", true, &VolumeDown, true},  // 108
}};
// clang-format on

}  // namespace vorn
