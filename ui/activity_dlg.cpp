#include "ui/activity_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "res/resource.h"
#include "ui/activity_list.h"

namespace vorn::ui {
namespace {

constexpr int kButtons[] = {IDC_ACTIVITY_COPY, IDC_ACTIVITY_CLEAR, IDCANCEL};

// The columns and their widths in dialog units.
struct Column {
    const wchar_t* title;
    int width;
};
constexpr Column kColumns[] = {{L"Time", 48}, {L"Zone", 90}, {L"What happened", 105}, {L"Why", 120}};

RECT RectInClient(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool PutOnClipboard(HWND owner, const std::wstring& text)
{
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    bool put = false;
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
            GlobalUnlock(memory);
            put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!put) GlobalFree(memory);
    }
    CloseClipboard();
    return put;
}

}  // namespace

CActivityDlg::CActivityDlg() : WithMessageTable(IDD_ACTIVITY) {}

CActivityDlg::~CActivityDlg() { theActivity.SetWindowListener(nullptr); }

std::span<const MessageEntry<CActivityDlg>> CActivityDlg::MessageTable()
{
    static const MessageEntry<CActivityDlg> table[] = {
        MapMessage<CActivityDlg>(kRecordedMessage, &CActivityDlg::OnRecorded),
        MapMessage<CActivityDlg>(WM_SIZE, &CActivityDlg::OnSize),
        MapMessage<CActivityDlg>(WM_GETMINMAXINFO, &CActivityDlg::OnMinMaxInfo),
        MapCommand<CActivityDlg>(IDC_ACTIVITY_COPY, &CActivityDlg::OnCopy, BN_CLICKED),
        MapCommand<CActivityDlg>(IDC_ACTIVITY_CLEAR, &CActivityDlg::OnClear, BN_CLICKED),
        MapNotify<CActivityDlg>(IDC_ACTIVITY_LIST, LVN_KEYDOWN, &CActivityDlg::OnListKey),
    };
    return table;
}

void CActivityDlg::Open()
{
    if (!Exists()) {
        if (!CreateModeless(nullptr)) return;
        ShowWindow(handle_, SW_SHOW);
    } else if (IsIconic(handle_)) {
        ShowWindow(handle_, SW_RESTORE);
    }
    SetForegroundWindow(handle_);
}

BOOL CActivityDlg::OnInitDialog()
{
    list_ = Item(IDC_ACTIVITY_LIST);
    const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VORN));
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP,
                 LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    int index = 0;
    for (const Column& column : kColumns) {
        RECT width{0, 0, column.width, 0};
        MapDialogRect(handle_, &width);
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT | LVCF_WIDTH;
        item.pszText = const_cast<wchar_t*>(column.title);
        item.cx = width.right;
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
    }

    RECT client{};
    GetClientRect(handle_, &client);
    initialClient_ = {client.right, client.bottom};
    RECT window{};
    GetWindowRect(handle_, &window);
    minimumWindow_ = {window.right - window.left, window.bottom - window.top};
    initialList_ = RectInClient(handle_, list_);
    for (std::size_t i = 0; i < std::size(kButtons); ++i) initialButtons_[i] = RectInClient(handle_, Item(kButtons[i]));

    // Nothing shown yet: the list is made from the whole record.
    shown_ = 0;
    CatchUp();
    posted_ = false;
    theActivity.SetWindowListener(this);
    return TRUE;
}

void CActivityDlg::OnFinalDestroy()
{
    theActivity.SetWindowListener(nullptr);
    list_ = nullptr;
}

// On the pointer's path: only a note to the window, once until it is read.
void CActivityDlg::ActivityRecorded()
{
    if (handle_ && !posted_.exchange(true)) PostMessageW(handle_, kRecordedMessage, 0, 0);
}

LRESULT CActivityDlg::OnRecorded(WPARAM, LPARAM)
{
    posted_ = false;
    CatchUp();
    return 0;
}

void CActivityDlg::CatchUp()
{
    if (!list_) return;
    const ActivityCatchUp change = CatchUpActivity(shown_, theActivity);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    if (change.rebuild) {
        SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t row = 0; row < theActivity.Count(); ++row)
            InsertRow(static_cast<int>(row), theActivity.Newest(row));
    } else {
        // The oldest of the new first, so that the newest ends on top.
        for (std::size_t k = change.insert; k-- > 0;) InsertRow(0, theActivity.Newest(k));
        for (auto row = static_cast<std::size_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); row-- > change.keep;)
            SendMessageW(list_, LVM_DELETEITEM, row, 0);
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    shown_ = theActivity.Recorded();
}

void CActivityDlg::InsertRow(int at, const ActivityEvent& event)
{
    const ActivityWords words = DescribeActivity(event);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = at;
    item.pszText = const_cast<wchar_t*>(words.time.c_str());
    const auto row = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return;
    const std::wstring* rest[] = {&words.zone, &words.what, &words.why};
    for (int column = 1; column <= 3; ++column) {
        LVITEMW sub{};
        sub.iSubItem = column;
        sub.pszText = const_cast<wchar_t*>(rest[column - 1]->c_str());
        SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
}

void CActivityDlg::Copy()
{
    CatchUp();
    std::vector<std::size_t> rows;
    for (LRESULT row = -1; (row = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)) >= 0;)
        rows.push_back(static_cast<std::size_t>(row));
    const std::wstring text = ActivityClipboardText(theActivity, rows);
    // An empty record leaves the clipboard as it was.
    if (!text.empty()) PutOnClipboard(handle_, text);
}

void CActivityDlg::Clear()
{
    theActivity.Clear();
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    shown_ = theActivity.Recorded();
}

void CActivityDlg::SelectAll()
{
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

LRESULT CActivityDlg::OnCopy(WPARAM, LPARAM)
{
    Copy();
    return 0;
}

LRESULT CActivityDlg::OnClear(WPARAM, LPARAM)
{
    Clear();
    return 0;
}

LRESULT CActivityDlg::OnListKey(WPARAM, LPARAM lParam)
{
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(lParam);
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return 0;
    if (key->wVKey == 'C') Copy();
    if (key->wVKey == 'A') SelectAll();
    return 0;
}

// The list takes what the window gains; the buttons keep to the bottom right.
LRESULT CActivityDlg::OnSize(WPARAM wParam, LPARAM lParam)
{
    if (!list_ || wParam == SIZE_MINIMIZED) return 0;
    const int dx = LOWORD(lParam) - initialClient_.cx;
    const int dy = HIWORD(lParam) - initialClient_.cy;
    const int count = 1 + static_cast<int>(std::size(kButtons));
    HDWP moves = BeginDeferWindowPos(count);
    const RECT& list = initialList_;
    if (moves)
        moves = DeferWindowPos(moves, list_, nullptr, list.left, list.top, list.right - list.left + dx,
                               list.bottom - list.top + dy, SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::size_t i = 0; i < std::size(kButtons) && moves; ++i)
        moves = DeferWindowPos(moves, Item(kButtons[i]), nullptr, initialButtons_[i].left + dx,
                               initialButtons_[i].top + dy, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    if (moves) EndDeferWindowPos(moves);
    return 0;
}

LRESULT CActivityDlg::OnMinMaxInfo(WPARAM, LPARAM lParam)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    if (minimumWindow_.cx > 0) info->ptMinTrackSize = {minimumWindow_.cx, minimumWindow_.cy};
    return 0;
}

bool CActivityDlg::PreTranslateMessage(MSG& message)
{
    if (!handle_ || (message.hwnd != handle_ && !IsChild(handle_, message.hwnd))) return false;
    // Only Alt makes a letter an access key: Clear needs Alt+L.
    if (DispatchStrayAccessKey(message)) return true;
    return IsDialogMessageW(handle_, &message) != FALSE;
}

}  // namespace vorn::ui
