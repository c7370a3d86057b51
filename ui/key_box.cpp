#include "ui/key_box.h"

#include <commctrl.h>

#include <bitset>

namespace vorn::ui {
namespace {

// One box at a time has the focus, so one hook serves them all.
HHOOK hook = nullptr;
CKeyBox* hookedBox = nullptr;
int hookedKeys = 0;
bool useHook = true;
// Keys whose press the hook kept from Windows: their release is kept too.
// The release of a key pressed before the box had the focus (the Tab that
// brought it there) goes on its way, so that Windows does not hold it down.
std::bitset<256> keptDown;

}  // namespace

CKeyBox::~CKeyBox() { Unhook(); }

std::span<const MessageEntry<CKeyBox>> CKeyBox::MessageTable()
{
    static const MessageEntry<CKeyBox> table[] = {
        MapMessage<CKeyBox>(WM_GETDLGCODE, &CKeyBox::OnGetDlgCode),
        MapMessage<CKeyBox>(WM_KEYDOWN, &CKeyBox::OnKeyDown),
        MapMessage<CKeyBox>(WM_SYSKEYDOWN, &CKeyBox::OnKeyDown),
        MapMessage<CKeyBox>(WM_KEYUP, &CKeyBox::OnKeyUp),
        MapMessage<CKeyBox>(WM_SYSKEYUP, &CKeyBox::OnKeyUp),
        MapMessage<CKeyBox>(WM_CHAR, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_SYSCHAR, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_DEADCHAR, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_SYSDEADCHAR, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_PASTE, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_CUT, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_CLEAR, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_UNDO, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(EM_UNDO, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_CONTEXTMENU, &CKeyBox::Ignore),
        MapMessage<CKeyBox>(WM_SETFOCUS, &CKeyBox::OnSetFocus),
        MapMessage<CKeyBox>(WM_KILLFOCUS, &CKeyBox::OnKillFocus),
        MapMessage<CKeyBox>(WM_DESTROY, &CKeyBox::OnDestroy),
    };
    return table;
}

bool CKeyBox::Attach(HWND edit)
{
    if (!Subclass(edit)) return false;
    SendMessageW(handle_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Press the keys"));
    Apply(RecorderResult::Changed);
    return true;
}

void CKeyBox::SetKeys(const KeyCombination& keys)
{
    recorder_.SetKeys(keys);
    Apply(RecorderResult::Changed);
}

bool CKeyBox::Hooked() { return hook != nullptr; }

int CKeyBox::HookedKeys() { return hookedKeys; }

void CKeyBox::UseLowLevelHook(bool use) { useHook = use; }

// Every key, Tab, Enter and Escape included: the dialog must not act on them.
LRESULT CKeyBox::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTALLKEYS | DLGC_WANTCHARS; }

LRESULT CKeyBox::OnKeyDown(WPARAM wParam, LPARAM)
{
    Apply(recorder_.KeyDown(static_cast<BYTE>(wParam)));
    // The characters the key made would reach the dialog's mnemonics (Alt+N
    // would jump to the name) before the box: they go unread.
    MSG character;
    while (PeekMessageW(&character, handle_, WM_CHAR, WM_DEADCHAR, PM_REMOVE) ||
           PeekMessageW(&character, handle_, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {}
    // Not the default handling: no menu for F10, no closing for Alt+F4.
    return 0;
}

LRESULT CKeyBox::OnKeyUp(WPARAM wParam, LPARAM)
{
    Apply(recorder_.KeyUp(static_cast<BYTE>(wParam)));
    // Not the default handling either: Alt let go alone opens no menu.
    return 0;
}

LRESULT CKeyBox::Ignore(WPARAM, LPARAM) { return 0; }

LRESULT CKeyBox::OnSetFocus(WPARAM wParam, LPARAM lParam)
{
    if (!hook && useHook)
        hook = SetWindowsHookExW(WH_KEYBOARD_LL, &CKeyBox::KeyboardHook, GetModuleHandleW(nullptr), 0);
    hookedBox = this;
    keptDown.reset();
    return DefaultProcedure(WM_SETFOCUS, wParam, lParam);
}

LRESULT CKeyBox::OnKillFocus(WPARAM wParam, LPARAM lParam)
{
    Unhook();
    recorder_.Forget();
    Apply(RecorderResult::Changed);
    return DefaultProcedure(WM_KILLFOCUS, wParam, lParam);
}

LRESULT CKeyBox::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    Unhook();
    return DefaultProcedure(WM_DESTROY, wParam, lParam);
}

void CKeyBox::OnFinalDestroy() { Unhook(); }

void CKeyBox::Unhook()
{
    if (hookedBox != this) return;
    hookedBox = nullptr;
    if (hook) UnhookWindowsHookEx(hook);
    hook = nullptr;
}

void CKeyBox::Apply(RecorderResult result)
{
    if (!handle_) return;
    switch (result) {
    case RecorderResult::Changed: {
        const std::wstring text = recorder_.Text();
        SetWindowTextW(handle_, text.c_str());
        SendMessageW(handle_, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
        break;
    }
    // Posted: the hook may be running, and moving the focus removes it.
    case RecorderResult::NextControl:
        PostMessageW(GetParent(handle_), WM_NEXTDLGCTL, 0, FALSE);
        break;
    case RecorderResult::PreviousControl:
        PostMessageW(GetParent(handle_), WM_NEXTDLGCTL, 1, FALSE);
        break;
    case RecorderResult::None:
        break;
    }
}

// Runs on this thread, in its message loop, for every key of the desktop:
// only while the box has the focus in the window in front does it keep them.
LRESULT CALLBACK CKeyBox::KeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    CKeyBox* box = hookedBox;
    if (code != HC_ACTION || !box || !box->handle_ || GetFocus() != box->handle_ ||
        GetForegroundWindow() != GetAncestor(box->handle_, GA_ROOT))
        return CallNextHookEx(hook, code, wParam, lParam);
    const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const auto key = static_cast<BYTE>(event.vkCode);
    const bool up = (event.flags & LLKHF_UP) != 0;
    if (up && !keptDown[key]) return CallNextHookEx(hook, code, wParam, lParam);
    keptDown[key] = !up;
    ++hookedKeys;
    box->Apply(up ? box->recorder_.KeyUp(key) : box->recorder_.KeyDown(key));
    return 1;
}

}  // namespace vorn::ui
