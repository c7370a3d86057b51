#include "ui/settings_page_model.h"

#include <algorithm>

#include "actions/catalogue.h"
#include "actions/custom_actions.h"
#include "settings/number.h"
#include "settings/settings_file.h"
#include "settings/setting_table.h"

namespace vorn {

// Never defined: a box whose field is no setting does not compile.
int NotASetting();

namespace {

// A box for a key of the settings file takes that key's range.
constexpr NumberBox SettingBox(int boxId, int spinId, std::int32_t CData::*field)
{
    for (const SettingDef& def : kSettingDefs)
        if (def.number == field) return NumberBox{boxId, spinId, def.low, def.high, field, &def};
    return NumberBox{boxId, spinId, 0, NotASetting(), field, nullptr};
}

constexpr std::array<NumberBox, 14> kBoxes{{
    SettingBox(1001, 1101, &CData::cornerSize),
    SettingBox(1002, 1102, &CData::sideWidth),
    SettingBox(1003, 1103, &CData::sideLength),
    SettingBox(1004, 1104, &CData::desktopTransparency),
    SettingBox(1005, 1105, &CData::windowTransparency),
    SettingBox(1006, 1106, &CData::windowGrow),
    SettingBox(1007, 1107, &CData::windowShrink),
    SettingBox(1008, 1108, &CData::windowMove),
    SettingBox(1009, 1109, &CData::repeatRate),
    {kDelayHoursBox, 1110, 0, 72, nullptr, nullptr},
    {kDelayMinutesBox, 1111, 0, 59, nullptr, nullptr},
    {kDelaySecondsBox, 1112, 0, 59, nullptr, nullptr},
    SettingBox(1013, 1113, &CData::pollInterval),
    SettingBox(1014, 1114, &CData::dwellTime),
}};

}  // namespace

const std::array<NumberBox, 14> kNumberBoxes = kBoxes;

const NumberBox* FindNumberBox(int boxId)
{
    for (const NumberBox& box : kNumberBoxes)
        if (box.boxId == boxId) return &box;
    return nullptr;
}

bool StoreNumberBox(const NumberBox& box, const std::wstring& text)
{
    if (!box.field || !box.setting) return false;
    const std::int32_t value = SettingNumber(*box.setting, text);
    std::int32_t& stored = theData.*box.field;
    if (stored == value) return false;
    stored = value;
    if (box.field == &CData::sideLength) theData.ComputeSideBands();
    return true;
}

std::int32_t DelayFromParts(const std::wstring& hours, const std::wstring& minutes, const std::wstring& seconds)
{
    const std::int32_t h = std::clamp(ParseSettingNumber(hours), 0, 72);
    const std::int32_t m = std::clamp(ParseSettingNumber(minutes), 0, 59);
    const std::int32_t s = std::clamp(ParseSettingNumber(seconds), 0, 59);
    return (h * 60 + m) * 60 + s;
}

DelayParts PartsOfDelay(std::int32_t d)
{
    const int s = d % 60;
    const int m = ((d - s) / 60) % 60;
    return DelayParts{(d - 60 * m - s) / 3600, m, s};
}

std::vector<std::wstring> WindowListEntries(const std::vector<std::wstring>& titles)
{
    std::vector<std::wstring> entries;
    for (const std::wstring& title : titles)
        if (!title.empty() && title != L"Start" && title != L"Start Menu" && title != L"Program Manager")
            entries.push_back(title);
    const bool hasVorn = std::any_of(entries.begin(), entries.end(),
                                     [](const std::wstring& t) { return EqualsIgnoringCase(t, L"Vorn"); });
    if (!hasVorn) entries.push_back(L"Vorn");
    entries.push_back(L"Taskbar");
    return entries;
}

int PageScroll::Max() const { return std::max(0, contentHeight - viewHeight); }

PageScroll MeasurePageScroll(int lastBottom, int viewHeight, int unitHeight)
{
    // As the dialog manager converts vertical dialog units (MulDiv, rounded).
    const auto pixels = [unitHeight](int units) { return (units * unitHeight + 4) / 8; };
    PageScroll scroll;
    scroll.viewHeight = std::max(0, viewHeight);
    scroll.contentHeight = lastBottom + pixels(kContentMarginUnits);
    scroll.line = std::max(1, pixels(kScrollLineUnits));
    // A page step never jumps over a part of the page the view did not show.
    scroll.page = std::max(1, std::min(pixels(kScrollPageUnits), scroll.viewHeight));
    scroll.room = pixels(kScrollRoomUnits);
    return scroll;
}

namespace {

constexpr int kWheelDelta = 120;  // one notch

// The step to `target`, held to the range; none when it goes nowhere.
std::optional<int> StepTo(const PageScroll& scroll, int target, int position)
{
    const int step = std::clamp(target, 0, scroll.Max()) - position;
    if (step == 0) return std::nullopt;
    return step;
}

}  // namespace

std::optional<int> ScrollStep(const PageScroll& scroll, int code, int position, int thumbPosition)
{
    switch (code) {
    case SB_LINEUP:
        return StepTo(scroll, position - scroll.line, position);
    case SB_LINEDOWN:
        return StepTo(scroll, position + scroll.line, position);
    case SB_PAGEUP:
        return StepTo(scroll, position - scroll.page, position);
    case SB_PAGEDOWN:
        return StepTo(scroll, position + scroll.page, position);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return StepTo(scroll, thumbPosition, position);
    // The scroll bar's own menu.
    case SB_TOP:
        return StepTo(scroll, 0, position);
    case SB_BOTTOM:
        return StepTo(scroll, scroll.Max(), position);
    default:
        return std::nullopt;
    }
}

bool ListScrollsByWheel(int low, int high, int page, int position, int delta)
{
    if (delta > 0) return position > low;
    if (delta < 0) return position < high - std::max(page, 1) + 1;
    return false;
}

std::optional<int> WheelStep(const PageScroll& scroll, int delta, int position, int& remainder)
{
    remainder += delta;
    const int notches = remainder / kWheelDelta;
    remainder -= notches * kWheelDelta;
    if (notches == 0) return std::nullopt;
    return StepTo(scroll, position - notches * scroll.line, position);
}

std::optional<int> StepIntoView(const PageScroll& scroll, int top, int bottom, int position)
{
    if (top < position) return StepTo(scroll, top - scroll.room, position);
    // A control taller than the view shows its top.
    if (bottom > position + scroll.viewHeight)
        return StepTo(scroll, std::min(bottom - scroll.viewHeight + scroll.room, top - scroll.room), position);
    return std::nullopt;
}

std::optional<int> SectionFrameOf(int linkId)
{
    constexpr int frames[] = {1302, 1309, 1314, 1323, 1324, 1330, 1332, 1343};
    if (linkId < 1802 || linkId > 1809) return std::nullopt;
    return frames[linkId - 1802];
}

int SectionPosition(const PageScroll& scroll, int frameTop)
{
    return std::clamp(frameTop - scroll.room, 0, scroll.Max());
}

int PositionAtNewScale(const PageScroll& before, int position, const PageScroll& after)
{
    if (before.contentHeight <= 0) return std::clamp(position, 0, after.Max());
    // The content grows with the dialog font: the same share of it.
    const auto scaled =
        (static_cast<long long>(position) * after.contentHeight + before.contentHeight / 2) / before.contentHeight;
    return std::clamp(static_cast<int>(scaled), 0, after.Max());
}

// --- the custom action editor ---------------------------------------------------------

namespace {

std::wstring Counted(int count, const wchar_t* one, const wchar_t* many)
{
    return DecimalText(count) + L" " + (count == 1 ? one : many);
}

}  // namespace

std::wstring DeleteQuestion(const std::wstring& name, const CustomActionUse& use)
{
    std::wstring users;
    if (use.zones > 0) users = Counted(use.zones, L"zone", L"zones");
    if (use.buttons > 0) users += (users.empty() ? L"" : L" and ") + Counted(use.buttons, L"button", L"buttons");
    if (users.empty()) return {};
    const bool one = use.zones + use.buttons == 1;
    return L"Delete \"" + name + L"\"? " + users + (one ? L" uses it." : L" use it.");
}

const wchar_t* CustomEditMessage(CustomEditError error)
{
    switch (error) {
    case CustomEditError::NameRequired:
        return L"Name required";
    case CustomEditError::ActionRequired:
        return L"At least one action is required";
    case CustomEditError::NameInUse:
        return L"The name you entered is already in use";
    case CustomEditError::None:
        break;
    }
    return L"";
}

namespace {

std::wstring TrimSpaces(const std::wstring& text)
{
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

CustomEditError SaveCustomActionEdit(const std::wstring& editedName, CCustomAction& fields)
{
    fields.name = TrimSpaces(fields.name);
    fields.description = TrimSpaces(fields.description);
    fields.beginningAction = TrimSpaces(fields.beginningAction);
    fields.endingAction = TrimSpaces(fields.endingAction);
    // A phase that presses keys has no command line; only the beginning's
    // modifiers can be held.
    if (!fields.beginningKeys.Empty()) fields.beginningAction.clear();
    if (!fields.endingKeys.Empty()) fields.endingAction.clear();
    fields.holdKeys = fields.holdKeys && !fields.beginningKeys.Empty();
    if (fields.name.empty()) return CustomEditError::NameRequired;
    if (fields.beginningAction.empty() && fields.beginningKeys.Empty() && fields.endingAction.empty() &&
        fields.endingKeys.Empty())
        return CustomEditError::ActionRequired;
    // Names are looked up built-in first: a custom action named like one would
    // turn into the built-in action at the next start. The later built-ins are
    // looked up after the custom actions, so one that had such a name before
    // they came may keep it.
    const bool keepsItsName = !editedName.empty() && EqualsIgnoringCase(editedName, fields.name);
    for (ActionIndex index = 0; index < kBuiltInActionCount; ++index) {
        if (!EqualsIgnoringCase(theCatalogue[static_cast<std::size_t>(index)].name, fields.name)) continue;
        if (index < kFirstLateAction || !keepsItsName) return CustomEditError::NameInUse;
    }
    const int target = editedName.empty() ? theCustomActions.FirstFreeSlot() : theCustomActions.FindSlot(editedName);
    // The action may keep its own name or change only its case.
    const int owner = theCustomActions.FindSlot(fields.name);
    if (owner >= 0 && owner != target) return CustomEditError::NameInUse;
    if (target >= 0) theCustomActions[target] = fields;
    return CustomEditError::None;
}

}  // namespace vorn

namespace vorn {

UINT HotKeyModifiers(BYTE modifiers)
{
    UINT bits = kHotKeyNoRepeat;
    if (modifiers & kCtrlModifier) bits |= kHotKeyControl;
    if (modifiers & kAltModifier) bits |= kHotKeyAlt;
    if (modifiers & kShiftModifier) bits |= kHotKeyShift;
    if (modifiers & kWinModifier) bits |= kHotKeyWin;
    return bits;
}

bool CSwitchKey::RegisterText(const std::wstring& text)
{
    const std::optional<KeyCombination> keys = ParseKeyCombination(text);
    registered_ = keys && keys->key != 0 && registry_.Register(HotKeyModifiers(keys->modifiers), keys->key);
    return registered_;
}

std::wstring CSwitchKey::Start()
{
    if (theData.switchKeys.empty() || RegisterText(theData.switchKeys)) return {};
    const std::optional<KeyCombination> keys = ParseKeyCombination(theData.switchKeys);
    if (!keys || keys->key == 0)
        return L"\"" + theData.switchKeys +
               L"\" cannot turn Vorn off and on: it is no key combination. Choose one on the Settings page.";
    return KeyCombinationDisplayText(*keys) +
           L", which turns Vorn off and on, is already used by Windows or another program. Choose another "
           L"combination on the Settings page.";
}

SwitchKeyResult CSwitchKey::Change(const KeyCombination& keys)
{
    const std::wstring text = KeyCombinationText(keys);
    // The same again is tried anew when it could not be registered before.
    if (text == theData.switchKeys && (registered_ || text.empty())) return SwitchKeyResult::Unchanged;
    if (!keys.Empty() && keys.key == 0) return SwitchKeyResult::NoKey;
    const std::wstring before = theData.switchKeys;
    if (registered_) registry_.Unregister();
    registered_ = false;
    if (text.empty()) {
        theData.switchKeys.clear();
        return SwitchKeyResult::Cleared;
    }
    if (!RegisterText(text)) {
        // The one it had is this window's own: it comes back.
        if (!before.empty()) RegisterText(before);
        return SwitchKeyResult::Taken;
    }
    theData.switchKeys = text;
    return SwitchKeyResult::Registered;
}

void CSwitchKey::Stop()
{
    if (registered_) registry_.Unregister();
    registered_ = false;
}

std::wstring SwitchKeyMessage(SwitchKeyResult result, const KeyCombination& keys)
{
    switch (result) {
    case SwitchKeyResult::Taken:
        return KeyCombinationDisplayText(keys) +
               L" is already used by Windows or another program. Choose another combination.";
    case SwitchKeyResult::NoKey:
        return KeyCombinationDisplayText(keys) +
               L" alone cannot turn Vorn off and on. Hold them and press one more key.";
    default:
        return {};
    }
}

const wchar_t* SwitchNotice(bool enabled) { return enabled ? L"Vorn is on" : L"Vorn is off"; }

}  // namespace vorn
