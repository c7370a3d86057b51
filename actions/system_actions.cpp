#include <array>
#include <string>
#include <utility>

#include "actions/action_host.h"
#include "actions/background.h"
#include "actions/handlers.h"
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

// A key combination: up to two modifiers, pressed in order and released in
// reverse around one key. A zero modifier is none. `extended` sends the keys
// that a keyboard sends with the E0 prefix flagged as such, so that the shell
// reads Win+Ctrl+Right as the arrow and not as the number pad's 6; the older
// combinations go as they always have.
struct Keystroke {
    BYTE first;
    BYTE second;
    BYTE key;
    bool extended = false;
};

constexpr Keystroke kNextPage{VK_MENU, 0, VK_RIGHT};
constexpr Keystroke kPreviousPage{VK_MENU, 0, VK_LEFT};
constexpr Keystroke kNextTab{VK_CONTROL, 0, VK_TAB};
constexpr Keystroke kPreviousTab{VK_CONTROL, VK_SHIFT, VK_TAB};
constexpr Keystroke kCloseDocument{VK_CONTROL, 0, VK_F4};
constexpr Keystroke kRefresh{0, 0, VK_F5};
constexpr Keystroke kScrollUp{0, 0, VK_UP};
constexpr Keystroke kScrollDown{0, 0, VK_DOWN};
constexpr Keystroke kScrollPageUp{0, 0, VK_PRIOR};
constexpr Keystroke kScrollPageDown{0, 0, VK_NEXT};
constexpr Keystroke kFullScreen{0, 0, VK_F11};
constexpr Keystroke kZoomIn{VK_CONTROL, 0, VK_OEM_PLUS};
constexpr Keystroke kZoomOut{VK_CONTROL, 0, VK_OEM_MINUS};
constexpr Keystroke kHome{VK_MENU, 0, VK_HOME};
constexpr Keystroke kAddToFavorites{VK_CONTROL, 0, 'D'};
constexpr Keystroke kCut{VK_CONTROL, 0, 'X'};
constexpr Keystroke kCopy{VK_CONTROL, 0, 'C'};
constexpr Keystroke kPaste{VK_CONTROL, 0, 'V'};
constexpr Keystroke kCopyScreen{0, 0, VK_SNAPSHOT};
constexpr Keystroke kCopyWindow{VK_MENU, 0, VK_SNAPSHOT};
constexpr Keystroke kSaveDocument{VK_CONTROL, 0, 'S'};
constexpr Keystroke kTaskView{VK_LWIN, 0, VK_TAB, true};
constexpr Keystroke kStartMenu{0, 0, VK_LWIN, true};
constexpr Keystroke kSearch{VK_LWIN, 0, 'S', true};
constexpr Keystroke kActionCenter{VK_LWIN, 0, 'A', true};
constexpr Keystroke kFileExplorer{VK_LWIN, 0, 'E', true};
constexpr Keystroke kNextDesktop{VK_CONTROL, VK_LWIN, VK_RIGHT, true};
constexpr Keystroke kPreviousDesktop{VK_CONTROL, VK_LWIN, VK_LEFT, true};
constexpr Keystroke kNewDesktop{VK_CONTROL, VK_LWIN, 'D', true};
constexpr Keystroke kPlayPause{0, 0, VK_MEDIA_PLAY_PAUSE, true};
constexpr Keystroke kNextTrack{0, 0, VK_MEDIA_NEXT_TRACK, true};
constexpr Keystroke kPreviousTrack{0, 0, VK_MEDIA_PREV_TRACK, true};
constexpr Keystroke kMute{0, 0, VK_VOLUME_MUTE, true};
constexpr Keystroke kVolumeUp{0, 0, VK_VOLUME_UP, true};
constexpr Keystroke kVolumeDown{0, 0, VK_VOLUME_DOWN, true};

// The keys a keyboard sends with the E0 prefix, of those Vorn types.
bool IsExtendedKey(BYTE key)
{
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_LWIN:
    case VK_VOLUME_MUTE:
    case VK_VOLUME_DOWN:
    case VK_VOLUME_UP:
    case VK_MEDIA_NEXT_TRACK:
    case VK_MEDIA_PREV_TRACK:
    case VK_MEDIA_PLAY_PAUSE:
        return true;
    default:
        return false;
    }
}

// The keys go to whichever window has the keyboard focus, not to the target.
void Type(const Keystroke& keys)
{
    IInput& input = os::Input();
    const auto flags = [&keys](BYTE key) -> DWORD {
        return keys.extended && IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0;
    };
    const auto press = [&](BYTE key) {
        if (key) input.keybd_event(key, 0, flags(key), 0);
    };
    const auto release = [&](BYTE key) {
        if (key) input.keybd_event(key, 0, flags(key) | KEYEVENTF_KEYUP, 0);
    };
    press(keys.first);
    press(keys.second);
    press(keys.key);
    release(keys.key);
    release(keys.second);
    release(keys.first);
}

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
