// Gravmark Parser: the desktop program.
#include <QApplication>

#include "common/error.h"
#include "common/program_folder.h"
#include "common/program_layout.h"
#include "ui/program_windows.h"
#include "ui/qt_dialogs.h"
#include "ui/tool_tip_delay_style.h"
#include "ui/window_placement.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The title by name only: a display name would be appended to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Gravmark Parser"));
    QApplication::setStyle(new gravmark::ToolTipDelayStyle);
    // The program ends when the main window closes, whatever other window is open.
    QApplication::setQuitOnLastWindowClosed(false);
    gravmark::QtDialogs dialogs;
    gravmark::installDialogs(&dialogs);
    try {
        gravmark::setProgramFolder(gravmark::standardProgramFolder());
    } catch (const gravmark::Error& failure) {
        dialogs.showError(failure.what());
        return 1;
    }

    gravmark::ProgramWindows windows;
    QObject::connect(&windows.mainWindow, &gravmark::MainWindow::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    gravmark::centreOnScreen(windows.mainWindow);
    windows.mainWindow.show();
    return QApplication::exec();
}
