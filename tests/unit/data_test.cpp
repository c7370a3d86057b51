#include <gtest/gtest.h>

#include "settings/data.h"
#include "settings/setting_table.h"
#include "tests/fake/fixture.h"
#include "tests/fake/temp_folder.h"

namespace vorn {
namespace {

using fake::DesktopTest;

class DataTest : public DesktopTest {
protected:
    // Adding and removing folders saves: not into the working folder.
    DataTest() { theData.settingsPath = folder.File(L"Vorn.ini"); }

    fake::TempFolder folder;
};

TEST_F(DataTest, DefaultsAreWhatAMissingFileGives)
{
    const CData& d = theData;
    EXPECT_TRUE(d.enabled);
    EXPECT_FALSE(d.fadeTransparency);
    EXPECT_TRUE(d.firstRun);
    for (bool expanded : d.groupExpanded)
        EXPECT_TRUE(expanded);
    EXPECT_TRUE(d.wallpaperRandom);
    EXPECT_EQ(d.desktopTransparency, 98);
    EXPECT_EQ(d.windowTransparency, 50);
    EXPECT_EQ(d.vornTransparency, 0);
    EXPECT_EQ(d.taskbarTransparency, 0);
    EXPECT_EQ(d.windowGrow, 10);
    EXPECT_EQ(d.windowShrink, 10);
    EXPECT_EQ(d.windowMove, 10);
    EXPECT_EQ(d.cornerSize, 2);
    EXPECT_EQ(d.currentPage, 0);
    EXPECT_EQ(d.repeatRate, 70);
    EXPECT_EQ(d.sideLength, 70);
    EXPECT_EQ(d.sideWidth, 2);
    EXPECT_EQ(d.wallpaperDelay, 0);
    EXPECT_TRUE(d.wallpaperFolders.empty());
    EXPECT_TRUE(d.wallpaperFiles.empty());
    const ActionIndex plain[kZoneCount] = {0, 30, 1, 19, 24, 56, 25, 16};
    for (int zone = 0; zone < kZoneCount; ++zone) {
        EXPECT_EQ(d.assignments[Plain][static_cast<std::size_t>(zone)], plain[zone]) << ZoneName(EdgeZone(zone));
        EXPECT_EQ(d.assignments[Shift][static_cast<std::size_t>(zone)], kNoActionIndex);
        EXPECT_EQ(d.assignments[Ctrl][static_cast<std::size_t>(zone)], kNoActionIndex);
    }
}

TEST_F(DataTest, SettingsPathIsTheWorkingFolderPlusVornIni)
{
    const std::wstring& path = theData.settingsPath;
    ASSERT_GT(path.size(), 9u);
    EXPECT_EQ(path.substr(path.size() - 8), L"Vorn.ini");
    const wchar_t separator = path[path.size() - 9];
    EXPECT_TRUE(separator == L'\\' || separator == L'/');
}

TEST_F(DataTest, RangesInTheTableHoldTheirDefaults)
{
    for (const SettingDef& def : kSettingDefs) {
        if (!def.number) continue;
        const std::int32_t value = theData.*def.number;
        EXPECT_GE(value, def.low) << testing::PrintToString(std::wstring(def.key));
        EXPECT_LE(value, def.high) << testing::PrintToString(std::wstring(def.key));
    }
}

TEST_F(DataTest, ZoneNamesInOrder)
{
    const wchar_t* expected[] = {L"Upper left corner",  L"Upper right corner", L"Lower left corner",
                                 L"Lower right corner", L"Left side",          L"Top side",
                                 L"Right side",         L"Bottom side"};
    for (int zone = 0; zone < kZoneCount; ++zone)
        EXPECT_EQ(std::wstring(ZoneName(EdgeZone(zone))), expected[zone]);
    EXPECT_EQ(std::wstring(ZoneName(NoZone)), L"");
    EXPECT_EQ(std::wstring(ZoneName(EdgeZone(8))), L"");
}

struct ModifierCase {
    bool shift;
    bool ctrl;
    ModifierKey expected;
};

TEST_F(DataTest, CurrentModifierShiftWinsOverCtrl)
{
    const ModifierCase cases[] = {
        {false, false, Plain}, {true, false, Shift}, {false, true, Ctrl}, {true, true, Shift}};
    for (const auto& c : cases) {
        desktop.SetKeyDown(VK_SHIFT, c.shift);
        desktop.SetKeyDown(VK_CONTROL, c.ctrl);
        EXPECT_EQ(CurrentModifier(), c.expected) << c.shift << c.ctrl;
    }
}

struct BandCase {
    int width;
    int height;
    int sideLength;
    int xLow;
    int xHigh;
    int yLow;
    int yHigh;
};

TEST_F(DataTest, ComputeSideBands)
{
    const BandCase cases[] = {
        {1920, 1080, 70, 288, 1632, 162, 918},  // f = 0.15
        {1920, 1080, 10, 864, 1056, 486, 594},  // f = 0.45: the middle 10 %
        {1920, 1080, 90, 96, 1824, 54, 1026},   // f = 0.05
        {1366, 768, 70, 204, 1162, 115, 653},   // truncated toward zero
        {1001, 1001, 50, 250, 751, 250, 751},
    };
    for (const auto& c : cases) {
        desktop.SetScreenSize(c.width, c.height);
        theData.sideLength = c.sideLength;
        theData.ComputeSideBands();
        EXPECT_EQ(theData.sideXLow, c.xLow) << c.width << "x" << c.height << " at " << c.sideLength;
        EXPECT_EQ(theData.sideXHigh, c.xHigh);
        EXPECT_EQ(theData.sideYLow, c.yLow);
        EXPECT_EQ(theData.sideYHigh, c.yHigh);
    }
}

TEST_F(DataTest, SideBandsStayUntilRecomputed)
{
    desktop.SetScreenSize(1280, 720);
    EXPECT_EQ(theData.sideXLow, 288);  // still the bands of the old screen
    theData.ComputeSideBands();
    EXPECT_EQ(theData.sideXLow, 192);
}

TEST_F(DataTest, ScanWallpaperFilesKeepsBmpAndJpgInScanOrder)
{
    desktop.AddFolder(L"C:\\Pictures",
                      {L"b.jpg", L"a.BMP", L"c.jpeg", L"d.png", L"e.Jpg", L"bmp", L".jpg", L"x.bmp.txt"});
    desktop.AddFolder(L"D:\\More\\", {L"z.bmp"});
    theData.wallpaperFolders = {L"C:\\Pictures", L"D:\\Missing", L"D:\\More\\"};
    theData.ScanWallpaperFiles();
    const std::vector<std::wstring> expected = {L"C:\\Pictures\\b.jpg", L"C:\\Pictures\\a.BMP", L"C:\\Pictures\\e.Jpg",
                                                L"C:\\Pictures\\.jpg", L"D:\\More\\z.bmp"};
    EXPECT_EQ(theData.wallpaperFiles, expected);
}

TEST_F(DataTest, ScanWallpaperFilesStartsAfresh)
{
    desktop.AddFolder(L"C:\\P", {L"a.bmp"});
    theData.wallpaperFolders = {L"C:\\P"};
    theData.ScanWallpaperFiles();
    theData.ScanWallpaperFiles();
    EXPECT_EQ(theData.wallpaperFiles.size(), 1u);
    theData.wallpaperFolders.clear();
    theData.ScanWallpaperFiles();
    EXPECT_TRUE(theData.wallpaperFiles.empty());
}

TEST_F(DataTest, AddingAFolderTwiceListsItsImagesTwice)
{
    desktop.AddFolder(L"C:\\P", {L"a.bmp", L"b.jpg"});
    theData.AddWallpaperFolder(L"C:\\P");
    theData.AddWallpaperFolder(L"C:\\P");
    EXPECT_EQ(theData.wallpaperFolders.size(), 2u);
    EXPECT_EQ(theData.wallpaperFiles.size(), 4u);
}

TEST_F(DataTest, RemoveWallpaperFolderRemovesTheFirstExactMatchOnly)
{
    desktop.AddFolder(L"C:\\P", {L"a.bmp"});
    desktop.AddFolder(L"C:\\Q", {L"q.jpg"});
    theData.AddWallpaperFolder(L"C:\\P");
    theData.AddWallpaperFolder(L"C:\\Q");
    theData.AddWallpaperFolder(L"C:\\P");
    theData.RemoveWallpaperFolder(L"c:\\p");  // case matters: nothing removed
    EXPECT_EQ(theData.wallpaperFolders.size(), 3u);
    theData.RemoveWallpaperFolder(L"C:\\P");
    EXPECT_EQ(theData.wallpaperFolders, (std::vector<std::wstring>{L"C:\\Q", L"C:\\P"}));
    EXPECT_EQ(theData.wallpaperFiles, (std::vector<std::wstring>{L"C:\\Q\\q.jpg", L"C:\\P\\a.bmp"}));
}

struct SequenceCase {
    std::vector<std::wstring> files;
    std::wstring current;
    std::wstring expected;
};

TEST_F(DataTest, NextWallpaperInSequence)
{
    const std::vector<std::wstring> abc = {L"A", L"B", L"C"};
    const SequenceCase cases[] = {
        {{}, L"", L""},       {{L"A"}, L"A", L""},
        {{L"A"}, L"B", L"A"}, {{L"A"}, L"a", L"A"},
        {abc, L"C", L"A"},    {abc, L"D", L"A"},
        {abc, L"A", L"B"},    {abc, L"B", L"C"},
        {abc, L"", L"A"},     {{L"A", L"B", L"A"}, L"A", L"B"},
    };
    for (const auto& c : cases) {
        theData.wallpaperFiles = c.files;
        desktop.wallpaper = c.current;
        EXPECT_EQ(theData.NextWallpaper(false), c.expected) << "current " << testing::PrintToString(c.current);
    }
}

TEST_F(DataTest, NextWallpaperAtRandomSkipsTheCurrentFile)
{
    theData.wallpaperFiles = {L"A", L"B", L"C"};
    desktop.wallpaper = L"B";
    desktop.scriptedRandom = {2};
    EXPECT_EQ(theData.NextWallpaper(true), L"C");
    desktop.scriptedRandom = {0};
    EXPECT_EQ(theData.NextWallpaper(true), L"A");
    // The draw hits the current file: another draw picks among the others.
    desktop.scriptedRandom = {1, 1};
    EXPECT_EQ(theData.NextWallpaper(true), L"C");
    desktop.scriptedRandom = {4, 0};
    EXPECT_EQ(theData.NextWallpaper(true), L"A");
}

TEST_F(DataTest, NextWallpaperAtRandomEndsWhenEveryFileIsCurrent)
{
    // One folder listed twice holding the one image that is the wallpaper.
    theData.wallpaperFiles = {L"C:\\P\\a.bmp", L"C:\\P\\a.bmp"};
    desktop.wallpaper = L"C:\\P\\a.bmp";
    EXPECT_EQ(theData.NextWallpaper(true), L"");
    EXPECT_EQ(theData.NextWallpaper(false), L"C:\\P\\a.bmp");  // sequential does not check
}

TEST_F(DataTest, NextWallpaperAtRandomNeverRepeatsTheCurrentFile)
{
    theData.wallpaperFiles = {L"A", L"B", L"C", L"D"};
    desktop.wallpaper = L"C";
    int seen[4] = {};
    for (int i = 0; i < 400; ++i) {
        const std::wstring next = theData.NextWallpaper(true);
        ASSERT_NE(next, L"C");
        ASSERT_EQ(next.size(), 1u);
        ++seen[next[0] - L'A'];
    }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[3], 0);
}

}  // namespace
}  // namespace vorn
