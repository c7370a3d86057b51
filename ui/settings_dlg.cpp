#include "ui/settings_dlg.h"

#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "actions/util.h"
#include "settings/data.h"
#include "ui/keyboard_model.h"
#include "ui/log_on.h"
#include "ui/quiet_programs_dlg.h"
#include "ui/settings_page_model.h"

namespace vorn::ui {
namespace {

constexpr UINT_PTR kTestTimer = 5;

// The check boxes that stand for a flag of the settings.
struct FlagBox {
    int id;
    bool CData::*flag;
};
constexpr FlagBox kFlagBoxes[] = {
    {IDC_FADE, &CData::fadeTransparency},
    {IDC_PAUSE_IN_FULL_SCREEN, &CData::pauseInFullScreen},
    {IDC_EVERY_MONITOR, &CData::cornersOnEveryMonitor},
    {IDC_INSTANT_RESPONSE, &CData::instantResponse},
    {IDC_QUIET_WHILE_DRAGGING, &CData::quietWhileDragging},
    {IDC_KEEP_LOG, &CData::keepLog},
    {IDC_SHOW_WAIT, &CData::showWait},
};
constexpr UINT kTestMs = 1000;
// Posted after a switch key that was not kept: the box shows the stored one
// again once the keys that recorded it are handled.
constexpr UINT kShowStoredSwitchKeysMessage = WM_APP + 51;

std::wstring ListText(HWND list, LRESULT index)
{
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

BOOL CALLBACK CollectTitle(HWND window, LPARAM titles)
{
    if (!window || !IsWindowVisible(window)) return TRUE;
    wchar_t title[1024] = {};
    GetWindowTextW(window, title, 1024);
    reinterpret_cast<std::vector<std::wstring>*>(titles)->push_back(title);
    return TRUE;
}

}  // namespace

std::span<const MessageEntry<CSettingsDlg>> CSettingsDlg::MessageTable()
{
    static const MessageEntry<CSettingsDlg> table[] = {
        MapMessage<CSettingsDlg>(WM_SHOWWINDOW, &CSettingsDlg::OnShowWindow),
        MapMessage<CSettingsDlg>(WM_TIMER, &CSettingsDlg::OnTimer),
        MapMessage<CSettingsDlg>(WM_HSCROLL, &CSettingsDlg::OnSlider),
        MapMessage<CSettingsDlg>(WM_VSCROLL, &CSettingsDlg::OnVerticalScroll),
        MapMessage<CSettingsDlg>(WM_SIZE, &CSettingsDlg::OnSize),
        MapMessage<CSettingsDlg>(WM_MOUSEWHEEL, &CSettingsDlg::OnMouseWheel),
        MapMessage<CSettingsDlg>(kFocusMayHaveMovedMessage, &CSettingsDlg::OnFocusMayHaveMoved),
        MapCommand<CSettingsDlg>(IDC_TEST_DESKTOP, &CSettingsDlg::OnTest),
        MapCommand<CSettingsDlg>(IDC_TEST_WINDOW, &CSettingsDlg::OnTest),
        MapCommand<CSettingsDlg>(IDC_FADE, &CSettingsDlg::OnFlagBox),
        MapCommand<CSettingsDlg>(IDC_RANDOM, &CSettingsDlg::OnRandom),
        MapCommand<CSettingsDlg>(IDC_SEQUENTIAL, &CSettingsDlg::OnSequential),
        MapCommand<CSettingsDlg>(IDC_START_AT_LOG_ON, &CSettingsDlg::OnStartAtLogOn),
        MapCommand<CSettingsDlg>(IDC_PAUSE_IN_FULL_SCREEN, &CSettingsDlg::OnFlagBox),
        MapCommand<CSettingsDlg>(IDC_EVERY_MONITOR, &CSettingsDlg::OnFlagBox),
        MapCommand<CSettingsDlg>(IDC_INSTANT_RESPONSE, &CSettingsDlg::OnFlagBox),
        MapCommand<CSettingsDlg>(IDC_QUIET_WHILE_DRAGGING, &CSettingsDlg::OnFlagBox),
        MapCommand<CSettingsDlg>(IDC_KEEP_LOG, &CSettingsDlg::OnFlagBox),
        MapCommand<CSettingsDlg>(IDC_SHOW_WAIT, &CSettingsDlg::OnFlagBox),
        MapCommand<CSettingsDlg>(IDC_SHOW_ZONES, &CSettingsDlg::OnShowZones),
        MapCommand<CSettingsDlg>(IDC_ADD, &CSettingsDlg::OnAddFolder),
        MapCommand<CSettingsDlg>(IDC_DELETE, &CSettingsDlg::OnDeleteFolder),
        MapCommand<CSettingsDlg>(IDC_REFRESH, &CSettingsDlg::OnRefresh),
        MapCommand<CSettingsDlg>(IDC_WINDOW_LIST, &CSettingsDlg::OnWindowSelected, LBN_SELCHANGE),
        MapCommand<CSettingsDlg>(IDC_QUIET_ADD, &CSettingsDlg::OnQuietAdd),
        MapCommand<CSettingsDlg>(IDC_QUIET_REMOVE, &CSettingsDlg::OnQuietRemove),
        MapCommand<CSettingsDlg>(IDC_SWITCH_KEYS, &CSettingsDlg::OnSwitchKeys, EN_CHANGE),
        MapMessage<CSettingsDlg>(kShowStoredSwitchKeysMessage, &CSettingsDlg::OnShowStoredSwitchKeys),
        MapCommand<CSettingsDlg>(1802, &CSettingsDlg::OnContentsLink, STN_CLICKED),
        MapCommand<CSettingsDlg>(1803, &CSettingsDlg::OnContentsLink, STN_CLICKED),
        MapCommand<CSettingsDlg>(1804, &CSettingsDlg::OnContentsLink, STN_CLICKED),
        MapCommand<CSettingsDlg>(1805, &CSettingsDlg::OnContentsLink, STN_CLICKED),
        MapCommand<CSettingsDlg>(1806, &CSettingsDlg::OnContentsLink, STN_CLICKED),
        MapCommand<CSettingsDlg>(1807, &CSettingsDlg::OnContentsLink, STN_CLICKED),
        MapCommand<CSettingsDlg>(1808, &CSettingsDlg::OnContentsLink, STN_CLICKED),
        MapCommand<CSettingsDlg>(1809, &CSettingsDlg::OnContentsLink, STN_CLICKED),
    };
    return table;
}

BOOL CSettingsDlg::OnInitDialog()
{
    CStdDlg::OnInitDialog();
    for (std::size_t i = 0; i < contentsLinks_.size(); ++i)
        contentsLinks_[i].Attach(Item(IDC_FIRST_CONTENTS_LINK + static_cast<int>(i)));
    folderList_ = Item(IDC_LIST);
    windowList_ = Item(IDC_WINDOW_LIST);
    slider_ = Item(IDC_TRANSPARENCY);
    quietList_ = Item(IDC_QUIET_LIST);
    const int ownLabelIds[] = {IDC_QUIET_FRAME, IDC_QUIET_LABEL, IDC_SWITCH_KEYS_LABEL, IDC_SWITCH_KEYS_PROBLEM};
    for (std::size_t i = 0; i < ownLabels_.size(); ++i)
        ownLabels_[i].Subclass(Item(ownLabelIds[i]));

    // Showing the stored values is no edit: nothing is clamped or saved, so a
    // first start that changes nothing writes no file.
    filling_ = true;
    for (const NumberBox& box : kNumberBoxes)
        if (box.field) SetDlgItemInt(handle_, box.boxId, static_cast<UINT>(theData.*box.field), TRUE);
    const DelayParts delay = PartsOfDelay(theData.wallpaperDelay);
    SetDlgItemInt(handle_, kDelaySecondsBox, static_cast<UINT>(delay.seconds), TRUE);
    SetDlgItemInt(handle_, kDelayMinutesBox, static_cast<UINT>(delay.minutes), TRUE);
    SetDlgItemInt(handle_, kDelayHoursBox, static_cast<UINT>(delay.hours), TRUE);

    for (const std::wstring& folder : theData.wallpaperFolders)
        SendMessageW(folderList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    if (SendMessageW(folderList_, LB_GETCOUNT, 0, 0) > 0) SendMessageW(folderList_, LB_SETCURSEL, 0, 0);
    EnableDeleteFolder();
    ShowQuietPrograms();
    switchKeys_.Attach(Item(IDC_SWITCH_KEYS));
    switchKeys_.SetKeys(ParseKeyCombination(theData.switchKeys).value_or(KeyCombination{}));

    for (const NumberBox& box : kNumberBoxes) {
        const HWND spin = Item(box.spinId);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(box.boxId)), 0);
        SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(box.low), box.high);
    }
    filling_ = false;

    for (const FlagBox& box : kFlagBoxes)
        CheckDlgButton(handle_, box.id, theData.*box.flag ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(handle_, IDC_RANDOM, theData.wallpaperRandom ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(handle_, IDC_SEQUENTIAL, theData.wallpaperRandom ? BST_UNCHECKED : BST_CHECKED);
    if (!theUtil.getLayeredAttributes || !theUtil.setLayeredAttributes)
        SetWindowTextW(Label(0).Handle(), L"Window transparency is not available on this computer.");

    // Two buttons both called "Test", told apart for screen readers.
    SetAccessibleName(Item(IDC_TEST_DESKTOP), L"Test desktop transparency");
    SetAccessibleName(Item(IDC_TEST_WINDOW), L"Test window transparency");
    // The digits that stand in for access keys are no part of the names.
    SetAccessibleName(quietList_, L"Quiet in these programs");
    SetAccessibleName(Item(IDC_QUIET_ADD), L"Add a quiet program");
    SetAccessibleName(Item(IDC_QUIET_REMOVE), L"Remove the selected quiet program");
    SetAccessibleName(Item(IDC_SWITCH_KEYS), L"Turn Vorn off and on with");
    SetAccessibleName(Item(IDC_SHOW_ZONES), L"Show zones");
    SetAccessibleName(Item(IDC_KEEP_LOG), L"Keep a log");
    SetAccessibleName(Item(IDC_SHOW_WAIT), L"Show the wait before a zone fires");

    SendMessageW(slider_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    SendMessageW(slider_, TBM_SETPOS, TRUE, 0);

    scroll_ = MeasureScroll();
    UpdateScrollBar();
    return TRUE;
}

// The number boxes' changes, by id.
bool CSettingsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && !filling_) {
        const int id = LOWORD(wParam);
        if (const NumberBox* box = FindNumberBox(id)) {
            if (box->field) {
                if (StoreNumberBox(*box, ControlText(Item(id)))) theData.SaveSettings();
                // A zone size typed or spun: the zones as they are now, on the screen.
                if (box->field == &CData::cornerSize || box->field == &CData::sideWidth ||
                    box->field == &CData::sideLength)
                    zoneOverlay_.Show();
            } else {
                const std::int32_t delay =
                    DelayFromParts(ControlText(Item(kDelayHoursBox)), ControlText(Item(kDelayMinutesBox)),
                                   ControlText(Item(kDelaySecondsBox)));
                if (delay != theData.wallpaperDelay) {
                    theData.wallpaperDelay = delay;
                    theData.SaveSettings();
                }
            }
            result = 0;
            return true;
        }
    }
    return WithMessageTable::OnMessage(message, wParam, lParam, result);
}

LRESULT CSettingsDlg::OnShowWindow(WPARAM wParam, LPARAM)
{
    if (!wParam) return 0;
    RefreshWindowList();
    // The user may have changed it elsewhere since.
    ShowLogOnState();
    return 0;
}

void CSettingsDlg::ShowLogOnState()
{
    CheckDlgButton(handle_, IDC_START_AT_LOG_ON, StartsAtLogOn(runValue) ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT CSettingsDlg::OnStartAtLogOn(WPARAM, LPARAM)
{
    SetStartAtLogOn(IsDlgButtonChecked(handle_, IDC_START_AT_LOG_ON) == BST_CHECKED, runValue);
    // A key that could not be changed shows as it is.
    ShowLogOnState();
    return 0;
}

void CSettingsDlg::RefreshWindowList()
{
    SendMessageW(windowList_, LB_RESETCONTENT, 0, 0);
    std::vector<std::wstring> titles;
    EnumWindows(&CollectTitle, reinterpret_cast<LPARAM>(&titles));
    for (const std::wstring& entry : WindowListEntries(titles))
        SendMessageW(windowList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageW(windowList_, LB_SETCURSEL, 0, 0);
    SyncSliderToWindow();
}

HWND CSettingsDlg::WindowOf(const std::wstring& entry) const
{
    if (entry == L"Taskbar") return theUtil.FindTaskbar();
    // Vorn's own window, not a folder or a document that shares its title.
    if (entry == L"Vorn") return GetAncestor(handle_, GA_ROOT);
    return FindWindowW(nullptr, entry.c_str());
}

void CSettingsDlg::SyncSliderToWindow()
{
    const LRESULT selected = SendMessageW(windowList_, LB_GETCURSEL, 0, 0);
    if (selected < 0) return;
    if (const HWND window = WindowOf(ListText(windowList_, selected)))
        SendMessageW(slider_, TBM_SETPOS, TRUE, theUtil.GetWindowTransparency(window));
}

LRESULT CSettingsDlg::OnSlider(WPARAM, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != slider_) return 0;
    const LRESULT selected = SendMessageW(windowList_, LB_GETCURSEL, 0, 0);
    if (selected < 0) return 0;
    const auto percent = static_cast<int>(SendMessageW(slider_, TBM_GETPOS, 0, 0));
    const std::wstring entry = ListText(windowList_, selected);
    if (const HWND window = WindowOf(entry)) theUtil.SetWindowTransparency(window, percent);
    // Only Vorn's own window and the taskbar keep theirs across restarts.
    std::int32_t* stored = entry == L"Vorn"      ? &theData.vornTransparency
                           : entry == L"Taskbar" ? &theData.taskbarTransparency
                                                 : nullptr;
    if (stored && *stored != percent) {
        *stored = percent;
        theData.SaveSettings();
    }
    return 0;
}

LRESULT CSettingsDlg::OnTest(WPARAM wParam, LPARAM)
{
    const int percent = LOWORD(wParam) == IDC_TEST_DESKTOP ? theData.desktopTransparency : theData.windowTransparency;
    theUtil.SetWindowTransparency(GetAncestor(handle_, GA_ROOT), percent);
    SetTimer(handle_, kTestTimer, kTestMs, nullptr);
    return 0;
}

LRESULT CSettingsDlg::OnTimer(WPARAM, LPARAM)
{
    KillTimer(handle_, kTestTimer);
    theUtil.SetWindowTransparency(GetAncestor(handle_, GA_ROOT), 0);
    return 0;
}

LRESULT CSettingsDlg::OnShowZones(WPARAM, LPARAM)
{
    zoneOverlay_.Show();
    return 0;
}

// A check box clicked: its flag, stored.
LRESULT CSettingsDlg::OnFlagBox(WPARAM wParam, LPARAM)
{
    const int id = LOWORD(wParam);
    for (const FlagBox& box : kFlagBoxes)
        if (box.id == id) {
            theData.*box.flag = IsDlgButtonChecked(handle_, id) == BST_CHECKED;
            theData.SaveSettings();
        }
    return 0;
}

LRESULT CSettingsDlg::OnRandom(WPARAM, LPARAM)
{
    theData.wallpaperRandom = true;
    theData.SaveSettings();
    return 0;
}

LRESULT CSettingsDlg::OnSequential(WPARAM, LPARAM)
{
    theData.wallpaperRandom = false;
    theData.SaveSettings();
    return 0;
}

void CSettingsDlg::EnableDeleteFolder()
{
    EnableWindow(Item(IDC_DELETE), SendMessageW(folderList_, LB_GETCOUNT, 0, 0) > 0);
}

LRESULT CSettingsDlg::OnAddFolder(WPARAM, LPARAM)
{
    // The folder dialog needs COM, for as long as it is open only: under Wine
    // a thread that keeps COM gets in the way of other programs' activation.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW browse{};
    browse.hwndOwner = handle_;
    browse.lpszTitle = L"Select folder for desktop backgrounds:";
    browse.ulFlags = BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
        wchar_t path[MAX_PATH] = {};
        // A virtual folder has no path to look for pictures in.
        if (SHGetPathFromIDListW(item, path) && path[0]) {
            const LRESULT line = SendMessageW(folderList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path));
            SendMessageW(folderList_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
            theData.AddWallpaperFolder(path);
        }
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    EnableDeleteFolder();
    return 0;
}

LRESULT CSettingsDlg::OnDeleteFolder(WPARAM, LPARAM)
{
    const LRESULT selected = SendMessageW(folderList_, LB_GETCURSEL, 0, 0);
    if (selected >= 0) {
        const std::wstring folder = ListText(folderList_, selected);
        SendMessageW(folderList_, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
        theData.RemoveWallpaperFolder(folder);
        if (SendMessageW(folderList_, LB_GETCOUNT, 0, 0) > 0) SendMessageW(folderList_, LB_SETCURSEL, 0, 0);
    }
    EnableDeleteFolder();
    return 0;
}

LRESULT CSettingsDlg::OnRefresh(WPARAM, LPARAM)
{
    RefreshWindowList();
    return 0;
}

LRESULT CSettingsDlg::OnWindowSelected(WPARAM, LPARAM)
{
    SyncSliderToWindow();
    return 0;
}

LRESULT CSettingsDlg::OnVerticalScroll(WPARAM wParam, LPARAM lParam)
{
    if (lParam) return DefaultProcedure(WM_VSCROLL, wParam, lParam);  // a scroll-bar control's
    if (const std::optional<int> step = ScrollStep(scroll_, LOWORD(wParam), scrollPos_, HIWORD(wParam)))
        ScrollBy(*step);
    return 0;
}

void CSettingsDlg::ScrollBy(int step)
{
    scrollPos_ += step;
    SetScrollPos(handle_, SB_VERT, scrollPos_, TRUE);
    ScrollWindow(handle_, 0, -step, nullptr, nullptr);
}

PageScroll CSettingsDlg::MeasureScroll() const
{
    // The lowest control, where it is with the page at its top.
    int lastBottom = 0;
    for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        // Its own style: the page itself may be hidden.
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT control{};
        GetWindowRect(child, &control);
        MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&control), 2);
        lastBottom = std::max(lastBottom, static_cast<int>(control.bottom) + scrollPos_);
    }
    RECT view{};
    GetClientRect(handle_, &view);
    RECT unit{0, 0, 0, 8};  // eight vertical dialog units: the font's height
    MapDialogRect(handle_, &unit);
    return MeasurePageScroll(lastBottom, view.bottom - view.top, unit.bottom);
}

void CSettingsDlg::UpdateScrollBar() const
{
    // The thumb's furthest position is the range's end: the bar's maximum
    // less the page, plus one.
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, scroll_.contentHeight - 1);
    info.nPage = static_cast<UINT>(scroll_.viewHeight);
    info.nPos = scrollPos_;
    SetScrollInfo(handle_, SB_VERT, &info, TRUE);
}

// Placed anew (at creation, on a change of scale): the view's height and
// with it the range change; the content keeps its place where it can.
LRESULT CSettingsDlg::OnSize(WPARAM, LPARAM)
{
    if (beforeScale_) return 0;  // the change of scale ends with its own layout
    scroll_ = MeasureScroll();
    ScrollToSection(scrollPos_);
    return 0;
}

void CSettingsDlg::BeforeScaleChange()
{
    if (beforeScale_) return;
    beforeScale_.emplace(scroll_, scrollPos_);
    ScrollWindow(handle_, 0, scrollPos_, nullptr, nullptr);
    scrollPos_ = 0;
}

void CSettingsDlg::AfterScaleChange()
{
    scroll_ = MeasureScroll();
    int position = scrollPos_;
    if (beforeScale_) {
        position = PositionAtNewScale(beforeScale_->first, beforeScale_->second, scroll_);
        beforeScale_.reset();
    }
    ScrollToSection(position);
}

bool CSettingsDlg::ListScrollsItself(HWND list, int delta) const
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    // A list short enough to show whole has no bar to ask.
    if (!(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL) || !GetScrollInfo(list, SB_VERT, &info)) return false;
    return ListScrollsByWheel(info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos, delta);
}

bool CSettingsDlg::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_KEYDOWN && message.hwnd != handle_ && IsChild(handle_, message.hwnd)) {
        const LRESULT code =
            SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
        const std::optional<int> scroll =
            PageScrollForKey(message.message, message.wParam, (GetKeyState(VK_CONTROL) & 0x8000) != 0, code);
        if (!scroll) return false;
        if (const std::optional<int> step = ScrollStep(scroll_, *scroll, scrollPos_, 0)) ScrollBy(*step);
        return true;
    }
    if (message.message != WM_MOUSEWHEEL || message.hwnd == handle_) return false;
    // What is under the pointer decides, also where the wheel goes to the
    // focus (Wine, older Windows); a pointer off the page leaves it to the focus.
    HWND under = WindowFromPoint(POINT{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)});
    if (!under || !IsChild(handle_, under)) under = message.hwnd;
    const int delta = GET_WHEEL_DELTA_WPARAM(message.wParam);
    const bool itself =
        under == slider_ ||
        ((under == folderList_ || under == windowList_ || under == quietList_) && ListScrollsItself(under, delta));
    if (!itself) {
        SendMessageW(handle_, WM_MOUSEWHEEL, message.wParam, message.lParam);
        return true;
    }
    if (under == message.hwnd) return false;
    SendMessageW(under, WM_MOUSEWHEEL, message.wParam, message.lParam);
    return true;
}

LRESULT CSettingsDlg::OnMouseWheel(WPARAM wParam, LPARAM)
{
    if (const std::optional<int> step = WheelStep(scroll_, GET_WHEEL_DELTA_WPARAM(wParam), scrollPos_, wheelRemainder_))
        ScrollBy(*step);
    return 0;
}

// A control reached with the keyboard while scrolled out of view comes into it.
LRESULT CSettingsDlg::OnFocusMayHaveMoved(WPARAM, LPARAM)
{
    const HWND focus = GetFocus();
    if (!focus || !IsChild(handle_, focus)) return 0;
    RECT control{};
    GetWindowRect(focus, &control);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&control), 2);
    if (const std::optional<int> step =
            StepIntoView(scroll_, control.top + scrollPos_, control.bottom + scrollPos_, scrollPos_))
        ScrollBy(*step);
    return 0;
}

void CSettingsDlg::ShowQuietPrograms()
{
    const LRESULT selected = SendMessageW(quietList_, LB_GETCURSEL, 0, 0);
    SendMessageW(quietList_, LB_RESETCONTENT, 0, 0);
    // In the user's order, as the file keeps them.
    for (const std::wstring& name : theData.quietPrograms)
        SendMessageW(quietList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const LRESULT count = SendMessageW(quietList_, LB_GETCOUNT, 0, 0);
    if (count > 0) SendMessageW(quietList_, LB_SETCURSEL, static_cast<WPARAM>(std::clamp<LRESULT>(selected, 0, count - 1)), 0);
    EnableQuietRemove();
}

void CSettingsDlg::EnableQuietRemove()
{
    const HWND remove = Item(IDC_QUIET_REMOVE);
    const bool any = SendMessageW(quietList_, LB_GETCOUNT, 0, 0) > 0;
    // The keyboard does not stay on a button that goes grey.
    if (!any && GetFocus() == remove) SendMessageW(GetAncestor(handle_, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_QUIET_ADD)), TRUE);
    EnableWindow(remove, any);
}

LRESULT CSettingsDlg::OnQuietAdd(WPARAM, LPARAM)
{
    CQuietProgramDlg dialog;
    if (dialog.DoModal(GetAncestor(handle_, GA_ROOT)) == IDOK) QuietProgramAdded(dialog.AddedName());
    return 0;
}

void CSettingsDlg::QuietProgramAdded(const std::wstring& name)
{
    ShowQuietPrograms();
    const LRESULT line = SendMessageW(quietList_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    if (line >= 0) SendMessageW(quietList_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    theData.SaveSettings();
}

// Removes a name, not a program: nothing to ask, and Add brings it back.
LRESULT CSettingsDlg::OnQuietRemove(WPARAM, LPARAM)
{
    const LRESULT selected = SendMessageW(quietList_, LB_GETCURSEL, 0, 0);
    if (selected < 0) return 0;
    if (RemoveQuietProgram(theData, ListText(quietList_, selected))) theData.SaveSettings();
    ShowQuietPrograms();
    return 0;
}

// The box recorded keys: a new combination is registered at once, and one
// that cannot be is told and not kept.
LRESULT CSettingsDlg::OnSwitchKeys(WPARAM, LPARAM)
{
    if (filling_) return 0;
    const KeyCombination keys = switchKeys_.Keys();
    SwitchKeyResult result = SwitchKeyResult::Unchanged;
    if (switchKey) {
        result = switchKey->Change(keys);
    } else if (KeyCombinationText(keys) != theData.switchKeys) {
        theData.switchKeys = KeyCombinationText(keys);
        result = keys.Empty() ? SwitchKeyResult::Cleared : SwitchKeyResult::Registered;
    }
    if (result == SwitchKeyResult::Unchanged) return 0;
    ShowSwitchKeyProblem(SwitchKeyMessage(result, keys));
    if (result == SwitchKeyResult::Registered || result == SwitchKeyResult::Cleared)
        theData.SaveSettings();
    else
        PostMessageW(handle_, kShowStoredSwitchKeysMessage, 0, 0);
    return 0;
}

LRESULT CSettingsDlg::OnShowStoredSwitchKeys(WPARAM, LPARAM)
{
    filling_ = true;
    switchKeys_.SetKeys(ParseKeyCombination(theData.switchKeys).value_or(KeyCombination{}));
    filling_ = false;
    return 0;
}

void CSettingsDlg::ShowSwitchKeyProblem(const std::wstring& text)
{
    const HWND problem = Item(IDC_SWITCH_KEYS_PROBLEM);
    SetWindowTextW(problem, text.c_str());
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, problem, OBJID_CLIENT, CHILDID_SELF);
    if (!text.empty()) MessageBeep(MB_ICONWARNING);
}

void CSettingsDlg::ScrollToSection(int position)
{
    position = std::clamp(position, 0, scroll_.Max());
    ScrollWindow(handle_, 0, scrollPos_ - position, nullptr, nullptr);
    scrollPos_ = position;
    UpdateScrollBar();
}

// Each link scrolls its section's frame, wherever the scale put it, to just
// below the top of the view.
LRESULT CSettingsDlg::OnContentsLink(WPARAM wParam, LPARAM lParam)
{
    const std::optional<int> frameId = SectionFrameOf(LOWORD(wParam));
    const HWND frame = frameId ? Item(*frameId) : nullptr;
    if (!frame) return 0;
    RECT section{};
    GetWindowRect(frame, &section);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&section), 2);
    ScrollToSection(SectionPosition(scroll_, section.top + scrollPos_));
    // Followed from the keyboard, the link hands it on to the section, which
    // would otherwise scroll back to the link that keeps it.
    if (GetFocus() == reinterpret_cast<HWND>(lParam))
        if (const HWND first = GetNextDlgTabItem(handle_, frame, FALSE))
            SendMessageW(GetAncestor(handle_, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    return 0;
}

}  // namespace vorn::ui
