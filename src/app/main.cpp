// Gravmark Parser: the desktop program.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "common/error.h"
#include "common/program_folder.h"
#include "common/program_layout.h"
#include "ui/program_windows.h"
#include "ui/qt_dialogs.h"
#include "ui/tool_tip_delay_style.h"
#include "ui/window_placement.h"

namespace {

// What --help prints; the manual page is made from it at build time.
const char* const kUsage =
    "Usage: gravmark-parser [--help]\n"
    "\n"
    "Turns a game server's log games_mp.log into a clan statistics web page index.html: kills,\n"
    "deaths, games played, kills per game, seven medals and names merged across a player's\n"
    "aliases. The main window runs the steps LOAD, PARSE, HTML and SAVE one by one, or ALL in a\n"
    "row; its settings window holds the medals shown, the default save folder and the account\n"
    "\"get log ftp server\" fetches the log from, by FTP, FTP over TLS or SFTP.\n"
    "\n"
    "  --help         show this text\n"
    "\n"
    "The program works in its program folder: its own folder when that is a portable one (it\n"
    "holds GravmarkParser.portable or GravmarkParser.INI), else your data folder\n"
    "~/.local/share/gravmark-parser ($XDG_DATA_HOME/gravmark-parser), which the first start\n"
    "makes with a sample log in it. games_mp.log, head.txt, foot.txt, aliases.txt, the settings\n"
    "file GravmarkParser.INI and the work files lijst.xml and temp.xml are there. Under SFTP\n"
    "the server's host keys are kept in known_hosts there, and a protected key file's\n"
    "passphrase is asked for. gravmark-batch makes the same page without a window.\n";

}  // namespace

int main(int argc, char** argv) {
    // Before any window system is needed, so that it works on a terminal without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
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
