// Cost of one edge-poll tick: the common case (pointer stays where it was) and
// a tick that crosses from one zone into another (ending plus beginning).
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

}  // namespace
