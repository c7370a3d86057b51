// The built-in actions: one fixed, ordered table. An action's index is its
// position; indices from kBuiltInActionCount up name custom action slots.
#pragma once

#include <array>
#include <span>

#include "settings/action_index.h"

namespace vorn {

class CActionHost;

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
