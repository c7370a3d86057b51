// Records how the programs Vorn's command lines started ended: their exit
// codes go to the activity. A fixed number of processes is watched at once;
// the system's waits (a thread pool's, on Windows) sit behind an interface so
// that the bookkeeping runs on a simulated desktop too.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "actions/action_dispatcher.h"
#include "platform/win.h"
#include "settings/action_index.h"

namespace vorn {

// The system's side: a wait for a process to end, its exit code, its handle.
class IProcessWaits {
public:
    // Asks for `slot` to be told (ProcessEnded, on the main thread) once
    // `process` ends; false when the system will not wait.
    virtual bool Wait(HANDLE process, std::size_t slot, HANDLE* wait) = 0;
    // The wait is gone: no telling of it runs after this returns.
    virtual void EndWait(HANDLE wait) = 0;
    virtual bool ExitCode(HANDLE process, DWORD* code) = 0;
    virtual void Close(HANDLE process) = 0;

protected:
    ~IProcessWaits() = default;
};

class CProcessWatch : public IProcessWatch {
public:
    // Programs started beyond these are not followed: their handles are
    // closed at once, so that a burst of launches cannot hold handles.
    static constexpr std::size_t kCapacity = 16;

    explicit CProcessWatch(IProcessWaits& waits) : waits_(waits) {}
    ~CProcessWatch() { StopAll(); }
    CProcessWatch(const CProcessWatch&) = delete;
    CProcessWatch& operator=(const CProcessWatch&) = delete;

    void ProcessStarted(HANDLE process, ActionIndex action, std::wstring_view program) override;
    // The process of `slot` ended: its exit code is recorded, once, and its
    // handle closed. A slot no longer watched is ignored.
    void ProcessEnded(std::size_t slot);
    // Every wait ended and every handle closed (the program exits).
    void StopAll();

    std::size_t Watching() const;

private:
    struct Slot {
        HANDLE process = nullptr;
        HANDLE wait = nullptr;
        // What is recorded once it ends, the code to come.
        ActivityEvent ended;
    };
    void Free(Slot& slot);

    IProcessWaits& waits_;
    std::array<Slot, kCapacity> slots_{};
};

#if defined(_WIN32)
// The thread pool's waits (process_watch_win32.cpp): an ended process posts
// `message` with its slot to `window` (as set before the first wait).
class CWin32ProcessWaits : public IProcessWaits {
public:
    void TellWindow(HWND window, UINT message);

    bool Wait(HANDLE process, std::size_t slot, HANDLE* wait) override;
    void EndWait(HANDLE wait) override;
    bool ExitCode(HANDLE process, DWORD* code) override;
    void Close(HANDLE process) override;

private:
    // On a thread of the pool: only a message, the rest is the main thread's.
    static VOID CALLBACK Ended(PVOID context, BOOLEAN timedOut);

    struct Told {
        HWND window;
        UINT message;
        std::size_t slot;
    };
    std::array<Told, CProcessWatch::kCapacity> told_{};
};
#endif

}  // namespace vorn
