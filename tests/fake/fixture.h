// A test fixture on a fresh simulated desktop, with the global settings,
// custom actions and helpers back at their start-up state.
#pragma once

#include <gtest/gtest.h>

#include "actions/background.h"
#include "actions/custom_actions.h"
#include "actions/util.h"
#include "app/settings_store.h"
#include "engine/activity.h"
#include "buttons/buttons.h"
#include "settings/data.h"
#include "tests/fake/fake_desktop.h"

namespace vorn::fake {

class DesktopTest : public ::testing::Test {
protected:
    DesktopTest()
    {
        desktop.Install();
        ResetGlobals();
    }
    ~DesktopTest() override
    {
        // Work handed to the worker thread talks to this desktop.
        WaitForBackgroundWork();
        UninstallPort();
    }

    // Globals back to a start-up state on the desktop as it is now; call again
    // after changing what the helpers look up (layered functions, version).
    void ResetGlobals()
    {
        theCustomActions.Clear();
        theActivity.Clear();
        theButtons.SetHost(nullptr);
        theButtons.SetDiagram(nullptr);
        theButtons.Clear();
        InstallSettingsStore();
        theData.ResetToDefaults();
        theData.enabled = true;
        theData.settingsUnreadable = false;
        theData.settingsFolderProblem.reset();
        theData.fileProblems.Reset();
        theData.ResetSaveThrottle();
        theData.ComputeSideBands();
        theUtil.Resolve();
        tileTwoCount = 0;
    }

    HWND AddWindow(const std::wstring& title, RECT rect = RECT{100, 100, 500, 400}, LONG style = WS_OVERLAPPEDWINDOW)
    {
        WindowDesc desc;
        desc.title = title;
        desc.rect = rect;
        desc.style = style;
        return desktop.AddWindow(desc);
    }

    FakeDesktop desktop;
};

}  // namespace vorn::fake
