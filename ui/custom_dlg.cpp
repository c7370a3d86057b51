#include "ui/custom_dlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include "actions/custom_actions.h"
#include "app/settings_store.h"
#include "settings/data.h"
#include "ui/settings_page_model.h"

namespace vorn::ui {
namespace {

constexpr int kFieldIds[] = {IDC_NAME, IDC_DESCRIPTION, IDC_BEGINNING_ACTION, IDC_ENDING_ACTION};

}  // namespace

// --- the editor --------------------------------------------------------------------------------

const CCustomActionDlg::Phase CCustomActionDlg::kBeginning{IDC_BEGINNING_KIND,   IDC_BEGINNING_ACTION_LABEL,
                                                           IDC_BEGINNING_ACTION, IDC_BEGINNING_KEYS_LABEL,
                                                           IDC_BEGINNING_KEYS,   IDC_BEGINNING_CLEAR};
const CCustomActionDlg::Phase CCustomActionDlg::kEnding{IDC_ENDING_KIND,   IDC_ENDING_ACTION_LABEL,
                                                        IDC_ENDING_ACTION, IDC_ENDING_KEYS_LABEL,
                                                        IDC_ENDING_KEYS,   IDC_ENDING_CLEAR};

std::span<const MessageEntry<CCustomActionDlg>> CCustomActionDlg::MessageTable()
{
    static const MessageEntry<CCustomActionDlg> table[] = {
        MapCommand<CCustomActionDlg>(IDC_BEGINNING_KIND, &CCustomActionDlg::OnKindChanged, CBN_SELCHANGE),
        MapCommand<CCustomActionDlg>(IDC_ENDING_KIND, &CCustomActionDlg::OnKindChanged, CBN_SELCHANGE),
        MapCommand<CCustomActionDlg>(IDC_BEGINNING_CLEAR, &CCustomActionDlg::OnClear, BN_CLICKED),
        MapCommand<CCustomActionDlg>(IDC_ENDING_CLEAR, &CCustomActionDlg::OnClear, BN_CLICKED),
    };
    return table;
}

BOOL CCustomActionDlg::OnInitDialog()
{
    beginningKeys_.Attach(Item(IDC_BEGINNING_KEYS));
    endingKeys_.Attach(Item(IDC_ENDING_KEYS));
    for (const Phase* phase : {&kBeginning, &kEnding})
        for (const wchar_t* kind : {L"Command line", L"Keys"})
            SendMessageW(Item(phase->kind), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    CCustomAction shown;
    for (int slot = 0; slot < CCustomActions::kSlotCount; ++slot) {
        if (theCustomActions[slot].name != editedName_) continue;
        shown = theCustomActions[slot];
        const std::wstring* texts[] = {&shown.name, &shown.description, &shown.beginningAction, &shown.endingAction};
        for (std::size_t i = 0; i < 4; ++i)
            SetDlgItemTextW(handle_, kFieldIds[i], texts[i]->c_str());
        break;
    }
    beginningKeys_.SetKeys(shown.beginningKeys);
    endingKeys_.SetKeys(shown.endingKeys);
    SendMessageW(Item(kBeginning.kind), CB_SETCURSEL, shown.beginningKeys.Empty() ? CommandLine : Keys, 0);
    SendMessageW(Item(kEnding.kind), CB_SETCURSEL, shown.endingKeys.Empty() ? CommandLine : Keys, 0);
    CheckDlgButton(handle_, IDC_HOLD_KEYS, shown.holdKeys ? BST_CHECKED : BST_UNCHECKED);
    ShowKind(kBeginning);
    ShowKind(kEnding);
    return TRUE;
}

CCustomActionDlg::Kind CCustomActionDlg::KindOf(const Phase& phase) const
{
    return SendMessageW(Item(phase.kind), CB_GETCURSEL, 0, 0) == Keys ? Keys : CommandLine;
}

void CCustomActionDlg::ShowKind(const Phase& phase)
{
    const bool keys = KindOf(phase) == Keys;
    for (const int id : {phase.label, phase.commandLine})
        ShowWindow(Item(id), keys ? SW_HIDE : SW_SHOW);
    for (const int id : {phase.keysLabel, phase.keys, phase.clear})
        ShowWindow(Item(id), keys ? SW_SHOW : SW_HIDE);
    // Only the beginning's keys can be held.
    if (&phase == &kBeginning) EnableWindow(Item(IDC_HOLD_KEYS), keys);
}

HWND CCustomActionDlg::Field(const Phase& phase) const
{
    return Item(KindOf(phase) == Keys ? phase.keys : phase.commandLine);
}

LRESULT CCustomActionDlg::OnKindChanged(WPARAM wParam, LPARAM)
{
    ShowKind(LOWORD(wParam) == IDC_BEGINNING_KIND ? kBeginning : kEnding);
    return 0;
}

LRESULT CCustomActionDlg::OnClear(WPARAM wParam, LPARAM)
{
    CKeyBox& box = LOWORD(wParam) == IDC_BEGINNING_CLEAR ? beginningKeys_ : endingKeys_;
    box.SetKeys({});
    SetFocus(box.Handle());
    return 0;
}

void CCustomActionDlg::OnOK()
{
    CCustomAction fields{ControlText(Item(IDC_NAME)), ControlText(Item(IDC_DESCRIPTION)), L"", L""};
    if (KindOf(kBeginning) == Keys)
        fields.beginningKeys = beginningKeys_.Keys();
    else
        fields.beginningAction = ControlText(Item(IDC_BEGINNING_ACTION));
    if (KindOf(kEnding) == Keys)
        fields.endingKeys = endingKeys_.Keys();
    else
        fields.endingAction = ControlText(Item(IDC_ENDING_ACTION));
    fields.holdKeys = IsDlgButtonChecked(handle_, IDC_HOLD_KEYS) == BST_CHECKED;
    const CustomEditError error = SaveCustomActionEdit(editedName_, fields);
    if (error == CustomEditError::None) {
        enteredName_ = fields.name;
        EndDialog(IDOK);
        return;
    }
    ShowError(CustomEditMessage(error));
    const HWND field = error == CustomEditError::ActionRequired ? Field(kBeginning) : Item(IDC_NAME);
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
    const ActionIndex hidden = BuiltInShadowedBy(kBuiltInActionCount + slot);
    if (action && hidden != kNoActionIndex) {
        const std::wstring note = L"Hides the built-in action \"" + ActionName(hidden) +
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
    // An action that zones or buttons use takes them with it: asked first, No
    // the default. One that nothing uses goes at once, as a copy made by mistake.
    const CCustomAction* action = theCustomActions.Slot(slot);
    const std::wstring question = action ? DeleteQuestion(action->name, UsesOfCustomAction(slot)) : L"";
    if (!question.empty() &&
        MessageBoxW(handle_, question.c_str(), L"Delete custom action", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
            IDYES)
        return 0;
    DeleteCustomAction(slot);
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
            ShowPageTip(tip, handle_, list_, action ? action->description : L"", message);
            return false;
        }
    }
    RelayToTip(tip, message);
    return false;
}

void CCustomDlg::OnFinalDestroy()
{
    (void)toolTip_.Release();
    CStdDlg::OnFinalDestroy();
}

}  // namespace vorn::ui
