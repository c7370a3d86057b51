#include "actions/custom_actions.h"

#include "actions/catalogue.h"
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

ActionIndex FindActionIndex(const std::wstring& name)
{
    for (int index = 0; index < kFirstLateAction; ++index)
        if (name == theCatalogue[static_cast<std::size_t>(index)].name) return index;
    // Only the first Count slots are searched: a hand-edited file with gaps in
    // its numbering leaves actions beyond them unreachable by name.
    // A free slot has no name to match: an empty value names no action.
    const int count = theCustomActions.Count();
    for (int slot = 0; slot < count; ++slot)
        if (!theCustomActions[slot].IsFree() && name == theCustomActions[slot].name) return kBuiltInActionCount + slot;
    // A file from before these entries may name a custom action like one of
    // them: that custom action keeps running.
    for (int index = kFirstLateAction; index < kBuiltInActionCount; ++index)
        if (name == theCatalogue[static_cast<std::size_t>(index)].name) return index;
    return kNoActionIndex;
}

ActionIndex CustomShadowing(ActionIndex builtIn)
{
    if (builtIn < 0 || builtIn >= kBuiltInActionCount) return kNoActionIndex;
    const ActionIndex found = FindActionIndex(theCatalogue[static_cast<std::size_t>(builtIn)].name);
    return found >= kBuiltInActionCount ? found : kNoActionIndex;
}

ActionIndex BuiltInShadowedBy(ActionIndex custom)
{
    if (custom < kBuiltInActionCount) return kNoActionIndex;
    for (ActionIndex index = kFirstLateAction; index < kBuiltInActionCount; ++index)
        if (CustomShadowing(index) == custom) return index;
    return kNoActionIndex;
}

std::wstring ActionName(ActionIndex index)
{
    if (index >= 0 && index < kBuiltInActionCount) return theCatalogue[static_cast<std::size_t>(index)].name;
    const CCustomAction* slot = theCustomActions.Slot(index - kBuiltInActionCount);
    return slot ? slot->name : std::wstring();
}

std::wstring ActionDescription(ActionIndex index)
{
    if (index >= 0 && index < kBuiltInActionCount) return theCatalogue[static_cast<std::size_t>(index)].description;
    const CCustomAction* slot = theCustomActions.Slot(index - kBuiltInActionCount);
    return slot ? slot->description : std::wstring();
}

}  // namespace vorn
