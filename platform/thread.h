// One worker thread, a lock and a wake-up, in what each platform has of its
// own: on Windows the system's calls, so that Vorn.exe carries no threads
// library and none of the standard library's error classes; elsewhere the
// standard library's.
#pragma once

#include "platform/win.h"

#if !defined(_WIN32)
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace vorn {

#if defined(_WIN32)

class CLock {
public:
    CLock() = default;
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;
    void Lock() { AcquireSRWLockExclusive(&lock_); }
    void Unlock() { ReleaseSRWLockExclusive(&lock_); }

private:
    friend class CWakeUp;
    SRWLOCK lock_ = SRWLOCK_INIT;
};

class CWakeUp {
public:
    CWakeUp() = default;
    CWakeUp(const CWakeUp&) = delete;
    CWakeUp& operator=(const CWakeUp&) = delete;
    // Releases `lock` while it waits, holds it again on return; may return
    // without a wake-up, so callers test their condition in a loop.
    void Wait(CLock& lock) { SleepConditionVariableSRW(&condition_, &lock.lock_, INFINITE, 0); }
    void WakeAll() { WakeAllConditionVariable(&condition_); }

private:
    CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
};

class CThread {
public:
    CThread() = default;
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;
    ~CThread() { Join(); }
    // Runs run(context) on a new thread; false when none could be made.
    bool Start(void (*run)(void*), void* context)
    {
        run_ = run;
        context_ = context;
        thread_ = CreateThread(nullptr, 0, &CThread::Entry, this, 0, nullptr);
        return thread_ != nullptr;
    }
    bool Started() const { return thread_ != nullptr; }
    void Join()
    {
        if (thread_ == nullptr) return;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }

private:
    static DWORD WINAPI Entry(void* self)
    {
        const CThread& thread = *static_cast<CThread*>(self);
        thread.run_(thread.context_);
        return 0;
    }
    HANDLE thread_ = nullptr;
    void (*run_)(void*) = nullptr;
    void* context_ = nullptr;
};

#else

class CLock {
public:
    void Lock() { mutex_.lock(); }
    void Unlock() { mutex_.unlock(); }

private:
    friend class CWakeUp;
    std::mutex mutex_;
};

class CWakeUp {
public:
    void Wait(CLock& lock)
    {
        std::unique_lock held(lock.mutex_, std::adopt_lock);
        condition_.wait(held);
        held.release();
    }
    void WakeAll() { condition_.notify_all(); }

private:
    std::condition_variable condition_;
};

class CThread {
public:
    ~CThread() { Join(); }
    bool Start(void (*run)(void*), void* context)
    {
        thread_ = std::thread(run, context);
        return true;
    }
    bool Started() const { return thread_.joinable(); }
    void Join()
    {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::thread thread_;
};

#endif

// Holds a lock for the scope it is declared in.
class CLockHeld {
public:
    explicit CLockHeld(CLock& lock) : lock_(lock) { lock_.Lock(); }
    ~CLockHeld() { lock_.Unlock(); }
    CLockHeld(const CLockHeld&) = delete;
    CLockHeld& operator=(const CLockHeld&) = delete;

private:
    CLock& lock_;
};

}  // namespace vorn
