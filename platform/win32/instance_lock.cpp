#include "platform/win32/instance_lock.h"

namespace vorn {

CSessionInstanceLock::CSessionInstanceLock(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {}

CSessionInstanceLock::~CSessionInstanceLock()
{
    Release();
    if (mutex_) CloseHandle(mutex_);
}

bool CSessionInstanceLock::Take(DWORD waitMs)
{
    // Without the mutex (no rights, no objects left) nothing can keep two
    // Vorns apart; running is better than never starting.
    if (!mutex_) return true;
    if (owned_) return true;
    // A mutex whose owner ended without releasing it is handed over abandoned.
    const DWORD result = WaitForSingleObject(mutex_, waitMs);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned_;
}

void CSessionInstanceLock::Release()
{
    if (owned_ && mutex_) ReleaseMutex(mutex_);
    owned_ = false;
}

}  // namespace vorn
