#include "actions/custom_actions.h"

namespace vorn {

CCustomActions theCustomActions;

void CCustomAction::Clear()
{
    name.clear();
    description.clear();
    beginningAction.clear();
    endingAction.clear();
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

wchar_t FoldCase(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

}  // namespace vorn
