// The application (Windows only): start-up, the single-instance rule, and the
// message loop that runs for the life of the main window.
#pragma once

#include "framework/handles.h"

namespace vorn::ui {

class CVornApp {
public:
    // Runs the program; returns the process's exit code.
    int Run();

private:
    // Another Vorn already runs: show its window and let this process end.
    static bool ShowRunningInstance();
    // Whether this start is the one Vorn of the session (`running` then
    // holds the mark of it); otherwise the running one's window was shown.
    static bool BecomeTheRunningInstance(OwnedHandle& running);
    // Moves to the folder the command line names for the settings.
    static void UseSettingsFolder();
};

}  // namespace vorn::ui
