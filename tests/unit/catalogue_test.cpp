#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "actions/action_host.h"
#include "actions/catalogue.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

TEST(Catalogue, HasOneHundredAndNineEntriesWithUniqueNamesAndAHandlerEach)
{
    ASSERT_EQ(theCatalogue.size(), 109u);
    EXPECT_EQ(kBuiltInActionCount, 109);
    EXPECT_EQ(kNoActionIndex, 94);
    EXPECT_EQ(kFirstLateAction, 95);
    std::set<std::wstring> names;
    for (const ActionDef& action : theCatalogue) {
        EXPECT_TRUE(names.insert(action.name).second) << "duplicate name";
        EXPECT_NE(action.handler, nullptr);
        EXPECT_NE(std::wstring(action.description), L"");
    }
}

struct GroupRun {
    const wchar_t* group;
    int first;
    int last;
    const wchar_t* firstName;
    const wchar_t* lastName;
};

class CatalogueGroupTest : public ::testing::TestWithParam<GroupRun> {};

TEST_P(CatalogueGroupTest, GroupIsOneContiguousRunWithItsNames)
{
    const GroupRun& run = GetParam();
    for (int i = 0; i < kBuiltInActionCount; ++i) {
        const bool inRun = i >= run.first && i <= run.last;
        EXPECT_EQ(std::wstring(theCatalogue[static_cast<std::size_t>(i)].group) == run.group, inRun) << "index " << i;
    }
    EXPECT_EQ(std::wstring(theCatalogue[static_cast<std::size_t>(run.first)].name), run.firstName);
    EXPECT_EQ(std::wstring(theCatalogue[static_cast<std::size_t>(run.last)].name), run.lastName);
}

INSTANTIATE_TEST_SUITE_P(
    FourteenGroups, CatalogueGroupTest,
    ::testing::Values(GroupRun{L"Screen saver", 0, 3, L"Screen saver on", L"Screen saver enable"},
                      GroupRun{L"Power", 4, 12, L"Monitor off", L"Restart"},
                      GroupRun{L"Peek", 13, 18, L"Peek desktop momentary", L"Peek window undo"},
                      GroupRun{L"Show desktop", 19, 20, L"Show desktop momentary", L"Show desktop toggle"},
                      GroupRun{L"Window arrangement", 21, 29, L"Cascade", L"Tile 2 vertical"},
                      GroupRun{L"Grow and shrink window", 30, 44, L"Enlarge window", L"Shrink window all"},
                      GroupRun{L"Move window", 45, 52, L"Move window left", L"Move window down and right"},
                      GroupRun{L"Minimize/Maximize", 53, 62, L"Minimize momentary", L"Restore all"},
                      GroupRun{L"Web browser", 63, 80, L"Next page", L"Add to favorites"},
                      GroupRun{L"Clipboard", 81, 85, L"Cut", L"Copy window to clipboard"},
                      GroupRun{L"Wallpaper", 86, 88, L"Cycle wallpaper", L"Toggle wallpaper"},
                      GroupRun{L"Misc", 89, 94, L"Close window", L"No action"},
                      GroupRun{L"Windows", 95, 102, L"Task view", L"New desktop"},
                      GroupRun{L"Media", 103, 108, L"Play/pause", L"Volume down"}));

TEST(Catalogue, TheLaterEntriesInTheirOrder)
{
    const wchar_t* const names[] = {L"Task view",    L"Start menu",       L"Search",      L"Action center",
                                    L"File Explorer", L"Next desktop",    L"Previous desktop", L"New desktop",
                                    L"Play/pause",   L"Next track",       L"Previous track", L"Mute",
                                    L"Volume up",    L"Volume down"};
    for (int i = 0; i < 14; ++i)
        EXPECT_STREQ(theCatalogue[static_cast<std::size_t>(kFirstLateAction + i)].name, names[i]);
}

TEST(Catalogue, ExactlyGrowShrinkMoveAndTheVolumeStepsAreRepeatable)
{
    for (int i = 0; i < kBuiltInActionCount; ++i)
        EXPECT_EQ(theCatalogue[static_cast<std::size_t>(i)].repeatable, (i >= 31 && i <= 52) || i == 107 || i == 108)
            << "index " << i;
}

// The volume steps follow the keyboard's repeat, as their key held would;
// grow, shrink and move keep the Repeat rate.
TEST(Catalogue, OnlyTheVolumeStepsRepeatAsAHeldKey)
{
    for (const ActionDef& action : theCatalogue) {
        const std::wstring_view name = action.name;
        EXPECT_EQ(action.repeatsAsHeldKey, name == L"Volume up" || name == L"Volume down")
            << testing::PrintToString(std::wstring(name));
    }
}

TEST(Catalogue, SharedHandlersAndDistinctOthers)
{
    EXPECT_EQ(theCatalogue[75].handler, theCatalogue[55].handler);  // Chrome full screen = maximize momentary
    EXPECT_EQ(theCatalogue[67].handler, theCatalogue[90].handler);  // Close tab = Close document
    std::set<ActionHandler> handlers;
    for (const ActionDef& action : theCatalogue)
        handlers.insert(action.handler);
    EXPECT_EQ(handlers.size(), 107u);
}

struct NamedEntry {
    int index;
    const wchar_t* name;
    const wchar_t* description;
};

class CatalogueEntryTest : public ::testing::TestWithParam<NamedEntry> {};

TEST_P(CatalogueEntryTest, NameAndDescriptionAreExact)
{
    const ActionDef& action = theCatalogue[static_cast<std::size_t>(GetParam().index)];
    EXPECT_EQ(std::wstring(action.name), GetParam().name);
    EXPECT_EQ(std::wstring(action.description), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    SpotChecks, CatalogueEntryTest,
    ::testing::Values(NamedEntry{0, L"Screen saver on",
                                 L"Turn on the screen saver while the mouse is in the selected position"},
                      NamedEntry{10, L"Switch user", L"Keep programs running and log off the current user"},
                      NamedEntry{21, L"Cascade", L"Cascade all active windows"},
                      NamedEntry{34, L"Grow window bottom", L"Make the active window's bottom larger"},
                      NamedEntry{69, L"Scroll up", L"Scroll one line up (towards end of page)"},
                      NamedEntry{75, L"Full screen momentary (Chrome)",
                                 L"Full-screen while the mouse is in the selected position (Google Chrome)"},
                      NamedEntry{90, L"Close document", L"Close the current document/page/tab within a program"},
                      NamedEntry{93, L"Vorn settings", L"Open the Vorn settings window"},
                      NamedEntry{94, L"No action", L"Don't do anything when the mouse reaches this position"}));

class NoActionTest : public fake::DesktopTest {};

TEST_F(NoActionTest, ChangesNothingInEitherPhase)
{
    struct Host final : CActionHost {
        void ChangeWallpaper(bool) override { ++wallpaperChanges; }
        void OpenSettingsWindow() override { ++opened; }
        HWND MainWindow() const override { return nullptr; }
        int wallpaperChanges = 0;
        int opened = 0;
    } host;
    const HWND window = AddWindow(L"Editor");
    desktop.SetForegroundWindow(window);
    const RECT before = desktop.Window(window).rect;
    for (bool ending : {false, true}) {
        host.ending = ending;
        host.targetWindow = window;
        theCatalogue[kNoActionIndex].handler(host);
    }
    EXPECT_EQ(host.wallpaperChanges + host.opened, 0);
    EXPECT_EQ(host.savedWindow, nullptr);
    EXPECT_TRUE(desktop.launches.empty() && desktop.posted.empty() && desktop.keys.empty());
    EXPECT_EQ(desktop.Window(window).rect.left, before.left);
    EXPECT_EQ(desktop.Window(window).state, fake::ShowState::Normal);
}

}  // namespace
}  // namespace vorn
