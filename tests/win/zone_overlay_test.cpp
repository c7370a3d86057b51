// The zones drawn over the screen, on real windows: a window that never takes
// the activation or a click, over every zone, gone after Esc or a click; and
// the Settings page's boxes for the log and the wait.
#include <gtest/gtest.h>

#include <set>

#include "engine/monitors.h"
#include "platform/rect.h"
#include "settings/profile.h"
#include "tests/win/main_window_fixture.h"
#include "ui/settings_dlg.h"
#include "ui/zone_overlay.h"

namespace vorn::ui {
namespace {

class ZoneOverlayTest : public MainWindowTest {
protected:
    CSettingsDlg& SettingsPage(CMainDlg& main)
    {
        SwitchTab(main, CMainDlg::SettingsPage);
        return *static_cast<CSettingsDlg*>(main.Page(CMainDlg::SettingsPage));
    }
    static void Click(CSettingsDlg& page, int id) { SendMessageW(GetDlgItem(page.Handle(), id), BM_CLICK, 0, 0); }
    // Keys the test holds down, for the overlay's look at the keyboard.
    static void HoldDown(CZoneOverlay& overlay, const std::set<int>& keys)
    {
        overlay.keyDown = [keys](int key) { return keys.count(key) > 0; };
    }
};

bool Covers(const RECT& outer, const RECT& inner)
{
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// "Show zones": a layered, click-through, topmost tool window over every
// monitor and every zone, shown without taking the activation from the
// settings window, on the virtual screen and with corners on every monitor.
TEST_F(ZoneOverlayTest, ShowZonesCoversEveryZoneAndLeavesTheWindowInFrontInFront)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = SettingsPage(main);
    CZoneOverlay& overlay = page.ZoneOverlay();
    HoldDown(overlay, {});
    for (const bool everyMonitor : {false, true}) {
        theData.cornersOnEveryMonitor = everyMonitor;
        // The window manager settles first: a window of the test before may still be handing on the focus.
        PumpFor(500, kCheckEveryMs);
        const HWND front = GetForegroundWindow();
        const HWND active = GetActiveWindow();
        Click(page, IDC_SHOW_ZONES);
        PumpFor(50, kCheckEveryMs);
        ASSERT_TRUE(overlay.Shown()) << everyMonitor;
        const HWND window = overlay.Handle();
        const auto extended = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
        for (const DWORD style : std::initializer_list<DWORD>{WS_EX_LAYERED, WS_EX_TRANSPARENT, WS_EX_TOPMOST,
                                                              WS_EX_NOACTIVATE, WS_EX_TOOLWINDOW})
            EXPECT_EQ(extended & style, style) << std::hex << style;
        EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_POPUP | WS_CAPTION), static_cast<LONG>(WS_POPUP));
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
        EXPECT_EQ(flags & (LWA_COLORKEY | LWA_ALPHA), static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
        EXPECT_GT(alpha, 0);
        EXPECT_EQ(GetForegroundWindow(), front) << everyMonitor;
        EXPECT_EQ(GetActiveWindow(), active) << everyMonitor;
        EXPECT_NE(GetForegroundWindow(), window);

        RECT shown{};
        GetWindowRect(window, &shown);
        const MonitorList monitors = DisplayMonitors();
        ASSERT_GT(monitors.count, 0);
        for (int i = 0; i < monitors.count; ++i)
            EXPECT_TRUE(Covers(shown, monitors.rects[static_cast<std::size_t>(i)])) << "monitor " << i;
        std::set<int> zonesDrawn;
        for (const OverlayZone& zone : overlay.Zones()) {
            zonesDrawn.insert(zone.zone);
            for (const RECT& part : zone.parts)
                EXPECT_TRUE(Covers(shown, part)) << ZoneName(zone.zone);
            EXPECT_TRUE(Covers(shown, zone.label)) << ZoneName(zone.zone);
        }
        // One monitor here: it has all eight.
        EXPECT_EQ(zonesDrawn.size(), static_cast<std::size_t>(kZoneCount)) << everyMonitor;
        overlay.Hide();
    }
}

// Esc, a left or a right click hides the zones at the timer's next look, and
// its timers go with it; a key or button already down when they were shown
// does not, until it is let go and pressed again.
TEST_F(ZoneOverlayTest, EscOrAClickEndsTheShowingButNotTheClickThatStartedIt)
{
    CMainDlg& main = Open();
    CZoneOverlay& overlay = SettingsPage(main).ZoneOverlay();
    for (const int key : {VK_ESCAPE, VK_LBUTTON, VK_RBUTTON}) {
        HoldDown(overlay, {key});
        overlay.Show();
        EXPECT_FALSE(overlay.CheckKeys()) << key << ": down already when shown";
        HoldDown(overlay, {});
        EXPECT_FALSE(overlay.CheckKeys()) << key;
        EXPECT_TRUE(overlay.Shown());
        HoldDown(overlay, {key});
        EXPECT_TRUE(overlay.CheckKeys()) << key;
        EXPECT_FALSE(overlay.Shown()) << key;
        // Hidden, it has no timer left to stop.
        EXPECT_FALSE(KillTimer(overlay.Handle(), CZoneOverlay::kKeysTimer)) << key;
        EXPECT_FALSE(KillTimer(overlay.Handle(), CZoneOverlay::kEndTimer)) << key;
    }
    // A spin's arrow pressed while the zones show draws them again: that
    // press ends nothing either.
    HoldDown(overlay, {});
    overlay.Show();
    HoldDown(overlay, {VK_LBUTTON});
    overlay.Show();
    EXPECT_FALSE(overlay.CheckKeys());
    EXPECT_TRUE(overlay.Shown());
    overlay.Hide();
}

// A zone size typed while nothing is shown shows the zones, drawn at the new size.
TEST_F(ZoneOverlayTest, AZoneSizeTypedShowsTheZonesAtThatSize)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = SettingsPage(main);
    CZoneOverlay& overlay = page.ZoneOverlay();
    HoldDown(overlay, {});
    theData.cornersOnEveryMonitor = false;
    ASSERT_FALSE(overlay.Shown());
    SetWindowTextW(GetDlgItem(page.Handle(), 1001), L"7");
    ASSERT_EQ(theData.cornerSize, 7);
    ASSERT_TRUE(overlay.Shown());
    bool found = false;
    for (const OverlayZone& zone : overlay.Zones())
        if (zone.zone == UpperLeftCorner) {
            found = true;
            ASSERT_EQ(zone.parts.size(), 1u);
            EXPECT_EQ(zone.parts[0].right - zone.parts[0].left, 7);
            EXPECT_EQ(zone.parts[0].bottom - zone.parts[0].top, 7);
        }
    EXPECT_TRUE(found);
    overlay.Hide();
}

// "Keep a log" and "Show the wait before a zone fires" store their flags.
TEST_F(ZoneOverlayTest, TheLogAndTheWaitBoxesSave)
{
    CMainDlg& main = Open();
    CSettingsDlg& page = SettingsPage(main);
    const struct {
        int id;
        bool CData::*flag;
        const wchar_t* key;
    } boxes[] = {{IDC_KEEP_LOG, &CData::keepLog, L"Keep a log"}, {IDC_SHOW_WAIT, &CData::showWait, L"Show the wait"}};
    for (const auto& box : boxes) {
        ASSERT_FALSE(theData.*box.flag) << box.id;
        EXPECT_EQ(SendMessageW(GetDlgItem(page.Handle(), box.id), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        Click(page, box.id);
        EXPECT_TRUE(theData.*box.flag) << box.id;
        theData.FlushSettings();
        EXPECT_EQ(ProfileFile::FromBytes(fake::TempFolder::Read(theData.settingsPath)).Get(L"Settings", box.key, L""),
                  L"True");
        Click(page, box.id);
        EXPECT_FALSE(theData.*box.flag) << box.id;
    }
}

}  // namespace
}  // namespace vorn::ui
