#include "framework/window.h"

#include <commctrl.h>

#include <unordered_map>

namespace vorn::ui {
namespace {
constexpr UINT_PTR kSubclassId = 0x566f726e;  // any value unique to this layer

// Every window that has an object, bound or subclassed. A control's own
// window data belongs to its class, so subclassed ones are found here.
std::unordered_map<HWND, CWnd*>& Objects()
{
    static std::unordered_map<HWND, CWnd*> objects;
    return objects;
}
}  // namespace

bool WalkPreTranslate(MSG& message)
{
    for (HWND window = message.hwnd; window; window = GetParent(window)) {
        if (CWnd* object = CWnd::FromHandle(window))
            if (object->PreTranslateMessage(message)) return true;
        if (!(GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) break;
    }
    return false;
}

CWnd::~CWnd()
{
    if (handle_) Objects().erase(handle_);
    if (!handle_ || !IsWindow(handle_)) return;
    const HWND window = handle_;
    handle_ = nullptr;
    if (subclassed_) {
        // A control belongs to its parent: let go of it, do not destroy it.
        RemoveWindowSubclass(window, &CWnd::SubclassProcedure, kSubclassId);
        return;
    }
    // Unbound first (above), so that the messages of the destruction find no object.
    DestroyWindow(window);
}

bool CWnd::RegisterWindowClass(LPCWSTR className, HICON icon)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) return true;
    windowClass.lpfnWndProc = &CWnd::WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0;
}

bool CWnd::Create(LPCWSTR className, LPCWSTR title, DWORD style, DWORD exStyle, const RECT& rect, HWND parent)
{
    const HWND window = CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                                        rect.bottom - rect.top, parent, nullptr, GetModuleHandleW(nullptr), this);
    return window != nullptr && window == handle_;
}

bool CWnd::Subclass(HWND window)
{
    if (!window || handle_) return false;
    if (!SetWindowSubclass(window, &CWnd::SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    handle_ = window;
    subclassed_ = true;
    Objects()[window] = this;
    return true;
}

void CWnd::Destroy()
{
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

CWnd* CWnd::FromHandle(HWND window)
{
    if (!window) return nullptr;
    const auto found = Objects().find(window);
    return found == Objects().end() ? nullptr : found->second;
}

void CWnd::Bind(HWND window)
{
    handle_ = window;
    Objects()[window] = this;
}

void CWnd::Unbind()
{
    if (handle_) Objects().erase(handle_);
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CWnd::DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (subclassed_) return DefSubclassProc(handle_, message, wParam, lParam);
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CWnd::Route(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result)) return result;
    return DefaultProcedure(message, wParam, lParam);
}

LRESULT CALLBACK CWnd::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* self = FromHandle(window);
    if (!self && message == WM_NCCREATE) {
        // The one moment the object meets its window.
        self = static_cast<CWnd*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) self->Bind(window);
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->Route(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        Objects().erase(window);
        self->handle_ = nullptr;
        self->OnFinalDestroy();
    }
    return result;
}

LRESULT CALLBACK CWnd::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data)
{
    auto* self = reinterpret_cast<CWnd*>(data);
    const LRESULT result = self->Route(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &CWnd::SubclassProcedure, kSubclassId);
        Objects().erase(window);
        self->handle_ = nullptr;
        self->subclassed_ = false;
        self->OnFinalDestroy();
    }
    return result;
}

}  // namespace vorn::ui
