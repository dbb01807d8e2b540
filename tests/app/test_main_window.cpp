#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <filesystem>

#include "ui/event_grid_panel.h"
#include "ui/program_windows.h"
#include "ui/tool_tip_delay_style.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::readFile;
using test::writeFile;
using test::control;

class MainWindowTest : public test::WindowTest {};

struct Expected {
    const char* name;
    QRect geometry;
    const char* caption;
};

TEST_F(MainWindowTest, HasEveryControlInItsPlaceWithItsCaption) {
    ProgramWindows windows;
    MainWindow& form = windows.mainWindow;
    EXPECT_EQ(form.windowTitle(), "Gravmark Parser");
    EXPECT_EQ(form.size(), QSize(731, 557));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.font().pixelSize(), 11);

    const Expected buttons[] = {
        {"Button1", {403, 8, 75, 40}, "LOAD"}, {"Button2", {484, 8, 75, 40}, "PARSE"},
        {"Button3", {565, 8, 75, 40}, "HTML"}, {"Button4", {646, 8, 75, 40}, "SAVE"},
        {"Button5", {343, 8, 29, 40}, "ALL"},
    };
    for (const auto& expected : buttons) {
        auto* button = control<QPushButton>(form, expected.name);
        ASSERT_TRUE(button);
        EXPECT_EQ(button->geometry(), expected.geometry) << expected.name;
        EXPECT_EQ(button->text(), expected.caption);
    }
    EXPECT_EQ(control<QPushButton>(form, "Button5")->palette().color(QPalette::Active, QPalette::ButtonText), QColor(Qt::red));
    EXPECT_EQ(control<QPushButton>(form, "Button5")->palette().color(QPalette::Inactive, QPalette::ButtonText), QColor(Qt::red));
    EXPECT_EQ(control<QPushButton>(form, "Button5")->palette().color(QPalette::Disabled, QPalette::ButtonText),
              control<QPushButton>(form, "Button1")->palette().color(QPalette::Disabled, QPalette::ButtonText));

    const Expected checkBoxes[] = {
        {"CheckBox1", {8, 8, 193, 17}, "Show details (takes longer)"},
        {"savedef", {8, 31, 193, 17}, "Default Save (Thornvale Clan)"},
        {"CheckBox2", {8, 54, 193, 17}, "Let me join Names"},
    };
    for (const auto& expected : checkBoxes) {
        auto* box = control<QCheckBox>(form, expected.name);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->geometry(), expected.geometry) << expected.name;
        EXPECT_EQ(box->text(), expected.caption);
        EXPECT_FALSE(box->isChecked());
    }

    EXPECT_EQ(control<QWidget>(form, "Memo1")->geometry(), QRect(8, 77, 713, 220));
    EXPECT_EQ(control<QWidget>(form, "Memo2")->geometry(), QRect(8, 312, 713, 193));
    EXPECT_EQ(control<QWidget>(form, "Background")->geometry(), QRect(0, 0, 731, 557));
    auto* progress = control<QProgressBar>(form, "Progress");
    EXPECT_EQ(progress->geometry(), QRect(8, 523, 713, 24));
    EXPECT_TRUE(progress->isTextVisible());

    auto* label = control<QLabel>(form, "Label1");
    EXPECT_EQ(label->text(), "Thornvale Clan - GRAVMARKPARSER v.1.0.2.11");
    EXPECT_EQ(label->geometry().right() + 1, 721);
    EXPECT_EQ(label->y(), 54);
    EXPECT_EQ(label->height(), 19);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pixelSize(), 16);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));

    QWidget* expectedOrder[] = {control<QPushButton>(form, "Button1"), control<TextBox>(form, "Memo1"),  control<QPushButton>(form, "Button2"),    control<TextBox>(form, "Memo2"),
                                control<QPushButton>(form, "Button3"), control<QPushButton>(form, "Button4"),  control<QCheckBox>(form, "CheckBox1"), control<QCheckBox>(form, "savedef"),
                                control<QPushButton>(form, "Button5"),  control<QCheckBox>(form, "CheckBox2")};
    for (size_t i = 1; i < std::size(expectedOrder); ++i) {
        EXPECT_EQ(nextTabStop(expectedOrder[i - 1]), expectedOrder[i]) << i;
    }

    auto* menu = control<QMenu>(form, "PopupMenu1");
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->actions().size(), 3);
    const char* items[][2] = {{"showdb1", "show db"},
                              {"getlogfromBrom1", "get log ftp server"},
                              {"SetupFTPServer1", "Setup FTP Server"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(menu->actions()[i]->objectName(), items[i][0]);
        EXPECT_EQ(menu->actions()[i]->text(), items[i][1]);
    }
}

TEST_F(MainWindowTest, ShowsHintsWithTheirLineBreaksAfterOneSecond) {
    ProgramWindows windows;
    const MainWindow& form = windows.mainWindow;
    EXPECT_EQ(control<QPushButton>(form, "Button1")->toolTip(),
              "Loads the games_mp.log. \nCopy this is the same folder as GravmarkParser.");
    EXPECT_EQ(control<QPushButton>(form, "Button2")->toolTip(),
              "After succesfull loading the gameslog, this button will be enabled.\n"
              "Click this to parse the log file into the database.");
    EXPECT_EQ(control<QPushButton>(form, "Button3")->toolTip(),
              "This button will do all the statistical work and create the final html code. This will take "
              "the longest.\nIf Let me join Names is checked, pressing this button will allow you to join "
              "multiple playernames into one (if one player has logged in verious times with different "
              "names).\nSee the hint info of the Let me join Names checkbox for more info.");
    EXPECT_EQ(control<QPushButton>(form, "Button4")->toolTip(),
              "This will save the html file to a destination you provide.\n"
              "When finished.. close the program.");
    EXPECT_EQ(control<QCheckBox>(form, "CheckBox2")->toolTip(),
              "If you have players in your log that have logged in with different names and you want to "
              "combine them to get accurate statistics, check this button.\nGo through LOAD and PARSE. When "
              "then clicking on HTML will popup a new screen with 2 listboxes. Click on the left one on a "
              "name you want to combine. Click in the right box (using shift en ctrl) on the names the "
              "player has logged in with. Then choose Join names. This will assign all the names and "
              "statistics in the right box to the name in the left box. After joining is done the window "
              "will close. Click HTML again to combine another gamer. When all names you need to combine "
              "are done. Uncheck Let me join Names and click on HTML again to proceed creating the "
              "statistics.");
    EXPECT_EQ(control<QCheckBox>(form, "savedef")->toolTip(),
              "Als dit aanstaat, dan wordt het eindresultaat in een voorgedefinieerde map op de PC van "
              "Tal-Rim geplaatst. Wil je zelf een bestemming willen kiezen, vink deze optie dan uit!");
    EXPECT_EQ(control<QCheckBox>(form, "CheckBox1")->toolTip(), "Show details while parsing. Takes longer.");
    EXPECT_TRUE(control<QPushButton>(form, "Button5")->toolTip().isEmpty());
    EXPECT_EQ(control<QPushButton>(form, "Button5")->accessibleDescription(),
              "This will do everything for you. Using this option does not allow you to combine player names "
              "(read the Hint on Let me join Names).");
    ToolTipDelayStyle style;
    EXPECT_EQ(style.styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1000);
}

// The start state, first without a settings file, then with one.
TEST_F(MainWindowTest, StartsWithLoadAndAllUsableOnly) {
    ProgramWindows windows;
    const MainWindow& form = windows.mainWindow;
    EXPECT_TRUE(control<QPushButton>(form, "Button1")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(form, "Button2")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(form, "Button3")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(form, "Button4")->isEnabled());
    EXPECT_TRUE(control<QPushButton>(form, "Button5")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(form, "CheckBox1")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(form, "CheckBox2")->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(form, "savedef")->isVisibleTo(&form));
    EXPECT_FALSE(control<QCheckBox>(form, "savedef")->isEnabled());
    EXPECT_TRUE(control<QAction>(form, "showdb1")->isVisible() && control<QAction>(form, "showdb1")->isEnabled());
    EXPECT_FALSE(control<QAction>(form, "getlogfromBrom1")->isVisible());  // (a hidden action reports itself disabled)
    EXPECT_TRUE(control<QAction>(form, "SetupFTPServer1")->isVisible() && control<QAction>(form, "SetupFTPServer1")->isEnabled());
    EXPECT_FALSE(windows.mergeNamesWindow.isVisible());
    EXPECT_FALSE(windows.settingsWindow.isVisible());
    EXPECT_TRUE(form.run.counts.roster.empty());
    EXPECT_TRUE(form.run.counts.killCounts.empty());
    EXPECT_EQ(control<ProgressBar>(form, "Progress")->value(), 0);
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(MainWindowTest, SettingsFileShowsTheFtpEntryAndEnablesDefaultSave) {
    writeFile(folder.file("GravmarkParser.INI"),
              "[FTPconnect]\r\nserver=ftp.example.org\r\n"
              "[General]\r\nsavepath=/srv/www\r\n");
    ProgramWindows windows;
    EXPECT_TRUE(control<QAction>(windows.mainWindow, "getlogfromBrom1")->isVisible());
    EXPECT_TRUE(control<QCheckBox>(windows.mainWindow, "savedef")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(windows.mainWindow, "Button2")->isEnabled());
}

TEST_F(MainWindowTest, VersionRecordFillsTheLabelAndTheLabelKeepsItsRightEdge) {
    VersionRecord partial{};
    partial[8] = "1.0.2.11";
    const std::pair<std::optional<VersionRecord>, const char*> cases[] = {
        {std::nullopt, "Thornvale Clan - GRAVMARKPARSER v.Value Not Available"},
        {partial, "Thornvale Clan - GRAVMARKPARSER v."},
    };
    for (const auto& [record, text] : cases) {
        MainWindow form{VersionInfo(record)};
        EXPECT_EQ(control<RightAnchoredLabel>(form, "Label1")->text(), text);
        EXPECT_EQ(control<RightAnchoredLabel>(form, "Label1")->geometry().right() + 1, 721);
    }
}

TEST_F(MainWindowTest, StartUpLeavesBothWorkFilesWithEmptyTables) {
    writeFile(folder.file("lijst.xml"), "old events");
    writeFile(folder.file("temp.xml"), "old players");
    {
        ProgramWindows windows;
        EXPECT_NE(readFile(folder.file("lijst.xml")), "old events");
        EXPECT_NE(readFile(folder.file("temp.xml")), "old players");
        EXPECT_EQ(windows.mainWindow.run.eventTable.recordCount(), 0);
        EXPECT_EQ(windows.mainWindow.run.playerTable.recordCount(), 0);
        EXPECT_EQ(windows.mainWindow.run.eventTable.fileName(), folder.file("lijst.xml"));
        EXPECT_EQ(windows.mainWindow.run.playerTable.fileName(), folder.file("temp.xml"));

        // Closing writes the event table; the end of the program writes the player table.
        std::filesystem::remove(folder.file("lijst.xml"));
        std::filesystem::remove(folder.file("temp.xml"));
        windows.mainWindow.close();
        EXPECT_FALSE(windows.mainWindow.run.eventTable.active());
        EXPECT_TRUE(std::filesystem::exists(folder.file("lijst.xml")));
        EXPECT_FALSE(std::filesystem::exists(folder.file("temp.xml")));
    }
    EXPECT_TRUE(std::filesystem::exists(folder.file("temp.xml")));
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(MainWindowTest, AllAndLetMeJoinNamesOnlyEverDisableAll) {
    ProgramWindows windows;
    MainWindow& form = windows.mainWindow;
    control<QCheckBox>(form, "CheckBox2")->click();
    EXPECT_FALSE(control<QPushButton>(form, "Button5")->isEnabled());
    EXPECT_TRUE(control<QPushButton>(form, "Button1")->isEnabled());
    control<QCheckBox>(form, "CheckBox2")->click();
    EXPECT_FALSE(control<QCheckBox>(form, "CheckBox2")->isChecked());
    EXPECT_FALSE(control<QPushButton>(form, "Button5")->isEnabled());

    test::writeFile(folder.file("games_mp.log"), "  0:01 J;guid;1;Ann\n");
    ProgramWindows second;
    control<QPushButton>(second.mainWindow, "Button5")->click();
    EXPECT_FALSE(control<QPushButton>(second.mainWindow, "Button5")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(second.mainWindow, "Button1")->isEnabled());
}

TEST_F(MainWindowTest, MenuShowsTheDataGridAndTheSettingsWindow) {
    ProgramWindows windows;
    control<QAction>(windows.mainWindow, "showdb1")->trigger();
    EXPECT_TRUE(windows.mergeNamesWindow.isVisible());
    QWidget* grid = control<QWidget>(windows.mergeNamesWindow, "DBGridEh1");
    QWidget* navigator = control<QWidget>(windows.mergeNamesWindow, "DBNavigator1");
    EXPECT_TRUE(grid->isVisible());
    EXPECT_TRUE(navigator->isVisible());
    windows.mergeNamesWindow.close();
    EXPECT_FALSE(windows.mergeNamesWindow.isVisible());
    EXPECT_FALSE(grid->isVisibleTo(&windows.mergeNamesWindow));
    EXPECT_FALSE(navigator->isVisibleTo(&windows.mergeNamesWindow));

    control<QAction>(windows.mainWindow, "SetupFTPServer1")->trigger();
    EXPECT_TRUE(windows.settingsWindow.isVisible());
    EXPECT_TRUE(windows.mainWindow.isEnabled());  // not modal
}

}  // namespace
}  // namespace gravmark
