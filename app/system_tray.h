// The notification-area icon (Windows only): a hidden window that receives the
// icon's notifications, opens the settings window on a left click and the tray
// menu on a right click, and puts the icon back when the shell restarts.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "framework/handles.h"
#include "framework/window.h"

namespace vorn::ui {

class CSystemTray : public WithMessageTable<CSystemTray, CWnd> {
public:
    // `owner` is the main window: it gets the menu's commands.
    explicit CSystemTray(HWND owner) : owner_(owner) {}
    ~CSystemTray() override;

    // Creates the hidden window, adds the icon with the tip "Vorn" and loads
    // the menu of the same resource id. False when tray icons are unsupported.
    bool Create(UINT callbackMessage, HICON icon, UINT id);
    // The popup of the tray menu.
    HMENU Popup() const { return popup_; }
    bool IconShown() const { return !hidden_; }
    // A warning balloon from the icon (or a plain notice with NIIF_INFO).
    // False when the icon cannot show one.
    bool ShowBalloon(const std::wstring& title, const std::wstring& text, DWORD icon = NIIF_WARNING);
    // Runs just before the menu opens, while the window the user was in is
    // still in front: the owner brings the menu's items up to date.
    std::function<void(HMENU)> beforeMenu;
    // What the icon last gave the shell.
    const NOTIFYICONDATAW& IconData() const { return data_; }

    static std::span<const MessageEntry<CSystemTray>> MessageTable();

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    void OnNotification(WPARAM iconId, LPARAM mouseMessage);
    // Adds the icon again after the shell or the work area changed.
    void AddAgain();
    void RemoveIcon();

    HWND owner_;
    NOTIFYICONDATAW data_{};
    bool supported_ = false;
    bool hidden_ = true;
    bool removed_ = true;
    UINT defaultItem_ = 0;
    bool defaultByPosition_ = true;
    bool shellNewEnough_ = false;
    UINT savedFlags_ = 0;
    OwnedMenu menu_;
    HMENU popup_ = nullptr;
};

}  // namespace vorn::ui
