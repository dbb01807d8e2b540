#pragma once
// The program's three windows, created in their order: the main window, the merge window
// and the settings window (whose creation reads the settings file and adjusts two
// controls of the main window). Only the main window is meant to be shown at start.
#include "ui/main_window.h"
#include "ui/merge_names_window.h"
#include "ui/settings_window.h"

namespace gravmark {

struct ProgramWindows {
    explicit ProgramWindows(VersionInfo versionInfo = VersionInfo());

    MainWindow mainWindow;
    MergeNamesWindow mergeNamesWindow;
    SettingsWindow settingsWindow;
};

}  // namespace gravmark
