// The thin window layer (Windows only): a window object binds itself to its
// HWND once, when the window is created, and from then on every message goes
// to the object's OnMessage, which a class answers through its message table.
// Messages nobody answers go to the default procedure.
#pragma once

#include <span>

#include "framework/message_table.h"
#include "platform/win.h"

namespace vorn::ui {

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // A window still alive when its object goes is destroyed with it.
    virtual ~CWnd();

    HWND Handle() const { return handle_; }
    bool Exists() const { return handle_ && IsWindow(handle_); }

    // Registers a window class whose windows are bound to CWnd objects.
    static bool RegisterWindowClass(LPCWSTR className, HICON icon = nullptr);
    // Creates a window of such a class, bound to this object.
    bool Create(LPCWSTR className, LPCWSTR title, DWORD style, DWORD exStyle, const RECT& rect, HWND parent);
    // Binds this object to an existing window (a control) by subclassing it.
    bool Subclass(HWND window);
    void Destroy();

    // The object bound to a window, if any; subclassed controls included.
    static CWnd* FromHandle(HWND window);

    // A message on its way to this window or one of its children, before it
    // is dispatched; true when it was dealt with and must go no further.
    virtual bool PreTranslateMessage(MSG& /*message*/) { return false; }
    // A control's colour query, passed back from its parent: the brush for
    // its background, or null to leave it to the parent.
    virtual HBRUSH ReflectedColour(HDC /*dc*/) { return nullptr; }
    // A control's notification, passed back from its parent; true when the
    // control dealt with it and the parent must not.
    virtual bool ReflectedCommand(UINT /*code*/) { return false; }

protected:
    // True when the message was handled; `result` is then its answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    // After the last message: the window is gone, the object stays.
    virtual void OnFinalDestroy() {}

    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND window);
    void Unbind();

    HWND handle_ = nullptr;
    bool subclassed_ = false;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR data);
};

// Adds a class's own message table in front of its base's handling:
//   class CTray : public WithMessageTable<CTray, CWnd> { ...
//       static std::span<const MessageEntry<CTray>> MessageTable(); };
// with entries made by MapMessage, MapCommand and MapNotify.
template <class Derived, class Base> class WithMessageTable : public Base {
public:
    using Base::Base;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        return DispatchThroughTable<Derived>(static_cast<Derived&>(*this), Derived::MessageTable(), message, wParam,
                                             lParam, result) ||
               Base::OnMessage(message, wParam, lParam, result);
    }
};

// Offers a message taken from the queue to the objects of its window and its
// parents, innermost first, up to the top-level window; true when one of them
// dealt with it. Message loops (the program's and a modal dialog's) call it.
bool WalkPreTranslate(MSG& message);

}  // namespace vorn::ui
