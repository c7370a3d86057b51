// Work that must not hold the user-interface thread: one worker thread runs
// the jobs one after the other, in the order they were handed over.
#pragma once

#include <functional>

namespace vorn {

// Hands `job` to the worker and returns at once.
void RunInBackground(std::function<void()> job);

// Waits until every job handed over so far has finished (tests and exit).
void WaitForBackgroundWork();

}  // namespace vorn
