#include "framework/window.h"

#include <commctrl.h>

namespace vorn::ui {
namespace {
constexpr UINT_PTR kSubclassId = 0x566f726e;  // any value unique to this layer
}

CWnd::~CWnd()
{
    if (!handle_ || !IsWindow(handle_)) return;
    const HWND window = handle_;
    handle_ = nullptr;
    if (subclassed_) {
        // A control belongs to its parent: let go of it, do not destroy it.
        RemoveWindowSubclass(window, &CWnd::SubclassProcedure, kSubclassId);
        return;
    }
    // Unbind first, so that the messages of the destruction find no object.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
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
    return true;
}

void CWnd::Destroy()
{
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
}

CWnd* CWnd::FromHandle(HWND window)
{
    return window ? reinterpret_cast<CWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

void CWnd::Bind(HWND window)
{
    handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
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
        self->handle_ = nullptr;
        self->subclassed_ = false;
        self->OnFinalDestroy();
    }
    return result;
}

}  // namespace vorn::ui
