#include "ui/quiet_programs_dlg.h"

#include <windowsx.h>

#include <algorithm>

#include "res/resource.h"
#include "settings/data.h"
#include "ui/controls.h"

namespace vorn::ui {

CQuietProgramDlg::CQuietProgramDlg() : WithMessageTable(IDD_QUIET_PROGRAM) {}

std::span<const MessageEntry<CQuietProgramDlg>> CQuietProgramDlg::MessageTable()
{
    static const MessageEntry<CQuietProgramDlg> table[] = {
        MapCommand<CQuietProgramDlg>(IDC_QUIET_SEARCH, &CQuietProgramDlg::OnSearch, EN_CHANGE),
        MapCommand<CQuietProgramDlg>(IDC_QUIET_ROWS, &CQuietProgramDlg::OnRowChosen, LBN_SELCHANGE),
        MapCommand<CQuietProgramDlg>(IDC_QUIET_ROWS, &CQuietProgramDlg::OnRowOpened, LBN_DBLCLK),
    };
    return table;
}

BOOL CQuietProgramDlg::OnInitDialog()
{
    rows_ = ProgramRows(VisibleProgramWindows(), GetCurrentProcessId());
    ShowRows();
    return TRUE;
}

void CQuietProgramDlg::ShowRows()
{
    const HWND list = Item(IDC_QUIET_ROWS);
    shown_ = FilterProgramRows(rows_, ControlText(Item(IDC_QUIET_SEARCH)));
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const HDC dc = GetDC(list);
    const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const ProgramRow& row : shown_) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
        SIZE size{};
        GetTextExtentPoint32W(dc, row.text.c_str(), static_cast<int>(row.text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, font);
    ReleaseDC(list, dc);
    // A long title scrolls sideways rather than hiding the end of the row.
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

LRESULT CQuietProgramDlg::OnSearch(WPARAM, LPARAM)
{
    ShowRows();
    return 0;
}

LRESULT CQuietProgramDlg::OnRowChosen(WPARAM, LPARAM)
{
    const LRESULT selected = SendMessageW(Item(IDC_QUIET_ROWS), LB_GETCURSEL, 0, 0);
    if (selected >= 0 && static_cast<std::size_t>(selected) < shown_.size())
        SetDlgItemTextW(handle_, IDC_QUIET_NAME, shown_[static_cast<std::size_t>(selected)].name.c_str());
    return 0;
}

LRESULT CQuietProgramDlg::OnRowOpened(WPARAM wParam, LPARAM lParam)
{
    OnRowChosen(wParam, lParam);
    OnOK();
    return 0;
}

void CQuietProgramDlg::OnOK()
{
    const std::wstring name = ControlText(Item(IDC_QUIET_NAME));
    const QuietAddResult result = AddQuietProgram(theData, name);
    if (result == QuietAddResult::Added) {
        added_ = theData.quietPrograms.back();
        EndDialog(IDOK);
        return;
    }
    const HWND problem = Item(IDC_QUIET_PROBLEM);
    SetWindowTextW(problem, QuietAddMessage(result, name).c_str());
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, problem, OBJID_CLIENT, CHILDID_SELF);
    MessageBeep(MB_ICONWARNING);
    const HWND box = Item(IDC_QUIET_NAME);
    SendMessageW(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
    SendMessageW(box, EM_SETSEL, 0, -1);
}

}  // namespace vorn::ui
