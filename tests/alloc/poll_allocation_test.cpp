// The edge poll runs twice a second for the whole life of the program; it must
// not allocate. This executable replaces the global allocation functions to
// count every allocation, so it runs apart from the other tests.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/edge_engine.h"
#include "tests/fake/fixture.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace vorn {
namespace {

class PollAllocationTest : public fake::DesktopTest {
protected:
    PollAllocationTest()
    {
        main = AddWindow(L"Vorn");
        desktop.SetForegroundWindow(AddWindow(L"Editor"));
        engine.Start(main);
        // The poll's own work: actions that do nothing, and one repeatable
        // action whose handler allocates nothing either, so that the repeat
        // timer is armed, ticked and killed along the way.
        for (auto& row : theData.assignments)
            row.fill(kNoActionIndex);
        theData.assignments[Plain][TopSide] = 31;  // "Grow window left"
    }
    HWND main = nullptr;
    CEdgeEngine engine;
};

TEST_F(PollAllocationTest, PollAndRepeatAllocateNothing)
{
    const POINT route[] = {{960, 540},   {0, 0},      {5, 0},    {960, 0}, {960, 0},   {1919, 0},  {1919, 540},
                           {1919, 1079}, {960, 1079}, {0, 1079}, {0, 540}, {960, 540}, {960, 540}, {0, 0}};
    // Warm up once so that anything lazily built on first use is built.
    for (const POINT& p : route) {
        desktop.MovePointer(p.x, p.y);
        engine.OnTimer(kEdgeTimerId);
    }
    const long before = allocations.load();
    for (int round = 0; round < 50; ++round) {
        desktop.SetKeyDown(VK_SHIFT, round % 3 == 1);
        desktop.SetKeyDown(VK_CONTROL, round % 3 == 2);
        // Every other round with zones per monitor, the pause and a dwell.
        theData.cornersOnEveryMonitor = round % 2 == 1;
        theData.pauseInFullScreen = round % 2 == 1;
        theData.dwellTime = round % 2 == 1 ? 1 : 0;
        for (const POINT& p : route) {
            desktop.MovePointer(p.x, p.y);
            engine.OnTimer(kEdgeTimerId);
            engine.OnTimer(kRepeatTimerId);
        }
    }
    EXPECT_EQ(allocations.load() - before, 0);
}

TEST_F(PollAllocationTest, CounterSeesAllocations)
{
    // The custom command lines are the one thing a dispatch may allocate; this
    // proves the counter above is live.
    theCustomActions[0] = CCustomAction{L"Log", L"", L"cmd /c echo entered", L""};
    theData.assignments[Plain][UpperLeftCorner] = kBuiltInActionCount;
    desktop.MovePointer(960, 540);
    engine.Poll();
    const long before = allocations.load();
    desktop.MovePointer(0, 0);
    engine.Poll();
    EXPECT_GT(allocations.load() - before, 0);
}

}  // namespace
}  // namespace vorn
