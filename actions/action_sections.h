// The settings file's sections that name actions: each zone's action under
// each modifier, by name, and the custom actions themselves. The whole file
// puts them after the settings' own sections.
#pragma once

#include <array>
#include <string>

#include "settings/data.h"

namespace vorn {

class ProfileFile;

// By action set: entering, then the wheel's two ways and the click.
inline constexpr std::array<const wchar_t*, kActionSetCount> kActionSections{{
    L"Actions, Plain",
    L"Actions, Shift",
    L"Actions, Ctrl",
    L"Actions, Wheel up",
    L"Actions, Wheel up, Shift",
    L"Actions, Wheel up, Ctrl",
    L"Actions, Wheel down",
    L"Actions, Wheel down, Shift",
    L"Actions, Wheel down, Ctrl",
    L"Actions, Click",
    L"Actions, Click, Shift",
    L"Actions, Click, Ctrl",
}};
inline constexpr const wchar_t* kCustomActionsSection = L"Custom actions";
// The monitors with assignments of their own, by device path; their sections
// are the action sections' names followed by ", Monitor N".
inline constexpr const wchar_t* kMonitorsSection = L"Monitors";

// The assignments a missing file gives: the default names, looked up.
AssignmentTable DefaultAssignments();

// The three entering sections, the wheel's and the click's that are not
// empty, the monitors' own, then the custom actions, each after an empty line.
void AppendActionSections(std::wstring& out);

// The custom actions first, so that the assignments can name them; keys that
// cannot be read are told to theData.fileProblems.
void LoadActionSections(const ProfileFile& file);

}  // namespace vorn
