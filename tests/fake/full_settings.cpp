#include "tests/fake/full_settings.h"

#include <string>

#include "actions/catalogue.h"
#include "actions/custom_actions.h"
#include "settings/data.h"

namespace vorn::fake {
namespace {

// Two digits, so that every folder and command line has the same length.
std::wstring Padded(int number)
{
    std::wstring text = std::to_wstring(number);
    return text.size() < 2 ? L"0" + text : text;
}

}  // namespace

void FillFullSettings()
{
    CData& d = theData;
    d.ResetToDefaults();
    d.cornerSize = 7;
    d.currentPage = 3;
    d.repeatRate = 55;
    d.sideLength = 40;
    d.sideWidth = 4;
    d.fadeTransparency = true;
    d.desktopTransparency = 12;
    d.vornTransparency = 20;
    d.taskbarTransparency = 0;
    d.wallpaperDelay = 3600;
    d.wallpaperRandom = false;
    d.windowTransparency = 70;
    d.windowGrow = 5;
    d.windowShrink = 6;
    d.windowMove = 7;
    for (std::size_t group = 0; group < d.groupExpanded.size(); ++group)
        d.groupExpanded[group] = group % 2 == 0;
    d.wallpaperFolders.clear();
    for (int folder = 1; folder <= 50; ++folder)
        d.wallpaperFolders.push_back(L"C:\\Users\\Someone\\Pictures\\Wallpapers\\Collection " + Padded(folder));
    theCustomActions.Clear();
    for (int slot = 0; slot < CCustomActions::kUsableSlots; ++slot) {
        const std::wstring n = Padded(slot + 1);
        std::wstring command = L"\"C:\\Program Files\\Some Vendor\\Tool " + n + L"\\tool.exe\" --profile " + n + L" ";
        while (command.size() < 300)
            command += L"--option value ";
        command.resize(300);
        std::wstring ending = command;
        ending.replace(0, 1, L" ");
        theCustomActions[slot] =
            CCustomAction{L"Custom action " + n, L"What custom action " + n + L" does", command, ending};
    }
    for (int zone = 0; zone < kZoneCount; ++zone) {
        d.assignments[Shift][static_cast<std::size_t>(zone)] = kBuiltInActionCount + zone;
        d.assignments[Ctrl][static_cast<std::size_t>(zone)] = kBuiltInActionCount + 90 + zone;
    }
}

}  // namespace vorn::fake
