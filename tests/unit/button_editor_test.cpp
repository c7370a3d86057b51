// The Buttons page's behaviour without its widgets: drawing and dragging on
// the picture, which button the controls edit, captions made from actions,
// and the picture's tips.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "buttons/button_editor.h"
#include "tests/fake/fixture.h"
#include "tests/fake/temp_folder.h"

namespace vorn {
namespace {

class RecordingView final : public IButtonEditorView {
public:
    void ShowCaption(const std::wstring& text) override { caption = text; }
    void ShowTransparency(int percent) override { transparency = percent; }
    void SelectTreeAction(ActionIndex action) override { treeSelection = action; }
    void SetSettingsWindowTopmost(bool on) override { topmost = on; }
    void ValueChanged() override { ++valueChanges; }

    std::wstring caption = L"<untouched>";
    int valueChanges = 0;
    int transparency = -1;
    ActionIndex treeSelection = -2;
    bool topmost = false;
};

class ButtonEditorTest : public fake::DesktopTest {
protected:
    ButtonEditorTest() { theData.settingsPath = folder.File(L"Vorn.ini"); }

    // A press, moves and a release, as the picture reports them.
    void Drag(std::vector<POINT> points)
    {
        editor.LeftButtonDown(points.front());
        for (std::size_t i = 1; i < points.size(); ++i)
            editor.MouseMove(points[i]);
        editor.LeftButtonUp();
    }
    RECT Rect(int id) const { return theButtons.GetDiagramRect(id); }
    static std::vector<LONG> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

    fake::TempFolder folder;
    RecordingView view;
    CButtonEditor editor{view};
};

TEST_F(ButtonEditorTest, DrawingMakesAButtonOnlyWhenThePointerMovedBothWays)
{
    Drag({{50, 50}});
    Drag({{50, 50}, {60, 50}});
    EXPECT_TRUE(theButtons.List().empty());
    // Out of the screen area on the way: abandoned.
    Drag({{50, 50}, {100, 100}, {5, 100}, {120, 120}});
    EXPECT_TRUE(theButtons.List().empty());

    Drag({{50, 50}, {51, 51}});
    ASSERT_EQ(theButtons.List().size(), 1u);
    const int id = theButtons.List().front()->id;
    EXPECT_EQ(Edges(Rect(id)), (std::vector<LONG>{50, 50, 51, 51}));
    EXPECT_TRUE(theButtons.Find(id)->selected);
    EXPECT_EQ(editor.currentButton, id);
    EXPECT_EQ(view.caption, L"No action");

    // Drawn up and to the left: the rectangle is put the right way round.
    Drag({{120, 100}, {110, 95}, {90, 80}});
    EXPECT_EQ(Edges(Rect(editor.selectedId)), (std::vector<LONG>{90, 80, 120, 100}));
    EXPECT_FALSE(theButtons.Find(id)->selected);
}

TEST_F(ButtonEditorTest, DraggingMovesTheButtonAndStopsAtTheEdgeKeepingItsWidth)
{
    const int id = theButtons.AddButton(false, 15, 50, 35, 70);
    Drag({{20, 60}, {14, 60}, {10, 61}, {9, 61}});
    EXPECT_EQ(Edges(Rect(id)), (std::vector<LONG>{9, 51, 29, 71}));
    EXPECT_TRUE(view.topmost);
    // Leaving the screen area ends the drag there.
    editor.LeftButtonDown(POINT{20, 60});
    editor.MouseMove(POINT{25, 60});
    editor.MouseMove(POINT{300, 60});
    editor.MouseMove(POINT{40, 60});
    EXPECT_FALSE(editor.dragging);
    EXPECT_EQ(Edges(Rect(id)), (std::vector<LONG>{14, 51, 34, 71}));
}

TEST_F(ButtonEditorTest, EditsGoToTheSelectedButtonUntilARightClickOnAnEmptySpot)
{
    const int id = theButtons.AddButton(false, 20, 20, 60, 60);
    Drag({{30, 30}});
    EXPECT_EQ(editor.currentButton, id);
    editor.SliderMoved(40);
    editor.TreeSelectionChanged(FindActionIndex(L"Cascade"));
    EXPECT_EQ(theButtons.Find(id)->transparency, 40);
    EXPECT_EQ(theButtons.GetCaption(id), L"Cascade");
    EXPECT_FALSE(editor.RightButtonUp(POINT{100, 100}));

    editor.RightButtonDown(POINT{100, 100});
    EXPECT_FALSE(editor.RightButtonUp(POINT{100, 100}));
    EXPECT_EQ(editor.currentButton, id);  // the controls still show it ...
    editor.SliderMoved(80);
    editor.CaptionChanged(L"Typed");
    editor.TreeSelectionChanged(FindActionIndex(L"Tile left"));
    EXPECT_EQ(theButtons.Find(id)->transparency, 40);  // ... but edit nothing
    EXPECT_EQ(theButtons.GetCaption(id), L"Cascade");

    editor.RightButtonDown(POINT{30, 30});
    EXPECT_TRUE(editor.RightButtonUp(POINT{31, 31}));
    EXPECT_EQ(view.transparency, 40);
    EXPECT_EQ(view.treeSelection, FindActionIndex(L"Cascade"));
    editor.DeleteThisButton();
    EXPECT_TRUE(theButtons.List().empty());
    EXPECT_EQ(editor.currentButton, -1);
    EXPECT_EQ(view.caption, L"");
}

TEST_F(ButtonEditorTest, CaptionsComeFromTheActionsUntilOneIsTyped)
{
    const ActionIndex none = kNoActionIndex;
    const ActionIndex cascade = FindActionIndex(L"Cascade");
    const ActionIndex copy = FindActionIndex(L"Copy");
    const ActionIndex paste = FindActionIndex(L"Paste");
    EXPECT_EQ(CaptionFromActions(none, none, none), L"No action");
    EXPECT_EQ(CaptionFromActions(none, copy, none), L"Ctrl: Copy");
    EXPECT_EQ(CaptionFromActions(none, none, paste), L"Shift: Paste");
    EXPECT_EQ(CaptionFromActions(cascade, copy, none), L"Cascade\r\nCtrl: Copy");
    EXPECT_EQ(CaptionFromActions(cascade, copy, paste), L"Cascade\r\nCtrl: Copy\r\nShift: Paste");

    const int id = theButtons.AddButton(false, 20, 20, 60, 60);
    Drag({{30, 30}});
    editor.ModifierChanged(Ctrl);
    editor.TreeSelectionChanged(copy);
    EXPECT_EQ(theButtons.GetCaption(id), L"Ctrl: Copy");
    EXPECT_FALSE(theButtons.Find(id)->keepTitle);

    editor.CaptionChanged(L"Mine");  // typed by the user
    EXPECT_TRUE(theButtons.Find(id)->keepTitle);
    editor.CaptionChanged(L"");  // emptied: made from the actions again
    EXPECT_FALSE(theButtons.Find(id)->keepTitle);
    editor.CaptionChanged(L"Mine");
    EXPECT_TRUE(theButtons.Find(id)->keepTitle);
    // Choosing a modifier shows that modifier's action in the tree.
    theButtons.SetAction(id, Shift, paste);
    view.treeSelection = -2;
    editor.ModifierChanged(Shift);
    EXPECT_EQ(view.treeSelection, paste);
    editor.ModifierChanged(Ctrl);
    EXPECT_EQ(view.treeSelection, copy);
    editor.ModifierChanged(Plain);
    EXPECT_EQ(view.treeSelection, none);
    theButtons.SetAction(id, Shift, none);
    editor.TreeSelectionChanged(cascade);
    EXPECT_EQ(theButtons.GetCaption(id), L"Mine");
    editor.TreeSelectionChanged(std::nullopt);  // a heading
    EXPECT_EQ(theButtons.Find(id)->actions[Plain], cascade);

    editor.ResetTitle();
    EXPECT_EQ(theButtons.GetCaption(id), L"Cascade\r\nCtrl: Copy");
    EXPECT_FALSE(theButtons.Find(id)->keepTitle);
    editor.CaptionChanged(L"Again");
    editor.DoubleClick();
    EXPECT_EQ(theButtons.Find(id)->actions, (std::array<ActionIndex, 3>{none, none, none}));
    EXPECT_FALSE(theButtons.Find(id)->keepTitle);
}

TEST_F(ButtonEditorTest, TipsHintAtDrawingOnlyWithoutButtonsAndNameTheButtonUnderThePointer)
{
    EXPECT_EQ(editor.DiagramTip(POINT{50, 50}, false).find(L"Click and drag in this screen to draw a button"), 0u);
    EXPECT_EQ(editor.DiagramTip(POINT{50, 50}, true), L"");
    EXPECT_EQ(editor.DiagramTip(POINT{2, 2}, false), L"");
    const int id = theButtons.AddButton(false, 20, 20, 60, 60);
    EXPECT_EQ(editor.DiagramTip(POINT{100, 100}, false), L"");
    theButtons.SetCaption(id, L"");
    EXPECT_EQ(editor.DiagramTip(POINT{30, 30}, false),
              L"Untitled button\n\nDrag to move button\nRight-click for options menu");
    theButtons.SetCaption(id, std::wstring(2000, L'x'));
    EXPECT_EQ(editor.DiagramTip(POINT{30, 30}, false).size(), 1023u);
}

TEST_F(ButtonEditorTest, InsertMakesASelectedButtonInTheMiddleAndTheNextOnesFurtherDown)
{
    const int first = editor.InsertButton();
    EXPECT_EQ(Edges(Rect(first)), (std::vector<LONG>{106, 85, 122, 93}));
    EXPECT_EQ(editor.selectedId, first);
    EXPECT_EQ(editor.currentButton, first);
    EXPECT_TRUE(theButtons.Find(first)->selected);
    EXPECT_EQ(view.caption, L"No action");
    const int second = editor.InsertButton();
    EXPECT_EQ(Edges(Rect(second)), (std::vector<LONG>{114, 93, 130, 101}));
    EXPECT_FALSE(theButtons.Find(first)->selected);
    EXPECT_TRUE(theButtons.Find(second)->selected);
    // Down to the screen area's lower edge, then on the last place again.
    for (int i = 2; i < 11; ++i)
        editor.InsertButton();
    EXPECT_EQ(Edges(Rect(theButtons.List()[1]->id)), (std::vector<LONG>{178, 157, 194, 165}));
    EXPECT_EQ(Edges(Rect(theButtons.List()[0]->id)), (std::vector<LONG>{178, 157, 194, 165}));

    theButtons.loading = true;  // no save for each
    while (static_cast<int>(theButtons.List().size()) < kMaxButtons)
        theButtons.AddButton(false, 20, 20, 30, 30);
    theButtons.loading = false;
    EXPECT_EQ(editor.InsertButton(), -1);
    EXPECT_EQ(static_cast<int>(theButtons.List().size()), kMaxButtons);
}

TEST_F(ButtonEditorTest, TabGoesThroughTheButtonsInListOrderAndLeavesAfterTheLast)
{
    EXPECT_FALSE(editor.HasNeighbour(true));
    EXPECT_FALSE(editor.SelectNeighbour(false));
    const int oldest = theButtons.AddButton(false, 20, 20, 30, 30);
    const int middle = theButtons.AddButton(false, 40, 20, 50, 30);
    const int newest = theButtons.AddButton(false, 60, 20, 70, 30);
    struct Step {
        bool forward;
        bool moves;
        int selected;
    };
    const Step steps[] = {
        {true, true, newest},  {true, true, middle},  {true, true, oldest},   {true, false, oldest},
        {false, true, middle}, {false, true, newest}, {false, false, newest},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(editor.HasNeighbour(step.forward), step.moves);
        EXPECT_EQ(editor.SelectNeighbour(step.forward), step.moves);
        EXPECT_EQ(editor.selectedId, step.selected);
        EXPECT_EQ(editor.currentButton, step.selected);
        for (const auto& button : theButtons.List())
            EXPECT_EQ(button->selected, button->id == step.selected);
    }
    // With none selected, Shift+Tab comes in at the last.
    editor.ClearSelection();
    EXPECT_TRUE(editor.SelectNeighbour(false));
    EXPECT_EQ(editor.selectedId, oldest);
}

TEST_F(ButtonEditorTest, ArrowsMoveAndShiftArrowsSizeByOneUnitUpToTheScreenAreasEdges)
{
    struct Case {
        RECT start;
        bool size;
        int dx, dy;
        RECT end;
    };
    const Case cases[] = {
        {{10, 50, 30, 60}, false, -1, 0, {9, 50, 29, 60}},     {{9, 50, 29, 60}, false, -1, 0, {9, 50, 29, 60}},
        {{199, 50, 219, 60}, false, 1, 0, {200, 50, 220, 60}}, {{200, 50, 220, 60}, false, 1, 0, {200, 50, 220, 60}},
        {{50, 11, 70, 21}, false, 0, -1, {50, 10, 70, 20}},    {{50, 10, 70, 20}, false, 0, -1, {50, 10, 70, 20}},
        {{50, 158, 70, 168}, false, 0, 1, {50, 159, 70, 169}}, {{50, 159, 70, 169}, false, 0, 1, {50, 159, 70, 169}},
        {{199, 50, 219, 60}, true, 1, 0, {199, 50, 220, 60}},  {{199, 50, 220, 60}, true, 1, 0, {199, 50, 220, 60}},
        {{50, 50, 52, 60}, true, -1, 0, {50, 50, 51, 60}},     {{50, 50, 51, 60}, true, -1, 0, {50, 50, 51, 60}},
        {{50, 158, 70, 168}, true, 0, 1, {50, 158, 70, 169}},  {{50, 158, 70, 169}, true, 0, 1, {50, 158, 70, 169}},
        {{50, 50, 70, 52}, true, 0, -1, {50, 50, 70, 51}},     {{50, 50, 70, 51}, true, 0, -1, {50, 50, 70, 51}},
        {{9, 10, 220, 169}, true, 1, 1, {9, 10, 220, 169}},    {{9, 10, 220, 169}, false, -1, 1, {9, 10, 220, 169}},
    };
    for (const Case& c : cases) {
        theButtons.Clear();
        editor.ClearSelection();
        const int id = theButtons.AddButton(false, c.start.left, c.start.top, c.start.right, c.start.bottom);
        SCOPED_TRACE(testing::Message() << Edges(c.start)[0] << "," << Edges(c.start)[1]
                                        << (c.size ? " size " : " move ") << c.dx << "," << c.dy);
        if (c.size)
            editor.SizeSelectedBy(c.dx, c.dy);
        else
            editor.MoveSelectedBy(c.dx, c.dy);
        EXPECT_EQ(Edges(Rect(id)), Edges(c.start));  // nothing selected: nothing changes
        editor.SelectNeighbour(true);
        view.topmost = false;
        if (c.size)
            editor.SizeSelectedBy(c.dx, c.dy);
        else
            editor.MoveSelectedBy(c.dx, c.dy);
        EXPECT_EQ(Edges(Rect(id)), Edges(c.end));
        EXPECT_TRUE(view.topmost);  // as a drag: the floating window stays below the settings
    }
}

// Delete goes on through the list, as in a list box: the button that takes
// the deleted one's place is selected, the one before it after the last, none
// when none is left; the menu opens only on a selected button.
TEST_F(ButtonEditorTest, DeleteRemovesTheSelectedButtonAndSelectsTheOneInItsPlace)
{
    const int last = theButtons.AddButton(false, 20, 20, 30, 30);
    const int middle = theButtons.AddButton(false, 40, 40, 60, 50);
    const int first = theButtons.AddButton(false, 70, 10, 80, 20);
    EXPECT_FALSE(editor.MenuAnchor());
    editor.DeleteSelected();
    EXPECT_EQ(theButtons.List().size(), 3u);
    editor.SelectNeighbour(true);
    editor.SelectNeighbour(true);
    ASSERT_TRUE(editor.MenuAnchor());
    EXPECT_EQ(Edges(*editor.MenuAnchor()), (std::vector<LONG>{40, 40, 60, 50}));
    const struct {
        int gone, selected;  // -1: none
    } steps[] = {{middle, last}, {last, first}, {first, -1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.gone);
        editor.DeleteSelected();
        EXPECT_EQ(theButtons.Find(step.gone), nullptr);
        EXPECT_EQ(editor.selectedId, step.selected);
        EXPECT_EQ(editor.currentButton, step.selected);
        EXPECT_EQ(editor.MenuAnchor().has_value(), step.selected >= 0);
    }
    EXPECT_EQ(view.caption, L"");
}

TEST_F(ButtonEditorTest, TheValueSaysWhichButtonOfHowManyWhatItDoesAndWhere)
{
    EXPECT_EQ(editor.ValueText(), L"No buttons");
    const int older = theButtons.AddButton(false, 109, 50, 139, 70);
    EXPECT_EQ(editor.ValueText(), L"1 button, none selected");
    const int newer = theButtons.AddButton(false, 9, 10, 20, 15);
    EXPECT_EQ(editor.ValueText(), L"2 buttons, none selected");
    editor.SelectNeighbour(false);
    EXPECT_EQ(editor.selectedId, older);
    theButtons.SetAction(older, Plain, FindActionIndex(L"Copy"));
    EXPECT_EQ(editor.ValueText(), L"Button 2 of 2, Copy, 100, 40, 30 \u00d7 20");
    theButtons.SetAction(older, Ctrl, FindActionIndex(L"Cascade"));
    theButtons.SetCaption(older, L"Copy it\r\nor not");
    theButtons.SetKeepTitle(older, true);
    EXPECT_EQ(editor.ValueText(), L"Button 2 of 2, titled Copy it or not, Copy, Ctrl: Cascade, 100, 40, 30 \u00d7 20");
    editor.SelectNeighbour(false);
    EXPECT_EQ(editor.selectedId, newer);
    EXPECT_EQ(editor.ValueText(), L"Button 1 of 2, No action, 0, 0, 11 \u00d7 5");
    // Gone without the editor: a new load of the file, say.
    theButtons.DeleteButton(newer);
    EXPECT_EQ(editor.ValueText(), L"1 button, none selected");
    EXPECT_TRUE(editor.SelectNeighbour(true));
    EXPECT_EQ(editor.selectedId, older);
}

// A screen reader hears of every change the keyboard makes.
TEST_F(ButtonEditorTest, EveryKeyboardEditTellsThatTheValueChanged)
{
    const auto change = [&](const std::function<void()>& edit) {
        const int before = view.valueChanges;
        edit();
        return view.valueChanges > before;
    };
    EXPECT_TRUE(change([&] { editor.InsertButton(); }));
    theButtons.AddButton(false, 20, 20, 30, 30);
    EXPECT_TRUE(change([&] { editor.SelectNeighbour(false); }));
    EXPECT_TRUE(change([&] { editor.MoveSelectedBy(1, 0); }));
    EXPECT_TRUE(change([&] { editor.SizeSelectedBy(0, 1); }));
    EXPECT_TRUE(change([&] { editor.TreeSelectionChanged(FindActionIndex(L"Copy")); }));
    EXPECT_TRUE(change([&] { editor.CaptionChanged(L"Typed"); }));
    EXPECT_TRUE(change([&] { editor.DeleteSelected(); }));
}

// A drag is told and written once, where it ends, however it ends; not at
// every step.
TEST_F(ButtonEditorTest, ADragTellsTheValueAndWritesTheFileOnceWhenItEnds)
{
    const int id = theButtons.AddButton(false, 40, 40, 60, 60);
    const struct {
        const char* end;
        std::function<void()> ending;
    } cases[] = {
        {"released", [&] { editor.LeftButtonUp(); }},
        {"the pointer left the picture", [&] { editor.MouseLeave(); }},
        {"the pointer left the screen area", [&] { editor.MouseMove(POINT{kScreenArea.left - 1, 50}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end);
        const RECT r = Rect(id);
        const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        editor.LeftButtonDown(centre);
        const int before = view.valueChanges;
        const int writes = theData.settingsWrites;
        for (const int dx : {1, 2, 3})
            editor.MouseMove(POINT{centre.x + dx, centre.y});
        EXPECT_EQ(view.valueChanges, before);
        EXPECT_EQ(theData.settingsWrites, writes);
        c.ending();
        EXPECT_EQ(view.valueChanges, before + 1);
        EXPECT_EQ(theData.settingsWrites, writes + 1);
        editor.LeftButtonUp();
        EXPECT_EQ(view.valueChanges, before + 1);
        EXPECT_EQ(Rect(id).left, r.left + 3);
        theData.cornerSize = 7;  // saves after the drag write at once again
        theData.SaveSettings();
        EXPECT_EQ(theData.settingsWrites, writes + 2);
    }
    // A page closed in the middle of a drag writes what it moved.
    const int writes = theData.settingsWrites;
    {
        CButtonEditor closing{view};
        closing.LeftButtonDown(POINT{Rect(id).left + 1, Rect(id).top + 1});
        closing.MouseMove(POINT{Rect(id).left + 2, Rect(id).top + 1});
        EXPECT_EQ(theData.settingsWrites, writes);
    }
    EXPECT_EQ(theData.settingsWrites, writes + 1);
    // So does an insert from the keyboard in the middle of one.
    editor.LeftButtonDown(POINT{Rect(id).left + 1, Rect(id).top + 1});
    editor.InsertButton();
    EXPECT_EQ(theData.settingsWrites, writes + 2);

    // A press and a release without a move tell only the selection.
    editor.LeftButtonDown(POINT{Rect(id).left + 1, Rect(id).top + 1});
    const int before = view.valueChanges;
    editor.LeftButtonUp();
    EXPECT_EQ(view.valueChanges, before);
}

TEST_F(ButtonEditorTest, HidingThePageEndsTheSelectionAndTheTopmostState)
{
    const int id = theButtons.AddButton(false, 20, 20, 60, 60);
    editor.PageShown(true);
    EXPECT_TRUE(view.topmost);
    Drag({{30, 30}});
    editor.PageHidden();
    EXPECT_FALSE(view.topmost);
    EXPECT_EQ(editor.selectedId, -1);
    EXPECT_EQ(editor.currentButton, -1);
    EXPECT_FALSE(theButtons.Find(id)->selected);
}

}  // namespace
}  // namespace vorn
