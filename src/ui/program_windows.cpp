#include "ui/program_windows.h"

#include "ui/error_guard.h"

namespace gravmark {

ProgramWindows::ProgramWindows(VersionInfo versionInfo)
    : mainWindow(std::move(versionInfo)), mergeNamesWindow(mainWindow.run.eventTable) {
    mainWindow.setWindows(&mergeNamesWindow, &settingsWindow);
    QObject::connect(&settingsWindow, &SettingsWindow::valuesChanged, &mainWindow, &MainWindow::useSettings);
    QObject::connect(&settingsWindow, &SettingsWindow::valuesInFile, &mainWindow,
                     &MainWindow::offerConfiguredFeatures);
    runGuarded([this] { settingsWindow.readSettingsFile(); });
}

}  // namespace gravmark
