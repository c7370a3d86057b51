// The low-level mouse hook that takes the wheel and the click in a zone. Its
// thread does nothing but serve the hook, so that every mouse event of the
// desktop is answered at once; the hook itself is in place only while the
// engine aims it at a zone, and installed afresh at each aim, so that one
// Windows removed for answering late (LowLevelHooksTimeout) comes back at the
// next entry. What it takes reaches the main window as kZoneInputMessage.
#pragma once

#include <atomic>

#include "engine/zone_input.h"
#include "platform/win.h"

namespace vorn {

class CZoneInputHook final : public IZoneInputHook {
public:
    // wParam: the set, the zone and the slot (PackZoneInput); lParam: the runs.
    static constexpr UINT kZoneInputMessage = WM_APP + 43;

    CZoneInputHook() = default;
    ~CZoneInputHook() { Stop(); }
    CZoneInputHook(const CZoneInputHook&) = delete;
    CZoneInputHook& operator=(const CZoneInputHook&) = delete;

    // The window the answers go to; the thread starts at the first aim.
    void SetWindow(HWND window) { window_ = window; }
    void Aim(const ZoneInputTarget& target) override;
    void Release() override;
    // The hook and its thread end (the main window goes).
    void Stop();

    // For tests: whether a hook is in place, how often one was installed,
    // and the hook taken away as Windows does with one that answers late.
    bool Hooked() const { return hooked_.load(); }
    int Installs() const { return installs_.load(); }
    DWORD ThreadId() const { return threadId_; }
    void LoseHook();

    static WPARAM PackZoneInput(ActionSet set, EdgeZone zone, int slot);
    static void UnpackZoneInput(WPARAM packed, ActionSet& set, EdgeZone& zone, int& slot);

private:
    static DWORD WINAPI ThreadMain(void* self);
    static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam);
    void Serve();
    bool StartThread();

    HWND window_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    // The aim waiting for the hook's thread to take it.
    SRWLOCK lock_ = SRWLOCK_INIT;
    ZoneInputTarget next_;
    bool aimed_ = false;
    std::atomic<bool> hooked_{false};
    std::atomic<int> installs_{0};
    // The hook thread's alone.
    CZoneInputFilter filter_;
};

}  // namespace vorn
