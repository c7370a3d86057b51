// The Settings and Custom pages without their widgets: number boxes, the
// wallpaper delay, the window list, scrolling and the editor's checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/profile.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "tests/fake/fixture.h"
#include "ui/settings_page_model.h"

namespace vorn {
namespace {

class SettingsPageModelTest : public fake::DesktopTest {};

TEST_F(SettingsPageModelTest, NumberBoxesConvertTruncateAndClampToTheirStoredRange)
{
    struct Case {
        int box;
        const wchar_t* text;
        std::int32_t stored;
    };
    const Case cases[] = {
        {1001, L"25", 20}, {1001, L"0", 1},      {1001, L"7.9", 7},   {1001, L"x", 1},    {1002, L" 3px", 3},
        {1003, L"5", 10},  {1004, L"100", 99},   {1006, L"50", 50},   {1006, L"500", 99}, {1009, L"0", 1},
        {1009, L"-4", 1},  {1005, L"1e1", 10},   {1013, L"10", 50},   {1013, L"120", 120}, {1013, L"800", 500},
        {1014, L"-1", 0},  {1014, L"1500", 1000},
        // An emptied or unreadable poll interval is the default, not the costly low end.
        {1013, L"60", 60}, {1013, L"", 500}, {1013, L"60", 60}, {1013, L"abc", 500}, {1013, L"0", 50},
    };
    for (const Case& c : cases) {
        const NumberBox& box = *FindNumberBox(c.box);
        StoreNumberBox(box, c.text);
        EXPECT_EQ(theData.*box.field, c.stored) << c.box << " " << testing::PrintToString(std::wstring(c.text));
    }
    // "Side length" moves the side bands with it.
    theData.sideLength = 70;
    theData.ComputeSideBands();
    const std::int32_t before = theData.sideXLow;
    EXPECT_TRUE(StoreNumberBox(*FindNumberBox(1003), L"20"));
    EXPECT_GT(theData.sideXLow, before);
    EXPECT_FALSE(StoreNumberBox(*FindNumberBox(1003), L"20.5"));  // no change, nothing to save
}

// What a box stores is what the next start reads: at each end of its range
// and one beyond, typed or stepped with its spin, which spans the same range.
TEST_F(SettingsPageModelTest, EveryBoxStoresOnlyWhatSurvivesASaveAndALoad)
{
    struct Range {
        int box;
        std::int32_t low, high;
    };
    const Range ranges[] = {
        {1001, 1, 20},  {1002, 1, 20},  {1003, 10, 90},  {1004, 1, 99},   {1005, 1, 99},    {1006, 1, 99},
        {1007, 1, 99},  {1008, 1, 99},  {1009, 1, 100},  {1010, 0, 72},   {1011, 0, 59},    {1012, 0, 59},
        {1013, 50, 500}, {1014, 0, 1000},
    };
    ASSERT_EQ(std::size(ranges), kNumberBoxes.size());
    for (const Range& range : ranges) {
        const NumberBox& box = *FindNumberBox(range.box);
        EXPECT_EQ(box.low, range.low) << range.box;
        EXPECT_EQ(box.high, range.high) << range.box;
        const std::pair<std::int32_t, std::int32_t> typed[] = {
            {range.low - 1, range.low}, {range.low, range.low}, {range.high, range.high}, {range.high + 1, range.high}};
        for (const auto& [value, stored] : typed) {
            SCOPED_TRACE(testing::Message() << range.box << " typed " << value);
            const std::wstring text = std::to_wstring(value);
            std::int32_t got = 0;
            if (box.field) {
                StoreNumberBox(box, text);
                got = theData.*box.field;
            } else {
                // One part of the delay, the others at their largest.
                const std::wstring parts[] = {range.box == kDelayHoursBox ? text : L"72",
                                              range.box == kDelayMinutesBox ? text : L"59",
                                              range.box == kDelaySecondsBox ? text : L"59"};
                theData.wallpaperDelay = DelayFromParts(parts[0], parts[1], parts[2]);
                const DelayParts shown = PartsOfDelay(theData.wallpaperDelay);
                got = range.box == kDelayHoursBox ? shown.hours
                      : range.box == kDelayMinutesBox ? shown.minutes
                                                      : shown.seconds;
            }
            EXPECT_EQ(got, stored);
            const std::int32_t before = box.field ? theData.*box.field : theData.wallpaperDelay;
            theData.LoadFromProfile(ProfileFile::FromBytes(EncodeSettingsText(FormatSettingsFile())));
            EXPECT_EQ(box.field ? theData.*box.field : theData.wallpaperDelay, before);
        }
    }
}

TEST_F(SettingsPageModelTest, TheDelayIsShownAndReadInHoursMinutesAndSeconds)
{
    const DelayParts parts = PartsOfDelay(3725);
    EXPECT_EQ(parts.hours, 1);
    EXPECT_EQ(parts.minutes, 2);
    EXPECT_EQ(parts.seconds, 5);
    EXPECT_EQ(PartsOfDelay(262799).hours, 72);
    EXPECT_EQ(DelayFromParts(L"1", L"2", L"5"), 3725);
    EXPECT_EQ(DelayFromParts(L"80", L"0", L"0"), 72 * 3600);
    EXPECT_EQ(DelayFromParts(L"0", L"0", L"0"), 0);
    EXPECT_EQ(DelayFromParts(L"", L"61", L"-3"), 59 * 60);
}

TEST_F(SettingsPageModelTest, ScrollingStepsStopAtBothEnds)
{
    std::vector<int> positions;
    int position = *SectionOffset(1807);
    EXPECT_EQ(position, 823);
    while (const auto step = ScrollStep(SB_LINEDOWN, position, 0)) {
        position += *step;
        positions.push_back(position);
    }
    // The seventh section made the page taller, and its two options taller
    // still: steps of 1280 / 20 and 1280 / 5.
    EXPECT_EQ(positions, (std::vector<int>{887, 951, 1015, 1079, 1143, 1207, 1271, 1280}));
    EXPECT_EQ(ScrollStep(SB_PAGEDOWN, 1280, 0), std::nullopt);
    EXPECT_EQ(ScrollStep(SB_PAGEDOWN, 1100, 0), 180);  // near the end: only to it
    EXPECT_EQ(ScrollStep(SB_PAGEDOWN, 0, 0), 256);
    EXPECT_EQ(ScrollStep(SB_LINEUP, 20, 0), -20);  // near the top: only to it
    EXPECT_EQ(ScrollStep(SB_LINEUP, 100, 0), -64);
    EXPECT_EQ(ScrollStep(SB_LINEDOWN, 1280, 0), std::nullopt);
    EXPECT_EQ(ScrollStep(SB_PAGEUP, 0, 0), std::nullopt);
    EXPECT_EQ(ScrollStep(SB_PAGEUP, 100, 0), -100);
    EXPECT_EQ(ScrollStep(SB_PAGEUP, 900, 0), -256);
    EXPECT_EQ(ScrollStep(SB_LINEUP, 0, 0), std::nullopt);
    EXPECT_EQ(ScrollStep(SB_THUMBTRACK, 300, 120), -180);
    EXPECT_EQ(ScrollStep(SB_ENDSCROLL, 300, 120), std::nullopt);
    EXPECT_EQ(SectionOffset(1801), std::nullopt);
    EXPECT_EQ(SectionOffset(kEdgeBehaviourLink), std::nullopt);  // measured on the page
}

TEST_F(SettingsPageModelTest, TheWheelScrollsALineStepPerNotchWithinTheRange)
{
    struct Case {
        std::vector<int> deltas;  // turns in a row, from `position`
        int position;
        std::vector<std::optional<int>> steps;
    };
    const Case cases[] = {
        {{-120}, 0, {64}},                        // towards the user: down
        {{120}, 300, {-64}},                      // away: up
        {{-360}, 100, {192}},                     // three notches at once
        {{120}, 20, {-20}},                       // near the top: only to it
        {{120}, 0, {std::nullopt}},               // at the top
        {{-120}, 1260, {20}},                     // near the end: only to it
        {{-120}, 1280, {std::nullopt}},           // at the end
        {{-40, -40, -40}, 0, {std::nullopt, std::nullopt, 64}},  // a precise wheel's parts add up
        {{-60, 60, -120}, 0, {std::nullopt, std::nullopt, 64}},  // and cancel out
    };
    for (const Case& c : cases) {
        int remainder = 0;
        int position = c.position;
        std::vector<std::optional<int>> steps;
        for (const int delta : c.deltas) {
            steps.push_back(WheelStep(delta, position, remainder));
            if (steps.back()) position += *steps.back();
        }
        EXPECT_EQ(steps, c.steps) << c.position << " " << testing::PrintToString(c.deltas);
    }
}

TEST_F(SettingsPageModelTest, AControlReachedWithTheKeyboardIsScrolledIntoView)
{
    struct Case {
        int top, bottom, position;
        std::optional<int> step;
    };
    // A view 300 pixels high.
    const Case cases[] = {
        {400, 420, 300, std::nullopt},  // inside
        {300, 320, 300, std::nullopt},  // at its top edge
        {580, 600, 300, std::nullopt},  // at its bottom edge
        {290, 310, 300, -18},           // above: its top shows, with some room
        {590, 610, 300, 18},            // below: its bottom shows
        {1300, 1340, 100, 948},         // far below
        {4, 24, 300, -300},             // above near the top: to the top
        {1550, 1590, 1100, 180},        // below near the end: to the end
        {700, 1200, 300, 392},          // taller than the view: its top shows
    };
    for (const Case& c : cases)
        EXPECT_EQ(StepIntoView(c.top, c.bottom, c.position, 300), c.step) << c.top << " " << c.position;
}

TEST_F(SettingsPageModelTest, TheWindowListLeavesOutTheShellAndAlwaysHasVornAndTaskbar)
{
    std::vector<std::wstring> entries =
        WindowListEntries({L"Editor", L"", L"Start", L"Start Menu", L"Program Manager", L"start", L"Editor"});
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"Editor", L"Editor", L"Taskbar", L"Vorn", L"start"}));
    entries = WindowListEntries({L"VORN"});
    EXPECT_EQ(entries, (std::vector<std::wstring>{L"VORN", L"Taskbar"}));
}

TEST_F(SettingsPageModelTest, TheEditorTrimsChecksAndStores)
{
    theCustomActions[0] = CCustomAction{L"Backup", L"", L"backup.cmd", L""};
    theCustomActions[1] = CCustomAction{L"Mail", L"", L"mail.exe", L""};
    theCustomActions[4] = CCustomAction{L"Task view", L"", L"explorer.exe", L""};  // from an older file
    struct Case {
        const wchar_t* edited;
        CCustomAction fields;
        CustomEditError error;
    };
    const Case cases[] = {
        {L"", {L"   ", L"", L"x", L""}, CustomEditError::NameRequired},
        {L"", {L"New", L"", L"  ", L""}, CustomEditError::ActionRequired},
        {L"", {L"mail", L"", L"x", L""}, CustomEditError::NameInUse},
        {L"Backup", {L" MAIL ", L"", L"x", L""}, CustomEditError::NameInUse},
        // Built-in names, in any case, new or renamed to, the first and the last.
        {L"", {L" tile LEFT ", L"", L"x", L""}, CustomEditError::NameInUse},
        {L"", {L"Screen saver on", L"", L"x", L""}, CustomEditError::NameInUse},
        {L"Mail", {L"no action", L"", L"x", L""}, CustomEditError::NameInUse},
        {L"", {L"Tile lefts", L"", L"x", L""}, CustomEditError::None},
        // The later built-ins: refused as new names and renames, kept by a
        // custom action that had the name before they came.
        {L"", {L"Task view", L"", L"x", L""}, CustomEditError::NameInUse},
        {L"Mail", {L"volume DOWN", L"", L"x", L""}, CustomEditError::NameInUse},
        {L"Task view", {L"Task view", L"mine", L"x", L""}, CustomEditError::None},
        {L"Task view", {L"Start menu", L"", L"x", L""}, CustomEditError::NameInUse},
        {L"Backup", {L"BACKUP", L"  nightly ", L" backup.cmd /all ", L""}, CustomEditError::None},
        {L"", {L" New ", L"", L"", L"calc"}, CustomEditError::None},
    };
    for (const Case& c : cases) {
        CCustomAction fields = c.fields;
        EXPECT_EQ(SaveCustomActionEdit(c.edited, fields), c.error)
            << testing::PrintToString(std::wstring(c.fields.name));
    }
    EXPECT_EQ(theCustomActions[0].name, L"BACKUP");
    EXPECT_EQ(theCustomActions[0].description, L"nightly");
    EXPECT_EQ(theCustomActions[0].beginningAction, L"backup.cmd /all");
    EXPECT_EQ(theCustomActions[1].name, L"Mail");
    EXPECT_EQ(theCustomActions[2].name, L"Tile lefts");
    EXPECT_EQ(theCustomActions[3].name, L"New");
    EXPECT_EQ(theCustomActions[3].endingAction, L"calc");
    EXPECT_EQ(theCustomActions[4].name, L"Task view");
    EXPECT_EQ(theCustomActions[4].description, L"mine");
    EXPECT_EQ(std::wstring(CustomEditMessage(CustomEditError::NameInUse)), L"The name you entered is already in use");

    // A full store takes nothing more, and says nothing.
    for (int slot = 4; slot < CCustomActions::kUsableSlots; ++slot)
        theCustomActions[slot] = CCustomAction{L"A" + std::to_wstring(slot), L"", L"x", L""};
    CCustomAction extra{L"Extra", L"", L"x", L""};
    EXPECT_EQ(SaveCustomActionEdit(L"", extra), CustomEditError::None);
    EXPECT_EQ(theCustomActions.FindSlot(L"Extra"), -1);
}

}  // namespace
}  // namespace vorn
