// The Custom page: the user's own actions. (Windows only)
#pragma once

#include "res/resource.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

class CCustomDlg : public CStdDlg {
public:
    CCustomDlg() : CStdDlg(IDD_CUSTOM) {}
};

}  // namespace vorn::ui
