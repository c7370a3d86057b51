// The session's lock of the running Vorn (Windows only): a named mutex that
// the running Vorn owns. Ownership, not the mutex's existence, decides: a
// start that merely holds a handle to it while waiting keeps no one out.
#pragma once

#include <string>

#include "platform/instance_lock.h"

namespace vorn {

class CSessionInstanceLock : public IInstanceLock {
public:
    explicit CSessionInstanceLock(const wchar_t* name);
    ~CSessionInstanceLock() override;
    CSessionInstanceLock(const CSessionInstanceLock&) = delete;
    CSessionInstanceLock& operator=(const CSessionInstanceLock&) = delete;

    LockState Take(DWORD waitMs) override;
    // Lets a waiting start take over; the system does the same when the
    // owner ends without it.
    void Release();

private:
    void CreateOrOpen();

    std::wstring name_;
    HANDLE mutex_ = nullptr;
    // It exists, and this start may neither create nor open it.
    bool unopenable_ = false;
    bool owned_ = false;
};

}  // namespace vorn
