// The floating button windows on real windows: the template, the push button
// covering the client area, press and release through real mouse input, what
// runs nothing, and frame sizing flowing back only while the user sizes; and
// a drag on the Buttons picture as a screen reader hears it and the picture
// shows it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "actions/util.h"
#include "app/edge_engine.h"
#include "app/settings_store.h"
#include "buttons/button_dlg.h"
#include "buttons/buttons_dlg.h"
#include "platform/win32/win32_port.h"
#include "res/resource.h"
#include "settings/data.h"
#include "tests/fake/temp_folder.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/win_test_support.h"

namespace vorn::ui {
namespace {

using test::PumpFor;
using test::PumpUntil;

struct ActionRun {
    ActionIndex index;
    bool ending;
    bool operator==(const ActionRun&) const = default;
};

// Real floating windows; the dispatch is recorded instead of run.
class RecordingWindowsHost final : public IButtonsHost {
public:
    std::unique_ptr<IButtonWindow> CreateButtonWindow(int id) override { return real_.CreateButtonWindow(id); }
    void RunAction(ActionIndex index, bool ending, HWND) override { runs.push_back({index, ending}); }
    std::vector<ActionRun> runs;

private:
    CButtonWindowsHost real_;
};

void Mouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

class ButtonWindowTest : public ::testing::Test {
protected:
    ButtonWindowTest()
    {
        InstallWin32Port();
        InstallSettingsStore();
        theUtil.Resolve();
        theData.settingsPath = folder.File(L"Vorn.ini");
        theData.ResetSaveThrottle();
        theButtons.SetHost(&host);
        id = theButtons.AddButton(false, 60, 60, 90, 80);
        theButtons.SetAction(id, Plain, 21);
        theButtons.SetCaption(id, L"Two\r\nlines");
        window = static_cast<CButtonDlg*>(theButtons.Find(id)->window.get());
        PumpFor(100, 10);
    }
    ~ButtonWindowTest() override
    {
        theButtons.Clear();
        theButtons.SetHost(nullptr);
        PumpFor(20, 10);
    }

    POINT Centre() const
    {
        RECT rect{};
        GetWindowRect(window->Handle(), &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    bool RunsAre(const std::vector<ActionRun>& expected) const { return host.runs == expected; }

    fake::TempFolder folder;
    RecordingWindowsHost host;
    int id = -1;
    CButtonDlg* window = nullptr;
};

TEST_F(ButtonWindowTest, ATopmostToolWindowWhosePushButtonCoversTheClientArea)
{
    const HWND handle = window->Handle();
    ASSERT_TRUE(IsWindow(handle));
    EXPECT_TRUE(IsWindowVisible(handle));
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    EXPECT_NE(style & WS_POPUP, 0);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & WS_SYSMENU, 0);
    EXPECT_EQ(GetWindowLongW(handle, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetParent(handle), nullptr);

    RECT placed{};
    GetWindowRect(handle, &placed);
    const RECT mapped = theButtons.Find(id)->screenRect;
    EXPECT_EQ(placed.left, mapped.left);
    EXPECT_EQ(placed.bottom, mapped.bottom);

    const HWND face = GetDlgItem(handle, IDC_BUTTON_FACE);
    ASSERT_NE(face, nullptr);
    EXPECT_NE(GetWindowLongW(face, GWL_STYLE) & BS_MULTILINE, 0);
    wchar_t text[32] = {};
    GetWindowTextW(face, text, 32);
    EXPECT_STREQ(text, L"Two\r\nlines");
    // An ampersand is shown, not taken for a mnemonic.
    theButtons.SetCaption(id, L"Save & quit");
    GetWindowTextW(face, text, 32);
    EXPECT_STREQ(text, L"Save && quit");
    // Frames come and go with the Buttons page; the button follows the client area.
    for (bool frame : {false, true}) {
        theButtons.SetSizingFrames(frame);
        PumpFor(50, 10);
        EXPECT_EQ((GetWindowLongW(handle, GWL_STYLE) & WS_THICKFRAME) != 0, frame);
        RECT client{};
        GetClientRect(handle, &client);
        RECT button{};
        GetWindowRect(face, &button);
        MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&button), 2);
        EXPECT_LE(button.left, client.left - 1);
        EXPECT_LE(button.top, client.top - 1);
        EXPECT_GE(button.right, client.right + 1);
        EXPECT_GE(button.bottom, client.bottom + 1);
    }
}

TEST_F(ButtonWindowTest, PressAndReleaseRunBothPhasesEvenWhenReleasedElsewhere)
{
    const POINT centre = Centre();
    // With the frame of the Buttons page and without, as the user meets it.
    for (bool frame : {true, false}) {
        SCOPED_TRACE(frame ? "framed" : "frameless");
        theButtons.SetSizingFrames(frame);
        host.runs.clear();
        PumpFor(600, 10);  // no double-click with the clicks before
        SetCursorPos(centre.x, centre.y);
        PumpFor(50, 10);
        Mouse(MOUSEEVENTF_LEFTDOWN);
        EXPECT_TRUE(PumpUntil([&] { return RunsAre({{21, false}}); }, 3000, 10));
        SetCursorPos(centre.x + 400, centre.y + 300);  // dragged off the button
        PumpFor(50, 10);
        Mouse(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return RunsAre({{21, false}, {21, true}}); }, 3000, 10));
        PumpFor(100, 10);
        EXPECT_EQ(SendMessageW(GetDlgItem(window->Handle(), IDC_BUTTON_FACE), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    }

    // A right click, the space bar, Enter and Escape run nothing and close nothing.
    host.runs.clear();
    SetCursorPos(centre.x, centre.y);
    Mouse(MOUSEEVENTF_RIGHTDOWN);
    Mouse(MOUSEEVENTF_RIGHTUP);
    const HWND face = GetDlgItem(window->Handle(), IDC_BUTTON_FACE);
    for (WPARAM key : {VK_SPACE, VK_RETURN, VK_ESCAPE}) {
        PostMessageW(face, WM_KEYDOWN, key, 0);
        PostMessageW(face, WM_KEYUP, key, 0);
    }
    SendMessageW(window->Handle(), WM_COMMAND, IDCANCEL, 0);
    SendMessageW(window->Handle(), WM_COMMAND, IDOK, 0);
    PumpFor(200, 10);
    EXPECT_TRUE(host.runs.empty());
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
}

TEST_F(ButtonWindowTest, OnlyTheUsersSizingFlowsBackIntoTheDiagram)
{
    const RECT diagram = theButtons.GetDiagramRect(id);
    SetWindowPos(window->Handle(), nullptr, 300, 200, 250, 120, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(50, 10);
    EXPECT_EQ(theButtons.GetDiagramRect(id).left, diagram.left);
    EXPECT_FALSE(theButtons.Find(id)->selected);

    SendMessageW(window->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_TRUE(window->Sizing());
    SetWindowPos(window->Handle(), nullptr, 0, 0, 364, 136, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    SendMessageW(window->Handle(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_FALSE(window->Sizing());
    RECT placed{};
    GetWindowRect(window->Handle(), &placed);
    EXPECT_EQ(theButtons.GetDiagramRect(id).right, theButtons.Find(id)->ToDiagram(placed).right);
    EXPECT_NE(theButtons.GetDiagramRect(id).right, diagram.right);
    EXPECT_TRUE(theButtons.Find(id)->selected);
    EXPECT_NE(fake::TempFolder::Read(theData.settingsPath).find("[Button 1]"), std::string::npos);
}

TEST_F(ButtonWindowTest, ADoubleClickEndsTwiceAndAButtonThatLosesTheMouseEndsOnce)
{
    theButtons.SetSizingFrames(false);  // as after a start
    const POINT centre = Centre();
    SetCursorPos(centre.x, centre.y);
    PumpFor(50, 10);
    // The second press arrives as a double-click, which starts nothing.
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        Mouse(flags);
    EXPECT_TRUE(PumpUntil([&] { return RunsAre({{21, false}, {21, true}, {21, true}}); }, 3000, 10));
    PumpFor(100, 10);
    EXPECT_TRUE(RunsAre({{21, false}, {21, true}, {21, true}}));

    // Something else takes the mouse while the button is held (an action
    // that opens a window): the ending is sent when the button goes up,
    // over the button or elsewhere, and only once.
    for (const POINT release : {centre, POINT{centre.x + 400, centre.y + 300}}) {
        SCOPED_TRACE(release.x == centre.x ? "released over the button" : "released elsewhere");
        host.runs.clear();
        SetCursorPos(centre.x, centre.y);
        PumpFor(600, 10);  // no double-click with the clicks before
        Mouse(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(PumpUntil([&] { return RunsAre({{21, false}}); }, 3000, 10));
        ReleaseCapture();
        PumpFor(150, 10);
        EXPECT_TRUE(RunsAre({{21, false}}));
        SetCursorPos(release.x, release.y);
        PumpFor(50, 10);
        Mouse(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return RunsAre({{21, false}, {21, true}}); }, 3000, 10));
        PumpFor(150, 10);
        EXPECT_TRUE(RunsAre({{21, false}, {21, true}}));
    }
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A click on a floating button leaves the user's window active, so that the
// keys of a keystroke action reach it.
TEST(ButtonKeystrokeTest, CopyOnAFloatingButtonCopiesFromTheWindowTheUserWasIn)
{
    InstallWin32Port();
    InstallSettingsStore();
    theUtil.Resolve();
    fake::TempFolder folder;
    theData.settingsPath = folder.File(L"Vorn.ini");
    theData.ResetSaveThrottle();
    theData.enabled = true;
    CEdgeEngine engine;
    CButtonWindowsHost windows;
    windows.Attach(nullptr, &engine);
    theButtons.SetHost(&windows);
    const int id = theButtons.AddButton(false, 60, 60, 90, 80);
    theButtons.SetAction(id, Plain, FindActionIndex(L"Copy"));
    theButtons.SetSizingFrames(false);  // as after a start: the settings window is closed

    const HWND edit = CreateWindowExW(0, L"EDIT", L"Copied by a floating button", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      1100, 100, 400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    SetForegroundWindow(edit);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == edit; }, 3000, 10));
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }

    RECT rect{};
    GetWindowRect(theButtons.Find(id)->window->Handle(), &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PumpFor(100, 10);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([] { return ClipboardText() == L"Copied by a floating button"; }, 3000, 20))
        << testing::PrintToString(ClipboardText());
    PumpFor(200, 10);
    EXPECT_EQ(GetForegroundWindow(), edit);

    DestroyWindow(edit);
    theButtons.Clear();
    theButtons.SetHost(nullptr);
    PumpFor(20, 10);
}

// The value changes the picture tells accessibility clients.
std::vector<HWND> valueChanges;

void CALLBACK RecordValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD)
{
    if (object == OBJID_CLIENT) valueChanges.push_back(window);
}

class ButtonsPictureTest : public MainWindowTest {
protected:
    ButtonsPictureTest() { theButtons.SetHost(&windows); }
    ~ButtonsPictureTest() override
    {
        main_.reset();
        theButtons.Clear();
        theButtons.SetHost(nullptr);
    }

    CButtonWindowsHost windows;
};

// A screen reader hears where a dragged button ended, once, when the drag
// ends, and an arrow key's move at once; the picture shows the button where
// it is after every step (by the next frame), and no longer where it was.
TEST_F(ButtonsPictureTest, ADragIsToldOnceAtItsEndAndPaintedAtEachStep)
{
    const int id = theButtons.AddButton(false, 40, 40, 60, 60);
    CMainDlg& main = Open();
    SwitchTab(main, CMainDlg::ButtonsPage);
    CMonitorStaticBtn& picture = static_cast<CButtonsDlg*>(main.Page(CMainDlg::ButtonsPage))->Diagram();
    const HWND diagram = picture.Handle();
    const DiagramScale scale = picture.Picture().Scale();
    const auto at = [&](POINT p) { return MAKELPARAM(scale.Pixels(p.x), scale.Pixels(p.y)); };
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                               RecordValueChange, 0, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const auto told = [&] {
        PumpFor(40, kCheckEveryMs);
        const auto count = std::count(valueChanges.begin(), valueChanges.end(), diagram);
        valueChanges.clear();
        return count;
    };
    const HDC dc = GetDC(diagram);
    const COLORREF selected = ColourRef(CurrentPictureColours().selectedButton);
    const auto shownAt = [&](const RECT& units) {
        const RECT pixels = scale.Pixels(units);
        return GetPixel(dc, (pixels.left + pixels.right) / 2, (pixels.top + pixels.bottom) / 2) == selected;
    };

    // Steps longer than the button is wide: each leaves its old place clear.
    const RECT start = theButtons.GetDiagramRect(id);
    SendMessageW(diagram, WM_LBUTTONDOWN, MK_LBUTTON, at({50, 50}));
    told();
    RECT was = start;
    for (const POINT p : {POINT{80, 50}, POINT{110, 55}, POINT{140, 60}}) {
        SendMessageW(diagram, WM_MOUSEMOVE, MK_LBUTTON, at(p));
        PumpFor(40, kCheckEveryMs);
        UpdateWindow(diagram);
        const RECT now = theButtons.GetDiagramRect(id);
        EXPECT_TRUE(shownAt(now)) << p.x;
        EXPECT_FALSE(shownAt(was)) << p.x;
        was = now;
    }
    EXPECT_EQ(theButtons.GetDiagramRect(id).left, start.left + 90);
    EXPECT_EQ(told(), 0);
    SendMessageW(diagram, WM_LBUTTONUP, 0, at({140, 60}));
    EXPECT_EQ(told(), 1);

    SetFocus(diagram);
    told();
    SendMessageW(diagram, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(theButtons.GetDiagramRect(id).left, start.left + 91);
    EXPECT_EQ(told(), 1);

    ReleaseDC(diagram, dc);
    UnhookWinEvent(hook);
}

}  // namespace
}  // namespace vorn::ui
