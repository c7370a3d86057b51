#include "framework/dialog.h"

#include "ui/keyboard_model.h"

namespace vorn::ui {
namespace {

// Messages whose answer is the dialog procedure's return value itself rather
// than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace

namespace {

// The dialog manager's modal loop offers each message to the thread's message
// filter before handling it: the one place to pre-translate in a modal dialog.
HHOOK modalFilter = nullptr;

// A stray letter in one of Vorn's own dialogs, not in a system message box,
// whose Yes and No answer their letters as Windows users expect.
bool StrayLetterInOwnDialog(const MSG& message)
{
    return message.hwnd && CWnd::FromHandle(GetAncestor(message.hwnd, GA_ROOT)) && DispatchStrayAccessKey(message);
}

LRESULT CALLBACK ModalMessageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && lParam) {
        MSG& message = *reinterpret_cast<MSG*>(lParam);
        if (WalkPreTranslate(message) || StrayLetterInOwnDialog(message)) return TRUE;
    }
    return CallNextHookEx(modalFilter, code, wParam, lParam);
}

}  // namespace

INT_PTR CDialog::DoModal(HWND parent)
{
    modal_ = true;
    const bool outermost = modalFilter == nullptr;
    if (outermost) modalFilter = SetWindowsHookExW(WH_MSGFILTER, &ModalMessageFilter, nullptr, GetCurrentThreadId());
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                           &CDialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
    if (outermost && modalFilter) {
        UnhookWindowsHookEx(modalFilter);
        modalFilter = nullptr;
    }
    return result;
}

bool CDialog::CreateModeless(HWND parent)
{
    modal_ = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                              &CDialog::DialogProcedure, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (!handle_) return;
    if (modal_)
        ::EndDialog(handle_, result);
    else
        DestroyWindow(handle_);
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Enter and Escape arrive as these commands too, with code 0.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            result = 0;
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            result = 0;
            return true;
        }
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
}

INT_PTR CALLBACK CDialog::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = static_cast<CDialog*>(FromHandle(window));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->Bind(window);
        return self->OnInitDialog();
    }
    if (!self) return FALSE;

    LRESULT result = 0;
    const bool handled = self->OnMessage(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        self->Unbind();
        self->handle_ = nullptr;
        self->OnFinalDestroy();
    }
    if (!handled) return FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

bool DispatchStrayAccessKey(const MSG& message)
{
    if (message.message != WM_CHAR || !message.hwnd) return false;
    const LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    if (!IsStrayAccessKey(message.message, message.wParam, code)) return false;
    DispatchMessageW(&message);
    return true;
}

}  // namespace vorn::ui
