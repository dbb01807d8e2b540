#include "ui/program_windows.h"

namespace gravmark {

ProgramWindows::ProgramWindows(VersionInfo versionInfo)
    : mainWindow(std::move(versionInfo)), mergeNamesWindow(mainWindow.db), settingsWindow(mainWindow) {
    mainWindow.setWindows(&mergeNamesWindow, &settingsWindow);
}

}  // namespace gravmark
