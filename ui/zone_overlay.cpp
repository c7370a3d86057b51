// The zones drawn over the screen (Windows only).
#include "ui/zone_overlay.h"

#include <array>

#include "framework/handles.h"
#include "ui/contrast.h"
#include "ui/controls.h"

namespace vorn::ui {
namespace {

constexpr wchar_t kOverlayClass[] = L"VornZoneOverlay";
// Often enough that a click or Esc ends it at once to the eye.
constexpr UINT kKeysMs = 50;
// Drawn in this colour is see-through; no zone or name uses it.
constexpr COLORREF kClear = RGB(255, 0, 254);
constexpr BYTE kOpacity = 210;
constexpr int kPadding = 3;  // around a name, inside its box

// A light colour for each zone, in EdgeZone order, with dark text on it.
constexpr std::array<COLORREF, kZoneCount> kZoneColours = {
    RGB(255, 120, 120), RGB(120, 200, 255), RGB(140, 230, 120), RGB(255, 200, 90),
    RGB(200, 150, 255), RGB(255, 160, 220), RGB(110, 230, 210), RGB(230, 230, 110),
};

// The keys that end the showing, each with its bit in `ignored_`.
constexpr int kEndKeys[] = {VK_ESCAPE, VK_LBUTTON, VK_RBUTTON};

bool DownNow(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

OwnedFont LabelFont()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return OwnedFont(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Segoe UI"));
}

}  // namespace

CZoneOverlay::CZoneOverlay() : keyDown(&DownNow) {}

std::span<const MessageEntry<CZoneOverlay>> CZoneOverlay::MessageTable()
{
    static const MessageEntry<CZoneOverlay> table[] = {
        MapMessage<CZoneOverlay>(WM_PAINT, &CZoneOverlay::OnPaint),
        MapMessage<CZoneOverlay>(WM_ERASEBKGND, &CZoneOverlay::OnEraseBackground),
        MapMessage<CZoneOverlay>(WM_TIMER, &CZoneOverlay::OnTimer),
        MapMessage<CZoneOverlay>(WM_MOUSEACTIVATE, &CZoneOverlay::OnMouseActivate),
    };
    return table;
}

void CZoneOverlay::Show()
{
    if (!handle_) {
        RegisterWindowClass(kOverlayClass);
        if (!Create(kOverlayClass, L"Vorn zones", WS_POPUP,
                    WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                    RECT{0, 0, 0, 0}, nullptr))
            return;
        SetLayeredWindowAttributes(handle_, kClear, kOpacity, LWA_COLORKEY | LWA_ALPHA);
    }
    // The names are measured with the font they are drawn in.
    const OwnedFont font = LabelFont();
    const HDC dc = GetDC(handle_);
    const HGDIOBJ previous = SelectObject(dc, font.Get());
    const auto measure = [dc](const std::wstring& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return SIZE{size.cx + 2 * kPadding, size.cy + 2 * kPadding};
    };
    zones_ = ComputeOverlayZones(theData, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                 ConnectedMonitorSlots(), CurrentModifier(), measure);
    SelectObject(dc, previous);
    ReleaseDC(handle_, dc);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    bounds_ = OverlayBounds(zones_, RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                         top + GetSystemMetrics(SM_CYVIRTUALSCREEN)});

    // The click that asked for the zones (a spin's arrow, held) is no click
    // that ends them.
    if (!Shown()) ignored_ = 0;
    for (std::size_t i = 0; i < std::size(kEndKeys); ++i)
        if (keyDown(kEndKeys[i])) ignored_ |= 1u << i;
    SetWindowPos(handle_, HWND_TOPMOST, bounds_.left, bounds_.top, bounds_.right - bounds_.left,
                 bounds_.bottom - bounds_.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(handle_, nullptr, FALSE);
    SetTimer(handle_, kKeysTimer, kKeysMs, nullptr);
    SetTimer(handle_, kEndTimer, kShownMs, nullptr);  // again from now
}

void CZoneOverlay::Hide()
{
    if (!handle_) return;
    KillTimer(handle_, kKeysTimer);
    KillTimer(handle_, kEndTimer);
    ShowWindow(handle_, SW_HIDE);
}

bool CZoneOverlay::CheckKeys()
{
    if (!Shown()) return false;
    for (std::size_t i = 0; i < std::size(kEndKeys); ++i) {
        const unsigned bit = 1u << i;
        const bool now = keyDown(kEndKeys[i]);
        if (!now) {
            ignored_ &= ~bit;
        } else if (!(ignored_ & bit)) {
            Hide();
            return true;
        }
    }
    return false;
}

LRESULT CZoneOverlay::OnTimer(WPARAM wParam, LPARAM)
{
    if (wParam == kEndTimer)
        Hide();
    else if (wParam == kKeysTimer)
        CheckKeys();
    return 0;
}

LRESULT CZoneOverlay::OnMouseActivate(WPARAM, LPARAM) { return MA_NOACTIVATE; }

LRESULT CZoneOverlay::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT CZoneOverlay::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(handle_, &paint);
    RECT client{};
    GetClientRect(handle_, &client);
    const OwnedBrush clear(CreateSolidBrush(kClear));
    FillRect(dc, &client, clear.Get());
    // In high contrast the theme's colours, which are never the clear one's
    // exact shade: the zones in the highlight, the names as window text.
    const bool contrast = HighContrastOn();
    const OwnedFont font = LabelFont();
    const HGDIOBJ previous = SelectObject(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    const auto moved = [this](RECT r) {
        return RECT{r.left - bounds_.left, r.top - bounds_.top, r.right - bounds_.left, r.bottom - bounds_.top};
    };
    for (const OverlayZone& zone : zones_) {
        const COLORREF fill = contrast ? GetSysColor(COLOR_HIGHLIGHT) : kZoneColours[static_cast<std::size_t>(zone.zone)];
        const OwnedBrush brush(CreateSolidBrush(fill));
        for (const RECT& part : zone.parts) {
            const RECT r = moved(part);
            FillRect(dc, &r, brush.Get());
        }
        if (zone.name.empty()) continue;
        RECT label = moved(zone.label);
        const OwnedBrush back(contrast ? CreateSolidBrush(GetSysColor(COLOR_WINDOW)) : nullptr);
        FillRect(dc, &label, back ? back.Get() : brush.Get());
        if (contrast) FrameRect(dc, &label, GetSysColorBrush(COLOR_WINDOWTEXT));
        SetTextColor(dc, contrast ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0));
        DrawTextW(dc, zone.name.c_str(), static_cast<int>(zone.name.size()), &label,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, previous);
    EndPaint(handle_, &paint);
    return 0;
}

}  // namespace vorn::ui
