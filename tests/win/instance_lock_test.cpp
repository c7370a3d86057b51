// The session's lock on real kernel objects: a start that only waits keeps no
// one out, and when the running Vorn ends, exactly one waiting start takes over.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <optional>
#include <thread>

#include "platform/win32/instance_lock.h"

namespace vorn {
namespace {

constexpr wchar_t kTestLockName[] = L"Local\\Vorn lock test";

TEST(SessionInstanceLock, WhenTheHolderEndsExactlyOneOfTwoWaitingStartsTakesOver)
{
    std::atomic<int> holding{0};
    std::atomic<bool> holderMayEnd{false};
    std::atomic<bool> testOver{false};
    // Ownership is a thread's: each start is a thread of its own here. The
    // holder's thread ends without releasing, as a Vorn that was killed.
    std::optional<CSessionInstanceLock> held;
    std::thread holder([&] {
        held.emplace(kTestLockName);
        holding = held->Take(0) ? 1 : -1;
        while (!holderMayEnd) Sleep(5);
    });
    while (holding == 0) Sleep(5);
    if (holding != 1) {
        holderMayEnd = true;
        holder.join();
        FAIL() << "the first start did not get the lock";
    }

    std::atomic<int> tookOver{0};
    std::atomic<int> triesWhileHeld{0};
    auto waiter = [&] {
        CSessionInstanceLock lock(kTestLockName);
        while (!testOver) {
            if (lock.Take(20)) {
                ++tookOver;
                while (!testOver) Sleep(5);
                return;
            }
            if (!holderMayEnd) ++triesWhileHeld;
        }
    };
    std::thread one(waiter);
    std::thread other(waiter);
    // Both wait, each holding a handle to the lock, while the holder runs on.
    while (triesWhileHeld < 6) Sleep(5);
    EXPECT_EQ(tookOver, 0);

    holderMayEnd = true;
    holder.join();
    while (tookOver == 0) Sleep(5);
    // The other keeps waiting while the new holder runs.
    Sleep(200);
    EXPECT_EQ(tookOver, 1);
    testOver = true;
    one.join();
    other.join();
}

}  // namespace
}  // namespace vorn
