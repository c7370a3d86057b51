// The custom action editor's key box on a real window: keys pressed on the
// keyboard (Win and Alt among them) come out as their text, and neither the
// dialog nor Windows acts on them while the box has the focus.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "actions/custom_actions.h"
#include "tests/win/main_window_fixture.h"
#include "ui/custom_dlg.h"

namespace vorn::ui {
namespace {

class RecordingEditor final : public CCustomActionDlg {
public:
    using CCustomActionDlg::CCustomActionDlg;
    std::vector<std::wstring> errors;

protected:
    void ShowError(const wchar_t* text) override { errors.push_back(text); }
};

// A key as the keyboard sends it, extended where a keyboard sends E0.
void Key(BYTE key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    // With its scan code, as a keyboard sends it: the characters it makes come too.
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &input, sizeof(input));
}

class KeyBoxTest : public MainWindowTest {
protected:
    KeyBoxTest()
    {
        theCustomActions.Clear();
        EXPECT_TRUE(editor.CreateModeless(nullptr));
        ShowWindow(editor.Handle(), SW_SHOW);
        SetForegroundWindow(editor.Handle());
        Pump([&] { return GetForegroundWindow() == editor.Handle(); });
    }
    ~KeyBoxTest() override
    {
        // Nothing pressed here may stay down for the tests that follow.
        for (const BYTE key : {0x10, 0x11, 0x12, 0x5B})
            if (GetAsyncKeyState(key) & 0x8000) Key(key, true);
        editor.Destroy();
    }

    // The editor's messages handled as its modal loop handles them, until
    // `done` holds; false when it does not within a few seconds.
    template <typename Done> bool Pump(Done done)
    {
        const DWORD start = GetTickCount();
        for (;;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) continue;
                if (editor.Handle() && IsDialogMessageW(editor.Handle(), &message)) continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (done()) return true;
            if (GetTickCount() - start > 5000) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kCheckEveryMs, QS_ALLINPUT);
        }
    }
    // Presses the keys in order and lets them go in reverse.
    void Press(std::initializer_list<BYTE> keys)
    {
        for (const BYTE key : keys)
            Key(key, false);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            Key(*it, true);
    }
    void ChooseKeys(int kindId)
    {
        const HWND kind = editor.Item(kindId);
        SendMessageW(kind, CB_SETCURSEL, CCustomActionDlg::Keys, 0);
        SendMessageW(editor.Handle(), WM_COMMAND, MAKEWPARAM(kindId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(kind));
    }
    HWND Box() { return editor.Item(IDC_BEGINNING_KEYS); }

    RecordingEditor editor{L""};
};

// With the low-level hook, and as the key messages come without it.
class KeyBoxInputTest : public KeyBoxTest, public ::testing::WithParamInterface<bool> {
protected:
    KeyBoxInputTest() { CKeyBox::UseLowLevelHook(GetParam()); }
    ~KeyBoxInputTest() override { CKeyBox::UseLowLevelHook(true); }
};

TEST_P(KeyBoxInputTest, KeysPressedInTheBoxBecomeItsTextAndReachNothingElse)
{
    const int hookedBefore = CKeyBox::HookedKeys();
    ChooseKeys(IDC_BEGINNING_KIND);
    EXPECT_TRUE(IsWindowVisible(Box()));
    EXPECT_FALSE(IsWindowVisible(editor.Item(IDC_BEGINNING_ACTION)));
    EXPECT_TRUE(IsWindowEnabled(editor.Item(IDC_HOLD_KEYS)));
    SetFocus(Box());
    ASSERT_TRUE(Pump([&] { return GetFocus() == Box(); }));

    struct Case {
        std::initializer_list<BYTE> keys;
        const wchar_t* text;
    };
    const Case cases[] = {
        {{0x11, 0x10, 0x1B}, L"Ctrl+Shift+Esc"},
        {{0x5B, 0x10, 'S'}, L"Win+Shift+S"},
        {{0x12, 0x73}, L"Alt+F4"},     // the dialog stays
        {{0x12, 'N'}, L"Alt+N"},       // the focus stays: no mnemonic
        {{0x0D}, L"Enter"},            // no OK
        {{0x1B}, L"Esc"},              // no Cancel
        {{0x79}, L"F10"},              // no menu
        {{0x12, 0x20}, L"Alt+Space"},  // no system menu
        {{0x12}, L"Alt"},
        {{0x5B}, L"Win"},
        {{0x2C}, L"Print screen"},
        {{0x11, 0x12, 0x2E}, L"Ctrl+Alt+Delete"},
        {{0xB3}, L"Media play pause"},
        {{'Q'}, L"Q"},  // no character typed
        {{0x08}, L""},  // Backspace empties the box
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        SetWindowTextW(Box(), L"-");
        Press(c.keys);
        EXPECT_TRUE(Pump([&] { return WindowText(Box()) == c.text; })) << testing::PrintToString(WindowText(Box()));
        EXPECT_NE(editor.Handle(), nullptr);
        EXPECT_EQ(GetFocus(), Box());
    }
    EXPECT_TRUE(editor.errors.empty());
    EXPECT_EQ(WindowText(editor.Item(IDC_NAME)), L"");
    if (GetParam())
        std::printf("[ note ] keys that reached the box through the low-level hook: %d\n",
                    CKeyBox::HookedKeys() - hookedBefore);
    else
        EXPECT_EQ(CKeyBox::HookedKeys(), hookedBefore);

    // Tab alone moves on (past Clear, no tab stop), Shift+Tab comes back; neither is recorded.
    Press({0x11, 'C'});
    Pump([&] { return WindowText(Box()) == L"Ctrl+C"; });
    Press({0x09});
    EXPECT_TRUE(Pump([&] { return GetFocus() == editor.Item(IDC_HOLD_KEYS); }));
    Press({0x10, 0x09});
    EXPECT_TRUE(Pump([&] { return GetFocus() == Box(); }));
    EXPECT_EQ(WindowText(Box()), L"Ctrl+C");

    // What OK stores.
    SetDlgItemTextW(editor.Handle(), IDC_NAME, L"Copy text");
    CheckDlgButton(editor.Handle(), IDC_HOLD_KEYS, BST_CHECKED);
    SendMessageW(editor.Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(editor.Handle(), nullptr);
    EXPECT_EQ(theCustomActions[0].name, L"Copy text");
    EXPECT_EQ(theCustomActions[0].beginningKeys, (KeyCombination{kCtrlModifier, 'C'}));
    EXPECT_TRUE(theCustomActions[0].holdKeys);
    EXPECT_EQ(theCustomActions[0].beginningAction, L"");
}

INSTANTIATE_TEST_SUITE_P(HookedAndNot, KeyBoxInputTest, ::testing::Bool());

// Windows turns Alt+N into a character that the dialog takes for the access
// key of "Name" (Wine makes none for keys sent as above): the box lets it go
// unread, and the focus stays.
TEST_F(KeyBoxTest, TheCharacterOfAnAltKeyIsNoAccessKeyInTheBox)
{
    ChooseKeys(IDC_BEGINNING_KIND);
    SetFocus(Box());
    ASSERT_TRUE(Pump([&] { return GetFocus() == Box(); }));
    constexpr LPARAM kAltDown = 0x20000001;  // context code: Alt held
    PostMessageW(Box(), WM_SYSKEYDOWN, 0x12, kAltDown);
    PostMessageW(Box(), WM_SYSKEYDOWN, 'N', kAltDown);
    // Windows matches access keys in any case; Wine only this one.
    PostMessageW(Box(), WM_SYSCHAR, 'N', kAltDown);
    EXPECT_TRUE(Pump([&] { return WindowText(Box()) == L"Alt+N"; }));
    EXPECT_EQ(GetFocus(), Box());
}

// An action that presses keys opens with its keys in the boxes, the choice on
// "Keys"; Clear empties a box, and keys that are no action are refused.
TEST_F(KeyBoxTest, TheEditorShowsAKeyActionAndClearsItsKeys)
{
    editor.Destroy();
    theCustomActions[0] = CCustomAction{L"Switcher", L"", L"", L"log.exe"};
    theCustomActions[0].beginningKeys = KeyCombination{kAltModifier, 0x09};
    theCustomActions[0].holdKeys = true;
    RecordingEditor edit(L"Switcher");
    ASSERT_TRUE(edit.CreateModeless(nullptr));
    EXPECT_EQ(SendMessageW(edit.Item(IDC_BEGINNING_KIND), CB_GETCURSEL, 0, 0), CCustomActionDlg::Keys);
    EXPECT_EQ(SendMessageW(edit.Item(IDC_ENDING_KIND), CB_GETCURSEL, 0, 0), CCustomActionDlg::CommandLine);
    EXPECT_EQ(WindowText(edit.Item(IDC_BEGINNING_KEYS)), L"Alt+Tab");
    EXPECT_EQ(WindowText(edit.Item(IDC_ENDING_ACTION)), L"log.exe");
    EXPECT_EQ(IsDlgButtonChecked(edit.Handle(), IDC_HOLD_KEYS), BST_CHECKED);
    // Shown as the choice says (the dialog itself is not shown here).
    EXPECT_NE(GetWindowLongW(edit.Item(IDC_BEGINNING_CLEAR), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(GetWindowLongW(edit.Item(IDC_BEGINNING_ACTION), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(GetWindowLongW(edit.Item(IDC_ENDING_CLEAR), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_NE(GetWindowLongW(edit.Item(IDC_ENDING_ACTION), GWL_STYLE) & WS_VISIBLE, 0);

    SendMessageW(edit.Handle(), WM_COMMAND, MAKEWPARAM(IDC_BEGINNING_CLEAR, BN_CLICKED),
                 reinterpret_cast<LPARAM>(edit.Item(IDC_BEGINNING_CLEAR)));
    EXPECT_EQ(WindowText(edit.Item(IDC_BEGINNING_KEYS)), L"");
    EXPECT_EQ(GetFocus(), edit.Item(IDC_BEGINNING_KEYS));
    SetDlgItemTextW(edit.Handle(), IDC_ENDING_ACTION, L"");
    SendMessageW(edit.Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(edit.errors, (std::vector<std::wstring>{L"At least one action is required"}));
    EXPECT_EQ(GetFocus(), edit.Item(IDC_BEGINNING_KEYS));
    SendMessageW(edit.Handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(theCustomActions[0].beginningKeys, (KeyCombination{kAltModifier, 0x09}));
}

// Laid out in dialog units: every control lies inside the window, the boxes
// beside their labels, and each label's text fits its width.
TEST_F(KeyBoxTest, EveryControlHasItsPlaceAndItsTextFits)
{
    RECT client{};
    GetClientRect(editor.Handle(), &client);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(editor.Handle(), WM_GETFONT, 0, 0));
    const HDC dc = GetDC(editor.Handle());
    const HGDIOBJ old = SelectObject(dc, font);
    for (HWND child = GetWindow(editor.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, editor.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        const std::wstring text = WindowText(child);
        SCOPED_TRACE(testing::PrintToString(text));
        EXPECT_GE(rect.left, 0);
        EXPECT_GE(rect.top, 0);
        EXPECT_LE(rect.right, client.right);
        EXPECT_LE(rect.bottom, client.bottom);
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (std::wstring(className) != L"Static" || text.empty()) continue;
        RECT needed{0, 0, rect.right - rect.left, 0};
        DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_LE(needed.right, rect.right - rect.left);
    }
    SelectObject(dc, old);
    ReleaseDC(editor.Handle(), dc);
}

}  // namespace
}  // namespace vorn::ui
