// Custom actions that press keys: what the engine types on entering and
// leaving, the hold and every way it ends, the settings file, copying and
// deleting, the editor's check and the notice of keys that cannot be read.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "actions/key_combination.h"
#include "app/edge_engine.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "tests/fake/fixture.h"
#include "tests/fake/full_settings.h"
#include "tests/fake/temp_folder.h"
#include "ui/actions_page_model.h"
#include "ui/settings_page_model.h"

namespace vorn {
namespace {

constexpr BYTE kVkCtrl = 0x11;
constexpr BYTE kVkAlt = 0x12;
constexpr BYTE kVkShift = 0x10;
constexpr BYTE kVkWin = 0x5B;

struct Typed {
    BYTE key;
    bool up;
    bool operator==(const Typed&) const = default;
};

void PrintTo(const Typed& typed, std::ostream* out) { *out << (typed.up ? "up " : "down ") << int(typed.key); }

Typed Down(BYTE key) { return {key, false}; }
Typed Up(BYTE key) { return {key, true}; }

KeyCombination Keys(const wchar_t* text)
{
    const std::optional<KeyCombination> keys = ParseKeyCombination(text);
    EXPECT_TRUE(keys.has_value()) << testing::PrintToString(std::wstring(text));
    return keys.value_or(KeyCombination{});
}

constexpr POINT kCorner{0, 0};             // upper left corner
constexpr POINT kOtherCorner{1919, 1079};  // lower right corner
constexpr POINT kCentre{960, 540};

class KeyActionTest : public fake::DesktopTest {
protected:
    KeyActionTest()
    {
        mainWindow = AddWindow(L"Vorn");
        desktop.SetForegroundWindow(AddWindow(L"Editor"));
        desktop.MovePointer(kCentre.x, kCentre.y);
        for (auto& row : theData.assignments)
            row.fill(kNoActionIndex);
        engine = std::make_unique<CEdgeEngine>();
        engine->Start(mainWindow);
    }

    // A custom action in `slot` whose phases press these keys ("" for none).
    ActionIndex Define(int slot, const wchar_t* beginning, const wchar_t* ending, bool hold = false,
                       const wchar_t* beginningCommand = L"", const wchar_t* endingCommand = L"")
    {
        CCustomAction& action = theCustomActions[slot];
        action = CCustomAction{L"Keys " + std::to_wstring(slot), L"", beginningCommand, endingCommand};
        action.beginningKeys = Keys(beginning);
        action.endingKeys = Keys(ending);
        action.holdKeys = hold;
        return kBuiltInActionCount + slot;
    }
    void Assign(ModifierKey modifier, EdgeZone zone, ActionIndex index)
    {
        theData.assignments[static_cast<std::size_t>(modifier)][static_cast<std::size_t>(zone)] = index;
    }
    void PollAt(POINT point)
    {
        desktop.MovePointer(point.x, point.y);
        engine->Poll();
    }
    // The keys typed since the last call.
    std::vector<Typed> TypedKeys()
    {
        std::vector<Typed> typed;
        for (const fake::KeyEvent& event : desktop.keys)
            typed.push_back({event.virtualKey, (event.flags & KEYEVENTF_KEYUP) != 0});
        desktop.keys.clear();
        return typed;
    }
    bool AnyKeyDown() const
    {
        for (const bool down : desktop.keysDown)
            if (down) return true;
        return false;
    }

    HWND mainWindow = nullptr;
    std::unique_ptr<CEdgeEngine> engine;
};

// What a corner carrying a key action types on entering and on leaving.
TEST_F(KeyActionTest, EnteringAndLeavingTypeTheirKeys)
{
    struct Case {
        const wchar_t* beginning;
        const wchar_t* ending;
        bool hold;
        std::vector<Typed> entering;
        std::vector<BYTE> heldInTheZone;
        std::vector<Typed> leaving;
    };
    const Case cases[] = {
        {L"Ctrl+Shift+Esc",
         L"",
         false,
         {Down(kVkCtrl), Down(kVkShift), Down(0x1B), Up(0x1B), Up(kVkShift), Up(kVkCtrl)},
         {},
         {}},
        {L"Alt+Tab",
         L"",
         true,
         {Down(kVkAlt), Down(0x09), Up(0x09), Down(kMaskKey), Up(kMaskKey)},
         {kVkAlt},
         {Up(kVkAlt)}},
        {L"Ctrl+Shift+X",
         L"F5",
         true,
         {Down(kVkCtrl), Down(kVkShift), Down('X'), Up('X')},
         {kVkCtrl, kVkShift},
         {Up(kVkShift), Up(kVkCtrl), Down(0x74), Up(0x74)}},
        {L"Win+D",
         L"Win+D",
         false,
         {Down(kVkWin), Down('D'), Up('D'), Down(kMaskKey), Up(kMaskKey), Up(kVkWin)},
         {},
         {Down(kVkWin), Down('D'), Up('D'), Down(kMaskKey), Up(kMaskKey), Up(kVkWin)}},
        // Hold without beginning keys, or without modifiers, holds nothing.
        {L"", L"Media play pause", true, {}, {}, {Down(0xB3), Up(0xB3)}},
        {L"F13", L"", true, {Down(0x7C), Up(0x7C)}, {}, {}},
        // The modifiers alone, held, go up without opening a menu.
        {L"Win", L"", true, {Down(kVkWin)}, {kVkWin}, {Down(kMaskKey), Up(kMaskKey), Up(kVkWin)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.beginning) + L" / " + c.ending));
        Assign(Plain, UpperLeftCorner, Define(0, c.beginning, c.ending, c.hold));
        PollAt(kCorner);
        EXPECT_EQ(TypedKeys(), c.entering);
        for (int key = 0; key < 256; ++key) {
            const bool held = std::find(c.heldInTheZone.begin(), c.heldInTheZone.end(), key) != c.heldInTheZone.end();
            EXPECT_EQ(desktop.keysDown[static_cast<std::size_t>(key)], held) << key;
        }
        // Key actions never repeat.
        EXPECT_EQ(desktop.Timer(mainWindow, kRepeatTimerId), nullptr);
        PollAt(kCorner);
        EXPECT_TRUE(TypedKeys().empty());
        PollAt(kCentre);
        EXPECT_EQ(TypedKeys(), c.leaving);
        EXPECT_FALSE(AnyKeyDown());
        EXPECT_FALSE(engine->HeldKeys().has_value());
    }
    EXPECT_TRUE(desktop.launches.empty());
}

TEST_F(KeyActionTest, KeysAndACommandLineInOneAction)
{
    Assign(Plain, UpperLeftCorner, Define(0, L"Ctrl+C", L"", false, L"", L"notepad log.txt"));
    PollAt(kCorner);
    EXPECT_EQ(TypedKeys(), (std::vector<Typed>{Down(kVkCtrl), Down('C'), Up('C'), Up(kVkCtrl)}));
    EXPECT_TRUE(desktop.launches.empty());
    PollAt(kCentre);
    EXPECT_TRUE(TypedKeys().empty());
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].file, L"notepad");
}

// Ctrl held for the action reads, on leaving, as the user's Ctrl: the
// ending is still the held action's, not the Ctrl action's.
TEST_F(KeyActionTest, LeavingEndsTheActionThatHoldsTheKeys)
{
    Assign(Plain, UpperLeftCorner, Define(0, L"Ctrl+X", L"F5", true));
    Assign(Ctrl, UpperLeftCorner, Define(1, L"", L"", false, L"", L"other.exe"));
    PollAt(kCorner);
    ASSERT_TRUE(desktop.keysDown[kVkCtrl]);
    TypedKeys();
    PollAt(kCentre);
    EXPECT_EQ(TypedKeys(), (std::vector<Typed>{Up(kVkCtrl), Down(0x74), Up(0x74)}));
    EXPECT_TRUE(desktop.launches.empty());
    // Once up, the user's own Ctrl counts again.
    desktop.SetKeyDown(kVkCtrl, true);
    PollAt(kCorner);
    PollAt(kCentre);
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].file, L"other.exe");
}

// A move straight into another zone: the held keys go up before its action.
TEST_F(KeyActionTest, TheNextZoneStartsWithTheKeysUp)
{
    Assign(Plain, UpperLeftCorner, Define(0, L"Shift+A", L"", true));
    Assign(Plain, TopSide, Define(1, L"B", L""));
    Assign(Shift, TopSide, Define(2, L"C", L""));
    PollAt(kCorner);
    TypedKeys();
    PollAt(POINT{960, 0});
    EXPECT_EQ(TypedKeys(), (std::vector<Typed>{Up(kVkShift), Down('B'), Up('B')}));
}

// Every way the hold can end before the pointer leaves: the modifiers go up
// once, at once, and never again.
TEST_F(KeyActionTest, NoModifierStaysDown)
{
    struct Case {
        const char* what;
        void (*end)(std::unique_ptr<CEdgeEngine>& engine);
    };
    const Case cases[] = {
        {"edge actions switched off", [](auto& engine) { engine->SetEnabled(false); }},
        {"the program ends", [](auto& engine) { engine->Stop(); }},
        {"the engine goes", [](auto& engine) { engine.reset(); }},
        {"the settings change", [](auto& engine) { engine->SettingsChanged(); }},
        {"the session ends", [](auto& engine) { engine->ReleaseHeldKeys(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        theData.enabled = true;
        engine = std::make_unique<CEdgeEngine>();
        engine->Start(mainWindow);
        Assign(Plain, UpperLeftCorner, Define(0, L"Ctrl+Alt+Tab", L"", true));
        PollAt(kCorner);
        TypedKeys();
        c.end(engine);
        EXPECT_EQ(TypedKeys(), (std::vector<Typed>{Up(kVkAlt), Up(kVkCtrl)}));
        EXPECT_FALSE(AnyKeyDown());
        if (!engine) continue;
        EXPECT_FALSE(engine->HeldKeys().has_value());
        engine->ReleaseHeldKeys();
        PollAt(kCentre);
        EXPECT_TRUE(TypedKeys().empty());
    }
    // Switched on again, nothing is pressed by that alone.
    engine->SetEnabled(true);
    EXPECT_TRUE(theData.enabled);
    EXPECT_TRUE(TypedKeys().empty());
}

// A floating button holds the keys while pressed; its release ends what the
// press began, whatever modifier the held keys make the button read.
TEST_F(KeyActionTest, AButtonHoldsWhilePressed)
{
    const ActionIndex held = Define(0, L"Ctrl+Shift+T", L"Alt+F4", true);
    const ActionIndex ctrlAction = Define(1, L"", L"", false, L"", L"other.exe");
    engine->RunAction(held, false, nullptr);
    EXPECT_EQ(TypedKeys(), (std::vector<Typed>{Down(kVkCtrl), Down(kVkShift), Down('T'), Up('T')}));
    EXPECT_TRUE(desktop.keysDown[kVkCtrl] && desktop.keysDown[kVkShift]);
    engine->RunAction(ctrlAction, true, nullptr);
    EXPECT_EQ(TypedKeys(), (std::vector<Typed>{Up(kVkShift), Up(kVkCtrl), Down(kVkAlt), Down(0x73), Up(0x73),
                                               Down(kMaskKey), Up(kMaskKey), Up(kVkAlt)}));
    EXPECT_TRUE(desktop.launches.empty());
    // With nothing held the release is the one asked for.
    engine->RunAction(ctrlAction, true, nullptr);
    EXPECT_EQ(desktop.launches.size(), 1u);
    EXPECT_FALSE(AnyKeyDown());
}

// Whatever runs next ends a hold first: a button pressed in a holding zone.
TEST_F(KeyActionTest, AnyOtherDispatchEndsTheHoldFirst)
{
    Assign(Plain, UpperLeftCorner, Define(0, L"Alt", L"", true));
    PollAt(kCorner);
    TypedKeys();
    engine->RunAction(Define(1, L"A", L""), false, nullptr);
    EXPECT_EQ(TypedKeys(), (std::vector<Typed>{Down(kMaskKey), Up(kMaskKey), Up(kVkAlt), Down('A'), Up('A')}));
    // Leaving still ends the zone's action, with nothing left to let go.
    PollAt(kCentre);
    EXPECT_TRUE(TypedKeys().empty());
    EXPECT_FALSE(AnyKeyDown());
}

// --- the settings file -------------------------------------------------------------------

std::string Crlf(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string CustomSection(const std::string& file)
{
    const std::size_t at = file.find("[Custom actions]");
    return at == std::string::npos ? std::string() : file.substr(at);
}

class KeyActionFileTest : public fake::DesktopTest {
protected:
    KeyActionFileTest() { theData.settingsPath = folder.File(L"Vorn.ini"); }
    std::string Saved() const { return fake::TempFolder::Read(theData.settingsPath); }
    void Load(std::string_view text)
    {
        ASSERT_TRUE(fake::TempFolder::Write(theData.settingsPath, Crlf(text)));
        theData.LoadSettings();
    }
    fake::TempFolder folder;
};

TEST_F(KeyActionFileTest, KeyActionsByteForByteBesideTheirCommandLines)
{
    theCustomActions[0] = CCustomAction{L"Mail", L"Reads mail", L"mail.exe", L""};
    theCustomActions[1] = CCustomAction{L"Switcher", L"Windows", L"", L""};
    theCustomActions[1].beginningKeys = Keys(L"Alt+Tab");
    theCustomActions[1].holdKeys = true;
    theCustomActions[2] = CCustomAction{L"Snip", L"", L"", L"log.exe"};
    theCustomActions[2].beginningKeys = Keys(L"Win+Shift+S");
    theCustomActions[3] = CCustomAction{L"Play", L"", L"", L""};
    theCustomActions[3].endingKeys = Keys(L"Media play pause");
    theData.SaveSettings();
    const std::string saved = Saved();
    EXPECT_EQ(CustomSection(saved), Crlf(R"([Custom actions]
Name 1=Mail
Description 1=Reads mail
ActionA 1=mail.exe
ActionB 1=

Name 2=Switcher
Description 2=Windows
ActionA 2=
ActionB 2=
KeysA 2=Alt+Tab
Hold keys 2=True

Name 3=Snip
Description 3=
ActionA 3=
ActionB 3=log.exe
KeysA 3=Win+Shift+S

Name 4=Play
Description 4=
ActionA 4=
ActionB 4=
KeysB 4=Media play pause

)"));
    theData.LoadSettings();
    EXPECT_EQ(theCustomActions[1].beginningKeys, Keys(L"Alt+Tab"));
    EXPECT_TRUE(theCustomActions[1].holdKeys);
    EXPECT_EQ(theCustomActions[2].endingAction, L"log.exe");
    EXPECT_EQ(theCustomActions[3].endingKeys, Keys(L"Media play pause"));
    theData.SaveSettings();
    EXPECT_EQ(Saved(), saved);
}

TEST_F(KeyActionFileTest, AFileWithoutKeysIsWrittenBackAsItWas)
{
    fake::FillFullSettings();
    theData.SaveSettings();
    const std::string saved = Saved();
    EXPECT_EQ(saved.find("Keys"), std::string::npos);
    theData.LoadSettings();
    theData.SaveSettings();
    EXPECT_EQ(Saved(), saved);
}

TEST_F(KeyActionFileTest, KeysTypedByHand)
{
    std::vector<FileProblem> told;
    theData.fileProblems.SetListener([&](const FileProblem& problem) { told.push_back(problem); });
    Load(R"([Custom actions]
Name 1=Task manager
ActionA 1=taskmgr.exe
KeysA 1= ctrl + shift + escape 
Hold keys 1=true
Name 2=Held
KeysA 2=Alt+Tab
Hold keys 2=True
Name 3=Not held
ActionA 3=x.exe
Hold keys 3=True
Name 4=Ending
KeysB 4=
ActionB 4=y.exe
)");
    EXPECT_TRUE(told.empty());
    // Keys take the phase's place; its command line goes.
    EXPECT_EQ(theCustomActions[0].beginningKeys, Keys(L"Ctrl+Shift+Esc"));
    EXPECT_EQ(theCustomActions[0].beginningAction, L"");
    EXPECT_FALSE(theCustomActions[0].holdKeys);  // "true" is no "True"
    EXPECT_TRUE(theCustomActions[1].holdKeys);
    EXPECT_FALSE(theCustomActions[2].holdKeys);  // nothing to hold
    EXPECT_TRUE(theCustomActions[3].endingKeys.Empty());
    EXPECT_EQ(theCustomActions[3].endingAction, L"y.exe");
    theData.SaveSettings();
    const ProfileFile saved = ProfileFile::FromBytes(Saved());
    EXPECT_EQ(saved.Get(L"Custom actions", L"KeysA 1", L"-"), L"Ctrl+Shift+Esc");
    EXPECT_EQ(saved.Get(L"Custom actions", L"Hold keys 1", L"-"), L"-");
    EXPECT_EQ(saved.Get(L"Custom actions", L"Hold keys 2", L"-"), L"True");
    EXPECT_EQ(saved.Get(L"Custom actions", L"Hold keys 3", L"-"), L"-");
    EXPECT_EQ(saved.Get(L"Custom actions", L"KeysB 4", L"-"), L"-");
}

// Keys that cannot be read: told once, naming the first; the phase keeps its
// command line; a failed save afterwards is still told.
TEST_F(KeyActionFileTest, KeysThatCannotBeReadAreToldOnceAndTheCommandLinesStay)
{
    Load(R"([Custom actions]
Name 1=Snip
ActionA 1=snip.exe
KeysA 1=Win+Shiftt+S
Name 2=Other
KeysB 2=Ctrl+
ActionB 2=other.exe
Name 3=Fine
KeysA 3=F13
)");
    EXPECT_FALSE(theData.settingsUnreadable);
    EXPECT_TRUE(theCustomActions[0].beginningKeys.Empty());
    EXPECT_EQ(theCustomActions[0].beginningAction, L"snip.exe");
    EXPECT_EQ(theCustomActions[1].endingAction, L"other.exe");
    EXPECT_EQ(theCustomActions[2].beginningKeys, Keys(L"F13"));

    std::vector<FileProblem> told;
    theData.fileProblems.SetListener([&](const FileProblem& problem) { told.push_back(problem); });
    ASSERT_EQ(told.size(), 1u);
    ASSERT_TRUE(told[0].keys.has_value());
    EXPECT_EQ(told[0].keys->text, L"Win+Shiftt+S");
    EXPECT_EQ(told[0].keys->action, L"Snip");
    EXPECT_EQ(told[0].keys->more, 1);
    EXPECT_EQ(told[0].path, theData.settingsPath);

    theData.LoadSettings();  // a second time in the run: not told again
    theData.settingsPath = folder.File(L"no such folder") + L"/Vorn.ini";
    theData.SaveSettings();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[1].saving);
    EXPECT_FALSE(told[1].keys.has_value());
}

TEST(KeysNoticeTest, NamesTheKeysTheActionAndTheFileWithinTheBalloonLimits)
{
    struct Case {
        UnreadableKeys keys;
        std::wstring path;
        const wchar_t* expected;
    };
    const std::wstring longPath = L"C:\\" + std::wstring(400, L'x') + L"\\Vorn.ini";
    const Case cases[] = {
        {{L"Ctrl+Foo", L"Snip", 0},
         L"C:\\Vorn\\Vorn.ini",
         L"C:\\Vorn\\Vorn.ini holds keys that are no key combination: \"Ctrl+Foo\" for the custom action \"Snip\". "
         L"The action keeps its command lines."},
        {{L"Ctrl+Foo", L"Snip", 2},
         L"C:\\Vorn\\Vorn.ini",
         L"C:\\Vorn\\Vorn.ini holds keys that are no key combination: \"Ctrl+Foo\" for the custom action \"Snip\", "
         L"and 2 more. Those actions keep their command lines."},
        {{std::wstring(100, L'k'), std::wstring(100, L'n'), 0}, longPath, L"xx\\Vorn.ini holds keys"},
    };
    for (const Case& c : cases) {
        const FileProblemNotice notice = NoticeFor(FileProblem{false, FileError::None, c.path, false, c.keys});
        SCOPED_TRACE(testing::PrintToString(notice.text));
        EXPECT_EQ(notice.title, L"Vorn cannot read some keys in its settings");
        EXPECT_LE(notice.text.size(), 255u);
        EXPECT_NE(notice.text.find(c.expected), std::wstring::npos);
    }
    // Long texts are cut, with a mark.
    const FileProblemNotice cut = NoticeFor(
        FileProblem{false, FileError::None, L"C:\\V.ini", false, UnreadableKeys{std::wstring(100, L'k'), L"", 0}});
    EXPECT_NE(cut.text.find(L"\"" + std::wstring(31, L'k') + L"\u2026\""), std::wstring::npos);
}

// --- copies, deletion, the editor and the pages --------------------------------------------

class KeyActionStoreTest : public fake::DesktopTest {
protected:
    KeyActionStoreTest() { theData.settingsPath = folder.File(L"Vorn.ini"); }
    fake::TempFolder folder;
};

TEST_F(KeyActionStoreTest, CopiesCarryTheKeysAndDeletionMovesThemWithTheirAction)
{
    theCustomActions[0] = CCustomAction{L"A", L"", L"a.exe", L""};
    theCustomActions[1] = CCustomAction{L"B", L"", L"", L""};
    theCustomActions[1].beginningKeys = Keys(L"Win+V");
    theCustomActions[2] = CCustomAction{L"C", L"", L"", L""};
    theCustomActions[2].beginningKeys = Keys(L"Alt+Tab");
    theCustomActions[2].endingKeys = Keys(L"Esc");
    theCustomActions[2].holdKeys = true;
    theData.assignments[Plain][LowerRightCorner] = kBuiltInActionCount + 2;

    EXPECT_EQ(theCustomActions.DuplicateCustomAction(L"C"), L"C copy 1");
    const CCustomAction& copy = theCustomActions[3];
    EXPECT_EQ(copy.beginningKeys, Keys(L"Alt+Tab"));
    EXPECT_EQ(copy.endingKeys, Keys(L"Esc"));
    EXPECT_TRUE(copy.holdKeys);

    theCustomActions.DeleteCustomAction(1);
    EXPECT_EQ(theCustomActions[1].name, L"C");
    EXPECT_EQ(theCustomActions[1].beginningKeys, Keys(L"Alt+Tab"));
    EXPECT_TRUE(theCustomActions[1].holdKeys);
    EXPECT_EQ(theCustomActions[2].name, L"C copy 1");
    EXPECT_TRUE(theCustomActions[3].IsFree());
    EXPECT_TRUE(theCustomActions[3].beginningKeys.Empty() && theCustomActions[3].endingKeys.Empty());
    EXPECT_FALSE(theCustomActions[3].holdKeys);
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], kBuiltInActionCount + 1);
    const ProfileFile saved = ProfileFile::FromBytes(fake::TempFolder::Read(theData.settingsPath));
    EXPECT_EQ(saved.Get(L"Custom actions", L"KeysA 2", L""), L"Alt+Tab");
    EXPECT_EQ(saved.Get(L"Custom actions", L"KeysB 3", L""), L"Esc");
    EXPECT_EQ(saved.Get(L"Custom actions", L"Hold keys 3", L""), L"True");
    EXPECT_EQ(saved.Get(L"Actions, Plain", L"Lower right corner", L""), L"C");
}

TEST_F(KeyActionStoreTest, TheEditorTakesKeysForEitherPhase)
{
    struct Case {
        const wchar_t* beginningCommand;
        const wchar_t* beginningKeys;
        const wchar_t* endingCommand;
        const wchar_t* endingKeys;
        bool hold;
        CustomEditError error;
        bool holdStored;
    };
    const Case cases[] = {
        {L"", L"Ctrl+Shift+Esc", L"", L"", false, CustomEditError::None, false},
        {L"", L"", L"", L"Media play pause", true, CustomEditError::None, false},  // no beginning keys to hold
        {L"", L"Alt+Tab", L" ", L"", true, CustomEditError::None, true},
        {L"  ", L"", L"", L"", false, CustomEditError::ActionRequired, false},
        {L"", L"", L"", L"", true, CustomEditError::ActionRequired, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.beginningKeys) + L"/" + c.endingKeys));
        theCustomActions.Clear();
        CCustomAction fields{L"Mine", L"", c.beginningCommand, c.endingCommand};
        fields.beginningKeys = Keys(c.beginningKeys);
        fields.endingKeys = Keys(c.endingKeys);
        fields.holdKeys = c.hold;
        EXPECT_EQ(SaveCustomActionEdit(L"", fields), c.error);
        if (c.error != CustomEditError::None) {
            EXPECT_TRUE(theCustomActions[0].IsFree());
            continue;
        }
        EXPECT_EQ(theCustomActions[0].beginningKeys, Keys(c.beginningKeys));
        EXPECT_EQ(theCustomActions[0].endingKeys, Keys(c.endingKeys));
        EXPECT_EQ(theCustomActions[0].holdKeys, c.holdStored);
    }
    // Keys replace a command line the edit still holds.
    theCustomActions.Clear();
    CCustomAction fields{L"Mine", L"", L"old.exe", L""};
    fields.beginningKeys = Keys(L"F13");
    EXPECT_EQ(SaveCustomActionEdit(L"", fields), CustomEditError::None);
    EXPECT_EQ(theCustomActions[0].beginningAction, L"");
}

TEST_F(KeyActionStoreTest, AKeyActionShowsInTheTreesAndTipsLikeAnyCustomAction)
{
    theCustomActions[0] = CCustomAction{L"Snip", L"Cuts a piece of the screen", L"", L""};
    theCustomActions[0].beginningKeys = Keys(L"Win+Shift+S");
    theData.assignments[Shift][TopSide] = kBuiltInActionCount;
    const std::vector<ActionTreeGroup> tree = BuildActionTree();
    ASSERT_EQ(tree.back().items.size(), 1u);
    EXPECT_EQ(tree.back().items[0].text, L"Snip");
    EXPECT_EQ(ZoneTip(TopSide, Shift), L"Snip");
    EXPECT_EQ(theData.ActionDescription(kBuiltInActionCount), L"Cuts a piece of the screen");
}

}  // namespace
}  // namespace vorn
