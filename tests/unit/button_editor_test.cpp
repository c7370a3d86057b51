// The Buttons page's behaviour without its widgets: drawing and dragging on
// the picture, which button the controls edit, captions made from actions,
// and the picture's tips.
#include <gtest/gtest.h>

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

    std::wstring caption = L"<untouched>";
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
    editor.TreeSelectionChanged(theData.FindActionIndex(L"Cascade"));
    EXPECT_EQ(theButtons.Find(id)->transparency, 40);
    EXPECT_EQ(theButtons.GetCaption(id), L"Cascade");
    EXPECT_FALSE(editor.RightButtonUp(POINT{100, 100}));

    editor.RightButtonDown(POINT{100, 100});
    EXPECT_FALSE(editor.RightButtonUp(POINT{100, 100}));
    EXPECT_EQ(editor.currentButton, id);  // the controls still show it ...
    editor.SliderMoved(80);
    editor.CaptionChanged(L"Typed");
    editor.TreeSelectionChanged(theData.FindActionIndex(L"Tile left"));
    EXPECT_EQ(theButtons.Find(id)->transparency, 40);  // ... but edit nothing
    EXPECT_EQ(theButtons.GetCaption(id), L"Cascade");

    editor.RightButtonDown(POINT{30, 30});
    EXPECT_TRUE(editor.RightButtonUp(POINT{31, 31}));
    EXPECT_EQ(view.transparency, 40);
    EXPECT_EQ(view.treeSelection, theData.FindActionIndex(L"Cascade"));
    editor.DeleteThisButton();
    EXPECT_TRUE(theButtons.List().empty());
    EXPECT_EQ(editor.currentButton, -1);
    EXPECT_EQ(view.caption, L"");
}

TEST_F(ButtonEditorTest, CaptionsComeFromTheActionsUntilOneIsTyped)
{
    const ActionIndex none = kNoActionIndex;
    const ActionIndex cascade = theData.FindActionIndex(L"Cascade");
    const ActionIndex copy = theData.FindActionIndex(L"Copy");
    const ActionIndex paste = theData.FindActionIndex(L"Paste");
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
