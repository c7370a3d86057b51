// The session's lock on real kernel objects: a start that only waits keeps no
// one out, when the running Vorn ends exactly one waiting start takes over,
// and a lock this start may not open counts as held until its holder ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

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
        holding = held->Take(0) == LockState::Taken ? 1 : -1;
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
            if (lock.Take(20) == LockState::Taken) {
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

// As a Vorn run as administrator leaves it for an ordinary start: the lock
// exists, made by another account (the system's here) whose security grants
// this process nothing, so it can neither create nor open it.
TEST(SessionInstanceLock, ALockThatCannotBeOpenedCountsAsHeldUntilItsHolderEnds)
{
    constexpr wchar_t kDeniedName[] = L"Local\\Vorn lock test, denied";
    PSECURITY_DESCRIPTOR denyAll = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"O:SYD:(A;;GA;;;SY)", SDDL_REVISION_1,
                                                                     &denyAll, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), denyAll, FALSE};
    const HANDLE other = CreateMutexW(&attributes, TRUE, kDeniedName);
    LocalFree(denyAll);
    ASSERT_NE(other, nullptr) << "this process may not make a lock owned by another account";
    ASSERT_EQ(OpenMutexW(SYNCHRONIZE, FALSE, kDeniedName), nullptr) << "this system grants what the lock denies";

    std::optional<CSessionInstanceLock> lock;
    lock.emplace(kDeniedName);
    EXPECT_EQ(lock->Take(0), LockState::Unopenable);
    EXPECT_EQ(lock->Take(20), LockState::Unopenable);

    // The holder ends: the name is free, and the next try makes the lock.
    CloseHandle(other);
    EXPECT_EQ(lock->Take(0), LockState::Taken);
    // Made by this start, with the security it gives: a later start waits.
    std::atomic<int> later{-1};
    std::thread start([&] {
        CSessionInstanceLock again(kDeniedName);
        later = static_cast<int>(again.Take(0));
    });
    start.join();
    EXPECT_EQ(later, static_cast<int>(LockState::Held));
}

}  // namespace
}  // namespace vorn
