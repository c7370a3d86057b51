#include "ui/std_dlg.h"

#include <commctrl.h>

#include "actions/util.h"
#include "res/resource.h"
#include "ui/contrast.h"

namespace vorn::ui {

BOOL CStdDlg::OnInitDialog()
{
    // A sibling of the tab control, so that the dialog manager takes Tab,
    // the arrows and the access keys through the page.
    PlaceOnTabs(GetDlgItem(GetParent(handle_), IDC_MAIN_TABS));
    for (int index = 0; index < kLabelCount; ++index)
        if (const HWND label = Item(kFirstLabelId + index)) labels_[static_cast<std::size_t>(index)].Subclass(label);
    initialised = true;
    return TRUE;
}

RECT TabPageRect(HWND tabs, HWND parent)
{
    RECT area{};
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tabs, parent, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void CStdDlg::PlaceOnTabs(HWND tabs)
{
    if (!tabs || !handle_) return;
    const RECT area = TabPageRect(tabs, GetParent(handle_));
    MoveWindow(handle_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

// The system's pairs, as the dialog manager itself colours: edit boxes and
// lists in the window colours, everything else on the dialog's face. A
// control that colours itself (a link) then takes its own text colour.
HBRUSH CStdDlg::HighContrastColours(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto dc = reinterpret_cast<HDC>(wParam);
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const ColourChoice back = ChooseColour(field ? ColourRole::Field : ColourRole::Page, true);
    const ColourChoice text = ChooseColour(field ? ColourRole::FieldText : ColourRole::PageText, true);
    SetTextColor(dc, GetSysColor(text.systemIndex));
    SetBkColor(dc, GetSysColor(back.systemIndex));
    if (CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam))) control->ReflectedColour(dc);
    return GetSysColorBrush(back.systemIndex);
}

bool CStdDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        if (HighContrastOn()) {
            result = reinterpret_cast<LRESULT>(HighContrastColours(message, wParam, lParam));
            return true;
        }
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
