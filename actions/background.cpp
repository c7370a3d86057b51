#include "actions/background.h"

#include <deque>
#include <utility>

#include "platform/thread.h"

namespace vorn {
namespace {

class CWorker {
public:
    ~CWorker()
    {
        {
            CLockHeld held(lock_);
            // What has not started yet is of no use once the program ends.
            jobs_.clear();
            stopping_ = true;
        }
        wake_.WakeAll();
        thread_.Join();
    }

    void Post(std::function<void()> job)
    {
        bool ran = false;
        {
            CLockHeld held(lock_);
            jobs_.push_back(std::move(job));
            if (!thread_.Started() && !thread_.Start(&CWorker::Main, this)) {
                // No thread to be had: the job runs here rather than never.
                job = std::move(jobs_.back());
                jobs_.pop_back();
                ran = true;
            }
        }
        if (ran) {
            job();
            return;
        }
        wake_.WakeAll();
    }

    void WaitIdle()
    {
        CLockHeld held(lock_);
        while (!jobs_.empty() || busy_)
            idle_.Wait(lock_);
    }

private:
    static void Main(void* self) { static_cast<CWorker*>(self)->Run(); }

    void Run()
    {
        CLockHeld held(lock_);
        for (;;) {
            while (!stopping_ && jobs_.empty())
                wake_.Wait(lock_);
            if (jobs_.empty()) return;  // stopping
            std::function<void()> job = std::move(jobs_.front());
            jobs_.pop_front();
            busy_ = true;
            lock_.Unlock();
            job();
            job = nullptr;  // what the job holds goes before the next one starts
            lock_.Lock();
            busy_ = false;
            if (jobs_.empty()) idle_.WakeAll();
        }
    }

    CLock lock_;
    CWakeUp wake_;
    CWakeUp idle_;
    std::deque<std::function<void()>> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    CThread thread_;  // last: joined before the rest goes
};

CWorker& Worker()
{
    static CWorker worker;
    return worker;
}

}  // namespace

void RunInBackground(std::function<void()> job) { Worker().Post(std::move(job)); }

void WaitForBackgroundWork() { Worker().WaitIdle(); }

}  // namespace vorn
