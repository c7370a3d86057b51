// The Buttons page: the floating buttons and their layout. (Windows only)
#pragma once

#include "res/resource.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

class CButtonsDlg : public CStdDlg {
public:
    CButtonsDlg() : CStdDlg(IDD_BUTTONS) {}
};

}  // namespace vorn::ui
