// The custom action editor's key box on a real window: keys pressed on the
// keyboard (Win and Alt among them) come out as their text, and neither the
// dialog nor Windows acts on them while the box has the focus; keys typed by
// a program and a screen reader's go on to the hooks installed before the
// box's and to Windows.
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

// A key as a program types it (SendInput: the hook sees it as injected),
// extended where a keyboard sends E0.
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

// The keyboard itself: under Wine, xdotool on the X display, whose keys reach
// Windows programs as a keyboard's (not injected). Elsewhere there is none.
class RealKeyboard {
public:
    RealKeyboard()
    {
        using UnixName = char*(CDECL*)(LPCWSTR);
        using DosName = WCHAR*(CDECL*)(LPCSTR);
        const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        unixName_ = reinterpret_cast<UnixName>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
        const auto dosName =
            reinterpret_cast<DosName>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
        if (!unixName_ || !dosName) return;
        WCHAR* xdotool = dosName("/usr/bin/xdotool");
        available_ = xdotool && GetFileAttributesW(xdotool) != INVALID_FILE_ATTRIBUTES;
        if (xdotool) HeapFree(GetProcessHeap(), 0, xdotool);
    }
    bool Available() const { return available_; }

    // Presses the keys in order and lets them go in reverse; true once
    // xdotool has sent them all.
    template <typename Pump> bool Press(std::initializer_list<BYTE> keys, Pump pump)
    {
        std::string command;
        for (const BYTE key : keys)
            command += " keydown " + Name(key);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            command += " keyup " + Name(*it);
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const std::wstring marker = std::wstring(folder) + L"vorn_xkeys_" + std::to_wstring(GetCurrentProcessId()) +
                                    L"_" + std::to_wstring(++runs_) + L".done";
        DeleteFileW(marker.c_str());
        char* unixMarker = unixName_(marker.c_str());
        if (!unixMarker) return false;
        // Wine starts Unix programs but cannot wait for them: the marker says when it is done.
        std::string line = "/bin/sh -c \"xdotool" + command + "; touch '" + unixMarker + "'\"";
        HeapFree(GetProcessHeap(), 0, unixMarker);
        std::wstring wide(line.begin(), line.end());
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, wide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        const bool done = pump([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; });
        DeleteFileW(marker.c_str());
        return done;
    }

private:
    static std::string Name(BYTE key)
    {
        if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
            return std::string(1, static_cast<char>(key >= 'A' ? key - 'A' + 'a' : key));
        switch (key) {
        case 0x08: return "BackSpace";
        case 0x09: return "Tab";
        case 0x0D: return "Return";
        case 0x10: return "Shift_L";
        case 0x11: return "Control_L";
        case 0x12: return "Alt_L";
        case 0x14: return "Caps_Lock";
        case 0x1B: return "Escape";
        case 0x2D: return "Insert";
        case 0x2E: return "Delete";
        case 0x5B: return "Super_L";
        case 0x79: return "F10";
        case 0xB3: return "XF86AudioPlay";
        default: ADD_FAILURE() << "no X name for key " << int(key); return "VoidSymbol";
        }
    }

    char*(CDECL* unixName_)(LPCWSTR) = nullptr;
    bool available_ = false;
    int runs_ = 0;
};

// Another program's low-level hook, installed before the box's as a screen
// reader's is (so called after it), on a thread of its own: what it gets.
class EarlierHook {
public:
    EarlierHook()
    {
        InitializeCriticalSection(&lock_);
        ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, &EarlierHook::Main, this, 0, &id_);
        WaitForSingleObject(ready_, INFINITE);
    }
    ~EarlierHook()
    {
        PostThreadMessageW(id_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(ready_);
        DeleteCriticalSection(&lock_);
    }
    bool Hooked() const { return hooked_; }
    // Events of `key` that came here (left and right modifiers apart).
    int Events(DWORD key, bool up)
    {
        EnterCriticalSection(&lock_);
        int count = 0;
        for (const auto& [vk, flags] : events_)
            count += vk == key && ((flags & LLKHF_UP) != 0) == up;
        LeaveCriticalSection(&lock_);
        return count;
    }
    int Count()
    {
        EnterCriticalSection(&lock_);
        const int count = static_cast<int>(events_.size());
        LeaveCriticalSection(&lock_);
        return count;
    }

private:
    static inline EarlierHook* current = nullptr;
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION) {
            const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            EnterCriticalSection(&current->lock_);
            current->events_.emplace_back(event.vkCode, event.flags);
            LeaveCriticalSection(&current->lock_);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static DWORD WINAPI Main(void* parameter)
    {
        auto& self = *static_cast<EarlierHook*>(parameter);
        current = &self;
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, &Procedure, GetModuleHandleW(nullptr), 0);
        self.hooked_ = hook != nullptr;
        SetEvent(self.ready_);
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        if (hook) UnhookWindowsHookEx(hook);
        return 0;
    }

    CRITICAL_SECTION lock_;
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD id_ = 0;
    bool hooked_ = false;
    std::vector<std::pair<DWORD, DWORD>> events_;
};

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
                if (message.hwnd == Box() && message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST &&
                    message.message != WM_CHAR && message.message != WM_SYSCHAR)
                    ++keyMessages;
                if (editor.Handle() && IsDialogMessageW(editor.Handle(), &message)) continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (done()) return true;
            if (GetTickCount() - start > 5000) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kCheckEveryMs, QS_ALLINPUT);
        }
    }
    // Keys a program types: pressed in order and let go in reverse.
    void Type(std::initializer_list<BYTE> keys)
    {
        for (const BYTE key : keys)
            Key(key, false);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            Key(*it, true);
    }
    // Keys of the keyboard.
    bool Press(std::initializer_list<BYTE> keys)
    {
        return keyboard.Press(keys, [&](auto done) { return Pump(done); });
    }
    void ChooseKeys(int kindId)
    {
        const HWND kind = editor.Item(kindId);
        SendMessageW(kind, CB_SETCURSEL, CCustomActionDlg::Keys, 0);
        SendMessageW(editor.Handle(), WM_COMMAND, MAKEWPARAM(kindId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(kind));
    }
    HWND Box() { return editor.Item(IDC_BEGINNING_KEYS); }
    bool FocusTheBox()
    {
        ChooseKeys(IDC_BEGINNING_KIND);
        SetFocus(Box());
        return Pump([&] { return GetFocus() == Box(); });
    }

    RecordingEditor editor{L""};
    RealKeyboard keyboard;
    int keyMessages = 0;  // key messages the box took from the queue
};

// With the low-level hook, keys of the keyboard, and as the key messages come
// without it (keys typed by this program then, which a hook would let go).
class KeyBoxInputTest : public KeyBoxTest, public ::testing::WithParamInterface<bool> {
protected:
    KeyBoxInputTest() { CKeyBox::UseLowLevelHook(GetParam()); }
    ~KeyBoxInputTest() override { CKeyBox::UseLowLevelHook(true); }
    void PressOrType(std::initializer_list<BYTE> keys)
    {
        if (GetParam())
            EXPECT_TRUE(Press(keys));
        else
            Type(keys);
    }
};

TEST_P(KeyBoxInputTest, KeysPressedInTheBoxBecomeItsTextAndReachNothingElse)
{
    if (GetParam() && !keyboard.Available()) GTEST_SKIP() << "no keyboard to press keys on but under Wine";
    const int hookedBefore = CKeyBox::HookedKeys();
    EarlierHook screenReader;
    ChooseKeys(IDC_BEGINNING_KIND);
    EXPECT_TRUE(IsWindowVisible(Box()));
    EXPECT_FALSE(IsWindowVisible(editor.Item(IDC_BEGINNING_ACTION)));
    EXPECT_TRUE(IsWindowEnabled(editor.Item(IDC_HOLD_KEYS)));
    SetFocus(Box());
    ASSERT_TRUE(Pump([&] { return GetFocus() == Box(); }));
    EXPECT_EQ(CKeyBox::Hooked(), GetParam());
    const int heardBefore = screenReader.Count();

    struct Case {
        std::initializer_list<BYTE> keys;
        const wchar_t* text;
        bool windowManagerTakes;  // under Wine the X window manager's shortcut: not pressed on its keyboard
    };
    const Case cases[] = {
        {{0x11, 0x10, 0x1B}, L"Ctrl+Shift+Esc", false},
        {{0x5B, 0x10, 'S'}, L"Win+Shift+S", false},
        {{0x12, 0x73}, L"Alt+F4", true},     // the dialog stays
        {{0x12, 'N'}, L"Alt+N", false},      // the focus stays: no mnemonic
        {{0x0D}, L"Enter", false},           // no OK
        {{0x1B}, L"Esc", false},             // no Cancel
        {{0x79}, L"F10", false},             // no menu
        {{0x12, 0x20}, L"Alt+Space", true},  // no system menu
        {{0x12}, L"Alt", false},
        {{0x5B}, L"Win", false},
        {{0x2C}, L"Print screen", true},
        {{0x11, 0x12, 0x2E}, L"Ctrl+Alt+Delete", false},
        {{0xB3}, L"Media play pause", false},
        {{'Q'}, L"Q", false},  // no character typed
        {{0x08}, L"", false},  // Backspace empties the box
    };
    for (const Case& c : cases) {
        if (GetParam() && c.windowManagerTakes) continue;
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        SetWindowTextW(Box(), L"-");
        PressOrType(c.keys);
        EXPECT_TRUE(Pump([&] { return WindowText(Box()) == c.text; })) << testing::PrintToString(WindowText(Box()));
        EXPECT_NE(editor.Handle(), nullptr);
        EXPECT_EQ(GetFocus(), Box());
    }
    EXPECT_TRUE(editor.errors.empty());
    EXPECT_EQ(WindowText(editor.Item(IDC_NAME)), L"");
    if (GetParam()) {
        EXPECT_GT(CKeyBox::HookedKeys(), hookedBefore);
        // Recorded, so gone no further: not to the hook before the box's.
        EXPECT_EQ(screenReader.Count(), heardBefore);
    } else {
        EXPECT_EQ(CKeyBox::HookedKeys(), hookedBefore);
    }

    // Tab alone moves on (past Clear, no tab stop), Shift+Tab comes back; neither is recorded.
    PressOrType({0x11, 'C'});
    Pump([&] { return WindowText(Box()) == L"Ctrl+C"; });
    PressOrType({0x09});
    EXPECT_TRUE(Pump([&] { return GetFocus() == editor.Item(IDC_HOLD_KEYS); }));
    PressOrType({0x10, 0x09});
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

// Keys typed by a program (Vorn's own key actions) and a screen reader's
// commands, Insert or Caps Lock first, go on to the hook installed before
// the box's and to the window, and are not recorded.
TEST_F(KeyBoxTest, KeysTypedByAProgramAndAScreenReadersGoOnUnrecorded)
{
    EarlierHook screenReader;
    ASSERT_TRUE(screenReader.Hooked());
    ASSERT_TRUE(FocusTheBox());
    ASSERT_TRUE(CKeyBox::Hooked());
    SetWindowTextW(Box(), L"-");

    keyMessages = 0;
    Type({0x11, 'C'});
    Type({0x5B});
    // Every event reached the window, and the hook before the box's.
    EXPECT_TRUE(Pump([&] { return keyMessages >= 6; })) << keyMessages;
    for (const DWORD key : {DWORD{'C'}, DWORD{0x5B}})
        for (const bool up : {false, true})
            EXPECT_EQ(screenReader.Events(key, up), 1) << key << up;
    EXPECT_EQ(WindowText(Box()), L"-");

    if (!keyboard.Available()) GTEST_SKIP() << "no keyboard to press keys on but under Wine";
    const struct {
        std::initializer_list<BYTE> keys;
        DWORD last;  // the event the screen reader gets last
    } commands[] = {
        {{0x2D, 'T'}, 0x2D},  // Insert+T
        {{0x2D}, 0x2D},
        {{0x14, 'S'}, 0x14},  // Caps Lock+S (it turns Caps Lock on
        {{0x14}, 0x14},       // and off again)
    };
    for (const auto& command : commands) {
        const int before = screenReader.Events(command.last, true);
        EXPECT_TRUE(Press(command.keys));
        EXPECT_TRUE(Pump([&] { return screenReader.Events(command.last, true) > before; }));
    }
    EXPECT_EQ(screenReader.Events('T', false), 1);
    EXPECT_EQ(screenReader.Events('S', false), 1);
    // Then a key of the box's own, which comes after them.
    Press({'Q'});
    EXPECT_TRUE(Pump([&] { return WindowText(Box()) == L"Q"; })) << testing::PrintToString(WindowText(Box()));
    EXPECT_EQ(screenReader.Events('Q', false), 0);
}

// A screen reader reads the combination as the box's value when told it changed.
TEST_F(KeyBoxTest, ARecordedCombinationIsAnnouncedAsTheBoxsValue)
{
    static HWND box = nullptr;
    static std::vector<std::wstring> announced;
    announced.clear();
    ASSERT_TRUE(FocusTheBox());
    box = Box();
    const HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
            if (window == box && object == OBJID_CLIENT && child == CHILDID_SELF) announced.push_back(WindowText(window));
        },
        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    editor.BeginningKeys().SetKeys(KeyCombination{kCtrlModifier, 'C'});
    EXPECT_TRUE(Pump([&] { return !announced.empty() && announced.back() == L"Ctrl+C"; }));
    CKeyBox::UseLowLevelHook(false);
    SetFocus(editor.Item(IDC_NAME));
    SetFocus(Box());
    Type({0x11, 0x10, 'S'});
    EXPECT_TRUE(Pump([&] { return !announced.empty() && announced.back() == L"Ctrl+Shift+S"; }));
    CKeyBox::UseLowLevelHook(true);
    UnhookWinEvent(hook);
}

// The hook's thread runs only while the box has the focus.
TEST_F(KeyBoxTest, TheHookThreadEndsWhenTheFocusLeaves)
{
    ASSERT_TRUE(FocusTheBox());
    const DWORD id = CKeyBox::HookThreadId();
    ASSERT_NE(id, 0u);
    EXPECT_NE(id, GetCurrentThreadId());
    const HANDLE first = OpenThread(SYNCHRONIZE, FALSE, id);
    ASSERT_NE(first, nullptr);
    SetFocus(editor.Item(IDC_NAME));
    EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_OBJECT_0);
    EXPECT_EQ(CKeyBox::HookThreadId(), 0u);
    EXPECT_FALSE(CKeyBox::Hooked());
    CloseHandle(first);

    // Back in the box, and the editor closed while it has the focus.
    SetFocus(Box());
    const HANDLE second = OpenThread(SYNCHRONIZE, FALSE, CKeyBox::HookThreadId());
    ASSERT_NE(second, nullptr);
    editor.Destroy();
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
    EXPECT_EQ(CKeyBox::HookThreadId(), 0u);
    CloseHandle(second);
}

// Windows removes a hook that answers too late, telling nobody: the first key
// that then reaches the box is recorded from its message, and the hook is
// back for the next.
TEST_F(KeyBoxTest, AHookThatWindowsRemovedIsInstalledAgain)
{
    if (!keyboard.Available()) GTEST_SKIP() << "no keyboard to press keys on but under Wine";
    EarlierHook screenReader;
    ASSERT_TRUE(FocusTheBox());
    const int installs = CKeyBox::HookInstalls();
    CKeyBox::LoseHook();
    EXPECT_TRUE(Press({'A'}));
    EXPECT_TRUE(Pump([&] { return WindowText(Box()) == L"A"; })) << testing::PrintToString(WindowText(Box()));
    EXPECT_EQ(screenReader.Events('A', false), 1);  // nothing kept it from Windows
    EXPECT_TRUE(Pump([&] { return CKeyBox::HookInstalls() > installs; }));
    const int hooked = CKeyBox::HookedKeys();
    EXPECT_TRUE(Press({'B'}));
    EXPECT_TRUE(Pump([&] { return WindowText(Box()) == L"B"; })) << testing::PrintToString(WindowText(Box()));
    EXPECT_GT(CKeyBox::HookedKeys(), hooked);
    EXPECT_EQ(screenReader.Events('B', false), 0);
}

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
