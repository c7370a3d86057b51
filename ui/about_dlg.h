// The About page (Windows only): the banner, the version read from the
// program's own version resource, the site link and the two help buttons.
#pragma once

#include <span>
#include <string>

#include "res/resource.h"
#include "ui/controls.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

// The banner's tag line, and what a screen reader calls the banner.
inline constexpr const wchar_t* kBannerTagLine = L"Screen edges that work for you";
inline constexpr const wchar_t* kBannerName = L"Vorn: Screen edges that work for you";

// The program's web site and its online help page.
inline constexpr const wchar_t* kVornSite = L"www.vorn.example";
inline constexpr const wchar_t* kVornWebHelp = L"https://www.vorn.example/help/";

// The FileVersion string of the file's version resource, in its first
// translation; empty when there is none.
std::wstring GetFileVersionString(const std::wstring& path);

// The help file that ships beside Vorn.exe.
std::wstring LocalHelpPath();

class CAboutDlg : public WithMessageTable<CAboutDlg, CStdDlg> {
public:
    CAboutDlg() : WithMessageTable(IDD_ABOUT) {}

    CHyperLink& SiteLink() { return siteLink_; }
    // The banner drawn again at the new scale, centred on the page placed anew.
    void AfterScaleChange() override;

    static std::span<const MessageEntry<CAboutDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnWebHelp(WPARAM wParam, LPARAM lParam);
    LRESULT OnLocalHelp(WPARAM wParam, LPARAM lParam);

    CHyperLink siteLink_;
    void DrawBanner();

    // A picture set on a static stays its sender's.
    OwnedBitmap banner_;
};

}  // namespace vorn::ui
