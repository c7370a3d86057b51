// The Actions and About pages and the preview on real windows: the picture's
// zones and the tree assign and save, the groups keep their expansion, the
// version line, a link's hover, and the preview over the whole screen.
#include <gtest/gtest.h>

#include "platform/win.h"

#include <commctrl.h>

#include "buttons/button_dlg.h"
#include "buttons/buttons_dlg.h"
#include "settings/profile.h"
#include "tests/win/main_window_fixture.h"
#include "ui/about_dlg.h"
#include "ui/actions_dlg.h"
#include "ui/preview_dlg.h"

namespace vorn::ui {
namespace {

class PagesTest : public MainWindowTest {
protected:
    CActionsDlg& ActionsPage(CMainDlg& main) { return *static_cast<CActionsDlg*>(main.Page(CMainDlg::ActionsPage)); }
    // What reaches the file, bursts of saves written out.
    ProfileFile Saved() const
    {
        theData.FlushSettings();
        return ProfileFile::FromBytes(fake::TempFolder::Read(theData.settingsPath));
    }
    static HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation)
    {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    static LPARAM Data(HWND tree, HTREEITEM item)
    {
        TVITEMW data{};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        return data.lParam;
    }
    static LPARAM SelectedData(HWND tree) { return Data(tree, Next(tree, nullptr, TVGN_CARET)); }
    static void Click(HWND window, int x, int y, UINT message = WM_LBUTTONDOWN)
    {
        SendMessageW(window, message, MK_LBUTTON, MAKELPARAM(x, y));
    }
};

TEST_F(PagesTest, PagesSitInsideTheTabArea)
{
    CMainDlg& main = Open();
    RECT tabs{};
    GetWindowRect(main.Tabs(), &tabs);
    for (int index = 0; index < CMainDlg::kPageCount; ++index) {
        RECT page{};
        GetWindowRect(main.Page(index)->Handle(), &page);
        EXPECT_GE(page.left, tabs.left) << index;
        EXPECT_GE(page.top, tabs.top + 20) << index;
        EXPECT_LE(page.right, tabs.right) << index;
        EXPECT_LE(page.bottom, tabs.bottom) << index;
    }
}

TEST_F(PagesTest, TheZoneAndTheTreeAssignAndSave)
{
    CMainDlg& main = Open();
    CActionsDlg& page = ActionsPage(main);
    const HWND tree = page.Tree();
    const HWND diagram = page.Diagram().Handle();

    Click(diagram, 210, 159);  // the lower right corner
    EXPECT_EQ(page.Zone(), LowerRightCorner);
    EXPECT_EQ(WindowText(page.Label(1).Handle()), L"Action for lower right corner:");
    EXPECT_EQ(SelectedData(tree), theData.assignments[Plain][LowerRightCorner]);

    const ActionIndex tileLeft = theData.FindActionIndex(L"Tile left");
    ASSERT_TRUE(SelectTreeAction(tree, tileLeft));
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], tileLeft);
    EXPECT_EQ(Saved().Get(L"Actions, Plain", L"Lower right corner", L""), L"Tile left");

    // A heading assigns nothing.
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Next(tree, nullptr, TVGN_ROOT)));
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], tileLeft);

    // Shift chosen in the list: the label and the selection follow.
    const HWND combo = GetDlgItem(page.Handle(), IDC_MODIFIER);
    SendMessageW(combo, CB_SETCURSEL, Shift, 0);
    SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MODIFIER, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(WindowText(page.Label(1).Handle()), L"Action for lower right corner with Shift key:");
    EXPECT_EQ(SelectedData(tree), theData.assignments[Shift][LowerRightCorner]);

    // A double-click anywhere on the picture resets the selected zone.
    SendMessageW(combo, CB_SETCURSEL, Plain, 0);
    SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MODIFIER, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Click(diagram, 100, 100, WM_LBUTTONDBLCLK);
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], kNoActionIndex);
    EXPECT_EQ(SelectedData(tree), kNoActionIndex);
    EXPECT_EQ(Saved().Get(L"Actions, Plain", L"Lower right corner", L""), L"No action");
}

TEST_F(PagesTest, ACollapsedGroupStaysCollapsedAcrossTabSwitches)
{
    CMainDlg& main = Open();
    const HWND tree = ActionsPage(main).Tree();
    const HTREEITEM power = Next(tree, Next(tree, nullptr, TVGN_ROOT), TVGN_NEXT);
    // As the user does it: the heading selected, then Left.
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(power));
    SendMessageW(tree, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_FALSE(theData.groupExpanded[1]);
    EXPECT_EQ(Saved().Get(L"Settings", L"Group 2 expanded", L""), L"False");
    SwitchTab(main, CMainDlg::AboutPage);
    SwitchTab(main, CMainDlg::ActionsPage);
    const HTREEITEM rebuilt = Next(tree, Next(tree, nullptr, TVGN_ROOT), TVGN_NEXT);
    EXPECT_EQ(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(rebuilt), TVIS_EXPANDED) & TVIS_EXPANDED,
              0);
    EXPECT_FALSE(theData.groupExpanded[1]);
}

TEST_F(PagesTest, AboutShowsTheVersionOfTheResourceAndTheLinkReactsToThePointer)
{
    CMainDlg& main = Open();
    auto& about = *static_cast<CAboutDlg*>(main.Page(CMainDlg::AboutPage));
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring version = GetFileVersionString(path);
    EXPECT_FALSE(version.empty());
    EXPECT_EQ(WindowText(about.Label(0).Handle()), L"Vorn\u2122 version " + version);

    CHyperLink& link = about.SiteLink();
    EXPECT_EQ(WindowText(link.Handle()), kVornSite);
    RECT client{};
    GetClientRect(link.Handle(), &client);
    SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(link.over);
    SetCursorPos(0, 0);  // away from the link: the next check sees it gone
    EXPECT_TRUE(test::PumpUntil([&] { return !link.over; }, 2000, kCheckEveryMs));
    // A link that is no web address leaves its click to the page.
    CHyperLink contents;
    contents.url = L"Peek settings";
    EXPECT_FALSE(contents.ReflectedCommand(STN_CLICKED));

    // The local help is the file beside the program, wherever Vorn started.
    const std::wstring program = path;
    EXPECT_EQ(LocalHelpPath(), program.substr(0, program.find_last_of(L'\\') + 1) + L"help.htm");
}

TEST_F(PagesTest, ThePreviewCoversTheScreenAndFollowsShiftAndCtrl)
{
    CMainDlg& main = Open();
    CPreviewDlg preview;
    ASSERT_TRUE(preview.CreateModeless(main.Handle()));
    RECT rect{};
    GetWindowRect(preview.Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_NE(GetWindowLongW(preview.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    struct Case {
        bool shift, ctrl;
        const wchar_t* label;
    };
    const Case cases[] = {{false, false, L"Press Shift or Ctrl keys to see their actions"},
                          {false, true, L"Ctrl key actions"},
                          {true, true, L"Shift key actions"},
                          {false, false, L"Press Shift or Ctrl keys to see their actions"}};
    for (const Case& c : cases) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = c.shift ? 0x80 : 0;
        keys[VK_CONTROL] = c.ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG key{};
        key.hwnd = GetDlgItem(preview.Handle(), IDOK);
        key.message = WM_KEYDOWN;
        EXPECT_FALSE(WalkPreTranslate(key));
        EXPECT_EQ(WindowText(GetDlgItem(preview.Handle(), IDC_LABEL_FIRST)), c.label);
    }
    DestroyWindow(preview.Handle());
}

class ButtonsPageTest : public PagesTest {
protected:
    ButtonsPageTest() { theButtons.SetHost(&buttonWindows); }
    ~ButtonsPageTest() override
    {
        main_.reset();
        theButtons.Clear();
        theButtons.SetHost(nullptr);
    }
    CButtonsDlg& Page(CMainDlg& main) { return *static_cast<CButtonsDlg*>(main.Page(CMainDlg::ButtonsPage)); }
    static RECT WindowRect(HWND window)
    {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }
    static bool Framed(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME) != 0; }
    static bool Topmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    // A press, moves with the button held, and a release on the picture.
    static void Drag(HWND diagram, std::initializer_list<POINT> points)
    {
        const POINT* p = points.begin();
        SendMessageW(diagram, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p->x, p->y));
        for (++p; p != points.end(); ++p)
            SendMessageW(diagram, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p->x, p->y));
        SendMessageW(diagram, WM_LBUTTONUP, 0, 0);
    }

    CButtonWindowsHost buttonWindows;
};

TEST_F(ButtonsPageTest, DrawingAndDraggingOnThePictureMoveTheFloatingWindow)
{
    CMainDlg& main = Open();
    SwitchTab(main, CMainDlg::ButtonsPage);
    const HWND diagram = Page(main).Diagram().Handle();
    Drag(diagram, {{50, 50}, {70, 60}, {80, 70}});
    ASSERT_EQ(theButtons.List().size(), 1u);
    const CButtonInfo& button = *theButtons.List().front();
    EXPECT_EQ(button.diagramRect.left, 50);
    EXPECT_EQ(button.diagramRect.bottom, 70);
    const HWND floating = button.window->Handle();
    const RECT mapped = button.ToScreen(button.diagramRect);
    EXPECT_EQ(WindowRect(floating).left, mapped.left);
    EXPECT_EQ(WindowRect(floating).top, mapped.top);
    EXPECT_TRUE(IsWindowVisible(floating));

    Drag(diagram, {{60, 60}, {65, 62}, {70, 65}});
    EXPECT_EQ(button.diagramRect.left, 60);
    EXPECT_EQ(WindowRect(floating).left, button.ToScreen(button.diagramRect).left);
    EXPECT_EQ(WindowRect(floating).top, button.ToScreen(button.diagramRect).top);
    EXPECT_EQ(Saved().Get(L"Button 1", L"Left", L""), L"60");
}

TEST_F(ButtonsPageTest, TheContextMenusCommandsAlignAndDelete)
{
    const int low = theButtons.AddButton(false, 20, 100, 50, 120);
    const int high = theButtons.AddButton(false, 80, 40, 100, 60);
    CMainDlg& main = Open();
    SwitchTab(main, CMainDlg::ButtonsPage);
    CButtonsDlg& page = Page(main);
    SendMessageW(page.Diagram().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(85, 45));
    EXPECT_EQ(page.Editor().selectedId, high);
    SendMessageW(page.Handle(), WM_COMMAND, ID_ALIGN_TOPS, 0);
    EXPECT_EQ(theButtons.GetDiagramRect(low).top, 40);
    SendMessageW(page.Handle(), WM_COMMAND, ID_DELETE_BUTTON, 0);
    EXPECT_EQ(theButtons.Find(high), nullptr);
    SendMessageW(page.Handle(), WM_COMMAND, ID_DELETE_ALL_BUTTONS, 0);
    EXPECT_TRUE(theButtons.List().empty());
    EXPECT_EQ(Saved().Get(L"Button 1", L"Left", L"none"), L"none");
}

TEST_F(ButtonsPageTest, TheFramesAndTheTopmostSettingsWindowLastAsLongAsThePageShows)
{
    const int id = theButtons.AddButton(false, 20, 100, 50, 120);
    theButtons.SetSizingFrames(false);
    const HWND floating = theButtons.Find(id)->window->Handle();
    CMainDlg& main = Open();
    SwitchTab(main, CMainDlg::ButtonsPage);
    EXPECT_TRUE(Framed(floating));
    EXPECT_TRUE(Topmost(main.Handle()));
    SwitchTab(main, CMainDlg::CustomPage);
    EXPECT_FALSE(Framed(floating));
    EXPECT_FALSE(Topmost(main.Handle()));
}

}  // namespace
}  // namespace vorn::ui
