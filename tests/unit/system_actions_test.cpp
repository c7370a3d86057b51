// Screen saver, power, keystroke, wallpaper and misc actions against the
// simulated desktop, and every catalogue entry in both phases. The power and
// session calls reach only the simulated desktop, which logs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "actions/action_host.h"
#include "actions/background.h"
#include "actions/catalogue.h"
#include "actions/util.h"
#include "app/edge_engine.h"
#include "tests/fake/fixture.h"

namespace vorn {
namespace {

using fake::PowerCallKind;
using fake::ShowState;

// A host that records what handlers ask of the main window.
class RecordingHost final : public CActionHost {
public:
    void ChangeWallpaper(bool random) override { wallpaperChanges.push_back(random); }
    void OpenSettingsWindow() override
    {
        ++settingsOpened;
        foregroundWhenOpened = os::Windows().GetForegroundWindow();
    }
    HWND MainWindow() const override { return mainWindow; }

    std::vector<bool> wallpaperChanges;
    int settingsOpened = 0;
    HWND foregroundWhenOpened = nullptr;
    HWND mainWindow = nullptr;
};

void RunEntry(CActionHost& host, ActionIndex index, bool ending)
{
    host.ending = ending;
    theCatalogue[static_cast<std::size_t>(index)].handler(host);
    WaitForBackgroundWork();
}

class SystemActionsTest : public fake::DesktopTest {
protected:
    SystemActionsTest()
    {
        // Power handlers must only ever reach the simulated desktop.
        EXPECT_EQ(&os::Power(), static_cast<IPower*>(&desktop));
        window = AddWindow(L"Editor");
        desktop.SetForegroundWindow(window);
        host.targetWindow = window;
    }

    void Run(const wchar_t* name, bool ending = false)
    {
        const ActionIndex index = FindActionIndex(name);
        ASSERT_NE(index, kNoActionIndex) << testing::PrintToString(std::wstring(name));
        ASSERT_EQ(&os::Power(), static_cast<IPower*>(&desktop));
        RunEntry(host, index, ending);
    }

    RecordingHost host;
    HWND window = nullptr;
};

// --- Keystrokes ---

struct Key {
    BYTE key;
    bool up;
    bool operator==(const Key&) const = default;
};

void PrintTo(const Key& key, std::ostream* out) { *out << (key.up ? "up " : "down ") << static_cast<int>(key.key); }

std::vector<Key> Typed(const std::vector<fake::KeyEvent>& events)
{
    std::vector<Key> keys;
    for (const auto& event : events) {
        EXPECT_EQ(event.scanCode, 0);
        EXPECT_TRUE(event.flags == 0 || event.flags == KEYEVENTF_KEYUP) << event.flags;
        keys.push_back(Key{event.virtualKey, event.flags == KEYEVENTF_KEYUP});
    }
    return keys;
}

// A key as sent, with its extended-key flag.
struct SentKey {
    BYTE key;
    bool up;
    bool extended;
    bool operator==(const SentKey&) const = default;
};

void PrintTo(const SentKey& key, std::ostream* out)
{
    *out << (key.up ? "up " : "down ") << static_cast<int>(key.key) << (key.extended ? " extended" : "");
}

std::vector<SentKey> Sent(const std::vector<fake::KeyEvent>& events)
{
    std::vector<SentKey> keys;
    for (const auto& event : events) {
        EXPECT_EQ(event.scanCode, 0);
        EXPECT_EQ(event.flags & ~static_cast<DWORD>(KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY), 0u) << event.flags;
        keys.push_back(SentKey{event.virtualKey, (event.flags & KEYEVENTF_KEYUP) != 0,
                               (event.flags & KEYEVENTF_EXTENDEDKEY) != 0});
    }
    return keys;
}

// Modifiers down in order, the key down and up, the harmless key 232 while
// Alt is down (so that its release opens no menu bar), modifiers up in reverse.
std::vector<Key> Chord(std::vector<BYTE> modifiers, BYTE key)
{
    std::vector<Key> keys;
    for (BYTE modifier : modifiers)
        keys.push_back(Key{modifier, false});
    keys.push_back(Key{key, false});
    keys.push_back(Key{key, true});
    if (std::find(modifiers.begin(), modifiers.end(), BYTE{0x12}) != modifiers.end())
        keys.insert(keys.end(), {Key{232, false}, Key{232, true}});
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        keys.push_back(Key{*it, true});
    return keys;
}

TEST_F(SystemActionsTest, PreviousTabPressesCtrlShiftTabAndReleasesInReverse)
{
    Run(L"Previous tab");
    const std::vector<Key> expected{{0x11, false}, {0x10, false}, {0x09, false},
                                    {0x09, true},  {0x10, true},  {0x11, true}};
    EXPECT_EQ(Typed(desktop.keys), expected);
    // Nothing is left held down.
    for (BYTE key : {0x09, 0x10, 0x11})
        EXPECT_GE(desktop.GetAsyncKeyState(key), 0);
}

struct KeystrokeCase {
    const wchar_t* action;
    std::vector<BYTE> modifiers;
    BYTE key;
};

TEST_F(SystemActionsTest, KeystrokeActionsTypeTheirKeysOnlyOnEntering)
{
    const KeystrokeCase cases[] = {
        {L"Next page", {0x12}, 0x27},
        {L"Previous page", {0x12}, 0x25},
        {L"Next tab", {0x11}, 0x09},
        {L"Previous tab", {0x11, 0x10}, 0x09},
        {L"Close tab", {0x11}, 0x73},
        {L"Refresh", {}, 0x74},
        {L"Scroll up", {}, 0x26},
        {L"Scroll down", {}, 0x28},
        {L"Scroll page up", {}, 0x21},
        {L"Scroll page down", {}, 0x22},
        {L"Full screen toggle", {}, 0x7A},
        {L"Zoom in", {0x11}, 0xBB},
        {L"Zoom out", {0x11}, 0xBD},
        {L"Home", {0x12}, 0x24},
        {L"Add to favorites", {0x11}, 0x44},
        {L"Cut", {0x11}, 0x58},
        {L"Copy", {0x11}, 0x43},
        {L"Paste", {0x11}, 0x56},
        {L"Copy screen to clipboard", {}, 0x2C},
        {L"Copy window to clipboard", {0x12}, 0x2C},
        {L"Close document", {0x11}, 0x73},
        {L"Save document", {0x11}, 0x53},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.action)));
        desktop.keys.clear();
        Run(c.action);
        EXPECT_EQ(Typed(desktop.keys), Chord(c.modifiers, c.key));
        desktop.keys.clear();
        Run(c.action, true);
        EXPECT_TRUE(desktop.keys.empty());
    }
}

// A Win combination ends with the harmless key 232 before Win goes up, so
// that the Start menu stays shut; Win alone opens it.
TEST_F(SystemActionsTest, WindowsAndMediaActionsSendTheirKeysWithTheExtendedFlagWhereAKeyboardDoes)
{
    constexpr BYTE kWin = 0x5B, kCtrl = 0x11;
    constexpr SentKey kGuardDown{232, false, false}, kGuardUp{232, true, false};
    const struct {
        const wchar_t* action;
        std::vector<SentKey> keys;
    } cases[] = {
        {L"Task view", {{kWin, false, true}, {0x09, false, false}, {0x09, true, false}, kGuardDown, kGuardUp, {kWin, true, true}}},
        {L"Start menu", {{kWin, false, true}, {kWin, true, true}}},
        {L"Search", {{kWin, false, true}, {'S', false, false}, {'S', true, false}, kGuardDown, kGuardUp, {kWin, true, true}}},
        {L"Action center", {{kWin, false, true}, {'A', false, false}, {'A', true, false}, kGuardDown, kGuardUp, {kWin, true, true}}},
        {L"File Explorer", {{kWin, false, true}, {'E', false, false}, {'E', true, false}, kGuardDown, kGuardUp, {kWin, true, true}}},
        {L"Next desktop",
         {{kCtrl, false, false}, {kWin, false, true}, {0x27, false, true}, {0x27, true, true}, kGuardDown, kGuardUp, {kWin, true, true},
          {kCtrl, true, false}}},
        {L"Previous desktop",
         {{kCtrl, false, false}, {kWin, false, true}, {0x25, false, true}, {0x25, true, true}, kGuardDown, kGuardUp, {kWin, true, true},
          {kCtrl, true, false}}},
        {L"New desktop",
         {{kCtrl, false, false}, {kWin, false, true}, {'D', false, false}, {'D', true, false}, kGuardDown, kGuardUp, {kWin, true, true},
          {kCtrl, true, false}}},
        {L"Play/pause", {{0xB3, false, true}, {0xB3, true, true}}},
        {L"Next track", {{0xB0, false, true}, {0xB0, true, true}}},
        {L"Previous track", {{0xB1, false, true}, {0xB1, true, true}}},
        {L"Mute", {{0xAD, false, true}, {0xAD, true, true}}},
        {L"Volume up", {{0xAF, false, true}, {0xAF, true, true}}},
        {L"Volume down", {{0xAE, false, true}, {0xAE, true, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.action)));
        desktop.keys.clear();
        Run(c.action);
        EXPECT_EQ(Sent(desktop.keys), c.keys);
        desktop.keys.clear();
        Run(c.action, true);
        EXPECT_TRUE(desktop.keys.empty());
        for (const SentKey& key : c.keys)
            EXPECT_GE(desktop.GetAsyncKeyState(key.key), 0) << "left down: " << static_cast<int>(key.key);
    }
}

TEST_F(SystemActionsTest, FullScreenMomentarySendsF11OnEnteringAndAgainOnLeaving)
{
    Run(L"Full screen momentary");
    EXPECT_EQ(Typed(desktop.keys), Chord({}, 0x7A));
    Run(L"Full screen momentary", true);
    std::vector<Key> twice = Chord({}, 0x7A);
    twice.insert(twice.end(), twice.begin(), twice.end());
    EXPECT_EQ(Typed(desktop.keys), twice);
}

TEST_F(SystemActionsTest, KeystrokesIgnoreTheTarget)
{
    host.targetWindow = nullptr;
    Run(L"Copy");
    EXPECT_EQ(Typed(desktop.keys), Chord({0x11}, 0x43));
}

// --- Power and session ---

TEST_F(SystemActionsTest, ShutdownEnablesThePrivilegeThenExits)
{
    struct ExitCase {
        const wchar_t* action;
        std::uint64_t flags;
    };
    const ExitCase cases[] = {{L"Log off", 0}, {L"Shutdown", 1}, {L"Restart", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.action)));
        desktop.power.clear();
        Run(c.action);
        ASSERT_EQ(desktop.power.size(), 1u);
        EXPECT_EQ(desktop.power[0].kind, PowerCallKind::ExitWindowsEx);
        EXPECT_EQ(desktop.power[0].arguments[0], c.flags);
        EXPECT_EQ(desktop.power[0].arguments[1], 0x80000000u);
        EXPECT_EQ(desktop.openTokens, 0);  // the token was closed
    }
}

TEST_F(SystemActionsTest, ShutdownStopsWhenTheTokenCannotBeOpened)
{
    desktop.openProcessTokenResult = FALSE;
    Run(L"Shutdown");
    EXPECT_TRUE(desktop.power.empty());
    EXPECT_EQ(desktop.openTokens, 0);
}

TEST_F(SystemActionsTest, ShutdownNeedsTheOpenToReturnExactlyOne)
{
    // Any other true value stops it too, and the handle given is still closed.
    desktop.openProcessTokenResult = 2;
    Run(L"Restart");
    EXPECT_TRUE(desktop.power.empty());
    EXPECT_EQ(desktop.openTokens, 0);
}

TEST_F(SystemActionsTest, ShutdownStopsWhenThePrivilegeIsNotGranted)
{
    desktop.adjustPrivilegesError = 1300;  // ERROR_NOT_ALL_ASSIGNED
    for (const wchar_t* action : {L"Log off", L"Shutdown", L"Restart"})
        Run(action);
    EXPECT_TRUE(desktop.power.empty());
    EXPECT_EQ(desktop.openTokens, 0);
}

TEST_F(SystemActionsTest, SleepLockAndSwitchUserCallTheSystemOnEntering)
{
    Run(L"Hibernate");
    Run(L"Suspend");
    Run(L"Lock computer");
    Run(L"Switch user");
    for (const wchar_t* action :
         {L"Hibernate", L"Suspend", L"Lock computer", L"Switch user", L"Log off", L"Shutdown", L"Restart"})
        Run(action, true);
    ASSERT_EQ(desktop.power.size(), 4u);
    EXPECT_EQ(desktop.power[0].kind, PowerCallKind::SetSuspendState);
    EXPECT_EQ(desktop.power[0].arguments, (std::array<std::uint64_t, 3>{1, 0, 0}));
    EXPECT_EQ(desktop.power[1].kind, PowerCallKind::SetSuspendState);
    EXPECT_EQ(desktop.power[1].arguments, (std::array<std::uint64_t, 3>{0, 0, 0}));
    EXPECT_EQ(desktop.power[2].kind, PowerCallKind::LockWorkStation);
    EXPECT_EQ(desktop.power[3].kind, PowerCallKind::WTSDisconnectSession);
    EXPECT_EQ(desktop.power[3].arguments[0], 0xFFFFFFFFu);  // the current session
    EXPECT_EQ(desktop.power[3].arguments[1], 0u);           // no waiting
}

// --- Monitor power ---

TEST_F(SystemActionsTest, MonitorOffWaitsHalfASecondThenBroadcastsWithATimeout)
{
    std::size_t broadcastsDuringTheWait = 99;
    desktop.onSleep = [&](DWORD) { broadcastsDuringTheWait = desktop.sentWithTimeout.size(); };
    Run(L"Monitor off");
    EXPECT_EQ(desktop.sleeps, std::vector<DWORD>{500});
    EXPECT_EQ(broadcastsDuringTheWait, 0u);
    ASSERT_EQ(desktop.sentWithTimeout.size(), 1u);
    const auto& broadcast = desktop.sentWithTimeout[0];
    EXPECT_EQ(broadcast.window, HWND_BROADCAST);
    EXPECT_EQ(broadcast.message, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(broadcast.wParam, 0xF170u);
    EXPECT_EQ(broadcast.lParam, 2);
    EXPECT_EQ(broadcast.flags, static_cast<UINT>(SMTO_ABORTIFHUNG));
    EXPECT_GT(broadcast.timeoutMs, 0u);
    EXPECT_LE(broadcast.timeoutMs, 5000u);
    EXPECT_TRUE(desktop.sent.empty());  // never an unbounded SendMessageW
}

TEST_F(SystemActionsTest, MonitorPowerTurnsTheMonitorBackOnAtOnceWhenLeaving)
{
    for (const auto& [action, state] : {std::pair{L"Monitor off", 2}, std::pair{L"Monitor low power", 1}}) {
        SCOPED_TRACE(state);
        desktop.sleeps.clear();
        desktop.sentWithTimeout.clear();
        Run(action);
        Run(action, true);
        EXPECT_EQ(desktop.sleeps, std::vector<DWORD>{500});  // only before entering's broadcast
        ASSERT_EQ(desktop.sentWithTimeout.size(), 2u);
        EXPECT_EQ(desktop.sentWithTimeout[0].lParam, state);
        EXPECT_EQ(desktop.sentWithTimeout[1].lParam, -1);
        EXPECT_EQ(desktop.sentWithTimeout[1].window, HWND_BROADCAST);
        EXPECT_EQ(desktop.sentWithTimeout[1].flags, static_cast<UINT>(SMTO_ABORTIFHUNG));
    }
}

TEST_F(SystemActionsTest, MonitorPowerReturnsAtOnceAndKeepsTheOrderOfItsBroadcasts)
{
    // Windows that are slow to answer hold the broadcast, never the caller.
    std::atomic<bool> callerFree{false};
    std::vector<bool> callerFreeAtEachSend;  // written by the worker only
    desktop.onSendWithTimeout = [&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!callerFree && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        callerFreeAtEachSend.push_back(callerFree);
    };
    const auto& handler = theCatalogue[static_cast<std::size_t>(FindActionIndex(L"Monitor off"))].handler;
    host.ending = false;
    handler(host);
    host.ending = true;  // left again before the half-second wait is over
    handler(host);
    callerFree = true;
    WaitForBackgroundWork();

    EXPECT_EQ(callerFreeAtEachSend, (std::vector<bool>{true, true}));
    EXPECT_EQ(desktop.sleeps, std::vector<DWORD>{500});
    ASSERT_EQ(desktop.sentWithTimeout.size(), 2u);
    EXPECT_EQ(desktop.sentWithTimeout[0].lParam, 2);
    EXPECT_EQ(desktop.sentWithTimeout[1].lParam, -1);
}

// --- Screen saver ---

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

TEST_F(SystemActionsTest, ScreenSaverOnLaunchesTheConfiguredScreenSaver)
{
    desktop.SetRegistryValue(kDesktopKey, L"SCRNSAVE.EXE", L"C:\\Windows\\system32\\Ribbons.scr");
    Run(L"Screen saver on");
    Run(L"Screen saver on", true);
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].owner, nullptr);
    EXPECT_EQ(desktop.launches[0].verb, L"open");
    EXPECT_EQ(desktop.launches[0].file, L"C:\\Windows\\system32\\Ribbons.scr");
    EXPECT_EQ(desktop.launches[0].parameters, L"");
    EXPECT_EQ(desktop.launches[0].directory, L"");
    EXPECT_EQ(desktop.launches[0].show, SW_SHOW);
    EXPECT_EQ(desktop.openRegistryKeys, 0);
}

TEST_F(SystemActionsTest, ScreenSaverOnDoesNothingWithoutTheValueOrTheKey)
{
    Run(L"Screen saver on");  // no key
    desktop.SetRegistryValue(kDesktopKey, L"Wallpaper", L"C:\\a.bmp");
    Run(L"Screen saver on");  // key without the value
    EXPECT_TRUE(desktop.launches.empty());
    EXPECT_EQ(desktop.openRegistryKeys, 0);
}

TEST_F(SystemActionsTest, ScreenSaverOnReadsPathsUpTo259Characters)
{
    const std::wstring longest = L"C:\\" + std::wstring(252, L'x') + L".scr";
    ASSERT_EQ(longest.size(), 259u);
    desktop.SetRegistryValue(kDesktopKey, L"SCRNSAVE.EXE", longest);
    Run(L"Screen saver on");
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].file, longest);

    // One more does not fit the 520 bytes read: nothing runs.
    desktop.SetRegistryValue(kDesktopKey, L"SCRNSAVE.EXE", longest + L"x");
    Run(L"Screen saver on");
    EXPECT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.openRegistryKeys, 0);
}

struct ScreenSaverCase {
    const wchar_t* action;
    bool ending;
    std::vector<UINT> values;  // the uiParam of each SPI_SETSCREENSAVEACTIVE
};

TEST_F(SystemActionsTest, ScreenSaverSwitchesChangeOnlyTheSession)
{
    const ScreenSaverCase cases[] = {
        {L"Screen saver disable momentary", false, {0}},
        {L"Screen saver disable momentary", true, {1}},
        {L"Screen saver disable persistent", false, {0}},
        {L"Screen saver disable persistent", true, {}},
        {L"Screen saver enable", false, {1}},
        {L"Screen saver enable", true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.action)) + (c.ending ? " ending" : " beginning"));
        desktop.systemParameters.clear();
        Run(c.action, c.ending);
        std::vector<UINT> values;
        for (const auto& call : desktop.systemParameters) {
            EXPECT_EQ(call.action, static_cast<UINT>(SPI_SETSCREENSAVEACTIVE));
            EXPECT_EQ(call.winIni, 0u);
            values.push_back(call.uiParam);
        }
        EXPECT_EQ(values, c.values);
    }
}

TEST_F(SystemActionsTest, ScreenSaverDisableMomentaryEnablesOnLeavingWhateverItWasBefore)
{
    desktop.screenSaverActive = false;
    Run(L"Screen saver disable momentary");
    EXPECT_FALSE(desktop.screenSaverActive);
    Run(L"Screen saver disable momentary", true);
    EXPECT_TRUE(desktop.screenSaverActive);
}

// --- Wallpaper ---

TEST_F(SystemActionsTest, ToggleWallpaperTwiceRemovesTheWallpaperAndPutsItBack)
{
    desktop.wallpaper = L"C:\\Walls\\lake.jpg";
    desktop.AdvanceTime(5000);
    Run(L"Toggle wallpaper");
    EXPECT_EQ(desktop.wallpaper, L"");
    EXPECT_EQ(host.savedWallpaper, L"C:\\Walls\\lake.jpg");
    EXPECT_EQ(host.wallpaperChangedAt, desktop.Time64());

    desktop.AdvanceTime(5000);
    Run(L"Toggle wallpaper");
    EXPECT_EQ(desktop.wallpaper, L"C:\\Walls\\lake.jpg");
    EXPECT_EQ(host.wallpaperChangedAt, desktop.Time64());

    ASSERT_EQ(desktop.systemParameters.size(), 2u);
    EXPECT_EQ(desktop.systemParameters[0].action, static_cast<UINT>(SPI_SETDESKWALLPAPER));
    EXPECT_EQ(desktop.systemParameters[0].text, L"");
    EXPECT_EQ(desktop.systemParameters[0].winIni, 0u);
    EXPECT_EQ(desktop.systemParameters[1].text, L"C:\\Walls\\lake.jpg");
    EXPECT_EQ(desktop.systemParameters[1].winIni, 0u);
    EXPECT_TRUE(host.wallpaperChanges.empty());
}

TEST_F(SystemActionsTest, ToggleWallpaperWithNothingToShowChangesNothingTwice)
{
    for (int run = 0; run < 2; ++run) {
        desktop.AdvanceTime(3000);
        Run(L"Toggle wallpaper");
        EXPECT_EQ(desktop.wallpaper, L"");
        EXPECT_EQ(host.savedWallpaper, L"");
        EXPECT_EQ(host.wallpaperChangedAt, desktop.Time64());
    }
    EXPECT_TRUE(desktop.systemParameters.empty());
}

TEST_F(SystemActionsTest, ToggleWallpaperWithNoneShowingPicksTheNextFromTheFolders)
{
    theData.wallpaperFiles = {L"C:\\Walls\\a.bmp", L"C:\\Walls\\b.jpg"};
    Run(L"Toggle wallpaper");
    EXPECT_EQ(desktop.wallpaper, L"C:\\Walls\\a.bmp");
    EXPECT_EQ(host.savedWallpaper, L"C:\\Walls\\a.bmp");
}

TEST_F(SystemActionsTest, ToggleWallpaperDoesNothingWhenLeaving)
{
    desktop.wallpaper = L"C:\\Walls\\lake.jpg";
    Run(L"Toggle wallpaper", true);
    EXPECT_EQ(desktop.wallpaper, L"C:\\Walls\\lake.jpg");
    EXPECT_EQ(host.savedWallpaper, L"");
    EXPECT_EQ(host.wallpaperChangedAt, 0);
}

TEST_F(SystemActionsTest, CycleAndRandomWallpaperAskTheMainWindowOnEntering)
{
    Run(L"Cycle wallpaper");
    Run(L"Random wallpaper");
    Run(L"Cycle wallpaper", true);
    Run(L"Random wallpaper", true);
    EXPECT_EQ(host.wallpaperChanges, (std::vector<bool>{false, true}));
}

TEST_F(SystemActionsTest, CycleAndRandomRestartTheWallpaperDelayEvenWhenNothingChanges)
{
    // One file, already showing: nothing different to show.
    desktop.wallpaper = L"C:\\Walls\\only.bmp";
    theData.wallpaperFiles = {L"C:\\Walls\\only.bmp"};
    CEdgeEngine engine;
    engine.targetWindow = window;
    for (const wchar_t* action : {L"Cycle wallpaper", L"Random wallpaper"}) {
        desktop.AdvanceTime(60'000);
        RunEntry(engine, FindActionIndex(action), false);
        EXPECT_EQ(engine.wallpaperChangedAt, desktop.Time64());
    }
    EXPECT_TRUE(desktop.systemParameters.empty());

    theData.wallpaperFiles.push_back(L"C:\\Walls\\other.jpg");
    RunEntry(engine, FindActionIndex(L"Cycle wallpaper"), false);
    EXPECT_EQ(desktop.wallpaper, L"C:\\Walls\\other.jpg");
}

// --- Misc ---

TEST_F(SystemActionsTest, CloseWindowPostsCloseToTheTargetOnEntering)
{
    Run(L"Close window");
    Run(L"Close window", true);
    host.targetWindow = nullptr;
    Run(L"Close window");
    ASSERT_EQ(desktop.posted.size(), 1u);
    EXPECT_EQ(desktop.posted[0].window, window);
    EXPECT_EQ(desktop.posted[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(desktop.posted[0].wParam, 0u);
    EXPECT_EQ(desktop.posted[0].lParam, 0);
}

TEST_F(SystemActionsTest, SoundVolumeLaunchesTheMixerOfTheWindowsVersion)
{
    struct VersionCase {
        DWORD major;
        const wchar_t* program;
    };
    for (const auto& c : {VersionCase{10, L"sndvol"}, VersionCase{6, L"sndvol"}, VersionCase{5, L"sndvol32"}}) {
        desktop.version.dwMajorVersion = c.major;
        theUtil.Resolve();
        desktop.launches.clear();
        Run(L"Sound volume");
        Run(L"Sound volume", true);
        ASSERT_EQ(desktop.launches.size(), 1u) << c.major;
        EXPECT_EQ(desktop.launches[0].verb, L"open");
        EXPECT_EQ(desktop.launches[0].file, c.program) << c.major;
        EXPECT_EQ(desktop.launches[0].parameters, L"");
        EXPECT_EQ(desktop.launches[0].show, SW_SHOW);
    }
}

TEST_F(SystemActionsTest, VornSettingsOpensTheSettingsWindowThenBringsItToTheFront)
{
    host.mainWindow = AddWindow(L"Vorn");
    desktop.SetForegroundWindow(window);
    Run(L"Vorn settings", true);
    EXPECT_EQ(host.settingsOpened, 0);
    Run(L"Vorn settings");
    EXPECT_EQ(host.settingsOpened, 1);
    EXPECT_EQ(host.foregroundWhenOpened, window);
    EXPECT_EQ(desktop.foreground, host.mainWindow);
}

// --- Every catalogue entry in both phases ---

enum class PhaseClass {
    BeginningOnly,
    Momentary,     // the ending undoes the beginning
    SameEachTime,  // the ending repeats the beginning
    Nothing,
};

PhaseClass PhaseClassOf(ActionIndex index)
{
    static const std::set<ActionIndex> momentary{1, 4, 5, 13, 16, 53, 55, 58, 60, 75};
    static const std::set<ActionIndex> sameEachTime{17, 19, 21, 22, 23, 57, 73};
    if (momentary.count(index)) return PhaseClass::Momentary;
    if (sameEachTime.count(index)) return PhaseClass::SameEachTime;
    if (index == kNoActionIndex) return PhaseClass::Nothing;
    return PhaseClass::BeginningOnly;
}

TEST(PhaseClassTable, BeginningOnlyEntriesAreTheRest)
{
    std::set<ActionIndex> beginningOnly{0, 2, 3, 6, 7, 8, 9, 10, 11, 12, 14, 15, 18, 20};
    for (ActionIndex i = 24; i <= 52; ++i)
        beginningOnly.insert(i);
    for (ActionIndex i : {54, 56, 59})
        beginningOnly.insert(i);
    for (ActionIndex i = 61; i <= 72; ++i)
        beginningOnly.insert(i);
    beginningOnly.insert(74);
    for (ActionIndex i = 76; i <= 93; ++i)
        beginningOnly.insert(i);
    for (ActionIndex i = 95; i <= 108; ++i)
        beginningOnly.insert(i);
    for (ActionIndex i = 0; i < kBuiltInActionCount; ++i)
        EXPECT_EQ(PhaseClassOf(i) == PhaseClass::BeginningOnly, beginningOnly.count(i) == 1) << i;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

// A desktop with something for every action to act on: a remembered minimized
// window, a sizable target that is not in front, a wallpaper, a screen saver.
// Each scene is a fresh desktop, so phases can be compared from the same start.
class Scene {
public:
    Scene()
    {
        desktop.Install();
        theCustomActions.Clear();
        theData.ResetToDefaults();
        theData.ComputeSideBands();
        theUtil.Resolve();
        tileTwoCount = 0;

        desktop.SetScreenSize(1280, 1040);
        desktop.workArea = RECT{0, 0, 1280, 1000};
        fake::WindowDesc desc;
        desc.title = L"Saved";
        desc.state = ShowState::Minimized;
        saved = desktop.AddWindow(desc);
        desc = fake::WindowDesc{};
        desc.title = L"Other";
        desc.rect = RECT{50, 60, 450, 360};
        other = desktop.AddWindow(desc);
        desc.title = L"Target";
        desc.rect = RECT{200, 150, 700, 550};
        target = desktop.AddWindow(desc);
        desc.title = L"Vorn";
        desc.rect = RECT{10, 10, 300, 200};
        host.mainWindow = desktop.AddWindow(desc);
        desktop.SetForegroundWindow(other);

        desktop.SetRegistryValue(kDesktopKey, L"SCRNSAVE.EXE", L"C:\\Windows\\system32\\Ribbons.scr");
        desktop.wallpaper = L"C:\\Walls\\lake.jpg";
        theData.wallpaperFiles = {L"C:\\Walls\\lake.jpg", L"C:\\Walls\\hill.bmp"};
        host.targetWindow = target;
        host.savedWindow = saved;
    }
    ~Scene() { UninstallPort(); }

    void Run(ActionIndex index, bool ending)
    {
        ASSERT_EQ(&os::Power(), static_cast<IPower*>(&desktop));
        RunEntry(host, index, ending);
    }

    std::string Name(HWND window) const
    {
        if (!window) return "null";
        if (window == HWND_BROADCAST) return "broadcast";
        const fake::FakeWindow* found = desktop.Find(window);
        return found ? "'" + Narrow(found->title) + "'" : "unknown";
    }

    // Everything a handler could change, as text that gtest can diff.
    std::string Snapshot() const
    {
        std::ostringstream out;
        for (HWND handle : desktop.ZOrder()) {
            const fake::FakeWindow& w = *desktop.Find(handle);
            out << "window " << Name(handle) << " rect " << w.rect.left << "," << w.rect.top << "," << w.rect.right
                << "," << w.rect.bottom << " normal " << w.restoreRect.left << "," << w.restoreRect.top << ","
                << w.restoreRect.right << "," << w.restoreRect.bottom << " state " << static_cast<int>(w.state)
                << " visible " << w.visible << " style " << w.style << " ex " << w.exStyle << " alphas";
            for (BYTE alpha : w.alphaHistory)
                out << " " << static_cast<int>(alpha);
            out << "\n";
        }
        out << "foreground " << Name(desktop.foreground) << "\n";
        out << "wallpaper " << Narrow(desktop.wallpaper) << "\nscreen saver " << desktop.screenSaverActive << "\n";
        for (const auto& launch : desktop.launches)
            out << "launch " << Narrow(launch.verb) << " " << Narrow(launch.file) << " " << launch.show << "\n";
        for (const auto& message : desktop.posted)
            out << "posted " << Name(message.window) << " " << message.message << " " << message.wParam << "\n";
        for (const auto& message : desktop.sent)
            out << "sent " << Name(message.window) << " " << message.message << " " << message.wParam << "\n";
        for (const auto& message : desktop.sentWithTimeout)
            out << "sent with timeout " << Name(message.window) << " " << message.message << " " << message.wParam
                << " " << message.lParam << "\n";
        for (const auto& key : desktop.keys)
            out << "key " << static_cast<int>(key.virtualKey) << " " << key.flags << "\n";
        for (const auto& click : desktop.mouse)
            out << "mouse " << click.flags << "\n";
        for (const auto& call : desktop.systemParameters)
            out << "system parameter " << call.action << " " << call.uiParam << " " << Narrow(call.text) << "\n";
        for (const auto& call : desktop.power)
            out << "power " << static_cast<int>(call.kind) << " " << call.arguments[0] << "\n";
        for (DWORD ms : desktop.sleeps)
            out << "sleep " << ms << "\n";
        out << "open keys " << desktop.openRegistryKeys << " open tokens " << desktop.openTokens << "\n";
        out << "target " << Name(host.targetWindow) << " saved " << Name(host.savedWindow) << " saved wallpaper "
            << Narrow(host.savedWallpaper) << " changed at " << host.wallpaperChangedAt << "\n";
        for (bool random : host.wallpaperChanges)
            out << "change wallpaper " << (random ? "random" : "in sequence") << "\n";
        out << "settings opened " << host.settingsOpened << " tile two " << tileTwoCount << "\n";
        return out.str();
    }

    fake::FakeDesktop desktop;
    RecordingHost host;
    HWND saved = nullptr;
    HWND other = nullptr;
    HWND target = nullptr;
};

// The snapshot of a fresh scene after running one phase of an entry.
std::string AfterPhase(ActionIndex index, std::optional<bool> ending)
{
    const auto scene = std::make_unique<Scene>();
    if (ending) scene->Run(index, *ending);
    return scene->Snapshot();
}

class EveryEntryTest : public ::testing::TestWithParam<ActionIndex> {};

TEST_P(EveryEntryTest, ActsInThePhasesOfItsClass)
{
    const ActionIndex index = GetParam();
    const std::string untouched = AfterPhase(index, std::nullopt);
    const std::string entered = AfterPhase(index, false);
    const std::string left = AfterPhase(index, true);

    switch (PhaseClassOf(index)) {
    case PhaseClass::BeginningOnly:
        EXPECT_NE(entered, untouched);
        EXPECT_EQ(left, untouched);
        break;
    case PhaseClass::Momentary:
        EXPECT_NE(entered, untouched);
        EXPECT_NE(left, untouched);
        EXPECT_NE(left, entered);
        break;
    case PhaseClass::SameEachTime:
        EXPECT_NE(entered, untouched);
        EXPECT_EQ(left, entered);
        break;
    case PhaseClass::Nothing:
        EXPECT_EQ(entered, untouched);
        EXPECT_EQ(left, untouched);
        break;
    }
}

std::string EntryName(const testing::TestParamInfo<ActionIndex>& info)
{
    std::string name = std::to_string(info.param) + "_";
    for (const wchar_t* c = theCatalogue[static_cast<std::size_t>(info.param)].name; *c; ++c)
        if ((*c >= L'a' && *c <= L'z') || (*c >= L'A' && *c <= L'Z') || (*c >= L'0' && *c <= L'9'))
            name += static_cast<char>(*c);
    return name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryEntryTest, testing::Range(0, kBuiltInActionCount), EntryName);

}  // namespace
}  // namespace vorn
