#include "ui/controls.h"

#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>

#include "actions/util.h"
#include "ui/picture_accessible.h"

namespace vorn::ui {
namespace {

constexpr UINT_PTR kHoverTimer = 2;
constexpr UINT kHoverCheckMs = 100;

// A font like `font` with underline on or off.
HFONT FontLike(HFONT font, bool underline)
{
    LOGFONTW description{};
    if (!GetObjectW(font, sizeof(description), &description)) return nullptr;
    description.lfUnderline = underline ? TRUE : FALSE;
    return CreateFontIndirectW(&description);
}

}  // namespace

HBRUSH CTransparentStatic::ReflectedColour(HDC dc)
{
    if (!theUtil.vistaOrLater) return nullptr;
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// --- links ---------------------------------------------------------------------------

CHyperLink::~CHyperLink()
{
    if (handle_) KillTimer(handle_, kHoverTimer);
}

std::span<const MessageEntry<CHyperLink>> CHyperLink::MessageTable()
{
    static const MessageEntry<CHyperLink> table[] = {
        MapMessage<CHyperLink>(WM_MOUSEMOVE, &CHyperLink::OnMouseMove),
        MapMessage<CHyperLink>(WM_TIMER, &CHyperLink::OnTimer),
        MapMessage<CHyperLink>(WM_SETCURSOR, &CHyperLink::OnSetCursor),
        MapMessage<CHyperLink>(WM_ERASEBKGND, &CHyperLink::OnEraseBackground),
        MapMessage<CHyperLink>(WM_GETDLGCODE, &CHyperLink::OnGetDialogCode),
        MapMessage<CHyperLink>(WM_KEYDOWN, &CHyperLink::OnKeyDown),
        MapMessage<CHyperLink>(WM_SETFOCUS, &CHyperLink::OnSetFocus),
        MapMessage<CHyperLink>(WM_KILLFOCUS, &CHyperLink::OnKillFocus),
        MapMessage<CHyperLink>(WM_PAINT, &CHyperLink::OnPaint),
    };
    return table;
}

bool CHyperLink::Attach(HWND control)
{
    if (!control) return false;
    // Clicks and mouse messages reach a static control only with SS_NOTIFY;
    // the keyboard, as a tab stop.
    AddStyle(control, SS_NOTIFY | WS_TABSTOP);

    const std::wstring text = ControlText(control);
    if (url.empty()) url = text;
    if (text.empty()) SetWindowTextW(control, url.c_str());

    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!font) font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    normalFont_.Reset(FontLike(font, false));
    underlineFont_.Reset(FontLike(font, true));
    if (!Subclass(control)) return false;

    FitToText();
    if (!linkCursor) linkCursor = LoadCursorW(nullptr, IDC_HAND);

    toolTip_.Reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (toolTip_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = handle_;
        tool.uId = 1;
        GetClientRect(handle_, &tool.rect);
        tool.lpszText = url.data();
        SendMessageW(toolTip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

void CHyperLink::FitToText()
{
    if (!handle_ || !IsWindow(handle_)) return;
    const HWND parent = GetParent(handle_);
    RECT window{};
    GetWindowRect(handle_, &window);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    RECT client{};
    GetClientRect(handle_, &client);

    const std::wstring text = ControlText(handle_);
    SIZE extent{};
    SIZE space{};
    {
        const WindowDC dc(handle_);
        const Selected font(dc.Get(), underlineFont_.Get());
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
        GetTextExtentPoint32W(dc.Get(), L" ", 1, &space);
    }
    // The text plus the control's own border on each axis.
    const int height = extent.cy + (window.bottom - window.top) - (client.bottom - client.top);
    // Some room beyond the measured text: the static control's own drawing
    // came out wider than the measurement under Wine and clipped the last glyph.
    const int width =
        extent.cx + space.cx + extent.cx / 10 + (window.right - window.left) - (client.right - client.left);
    const LONG style = GetWindowLongW(handle_, GWL_STYLE);
    if (style & SS_CENTERIMAGE) {
        const int middle = (window.top + window.bottom) / 2;
        window.top = middle - height / 2;
    }
    window.bottom = window.top + height;
    if ((style & SS_TYPEMASK) == SS_CENTER) {
        const int middle = (window.left + window.right) / 2;
        window.left = middle - width / 2;
        window.right = window.left + width;
    } else if ((style & SS_TYPEMASK) == SS_RIGHT) {
        window.left = window.right - width;
    } else {
        window.right = window.left + width;
    }
    SetWindowPos(handle_, nullptr, window.left, window.top, window.right - window.left, window.bottom - window.top,
                 SWP_NOZORDER);
}

LRESULT CHyperLink::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (!over) {
        over = true;
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(underlineFont_.Get()), TRUE);
        InvalidateRect(handle_, nullptr, TRUE);
        SetTimer(handle_, kHoverTimer, kHoverCheckMs, nullptr);
    }
    return DefaultProcedure(WM_MOUSEMOVE, wParam, lParam);
}

// The pointer left when a check finds it outside: a static control gets no
// word of its leaving.
LRESULT CHyperLink::OnTimer(WPARAM wParam, LPARAM lParam)
{
    const DWORD position = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(handle_, &point);
    RECT client{};
    GetClientRect(handle_, &client);
    if (!PtInRect(&client, point)) {
        over = false;
        KillTimer(handle_, kHoverTimer);
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.Get()), TRUE);
        client.bottom += 10;
        InvalidateRect(handle_, &client, TRUE);
    }
    return DefaultProcedure(WM_TIMER, wParam, lParam);
}

LRESULT CHyperLink::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (!linkCursor) return DefaultProcedure(WM_SETCURSOR, wParam, lParam);
    SetCursor(linkCursor);
    return TRUE;
}

LRESULT CHyperLink::OnEraseBackground(WPARAM wParam, LPARAM)
{
    RECT client{};
    GetClientRect(handle_, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

// The dialog manager offers it Enter, which would otherwise go to the page.
LRESULT CHyperLink::OnGetDialogCode(WPARAM wParam, LPARAM lParam)
{
    LRESULT code = DefaultProcedure(WM_GETDLGCODE, wParam, lParam);
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT CHyperLink::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (wParam != VK_RETURN && wParam != VK_SPACE) return DefaultProcedure(WM_KEYDOWN, wParam, lParam);
    // The same command a click sends, which the page passes back here first.
    SendMessageW(GetParent(handle_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(handle_), STN_CLICKED),
                 reinterpret_cast<LPARAM>(handle_));
    return 0;
}

// The outline comes and goes with the focus.
LRESULT CHyperLink::OnSetFocus(WPARAM wParam, LPARAM lParam)
{
    InvalidateRect(handle_, nullptr, TRUE);
    return DefaultProcedure(WM_SETFOCUS, wParam, lParam);
}

LRESULT CHyperLink::OnKillFocus(WPARAM wParam, LPARAM lParam)
{
    InvalidateRect(handle_, nullptr, TRUE);
    return DefaultProcedure(WM_KILLFOCUS, wParam, lParam);
}

// The static draws its text; the focus outline goes round it, over the part
// just drawn.
LRESULT CHyperLink::OnPaint(WPARAM wParam, LPARAM lParam)
{
    const bool focusShows = GetFocus() == handle_ && !(SendMessageW(handle_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    if (!focusShows) return DefaultProcedure(WM_PAINT, wParam, lParam);
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(handle_, region, FALSE);
    const LRESULT result = DefaultProcedure(WM_PAINT, wParam, lParam);
    {
        const WindowDC dc(handle_);
        SelectClipRgn(dc.Get(), region);
        RECT client{};
        GetClientRect(handle_, &client);
        DrawFocusRect(dc.Get(), &client);
    }
    DeleteObject(region);
    return result;
}

HBRUSH CHyperLink::ReflectedColour(HDC dc)
{
    if (HighContrastOn()) {
        SetTextColor(dc, ColourOf(over ? ColourRole::LinkHover : visited ? ColourRole::LinkVisited : ColourRole::Link));
        SetBkColor(dc, ColourOf(ColourRole::Page));
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetTextColor(dc, over ? hoverColour : visited ? visitedColour : linkColour);
    if (theUtil.vistaOrLater) {
        // Links on the untitled pages sit on the window colour.
        const HWND parent = GetParent(handle_);
        const bool titled = parent && GetWindowTextLengthW(parent) > 0;
        SetBkColor(dc, GetSysColor(titled ? COLOR_BTNFACE : COLOR_WINDOW));
    } else {
        SetBkMode(dc, TRANSPARENT);
    }
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

bool CHyperLink::ReflectedCommand(UINT code)
{
    if (code != STN_CLICKED) return false;
    over = false;
    if (url.compare(0, 3, L"www") != 0) return false;  // the page's own command
    ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOW);
    visited = true;
    if (handle_ && IsWindow(handle_)) InvalidateRect(handle_, nullptr, TRUE);
    return true;
}

bool CHyperLink::PreTranslateMessage(MSG& message)
{
    if (toolTip_ && message.hwnd == handle_)
        SendMessageW(toolTip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    return false;
}

void CHyperLink::OnFinalDestroy()
{
    // The tip was owned by the link and went with it.
    (void)toolTip_.Release();
}

std::wstring ControlText(HWND control)
{
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    return text;
}

HWND CreatePageToolTip(HWND page, std::span<const ControlTip> tools, DWORD style)
{
    // Tips show names and descriptions as typed: an "&" is no mnemonic.
    const HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | style, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, page, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip) return nullptr;
    SendMessageW(tip, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 15000);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 250);
    SendMessageW(tip, TTM_SETDELAYTIME, TTDT_RESHOW, 250);
    for (const ControlTip& control : tools) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = page;
        tool.uId = reinterpret_cast<UINT_PTR>(control.control);
        tool.lpszText = const_cast<wchar_t*>(control.text);
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tip;
}

void ShowPageTip(HWND tip, HWND page, HWND control, std::wstring text, const MSG& message)
{
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = page;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text.data();
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    RelayToTip(tip, message);
}

void RelayToTip(HWND tip, const MSG& message)
{
    MSG relayed = message;
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

POINT MessagePoint(const MSG& message)
{
    return POINT{static_cast<LONG>(LOWORD(message.lParam)), static_cast<LONG>(HIWORD(message.lParam))};
}

MSG MouseMoveAt(HWND window, LPARAM lParam)
{
    MSG move{};
    move.hwnd = window;
    move.message = WM_MOUSEMOVE;
    move.lParam = lParam;
    return move;
}

void DrawPicture(HDC dc, HBITMAP picture, SIZE size)
{
    if (!picture) return;
    const HDC memory = CreateCompatibleDC(dc);
    {
        const Selected selected(memory, picture);
        BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    }
    DeleteDC(memory);
}

int WindowDpi(HWND window)
{
    // GetDpiForWindow came with Windows 10; before it, the system's one DPI.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

HBITMAP LoadScaledImageStrip(int id, const ImageStrip& strip, int dpi)
{
    const OwnedBitmap source(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!source) return nullptr;
    const ScaledImageStrip scaled = ScaleImageStrip(strip, dpi);
    const HDC screen = GetDC(nullptr);
    HBITMAP result = CreateCompatibleBitmap(screen, scaled.size.cx, scaled.size.cy);
    const HDC from = CreateCompatibleDC(screen);
    const HDC to = CreateCompatibleDC(screen);
    if (result) {
        const Selected inFrom(from, source.Get());
        const Selected inTo(to, result);
        SetStretchBltMode(to, COLORONCOLOR);
        for (int index = 0; index < strip.count; ++index) {
            const RECT s = scaled.Source(index), d = scaled.Cell(index);
            StretchBlt(to, d.left, d.top, d.right - d.left, d.bottom - d.top, from, s.left, s.top, s.right - s.left,
                       s.bottom - s.top, SRCCOPY);
        }
    }
    DeleteDC(to);
    DeleteDC(from);
    ReleaseDC(nullptr, screen);
    return result;
}

HIMAGELIST CreateStripImageList(int id, const ImageStrip& strip, int dpi, int grow)
{
    const SIZE cell = ScaleImageStrip(strip, dpi).cell;
    // With a mask, so that the strip's magenta shows what is behind the image.
    HIMAGELIST images = ImageList_Create(cell.cx, cell.cy, ILC_COLOR24 | ILC_MASK, strip.count, grow);
    const OwnedBitmap bitmap(LoadScaledImageStrip(id, strip, dpi));
    if (images && bitmap) ImageList_AddMasked(images, bitmap.Get(), RGB(255, 0, 255));
    return images;
}

HBITMAP BitmapOf(const MonitorArtwork& art)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = art.width;
    info.bmiHeader.biHeight = -art.height;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return bitmap;
    auto* out = static_cast<DWORD*>(bits);
    for (const Rgb& p : art.pixels)
        *out++ = (static_cast<DWORD>(p.r) << 16) | (static_cast<DWORD>(p.g) << 8) | p.b;
    return bitmap;
}

COLORREF ColourOf(ColourRole role)
{
    const ColourChoice choice = ChooseColour(role, HighContrastOn());
    return choice.IsSystem() ? GetSysColor(choice.systemIndex) : choice.fixed;
}

namespace {

// The annotation service, its interface and the two properties it is given
// here, spelled out: MinGW's import library carries oleacc's identifiers as
// code, and knows no identifier of the interface.
constexpr CLSID kAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID kDescriptionProperty = {0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};

// The annotation stays with the window; COM is needed only to set it, and
// is not kept (see the folder dialog of the Settings page). oleacc, which
// serves it, is kept loaded: otherwise each annotation would load it anew
// when COM lets it go.
bool Annotate(HWND window, const GUID& property, const std::wstring& text)
{
    if (!window || !LoadAccessibility()) return false;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccPropServices* services = nullptr;
    HRESULT result = CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kAccPropServicesInterface,
                                      reinterpret_cast<void**>(&services));
    if (SUCCEEDED(result) && services) {
        result =
            services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, text.c_str());
        services->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return SUCCEEDED(result);
}

}  // namespace

bool SetAccessibleName(HWND window, const std::wstring& name) { return Annotate(window, kNameProperty, name); }

bool SetAccessibleDescription(HWND window, const std::wstring& text)
{
    return Annotate(window, kDescriptionProperty, text);
}

void AddStyle(HWND window, LONG style) { SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | style); }

void FillModifierList(HWND combo)
{
    for (const wchar_t* name : {L"Plain (not Ctrl or Shift)", L"Shift", L"Ctrl"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

}  // namespace vorn::ui
