// The settings file with everything in it: every setting, 50 wallpaper
// folders and 99 custom actions with 300-character command lines. Load must
// stay well under a millisecond and formatting well under 100 µs.
#include <benchmark/benchmark.h>

#include <string>

#include "actions/util.h"
#include "app/settings_store.h"
#include "platform/file_io.h"
#include "settings/data.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "tests/fake/fake_desktop.h"
#include "tests/fake/full_settings.h"
#include "tests/fake/temp_folder.h"

namespace {

using namespace vorn;

struct FullFile {
    FullFile()
    {
        desktop.Install();
        InstallSettingsStore();
        theUtil.Resolve();
        fake::FillFullSettings();
        theData.settingsPath = folder.File(L"Vorn.ini");
        // The load scans every folder for pictures, so each has some.
        for (const std::wstring& path : theData.wallpaperFolders)
            desktop.AddFolder(path, {L"a.jpg", L"b.bmp", L"notes.txt"});
        if (!theData.WriteSettingsFile()) throw std::runtime_error("cannot write the settings file");
    }
    ~FullFile() { UninstallPort(); }
    fake::FakeDesktop desktop;
    fake::TempFolder folder;
};

void BM_LoadFullSettingsFile(benchmark::State& state)
{
    FullFile full;
    for (auto _ : state)
        theData.LoadSettings();
    state.counters["bytes"] = static_cast<double>(fake::TempFolder::Read(theData.settingsPath).size());
}
BENCHMARK(BM_LoadFullSettingsFile)->Unit(benchmark::kMicrosecond);

void BM_FormatFullSettingsFile(benchmark::State& state)
{
    FullFile full;
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeSettingsText(FormatSettingsFile()));
}
BENCHMARK(BM_FormatFullSettingsFile)->Unit(benchmark::kMicrosecond);

// The two halves of the figure above.
void BM_FormatFullSettingsText(benchmark::State& state)
{
    FullFile full;
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatSettingsFile());
}
BENCHMARK(BM_FormatFullSettingsText)->Unit(benchmark::kMicrosecond);

void BM_EncodeFullSettingsText(benchmark::State& state)
{
    FullFile full;
    const std::wstring text = FormatSettingsFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeSettingsText(text));
}
BENCHMARK(BM_EncodeFullSettingsText)->Unit(benchmark::kMicrosecond);

// The whole save: format, write a temporary file, flush it to the disk and
// rename it over the old one.
void BM_SaveFullSettingsFile(benchmark::State& state)
{
    FullFile full;
    for (auto _ : state)
        if (!theData.WriteSettingsFile()) state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveFullSettingsFile)->Unit(benchmark::kMicrosecond);

}  // namespace

// A burst of 100 changes of the full file, 10 ms apart (a drag on the Buttons
// page, typing): the time each change costs the UI thread, writes included,
// and how many of them reach the disk. Writes are held to one per 250 ms; the last state is
// written by the save timer.
void BM_BurstOf100Saves(benchmark::State& state)
{
    FullFile full;
    const HWND mainWindow = full.desktop.AddWindow(fake::WindowDesc{});
    const auto deliver = [&](HWND window, UINT_PTR id) {
        if (window == mainWindow && id == kSaveTimerId) theData.FlushSettings();
    };
    double writes = 0;
    for (auto _ : state) {
        theData.ResetSaveThrottle();
        theData.DeferSavesTo(mainWindow);
        for (int change = 0; change < 100; ++change) {
            theData.cornerSize = 1 + change % 20;
            theData.SaveSettings();
            // The timer's writes run on the UI thread too: they count.
            full.desktop.AdvanceTime(10, deliver);
        }
        full.desktop.AdvanceTime(kSaveIntervalMs, deliver);
        writes += theData.settingsWrites;
    }
    theData.DeferSavesTo(nullptr);
    state.counters["per change"] = benchmark::Counter(static_cast<double>(state.iterations()) * 100,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["writes"] = writes / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BurstOf100Saves)->Unit(benchmark::kMillisecond);
