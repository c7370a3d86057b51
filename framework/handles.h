// Owners for USER and GDI handles (Windows only): each releases its handle
// the way that kind of handle must be released, exactly once.
#pragma once

#include <utility>

#include "platform/win.h"
#include <commctrl.h>

namespace vorn::ui {

template <typename Handle, typename Deleter> class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~Owned() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    Handle Release() { return std::exchange(handle_, Handle{}); }
    void Reset(Handle handle = Handle{})
    {
        if (handle_) Deleter{}(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyImageListHandle {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
struct DestroyWindowHandle {
    void operator()(HWND window) const { DestroyWindow(window); }
};

using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedMenu = Owned<HMENU, DestroyMenuHandle>;
using OwnedIcon = Owned<HICON, DestroyIconHandle>;
using OwnedImageList = Owned<HIMAGELIST, DestroyImageListHandle>;
using OwnedWindow = Owned<HWND, DestroyWindowHandle>;
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = Owned<HANDLE, CloseKernelHandle>;

// A device context borrowed from a window, given back at the end of scope.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context until the end of scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace vorn::ui
