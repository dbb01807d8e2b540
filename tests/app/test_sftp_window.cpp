// SFTP in the windows: the "Protocol" choice greys out Passive mode, and "get log ftp
// server" against OpenSSH's sshd on loopback asks about a new host key and a key's
// passphrase through the dialogs.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ssh_test_servers.h"
#include "ui/program_windows.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::readFile;
using test::writeFile;
using test::control;

class SftpWindow : public test::WindowTest {
protected:
    void chooseSftp() { control<QComboBox>(windows.settingsWindow, "Protocol")->setCurrentText("SFTP"); }

    ProgramWindows windows;
};

TEST_F(SftpWindow, PassiveModeIsGreyedOutUnderSftp) {
    SettingsWindow& form = windows.settingsWindow;
    ASSERT_TRUE(control<QCheckBox>(form, "passive")->isEnabled());
    chooseSftp();
    EXPECT_FALSE(control<QCheckBox>(form, "passive")->isEnabled());
    EXPECT_EQ(form.values().protocol, "sftp");
    control<QComboBox>(form, "Protocol")->setCurrentText("FTP over TLS");
    EXPECT_TRUE(control<QCheckBox>(form, "passive")->isEnabled());
}

TEST_F(SftpWindow, FetchAsksAboutANewHostKeyAndThePassphrase) {
    if (const auto missing = test::sshdMissing()) GTEST_SKIP() << *missing;
    test::Sshd sshd;
    test::TempFolder remote;
    const std::string log = "0:00 InitGame\r\n0:01 J;0;1;Player\r\n";
    writeFile(remote.file("games_mp.log"), log);
    const std::string key = folder.file("protected_key");
    test::makeKeyPair(key, "ecdsa", "open sesame", "PEM");
    sshd.authorize(key + ".pub");

    SettingsWindow& settings = windows.settingsWindow;
    chooseSftp();
    control<QLineEdit>(settings, "Edit1")->setText(QString::fromStdString("127.0.0.1:" + std::to_string(sshd.port())));
    control<QLineEdit>(settings, "Edit2")->setText(QString::fromStdString(sshd.user()));
    control<QLineEdit>(settings, "keyfile")->setText(QString::fromStdString(key));
    control<QLineEdit>(settings, "Edit4")->setText(QString::fromStdString(remote.file("games_mp.log")));
    dialogs.yesNoAnswers = {true};
    dialogs.secretAnswers = {"open sesame"};

    control<QAction>(windows.mainWindow, "getlogfromBrom1")->trigger();

    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
    const std::string server = "[127.0.0.1]:" + std::to_string(sshd.port());
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"The host key of " + server +
                                                          " is not known yet.\n\nIts fingerprint is " +
                                                          test::keygenFingerprint(sshd.hostPublicKey()) +
                                                          "\n\nTrust this server and fetch the log?"});
    EXPECT_EQ(dialogs.secretPrompts, std::vector<std::string>{"Passphrase of the key file " + key});
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Connected, proceeding with download",
                                                          "Received log file and saved as games_mp.log"}));
    EXPECT_EQ(readFile(folder.file("games_mp.log")), log);
    EXPECT_TRUE(control<QPushButton>(windows.mainWindow, "Button2")->isEnabled());

    // Refused: the copy stays, the controls come back, and nothing is asked twice.
    dialogs.secretAnswers = {"wrong"};
    control<QAction>(windows.mainWindow, "getlogfromBrom1")->trigger();
    EXPECT_EQ(dialogs.errors,
              std::vector<std::string>{"The passphrase does not open the key file \"" + key + "\"."});
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(readFile(folder.file("games_mp.log")), log);
    EXPECT_TRUE(control<QPushButton>(windows.mainWindow, "Button1")->isEnabled());
}

}  // namespace
}  // namespace gravmark
