#include "buttons/buttons_dlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include "actions/util.h"
#include "ui/action_tree.h"
#include "ui/controls.h"

namespace vorn::ui {
namespace {

// A button as the picture shows it: a one-pixel frame, filled inside.
void PaintButton(HDC dc, const RECT& r, HBRUSH frame, HBRUSH fill)
{
    FrameRect(dc, &r, frame);
    RECT inside = r;
    InflateRect(&inside, -1, -1);
    FillRect(dc, &inside, fill);
}

// A frame of a 60 Hz screen; the timer's id is the picture's own.
constexpr DWORD kFrameMs = 16;
constexpr UINT_PTR kFrameTimerId = 0x4652;

constexpr PictureAccessibility kButtonsAccessibility{
    L"Floating buttons",
    L"Insert makes a button; Tab and Shift+Tab select one; arrow keys move it, Shift+arrow keys size it; "
    L"Delete deletes it; Shift+F10 opens its menu"};
constexpr const wchar_t* kButtonsHint[] = {L"Drag in this window", L"to draw a button"};

}  // namespace

// --- the picture ---------------------------------------------------------------------------

CMonitorStaticBtn::CMonitorStaticBtn(CButtonsDlg& page)
    : WithMessageTable(kButtonsAccessibility, kButtonsHint), page_(page)
{
}

std::span<const MessageEntry<CMonitorStaticBtn>> CMonitorStaticBtn::MessageTable()
{
    static const MessageEntry<CMonitorStaticBtn> table[] = {
        MapMessage<CMonitorStaticBtn>(WM_LBUTTONDOWN, &CMonitorStaticBtn::OnLeftButtonDown),
        MapMessage<CMonitorStaticBtn>(WM_MOUSEMOVE, &CMonitorStaticBtn::OnMouseMove),
        MapMessage<CMonitorStaticBtn>(WM_LBUTTONUP, &CMonitorStaticBtn::OnLeftButtonUp),
        MapMessage<CMonitorStaticBtn>(WM_MOUSELEAVE, &CMonitorStaticBtn::OnMouseLeave),
        MapMessage<CMonitorStaticBtn>(WM_LBUTTONDBLCLK, &CMonitorStaticBtn::OnLeftButtonDoubleClick),
        MapMessage<CMonitorStaticBtn>(WM_RBUTTONDOWN, &CMonitorStaticBtn::OnRightButtonDown),
        MapMessage<CMonitorStaticBtn>(WM_RBUTTONUP, &CMonitorStaticBtn::OnRightButtonUp),
        MapMessage<CMonitorStaticBtn>(WM_GETDLGCODE, &CMonitorStaticBtn::OnGetDlgCode),
        MapMessage<CMonitorStaticBtn>(WM_KEYDOWN, &CMonitorStaticBtn::OnKeyDown),
        MapMessage<CMonitorStaticBtn>(WM_CONTEXTMENU, &CMonitorStaticBtn::OnContextMenu),
        MapMessage<CMonitorStaticBtn>(WM_TIMER, &CMonitorStaticBtn::OnTimer),
    };
    return table;
}

RECT CMonitorStaticBtn::FocusTarget() const { return page_.Editor().MenuAnchor().value_or(kScreenArea); }

std::wstring CMonitorStaticBtn::ValueText() const { return page_.Editor().ValueText(); }

void CMonitorStaticBtn::EditorChanged()
{
    if (!handle_) return;
    FollowFocusTarget();
    AnnounceValue();
}

void CMonitorStaticBtn::RepaintDragStep(const RECT& units)
{
    if (!handle_) return;
    if (dragPending_)
        UnionRect(&dragArea_, &dragArea_, &units);
    else
        dragArea_ = units;
    dragPending_ = true;
    if (frameTimer_) return;  // the next frame draws it
    // The first step of a burst is drawn at once; then one frame's steps
    // together at each tick. The timer runs through the burst: setting one
    // per frame would cost a trip to the server at every other step.
    PaintDragArea();
    frameTimer_ = SetTimer(handle_, kFrameTimerId, kFrameMs, nullptr) != 0;
}

void CMonitorStaticBtn::PaintDragArea()
{
    if (!dragPending_) return;
    dragPending_ = false;
    picture_.Invalidate(&dragArea_);
}

void CMonitorStaticBtn::FlushDragRepaint()
{
    if (frameTimer_) KillTimer(handle_, kFrameTimerId);
    frameTimer_ = false;
    PaintDragArea();
}

LRESULT CMonitorStaticBtn::OnTimer(WPARAM wParam, LPARAM lParam)
{
    if (wParam != kFrameTimerId) return DefaultProcedure(WM_TIMER, wParam, lParam);
    // A frame without a step ends the burst.
    if (dragPending_)
        PaintDragArea();
    else
        FlushDragRepaint();
    return 0;
}

LRESULT CMonitorStaticBtn::OnLeftButtonDown(WPARAM wParam, LPARAM lParam)
{
    // The keyboard follows the pointer: the keys go on from this selection.
    SetFocus(handle_);
    page_.Editor().LeftButtonDown(picture_.UnitsAt(lParam));
    return DefaultProcedure(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CMonitorStaticBtn::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    page_.Editor().MouseMove(picture_.UnitsAt(lParam));
    return DefaultProcedure(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT CMonitorStaticBtn::OnLeftButtonUp(WPARAM wParam, LPARAM lParam)
{
    const bool focused = GetFocus() == handle_;
    page_.Editor().LeftButtonUp();
    if (focused) KeepFocus();
    return DefaultProcedure(WM_LBUTTONUP, wParam, lParam);
}

// A new floating window hands the focus to the settings window; the keyboard
// stays here, on the new button.
void CMonitorStaticBtn::KeepFocus()
{
    if (GetFocus() != handle_) SetFocus(handle_);
}

LRESULT CMonitorStaticBtn::OnMouseLeave(WPARAM wParam, LPARAM lParam)
{
    page_.Editor().MouseLeave();
    return DefaultProcedure(WM_MOUSELEAVE, wParam, lParam);
}

LRESULT CMonitorStaticBtn::OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam)
{
    page_.Editor().DoubleClick();
    page_.UpdateToolTip(MouseMoveAt(handle_, lParam), true);
    return DefaultProcedure(WM_LBUTTONDBLCLK, wParam, lParam);
}

LRESULT CMonitorStaticBtn::OnRightButtonDown(WPARAM wParam, LPARAM lParam)
{
    SetFocus(handle_);
    page_.Editor().RightButtonDown(picture_.UnitsAt(lParam));
    return DefaultProcedure(WM_RBUTTONDOWN, wParam, lParam);
}

LRESULT CMonitorStaticBtn::OnRightButtonUp(WPARAM wParam, LPARAM lParam)
{
    if (page_.Editor().RightButtonUp(picture_.UnitsAt(lParam))) {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(handle_, &screen);
        if (const HMENU menu = page_.ContextMenu())
            TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, page_.Handle(), nullptr);
    }
    return DefaultProcedure(WM_RBUTTONUP, wParam, lParam);
}

// Tab stays in the picture while there is a button to go on to, so that Tab
// and Shift+Tab go through the buttons and then on through the page. The
// characters stay as on any picture: here a stray X would end Vorn.
LRESULT CMonitorStaticBtn::OnGetDlgCode(WPARAM wParam, LPARAM lParam)
{
    LRESULT code = CPictureControl::OnGetDlgCode(wParam, lParam);
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_TAB &&
        page_.Editor().HasNeighbour(GetKeyState(VK_SHIFT) >= 0))
        code |= DLGC_WANTTAB;
    return code;
}

LRESULT CMonitorStaticBtn::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    CButtonEditor& editor = page_.Editor();
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    // One unit of the picture: moved with the arrows, sized with Shift.
    const auto step = [&](int dx, int dy) {
        if (shift)
            editor.SizeSelectedBy(dx, dy);
        else
            editor.MoveSelectedBy(dx, dy);
    };
    switch (wParam) {
    case VK_TAB:
        editor.SelectNeighbour(!shift);
        break;
    case VK_INSERT:
        editor.InsertButton();
        KeepFocus();
        break;
    case VK_DELETE:
        editor.DeleteSelected();
        break;
    case VK_LEFT:
        step(-1, 0);
        break;
    case VK_RIGHT:
        step(1, 0);
        break;
    case VK_UP:
        step(0, -1);
        break;
    case VK_DOWN:
        step(0, 1);
        break;
    default:
        return DefaultProcedure(WM_KEYDOWN, wParam, lParam);
    }
    picture_.ShowFocusCues();
    return 0;
}

// Shift+F10 and the menu key (no point given): the menu a right click on the
// selected button opens, below its top left corner. A right click opens its
// menu itself, at the pointer.
LRESULT CMonitorStaticBtn::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    // The keyboard's menu comes with the point (-1, -1), in whichever width
    // the system widened it to.
    if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1)
        return DefaultProcedure(WM_CONTEXTMENU, wParam, lParam);
    const std::optional<RECT> anchor = page_.Editor().MenuAnchor();
    const HMENU menu = page_.ContextMenu();
    if (!anchor || !menu) return 0;
    const RECT pixels = picture_.Pixels(*anchor);
    POINT at{pixels.left, pixels.bottom};
    ClientToScreen(handle_, &at);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, page_.Handle(), nullptr);
    return 0;
}

void CMonitorStaticBtn::Paint(HDC dc, const PictureColours& colours, const RECT& area)
{
    // A drag step repaints two buttons' places: only what lies there is
    // drawn, with four brushes for all buttons.
    picture_.Draw(dc, colours, area);
    const OwnedBrush outline(CreateSolidBrush(ColourRef(colours.outline)));
    const OwnedBrush fill(CreateSolidBrush(ColourRef(colours.button)));
    const OwnedBrush selectedFrame(CreateSolidBrush(ColourRef(colours.selectedButtonFrame)));
    const OwnedBrush selectedFill(CreateSolidBrush(ColourRef(colours.selectedButton)));
    const auto paintButton = [&](const RECT& units, bool selected) {
        const RECT pixels = picture_.Pixels(units);
        RECT shown{};
        if (!IntersectRect(&shown, &pixels, &area)) return;
        PaintButton(dc, pixels, selected ? selectedFrame.Get() : outline.Get(),
                    selected ? selectedFill.Get() : fill.Get());
    };
    // Newest first: older buttons are painted over newer ones.
    for (const auto& button : theButtons.List())
        paintButton(button->diagramRect, button->selected);
    const CButtonEditor& editor = page_.Editor();
    if (editor.drawing && editor.lastPoint.x != editor.downPoint.x && editor.lastPoint.y != editor.downPoint.y)
        paintButton(editor.rubberRect, true);
}

// --- the page -------------------------------------------------------------------------------

CButtonsDlg::CButtonsDlg() : WithMessageTable(IDD_BUTTONS) {}

CButtonsDlg::~CButtonsDlg() { theButtons.SetDiagram(nullptr); }

std::span<const MessageEntry<CButtonsDlg>> CButtonsDlg::MessageTable()
{
    static const MessageEntry<CButtonsDlg> table[] = {
        MapMessage<CButtonsDlg>(WM_SHOWWINDOW, &CButtonsDlg::OnShowWindow),
        MapMessage<CButtonsDlg>(WM_HSCROLL, &CButtonsDlg::OnSlider),
        MapNotify<CButtonsDlg>(IDC_ACTION_TREE, TVN_SELCHANGEDW, &CButtonsDlg::OnSelectionChanged),
        MapCommand<CButtonsDlg>(IDC_CAPTION, &CButtonsDlg::OnCaptionChanged, EN_CHANGE),
        MapCommand<CButtonsDlg>(ID_MAKE_SAME_SIZE, &CButtonsDlg::OnMenuCommand),
        MapCommand<CButtonsDlg>(ID_MAKE_SAME_TRANSPARENCY, &CButtonsDlg::OnMenuCommand),
        MapCommand<CButtonsDlg>(ID_ALIGN_TOPS, &CButtonsDlg::OnMenuCommand),
        MapCommand<CButtonsDlg>(ID_ALIGN_BOTTOMS, &CButtonsDlg::OnMenuCommand),
        MapCommand<CButtonsDlg>(ID_ALIGN_LEFT_SIDES, &CButtonsDlg::OnMenuCommand),
        MapCommand<CButtonsDlg>(ID_ALIGN_RIGHT_SIDES, &CButtonsDlg::OnMenuCommand),
        MapCommand<CButtonsDlg>(ID_RESET_TITLE, &CButtonsDlg::OnMenuCommand),
        MapCommand<CButtonsDlg>(ID_DELETE_BUTTON, &CButtonsDlg::OnMenuCommand),
        MapCommand<CButtonsDlg>(ID_DELETE_ALL_BUTTONS, &CButtonsDlg::OnMenuCommand),
    };
    return table;
}

BOOL CButtonsDlg::OnInitDialog()
{
    CPicturePage::OnInitDialog();
    captionEdit_ = Item(IDC_CAPTION);
    slider_ = Item(IDC_TRANSPARENCY);
    SendMessageW(slider_, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(slider_, TBM_SETPOS, TRUE, 0);

    const ControlTip tools[] = {
        {tree_, L"Choose the action for the selected button and key"},
        {diagram_.Handle(), L"Draw, choose and move floating buttons"},
        {modifierCombo_, L"Select a modifier key for the selected button"},
        {captionEdit_, L"Set the caption for the selected button\n(Press the Enter key to start a new line)"},
        {slider_, L"Transparency of the selected button"},
    };
    toolTip_.Reset(CreatePageToolTip(handle_, tools));
    menu_.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_BUTTON_MENU)));
    editor_.SetCurrentButton(-1);
    theButtons.SetDiagram(&editor_);
    return TRUE;
}

std::optional<std::wstring> CButtonsDlg::OwnTip(HWND control, POINT point)
{
    if (control == slider_) return std::to_wstring(SendMessageW(slider_, TBM_GETPOS, 0, 0)) + L"%";
    if (control == diagram_.Handle())
        return editor_.DiagramTip(diagram_.Picture().Scale().Units(point),
                                  (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0);
    return std::nullopt;
}

bool CButtonsDlg::TipFollowsOver(HWND control) const { return control == captionEdit_ || control == slider_; }

void CButtonsDlg::ShowCaption(const std::wstring& text)
{
    SetWindowTextW(captionEdit_, text.c_str());
    SendMessageW(captionEdit_, EM_SETSEL, 0, -1);
    SendMessageW(captionEdit_, EM_SCROLLCARET, 0, 0);
}

void CButtonsDlg::ShowTransparency(int percent) { SendMessageW(slider_, TBM_SETPOS, TRUE, percent); }

void CButtonsDlg::SelectTreeAction(ActionIndex action) { ui::SelectTreeAction(tree_, action); }

void CButtonsDlg::Repaint(const RECT& diagramRect) { diagram_.Picture().Invalidate(&diagramRect); }

void CButtonsDlg::RepaintDragStep(const RECT& diagramRect) { diagram_.RepaintDragStep(diagramRect); }

void CButtonsDlg::DragEnded() { diagram_.FlushDragRepaint(); }

// Above the topmost floating buttons while the page is open. Only the Z
// order changes: a hidden settings window stays hidden.
void CButtonsDlg::SetSettingsWindowTopmost(bool on)
{
    // The top-level window, whether the page sits in the tab control or
    // beside it.
    const HWND settings = GetAncestor(handle_, GA_ROOT);
    if (!settings) return;
    // Each drag step asks again; moving a floating button does not change the
    // order of the windows, so a settings window already topmost stays so.
    const bool topmost = (GetWindowLongW(settings, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (on == topmost) return;
    SetWindowPos(settings, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CButtonsDlg::ValueChanged() { diagram_.EditorChanged(); }

void CButtonsDlg::TrackMouseLeave(bool on)
{
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE | (on ? 0 : TME_CANCEL);
    track.hwndTrack = diagram_.Handle();
    TrackMouseEvent(&track);
}

// Only the page's own showing and hiding, not its window's minimising.
LRESULT CButtonsDlg::OnShowWindow(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0) return 0;
    if (wParam) {
        RebuildTree();
        editor_.PageShown(IsWindowVisible(GetAncestor(handle_, GA_ROOT)) != FALSE);
    } else {
        editor_.PageHidden();
    }
    return 0;
}

LRESULT CButtonsDlg::OnSelectionChanged(WPARAM, LPARAM)
{
    editor_.TreeSelectionChanged(SelectedTreeAction(tree_));
    return 0;
}

void CButtonsDlg::ModifierChosen(ModifierKey modifier) { editor_.ModifierChanged(modifier); }

LRESULT CButtonsDlg::OnCaptionChanged(WPARAM, LPARAM)
{
    editor_.CaptionChanged(ControlText(captionEdit_));
    return 0;
}

LRESULT CButtonsDlg::OnSlider(WPARAM, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) == slider_)
        editor_.SliderMoved(static_cast<int>(SendMessageW(slider_, TBM_GETPOS, 0, 0)));
    return 0;
}

LRESULT CButtonsDlg::OnMenuCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case ID_MAKE_SAME_SIZE:
        theButtons.MakeSameSize();
        break;
    case ID_MAKE_SAME_TRANSPARENCY:
        theButtons.MakeSameTransparency();
        break;
    case ID_ALIGN_TOPS:
        theButtons.AlignTops();
        break;
    case ID_ALIGN_BOTTOMS:
        theButtons.AlignBottoms();
        break;
    case ID_ALIGN_LEFT_SIDES:
        theButtons.AlignLeftSides();
        break;
    case ID_ALIGN_RIGHT_SIDES:
        theButtons.AlignRightSides();
        break;
    case ID_RESET_TITLE:
        editor_.ResetTitle();
        break;
    case ID_DELETE_BUTTON:
        editor_.DeleteThisButton();
        break;
    case ID_DELETE_ALL_BUTTONS:
        theButtons.DeleteAllButtons();
        break;
    default:
        break;
    }
    return 0;
}

void CButtonsDlg::OnFinalDestroy()
{
    theButtons.SetDiagram(nullptr);
    CPicturePage::OnFinalDestroy();
}

}  // namespace vorn::ui
