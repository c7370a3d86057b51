#include "ui/custom_dlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include "actions/custom_actions.h"
#include "settings/data.h"
#include "ui/settings_page_model.h"

namespace vorn::ui {
namespace {

constexpr int kFieldIds[] = {IDC_NAME, IDC_DESCRIPTION, IDC_BEGINNING_ACTION, IDC_ENDING_ACTION};

}  // namespace

// --- the editor --------------------------------------------------------------------------------

BOOL CCustomActionDlg::OnInitDialog()
{
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        const CCustomAction& action = theCustomActions[slot];
        if (action.name != editedName_) continue;
        const std::wstring* texts[] = {&action.name, &action.description, &action.beginningAction,
                                       &action.endingAction};
        for (std::size_t i = 0; i < 4; ++i)
            SetDlgItemTextW(handle_, kFieldIds[i], texts[i]->c_str());
        break;
    }
    return TRUE;
}

void CCustomActionDlg::OnOK()
{
    CCustomAction fields{ControlText(Item(IDC_NAME)), ControlText(Item(IDC_DESCRIPTION)),
                         ControlText(Item(IDC_BEGINNING_ACTION)), ControlText(Item(IDC_ENDING_ACTION))};
    const CustomEditError error = SaveCustomActionEdit(editedName_, fields);
    if (error == CustomEditError::None) {
        enteredName_ = fields.name;
        EndDialog(IDOK);
        return;
    }
    ShowError(CustomEditMessage(error));
    const HWND field = Item(error == CustomEditError::ActionRequired ? IDC_BEGINNING_ACTION : IDC_NAME);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, EM_SCROLLCARET, 0, 0);
}

void CCustomActionDlg::ShowError(const wchar_t* text)
{
    MessageBoxW(handle_, text, L"Custom action", MB_OK | MB_ICONSTOP);
}

// --- the page ----------------------------------------------------------------------------------

std::span<const MessageEntry<CCustomDlg>> CCustomDlg::MessageTable()
{
    static const MessageEntry<CCustomDlg> table[] = {
        MapCommand<CCustomDlg>(IDC_ADD, &CCustomDlg::OnAdd),
        MapCommand<CCustomDlg>(IDC_EDIT, &CCustomDlg::OnEdit),
        MapCommand<CCustomDlg>(IDC_COPY, &CCustomDlg::OnCopy),
        MapCommand<CCustomDlg>(IDC_DELETE, &CCustomDlg::OnDelete),
        MapCommand<CCustomDlg>(IDC_LIST, &CCustomDlg::OnSelectionChanged, LBN_SELCHANGE),
        MapCommand<CCustomDlg>(IDC_LIST, &CCustomDlg::OnEdit, LBN_DBLCLK),
    };
    return table;
}

BOOL CCustomDlg::OnInitDialog()
{
    CStdDlg::OnInitDialog();
    list_ = Item(IDC_LIST);
    FillList();
    const ControlTip tools[] = {
        {list_, L"Your custom actions"},
        {Item(IDC_ADD), L"Create a new custom action"},
        {Item(IDC_COPY), L"Make a copy of the selected action"},
        {Item(IDC_EDIT), L"Make changes to the selected action"},
        {Item(IDC_DELETE), L"Permanently remove the selected action"},
    };
    toolTip_.Reset(CreatePageToolTip(handle_, tools));
    return TRUE;
}

void CCustomDlg::FillList()
{
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        const CCustomAction& action = theCustomActions[slot];
        if (action.IsFree()) continue;
        const LRESULT line = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(action.name.c_str()));
        SendMessageW(list_, LB_SETITEMDATA, static_cast<WPARAM>(line), slot);
    }
    const bool any = SendMessageW(list_, LB_GETCOUNT, 0, 0) > 0;
    if (any) SendMessageW(list_, LB_SETCURSEL, 0, 0);
    for (int id : {IDC_COPY, IDC_EDIT, IDC_DELETE})
        EnableWindow(Item(id), any);
    RefreshDescription();
}

void CCustomDlg::SelectByName(const std::wstring& name)
{
    // The list's own search: the first line starting with the name, any case.
    const LRESULT line =
        SendMessageW(list_, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    RefreshDescription();
}

void CCustomDlg::RefreshDescription()
{
    const HWND description = Label(0).Handle();
    const LRESULT line = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (SendMessageW(list_, LB_GETCOUNT, 0, 0) <= 0 || line < 0) {
        SetWindowTextW(description, L"");
        return;
    }
    const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    selectedName_ = text;
    const auto slot = static_cast<int>(SendMessageW(list_, LB_GETITEMDATA, static_cast<WPARAM>(line), 0));
    const CCustomAction* action = theCustomActions.Slot(slot);
    // A custom action from an older file may carry a built-in's name; the
    // lists then offer only this one, and the line says so in place of the
    // description, which the line's tip still shows.
    const ActionIndex hidden = theData.BuiltInShadowedBy(kBuiltInActionCount + slot);
    if (action && hidden != kNoActionIndex) {
        const std::wstring note = L"Hides the built-in action \"" + theData.ActionName(hidden) +
                                  L"\" from the action lists; rename it to get that one.";
        SetWindowTextW(description, note.c_str());
        return;
    }
    SetWindowTextW(description, action ? action->description.c_str() : L"");
}

void CCustomDlg::Edit(const std::wstring& name)
{
    CCustomActionDlg editor(name);
    if (editor.DoModal(handle_) != IDOK) return;
    FillList();
    SelectByName(editor.EnteredName());
    theData.SaveSettings();
}

LRESULT CCustomDlg::OnAdd(WPARAM, LPARAM)
{
    Edit(L"");
    return 0;
}

LRESULT CCustomDlg::OnEdit(WPARAM, LPARAM)
{
    if (SendMessageW(list_, LB_GETCURSEL, 0, 0) >= 0) Edit(selectedName_);
    return 0;
}

LRESULT CCustomDlg::OnCopy(WPARAM, LPARAM)
{
    const std::wstring copy = theCustomActions.DuplicateCustomAction(selectedName_);
    if (copy.empty()) return 0;
    FillList();
    SelectByName(copy);
    theData.SaveSettings();
    return 0;
}

LRESULT CCustomDlg::OnDelete(WPARAM, LPARAM)
{
    const LRESULT line = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (line < 0) return 0;
    const auto slot = static_cast<int>(SendMessageW(list_, LB_GETITEMDATA, static_cast<WPARAM>(line), 0));
    theCustomActions.DeleteCustomAction(slot);
    FillList();
    return 0;
}

LRESULT CCustomDlg::OnSelectionChanged(WPARAM, LPARAM)
{
    RefreshDescription();
    return 0;
}

// A line's tip is its action's description.
bool CCustomDlg::PreTranslateMessage(MSG& message)
{
    const HWND tip = toolTip_.Get();
    if (!tip || message.message != WM_MOUSEMOVE) return false;
    if (message.hwnd == list_) {
        const POINT p{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        for (LRESULT line = SendMessageW(list_, LB_GETCOUNT, 0, 0) - 1; line >= 0; --line) {
            RECT item{};
            SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
            if (!PtInRect(&item, p)) continue;
            if (p.x == lastTipPoint_.x && p.y == lastTipPoint_.y) return false;
            lastTipPoint_ = p;
            const auto slot = static_cast<int>(SendMessageW(list_, LB_GETITEMDATA, static_cast<WPARAM>(line), 0));
            const CCustomAction* action = theCustomActions.Slot(slot);
            std::wstring text = action ? action->description : L"";
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.uFlags = TTF_IDISHWND;
            info.hwnd = handle_;
            info.uId = reinterpret_cast<UINT_PTR>(list_);
            info.lpszText = text.data();
            SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
            break;
        }
    }
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    return false;
}

void CCustomDlg::OnFinalDestroy()
{
    (void)toolTip_.Release();
    CStdDlg::OnFinalDestroy();
}

}  // namespace vorn::ui
