// Custom actions that press keys: what the engine types on entering and
// leaving, the hold and every way it ends, the settings file, copying and
// deleting, and the editor's check.
#include <gtest/gtest.h>

#include <memory>

#include "app/edge_engine.h"
#include "settings/profile.h"
#include "settings/settings_file.h"
#include "settings/text_encoding.h"
#include "tests/fake/fixture.h"
#include "tests/fake/full_settings.h"
#include "tests/fake/temp_folder.h"
#include "ui/settings_page_model.h"

namespace vorn {
namespace {

KeyCombination Keys(const wchar_t* text) { return ParseKeyCombination(text).value(); }

// A custom action in `slot`; its index.
ActionIndex Define(int slot, const wchar_t* beginning, const wchar_t* ending, bool hold = false,
                   const wchar_t* endingCommand = L"")
{
    CCustomAction& action = theCustomActions[slot];
    action = CCustomAction{L"Keys " + std::to_wstring(slot), L"", L"", endingCommand};
    action.beginningKeys = Keys(beginning);
    action.endingKeys = Keys(ending);
    action.holdKeys = hold;
    return kBuiltInActionCount + slot;
}

class KeyActionTest : public fake::DesktopTest {
public:
    KeyActionTest()
    {
        mainWindow = AddWindow(L"Vorn");
        for (auto& row : theData.assignments)
            row.fill(kNoActionIndex);
        Restart();
    }
    void Restart()
    {
        engine = std::make_unique<CEdgeEngine>();
        engine->Start(mainWindow);
    }
    void Assign(ModifierKey modifier, EdgeZone zone, ActionIndex index)
    {
        theData.assignments[static_cast<std::size_t>(modifier)][static_cast<std::size_t>(zone)] = index;
    }
    void PollAt(int x, int y)
    {
        desktop.MovePointer(x, y);
        engine->Poll();
    }
    // A poll while the secure desktop has the input.
    void PollUnreadable()
    {
        desktop.cursorReadFails = true;
        engine->Poll();
        desktop.cursorReadFails = false;
    }
    // The keys typed since the last call (v: down, ^: up).
    std::string Typed()
    {
        std::string typed;
        for (const fake::KeyEvent& event : desktop.keys)
            typed += ((event.flags & KEYEVENTF_KEYUP) ? " ^" : " v") + std::to_string(event.virtualKey);
        desktop.keys.clear();
        return typed;
    }
    int KeysDown() const
    {
        return static_cast<int>(std::count(desktop.keysDown.begin(), desktop.keysDown.end(), true));
    }

    HWND mainWindow = nullptr;
    std::unique_ptr<CEdgeEngine> engine;
};

// A corner carrying a key action: what it types on entering and on leaving.
TEST_F(KeyActionTest, EnteringAndLeavingTypeTheirKeys)
{
    const struct {
        const wchar_t *beginning, *ending;
        bool hold;
        const char *entering, *leaving;
        int heldInTheZone;
        const wchar_t* launchedOnLeaving;
    } cases[] = {
        {L"Ctrl+Shift+Esc", L"", false, " v17 v16 v27 ^27 ^16 ^17", "", 0, nullptr},
        {L"Alt+Tab", L"", true, " v18 v9 ^9 v232 ^232", " ^18", 1, nullptr},
        {L"Ctrl+Shift+X", L"F5", true, " v17 v16 v88 ^88", " ^16 ^17 v116 ^116", 2, nullptr},
        {L"Win+D", L"Win+D", false, " v91 v68 ^68 v232 ^232 ^91", " v91 v68 ^68 v232 ^232 ^91", 0, nullptr},
        // Nothing to hold: no beginning keys, or no modifiers.
        {L"", L"Media play pause", true, "", " v179 ^179", 0, nullptr},
        {L"F13", L"", true, " v124 ^124", "", 0, nullptr},
        {L"Win", L"", true, " v91", " v232 ^232 ^91", 1, nullptr},
        {L"Ctrl+C", L"", false, " v17 v67 ^67 ^17", "", 0, L"notepad"},
    };
    for (const auto& c : cases) {
        Assign(Plain, UpperLeftCorner,
               Define(0, c.beginning, c.ending, c.hold, c.launchedOnLeaving ? L"notepad" : L""));
        desktop.launches.clear();
        PollAt(0, 0);
        EXPECT_EQ(Typed(), c.entering);
        EXPECT_EQ(KeysDown(), c.heldInTheZone);
        EXPECT_EQ(desktop.Timer(mainWindow, kRepeatTimerId), nullptr);  // key actions never repeat
        PollAt(0, 0);
        PollAt(960, 540);
        EXPECT_EQ(Typed(), c.leaving);
        EXPECT_EQ(KeysDown(), 0);
        EXPECT_EQ(desktop.launches.size(), c.launchedOnLeaving ? 1u : 0u);
    }
}

// Keys held for the action would read as the user's modifier: leaving ends
// the holding action, whatever modifier shows then; afterwards the user's
// own modifier counts again.
TEST_F(KeyActionTest, LeavingEndsTheActionThatHoldsTheKeys)
{
    Assign(Plain, UpperLeftCorner, Define(0, L"Ctrl+X", L"F5", true));
    Assign(Ctrl, UpperLeftCorner, Define(1, L"", L"", false, L"ctrl.exe"));
    Assign(Shift, UpperLeftCorner, Define(2, L"", L"", false, L"shift.exe"));
    PollAt(0, 0);
    desktop.SetKeyDown(0x10, true);  // the user's Shift, pressed meanwhile
    Typed();
    PollAt(960, 540);
    EXPECT_EQ(Typed(), " ^17 v116 ^116");
    EXPECT_TRUE(desktop.launches.empty());
    PollAt(0, 0);
    PollAt(960, 540);
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].file, L"shift.exe");
}

// Before it leaves, whatever comes first lets the keys go, once and at once:
// another zone, a button, switching off, the end of the program, of the engine
// or of the session, a change of settings, a lock, a disconnect or a switch of
// user, sleep, a pointer that cannot be read (the secure desktop has the
// input), a key typed into one of Vorn's windows.
TEST_F(KeyActionTest, NoModifierStaysDown)
{
    Assign(Plain, TopSide, Define(1, L"B", L""));
    Assign(Shift, TopSide, Define(2, L"C", L""));
    const std::pair<void (*)(KeyActionTest&), const char*> ends[] = {
        {[](KeyActionTest& t) { t.PollAt(960, 0); }, " ^16 ^18 v66 ^66"},
        {[](KeyActionTest& t) { t.engine->RunAction(kBuiltInActionCount + 1, false, nullptr); }, " ^16 ^18 v66 ^66"},
        {[](KeyActionTest& t) { t.engine->SetEnabled(false); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine->Stop(); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine.reset(); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine->SettingsChanged(); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine->ReleaseHeldKeys(); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine->SessionChanged(WTS_SESSION_LOCK); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine->SessionChanged(WTS_CONSOLE_DISCONNECT); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine->SessionChanged(WTS_REMOTE_DISCONNECT); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine->SessionChanged(WTS_SESSION_LOGOFF); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.engine->PowerChanged(PBT_APMSUSPEND); }, " ^16 ^18"},
        {[](KeyActionTest& t) { t.PollUnreadable(); }, " ^16 ^18"},
        {[](KeyActionTest& t) { EXPECT_TRUE(t.engine->KeyReachesVorn(WM_SYSKEYDOWN, 'A')); }, " ^16 ^18"},
    };
    for (const auto& [end, typed] : ends) {
        theData.enabled = true;
        Restart();
        Assign(Plain, UpperLeftCorner, Define(0, L"Alt+Shift+Tab", L"", true));
        PollAt(0, 0);
        Typed();
        end(*this);
        EXPECT_EQ(Typed(), typed);
        EXPECT_EQ(KeysDown(), 0);
        if (!engine) continue;
        EXPECT_FALSE(engine->HeldKeys());
        engine->ReleaseHeldKeys();
        PollAt(960, 540);
        EXPECT_EQ(Typed().find(" ^18"), std::string::npos);
    }
    engine->SetEnabled(true);
    EXPECT_TRUE(theData.enabled);
}

// A floating button holds the keys while pressed; its release ends what the
// press began, whatever modifier the held keys make the button read.
TEST_F(KeyActionTest, AButtonHoldsWhilePressed)
{
    const ActionIndex held = Define(0, L"Ctrl+Shift+T", L"Alt+F4", true);
    const ActionIndex ctrlAction = Define(1, L"", L"", false, L"other.exe");
    engine->RunAction(held, false, nullptr);
    EXPECT_EQ(Typed(), " v17 v16 v84 ^84");
    engine->RunAction(ctrlAction, true, nullptr);
    EXPECT_EQ(Typed(), " ^16 ^17 v18 v115 ^115 v232 ^232 ^18");
    EXPECT_TRUE(desktop.launches.empty());
    engine->RunAction(ctrlAction, true, nullptr);  // nothing held: the one asked for
    EXPECT_EQ(desktop.launches.size(), 1u);
}

// The main window hears of the session for as long as the engine runs.
TEST_F(KeyActionTest, TheSessionIsToldToTheMainWindowUntilTheEngineStops)
{
    desktop.sessionNotified.clear();
    Restart();
    EXPECT_EQ(desktop.sessionNotified, std::vector<HWND>{mainWindow});
    engine->Stop();
    EXPECT_TRUE(desktop.sessionNotified.empty());
}

// Back from a lock, a disconnect or sleep, the pointer may rest in a zone it
// was in before or was moved to meanwhile: that zone fires only once the
// pointer has left it and come back. Nothing fires while the session is away.
TEST_F(KeyActionTest, AfterTheSessionComesBackTheZoneUnderThePointerWaitsUntilLeft)
{
    const struct {
        void (CEdgeEngine::*notify)(WPARAM);
        WPARAM away, back;
    } returns[] = {
        {&CEdgeEngine::SessionChanged, WTS_SESSION_LOCK, WTS_SESSION_UNLOCK},
        {&CEdgeEngine::SessionChanged, WTS_CONSOLE_DISCONNECT, WTS_CONSOLE_CONNECT},
        {&CEdgeEngine::SessionChanged, WTS_REMOTE_DISCONNECT, WTS_REMOTE_CONNECT},
        {&CEdgeEngine::PowerChanged, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC},
        {&CEdgeEngine::PowerChanged, PBT_APMSUSPEND, PBT_APMRESUMESUSPEND},
    };
    constexpr const char* kAltTab = " v18 v9 ^9 v232 ^232";
    for (const auto& r : returns) {
        // Resting in the corner all along, or moved into it while away.
        for (const bool restedThere : {true, false}) {
            Restart();
            Assign(Plain, UpperLeftCorner, Define(0, L"Alt+Tab", L"", true));
            Assign(Plain, LowerRightCorner, Define(1, L"Ctrl+C", L""));
            PollAt(restedThere ? 0 : 960, restedThere ? 0 : 540);
            Typed();
            ((*engine).*r.notify)(r.away);
            EXPECT_EQ(KeysDown(), 0);
            PollAt(1919, 1079);  // what the pointer does while away fires nothing
            PollAt(0, 0);
            EXPECT_EQ(Typed(), restedThere ? " ^18" : "");
            ((*engine).*r.notify)(r.back);
            PollAt(0, 0);
            PollAt(0, 0);
            EXPECT_EQ(Typed(), "");
            EXPECT_EQ(KeysDown(), 0);
            PollAt(960, 540);
            EXPECT_EQ(Typed(), "");
            PollAt(0, 0);
            EXPECT_EQ(Typed(), kAltTab);
            // Other zones answer at once.
            PollAt(1919, 1079);
            EXPECT_EQ(Typed(), " ^18 v17 v67 ^67 ^17");
        }
    }
}

// A key pressed in a Vorn window while a corner holds keys: the user's own
// key lets them go and goes no further, as it came with Vorn's modifiers
// down; the held keys' own (typed by Vorn into its window in front), any
// modifier, key releases and characters pass as they are.
TEST_F(KeyActionTest, AKeyTypedIntoVornWhileKeysAreHeldLetsThemGoAndIsDropped)
{
    const struct {
        bool holding;
        UINT message;
        WPARAM key;
        bool dropped;
    } cases[] = {
        {true, WM_KEYDOWN, 'A', true},
        {true, WM_SYSKEYDOWN, 'A', true},
        {true, WM_KEYDOWN, VK_LEFT, true},
        {true, WM_SYSKEYDOWN, VK_TAB, false},
        {true, WM_KEYDOWN, VK_SHIFT, false},
        {true, WM_KEYDOWN, VK_CONTROL, false},
        {true, WM_KEYDOWN, kMaskKey, false},
        {true, WM_KEYUP, 'A', false},
        {true, WM_SYSCHAR, 'a', false},
        {true, WM_CHAR, 'a', false},
        {false, WM_KEYDOWN, 'A', false},
    };
    for (const auto& c : cases) {
        Restart();
        Assign(Plain, UpperLeftCorner, Define(0, L"Alt+Tab", L"", true));
        PollAt(c.holding ? 0 : 960, c.holding ? 0 : 540);
        Typed();
        EXPECT_EQ(engine->KeyReachesVorn(c.message, c.key), c.dropped) << c.message << " " << c.key;
        EXPECT_EQ(Typed(), c.dropped ? " ^18" : "");
        EXPECT_EQ(engine->HeldKeys().has_value(), c.holding && !c.dropped);
        PollAt(960, 540);
    }
}

// --- the settings file, copies and deletion, the editor ---------------------------------

std::string Crlf(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
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

TEST_F(KeyActionFileTest, KeysByteForByteBesideTheCommandLinesAndOnlyForKeyActions)
{
    fake::FillFullSettings();
    theData.SaveSettings();
    const std::string without = Saved();
    EXPECT_EQ(without.find("Keys"), std::string::npos);
    theData.LoadSettings();
    theData.SaveSettings();
    EXPECT_EQ(Saved(), without);

    theData.ResetToDefaults();
    theCustomActions.Clear();
    theCustomActions[0] = CCustomAction{L"Mail", L"Reads mail", L"mail.exe", L""};
    Define(1, L"Alt+Tab", L"", true);
    Define(2, L"Win+Shift+S", L"", false, L"log.exe");
    Define(3, L"", L"Media play pause");
    theData.SaveSettings();
    const std::string with = Saved();
    EXPECT_EQ(with.substr(with.find("[Custom actions]")), Crlf(R"([Custom actions]
Name 1=Mail
Description 1=Reads mail
ActionA 1=mail.exe
ActionB 1=

Name 2=Keys 1
Description 2=
ActionA 2=
ActionB 2=
KeysA 2=Alt+Tab
Hold keys 2=True

Name 3=Keys 2
Description 3=
ActionA 3=
ActionB 3=log.exe
KeysA 3=Win+Shift+S

Name 4=Keys 3
Description 4=
ActionA 4=
ActionB 4=
KeysB 4=Media play pause

)"));
    theData.LoadSettings();
    theData.SaveSettings();
    EXPECT_EQ(Saved(), with);
}

// By hand: keys take the phase's place and empty its command line; keys that
// cannot be read are told once, and the phase keeps its command line.
TEST_F(KeyActionFileTest, KeysWrittenByHand)
{
    Load(R"([Custom actions]
Name 1=Task manager
ActionA 1=taskmgr.exe
KeysA 1= ctrl + shift + escape 
Hold keys 1=true
Name 2=Held
KeysA 2=Alt+Tab
Hold keys 2=True
Name 3=Nothing to hold
ActionA 3=x.exe
Hold keys 3=True
Name 4=Snip
ActionA 4=snip.exe
KeysA 4=Win+Shiftt+S
KeysB 4=Ctrl+
)");
    EXPECT_EQ(theCustomActions[0].beginningKeys, Keys(L"Ctrl+Shift+Esc"));
    EXPECT_EQ(theCustomActions[0].beginningAction, L"");
    EXPECT_FALSE(theCustomActions[0].holdKeys);  // "true" is no "True"
    EXPECT_TRUE(theCustomActions[1].holdKeys);
    EXPECT_FALSE(theCustomActions[2].holdKeys);
    EXPECT_TRUE(theCustomActions[3].beginningKeys.Empty());
    EXPECT_EQ(theCustomActions[3].beginningAction, L"snip.exe");

    std::vector<FileProblem> told;
    theData.fileProblems.SetListener([&](const FileProblem& problem) { told.push_back(problem); });
    theData.LoadSettings();  // again in the same run: not told again
    ASSERT_EQ(told.size(), 1u);
    EXPECT_FALSE(told[0].saving);
    ASSERT_TRUE(told[0].keys);
    const FileProblemNotice notice = NoticeFor(told[0]);
    EXPECT_EQ(notice.title, L"Vorn cannot read some keys in its settings");
    EXPECT_NE(notice.text.find(L"\"Win+Shiftt+S\" for the custom action \"Snip\", and 1 more. Those actions"),
              std::wstring::npos);
    told[0].keys->text = std::wstring(300, L'k');
    told[0].keys->more = 0;
    EXPECT_LE(NoticeFor(told[0]).text.size(), 255u);
    EXPECT_NE(NoticeFor(told[0]).text.find(L"\u2026\" for the custom action \"Snip\". The action"), std::wstring::npos);
    // A failed save is still told.
    theData.settingsPath = folder.File(L"no such folder") + L"/Vorn.ini";
    theData.SaveSettings();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[1].saving);
}

// Keys that cannot be read stay in the file as the user wrote them, through
// saves, copies and the renumbering a deletion brings, and press nothing,
// until the user stores that action in the editor.
TEST_F(KeyActionFileTest, UnreadableKeysStayAsWrittenUntilTheUserChangesTheAction)
{
    const std::wstring texts[] = {L"Ctrl+Foo", L"Ctrl+\u00e9", L"0x1FF", L"Ctrl+",
                                  L"Ctrl+Shift+" + std::wstring(10000 - 11, L'K')};
    for (const std::wstring& text : texts) {
        SCOPED_TRACE(testing::PrintToString(text.substr(0, 20)));
        ResetGlobals();
        theData.settingsPath = folder.File(L"Vorn.ini");
        // A whole file as Vorn writes it, with the text in place of keys it
        // can read: the beginning of one action, held, the ending of another.
        theCustomActions[0] = CCustomAction{L"Mail", L"", L"mail.exe", L""};
        Define(1, L"Win+F1", L"", true);
        Define(2, L"", L"Win+F2", false, L"");
        theData.assignments[Plain][LowerRightCorner] = kBuiltInActionCount + 1;
        std::wstring wide = FormatSettingsFile();
        for (const std::wstring placeholder : {L"Win+F1", L"Win+F2"})
            wide.replace(wide.find(placeholder), placeholder.size(), text);
        const std::string file = EncodeSettingsText(wide);
        ASSERT_TRUE(fake::TempFolder::Write(theData.settingsPath, file));

        std::vector<FileProblem> told;
        theData.fileProblems.SetListener([&](const FileProblem& problem) { told.push_back(problem); });
        theData.LoadSettings();
        ASSERT_EQ(told.size(), 1u);  // told once, naming the first whole
        ASSERT_TRUE(told[0].keys);
        EXPECT_EQ(told[0].keys->text, text);
        EXPECT_EQ(told[0].keys->more, 1);
        desktop.keys.clear();
        desktop.launches.clear();
        CEdgeEngine engine;
        engine.Start(AddWindow(L"Vorn"));
        engine.RunAction(kBuiltInActionCount + 1, false, nullptr);
        engine.RunAction(kBuiltInActionCount + 2, true, nullptr);
        EXPECT_TRUE(desktop.keys.empty());
        EXPECT_TRUE(desktop.launches.empty());
        theData.SaveSettings();
        EXPECT_EQ(Saved(), file);

        // Carried like keys: copied, and renumbered when an action before goes.
        EXPECT_EQ(theCustomActions.DuplicateCustomAction(L"Keys 1"), L"Keys 1 copy 1");
        DeleteCustomAction(0);
        const auto saved = [&](const wchar_t* key) {
            return ProfileFile::FromBytes(Saved()).Get(L"Custom actions", key, L"(none)");
        };
        EXPECT_EQ(saved(L"KeysA 1"), text);
        EXPECT_EQ(saved(L"Hold keys 1"), L"True");
        EXPECT_EQ(saved(L"KeysB 2"), text);
        EXPECT_EQ(saved(L"Name 3"), L"Keys 1 copy 1");
        EXPECT_EQ(saved(L"KeysA 3"), text);

        // Stored in the editor, as it builds the fields: its keys replace the
        // text, or its command line does.
        CCustomAction recorded{L"Keys 1", L"", L"", L""};
        recorded.beginningKeys = Keys(L"Ctrl+B");
        ASSERT_EQ(SaveCustomActionEdit(L"Keys 1", recorded), CustomEditError::None);
        CCustomAction commandLine{L"Keys 2", L"", L"", L"end.exe"};
        ASSERT_EQ(SaveCustomActionEdit(L"Keys 2", commandLine), CustomEditError::None);
        theData.SaveSettings();
        EXPECT_EQ(saved(L"KeysA 1"), L"Ctrl+B");
        EXPECT_EQ(saved(L"Hold keys 1"), L"(none)");
        EXPECT_EQ(saved(L"KeysB 2"), L"(none)");
        EXPECT_EQ(saved(L"ActionB 2"), L"end.exe");
        EXPECT_EQ(saved(L"KeysA 3"), text);  // the copy nobody changed
    }
}

TEST_F(KeyActionFileTest, CopiesCarryTheKeysAndDeletionMovesThemWithTheirAction)
{
    theCustomActions[0] = CCustomAction{L"A", L"", L"a.exe", L""};
    Define(1, L"Win+V", L"");
    Define(2, L"Alt+Tab", L"Esc", true);
    theData.assignments[Plain][LowerRightCorner] = kBuiltInActionCount + 2;
    EXPECT_EQ(theCustomActions.DuplicateCustomAction(L"Keys 2"), L"Keys 2 copy 1");
    DeleteCustomAction(1);
    for (const int slot : {1, 2}) {
        EXPECT_EQ(theCustomActions[slot].beginningKeys, Keys(L"Alt+Tab"));
        EXPECT_EQ(theCustomActions[slot].endingKeys, Keys(L"Esc"));
        EXPECT_TRUE(theCustomActions[slot].holdKeys);
    }
    EXPECT_FALSE(theCustomActions[3].PressesKeys() || theCustomActions[3].holdKeys);
    EXPECT_EQ(theData.assignments[Plain][LowerRightCorner], kBuiltInActionCount + 1);
    const ProfileFile saved = ProfileFile::FromBytes(Saved());
    EXPECT_EQ(saved.Get(L"Custom actions", L"KeysA 3", L""), L"Alt+Tab");
    EXPECT_EQ(saved.Get(L"Custom actions", L"Hold keys 3", L""), L"True");
    EXPECT_EQ(saved.Get(L"Actions, Plain", L"Lower right corner", L""), L"Keys 2");
}

TEST_F(KeyActionFileTest, TheEditorTakesKeysForEitherPhase)
{
    const struct {
        const wchar_t *beginningCommand, *beginningKeys, *endingKeys;
        bool hold;
        CustomEditError error;
        bool holdStored;
    } cases[] = {
        {L"old.exe", L"Ctrl+Shift+Esc", L"", false, CustomEditError::None, false},  // keys replace the command line
        {L"", L"", L"Media play pause", true, CustomEditError::None, false},        // no beginning keys to hold
        {L"", L"Alt+Tab", L"", true, CustomEditError::None, true},
        {L"  ", L"", L"", true, CustomEditError::ActionRequired, false},
    };
    for (const auto& c : cases) {
        theCustomActions.Clear();
        CCustomAction fields{L"Mine", L"", c.beginningCommand, L""};
        fields.beginningKeys = Keys(c.beginningKeys);
        fields.endingKeys = Keys(c.endingKeys);
        fields.holdKeys = c.hold;
        EXPECT_EQ(SaveCustomActionEdit(L"", fields), c.error);
        const CCustomAction& stored = theCustomActions[0];
        EXPECT_EQ(stored.IsFree(), c.error != CustomEditError::None);
        if (stored.IsFree()) continue;
        EXPECT_EQ(stored.beginningAction, L"");
        EXPECT_EQ(stored.endingKeys, Keys(c.endingKeys));
        EXPECT_EQ(stored.holdKeys, c.holdStored);
    }
}

}  // namespace
}  // namespace vorn
