// The session's lock that only the running Vorn holds: the interface a start
// asks, with the platform's mutex behind it and a scripted lock in tests.
#pragma once

#include "platform/win.h"

namespace vorn {

// What a start finds when it tries to take the lock.
enum class LockState {
    Taken,      // this start holds it
    Held,       // the running Vorn holds it; waited for as long as asked
    Unopenable  // it exists, but this start may not even wait for it (a Vorn
                // with other rights made it): it counts as held, and the
                // attempt returned at once without waiting
};

// The system releases the lock when its holder ends, however it ends, and
// gives it to one waiter only.
class IInstanceLock {
public:
    virtual ~IInstanceLock() = default;
    // Waits up to `waitMs` for the lock, or tries to open it again if it
    // could not be opened.
    virtual LockState Take(DWORD waitMs) = 0;
};

}  // namespace vorn
