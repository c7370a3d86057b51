// Reading and writing Vorn.ini.
#include "settings/data.h"

namespace vorn {

void CData::LoadSettings()
{
    ResetToDefaults();
    ComputeSideBands();
    ScanWallpaperFiles();
}

void CData::SaveSettings() {}

}  // namespace vorn
