// The Settings page. (Windows only)
#pragma once

#include "res/resource.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

class CSettingsDlg : public CStdDlg {
public:
    CSettingsDlg() : CStdDlg(IDD_SETTINGS) {}
};

}  // namespace vorn::ui
