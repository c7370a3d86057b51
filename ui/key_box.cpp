#include "ui/key_box.h"

#include <commctrl.h>

#include <atomic>
#include <string>

namespace vorn::ui {

// One box's hook, while that box has the focus. Only `lastCall` and `hooked`
// are read by the window's thread while the hook thread runs.
struct KeyHookThread {
    HWND box = nullptr;
    HWND root = nullptr;
    // Tells the box which focus a posted key belongs to: keys still on their
    // way when the focus left and came back are not recorded then.
    WPARAM generation = 0;
    HANDLE thread = nullptr;
    DWORD id = 0;
    HANDLE ready = nullptr;  // the hook is in place (or could not be)
    HANDLE done = nullptr;   // a request of LoseHook was carried out
    std::atomic<DWORD> lastCall{0};  // time stamp of the last event the hook had
    std::atomic<bool> hooked{false};
    CKeyHookFilter filter;  // the hook thread's alone
};

namespace {

// Window messages of the box: a key the hook kept (lParam: generation and
// whether it went up, wParam: the key).
constexpr UINT kHookedKey = WM_APP + 1;
// Thread messages of the hook thread.
constexpr UINT kInstallAgain = WM_APP + 2;
constexpr UINT kLoseHook = WM_APP + 3;
// A call that comes this much later than its key was pressed may have come
// after Windows gave up waiting (LowLevelHooksTimeout, a second at most on
// Windows 10; the default is lower) and removed the hook, saying nothing: the
// hook is installed again, which costs nothing if it was still there.
constexpr DWORD kLateCallMs = 100;

// One box at a time has the focus, so one hook thread at most runs; the hook
// procedure has no other way to find it.
KeyHookThread* running = nullptr;
CKeyBox* runningBox = nullptr;
WPARAM generations = 0;
int hookedKeys = 0;
std::atomic<int> hookInstalls{0};
bool useHook = true;

// On the hook thread, for every key of the desktop: it keeps the box's,
// posts them to the box and returns; everything else goes on.
LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    KeyHookThread* session = running;
    if (code == HC_ACTION && session) {
        const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        session->lastCall.store(event.time);
        if (static_cast<LONG>(GetTickCount() - event.time) > static_cast<LONG>(kLateCallMs)) PostThreadMessageW(session->id, kInstallAgain, 0, 0);
        const auto key = static_cast<BYTE>(event.vkCode);
        if (GetForegroundWindow() == session->root && session->filter.Keep(key, event.flags)) {
            const LPARAM up = (event.flags & LLKHF_UP) ? 1 : 0;
            PostMessageW(session->box, kHookedKey, key, static_cast<LPARAM>(session->generation << 1) | up);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HHOOK Install()
{
    const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, &HookProcedure, GetModuleHandleW(nullptr), 0);
    if (hook) ++hookInstalls;
    return hook;
}

// The hook thread: its message loop serves the hook and nothing else.
DWORD WINAPI HookThreadMain(void* parameter)
{
    auto& session = *static_cast<KeyHookThread*>(parameter);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue for the thread messages
    // Events before this moment were not the hook's to see.
    session.lastCall.store(GetTickCount() - 1);
    HHOOK hook = Install();
    session.hooked.store(hook != nullptr);
    SetEvent(session.ready);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message != kInstallAgain && message.message != kLoseHook) continue;
        // A hook that Windows removed cannot be unhooked again; that fails, harmlessly.
        if (hook) UnhookWindowsHookEx(hook);
        hook = message.message == kInstallAgain ? Install() : nullptr;
        if (message.message == kLoseHook) SetEvent(session.done);
    }
    if (hook) UnhookWindowsHookEx(hook);
    return 0;
}

}  // namespace

CKeyBox::CKeyBox() = default;

CKeyBox::~CKeyBox() { StopHook(); }

std::span<const MessageEntry<CKeyBox>> CKeyBox::MessageTable()
{
    static const MessageEntry<CKeyBox> table[] = {
        MapMessage<CKeyBox>(WM_GETDLGCODE, &CKeyBox::OnGetDlgCode),
        MapMessage<CKeyBox>(WM_KEYDOWN, &CKeyBox::OnKeyDown),
        MapMessage<CKeyBox>(WM_SYSKEYDOWN, &CKeyBox::OnSysKeyDown),
        MapMessage<CKeyBox>(WM_KEYUP, &CKeyBox::OnKeyUp),
        MapMessage<CKeyBox>(WM_SYSKEYUP, &CKeyBox::OnSysKeyUp),
        MapMessage<CKeyBox>(kHookedKey, &CKeyBox::OnHookedKey),
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

bool CKeyBox::Hooked() { return running && running->hooked.load(); }

DWORD CKeyBox::HookThreadId() { return running ? running->id : 0; }

int CKeyBox::HookedKeys() { return hookedKeys; }

int CKeyBox::HookInstalls() { return hookInstalls.load(); }

void CKeyBox::LoseHook()
{
    if (!running) return;
    PostThreadMessageW(running->id, kLoseHook, 0, 0);
    WaitForSingleObject(running->done, INFINITE);
}

void CKeyBox::UseLowLevelHook(bool use) { useHook = use; }

// Every key, Tab, Enter and Escape included: the dialog must not act on them.
LRESULT CKeyBox::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTALLKEYS | DLGC_WANTCHARS; }

LRESULT CKeyBox::OnKeyDown(WPARAM wParam, LPARAM lParam) { return KeyMessage(WM_KEYDOWN, wParam, lParam); }
LRESULT CKeyBox::OnSysKeyDown(WPARAM wParam, LPARAM lParam) { return KeyMessage(WM_SYSKEYDOWN, wParam, lParam); }
LRESULT CKeyBox::OnKeyUp(WPARAM wParam, LPARAM lParam) { return KeyMessage(WM_KEYUP, wParam, lParam); }
LRESULT CKeyBox::OnSysKeyUp(WPARAM wParam, LPARAM lParam) { return KeyMessage(WM_SYSKEYUP, wParam, lParam); }

LRESULT CKeyBox::KeyMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hook_) {
        // The hook had this key first and let it go on (typed by a program, a
        // screen reader's): Windows treats it as in any window, the box
        // records nothing.
        if (!CameAfterHook(static_cast<DWORD>(GetMessageTime()), hook_->lastCall.load()))
            return DefWindowProcW(handle_, message, wParam, lParam);
        // It never had it: Windows removed the hook (or never let it in). This
        // key is recorded from its message, and the hook installed again.
        PostThreadMessageW(hook_->id, kInstallAgain, 0, 0);
    }
    const auto key = static_cast<BYTE>(wParam);
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        Apply(recorder_.KeyUp(key));
        // Not the default handling either: Alt let go alone opens no menu.
        return 0;
    }
    Apply(recorder_.KeyDown(key));
    // The characters the key made would reach the dialog's mnemonics (Alt+N
    // would jump to the name) before the box: they go unread.
    MSG character;
    while (PeekMessageW(&character, handle_, WM_CHAR, WM_DEADCHAR, PM_REMOVE) ||
           PeekMessageW(&character, handle_, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {}
    // Not the default handling: no menu for F10, no closing for Alt+F4.
    return 0;
}

LRESULT CKeyBox::OnHookedKey(WPARAM wParam, LPARAM lParam)
{
    // Pressed while this box had the focus last time, or before it left.
    if (!hook_ || static_cast<WPARAM>(lParam) >> 1 != hook_->generation) return 0;
    ++hookedKeys;
    const auto key = static_cast<BYTE>(wParam);
    Apply((lParam & 1) ? recorder_.KeyUp(key) : recorder_.KeyDown(key));
    return 0;
}

LRESULT CKeyBox::Ignore(WPARAM, LPARAM) { return 0; }

LRESULT CKeyBox::OnSetFocus(WPARAM wParam, LPARAM lParam)
{
    StartHook();
    return DefaultProcedure(WM_SETFOCUS, wParam, lParam);
}

LRESULT CKeyBox::OnKillFocus(WPARAM wParam, LPARAM lParam)
{
    StopHook();
    recorder_.Forget();
    Apply(RecorderResult::Changed);
    return DefaultProcedure(WM_KILLFOCUS, wParam, lParam);
}

LRESULT CKeyBox::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    StopHook();
    return DefaultProcedure(WM_DESTROY, wParam, lParam);
}

void CKeyBox::OnFinalDestroy() { StopHook(); }

void CKeyBox::StartHook()
{
    if (hook_ || !useHook || !handle_) return;
    if (runningBox) runningBox->StopHook();
    auto session = std::make_unique<KeyHookThread>();
    session->box = handle_;
    session->root = GetAncestor(handle_, GA_ROOT);
    session->generation = ++generations & (~WPARAM{0} >> 1);
    session->ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    session->done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    running = session.get();
    session->thread = CreateThread(nullptr, 0, &HookThreadMain, session.get(), 0, &session->id);
    if (session->thread) WaitForSingleObject(session->ready, INFINITE);
    CloseHandle(session->ready);
    if (!session->thread) {
        // No thread, no hook: the keys come as messages.
        CloseHandle(session->done);
        running = nullptr;
        return;
    }
    hook_ = std::move(session);
    runningBox = this;
}

void CKeyBox::StopHook()
{
    if (!hook_) return;
    PostThreadMessageW(hook_->id, WM_QUIT, 0, 0);
    // While the thread ends, hooks of other programs that it calls on may
    // call into this thread: their messages are answered meanwhile.
    while (MsgWaitForMultipleObjects(1, &hook_->thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(hook_->thread);
    CloseHandle(hook_->done);
    running = nullptr;
    runningBox = nullptr;
    hook_.reset();
}

void CKeyBox::Apply(RecorderResult result)
{
    if (!handle_) return;
    switch (result) {
    case RecorderResult::Changed: {
        const std::wstring text = recorder_.Text();
        std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
        shown.resize(static_cast<std::size_t>(GetWindowTextW(handle_, shown.data(), static_cast<int>(shown.size()))));
        if (shown == text) break;
        // Through WM_SETTEXT, the edit's own value: a screen reader reads the
        // new combination as the box's value when it is told of the change.
        SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(handle_, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, handle_, OBJID_CLIENT, CHILDID_SELF);
        break;
    }
    // Posted: the keys of the message being handled are not finished with.
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

}  // namespace vorn::ui
