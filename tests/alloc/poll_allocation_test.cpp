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
// The library's temporary buffers (stable_sort) take the no-throw forms; they
// must come from the same heap the replaced delete gives back to.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    ++allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
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

// Two monitors, the right one with actions of its own, and zones with waits
// of their own: deciding which monitor's action runs, and how long a zone
// waits, allocates nothing either, on every monitor and on the virtual screen.
TEST_F(PollAllocationTest, PerMonitorActionsAndPerZoneWaitsAllocateNothing)
{
    const wchar_t* deskPath = L"\\\\?\\DISPLAY#DESK002#2";
    desktop.SetMonitors({{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}, L"\\\\?\\DISPLAY#LAP0001#1", L""},
                         {RECT{1920, 0, 3840, 1080}, RECT{1920, 0, 3840, 1040}, deskPath, L"Desk"}});
    theData.ComputeSideBands();
    const int desk = theData.RememberMonitor(deskPath, L"Desk");
    for (ModifierKey modifier : {Plain, Shift, Ctrl})
        for (int zone = 0; zone < kZoneCount; ++zone)
            theData.SetAssignmentOn(desk, modifier, EdgeZone(zone), kNoActionIndex);
    theData.SetAssignmentOn(desk, Plain, TopSide, 31);  // repeatable: armed, ticked and killed
    theData.SetZoneDwell(LowerRightCorner, 3);
    theData.SetZoneDwell(UpperRightCorner, 0);
    engine.DisplayChanged();
    const POINT route[] = {{960, 540},   {0, 0},       {960, 0},     {2880, 0},    {2880, 0},   {3839, 0},
                           {3839, 540},  {3839, 1079}, {3839, 1079}, {2880, 1079}, {960, 1079}, {1900, 1079},
                           {1950, 1079}, {0, 540},     {2880, 540},  {0, 0}};
    const auto walk = [&] {
        for (const POINT& p : route) {
            desktop.MovePointer(p.x, p.y);
            engine.OnTimer(kEdgeTimerId);
            engine.OnTimer(kRepeatTimerId);
            desktop.AdvanceTime(1);
        }
    };
    walk();
    const long before = allocations.load();
    for (int round = 0; round < 50; ++round) {
        desktop.SetKeyDown(VK_SHIFT, round % 3 == 1);
        desktop.SetKeyDown(VK_CONTROL, round % 3 == 2);
        theData.cornersOnEveryMonitor = round % 2 == 1;
        walk();
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
