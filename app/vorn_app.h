// The application (Windows only): start-up, the single-instance rule, and the
// message loop that runs for the life of the main window.
#pragma once

namespace vorn::ui {

class CVornApp {
public:
    // Runs the program; returns the process's exit code.
    int Run();

private:
    // Another Vorn already runs: show its window and let this process end.
    static bool ShowRunningInstance();
    // The same for a start while another one is still starting.
    static void ShowRunningInstanceWhenItIsUp();
    // Moves to the folder the command line names for the settings.
    static void UseSettingsFolder();
};

}  // namespace vorn::ui
