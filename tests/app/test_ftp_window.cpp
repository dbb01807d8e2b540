// "get log ftp server" through the real windows against the scripted FTP server on
// loopback: the messages, the local file, the progress bar and the control states before,
// during and after a fetch that succeeds, fails or is refused.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <filesystem>

#include "ftp/socket_error.h"
#include "scripted_ftp_server.h"
#include "ui/program_windows.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::readFile;
using test::writeFile;
using test::control;
using States = std::vector<bool>;

// LOAD, PARSE, savedef, CheckBox1, CheckBox2, showdb1, getlogfromBrom1, SetupFTPServer1.
States controlStates(const MainWindow& form) {
    return {control<QPushButton>(form, "Button1")->isEnabled(),     control<QPushButton>(form, "Button2")->isEnabled(),
            control<QCheckBox>(form, "savedef")->isEnabled(), control<QCheckBox>(form, "CheckBox1")->isEnabled(),
            control<QCheckBox>(form, "CheckBox2")->isEnabled(),   control<QAction>(form, "showdb1")->isEnabled(),
            control<QAction>(form, "getlogfromBrom1")->isEnabled(), control<QAction>(form, "SetupFTPServer1")->isEnabled()};
}

const States kAllOff(8, false);

// Scripted dialogs that also note the control states whenever a message shows, that is
// while the fetch is under way.
class WatchingDialogs : public test::ScriptedDialogs {
public:
    explicit WatchingDialogs(const MainWindow& form) : form_(form) {}
    void showMessage(const std::string& text) override {
        statesAtMessages.push_back(controlStates(form_));
        ScriptedDialogs::showMessage(text);
    }
    std::vector<States> statesAtMessages;

private:
    const MainWindow& form_;
};

class FtpWindow : public test::WindowTest {
protected:
    FtpWindow() { server.setRemoteFile(kRemoteLog); }

    // A configured server shows the menu entry at start-up; the account the fetch uses is
    // the one typed into the settings window afterwards, unsaved.
    bool configureServer() {
        writeFile(folder.file("GravmarkParser.INI"), "[FTPconnect]\r\nserver=ftp.example.org\r\n");
        return true;
    }

    void typeAccount(const std::string& serverText, const char* password = "secret") {
        control<QLineEdit>(windows.settingsWindow, "Edit1")->setText(QString::fromStdString(serverText));
        control<QLineEdit>(windows.settingsWindow, "Edit2")->setText("gamer");
        control<QLineEdit>(windows.settingsWindow, "Edit3")->setText(password);
    }

    const std::string kRemoteLog = "line one\r\nline two\r\n\xe9t\xe9 \x01\x02\r\n";
    test::ScriptedFtpServer server;
    const bool serverConfigured = configureServer();
    ProgramWindows windows;
    MainWindow& form = windows.mainWindow;
    WatchingDialogs watch{form};
};

TEST_F(FtpWindow, ReceivedFileEnablesLoadAndParseAndGivesBackTheOtherControls) {
    typeAccount(server.serverText());
    ASSERT_TRUE(control<QAction>(form, "getlogfromBrom1")->isVisible());
    const States before = {true, false, false, true, true, true, true, true};  // no save folder: savedef off
    ASSERT_EQ(controlStates(form), before);

    control<QAction>(form, "getlogfromBrom1")->trigger();

    EXPECT_TRUE(watch.errors.empty()) << watch.errors.front();
    EXPECT_EQ(watch.messages, (std::vector<std::string>{"Connected, proceeding with download",
                                                        "Received log file and saved as games_mp.log"}));
    EXPECT_EQ(watch.statesAtMessages, (std::vector<States>{kAllOff, kAllOff}));
    EXPECT_EQ(readFile(folder.file("games_mp.log")), kRemoteLog);
    EXPECT_EQ(form.remoteLogSize, static_cast<int32_t>(kRemoteLog.size()));
    EXPECT_EQ(control<ProgressBar>(form, "Progress")->model().totalParts(), static_cast<int64_t>(kRemoteLog.size()));
    EXPECT_EQ(control<ProgressBar>(form, "Progress")->model().partsComplete(), control<ProgressBar>(form, "Progress")->model().totalParts());
    EXPECT_EQ(control<ProgressBar>(form, "Progress")->value(), 100);
    EXPECT_EQ(controlStates(form), (States{true, true, false, true, true, true, true, true}));
    EXPECT_TRUE(server.waitForClientToLeave(std::chrono::seconds(5)));
    EXPECT_EQ(server.commands().back(), "QUIT");
}

// After a failed fetch every control has its state from before again, so the fetch can
// be repeated in the same run.
TEST_F(FtpWindow, FailedFetchGivesEveryControlBackItsEarlierState) {
    typeAccount(server.serverText(), "wrong");
    control<QCheckBox>(form, "CheckBox1")->setEnabled(false);
    const States before = controlStates(form);
    ASSERT_EQ(before, (States{true, false, false, false, true, true, true, true}));
    server.replies["PASS wrong"] = "530 Login incorrect.";

    control<QAction>(form, "getlogfromBrom1")->trigger();
    EXPECT_EQ(watch.errors, std::vector<std::string>{"Login incorrect."});
    EXPECT_TRUE(watch.messages.empty()) << "not \"Connected\" before the login went through";
    EXPECT_EQ(controlStates(form), before);

    // As after LOAD; this time the server hangs up in the middle.
    typeAccount(server.serverText());
    control<QPushButton>(form, "Button1")->setEnabled(false);
    control<QPushButton>(form, "Button2")->setEnabled(true);
    const States afterLoad = controlStates(form);
    server.replies["SIZE"] = "";
    server.closeAfter = {"SIZE"};
    control<QAction>(form, "getlogfromBrom1")->trigger();
    EXPECT_EQ(watch.errors.back(), "Connection Closed Gracefully.");
    EXPECT_EQ(controlStates(form), afterLoad);

    server.replies.clear();
    server.closeAfter.clear();
    control<QAction>(form, "getlogfromBrom1")->trigger();
    EXPECT_EQ(watch.errors.size(), 2u);
    EXPECT_EQ(watch.messages.back(), "Received log file and saved as games_mp.log");
    EXPECT_EQ(readFile(folder.file("games_mp.log")), kRemoteLog);
    EXPECT_EQ(controlStates(form), (States{true, true, false, false, true, true, true, true}));
}

TEST_F(FtpWindow, RefusedConnectionShowsTheSocketErrorAndGivesTheControlsBack) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const std::string closedPort = std::to_string(closed.serverPort());
    closed.close();
    typeAccount("127.0.0.1:" + closedPort);
    const States before = controlStates(form);

    control<QAction>(form, "getlogfromBrom1")->trigger();
    EXPECT_EQ(watch.errors,
              std::vector<std::string>{socketErrorMessage(QAbstractSocket::ConnectionRefusedError, "")});
    EXPECT_TRUE(watch.messages.empty());
    EXPECT_EQ(controlStates(form), before);
    EXPECT_FALSE(std::filesystem::exists(folder.file("games_mp.log")));
}

}  // namespace
}  // namespace gravmark
