// The user's own actions: a fixed store of 100 slots, of which the first 99
// can be filled. Slot k carries ActionIndex kBuiltInActionCount + k.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "actions/key_combination.h"
#include "settings/action_index.h"
#include "settings/text_encoding.h"

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
    // Copies the action named `name` under a fresh name ("... copy N") into
    // the first free slot and saves. The new name; empty when the store is
    // full or no action has that name.
    std::wstring DuplicateCustomAction(const std::wstring& name);

private:
    // On the heap: a static array of records with strings would be stored,
    // initialised, in the program file.
    std::vector<CCustomAction> slots_ = std::vector<CCustomAction>(kSlotCount);
};

extern CCustomActions theCustomActions;

// What a deletion of a custom action would leave with "No action" (counted
// where the whole settings are, above the buttons).
struct CustomActionUse {
    int zones = 0;    // zones with it under any modifier, each zone once
    int buttons = 0;  // floating buttons with it under any modifier
};

// Exact, case-sensitive lookup: the catalogue first, then custom slots
// 0 … Count-1; kNoActionIndex when nothing matches.
ActionIndex FindActionIndex(const std::wstring& name);
// The custom action whose name a built-in action's name resolves to (one
// from a file older than the built-in), so that the built-in cannot be
// stored by its name; kNoActionIndex when the built-in can.
ActionIndex CustomShadowing(ActionIndex builtIn);
// The reverse: the built-in action a custom one keeps from being stored.
ActionIndex BuiltInShadowedBy(ActionIndex custom);
// Name and description of a catalogue entry or custom slot; empty for an
// index that names neither.
std::wstring ActionName(ActionIndex index);
std::wstring ActionDescription(ActionIndex index);

}  // namespace vorn
