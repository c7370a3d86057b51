// The built-in actions: one fixed, ordered table. An action's index is its
// position; indices from kBuiltInActionCount up name custom action slots.
#pragma once

#include <array>
#include <span>

namespace vorn {

class CActionHost;

// 0 … 108: catalogue entries; 109 + k: custom action slot k.
using ActionIndex = int;

inline constexpr int kBuiltInActionCount = 109;
// "No action": the result of every failed lookup.
inline constexpr ActionIndex kNoActionIndex = 94;
// The entries from here on came after files could already hold custom
// actions of the same names: a name is looked up among them only after the
// custom actions, so those files keep their meaning.
inline constexpr ActionIndex kFirstLateAction = 95;

// A built-in action's behaviour. It learns its phase from host.ending and its
// subject from host.targetWindow; it reports nothing.
using ActionHandler = void (*)(CActionHost& host);

struct ActionDef {
    const wchar_t* name;
    const wchar_t* description;
    const wchar_t* group;
    bool repeatable;
    ActionHandler handler;
    // Repeats as a held key does, after the keyboard's repeat delay and at its
    // repeat speed, instead of at the Repeat rate: a step a user can follow.
    bool repeatsAsHeldKey = false;
};

using Catalogue = std::array<ActionDef, kBuiltInActionCount>;
extern const Catalogue theCatalogue;

}  // namespace vorn
