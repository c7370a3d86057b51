#include "app/system_tray.h"

#include <cwchar>

#include <shellapi.h>

namespace vorn::ui {
namespace {

constexpr wchar_t kTrayClass[] = L"VornTrayWindow";

// Broadcast by the shell when it starts, for example after Explorer restarted.
UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

OSVERSIONINFOW SystemVersion()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    return version;
}

}  // namespace

std::span<const MessageEntry<CSystemTray>> CSystemTray::MessageTable()
{
    static const MessageEntry<CSystemTray> table[] = {
        MapMessage<CSystemTray>(WM_SETTINGCHANGE, &CSystemTray::OnSettingChange),
    };
    return table;
}

CSystemTray::~CSystemTray()
{
    RemoveIcon();
    Destroy();
}

bool CSystemTray::Create(UINT callbackMessage, HICON icon, UINT id)
{
    TaskbarCreatedMessage();  // registered now, before the shell could send it
    const OSVERSIONINFOW version = SystemVersion();
    supported_ = version.dwMajorVersion >= 4;
    if (!supported_) return false;
    shellNewEnough_ = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;

    RegisterWindowClass(kTrayClass);
    if (!CWnd::Create(kTrayClass, L"", WS_POPUP, 0, RECT{0, 0, 0, 0}, nullptr)) return false;

    data_.cbSize = sizeof(data_);
    data_.hWnd = handle_;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon;
    wcsncpy(data_.szTip, L"Vorn", std::size(data_.szTip) - 1);
    savedFlags_ = data_.uFlags;
    if (shellNewEnough_ && Shell_NotifyIconW(NIM_ADD, &data_)) {
        hidden_ = false;
        removed_ = false;
    }

    menu_.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
    popup_ = menu_ ? GetSubMenu(menu_.Get(), 0) : nullptr;
    return true;
}

bool CSystemTray::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Both messages are registered at run time, so they cannot sit in the table.
    if (supported_ && message == data_.uCallbackMessage && message != 0) {
        OnNotification(wParam, lParam);
        result = 0;
        return true;
    }
    if (message == TaskbarCreatedMessage()) {
        if (!hidden_) AddAgain();
        result = 0;
        return true;
    }
    return WithMessageTable::OnMessage(message, wParam, lParam, result);
}

LRESULT CSystemTray::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    if (wParam == SPI_SETWORKAREA && !hidden_) AddAgain();
    return DefaultProcedure(WM_SETTINGCHANGE, wParam, lParam);
}

void CSystemTray::AddAgain()
{
    data_.uFlags = savedFlags_;
    // Where the icon survived (a work-area change, a shell that kept it), the
    // add fails; updating it in place then keeps it counted as shown.
    const bool shown = Shell_NotifyIconW(NIM_ADD, &data_) || Shell_NotifyIconW(NIM_MODIFY, &data_);
    hidden_ = !shown;
    if (shown) removed_ = false;
}

bool CSystemTray::ShowBalloon(const std::wstring& title, const std::wstring& text, DWORD icon)
{
    if (!supported_ || hidden_) return false;
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    wcsncpy(balloon.szInfoTitle, title.c_str(), std::size(balloon.szInfoTitle) - 1);
    balloon.szInfoTitle[std::size(balloon.szInfoTitle) - 1] = L'\0';
    wcsncpy(balloon.szInfo, text.c_str(), std::size(balloon.szInfo) - 1);
    balloon.szInfo[std::size(balloon.szInfo) - 1] = L'\0';
    balloon.dwInfoFlags = icon;
    balloon.uTimeout = 15000;
    if (!Shell_NotifyIconW(NIM_MODIFY, &balloon)) return false;
    // Kept for the record; the flags stay those of the icon itself, so that a
    // re-add after the shell restarts does not show the balloon again.
    data_ = balloon;
    data_.uFlags = savedFlags_;
    return true;
}

void CSystemTray::OnNotification(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != data_.uID || !owner_ || !IsWindow(owner_)) return;
    if (LOWORD(mouseMessage) == WM_RBUTTONUP) {
        if (!popup_) return;
        if (beforeMenu) beforeMenu(popup_);
        SetMenuDefaultItem(popup_, defaultItem_, defaultByPosition_);
        POINT pointer{};
        GetCursorPos(&pointer);
        SetForegroundWindow(owner_);
        TrackPopupMenu(popup_, TPM_LEFTBUTTON, pointer.x, pointer.y, 0, owner_, nullptr);
        // Lets the menu close when the user clicks elsewhere.
        PostMessageW(owner_, WM_NULL, 0, 0);
    } else if (LOWORD(mouseMessage) == WM_LBUTTONDOWN) {
        SetForegroundWindow(owner_);
        if (!popup_) return;
        const UINT command = defaultByPosition_ ? GetMenuItemID(popup_, static_cast<int>(defaultItem_)) : defaultItem_;
        PostMessageW(owner_, WM_COMMAND, command, 0);
    }
}

void CSystemTray::RemoveIcon()
{
    if (!supported_ || removed_) return;
    if (Shell_NotifyIconW(NIM_DELETE, &data_)) {
        hidden_ = true;
        removed_ = true;
    }
}

}  // namespace vorn::ui
