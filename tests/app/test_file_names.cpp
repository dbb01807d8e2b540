// Folders named in Latin, Cyrillic and Chinese letters, typed or picked in the windows:
// the page lands in the folder of that name, and the settings file keeps its bytes.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/program_windows.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::control;

const std::vector<std::string> kFolderNames = {"Caf\u00e9 \u00e0 l'\u00e9t\u00e9",
                                               "\u041f\u0430\u043f\u043a\u0430", "\u7edf\u8ba1\u9875"};

class FileNames : public test::WindowTest {
protected:
    // The folder `name` in the test's folder, made; its path as the file system's bytes.
    std::string makeFolder(const std::string& name) const {
        test::makeFolder(folder.file(name));
        return folder.file(name);
    }

    static QString shown(const std::string& bytes) { return QString::fromUtf8(bytes); }
};

TEST_F(FileNames, DefaultSaveFolderTypedInAnyLetters) {
    test::writeFile(folder.file("games_mp.log"),
                    "  0:01 J;guid;1;Ann\n  0:02 K;g;2;;Bo;guid;1;;Ann;m;1;MOD;head\n");
    for (const std::string& name : kFolderNames) {
        const std::string site = makeFolder(name);
        ProgramWindows windows;
        control<QCheckBox>(windows.mainWindow, "savedef")->setEnabled(true);
        control<QCheckBox>(windows.mainWindow, "savedef")->setChecked(true);
        control<QLineEdit>(windows.settingsWindow, "Edit5")->setText(shown(site));
        control<QPushButton>(windows.mainWindow, "Button5")->click();
        EXPECT_TRUE(dialogs.errors.empty()) << name;
        EXPECT_TRUE(test::exists(site + "/index.html")) << name;
        EXPECT_TRUE(test::exists(site + "/medal_pro_killer.png")) << name;
    }
}

TEST_F(FileNames, FolderPickedWithBrowseIsShownAndKeptAsTheFileSystemNamesIt) {
    for (const std::string& name : kFolderNames) {
        const std::string site = makeFolder(name);
        dialogs.folderAnswers = {site};
        ProgramWindows windows;
        control<QPushButton>(windows.settingsWindow, "Button2")->click();  // Browse
        EXPECT_EQ(control<QLineEdit>(windows.settingsWindow, "Edit5")->text(), shown(site));
        EXPECT_EQ(windows.settingsWindow.values().savePath, site);
    }
}

// The settings file holds the file system's bytes; a folder that an earlier release
// stored as Latin-1 is still found.
TEST_F(FileNames, SettingsKeepTheSaveFolderAndReadOldLatin1Ones) {
    const std::string cafe = makeFolder("Caf\u00e9");
    test::writeFile(folder.file("GravmarkParser.INI"),
                    "[General]\r\nsavepath=" + folder.folder() + "Caf\xe9\r\n");  // bytes, not file()
    ProgramWindows windows;
    EXPECT_EQ(control<QLineEdit>(windows.settingsWindow, "Edit5")->text(), shown(cafe));
    EXPECT_TRUE(control<QCheckBox>(windows.mainWindow, "savedef")->isEnabled());

    const std::string cyrillic = makeFolder(kFolderNames[1]);
    control<QLineEdit>(windows.settingsWindow, "Edit5")->setText(shown(cyrillic));
    control<QPushButton>(windows.settingsWindow, "Button1")->click();  // Save settings
    EXPECT_NE(test::readFile(folder.file("GravmarkParser.INI")).find("savepath=" + cyrillic + "\r\n"),
              std::string::npos);
    ProgramWindows restarted;
    EXPECT_EQ(control<QLineEdit>(restarted.settingsWindow, "Edit5")->text(), shown(cyrillic));
}

}  // namespace
}  // namespace gravmark
