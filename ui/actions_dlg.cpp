#include "ui/actions_dlg.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "actions/custom_actions.h"
#include "actions/util.h"
#include "engine/monitors.h"
#include "ui/action_tree.h"
#include "ui/controls.h"

namespace vorn::ui {
namespace {

// The line under the key list that tells what the tree's selected action
// does, made by the page: one of its labels, the last id they may take.
constexpr int kDescriptionLineId = kFirstLabelId + kLabelCount - 1;
// Where it lies, in dialog units: below the key list, as wide as the picture,
// two lines high.
constexpr RECT kDescriptionLine{6, 189, 161, 207};

constexpr PictureAccessibility kZonesAccessibility{
    L"Screen zones", L"Arrow keys choose a corner or a side; the action tree sets its action"};
constexpr const wchar_t* kZonesHint[] = {L"Click on a corner or a side,", L"and then set its action"};

// The labels the page changes, by their index among the page's labels.
constexpr int kTreeLabel = 1;
constexpr int kMonitorLabel = 3;
// The wait box's label and the line after it.
constexpr int kWaitLabels[] = {4, 5};

constexpr const wchar_t* kMonitorTip = L"Choose the monitor whose actions the page shows and sets";
constexpr const wchar_t* kWaitTip =
    L"How long the pointer stays in the zone before its action runs, in milliseconds, on every monitor; "
    L"empty: the Dwell time of the Settings page";
// A wait has at most four digits; more is held to the longest wait.
constexpr int kWaitDigits = 4;

// A label's text with its own "&"s shown as typed and the access key first.
std::wstring WithAccessKeyFirst(const std::wstring& text)
{
    std::wstring marked = L"&";
    for (const wchar_t c : text) {
        if (c == L'&') marked += L'&';
        marked += c;
    }
    return marked;
}

}  // namespace

// --- the monitor picture -------------------------------------------------------------------

CMonitorStatic::CMonitorStatic(CActionsDlg& page) : WithMessageTable(kZonesAccessibility, kZonesHint), page_(page) {}

std::span<const MessageEntry<CMonitorStatic>> CMonitorStatic::MessageTable()
{
    static const MessageEntry<CMonitorStatic> table[] = {
        MapMessage<CMonitorStatic>(WM_LBUTTONDOWN, &CMonitorStatic::OnLeftButtonDown),
        MapMessage<CMonitorStatic>(WM_LBUTTONDBLCLK, &CMonitorStatic::OnLeftButtonDoubleClick),
        MapMessage<CMonitorStatic>(WM_MOUSEMOVE, &CMonitorStatic::OnMouseMove),
        MapMessage<CMonitorStatic>(WM_KEYDOWN, &CMonitorStatic::OnKeyDown),
    };
    return table;
}

void CMonitorStatic::Select(EdgeZone zone)
{
    if (zone == NoZone || zone == selectedZone) return;
    selectedZone = zone;
    page_.ShowZone(zone);
    InvalidateRect(handle_, nullptr, FALSE);
}

std::wstring CMonitorStatic::ValueText() const
{
    return ZoneValueText(selectedZone, page_.Set(), page_.Monitor());
}

RECT CMonitorStatic::FocusTarget() const { return kDiagramZoneRects[static_cast<std::size_t>(selectedZone)]; }

LRESULT CMonitorStatic::OnLeftButtonDown(WPARAM wParam, LPARAM lParam)
{
    // The keyboard follows the pointer, as in a list: the arrows go on from here.
    SetFocus(handle_);
    Select(DiagramZoneAt(picture_.UnitsAt(lParam)));
    return DefaultProcedure(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CMonitorStatic::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    Arrow arrow{};
    switch (wParam) {
    case VK_LEFT:
        arrow = Arrow::Left;
        break;
    case VK_RIGHT:
        arrow = Arrow::Right;
        break;
    case VK_UP:
        arrow = Arrow::Up;
        break;
    case VK_DOWN:
        arrow = Arrow::Down;
        break;
    default:
        return DefaultProcedure(WM_KEYDOWN, wParam, lParam);
    }
    picture_.ShowFocusCues();
    Select(NeighbourZone(selectedZone, arrow));
    return 0;
}

// Resets the selected zone, wherever the double-click falls.
LRESULT CMonitorStatic::OnLeftButtonDoubleClick(WPARAM wParam, LPARAM lParam)
{
    // On a monitor chosen, its own "No action".
    if (page_.Monitor().Set(set, selectedZone, kNoActionIndex)) theData.SaveSettings();
    InvalidateRect(handle_, nullptr, FALSE);
    page_.ShowZone(selectedZone);
    page_.UpdateToolTip(MouseMoveAt(handle_, lParam), true);
    return DefaultProcedure(WM_LBUTTONDBLCLK, wParam, lParam);
}

LRESULT CMonitorStatic::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    const EdgeZone zone = DiagramZoneAt(picture_.UnitsAt(lParam));
    if (zone != hoverZone) {
        hoverZone = zone;
        InvalidateRect(handle_, nullptr, FALSE);
    }
    return DefaultProcedure(WM_MOUSEMOVE, wParam, lParam);
}

void CMonitorStatic::Paint(HDC dc, const PictureColours& colours, const RECT& /*area*/)
{
    picture_.Draw(dc, colours);
    // Without the artwork the zones are not seen on it: each has its outline.
    if (!colours.artwork)
        for (const RECT& zone : kDiagramZoneRects)
            picture_.Outline(dc, zone, ColourRef(colours.outline));
    const OwnedBrush hover(CreateSolidBrush(ColourRef(colours.hotZone)));
    const OwnedBrush selection(CreateSolidBrush(ColourRef(colours.selectedZone)));
    if (hoverZone != NoZone) picture_.Fill(dc, kDiagramZoneRects[static_cast<std::size_t>(hoverZone)], hover.Get());
    // After the hover, so that a hovered selected zone stays red.
    picture_.Fill(dc, kDiagramZoneRects[static_cast<std::size_t>(selectedZone)], selection.Get());
    // A zone that takes the wheel or a click, whichever set is shown: a dot
    // in the outline colour on a rim of the background's, seen on any fill
    // and in the theme's colours in high contrast.
    const OwnedBrush rim(CreateSolidBrush(ColourRef(colours.background)));
    const OwnedBrush dot(CreateSolidBrush(ColourRef(colours.outline)));
    for (int zone = 0; zone < kZoneCount; ++zone) {
        if (!HasWheelOrClick(EdgeZone(zone), page_.Monitor())) continue;
        const RECT mark = ZoneMarkRect(EdgeZone(zone));
        picture_.Fill(dc, RECT{mark.left - 1, mark.top - 1, mark.right + 1, mark.bottom + 1}, rim.Get());
        picture_.Fill(dc, mark, dot.Get());
    }
}

// --- the page -------------------------------------------------------------------------------

std::span<const MessageEntry<CActionsDlg>> CActionsDlg::MessageTable()
{
    static const MessageEntry<CActionsDlg> table[] = {
        MapMessage<CActionsDlg>(WM_SHOWWINDOW, &CActionsDlg::OnShowWindow),
        MapMessage<CActionsDlg>(WM_DISPLAYCHANGE, &CActionsDlg::OnDisplayChange),
        MapNotify<CActionsDlg>(IDC_ACTION_TREE, TVN_SELCHANGEDW, &CActionsDlg::OnSelectionChanged),
        MapCommand<CActionsDlg>(IDC_MONITOR, &CActionsDlg::OnMonitorChanged, CBN_SELCHANGE),
        MapCommand<CActionsDlg>(IDC_ZONE_WAIT, &CActionsDlg::OnWaitChanged, EN_CHANGE),
    };
    return table;
}

BOOL CActionsDlg::OnInitDialog()
{
    // Made before the common initialisation, which makes it one of the
    // page's labels. The template is left as it is: the line is the page's
    // own, in the room below the key list.
    description_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                                   handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDescriptionLineId)),
                                   GetModuleHandleW(nullptr), nullptr);
    PlaceDescriptionLine();
    CPicturePage::OnInitDialog();
    monitorCombo_ = Item(IDC_MONITOR);
    waitBox_ = Item(IDC_ZONE_WAIT);
    SendMessageW(waitBox_, EM_SETLIMITTEXT, kWaitDigits, 0);
    const ControlTip tools[] = {{tree_, L"Choose the action for the zone and the trigger"},
                                {diagram_.Handle(), L"Choose a corner or a side of the screen"},
                                {modifierCombo_, L"Select what sets the action off: the pointer entering the zone, "
                                                 L"the wheel or a click in it, with or without a key"},
                                {monitorCombo_, kMonitorTip},
                                {waitBox_, kWaitTip}};
    toolTip_.Reset(CreatePageToolTip(handle_, tools));
    RebuildMonitorList();
    return TRUE;
}

void CActionsDlg::RebuildMonitorList()
{
    monitors_ = MonitorChoices(ConnectedMonitors());
    const bool shown = ShowsMonitorList(monitors_);
    // Without the list the page works on all monitors.
    std::size_t chosen = 0;
    for (std::size_t i = 1; shown && i < monitors_.size(); ++i)
        if (EqualsIgnoringCase(monitors_[i].devicePath, monitor_.devicePath)) chosen = i;
    monitor_ = monitors_[chosen];
    SendMessageW(monitorCombo_, CB_RESETCONTENT, 0, 0);
    for (const MonitorChoice& choice : monitors_)
        SendMessageW(monitorCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.text.c_str()));
    SendMessageW(monitorCombo_, CB_SETCURSEL, chosen, 0);
    // The keyboard leaves the list before it goes.
    if (!shown && GetFocus() == monitorCombo_) SetFocus(diagram_.Handle());
    ShowWindow(Label(kMonitorLabel).Handle(), shown ? SW_SHOWNA : SW_HIDE);
    ShowWindow(monitorCombo_, shown ? SW_SHOWNA : SW_HIDE);
}

void CActionsDlg::PlaceDescriptionLine()
{
    if (!description_) return;
    RECT line = kDescriptionLine;
    MapDialogRect(handle_, &line);
    SetWindowPos(description_, nullptr, line.left, line.top, line.right - line.left, line.bottom - line.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(description_, WM_SETFONT, SendMessageW(handle_, WM_GETFONT, 0, 0), TRUE);
}

void CActionsDlg::RebuildTree()
{
    CPicturePage::RebuildTree();
    ShowZone(zone_);
}

void CActionsDlg::ShowZone(EdgeZone zone)
{
    zone_ = zone;
    // The label names the tree for screen readers, and its access key leads there.
    SetWindowTextW(Label(kTreeLabel).Handle(), WithAccessKeyFirst(ZoneLabel(zone, set_, monitor_)).c_str());
    SelectTreeAction(tree_, monitor_.Own(set_, zone_));
    showingWait_ = true;
    SetWindowTextW(waitBox_, ZoneWaitText(zone_).c_str());
    showingWait_ = false;
    diagram_.AnnounceValue();
}

void CActionsDlg::ShowMonitor()
{
    FillTree();
    ShowZone(zone_);
    // Its marks are the monitor's.
    InvalidateRect(diagram_.Handle(), nullptr, FALSE);
}

std::optional<std::wstring> CActionsDlg::OwnTip(HWND control, POINT point)
{
    if (control == monitorCombo_) return kMonitorTip;
    if (control == waitBox_) return kWaitTip;
    if (control != diagram_.Handle()) return std::nullopt;
    return ZoneTip(DiagramZoneAt(diagram_.Picture().Scale().Units(point)), diagram_.set, monitor_);
}

void CActionsDlg::AfterScaleChange()
{
    PlaceDescriptionLine();
    CPicturePage::AfterScaleChange();
}

LRESULT CActionsDlg::OnShowWindow(WPARAM wParam, LPARAM)
{
    if (!wParam) return 0;
    RebuildMonitorList();
    RebuildTree();
    return 0;
}

// Told by the main window: a monitor came or went.
LRESULT CActionsDlg::OnDisplayChange(WPARAM, LPARAM)
{
    RebuildMonitorList();
    ShowMonitor();
    return 0;
}

LRESULT CActionsDlg::OnMonitorChanged(WPARAM, LPARAM)
{
    const LRESULT selection = SendMessageW(monitorCombo_, CB_GETCURSEL, 0, 0);
    if (selection < 0 || static_cast<std::size_t>(selection) >= monitors_.size()) return 0;
    monitor_ = monitors_[static_cast<std::size_t>(selection)];
    ShowMonitor();
    return 0;
}

LRESULT CActionsDlg::OnWaitChanged(WPARAM, LPARAM)
{
    // Saves come at most a few times a second, so typing may save at each digit.
    if (!showingWait_ && StoreZoneWait(zone_, ControlText(waitBox_))) theData.SaveSettings();
    return 0;
}

LRESULT CActionsDlg::OnSelectionChanged(WPARAM, LPARAM)
{
    // What the item does, without the pointer over it.
    if (description_) SetWindowTextW(description_, SelectedTreeTip(tree_).c_str());
    const std::optional<ActionIndex> chosen = SelectedTreeAction(tree_);
    if (!chosen) return 0;
    // The page selects the zone's own action when it shows it: that is no
    // change, and a first start that changes nothing writes no file.
    if (!monitor_.Set(set_, zone_, *chosen)) return 0;
    theData.SaveSettings();
    diagram_.AnnounceValue();
    // A wheel or click action set or cleared changes the zone's mark.
    if (TriggerOf(set_) != Entering) InvalidateRect(diagram_.Handle(), nullptr, FALSE);
    return 0;
}

void CActionsDlg::FillModifierCombo()
{
    for (ActionSet set = 0; set < kActionSetCount; ++set)
        SendMessageW(modifierCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ActionSetName(set).c_str()));
    SendMessageW(modifierCombo_, CB_SETCURSEL, static_cast<WPARAM>(set_), 0);
}

void CActionsDlg::ListEntryChosen(int index)
{
    if (index < 0 || index >= kActionSetCount) return;
    set_ = index;
    diagram_.set = set_;
    // The wait is the entering's: the wheel and the click run at once.
    const BOOL entering = TriggerOf(set_) == Entering;
    if (!entering && GetFocus() == waitBox_) SetFocus(modifierCombo_);
    EnableWindow(waitBox_, entering);
    for (const int label : kWaitLabels)
        EnableWindow(Label(label).Handle(), entering);
    ShowZone(zone_);
}

void CActionsDlg::ModifierChosen(ModifierKey modifier)
{
    const ActionSet set = SetOf(TriggerOf(set_), modifier);
    SendMessageW(modifierCombo_, CB_SETCURSEL, static_cast<WPARAM>(set), 0);
    ListEntryChosen(set);
}

}  // namespace vorn::ui
