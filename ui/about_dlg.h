// The About page. (Windows only)
#pragma once

#include "res/resource.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

class CAboutDlg : public CStdDlg {
public:
    CAboutDlg() : CStdDlg(IDD_ABOUT) {}
};

}  // namespace vorn::ui
