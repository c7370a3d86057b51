#include "engine/activity.h"

#include <algorithm>

#include "actions/custom_actions.h"
#include "actions/key_combination.h"
#include "platform/port.h"

namespace vorn {

CActivityLog theActivity;

void ActivityEvent::SetText(std::wstring_view value)
{
    const std::size_t length = std::min(value.size(), text.size() - 1);
    std::copy_n(value.data(), length, text.data());
    text[length] = L'\0';
}

std::wstring_view ActivityEvent::Text() const { return std::wstring_view(text.data()); }

void CActivityLog::Record(ActivityEvent event)
{
    const ClockTime now = os::Clock().LocalTime();
    event.time = {now.year, now.month, now.day, now.hour, now.minute, now.second, now.millisecond};
    events_[next_] = event;
    next_ = (next_ + 1) % kCapacity;
    count_ = std::min(count_ + 1, kCapacity);
    ++recorded_;
    if (window_) window_->ActivityRecorded();
    if (file_) file_->ActivityRecorded();
}

const ActivityEvent& CActivityLog::Newest(std::size_t index) const
{
    return events_[(next_ + kCapacity - 1 - index % kCapacity) % kCapacity];
}

namespace {

std::wstring Digits(unsigned value, std::size_t width)
{
    std::wstring text = std::to_wstring(value);
    if (text.size() < width) text.insert(0, width - text.size(), L'0');
    return text;
}

std::wstring Quoted(ActionIndex action)
{
    std::wstring name = ActionName(action);
    if (name.empty()) name = L"No action";
    return L"\u201c" + name + L"\u201d";
}

// " with Shift", " with Ctrl": the set's modifier, nothing for none.
std::wstring WithModifier(ActionSet set)
{
    switch (ModifierOf(set)) {
    case Shift:
        return L" with Shift";
    case Ctrl:
        return L" with Ctrl";
    default:
        return {};
    }
}

std::wstring TriggerWords(ActionSet set)
{
    switch (TriggerOf(set)) {
    case WheelUp:
        return L"Wheel up";
    case WheelDown:
        return L"Wheel down";
    case Click:
        return L"Click";
    default:
        return L"Entered";
    }
}

std::wstring Program(const ActivityEvent& event)
{
    const std::wstring_view text = event.Text();
    return text.empty() ? std::wstring(L"a program") : std::wstring(text);
}

}  // namespace

ActivityWords DescribeActivity(const ActivityEvent& event)
{
    ActivityWords words;
    const ActivityTime& t = event.time;
    words.time =
        Digits(t.hour, 2) + L':' + Digits(t.minute, 2) + L':' + Digits(t.second, 2) + L'.' + Digits(t.millisecond, 3);
    if (const wchar_t* zone = ZoneName(static_cast<EdgeZone>(event.zone)); zone && *zone) {
        words.zone = zone;
        if (event.monitor > 0) words.zone += L", monitor " + std::to_wstring(event.monitor);
    }
    const std::wstring program = Program(event);
    switch (event.kind) {
    case ActivityKind::Entered:
        words.what = L"Entered" + WithModifier(event.set) + L": ran " + Quoted(event.action);
        break;
    case ActivityKind::Left:
        words.what = L"Left: ended " + Quoted(event.action);
        break;
    case ActivityKind::RanOnce:
        words.what = TriggerWords(event.set) + WithModifier(event.set) + L": ran " + Quoted(event.action);
        break;
    case ActivityKind::Launched:
        words.what = L"Started " + program;
        break;
    case ActivityKind::LaunchFailed:
        words.what = L"Could not start " + program;
        words.why = os::Shell().ErrorText(event.code);
        break;
    case ActivityKind::Exited:
        words.what = program + L" ended with exit code " + std::to_wstring(event.code);
        break;
    case ActivityKind::KeysSent: {
        const KeyCombination keys{static_cast<BYTE>(event.code >> 8), static_cast<BYTE>(event.code & 0xFF)};
        words.what = L"Typed " + KeyCombinationDisplayText(keys);
        break;
    }
    case ActivityKind::KeysToHigherRights:
        words.what = L"Keys of " + Quoted(event.action) + L" did not arrive";
        words.why = program + L" is in front and runs with higher rights than Vorn, so Windows drops keys sent to it. "
                              L"Start Vorn as administrator to reach it.";
        break;
    case ActivityKind::NotWhileDisabled:
        words.what = L"Nothing ran";
        words.why = L"Vorn is disabled";
        break;
    case ActivityKind::NotInFullScreen:
        words.what = L"Nothing ran";
        words.why = L"A full-screen program is in front";
        break;
    case ActivityKind::NotWithQuietProgram:
        words.what = L"Nothing ran";
        words.why = program + L" is in front, one of the quiet programs";
        break;
    case ActivityKind::NotWithButtonHeld:
        words.what = L"Nothing ran";
        words.why = L"A mouse button was held down";
        break;
    case ActivityKind::WaitCutShort:
        words.what = L"Nothing ran";
        words.why = L"The pointer left after " + std::to_wstring(event.stayed) + L" ms of the " +
                    std::to_wstring(event.wait) + L" ms wait";
        break;
    }
    return words;
}

std::wstring ActivityLine(const ActivityEvent& event)
{
    const ActivityWords words = DescribeActivity(event);
    const ActivityTime& t = event.time;
    std::wstring line = Digits(t.year, 4) + L'-' + Digits(t.month, 2) + L'-' + Digits(t.day, 2) + L' ' + words.time;
    if (!words.zone.empty()) line += L"  " + words.zone;
    line += L"  " + words.what;
    if (!words.why.empty()) line += L"  (" + words.why + L')';
    return line;
}

}  // namespace vorn
