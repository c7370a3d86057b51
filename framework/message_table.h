// Per-class message tables (Windows only): a window class lists which member
// function handles which message, command or notification, and one generic
// lookup dispatches through the list.
#pragma once

#include <span>

#include "platform/win.h"

namespace vorn::ui {

template <class Window> struct MessageEntry {
    enum class Kind {
        Message,
        Command,
        Notify
    };
    // Handlers take the message's parameters and return its result.
    using Handler = LRESULT (Window::*)(WPARAM, LPARAM);

    Kind kind;
    UINT message;  // for Kind::Message
    UINT id;       // control or command id, for Command and Notify
    UINT code;     // notification code, for Notify (and Command when kAnyCode is not given)
    Handler handler;
};

inline constexpr UINT kAnyCode = 0xFFFFFFFFu;

template <class Window>
constexpr MessageEntry<Window> MapMessage(UINT message, typename MessageEntry<Window>::Handler handler)
{
    return {MessageEntry<Window>::Kind::Message, message, 0, kAnyCode, handler};
}

// WM_COMMAND from a menu, accelerator or control with `id` (any notification
// code unless one is given).
template <class Window>
constexpr MessageEntry<Window> MapCommand(UINT id, typename MessageEntry<Window>::Handler handler, UINT code = kAnyCode)
{
    return {MessageEntry<Window>::Kind::Command, WM_COMMAND, id, code, handler};
}

template <class Window>
constexpr MessageEntry<Window> MapNotify(UINT id, UINT code, typename MessageEntry<Window>::Handler handler)
{
    return {MessageEntry<Window>::Kind::Notify, WM_NOTIFY, id, code, handler};
}

// Runs the first entry that matches; false when none does.
template <class Window>
bool DispatchThroughTable(Window& window, std::span<const MessageEntry<Window>> table, UINT message, WPARAM wParam,
                          LPARAM lParam, LRESULT& result)
{
    using Kind = typename MessageEntry<Window>::Kind;
    for (const auto& entry : table) {
        bool matches = false;
        switch (entry.kind) {
        case Kind::Message:
            matches = entry.message == message;
            break;
        case Kind::Command:
            matches = message == WM_COMMAND && LOWORD(wParam) == entry.id &&
                      (entry.code == kAnyCode || HIWORD(wParam) == entry.code);
            break;
        case Kind::Notify:
            if (message == WM_NOTIFY && lParam) {
                const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                matches = header->idFrom == entry.id && header->code == entry.code;
            }
            break;
        }
        if (matches) {
            result = (window.*entry.handler)(wParam, lParam);
            return true;
        }
    }
    return false;
}

}  // namespace vorn::ui
