// The Settings and Custom pages without their widgets: number boxes, the
// wallpaper delay, the window list, scrolling and the editor's checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "buttons/buttons.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "tests/fake/fixture.h"
#include "ui/quiet_programs_model.h"
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

// A page as the dialog manager lays it out at `dpi`: its dialog font eight
// vertical units high in pixels, a view and a last control given in units.
struct ScaledPage {
    int dpi;
    int unit;  // pixels of eight vertical dialog units
    int Pixels(int units) const { return (units * unit + 4) / 8; }
};
constexpr ScaledPage kScaledPages[] = {{96, 13}, {120, 16}, {144, 19}, {168, 23}, {192, 26}};
constexpr int kViewUnits = 205;        // what the tab area shows of the page
constexpr int kLastBottomUnits = 852;  // the bottom of its lowest control

PageScroll ScrollOf(const ScaledPage& page)
{
    return MeasurePageScroll(page.Pixels(kLastBottomUnits), page.Pixels(kViewUnits), page.unit);
}

// Scrolled down as far as each way goes, the page ends with its last control
// whole in the view, a margin below it, at every scale; every way ends there.
TEST(SettingsPageScroll, EveryWayDownEndsWithTheLastControlInViewAtEveryScale)
{
    const PageScroll at100 = ScrollOf(kScaledPages[0]);
    for (const ScaledPage& page : kScaledPages) {
        SCOPED_TRACE(page.dpi);
        const PageScroll scroll = ScrollOf(page);
        const int lastBottom = page.Pixels(kLastBottomUnits);
        const auto end = [&](auto step) {
            int position = 0, guard = 0;
            while (const std::optional<int> d = step(position)) {
                EXPECT_GT(*d, 0);
                position += *d;
                if (++guard > 1000) break;
            }
            return position;
        };
        int remainder = 0;
        const int ends[] = {
            end([&](int p) { return ScrollStep(scroll, SB_LINEDOWN, p, 0); }),
            end([&](int p) { return ScrollStep(scroll, SB_PAGEDOWN, p, 0); }),
            end([&](int p) { return WheelStep(scroll, -120, p, remainder); }),
            end([&](int p) { return ScrollStep(scroll, SB_BOTTOM, p, 0); }),
            // The thumb dragged to the bottom of the bar: the bar's maximum
            // (the content's height less one) less its page, plus one.
            end([&](int p) { return ScrollStep(scroll, SB_THUMBTRACK, p, scroll.contentHeight - scroll.viewHeight); }),
        };
        for (const int position : ends) {
            EXPECT_EQ(position, scroll.Max());
            EXPECT_LE(lastBottom, position + scroll.viewHeight);
            EXPECT_GT(lastBottom, position + scroll.viewHeight - page.Pixels(2 * kContentMarginUnits));
        }
        // A step moves the same part of the page at every scale, and a page
        // step never jumps over anything the view did not show.
        EXPECT_NEAR(scroll.line * 100.0 / scroll.contentHeight, at100.line * 100.0 / at100.contentHeight, 0.2);
        EXPECT_NEAR(scroll.page * 100.0 / scroll.contentHeight, at100.page * 100.0 / at100.contentHeight, 0.3);
        EXPECT_LE(scroll.page, scroll.viewHeight);
        EXPECT_GT(scroll.page, scroll.line);
    }
    // A page step is its dialog units, but never more than the view shows.
    for (const ScaledPage& page : kScaledPages) {
        const int steps = page.Pixels(kScrollPageUnits);
        EXPECT_EQ(MeasurePageScroll(5000, steps + 1, page.unit).page, steps) << page.dpi;
        EXPECT_EQ(MeasurePageScroll(5000, steps - 1, page.unit).page, steps - 1) << page.dpi;
    }
    // A page shorter than its view does not scroll.
    const PageScroll shortPage = MeasurePageScroll(100, 400, 13);
    EXPECT_EQ(shortPage.Max(), 0);
    EXPECT_EQ(ScrollStep(shortPage, SB_LINEDOWN, 0, 0), std::nullopt);
    EXPECT_EQ(ScrollStep(shortPage, SB_THUMBTRACK, 0, 50), std::nullopt);
}

TEST(SettingsPageScroll, StepsStopAtBothEndsOfTheRange)
{
    const PageScroll scroll = ScrollOf(kScaledPages[2]);
    const int max = scroll.Max();
    struct Case {
        int code, position, thumb;
        std::optional<int> step;
    };
    const Case cases[] = {
        {SB_LINEUP, 0, 0, std::nullopt},
        {SB_LINEUP, 1, 0, -1},
        {SB_LINEUP, 300, 0, -scroll.line},
        {SB_LINEDOWN, max, 0, std::nullopt},
        {SB_LINEDOWN, max - 1, 0, 1},
        {SB_LINEDOWN, 0, 0, scroll.line},
        {SB_PAGEUP, 0, 0, std::nullopt},
        {SB_PAGEUP, 1, 0, -1},
        {SB_PAGEUP, max, 0, -scroll.page},
        {SB_PAGEDOWN, max, 0, std::nullopt},
        {SB_PAGEDOWN, max - 1, 0, 1},
        {SB_THUMBTRACK, 300, 120, -180},
        {SB_THUMBPOSITION, 300, max + 50, max - 300},  // held to the range
        {SB_TOP, 300, 0, -300},
        {SB_TOP, 0, 0, std::nullopt},
        {SB_BOTTOM, 300, 0, max - 300},
        {SB_BOTTOM, max, 0, std::nullopt},
        {SB_ENDSCROLL, 300, 120, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollStep(scroll, c.code, c.position, c.thumb), c.step) << c.code << " from " << c.position;
}

// Each contents link brings its section's frame just below the top of the
// view; one too near the end for that goes to the end, the frame in view.
TEST(SettingsPageScroll, ALinkBringsItsSectionToTheTopOfTheView)
{
    EXPECT_EQ(SectionFrameOf(1801), std::nullopt);
    EXPECT_EQ(SectionFrameOf(1810), std::nullopt);
    EXPECT_NE(SectionFrameOf(1802), std::nullopt);
    EXPECT_NE(SectionFrameOf(1809), std::nullopt);
    for (const ScaledPage& page : kScaledPages) {
        SCOPED_TRACE(page.dpi);
        const PageScroll scroll = ScrollOf(page);
        for (const int frameUnits : {2, 91, 493, 720}) {
            const int frameTop = page.Pixels(frameUnits);
            const int position = SectionPosition(scroll, frameTop);
            EXPECT_GE(position, 0);
            EXPECT_LE(position, scroll.Max());
            EXPECT_GE(frameTop, position) << frameUnits;  // the frame's top shows
            if (position > 0 && position < scroll.Max()) {
                EXPECT_EQ(frameTop - position, scroll.room) << frameUnits;
            }
        }
        EXPECT_EQ(SectionPosition(scroll, page.Pixels(720)), scroll.Max());
    }
}

// After a change of scale the same content is at the top of the view, and
// the position stays within the new range.
TEST(SettingsPageScroll, TheContentAtTheTopStaysThereAcrossAChangeOfScale)
{
    for (const ScaledPage& from : kScaledPages)
        for (const ScaledPage& to : kScaledPages) {
            SCOPED_TRACE(testing::Message() << from.dpi << " to " << to.dpi);
            const PageScroll before = ScrollOf(from), after = ScrollOf(to);
            for (const int units : {0, 1, 91, 300, 493}) {
                const int moved = PositionAtNewScale(before, from.Pixels(units), after);
                EXPECT_NEAR(moved * 8.0 / to.unit, units, 1.0) << units;
            }
            // The end of the range stays within it.
            EXPECT_LE(PositionAtNewScale(before, before.Max(), after), after.Max());
            EXPECT_GE(PositionAtNewScale(before, before.Max(), after), after.Max() - to.Pixels(kViewUnits) / 5);
        }
    const PageScroll shorter = MeasurePageScroll(500, 400, 13);
    EXPECT_EQ(PositionAtNewScale(ScrollOf(kScaledPages[4]), 1200, shorter), shorter.Max());
    EXPECT_EQ(PositionAtNewScale(PageScroll{}, 50, shorter), 50);  // nothing measured before: held to the range
}

// A page 300 pixels high whose content scrolls by up to 1280, in lines of 64.
constexpr PageScroll kTallPage{1580, 300, 64, 256, 8};

TEST_F(SettingsPageModelTest, TheWheelScrollsALineStepPerNotchWithinTheRange)
{
    ASSERT_EQ(kTallPage.Max(), 1280);
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
            steps.push_back(WheelStep(kTallPage, delta, position, remainder));
            if (steps.back()) position += *steps.back();
        }
        EXPECT_EQ(steps, c.steps) << c.position << " " << testing::PrintToString(c.deltas);
    }
}

// An empty list, one without a bar and one at its end leave the wheel to the page.
TEST(SettingsPageScroll, AListTakesTheWheelOnlyWhereItCanScrollThatWay)
{
    const struct {
        int low, high, page, position, delta;
        bool itself;
    } cases[] = {
        {0, 0, 0, 0, -120, false},    // empty
        {0, 0, 0, 0, 120, false},
        {0, 3, 8, 0, -120, false},    // shows every line
        {0, 19, 8, 0, -120, true},    // at the top: down it scrolls,
        {0, 19, 8, 0, 120, false},    // up it cannot
        {0, 19, 8, 1, 120, true},
        {0, 19, 8, 11, -120, true},   // one line above the end
        {0, 19, 8, 12, -120, false},  // at the end
        {0, 19, 8, 12, 120, true},
        {0, 19, 8, 5, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListScrollsByWheel(c.low, c.high, c.page, c.position, c.delta), c.itself)
            << c.high << " " << c.page << " " << c.position << " " << c.delta;
}

// The question counts what a deletion would leave with "No action": zones
// once each whatever the modifier, buttons by the slot they use.
TEST_F(SettingsPageModelTest, DeletingAnActionInUseAsksNamingHowManyZonesAndButtonsUseIt)
{
    theCustomActions[0] = CCustomAction{L"Log", L"", L"log.cmd", L""};
    theCustomActions[1] = CCustomAction{L"Other", L"", L"other.cmd", L""};
    const ActionIndex log = kBuiltInActionCount + 0;
    const ActionIndex other = kBuiltInActionCount + 1;
    const auto use = [] { return UsesOfCustomAction(0); };
    const auto question = [&] { return DeleteQuestion(L"Log", use()); };
    EXPECT_EQ(question(), L"");  // nothing uses it: no question

    theData.assignments[Plain][LeftSide] = log;
    EXPECT_EQ(question(), L"Delete \"Log\"? 1 zone uses it.");
    theData.assignments[Shift][LeftSide] = log;  // the same zone
    theData.assignments[Ctrl][TopSide] = log;
    theData.assignments[Plain][RightSide] = other;
    EXPECT_EQ(question(), L"Delete \"Log\"? 2 zones use it.");
    theData.assignments[Plain][UpperLeftCorner] = log;

    const int first = theButtons.AddButton(false, 20, 20, 40, 40);
    theButtons.SetAction(first, Plain, log);
    theButtons.SetAction(first, Ctrl, log);
    const int unrelated = theButtons.AddButton(false, 50, 20, 70, 40);
    theButtons.SetAction(unrelated, Plain, other);
    EXPECT_EQ(question(), L"Delete \"Log\"? 3 zones and 1 button use it.");
    const int second = theButtons.AddButton(false, 80, 20, 100, 40);
    theButtons.SetAction(second, Shift, log);
    EXPECT_EQ(question(), L"Delete \"Log\"? 3 zones and 2 buttons use it.");

    for (auto& row : theData.assignments)
        for (ActionIndex& action : row)
            if (action == log) action = kNoActionIndex;
    EXPECT_EQ(question(), L"Delete \"Log\"? 2 buttons use it.");
    theButtons.DeleteButton(second);
    EXPECT_EQ(question(), L"Delete \"Log\"? 1 button uses it.");
    EXPECT_EQ(UsesOfCustomAction(1).zones, 1);
    EXPECT_EQ(UsesOfCustomAction(2).zones + UsesOfCustomAction(2).buttons, 0);  // a free slot
    EXPECT_EQ(DeleteQuestion(L"X", CustomActionUse{1, 1}), L"Delete \"X\"? 1 zone and 1 button use it.");
}

TEST_F(SettingsPageModelTest, AControlReachedWithTheKeyboardIsScrolledIntoView)
{
    struct Case {
        int top, bottom, position;
        std::optional<int> step;
    };
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
        EXPECT_EQ(StepIntoView(kTallPage, c.top, c.bottom, c.position), c.step) << c.top << " " << c.position;
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

// --- the key that turns the edges off and on ---------------------------------------------

// The system's hot keys: one combination each, and those another program holds.
class FakeHotKeys : public IHotKeyRegistry {
public:
    bool Register(UINT modifiers, UINT key) override
    {
        if (held.contains({modifiers, key}) || registered) return false;
        registered = std::pair{modifiers, key};
        return true;
    }
    void Unregister() override { registered.reset(); }
    std::set<std::pair<UINT, UINT>> held;  // elsewhere
    std::optional<std::pair<UINT, UINT>> registered;
};

KeyCombination Keys(const wchar_t* text) { return ParseKeyCombination(text).value(); }
std::pair<UINT, UINT> HotKey(const wchar_t* text)
{
    const KeyCombination keys = Keys(text);
    return {HotKeyModifiers(keys.modifiers), keys.key};
}

TEST_F(SettingsPageModelTest, TheSwitchKeyIsRegisteredAndAClashIsToldAndNotKept)
{
    FakeHotKeys system;
    system.held.insert(HotKey(L"Ctrl+Alt+Del"));
    CSwitchKey key(system);
    EXPECT_EQ(key.Start(), L"");  // none by default
    EXPECT_FALSE(system.registered);
    struct Step {
        const wchar_t* chosen;
        SwitchKeyResult result;
        const wchar_t* stored;      // afterwards
        const wchar_t* registered;  // afterwards; empty for none
        const wchar_t* message;
    };
    const Step steps[] = {
        {L"Ctrl+Alt+V", SwitchKeyResult::Registered, L"Ctrl+Alt+V", L"Ctrl+Alt+V", L""},
        {L"ctrl+ALT+v", SwitchKeyResult::Unchanged, L"Ctrl+Alt+V", L"Ctrl+Alt+V", L""},
        {L"Ctrl+Alt+Del", SwitchKeyResult::Taken, L"Ctrl+Alt+V", L"Ctrl+Alt+V",
         L"Ctrl+Alt+Delete is already used by Windows or another program. Choose another combination."},
        {L"Win+Shift", SwitchKeyResult::NoKey, L"Ctrl+Alt+V", L"Ctrl+Alt+V",
         L"Win+Shift alone cannot turn Vorn off and on. Hold them and press one more key."},
        {L"Win+F9", SwitchKeyResult::Registered, L"Win+F9", L"Win+F9", L""},
        {L"", SwitchKeyResult::Cleared, L"", L"", L""},
        {L"", SwitchKeyResult::Unchanged, L"", L"", L""},
        // With none before, a clash leaves none.
        {L"Ctrl+Alt+Del", SwitchKeyResult::Taken, L"", L"",
         L"Ctrl+Alt+Delete is already used by Windows or another program. Choose another combination."},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(step.chosen)));
        const KeyCombination chosen = *step.chosen ? Keys(step.chosen) : KeyCombination{};
        const SwitchKeyResult result = key.Change(chosen);
        EXPECT_EQ(result, step.result);
        EXPECT_EQ(theData.switchKeys, step.stored);
        if (*step.registered) {
            EXPECT_EQ(system.registered, HotKey(step.registered));
        } else {
            EXPECT_FALSE(system.registered);
        }
        EXPECT_EQ(key.Registered(), system.registered.has_value());
        EXPECT_EQ(SwitchKeyMessage(result, chosen), step.message);
    }
    key.Change(Keys(L"Ctrl+Alt+V"));
    key.Stop();
    EXPECT_FALSE(system.registered);
}

// A stored combination held elsewhere, or no combination at all, is told
// once at start and stays in the file; chosen again, it is tried anew.
TEST_F(SettingsPageModelTest, AStoredSwitchKeyThatCannotBeRegisteredIsToldAtStartAndKept)
{
    FakeHotKeys system;
    system.held.insert(HotKey(L"Ctrl+Alt+V"));
    const struct {
        const wchar_t* stored;
        const wchar_t* notice;
    } cases[] = {
        {L"Ctrl+Alt+V",
         L"Ctrl+Alt+V, which turns Vorn off and on, is already used by Windows or another program. Choose another "
         L"combination on the Settings page."},
        {L"Ctrl+Banana",
         L"\"Ctrl+Banana\" cannot turn Vorn off and on: it is no key combination. Choose one on the Settings page."},
        {L"Ctrl+Alt", L"\"Ctrl+Alt\" cannot turn Vorn off and on: it is no key combination. Choose one on the Settings "
                      L"page."},
        {L"Ctrl+Alt+B", L""},
    };
    for (const auto& c : cases) {
        CSwitchKey key(system);
        theData.switchKeys = c.stored;
        EXPECT_EQ(key.Start(), c.notice) << testing::PrintToString(std::wstring(c.stored));
        EXPECT_EQ(theData.switchKeys, c.stored);
        EXPECT_EQ(key.Registered(), !*c.notice);
        key.Stop();
    }
    CSwitchKey key(system);
    theData.switchKeys = L"Ctrl+Alt+V";
    key.Start();
    system.held.clear();  // the other program ended
    EXPECT_EQ(key.Change(Keys(L"Ctrl+Alt+V")), SwitchKeyResult::Registered);
    EXPECT_EQ(system.registered, HotKey(L"Ctrl+Alt+V"));
    EXPECT_EQ(std::wstring(SwitchNotice(false)), L"Vorn is off");
    EXPECT_EQ(std::wstring(SwitchNotice(true)), L"Vorn is on");
}

// --- the quiet programs ---------------------------------------------------------------------

TEST_F(SettingsPageModelTest, TheProgramRowsAreOnePerProgramSortedWithoutVornsOwn)
{
    const auto window = [&](const wchar_t* title, const wchar_t* program, DWORD process) {
        const HWND handle = AddWindow(title);
        desktop.Window(handle).program = program;
        desktop.Window(handle).processId = process;
        return handle;
    };
    window(L"Untitled - Notepad", L"C:\\Windows\\notepad.exe", 10);
    window(L"", L"C:\\Games\\Zork.EXE", 11);
    window(L"notes.txt - Notepad", L"C:\\Windows\\NOTEPAD.EXE", 12);  // the same program
    window(L"Vorn", L"C:\\Tools\\Vorn.exe", desktop.ownProcessId);
    window(L"Unknown", L"", 13);  // a process that cannot be opened
    window(L"Remote", L"C:\\Windows\\System32\\mstsc.exe", 14);
    const HWND hidden = window(L"Hidden", L"C:\\hidden.exe", 15);
    desktop.Window(hidden).visible = false;

    const std::vector<ProgramRow> rows = ProgramRows(VisibleProgramWindows(), desktop.GetCurrentProcessId());
    std::vector<std::wstring> texts;
    for (const ProgramRow& row : rows)
        texts.push_back(row.text);
    // The newest window is first in the Z order and names its program's row.
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"mstsc.exe \u2014 Remote", L"NOTEPAD.EXE \u2014 notes.txt - Notepad",
                                                L"Zork.EXE"}));
    EXPECT_EQ(rows[1].name, L"NOTEPAD.EXE");

    const struct {
        const wchar_t* typed;
        std::size_t count;
    } filters[] = {{L"", 3}, {L"  ", 3}, {L"NOTE", 1}, {L" zork ", 1}, {L"exe", 3}, {L"remote", 1}, {L"word", 0}};
    for (const auto& f : filters)
        EXPECT_EQ(FilterProgramRows(rows, f.typed).size(), f.count) << testing::PrintToString(std::wstring(f.typed));
}

TEST_F(SettingsPageModelTest, NamesAreAddedOnceWithoutFoldersAndRemovedWithoutRegardToCase)
{
    theData.quietPrograms = {L"Game.exe"};
    const struct {
        const wchar_t* typed;
        QuietAddResult result;
        const wchar_t* message;
    } adds[] = {
        {L" mstsc.exe ", QuietAddResult::Added, L""},
        {L"GAME.EXE", QuietAddResult::AlreadyListed, L"GAME.EXE is already in the list."},
        {L"", QuietAddResult::Unusable,
         L"Type the file name of a program, such as game.exe, or choose one in the list."},
        {L"   ", QuietAddResult::Unusable,
         L"Type the file name of a program, such as game.exe, or choose one in the list."},
        {L"C:\\Games\\doom.exe", QuietAddResult::Unusable,
         L"Type the program's file name alone, such as doom.exe, without its folder or drive."},
        {L"tools/x.exe", QuietAddResult::Unusable,
         L"Type the program's file name alone, such as x.exe, without its folder or drive."},
        {L"D:", QuietAddResult::Unusable,
         L"Type the program's file name alone, such as game.exe, without its folder or drive."},
        {L"a", QuietAddResult::Added, L""},
    };
    for (const auto& add : adds) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(add.typed)));
        EXPECT_EQ(AddQuietProgram(theData, add.typed), add.result);
        EXPECT_EQ(QuietAddMessage(add.result, add.typed), add.message);
    }
    EXPECT_EQ(theData.quietPrograms, (std::vector<std::wstring>{L"Game.exe", L"mstsc.exe", L"a"}));

    EXPECT_FALSE(RemoveQuietProgram(theData, L""));
    EXPECT_FALSE(RemoveQuietProgram(theData, L"notepad.exe"));
    EXPECT_TRUE(RemoveQuietProgram(theData, L"C:\\Windows\\MSTSC.exe"));
    EXPECT_TRUE(RemoveQuietProgram(theData, L"game.EXE"));
    EXPECT_EQ(theData.quietPrograms, (std::vector<std::wstring>{L"a"}));
}

// The tray menu's item: the program in front, unless it is Vorn or unknown,
// and choosing it puts it in the list and takes it out again.
TEST_F(SettingsPageModelTest, TheTrayItemNamesTheProgramInFrontAndTogglesIt)
{
    EXPECT_EQ(ProgramInFrontNow(), L"");  // nothing in front
    const HWND game = AddWindow(L"Game");
    desktop.Window(game).program = L"C:\\Games\\R&D.exe";
    desktop.foreground = game;
    EXPECT_EQ(ProgramInFrontNow(), L"R&D.exe");
    EXPECT_EQ(KeepQuietItemText(ProgramInFrontNow()), L"&Keep quiet in R&&D.exe");
    EXPECT_EQ(KeepQuietItemText(L""), L"&Keep quiet in the program in front");
    // A click on the tray icon gave the taskbar the foreground: the game
    // below it still counts, not a tool window or an untitled one above it.
    const HWND tool = AddWindow(L"Palette");
    desktop.Window(tool).exStyle = WS_EX_TOOLWINDOW;
    desktop.Window(tool).program = L"C:\\Tools\\palette.exe";
    const HWND untitled = AddWindow(L"");
    desktop.Window(untitled).program = L"C:\\Tools\\overlay.exe";
    desktop.foreground = desktop.FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_NE(desktop.foreground, nullptr);
    EXPECT_EQ(ProgramInFrontNow(), L"R&D.exe");
    desktop.foreground = game;
    desktop.Window(game).processId = desktop.ownProcessId;
    EXPECT_EQ(ProgramInFrontNow(), L"");
    desktop.Window(game).processId = 7;
    desktop.Window(game).program.clear();
    EXPECT_EQ(ProgramInFrontNow(), L"");

    theData.quietPrograms = {L"mstsc.exe"};
    EXPECT_TRUE(ToggleQuietProgram(theData, L"R&D.exe"));
    EXPECT_TRUE(theData.IsQuietProgram(L"r&d.exe"));
    EXPECT_FALSE(ToggleQuietProgram(theData, L"r&d.EXE"));
    EXPECT_EQ(theData.quietPrograms, (std::vector<std::wstring>{L"mstsc.exe"}));
}

}  // namespace
}  // namespace vorn
