#include "settings/data.h"

#include <algorithm>
#include <cmath>

#include "actions/custom_actions.h"
#include "actions/util.h"
#include "engine/side_bands.h"
#include "platform/file_io.h"
#include "platform/port.h"
#include "settings/number.h"
#include "settings/setting_table.h"

namespace vorn {

CData theData;

namespace {

constexpr std::array<const wchar_t*, kZoneCount> kZoneNames{{
    L"Upper left corner",
    L"Upper right corner",
    L"Lower left corner",
    L"Lower right corner",
    L"Left side",
    L"Top side",
    L"Right side",
    L"Bottom side",
}};

#if defined(_WIN32)
constexpr wchar_t kPathSeparator = L'\\';
#else
constexpr wchar_t kPathSeparator = L'/';
#endif

bool HasWallpaperExtension(const std::wstring& path)
{
    if (path.size() < 4) return false;
    std::wstring extension = path.substr(path.size() - 4);
    for (auto& c : extension)
        c = FoldCase(c);
    return extension == L".bmp" || extension == L".jpg";
}

}  // namespace

std::wstring WorkingFolderSettingsPath()
{
    std::wstring folder = CurrentFolder();
    if (!folder.empty() && folder.back() != kPathSeparator) folder += kPathSeparator;
    return folder + L"Vorn.ini";
}

const wchar_t* ZoneName(EdgeZone zone)
{
    if (zone < 0 || zone >= kZoneCount) return L"";
    return kZoneNames[static_cast<std::size_t>(zone)];
}

ModifierKey CurrentModifier()
{
    // The high bit of the key state is set while the key is down.
    if (os::Input().GetKeyState(VK_SHIFT) < 0) return Shift;
    if (os::Input().GetKeyState(VK_CONTROL) < 0) return Ctrl;
    return Plain;
}

CData::CData() : settingsPath(WorkingFolderSettingsPath()) { ResetToDefaults(); }

void CData::ResetToDefaults()
{
    for (const SettingDef& def : kSettingDefs) {
        if (def.number) this->*def.number = ParseSettingNumber(def.missingValue);
        if (def.flag) this->*def.flag = ParseFlag(def.missingValue);
    }
    groupExpanded.fill(ParseFlag(kGroupExpandedMissingValue));
    for (int zone = 0; zone < kZoneCount; ++zone) {
        assignments[Plain][static_cast<std::size_t>(zone)] =
            FindActionIndex(kDefaultPlainActions[static_cast<std::size_t>(zone)]);
        assignments[Shift][static_cast<std::size_t>(zone)] = FindActionIndex(kDefaultOtherAction);
        assignments[Ctrl][static_cast<std::size_t>(zone)] = FindActionIndex(kDefaultOtherAction);
    }
    wallpaperFolders.clear();
    wallpaperFiles.clear();
    settingsEncoding = TextEncoding::Ansi;
}

ActionIndex CData::FindActionIndex(const std::wstring& name) const
{
    for (int index = 0; index < kFirstLateAction; ++index)
        if (name == theCatalogue[static_cast<std::size_t>(index)].name) return index;
    // Only the first Count slots are searched: a hand-edited file with gaps in
    // its numbering leaves actions beyond them unreachable by name.
    // A free slot has no name to match: an empty value names no action.
    const int count = theCustomActions.Count();
    for (int slot = 0; slot < count; ++slot)
        if (!theCustomActions[slot].IsFree() && name == theCustomActions[slot].name) return kBuiltInActionCount + slot;
    // A file from before these entries may name a custom action like one of
    // them: that custom action keeps running.
    for (int index = kFirstLateAction; index < kBuiltInActionCount; ++index)
        if (name == theCatalogue[static_cast<std::size_t>(index)].name) return index;
    return kNoActionIndex;
}

ActionIndex CData::CustomShadowing(ActionIndex builtIn) const
{
    if (builtIn < 0 || builtIn >= kBuiltInActionCount) return kNoActionIndex;
    const ActionIndex found = FindActionIndex(theCatalogue[static_cast<std::size_t>(builtIn)].name);
    return found >= kBuiltInActionCount ? found : kNoActionIndex;
}

ActionIndex CData::BuiltInShadowedBy(ActionIndex custom) const
{
    if (custom < kBuiltInActionCount) return kNoActionIndex;
    for (ActionIndex index = kFirstLateAction; index < kBuiltInActionCount; ++index)
        if (CustomShadowing(index) == custom) return index;
    return kNoActionIndex;
}

std::wstring CData::ActionName(ActionIndex index) const
{
    if (index >= 0 && index < kBuiltInActionCount) return theCatalogue[static_cast<std::size_t>(index)].name;
    const CCustomAction* slot = theCustomActions.Slot(index - kBuiltInActionCount);
    return slot ? slot->name : std::wstring();
}

std::wstring CData::ActionDescription(ActionIndex index) const
{
    if (index >= 0 && index < kBuiltInActionCount) return theCatalogue[static_cast<std::size_t>(index)].description;
    const CCustomAction* slot = theCustomActions.Slot(index - kBuiltInActionCount);
    return slot ? slot->description : std::wstring();
}

void CData::ComputeSideBands()
{
    const int cx = os::Windows().GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int cy = os::Windows().GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const SideBands bands = SideBandsOf(cx, cy, sideLength);
    sideXLow = bands.xLow;
    sideXHigh = bands.xHigh;
    sideYLow = bands.yLow;
    sideYHigh = bands.yHigh;
}

void CData::ScanWallpaperFiles()
{
    wallpaperFiles.clear();
    std::vector<std::wstring> names;
    for (std::wstring folder : wallpaperFolders) {
        if (folder.empty() || folder.back() != L'\\') folder += L'\\';
        names.clear();
        if (!os::Files().FindFiles(folder + L"*.*", names)) continue;
        for (const std::wstring& name : names) {
            std::wstring path = folder + name;
            if (HasWallpaperExtension(path)) wallpaperFiles.push_back(std::move(path));
        }
    }
}

void CData::AddWallpaperFolder(const std::wstring& folder)
{
    wallpaperFolders.push_back(folder);
    SaveSettings();
    ScanWallpaperFiles();
}

void CData::RemoveWallpaperFolder(const std::wstring& folder)
{
    const auto found = std::find(wallpaperFolders.begin(), wallpaperFolders.end(), folder);
    if (found != wallpaperFolders.end()) wallpaperFolders.erase(found);
    SaveSettings();
    ScanWallpaperFiles();
}

std::wstring CData::NextWallpaper(bool random) const
{
    const std::wstring current = DesktopWallpaper();
    const std::size_t n = wallpaperFiles.size();
    if (n == 0) return {};
    if (n == 1) return wallpaperFiles[0] == current ? std::wstring() : wallpaperFiles[0];

    if (random) {
        const auto draw = [](std::size_t range) {
            const int r = os::Clock().rand();
            return static_cast<std::size_t>(r < 0 ? -(r + 1) : r) % range;
        };
        const std::size_t k = draw(n);
        if (wallpaperFiles[k] != current) return wallpaperFiles[k];
        // The draw hit the file showing now. Drawing again until another file
        // comes up would never end when every listed file is the current one
        // (one folder listed twice), so pick uniformly among the others.
        const auto others = static_cast<std::size_t>(
            std::count_if(wallpaperFiles.begin(), wallpaperFiles.end(), [&](const auto& f) { return f != current; }));
        if (others == 0) return {};
        std::size_t pick = draw(others);
        for (const std::wstring& file : wallpaperFiles) {
            if (file == current) continue;
            if (pick-- == 0) return file;
        }
        return {};
    }

    const auto found = std::find(wallpaperFiles.begin(), wallpaperFiles.end(), current);
    if (found == wallpaperFiles.end() || found + 1 == wallpaperFiles.end()) return wallpaperFiles.front();
    return *(found + 1);
}

}  // namespace vorn
