// The Win32 names the portable core uses. On Windows this is <windows.h> and
// friends; elsewhere it declares the same subset with the same values, so that
// core code reads like the Win32 calls it makes and builds natively for tests.
#pragma once

#include <cstdint>

#if defined(_WIN32)

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
// windows.h first: the others depend on it.
#include <windows.h>
// clang-format off
#include <shellapi.h>
#include <powrprof.h>
#include <wtsapi32.h>
// clang-format on

#else  // !_WIN32

using BOOL = int;
using BOOLEAN = std::uint8_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using SHORT = std::int16_t;
using INT = int;
using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = ULONG_PTR;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using COLORREF = DWORD;
using WCHAR = wchar_t;
using LPCWSTR = const wchar_t*;
using LPWSTR = wchar_t*;
using LPCSTR = const char*;
using PVOID = void*;
using LPVOID = void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using HANDLE = void*;
using REGSAM = DWORD;
using LSTATUS = LONG;

#define VORN_DECLARE_HANDLE(name)                                                                                      \
    struct name##__ {                                                                                                  \
        int unused;                                                                                                    \
    };                                                                                                                 \
    using name = name##__*
VORN_DECLARE_HANDLE(HWND);
VORN_DECLARE_HANDLE(HINSTANCE);
VORN_DECLARE_HANDLE(HKEY);
VORN_DECLARE_HANDLE(HMONITOR);
VORN_DECLARE_HANDLE(HDC);
VORN_DECLARE_HANDLE(HWINEVENTHOOK);
#undef VORN_DECLARE_HANDLE
using HMODULE = HINSTANCE;
using PHKEY = HKEY*;
using INT_PTR_PROC = INT_PTR (*)();
using FARPROC = INT_PTR_PROC;

#define WINAPI
#define CALLBACK
#define TRUE 1
#define FALSE 0

struct POINT {
    LONG x;
    LONG y;
};
struct SIZE {
    LONG cx;
    LONG cy;
};
struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPPOINT = POINT*;

struct WINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};

struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};
using LPOSVERSIONINFOW = OSVERSIONINFOW*;

struct LUID {
    DWORD LowPart;
    LONG HighPart;
};
struct LUID_AND_ATTRIBUTES {
    LUID Luid;
    DWORD Attributes;
};
struct TOKEN_PRIVILEGES {
    DWORD PrivilegeCount;
    LUID_AND_ATTRIBUTES Privileges[1];
};
using PTOKEN_PRIVILEGES = TOKEN_PRIVILEGES*;
using PLUID = LUID*;

using WNDENUMPROC = BOOL(CALLBACK*)(HWND, LPARAM);
using MONITORENUMPROC = BOOL(CALLBACK*)(HMONITOR, HDC, LPRECT, LPARAM);
using WINEVENTPROC = void(CALLBACK*)(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);
#define EVENT_SYSTEM_FOREGROUND 0x0003
#define WINEVENT_OUTOFCONTEXT 0x0000
#define WINEVENT_SKIPOWNPROCESS 0x0002

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
using LPMONITORINFO = MONITORINFO*;
// With cbSize set to its size, GetMonitorInfoW also gives the adapter output's
// GDI name ("\\.\DISPLAY1"), which the display configuration knows it by.
#define CCHDEVICENAME 32
struct MONITORINFOEXW : MONITORINFO {
    WCHAR szDevice[CCHDEVICENAME];
};
using LPMONITORINFOEXW = MONITORINFOEXW*;

// Raw input: a window that asks for a device's input gets WM_INPUT for it.
struct RAWINPUTDEVICE {
    WORD usUsagePage;
    WORD usUsage;
    DWORD dwFlags;
    HWND hwndTarget;
};
using PCRAWINPUTDEVICE = const RAWINPUTDEVICE*;
#define RIDEV_REMOVE 0x00000001
#define RIDEV_INPUTSINK 0x00000100
#define WM_INPUT 0x00FF
#define MONITORINFOF_PRIMARY 0x00000001
#define MONITOR_DEFAULTTONULL 0x00000000
#define MONITOR_DEFAULTTOPRIMARY 0x00000001
#define MONITOR_DEFAULTTONEAREST 0x00000002

// The fields of the shell's launch description that Vorn fills.
struct SHELLEXECUTEINFOW {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCWSTR lpVerb;
    LPCWSTR lpFile;
    LPCWSTR lpParameters;
    LPCWSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;
    void* lpIDList;
    LPCWSTR lpClass;
    HKEY hkeyClass;
    DWORD dwHotKey;
    HANDLE hIconOrMonitor;
    HANDLE hProcess;
};
#define SEE_MASK_FLAG_NO_UI 0x00000400
#define SEE_MASK_NOCLOSEPROCESS 0x00000040

#define HWND_BROADCAST (reinterpret_cast<HWND>(static_cast<UINT_PTR>(0xffff)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001)))
#define WTS_CURRENT_SERVER_HANDLE (static_cast<HANDLE>(nullptr))
#define WTS_CURRENT_SESSION (static_cast<DWORD>(-1))

// ShowWindow commands and WINDOWPLACEMENT show states
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9

// Window styles
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_CAPTION 0x00C00000L
#define WS_THICKFRAME 0x00040000L
#define WS_SYSMENU 0x00080000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_MINIMIZE 0x20000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define WS_EX_LAYERED 0x00080000
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_APPWINDOW 0x00040000L

#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)

#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002

// System metrics
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXMINTRACK 34
#define SM_CYMINTRACK 35
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#define SM_DIGITIZER 94

// System parameters
#define SPI_GETKEYBOARDSPEED 0x000A
#define SPI_GETSCREENSAVEACTIVE 16
#define SPI_SETSCREENSAVEACTIVE 17
#define SPI_SETDESKWALLPAPER 20
#define SPI_GETKEYBOARDDELAY 0x0016
#define SPI_GETWORKAREA 48
#define SPI_GETDESKWALLPAPER 0x0073
#define SPI_GETHIGHCONTRAST 0x0042
#define HCF_HIGHCONTRASTON 0x00000001
struct HIGHCONTRASTW {
    UINT cbSize;
    DWORD dwFlags;
    LPWSTR lpszDefaultScheme;
};

// System colours, as GetSysColor numbers them
#define COLOR_WINDOW 5
#define COLOR_WINDOWTEXT 8
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_HOTLIGHT 26
#define SPIF_UPDATEINIFILE 0x0001
#define SPIF_SENDCHANGE 0x0002

// Virtual keys
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_MBUTTON 0x04
#define VK_XBUTTON1 0x05
#define VK_XBUTTON2 0x06
#define VK_TAB 0x09
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SNAPSHOT 0x2C
#define VK_LWIN 0x5B
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F11 0x7A
#define VK_VOLUME_MUTE 0xAD
#define VK_VOLUME_DOWN 0xAE
#define VK_VOLUME_UP 0xAF
#define VK_MEDIA_NEXT_TRACK 0xB0
#define VK_MEDIA_PREV_TRACK 0xB1
#define VK_MEDIA_PLAY_PAUSE 0xB3
#define VK_OEM_PLUS 0xBB
#define VK_OEM_MINUS 0xBD

#define KEYEVENTF_EXTENDEDKEY 0x0001
#define MAPVK_VK_TO_CHAR 2
#define KEYEVENTF_KEYUP 0x0002
#define MOUSEEVENTF_LEFTDOWN 0x0002
#define MOUSEEVENTF_LEFTUP 0x0004

// Messages
#define WM_NULL 0x0000
#define WM_CLOSE 0x0010
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define SC_MINIMIZE 0xF020
#define SC_RESTORE 0xF120
#define SC_MONITORPOWER 0xF170
#define SMTO_ABORTIFHUNG 0x0002
#define WM_APP 0x8000
#define WM_COPYDATA 0x004A

struct COPYDATASTRUCT {
    ULONG_PTR dwData;
    DWORD cbData;
    void* lpData;
};

#define LOWORD(value) (static_cast<WORD>(static_cast<DWORD_PTR>(value) & 0xffff))
#define HIWORD(value) (static_cast<WORD>((static_cast<DWORD_PTR>(value) >> 16) & 0xffff))
#define MAKEWPARAM(low, high)                                                                                          \
    (static_cast<WPARAM>(static_cast<DWORD>(static_cast<WORD>(low)) |                                                  \
                         (static_cast<DWORD>(static_cast<WORD>(high)) << 16)))

// Keyboard cues (WM_CHANGEUISTATE, WM_UPDATEUISTATE)
#define UIS_SET 1
#define UIS_CLEAR 2
#define UIS_INITIALIZE 3
#define UISF_HIDEFOCUS 0x1
#define UISF_HIDEACCEL 0x2

// Keys in a dialog: the messages and the answers to WM_GETDLGCODE
#define WM_KEYDOWN 0x0100
#define WM_CHAR 0x0102
#define WM_SYSCHAR 0x0106
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000
#define VK_END 0x23

// Scroll-bar codes
#define SB_LINEUP 0
#define SB_LINEDOWN 1
#define SB_PAGEUP 2
#define SB_PAGEDOWN 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_BOTTOM 7
#define SB_ENDSCROLL 8

// Power and session
#define EWX_LOGOFF 0x00000000
#define EWX_SHUTDOWN 0x00000001
#define EWX_REBOOT 0x00000002
#define SHTDN_REASON_FLAG_PLANNED 0x80000000
#define TOKEN_ADJUST_PRIVILEGES 0x0020
#define TOKEN_QUERY 0x0008
#define SE_PRIVILEGE_ENABLED 0x00000002L
#define SE_SHUTDOWN_NAME L"SeShutdownPrivilege"
// Session notifications (WM_WTSSESSION_CHANGE) and power broadcasts (WM_POWERBROADCAST)
#define NOTIFY_FOR_THIS_SESSION 0
#define WTS_CONSOLE_CONNECT 0x1
#define WTS_CONSOLE_DISCONNECT 0x2
#define WTS_REMOTE_CONNECT 0x3
#define WTS_REMOTE_DISCONNECT 0x4
#define WTS_SESSION_LOGON 0x5
#define WTS_SESSION_LOGOFF 0x6
#define WTS_SESSION_LOCK 0x7
#define WTS_SESSION_UNLOCK 0x8
#define PBT_APMSUSPEND 0x0004
#define PBT_APMRESUMESUSPEND 0x0007
#define PBT_APMRESUMEAUTOMATIC 0x0012

// Registry
#define KEY_QUERY_VALUE 0x0001
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_MORE_DATA 234L
#define ERROR_NOT_ALL_ASSIGNED 1300L
#define REG_SZ 1
#define REG_EXPAND_SZ 2

#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

#endif  // _WIN32
