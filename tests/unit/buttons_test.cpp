// The floating buttons as data: geometry, the operations, their sections of the
// settings file, the dispatch of a press, and the custom-action operations
// that keep zone and button assignments on the right action.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "buttons/buttons.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "tests/fake/fixture.h"
#include "tests/fake/temp_folder.h"

// RECT lives in the global namespace, where lookup finds these.
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out)
{
    *out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

namespace vorn {
namespace {

class FakeButtonWindow final : public IButtonWindow {
public:
    explicit FakeButtonWindow(HWND handle) : handle_(handle) {}
    HWND Handle() const override { return handle_; }
    void Place(const RECT& screen) override { placed = screen; }
    void SetText(const std::wstring& value) override { text = value; }
    void SetSizingFrame(bool on) override { frame = on; }

    RECT placed{-1, -1, -1, -1};
    std::wstring text = L"No action";
    bool frame = true;

private:
    HWND handle_;
};

struct RunCall {
    ActionIndex index;
    bool ending;
    HWND target;
    bool operator==(const RunCall&) const = default;
};

class RecordingHost final : public IButtonsHost, public IButtonsDiagram {
public:
    explicit RecordingHost(fake::FakeDesktop& desktop) : desktop_(desktop) {}
    std::unique_ptr<IButtonWindow> CreateButtonWindow(int) override
    {
        fake::WindowDesc desc;
        desc.title = L"";
        desc.visible = false;
        return std::make_unique<FakeButtonWindow>(desktop_.AddWindow(desc));
    }
    void RunAction(ActionIndex index, bool ending, HWND target) override { runs.push_back({index, ending, target}); }
    void FocusMainWindow() override { ++focused; }
    void RepaintDiagram(const RECT*) override { ++repaints; }
    void ClearDiagramSelection() override { ++selectionsCleared; }

    std::vector<RunCall> runs;
    int focused = 0;
    int repaints = 0;
    int selectionsCleared = 0;

private:
    fake::FakeDesktop& desktop_;
};

class ButtonsTest : public fake::DesktopTest {
protected:
    ButtonsTest()
    {
        theData.settingsPath = folder.File(L"Vorn.ini");
        theButtons.SetHost(&host);
        theButtons.SetDiagram(&host);
    }
    ~ButtonsTest() override
    {
        theButtons.Clear();
        theButtons.SetHost(nullptr);
        theButtons.SetDiagram(nullptr);
    }

    const FakeButtonWindow& WindowOf(int id) const
    {
        return static_cast<const FakeButtonWindow&>(*theButtons.Find(id)->window);
    }
    std::string Saved() const { return fake::TempFolder::Read(theData.settingsPath); }
    void Load(std::string_view text) { theData.LoadFromProfile(ProfileFile::FromBytes(text)); }
    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (const auto& button : theButtons.List())
            ids.push_back(button->id);
        return ids;
    }
    // The button sections of the file as saved now.
    std::wstring Sections() const
    {
        const std::wstring text = FormatSettingsFile();
        const std::size_t at = text.find(L"[Button 1]");
        return at == std::wstring::npos ? L"" : text.substr(at);
    }

    fake::TempFolder folder;
    RecordingHost host{desktop};
};

// --- geometry -------------------------------------------------------------------------

TEST_F(ButtonsTest, DiagramAndScreenMapWithTheScaleTakenWhenTheButtonWasBuilt)
{
    const int id = theButtons.AddButton(false, 9, 10, 114, 90);
    const CButtonInfo& button = *theButtons.Find(id);
    // 1920 / 211 and 1080 / 159, truncated toward zero edge by edge.
    EXPECT_EQ(button.screenRect, (RECT{0, 0, 955, 543}));
    EXPECT_EQ(WindowOf(id).placed, button.screenRect);
    EXPECT_EQ(button.ToDiagram(RECT{0, 0, 955, 543}), (RECT{9, 10, 113, 89}));

    desktop.SetScreenSize(1280, 1024);
    const int later = theButtons.AddButton(false, 9, 10, 114, 90);
    EXPECT_EQ(theButtons.Find(later)->screenRect, (RECT{0, 0, 636, 515}));
    theButtons.MoveButtonBy(id, 0, 0);
    EXPECT_EQ(theButtons.Find(id)->screenRect, (RECT{0, 0, 955, 543}));  // still the old factors
}

TEST_F(ButtonsTest, MovesStopAtEachEdgeOfTheScreenAreaKeepingTheSize)
{
    struct Case {
        RECT from;
        int dx, dy;
        RECT to;
    };
    const Case cases[] = {
        {{10, 50, 40, 70}, -5, 0, {9, 50, 39, 70}},  {{190, 50, 218, 70}, 5, 0, {192, 50, 220, 70}},
        {{50, 12, 80, 30}, 0, -5, {50, 10, 80, 28}}, {{50, 149, 80, 166}, 0, 5, {50, 152, 80, 169}},
        {{50, 50, 80, 70}, 7, -3, {57, 47, 87, 67}}, {{9, 10, 220, 169}, 3, 3, {9, 10, 220, 169}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << " " << c.dy);
        const int id = theButtons.AddButton(false, c.from.left, c.from.top, c.from.right, c.from.bottom);
        const RECT before = WindowOf(id).placed;
        theButtons.MoveButtonBy(id, c.dx, c.dy);
        EXPECT_EQ(theButtons.GetDiagramRect(id), c.to);
        // The window keeps its size in pixels; it is put at its mapped near
        // edges, or at the far ones where it touches the screen area's.
        const RECT placed = WindowOf(id).placed;
        const RECT mapped = theButtons.Find(id)->ToScreen(c.to);
        EXPECT_EQ(placed.right - placed.left, before.right - before.left);
        EXPECT_EQ(placed.bottom - placed.top, before.bottom - before.top);
        EXPECT_EQ(c.to.right == 220 ? placed.right : placed.left, c.to.right == 220 ? mapped.right : mapped.left);
        EXPECT_EQ(c.to.bottom == 169 ? placed.bottom : placed.top, c.to.bottom == 169 ? mapped.bottom : mapped.top);
        theButtons.DeleteButton(id);
    }
}

TEST_F(ButtonsTest, HitTestFindsTheNewestButtonInsideItsLeftAndTopEdges)
{
    const int older = theButtons.AddButton(false, 20, 20, 60, 60);
    const int newer = theButtons.AddButton(false, 40, 40, 80, 80);
    EXPECT_EQ(theButtons.HitTest(POINT{50, 50}), newer);
    EXPECT_EQ(theButtons.HitTest(POINT{20, 20}), older);
    EXPECT_EQ(theButtons.HitTest(POINT{80, 50}), -1);
    EXPECT_EQ(theButtons.HitTest(POINT{30, 60}), -1);
    EXPECT_EQ(Ids(), (std::vector<int>{newer, older}));
}

TEST_F(ButtonsTest, GroupOperationsFollowTheFirstSelectedButton)
{
    struct Case {
        void (CButtons::*operation)();
        std::vector<RECT> expected;  // list order: newest first
    };
    // Built oldest first; the middle one is the reference.
    const RECT start[] = {{20, 20, 60, 150}, {100, 40, 150, 70}, {180, 150, 200, 160}};
    const Case cases[] = {
        {&CButtons::AlignTops, {{180, 40, 200, 50}, {100, 40, 150, 70}, {20, 40, 60, 169}}},
        {&CButtons::AlignBottoms, {{180, 60, 200, 70}, {100, 40, 150, 70}, {20, 10, 60, 70}}},
        {&CButtons::AlignLeftSides, {{100, 150, 120, 160}, {100, 40, 150, 70}, {100, 20, 140, 150}}},
        {&CButtons::AlignRightSides, {{130, 150, 150, 160}, {100, 40, 150, 70}, {110, 20, 150, 150}}},
        {&CButtons::MakeSameSize, {{170, 139, 220, 169}, {100, 40, 150, 70}, {20, 20, 70, 50}}},
    };
    // Near the edges of the area, with the reference wide (left sides) or
    // narrow: every side stops at the edge it would pass, like tops and bottoms.
    const RECT nearEdges[] = {{12, 20, 60, 150}, {200, 40, 215, 70}, {180, 150, 200, 160}};
    const RECT nearLeft[] = {{150, 20, 210, 150}, {10, 40, 20, 70}, {180, 150, 200, 160}};
    struct EdgeCase {
        void (CButtons::*operation)();
        const RECT* start;
        std::vector<RECT> expected;
    };
    const EdgeCase edgeCases[] = {
        {&CButtons::AlignLeftSides, nearEdges, {{200, 150, 220, 160}, {200, 40, 215, 70}, {200, 20, 220, 150}}},
        {&CButtons::AlignRightSides, nearLeft, {{9, 150, 20, 160}, {10, 40, 20, 70}, {9, 20, 20, 150}}},
    };
    for (const Case& c : cases) {
        theButtons.Clear();
        for (const RECT& r : start)
            theButtons.AddButton(false, r.left, r.top, r.right, r.bottom);
        (theButtons.*c.operation)();  // nothing selected: nothing changes
        EXPECT_EQ(theButtons.GetDiagramRect(0), start[0]);
        theButtons.Find(1)->selected = true;
        (theButtons.*c.operation)();
        std::vector<RECT> got;
        for (const auto& button : theButtons.List()) {
            got.push_back(button->diagramRect);
            EXPECT_EQ(WindowOf(button->id).placed, button->screenRect);
        }
        EXPECT_EQ(got, c.expected);
    }
    for (const EdgeCase& c : edgeCases) {
        theButtons.Clear();
        for (int i = 0; i < 3; ++i)
            theButtons.AddButton(false, c.start[i].left, c.start[i].top, c.start[i].right, c.start[i].bottom);
        theButtons.Find(1)->selected = true;
        (theButtons.*c.operation)();
        std::vector<RECT> got;
        for (const auto& button : theButtons.List())
            got.push_back(button->diagramRect);
        EXPECT_EQ(got, c.expected);
    }
}

// Every edit leaves a rectangle that the next start reads back: inside the
// screen area, at least one unit each way. Each row pushes one clamp to one of
// its ends, from a screen left of the primary one, a wide desktop or a
// hand-edited reference outside the area.
TEST_F(ButtonsTest, NoEditMakesAButtonTheNextStartWouldDrop)
{
    struct Case {
        const char* what;
        int screenWidth;
        // Sections 1 (the reference, or the only button) and 2.
        std::vector<RECT> sections;
        std::function<void(int id)> edit;  // on the newest button
        RECT expected;
    };
    const auto sized = [](RECT screen) {
        return [screen](int id) {
            theButtons.SetScreenRect(id, screen);
            theButtons.FinishScreenSizing(id);
        };
    };
    const auto group = [](void (CButtons::*operation)()) { return [operation](int) { (theButtons.*operation)(); }; };
    const auto moved = [](int dx, int dy) { return [dx, dy](int id) { theButtons.MoveButtonBy(id, dx, dy); }; };
    const Case cases[] = {
        {"sized on a monitor left of the primary", 1920, {{20, 20, 40, 40}}, sized({-300, 100, -200, 200}),
         {9, 24, 20, 39}},
        {"sized to 16 pixels on a wide desktop", 7680, {{20, 20, 40, 40}}, sized({110, 100, 126, 200}),
         {12, 24, 13, 39}},
        {"sized past the bottom right corner", 1920, {{20, 20, 40, 40}}, sized({1900, 1060, 2100, 1200}),
         {198, 149, 220, 169}},
        {"bottoms aligned on a reference at 0, 0", 1920, {{0, 0, 5, 1}, {20, 20, 40, 40}},
         group(&CButtons::AlignBottoms), {20, 10, 40, 11}},
        {"tops aligned on a reference below the area", 1920, {{20, 200, 30, 210}, {50, 20, 70, 40}},
         group(&CButtons::AlignTops), {50, 168, 70, 169}},
        {"left sides aligned on a reference right of the area", 1920, {{230, 20, 240, 30}, {20, 50, 40, 70}},
         group(&CButtons::AlignLeftSides), {219, 50, 220, 70}},
        {"right sides aligned on a reference left of the area", 1920, {{0, 20, 5, 30}, {20, 50, 40, 70}},
         group(&CButtons::AlignRightSides), {9, 50, 10, 70}},
        {"made the size of a reference wider than the area", 1920, {{20, 20, 320, 30}, {100, 50, 120, 70}},
         group(&CButtons::MakeSameSize), {9, 50, 220, 60}},
        {"a button wider than the area moved right", 1920, {{20, 20, 320, 30}}, moved(5, 0), {9, 20, 220, 30}},
        {"a button taller than the area moved down", 1920, {{20, 20, 30, 220}}, moved(0, 5), {20, 10, 30, 169}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        desktop.SetScreenSize(c.screenWidth, 1080);
        std::string text;
        for (std::size_t n = 0; n < c.sections.size(); ++n) {
            const RECT& r = c.sections[n];
            text += "[Button " + std::to_string(n + 1) + "]\nLeft=" + std::to_string(r.left) +
                    "\nTop=" + std::to_string(r.top) + "\nWidth=" + std::to_string(r.right - r.left) +
                    "\nHeight=" + std::to_string(r.bottom - r.top) + "\n";
        }
        Load(text);
        ASSERT_EQ(theButtons.List().size(), c.sections.size());
        theButtons.List().front()->selected = true;  // the reference, section 1
        const CButtonInfo& edited = *theButtons.List().back();
        c.edit(edited.id);
        EXPECT_EQ(edited.diagramRect, c.expected);
        EXPECT_EQ(WindowOf(edited.id).placed, edited.ToScreen(c.expected));  // the window shows it there

        // The next start: every button is back, the edited one where it was put.
        Load(EncodeSettingsText(FormatSettingsFile()));
        ASSERT_EQ(theButtons.List().size(), c.sections.size());
        EXPECT_EQ(theButtons.List().back()->diagramRect, c.expected);
    }
}

TEST_F(ButtonsTest, TransparencyIsStoredAsGivenButItsAlphaStaysInRange)
{
    const int a = theButtons.AddButton(false, 20, 20, 60, 60);
    const int b = theButtons.AddButton(false, 70, 20, 90, 60);
    EXPECT_FALSE(desktop.Window(WindowOf(a).Handle()).layeredAttributesSet);  // opaque until set
    theButtons.SetTransparency(a, 300);
    EXPECT_EQ(theButtons.Find(a)->transparency, 300);
    EXPECT_EQ(desktop.Window(WindowOf(a).Handle()).alpha, 0);
    theButtons.SetTransparency(b, -40);
    EXPECT_EQ(desktop.Window(WindowOf(b).Handle()).alpha, 255);
    theButtons.SetTransparency(b, 40);
    theButtons.Find(b)->selected = true;
    theButtons.MakeSameTransparency();
    EXPECT_EQ(theButtons.Find(a)->transparency, 40);
    EXPECT_EQ(desktop.Window(WindowOf(a).Handle()).alpha, AlphaFromPercent(40));
}

TEST_F(ButtonsTest, AButtonFarBeyondTheScreenIsShownInsideItAtItsSize)
{
    struct Case {
        const char* what;
        int left, top;
        LONG shownRight, shownBottom;  // -1: where it maps
    };
    const Case cases[] = {
        {"far right", 1000000000, 20, 1920, -1},
        {"far down", 20, 1000000000, -1, 1080},
        {"far right and down", 2000000000, 2000000000, 1920, 1080},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load("[Button 1]\nLeft=" + std::to_string(c.left) + "\nTop=" + std::to_string(c.top) +
             "\nWidth=20\nHeight=10\n");
        ASSERT_EQ(theButtons.List().size(), 1u);
        const CButtonInfo& button = *theButtons.List().front();
        const RECT shown = WindowOf(button.id).placed;
        // 20 by 10 units are 181 or 182 by 67 or 68 pixels wherever they lie.
        EXPECT_GE(shown.right - shown.left, 181);
        EXPECT_LE(shown.right - shown.left, 182);
        EXPECT_GE(shown.bottom - shown.top, 67);
        EXPECT_LE(shown.bottom - shown.top, 68);
        if (c.shownRight >= 0) {
            EXPECT_EQ(shown.right, c.shownRight);
        }
        if (c.shownBottom >= 0) {
            EXPECT_EQ(shown.bottom, c.shownBottom);
        }
        EXPECT_GE(shown.left, 0);
        EXPECT_GE(shown.top, 0);
        EXPECT_EQ(button.diagramRect.left, c.left);  // what is stored does not change
    }
}

TEST_F(ButtonsTest, AWindowMappedOffTheScreenIsShownInsideItWithItsRectangleKept)
{
    // Hand-edited, or drawn on a larger screen: wholly right of and below it.
    const int id = theButtons.AddButton(false, 400, 300, 420, 320);
    const CButtonInfo& button = *theButtons.Find(id);
    EXPECT_EQ(button.diagramRect, (RECT{400, 300, 420, 320}));
    EXPECT_GE(button.screenRect.left, 1920);
    const RECT shown = WindowOf(id).placed;
    EXPECT_EQ(shown.right, 1920);
    EXPECT_EQ(shown.bottom, 1080);
    EXPECT_EQ(shown.right - shown.left, button.screenRect.right - button.screenRect.left);

    // The displays change: the next placing follows the new screen.
    desktop.SetScreenSize(1280, 720);
    theButtons.ScreenChanged();
    theButtons.MoveButtonBy(id, 0, 0);
    EXPECT_EQ(WindowOf(id).placed.right, 1280);
    EXPECT_EQ(WindowOf(id).placed.bottom, 720);
}

TEST_F(ButtonsTest, FrameSizingFeedsTheDiagramAndSelectsOnlyThatButton)
{
    const int a = theButtons.AddButton(true, 20, 20, 60, 60);
    const int b = theButtons.AddButton(true, 70, 20, 90, 60);
    theButtons.Find(a)->selected = true;
    const RECT placed = WindowOf(a).placed;
    theButtons.SetScreenRect(a, RECT{91, 67, 364, 407});
    EXPECT_EQ(theButtons.GetDiagramRect(a), (RECT{19, 19, 49, 69}));
    theButtons.FinishScreenSizing(a);
    EXPECT_EQ(WindowOf(a).placed, placed);  // left where the user put it
    EXPECT_TRUE(theButtons.Find(a)->selected);
    EXPECT_FALSE(theButtons.Find(b)->selected);
    EXPECT_EQ(host.repaints, 2);
    EXPECT_NE(Saved().find("Left=19"), std::string::npos);
}

// --- a press and a release -------------------------------------------------------------------

TEST_F(ButtonsTest, APressRunsTheActionOfTheModifierHeldAtThatMoment)
{
    const int id = theButtons.AddButton(false, 20, 20, 60, 60);
    theButtons.SetAction(id, Plain, 10);
    theButtons.SetAction(id, Shift, 11);
    theButtons.SetAction(id, Ctrl, 12);
    const HWND editor = AddWindow(L"Editor");
    desktop.SetKeyDown(VK_SHIFT, true);
    desktop.SetKeyDown(VK_CONTROL, true);
    theButtons.RunButtonAction(id, editor, false);  // Shift wins
    desktop.SetKeyDown(VK_SHIFT, false);
    theButtons.RunButtonAction(id, editor, true);
    desktop.SetKeyDown(VK_CONTROL, false);
    theButtons.RunButtonAction(id, nullptr, false);
    theButtons.RunButtonAction(99, editor, false);  // no such button
    EXPECT_EQ(host.runs, (std::vector<RunCall>{{11, false, editor}, {12, true, editor}, {10, false, nullptr}}));
}

// --- the settings file ----------------------------------------------------------------------

TEST_F(ButtonsTest, SectionsAreWrittenNewestFirstAndReadBackInTheirOrder)
{
    theCustomActions[0] = CCustomAction{L"Backup", L"", L"backup.cmd", L""};
    const int first = theButtons.AddButton(false, 20, 30, 60, 55);
    theButtons.SetAction(first, Plain, FindActionIndex(L"Tile left"));
    theButtons.SetAction(first, Shift, kBuiltInActionCount);
    theButtons.SetCaption(first, L"Two\r\n\r\nlines");  // an empty line between
    theButtons.SetKeepTitle(first, true);
    theButtons.SetTransparency(first, 40);
    const int second = theButtons.AddButton(false, 100, 100, 110, 120);
    theButtons.SetAction(second, Ctrl, FindActionIndex(L"Cascade"));

    const std::wstring expected =
        L"[Button 1]\r\nAction, plain=No action\r\nAction, ctrl=Cascade\r\nAction, shift=No action\r\n"
        L"Left=100\r\nTop=100\r\nWidth=10\r\nHeight=20\r\nCaption=No action\r\nKeep title=False\r\n"
        L"Transparency=0%\r\n\r\n"
        L"[Button 2]\r\nAction, plain=Tile left\r\nAction, ctrl=No action\r\nAction, shift=Backup\r\n"
        L"Left=20\r\nTop=30\r\nWidth=40\r\nHeight=25\r\nCaption=Two\\r\\n\\r\\nlines\r\nKeep title=True\r\n"
        L"Transparency=40%\r\n\r\n";
    EXPECT_EQ(Sections(), expected);
    EXPECT_EQ(Saved(), EncodeSettingsText(FormatSettingsFile()));

    // Read back in the file's order: the newest is still first.
    Load(EncodeSettingsText(FormatSettingsFile()));
    ASSERT_EQ(theButtons.List().size(), 2u);
    const CButtonInfo& back = *theButtons.List()[1];
    EXPECT_EQ(back.caption, L"Two\r\n\r\nlines");
    EXPECT_EQ(WindowOf(back.id).text, L"Two\r\n\r\nlines");
    EXPECT_TRUE(back.keepTitle);
    EXPECT_EQ(back.transparency, 40);
    EXPECT_EQ(back.actions,
              (std::array<ActionIndex, 3>{FindActionIndex(L"Tile left"), kBuiltInActionCount, kNoActionIndex}));
    EXPECT_EQ(back.diagramRect, (RECT{20, 30, 60, 55}));
    EXPECT_FALSE(WindowOf(back.id).frame);  // frames only while the Buttons page is open
    EXPECT_EQ(Ids(), (std::vector<int>{0, 1}));
    EXPECT_EQ(Sections(), expected);
}

// A file that nothing changed is written back as it was: the sections keep
// their order ("First" stays Button 1), however often it is loaded and saved,
// and the picture's order starts with the first of them.
TEST_F(ButtonsTest, ALoadAndASaveWriteTheButtonsBackByteForByte)
{
    std::string file = EncodeSettingsText(FormatSettingsFile());  // the rest of a whole file
    const char* captions[] = {"First", "Second", "Third"};
    for (int n = 0; n < 3; ++n)
        file += "[Button " + std::to_string(n + 1) +
                "]\r\nAction, plain=Cascade\r\nAction, ctrl=No action\r\nAction, shift=No action\r\nLeft=" +
                std::to_string(20 + 40 * n) + "\r\nTop=30\r\nWidth=30\r\nHeight=20\r\nCaption=" + captions[n] +
                "\r\nKeep title=True\r\nTransparency=" + std::to_string(10 * n) + "%\r\n\r\n";
    ASSERT_TRUE(fake::TempFolder::Write(theData.settingsPath, file));
    for (int round = 0; round < 2; ++round) {
        theData.LoadSettings();
        ASSERT_EQ(theButtons.List().size(), 3u);
        EXPECT_EQ(theButtons.List().front()->caption, L"First");
        theData.SaveSettings();
        EXPECT_EQ(Saved(), file) << "round " << round;
    }
}

TEST_F(ButtonsTest, ReadingRules)
{
    struct Case {
        const char* text;
        std::size_t count;
        bool keepTitle;
        int transparency;
    };
    const Case cases[] = {
        {"[Button 1]\nLeft=20\nTop=20\nWidth=10\nHeight=10\nKeep title=T\nTransparency=40%\n", 1, true, 40},
        {"[Button 1]\nLeft=20\nTop=20\nWidth=10\nHeight=10\nKeep title=true\nTransparency=40\n", 1, false, 40},
        {"[Button 1]\nLeft=0\nTop=0\nWidth=5.9\nHeight=1\nTransparency=250\n", 1, false, 250},
        {"[Button 1]\nLeft=20\nTop=20\nWidth=10\nHeight=10\n[Button 2]\nLeft=20\nTop=20\nWidth=0\nHeight=10\n"
         "[Button 3]\nLeft=20\nTop=20\nWidth=10\nHeight=10\n",
         1, false, 0},
        {"[Button 2]\nLeft=20\nTop=20\nWidth=10\nHeight=10\n", 0, false, 0},
        {"[Button 1]\nLeft=2147483000\nTop=20\nWidth=1000\nHeight=10\n", 0, false, 0},
        {"[Button 1]\nLeft=-1\nTop=20\nWidth=10\nHeight=10\n", 0, false, 0},
        {"[Button 1]\nLeft=20\nTop=-1\nWidth=10\nHeight=10\n", 0, false, 0},
        {"[Button 1]\nLeft=20\nTop=20\nWidth=10\nHeight=0\n", 0, false, 0},
        {"[Button 1]\nLeft=20\nTop=20\nWidth=1\nHeight=0.9\n", 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        Load(text);
        ASSERT_EQ(theButtons.List().size(), c.count);
        if (c.count == 0) continue;
        EXPECT_EQ(theButtons.List()[0]->keepTitle, c.keepTitle);
        EXPECT_EQ(theButtons.List()[0]->transparency, c.transparency);
        EXPECT_EQ(theButtons.List()[0]->caption, L"");
    }
    EXPECT_EQ(Saved(), "<unreadable>");  // loading saves nothing
}

TEST_F(ButtonsTest, ValuesAreReadWholeAndSectionsBeyondTheBoundAreKept)
{
    const std::wstring longCaption(3000, L'c');
    std::string text;
    for (int n = 1; n <= kMaxButtons + 40; ++n)
        text += "[Button " + std::to_string(n) + "]\nLeft=" + std::to_string(9 + n % 200) +
                "\nTop=10\nWidth=5\nHeight=5\nCaption=" + (n == 1 ? std::string(3000, 'c') : "b" + std::to_string(n)) +
                "\nTransparency=" + std::to_string(n % 7) + "%\n";
    Load(text);
    EXPECT_EQ(theButtons.List().size(), static_cast<std::size_t>(kMaxButtons));
    EXPECT_EQ(theButtons.List().front()->caption, longCaption);

    // Written back in the order read: the shown ones, then the rest.
    const std::wstring saved = Sections();
    EXPECT_EQ(saved.find(L"[Button 1]\r\nAction, plain=No action\r\nAction, ctrl=No action\r\n"
                         L"Action, shift=No action\r\nLeft=10\r\nTop=10\r\nWidth=5\r\nHeight=5\r\nCaption=ccc"),
              0u);
    EXPECT_NE(saved.find(L"[Button " + std::to_wstring(kMaxButtons + 40) + L"]"), std::wstring::npos);
    EXPECT_NE(saved.find(L"Caption=b" + std::to_wstring(kMaxButtons + 40)), std::wstring::npos);
    Load(EncodeSettingsText(FormatSettingsFile()));
    EXPECT_EQ(Sections(), saved);
    theButtons.DeleteAllButtons();
    EXPECT_EQ(Sections(), L"");
    EXPECT_EQ(host.selectionsCleared, 1);
}

// --- custom actions -------------------------------------------------------------------------

class CustomActionOperationsTest : public ButtonsTest {
protected:
    void Define(int slot, const std::wstring& name)
    {
        theCustomActions[slot] = CCustomAction{name, L"about " + name, L"start " + name, L""};
    }
};

TEST_F(CustomActionOperationsTest, DeletingKeepsZonesAndButtonsOnTheActionsTheyNamed)
{
    Define(0, L"A");
    Define(1, L"B");
    Define(2, L"C");
    theData.assignments[Plain][LeftSide] = kBuiltInActionCount + 2;  // C
    theData.assignments[Shift][TopSide] = kBuiltInActionCount + 1;   // B
    const int button = theButtons.AddButton(false, 20, 20, 40, 40);
    theButtons.SetAction(button, Plain, kBuiltInActionCount + 1);  // B
    theButtons.SetAction(button, Ctrl, kBuiltInActionCount + 2);   // C

    DeleteCustomAction(1);
    EXPECT_EQ(theCustomActions[0].name, L"A");
    EXPECT_EQ(theCustomActions[1].name, L"C");
    EXPECT_TRUE(theCustomActions[2].IsFree());
    EXPECT_EQ(theData.assignments[Plain][LeftSide], kBuiltInActionCount + 1);
    EXPECT_EQ(theData.assignments[Shift][TopSide], kNoActionIndex);
    EXPECT_EQ(theButtons.Find(button)->actions, (std::array<ActionIndex, 3>{kNoActionIndex, kNoActionIndex, kBuiltInActionCount + 1}));
    EXPECT_NE(Saved().find("Left side=C"), std::string::npos);
}

TEST_F(CustomActionOperationsTest, ButtonsBeyondTheShownOnesFollowRenamesAndDeletions)
{
    std::string text;
    for (int n = 1; n <= kMaxButtons + 1; ++n)
        text += "[Button " + std::to_string(n) +
                "]\nAction, plain=A\nAction, ctrl=Zzz\nAction, shift=C\nLeft=20\nTop=20\nWidth=5\nHeight=5\n";
    text += "[Custom actions]\nName 1=A\nActionA 1=a\nName 2=B\nActionA 2=b\nName 3=C\nActionA 3=c\n";
    Load(text);
    ASSERT_EQ(theButtons.List().size(), static_cast<std::size_t>(kMaxButtons));

    // Renamed as the editor renames them; the one between deleted, so that
    // the last one moves down a slot.
    theCustomActions[0].name = L"Ay";
    theCustomActions[2].name = L"Cee";
    DeleteCustomAction(1);
    const std::wstring sections = Sections();
    const std::wstring actions = L"Action, plain=Ay\r\nAction, ctrl=No action\r\nAction, shift=Cee\r\n";
    EXPECT_EQ(sections.find(L"[Button 1]\r\n" + actions), 0u);
    // The one not shown keeps what named no action as it was written.
    const std::wstring last = L"[Button " + std::to_wstring(kMaxButtons + 1) +
                              L"]\r\nAction, plain=Ay\r\nAction, ctrl=Zzz\r\nAction, shift=Cee\r\nLeft=20\r\n"
                              L"Top=20\r\nWidth=5\r\nHeight=5\r\nCaption=\r\nKeep title=N\r\nTransparency=0\r\n\r\n";
    const std::size_t lastAt = sections.find(L"[Button " + std::to_wstring(kMaxButtons + 1) + L"]");
    ASSERT_NE(lastAt, std::wstring::npos);
    EXPECT_EQ(sections.substr(lastAt), last);
}

TEST_F(CustomActionOperationsTest, DeletingFromAStoreWithGapsStillFollowsEachAction)
{
    // A hand-edited file numbered 1, 3 and 6 only.
    Define(0, L"A");
    Define(2, L"C");
    Define(5, L"F");
    theData.assignments[Plain][LeftSide] = kBuiltInActionCount + 5;
    theData.assignments[Plain][RightSide] = kBuiltInActionCount + 2;
    DeleteCustomAction(0);
    EXPECT_EQ(theCustomActions[0].name, L"C");
    EXPECT_EQ(theCustomActions[1].name, L"F");
    EXPECT_EQ(ActionName(theData.assignments[Plain][LeftSide]), L"F");
    EXPECT_EQ(ActionName(theData.assignments[Plain][RightSide]), L"C");
}

TEST_F(CustomActionOperationsTest, CopiesGetTheNextFreeCopyName)
{
    struct Case {
        const wchar_t* source;
        const wchar_t* copy;
    };
    Define(0, L"Backup");
    const Case cases[] = {
        {L"Backup", L"Backup copy 1"},          {L"Backup", L"Backup copy 2"}, {L"Backup copy 1", L"Backup copy 3"},
        {L"Backup copy 12", L"Backup2 copy 1"}, {L"Mail", L"mail copy 2"},
    };
    Define(1, L"Backup copy 12");
    Define(2, L"Mail");
    Define(3, L"mail copy 1");
    for (const Case& c : cases) {
        const std::wstring made = theCustomActions.DuplicateCustomAction(c.source);
        const int slot = theCustomActions.FindSlot(made);
        ASSERT_GE(slot, 0) << testing::PrintToString(made);
        EXPECT_TRUE(EqualsIgnoringCase(made, c.copy)) << testing::PrintToString(made);
        EXPECT_EQ(theCustomActions[slot].beginningAction,
                  theCustomActions[theCustomActions.FindSlot(c.source)].beginningAction);
    }
    EXPECT_EQ(theCustomActions.DuplicateCustomAction(L"Nothing like it"), L"");
    for (int slot = 0; slot < CCustomActions::kUsableSlots; ++slot)
        if (theCustomActions[slot].IsFree()) Define(slot, L"X" + std::to_wstring(slot));
    EXPECT_EQ(theCustomActions.DuplicateCustomAction(L"Backup"), L"");  // full
}

// --- saves in bursts ----------------------------------------------------------------------

TEST_F(ButtonsTest, ABurstOfSavesWritesAtMostEveryQuarterSecondAndTheLastStateAlways)
{
    const HWND mainWindow = AddWindow(L"Vorn");
    theData.DeferSavesTo(mainWindow);
    const auto corner = [&] { return ProfileFile::FromBytes(Saved()).Get(L"Settings", L"Corner size", L""); };
    const auto deliver = [&](HWND window, UINT_PTR id) {
        if (window == mainWindow && id == kSaveTimerId) theData.FlushSettings();
    };
    std::vector<int> writesAt;
    for (int step = 1; step <= 20; ++step) {
        theData.cornerSize = step;
        theData.SaveSettings();
        if (corner() == std::to_wstring(step)) writesAt.push_back(step);
        desktop.AdvanceTime(40, deliver);
    }
    // The first save writes at once; then one write per 250 ms at most.
    EXPECT_GE(writesAt.size(), 1u);
    EXPECT_EQ(writesAt.front(), 1);
    EXPECT_LE(theData.settingsWrites, 1 + 20 * 40 / 250 + 1);
    desktop.AdvanceTime(250, deliver);
    EXPECT_EQ(corner(), L"20");
    EXPECT_FALSE(theData.SavePending());

    theData.cornerSize = 5;
    theData.SaveSettings();
    theData.cornerSize = 6;
    theData.SaveSettings();
    theData.DeferSavesTo(nullptr);  // the program ends: written at once
    EXPECT_EQ(corner(), L"6");

    // Held (a drag), saves wait for the release, however long it takes.
    theData.DeferSavesTo(mainWindow);
    theData.HoldSaves(true);
    theData.cornerSize = 9;
    theData.SaveSettings();
    desktop.AdvanceTime(1000, deliver);
    EXPECT_EQ(corner(), L"6");
    theData.HoldSaves(false);
    desktop.AdvanceTime(250, deliver);
    EXPECT_EQ(corner(), L"9");
}

}  // namespace
}  // namespace vorn
