#include <array>
#include <string>
#include <utility>

#include "actions/action_host.h"
#include "actions/background.h"
#include "actions/handlers.h"
#include "actions/key_combination.h"
#include "actions/util.h"
#include "platform/port.h"
#include "settings/data.h"

namespace vorn::handlers {
namespace {

// Paths read from the system: 260 UTF-16 units, plus one so that a value
// stored without its terminating NUL still ends inside the buffer.
constexpr DWORD kPathUnits = 260;
using PathBuffer = std::array<wchar_t, kPathUnits + 1>;

constexpr LPARAM kMonitorOn = -1;
constexpr LPARAM kMonitorLowPower = 1;
constexpr LPARAM kMonitorOff = 2;
// Per window; hung windows are skipped outright.
constexpr UINT kBroadcastTimeoutMs = 2000;

void SetScreenSaverActive(bool active)
{
    // winIni 0: the change lasts for this session and is not written to the profile.
    os::Shell().SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? 1 : 0, nullptr, 0);
}

void MonitorPower(const CActionHost& host, LPARAM state)
{
    const bool entering = !host.ending;
    const LPARAM value = entering ? state : kMonitorOn;
    // The broadcast waits on every top-level window in turn, and slow ones add
    // up; the worker sends it so that the poll and the window never wait. One
    // worker keeps "off" and "on" in the order they were asked for.
    RunInBackground([entering, value] {
        // Pointer movement wakes the monitor: let the move into the zone end first.
        if (entering) os::Clock().Sleep(500);
        // Hung windows are skipped and each answer is bounded; the result is
        // of no interest.
        DWORD_PTR result = 0;
        os::Windows().SendMessageTimeoutW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, value, SMTO_ABORTIFHUNG,
                                          kBroadcastTimeoutMs, &result);
    });
}

// Logging off, shutting down and restarting need the shutdown privilege
// switched on in our own token first. A refused privilege ends it quietly.
void ExitWithShutdownPrivilege(UINT flags)
{
    IPower& power = os::Power();
    HANDLE token = nullptr;
    if (power.OpenProcessToken(power.GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token) == 1) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        power.LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid);
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        power.AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        // AdjustTokenPrivileges succeeds without granting anything
        // (ERROR_NOT_ALL_ASSIGNED); only the error code tells.
        if (power.GetLastError() == 0) power.ExitWindowsEx(flags, SHTDN_REASON_FLAG_PLANNED);
    }
    // Whatever the open returned, a handle we were given is ours to close.
    if (token) power.CloseHandle(token);
}

// A built-in keystroke: its combination and how its extended keys go (see
// ExtendedKeys: the older ones unflagged, as they always have).
struct Keystroke {
    KeyCombination keys;
    ExtendedKeys extended = ExtendedKeys::Unflagged;
};

constexpr auto kFlagged = ExtendedKeys::Flagged;

constexpr Keystroke kNextPage{{kAltModifier, VK_RIGHT}};
constexpr Keystroke kPreviousPage{{kAltModifier, VK_LEFT}};
constexpr Keystroke kNextTab{{kCtrlModifier, VK_TAB}};
constexpr Keystroke kPreviousTab{{kCtrlModifier | kShiftModifier, VK_TAB}};
constexpr Keystroke kCloseDocument{{kCtrlModifier, VK_F4}};
constexpr Keystroke kRefresh{{0, VK_F5}};
constexpr Keystroke kScrollUp{{0, VK_UP}};
constexpr Keystroke kScrollDown{{0, VK_DOWN}};
constexpr Keystroke kScrollPageUp{{0, VK_PRIOR}};
constexpr Keystroke kScrollPageDown{{0, VK_NEXT}};
constexpr Keystroke kFullScreen{{0, VK_F11}};
constexpr Keystroke kZoomIn{{kCtrlModifier, VK_OEM_PLUS}};
constexpr Keystroke kZoomOut{{kCtrlModifier, VK_OEM_MINUS}};
constexpr Keystroke kHome{{kAltModifier, VK_HOME}};
constexpr Keystroke kAddToFavorites{{kCtrlModifier, 'D'}};
constexpr Keystroke kCut{{kCtrlModifier, 'X'}};
constexpr Keystroke kCopy{{kCtrlModifier, 'C'}};
constexpr Keystroke kPaste{{kCtrlModifier, 'V'}};
constexpr Keystroke kCopyScreen{{0, VK_SNAPSHOT}};
constexpr Keystroke kCopyWindow{{kAltModifier, VK_SNAPSHOT}};
constexpr Keystroke kSaveDocument{{kCtrlModifier, 'S'}};
constexpr Keystroke kTaskView{{kWinModifier, VK_TAB}, kFlagged};
constexpr Keystroke kStartMenu{{kWinModifier, 0}, kFlagged};
constexpr Keystroke kSearch{{kWinModifier, 'S'}, kFlagged};
constexpr Keystroke kActionCenter{{kWinModifier, 'A'}, kFlagged};
constexpr Keystroke kFileExplorer{{kWinModifier, 'E'}, kFlagged};
constexpr Keystroke kNextDesktop{{kCtrlModifier | kWinModifier, VK_RIGHT}, kFlagged};
constexpr Keystroke kPreviousDesktop{{kCtrlModifier | kWinModifier, VK_LEFT}, kFlagged};
constexpr Keystroke kNewDesktop{{kCtrlModifier | kWinModifier, 'D'}, kFlagged};
constexpr Keystroke kPlayPause{{0, VK_MEDIA_PLAY_PAUSE}, kFlagged};
constexpr Keystroke kNextTrack{{0, VK_MEDIA_NEXT_TRACK}, kFlagged};
constexpr Keystroke kPreviousTrack{{0, VK_MEDIA_PREV_TRACK}, kFlagged};
constexpr Keystroke kMute{{0, VK_VOLUME_MUTE}, kFlagged};
constexpr Keystroke kVolumeUp{{0, VK_VOLUME_UP}, kFlagged};
constexpr Keystroke kVolumeDown{{0, VK_VOLUME_DOWN}, kFlagged};

void Type(const Keystroke& keystroke) { TypeKeyCombination(keystroke.keys, false, keystroke.extended); }

void TypeOnEntering(const CActionHost& host, const Keystroke& keys)
{
    if (!host.ending) Type(keys);
}

}  // namespace

void ScreenSaverOn(CActionHost& host)
{
    if (host.ending) return;
    IShell& shell = os::Shell();
    HKEY key = nullptr;
    if (shell.RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    PathBuffer path{};
    DWORD bytes = kPathUnits * 2;  // the registry counts UTF-16 bytes; the spare unit stays NUL
    if (shell.RegQueryValueExW(key, L"SCRNSAVE.EXE", nullptr, nullptr, reinterpret_cast<BYTE*>(path.data()), &bytes) ==
        ERROR_SUCCESS)
        shell.ShellExecuteW(nullptr, L"open", path.data(), nullptr, nullptr, SW_SHOW);
    shell.RegCloseKey(key);
}

// Switches the screen saver back on when leaving, whatever it was before.
void ScreenSaverDisableMomentary(CActionHost& host) { SetScreenSaverActive(host.ending); }

void ScreenSaverDisablePersistent(CActionHost& host)
{
    if (!host.ending) SetScreenSaverActive(false);
}

void ScreenSaverEnable(CActionHost& host)
{
    if (!host.ending) SetScreenSaverActive(true);
}

void MonitorOff(CActionHost& host) { MonitorPower(host, kMonitorOff); }
void MonitorLowPower(CActionHost& host) { MonitorPower(host, kMonitorLowPower); }

void Hibernate(CActionHost& host)
{
    if (!host.ending) os::Power().SetSuspendState(TRUE, FALSE, FALSE);
}

void Suspend(CActionHost& host)
{
    if (!host.ending) os::Power().SetSuspendState(FALSE, FALSE, FALSE);
}

void LockComputer(CActionHost& host)
{
    if (!host.ending) os::Power().LockWorkStation();
}

void LogOff(CActionHost& host)
{
    if (!host.ending) ExitWithShutdownPrivilege(EWX_LOGOFF);
}

void SwitchUser(CActionHost& host)
{
    if (!host.ending) os::Power().WTSDisconnectSession(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, FALSE);
}

void Shutdown(CActionHost& host)
{
    if (!host.ending) ExitWithShutdownPrivilege(EWX_SHUTDOWN);
}

void Restart(CActionHost& host)
{
    if (!host.ending) ExitWithShutdownPrivilege(EWX_REBOOT);
}

void NextPage(CActionHost& host) { TypeOnEntering(host, kNextPage); }
void PreviousPage(CActionHost& host) { TypeOnEntering(host, kPreviousPage); }
void NextTab(CActionHost& host) { TypeOnEntering(host, kNextTab); }
void PreviousTab(CActionHost& host) { TypeOnEntering(host, kPreviousTab); }
void Refresh(CActionHost& host) { TypeOnEntering(host, kRefresh); }
void ScrollUp(CActionHost& host) { TypeOnEntering(host, kScrollUp); }
void ScrollDown(CActionHost& host) { TypeOnEntering(host, kScrollDown); }
void ScrollPageUp(CActionHost& host) { TypeOnEntering(host, kScrollPageUp); }
void ScrollPageDown(CActionHost& host) { TypeOnEntering(host, kScrollPageDown); }
// F11 is a toggle: pressed again on leaving, it ends full screen.
void FullScreenMomentary(CActionHost& /*host*/) { Type(kFullScreen); }
void FullScreenToggle(CActionHost& host) { TypeOnEntering(host, kFullScreen); }
void ZoomIn(CActionHost& host) { TypeOnEntering(host, kZoomIn); }
void ZoomOut(CActionHost& host) { TypeOnEntering(host, kZoomOut); }
void Home(CActionHost& host) { TypeOnEntering(host, kHome); }
void AddToFavorites(CActionHost& host) { TypeOnEntering(host, kAddToFavorites); }
void Cut(CActionHost& host) { TypeOnEntering(host, kCut); }
void Copy(CActionHost& host) { TypeOnEntering(host, kCopy); }
void Paste(CActionHost& host) { TypeOnEntering(host, kPaste); }
void CopyScreenToClipboard(CActionHost& host) { TypeOnEntering(host, kCopyScreen); }
void CopyWindowToClipboard(CActionHost& host) { TypeOnEntering(host, kCopyWindow); }

// Both restart the wallpaper delay, even when there is nothing new to show.
void CycleWallpaper(CActionHost& host)
{
    if (!host.ending) host.ChangeWallpaper(false);
}

void RandomWallpaper(CActionHost& host)
{
    if (!host.ending) host.ChangeWallpaper(true);
}

// Switches the wallpaper off, remembering it, or back on: to the remembered
// one, else to the next from the wallpaper folders.
void ToggleWallpaper(CActionHost& host)
{
    if (host.ending) return;
    if (std::wstring current = DesktopWallpaper(); !current.empty()) {
        host.savedWallpaper = std::move(current);
        SetDesktopWallpaper(L"");
    } else {
        if (host.savedWallpaper.empty()) host.savedWallpaper = theData.NextWallpaper(false);
        if (!host.savedWallpaper.empty()) SetDesktopWallpaper(host.savedWallpaper);
    }
    host.wallpaperChangedAt = os::Clock().Time64();
}

void CloseWindow(CActionHost& host)
{
    if (!host.ending && host.targetWindow) os::Windows().PostMessageW(host.targetWindow, WM_CLOSE, 0, 0);
}

// Also "Close tab".
void CloseDocument(CActionHost& host) { TypeOnEntering(host, kCloseDocument); }
void SaveDocument(CActionHost& host) { TypeOnEntering(host, kSaveDocument); }

void SoundVolume(CActionHost& host)
{
    if (host.ending) return;
    // The mixer's program was renamed with Windows Vista.
    os::Shell().ShellExecuteW(nullptr, L"open", theUtil.vistaOrLater ? L"sndvol" : L"sndvol32", nullptr, nullptr,
                              SW_SHOW);
}

void VornSettings(CActionHost& host)
{
    if (host.ending) return;
    host.OpenSettingsWindow();
    os::Windows().SetForegroundWindow(host.MainWindow());
}

void NoAction(CActionHost& /*host*/) {}

void TaskView(CActionHost& host) { TypeOnEntering(host, kTaskView); }
void StartMenu(CActionHost& host) { TypeOnEntering(host, kStartMenu); }
void Search(CActionHost& host) { TypeOnEntering(host, kSearch); }
void ActionCenter(CActionHost& host) { TypeOnEntering(host, kActionCenter); }
void FileExplorer(CActionHost& host) { TypeOnEntering(host, kFileExplorer); }
void NextDesktop(CActionHost& host) { TypeOnEntering(host, kNextDesktop); }
void PreviousDesktop(CActionHost& host) { TypeOnEntering(host, kPreviousDesktop); }
void NewDesktop(CActionHost& host) { TypeOnEntering(host, kNewDesktop); }

void PlayPause(CActionHost& host) { TypeOnEntering(host, kPlayPause); }
void NextTrack(CActionHost& host) { TypeOnEntering(host, kNextTrack); }
void PreviousTrack(CActionHost& host) { TypeOnEntering(host, kPreviousTrack); }
void Mute(CActionHost& host) { TypeOnEntering(host, kMute); }
// Repeatable: each tick of the repeat is one more step.
void VolumeUp(CActionHost& host) { TypeOnEntering(host, kVolumeUp); }
void VolumeDown(CActionHost& host) { TypeOnEntering(host, kVolumeDown); }

}  // namespace vorn::handlers
