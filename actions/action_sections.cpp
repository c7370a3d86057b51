#include "actions/action_sections.h"

#include <algorithm>
#include <optional>

#include "actions/custom_actions.h"
#include "actions/key_combination.h"
#include "settings/profile.h"
#include "settings/setting_table.h"
#include "settings/settings_file.h"

namespace vorn {
namespace {

std::wstring Numbered(const wchar_t* prefix, int number) { return prefix + DecimalText(number); }

void AppendHeader(std::wstring& out, const wchar_t* section)
{
    out += L"\r\n[";
    out += section;
    out += L"]\r\n";
}

// A custom action's keys, beside its command lines; written only for the
// phases that press keys, so that a file without any is written as before.
// Keys that could not be read go back as they were read, until the user
// changes the action.
void AppendCustomActionKeys(std::wstring& out, int number, const CCustomAction& action)
{
    const auto write = [&](const wchar_t* key, const KeyCombination& keys, const std::wstring& unread) {
        if (!keys.Empty())
            AppendKeyLine(out, Numbered(key, number), KeyCombinationText(keys));
        else if (!unread.empty())
            AppendKeyLine(out, Numbered(key, number), unread);
    };
    write(L"KeysA ", action.beginningKeys, action.unreadBeginningKeys);
    write(L"KeysB ", action.endingKeys, action.unreadEndingKeys);
    const bool beginningKeys = !action.beginningKeys.Empty() || !action.unreadBeginningKeys.empty();
    if (action.holdKeys && beginningKeys) AppendKeyLine(out, Numbered(L"Hold keys ", number), L"True");
}

// Keys take a phase's place and empty its command line. Keys that cannot be
// read leave the phase to its command line, are kept as text to be written
// back, and are noted in `unreadable`; a hold goes with them, for the day the
// user mends them.
void ReadCustomActionKeys(const ProfileFile& file, int number, CCustomAction& action,
                          std::optional<UnreadableKeys>& unreadable)
{
    const auto read = [&](const wchar_t* key, KeyCombination& keys, std::wstring& commandLine, std::wstring& unread) {
        std::wstring text = file.Get(kCustomActionsSection, Numbered(key, number), L"");
        const std::optional<KeyCombination> parsed = ParseKeyCombination(text);
        if (!parsed) {
            if (unreadable)
                ++unreadable->more;
            else
                unreadable = UnreadableKeys{text, action.name};
            unread = std::move(text);
            return;
        }
        keys = *parsed;
        if (!keys.Empty()) commandLine.clear();
    };
    read(L"KeysA ", action.beginningKeys, action.beginningAction, action.unreadBeginningKeys);
    read(L"KeysB ", action.endingKeys, action.endingAction, action.unreadEndingKeys);
    action.holdKeys = (!action.beginningKeys.Empty() || !action.unreadBeginningKeys.empty()) &&
                      ParseFlag(file.Get(kCustomActionsSection, Numbered(L"Hold keys ", number), L"F").c_str());
}

std::wstring MonitorSection(ActionSet set, int number)
{
    return std::wstring(kActionSections[static_cast<std::size_t>(set)]) + L", Monitor " + DecimalText(number);
}

// N of a name `prefix` + N (folded prefix, N a positive decimal), or 0.
int NumberAfter(std::wstring_view name, std::wstring_view foldedPrefix)
{
    const std::wstring folded = FoldedCase(name);
    if (!folded.starts_with(foldedPrefix) || folded.size() == foldedPrefix.size()) return 0;
    long long number = 0;
    for (std::size_t i = foldedPrefix.size(); i < folded.size(); ++i) {
        if (folded[i] < L'0' || folded[i] > L'9') return 0;
        number = number * 10 + (folded[i] - L'0');
        if (number > 1000000) return 0;
    }
    return static_cast<int>(number);
}

void AppendMonitorSections(std::wstring& out)
{
    bool listed = false;
    for (const MonitorAssignments& monitor : theData.monitorAssignments) {
        if (!monitor.HasOwn()) continue;
        if (!listed) AppendHeader(out, kMonitorsSection);
        listed = true;
        AppendKeyLine(out, Numbered(L"Monitor ", monitor.number), monitor.devicePath);
        if (!monitor.name.empty()) AppendKeyLine(out, Numbered(L"Name ", monitor.number), monitor.name);
    }
    for (const MonitorAssignments& monitor : theData.monitorAssignments) {
        if (!monitor.HasOwn()) continue;
        for (int set = 0; set < kActionSetCount; ++set) {
            const auto m = static_cast<std::size_t>(set);
            bool headed = false;
            for (int zone = 0; zone < kZoneCount; ++zone) {
                const auto z = static_cast<std::size_t>(zone);
                const ActionIndex action = monitor.actions[m][z];
                const std::wstring& unread = monitor.unread[m][z];
                if (action == kSameAsAllMonitors && unread.empty()) continue;
                if (!headed) AppendHeader(out, MonitorSection(set, monitor.number).c_str());
                headed = true;
                AppendKeyLine(out, ZoneName(EdgeZone(zone)), unread.empty() ? ActionName(action) : unread);
            }
        }
    }
    out += theData.keptMonitorSections;
}

// What the file says of each monitor. A section the load cannot place (a
// number "[Monitors]" does not list) and an action name that names nothing
// are kept as they stand and told; the zone runs the shared assignment.
void LoadMonitorSections(const ProfileFile& file)
{
    std::optional<UnreadableKeys> unreadable;
    const auto tell = [&](const std::wstring& text, const std::wstring& section) {
        if (unreadable)
            ++unreadable->more;
        else
            unreadable = UnreadableKeys{text, {}, 0, section};
    };
    for (const ProfileFile::KeyValue& entry : file.Keys(kMonitorsSection)) {
        const int number = NumberAfter(entry.key, L"monitor ");
        if (number <= 0 || entry.value.empty() || theData.MonitorSlot(entry.value) >= 0) continue;
        if (std::any_of(theData.monitorAssignments.begin(), theData.monitorAssignments.end(),
                        [&](const MonitorAssignments& m) { return m.number == number; }))
            continue;
        MonitorAssignments monitor;
        monitor.number = number;
        monitor.devicePath = std::wstring(entry.value);
        monitor.name = file.Get(kMonitorsSection, Numbered(L"Name ", number), L"");
        theData.monitorAssignments.push_back(std::move(monitor));
    }
    for (const std::wstring_view name : file.SectionNames()) {
        int modifier = -1;
        int number = 0;
        for (int m = 0; m < kActionSetCount && number == 0; ++m) {
            number = NumberAfter(name, FoldedCase(std::wstring(kActionSections[static_cast<std::size_t>(m)]) + L", monitor "));
            modifier = m;  // the loop ends at the modifier whose name matched
        }
        const std::wstring folded = FoldedCase(name);
        if (number == 0 && !(folded.starts_with(L"actions,") && folded.find(L", monitor ") != std::wstring::npos))
            continue;
        const auto monitor = std::find_if(theData.monitorAssignments.begin(), theData.monitorAssignments.end(),
                                          [&](const MonitorAssignments& m) { return number > 0 && m.number == number; });
        if (monitor == theData.monitorAssignments.end()) {
            // Kept as read, so that the user's lines come back at the next save.
            const std::wstring section(name);
            AppendHeader(theData.keptMonitorSections, section.c_str());
            for (const ProfileFile::KeyValue& entry : file.Keys(name))
                AppendKeyLine(theData.keptMonitorSections, entry.key, entry.value);
            if (number > 0) theData.keptMonitorNumbers.push_back(number);
            tell(L"", section);
            continue;
        }
        const auto m = static_cast<std::size_t>(modifier);
        for (int zone = 0; zone < kZoneCount; ++zone) {
            const auto z = static_cast<std::size_t>(zone);
            const std::optional<std::wstring_view> value = file.Find(name, ZoneName(EdgeZone(zone)));
            if (!value) continue;
            const std::wstring text(*value);
            const ActionIndex action = FindActionIndex(text);
            if (action == kNoActionIndex && text != ActionName(kNoActionIndex)) {
                monitor->unread[m][z] = text;
                tell(text, std::wstring(name));
            } else {
                monitor->actions[m][z] = action;
            }
        }
    }
    if (unreadable)
        theData.fileProblems.Report(
            FileProblem{false, FileError::None, theData.settingsPath, false, false, unreadable});
}

}  // namespace

AssignmentTable DefaultAssignments()
{
    AssignmentTable table{};
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const auto z = static_cast<std::size_t>(zone);
        for (std::size_t set = 0; set < table.size(); ++set)
            table[set][z] = FindActionIndex(set == Plain ? kDefaultPlainActions[z] : kDefaultOtherAction);
    }
    return table;
}

void AppendActionSections(std::wstring& out)
{
    for (int set = 0; set < kActionSetCount; ++set) {
        const auto m = static_cast<std::size_t>(set);
        // The wheel's and the click's only when they hold an action, so that
        // older files come back as they were.
        const auto& row = theData.assignments[m];
        if (TriggerOf(set) != Entering &&
            std::all_of(row.begin(), row.end(), [](ActionIndex a) { return a == kNoActionIndex; }))
            continue;
        AppendHeader(out, kActionSections[m]);
        for (int zone = 0; zone < kZoneCount; ++zone)
            AppendKeyLine(out, ZoneName(EdgeZone(zone)),
                          ActionName(theData.assignments[m][static_cast<std::size_t>(zone)]));
    }

    AppendMonitorSections(out);

    AppendHeader(out, kCustomActionsSection);
    int number = 0;
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        const CCustomAction& action = theCustomActions[slot];
        if (action.IsFree()) continue;
        ++number;
        AppendKeyLine(out, Numbered(L"Name ", number), action.name);
        AppendKeyLine(out, Numbered(L"Description ", number), action.description);
        AppendKeyLine(out, Numbered(L"ActionA ", number), action.beginningAction);
        AppendKeyLine(out, Numbered(L"ActionB ", number), action.endingAction);
        AppendCustomActionKeys(out, number, action);
        out += L"\r\n";
    }
}

void LoadActionSections(const ProfileFile& file)
{
    // Slot k takes the keys numbered k + 1, so a gap leaves a free slot.
    std::optional<UnreadableKeys> unreadableKeys;
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        CCustomAction& action = theCustomActions[slot];
        action.Clear();
        action.name = file.Get(kCustomActionsSection, Numbered(L"Name ", slot + 1), L"");
        if (action.name.empty()) continue;
        action.description = file.Get(kCustomActionsSection, Numbered(L"Description ", slot + 1), L"");
        action.beginningAction = file.Get(kCustomActionsSection, Numbered(L"ActionA ", slot + 1), L"");
        action.endingAction = file.Get(kCustomActionsSection, Numbered(L"ActionB ", slot + 1), L"");
        ReadCustomActionKeys(file, slot + 1, action, unreadableKeys);
    }
    if (unreadableKeys)
        theData.fileProblems.Report(
            FileProblem{false, FileError::None, theData.settingsPath, false, false, unreadableKeys});

    for (int zone = 0; zone < kZoneCount; ++zone) {
        const auto z = static_cast<std::size_t>(zone);
        for (int set = 0; set < kActionSetCount; ++set) {
            const wchar_t* fallback = set == Plain ? kDefaultPlainActions[z] : kDefaultOtherAction;
            theData.assignments[static_cast<std::size_t>(set)][z] = FindActionIndex(
                file.Get(kActionSections[static_cast<std::size_t>(set)], ZoneName(EdgeZone(zone)), fallback));
        }
    }
    LoadMonitorSections(file);
}

}  // namespace vorn
