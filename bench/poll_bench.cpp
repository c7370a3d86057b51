// Cost of one edge-poll tick: the common case (pointer stays where it was) and
// a tick that crosses from one zone into another (ending plus beginning); on
// one screen, and on two monitors of which one has actions of its own, with
// corners on every monitor; with twenty quiet programs listed, which the tick
// never reads (the program in front is judged when the foreground changes);
// what the mouse hook does per event, and that no hook is put in place while
// the pointer is outside every wheel zone; a look with instant response with
// "Keep a log" off and on (the look only asks for a write, once), and the
// write of a burst of lines to Vorn.log.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "actions/custom_actions.h"
#include "actions/util.h"
#include "app/activity_file.h"
#include "app/edge_engine.h"
#include "app/settings_store.h"
#include "engine/zone_input.h"
#include "settings/data.h"
#include "tests/fake/fake_desktop.h"
#include "tests/fake/temp_folder.h"

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

// As above with twenty programs listed and an unlisted one in front: the
// figure should match BM_PollTickZoneToZone.
void BM_PollTickZoneToZoneQuietList(benchmark::State& state)
{
    Scene scene;
    for (int n = 0; n < 20; ++n)
        theData.quietPrograms.push_back(L"program" + std::to_wstring(n) + L".exe");
    scene.engine.SettingsChanged();
    fake::WindowDesc desc;
    desc.title = L"Editor";
    const HWND editor = scene.desktop.AddWindow(desc);
    scene.desktop.Window(editor).program = L"C:\\Program Files\\Editor\\editor.exe";
    scene.desktop.BringToFront(editor);
    bool corner = false;
    for (auto _ : state) {
        corner = !corner;
        scene.desktop.MovePointer(corner ? 0 : 960, 0);
        scene.engine.OnTimer(kEdgeTimerId);
    }
    state.counters["quiet"] = scene.engine.QuietInFront() ? 1 : 0;
}
BENCHMARK(BM_PollTickZoneToZoneQuietList);

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

namespace {

// What the mouse hook does for each event of the desktop while it is aimed:
// judge the event's point against the zone (here the harder case, corners
// on every monitor of two) and gather the wheel's steps.
void BM_ZoneHookEvent(benchmark::State& state)
{
    ZoneInputTarget target;
    target.zone = RightSide;
    target.takes = 1u << (SetOf(WheelUp, Plain) - kModifierCount);
    target.geometry = ZoneGeometry{2, 2, 3840, 1080, 0, 3840, 0, 1080};
    target.onMonitors = true;
    target.monitors.rects[0] = RECT{0, 0, 1920, 1080};
    target.monitors.rects[1] = RECT{1920, 0, 3840, 1080};
    target.monitors.count = 2;
    target.monitor = 1;
    target.sideLength = 70;
    CZoneInputFilter filter;
    filter.Aim(target);
    int step = 0;
    for (auto _ : state) {
        const bool inZone = (++step & 1) != 0;
        benchmark::DoNotOptimize(
            filter.Event(MouseInput::Wheel, inZone ? POINT{3839, 540} : POINT{2880, 540}, 40, Plain));
    }
}
BENCHMARK(BM_ZoneHookEvent);

struct CountingHook final : IZoneInputHook {
    void Aim(const ZoneInputTarget&) override { ++aims; }
    void Release() override {}
    int aims = 0;
};

// The right side has a wheel action; the pointer wanders everywhere else,
// in the middle and through the other zones: no hook is ever put in place.
void BM_PollTickOutsideWheelZones(benchmark::State& state)
{
    Scene scene;
    CountingHook hook;
    scene.engine.SetZoneInputHook(&hook);
    theData.assignments[SetOf(WheelUp, Plain)][RightSide] = FindActionIndex(L"Volume up");
    constexpr POINT kElsewhere[] = {{960, 540}, {0, 0}, {960, 0}, {0, 540}, {1919, 1079}};
    std::size_t next = 0;
    long aimedLooks = 0;
    for (auto _ : state) {
        const POINT at = kElsewhere[next++ % std::size(kElsewhere)];
        scene.desktop.MovePointer(at.x, at.y);
        scene.engine.OnTimer(kEdgeTimerId);
        aimedLooks += scene.engine.ZoneInputAimed() ? 1 : 0;
    }
    state.counters["hooks"] = hook.aims;
    state.counters["aimed looks"] = static_cast<double>(aimedLooks);
}
BENCHMARK(BM_PollTickOutsideWheelZones);

// A look with instant response that crosses between the middle and the upper
// left corner: every look records an event (entered, left). Arg 1: "Keep a
// log" on, with the write asked of the main window as a posted message
// would; the figure should match Arg 0, and nothing is written on the way.
void BM_InstantLookWithLog(benchmark::State& state)
{
    Scene scene;
    theData.instantResponse = true;
    scene.engine.SettingsChanged();
    fake::TempFolder folder;
    int asks = 0;
    CActivityFile::Hooks hooks;
    hooks.askForWrite = [&asks] { ++asks; };
    CActivityFile file(theActivity, folder.File(L"Vorn.log"), hooks);
    file.Follow(state.range(0) != 0);
    const std::uint64_t before = theActivity.Recorded();
    bool corner = false;
    for (auto _ : state) {
        corner = !corner;
        scene.desktop.MovePointer(corner ? 0 : 960, corner ? 0 : 540);
        scene.engine.OnPointerInput();
    }
    state.counters["events"] = static_cast<double>(theActivity.Recorded() - before);
    state.counters["asks"] = asks;
    state.counters["written"] = std::filesystem::exists(folder.Path() / "Vorn.log") ? 1 : 0;
    file.Follow(false);
}
BENCHMARK(BM_InstantLookWithLog)->Arg(0)->Arg(1);

// The write that follows a burst of Arg events: their lines made, encoded
// and appended to the file (opened and closed each time), the file moving
// to Vorn.log.1 at 1 MB as it must.
void BM_LogWriteBurst(benchmark::State& state)
{
    Scene scene;
    fake::TempFolder folder;
    CActivityFile file(theActivity, folder.File(L"Vorn.log"), {});
    file.Follow(true);
    ActivityEvent event;
    event.kind = ActivityKind::NotWithQuietProgram;
    event.zone = UpperLeftCorner;
    event.SetText(L"Notepad.exe");
    std::int64_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (std::int64_t n = 0; n < state.range(0); ++n)
            theActivity.Record(event);
        state.ResumeTiming();
        if (!file.WriteNow()) state.SkipWithError("the log could not be written");
        lines += state.range(0);
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
    file.Follow(false);
}
BENCHMARK(BM_LogWriteBurst)->Arg(10)->Arg(500);

}  // namespace
