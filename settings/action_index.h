// How the settings name an action: by its place among the built-in actions,
// or past them by a custom action's slot. The actions themselves, and the
// names they are stored by, are the catalogue's and the custom actions'.
#pragma once

namespace vorn {

// 0 … 108: catalogue entries; 109 + k: custom action slot k.
using ActionIndex = int;

inline constexpr int kBuiltInActionCount = 109;
// "No action": the result of every failed lookup.
inline constexpr ActionIndex kNoActionIndex = 94;
// The entries from here on came after files could already hold custom
// actions of the same names: a name is looked up among them only after the
// custom actions, so those files keep their meaning.
inline constexpr ActionIndex kFirstLateAction = 95;

}  // namespace vorn
