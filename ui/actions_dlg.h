// The Actions page: the zones and their actions. (Windows only)
#pragma once

#include "res/resource.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

class CActionsDlg : public CStdDlg {
public:
    CActionsDlg() : CStdDlg(IDD_ACTIONS) {}
};

}  // namespace vorn::ui
