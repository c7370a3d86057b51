// The "Recent activity" window on real windows: opened from the tray menu's
// command, its list shows the record newest first in the words the record
// gives, follows new events while open, and its buttons copy and clear.
#include "tests/win/main_window_fixture.h"

#include <commctrl.h>

#include <string>

#include "engine/activity.h"
#include "ui/activity_dlg.h"

namespace vorn::ui {
namespace {

class ActivityWindowTest : public MainWindowTest {
protected:
    ActivityWindowTest()
    {
        // Away from every zone, so that the engine records nothing of its own.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
        theActivity.Clear();
    }
    ~ActivityWindowTest() override
    {
        theActivity.Clear();
        // No modifier this test set for its keys may stay down for the tests after it.
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU,
                              VK_RMENU, VK_LWIN, VK_RWIN})
            keys[key] = 0;
        SetKeyboardState(keys);
    }

    static void RecordLaunch(const wchar_t* program)
    {
        ActivityEvent event;
        event.kind = ActivityKind::Launched;
        event.SetText(program);
        theActivity.Record(event);
    }
    static void RecordRefusal()
    {
        ActivityEvent event;
        event.kind = ActivityKind::NotInFullScreen;
        event.zone = 0;
        theActivity.Record(event);
    }
    // Opens the window as the tray menu's item does.
    HWND OpenActivity(CMainDlg& main)
    {
        SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_ACTIVITY, 0);
        PumpFor(50, kCheckEveryMs);
        return main.Activity() ? main.Activity()->Handle() : nullptr;
    }
    static std::wstring Cell(HWND list, int row, int column)
    {
        wchar_t text[512] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static int Rows(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
    static void ExpectRowShows(HWND list, int row, const ActivityEvent& event)
    {
        const ActivityWords words = DescribeActivity(event);
        EXPECT_EQ(Cell(list, row, 0), words.time) << row;
        EXPECT_EQ(Cell(list, row, 1), words.zone) << row;
        EXPECT_EQ(Cell(list, row, 2), words.what) << row;
        EXPECT_EQ(Cell(list, row, 3), words.why) << row;
    }
    static std::wstring ClipboardText()
    {
        std::wstring text;
        if (!OpenClipboard(nullptr)) return L"(clipboard busy)";
        if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }
    static void SetClipboardText(const std::wstring& text)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        wcscpy(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str());
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    static void Click(HWND dialog, int id)
    {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
};

TEST_F(ActivityWindowTest, ShowsTheRecordNewestFirstFollowsItCopiesAndClears)
{
    RecordLaunch(L"first.exe");
    RecordRefusal();
    CMainDlg& main = Open();
    EXPECT_EQ(GetMenuItemID(main.Tray()->Popup(), 1), static_cast<UINT>(ID_TRAY_ACTIVITY));
    const HWND window = OpenActivity(main);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WindowText(window), L"Recent activity - Vorn");
    const HWND list = GetDlgItem(window, IDC_ACTIVITY_LIST);
    ASSERT_EQ(Rows(list), 2);
    ExpectRowShows(list, 0, theActivity.Newest(0));
    ExpectRowShows(list, 1, theActivity.Newest(1));
    EXPECT_NE(Cell(list, 1, 2).find(L"first.exe"), std::wstring::npos);

    // Recorded while the window is open: on top once the window hears of it.
    RecordLaunch(L"second.exe");
    EXPECT_TRUE(test::PumpUntil([&] { return Rows(list) == 3; }, 2000, kCheckEveryMs));
    ExpectRowShows(list, 0, theActivity.Newest(0));
    EXPECT_NE(Cell(list, 0, 2).find(L"second.exe"), std::wstring::npos);
    ExpectRowShows(list, 2, theActivity.Newest(2));

    // The menu's item again brings the same window to the front.
    EXPECT_EQ(OpenActivity(main), window);

    // Copy with nothing chosen takes every line, newest first; with a row chosen, that row.
    Click(window, IDC_ACTIVITY_COPY);
    EXPECT_EQ(ClipboardText(), ActivityLine(theActivity.Newest(0)) + L"\r\n" + ActivityLine(theActivity.Newest(1)) +
                                   L"\r\n" + ActivityLine(theActivity.Newest(2)) + L"\r\n");
    ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
    Click(window, IDC_ACTIVITY_COPY);
    EXPECT_EQ(ClipboardText(), ActivityLine(theActivity.Newest(2)) + L"\r\n");

    // Clear empties the list and the record; Copy then leaves the clipboard be.
    Click(window, IDC_ACTIVITY_CLEAR);
    EXPECT_EQ(Rows(list), 0);
    EXPECT_EQ(theActivity.Count(), 0u);
    SetClipboardText(L"kept");
    Click(window, IDC_ACTIVITY_COPY);
    EXPECT_EQ(ClipboardText(), L"kept");
    RecordLaunch(L"third.exe");
    EXPECT_TRUE(test::PumpUntil([&] { return Rows(list) == 1; }, 2000, kCheckEveryMs));

    // Esc closes it, as Close does.
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(window));
}

// Ctrl+A and Ctrl+C in the list; Clear only with Alt, never by a lone letter.
// Off for now: under Wine the key state it sets (SetKeyboardState for Ctrl,
// a posted WM_SYSCHAR for Alt) stays with the process and makes later tests'
// modifiers and menus misread, even with the state put back.
TEST_F(ActivityWindowTest, DISABLED_TheListsKeysAndClearsAccessKey)
{
    RecordLaunch(L"first.exe");
    RecordLaunch(L"second.exe");
    CMainDlg& main = Open();
    const HWND window = OpenActivity(main);
    ASSERT_NE(window, nullptr);
    const HWND list = GetDlgItem(window, IDC_ACTIVITY_LIST);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(list, WM_KEYDOWN, 'A', 1);
    SetClipboardText(L"before");
    SendMessageW(list, WM_KEYDOWN, 'C', 1);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(ListView_GetSelectedCount(list), 2u);
    EXPECT_EQ(ClipboardText(),
              ActivityLine(theActivity.Newest(0)) + L"\r\n" + ActivityLine(theActivity.Newest(1)) + L"\r\n");

    const HWND copy = GetDlgItem(window, IDC_ACTIVITY_COPY);
    SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(copy), TRUE);
    PostMessageW(copy, WM_CHAR, 'l', 1);
    PumpAsTheProgram(main, 100);
    EXPECT_EQ(theActivity.Count(), 2u);
    EXPECT_EQ(Rows(list), 2);
    PostMessageW(copy, WM_SYSCHAR, 'l', 1 | (1 << 29));
    PumpAsTheProgram(main, 100);
    EXPECT_EQ(theActivity.Count(), 0u);
    EXPECT_EQ(Rows(list), 0);
}

// A screen reader names the list after the label just before it.
TEST_F(ActivityWindowTest, TheListIsNamedByTheLabelBeforeIt)
{
    CMainDlg& main = Open();
    const HWND window = OpenActivity(main);
    ASSERT_NE(window, nullptr);
    const HWND list = GetDlgItem(window, IDC_ACTIVITY_LIST);
    const HWND label = GetWindow(list, GW_HWNDPREV);
    EXPECT_EQ(WindowText(label), L"&Events:");
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(GetFocus(), list);
}

// A larger window gives the list the room; the buttons keep to the bottom
// right, and the window does not go below the size it opens with.
TEST_F(ActivityWindowTest, TheListGrowsWithTheWindowAndTheButtonsFollowTheCorner)
{
    CMainDlg& main = Open();
    const HWND window = OpenActivity(main);
    ASSERT_NE(window, nullptr);
    const auto inClient = [&](int id) {
        RECT rect{};
        GetWindowRect(GetDlgItem(window, id), &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    const auto margins = [&](int id) {
        RECT client{};
        GetClientRect(window, &client);
        const RECT rect = inClient(id);
        return SIZE{client.right - rect.right, client.bottom - rect.bottom};
    };
    RECT before{};
    GetWindowRect(window, &before);
    const RECT listBefore = inClient(IDC_ACTIVITY_LIST);
    const SIZE closeMargins = margins(IDCANCEL);
    SetWindowPos(window, nullptr, 0, 0, before.right - before.left + 120, before.bottom - before.top + 80,
                 SWP_NOMOVE | SWP_NOZORDER);
    const RECT listAfter = inClient(IDC_ACTIVITY_LIST);
    EXPECT_EQ(listAfter.right - listAfter.left, listBefore.right - listBefore.left + 120);
    EXPECT_EQ(listAfter.bottom - listAfter.top, listBefore.bottom - listBefore.top + 80);
    EXPECT_EQ(margins(IDCANCEL).cx, closeMargins.cx);
    EXPECT_EQ(margins(IDCANCEL).cy, closeMargins.cy);
    EXPECT_EQ(margins(IDC_ACTIVITY_COPY).cy, closeMargins.cy);

    MINMAXINFO limits{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, before.right - before.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, before.bottom - before.top);
}

}  // namespace
}  // namespace vorn::ui
