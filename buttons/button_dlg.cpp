#include "buttons/button_dlg.h"

#include "res/resource.h"

namespace vorn::ui {
namespace {

// While the button has lost the mouse between a press and its release.
constexpr UINT_PTR kReleaseWatchTimer = 1;
constexpr UINT kReleaseWatchMs = 50;

// The keys held when the mouse event happened, as the message carries them:
// the click may activate this window before it is handled, and the thread's
// own key state has not seen keys that went to the window in front.
ModifierKey ModifierOf(WPARAM mouseFlags)
{
    if (mouseFlags & MK_SHIFT) return Shift;
    if (mouseFlags & MK_CONTROL) return Ctrl;
    return Plain;
}

bool LeftButtonDown()
{
    // The physical button that acts as the left one.
    const int key = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

}  // namespace

// --- the push button -------------------------------------------------------------------

CButton2::~CButton2() = default;

std::span<const MessageEntry<CButton2>> CButton2::MessageTable()
{
    static const MessageEntry<CButton2> table[] = {
        MapMessage<CButton2>(WM_LBUTTONDOWN, &CButton2::OnLeftButtonDown),
        MapMessage<CButton2>(WM_LBUTTONDBLCLK, &CButton2::OnLeftButtonDoubleClick),
        MapMessage<CButton2>(WM_LBUTTONUP, &CButton2::OnLeftButtonUp),
        MapMessage<CButton2>(WM_CAPTURECHANGED, &CButton2::OnCaptureChanged),
        MapMessage<CButton2>(WM_TIMER, &CButton2::OnTimer),
    };
    return table;
}

bool CButton2::PreTranslateMessage(MSG&)
{
    const HWND foreground = GetForegroundWindow();
    if (foreground && foreground != handle_ && foreground != GetParent(handle_)) lastForeground = foreground;
    return false;
}

bool CButton2::TakesFocus() const { return (GetWindowLongW(GetParent(handle_), GWL_STYLE) & WS_THICKFRAME) != 0; }

// Held down with the mouse captured, as the button's own handling would.
void CButton2::PressWithoutFocus()
{
    heldWithoutFocus_ = true;
    SetCapture(handle_);
    SendMessageW(handle_, BM_SETSTATE, TRUE, 0);
}

void CButton2::ReleaseWithoutFocus()
{
    if (!heldWithoutFocus_) return;
    heldWithoutFocus_ = false;
    SendMessageW(handle_, BM_SETSTATE, FALSE, 0);
    if (GetCapture() == handle_) ReleaseCapture();
}

// The action starts on the press; the button then shows pressed and holds
// the capture until the release, wherever that is.
LRESULT CButton2::OnLeftButtonDown(WPARAM wParam, LPARAM lParam)
{
    KillTimer(handle_, kReleaseWatchTimer);
    pressed_ = true;
    endedAway_ = false;
    theButtons.RunButtonAction(buttonId, lastForeground, false, ModifierOf(wParam));
    if (TakesFocus()) return DefaultProcedure(WM_LBUTTONDOWN, wParam, lParam);
    PressWithoutFocus();
    return 0;
}

// The second press of a double-click starts nothing; its release ends.
LRESULT CButton2::OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam)
{
    if (TakesFocus()) return DefaultProcedure(WM_LBUTTONDBLCLK, wParam, lParam);
    PressWithoutFocus();
    return 0;
}

LRESULT CButton2::OnLeftButtonUp(WPARAM wParam, LPARAM lParam)
{
    if (endedAway_)
        endedAway_ = false;
    else
        End(ModifierOf(wParam));
    if (!heldWithoutFocus_) return DefaultProcedure(WM_LBUTTONUP, wParam, lParam);
    ReleaseWithoutFocus();
    return 0;
}

// An action that opens a window takes the focus, and a button that loses the
// focus lets go of the mouse: a release elsewhere would then never reach it.
// Until the button goes up, its state is watched instead.
LRESULT CButton2::OnCaptureChanged(WPARAM wParam, LPARAM lParam)
{
    if (heldWithoutFocus_ && reinterpret_cast<HWND>(lParam) != handle_) {
        heldWithoutFocus_ = false;
        SendMessageW(handle_, BM_SETSTATE, FALSE, 0);
    }
    if (pressed_ && reinterpret_cast<HWND>(lParam) != handle_) {
        if (LeftButtonDown()) {
            SetTimer(handle_, kReleaseWatchTimer, kReleaseWatchMs, nullptr);
        } else {
            End();
            endedAway_ = true;
        }
    }
    return DefaultProcedure(WM_CAPTURECHANGED, wParam, lParam);
}

LRESULT CButton2::OnTimer(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kReleaseWatchTimer) return DefaultProcedure(WM_TIMER, wParam, lParam);
    if (!pressed_ || !LeftButtonDown()) {
        KillTimer(handle_, kReleaseWatchTimer);
        if (pressed_) {
            End();
            endedAway_ = true;
        }
    }
    return 0;
}

void CButton2::End(std::optional<ModifierKey> modifier)
{
    KillTimer(handle_, kReleaseWatchTimer);
    pressed_ = false;
    theButtons.RunButtonAction(buttonId, lastForeground, true, modifier);
}

// --- the floating window ---------------------------------------------------------------

CButtonDlg::CButtonDlg(int buttonId) : WithMessageTable(IDD_BUTTON_WINDOW), buttonId_(buttonId) {}

CButtonDlg::~CButtonDlg() { Destroy(); }

std::span<const MessageEntry<CButtonDlg>> CButtonDlg::MessageTable()
{
    static const MessageEntry<CButtonDlg> table[] = {
        MapMessage<CButtonDlg>(WM_MOUSEACTIVATE, &CButtonDlg::OnMouseActivate),
        MapMessage<CButtonDlg>(WM_ENTERSIZEMOVE, &CButtonDlg::OnEnterSizeMove),
        MapMessage<CButtonDlg>(WM_EXITSIZEMOVE, &CButtonDlg::OnExitSizeMove),
        MapMessage<CButtonDlg>(WM_SIZE, &CButtonDlg::OnSize),
    };
    return table;
}

bool CButtonDlg::Create() { return CreateModeless(GetDesktopWindow()); }

BOOL CButtonDlg::OnInitDialog()
{
    if (button_.Subclass(Item(IDC_BUTTON_FACE))) button_.buttonId = buttonId_;
    return TRUE;
}

// A click leaves the window the user was in active, so that the keys an
// action sends reach it; only sizing by the frame activates the button.
LRESULT CButtonDlg::OnMouseActivate(WPARAM, LPARAM)
{
    return (GetWindowLongW(handle_, GWL_STYLE) & WS_THICKFRAME) ? MA_ACTIVATE : MA_NOACTIVATE;
}

LRESULT CButtonDlg::OnEnterSizeMove(WPARAM, LPARAM)
{
    sizing_ = true;
    return 0;
}

LRESULT CButtonDlg::OnExitSizeMove(WPARAM, LPARAM)
{
    sizing_ = false;
    theButtons.FinishScreenSizing(buttonId_);
    if (IButtonsHost* host = theButtons.Host()) host->FocusMainWindow();
    return 0;
}

LRESULT CButtonDlg::OnSize(WPARAM, LPARAM)
{
    // The push button covers the client area with its own border just
    // outside it.
    RECT window{};
    GetWindowRect(handle_, &window);
    RECT inClient = window;
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&inClient), 2);
    if (const HWND face = Item(IDC_BUTTON_FACE))
        SetWindowPos(face, nullptr, inClient.left - 1, inClient.top - 1, inClient.right - inClient.left + 2,
                     inClient.bottom - inClient.top + 2, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // Only the user's sizing flows back; placing the window does not.
    if (sizing_) theButtons.SetScreenRect(buttonId_, window);
    return 0;
}

void CButtonDlg::Place(const RECT& screen)
{
    // Showing a window already shown costs a round trip to the display for
    // nothing, at every step of a drag.
    const UINT show = IsWindowVisible(handle_) ? 0 : SWP_SHOWWINDOW;
    SetWindowPos(handle_, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | show);
}

void CButtonDlg::SetText(const std::wstring& text)
{
    // A push button takes "&" for a mnemonic; a caption shows it as typed.
    std::wstring shown;
    for (const wchar_t c : text) {
        shown += c;
        if (c == L'&') shown += L'&';
    }
    if (const HWND face = Item(IDC_BUTTON_FACE)) SetWindowTextW(face, shown.c_str());
    InvalidateRect(handle_, nullptr, TRUE);
}

void CButtonDlg::SetSizingFrame(bool on)
{
    // Without its frame the window never becomes the active one, whoever
    // asks: a click, or the window manager.
    const LONG exStyle = GetWindowLongW(handle_, GWL_EXSTYLE);
    const LONG wantedEx = on ? (exStyle & ~WS_EX_NOACTIVATE) : (exStyle | WS_EX_NOACTIVATE);
    if (wantedEx != exStyle) SetWindowLongW(handle_, GWL_EXSTYLE, wantedEx);
    const LONG style = GetWindowLongW(handle_, GWL_STYLE);
    const LONG wanted = on ? (style | WS_THICKFRAME) : (style & ~WS_THICKFRAME);
    if (wanted == style) return;
    SetWindowLongW(handle_, GWL_STYLE, wanted);
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- the host ------------------------------------------------------------------------------

std::unique_ptr<IButtonWindow> CButtonWindowsHost::CreateButtonWindow(int id)
{
    auto window = std::make_unique<CButtonDlg>(id);
    if (!window->Create()) return nullptr;
    return window;
}

void CButtonWindowsHost::RunAction(ActionIndex index, bool ending, HWND target)
{
    if (runner_) runner_->RunAction(index, ending, target);
}

void CButtonWindowsHost::FocusMainWindow()
{
    if (!mainWindow_ || !IsWindow(mainWindow_)) return;
    SetFocus(mainWindow_);
    // A new floating window comes above the topmost windows already there:
    // a settings window kept on top while buttons are edited goes back over it.
    if (GetWindowLongW(mainWindow_, GWL_EXSTYLE) & WS_EX_TOPMOST)
        SetWindowPos(mainWindow_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace vorn::ui
