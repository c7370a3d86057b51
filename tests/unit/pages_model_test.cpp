// What the Actions page and the preview show, apart from their widgets: the
// zones of the monitor picture, the label, the tree's contents, the tips, the
// monitor list and the wait box, and where the preview paints and writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/fake/fixture.h"
#include "tests/fake/temp_folder.h"
#include "ui/actions_page_model.h"
#include "ui/picture_colours.h"
#include "ui/preview_layout.h"

namespace vorn {
namespace {

class PagesModelTest : public fake::DesktopTest {};

TEST_F(PagesModelTest, DiagramZonesIncludeTheirLeftAndTopEdgesOnly)
{
    struct Case {
        POINT at;
        EdgeZone zone;
    };
    const Case cases[] = {
        {{28, 20}, UpperLeftCorner},
        {{29, 20}, NoZone},
        {{9, 10}, UpperLeftCorner},
        {{9, 32}, NoZone},
        {{9, 38}, LeftSide},
        {{18, 140}, LeftSide},
        {{19, 100}, NoZone},
        {{40, 10}, TopSide},
        {{188, 19}, TopSide},
        {{189, 10}, NoZone},
        {{219, 168}, LowerRightCorner},
        {{220, 168}, NoZone},
        {{200, 10}, UpperRightCorner},
        {{215, 100}, RightSide},
        {{100, 165}, BottomSide},
        {{20, 160}, LowerLeftCorner},
        {{100, 100}, NoZone},
        {{8, 20}, NoZone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DiagramZoneAt(c.at), c.zone) << c.at.x << ", " << c.at.y;
}

// The zone an arrow reaches, worked out from the picture itself: the nearest
// zone beyond this one in that direction that lies across from it (their
// extents overlap along the other axis); none at the picture's edge.
EdgeZone ZoneSeenThatWay(EdgeZone from, Arrow arrow)
{
    const RECT& a = kDiagramZoneRects[static_cast<std::size_t>(from)];
    EdgeZone best = from;
    LONG bestGap = 0;
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const RECT& b = kDiagramZoneRects[static_cast<std::size_t>(zone)];
        const bool across = (arrow == Arrow::Left || arrow == Arrow::Right) ? b.top < a.bottom && a.top < b.bottom
                                                                            : b.left < a.right && a.left < b.right;
        const LONG gap = arrow == Arrow::Left    ? a.left - b.right
                         : arrow == Arrow::Right ? b.left - a.right
                         : arrow == Arrow::Up    ? a.top - b.bottom
                                                 : b.top - a.bottom;
        if (zone == from || !across || gap < 0) continue;
        if (best == from || gap < bestGap) {
            best = EdgeZone(zone);
            bestGap = gap;
        }
    }
    return best;
}

TEST_F(PagesModelTest, ArrowKeysGoToTheNextZoneThatWayAsTheZonesLieOnThePicture)
{
    const Arrow arrows[] = {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down};
    const Arrow opposite[] = {Arrow::Right, Arrow::Left, Arrow::Down, Arrow::Up};
    for (int zone = 0; zone < kZoneCount; ++zone)
        for (std::size_t a = 0; a < 4; ++a) {
            SCOPED_TRACE(testing::Message() << ZoneName(EdgeZone(zone)) << ", arrow " << a);
            const EdgeZone to = NeighbourZone(EdgeZone(zone), arrows[a]);
            EXPECT_EQ(to, ZoneSeenThatWay(EdgeZone(zone), arrows[a]));
            // A step can always be taken back.
            if (to != zone) {
                EXPECT_EQ(NeighbourZone(to, opposite[a]), zone);
            }
        }
    // As a user reads the picture.
    EXPECT_EQ(NeighbourZone(UpperLeftCorner, Arrow::Right), TopSide);
    EXPECT_EQ(NeighbourZone(UpperLeftCorner, Arrow::Down), LeftSide);
    EXPECT_EQ(NeighbourZone(UpperLeftCorner, Arrow::Up), UpperLeftCorner);
    EXPECT_EQ(NeighbourZone(TopSide, Arrow::Down), BottomSide);
    EXPECT_EQ(NeighbourZone(RightSide, Arrow::Left), LeftSide);
    EXPECT_EQ(NeighbourZone(NoZone, Arrow::Left), NoZone);
}

TEST_F(PagesModelTest, ThePicturesValueNamesTheZoneTheKeyAndTheAction)
{
    theData.assignments[Shift][LowerRightCorner] = FindActionIndex(L"Task view");
    theData.assignments[Ctrl][LowerRightCorner] = FindActionIndex(L"Copy");
    theData.assignments[Plain][TopSide] = FindActionIndex(L"Cascade");
    EXPECT_EQ(ZoneValueText(LowerRightCorner, Shift), L"Lower right corner, Shift: Task view");
    EXPECT_EQ(ZoneValueText(LowerRightCorner, Ctrl), L"Lower right corner, Ctrl: Copy");
    EXPECT_EQ(ZoneValueText(TopSide, Plain), L"Top side: Cascade");
    EXPECT_EQ(ZoneValueText(NoZone, Plain), L"");
}

TEST_F(PagesModelTest, ContrastRatiosAreThoseOfRelativeLuminance)
{
    struct Case {
        Rgb a, b;
        double ratio;
    };
    const Case cases[] = {
        {{0, 0, 0}, {255, 255, 255}, 21.0},
        {{255, 255, 255}, {0, 0, 0}, 21.0},
        {{40, 90, 160}, {40, 90, 160}, 1.0},
        {{119, 119, 119}, {255, 255, 255}, 4.48},  // the lightest grey text for 4.5 : 1, just short of it
        {{148, 148, 148}, {255, 255, 255}, 3.03},  // just over 3 : 1
        {{255, 0, 0}, {255, 255, 255}, 4.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01) << int(c.a.r) << " " << int(c.a.g) << " " << int(c.a.b);
    EXPECT_NEAR(RelativeLuminance(Rgb{0, 255, 0}), 0.7152, 1e-4);
}

TEST_F(PagesModelTest, InHighContrastThePicturesTakeTheSystemsColoursWithoutArtwork)
{
    const SystemColours system{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}};
    const PictureColours high = ChoosePictureColours(true, system);
    EXPECT_FALSE(high.artwork);
    EXPECT_EQ(high.background, system.window);
    EXPECT_EQ(high.outline, system.windowText);
    EXPECT_EQ(high.selectedZone, system.highlight);
    EXPECT_EQ(high.hotZone, system.hotLight);
    EXPECT_EQ(high.button, system.window);
    EXPECT_EQ(high.selectedButton, system.highlight);
    EXPECT_EQ(high.selectedButtonFrame, system.highlightText);

    // Otherwise the pictures' own, whatever the system's are.
    const PictureColours normal = ChoosePictureColours(false, system);
    EXPECT_TRUE(normal.artwork);
    EXPECT_GE(ContrastRatio(normal.selectedButton, normal.button), kSelectionContrast);
    EXPECT_GE(ContrastRatio(normal.outline, normal.button), kSelectionContrast);
    EXPECT_GE(ContrastRatio(normal.selectedButtonFrame, normal.selectedButton), kSelectionContrast);
    EXPECT_NE(normal.selectedZone, normal.hotZone);
    for (const Rgb colour : {normal.outline, normal.button, normal.selectedButton, normal.selectedZone})
        for (const Rgb given : {system.window, system.windowText, system.highlight})
            EXPECT_NE(colour, given);
}

TEST_F(PagesModelTest, TheLabelNamesTheZoneInLowerCaseAndTheKey)
{
    EXPECT_EQ(ZoneLabel(UpperLeftCorner, Plain), L"Action for upper left corner:");
    EXPECT_EQ(ZoneLabel(LowerRightCorner, Shift), L"Action for lower right corner with Shift key:");
    EXPECT_EQ(ZoneLabel(BottomSide, Ctrl), L"Action for bottom side with Ctrl key:");
    std::set<std::wstring> labels;
    for (int zone = 0; zone < kZoneCount; ++zone)
        for (ModifierKey modifier : {Plain, Shift, Ctrl})
            labels.insert(ZoneLabel(EdgeZone(zone), modifier));
    EXPECT_EQ(labels.size(), 24u);
}

TEST_F(PagesModelTest, TheTreeHasTheCatalogueGroupsThenCustomWithTheActionsInUse)
{
    std::vector<ActionTreeGroup> tree = BuildActionTree();
    ASSERT_EQ(tree.size(), 15u);
    EXPECT_EQ(tree.front().heading, L"Screen saver");
    EXPECT_EQ(tree[12].heading, L"Windows");
    EXPECT_EQ(tree[13].heading, L"Media");
    EXPECT_EQ(tree.back().heading, L"Custom");
    EXPECT_TRUE(tree.back().items.empty());
    // Each heading's "Group k expanded": "Custom" keeps 13, the later groups
    // take 14 and 15.
    const int keys[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 12};
    for (std::size_t g = 0; g < tree.size(); ++g)
        EXPECT_EQ(tree[g].expansionKey, keys[g]) << g;
    ActionIndex next = 0;
    for (std::size_t g = 0; g + 1 < tree.size(); ++g) {
        EXPECT_EQ(tree[g].image, GroupClosed);
        for (const ActionTreeItem& item : tree[g].items) {
            EXPECT_EQ(item.action, next);
            EXPECT_EQ(item.text, theCatalogue[static_cast<std::size_t>(next)].name);
            EXPECT_EQ(tree[g].heading, theCatalogue[static_cast<std::size_t>(next)].group);
            EXPECT_EQ(item.image, BuiltInAction);
            ++next;
        }
    }
    EXPECT_EQ(next, kBuiltInActionCount);

    for (int slot = 0; slot < 3; ++slot)
        theCustomActions[slot] = CCustomAction{L"Mine " + std::to_wstring(slot), L"", L"calc", L""};
    tree = BuildActionTree();
    const ActionTreeGroup& custom = tree.back();
    EXPECT_EQ(custom.image, CustomGroupClosed);
    ASSERT_EQ(custom.items.size(), 3u);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(custom.items[static_cast<std::size_t>(slot)].action, kBuiltInActionCount + slot);
        EXPECT_EQ(custom.items[static_cast<std::size_t>(slot)].text, L"Mine " + std::to_wstring(slot));
        EXPECT_EQ(custom.items[static_cast<std::size_t>(slot)].selectedImage, CustomActionSelected);
    }
}

// A custom action from an older file named like a later built-in ("Mute")
// takes that name when the file is read: a built-in the tree offered under it
// would come back after a restart as the custom action.
TEST_F(PagesModelTest, WhatTheTreeOffersIsWhatRunsAfterARestart)
{
    fake::TempFolder folder;
    theData.settingsPath = folder.File(L"Vorn.ini");
    const std::wstring shadowed = theCatalogue[static_cast<std::size_t>(kBuiltInActionCount - 1)].name;
    theCustomActions[0] = CCustomAction{shadowed, L"", L"calc", L""};
    theCustomActions[1] = CCustomAction{L"Mine", L"", L"calc", L""};
    for (const bool renamed : {false, true}) {
        if (renamed) theCustomActions[0].name = shadowed + L" (old)";
        std::vector<ActionIndex> offered;
        for (const ActionTreeGroup& group : BuildActionTree())
            for (const ActionTreeItem& item : group.items)
                offered.push_back(item.action);
        const bool builtInOffered =
            std::find(offered.begin(), offered.end(), kBuiltInActionCount - 1) != offered.end();
        EXPECT_EQ(builtInOffered, renamed);
        EXPECT_EQ(BuiltInShadowedBy(kBuiltInActionCount), renamed ? kNoActionIndex : kBuiltInActionCount - 1);
        EXPECT_EQ(offered.size(), static_cast<std::size_t>(kBuiltInActionCount + (renamed ? 2 : 1)));
        // Every action offered, assigned and read back, is still that action.
        for (std::size_t first = 0; first < offered.size(); first += kZoneCount) {
            for (std::size_t zone = 0; zone < static_cast<std::size_t>(kZoneCount); ++zone)
                theData.assignments[Plain][zone] = offered[std::min(first + zone, offered.size() - 1)];
            const auto assigned = theData.assignments;
            theData.SaveSettings();
            theData.LoadSettings();
            EXPECT_EQ(theData.assignments, assigned) << "from item " << first << (renamed ? ", renamed" : "");
        }
    }
}

TEST_F(PagesModelTest, TipsNameGroupsAndZoneActions)
{
    EXPECT_EQ(HeadingTip(L"Custom"), L"Custom actions");
    theData.assignments[Ctrl][RightSide] = FindActionIndex(L"Tile left");
    EXPECT_EQ(ZoneTip(RightSide, Ctrl), L"Tile left");
    EXPECT_EQ(ZoneTip(RightSide, Plain), ActionName(theData.assignments[Plain][RightSide]));
    EXPECT_EQ(ZoneTip(NoZone, Plain), L"");
}

// The set list's ends and a set between them: the list entry, the label
// above the tree, the tip and the value name the trigger and the key, and the
// tip adds the zone's other wheel and click actions.
TEST_F(PagesModelTest, TheLabelTipAndValueNameTheSetShownAndTheZonesOtherTriggers)
{
    theData.assignments[SetOf(Entering, Plain)][RightSide] = FindActionIndex(L"Tile right");
    theData.assignments[SetOf(WheelUp, Plain)][RightSide] = FindActionIndex(L"Volume up");
    theData.assignments[SetOf(Click, Ctrl)][RightSide] = FindActionIndex(L"Screen saver on");
    const struct {
        ActionSet set;
        const wchar_t *name, *label, *value;
    } cases[] = {
        {SetOf(Entering, Plain), L"Entering", L"Action for right side:",
         L"Right side: Tile right; wheel up: Volume up; click with Ctrl: Screen saver on"},
        {SetOf(WheelUp, Shift), L"Wheel up with Shift", L"Action for right side on wheel up with Shift key:",
         L"Right side, wheel up with Shift: No action; wheel up: Volume up; click with Ctrl: Screen saver on"},
        {SetOf(Click, Ctrl), L"Click with Ctrl", L"Action for right side on click with Ctrl key:",
         L"Right side, click with Ctrl: Screen saver on; wheel up: Volume up"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        EXPECT_EQ(ActionSetName(c.set), c.name);
        EXPECT_EQ(ZoneLabel(RightSide, c.set), c.label);
        const std::wstring value = c.value;
        EXPECT_EQ(ZoneValueText(RightSide, c.set), value);
        EXPECT_EQ(ZoneTip(RightSide, c.set), value.substr(value.find(L": ") + 2));
    }
    EXPECT_EQ(ActionSetName(kActionSetCount), L"");
    EXPECT_EQ(ZoneLabel(RightSide, kActionSetCount), L"");
}

// The mark goes on a zone with an action for the first wheel set or the last
// click set alone, inside it, and on no zone that only enters.
TEST_F(PagesModelTest, OnlyZonesWithAWheelOrClickActionAreMarked)
{
    theData.assignments[SetOf(WheelUp, Plain)][TopSide] = FindActionIndex(L"Next desktop");
    theData.assignments[SetOf(Click, Ctrl)][LowerLeftCorner] = FindActionIndex(L"Screen saver on");
    ASSERT_NE(theData.assignments[SetOf(Entering, Plain)][UpperLeftCorner], kNoActionIndex);
    for (int zone = 0; zone < kZoneCount; ++zone) {
        SCOPED_TRACE(zone);
        EXPECT_EQ(HasWheelOrClick(EdgeZone(zone)), zone == TopSide || zone == LowerLeftCorner);
        const RECT mark = ZoneMarkRect(EdgeZone(zone));
        const RECT& area = kDiagramZoneRects[static_cast<std::size_t>(zone)];
        EXPECT_TRUE(mark.left > area.left && mark.top > area.top && mark.right < area.right &&
                    mark.bottom < area.bottom);
    }
}

// The preview writes a zone's wheel and click actions for the modifier held
// on a line of its own, on the screen, and says them in words.
TEST_F(PagesModelTest, ThePreviewAddsTheWheelAndClickActionsOfTheModifierHeld)
{
    theData.assignments[SetOf(WheelUp, Plain)][RightSide] = FindActionIndex(L"Volume up");
    theData.assignments[SetOf(WheelDown, Plain)][RightSide] = FindActionIndex(L"Volume down");
    theData.assignments[SetOf(Click, Plain)][TopSide] = FindActionIndex(L"Screen saver on");
    const PreviewLayout plain = ComputePreviewLayout(1920, 1080, Plain);
    const auto textOf = [](const PreviewLayout& layout, EdgeZone zone) {
        return *std::find_if(layout.texts.begin(), layout.texts.end(), [&](const PreviewText& t) { return t.zone == zone; });
    };
    // Against the far edge and against the near one: both lines on the screen, apart.
    for (const EdgeZone zone : {RightSide, TopSide}) {
        const PreviewText t = textOf(plain, zone);
        EXPECT_TRUE(t.moreAt.x != t.at.x || t.moreAt.y != t.at.y) << zone;
        for (const POINT p : {t.at, t.moreAt})
            EXPECT_TRUE(p.x >= 0 && p.x < 1920 && p.y >= 0 && p.y < 1080) << zone;
    }
    EXPECT_EQ(textOf(plain, RightSide).more, L"Wheel: Volume up / Volume down");
    EXPECT_EQ(textOf(plain, TopSide).more, L"Click: Screen saver on");
    EXPECT_EQ(textOf(plain, LeftSide).more, L"");
    EXPECT_EQ(textOf(ComputePreviewLayout(1920, 1080, Shift), RightSide).more, L"");
    const std::wstring said = PreviewDescription(Plain);
    EXPECT_NE(said.find(L"Right side: " + textOf(plain, RightSide).text + L"; wheel up: Volume up; wheel down: Volume down."),
              std::wstring::npos)
        << testing::PrintToString(said);
    EXPECT_NE(said.find(L"; click: Screen saver on."), std::wstring::npos);
    EXPECT_EQ(PreviewDescription(Shift).find(L"wheel"), std::wstring::npos);
}

TEST_F(PagesModelTest, PreviewAreasAndTextsFollowTheZoneSettings)
{
    theData.cornerSize = 4;
    theData.sideWidth = 3;
    theData.sideLength = 50;
    theData.ComputeSideBands();
    theData.assignments[Shift][LowerRightCorner] = FindActionIndex(L"Cascade");
    const PreviewLayout layout = ComputePreviewLayout(1920, 1080, Shift);
    const auto rect = [](const RECT& r) { return std::vector<LONG>{r.left, r.top, r.right, r.bottom}; };
    EXPECT_EQ(rect(layout.areas[UpperLeftCorner]), (std::vector<LONG>{0, 0, 4, 4}));
    EXPECT_EQ(rect(layout.areas[UpperRightCorner]), (std::vector<LONG>{1915, 0, 1919, 4}));
    EXPECT_EQ(rect(layout.areas[LowerRightCorner]), (std::vector<LONG>{1915, 1075, 1919, 1079}));
    EXPECT_EQ(rect(layout.areas[LeftSide]), (std::vector<LONG>{0, theData.sideYLow, 3, theData.sideYHigh}));
    EXPECT_EQ(rect(layout.areas[BottomSide]), (std::vector<LONG>{theData.sideXLow, 1076, theData.sideXHigh, 1079}));

    struct Anchor {
        EdgeZone zone;
        int escapement;
        TextAlign align;
        LONG x, y;
    };
    const Anchor anchors[] = {
        {LeftSide, 900, TextAlign::Centre, 3, 540},
        {RightSide, 900, TextAlign::Centre, 1901, 540},
        {TopSide, 0, TextAlign::Centre, 960, 3},
        {BottomSide, 0, TextAlign::Centre, 960, 1061},
        {UpperLeftCorner, -350, TextAlign::Left, 19, 9},
        {LowerRightCorner, -350, TextAlign::Right, 1906, 1056},
        {UpperRightCorner, 350, TextAlign::Right, 1901, 9},
        {LowerLeftCorner, 350, TextAlign::Left, 14, 1056},
    };
    for (std::size_t i = 0; i < layout.texts.size(); ++i) {
        const PreviewText& t = layout.texts[i];
        EXPECT_EQ(t.zone, anchors[i].zone) << i;
        EXPECT_EQ(t.escapement, anchors[i].escapement) << i;
        EXPECT_EQ(t.align, anchors[i].align) << i;
        EXPECT_EQ(t.at.x, anchors[i].x) << i;
        EXPECT_EQ(t.at.y, anchors[i].y) << i;
    }
    EXPECT_EQ(layout.texts[5].text, L"Cascade");
    EXPECT_EQ(rect(layout.label), (std::vector<LONG>{760, 490, 1160, 502}));
    EXPECT_EQ(rect(layout.close), (std::vector<LONG>{900, 525, 1020, 555}));
    EXPECT_EQ(std::wstring(PreviewLabel(Shift)), L"Shift key actions");
    EXPECT_EQ(std::wstring(PreviewLabel(Ctrl)), L"Ctrl key actions");
    EXPECT_EQ(std::wstring(PreviewLabel(Plain)), L"Press Shift or Ctrl keys to see their actions");
}

// What a screen reader reads of the preview: every zone, in order, with the
// action it runs for the modifier held, the same texts the preview paints.
TEST_F(PagesModelTest, ThePreviewSaysEveryZoneWithItsActionForTheModifierHeld)
{
    theData.assignments[Shift][LowerRightCorner] = FindActionIndex(L"Tile left");
    theData.assignments[Shift][UpperLeftCorner] = FindActionIndex(L"Cascade");
    for (const ModifierKey modifier : {Plain, Shift, Ctrl}) {
        SCOPED_TRACE(static_cast<int>(modifier));
        const std::wstring said = PreviewDescription(modifier);
        const PreviewLayout layout = ComputePreviewLayout(1920, 1080, modifier);
        std::size_t from = 0;
        for (int zone = 0; zone < kZoneCount; ++zone) {
            const auto painted = std::find_if(layout.texts.begin(), layout.texts.end(),
                                              [&](const PreviewText& t) { return t.zone == EdgeZone(zone); });
            ASSERT_NE(painted, layout.texts.end());
            const std::wstring line = std::wstring(ZoneName(EdgeZone(zone))) + L": " + painted->text + L".";
            const std::size_t at = said.find(line, from);
            ASSERT_NE(at, std::wstring::npos) << zone;
            from = at + line.size();
        }
        EXPECT_EQ(from, said.size());
    }
    EXPECT_NE(PreviewDescription(Shift).find(L"Lower right corner: Tile left."), std::wstring::npos);
    EXPECT_EQ(PreviewDescription(Plain).find(L"Lower right corner: Tile left."), std::wstring::npos);
}

// --- monitors of their own and a wait per zone ------------------------------------------

const wchar_t kLaptop[] = L"\\\\?\\DISPLAY#SHP14C9#4&1b2c3d4e&0&UID265988#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
const wchar_t kDesk[] = L"\\\\?\\DISPLAY#DEL41B8#5&2f3c4d5e&0&UID4357#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";
const wchar_t kAway[] = L"\\\\?\\DISPLAY#DELA0E3#5&aa11bb22&0&UID4358#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";

ConnectedMonitor Connected(int number, const wchar_t* path, const wchar_t* name, RECT rect = {})
{
    ConnectedMonitor monitor;
    monitor.rect = rect;
    monitor.number = number;
    monitor.primary = number == 1;
    monitor.devicePath = path;
    monitor.friendlyName = name;
    return monitor;
}

std::vector<std::wstring> Texts(const std::vector<MonitorChoice>& choices)
{
    std::vector<std::wstring> texts;
    for (const MonitorChoice& choice : choices)
        texts.push_back(choice.text);
    return texts;
}

// The list offers every monitor a user can mean, and shows only when there
// is more than one: a remembered monitor that is connected is listed once.
TEST_F(PagesModelTest, TheMonitorListNamesEveryMonitorAndShowsWhenThereIsMoreThanOne)
{
    struct Case {
        const char* what;
        std::vector<ConnectedMonitor> connected;
        std::vector<std::pair<std::wstring, std::wstring>> remembered;  // path, name
        std::vector<std::wstring> texts;
        bool shown;
    };
    const Case cases[] = {
        {"one monitor", {Connected(1, kLaptop, L"")}, {}, {L"All monitors", L"1. Monitor 1 (primary)"}, false},
        {"two monitors",
         {Connected(1, kLaptop, L"Built-in display"), Connected(2, kDesk, L"DELL U2720Q")},
         {},
         {L"All monitors", L"1. Built-in display (primary)", L"2. DELL U2720Q"},
         true},
        {"one connected, one remembered",
         {Connected(1, kLaptop, L"")},
         {{kAway, L"DELL P2419H"}},
         {L"All monitors", L"1. Monitor 1 (primary)", L"DELL P2419H (not connected)"},
         true},
        {"one remembered without a name", {}, {{kAway, L""}}, {L"All monitors", L"Monitor (not connected)"}, false},
        {"the one connected remembered, its path in other case",
         {Connected(1, kLaptop, L"")},
         {{FoldedCase(kLaptop), L""}},
         {L"All monitors", L"1. Monitor 1 (primary)"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        theData.monitorAssignments.clear();
        for (const auto& [path, name] : c.remembered)
            theData.RememberMonitor(path, name);
        const std::vector<MonitorChoice> choices = MonitorChoices(c.connected);
        EXPECT_EQ(Texts(choices), c.texts);
        EXPECT_EQ(ShowsMonitorList(choices), c.shown);
    }
}

// On a monitor chosen the page shows and sets that monitor's assignments: a
// zone without its own shows the shared one and says so; choosing the
// monitor remembers nothing, its first own assignment does, by its name.
TEST_F(PagesModelTest, AMonitorChosenShowsAndSetsItsOwnAssignments)
{
    const ActionIndex taskView = FindActionIndex(L"Task view");
    const ActionIndex tileLeft = FindActionIndex(L"Tile left");
    theData.assignments[Plain][LowerRightCorner] = tileLeft;
    const std::vector<MonitorChoice> choices =
        MonitorChoices({Connected(1, kLaptop, L""), Connected(2, kDesk, L"Display2")});
    const MonitorChoice& desk = choices[2];

    EXPECT_EQ(desk.Shown(Plain, LowerRightCorner), tileLeft);
    EXPECT_EQ(desk.Own(Plain, LowerRightCorner), kSameAsAllMonitors);
    EXPECT_EQ(ZoneTip(LowerRightCorner, Plain, desk), L"Tile left (same as all monitors)");
    EXPECT_EQ(ZoneLabel(LowerRightCorner, Plain, desk), L"Action for lower right corner on 2. Display2:");
    EXPECT_EQ(ZoneLabel(LowerRightCorner, Shift, desk), L"Action for lower right corner with Shift key on 2. Display2:");
    EXPECT_TRUE(theData.monitorAssignments.empty());
    // "Same as all monitors" where it is so already changes nothing.
    EXPECT_FALSE(desk.Set(Plain, LowerRightCorner, kSameAsAllMonitors));
    EXPECT_TRUE(theData.monitorAssignments.empty());

    EXPECT_TRUE(desk.Set(Plain, LowerRightCorner, taskView));
    ASSERT_EQ(theData.monitorAssignments.size(), 1u);
    EXPECT_EQ(theData.monitorAssignments[0].devicePath, kDesk);
    EXPECT_EQ(theData.monitorAssignments[0].name, L"Display2");
    EXPECT_EQ(desk.Shown(Plain, LowerRightCorner), taskView);
    EXPECT_EQ(ZoneValueText(LowerRightCorner, Plain, desk), L"Lower right corner: Task view");
    // The shared assignment and the other monitor keep theirs.
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], tileLeft);
    EXPECT_EQ(choices[1].Shown(Plain, LowerRightCorner), tileLeft);
    EXPECT_EQ(desk.Shown(Shift, LowerRightCorner), theData.assignments[Shift][LowerRightCorner]);

    // Back to the shared one; all monitors set the shared one.
    EXPECT_TRUE(desk.Set(Plain, LowerRightCorner, kSameAsAllMonitors));
    EXPECT_EQ(desk.Shown(Plain, LowerRightCorner), tileLeft);
    EXPECT_TRUE(kAllMonitors.Set(Plain, LowerRightCorner, taskView));
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], taskView);
    EXPECT_EQ(ZoneTip(LowerRightCorner, Plain, kAllMonitors), L"Task view");
}

TEST_F(PagesModelTest, TheWaitBoxStoresAZonesWaitHeldToItsRange)
{
    struct Case {
        const wchar_t* typed;
        std::int32_t stored;
        const wchar_t* shown;  // when the zone is shown again
    };
    const Case cases[] = {
        {L"800", 800, L"800"}, {L"0", 0, L"0"},       {L"5000", kMaxZoneDwell, L"5000"},
        {L"5001", kMaxZoneDwell, L"5000"}, {L"", kDwellAsSetting, L""}, {L" ", kDwellAsSetting, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
        theData.zoneDwell[LeftSide] = 123;
        EXPECT_TRUE(StoreZoneWait(LeftSide, c.typed));
        EXPECT_EQ(theData.zoneDwell[LeftSide], c.stored);
        EXPECT_EQ(ZoneWaitText(LeftSide), c.shown);
        EXPECT_FALSE(StoreZoneWait(LeftSide, c.typed)) << "the same again is no change";
        EXPECT_EQ(theData.zoneDwell[TopSide], kDwellAsSetting);  // for that zone only
    }
}

// Two monitors side by side, the right one with its own lower right corner.
class MonitorPreviewTest : public PagesModelTest {
protected:
    MonitorPreviewTest()
    {
        desktop.SetMonitors({{kLeft, kLeft, kLaptop, L""}, {kRight, kRight, kDesk, L"Display2"}});
        theData.assignments[Plain][LowerRightCorner] = FindActionIndex(L"Tile left");
        theData.assignments[Plain][UpperLeftCorner] = FindActionIndex(L"Cascade");
        const int desk = theData.RememberMonitor(kDesk, L"Display2");
        theData.SetAssignmentOn(desk, Plain, LowerRightCorner, FindActionIndex(L"Task view"));
        theData.SetAssignmentOn(desk, Plain, UpperLeftCorner, FindActionIndex(L"Minimize momentary"));
        slots.monitors = {{kLeft, theData.MonitorSlot(kLaptop), L"1. Monitor 1"},
                          {kRight, theData.MonitorSlot(kDesk), L"2. Display2"}};
    }
    static constexpr RECT kLeft{0, 0, 1920, 1080};
    static constexpr RECT kRight{1920, 0, 3840, 1080};
    MonitorSlots slots;
};

// Each text is the assignment of the monitor that holds its zone: with
// corners on every monitor each monitor's own; without, the monitor at the
// zone's spot on the screen's edge.
TEST_F(MonitorPreviewTest, EachZonesTextIsTheAssignmentOfTheMonitorHoldingIt)
{
    const auto textOf = [](const PreviewPicture& picture, EdgeZone zone, bool onRight) {
        for (const PreviewText& text : picture.texts)
            if (text.zone == zone && (text.at.x >= 1920) == onRight) return text.text;
        return std::wstring(L"<none>");
    };
    theData.cornersOnEveryMonitor = true;
    const PreviewPicture every = ComputePreviewPicture(3840, 1080, Plain, {}, slots);
    EXPECT_EQ(textOf(every, LowerRightCorner, true), L"Task view");
    EXPECT_EQ(textOf(every, UpperLeftCorner, false), L"Cascade");
    // Where the monitors meet no zone shows.
    EXPECT_EQ(textOf(every, UpperLeftCorner, true), L"<none>");

    theData.cornersOnEveryMonitor = false;
    const PreviewPicture outer = ComputePreviewPicture(3840, 1080, Plain, {}, slots);
    EXPECT_EQ(textOf(outer, LowerRightCorner, true), L"Task view");
    EXPECT_EQ(textOf(outer, UpperLeftCorner, false), L"Cascade");
    // Without the monitors' slots every zone shows the shared assignment.
    EXPECT_EQ(textOf(ComputePreviewPicture(3840, 1080, Plain), LowerRightCorner, true), L"Tile left");

    const std::wstring said = PreviewDescription(Plain, slots);
    EXPECT_NE(said.find(L"Lower right corner: Tile left."), std::wstring::npos);
    EXPECT_NE(said.find(L"On 2. Display2, lower right corner: Task view."), std::wstring::npos);
    EXPECT_EQ(PreviewDescription(Shift, slots).find(L"On 2. Display2"), std::wstring::npos);
}

}  // namespace
}  // namespace vorn
