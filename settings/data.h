// The program's settings in memory: one CData object, theData, that every
// part reads and writes directly, saving the whole file after a change.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win.h"
#include "settings/action_index.h"
#include "settings/file_problem.h"
#include "settings/monitor_settings.h"
#include "settings/text_encoding.h"

namespace vorn {

class ProfileFile;

// The eight hot zones. The order is fixed: it indexes the assignment tables.
enum EdgeZone : std::int32_t {
    NoZone = -1,
    UpperLeftCorner = 0,
    UpperRightCorner,
    LowerLeftCorner,
    LowerRightCorner,
    LeftSide,
    TopSide,
    RightSide,
    BottomSide,
};
inline constexpr int kZoneCount = 8;

// Display names; also the keys of the action sections of the settings file.
// Empty for NoZone or an out-of-range value.
const wchar_t* ZoneName(EdgeZone zone);

enum ModifierKey : std::int32_t {
    Plain = 0,
    Shift = 1,
    Ctrl = 2
};
inline constexpr int kModifierCount = 3;

// The modifier held right now, read from the keyboard at every use: Shift wins
// over Ctrl when both are down.
ModifierKey CurrentModifier();

// What sets a zone's action off: the pointer entering the zone, or a notch of
// the wheel or a left click while the pointer is in it.
enum ZoneTrigger : std::int32_t {
    Entering = 0,
    WheelUp = 1,
    WheelDown = 2,
    Click = 3
};
inline constexpr int kTriggerCount = 4;

// A set of eight assignments: a trigger with a modifier. The first three are
// entering with Plain, Shift and Ctrl, so a ModifierKey is its own set.
using ActionSet = int;
inline constexpr int kActionSetCount = kTriggerCount * kModifierCount;
constexpr ActionSet SetOf(ZoneTrigger trigger, ModifierKey modifier) { return trigger * kModifierCount + modifier; }
constexpr ZoneTrigger TriggerOf(ActionSet set) { return static_cast<ZoneTrigger>(set / kModifierCount); }
constexpr ModifierKey ModifierOf(ActionSet set) { return static_cast<ModifierKey>(set % kModifierCount); }

// The action trees' headings, each with its "Group k expanded" key: the
// twelve first catalogue groups take 1 to 12 and "Custom" 13, as before the
// catalogue grew; the groups added later take 14 and up.
inline constexpr int kGroupCount = 15;
// The element of groupExpanded that holds the "Custom" heading.
inline constexpr int kCustomGroupKey = 12;

// Saves that come in bursts (a drag, typing) write at most this often; the
// main window's timer of this id writes the last state.
inline constexpr UINT_PTR kSaveTimerId = 4;
inline constexpr DWORD kSaveIntervalMs = 250;

// The whole settings file is composed above settings, which read and write
// only their own sections: the parts above (the assignments by name, the
// custom actions, the buttons) add theirs. Start-up, and every test fixture,
// installs the composer; without one, the file holds the own sections only.
class ISettingsFileComposer {
public:
    virtual ~ISettingsFileComposer() = default;
    // The text of the whole file, with CR LF line ends.
    virtual std::wstring Format() const = 0;
    // Every part from a file already read, and what the load sets in motion.
    virtual void Load(const ProfileFile& file) = 0;
    // Whether `bytes` are a whole file as a save writes it, not one a crash
    // cut short.
    virtual bool IsComplete(std::string_view bytes) const = 0;
};

using AssignmentTable = std::array<std::array<ActionIndex, kZoneCount>, kActionSetCount>;

// The file name at the end of a path (the whole text when it has no folder).
std::wstring_view ProgramFileName(std::wstring_view path);
// A name that can stand in "Quiet programs": not empty, no folder, no drive.
bool QuietProgramNameUsable(std::wstring_view name);

class CData {
public:
    CData();
    CData(const CData&) = delete;
    CData& operator=(const CData&) = delete;

    // Every stored field to its default (what a missing settings file gives),
    // and the lists emptied. The path, `enabled` and the side bands stay.
    void ResetToDefaults();

    // Who composes the whole file (null: the own sections alone).
    void SetFileComposer(ISettingsFileComposer* composer) { composer_ = composer; }
    // The own sections, "[Settings]" and "[Wallpaper folders]", in the file's
    // text: the file's first lines.
    std::wstring FormatOwnSections() const;
    // The own sections from a file already read, after a reset to defaults;
    // the side bands follow the sizes read.
    void LoadOwnSections(const ProfileFile& file);

    // The settings file. Load runs once at start-up; save after every change.
    // A save that fails leaves the file as it was. A file that exists but
    // cannot be read, or a save that fails, is told to fileProblems.
    void LoadSettings();
    // The same through `writer`, which takes back a save's lost file (tests).
    void LoadSettings(IFileWriter& writer);
    void SaveSettings();
    // Told at every save, before the file is written: a setting may have
    // changed (the edge engine follows its timing settings this way).
    void SetChangeListener(std::function<void()> listener) { changeListener_ = std::move(listener); }
    // Once the main window gives its handle, a save writes at once only when
    // the last write is kSaveIntervalMs old; otherwise the window's save timer
    // writes the latest state when that time is up. Null: every save writes.
    void DeferSavesTo(HWND window);
    // Writes a save still waiting: the save timer, and the program's end.
    void FlushSettings();
    // While held (a drag on the Buttons page), saves wait for the release,
    // which writes once: the file is not rewritten under every step.
    void HoldSaves(bool hold);
    bool SavePending() const { return savePending_; }
    // Back to a run's start: nothing written or waiting, saves not deferred (tests).
    void ResetSaveThrottle()
    {
        saveWindow_ = nullptr;
        savePending_ = false;
        savesHeld_ = false;
        written_ = false;
        settingsWrites = 0;
    }
    // The steps of a load, from a file already read: the whole file's.
    void LoadFromProfile(const ProfileFile& file);
    // The save, telling whether the file was replaced and if not, why and
    // which file (the link's target, say) is at fault.
    [[nodiscard]] bool WriteSettingsFile(FileError* error = nullptr, std::wstring* faultPath = nullptr) const;

    // The open intervals along the edges that the side zones cover, from the
    // virtual-screen size and sideLength.
    void ComputeSideBands();
    // Rebuilds wallpaperFiles from wallpaperFolders: the .bmp and .jpg files.
    void ScanWallpaperFiles();
    void AddWallpaperFolder(const std::wstring& folder);
    void RemoveWallpaperFolder(const std::wstring& folder);
    // The wallpaper to show next, or empty when no listed file differs from the
    // one showing now.
    std::wstring NextWallpaper(bool random) const;

    // Not stored: edge actions run only while true; every start begins true.
    bool enabled = true;
    bool fadeTransparency = false;
    bool firstRun = true;
    // Element k: whether the heading of "Group k+1 expanded" is expanded in
    // the action trees (see kGroupCount for which heading that is).
    std::array<bool, kGroupCount> groupExpanded{};
    bool wallpaperRandom = true;
    // Transparencies in percent: 0 opaque, 100 invisible.
    std::int32_t desktopTransparency = 0;
    std::int32_t windowTransparency = 0;
    std::int32_t vornTransparency = 0;
    std::int32_t taskbarTransparency = 0;
    // Steps in pixels of the grow, shrink and move actions.
    std::int32_t windowGrow = 0;
    std::int32_t windowShrink = 0;
    std::int32_t windowMove = 0;
    std::int32_t cornerSize = 0;   // pixels, edge of the square corner zones
    std::int32_t currentPage = 0;  // selected tab of the settings window
    std::int32_t repeatRate = 0;   // repeats per second
    std::int32_t sideLength = 0;   // percent of each edge, centred
    std::int32_t sideWidth = 0;    // pixels, depth of the side zones
    // Derived by ComputeSideBands, not stored.
    std::int32_t sideXLow = 0;
    std::int32_t sideXHigh = 0;
    std::int32_t sideYLow = 0;
    std::int32_t sideYHigh = 0;
    std::int32_t wallpaperDelay = 0;  // seconds between changes; 0: never
    // Edge behaviour; the file holds these only when they are not the defaults.
    bool pauseInFullScreen = false;      // no zone while a full-screen program is in front
    bool cornersOnEveryMonitor = false;  // zones and work areas per monitor
    std::int32_t pollInterval = 500;     // milliseconds between pointer reads
    std::int32_t dwellTime = 0;          // milliseconds in a zone before it counts
    bool instantResponse = false;        // zones decided on each pointer movement, not polled
    bool quietWhileDragging = false;     // no zone entered while a mouse button is down
    bool keepLog = false;                // each event of the activity also to Vorn.log
    bool showWait = false;               // a ring at the pointer fills while a zone's wait runs
    // Programs, by the file name of their executable as the user wrote it, in
    // front of which no zone fires ("Quiet programs", in the user's order).
    std::vector<std::wstring> quietPrograms;
    // The combination that turns the edges off and on, as key text
    // ("Ctrl+Alt+V"); empty: none.
    std::wstring switchKeys;
    // Whether `program` (a file name or a full path) is one of quietPrograms,
    // compared by file name without regard to case.
    bool IsQuietProgram(std::wstring_view program) const;
    // quietPrograms from the text of "Quiet programs".
    void LoadQuietPrograms(std::wstring_view text);
    // assignments[set][zone]: entering with each modifier, then the wheel and the click
    AssignmentTable assignments{};
    // What a reset gives the assignments. The actions are named above
    // settings, so start-up gives these with the file's composer; until then
    // every zone has "No action".
    AssignmentTable defaultAssignments = [] {
        AssignmentTable table;
        for (auto& row : table)
            row.fill(kNoActionIndex);
        return table;
    }();
    // Monitors with assignments of their own, or remembered for them, in the
    // order of the file's "[Monitors]"; monitors not connected stay as read.
    std::vector<MonitorAssignments> monitorAssignments;
    // Each zone's own wait in milliseconds, 0 … kMaxZoneDwell, for every
    // monitor alike; kDwellAsSetting: the zone waits dwellTime.
    std::array<std::int32_t, kZoneCount> zoneDwell = [] {
        std::array<std::int32_t, kZoneCount> waits{};
        waits.fill(kDwellAsSetting);
        return waits;
    }();

    // Values of "[Dwell times]" that held no number, by zone: written back
    // as they were until the user sets that zone's wait.
    std::array<std::wstring, kZoneCount> unreadZoneDwell{};
    // Sets a zone's own wait (kDwellAsSetting: back to the "Dwell time"),
    // clamped into 0 … kMaxZoneDwell; a value kept unread there is dropped.
    void SetZoneDwell(EdgeZone zone, std::int32_t ms);

    // The action of `zone` in `set` on the monitor of `slot` (an index of
    // monitorAssignments; negative: a monitor without its own), falling back
    // to the shared assignment. Allocates nothing.
    ActionIndex AssignmentOn(int slot, ActionSet set, EdgeZone zone) const;
    // The wait of `zone`: its own, or dwellTime.
    std::int32_t DwellOf(EdgeZone zone) const;
    // The slot of the monitor with this device path (compared without regard
    // to case), or -1.
    int MonitorSlot(std::wstring_view devicePath) const;
    // The slot of the monitor, remembered with no assignments of its own and
    // the next free number when it is new; its name is brought up to date.
    int RememberMonitor(std::wstring_view devicePath, std::wstring_view name);
    // Sets one assignment of a monitor (kSameAsAllMonitors: back to shared);
    // a value kept unread there is dropped. A negative slot sets the shared one.
    void SetAssignmentOn(int slot, ActionSet set, EdgeZone zone, ActionIndex action);
    // A "Monitor N" number that no remembered monitor uses, nor a section
    // kept from the file (keptMonitorNumbers).
    int FreeMonitorNumber() const;
    // Numbers of monitor sections read for monitors "[Monitors]" does not
    // list; those sections are written back as they were.
    std::vector<int> keptMonitorNumbers;
    // Those sections' text, written back after the monitors' own.
    std::wstring keptMonitorSections;

    // The working folder at start-up plus "Vorn.ini"; fixed for the run.
    std::wstring settingsPath;
    // Not stored: the file exists but could not be read at load. Saving over
    // it would replace the user's settings with defaults, so saves are refused.
    bool settingsUnreadable = false;
    // How the file read at load holds its text, so that a save writes it back
    // the same way where that matters (UTF-8 without a mark).
    TextEncoding settingsEncoding = TextEncoding::Ansi;
    // Set before the load when the folder the command line names for the
    // settings cannot be used: the load reads nothing, tells this, and no
    // save writes a file anywhere during the run.
    std::optional<FileProblem> settingsFolderProblem;
    // Writes of the file this run (benchmarks and tests).
    int settingsWrites = 0;
    // Tells the user, once per run, that the file cannot be read or saved.
    CFileProblemReporter fileProblems;
    std::vector<std::wstring> wallpaperFiles;
    std::vector<std::wstring> wallpaperFolders;

private:
    void WriteNow();

    ISettingsFileComposer* composer_ = nullptr;
    std::function<void()> changeListener_;
    HWND saveWindow_ = nullptr;
    bool savePending_ = false;
    bool savesHeld_ = false;
    bool written_ = false;
    DWORD lastWriteTick_ = 0;
};

extern CData theData;

// The desktop wallpaper's path, empty when none shows or it cannot be read.
std::wstring DesktopWallpaper();

// "Vorn.ini" in the working folder now: where the settings live.
std::wstring WorkingFolderSettingsPath();

}  // namespace vorn
