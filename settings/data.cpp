#include "settings/data.h"

#include <algorithm>
#include <cmath>

#include "settings/side_bands.h"
#include "platform/file_io.h"
#include "platform/port.h"
#include "settings/number.h"
#include "settings/setting_table.h"
#include "settings/text_encoding.h"

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

std::wstring DesktopWallpaper()
{
    // 260 characters, plus one so that the text always ends inside the buffer.
    wchar_t path[261] = {};
    if (!os::Shell().SystemParametersInfoW(SPI_GETDESKWALLPAPER, 260, path, 0)) return {};
    return path;
}

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
    assignments = defaultAssignments;
    monitorAssignments.clear();
    keptMonitorNumbers.clear();
    keptMonitorSections.clear();
    zoneDwell.fill(kDwellAsSetting);
    for (auto& text : unreadZoneDwell)
        text.clear();
    wallpaperFolders.clear();
    wallpaperFiles.clear();
    quietPrograms.clear();
    switchKeys.clear();
    settingsEncoding = TextEncoding::Ansi;
}

std::wstring_view ProgramFileName(std::wstring_view path)
{
    const std::size_t slash = path.find_last_of(L"\\/:");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

bool QuietProgramNameUsable(std::wstring_view name)
{
    return !name.empty() && name.find_first_of(L"\\/:") == std::wstring_view::npos;
}

bool CData::IsQuietProgram(std::wstring_view program) const
{
    const std::wstring_view name = ProgramFileName(program);
    if (name.empty()) return false;
    return std::any_of(quietPrograms.begin(), quietPrograms.end(),
                       [&](const std::wstring& quiet) { return EqualsIgnoringCase(quiet, name); });
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
