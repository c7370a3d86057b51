// How long our settings load takes next to reading the same keys one by one
// through GetPrivateProfileStringW, on a full settings file. It prints the
// figures and always exits 0: it reports, it does not judge.
//
// The port is installed but theUtil is not resolved, so the load looks for
// the taskbar as usual and never changes its transparency.
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "actions/custom_actions.h"
#include "app/settings_store.h"
#include "platform/file_io.h"
#include "platform/win32/win32_port.h"
#include "settings/data.h"
#include "settings/profile.h"
#include "settings/setting_table.h"
#include "tests/fake/full_settings.h"
#include "tests/fake/temp_folder.h"

namespace vorn {
namespace {

// The buffer the system's reader is traditionally given.
constexpr DWORD kSystemBuffer = 80;

constexpr const wchar_t* kActionSections[kModifierCount] = {L"Actions, Plain", L"Actions, Shift", L"Actions, Ctrl"};

// The keys a load reads, in its order, each through the system's reader.
// Returns the number of keys read.
int ReadKeysThroughTheSystem(const std::wstring& path)
{
    wchar_t buffer[kSystemBuffer];
    const auto read = [&](const wchar_t* section, const std::wstring& key, const wchar_t* defaultValue) {
        return ::GetPrivateProfileStringW(section, key.c_str(), defaultValue, buffer, kSystemBuffer, path.c_str());
    };
    int keys = 0;
    for (const SettingDef& def : kSettingDefs) {
        read(L"Settings", def.key, def.missingValue);
        ++keys;
    }
    for (int group = 1; group <= kGroupCount; ++group) {
        read(L"Settings", L"Group " + std::to_wstring(group) + L" expanded", kGroupExpandedMissingValue);
        ++keys;
    }
    for (int number = 1;; ++number) {
        ++keys;
        if (read(L"Wallpaper folders", std::to_wstring(number), L"") == 0) break;
    }
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        const std::wstring n = std::to_wstring(slot + 1);
        ++keys;
        if (read(L"Custom actions", L"Name " + n, L"") == 0) continue;
        read(L"Custom actions", L"Description " + n, L"");
        read(L"Custom actions", L"ActionA " + n, L"");
        read(L"Custom actions", L"ActionB " + n, L"");
        keys += 3;
    }
    for (int zone = 0; zone < kZoneCount; ++zone)
        for (int modifier = 0; modifier < kModifierCount; ++modifier) {
            read(kActionSections[modifier], ZoneName(EdgeZone(zone)),
                 modifier == Plain ? kDefaultPlainActions[static_cast<std::size_t>(zone)] : kDefaultOtherAction);
            ++keys;
        }
    return keys;
}

// Keeps the compiler from dropping lookups whose results go unused.
volatile std::size_t sink = 0;

// The same keys through our reader, from a file read and parsed once: the
// reading part of a load without what the load does with the values.
int ReadKeysThroughOurs(const std::wstring& path)
{
    std::string bytes;
    (void)ReadWholeFile(path, bytes);
    const ProfileFile file = ProfileFile::FromBytes(bytes);
    int keys = 0;
    const auto read = [&](const wchar_t* section, const std::wstring& key, const wchar_t* defaultValue) {
        ++keys;
        const std::wstring value = file.Get(section, key, defaultValue);
        sink = sink + value.size();
        return value.size();
    };
    for (const SettingDef& def : kSettingDefs)
        read(L"Settings", def.key, def.missingValue);
    for (int group = 1; group <= kGroupCount; ++group)
        read(L"Settings", L"Group " + std::to_wstring(group) + L" expanded", kGroupExpandedMissingValue);
    for (int number = 1;; ++number)
        if (read(L"Wallpaper folders", std::to_wstring(number), L"") == 0) break;
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        const std::wstring n = std::to_wstring(slot + 1);
        if (read(L"Custom actions", L"Name " + n, L"") == 0) continue;
        read(L"Custom actions", L"Description " + n, L"");
        read(L"Custom actions", L"ActionA " + n, L"");
        read(L"Custom actions", L"ActionB " + n, L"");
    }
    for (int zone = 0; zone < kZoneCount; ++zone)
        for (int modifier = 0; modifier < kModifierCount; ++modifier)
            read(kActionSections[modifier], ZoneName(EdgeZone(zone)),
                 modifier == Plain ? kDefaultPlainActions[static_cast<std::size_t>(zone)] : kDefaultOtherAction);
    return keys;
}

struct Figures {
    double median = 0;
    double mean = 0;
    double fastest = 0;
};

template <typename Run> Figures Time(int repetitions, Run run)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    run();  // warm up: file cache, code pages, first allocations
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        run();
        ::QueryPerformanceCounter(&end);
        micros.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                         static_cast<double>(frequency.QuadPart));
    }
    std::sort(micros.begin(), micros.end());
    Figures figures;
    const std::size_t n = micros.size();
    figures.median = n % 2 ? micros[n / 2] : (micros[n / 2 - 1] + micros[n / 2]) / 2;
    figures.mean = std::accumulate(micros.begin(), micros.end(), 0.0) / static_cast<double>(n);
    figures.fastest = micros.front();
    return figures;
}

void Print(const char* what, int repetitions, const Figures& f)
{
    std::printf("%-46s %6d runs   median %10.1f us   mean %10.1f us   fastest %10.1f us\n", what, repetitions, f.median,
                f.mean, f.fastest);
}

int Run()
{
    InstallWin32Port();
    InstallSettingsStore();
    fake::TempFolder folder;
    theData.settingsPath = folder.File(L"Vorn.ini");
    fake::FillFullSettings();
    if (!theData.WriteSettingsFile()) {
        std::printf("could not write %ls\n", theData.settingsPath.c_str());
        return 0;
    }
    std::string bytes;
    (void)ReadWholeFile(theData.settingsPath, bytes);

    // Check once that the load finds what was saved, so the timing is of a
    // load that reads everything.
    theData.LoadSettings();
    const int customCount = theCustomActions.Count();
    const std::size_t folderCount = theData.wallpaperFolders.size();
    const int systemKeys = ReadKeysThroughTheSystem(theData.settingsPath);
    const int ourKeys = ReadKeysThroughOurs(theData.settingsPath);

    std::printf("settings file: %zu bytes, %zu wallpaper folders, %d custom actions loaded\n", bytes.size(),
                folderCount, customCount);
    std::printf("keys a load reads: %d (ours, same walk: %d)\n\n", systemKeys, ourKeys);

    constexpr int kOurRuns = 400;
    constexpr int kSystemRuns = 100;
    const Figures load = Time(kOurRuns, [] { theData.LoadSettings(); });
    const Figures parse = Time(kOurRuns, [] {
        std::string b;
        (void)ReadWholeFile(theData.settingsPath, b);
        (void)ProfileFile::FromBytes(b);
    });
    const Figures ours = Time(kOurRuns, [] { (void)ReadKeysThroughOurs(theData.settingsPath); });
    const Figures system = Time(kSystemRuns, [] { (void)ReadKeysThroughTheSystem(theData.settingsPath); });

    Print("our load (LoadSettings)", kOurRuns, load);
    Print("  of which read file + parse", kOurRuns, parse);
    Print("our read + parse + the same key lookups", kOurRuns, ours);
    Print("GetPrivateProfileStringW per key (80 chars)", kSystemRuns, system);
    std::printf("\nratio, per-key system reads / our load:   median %.1fx   mean %.1fx\n", system.median / load.median,
                system.mean / load.mean);
    std::printf("ratio, per-key system reads / our lookups: median %.1fx   mean %.1fx\n", system.median / ours.median,
                system.mean / ours.mean);

    theCustomActions.Clear();
    theData.ResetToDefaults();
    UninstallPort();
    return 0;
}

}  // namespace
}  // namespace vorn

int main() { return vorn::Run(); }
