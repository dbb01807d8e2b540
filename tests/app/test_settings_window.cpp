#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

#include "ui/program_windows.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::readFile;
using test::writeFile;
using test::control;

class SettingsWindowTest : public test::WindowTest {
protected:
    std::string settingsFile() const { return folder.file("GravmarkParser.INI"); }
};

TEST_F(SettingsWindowTest, ShowsTheDefaultsWithoutASettingsFile) {
    ProgramWindows windows;
    const SettingsWindow& form = windows.settingsWindow;
    EXPECT_EQ(form.windowTitle(), "GravmarkParser Setup Defaults");
    EXPECT_EQ(form.size(), QSize(697, 404));
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit5", "keyfile"}) {
        EXPECT_EQ(control<QLineEdit>(form, name)->text(), "<none>") << name;
    }
    EXPECT_EQ(control<QLineEdit>(form, "Edit4")->text(), "games_mp.log");
    // The password echoes dots until the button beside it is down; its text stays the password.
    const QString dots = control<QLineEdit>(form, "Edit3")->displayText();
    EXPECT_EQ(dots.size(), 6);
    EXPECT_FALSE(dots.contains(QLatin1Char('n')));
    auto* showPassword = control<QToolButton>(form, "ShowPassword");
    showPassword->click();
    EXPECT_EQ(control<QLineEdit>(form, "Edit3")->displayText(), "<none>");
    showPassword->click();
    EXPECT_EQ(control<QLineEdit>(form, "Edit3")->displayText(), dots);
    EXPECT_EQ(form.values().password, "<none>");
    const std::pair<const char*, bool> medals[] = {
        {"CheckBox1", true},  {"CheckBox2", true}, {"CheckBox3", true}, {"CheckBox4", true},
        {"CheckBox5", false}, {"CheckBox6", true}, {"CheckBox7", true}};
    for (const auto& [name, checked] : medals)
        EXPECT_EQ(control<QCheckBox>(form, name)->isChecked(), checked);

    EXPECT_EQ(control<QLineEdit>(form, "Edit5")->geometry(), QRect(434, 32, 191, 21));
    EXPECT_EQ(control<QPushButton>(form, "Button2")->geometry(), QRect(631, 30, 50, 25));
    EXPECT_EQ(control<QPushButton>(form, "Button1")->text(), "Save settings");
    EXPECT_EQ(control<QCheckBox>(form, "CheckBox5")->text(), "#1 Killer using TNT (Admiral MOD)");
    EXPECT_EQ(control<QLabel>(form, "Label1")->geometry().right() + 1, 134);

    auto* memo = control<QPlainTextEdit>(form, "Memo1");
    EXPECT_TRUE(memo->isReadOnly());
    const QStringList lines = memo->toPlainText().split('\n');
    EXPECT_EQ(
        lines,
        QStringList({"If using this option, make sure that the ",
                     "required log file is in the folder you enter ", "when you connect to the FTP server.",
                     "----", "The log file will be downloaded appended. ",
                     "This means that when you connect for the ",
                     "first time, it will download the complete ", "logfile (this can take some time). When ",
                     "you have connected before it will only ", "download the additional games played, ",
                     "not the complete logfile", "This saves bandwidth and time."}));
    QWidget* expectedOrder[] = {control<QLineEdit>(form, "Edit1"),
                                control<QLineEdit>(form, "Edit2"),
                                control<QLineEdit>(form, "Edit3"),
                                control<QToolButton>(form, "ShowPassword"),
                                control<QLineEdit>(form, "Edit4"),
                                control<QLineEdit>(form, "keyfile"),
                                control<QPlainTextEdit>(form, "Memo1"),
                                control<QPushButton>(form, "Button1"),
                                control<QLineEdit>(form, "Edit5"),
                                control<QPushButton>(form, "Button2"),
                                control<QCheckBox>(form, "CheckBox1"),
                                control<QCheckBox>(form, "CheckBox2"),
                                control<QCheckBox>(form, "CheckBox3"),
                                control<QCheckBox>(form, "CheckBox4"),
                                control<QCheckBox>(form, "CheckBox5"),
                                control<QCheckBox>(form, "CheckBox6"),
                                control<QCheckBox>(form, "CheckBox7"),
                                control<QCheckBox>(form, "CheckBox8"),
                                control<QComboBox>(form, "Protocol"),
                                control<QCheckBox>(form, "passive"),
                                control<QCheckBox>(form, "history")};
    for (size_t i = 1; i < std::size(expectedOrder); ++i) {
        EXPECT_EQ(nextTabStop(expectedOrder[i - 1]), expectedOrder[i]) << i;
    }
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));

    auto* protocol = control<QComboBox>(form, "Protocol");
    ASSERT_GE(protocol->count(), 2);
    EXPECT_EQ(protocol->itemText(0), "FTP");
    EXPECT_EQ(protocol->itemText(1), "FTP over TLS");
    EXPECT_EQ(protocol->currentIndex(), 0);
    EXPECT_EQ(control<QCheckBox>(form, "passive")->text(), "Passive mode");
    EXPECT_TRUE(control<QCheckBox>(form, "passive")->isChecked());
    EXPECT_EQ(control<QCheckBox>(form, "history")->text(), "Include rotated logs");
    EXPECT_FALSE(control<QCheckBox>(form, "history")->isChecked());
    EXPECT_EQ(control<QCheckBox>(form, "CheckBox10")->text(), "Ratings");
    EXPECT_FALSE(control<QCheckBox>(form, "CheckBox10")->isChecked());
}

TEST_F(SettingsWindowTest, ReadsTheSettingsFile) {
    writeFile(settingsFile(),
              "[ftpconnect]\r\nSERVER=ftp.example.org\r\nuser=clan\r\npass=secret \r\nlogfile='games.log'\r\n"
              "keyfile=/home/clan/id_ed25519\r\n"
              "protocol=FTPS\r\npassive=0\r\n[General]\r\nhistory=1\r\nratings=1\r\nsitestyle="
              "modern\r\nexport=1\r\n"
              "logcodepage=koi8-r\r\n"
              "[Medals]\r\nkiller=0\r\nhshoot=true\r\ntnt=0x1\r\ngrenade=2\r\n");
    ProgramWindows windows;
    const SettingsWindow& form = windows.settingsWindow;
    EXPECT_EQ(control<QLineEdit>(form, "Edit1")->text(), "ftp.example.org");
    EXPECT_EQ(control<QLineEdit>(form, "Edit2")->text(), "clan");
    EXPECT_EQ(control<QLineEdit>(form, "Edit3")->text(), "secret");
    EXPECT_EQ(control<QLineEdit>(form, "Edit4")->text(), "games.log");
    EXPECT_EQ(control<QLineEdit>(form, "Edit5")->text(), "<none>");
    EXPECT_EQ(control<QLineEdit>(form, "keyfile")->text(), "/home/clan/id_ed25519");
    EXPECT_FALSE(control<QCheckBox>(form, "CheckBox1")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(form, "CheckBox2")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(form, "CheckBox5")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(form, "CheckBox6")->isChecked());
    EXPECT_EQ(control<QComboBox>(form, "Protocol")->currentText(), "FTP over TLS");
    EXPECT_FALSE(control<QCheckBox>(form, "passive")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(form, "history")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(form, "CheckBox10")->isChecked());
    EXPECT_EQ(control<QComboBox>(form, "sitestyle")->currentText(), "modern");
    EXPECT_TRUE(control<QCheckBox>(form, "export")->isChecked());
    EXPECT_EQ(form.values().logCodePage, "koi8-r");  // kept as written, not replaced
    EXPECT_TRUE(control<QAction>(windows.mainWindow, "getlogfromBrom1")->isVisible());
    EXPECT_FALSE(control<QCheckBox>(windows.mainWindow, "savedef")->isEnabled());
}

TEST_F(SettingsWindowTest, SaveWritesANewFileAndSwitchesTheMainWindowAtOnce) {
    ProgramWindows windows;
    SettingsWindow& form = windows.settingsWindow;
    control<QAction>(windows.mainWindow, "SetupFTPServer1")->trigger();
    control<QLineEdit>(form, "Edit1")->setText("ftp.example.org");
    control<QLineEdit>(form, "Edit5")->setText("/srv/www");
    control<QLineEdit>(form, "keyfile")->setText("/home/clan/id_ed25519");
    control<QCheckBox>(form, "CheckBox1")->setChecked(false);
    EXPECT_EQ(control<QCheckBox>(form, "CheckBox8")->text(), "Merge names by player id");
    EXPECT_FALSE(control<QCheckBox>(form, "CheckBox8")->isChecked());
    control<QCheckBox>(form, "CheckBox8")->setChecked(true);
    control<QPushButton>(form, "Button1")->click();
    EXPECT_EQ(
        readFile(settingsFile()),
        "[FTPconnect]\r\nserver=ftp.example.org\r\nuser=<none>\r\npass=<none>\r\nlogfile=games_mp.log\r\n"
        "keyfile=/home/clan/id_ed25519\r\nprotocol=ftp\r\npassive=1\r\n"
        "[General]\r\nsavepath=/srv/www\r\nmergebyid=1\r\nhistory=0\r\n"
        "[Medals]\r\nkiller=0\r\nhshoot=1\r\nhdead=1\r\ntarget=1\r\ntnt=0\r\ngrenade=1\r\nsuicide=1\r\n");
    EXPECT_TRUE(control<QAction>(windows.mainWindow, "getlogfromBrom1")->isVisible());
    EXPECT_TRUE(control<QCheckBox>(windows.mainWindow, "savedef")->isEnabled());
    EXPECT_FALSE(form.isVisible());

    // Back to "<none>": the controls change only at the next start.
    control<QLineEdit>(form, "Edit1")->setText("<none>");
    control<QLineEdit>(form, "Edit5")->setText("<none>");
    control<QPushButton>(form, "Button1")->click();
    EXPECT_TRUE(control<QAction>(windows.mainWindow, "getlogfromBrom1")->isVisible());
    EXPECT_TRUE(control<QCheckBox>(windows.mainWindow, "savedef")->isEnabled());
    EXPECT_TRUE(dialogs.errors.empty());

    // The fetch settings and an accepted fingerprint, which saving leaves alone.
    writeFile(settingsFile(), readFile(settingsFile()) + "[FTPconnect]\r\ntlsfingerprint=SHA256:ab\r\n");
    control<QComboBox>(form, "Protocol")->setCurrentIndex(1);
    control<QCheckBox>(form, "passive")->setChecked(false);
    control<QCheckBox>(form, "history")->setChecked(true);
    control<QPushButton>(form, "Button1")->click();
    const SettingsValues saved = readSettings(settingsFile());
    EXPECT_EQ(saved.protocol, "ftps");
    EXPECT_FALSE(saved.passive);
    EXPECT_TRUE(saved.history);
    EXPECT_EQ(saved.tlsFingerprint, "SHA256:ab");
}

TEST_F(SettingsWindowTest, AProtocolThisProgramDoesNotKnowIsKeptNotReplaced) {
    writeFile(settingsFile(), "[FTPconnect]\r\nprotocol=gopher\r\n");
    ProgramWindows windows;
    EXPECT_EQ(control<QComboBox>(windows.settingsWindow, "Protocol")->currentText(), "gopher");
    EXPECT_EQ(windows.settingsWindow.values().protocol, "gopher");
}

TEST_F(SettingsWindowTest, SaveThatCannotWriteShowsTheErrorAndChangesNothingElse) {
    ProgramWindows windows;
    SettingsWindow& form = windows.settingsWindow;
    const std::string unwritable = folder.file("missing folder") + "/";
    setProgramFolder(unwritable);
    form.show();
    control<QLineEdit>(form, "Edit1")->setText("ftp.example.org");
    control<QLineEdit>(form, "Edit5")->setText("/srv/www");
    control<QPushButton>(form, "Button1")->click();
    EXPECT_EQ(dialogs.errors,
              std::vector<std::string>{"Unable to write to " + unwritable + "GravmarkParser.INI."});
    EXPECT_FALSE(control<QAction>(windows.mainWindow, "getlogfromBrom1")->isVisible());
    EXPECT_FALSE(control<QCheckBox>(windows.mainWindow, "savedef")->isEnabled());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(SettingsWindowTest, BrowsePutsThePickedFolderIntoTheBox) {
    ProgramWindows windows;
    SettingsWindow& form = windows.settingsWindow;
    dialogs.folderAnswers = {std::string("/home/clan/www"), std::nullopt};
    control<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(control<QLineEdit>(form, "Edit5")->text(), "/home/clan/www");
    control<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(control<QLineEdit>(form, "Edit5")->text(), "/home/clan/www");
    EXPECT_EQ(dialogs.folderTitles, std::vector<std::string>(2, "Select folder to save index.html into."));
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
}

// Every kind of control tells the main window at once, unsaved; reading the file tells it
// once, not once per control it fills.
TEST_F(SettingsWindowTest, EveryEditReachesTheMainWindowAtOnceAndReadingTheFileOnce) {
    writeFile(settingsFile(),
              "[FTPconnect]\r\nserver=ftp.example.org\r\nuser=clan\r\n[General]\r\nhistory=1\r\n");
    ProgramWindows windows;
    SettingsWindow& form = windows.settingsWindow;
    EXPECT_EQ(windows.mainWindow.settings(), form.values());
    EXPECT_EQ(windows.mainWindow.settings().server, "ftp.example.org");

    QSignalSpy changes(&form, &SettingsWindow::valuesChanged);
    control<QLineEdit>(form, "Edit5")->setText("/srv/www");
    EXPECT_EQ(windows.mainWindow.settings().savePath, "/srv/www");
    control<QCheckBox>(form, "CheckBox7")->setChecked(false);
    EXPECT_FALSE(windows.mainWindow.settings().medals[6]);
    control<QComboBox>(form, "Protocol")->setCurrentIndex(2);
    EXPECT_EQ(windows.mainWindow.settings().protocol, "sftp");
    control<QCheckBox>(form, "history")->setChecked(false);
    control<QComboBox>(form, "sitestyle")->setCurrentText("modern");
    EXPECT_EQ(windows.mainWindow.settings().siteStyle, "modern");
    control<QComboBox>(form, "logcodepage")->setCurrentText("windows-1251");
    EXPECT_EQ(windows.mainWindow.settings().logCodePage, "windows-1251");
    EXPECT_EQ(windows.mainWindow.settings(), form.values());
    EXPECT_EQ(changes.count(), 6);
    // Unsaved, the menu entry and the default save stay as the file had them.
    EXPECT_FALSE(control<QCheckBox>(windows.mainWindow, "savedef")->isEnabled());

    SettingsWindow another;
    QSignalSpy anotherChanges(&another, &SettingsWindow::valuesChanged);
    QSignalSpy anotherInFile(&another, &SettingsWindow::valuesInFile);
    another.readSettingsFile();
    ASSERT_EQ(anotherChanges.count(), 1);
    ASSERT_EQ(anotherInFile.count(), 1);
    EXPECT_EQ(anotherInFile.front().front().value<SettingsValues>().user, "clan");
}

}  // namespace
}  // namespace gravmark
