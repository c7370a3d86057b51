#include "buttons/buttons.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "actions/custom_actions.h"
#include "actions/util.h"
#include "platform/port.h"
#include "settings/data.h"
#include "settings/number.h"
#include "settings/profile.h"
#include "settings/setting_table.h"
#include "settings/settings_file.h"

namespace vorn {

CButtons theButtons;

namespace {

// The keys of a section, in the order they are written. The actions are in
// plain, ctrl, shift order, unlike the slots.
enum Key {
    ActionPlain,
    ActionCtrl,
    ActionShift,
    Left,
    Top,
    Width,
    Height,
    Caption,
    KeepTitle,
    Transparency
};
constexpr const wchar_t* kKeys[] = {L"Action, plain", L"Action, ctrl", L"Action, shift", L"Left",
                                    L"Top",           L"Width",        L"Height",        L"Caption",
                                    L"Keep title",    L"Transparency"};
constexpr int kSlotOfAction[3] = {Plain, Ctrl, Shift};

// A caption keeps its line breaks in the file as the four characters \r\n.
constexpr std::wstring_view kStoredBreak = L"\\r\\n";

std::wstring Replace(std::wstring text, std::wstring_view from, std::wstring_view to)
{
    for (std::size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

int Saturate(std::int64_t value)
{
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::int64_t WidthOf(const RECT& r) { return std::int64_t{r.right} - r.left; }
std::int64_t HeightOf(const RECT& r) { return std::int64_t{r.bottom} - r.top; }

RECT MakeRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    return RECT{Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
}

// Where an edit may put a button: inside the screen area, at least one unit
// wide and high, keeping its size where it fits. A rectangle outside that
// would be stored as a section the next start stops reading at, losing it and
// every button after it.
RECT HeldInScreenArea(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    const std::int64_t width = std::clamp<std::int64_t>(right - left, 1, kDiagramRight - kDiagramLeft);
    const std::int64_t height = std::clamp<std::int64_t>(bottom - top, 1, kDiagramBottom - kDiagramTop);
    left = std::clamp<std::int64_t>(left, kDiagramLeft, kDiagramRight - width);
    top = std::clamp<std::int64_t>(top, kDiagramTop, kDiagramBottom - height);
    return MakeRect(left, top, left + width, top + height);
}

RECT HeldInScreenArea(const RECT& r) { return HeldInScreenArea(r.left, r.top, r.right, r.bottom); }

}  // namespace

int TruncateToInt(double value)
{
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// --- one button ---------------------------------------------------------------------

CButtonInfo::CButtonInfo(int id, IButtonsHost* host)
    : scaleX(os::Windows().GetSystemMetrics(SM_CXVIRTUALSCREEN) / kDiagramWidth),
      scaleY(os::Windows().GetSystemMetrics(SM_CYVIRTUALSCREEN) / kDiagramHeight),
      id(id), actions{kNoActionIndex, kNoActionIndex, kNoActionIndex}
{
    if (host) window = host->CreateButtonWindow(id);
}

CButtonInfo::~CButtonInfo() = default;

namespace {

// Two edges in pixels, truncated; a pair beyond the range of a coordinate
// (a hand-edited Left=1000000000) is moved back into it keeping its length,
// so that the window can still be shown at its size where it can be reached.
std::pair<int, int> PixelEdges(double low, double high)
{
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    double a = std::trunc(low);
    double b = std::trunc(high);
    if (b > kMax) {
        a -= b - kMax;
        b = kMax;
    }
    if (a < kMin) {
        b += kMin - a;
        a = kMin;
    }
    return {TruncateToInt(a), TruncateToInt(b)};
}

}  // namespace

RECT CButtonInfo::ToScreen(const RECT& d) const
{
    const auto [left, right] = PixelEdges((double{1.0} * d.left - kDiagramLeft) * scaleX,
                                          (double{1.0} * d.right - kDiagramLeft) * scaleX);
    const auto [top, bottom] = PixelEdges((double{1.0} * d.top - kDiagramTop) * scaleY,
                                          (double{1.0} * d.bottom - kDiagramTop) * scaleY);
    return RECT{left, top, right, bottom};
}

RECT CButtonInfo::ToDiagram(const RECT& s) const
{
    const auto x = [&](LONG v) { return TruncateToInt(std::trunc(v / scaleX) + kDiagramLeft); };
    const auto y = [&](LONG v) { return TruncateToInt(std::trunc(v / scaleY) + kDiagramTop); };
    return RECT{x(s.left), y(s.top), x(s.right), y(s.bottom)};
}

// --- the list ---------------------------------------------------------------------------

CButtons::~CButtons() = default;

void CButtons::Save() const
{
    if (!loading) theData.SaveSettings();
}

CButtonInfo* CButtons::Find(int id) const
{
    for (const auto& button : list_)
        if (button->id == id) return button.get();
    return nullptr;
}

int CButtons::NextFreeId() const
{
    for (int id = 0;; ++id)
        if (!Find(id)) return id;
}

int CButtons::AddButton(bool select, int left, int top, int right, int bottom)
{
    if (static_cast<int>(list_.size()) >= kMaxButtons) return -1;
    auto button = std::make_unique<CButtonInfo>(NextFreeId(), host_);
    SetDiagramRect(*button, RECT{left, top, right, bottom});
    if (select)
        for (const auto& other : list_)
            other->selected = false;
    const int id = button->id;
    list_.insert(list_.begin(), std::move(button));
    if (host_) host_->FocusMainWindow();
    Save();
    return id;
}

void CButtons::DeleteButton(int id)
{
    const auto it = std::find_if(list_.begin(), list_.end(), [id](const auto& b) { return b->id == id; });
    if (it == list_.end()) return;
    list_.erase(it);
    Save();
}

void CButtons::DeleteAllButtons()
{
    if (diagram_) diagram_->ClearDiagramSelection();
    list_.clear();
    // The sections not shown are buttons too: the user asked for none.
    notShown_.clear();
    if (diagram_) diagram_->RepaintDiagram(nullptr);
    Save();
}

void CButtons::Clear()
{
    list_.clear();
    notShown_.clear();
    screenKnown_ = false;
}

int CButtons::HitTest(POINT p) const
{
    for (const auto& button : list_) {
        const RECT& r = button->diagramRect;
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return button->id;
    }
    return -1;
}

RECT CButtons::GetDiagramRect(int id) const
{
    const CButtonInfo* button = Find(id);
    return button ? button->diagramRect : RECT{};
}

std::wstring CButtons::GetCaption(int id) const
{
    const CButtonInfo* button = Find(id);
    return button ? button->caption : L"(not found)";
}

void CButtons::SetCaption(int id, const std::wstring& text)
{
    CButtonInfo* button = Find(id);
    if (!button) return;
    button->caption = text;
    if (button->window) button->window->SetText(text);
    Save();
}

void CButtons::SetAction(int id, int slot, ActionIndex index)
{
    CButtonInfo* button = Find(id);
    if (!button || slot < 0 || slot >= 3) return;
    button->actions[static_cast<std::size_t>(slot)] = index;
    Save();
}

void CButtons::SetKeepTitle(int id, bool keep)
{
    CButtonInfo* button = Find(id);
    if (!button) return;
    button->keepTitle = keep;
    Save();
}

void CButtons::SetTransparency(int id, int percent)
{
    CButtonInfo* button = Find(id);
    if (!button) return;
    button->transparency = percent;
    // The alpha comes from the percentage held to 0...100: a hand-edited 300
    // must not wrap around to some other transparency.
    if (button->window) theUtil.SetWindowTransparency(button->window->Handle(), percent);
    Save();
}

// A window that lies wholly outside the virtual screen (the screen shrank, or
// a hand-edited file) is shown at the nearest place inside it instead, so it
// can still be reached; what is stored does not change.
RECT CButtons::Reachable(const RECT& r)
{
    if (!screenKnown_) {
        IWindows& windows = os::Windows();
        screen_.left = windows.GetSystemMetrics(SM_XVIRTUALSCREEN);
        screen_.top = windows.GetSystemMetrics(SM_YVIRTUALSCREEN);
        screen_.right = screen_.left + windows.GetSystemMetrics(SM_CXVIRTUALSCREEN);
        screen_.bottom = screen_.top + windows.GetSystemMetrics(SM_CYVIRTUALSCREEN);
        screenKnown_ = true;
    }
    const std::int64_t x0 = screen_.left;
    const std::int64_t y0 = screen_.top;
    const std::int64_t cx = std::int64_t{screen_.right} - screen_.left;
    const std::int64_t cy = std::int64_t{screen_.bottom} - screen_.top;
    if (cx <= 0 || cy <= 0) return r;
    const bool outside = r.right <= x0 || r.left >= x0 + cx || r.bottom <= y0 || r.top >= y0 + cy;
    if (!outside) return r;
    const std::int64_t width = std::clamp<std::int64_t>(WidthOf(r), 0, cx);
    const std::int64_t height = std::clamp<std::int64_t>(HeightOf(r), 0, cy);
    const std::int64_t left = std::clamp<std::int64_t>(r.left, x0, x0 + cx - width);
    const std::int64_t top = std::clamp<std::int64_t>(r.top, y0, y0 + cy - height);
    return MakeRect(left, top, left + width, top + height);
}

void CButtons::SetDiagramRect(CButtonInfo& button, const RECT& rect)
{
    button.diagramRect = rect;
    button.screenRect = button.ToScreen(rect);
    if (button.window) button.window->Place(Reachable(button.screenRect));
}

void CButtons::MoveButtonBy(int id, int dx, int dy)
{
    CButtonInfo* button = Find(id);
    if (!button) return;
    const RECT& r = button->diagramRect;
    std::int64_t x = dx;
    std::int64_t y = dy;
    if (x > 0 && r.right + x >= kDiagramRight) x = std::int64_t{kDiagramRight} - r.right;
    if (x <= 0 && r.left + x < kDiagramLeft) x = std::int64_t{kDiagramLeft} - r.left;
    if (y > 0 && r.bottom + y >= kDiagramBottom) y = std::int64_t{kDiagramBottom} - r.bottom;
    if (y <= 0 && r.top + y < kDiagramTop) y = std::int64_t{kDiagramTop} - r.top;
    const RECT moved = HeldInScreenArea(r.left + x, r.top + y, r.right + x, r.bottom + y);
    const bool sameSize = WidthOf(moved) == WidthOf(r) && HeightOf(moved) == HeightOf(r);
    const RECT was = button->screenRect;
    button->diagramRect = moved;
    RECT& screen = button->screenRect = button->ToScreen(moved);
    // A move keeps the window's size. Mapped edge by edge, the width and the
    // height would change by a pixel at every other step: the window would
    // be seen to wobble, and be sized and drawn again each time. At the far
    // edges the mapped edge holds, so that the window stays on the screen.
    if (sameSize) {
        if (moved.right == kDiagramRight)
            screen.left = Saturate(screen.right - WidthOf(was));
        else
            screen.right = Saturate(screen.left + WidthOf(was));
        if (moved.bottom == kDiagramBottom)
            screen.top = Saturate(screen.bottom - HeightOf(was));
        else
            screen.bottom = Saturate(screen.top + HeightOf(was));
    }
    if (button->window) button->window->Place(Reachable(screen));
    Save();
}

void CButtons::ResizeButtonBy(int id, int dWidth, int dHeight)
{
    CButtonInfo* button = Find(id);
    if (!button) return;
    // A hand-edited rectangle beyond the screen area is brought inside first,
    // so that the edges have a range to move in. The far edges stop at the
    // screen area's; the size of one unit is kept by HeldInScreenArea.
    const RECT r = HeldInScreenArea(button->diagramRect);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{r.right} + dWidth, kDiagramRight);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{r.bottom} + dHeight, kDiagramBottom);
    SetDiagramRect(*button, HeldInScreenArea(r.left, r.top, right, bottom));
    Save();
}

void CButtons::SetScreenRect(int id, const RECT& rect)
{
    CButtonInfo* button = Find(id);
    if (!button) return;
    for (const auto& other : list_)
        other->selected = other.get() == button;
    button->screenRect = rect;
    if (diagram_) diagram_->RepaintDiagram(&button->diagramRect);
    button->diagramRect = HeldInScreenArea(button->ToDiagram(rect));
    if (diagram_) diagram_->RepaintDiagram(&button->diagramRect);
    Save();
}

void CButtons::FinishScreenSizing(int id)
{
    CButtonInfo* button = Find(id);
    if (!button) return;
    const RECT mapped = button->ToDiagram(button->screenRect);
    const RECT& stored = button->diagramRect;
    if (mapped.left != stored.left || mapped.top != stored.top || mapped.right != stored.right ||
        mapped.bottom != stored.bottom)
        SetDiagramRect(*button, stored);
}

// --- group operations ------------------------------------------------------------

const CButtonInfo* CButtons::Reference() const
{
    for (const auto& button : list_)
        if (button->selected) return button.get();
    return nullptr;
}

template <class Compute> void CButtons::ForEachFromReference(Compute compute)
{
    const CButtonInfo* reference = Reference();
    if (!reference) return;
    const RECT r = reference->diagramRect;
    for (const auto& button : list_) {
        if (diagram_) diagram_->RepaintDiagram(&button->diagramRect);
        SetDiagramRect(*button, HeldInScreenArea(compute(button->diagramRect, r)));
        if (diagram_) diagram_->RepaintDiagram(&button->diagramRect);
    }
    // Saved even while loading: these are the user's edits.
    theData.SaveSettings();
}

void CButtons::MakeSameSize()
{
    ForEachFromReference([](const RECT& b, const RECT& r) {
        std::int64_t top = b.top;
        std::int64_t left = b.left;
        std::int64_t bottom = top + HeightOf(r);
        std::int64_t right = left + WidthOf(r);
        if (bottom > kDiagramBottom) {
            top -= bottom - kDiagramBottom;
            bottom = kDiagramBottom;
        }
        if (right > kDiagramRight) {
            left -= right - kDiagramRight;
            right = kDiagramRight;
        }
        return MakeRect(left, top, right, bottom);
    });
}

void CButtons::AlignTops()
{
    ForEachFromReference([](const RECT& b, const RECT& r) {
        const std::int64_t bottom = std::int64_t{r.top} + HeightOf(b);
        return MakeRect(b.left, r.top, b.right, bottom >= kDiagramBottom ? kDiagramBottom : bottom);
    });
}

void CButtons::AlignBottoms()
{
    ForEachFromReference([](const RECT& b, const RECT& r) {
        const std::int64_t top = std::int64_t{r.bottom} - HeightOf(b);
        return MakeRect(b.left, top <= kDiagramTop ? kDiagramTop : top, b.right, r.bottom);
    });
}

void CButtons::AlignLeftSides()
{
    ForEachFromReference([](const RECT& b, const RECT& r) {
        const std::int64_t right = std::int64_t{r.left} + WidthOf(b);
        return MakeRect(r.left, b.top, right >= kDiagramRight ? kDiagramRight : right, b.bottom);
    });
}

void CButtons::AlignRightSides()
{
    ForEachFromReference([](const RECT& b, const RECT& r) {
        const std::int64_t left = std::int64_t{r.right} - WidthOf(b);
        return MakeRect(left <= kDiagramLeft ? kDiagramLeft : left, b.top, r.right, b.bottom);
    });
}

void CButtons::MakeSameTransparency()
{
    const CButtonInfo* reference = Reference();
    if (!reference) return;
    const int percent = reference->transparency;
    for (const auto& button : list_) {
        button->transparency = percent;
        if (button->window) theUtil.SetWindowTransparency(button->window->Handle(), percent);
    }
    theData.SaveSettings();
}

void CButtons::SetSizingFrames(bool on)
{
    for (const auto& button : list_)
        if (button->window) button->window->SetSizingFrame(on);
}

void CButtons::RunButtonAction(int id, HWND target, bool ending, std::optional<ModifierKey> modifier)
{
    const CButtonInfo* button = Find(id);
    if (!button || !host_) return;
    // Slots follow the ModifierKey order.
    const ModifierKey slot = modifier ? *modifier : CurrentModifier();
    host_->RunAction(button->actions[static_cast<std::size_t>(slot)], ending, target);
}

void CButtons::RemapActions(const std::function<void(ActionIndex&)>& remap)
{
    for (const auto& button : list_)
        for (ActionIndex& action : button->actions)
            remap(action);
    for (StoredButtonSection& stored : notShown_)
        for (ActionIndex& action : stored.customActions)
            if (action >= 0) remap(action);
}

// --- the settings file --------------------------------------------------------------

void CButtons::LoadButtons(const ProfileFile& file)
{
    Clear();
    loading = true;
    for (int number = 1;; ++number) {
        const std::wstring section = L"Button " + DecimalText(number);
        const auto get = [&](Key key, const wchar_t* missing) { return file.Get(section, kKeys[key], missing); };
        StoredButtonSection stored;
        stored.values = {get(ActionPlain, L"No action"),
                         get(ActionCtrl, L"No action"),
                         get(ActionShift, L"No action"),
                         get(Left, L"-1"),
                         get(Top, L"-1"),
                         get(Width, L"0"),
                         get(Height, L"0"),
                         get(Caption, L""),
                         get(KeepTitle, L"N"),
                         get(Transparency, L"0")};
        const auto number_of = [&](Key key) { return std::int64_t{ParseSettingNumber(stored.values[key])}; };
        const std::int64_t left = number_of(Left);
        const std::int64_t top = number_of(Top);
        const std::int64_t width = number_of(Width);
        const std::int64_t height = number_of(Height);
        // The first unusable section ends the list; so does one whose far
        // edge lies beyond the range of a coordinate.
        if (left < 0 || top < 0 || width < 1 || height < 1) break;
        if (left + width > std::numeric_limits<int>::max() || top + height > std::numeric_limits<int>::max()) break;
        if (static_cast<int>(list_.size()) >= kMaxButtons) {
            for (int key = ActionPlain; key <= ActionShift; ++key) {
                const ActionIndex action = FindActionIndex(stored.values[static_cast<std::size_t>(key)]);
                if (action >= kBuiltInActionCount) stored.customActions[static_cast<std::size_t>(key)] = action;
            }
            notShown_.push_back(std::move(stored));
            continue;
        }
        const int id = AddButton(false, static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
                                 static_cast<int>(top + height));
        // The file is newest first, as the list is: each section goes after
        // those read before it, so that a save writes them back in their order.
        std::rotate(list_.begin(), list_.begin() + 1, list_.end());
        for (int key = ActionPlain; key <= ActionShift; ++key)
            SetAction(id, kSlotOfAction[key], FindActionIndex(stored.values[static_cast<std::size_t>(key)]));
        SetCaption(id, Replace(stored.values[Caption], kStoredBreak, L"\r\n"));
        SetKeepTitle(id, ParseFlag(stored.values[KeepTitle].c_str()));
        SetTransparency(id, static_cast<int>(number_of(Transparency)));
    }
    // Frames show only while the Buttons page is open.
    SetSizingFrames(false);
    loading = false;
}

void CButtons::AppendSections(std::wstring& out) const
{
    int number = 0;
    const auto section = [&] { out += L"[Button " + DecimalText(++number) + L"]\r\n"; };
    const auto line = [&](Key key, std::wstring_view value) { AppendKeyLine(out, kKeys[key], value); };
    for (const auto& button : list_) {
        section();
        for (int key = ActionPlain; key <= ActionShift; ++key)
            line(Key(key), ActionName(button->actions[static_cast<std::size_t>(kSlotOfAction[key])]));
        const RECT& r = button->diagramRect;
        line(Left, DecimalText(r.left));
        line(Top, DecimalText(r.top));
        line(Width, DecimalText(WidthOf(r)));
        line(Height, DecimalText(HeightOf(r)));
        line(Caption, Replace(button->caption, L"\r\n", kStoredBreak));
        line(KeepTitle, button->keepTitle ? L"True" : L"False");
        line(Transparency, DecimalText(button->transparency) + L"%");
        out += L"\r\n";
    }
    for (const StoredButtonSection& stored : notShown_) {
        section();
        for (int key = ActionPlain; key <= Transparency; ++key) {
            const auto at = static_cast<std::size_t>(key);
            const bool custom = key <= ActionShift && stored.customActions[at] >= 0;
            line(Key(key), custom ? ActionName(stored.customActions[at]) : stored.values[at]);
        }
        out += L"\r\n";
    }
}

}  // namespace vorn
