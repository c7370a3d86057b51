// The wait ring's window (Windows only).
#include "ui/wait_ring.h"

#include "ui/contrast.h"
#include "ui/wait_ring_model.h"

namespace vorn::ui {
namespace {

constexpr wchar_t kRingClass[] = L"VornWaitRing";
// The see-through background; no theme paints with it.
constexpr COLORREF kClear = RGB(255, 0, 254);

using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// The pointer's monitor's scale where the system tells it per monitor
// (Windows 8.1 on), else the system's.
UINT DpiAt(HMONITOR monitor)
{
    static const auto forMonitor = [] {
        const HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<DpiForMonitor>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (forMonitor && forMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y) == S_OK && x) return x;
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

}  // namespace

bool CWaitRing::Make()
{
    if (Exists()) return true;
    RegisterWindowClass(kRingClass);
    if (!Create(kRingClass, L"",
                WS_POPUP, WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                RECT{0, 0, kWaitRingSize, kWaitRingSize}, nullptr))
        return false;
    SetLayeredWindowAttributes(handle_, kClear, 0, LWA_COLORKEY);
    return true;
}

void CWaitRing::WaitBegins(POINT at, DWORD wait, DWORD left)
{
    if (!Make()) return;
    wait_ = wait;
    left_ = left;
    began_ = GetTickCount();
    highContrast_ = HighContrastOn();
    const HMONITOR monitor = MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) info.rcMonitor = RECT{at.x - 100, at.y - 100, at.x + 100, at.y + 100};
    const RECT place = WaitRingPlace(at, WaitRingSide(DpiAt(monitor)), info.rcMonitor);
    InvalidateRect(handle_, nullptr, FALSE);
    SetWindowPos(handle_, HWND_TOPMOST, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (Fraction() < 1.0) SetTimer(handle_, kFillTimerId, kFillEveryMs, nullptr);
}

void CWaitRing::WaitEnds()
{
    if (!Exists()) return;
    KillTimer(handle_, kFillTimerId);
    ShowWindow(handle_, SW_HIDE);
}

double CWaitRing::Fraction() const { return WaitFraction(wait_, left_, GetTickCount() - began_); }

bool CWaitRing::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_TIMER:
        if (wParam != kFillTimerId) break;
        InvalidateRect(handle_, nullptr, FALSE);
        // Full, it stays as it is until the wait ends.
        if (Fraction() >= 1.0) KillTimer(handle_, kFillTimerId);
        result = 0;
        return true;
    case WM_PAINT:
        Paint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_MOUSEACTIVATE:
        result = MA_NOACTIVATE;
        return true;
    case WM_NCHITTEST:
        result = HTTRANSPARENT;
        return true;
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
}

// A track, the part gone filled clockwise from the top, and a hole: in the
// theme's highlight and text colours in high contrast.
void CWaitRing::Paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(handle_, &paint);
    if (!dc) return;
    RECT box;
    GetClientRect(handle_, &box);
    const COLORREF fill = highContrast_ ? GetSysColor(COLOR_HIGHLIGHT) : RGB(0, 120, 215);
    const COLORREF track = highContrast_ ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255);
    const COLORREF outline = highContrast_ ? GetSysColor(COLOR_WINDOWTEXT) : RGB(64, 64, 64);
    const HBRUSH clearBrush = CreateSolidBrush(kClear);
    const HBRUSH trackBrush = CreateSolidBrush(track);
    const HBRUSH fillBrush = CreateSolidBrush(fill);
    const HPEN pen = CreatePen(PS_SOLID, 1, outline);
    FillRect(dc, &box, clearBrush);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(dc, trackBrush);
    Ellipse(dc, box.left, box.top, box.right, box.bottom);

    const double fraction = Fraction();
    SelectObject(dc, fillBrush);
    const POINT top = WaitRingFillEnd(box, 0.0);
    const POINT end = WaitRingFillEnd(box, fraction);
    if (fraction >= 1.0) {
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
    } else if (fraction > 0.0 && (end.x != top.x || end.y != top.y)) {
        SetArcDirection(dc, AD_CLOCKWISE);
        Pie(dc, box.left, box.top, box.right, box.bottom, top.x, top.y, end.x, end.y);
    }

    const int inset = (box.right - box.left) / 4;
    SelectObject(dc, clearBrush);
    Ellipse(dc, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    DeleteObject(fillBrush);
    DeleteObject(trackBrush);
    DeleteObject(clearBrush);
    EndPaint(handle_, &paint);
}

}  // namespace vorn::ui
