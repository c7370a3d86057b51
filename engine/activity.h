// What Vorn did and left undone, so that a user whose corner "did nothing"
// can read why: the last events in a fixed ring of plain records, filled on
// the pointer's path without an allocation; the words are made only when a
// window or the log shows them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "settings/action_index.h"
#include "settings/data.h"

namespace vorn {

// The local time of an event, to the millisecond.
struct ActivityTime {
    std::uint16_t year = 0, month = 0, day = 0;
    std::uint16_t hour = 0, minute = 0, second = 0, millisecond = 0;
};

enum class ActivityKind : std::uint8_t {
    // A zone entered: its assignment's beginning (`action`, under `set`) ran.
    Entered,
    // A zone left: the ending of `action` ran.
    Left,
    // The wheel or a click in the zone (`set` tells which) ran `action`.
    RanOnce,
    // A command line of `action` started `text` (its program).
    Launched,
    // The program `text` could not be started: `code` is Windows' error.
    LaunchFailed,
    // The program `text` ended with the exit code `code`.
    Exited,
    // `action` typed the keys `code` (KeyCombination: modifiers << 8 | key).
    KeysSent,
    // Keys of `action` went to a window of `text`, which runs with higher
    // rights than Vorn: Windows drops them.
    KeysToHigherRights,
    // The zone was not entered, and why:
    NotWhileDisabled,
    NotInFullScreen,
    NotWithQuietProgram,  // `text`: the program in front
    NotWithButtonHeld,
    // The pointer left after `stayed` ms of the zone's `wait`.
    WaitCutShort,
};

struct ActivityEvent {
    ActivityTime time{};
    ActivityKind kind = ActivityKind::Entered;
    std::int8_t zone = NoZone;
    // The monitor's number as the Actions page shows it; 0 with one monitor.
    std::int8_t monitor = 0;
    std::uint8_t set = 0;  // ActionSet
    ActionIndex action = kNoActionIndex;
    std::uint32_t code = 0;
    std::uint32_t stayed = 0;
    std::uint32_t wait = 0;
    // A program's name or path, cut to fit.
    std::array<wchar_t, 64> text{};

    void SetText(std::wstring_view value);
    std::wstring_view Text() const;
};

// Told of each event as it is recorded (on the pointer's path: note it, do
// the work later).
class IActivityListener {
public:
    virtual void ActivityRecorded() = 0;

protected:
    ~IActivityListener() = default;
};

class CActivityLog {
public:
    static constexpr std::size_t kCapacity = 500;

    // Stamps the time (from the port's clock) and keeps it, the oldest going
    // once the ring is full. Allocates nothing.
    void Record(ActivityEvent event);
    std::size_t Count() const { return count_; }
    // 0 is the newest; `index` below Count().
    const ActivityEvent& Newest(std::size_t index) const;
    // Events ever recorded: what a reader has seen, counted against it,
    // tells what is new (also across a Clear).
    std::uint64_t Recorded() const { return recorded_; }
    void Clear() { count_ = 0; }

    // One listener of each kind: the activity window and the log file.
    void SetWindowListener(IActivityListener* listener) { window_ = listener; }
    void SetFileListener(IActivityListener* listener) { file_ = listener; }

private:
    // Taken once at start: a static array, even of zeros, would be stored in
    // the program file (MinGW's data sections).
    std::unique_ptr<ActivityEvent[]> events_ = std::make_unique<ActivityEvent[]>(kCapacity);
    std::size_t next_ = 0;
    std::size_t count_ = 0;
    std::uint64_t recorded_ = 0;
    IActivityListener* window_ = nullptr;
    IActivityListener* file_ = nullptr;
};

extern CActivityLog theActivity;

// An event in words, as the activity window's columns show it.
struct ActivityWords {
    std::wstring time;  // "13:45:02.031"
    std::wstring zone;  // "Upper left corner", "Top side, monitor 2"; empty for none
    std::wstring what;  // "Ran \u201cShow desktop\u201d"
    std::wstring why;   // "Notepad.exe is in front, one of the quiet programs"; may be empty
};
ActivityWords DescribeActivity(const ActivityEvent& event);

// One line of text for the clipboard and the log: the date and the time to
// the millisecond, then the words of the window, without the line's end.
std::wstring ActivityLine(const ActivityEvent& event);

}  // namespace vorn
