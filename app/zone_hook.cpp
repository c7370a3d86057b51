#include "app/zone_hook.h"

namespace vorn {

namespace {

// Thread messages of the hook's thread.
constexpr UINT kAimChanged = WM_APP + 1;
constexpr UINT kPressDone = WM_APP + 2;
constexpr UINT kLoseHook = WM_APP + 3;

// One main window, one hook: the hook procedure has no other way to find it.
CZoneInputHook* serving = nullptr;

struct Ready {
    CZoneInputHook* self;
    HANDLE event;
};

// As the engine reads it: Shift wins over Ctrl.
ModifierKey ModifierNow()
{
    if (GetAsyncKeyState(VK_SHIFT) < 0) return Shift;
    if (GetAsyncKeyState(VK_CONTROL) < 0) return Ctrl;
    return Plain;
}

MouseInput InputOf(WPARAM message)
{
    switch (message) {
    case WM_MOUSEWHEEL:
        return MouseInput::Wheel;
    case WM_LBUTTONDOWN:
        return MouseInput::LeftDown;
    case WM_LBUTTONUP:
        return MouseInput::LeftUp;
    default:
        return MouseInput::Other;  // the horizontal wheel among them
    }
}

}  // namespace

WPARAM CZoneInputHook::PackZoneInput(ActionSet set, EdgeZone zone, int slot)
{
    return static_cast<WPARAM>(set & 0xF) | (static_cast<WPARAM>(zone & 0xF) << 4) |
           (static_cast<WPARAM>(slot + 1) << 8);
}

void CZoneInputHook::UnpackZoneInput(WPARAM packed, ActionSet& set, EdgeZone& zone, int& slot)
{
    set = static_cast<ActionSet>(packed & 0xF);
    zone = static_cast<EdgeZone>((packed >> 4) & 0xF);
    slot = static_cast<int>(packed >> 8) - 1;
}

// On the hook's thread, for every mouse event of the desktop: the zone's own
// are kept and told to the main window, everything else goes on untouched.
LRESULT CALLBACK CZoneInputHook::HookProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    CZoneInputHook* self = serving;
    if (code == HC_ACTION && self) {
        const MouseInput input = InputOf(wParam);
        if (input != MouseInput::Other) {
            const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
            CZoneInputFilter& filter = self->filter_;
            const bool pressHeld = filter.PressTaken();
            const auto delta = static_cast<short>(HIWORD(event.mouseData));
            const ZoneInputAnswer answer = filter.Event(input, event.pt, delta, ModifierNow());
            if (answer.runs > 0)
                PostMessageW(self->window_, kZoneInputMessage,
                             PackZoneInput(answer.set, filter.Target().zone, filter.Target().slot),
                             static_cast<LPARAM>(answer.runs));
            // Released while the press was held: the hook can go now.
            if (pressHeld && !filter.PressTaken() && filter.Target().zone == NoZone)
                PostThreadMessageW(self->threadId_, kPressDone, 0, 0);
            if (answer.take) return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI CZoneInputHook::ThreadMain(void* parameter)
{
    const Ready ready = *static_cast<const Ready*>(parameter);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue for the thread messages
    SetEvent(ready.event);
    ready.self->Serve();
    return 0;
}

// The thread's message loop serves the hook and nothing else.
void CZoneInputHook::Serve()
{
    HHOOK hook = nullptr;
    const auto unhook = [&] {
        // A hook that Windows removed cannot be unhooked again; that fails, harmlessly.
        if (hook) UnhookWindowsHookEx(hook);
        hook = nullptr;
        hooked_.store(false);
    };
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd) continue;
        if (message.message == kAimChanged) {
            bool aimed = false;
            ZoneInputTarget target;
            AcquireSRWLockExclusive(&lock_);
            aimed = aimed_;
            target = next_;
            ReleaseSRWLockExclusive(&lock_);
            if (aimed) {
                filter_.Aim(target);
                unhook();
                hook = SetWindowsHookExW(WH_MOUSE_LL, &HookProcedure, GetModuleHandleW(nullptr), 0);
                if (hook) ++installs_;
                hooked_.store(hook != nullptr);
            } else {
                filter_.Release();
                // A press taken keeps the hook until its release is taken too.
                if (!filter_.PressTaken()) unhook();
            }
        } else if (message.message == kPressDone) {
            if (filter_.Target().zone == NoZone) unhook();
        } else if (message.message == kLoseHook) {
            unhook();
        }
    }
    unhook();
}

bool CZoneInputHook::StartThread()
{
    if (thread_) return true;
    Ready ready{this, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    if (!ready.event) return false;
    serving = this;
    thread_ = CreateThread(nullptr, 0, &ThreadMain, &ready, 0, &threadId_);
    if (thread_) WaitForSingleObject(ready.event, INFINITE);
    CloseHandle(ready.event);
    if (!thread_) {
        // No thread, no hook: the wheel and clicks pass as without Vorn.
        serving = nullptr;
        threadId_ = 0;
        return false;
    }
    return true;
}

void CZoneInputHook::Aim(const ZoneInputTarget& target)
{
    AcquireSRWLockExclusive(&lock_);
    next_ = target;
    aimed_ = true;
    ReleaseSRWLockExclusive(&lock_);
    if (StartThread()) PostThreadMessageW(threadId_, kAimChanged, 0, 0);
}

void CZoneInputHook::Release()
{
    AcquireSRWLockExclusive(&lock_);
    aimed_ = false;
    ReleaseSRWLockExclusive(&lock_);
    if (thread_) PostThreadMessageW(threadId_, kAimChanged, 0, 0);
}

void CZoneInputHook::LoseHook()
{
    if (thread_) PostThreadMessageW(threadId_, kLoseHook, 0, 0);
}

void CZoneInputHook::Stop()
{
    if (!thread_) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    // While the thread ends, hooks of other programs that it calls on may
    // call into this thread: their messages are answered meanwhile.
    while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(thread_);
    thread_ = nullptr;
    threadId_ = 0;
    serving = nullptr;
    hooked_.store(false);
}

}  // namespace vorn
