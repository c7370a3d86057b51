#include "platform/win32/instance_lock.h"

#include <sddl.h>

namespace vorn {
namespace {

// A Vorn run as administrator (or as another user of the session) makes the
// lock that a later, ordinary start must still be able to wait for: every
// user may wait for it and take it over once free (SYNCHRONIZE and
// MUTEX_MODIFY_STATE), its owner and the system may do anything, and the low
// label lets a start of any integrity level open it so.
constexpr wchar_t kLockSecurity[] = L"D:(A;;GA;;;OW)(A;;GA;;;SY)(A;;0x00100001;;;WD)S:(ML;;NW;;;LW)";

}  // namespace

CSessionInstanceLock::CSessionInstanceLock(const wchar_t* name) : name_(name) { CreateOrOpen(); }

CSessionInstanceLock::~CSessionInstanceLock()
{
    Release();
    if (mutex_) CloseHandle(mutex_);
}

void CSessionInstanceLock::CreateOrOpen()
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(kLockSecurity, SDDL_REVISION_1, &descriptor, nullptr))
        attributes.lpSecurityDescriptor = descriptor;
    mutex_ = CreateMutexW(&attributes, FALSE, name_.c_str());
    DWORD error = mutex_ ? ERROR_SUCCESS : GetLastError();
    if (descriptor) LocalFree(descriptor);
    // A system that refuses the descriptor itself still gets a lock.
    if (!mutex_ && error != ERROR_ACCESS_DENIED && descriptor) {
        mutex_ = CreateMutexW(nullptr, FALSE, name_.c_str());
        error = mutex_ ? ERROR_SUCCESS : GetLastError();
    }
    // Creating asks for every right, and a lock made by a Vorn with more
    // rights grants fewer: waiting is all this start needs.
    if (!mutex_ && error == ERROR_ACCESS_DENIED) {
        mutex_ = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name_.c_str());
        if (!mutex_) mutex_ = OpenMutexW(SYNCHRONIZE, FALSE, name_.c_str());
    }
    unopenable_ = !mutex_ && error == ERROR_ACCESS_DENIED;
}

LockState CSessionInstanceLock::Take(DWORD waitMs)
{
    if (owned_) return LockState::Taken;
    // Once its holder has gone the name is free, and this start makes it.
    if (unopenable_) {
        CreateOrOpen();
        if (unopenable_) return LockState::Unopenable;
    }
    // Without the mutex for any other reason (no objects left, the name
    // taken by another kind of object) nothing can keep two Vorns apart;
    // running is better than never starting.
    if (!mutex_) return LockState::Taken;
    // A mutex whose owner ended without releasing it is handed over abandoned.
    const DWORD result = WaitForSingleObject(mutex_, waitMs);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned_ ? LockState::Taken : LockState::Held;
}

void CSessionInstanceLock::Release()
{
    if (owned_ && mutex_) ReleaseMutex(mutex_);
    owned_ = false;
}

}  // namespace vorn
