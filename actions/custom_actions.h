// The user's own actions: a fixed store of 100 slots, of which the first 99
// can be filled. Slot k carries ActionIndex kBuiltInActionCount + k.
#pragma once

#include <array>
#include <string>

#include "actions/key_combination.h"

namespace vorn {

// Each phase either launches a command line or presses keys: a phase given
// as keys has an empty command line.
struct CCustomAction {
    std::wstring name;  // empty: the slot is free
    std::wstring description;
    std::wstring beginningAction;  // command line launched on entering
    std::wstring endingAction;     // command line launched on leaving
    KeyCombination beginningKeys{};  // pressed on entering instead
    KeyCombination endingKeys{};     // pressed on leaving instead
    // The beginning's modifiers stay down while the pointer stays in the zone
    // (or the floating button stays pressed). Only with beginning keys.
    bool holdKeys = false;
    // Keys the file holds for a phase that are no combination Vorn can read,
    // kept as written: a save gives them back for the user to mend, and the
    // phase presses nothing meanwhile. An action the editor stores has none,
    // so the user's change replaces them.
    std::wstring unreadBeginningKeys{};
    std::wstring unreadEndingKeys{};

    bool IsFree() const { return name.empty(); }
    bool PressesKeys() const { return !beginningKeys.Empty() || !endingKeys.Empty(); }
    void Clear();
};

class CCustomActions {
public:
    static constexpr int kSlotCount = 100;
    // Slot 99 is read and written with the others but never counted, searched
    // or offered as free.
    static constexpr int kUsableSlots = 99;

    CCustomAction& operator[](int slot) { return slots_[static_cast<std::size_t>(slot)]; }
    const CCustomAction& operator[](int slot) const { return slots_[static_cast<std::size_t>(slot)]; }
    // Slot by index; null for an index outside the store.
    const CCustomAction* Slot(int slot) const;

    // Number of named slots among the usable ones.
    int Count() const;
    // Lowest free usable slot, or -1 when all 99 are named.
    int FirstFreeSlot() const;
    // Lowest usable slot whose name equals `name` ignoring case, or -1. An empty
    // name finds the first free slot.
    int FindSlot(const std::wstring& name) const;
    // Empties every slot.
    void Clear();

    // Closes the gaps between named slots, keeping their order. Element k of
    // the result is the slot the action from slot k moved to (-1: free).
    std::array<int, kSlotCount> Compact();
    // Removes the action in `slot`, keeps every zone and button assignment on
    // the action it named before (those on the removed one get "No action"),
    // and saves the settings file.
    void DeleteCustomAction(int slot);
    // Copies the action named `name` under a fresh name ("... copy N") into
    // the first free slot and saves. The new name; empty when the store is
    // full or no action has that name.
    std::wstring DuplicateCustomAction(const std::wstring& name);

private:
    std::array<CCustomAction, kSlotCount> slots_{};
};

extern CCustomActions theCustomActions;

// What a deletion of a custom action would leave with "No action".
struct CustomActionUse {
    int zones = 0;    // zones with it under any modifier, each zone once
    int buttons = 0;  // floating buttons with it under any modifier
};
// The zones and buttons that use the action in `slot`, counted as
// DeleteCustomAction clears them: zones by the action's name, buttons by its slot.
CustomActionUse UsesOfCustomAction(int slot);

// The Windows runtime's _wcsicmp in its default locale folds A-Z only; doing
// the same on every platform keeps name lookups identical everywhere.
wchar_t FoldCase(wchar_t c);
bool EqualsIgnoringCase(const std::wstring& a, const std::wstring& b);

}  // namespace vorn
