#include "actions/wallpaper_timer.h"

#include <algorithm>
#include <cstdint>

#include "actions/util.h"
#include "platform/port.h"
#include "settings/data.h"

namespace vorn {

void CWallpaperTimer::UseOwnTimer(bool own)
{
    if (own) {
        own_ = true;
        Arm();
        return;
    }
    if (own_) os::Timers().KillTimer(host_.MainWindow(), kWallpaperTimerId);
    own_ = false;
}

void CWallpaperTimer::Arm()
{
    if (theData.wallpaperDelay <= 0) {
        os::Timers().KillTimer(host_.MainWindow(), kWallpaperTimerId);
        return;
    }
    // The check changes it once the time is strictly past the delay.
    const std::int64_t due = host_.wallpaperChangedAt + theData.wallpaperDelay + 1;
    const std::int64_t seconds = std::max<std::int64_t>(due - os::Clock().Time64(), 0);
    os::Timers().SetTimer(host_.MainWindow(), kWallpaperTimerId,
                          static_cast<UINT>(std::max<std::int64_t>(seconds * 1000, 1)));
}

void CWallpaperTimer::Tick(UINT_PTR timerId)
{
    if (!own_) {
        Check();
    } else if (timerId == kWallpaperTimerId) {
        Check();
        Arm();
    }
}

void CWallpaperTimer::SettingsChanged()
{
    if (own_) Arm();
}

void CWallpaperTimer::Check()
{
    if (theData.wallpaperDelay <= 0) return;
    const std::int64_t now = os::Clock().Time64();
    if (now > host_.wallpaperChangedAt + static_cast<std::int64_t>(theData.wallpaperDelay))
        host_.ChangeWallpaper(theData.wallpaperRandom);
}

void CWallpaperTimer::Change(bool random)
{
    const std::wstring path = theData.NextWallpaper(random);
    if (!path.empty()) SetDesktopWallpaper(path);
    host_.wallpaperChangedAt = os::Clock().Time64();
    if (own_) Arm();
}

}  // namespace vorn
