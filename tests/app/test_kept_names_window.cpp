// Names that stay merged, through the real windows: JOIN NAMES keeps its rules, later runs
// (window and batch) apply them, the merge window lists and removes them.
#include <gmock/gmock.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "batch/batch_run.h"
#include "ui/program_windows.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::control;

using testing::HasSubstr;
using testing::Not;

class KeptNamesWindow : public test::WindowTest {
protected:
    KeptNamesWindow() {
        test::writeFile(
            folder.file("games_mp.log"),
            "  0:00 InitGame: \\g_gametype\\dm\\gamename\\X\\mapname\\mp_a\\protocol\\6\n"
            "  0:01 J;0000aaaa1111;1;Alpha\n"
            "  0:02 J;0000aaaa1111;2;Alpha2\n"
            "  0:03 J;0000bbbb2222;3;Zed\n"
            "  0:04 K;0000bbbb2222;3;axis;Zed;0000aaaa1111;1;allies;Alpha;mp5_mp;40;MOD_RIFLE_BULLET;head\n"
            "  0:05 K;0000bbbb2222;3;axis;Zed;0000aaaa1111;2;allies;Alpha2;mp5_mp;40;MOD_RIFLE_BULLET;torso\n"
            "  0:06 "
            "K;0000aaaa1111;2;allies;Alpha2;0000bbbb2222;3;axis;Zed;mp5_mp;40;MOD_RIFLE_BULLET;head\n");
    }

    // LOAD, PARSE and HTML; the page or, with "Let me join Names", the merge window.
    static void runToHtml(MainWindow& form, bool joinNames) {
        control<QPushButton>(form, "Button1")->click();
        control<QPushButton>(form, "Button2")->click();
        control<QCheckBox>(form, "CheckBox2")->setChecked(joinNames);
        control<QPushButton>(form, "Button3")->click();
    }

    static QStringList items(const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    }

    std::string aliases() { return test::readFile(folder.file("aliases.txt")); }
};

// Merged once by hand, Alpha2 stays merged in every later run: its kills, deaths and
// headshots taken are Alpha's, in the window and in the batch.
TEST_F(KeptNamesWindow, AMergeByHandLastsForLaterRuns) {
    {
        ProgramWindows windows;
        runToHtml(windows.mainWindow, true);
        MergeNamesWindow& merge = windows.mergeNamesWindow;
        EXPECT_EQ(items(control<QListWidget>(merge, "ListBox3")), QStringList());
        control<QListWidget>(merge, "ListBox1")->item(0)->setSelected(true);
        control<QListWidget>(merge, "ListBox2")->item(1)->setSelected(true);
        control<QPushButton>(merge, "Button1")->click();
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Merge done!"});
        EXPECT_EQ(aliases(), "Alpha2\tAlpha\r\n");
    }
    const auto expectMerged = [](const std::string& page) {
        EXPECT_THAT(page, HasSubstr("<tr><td>2</td><td>Alpha</td><td>1</td>"));
        EXPECT_THAT(page, Not(HasSubstr("Alpha2")));
    };
    std::string windowPage;
    {
        ProgramWindows windows;
        runToHtml(windows.mainWindow, false);
        windowPage = windows.mainWindow.run.logLines.text();
        expectMerged(windowPage);
        windows.mainWindow.run.eventTable.first();
        for (; !windows.mainWindow.run.eventTable.eof(); windows.mainWindow.run.eventTable.next()) {
            EXPECT_NE(windows.mainWindow.run.eventTable.textOf("a_name"), "Alpha2");
            EXPECT_NE(windows.mainWindow.run.eventTable.textOf("v_name"), "Alpha2");
        }
    }
    BatchOptions options;
    options.folder = folder.folder();
    options.out = folder.file("batch.html");
    options.quiet = true;
    ASSERT_EQ(runBatch(options), 0);
    expectMerged(test::readFile(folder.file("batch.html")));
}

// The merge window lists the kept rules; a removed rule leaves the file and takes effect
// from the next PARSE, as the window says. Lines that are no rule are reported and kept.
TEST_F(KeptNamesWindow, TheMergeWindowListsAndRemovesRules) {
    test::writeFile(folder.file("aliases.txt"), "Alpha2\tAlpha\r\nbroken line\r\nZed\tZorro\r\n");
    ProgramWindows windows;
    runToHtml(windows.mainWindow, true);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"aliases.txt line 2: no TAB between the alias and the kept name"});
    MergeNamesWindow& merge = windows.mergeNamesWindow;
    EXPECT_EQ(items(control<QListWidget>(merge, "ListBox1")), QStringList({"Alpha", "Zorro"}));
    EXPECT_EQ(items(control<QListWidget>(merge, "ListBox3")), QStringList({"Alpha2 -> Alpha", "Zed -> Zorro"}));
    EXPECT_TRUE(control<QLabel>(merge, "Label4")->text().contains("next PARSE"));

    control<QListWidget>(merge, "ListBox3")->item(1)->setSelected(true);
    control<QPushButton>(merge, "Button2")->click();
    EXPECT_THAT(dialogs.messages.back(), HasSubstr("it takes effect from the next PARSE"));
    EXPECT_EQ(aliases(), "Alpha2\tAlpha\r\nbroken line\r\n");
    EXPECT_EQ(items(control<QListWidget>(merge, "ListBox3")), QStringList({"Alpha2 -> Alpha"}));

    control<QPushButton>(windows.mainWindow, "Button3")->click();  // same run: Zed's events already carry the kept name
    EXPECT_EQ(items(control<QListWidget>(merge, "ListBox1")), QStringList({"Alpha", "Zorro"}));
    windows.mainWindow.load();
    windows.mainWindow.parse();
    windows.mainWindow.buildHtml();
    EXPECT_EQ(items(control<QListWidget>(merge, "ListBox1")), QStringList({"Alpha", "Zed"}));
}

// A list that cannot be written: JOIN NAMES still merges for this run and says so. A rule
// that would make a cycle is refused.
TEST_F(KeptNamesWindow, RulesThatCannotBeKeptAreSaidSo) {
    test::writeFile(folder.file("aliases.txt"), "Zed\tAlpha2\r\n");
    ProgramWindows windows;
    runToHtml(windows.mainWindow, true);
    MergeNamesWindow& merge = windows.mergeNamesWindow;
    ASSERT_EQ(items(control<QListWidget>(merge, "ListBox1")), QStringList({"Alpha", "Alpha2"}));
    control<QListWidget>(merge, "ListBox1")->item(0)->setSelected(true);  // Alpha2 -> Alpha: fine
    control<QListWidget>(merge, "ListBox2")->item(1)->setSelected(true);
    control<QPushButton>(merge, "Button1")->click();
    EXPECT_EQ(aliases(), "Zed\tAlpha2\r\nAlpha2\tAlpha\r\n");

    // Alpha -> Zed would lead Zed -> Alpha2 -> Alpha -> Zed.
    merge.setRoster({"Alpha", "Zed"});
    merge.offerRosterForMerging();
    control<QListWidget>(merge, "ListBox1")->item(1)->setSelected(true);
    control<QListWidget>(merge, "ListBox2")->item(0)->setSelected(true);
    dialogs.messages.clear();
    control<QPushButton>(merge, "Button1")->click();
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{
                  "Merge done!", "\"Alpha\" -> \"Zed\" was not kept: it would make a cycle of names."}));
    EXPECT_EQ(aliases(), "Zed\tAlpha2\r\nAlpha2\tAlpha\r\n");

    merge.offerRosterForMerging();
    std::filesystem::remove(folder.file("aliases.txt"));
    std::filesystem::create_directory(folder.file("aliases.txt"));
    control<QListWidget>(merge, "ListBox1")->item(0)->setSelected(true);
    control<QListWidget>(merge, "ListBox2")->item(1)->setSelected(true);
    dialogs.messages.clear();
    control<QPushButton>(merge, "Button1")->click();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0], "Merge done!");
    EXPECT_THAT(dialogs.messages[1], HasSubstr("merged for this run only: the rule could not be kept"));
}

}  // namespace
}  // namespace gravmark
