// The settings file with everything in it: every setting, 50 wallpaper
// folders and 99 custom actions with 300-character command lines. Load must
// stay well under a millisecond and formatting well under 100 µs.
#include <benchmark/benchmark.h>

#include <string>

#include "actions/util.h"
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
