#include "app/settings_store.h"

#include <algorithm>
#include <array>
#include <vector>

#include "actions/action_sections.h"
#include "actions/custom_actions.h"
#include "actions/util.h"
#include "buttons/buttons.h"
#include "settings/data.h"
#include "settings/profile.h"
#include "settings/settings_file.h"

namespace vorn {
namespace {

class CSettingsStore final : public ISettingsFileComposer {
public:
    std::wstring Format() const override { return FormatSettingsFile(); }
    bool IsComplete(std::string_view bytes) const override { return IsCompleteSettingsFile(bytes); }

    void Load(const ProfileFile& file) override
    {
        theData.LoadOwnSections(file);
        LoadActionSections(file);
        if (const HWND taskbar = theUtil.FindTaskbar())
            theUtil.SetWindowTransparency(taskbar, theData.taskbarTransparency);
        theButtons.LoadButtons(file);
        theData.ScanWallpaperFiles();
    }
};

CSettingsStore theStore;

}  // namespace

void InstallSettingsStore()
{
    theData.defaultAssignments = DefaultAssignments();
    theData.SetFileComposer(&theStore);
}

std::wstring FormatSettingsFile()
{
    std::wstring text = theData.FormatOwnSections();
    AppendActionSections(text);
    theButtons.AppendSections(text);
    return text;
}

bool IsCompleteSettingsFile(std::string_view bytes)
{
    static constexpr std::array<const wchar_t*, 6> kSections{{
        kSettingsSection,
        kWallpaperFoldersSection,
        kActionSections[0],
        kActionSections[1],
        kActionSections[2],
        kCustomActionsSection,
    }};
    return HoldsSectionsInOrder(bytes, kSections);
}

void DeleteCustomAction(int slot)
{
    constexpr int kSlotCount = CCustomActions::kSlotCount;
    if (slot < 0 || slot >= kSlotCount) return;
    const std::wstring name = theCustomActions[slot].name;
    // Zones whose action bears the name, a built-in one of the same name
    // included, lose it.
    const auto clear = [&](ActionIndex& action) {
        if (action != kSameAsAllMonitors && ActionName(action) == name) action = kNoActionIndex;
    };
    for (auto& row : theData.assignments)
        for (ActionIndex& action : row)
            clear(action);
    // A monitor's own assignment of the action stays its own: "No action".
    for (MonitorAssignments& monitor : theData.monitorAssignments)
        for (auto& row : monitor.actions)
            for (ActionIndex& action : row)
                clear(action);
    theCustomActions[slot].Clear();
    const std::array<int, kSlotCount> moved = theCustomActions.Compact();

    // Every assignment follows its action to the slot it moved to. With packed
    // slots that is one down for those above the deleted one; a hand-edited
    // file with gaps moves some further.
    std::vector<ActionIndex> newIndex(kSlotCount);
    for (int k = 0; k < kSlotCount; ++k) {
        const int to = moved[static_cast<std::size_t>(k)];
        newIndex[static_cast<std::size_t>(k)] = to < 0 ? kNoActionIndex : kBuiltInActionCount + to;
    }
    const auto remap = [&](ActionIndex& action) {
        if (action >= kBuiltInActionCount && action < kBuiltInActionCount + kSlotCount)
            action = newIndex[static_cast<std::size_t>(action - kBuiltInActionCount)];
    };
    for (auto& row : theData.assignments)
        for (ActionIndex& action : row)
            remap(action);
    for (MonitorAssignments& monitor : theData.monitorAssignments)
        for (auto& row : monitor.actions)
            for (ActionIndex& action : row)
                remap(action);
    theButtons.RemapActions(remap);
    theData.SaveSettings();
}

CustomActionUse UsesOfCustomAction(int slot)
{
    CustomActionUse use;
    const CCustomAction* action = theCustomActions.Slot(slot);
    if (!action || action->IsFree()) return use;
    // A zone counts once for the monitors that share its assignments and
    // once for each monitor whose own assignment of it names the action.
    const auto names = [&](ActionIndex index) { return index != kSameAsAllMonitors && ActionName(index) == action->name; };
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const auto z = static_cast<std::size_t>(zone);
        if (std::any_of(theData.assignments.begin(), theData.assignments.end(),
                        [&](const auto& row) { return names(row[z]); }))
            ++use.zones;
        for (const MonitorAssignments& monitor : theData.monitorAssignments)
            if (std::any_of(monitor.actions.begin(), monitor.actions.end(),
                            [&](const auto& row) { return names(row[z]); }))
                ++use.zones;
    }
    const ActionIndex index = kBuiltInActionCount + slot;
    for (const auto& button : theButtons.List())
        for (const ActionIndex used : button->actions)
            if (used == index) {
                ++use.buttons;
                break;
            }
    return use;
}

}  // namespace vorn
