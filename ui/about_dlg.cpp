#include "ui/about_dlg.h"

#include "ui/diagram_picture.h"

#include <cwchar>
#include <vector>

namespace vorn::ui {

std::wstring GetFileVersionString(const std::wstring& path)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) return {};
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return {};
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD))
        return {};
    const unsigned long key = (static_cast<unsigned long>(translation[0]) << 16) | translation[1];
    wchar_t query[64];
    std::swprintf(query, 64, L"\\StringFileInfo\\%08lx\\FileVersion", key);
    wchar_t* version = nullptr;
    if (!VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&version), &length) || !version) return {};
    return std::wstring(version, wcsnlen(version, length));
}

std::wstring LocalHelpPath()
{
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const std::size_t separator = path.find_last_of(L"\\/");
    return (separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1)) + L"help.htm";
}

std::span<const MessageEntry<CAboutDlg>> CAboutDlg::MessageTable()
{
    static const MessageEntry<CAboutDlg> table[] = {
        MapCommand<CAboutDlg>(IDC_WEB_HELP, &CAboutDlg::OnWebHelp),
        MapCommand<CAboutDlg>(IDC_LOCAL_HELP, &CAboutDlg::OnLocalHelp),
    };
    return table;
}

BOOL CAboutDlg::OnInitDialog()
{
    CStdDlg::OnInitDialog();
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    SetWindowTextW(Label(0).Handle(), (L"Vorn\u2122 version " + GetFileVersionString(path)).c_str());
    siteLink_.url = kVornSite;
    siteLink_.Attach(Item(IDC_SITE_LINK));
    DrawBanner();
    // A picture has no text of its own to be read by.
    SetAccessibleName(Item(IDC_BANNER), kBannerName);
    return TRUE;
}

// The banner drawn at the window's scale, centred on the page as the
// template centres it, with its tag line written in a face of that scale.
void CAboutDlg::DrawBanner()
{
    const HWND banner = Item(IDC_BANNER);
    if (!banner) return;
    const DiagramScale scale{WindowDpi(handle_)};
    banner_.Reset(BitmapOf(DrawBannerArtwork(scale)));
    if (!banner_) return;
    const HDC memory = CreateCompatibleDC(nullptr);
    {
        const Selected bitmap(memory, banner_.Get());
        const OwnedFont font(CreateFontW(-MulDiv(8, scale.dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                         DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
        const Selected face(memory, font.Get());
        SetBkMode(memory, TRANSPARENT);
        SetTextAlign(memory, TA_LEFT | TA_BASELINE);
        SetTextColor(memory, RGB(kBannerTagColour.r, kBannerTagColour.g, kBannerTagColour.b));
        const wchar_t* const tag = kBannerTagLine;
        TextOutW(memory, scale.Pixels(22), scale.Pixels(71), tag, static_cast<int>(std::wcslen(tag)));
    }
    DeleteDC(memory);
    RECT before{};
    GetWindowRect(banner, &before);
    POINT top{before.left, before.top};
    ScreenToClient(handle_, &top);
    RECT page{};
    GetClientRect(handle_, &page);
    SendMessageW(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_.Get()));
    const SIZE size = scale.Pixels(kBannerSize);
    SetWindowPos(banner, nullptr, (page.right - size.cx) / 2, top.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAboutDlg::AfterScaleChange() { DrawBanner(); }

LRESULT CAboutDlg::OnWebHelp(WPARAM, LPARAM)
{
    ShellExecuteW(nullptr, L"open", kVornWebHelp, nullptr, nullptr, SW_SHOW);
    return 0;
}

// Beside the program, not in the current folder: started from a shortcut or
// at log-on, that is often another one.
LRESULT CAboutDlg::OnLocalHelp(WPARAM, LPARAM)
{
    ShellExecuteW(nullptr, L"open", LocalHelpPath().c_str(), nullptr, nullptr, SW_SHOW);
    return 0;
}

}  // namespace vorn::ui
