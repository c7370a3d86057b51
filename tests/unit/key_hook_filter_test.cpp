// Which keyboard events the key box's hook keeps for recording, and which go
// on to the hooks before it (a screen reader's) and to Windows.
#include <gtest/gtest.h>

#include <vector>

#include "ui/key_recorder.h"

namespace vorn {
namespace {

// KBDLLHOOKSTRUCT's flags as the hook gets them.
constexpr DWORD kDown = 0;
constexpr DWORD kUp = 0x80;
constexpr DWORD kInjected = 0x10;
constexpr DWORD kLowerIntegrityInjected = 0x02 | 0x10;  // Windows sets both
constexpr DWORD kOnlyLowerIntegrity = 0x02;
constexpr BYTE kCtrl = 0xA2, kShift = 0xA0, kInsert = 0x2D, kCapsLock = 0x14;

TEST(KeyHookFilterTest, KeepsTheKeyboardsKeysAndLetsThoseOfProgramsAndScreenReadersGo)
{
    struct Event {
        BYTE key;
        DWORD flags;
        bool kept;
    };
    const struct {
        const char* what;
        std::vector<Event> events;
    } cases[] = {
        {"a key, its repeat and its release", {{'A', kDown, true}, {'A', kDown, true}, {'A', kUp, true}}},
        {"a combination", {{kCtrl, kDown, true}, {'C', kDown, true}, {'C', kUp, true}, {kCtrl, kUp, true}}},
        {"typed by a program", {{'A', kInjected, false}, {'A', kInjected | kUp, false}}},
        {"typed at a lower integrity level", {{'A', kLowerIntegrityInjected, false}, {'A', kOnlyLowerIntegrity, false}}},
        {"a program's key amid the user's", {{kCtrl, kDown, true}, {'V', kInjected, false}, {'C', kDown, true}}},
        {"the release of a key pressed before", {{kShift, kUp, false}, {'A', kDown, true}}},
        {"Insert alone", {{kInsert, kDown, false}, {kInsert, kDown, false}, {kInsert, kUp, false}}},
        {"Caps Lock alone", {{kCapsLock, kDown, false}, {kCapsLock, kUp, false}}},
        {"a screen reader's command",
         {{kInsert, kDown, false}, {'T', kDown, false}, {'T', kUp, false}, {kInsert, kUp, false}}},
        {"a modifier after Insert", {{kCapsLock, kDown, false}, {kCtrl, kDown, false}, {kCtrl, kUp, false}}},
        // Its repeats too, once Insert is up; the next key is the box's again.
        {"a key held past the command",
         {{kInsert, kDown, false}, {'T', kDown, false}, {kInsert, kUp, false}, {'T', kDown, false},
          {'T', kUp, false}, {'A', kDown, true}}},
        {"Insert after a modifier (Ctrl+Insert)", {{kCtrl, kDown, true}, {kInsert, kDown, true}, {kInsert, kUp, true}}},
        {"Insert pressed when the modifier is up again",
         {{kCtrl, kDown, true}, {kCtrl, kUp, true}, {kInsert, kDown, false}}},
        // A program's Insert (a screen reader typing) begins nothing.
        {"after a typed Insert", {{kInsert, kInjected, false}, {'A', kDown, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CKeyHookFilter filter;
        int n = 0;
        for (const Event& event : c.events)
            EXPECT_EQ(filter.Keep(event.key, event.flags), event.kept) << "event " << n++;
    }
}

// A modifier pressed and let go alone after a key pressed alone is recorded
// alone: the key's combination was over when the key went down.
TEST(KeyHookFilterTest, AModifierAloneAfterAKeyAloneIsRecorded)
{
    for (const BYTE modifier : {BYTE{0xA4}, BYTE{kShift}}) {
        CKeyRecorder recorder;
        recorder.KeyDown(0x79);  // F10
        recorder.KeyUp(0x79);
        EXPECT_EQ(recorder.KeyDown(modifier), RecorderResult::Changed);
        EXPECT_EQ(recorder.KeyUp(modifier), RecorderResult::Changed);
        EXPECT_EQ(recorder.Keys(), (KeyCombination{ModifierOfKey(modifier), 0}));
    }
}

// A key message that reached the box came after the last event the hook had
// only when its time is later (the hook was not called for it).
TEST(KeyHookFilterTest, AMessageLaterThanTheHooksLastEventWasNotTheHooks)
{
    const struct {
        DWORD message, hook;
        bool after;
    } cases[] = {
        {1000, 1000, false},  // the hook had it
        {999, 1000, false},
        {1001, 1000, true},
        {5, 0xFFFFFFF0u, true},  // the tick count wrapped between them
        {0xFFFFFFF0u, 5, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CameAfterHook(c.message, c.hook), c.after) << c.message << " " << c.hook;
}

}  // namespace
}  // namespace vorn
