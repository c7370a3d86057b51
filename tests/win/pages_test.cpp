// The Actions and About pages and the preview on real windows: the picture's
// zones and the tree assign and save, the groups keep their expansion, the
// version line, a link's hover, and the preview over the whole screen.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "actions/custom_actions.h"
#include "app/command_line.h"
#include "buttons/button_dlg.h"
#include "buttons/buttons_dlg.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "tests/win/main_window_fixture.h"
#include "ui/about_dlg.h"
#include "ui/action_tree.h"
#include "ui/actions_dlg.h"
#include "ui/custom_dlg.h"
#include "ui/log_on.h"
#include "ui/preview_dlg.h"
#include "ui/quiet_programs_dlg.h"
#include "ui/settings_dlg.h"
#include "ui/settings_page_model.h"
#include "vorn_version.h"

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
    // Whether `upper` lies above `lower` among the top-level windows.
    static bool Above(HWND upper, HWND lower)
    {
        for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
            if (w == upper) return true;
        return false;
    }
    // A key as the window gets it, with Shift held or not.
    static void Key(HWND window, WPARAM key, bool shift = false)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(window, WM_KEYDOWN, key, 1);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    // What a screen reader reads of a window, through oleacc.
    struct Accessible {
        std::wstring name, value, description;
        long role = 0;
    };
    static Accessible ReadAccessible(HWND window)
    {
        Accessible read;
        (void)CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IAccessible* object = nullptr;
        if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&object))) ||
            !object)
            return read;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
            BSTR value = nullptr;
            std::wstring out = (object->*get)(self, &value) == S_OK && value ? value : L"";
            SysFreeString(value);
            return out;
        };
        read.name = text(&IAccessible::get_accName);
        read.value = text(&IAccessible::get_accValue);
        read.description = text(&IAccessible::get_accDescription);
        VARIANT role{};
        if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) read.role = role.lVal;
        object->Release();
        return read;
    }
};

// The value changes a screen reader is told of, by window.
std::vector<HWND> valueChanges;

void CALLBACK RecordValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    if (object == OBJID_CLIENT) valueChanges.push_back(window);
}

TEST_F(PagesTest, TheZonePictureWorksFromTheKeyboardAndTellsAScreenReaderWhatIsSelected)
{
    CMainDlg& main = Open();
    CActionsDlg& page = ActionsPage(main);
    const HWND diagram = page.Diagram().Handle();
    const HWND tree = page.Tree();
    EXPECT_NE(GetWindowLongW(diagram, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(SendMessageW(diagram, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                               RecordValueChange, 0, 0, WINEVENT_OUTOFCONTEXT);
    valueChanges.clear();

    // From the upper left corner, Right: the top side, as a click there.
    ASSERT_EQ(page.Zone(), UpperLeftCorner);
    Key(diagram, VK_RIGHT);
    EXPECT_EQ(page.Zone(), TopSide);
    EXPECT_EQ(page.Diagram().selectedZone, TopSide);
    EXPECT_EQ(WindowText(page.Label(1).Handle()), L"&Action for top side:");
    EXPECT_EQ(SelectedData(tree), theData.assignments[Plain][TopSide]);

    const Accessible read = ReadAccessible(diagram);
    EXPECT_EQ(read.name, L"Screen zones");
    EXPECT_EQ(read.value, L"Top side: " + ActionName(theData.assignments[Plain][TopSide]));
    EXPECT_EQ(read.role, ROLE_SYSTEM_DIAGRAM);
    EXPECT_NE(read.description.find(L"Arrow keys"), std::wstring::npos);

    // The tree's choice shows in the value, and its description below the key list.
    const ActionIndex tileLeft = FindActionIndex(L"Tile left");
    ASSERT_TRUE(SelectTreeAction(tree, tileLeft));
    EXPECT_EQ(ReadAccessible(diagram).value, L"Top side: Tile left");
    EXPECT_EQ(WindowText(page.DescriptionLine()), ActionDescription(tileLeft));
    // Told twice: the new zone, and its new action.
    PumpFor(20, kCheckEveryMs);
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(std::count(valueChanges.begin(), valueChanges.end(), diagram), 2);
    UnhookWinEvent(hook);

    // Down in the key list chooses the next key and leaves the focus there.
    const HWND combo = GetDlgItem(page.Handle(), IDC_MODIFIER);
    SetFocus(combo);
    PostKey(combo, VK_DOWN);
    PumpAsTheProgram(main, 100);
    EXPECT_EQ(page.Modifier(), Shift);
    EXPECT_EQ(GetFocus(), combo);
    EXPECT_EQ(ReadAccessible(diagram).value, L"Top side, Shift: " + ActionName(theData.assignments[Shift][TopSide]));
}

TEST_F(PagesTest, TheZoneAndTheTreeAssignAndSave)
{
    CMainDlg& main = Open();
    CActionsDlg& page = ActionsPage(main);
    const HWND tree = page.Tree();
    const HWND diagram = page.Diagram().Handle();

    // The lower right corner, at the scale the picture is drawn at.
    const DiagramScale scale = page.Diagram().Picture().Scale();
    Click(diagram, scale.Pixels(210), scale.Pixels(159));
    EXPECT_EQ(page.Zone(), LowerRightCorner);
    EXPECT_EQ(WindowText(page.Label(1).Handle()), L"&Action for lower right corner:");
    EXPECT_EQ(SelectedData(tree), theData.assignments[Plain][LowerRightCorner]);

    const ActionIndex tileLeft = FindActionIndex(L"Tile left");
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
    EXPECT_EQ(WindowText(page.Label(1).Handle()), L"&Action for lower right corner with Shift key:");
    EXPECT_EQ(SelectedData(tree), theData.assignments[Shift][LowerRightCorner]);

    // A double-click anywhere on the picture resets the selected zone.
    SendMessageW(combo, CB_SETCURSEL, Plain, 0);
    SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MODIFIER, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    Click(diagram, 100, 100, WM_LBUTTONDBLCLK);
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], kNoActionIndex);
    EXPECT_EQ(SelectedData(tree), kNoActionIndex);
    EXPECT_EQ(Saved().Get(L"Actions, Plain", L"Lower right corner", L""), L"No action");
}

// The trigger list offers the twelve sets; a wheel set takes the tree's
// choice into its own section and leaves the zone's entering action alone.
TEST_F(PagesTest, AWheelSetChosenInTheListAssignsAndSavesItsOwnSection)
{
    CMainDlg& main = Open();
    CActionsDlg& page = ActionsPage(main);
    const HWND tree = page.Tree();
    const HWND combo = GetDlgItem(page.Handle(), IDC_MODIFIER);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), kActionSetCount);
    const auto entry = [&](int index) {
        wchar_t text[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    EXPECT_EQ(entry(0), L"Entering");
    EXPECT_EQ(entry(kActionSetCount - 1), L"Click with Ctrl");

    const DiagramScale scale = page.Diagram().Picture().Scale();
    Click(page.Diagram().Handle(), scale.Pixels(215), scale.Pixels(90));
    ASSERT_EQ(page.Zone(), RightSide);
    const ActionIndex entering = theData.assignments[SetOf(Entering, Plain)][RightSide];
    const auto choose = [&](ActionSet set) {
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(set), 0);
        SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MODIFIER, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    };
    const ActionSet wheelUp = SetOf(WheelUp, Plain);
    ASSERT_EQ(entry(wheelUp), L"Wheel up");
    choose(wheelUp);
    EXPECT_EQ(page.Set(), wheelUp);
    EXPECT_EQ(WindowText(page.Label(1).Handle()), L"&Action for right side on wheel up:");
    EXPECT_EQ(SelectedData(tree), kNoActionIndex);
    // The wait is the entering's.
    EXPECT_FALSE(IsWindowEnabled(page.WaitBox()));

    const ActionIndex volumeUp = FindActionIndex(L"Volume up");
    ASSERT_TRUE(SelectTreeAction(tree, volumeUp));
    EXPECT_EQ(theData.assignments[wheelUp][RightSide], volumeUp);
    EXPECT_EQ(theData.assignments[SetOf(Entering, Plain)][RightSide], entering);
    const ProfileFile saved = Saved();
    EXPECT_EQ(saved.Get(L"Actions, Wheel up", L"Right side", L""), L"Volume up");
    EXPECT_EQ(saved.Get(L"Actions, Plain", L"Right side", L""), ActionName(entering));

    // Back to entering: its action shows again, and its wait.
    choose(SetOf(Entering, Plain));
    EXPECT_EQ(SelectedData(tree), entering);
    EXPECT_TRUE(IsWindowEnabled(page.WaitBox()));
    EXPECT_EQ(WindowText(page.Label(1).Handle()), L"&Action for right side:");
}

// Wine shows one monitor: the list shows once a monitor not connected is
// remembered, and it chooses whose assignments the picture and the tree set.
TEST_F(PagesTest, TheMonitorListChoosesWhoseAssignmentsThePageShowsAndSets)
{
    CMainDlg& main = Open();
    CActionsDlg& page = ActionsPage(main);
    const HWND list = page.MonitorList();
    const HWND tree = page.Tree();
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_FALSE(IsWindowVisible(page.Label(3).Handle()));
    ASSERT_TRUE(page.Monitor().AllMonitors());

    const int away = theData.RememberMonitor(L"\\\\?\\DISPLAY#DELA0E3#5&aa11bb22&0&UID4358#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}",
                                             L"DELL P2419H");
    theData.SetAssignmentOn(away, Plain, UpperLeftCorner, FindActionIndex(L"Cascade"));
    SwitchTab(main, CMainDlg::AboutPage);
    SwitchTab(main, CMainDlg::ActionsPage);
    ASSERT_TRUE(IsWindowVisible(list));
    EXPECT_TRUE(IsWindowVisible(page.Label(3).Handle()));
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
    const auto entry = [&](int index) {
        wchar_t text[256] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    EXPECT_EQ(entry(0), L"All monitors");
    EXPECT_EQ(entry(1).rfind(L"1. ", 0), 0u) << testing::PrintToString(entry(1));
    EXPECT_NE(entry(1).find(L" (primary)"), std::wstring::npos);
    EXPECT_EQ(entry(2), L"DELL P2419H (not connected)");

    const auto choose = [&](int index) {
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MONITOR, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    };
    const auto firstItem = [&] {
        wchar_t text[64] = {};
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = Next(tree, nullptr, TVGN_ROOT);
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return std::wstring(text);
    };
    // Wine's monitor, its lower right corner: the shared action shows as
    // "Same as all monitors", and choosing it remembers nothing.
    choose(1);
    const DiagramScale scale = page.Diagram().Picture().Scale();
    Click(page.Diagram().Handle(), scale.Pixels(210), scale.Pixels(159));
    EXPECT_EQ(firstItem(), L"Same as all monitors");
    EXPECT_EQ(SelectedData(tree), kSameAsAllMonitors);
    EXPECT_EQ(WindowText(page.Label(1).Handle()).rfind(L"&Action for lower right corner on 1. ", 0), 0u)
        << testing::PrintToString(WindowText(page.Label(1).Handle()));
    EXPECT_EQ(theData.monitorAssignments.size(), 1u);

    const ActionIndex shared = theData.assignments[Plain][LowerRightCorner];
    const ActionIndex taskView = FindActionIndex(L"Task view");
    ASSERT_TRUE(SelectTreeAction(tree, taskView));
    ASSERT_EQ(theData.monitorAssignments.size(), 2u);
    EXPECT_FALSE(theData.monitorAssignments[1].devicePath.empty());
    EXPECT_EQ(theData.AssignmentOn(1, Plain, LowerRightCorner), taskView);
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], shared);
    // Back to the shared action through the tree's first item.
    ASSERT_TRUE(SelectTreeAction(tree, kSameAsAllMonitors));
    EXPECT_EQ(theData.monitorAssignments[1].actions[Plain][LowerRightCorner], kSameAsAllMonitors);

    // The one not connected shows its own, and all monitors offer no "Same as".
    choose(2);
    Click(page.Diagram().Handle(), scale.Pixels(15), scale.Pixels(15));
    EXPECT_EQ(SelectedData(tree), FindActionIndex(L"Cascade"));
    choose(0);
    EXPECT_NE(firstItem(), L"Same as all monitors");
    EXPECT_EQ(WindowText(page.Label(1).Handle()), L"&Action for upper left corner:");
}

// The wait box holds the selected zone's own wait, for every monitor alike.
TEST_F(PagesTest, TheWaitBoxStoresAndShowsTheZonesOwnWait)
{
    CMainDlg& main = Open();
    CActionsDlg& page = ActionsPage(main);
    const HWND box = page.WaitBox();
    const HWND diagram = page.Diagram().Handle();
    const DiagramScale scale = page.Diagram().Picture().Scale();
    Click(diagram, scale.Pixels(210), scale.Pixels(159));
    EXPECT_EQ(WindowText(box), L"");
    const int writes = theData.settingsWrites;
    SendMessageW(box, EM_SETSEL, 0, -1);
    for (const wchar_t typed : std::wstring(L"800"))
        SendMessageW(box, WM_CHAR, typed, 1);
    EXPECT_EQ(theData.zoneDwell[LowerRightCorner], 800);
    theData.FlushSettings();
    EXPECT_GT(theData.settingsWrites, writes);

    // Another zone shows its own, and coming back shows this one's again.
    Click(diagram, scale.Pixels(15), scale.Pixels(15));
    EXPECT_EQ(WindowText(box), L"");
    EXPECT_EQ(theData.zoneDwell[UpperLeftCorner], kDwellAsSetting);
    Click(diagram, scale.Pixels(210), scale.Pixels(159));
    EXPECT_EQ(WindowText(box), L"800");

    // Emptied: the zone waits the Dwell time again.
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(theData.zoneDwell[LowerRightCorner], kDwellAsSetting);
}

TEST_F(PagesTest, ACollapsedGroupStaysCollapsedAcrossTabSwitches)
{
    // The heading's place in the tree and the key that keeps it: "Custom",
    // last, keeps the key it had before "Windows" and "Media" came.
    const struct {
        int position;
        const wchar_t* heading;
        int key;
    } cases[] = {{1, L"Power", 1}, {12, L"Windows", 13}, {13, L"Media", 14}, {14, L"Custom", 12}};
    theCustomActions[0] = CCustomAction{L"Mine", L"", L"calc", L""};
    CMainDlg& main = Open();
    const HWND tree = ActionsPage(main).Tree();
    const auto heading = [&](int position) {
        HTREEITEM item = Next(tree, nullptr, TVGN_ROOT);
        for (int k = 0; k < position; ++k)
            item = Next(tree, item, TVGN_NEXT);
        return item;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        ASSERT_TRUE(theData.groupExpanded[static_cast<std::size_t>(c.key)]);
        wchar_t text[64] = {};
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = heading(c.position);
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, c.heading);
        // As the user does it: the heading selected, then Left.
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(heading(c.position)));
        SendMessageW(tree, WM_KEYDOWN, VK_LEFT, 0);
        EXPECT_FALSE(theData.groupExpanded[static_cast<std::size_t>(c.key)]);
        const std::wstring key = L"Group " + std::to_wstring(c.key + 1) + L" expanded";
        EXPECT_EQ(Saved().Get(L"Settings", key, L""), L"False");
        SwitchTab(main, CMainDlg::AboutPage);
        SwitchTab(main, CMainDlg::ActionsPage);
        EXPECT_EQ(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(heading(c.position)), TVIS_EXPANDED) &
                      TVIS_EXPANDED,
                  0);
        EXPECT_FALSE(theData.groupExpanded[static_cast<std::size_t>(c.key)]);
        // And open again: the later headings' keys leave the file.
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(heading(c.position)));
        SendMessageW(tree, WM_KEYDOWN, VK_RIGHT, 0);
        EXPECT_TRUE(theData.groupExpanded[static_cast<std::size_t>(c.key)]);
        EXPECT_EQ(Saved().Get(L"Settings", key, L"<missing>"), c.key > kCustomGroupKey ? L"<missing>" : L"True");
    }
}

TEST_F(PagesTest, AnEmptyCustomHeadingKeepsItsStoredStateWhenAnotherGroupIsCollapsed)
{
    CMainDlg& main = Open();
    const HWND tree = ActionsPage(main).Tree();
    const HTREEITEM power = Next(tree, Next(tree, nullptr, TVGN_ROOT), TVGN_NEXT);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(power));
    SendMessageW(tree, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_FALSE(theData.groupExpanded[1]);
    EXPECT_TRUE(theData.groupExpanded[kCustomGroupKey]);
    EXPECT_EQ(Saved().Get(L"Settings", L"Group 13 expanded", L""), L"True");
}

// Another display scale: the window's pictures are made again for it, the
// pages placed again below the headings, and the Settings page keeps the
// content it showed (here at the same scale, which Wine cannot change while
// running).
TEST_F(PagesTest, AChangeOfScaleMakesThePicturesAgainAndKeepsTheSettingsPageWhereItWas)
{
    CMainDlg& main = Open();
    const HWND tree = ActionsPage(main).Tree();
    const auto treeImages = [&] { return SendMessageW(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0); };
    const auto tabImages = [&] { return SendMessageW(main.Tabs(), TCM_GETIMAGELIST, 0, 0); };
    auto& about = *static_cast<CAboutDlg*>(main.Page(CMainDlg::AboutPage));
    const HWND banner = GetDlgItem(about.Handle(), IDC_BANNER);
    const auto bannerImage = [&] { return SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0); };
    const LRESULT oldTree = treeImages(), oldTabs = tabImages(), oldBanner = bannerImage();
    ASSERT_NE(oldTree, 0);
    ASSERT_NE(oldTabs, 0);
    ASSERT_NE(oldBanner, 0);
    auto& settings = *static_cast<CSettingsDlg*>(main.Page(CMainDlg::SettingsPage));
    const HWND frame = GetDlgItem(settings.Handle(), 1324);
    SendMessageW(settings.Handle(), WM_COMMAND, MAKEWPARAM(1806, STN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(settings.Handle(), 1806)));
    const int position = settings.ScrollPosition();
    ASSERT_GT(position, 0);
    RECT before{};
    GetWindowRect(frame, &before);
    // Somewhere else meanwhile: the change of scale places it again.
    MoveWindow(about.Handle(), 0, 0, 50, 50, FALSE);

    const RECT suggested = [&] {
        RECT r{};
        GetWindowRect(main.Handle(), &r);
        return r;
    }();
    SendMessageW(main.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    PumpFor(50, kCheckEveryMs);
    EXPECT_NE(treeImages(), oldTree);
    EXPECT_NE(tabImages(), oldTabs);
    EXPECT_NE(bannerImage(), oldBanner);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(treeImages()), &cx, &cy);
    EXPECT_EQ(std::pair(cx, cy), std::pair(16, 14));
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(tabImages()), &cx, &cy);
    EXPECT_EQ(std::pair(cx, cy), std::pair(20, 19));
    RECT area{}, page{};
    GetClientRect(main.Tabs(), &area);
    SendMessageW(main.Tabs(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    GetWindowRect(about.Handle(), &page);
    MapWindowPoints(nullptr, main.Tabs(), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_EQ((std::vector<LONG>{page.left, page.top, page.right, page.bottom}),
              (std::vector<LONG>{area.left, area.top, area.right, area.bottom}));
    EXPECT_EQ(settings.ScrollPosition(), position);
    EXPECT_EQ(GetScrollPos(settings.Handle(), SB_VERT), position);
    RECT after{};
    GetWindowRect(frame, &after);
    EXPECT_EQ(after.top, before.top);
}

TEST_F(PagesTest, AboutShowsTheVersionOfTheResourceAndTheLinkReactsToThePointer)
{
    CMainDlg& main = Open();
    auto& about = *static_cast<CAboutDlg*>(main.Page(CMainDlg::AboutPage));
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring version = GetFileVersionString(path);
    EXPECT_EQ(version, VORN_VERSION_WTEXT);  // the version of the CMake project
    EXPECT_EQ(WindowText(about.Label(0).Handle()), L"Vorn\u2122 version " + version);

    // The banner, drawn at run time, at its size and centred on the page.
    const HWND banner = GetDlgItem(about.Handle(), IDC_BANNER);
    RECT bannerRect{}, page{};
    GetWindowRect(banner, &bannerRect);
    MapWindowPoints(nullptr, about.Handle(), reinterpret_cast<POINT*>(&bannerRect), 2);
    GetClientRect(about.Handle(), &page);
    EXPECT_EQ(bannerRect.right - bannerRect.left, 310);
    EXPECT_EQ(bannerRect.bottom - bannerRect.top, 90);
    EXPECT_LE(std::abs((bannerRect.left + bannerRect.right) - page.right), 1);
    EXPECT_NE(SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

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
    // A press, moves with the button held, and a release on the picture, at
    // the pixels that show these points of its units.
    static void Drag(CMonitorStaticBtn& diagram, std::initializer_list<POINT> points)
    {
        const DiagramScale scale = diagram.Picture().Scale();
        const auto at = [&](const POINT* p) { return MAKELPARAM(scale.Pixels(p->x), scale.Pixels(p->y)); };
        const POINT* p = points.begin();
        SendMessageW(diagram.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(p));
        for (++p; p != points.end(); ++p)
            SendMessageW(diagram.Handle(), WM_MOUSEMOVE, MK_LBUTTON, at(p));
        SendMessageW(diagram.Handle(), WM_LBUTTONUP, 0, 0);
    }

    CButtonWindowsHost buttonWindows;
};

TEST_F(ButtonsPageTest, DrawingAndDraggingOnThePictureMoveTheFloatingWindow)
{
    CMainDlg& main = Open();
    SwitchTab(main, CMainDlg::ButtonsPage);
    CMonitorStaticBtn& diagram = Page(main).Diagram();
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
    const DiagramScale scale = page.Diagram().Picture().Scale();
    SendMessageW(page.Diagram().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(scale.Pixels(85), scale.Pixels(45)));
    EXPECT_EQ(page.Editor().selectedId, high);
    SendMessageW(page.Handle(), WM_COMMAND, ID_ALIGN_TOPS, 0);
    EXPECT_EQ(theButtons.GetDiagramRect(low).top, 40);
    SendMessageW(page.Handle(), WM_COMMAND, ID_DELETE_BUTTON, 0);
    EXPECT_EQ(theButtons.Find(high), nullptr);
    SendMessageW(page.Handle(), WM_COMMAND, ID_DELETE_ALL_BUTTONS, 0);
    EXPECT_TRUE(theButtons.List().empty());
    EXPECT_EQ(Saved().Get(L"Button 1", L"Left", L"none"), L"none");
}

TEST_F(ButtonsPageTest, KeysOnThePictureMakeMoveSizeAndDeleteFloatingButtons)
{
    CMainDlg& main = Open();
    buttonWindows.Attach(main.Handle(), nullptr);
    SwitchTab(main, CMainDlg::ButtonsPage);
    CButtonsDlg& page = Page(main);
    const HWND diagram = page.Diagram().Handle();
    EXPECT_NE(GetWindowLongW(diagram, GWL_STYLE) & WS_TABSTOP, 0);
    SetFocus(diagram);

    Key(diagram, VK_INSERT);
    ASSERT_EQ(theButtons.List().size(), 1u);
    const CButtonInfo& button = *theButtons.List().front();
    const HWND floating = button.window->Handle();
    EXPECT_TRUE(IsWindowVisible(floating));
    EXPECT_EQ(page.Editor().selectedId, button.id);
    // The new window hands the focus to the settings window; it comes back.
    EXPECT_EQ(GetFocus(), diagram);
    // It comes in the middle of the screen, under the settings window.
    EXPECT_TRUE(Above(main.Handle(), floating));

    const RECT before = button.diagramRect;
    Key(diagram, VK_RIGHT);
    EXPECT_EQ(button.diagramRect.left, before.left + 1);
    EXPECT_EQ(WindowRect(floating).left, button.ToScreen(button.diagramRect).left);
    Key(diagram, VK_DOWN, true);
    EXPECT_EQ(button.diagramRect.bottom, before.bottom + 1);
    EXPECT_EQ(WindowRect(floating).bottom, button.ToScreen(button.diagramRect).bottom);
    EXPECT_EQ(Saved().Get(L"Button 1", L"Left", L""), std::to_wstring(before.left + 1));

    const Accessible read = ReadAccessible(diagram);
    EXPECT_EQ(read.name, L"Floating buttons");
    EXPECT_EQ(read.value, page.Editor().ValueText());
    EXPECT_EQ(read.value.rfind(L"Button 1 of 1, No action, ", 0), 0u) << read.value;

    // Tab stays in the picture while there is a button to go to.
    Key(diagram, VK_INSERT);
    ASSERT_EQ(theButtons.List().size(), 2u);
    MSG tab{diagram, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_NE(SendMessageW(diagram, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTTAB, 0);
    PostKey(diagram, VK_TAB);
    PumpAsTheProgram(main, 100);
    EXPECT_EQ(page.Editor().selectedId, button.id);
    EXPECT_EQ(SendMessageW(diagram, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTTAB, 0);

    // Shift+F10 opens the button's menu; without a selected button, nothing.
    static bool menuShown;
    const auto closeMenuSoon = [] {
        menuShown = false;
        SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
            menuShown = FindWindowW(L"#32768", nullptr) != nullptr;
            EndMenu();
            KillTimer(nullptr, id);
        });
    };
    closeMenuSoon();
    SendMessageW(diagram, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(diagram), -1);
    EXPECT_TRUE(menuShown);

    Key(diagram, VK_DELETE);
    EXPECT_EQ(theButtons.Find(button.id), nullptr);
    EXPECT_FALSE(IsWindow(floating));
    ASSERT_EQ(theButtons.List().size(), 1u);
    EXPECT_EQ(page.Editor().selectedId, theButtons.List().front()->id);
    Key(diagram, VK_DELETE);
    EXPECT_TRUE(theButtons.List().empty());
    EXPECT_EQ(page.Editor().selectedId, -1);
    closeMenuSoon();
    SendMessageW(diagram, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(diagram), -1);
    PumpFor(200, kCheckEveryMs);
    EXPECT_FALSE(menuShown);

    // A button drawn with the mouse leaves the keyboard on the picture too.
    Drag(page.Diagram(), {{30, 30}, {40, 40}});
    EXPECT_EQ(theButtons.List().size(), 1u);
    EXPECT_EQ(GetFocus(), diagram);
    buttonWindows.Attach(nullptr, nullptr);
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

namespace vorn::ui {
namespace {

class SettingsPageTest : public PagesTest {
protected:
    CSettingsDlg& Page(CMainDlg& main) { return *static_cast<CSettingsDlg*>(main.Page(CMainDlg::SettingsPage)); }
    static void Type(HWND box, const wchar_t* text) { SetWindowTextW(box, text); }
    static std::wstring ListText(HWND list, LRESULT line)
    {
        wchar_t text[256] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0) < 256)
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
        return text;
    }
    static BYTE Alpha(HWND window)
    {
        BYTE alpha = 255;
        GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
        return alpha;
    }
    static void Slide(CSettingsDlg& page, const wchar_t* entry, int percent)
    {
        const LRESULT line = SendMessageW(page.WindowList(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(entry));
        SendMessageW(page.WindowList(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
        SendMessageW(page.Slider(), TBM_SETPOS, TRUE, percent);
        SendMessageW(page.Handle(), WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(page.Slider()));
    }
};

TEST_F(SettingsPageTest, BoxesShowTheStoredValuesAndStoreWhatIsTypedClamped)
{
    theData.windowGrow = 2000;  // hand-edited beyond the box's range
    theData.wallpaperDelay = 3725;
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    EXPECT_EQ(GetDlgItemInt(page.Handle(), 1001, nullptr, TRUE), 2u);
    EXPECT_EQ(GetDlgItemInt(page.Handle(), 1006, nullptr, TRUE), 2000u);
    EXPECT_EQ(GetDlgItemInt(page.Handle(), 1010, nullptr, TRUE), 1u);
    EXPECT_EQ(GetDlgItemInt(page.Handle(), 1012, nullptr, TRUE), 5u);
    EXPECT_EQ(theData.windowGrow, 2000);  // showing is no edit

    Type(GetDlgItem(page.Handle(), 1001), L"25");
    Type(GetDlgItem(page.Handle(), 1010), L"80");
    EXPECT_EQ(theData.cornerSize, 20);
    EXPECT_EQ(theData.wallpaperDelay, 72 * 3600 + 2 * 60 + 5);
    EXPECT_EQ(Saved().Get(L"Settings", L"Corner size", L""), L"20");
    EXPECT_EQ(Saved().Get(L"Settings", L"Window grow", L""), L"2000");

    SendMessageW(page.Handle(), WM_COMMAND, IDC_SEQUENTIAL, 0);
    EXPECT_FALSE(theData.wallpaperRandom);
}

// A spin writes its number without a thousands separator, and what it shows
// is what is stored, at each end of its range.
TEST_F(SettingsPageTest, EverySpinStepsToTheEndsOfItsRangeAndStoresWhatItShows)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    const auto stored = [&](const NumberBox& box) {
        if (box.field) return static_cast<int>(theData.*box.field);
        const DelayParts parts = PartsOfDelay(theData.wallpaperDelay);
        return box.boxId == kDelayHoursBox ? parts.hours : box.boxId == kDelayMinutesBox ? parts.minutes : parts.seconds;
    };
    for (const NumberBox& box : kNumberBoxes) {
        const HWND edit = GetDlgItem(page.Handle(), box.boxId);
        for (const auto& [start, key, end] : {std::tuple{box.high - 1, VK_UP, box.high}, {box.low + 1, VK_DOWN, box.low}}) {
            SCOPED_TRACE(testing::Message() << box.boxId << " from " << start);
            SetWindowTextW(edit, std::to_wstring(start).c_str());
            for (int step = 0; step < 2; ++step)  // the second stops at the end
                SendMessageW(edit, WM_KEYDOWN, key, 1);
            EXPECT_EQ(WindowText(edit), std::to_wstring(end));
            EXPECT_EQ(stored(box), end);
        }
    }
    EXPECT_EQ(Saved().Get(L"Settings", L"Window grow", L""), L"1");
}

TEST_F(SettingsPageTest, TheWheelAndTheKeyboardScrollThePage)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    SwitchTab(main, CMainDlg::SettingsPage);
    // Turned over a box: the page scrolls, a line step per notch.
    PostMessageW(GetDlgItem(page.Handle(), 1001), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), 0);
    PumpAsTheProgram(main, 100);
    const int line = page.Scroll().line;
    EXPECT_EQ(page.ScrollPosition(), 2 * line);
    PostMessageW(GetDlgItem(page.Handle(), 1001), WM_MOUSEWHEEL, MAKEWPARAM(0, 5 * WHEEL_DELTA), 0);
    PumpAsTheProgram(main, 100);
    EXPECT_EQ(page.ScrollPosition(), 0);
    // Sent to the tab headings, which have the focus after a click on them,
    // with the pointer over the page.
    RECT box{};
    GetWindowRect(GetDlgItem(page.Handle(), 1001), &box);
    PostMessageW(main.Tabs(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2));
    PumpAsTheProgram(main, 100);
    EXPECT_EQ(page.ScrollPosition(), line);
    PostMessageW(main.Tabs(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(5, 5));  // not over the page
    PumpAsTheProgram(main, 100);
    EXPECT_EQ(page.ScrollPosition(), line);
    page.ScrollToSection(0);

    // Tab from the poll interval, far below the view, to the dwell time: it
    // comes into view; so does a box at the top of the page on any key.
    RECT view{};
    GetClientRect(page.Handle(), &view);
    const auto inView = [&](int id) {
        RECT box{};
        GetWindowRect(GetDlgItem(page.Handle(), id), &box);
        MapWindowPoints(nullptr, page.Handle(), reinterpret_cast<POINT*>(&box), 2);
        return box.top >= view.top && box.bottom <= view.bottom;
    };
    EXPECT_FALSE(inView(1014));
    SetFocus(GetDlgItem(page.Handle(), 1013));
    PostKey(GetDlgItem(page.Handle(), 1013), VK_TAB);
    PumpAsTheProgram(main, 150);
    ASSERT_EQ(GetFocus(), GetDlgItem(page.Handle(), 1014));
    EXPECT_TRUE(inView(1014));
    EXPECT_GT(page.ScrollPosition(), 0);
    EXPECT_FALSE(inView(1001));
    SetFocus(GetDlgItem(page.Handle(), 1001));
    PostKey(GetDlgItem(page.Handle(), 1001), VK_RIGHT);
    PumpAsTheProgram(main, 150);
    EXPECT_TRUE(inView(1001));
}

// An empty list under the wheel, or one at its end, leaves the wheel to the
// page; one that can scroll that way takes it. Page Down, Ctrl+End and
// Ctrl+Home scroll the page from a button, not from a box, which uses them.
TEST_F(SettingsPageTest, NoListStopsTheWheelAndThePageKeysScrollFromAButton)
{
    theData.wallpaperFolders.clear();
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    SwitchTab(main, CMainDlg::SettingsPage);
    const int line = page.Scroll().line;
    const auto wheel = [&](HWND over, int notches) {
        PostMessageW(over, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notches * WHEEL_DELTA)), 0);
        PumpAsTheProgram(main, 100);
    };
    wheel(page.FolderList(), -1);  // empty
    EXPECT_EQ(page.ScrollPosition(), line);
    wheel(page.FolderList(), 1);
    EXPECT_EQ(page.ScrollPosition(), 0);

    for (int i = 0; i < 30; ++i)
        SendMessageW(page.FolderList(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"C:\\F" + std::to_wstring(10 + i)).c_str()));
    page.ScrollToSection(line);
    wheel(page.FolderList(), 1);  // at its top: up is the page's
    EXPECT_EQ(page.ScrollPosition(), 0);
    wheel(page.FolderList(), -1);  // down is the list's
    EXPECT_EQ(page.ScrollPosition(), 0);
    EXPECT_GT(SendMessageW(page.FolderList(), LB_GETTOPINDEX, 0, 0), 0);
    SendMessageW(page.FolderList(), LB_SETTOPINDEX, 29, 0);
    wheel(page.FolderList(), -1);  // at its end
    EXPECT_EQ(page.ScrollPosition(), line);
    page.ScrollToSection(0);

    const auto press = [&](HWND control, WPARAM key, bool ctrl) {
        SetFocus(control);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        PostKey(control, key);
        PumpAsTheProgram(main, 100);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    const HWND link = GetDlgItem(page.Handle(), IDC_FIRST_CONTENTS_LINK);
    const HWND box = GetDlgItem(page.Handle(), 1001);
    press(box, VK_NEXT, false);
    EXPECT_EQ(page.ScrollPosition(), 0);
    press(link, VK_NEXT, false);
    EXPECT_EQ(page.ScrollPosition(), page.Scroll().page);
    press(link, VK_END, true);
    EXPECT_EQ(page.ScrollPosition(), page.Scroll().Max());
    press(GetDlgItem(page.Handle(), IDC_ADD), VK_HOME, true);
    EXPECT_EQ(page.ScrollPosition(), 0);
    EXPECT_EQ(main.ActivePage(), main.Page(CMainDlg::SettingsPage));
}

// A link brings its section's frame just below the top of the view; the
// bar's thumb goes exactly as far as the range, whose end shows the lowest
// control whole.
TEST_F(SettingsPageTest, LinksAndTheScrollBarMoveThePage)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    SwitchTab(main, CMainDlg::SettingsPage);
    const auto inPage = [&](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, page.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const HWND frame = GetDlgItem(page.Handle(), 1324);
    const RECT before = inPage(frame);
    const HWND link = GetDlgItem(page.Handle(), 1806);
    SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(1806, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(page.ScrollPosition(), before.top - page.Scroll().room);
    EXPECT_EQ(inPage(frame).top, page.Scroll().room);
    SendMessageW(page.Handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(page.ScrollPosition(), before.top - page.Scroll().room - page.Scroll().line);
    EXPECT_EQ(GetScrollPos(page.Handle(), SB_VERT), page.ScrollPosition());

    SCROLLINFO bar{};
    bar.cbSize = sizeof(bar);
    bar.fMask = SIF_ALL;
    GetScrollInfo(page.Handle(), SB_VERT, &bar);
    const int thumbEnd = bar.nMax - static_cast<int>(bar.nPage) + 1;
    EXPECT_EQ(thumbEnd, page.Scroll().Max());
    SendMessageW(page.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, thumbEnd), 0);
    EXPECT_EQ(page.ScrollPosition(), thumbEnd);
    RECT view{};
    GetClientRect(page.Handle(), &view);
    LONG lowest = 0;
    for (HWND child = GetWindow(page.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        lowest = std::max(lowest, inPage(child).bottom);
    EXPECT_LE(lowest, view.bottom);
    EXPECT_GT(lowest, view.bottom - page.Scroll().line);
}

TEST_F(SettingsPageTest, FoldersAreListedAndDeleted)
{
    theData.wallpaperFolders = {L"C:\\Walls", L"C:\\Art"};
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    ASSERT_EQ(SendMessageW(page.FolderList(), LB_GETCOUNT, 0, 0), 2);
    SendMessageW(page.Handle(), WM_COMMAND, IDC_DELETE, 0);  // the first in order: C:\Art
    EXPECT_EQ(theData.wallpaperFolders, (std::vector<std::wstring>{L"C:\\Walls"}));
    EXPECT_EQ(Saved().Get(L"Wallpaper folders", L"1", L""), L"C:\\Walls");
    SendMessageW(page.Handle(), WM_COMMAND, IDC_DELETE, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page.Handle(), IDC_DELETE)));
}

// The "Add" dialog, while it runs modal from the page: a bad name typed is
// told beside the box and the dialog stays; a good one is added. Its rows
// leave out this process's own windows.
namespace quiet {
std::wstring told;
std::vector<ProgramRow> rows;
bool found;
void CALLBACK FillTheDialog(HWND, UINT, UINT_PTR id, DWORD)
{
    const HWND dialog = FindWindowW(L"#32770", L"Add a quiet program");
    if (!dialog) return;
    KillTimer(nullptr, id);
    found = true;
    rows = static_cast<CQuietProgramDlg*>(CWnd::FromHandle(dialog))->ShownRows();
    SetDlgItemTextW(dialog, IDC_QUIET_NAME, L"C:\\Windows\\mstsc.exe");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    told = ControlText(GetDlgItem(dialog, IDC_QUIET_PROBLEM));
    SetDlgItemTextW(dialog, IDC_QUIET_NAME, L" mstsc.exe ");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}
}  // namespace quiet

TEST_F(SettingsPageTest, QuietProgramsAreAddedByTypedNameRemovedAndSaved)
{
    theData.quietPrograms = {L"Game.exe"};
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    ASSERT_EQ(SendMessageW(page.QuietList(), LB_GETCOUNT, 0, 0), 1);

    quiet::found = false;
    SetTimer(nullptr, 0, 50, &quiet::FillTheDialog);
    SendMessageW(page.Handle(), WM_COMMAND, IDC_QUIET_ADD, 0);  // returns when the dialog ends
    ASSERT_TRUE(quiet::found);
    EXPECT_EQ(quiet::told, L"Type the program's file name alone, such as mstsc.exe, without its folder or drive.");
    wchar_t own[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    for (const ProgramRow& row : quiet::rows)
        EXPECT_FALSE(EqualsIgnoringCase(row.name, ProgramFileName(own))) << row.text;
    EXPECT_EQ(theData.quietPrograms, (std::vector<std::wstring>{L"Game.exe", L"mstsc.exe"}));
    EXPECT_EQ(ListText(page.QuietList(), SendMessageW(page.QuietList(), LB_GETCURSEL, 0, 0)), L"mstsc.exe");
    EXPECT_EQ(Saved().Get(kSettingsSection, kQuietProgramsKey, L""), L"Game.exe;mstsc.exe");

    SendMessageW(page.QuietList(), LB_SETCURSEL, 0, 0);
    SendMessageW(page.Handle(), WM_COMMAND, IDC_QUIET_REMOVE, 0);
    EXPECT_EQ(theData.quietPrograms, (std::vector<std::wstring>{L"mstsc.exe"}));
    EXPECT_EQ(Saved().Get(kSettingsSection, kQuietProgramsKey, L""), L"mstsc.exe");
    SendMessageW(page.Handle(), WM_COMMAND, IDC_QUIET_REMOVE, 0);
    EXPECT_TRUE(theData.quietPrograms.empty());
    EXPECT_EQ(Saved().Get(kSettingsSection, kQuietProgramsKey, L"none"), L"none");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page.Handle(), IDC_QUIET_REMOVE)));
}

// A combination another program holds is told beside the box and not kept;
// one that is free is registered, and pressing it turns the edges off with
// a notice; emptied, it is free for others again.
TEST_F(SettingsPageTest, TheSwitchKeyIsRegisteredToldWhenTakenAndTurnsTheEdgesOff)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    const KeyCombination taken{kCtrlModifier | kAltModifier, VK_F11};
    const KeyCombination free{kCtrlModifier | kAltModifier, VK_F12};
    ASSERT_TRUE(RegisterHotKey(nullptr, 77, MOD_CONTROL | MOD_ALT, VK_F11));  // another program's
    page.SwitchKeys().SetKeys(taken);
    EXPECT_EQ(ControlText(GetDlgItem(page.Handle(), IDC_SWITCH_KEYS_PROBLEM)),
              KeyCombinationDisplayText(taken) + L" is already used by Windows or another program. Choose another "
                                                 L"combination.");
    EXPECT_EQ(theData.switchKeys, L"");
    PumpFor(20, kCheckEveryMs);
    EXPECT_TRUE(page.SwitchKeys().Keys().Empty());  // the box shows what is kept
    UnregisterHotKey(nullptr, 77);

    page.SwitchKeys().SetKeys(free);
    EXPECT_EQ(ControlText(GetDlgItem(page.Handle(), IDC_SWITCH_KEYS_PROBLEM)), L"");
    EXPECT_EQ(theData.switchKeys, L"Ctrl+Alt+F12");
    EXPECT_EQ(Saved().Get(kSettingsSection, kSwitchKeysKey, L""), L"Ctrl+Alt+F12");
    EXPECT_FALSE(RegisterHotKey(nullptr, 78, MOD_CONTROL | MOD_ALT, VK_F12));  // held by Vorn
    SendMessageW(main.Handle(), WM_HOTKEY, CMainDlg::kSwitchHotKeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F12));
    EXPECT_FALSE(theData.enabled);
    EXPECT_STREQ(main.Tray()->IconData().szInfo, L"Vorn is off");
    SendMessageW(main.Handle(), WM_HOTKEY, CMainDlg::kSwitchHotKeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, VK_F12));
    EXPECT_TRUE(theData.enabled);
    EXPECT_STREQ(main.Tray()->IconData().szInfo, L"Vorn is on");

    page.SwitchKeys().SetKeys(KeyCombination{});
    EXPECT_EQ(theData.switchKeys, L"");
    EXPECT_TRUE(RegisterHotKey(nullptr, 78, MOD_CONTROL | MOD_ALT, VK_F12));
    UnregisterHotKey(nullptr, 78);
}

// The tray menu's item names the program in front, ticked while it is in
// the list; with Vorn's own window in front there is no program to name.
TEST_F(SettingsPageTest, TheTrayItemsTickFollowsTheList)
{
    CMainDlg& main = Open();
    const auto item = [&](UINT& state) {
        main.UpdateQuietItem(main.Tray()->Popup());
        state = GetMenuState(main.Tray()->Popup(), ID_TRAY_QUIET, MF_BYCOMMAND);
        wchar_t text[128] = {};
        GetMenuStringW(main.Tray()->Popup(), ID_TRAY_QUIET, text, 128, MF_BYCOMMAND);
        return std::wstring(text);
    };
    SetForegroundWindow(main.Handle());
    PumpFor(50, kCheckEveryMs);
    UINT state = 0;
    if (GetForegroundWindow() == main.Handle()) {
        EXPECT_EQ(item(state), L"&Keep quiet in the program in front");
        EXPECT_TRUE(state & MF_GRAYED);
    }

    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION notepad{};
    wchar_t command[] = L"notepad.exe";
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &notepad));
    WaitForInputIdle(notepad.hProcess, 10000);
    HWND window = nullptr;
    for (int wait = 0; wait < 200 && GetForegroundWindow() != window; ++wait) {
        struct Find {
            DWORD process;
            HWND found;
        } find{notepad.dwProcessId, nullptr};
        EnumWindows(
            [](HWND w, LPARAM p) {
                auto* f = reinterpret_cast<Find*>(p);
                DWORD process = 0;
                GetWindowThreadProcessId(w, &process);
                if (process != f->process || !IsWindowVisible(w)) return TRUE;
                f->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&find));
        window = find.found;
        if (window) SetForegroundWindow(window);
        PumpFor(50, kCheckEveryMs);
    }
    ASSERT_EQ(GetForegroundWindow(), window);
    EXPECT_EQ(item(state), L"&Keep quiet in notepad.exe");
    EXPECT_FALSE(state & (MF_CHECKED | MF_GRAYED));
    SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_QUIET, 0);
    EXPECT_EQ(theData.quietPrograms, (std::vector<std::wstring>{L"notepad.exe"}));
    EXPECT_EQ(Saved().Get(kSettingsSection, kQuietProgramsKey, L""), L"notepad.exe");
    item(state);
    EXPECT_TRUE(state & MF_CHECKED);
    // The page's list follows.
    EXPECT_EQ(ListText(Page(main).QuietList(), 0), L"notepad.exe");
    SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_QUIET, 0);
    EXPECT_TRUE(theData.quietPrograms.empty());
    item(state);
    EXPECT_FALSE(state & MF_CHECKED);

    TerminateProcess(notepad.hProcess, 0);
    WaitForSingleObject(notepad.hProcess, 10000);
    CloseHandle(notepad.hThread);
    CloseHandle(notepad.hProcess);
}

TEST_F(SettingsPageTest, TheSliderAppliesAtOnceAndStoresForVornAndTheTaskbar)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    SwitchTab(main, CMainDlg::SettingsPage);
    // A folder named Vorn, opened last, shares the entry's title, not its transparency.
    const HWND folderWindow = CreateWindowExW(0, L"STATIC", L"Vorn", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                              100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Slide(page, L"Vorn", 30);
    EXPECT_EQ(theData.vornTransparency, 30);
    EXPECT_EQ(Alpha(main.Handle()), AlphaFromPercent(30));
    EXPECT_EQ(Alpha(folderWindow), 255);
    DestroyWindow(folderWindow);
    Slide(page, L"Taskbar", 40);
    EXPECT_EQ(theData.taskbarTransparency, 40);
    EXPECT_EQ(Saved().Get(L"Settings", L"Taskbar transparency", L""), L"40");
    Slide(page, L"Taskbar", 0);

    // "Test" shows the window at the peek transparency for a second.
    Slide(page, L"Vorn", 0);
    SendMessageW(page.Handle(), WM_COMMAND, IDC_TEST_DESKTOP, 0);
    EXPECT_EQ(Alpha(main.Handle()), AlphaFromPercent(theData.desktopTransparency));
    EXPECT_TRUE(test::PumpUntil([&] { return Alpha(main.Handle()) == 255; }, 3000, kCheckEveryMs));
}

// The Run key, under a value of the test's own so that no real log-on entry
// is ever left behind.
constexpr const wchar_t* kTestRunValue = L"Vorn page test";

std::wstring RunValue(const wchar_t* name)
{
    wchar_t data[1024] = {};
    DWORD bytes = sizeof(data);
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, name, RRF_RT_REG_SZ, nullptr, data, &bytes) != ERROR_SUCCESS)
        return L"<missing>";
    return data;
}

class LogOnTest : public SettingsPageTest {
protected:
    ~LogOnTest() override { SetStartAtLogOn(false, kTestRunValue); }
};

TEST_F(LogOnTest, TheRunKeyNamesThisProgramQuotedAndIsRemovedAgain)
{
    ASSERT_TRUE(SetStartAtLogOn(true, kTestRunValue));
    const std::wstring command = RunValue(kTestRunValue);
    EXPECT_EQ(command, LogOnCommand());
    EXPECT_EQ(command.front(), L'"');
    EXPECT_NE(command.find(L"vorn_window_tests.exe\" /folder \""), std::wstring::npos) << command;
    EXPECT_TRUE(StartsAtLogOn(kTestRunValue));
    // The folder of the settings in use, read back whole by the start-up.
    const std::wstring& path = theData.settingsPath;
    EXPECT_EQ(ParseCommandLine(command).folder, path.substr(0, path.find_last_of(L'\\')));

    // A value left by a copy of Vorn elsewhere does not start this one.
    const std::wstring elsewhere = L"\"C:\\Old\\Vorn.exe\"";
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kTestRunValue, REG_SZ, elsewhere.c_str(),
                    static_cast<DWORD>((elsewhere.size() + 1) * sizeof(wchar_t)));
    EXPECT_FALSE(StartsAtLogOn(kTestRunValue));

    EXPECT_TRUE(SetStartAtLogOn(false, kTestRunValue));
    EXPECT_EQ(RunValue(kTestRunValue), L"<missing>");
    EXPECT_TRUE(SetStartAtLogOn(false, kTestRunValue));  // already gone
}

TEST_F(LogOnTest, TheEdgeBehaviourSectionStoresItsSettingsAndShowsTheRunKey)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = Page(main);
    page.runValue = kTestRunValue;
    const HWND logOn = GetDlgItem(page.Handle(), IDC_START_AT_LOG_ON);

    // Changed elsewhere while the page was hidden: shown as it is.
    SetStartAtLogOn(true, kTestRunValue);
    SwitchTab(main, CMainDlg::SettingsPage);
    EXPECT_EQ(SendMessageW(logOn, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(logOn, BM_CLICK, 0, 0);
    EXPECT_EQ(RunValue(kTestRunValue), L"<missing>");
    SendMessageW(logOn, BM_CLICK, 0, 0);
    EXPECT_EQ(RunValue(kTestRunValue), LogOnCommand());

    SendMessageW(GetDlgItem(page.Handle(), IDC_PAUSE_IN_FULL_SCREEN), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(page.Handle(), IDC_EVERY_MONITOR), BM_CLICK, 0, 0);
    Type(GetDlgItem(page.Handle(), 1013), L"80");
    Type(GetDlgItem(page.Handle(), 1014), L"250");
    EXPECT_TRUE(theData.pauseInFullScreen);
    EXPECT_TRUE(theData.cornersOnEveryMonitor);
    EXPECT_EQ(theData.pollInterval, 80);
    EXPECT_EQ(theData.dwellTime, 250);
    const ProfileFile saved = Saved();
    EXPECT_EQ(saved.Get(L"Settings", L"Pause in full screen", L""), L"True");
    EXPECT_EQ(saved.Get(L"Settings", L"Corners on every monitor", L""), L"True");
    EXPECT_EQ(saved.Get(L"Settings", L"Poll interval", L""), L"80");
    EXPECT_EQ(saved.Get(L"Settings", L"Dwell time", L""), L"250");

    // The eighth link, to the last section: the page's end, where all of
    // the section shows.
    const HWND frame = GetDlgItem(page.Handle(), IDC_QUIET_FRAME);
    const HWND link = GetDlgItem(page.Handle(), 1809);
    SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(1809, STN_CLICKED), reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(page.ScrollPosition(), page.Scroll().Max());
    RECT client{};
    GetClientRect(page.Handle(), &client);
    RECT section{};
    GetWindowRect(frame, &section);
    MapWindowPoints(nullptr, page.Handle(), reinterpret_cast<POINT*>(&section), 2);
    EXPECT_GE(section.top, 0);
    EXPECT_LE(section.bottom, client.bottom);
}

class CustomPageTest : public PagesTest {
protected:
    CCustomDlg& Page(CMainDlg& main) { return *static_cast<CCustomDlg*>(main.Page(CMainDlg::CustomPage)); }
    std::vector<std::wstring> Lines(CCustomDlg& page)
    {
        std::vector<std::wstring> lines;
        for (LRESULT i = 0; i < SendMessageW(page.List(), LB_GETCOUNT, 0, 0); ++i) {
            wchar_t text[128] = {};
            SendMessageW(page.List(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            lines.push_back(text);
        }
        return lines;
    }
};

// The editor with its messages recorded instead of shown.
class RecordingEditor final : public CCustomActionDlg {
public:
    using CCustomActionDlg::CCustomActionDlg;
    std::vector<std::wstring> errors;

protected:
    void ShowError(const wchar_t* text) override { errors.push_back(text); }
};

TEST_F(CustomPageTest, TheEditorChecksAndTheListFollows)
{
    theCustomActions[0] = CCustomAction{L"Mail client", L"Reads mail", L"mail.exe", L""};
    CMainDlg& main = Open();
    CCustomDlg& page = Page(main);
    EXPECT_EQ(WindowText(page.Label(0).Handle()), L"Reads mail");

    RecordingEditor editor(L"");
    ASSERT_TRUE(editor.CreateModeless(main.Handle()));
    const auto fill = [&](const wchar_t* name, const wchar_t* beginning) {
        SetDlgItemTextW(editor.Handle(), IDC_NAME, name);
        SetDlgItemTextW(editor.Handle(), IDC_BEGINNING_ACTION, beginning);
        SendMessageW(editor.Handle(), WM_COMMAND, IDOK, 0);
    };
    fill(L"  ", L"x");
    fill(L"Mail", L" ");
    fill(L"MAIL CLIENT", L"x");
    fill(L"tile LEFT", L"x");
    EXPECT_EQ(editor.errors,
              (std::vector<std::wstring>{L"Name required", L"At least one action is required",
                                         L"The name you entered is already in use",
                                         L"The name you entered is already in use"}));
    EXPECT_EQ(GetFocus(), GetDlgItem(editor.Handle(), IDC_NAME));
    DWORD from = 1;
    DWORD to = 0;
    SendMessageW(GetDlgItem(editor.Handle(), IDC_NAME), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 9u);  // all of it, to be typed over
    fill(L" Mail ", L"mail.exe /new");
    EXPECT_EQ(editor.EnteredName(), L"Mail");
    EXPECT_EQ(editor.Handle(), nullptr);  // closed with OK

    page.FillList();
    page.SelectByName(L"Mail");
    EXPECT_EQ(Lines(page), (std::vector<std::wstring>{L"Mail", L"Mail client"}));
    EXPECT_EQ(page.SelectedName(), L"Mail");

    // Edit fills the fields; Cancel keeps the action as it was.
    RecordingEditor edit(L"Mail client");
    ASSERT_TRUE(edit.CreateModeless(main.Handle()));
    EXPECT_EQ(WindowText(GetDlgItem(edit.Handle(), IDC_NAME)), L"Mail client");
    EXPECT_EQ(WindowText(GetDlgItem(edit.Handle(), IDC_DESCRIPTION)), L"Reads mail");
    EXPECT_EQ(WindowText(GetDlgItem(edit.Handle(), IDC_BEGINNING_ACTION)), L"mail.exe");
    SetDlgItemTextW(edit.Handle(), IDC_BEGINNING_ACTION, L"other.exe");
    SendMessageW(edit.Handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(edit.Handle(), nullptr);
    EXPECT_EQ(theCustomActions[theCustomActions.FindSlot(L"Mail client")].beginningAction, L"mail.exe");

    SendMessageW(page.Handle(), WM_COMMAND, IDC_COPY, 0);
    EXPECT_EQ(page.SelectedName(), L"Mail copy 1");
    EXPECT_EQ(Saved().Get(L"Custom actions", L"Name 3", L""), L"Mail copy 1");
    for (int i = 0; i < 3; ++i)
        SendMessageW(page.Handle(), WM_COMMAND, IDC_DELETE, 0);
    EXPECT_TRUE(Lines(page).empty());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page.Handle(), IDC_EDIT)));
    EXPECT_EQ(WindowText(page.Label(0).Handle()), L"");
}

// Names and descriptions show as typed: an "&" is no mnemonic, on the
// description line or in the tip over the list.
TEST_F(CustomPageTest, ACustomActionCarryingABuiltInsNameSaysWhichOneItHides)
{
    const std::wstring builtIn = theCatalogue[static_cast<std::size_t>(kBuiltInActionCount - 1)].name;
    theCustomActions[0] = CCustomAction{builtIn, L"Older than the built-in", L"old.exe", L""};
    CMainDlg& main = Open();
    CCustomDlg& page = Page(main);
    SwitchTab(main, CMainDlg::CustomPage);
    EXPECT_NE(WindowText(page.Label(0).Handle()).find(L"\"" + builtIn + L"\""), std::wstring::npos);
    theCustomActions[0].name += L" (old)";
    page.FillList();
    EXPECT_EQ(WindowText(page.Label(0).Handle()), L"Older than the built-in");
}

TEST_F(CustomPageTest, TheDescriptionAndTheTipShowAnAmpersandAsTyped)
{
    theCustomActions[0] = CCustomAction{L"Save & quit", L"Saves & quits", L"save.exe", L""};
    CMainDlg& main = Open();
    CCustomDlg& page = Page(main);
    SwitchTab(main, CMainDlg::CustomPage);
    const HWND line = page.Label(0).Handle();
    EXPECT_EQ(WindowText(line), L"Saves & quits");
    EXPECT_NE(GetWindowLongW(line, GWL_STYLE) & SS_NOPREFIX, 0);

    RECT item{};
    SendMessageW(page.List(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    MSG move{};
    move.hwnd = page.List();
    move.message = WM_MOUSEMOVE;
    move.lParam = MAKELPARAM(item.left + 5, item.top + 2);
    page.PreTranslateMessage(move);
    const HWND pageTip = page.ToolTip();
    ASSERT_NE(pageTip, nullptr);
    EXPECT_NE(GetWindowLongW(pageTip, GWL_STYLE) & TTS_NOPREFIX, 0);
    wchar_t text[64] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = page.Handle();
    info.uId = reinterpret_cast<UINT_PTR>(page.List());
    info.lpszText = text;
    SendMessageW(pageTip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Saves & quits");
}

}  // namespace
}  // namespace vorn::ui
