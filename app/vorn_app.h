// The application (Windows only): start-up, the single-instance rule, and the
// message loop that runs for the life of the main window.
#pragma once

namespace vorn::ui {

class CVornApp {
public:
    // Runs the program; returns the process's exit code.
    int Run();

private:
    // Moves to the folder the command line names for the settings.
    static void UseSettingsFolder();
};

}  // namespace vorn::ui
