#include "actions/action_sections.h"

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

}  // namespace

AssignmentTable DefaultAssignments()
{
    AssignmentTable table{};
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const auto z = static_cast<std::size_t>(zone);
        table[Plain][z] = FindActionIndex(kDefaultPlainActions[z]);
        table[Shift][z] = FindActionIndex(kDefaultOtherAction);
        table[Ctrl][z] = FindActionIndex(kDefaultOtherAction);
    }
    return table;
}

void AppendActionSections(std::wstring& out)
{
    for (int modifier = 0; modifier < kModifierCount; ++modifier) {
        const auto m = static_cast<std::size_t>(modifier);
        AppendHeader(out, kActionSections[m]);
        for (int zone = 0; zone < kZoneCount; ++zone)
            AppendKeyLine(out, ZoneName(EdgeZone(zone)),
                          ActionName(theData.assignments[m][static_cast<std::size_t>(zone)]));
    }

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
        for (int modifier = 0; modifier < kModifierCount; ++modifier) {
            const wchar_t* fallback = modifier == Plain ? kDefaultPlainActions[z] : kDefaultOtherAction;
            theData.assignments[static_cast<std::size_t>(modifier)][z] = FindActionIndex(
                file.Get(kActionSections[static_cast<std::size_t>(modifier)], ZoneName(EdgeZone(zone)), fallback));
        }
    }
}

}  // namespace vorn
