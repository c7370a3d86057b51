// The settings file with everything in it, for the benchmarks that time a
// load, a format or a save of the largest file a user is likely to have.
#pragma once

namespace vorn::fake {

// Resets theData and theCustomActions, then sets every setting away from its
// default, 50 wallpaper folders, 99 custom actions with 300-character command
// lines, and assignments that name some of them. Leaves settingsPath alone.
void FillFullSettings();

}  // namespace vorn::fake
