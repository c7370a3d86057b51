#include "ui/std_dlg.h"

#include "actions/util.h"

namespace vorn::ui {

BOOL CStdDlg::OnInitDialog()
{
    FitIntoParent();
    initialised = true;
    return TRUE;
}

void CStdDlg::FitIntoParent()
{
    const HWND parent = GetParent(handle_);
    if (!parent) return;
    RECT area{};
    GetWindowRect(parent, &area);
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&area), 2);
    area.top += 25;  // below the tab headings
    InflateRect(&area, -3, -2);
    MoveWindow(handle_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

bool CStdDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC && theUtil.vistaOrLater) {
        // The page and everything on it on white, as the tab control draws its pane.
        result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        return true;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

}  // namespace vorn::ui
