#include "ui/std_dlg.h"

#include "actions/util.h"

namespace vorn::ui {

BOOL CStdDlg::OnInitDialog()
{
    FitIntoParent();
    for (int index = 0; index < kLabelCount; ++index)
        if (const HWND label = Item(kFirstLabelId + index)) labels_[static_cast<std::size_t>(index)].Subclass(label);
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
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        // A control that colours itself prepares the device context first.
        HBRUSH brush = nullptr;
        if (CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam)))
            brush = control->ReflectedColour(reinterpret_cast<HDC>(wParam));
        // The page and everything on it on white, as the tab control draws its pane.
        if (theUtil.vistaOrLater) brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        if (!brush) return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    if (message == WM_COMMAND && lParam) {
        if (CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (control->ReflectedCommand(HIWORD(wParam))) {
                result = 0;
                return true;
            }
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
}

}  // namespace vorn::ui
