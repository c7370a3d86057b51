// The window layer and the main window on real windows (under Wine on Linux).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/settings_store.h"
#include "platform/win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "actions/util.h"
#include "app/edge_engine.h"
#include "app/main_dlg.h"
#include "app/single_instance.h"
#include "buttons/button_dlg.h"
#include "framework/dialog.h"
#include "framework/handles.h"
#include "framework/window.h"
#include "platform/win32/win32_port.h"
#include "res/resource.h"
#include "settings/data.h"
#include "settings/profile.h"
#include "tests/fake/temp_folder.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/win_test_support.h"
#include "ui/action_tree.h"
#include "ui/controls.h"

namespace vorn::ui {
namespace {

// --- the window layer ------------------------------------------------------------------

constexpr UINT kPing = WM_APP + 1;

class CProbe : public WithMessageTable<CProbe, CWnd> {
public:
    static std::span<const MessageEntry<CProbe>> MessageTable()
    {
        static const MessageEntry<CProbe> table[] = {
            MapMessage<CProbe>(kPing, &CProbe::OnPing),
            MapCommand<CProbe>(100, &CProbe::OnCommand100),
            MapCommand<CProbe>(101, &CProbe::OnCommand101Changed, EN_CHANGE),
            MapNotify<CProbe>(200, 5, &CProbe::OnNotify200),
        };
        return table;
    }
    LRESULT OnPing(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    LRESULT OnCommand100(WPARAM, LPARAM)
    {
        ++commands;
        return 0;
    }
    LRESULT OnCommand101Changed(WPARAM, LPARAM)
    {
        ++changes;
        return 0;
    }
    LRESULT OnNotify200(WPARAM, LPARAM) { return 77; }
    void OnFinalDestroy() override { ++finalDestroys; }

    int commands = 0;
    int changes = 0;
    int finalDestroys = 0;
};

class WindowLayerTest : public ::testing::Test {
protected:
    WindowLayerTest()
    {
        InstallWin32Port();
        InstallSettingsStore();
        EXPECT_TRUE(CWnd::RegisterWindowClass(L"VornProbeWindow"));
    }
    bool CreateProbe(CProbe& probe, const wchar_t* title = L"Probe")
    {
        return probe.Create(L"VornProbeWindow", title, WS_OVERLAPPEDWINDOW, 0, RECT{10, 10, 310, 210}, nullptr);
    }
};

TEST_F(WindowLayerTest, CreateBindsTheObjectToItsWindow)
{
    CProbe probe;
    ASSERT_TRUE(CreateProbe(probe));
    EXPECT_TRUE(IsWindow(probe.Handle()));
    EXPECT_EQ(CWnd::FromHandle(probe.Handle()), &probe);
    EXPECT_EQ(WindowText(probe.Handle()), L"Probe");
}

TEST_F(WindowLayerTest, MessageTableDispatchesMessagesCommandsAndNotifications)
{
    CProbe probe;
    ASSERT_TRUE(CreateProbe(probe));
    const HWND window = probe.Handle();
    EXPECT_EQ(SendMessageW(window, kPing, 40, 2), 42);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(100, 3), 0);  // any code
    EXPECT_EQ(probe.commands, 2);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(101, EN_SETFOCUS), 0);  // not the code asked for
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(101, EN_CHANGE), 0);
    EXPECT_EQ(probe.changes, 1);
    NMHDR header{window, 200, 5};
    EXPECT_EQ(SendMessageW(window, WM_NOTIFY, 200, reinterpret_cast<LPARAM>(&header)), 77);
    header.code = 6;
    EXPECT_EQ(SendMessageW(window, WM_NOTIFY, 200, reinterpret_cast<LPARAM>(&header)), 0);
    // Not in the table: the default procedure answers.
    EXPECT_EQ(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0), 5);
}

TEST_F(WindowLayerTest, DestroyingTheWindowUnbindsTheObject)
{
    CProbe probe;
    ASSERT_TRUE(CreateProbe(probe));
    const HWND window = probe.Handle();
    DestroyWindow(window);
    EXPECT_EQ(probe.Handle(), nullptr);
    EXPECT_EQ(probe.finalDestroys, 1);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowLayerTest, DestroyingTheObjectDestroysItsWindow)
{
    HWND window = nullptr;
    {
        CProbe probe;
        ASSERT_TRUE(CreateProbe(probe));
        window = probe.Handle();
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowLayerTest, SubclassedControlSeesItsMessagesFirstAndIsLeftAliveAfterwards)
{
    CProbe parent;
    ASSERT_TRUE(CreateProbe(parent));
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.Handle(), nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    {
        CProbe control;
        ASSERT_TRUE(control.Subclass(edit));
        EXPECT_EQ(SendMessageW(edit, kPing, 1, 2), 3);
        SetWindowTextW(edit, L"typed");  // not in the table: the edit's own procedure
        EXPECT_EQ(WindowText(edit), L"typed");
    }
    EXPECT_TRUE(IsWindow(edit));
    EXPECT_EQ(SendMessageW(edit, kPing, 1, 2), 0);  // the subclass is gone
}

TEST_F(WindowLayerTest, OwnedHandlesAreReleasedOnce)
{
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HMENU menu = CreateMenu();
    {
        OwnedBrush ownedBrush(brush);
        OwnedMenu ownedMenu(menu);
        OwnedBrush moved(std::move(ownedBrush));
        EXPECT_FALSE(ownedBrush);
        EXPECT_EQ(moved.Get(), brush);
        EXPECT_NE(GetObjectType(brush), 0u);
        EXPECT_TRUE(IsMenu(menu));
    }
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_FALSE(IsMenu(menu));
}

// The pictures at 150 % and 200 %: pixel art pixel by pixel, its colour key
// exact; the banner drawn at its scaled size; the tree's image list sized.
TEST_F(WindowLayerTest, ScaledPicturesHaveTheScaledSizeAndPixelArtKeepsItsColourKey)
{
    const auto sizeOf = [](HBITMAP bitmap) {
        BITMAP info{};
        GetObjectW(bitmap, sizeof(info), &info);
        return std::pair{info.bmWidth, info.bmHeight};
    };
    const auto pixel = [](HBITMAP bitmap, int x, int y) {
        const HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        const COLORREF colour = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteDC(dc);
        return colour;
    };
    for (const int dpi : {96, 100, 106, 144, 192}) {
        SCOPED_TRACE(dpi);
        const ScaledImageStrip scaled = ScaleImageStrip(kTreeImageStrip, dpi);
        const OwnedBitmap tree(ui::LoadScaledImageStrip(IDB_TREE, kTreeImageStrip, dpi));
        ASSERT_TRUE(tree);
        EXPECT_EQ(sizeOf(tree.Get()), (std::pair<LONG, LONG>{scaled.size.cx, scaled.size.cy}));
        // The strip's top left corner is its colour key, and stays exactly so.
        EXPECT_EQ(pixel(tree.Get(), 0, 0), RGB(255, 0, 255));
        EXPECT_EQ(pixel(tree.Get(), scaled.size.cx - 1, 0), RGB(255, 0, 255));
        const OwnedBitmap banner(ui::BitmapOf(DrawBannerArtwork(DiagramScale{dpi})));
        ASSERT_TRUE(banner);
        const SIZE bannerSize = DiagramScale{dpi}.Pixels(kBannerSize);
        EXPECT_EQ(sizeOf(banner.Get()), (std::pair<LONG, LONG>{bannerSize.cx, bannerSize.cy}));
        // Its top left corner: the gradient's deep blue, as drawn.
        const COLORREF corner = pixel(banner.Get(), 0, 0);
        EXPECT_GT(GetBValue(corner), GetRValue(corner) + 50);
        // Every image in the lists, also where the scale is no whole quarter.
        const OwnedImageList images(ui::CreateActionTreeImages(dpi));
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images.Get(), &cx, &cy);
        EXPECT_EQ(std::pair(cx, cy), std::pair(static_cast<int>(scaled.cell.cx), static_cast<int>(scaled.cell.cy)));
        EXPECT_EQ(ImageList_GetImageCount(images.Get()), kTreeImageStrip.count);
        const OwnedImageList tabs(ui::CreateStripImageList(IDB_TABS, kTabImageStrip, dpi, 10));
        EXPECT_EQ(ImageList_GetImageCount(tabs.Get()), kTabImageStrip.count);
    }
}

class CQuickDialog : public CDialog {
public:
    CQuickDialog() : CDialog(IDD_MAIN) {}
    bool initialised = false;

protected:
    BOOL OnInitDialog() override
    {
        initialised = true;
        PostMessageW(handle_, WM_COMMAND, IDCANCEL, 0);  // Escape
        return TRUE;
    }
};

TEST_F(WindowLayerTest, ModalDialogFromItsTemplateEndsWithItsResult)
{
    CQuickDialog dialog;
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

// --- the main window -----------------------------------------------------------------

TEST_F(MainWindowTest, FirstRunShowsTheCentredWindowWithItsTabs)
{
    CMainDlg& main = Open();
    const HWND window = main.Handle();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WindowText(window), L"Vorn");

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_NEAR((rect.left + rect.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, (work.top + work.bottom) / 2, 1);

    const HWND tabs = main.Tabs();
    ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 5);
    const wchar_t* labels[] = {L"Actions  ", L"Buttons  ", L"Custom  ", L"Settings  ", L"About  "};
    for (int i = 0; i < 5; ++i) {
        wchar_t text[32] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::wstring(text), labels[i]);
        EXPECT_EQ(item.iImage, i);
    }
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(tabs, TCM_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 5);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 20);
    EXPECT_EQ(cy, 19);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(MainWindowTest, PagesSitInsideTheTabAreaAndOnlyTheSelectedOneShows)
{
    theData.currentPage = 3;
    CMainDlg& main = Open();
    EXPECT_EQ(SendMessageW(main.Tabs(), TCM_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(main.ActivePage(), main.Page(3));
    // The display area the tab control computes below its headings, which
    // no page covers.
    RECT area{};
    GetClientRect(main.Tabs(), &area);
    SendMessageW(main.Tabs(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    LONG headingsBottom = 0;
    for (int i = 0; i < CMainDlg::kPageCount; ++i) {
        RECT heading{};
        SendMessageW(main.Tabs(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&heading));
        headingsBottom = std::max(headingsBottom, heading.bottom);
    }
    ASSERT_GT(headingsBottom, 0);
    for (int i = 0; i < CMainDlg::kPageCount; ++i) {
        const HWND page = main.Page(i)->Handle();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(GetParent(page), main.Handle());  // beside the tab control, not in it
        EXPECT_EQ(IsWindowVisible(page) != FALSE, i == 3) << i;
        EXPECT_TRUE(main.Page(i)->initialised);
        RECT rect{};
        GetWindowRect(page, &rect);
        MapWindowPoints(nullptr, main.Tabs(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ((std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom}),
                  (std::vector<LONG>{area.left, area.top, area.right, area.bottom}))
            << i;
        EXPECT_GE(rect.top, headingsBottom) << i;
    }
}

TEST_F(MainWindowTest, LaterStartsBeginHidden)
{
    theData.firstRun = false;
    CMainDlg& main = Open();
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_OPEN, 0);
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
}

// A folder named Vorn open in Explorer is titled "Vorn" too.
TEST_F(MainWindowTest, ALaterStartFindsThisWindowByItsClassAndItShowsItself)
{
    const HWND folderWindow = CreateWindowExW(0, L"STATIC", L"Vorn", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(folderWindow);
    theData.firstRun = false;
    CMainDlg& main = Open();
    ASSERT_FALSE(IsWindowVisible(main.Handle()));
    struct HeldLock : IInstanceLock {
        LockState Take(DWORD) override { return LockState::Held; }
    } held;
    EXPECT_EQ(DecideStart(held, StartTiming{200, 50, 1000}), StartOutcome::ShownRunning);
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_FALSE(IsWindowVisible(folderWindow));
    DestroyWindow(folderWindow);
}

TEST_F(MainWindowTest, SwitchingTabsSavesTheSelectedPage)
{
    CMainDlg& main = Open();
    EXPECT_FALSE(std::filesystem::exists(theData.settingsPath));  // nothing written by starting
    SendMessageW(main.Tabs(), TCM_SETCURSEL, 2, 0);
    NMHDR header{main.Tabs(), IDC_MAIN_TABS, TCN_SELCHANGE};
    SendMessageW(main.Handle(), WM_NOTIFY, IDC_MAIN_TABS, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(theData.currentPage, 2);
    EXPECT_TRUE(IsWindowVisible(main.Page(2)->Handle()));
    EXPECT_FALSE(IsWindowVisible(main.Page(0)->Handle()));
    const ProfileFile saved = ProfileFile::FromBytes(fake::TempFolder::Read(theData.settingsPath));
    EXPECT_EQ(saved.Get(L"Settings", L"Current page", L""), L"2");
    EXPECT_EQ(saved.Get(L"Settings", L"First run", L""), L"False");
}

TEST_F(MainWindowTest, ASaveThatFailsIsToldInABalloonFromTheTrayIcon)
{
    ASSERT_TRUE(fake::TempFolder::Write(theData.settingsPath, "[Settings]\r\nFirst run=False\r\n"));
    ASSERT_TRUE(SetFileAttributesW(theData.settingsPath.c_str(), FILE_ATTRIBUTE_READONLY));
    CMainDlg& main = Open();
    ASSERT_TRUE(main.Tray()->IconShown());
    SendMessageW(main.Tabs(), TCM_SETCURSEL, 1, 0);
    NMHDR header{main.Tabs(), IDC_MAIN_TABS, TCN_SELCHANGE};
    SendMessageW(main.Handle(), WM_NOTIFY, IDC_MAIN_TABS, reinterpret_cast<LPARAM>(&header));
    SetFileAttributesW(theData.settingsPath.c_str(), FILE_ATTRIBUTE_NORMAL);

    const NOTIFYICONDATAW& icon = main.Tray()->IconData();
    EXPECT_EQ(std::wstring(icon.szInfoTitle), L"Vorn cannot save its settings");
    const std::wstring text = icon.szInfo;
    EXPECT_NE(text.find(theData.settingsPath), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"read-only"), std::wstring::npos) << text;
    EXPECT_EQ(icon.dwInfoFlags & NIIF_WARNING, static_cast<DWORD>(NIIF_WARNING));
}

TEST_F(MainWindowTest, OnTheButtonsPageTheFramesShowOnlyWithTheWindow)
{
    // A later start, last closed on the Buttons page, with one button.
    fake::TempFolder::Write(theData.settingsPath,
                            "[Settings]\r\nFirst run=False\r\nCurrent page=1\r\n"
                            "[Button 1]\r\nLeft=60\r\nTop=60\r\nWidth=30\r\nHeight=20\r\n");
    CButtonWindowsHost buttonWindows;
    theButtons.SetHost(&buttonWindows);
    theData.LoadSettings();
    ASSERT_EQ(theButtons.List().size(), 1u);
    const HWND floating = theButtons.List().front()->window->Handle();
    const auto framed = [&] { return (GetWindowLongW(floating, GWL_STYLE) & WS_THICKFRAME) != 0; };
    CMainDlg& main = Open();
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    EXPECT_EQ(main.ActivePage(), main.Page(CMainDlg::ButtonsPage));
    EXPECT_FALSE(framed());
    SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_OPEN, 0);
    EXPECT_TRUE(framed());
    SendMessageW(main.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(framed());
    SendMessageW(main.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(framed());
    ShowWindow(main.Handle(), SW_HIDE);  // as the window hides itself
    EXPECT_FALSE(framed());
    ShowWindow(main.Handle(), SW_SHOW);  // as a second start shows it
    EXPECT_TRUE(framed());
    theButtons.Clear();
    theButtons.SetHost(nullptr);
}

TEST_F(MainWindowTest, ASaveWaitingForItsTurnIsWrittenWhenWindowsEndsTheSession)
{
    CMainDlg& main = Open();
    theData.SaveSettings();  // written at once
    theData.cornerSize = 13;
    theData.SaveSettings();  // within the quarter second: waits for the timer
    EXPECT_TRUE(theData.SavePending());
    SendMessageW(main.Handle(), WM_ENDSESSION, TRUE, 0);
    const ProfileFile saved = ProfileFile::FromBytes(fake::TempFolder::Read(theData.settingsPath));
    EXPECT_EQ(saved.Get(L"Settings", L"Corner size", L""), L"13");
}

TEST_F(MainWindowTest, CloseEnterEscapeAndMinimiseHideAndOpenShows)
{
    CMainDlg& main = Open();
    const HWND window = main.Handle();
    for (WPARAM command : {static_cast<WPARAM>(IDCANCEL), static_cast<WPARAM>(IDOK)}) {
        ShowWindow(window, SW_SHOW);
        SendMessageW(window, WM_COMMAND, command, 0);
        PumpFor(50, kCheckEveryMs);
        EXPECT_FALSE(IsWindowVisible(window)) << command;
        EXPECT_TRUE(IsWindow(window));
    }
    ShowWindow(window, SW_SHOW);
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsWindowVisible(window));
    SendMessageW(window, WM_CLOSE, 0, 0);  // the caption's close box
    PumpFor(50, kCheckEveryMs);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, WM_COMMAND, ID_TRAY_OPEN, 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));
}

TEST_F(MainWindowTest, EscapeAndEnterOnAPageLeaveTheWindowAsItIsAndHideItElsewhere)
{
    CMainDlg& main = Open();
    struct Case {
        int page;
        int control;  // that has the focus; 0: the tab headings
        WPARAM key;
        bool hides;
    };
    const Case cases[] = {
        {CMainDlg::ActionsPage, IDC_ACTION_TREE, VK_ESCAPE, false},
        {CMainDlg::ButtonsPage, IDC_CAPTION, VK_ESCAPE, false},
        {CMainDlg::CustomPage, IDC_LIST, VK_ESCAPE, false},
        {CMainDlg::CustomPage, IDC_LIST, VK_RETURN, false},
        {CMainDlg::SettingsPage, 1001, VK_ESCAPE, false},
        {CMainDlg::SettingsPage, 1001, VK_RETURN, false},
        {CMainDlg::AboutPage, IDC_LOCAL_HELP, VK_ESCAPE, false},
        {CMainDlg::SettingsPage, 0, VK_ESCAPE, true},
        {CMainDlg::SettingsPage, IDC_PREVIEW, VK_ESCAPE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.page << " " << c.control << " " << c.key);
        SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_OPEN, 0);
        SwitchTab(main, c.page);
        const HWND page = main.Page(c.page)->Handle();
        const HWND focus = c.control == 0           ? main.Tabs()
                           : c.control == IDC_PREVIEW ? GetDlgItem(main.Handle(), IDC_PREVIEW)
                                                      : GetDlgItem(page, c.control);
        ASSERT_NE(focus, nullptr);
        SetFocus(focus);
        PostKey(focus, c.key);
        PumpAsTheProgram(main, 150);
        EXPECT_EQ(IsWindowVisible(main.Handle()) == FALSE, c.hides);
        EXPECT_TRUE(IsWindow(page));
    }
}

TEST_F(MainWindowTest, TrayMenuTogglesEdgeActionsAndRenamesItsItem)
{
    CMainDlg& main = Open();
    ASSERT_NE(main.Tray(), nullptr);
    EXPECT_TRUE(main.Tray()->IconShown());
    EXPECT_EQ(TrayItemText(main), L"&Disable");
    SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_TOGGLE, 0);
    EXPECT_FALSE(theData.enabled);
    EXPECT_EQ(TrayItemText(main), L"&Enable");
    SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_TOGGLE, 0);
    EXPECT_TRUE(theData.enabled);
    EXPECT_EQ(TrayItemText(main), L"&Disable");
}

TEST_F(MainWindowTest, ALeftClickOnTheIconOpensTheWindow)
{
    theData.firstRun = false;
    CMainDlg& main = Open();
    const HWND trayWindow = main.Tray()->Handle();
    SendMessageW(trayWindow, RegisterWindowMessageW(L"Vorn tray notification"), IDR_TRAY_MENU, WM_LBUTTONDOWN);
    PumpFor(50, kCheckEveryMs);
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
}

TEST_F(MainWindowTest, TheIconComesBackWhenTheShellRestarts)
{
    CMainDlg& main = Open();
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = main.Tray()->Handle();
    icon.uID = IDR_TRAY_MENU;
    // The shell forgets the icon, as a restarted Explorer has.
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &icon));
    SendMessageW(main.Tray()->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(main.Tray()->IconShown());
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &icon));  // it is there again
}

TEST_F(MainWindowTest, AWorkAreaChangeKeepsTheIcon)
{
    CMainDlg& main = Open();
    SendMessageW(main.Tray()->Handle(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_TRUE(main.Tray()->IconShown());
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = main.Tray()->Handle();
    icon.uID = IDR_TRAY_MENU;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &icon));
}

TEST_F(MainWindowTest, ExitFromTheButtonTheTrayOrTheSystemMenuDestroysTheWindow)
{
    for (int way = 0; way < 3; ++way) {
        CMainDlg& main = Open();
        const HWND window = main.Handle();
        if (way == 0) SendMessageW(window, WM_COMMAND, IDC_EXIT, 0);
        if (way == 1) SendMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
        if (way == 2) SendMessageW(window, WM_SYSCOMMAND, IDC_EXIT, 0);
        EXPECT_FALSE(IsWindow(window)) << way;
        EXPECT_EQ(main.Tray(), nullptr) << way;
    }
}

TEST_F(MainWindowTest, SystemMenuEndsWithExit)
{
    CMainDlg& main = Open();
    const HMENU menu = GetSystemMenu(main.Handle(), FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    EXPECT_EQ(GetMenuItemID(menu, last), static_cast<UINT>(IDC_EXIT));
    wchar_t text[32] = {};
    GetMenuStringW(menu, static_cast<UINT>(last), text, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&Exit");
}

TEST_F(MainWindowTest, ToolTipsForTheThreeButtons)
{
    CMainDlg& main = Open();
    const HWND tip = main.ToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 15000);
    EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 250);
    EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 250);
    EXPECT_EQ(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 400);
}

TEST_F(MainWindowTest, VornTransparencyIsAppliedToTheWindow)
{
    theData.vornTransparency = 40;
    CMainDlg& main = Open();
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(main.Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, AlphaFromPercent(40));
}

TEST_F(MainWindowTest, EdgeTimerRunsOnTheWindow)
{
    CMainDlg& main = Open();
    EXPECT_TRUE(KillTimer(main.Handle(), kEdgeTimerId));  // it existed
    EXPECT_EQ(main.Engine().MainWindow(), main.Handle());
}

// With instant response the pointer's raw input reaches the main window,
// hidden as it is, and decides the zone with no timer: the poll is off.
TEST_F(MainWindowTest, WithInstantResponseTheRawInputOfAMovementDecidesTheZone)
{
    theData.instantResponse = true;
    theData.firstRun = false;
    theData.assignments[Plain][UpperLeftCorner] = kNoActionIndex;
    CMainDlg& main = Open();
    ASSERT_TRUE(main.Engine().Instant());
    EXPECT_FALSE(KillTimer(main.Handle(), kEdgeTimerId));  // no poll
    // Under X, Wine hears of the pointer only over its own windows: one over
    // the whole screen stands for the desktop.
    ASSERT_TRUE(test::RegisterTestWindowClass(L"VornCoverWindow", &DefWindowProcW));
    {
        test::TestWindow cover(L"VornCoverWindow", L"Cover", 0, 0, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN));
        SetWindowLongW(cover.get(), GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE));
        cover.Show();
        PumpFor(300, kCheckEveryMs);
        const auto moveTo = [](int x, int y) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
            input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            SendInput(1, &input, sizeof(input));
        };
        for (const auto& [x, y, zone] : {std::tuple{960, 540, NoZone}, {0, 0, UpperLeftCorner}, {960, 540, NoZone},
                                        {1919, 1079, LowerRightCorner}, {960, 540, NoZone}}) {
            moveTo(x, y);
            EXPECT_TRUE(test::PumpUntil([&] { return main.Engine().currentZone == zone; }, 2000, kCheckEveryMs))
                << x << " " << y;
        }
        EXPECT_TRUE(main.Engine().Instant());
    }
    test::UnregisterTestWindowClass(L"VornCoverWindow");
}

}  // namespace
}  // namespace vorn::ui
