#include "actions/custom_actions.h"

#include <vector>

#include "buttons/buttons.h"
#include "settings/data.h"
#include "settings/settings_file.h"

namespace vorn {

CCustomActions theCustomActions;

void CCustomAction::Clear()
{
    name.clear();
    description.clear();
    beginningAction.clear();
    endingAction.clear();
    beginningKeys = {};
    endingKeys = {};
    holdKeys = false;
    unreadBeginningKeys.clear();
    unreadEndingKeys.clear();
}

const CCustomAction* CCustomActions::Slot(int slot) const
{
    if (slot < 0 || slot >= kSlotCount) return nullptr;
    return &slots_[static_cast<std::size_t>(slot)];
}

int CCustomActions::Count() const
{
    int count = 0;
    for (int slot = 0; slot < kUsableSlots; ++slot)
        if (!(*this)[slot].IsFree()) ++count;
    return count;
}

int CCustomActions::FirstFreeSlot() const
{
    for (int slot = 0; slot < kUsableSlots; ++slot)
        if ((*this)[slot].IsFree()) return slot;
    return -1;
}

int CCustomActions::FindSlot(const std::wstring& name) const
{
    for (int slot = 0; slot < kUsableSlots; ++slot)
        if (EqualsIgnoringCase((*this)[slot].name, name)) return slot;
    return -1;
}

void CCustomActions::Clear()
{
    for (auto& slot : slots_)
        slot.Clear();
}

std::array<int, CCustomActions::kSlotCount> CCustomActions::Compact()
{
    std::array<int, kSlotCount> moved{};
    int next = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if ((*this)[slot].IsFree()) {
            moved[static_cast<std::size_t>(slot)] = -1;
            continue;
        }
        moved[static_cast<std::size_t>(slot)] = next;
        if (next != slot) {
            (*this)[next] = std::move((*this)[slot]);
            (*this)[slot].Clear();
        }
        ++next;
    }
    return moved;
}

void CCustomActions::DeleteCustomAction(int slot)
{
    if (slot < 0 || slot >= kSlotCount) return;
    const std::wstring name = (*this)[slot].name;
    // Zones whose action bears the name, a built-in one of the same name
    // included, lose it.
    for (auto& row : theData.assignments)
        for (ActionIndex& action : row)
            if (theData.ActionName(action) == name) {
                action = kNoActionIndex;
                theData.SaveSettings();
            }
    (*this)[slot].Clear();
    const std::array<int, kSlotCount> moved = Compact();

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
    theButtons.RemapActions(remap);
    theData.SaveSettings();
}

CustomActionUse UsesOfCustomAction(int slot)
{
    CustomActionUse use;
    const CCustomAction* action = theCustomActions.Slot(slot);
    if (!action || action->IsFree()) return use;
    for (int zone = 0; zone < kZoneCount; ++zone)
        for (const auto& row : theData.assignments)
            if (theData.ActionName(row[static_cast<std::size_t>(zone)]) == action->name) {
                ++use.zones;
                break;
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

std::wstring CCustomActions::DuplicateCustomAction(const std::wstring& name)
{
    const int source = FindSlot(name);
    const int target = FirstFreeSlot();
    if (source < 0 || target < 0 || name.empty()) return {};

    // "Backup copy 2" is copied as "Backup copy N" rather than "Backup copy 2 copy 1".
    std::wstring base = name;
    for (int k = 0; k < 100; ++k) {
        const std::wstring suffix = L" copy " + DecimalText(k);
        for (std::size_t at = base.find(suffix); at != std::wstring::npos; at = base.find(suffix, at))
            base.erase(at, suffix.size());
    }
    std::wstring candidate = name;
    for (int copy = 1; FindSlot(candidate) >= 0; ++copy)
        candidate = base + L" copy " + DecimalText(copy);

    CCustomAction& added = (*this)[target];
    const CCustomAction& original = (*this)[source];
    added = original;
    added.name = candidate;
    theData.SaveSettings();
    return candidate;
}

wchar_t FoldCase(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

}  // namespace vorn
