// The system's waits for the processes Vorn started (Windows only).
#include "app/process_watch.h"

namespace vorn {

void CWin32ProcessWaits::TellWindow(HWND window, UINT message)
{
    for (std::size_t slot = 0; slot < told_.size(); ++slot)
        told_[slot] = Told{window, message, slot};
}

VOID CALLBACK CWin32ProcessWaits::Ended(PVOID context, BOOLEAN)
{
    const auto* told = static_cast<const Told*>(context);
    PostMessageW(told->window, told->message, told->slot, 0);
}

bool CWin32ProcessWaits::Wait(HANDLE process, std::size_t slot, HANDLE* wait)
{
    if (slot >= told_.size()) return false;
    return RegisterWaitForSingleObject(wait, process, Ended, &told_[slot], INFINITE, WT_EXECUTEONLYONCE) != FALSE;
}

// INVALID_HANDLE_VALUE: returns only once a telling under way has run, so
// none comes after.
void CWin32ProcessWaits::EndWait(HANDLE wait) { UnregisterWaitEx(wait, INVALID_HANDLE_VALUE); }

// Asked once the process has ended: whatever it gives is the exit code.
bool CWin32ProcessWaits::ExitCode(HANDLE process, DWORD* code) { return GetExitCodeProcess(process, code) != FALSE; }

void CWin32ProcessWaits::Close(HANDLE process) { CloseHandle(process); }

}  // namespace vorn
