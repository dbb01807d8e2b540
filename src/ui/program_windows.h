#pragma once
// The program's three windows, created in their order: the main window, the merge window
// and the settings window. The settings window's values reach the main window through
// its signals; its reading of the settings file, once they are connected, sets the main
// window's menu entry "get log ftp server" and check box `savedef`. Only the main window
// is meant to be shown at start.
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
