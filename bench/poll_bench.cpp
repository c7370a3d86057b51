// Cost of one edge-poll tick: the common case (pointer stays where it was) and
// a tick that crosses from one zone into another (ending plus beginning); on
// one screen, and on two monitors of which one has actions of its own, with
// corners on every monitor.
#include <benchmark/benchmark.h>

#include "actions/custom_actions.h"
#include "actions/util.h"
#include "app/edge_engine.h"
#include "app/settings_store.h"
#include "settings/data.h"
#include "tests/fake/fake_desktop.h"

namespace {

using namespace vorn;

struct Scene {
    Scene()
    {
        desktop.Install();
        InstallSettingsStore();
        theCustomActions.Clear();
        theData.ResetToDefaults();
        theData.ComputeSideBands();
        theUtil.Resolve();
        fake::WindowDesc desc;
        desc.title = L"Vorn";
        main = desktop.AddWindow(desc);
        // No-op actions, so the figure is the engine's own cost.
        for (auto& row : theData.assignments)
            row.fill(kNoActionIndex);
        engine.Start(main);
    }
    ~Scene() { UninstallPort(); }
    fake::FakeDesktop desktop;
    HWND main = nullptr;
    CEdgeEngine engine;
};

void BM_PollTickNoZoneChange(benchmark::State& state)
{
    Scene scene;
    scene.desktop.MovePointer(960, 540);
    for (auto _ : state)
        scene.engine.OnTimer(kEdgeTimerId);
}
BENCHMARK(BM_PollTickNoZoneChange);

void BM_PollTickZoneToZone(benchmark::State& state)
{
    Scene scene;
    bool corner = false;
    for (auto _ : state) {
        corner = !corner;
        scene.desktop.MovePointer(corner ? 0 : 960, 0);  // upper left corner <-> top side
        scene.engine.OnTimer(kEdgeTimerId);
    }
}
BENCHMARK(BM_PollTickZoneToZone);

// A laptop and a desk monitor to its right; the desk has actions of its own
// for every zone and modifier (no-ops as well), and one zone its own wait.
struct TwoMonitorScene : Scene {
    TwoMonitorScene()
    {
        desktop.SetMonitors({{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}, L"\\\\?\\DISPLAY#LAP0001#1", L""},
                             {RECT{1920, 0, 3840, 1080}, RECT{1920, 0, 3840, 1040}, L"\\\\?\\DISPLAY#DESK002#2",
                              L"Desk"}});
        theData.ComputeSideBands();
        theData.cornersOnEveryMonitor = true;
        const int desk = theData.RememberMonitor(L"\\\\?\\DISPLAY#DESK002#2", L"Desk");
        for (ModifierKey modifier : {Plain, Shift, Ctrl})
            for (int zone = 0; zone < kZoneCount; ++zone)
                theData.SetAssignmentOn(desk, modifier, EdgeZone(zone), kNoActionIndex);
        theData.SetZoneDwell(LowerRightCorner, 800);
        engine.DisplayChanged();
    }
};

void BM_PollTickTwoMonitorsNoZoneChange(benchmark::State& state)
{
    TwoMonitorScene scene;
    scene.desktop.MovePointer(2880, 540);
    for (auto _ : state)
        scene.engine.OnTimer(kEdgeTimerId);
}
BENCHMARK(BM_PollTickTwoMonitorsNoZoneChange);

void BM_PollTickTwoMonitorsZoneToZone(benchmark::State& state)
{
    TwoMonitorScene scene;
    bool corner = false;
    for (auto _ : state) {
        corner = !corner;
        scene.desktop.MovePointer(corner ? 3839 : 2880, 0);  // the desk's upper right corner <-> its top side
        scene.engine.OnTimer(kEdgeTimerId);
    }
}
BENCHMARK(BM_PollTickTwoMonitorsZoneToZone);

}  // namespace
