// The settings window from the keyboard and for screen readers, on real
// windows: the tab order through each page, Ctrl+Tab, the access keys, the
// links, the names oleacc reads, and high contrast. (Wine keeps no keyboard
// cues: the focus always shows there, whatever the window does.)
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "platform/win.h"

#include <commctrl.h>
#include <oleacc.h>

#include "actions/custom_actions.h"
#include "actions/key_combination.h"
#include "settings/profile.h"
#include "tests/win/main_window_fixture.h"
#include "ui/about_dlg.h"
#include "ui/custom_dlg.h"
#include "ui/preview_dlg.h"
#include "ui/settings_dlg.h"

namespace vorn::ui {
namespace {

enum : int {
    Main = -1,
    Actions,
    Buttons,
    Custom,
    Settings,
    About
};

// The system as it is, but for the high-contrast theme, which it reports as asked.
class ContrastShell final : public IShell {
public:
    explicit ContrastShell(IShell& system) : system_(system) {}
    bool on = false;
    HINSTANCE ShellExecuteW(HWND o, LPCWSTR v, LPCWSTR f, LPCWSTR p, LPCWSTR d, INT s) override
    {
        return system_.ShellExecuteW(o, v, f, p, d, s);
    }
    BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) override { return system_.ShellExecuteExW(info); }
    BOOL SystemParametersInfoW(UINT action, UINT u, PVOID p, UINT w) override
    {
        if (action != SPI_GETHIGHCONTRAST) return system_.SystemParametersInfoW(action, u, p, w);
        static_cast<HIGHCONTRASTW*>(p)->dwFlags = on ? HCF_HIGHCONTRASTON : 0;
        return TRUE;
    }
    LSTATUS RegOpenKeyExW(HKEY k, LPCWSTR s, DWORD o, REGSAM a, HKEY* r) override
    {
        return system_.RegOpenKeyExW(k, s, o, a, r);
    }
    LSTATUS RegQueryValueExW(HKEY k, LPCWSTR n, DWORD* r, DWORD* t, BYTE* d, DWORD* b) override
    {
        return system_.RegQueryValueExW(k, n, r, t, d, b);
    }
    LSTATUS RegCloseKey(HKEY key) override { return system_.RegCloseKey(key); }
    BOOL GetVersionExW(OSVERSIONINFOW* info) override { return system_.GetVersionExW(info); }

private:
    IShell& system_;
};

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A label's text as read: its access key's "&" left out.
std::wstring Unmarked(std::wstring text)
{
    if (const auto at = text.find(L'&'); at != std::wstring::npos) text.erase(at, 1);
    return text;
}

// The letter after a single "&", lower case; 0 for none.
wchar_t AccessKey(HWND control)
{
    if (ClassOf(control) == L"Static" && (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX)) return 0;
    const std::wstring text = WindowText(control);
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == L'&' && text[++i] != L'&') return static_cast<wchar_t>(towlower(text[i]));
    return 0;
}

// The static nearest before the control in the tab order, which names it
// unless it has a name of its own.
HWND LabelBefore(HWND control)
{
    for (HWND w = GetWindow(control, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (ClassOf(w) == L"Static") return w;
    return nullptr;
}

bool NamedByLabel(HWND control)
{
    for (const wchar_t* name : {L"Edit", L"ListBox", L"ComboBox", L"SysTreeView32", L"msctls_trackbar32"})
        if (ClassOf(control) == name) return true;
    return false;
}

// The name a screen reader gets through oleacc; none when there is none.
std::optional<std::wstring> AccessibleName(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return std::nullopt;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = object->get_accName(self, &name);
    object->Release();
    std::optional<std::wstring> read;
    if (result == S_OK && name) read = std::wstring(name, SysStringLen(name));
    SysFreeString(name);
    return read;
}

class KeyboardTest : public MainWindowTest {
protected:
    KeyboardTest() : shell(os::Shell())
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        InstallPort(
            Port{&os::Input(), &os::Windows(), &shell, &os::Power(), &os::Timers(), &os::Clock(), &os::Files()});
        // Every button enabled: a custom action and a wallpaper folder.
        theCustomActions[0] = CCustomAction{L"Mine", L"", L"calc", L""};
        theData.wallpaperFolders = {L"C:\\Walls"};
        main = &Open();
        for (int page = Actions; page <= About; ++page)
            main->Page(page);
    }
    ~KeyboardTest() override
    {
        main_.reset();
        InstallWin32Port();
        InstallSettingsStore();
        CoUninitialize();
    }
    HWND Control(int page, int id) const
    {
        return GetDlgItem(page == Main ? main->Handle() : main->Page(page)->Handle(), id);
    }
    static void HoldKeys(bool ctrl, bool shift)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    ContrastShell shell;
    CMainDlg* main = nullptr;
};

// From the headings Tab visits every enabled control of the page in reading
// order, the buttons below and the headings again; Shift+Tab the other way.
TEST_F(KeyboardTest, TabRunsThroughThePageTheButtonsBelowAndTheHeadings)
{
    const std::vector<std::pair<int, std::vector<int>>> walks = {
        {Actions, {IDC_DIAGRAM, IDC_ACTION_TREE, IDC_MODIFIER, IDC_ZONE_WAIT}},
        {Buttons, {IDC_DIAGRAM, IDC_ACTION_TREE, IDC_CAPTION, IDC_MODIFIER, IDC_TRANSPARENCY}},
        {Custom, {IDC_LIST, IDC_ADD, IDC_EDIT, IDC_COPY, IDC_DELETE}},
        {Settings,
         {1802, 1803, 1804, 1805, 1806, 1807, 1808, 1809, 1001, 1002, 1003, IDC_SHOW_ZONES, 1004, 1905, 1005, 1906,
          1701, 1006, 1007, 1008, 1009, 1501, 1601, 1604, 1010, 1011, 1012, 1401, 1502, 1602, 1916, 1702, 1703, 1704,
          1705, 1706, IDC_KEEP_LOG, IDC_SHOW_WAIT, 1013, 1014, 1503, 1608, 1016}},  // Remove (1609) is grey while no program is listed
        {About, {IDC_SITE_LINK, IDC_WEB_HELP, IDC_LOCAL_HELP}},
    };
    for (const auto& [page, stops] : walks) {
        SCOPED_TRACE(page);
        main->SelectPage(page);
        std::vector<HWND> expected;
        for (const int id : stops)
            expected.push_back(Control(page, id));
        for (const int id : {IDC_PREVIEW, IDCANCEL, IDC_EXIT})
            expected.push_back(Control(Main, id));
        expected.push_back(main->Tabs());
        const auto walk = [&](BOOL back) {
            std::vector<HWND> visited{main->Tabs()};
            while (visited.size() <= expected.size())
                visited.push_back(GetNextDlgTabItem(main->Handle(), visited.back(), back));
            visited.erase(visited.begin());
            return visited;
        };
        EXPECT_EQ(walk(FALSE), expected);
        std::reverse(expected.begin(), expected.end() - 1);
        EXPECT_EQ(walk(TRUE), expected);
        // The key itself, from the headings into the page.
        SetFocus(main->Tabs());
        PostKey(main->Tabs(), VK_TAB);
        PumpAsTheProgram(*main, 100);
        EXPECT_EQ(GetFocus(), Control(page, stops.front()));
    }
}

// From inside a box, a list or a tree, as a click on the heading: the page
// saved and the keyboard on the headings; round at either end.
TEST_F(KeyboardTest, CtrlTabAndCtrlPageDownSwitchPagesFromAnywhere)
{
    const struct {
        int from, control;
        WPARAM key;
        bool shift;
        int to;
    } cases[] = {
        {Settings, 1001, VK_TAB, false, About},          {About, IDC_WEB_HELP, VK_TAB, false, Actions},
        {Actions, IDC_ACTION_TREE, VK_TAB, true, About}, {Actions, IDC_ACTION_TREE, VK_NEXT, false, Buttons},
        {Buttons, IDC_CAPTION, VK_NEXT, false, Custom},  {Custom, IDC_LIST, VK_PRIOR, false, Buttons},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << c.key << " " << c.shift);
        main->SelectPage(c.from);
        SetFocus(Control(c.from, c.control));
        const auto assigned = theData.assignments;
        HoldKeys(true, c.shift);
        PostKey(Control(c.from, c.control), c.key);
        PumpAsTheProgram(*main, 100);
        HoldKeys(false, false);
        EXPECT_EQ(main->ActivePage(), main->Page(c.to));
        EXPECT_EQ(SendMessageW(main->Tabs(), TCM_GETCURSEL, 0, 0), c.to);
        theData.FlushSettings();
        const ProfileFile saved = ProfileFile::FromBytes(fake::TempFolder::Read(theData.settingsPath));
        EXPECT_EQ(saved.Get(L"Settings", L"Current page", L""), std::to_wstring(c.to));
        EXPECT_EQ(GetFocus(), main->Tabs());
        EXPECT_FALSE(IsWindowEnabled(main->Page(c.from)->Handle()));
        EXPECT_EQ(theData.assignments, assigned);  // the tree took no key
    }
}

// A letter typed on a picture stays there: were it an access key, a stray X
// would end Vorn and a T leave the picture for the Trigger list or the Title box.
TEST_F(KeyboardTest, ALetterTypedOnAPictureIsNoAccessKey)
{
    const struct {
        int page;
        wchar_t letter;  // the access key of a label on the page
    } cases[] = {{Actions, L't'}, {Buttons, L't'}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        main->SelectPage(c.page);
        const HWND picture = Control(c.page, IDC_DIAGRAM);
        SetFocus(picture);
        PostMessageW(picture, WM_CHAR, c.letter, 1);
        PumpAsTheProgram(*main, 100);
        EXPECT_EQ(GetFocus(), picture);
    }
}

// A letter typed alone on a button, a check box, an option, a slider or a
// link presses, ticks or follows nothing (the focus stays), though it is the
// access key of a control on the page; Alt with it still does. Exit goes
// last, and Close only alone: Alt+X ends the window. The About page's
// buttons open a browser and are left out; they pass the same path.
TEST_F(KeyboardTest, ALetterAloneIsNoAccessKeyAndAltWithItIs)
{
    enum Effect {
        DeletesAction,
        DeletesFolder,
        TicksPause,
        TicksEveryMonitor,
        TicksInstant,
        GoesToTheTree,
        Exits
    };
    const struct {
        int page, owner, control;
        wchar_t letter;
        Effect effect;
        bool withAlt;
    } cases[] = {
        {Custom, Custom, IDC_ADD, L'd', DeletesAction, true},
        {Custom, Custom, IDC_DELETE, L'd', DeletesAction, true},  // its own letter
        {Settings, Settings, IDC_ADD, L'e', DeletesFolder, true},
        {Settings, Settings, IDC_START_AT_LOG_ON, L'u', TicksPause, true},
        {Settings, Settings, IDC_PAUSE_IN_FULL_SCREEN, L'u', TicksPause, true},
        {Settings, Settings, IDC_TRANSPARENCY, L'c', TicksEveryMonitor, true},
        {Settings, Settings, IDC_FIRST_CONTENTS_LINK, L'o', TicksInstant, true},
        {Settings, Settings, IDC_RANDOM, L'o', TicksInstant, true},
        {Buttons, Buttons, IDC_TRANSPARENCY, L'a', GoesToTheTree, true},
        {Actions, Main, IDCANCEL, L'x', Exits, false},
        {Settings, Main, IDC_EXIT, L'x', Exits, false},
        {Custom, Main, IDC_PREVIEW, L'x', Exits, true},
    };
    auto& custom = *static_cast<CCustomDlg*>(main->Page(Custom));
    const HWND window = main->Handle();
    const auto state = [&](Effect effect) -> int {
        switch (effect) {
        case DeletesAction:
            return theCustomActions.Count();
        case DeletesFolder:
            return static_cast<int>(theData.wallpaperFolders.size());
        case TicksPause:
            return theData.pauseInFullScreen;
        case TicksEveryMonitor:
            return theData.cornersOnEveryMonitor;
        case TicksInstant:
            return theData.instantResponse;
        case GoesToTheTree:
            return GetFocus() == Control(Buttons, IDC_ACTION_TREE);
        default:
            return IsWindow(window);
        }
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.page << " " << c.control << " " << static_cast<char>(c.letter));
        ASSERT_TRUE(IsWindow(window));
        if (c.effect == DeletesAction && theCustomActions.Count() == 0) {
            theCustomActions[0] = CCustomAction{L"Mine", L"", L"calc", L""};
            custom.FillList();
        }
        main->SelectPage(c.page);
        const HWND control = Control(c.owner, c.control);
        SetFocus(control);
        const int before = state(c.effect);
        PostMessageW(control, WM_CHAR, c.letter, 1);
        PumpAsTheProgram(*main, 100);
        EXPECT_EQ(state(c.effect), before) << "pressed by the letter alone";
        if (IsWindow(window)) {
            EXPECT_EQ(GetFocus(), control);
        }
        if (!c.withAlt) continue;
        PostMessageW(control, WM_SYSCHAR, c.letter, 0x20000001);  // the context bit: Alt is down
        PumpAsTheProgram(*main, 100);
        EXPECT_NE(state(c.effect), before) << "not pressed by Alt with the letter";
    }
}

// The editor, modal as Vorn runs it: a letter alone on the Hold box neither
// ticks it nor presses Clear, whose letter it is; Alt with it clears.
TEST_F(KeyboardTest, InTheModalEditorALetterAloneIsNoAccessKey)
{
    theCustomActions[1] = CCustomAction{L"Keys", L"", L"", L""};
    theCustomActions[1].beginningKeys = *ParseKeyCombination(L"Ctrl+Shift+Esc");
    static CCustomActionDlg* running = nullptr;
    static int step = 0;
    static std::vector<std::pair<std::wstring, UINT>> seen;  // the keys box's text and the Hold box's state
    CCustomActionDlg editor(L"Keys");
    running = &editor;
    step = 0;
    seen.clear();
    const TIMERPROC next = [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND dialog = running->Handle();
        if (!dialog) return;
        const HWND hold = GetDlgItem(dialog, IDC_HOLD_KEYS);
        seen.emplace_back(WindowText(GetDlgItem(dialog, IDC_BEGINNING_KEYS)), IsDlgButtonChecked(dialog, IDC_HOLD_KEYS));
        switch (step++) {
        case 0:
            SetFocus(hold);
            PostMessageW(hold, WM_CHAR, L'l', 1);
            PostMessageW(hold, WM_CHAR, L'h', 1);
            break;
        case 1:
            PostMessageW(hold, WM_SYSCHAR, L'l', 0x20000001);
            break;
        default:
            KillTimer(nullptr, timer);
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            break;
        }
    };
    SetTimer(nullptr, 0, 100, next);
    editor.DoModal(main->Handle());
    running = nullptr;
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].first, KeyCombinationDisplayText(theCustomActions[1].beginningKeys));
    EXPECT_EQ(seen[1], seen[0]);  // the letters alone did nothing
    EXPECT_EQ(seen[2].first, L"");  // Alt+L cleared
    EXPECT_EQ(seen[2].second, seen[0].second);
}

// Tab from a key box passes Clear, so that Enter after it is OK and keeps
// what was just recorded.
TEST_F(KeyboardTest, TabFromAKeyBoxLeadsToWhereEnterIsOk)
{
    theCustomActions[1] = CCustomAction{L"Keys", L"", L"", L""};
    theCustomActions[1].beginningKeys = *ParseKeyCombination(L"Ctrl+Shift+Esc");
    theCustomActions[1].endingKeys = *ParseKeyCombination(L"Win+D");
    CCustomActionDlg editor(L"Keys");
    ASSERT_TRUE(editor.CreateModeless(main->Handle()));
    const HWND dialog = editor.Handle();
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDC_BEGINNING_KEYS), FALSE),
              GetDlgItem(dialog, IDC_HOLD_KEYS));
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDC_ENDING_KEYS), FALSE), GetDlgItem(dialog, IDOK));
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, IDC_BEGINNING_CLEAR), GWL_STYLE) & WS_VISIBLE);  // the keys shown
    DestroyWindow(dialog);
}

// Every button, and every label that names a box, list, tree or slider, has
// an access key, none twice on a page with the buttons below. Close and
// Cancel have Escape, OK Enter; the Settings page's labels and the buttons
// below take 25 letters, and no other is in "Close", "Test" or "Refresh",
// which go without (the README says so).
TEST_F(KeyboardTest, AccessKeysAreThereAndOnlyOnceOnEachPageWithTheButtonsBelow)
{
    CCustomActionDlg editor(L"");
    ASSERT_TRUE(editor.CreateModeless(main->Handle()));
    const std::vector<HWND> exempt = {
        Control(Main, IDCANCEL),        Control(Settings, IDC_TEST_DESKTOP), Control(Settings, IDC_TEST_WINDOW),
        Control(Settings, IDC_REFRESH), GetDlgItem(editor.Handle(), IDOK),   GetDlgItem(editor.Handle(), IDCANCEL)};
    std::vector<HWND> windows{editor.Handle()};
    for (int page = Actions; page <= About; ++page)
        windows.push_back(main->Page(page)->Handle());
    for (const HWND window : windows) {
        std::vector<HWND> controls;
        for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            controls.push_back(c);
        if (window != editor.Handle())
            for (const int id : {IDC_PREVIEW, IDCANCEL, IDC_EXIT})
                controls.push_back(Control(Main, id));
        std::map<wchar_t, std::wstring> used;
        for (const HWND c : controls) {
            const bool visible = GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE;
            const bool button = ClassOf(c) == L"Button" && (GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
            if (const wchar_t key = AccessKey(c)) {
                const auto [at, added] = used.emplace(key, WindowText(c));
                EXPECT_TRUE(added) << "\"" << WindowText(c) << "\" and \"" << at->second << "\"";
            } else if (button && visible && std::find(exempt.begin(), exempt.end(), c) == exempt.end()) {
                ADD_FAILURE() << "no access key: \"" << WindowText(c) << "\"";
            }
            if (!NamedByLabel(c) || !(GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP)) continue;
            const HWND label = LabelBefore(c);
            ASSERT_NE(label, nullptr) << GetDlgCtrlID(c);
            if (GetWindowLongW(label, GWL_STYLE) & WS_VISIBLE) {
                EXPECT_NE(AccessKey(label), 0) << "\"" << WindowText(label) << "\"";
            }
        }
    }
    DestroyWindow(editor.Handle());
}

// The names a screen reader reads: the label before the control, its own
// text, or the one given to it. Wine's oleacc names an edit box after its
// label and a button or a static after its text, but a combo box after its
// selection, lists, trees and sliders not at all, and it keeps no given
// names: there the label before the control is what is checked.
TEST_F(KeyboardTest, EveryControlIsNamedAsItsLabelReads)
{
    const HWND probe = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const bool givenNamesKept = SetAccessibleName(probe, L"probe");
    DestroyWindow(probe);
    const struct {
        int page, id;
        std::wstring name;
        bool given;
    } rows[] = {
        {Actions, IDC_ACTION_TREE, L"Action for upper left corner:", false},
        {Actions, IDC_MODIFIER, L"Trigger:", false},
        {Actions, IDC_MONITOR, L"Monitor:", false},
        {Actions, IDC_ZONE_WAIT, L"Wait:", false},
        {Buttons, IDC_ACTION_TREE, L"Action:", false},
        {Buttons, IDC_CAPTION, L"Title:", false},
        {Buttons, IDC_MODIFIER, L"Key:", false},
        {Buttons, IDC_TRANSPARENCY, L"Transparency:", false},
        {Custom, IDC_LIST, L"Custom actions", false},
        {Custom, IDC_EDIT, L"Edit...", false},
        {Settings, 1001, L"Corner size:", false},
        {Settings, 1005, L"Window transparency:", false},
        {Settings, IDC_TEST_DESKTOP, L"Test desktop transparency", true},
        {Settings, IDC_TEST_WINDOW, L"Test window transparency", true},
        {Settings, IDC_FADE, L"Use gradual fade when changing transparency", false},
        {Settings, IDC_LIST, L"Wallpaper folders", false},
        {Settings, 1010, L"Delay time, hours", false},
        {Settings, 1011, L"minutes", false},
        {Settings, 1012, L"seconds", false},
        {Settings, IDC_WINDOW_LIST, L"Open windows", false},
        {Settings, IDC_TRANSPARENCY, L"Transparency:", false},
        {Settings, 1014, L"Dwell time:", false},
        {Settings, 1806, L"Wallpaper timer", false},
        {About, IDC_BANNER, kBannerName, true},
        {About, IDC_LOCAL_HELP, L"Local help", false},
        {Main, IDC_PREVIEW, L"Preview", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.page << " " << row.id);
        const HWND control = Control(row.page, row.id);
        const std::optional<std::wstring> read = AccessibleName(control);
        if (row.given) {
            if (givenNamesKept) {
                EXPECT_EQ(read, row.name);
            }
        } else if (NamedByLabel(control)) {
            EXPECT_EQ(Unmarked(WindowText(LabelBefore(control))), row.name);
            if (read && ClassOf(control) == L"Edit") {
                EXPECT_EQ(*read, row.name);
            }
        } else {
            EXPECT_EQ(read, row.name);
        }
    }
}

// Enter or Space on a contents link scrolls the page as a click does, and
// the keyboard goes on into the section.
TEST_F(KeyboardTest, EnterOrSpaceOnALinkActsAsAClick)
{
    auto& page = *static_cast<CSettingsDlg*>(main->Page(Settings));
    main->SelectPage(Settings);
    const struct {
        WPARAM key;
        int link, first;
    } cases[] = {{VK_RETURN, 1806, 1010}, {VK_SPACE, 1808, IDC_START_AT_LOG_ON}};
    for (const auto& c : cases) {
        const HWND link = Control(Settings, c.link);
        page.ScrollToSection(0);
        SendMessageW(page.Handle(), WM_COMMAND, MAKEWPARAM(c.link, STN_CLICKED), reinterpret_cast<LPARAM>(link));
        const int clicked = page.ScrollPosition();
        page.ScrollToSection(0);
        SetFocus(link);
        PostKey(link, c.key);
        PumpAsTheProgram(*main, 100);
        EXPECT_GT(clicked, 0);
        EXPECT_EQ(page.ScrollPosition(), clicked) << c.key;
        EXPECT_EQ(GetFocus(), Control(Settings, c.first)) << c.key;
    }
}

// Enter on a page's button presses it; on a list it does nothing, and the
// window stays either way.
TEST_F(KeyboardTest, EnterOnAPagesButtonPressesIt)
{
    main->SelectPage(Custom);
    for (const int id : {IDC_LIST, IDC_COPY}) {
        SetFocus(Control(Custom, id));
        PostKey(Control(Custom, id), VK_RETURN);
        PumpAsTheProgram(*main, 100);
        EXPECT_TRUE(IsWindowVisible(main->Handle()));
        EXPECT_EQ(theCustomActions.FindSlot(L"Mine copy 1") >= 0, id == IDC_COPY) << id;
    }
}

// In high contrast a page answers every colour query with the system's
// pairs; otherwise as it always has: white, the text colour left alone.
TEST_F(KeyboardTest, InHighContrastPagesColourEverythingInTheSystemsColours)
{
    ASSERT_TRUE(theUtil.vistaOrLater);
    constexpr COLORREF untouched = RGB(1, 2, 3);
    const struct {
        bool on;
        int id;  // 0: the page itself
        UINT message;
        int brush;  // a system colour; -1: white
        COLORREF text;
    } rows[] = {
        {true, 1303, WM_CTLCOLORSTATIC, COLOR_BTNFACE, GetSysColor(COLOR_BTNTEXT)},
        {true, 0, WM_CTLCOLORDLG, COLOR_BTNFACE, GetSysColor(COLOR_BTNTEXT)},
        {true, 1001, WM_CTLCOLOREDIT, COLOR_WINDOW, GetSysColor(COLOR_WINDOWTEXT)},
        {true, IDC_LIST, WM_CTLCOLORLISTBOX, COLOR_WINDOW, GetSysColor(COLOR_WINDOWTEXT)},
        {true, 1806, WM_CTLCOLORSTATIC, COLOR_BTNFACE, GetSysColor(COLOR_HOTLIGHT)},
        {false, 1303, WM_CTLCOLORSTATIC, -1, untouched},
        {false, 1806, WM_CTLCOLORSTATIC, -1, RGB(0, 0, 238)},
    };
    const HWND page = main->Page(Settings)->Handle();
    const HDC dc = CreateCompatibleDC(nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.on << " " << row.id);
        shell.on = row.on;
        SetTextColor(dc, untouched);
        const HWND control = row.id ? GetDlgItem(page, row.id) : page;
        const auto brush =
            SendMessageW(page, row.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        const HGDIOBJ expected = row.brush < 0 ? GetStockObject(WHITE_BRUSH) : GetSysColorBrush(row.brush);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), expected);
        EXPECT_EQ(GetTextColor(dc), row.text);
    }
    DeleteDC(dc);
}

LRESULT CALLBACK CountColourChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR told)
{
    if (message == WM_SYSCOLORCHANGE) ++*reinterpret_cast<int*>(told);
    return DefSubclassProc(window, message, wParam, lParam);
}

// A change of theme reaches every control and repaints the window; another
// change of settings does neither.
TEST_F(KeyboardTest, AChangeOfThemeIsPassedOnAndPaintedAgain)
{
    const HWND tree = Control(Actions, IDC_ACTION_TREE);
    const HWND hidden = Control(Settings, IDC_TRANSPARENCY);
    int told = 0;
    for (const HWND control : {tree, hidden})
        SetWindowSubclass(control, &CountColourChanges, 1, reinterpret_cast<DWORD_PTR>(&told));
    const struct {
        UINT message;
        WPARAM code;
        bool change;
    } cases[] = {{WM_SYSCOLORCHANGE, 0, true},
                 {WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, true},
                 {WM_SETTINGCHANGE, SPI_SETWORKAREA, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << " " << c.code);
        RedrawWindow(main->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        told = 0;
        SendMessageW(main->Handle(), c.message, c.code, 0);
        EXPECT_EQ(told, c.change ? 2 : 0);
        EXPECT_EQ(GetUpdateRect(tree, nullptr, FALSE) != FALSE, c.change);
    }
    for (const HWND control : {tree, hidden})
        RemoveWindowSubclass(control, &CountColourChanges, 1);
}

// The preview is called "Preview", and paints its zones in the highlight
// colour in high contrast, red otherwise.
TEST_F(KeyboardTest, ThePreviewHasANameAndPaintsInTheSystemsColoursInHighContrast)
{
    for (const bool on : {false, true}) {
        shell.on = on;
        CPreviewDlg preview;
        ASSERT_TRUE(preview.CreateModeless(main->Handle()));
        ShowWindow(preview.Handle(), SW_SHOWNA);
        UpdateWindow(preview.Handle());
        const HDC dc = GetDC(preview.Handle());
        EXPECT_EQ(GetPixel(dc, 0, 0), on ? GetSysColor(COLOR_HIGHLIGHT) : RGB(255, 0, 0)) << on;
        ReleaseDC(preview.Handle(), dc);
        EXPECT_EQ(AccessibleName(preview.Handle()), L"Preview");
        DestroyWindow(preview.Handle());
    }
}

}  // namespace
}  // namespace vorn::ui
