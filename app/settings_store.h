// The whole Vorn.ini, composed here above the parts that write it (the
// settings, the actions, the buttons), and the operations that change
// several of them at once.
#pragma once

#include <string>
#include <string_view>

#include "actions/custom_actions.h"

namespace vorn {

// Gives theData this composer and the default assignments it cannot look up
// itself. Start-up calls it before the load; so does every test fixture.
void InstallSettingsStore();

// The whole settings file, as text with CR LF line ends, from theData, the
// custom actions and the buttons.
std::wstring FormatSettingsFile();

// Whether `bytes` are a whole settings file as a save writes it, not one a
// crash cut short: text in an encoding the load reads, holding every section
// a save always writes, in order, and ending where a save ends, after
// "[Custom actions]" or after the empty line that closes each custom action
// and each button section. A cut exactly after such an empty line cannot be
// told from a save with fewer actions or buttons.
bool IsCompleteSettingsFile(std::string_view bytes);

// Removes the custom action in `slot`, keeps every zone and button
// assignment on the action it named before (those on the removed one get
// "No action"), and saves the settings file.
void DeleteCustomAction(int slot);

// The zones and buttons that use the action in `slot`, counted as
// DeleteCustomAction clears them: zones by the action's name, buttons by its slot.
CustomActionUse UsesOfCustomAction(int slot);

}  // namespace vorn
