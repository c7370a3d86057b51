#include "ui/preview_dlg.h"

#include <functional>

#include "engine/monitors.h"
#include "ui/controls.h"
#include "ui/preview_layout.h"

namespace vorn::ui {
namespace {

// 14 pixels at 100 %.
OwnedFont ArialAt(int escapement, int dpi)
{
    return OwnedFont(CreateFontW(MulDiv(14, dpi, 96), 0, escapement, escapement, FW_DONTCARE, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, L"Arial"));
}

// The scale of each monitor, in the order the port lists them (Windows 8.1
// on); the preview window's own where the system cannot tell.
std::function<int(int)> MonitorDpis(HWND window)
{
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor = reinterpret_cast<GetDpiForMonitorFunction>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor")));
    const int fallback = WindowDpi(window);
    if (!theData.cornersOnEveryMonitor || !getDpiForMonitor)
        return [fallback](int) { return fallback; };
    const MonitorList monitors = DisplayMonitors();
    return [monitors, fallback](int i) {
        if (i < 0 || i >= monitors.count) return fallback;
        const HMONITOR monitor = MonitorFromRect(&monitors.rects[static_cast<std::size_t>(i)], MONITOR_DEFAULTTONULL);
        UINT x = 0, y = 0;
        if (!monitor || getDpiForMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y) != S_OK || y == 0) return fallback;
        return static_cast<int>(y);
    };
}

POINT ScreenSize() { return POINT{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}; }

void MoveTo(HWND window, const RECT& r) { MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE); }

}  // namespace

CPreviewDlg::CPreviewDlg() : WithMessageTable(IDD_PREVIEW), modifier_(CurrentModifier()) {}

std::span<const MessageEntry<CPreviewDlg>> CPreviewDlg::MessageTable()
{
    static const MessageEntry<CPreviewDlg> table[] = {
        MapMessage<CPreviewDlg>(WM_PAINT, &CPreviewDlg::OnPaint),
        MapMessage<CPreviewDlg>(WM_SYSCOLORCHANGE, &CPreviewDlg::OnColoursChanged),
    };
    return table;
}

BOOL CPreviewDlg::OnInitDialog()
{
    // The display configuration is read once, not at every paint.
    slots_ = ConnectedMonitorSlots();
    const POINT size = ScreenSize();
    const PreviewPicture picture = ComputePreviewPicture(size.x, size.y, modifier_, MonitorDpis(handle_), slots_);
    MoveTo(handle_, picture.window);
    SetDlgItemTextW(handle_, IDC_LABEL_FIRST, PreviewLabel(modifier_));
    MoveTo(Item(IDC_LABEL_FIRST), picture.label);
    MoveTo(Item(IDOK), picture.close);
    // What a screen reader calls the window; it has no caption bar to show it.
    SetWindowTextW(handle_, L"Preview");
    Describe();
    return TRUE;
}

// The painted texts in words, on the window and on the Close button, which
// has the keyboard: a screen reader reads them as either comes into view.
void CPreviewDlg::Describe()
{
    const std::wstring text = PreviewDescription(modifier_, slots_);
    SetAccessibleDescription(handle_, text);
    SetAccessibleDescription(Item(IDOK), text);
}

LRESULT CPreviewDlg::OnColoursChanged(WPARAM, LPARAM)
{
    InvalidateRect(handle_, nullptr, TRUE);
    return 0;
}

// Shift and Ctrl pressed or let go switch the texts at once.
bool CPreviewDlg::PreTranslateMessage(MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        break;
    default:
        return false;
    }
    const ModifierKey now = CurrentModifier();
    if (now != modifier_) {
        modifier_ = now;
        SetDlgItemTextW(handle_, IDC_LABEL_FIRST, PreviewLabel(modifier_));
        Describe();
        InvalidateRect(handle_, nullptr, TRUE);
    }
    return false;
}

HFONT CPreviewDlg::FontFor(int escapement, int dpi)
{
    for (const ScaledFont& made : fonts_)
        if (made.escapement == escapement && made.dpi == dpi) return made.font.Get();
    fonts_.push_back(ScaledFont{escapement, dpi, ArialAt(escapement, dpi)});
    return fonts_.back().font.Get();
}

LRESULT CPreviewDlg::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(handle_, &paint);
    const POINT size = ScreenSize();
    const PreviewPicture picture = ComputePreviewPicture(size.x, size.y, modifier_, MonitorDpis(handle_), slots_);
    const OwnedBrush zone(CreateSolidBrush(ColourOf(ColourRole::PreviewZone)));
    for (const RECT& area : picture.areas)
        FillRect(dc, &area, zone.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourOf(ColourRole::PreviewText));
    const HGDIOBJ previous = GetCurrentObject(dc, OBJ_FONT);
    for (const PreviewText& text : picture.texts) {
        SelectObject(dc, FontFor(text.escapement, text.dpi));
        const UINT align = text.align == TextAlign::Left    ? TA_LEFT
                           : text.align == TextAlign::Right ? TA_RIGHT
                                                            : TA_CENTER;
        SetTextAlign(dc, align | TA_TOP);
        TextOutW(dc, text.at.x, text.at.y, text.text.c_str(), static_cast<int>(text.text.size()));
        if (!text.more.empty())
            TextOutW(dc, text.moreAt.x, text.moreAt.y, text.more.c_str(), static_cast<int>(text.more.size()));
    }
    SelectObject(dc, previous);
    EndPaint(handle_, &paint);
    return 0;
}

}  // namespace vorn::ui
