#include "app/main_dlg.h"

#include <commctrl.h>
#include <dbt.h>
#include <windowsx.h>

#include <optional>
#include <vector>

#include "actions/util.h"
#include "app/single_instance.h"
#include "buttons/buttons.h"
#include "buttons/buttons_dlg.h"
#include "res/resource.h"
#include "settings/data.h"
#include "ui/about_dlg.h"
#include "ui/activity_dlg.h"
#include "ui/activity_list.h"
#include "ui/actions_dlg.h"
#include "ui/custom_dlg.h"
#include "ui/keyboard_model.h"
#include "ui/preview_dlg.h"
#include "ui/quiet_programs_model.h"
#include "ui/settings_dlg.h"

// Windows 8.1 on; the build targets Windows 7, whose headers lack it.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_POINTERDEVICECHANGE
#define WM_POINTERDEVICECHANGE 0x0238
#endif

namespace vorn::ui {
namespace {

// A pen or touch screen that comes or goes is told by WM_POINTERDEVICECHANGE
// from Windows 8 on, once asked for; WM_DEVICECHANGE tells of it everywhere.
void AskForPointerDevices(HWND window)
{
    using Register = BOOL(WINAPI*)(HWND, BOOL);
    const auto registerWindow = reinterpret_cast<Register>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "RegisterPointerDeviceNotifications")));
    if (registerWindow) registerWindow(window, FALSE);
}

bool OfThisThread(HWND window)
{
    return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

// Each label ends in two spaces, which keeps some room after the text.
constexpr const wchar_t* kTabLabels[CMainDlg::kPageCount] = {L"Actions  ", L"Buttons  ", L"Custom  ", L"Settings  ",
                                                             L"About  "};

}  // namespace

CMainDlg::CMainDlg()
    : WithMessageTable(IDD_MAIN), trayMessage_(RegisterWindowMessageW(L"Vorn tray notification")),
      icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VORN)))
{
}

CMainDlg::~CMainDlg()
{
    // The pages are children of the window: they go with it.
    tray_.reset();
    Destroy();
}

std::span<const MessageEntry<CMainDlg>> CMainDlg::MessageTable()
{
    static const MessageEntry<CMainDlg> table[] = {
        MapMessage<CMainDlg>(WM_SYSCOMMAND, &CMainDlg::OnSysCommand),
        MapMessage<CMainDlg>(WM_TIMER, &CMainDlg::OnTimerMessage),
        MapMessage<CMainDlg>(kShowRunningMessage, &CMainDlg::OnShowRunning),
        MapMessage<CMainDlg>(WM_COPYDATA, &CMainDlg::OnStartRequest),
        MapMessage<CMainDlg>(kScaleChangedMessage, &CMainDlg::OnScaleChanged),
        MapMessage<CMainDlg>(WM_DESTROY, &CMainDlg::OnDestroy),
        MapMessage<CMainDlg>(WM_ENDSESSION, &CMainDlg::OnEndSession),
        MapMessage<CMainDlg>(WM_INPUT, &CMainDlg::OnPointerInput),
        MapMessage<CMainDlg>(CZoneInputHook::kZoneInputMessage, &CMainDlg::OnZoneInput),
        MapMessage<CMainDlg>(kWriteLogMessage, &CMainDlg::OnWriteLog),
        MapMessage<CMainDlg>(kProcessEndedMessage, &CMainDlg::OnProcessEnded),
        MapCommand<CMainDlg>(IDC_EXIT, &CMainDlg::OnExit),
        MapCommand<CMainDlg>(ID_TRAY_EXIT, &CMainDlg::OnExit),
        MapCommand<CMainDlg>(ID_TRAY_OPEN, &CMainDlg::OnTrayOpen),
        MapCommand<CMainDlg>(ID_TRAY_TOGGLE, &CMainDlg::OnTrayToggle),
        MapCommand<CMainDlg>(IDC_PREVIEW, &CMainDlg::OnPreview),
        MapCommand<CMainDlg>(ID_TRAY_QUIET, &CMainDlg::OnTrayQuiet),
        MapCommand<CMainDlg>(ID_TRAY_ACTIVITY, &CMainDlg::OnTrayActivity),
        MapMessage<CMainDlg>(WM_HOTKEY, &CMainDlg::OnHotKey),
        MapNotify<CMainDlg>(IDC_MAIN_TABS, TCN_SELCHANGE, &CMainDlg::OnTabChanged),
    };
    return table;
}

bool CMainDlg::Create()
{
    // The template names this class, by which a later start finds this window
    // and no other; it is the dialog class under a name of its own.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefDlgProcW;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kMainWindowClass;
    // Made once per process: a second main window (the tests make several)
    // finds the class there.
    RegisterClassExW(&windowClass);
    return CreateModeless(nullptr);
}

LRESULT CMainDlg::OnShowRunning(WPARAM, LPARAM)
{
    // A window on its way out leaves the start that asked to wait for its lock.
    if (ending_) return 0;
    OpenSettingsWindow();
    return kShownAnswer;
}

LRESULT CMainDlg::OnStartRequest(WPARAM, LPARAM lParam)
{
    // A window on its way out leaves the start to wait for its lock.
    if (ending_) return FALSE;
    const std::optional<StartRequest> request = RequestFromCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    if (!request) return FALSE;
    switch (*request) {
    case StartRequest::Disable:
        SetEdgesEnabled(false);
        break;
    case StartRequest::Enable:
        SetEdgesEnabled(true);
        break;
    case StartRequest::Toggle:
        SetEdgesEnabled(!theData.enabled);
        break;
    case StartRequest::Settings:
        OpenSettingsWindow();
        break;
    case StartRequest::Exit:
        // As the tray's Exit, right after this answer: a dialog destroyed
        // within the message could no longer answer it.
        PostMessageW(handle_, WM_COMMAND, ID_TRAY_EXIT, 0);
        break;
    case StartRequest::None:
        return FALSE;
    }
    return TRUE;
}

BOOL CMainDlg::OnInitDialog()
{
    tabs_ = Item(IDC_MAIN_TABS);
    // An opaque window is not made layered: the system would keep and blend
    // a copy of it for nothing, which makes showing it slower.
    if (theData.vornTransparency > 0) theUtil.SetWindowTransparency(handle_, theData.vornTransparency);
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    CreateTabs();
    ShowPage(theData.currentPage);
    // The focus shows from the start, not only after a first key.
    SendMessageW(handle_, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);

    if (HMENU systemMenu = GetSystemMenu(handle_, FALSE)) AppendMenuW(systemMenu, MF_STRING, IDC_EXIT, L"&Exit");

    // Before the icon, which tells a stored switch key that cannot be had.
    StartSwitchKey();
    // The icon comes once the window is up: the shell takes its time to add it.
    if (!SetTimer(handle_, kTrayTimerId, USER_TIMER_MINIMUM, nullptr)) CreateTray();

    CActivityFile::Hooks logHooks;
    logHooks.askForWrite = [this] { PostMessageW(handle_, kWriteLogMessage, 0, 0); };
    logHooks.tellProblem = [this](const std::wstring& path, FileError error) {
        const FileProblemNotice notice = ActivityFileNotice(path, error);
        if (tray_) tray_->ShowBalloon(notice.title, notice.text);
    };
    activityFile_ = std::make_unique<CActivityFile>(theActivity, ActivityLogPath(theData.settingsPath), logHooks);
    activityFile_->Follow(theData.keepLog);
    zoneHook_.SetWindow(handle_);
    engine_.SetZoneInputHook(&zoneHook_);
    engine_.SetWaitDisplay(&waitRing_);
    processWaits_.TellWindow(handle_, kProcessEndedMessage);
    engine_.SetProcessWatch(&processWatch_);
    engine_.Start(handle_, [this] { OpenSettingsWindow(); });
    // Windows drops keys sent to a window with higher rights without a word.
    engine_.SetHigherRightsNotice([this](const std::wstring& program) {
        const HigherRightsNoticeText notice = HigherRightsNotice(program);
        if (tray_) tray_->ShowBalloon(notice.title, notice.text, NIIF_WARNING);
    });
    // A later start without administrator rights finds this window of a
    // Vorn that has them: the system lets its message through to it.
    ChangeWindowMessageFilterEx(handle_, kShowRunningMessage, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(handle_, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    AskForPointerDevices(handle_);
    // Instant response, the poll interval and the wallpaper delay take effect at once.
    theData.SetChangeListener([this] {
        engine_.SettingsChanged();
        activityFile_->Follow(theData.keepLog);
    });
    // Bursts of saves (drags, typing) are written by this window's timer.
    theData.DeferSavesTo(handle_);
    Centre();
    CreateToolTip();
    // A later start lives in the tray; only the very first shows the window.
    // The window is modeless, so it stays hidden until something shows it.
    if (theData.firstRun) ShowWindow(handle_, SW_SHOW);
    // The keyboard starts on the headings, as after a click on one: not in
    // a list or a tree, where a stray arrow would change a setting.
    SetFocus(tabs_);
    return FALSE;
}

// A page is built the first time it is wanted: a start shows its window as
// soon as the current page is ready, and the others (the Settings page's
// hundred controls, the trees and pictures) cost nothing until they are seen.
CStdDlg* CMainDlg::Page(int index)
{
    if (index < 0 || index >= kPageCount) return nullptr;
    std::unique_ptr<CStdDlg>& page = pages_[static_cast<std::size_t>(index)];
    if (page) return page.get();
    switch (index) {
    case ActionsPage:
        page = std::make_unique<CActionsDlg>();
        break;
    case ButtonsPage:
        page = std::make_unique<CButtonsDlg>();
        break;
    case CustomPage:
        page = std::make_unique<CCustomDlg>();
        break;
    case SettingsPage: {
        auto settings = std::make_unique<CSettingsDlg>();
        settings->switchKey = &switchKey_;
        page = std::move(settings);
        break;
    }
    default:
        page = std::make_unique<CAboutDlg>();
        break;
    }
    page->CreateModeless(handle_);
    if (const HWND window = page->Handle()) {
        // Above the tab control, which draws its pane around it; and first
        // in the tab order, which then runs through the page, the buttons
        // below and the headings, and back to the page.
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        EnableWindow(window, FALSE);  // until it is shown
        SendMessageW(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    return page.get();
}

void CMainDlg::CreateTray()
{
    if (tray_) return;
    tray_ = std::make_unique<CSystemTray>(handle_);
    tray_->Create(trayMessage_, icon_, IDR_TRAY_MENU);
    // A settings file that could not be read at start is told now.
    theData.fileProblems.SetListener([this](const FileProblem& problem) {
        const FileProblemNotice notice = NoticeFor(problem);
        if (tray_) tray_->ShowBalloon(notice.title, notice.text);
    });
    tray_->beforeMenu = [this](HMENU menu) { UpdateQuietItem(menu); };
    ShowSwitchKeyNotice();
}

void CMainDlg::CreateTabs()
{
    for (int index = 0; index < kPageCount; ++index) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        item.pszText = const_cast<wchar_t*>(kTabLabels[index]);
        item.iImage = index;
        item.lParam = 0;
        SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(tabs_, TCM_SETPADDING, 0, MAKELPARAM(5, 4));
    CreateTabImages();
}

// The tab icons at the window's scale; again when the scale changes.
void CMainDlg::CreateTabImages()
{
    const int dpi = WindowDpi(handle_);
    OwnedImageList images(CreateStripImageList(IDB_TABS, kTabImageStrip, dpi, 10));
    SendMessageW(tabs_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    tabImages_ = std::move(images);
}

// Only the page shown takes part in Tab and the access keys: the others are
// hidden and disabled. The keyboard leaves a page before it goes.
void CMainDlg::ShowPage(int index)
{
    if (index < 0 || index >= kPageCount) index = 0;
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (activePage_ && activePage_->Handle()) {
        const HWND leaving = activePage_->Handle();
        const HWND focus = GetFocus();
        if (focus && IsChild(leaving, focus)) SetFocus(tabs_);
        ShowWindow(leaving, SW_HIDE);
        EnableWindow(leaving, FALSE);
    }
    activePage_ = Page(index);
    if (const HWND showing = activePage_->Handle()) {
        EnableWindow(showing, TRUE);
        ShowWindow(showing, SW_SHOW);
    }
}

void CMainDlg::SelectPage(int index)
{
    if (index < 0 || index >= kPageCount) return;
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(handle_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabs_), TRUE);
    OnTabChanged(0, 0);
}

bool CMainDlg::SwitchPageByKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN) return false;
    const std::optional<int> page =
        PageForKey(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)), kPageCount, message.wParam,
                   (GetKeyState(VK_CONTROL) & 0x8000) != 0, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    if (!page) return false;
    SelectPage(*page);
    return true;
}

void CMainDlg::Centre()
{
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return;
    RECT window{};
    GetWindowRect(handle_, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::CreateToolTip()
{
    const ControlTip tools[] = {
        {Item(IDC_PREVIEW), L"Show a full-screen preview of edges and their actions"},
        {Item(IDCANCEL), L"Hide this window"},
        {Item(IDC_EXIT), L"Terminate Vorn"},
    };
    // Its tips show also while another program is in front.
    toolTip_.Reset(CreatePageToolTip(handle_, tools, TTS_ALWAYSTIP));
}

bool CMainDlg::PreTranslateMessage(MSG& message)
{
    if (const HWND tip = toolTip_.Get()) SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    switch (message.message) {
    case WM_MOUSEWHEEL: {
        // The wheel turns what is under the pointer, as on Windows 10, also
        // where it goes to the focus (older Windows, Wine): a page scrolls
        // while the tab headings have the focus.
        const HWND page = activePage_ ? activePage_->Handle() : nullptr;
        if (!page || message.hwnd == page || IsChild(page, message.hwnd)) break;
        const POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        const HWND under = WindowFromPoint(at);
        if (!under || (under != page && !IsChild(page, under))) break;
        MSG turned = message;
        turned.hwnd = under;
        if (!WalkPreTranslate(turned)) DispatchMessageW(&turned);
        return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
        // Looked at once the key has done its work.
        if (activePage_ && activePage_->Handle()) PostMessageW(activePage_->Handle(), kFocusMayHaveMovedMessage, 0, 0);
        break;
    default:
        break;
    }
    return false;
}

// The page is a control parent among the settings window's controls, so the
// window's dialog manager takes Tab and the access keys through it. Escape
// and Enter typed on the page are not the window's Cancel and OK, which
// hide it: a control that wants them has them (a box of several lines, an
// open list, a link), Enter presses the page's button that has the
// keyboard, and otherwise they do nothing.
bool CMainDlg::HandleDialogKeys(MSG& message)
{
    if (!handle_ || (message.hwnd != handle_ && !IsChild(handle_, message.hwnd))) return false;
    if (SwitchPageByKey(message)) return true;
    const HWND page = activePage_ ? activePage_->Handle() : nullptr;
    const bool enterOrEscape =
        message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
    if (page && enterOrEscape && (message.hwnd == page || IsChild(page, message.hwnd))) {
        const LRESULT code =
            SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
        if (code & DLGC_WANTMESSAGE) return false;
        if (message.wParam == VK_RETURN && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            SendMessageW(GetParent(message.hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(message.hwnd), BN_CLICKED),
                         reinterpret_cast<LPARAM>(message.hwnd));
        return true;
    }
    // Only Alt makes a letter an access key: typed alone on a button, a
    // check box, a slider or a link it presses nothing.
    if (DispatchStrayAccessKey(message)) return true;
    return IsDialogMessageW(handle_, &message) != FALSE;
}

void CMainDlg::Hide() { PostMessageW(handle_, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void CMainDlg::OpenSettingsWindow()
{
    OnTrayOpen(0, 0);
    SetForegroundWindow(handle_);
}

LRESULT CMainDlg::OnSysCommand(WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {
    case SC_MINIMIZE:
        // Straight to hidden: the window lives in the tray, not on the taskbar,
        // and comes back in its normal state when shown again.
        ShowWindow(handle_, SW_HIDE);
        return 0;
    case SC_RESTORE:
        DefWindowProcW(handle_, WM_SYSCOMMAND, wParam, lParam);
        ShowWindow(handle_, SW_SHOW);
        return 0;
    default:
        break;
    }
    if (LOWORD(wParam) == IDC_EXIT) {
        DestroyWindow(handle_);
        return 0;
    }
    return DefWindowProcW(handle_, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT CMainDlg::OnTimerMessage(WPARAM wParam, LPARAM)
{
    if (wParam == kSaveTimerId) theData.FlushSettings();
    if (wParam == kTrayTimerId) {
        KillTimer(handle_, kTrayTimerId);
        CreateTray();
        return 0;
    }
    engine_.OnTimer(static_cast<UINT_PTR>(wParam));
    return 0;
}

// The pointer moved (instant response); the default handling frees the input.
LRESULT CMainDlg::OnPointerInput(WPARAM wParam, LPARAM lParam)
{
    engine_.OnPointerInput();
    return DefWindowProcW(handle_, WM_INPUT, wParam, lParam);
}

// The hook took a notch of the wheel or a click in a zone.
LRESULT CMainDlg::OnZoneInput(WPARAM wParam, LPARAM lParam)
{
    ActionSet set = 0;
    EdgeZone zone = NoZone;
    int slot = -1;
    CZoneInputHook::UnpackZoneInput(wParam, set, zone, slot);
    engine_.OnZoneInput(set, zone, slot, static_cast<int>(lParam));
    return 0;
}

LRESULT CMainDlg::OnWriteLog(WPARAM, LPARAM)
{
    if (activityFile_) (void)activityFile_->WriteNow();
    return 0;
}

LRESULT CMainDlg::OnProcessEnded(WPARAM wParam, LPARAM)
{
    processWatch_.ProcessEnded(static_cast<std::size_t>(wParam));
    return 0;
}

LRESULT CMainDlg::OnEndSession(WPARAM wParam, LPARAM)
{
    // Windows ends the process after this without a WM_DESTROY.
    if (wParam) {
        engine_.ReleaseHeldKeys();
        theData.FlushSettings();
        if (activityFile_) (void)activityFile_->WriteNow();
    }
    return 0;
}

// However the window is shown or hidden (the tray, the system menu, a second
// start), the floating buttons' frames follow while the Buttons page is current.
// The dialog's own handling follows (it keeps the focused control).
bool CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The focus always shows: the system hides it in a window opened with
    // the mouse until a key is pressed, which leaves a keyboard user who
    // comes later, or one who reads the screen, without it.
    if (message == WM_CHANGEUISTATE || message == WM_UPDATEUISTATE) {
        const std::vector<WPARAM> changes = WithFocusShown(wParam);
        if (changes.size() != 1 || changes.front() != wParam) {
            for (const WPARAM change : changes)
                DefWindowProcW(handle_, message, change, lParam);
            result = 0;
            return true;
        }
    }
    if (message == WM_SYSCOLORCHANGE || (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST))
        ColoursChanged();
    if (message == WM_SHOWWINDOW && lParam == 0) ShowButtonFrames(wParam != 0);
    // A Vorn window takes the keyboard: this one shown or activated, one of
    // this thread's (the editor, the preview, a message box) activated in
    // its place, or any of them brought in front of another program. Keys
    // held for a corner would turn every letter into a shortcut there.
    if ((message == WM_SHOWWINDOW && wParam) || (message == WM_ACTIVATEAPP && wParam) ||
        (message == WM_ACTIVATE &&
         (LOWORD(wParam) != WA_INACTIVE || OfThisThread(reinterpret_cast<HWND>(lParam)))))
        engine_.ReleaseHeldKeys();
    // Locked, switched, disconnected, asleep, and back.
    if (message == WM_WTSSESSION_CHANGE) engine_.SessionChanged(wParam);
    if (message == WM_POWERBROADCAST) engine_.PowerChanged(wParam);
    if ((message == WM_DEVICECHANGE && wParam == DBT_DEVNODES_CHANGED) || message == WM_POINTERDEVICECHANGE)
        engine_.DevicesChanged();
    if (message == WM_DISPLAYCHANGE) {
        theButtons.ScreenChanged();
        engine_.DisplayChanged();
    }
    // Only top-level windows hear of it; the Actions page lists the monitors.
    if (message == WM_DISPLAYCHANGE && pages_[ActionsPage]) SendMessageW(pages_[ActionsPage]->Handle(), message, wParam, lParam);
    // Another scale: the dialog manager lays the window and its pages out
    // again in its own handling of this message; the rest follows after it.
    if (message == WM_DPICHANGED) {
        for (const auto& page : pages_)
            if (page) page->BeforeScaleChange();
        PostMessageW(handle_, kScaleChangedMessage, 0, 0);
    }
    return WithMessageTable::OnMessage(message, wParam, lParam, result);
}

namespace {

BOOL CALLBACK TellOfColours(HWND child, LPARAM)
{
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

// Every control hears of it, the common controls taking their new colours
// only when told, the pages and pictures to make what they drew anew; then
// everything is painted again.
void CMainDlg::ColoursChanged()
{
    EnumChildWindows(handle_, &TellOfColours, 0);
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The tab icons at the new scale change the headings' height: the pages are
// placed below them again, then make their own pictures and steps anew.
LRESULT CMainDlg::OnScaleChanged(WPARAM, LPARAM)
{
    CreateTabImages();
    for (const auto& page : pages_)
        if (page && page->Handle()) {
            page->PlaceOnTabs(tabs_);
            page->AfterScaleChange();
        }
    return 0;
}

void CMainDlg::ShowButtonFrames(bool on) const
{
    // The floating buttons can be resized while the Buttons page shows.
    if (activePage_ && activePage_ == pages_[ButtonsPage].get()) theButtons.SetSizingFrames(on);
}

LRESULT CMainDlg::OnExit(WPARAM, LPARAM)
{
    DestroyWindow(handle_);
    return 0;
}

LRESULT CMainDlg::OnTrayOpen(WPARAM, LPARAM)
{
    // Also when the window is already shown and only comes to the front.
    engine_.ReleaseHeldKeys();
    ShowWindow(handle_, SW_RESTORE);
    return 0;
}

LRESULT CMainDlg::OnTrayToggle(WPARAM, LPARAM)
{
    SetEdgesEnabled(!theData.enabled);
    return 0;
}

// The edges off or on, from the tray menu or any other way in; the menu's
// item follows.
void CMainDlg::SetEdgesEnabled(bool enabled)
{
    engine_.SetEnabled(enabled);
    if (tray_ && tray_->Popup())
        ModifyMenuW(tray_->Popup(), ID_TRAY_TOGGLE, MF_BYCOMMAND | MF_STRING, ID_TRAY_TOGGLE,
                    theData.enabled ? L"&Disable" : L"&Enable");
}

LRESULT CMainDlg::OnPreview(WPARAM, LPARAM)
{
    CPreviewDlg preview;
    preview.DoModal(handle_);
    return 0;
}

LRESULT CMainDlg::OnTabChanged(WPARAM, LPARAM)
{
    const int index = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
    if (index < 0 || index >= kPageCount) return 0;
    theData.currentPage = index;
    theData.SaveSettings();
    ShowPage(index);
    return 0;
}

LRESULT CMainDlg::OnDestroy(WPARAM, LPARAM)
{
    ending_ = true;
    // The last state is written while there is still a window for the timer.
    theData.SetChangeListener(nullptr);
    theData.DeferSavesTo(nullptr);
    // The icon leaves the notification area before the window goes.
    theData.fileProblems.SetListener(nullptr);
    activity_.reset();
    engine_.Stop();
    // What came last is written before the window goes.
    if (activityFile_) (void)activityFile_->WriteNow();
    activityFile_.reset();
    engine_.SetProcessWatch(nullptr);
    processWatch_.StopAll();
    waitRing_.WaitEnds();
    zoneHook_.Stop();
    switchKey_.Stop();
    tray_.reset();
    if (endsMessageLoop) PostQuitMessage(0);
    return 0;
}

bool CMainDlg::WindowHotKey::Register(UINT modifiers, UINT key)
{
    static_assert(kHotKeyAlt == MOD_ALT && kHotKeyControl == MOD_CONTROL && kHotKeyShift == MOD_SHIFT &&
                  kHotKeyWin == MOD_WIN && kHotKeyNoRepeat == MOD_NOREPEAT);
    return window_ && RegisterHotKey(window_, kSwitchHotKeyId, modifiers, key);
}

void CMainDlg::WindowHotKey::Unregister()
{
    if (window_) UnregisterHotKey(window_, kSwitchHotKeyId);
}

void CMainDlg::StartSwitchKey() { switchKeyNotice_ = switchKey_.Start(); }

void CMainDlg::ShowSwitchKeyNotice()
{
    if (switchKeyNotice_.empty() || !tray_) return;
    tray_->ShowBalloon(L"Vorn", switchKeyNotice_);
    switchKeyNotice_.clear();
}

LRESULT CMainDlg::OnHotKey(WPARAM wParam, LPARAM)
{
    if (wParam != kSwitchHotKeyId || ending_) return 0;
    SetEdgesEnabled(!theData.enabled);
    if (tray_) tray_->ShowBalloon(L"Vorn", SwitchNotice(theData.enabled), NIIF_INFO);
    return 0;
}

void CMainDlg::UpdateQuietItem(HMENU menu)
{
    menuProgram_ = ProgramInFrontNow();
    UINT flags = MF_BYCOMMAND | MF_STRING;
    if (menuProgram_.empty()) flags |= MF_GRAYED;
    if (!menuProgram_.empty() && theData.IsQuietProgram(menuProgram_)) flags |= MF_CHECKED;
    ModifyMenuW(menu, ID_TRAY_QUIET, flags, ID_TRAY_QUIET, KeepQuietItemText(menuProgram_).c_str());
}

LRESULT CMainDlg::OnTrayQuiet(WPARAM, LPARAM)
{
    if (menuProgram_.empty()) return 0;
    ToggleQuietProgram(theData, menuProgram_);
    theData.SaveSettings();
    if (pages_[SettingsPage]) static_cast<CSettingsDlg*>(pages_[SettingsPage].get())->ShowQuietPrograms();
    return 0;
}

LRESULT CMainDlg::OnTrayActivity(WPARAM, LPARAM)
{
    if (!activity_) activity_ = std::make_unique<CActivityDlg>();
    activity_->Open();
    return 0;
}

void CMainDlg::OnFinalDestroy()
{
    // The tooltip was owned by the window and is gone with it.
    (void)toolTip_.Release();
    tabs_ = nullptr;
}

}  // namespace vorn::ui
