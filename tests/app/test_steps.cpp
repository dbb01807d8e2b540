// LOAD, PARSE, HTML, SAVE and ALL through the real windows: the control states after each
// step, the merge flow, and the page the desktop writes compared with the stored page and
// with the batch command's.
#include <gmock/gmock.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <filesystem>

#include "batch/batch_run.h"
#include "support/golden_file.h"
#include "table/event_table.h"
#include "support/real_logs.h"
#include "ui/program_windows.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::control;

using testing::HasSubstr;
using testing::Not;

const std::string kSmallLog = std::string(GRAVMARK_REAL_LOGS) + "/server-small-100.log";
const char* const kCreditLine =
    "<font face=Tahoma><font size=1><p align=center>Statistics by Gravmark Parser "
    "v.1.0.2.11</p></font></font>";

class Steps : public test::WindowTest {
protected:
    // The program folder of the stored page's run: the small real log, both templates,
    // every medal ticked.
    void prepareStoredPageRun() {
        test::writeFile(folder.file("games_mp.log"), test::readFile(kSmallLog));
        test::writeFile(folder.file("head.txt"),
                        "<html><head><title>Clan statistics</title></head>\n<body>\n");
        test::writeFile(folder.file("foot.txt"), "</body>\n</html>\n");
        test::writeFile(folder.file("GravmarkParser.INI"), "[Medals]\r\ntnt=1\r\n");
    }

    static void fixClock(MainWindow& form) {
        form.clock = [] { return QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5)); };
    }

    static std::vector<bool> workButtons(const MainWindow& form) {
        return {control<QPushButton>(form, "Button1")->isEnabled(), control<QPushButton>(form, "Button2")->isEnabled(), control<QPushButton>(form, "Button3")->isEnabled(),
                control<QPushButton>(form, "Button4")->isEnabled(), control<QPushButton>(form, "Button5")->isEnabled()};
    }

    // gravmark-batch's run in this folder at the stored page's time, the page to `out`.
    int runBatchTo(const std::string& out) const {
        BatchOptions options;
        options.folder = folder.folder();
        options.out = out;
        options.now = QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5));
        options.quiet = true;
        return runBatch(options);
    }

    static int countOf(const std::string& text, const std::string& part) {
        int count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
        return count;
    }
};

TEST_F(Steps, EachStepSetsTheControlsOfItsRow) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    test::writeFile(folder.file("games_mp.log"), test::readFile(kSmallLog));
    ProgramWindows windows;
    MainWindow& form = windows.mainWindow;
    fixClock(form);

    control<QPushButton>(form, "Button1")->click();
    EXPECT_EQ(workButtons(form), (std::vector<bool>{true, true, false, false, false}));
    EXPECT_TRUE(control<TextBox>(form, "Memo1")->isVisibleTo(&form));
    EXPECT_EQ(form.run.lineCount, 100);
    EXPECT_EQ(form.run.logLines.line(100), "Aantal Lines : 100");

    control<QCheckBox>(form, "CheckBox1")->setChecked(true);
    control<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(workButtons(form), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(form.run.gameCount, 4);
    EXPECT_EQ(form.run.detailLines.lineCount(), 40u);  // one details line per join and kill
    EXPECT_EQ(control<ProgressBar>(form, "Progress")->model().partsComplete(), control<ProgressBar>(form, "Progress")->model().totalParts());

    control<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(workButtons(form), (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(control<QListWidget>(windows.mergeNamesWindow, "ListBox1")->count(),
              static_cast<int>(form.run.counts.roster.size()));

    // No default folder: the save dialog; cancelled, SAVE stays usable.
    control<QPushButton>(form, "Button4")->click();
    EXPECT_EQ(workButtons(form), (std::vector<bool>{false, false, false, true, false}));
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_TRUE(dialogs.messages.empty());
}

// ALL from the log to the saved page: cancelled first, saved on the second press; the
// page equals the stored page of this log, with the credit line once.
TEST_F(Steps, AllWritesTheStoredPageAndTheCreditLineOnce) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    prepareStoredPageRun();
    ProgramWindows windows;
    fixClock(windows.mainWindow);

    control<QPushButton>(windows.mainWindow, "Button5")->click();
    EXPECT_EQ(workButtons(windows.mainWindow), (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(windows.mainWindow.run.logLines.line(windows.mainWindow.run.logLines.lineCount() - 3), kCreditLine);

    const std::string target = folder.file("index.html");
    dialogs.saveAnswers.push_back(target);
    control<QPushButton>(windows.mainWindow, "Button4")->click();
    EXPECT_FALSE(control<QPushButton>(windows.mainWindow, "Button4")->isEnabled());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Results saved as " + target});
    const std::string page = test::readFile(target);
    EXPECT_EQ(countOf(page, kCreditLine), 1);
    EXPECT_TRUE(test::matchesExpectedFile(
        std::string(GRAVMARK_REPORT_EXPECTED) + "/server-small-100.index.html", page));
}

// The batch command and the desktop program write the same page from the same files,
// settings and time.
TEST_F(Steps, BatchWritesTheDesktopPage) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    prepareStoredPageRun();
    std::string desktopPage;
    {
        ProgramWindows windows;
        fixClock(windows.mainWindow);
        dialogs.saveAnswers.push_back(folder.file("desktop.html"));
        control<QPushButton>(windows.mainWindow, "Button5")->click();
        desktopPage = test::readFile(folder.file("desktop.html"));
    }
    ASSERT_EQ(runBatchTo(folder.file("batch.html")), 0);
    EXPECT_EQ(test::readFile(folder.file("batch.html")), desktopPage);
}

// A scheduled batch run in the same folder, between the window's PARSE and HTML, leaves
// the window's work files alone, and the window's page is as it would have been.
TEST_F(Steps, BatchDuringAWindowRunLeavesTheWindowsWorkFiles) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    prepareStoredPageRun();
    ProgramWindows windows;
    MainWindow& form = windows.mainWindow;
    fixClock(form);
    control<QPushButton>(form, "Button1")->click();
    control<QPushButton>(form, "Button2")->click();
    const std::string events = test::readFile(folder.file("lijst.xml"));
    const std::string players = test::readFile(folder.file("temp.xml"));

    BatchOptions options;
    options.folder = folder.folder();
    options.out = folder.file("batch.html");
    options.quiet = true;
    ASSERT_EQ(runBatch(options), 0);
    EXPECT_EQ(test::readFile(folder.file("lijst.xml")), events);
    EXPECT_EQ(test::readFile(folder.file("temp.xml")), players);

    dialogs.saveAnswers.push_back(folder.file("desktop.html"));
    control<QPushButton>(form, "Button3")->click();
    control<QPushButton>(form, "Button4")->click();
    EXPECT_TRUE(
        test::matchesExpectedFile(std::string(GRAVMARK_REPORT_EXPECTED) + "/server-small-100.index.html",
                                  test::readFile(folder.file("desktop.html"))));
}

TEST_F(Steps, DefaultSaveWritesIndexHtmlInTheFolderAsTyped) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    prepareStoredPageRun();
    std::filesystem::create_directory(folder.file("site"));
    test::writeFile(folder.file("site/index.html"), "the old page");
    ProgramWindows windows;
    control<QCheckBox>(windows.mainWindow, "savedef")->setEnabled(true);
    control<QCheckBox>(windows.mainWindow, "savedef")->setChecked(true);
    control<QLineEdit>(windows.settingsWindow, "Edit5")->setText(
        QString::fromStdString(folder.file("site")));  // typed, not saved

    control<QPushButton>(windows.mainWindow, "Button5")->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Results saved on server."});
    EXPECT_FALSE(control<QPushButton>(windows.mainWindow, "Button4")->isEnabled());
    EXPECT_THAT(test::readFile(folder.file("site/index.html")), HasSubstr(kCreditLine));
}

TEST_F(Steps, MissingLogShowsItsMessageAndAllStopsThere) {
    // The clan's page, saved by an earlier run to the default folder.
    std::filesystem::create_directory(folder.file("site"));
    test::writeFile(folder.file("site/index.html"), "the clan's page");
    ProgramWindows windows;
    MainWindow& form = windows.mainWindow;
    control<QCheckBox>(form, "savedef")->setEnabled(true);
    control<QCheckBox>(form, "savedef")->setChecked(true);
    control<QLineEdit>(windows.settingsWindow, "Edit5")->setText(QString::fromStdString(folder.file("site")));

    control<QPushButton>(form, "Button1")->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"File does not exist"});
    EXPECT_EQ(workButtons(form), (std::vector<bool>{true, false, false, false, true}));

    // ALL with no log: the message, nothing run after it, the page untouched, and LOAD and
    // ALL usable again.
    dialogs.messages.clear();
    control<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"File does not exist"});
    EXPECT_EQ(workButtons(form), (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(test::readFile(folder.file("site/index.html")), "the clan's page");
    EXPECT_TRUE(dialogs.errors.empty());

    // Once the log is there, ALL runs to the saved page.
    test::writeFile(folder.file("games_mp.log"),
                    test::readFile(std::string(GRAVMARK_REPORT_EXPECTED) + "/generated-seed-7.log"));
    control<QPushButton>(form, "Button5")->click();
    EXPECT_THAT(test::readFile(folder.file("site/index.html")), HasSubstr(kCreditLine));
}

// An error ends the handler and the rest of ALL: here the event table cannot be written.
TEST_F(Steps, AnErrorEndsAll) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    test::writeFile(folder.file("games_mp.log"), test::readFile(kSmallLog));
    ProgramWindows windows;
    std::filesystem::remove(folder.file("lijst.xml"));
    std::filesystem::create_directory(folder.file("lijst.xml"));

    control<QPushButton>(windows.mainWindow, "Button5")->click();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_THAT(dialogs.errors[0], HasSubstr("lijst.xml"));
    EXPECT_EQ(workButtons(windows.mainWindow), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_TRUE(dialogs.messages.empty());  // SAVE never ran
}

// The window closed during ALL, directly or by a request waiting in the queue as the close
// box's does: PARSE, running then, ends whole; HTML and SAVE never run (no save dialog, no
// page), and the window closes as usual, its event table written whole to lijst.xml.
TEST_F(Steps, ClosingDuringAllClosesAfterTheRunningStep) {
    const std::string log = test::readFile(std::string(GRAVMARK_REPORT_EXPECTED) + "/generated-seed-7.log");
    for (const bool queued : {false, true}) {
        SCOPED_TRACE(queued ? "queued" : "direct");
        test::writeFile(folder.file("games_mp.log"), log);
        dialogs.saveAnswers = {folder.file("index.html")};
        ProgramWindows windows;
        MainWindow& form = windows.mainWindow;
        form.show();
        QSignalSpy closed(&form, &MainWindow::closed);
        bool asked = false;
        control<ProgressBar>(form, "Progress")->model().setPercentListener([&](int percent) {
            const bool parsing = form.run.lineCount > 0 && form.run.eventCount == 0;
            if (asked || !parsing || percent < 50) return;
            asked = true;
            if (queued) {
                QMetaObject::invokeMethod(&form, &QWidget::close, Qt::QueuedConnection);
            } else {
                form.close();
            }
        });

        control<QPushButton>(form, "Button5")->click();
        ASSERT_TRUE(asked);
        EXPECT_EQ(closed.count(), 1);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(dialogs.saveAnswers.size(), 1u);  // no save dialog
        EXPECT_FALSE(std::filesystem::exists(folder.file("index.html")));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_TRUE(dialogs.errors.empty());
        ASSERT_GT(form.run.eventCount, 0);
        ASSERT_FALSE(form.run.eventTable.active());
        form.run.eventTable.open();
        EXPECT_EQ(form.run.eventTable.recordCount(), form.run.eventCount);
    }
}

// "Let me join Names": HTML fills both lists and shows the merge window; JOIN NAMES renames
// the selected names' events; HTML without it then counts them under the kept name.
TEST_F(Steps, MergeFlowJoinsNamesBeforeTheStatistics) {
    test::writeFile(folder.file("games_mp.log"),
                    "  0:00 InitGame: \\g_gametype\\dm\\gamename\\X\\mapname\\mp_a\\protocol\\6\n"
                    "  0:01 J;g1;1;Alpha\n"
                    "  0:02 J;g2;2;Alpha2\n"
                    "  0:03 J;g3;3;Zed\n"
                    "  0:04 K;g3;3;axis;Zed;g1;1;allies;Alpha;mp5_mp;40;MOD_RIFLE_BULLET;head\n"
                    "  0:05 K;g3;3;axis;Zed;g2;2;allies;Alpha2;mp5_mp;40;MOD_RIFLE_BULLET;torso\n"
                    "  0:06 K;g1;1;allies;Alpha;g3;3;axis;Zed;mp5_mp;40;MOD_RIFLE_BULLET;torso\n");
    ProgramWindows windows;
    MainWindow& form = windows.mainWindow;
    control<QPushButton>(form, "Button1")->click();
    control<QPushButton>(form, "Button2")->click();
    control<QCheckBox>(form, "CheckBox2")->setChecked(true);
    const std::string logLines = form.run.logLines.text();

    control<QPushButton>(form, "Button3")->click();
    MergeNamesWindow& merge = windows.mergeNamesWindow;
    EXPECT_TRUE(merge.isVisible());
    const QStringList roster{"Alpha", "Alpha2", "Zed"};
    for (QListWidget* list : {control<QListWidget>(merge, "ListBox1"), control<QListWidget>(merge, "ListBox2")}) {
        ASSERT_EQ(list->count(), 3);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(list->item(i)->text(), roster[i]);
    }
    EXPECT_EQ(form.run.logLines.text(), logLines);  // nothing counted, the log stays
    EXPECT_TRUE(control<QPushButton>(form, "Button3")->isEnabled());

    control<QListWidget>(merge, "ListBox1")->item(0)->setSelected(true);
    control<QListWidget>(merge, "ListBox2")->item(1)->setSelected(true);
    control<QPushButton>(merge, "Button1")->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Merge done!"});
    EXPECT_FALSE(merge.isVisible());

    control<QCheckBox>(form, "CheckBox2")->setChecked(false);
    control<QPushButton>(form, "Button3")->click();
    const std::string page = form.run.logLines.text();
    EXPECT_THAT(page, HasSubstr("<tr><td>2</td><td>Alpha</td>"));
    EXPECT_THAT(page, Not(HasSubstr("<td>Alpha2</td>")));
}

// HTML takes PARSE's events as they are only while the grid holds them unedited: an edit
// posted after PARSE, or one still pending, reaches the page.
TEST_F(Steps, GridEditsAfterParseReachThePage) {
    test::writeFile(folder.file("games_mp.log"),
                    "  0:00 InitGame: \\g_gametype\\dm\\gamename\\X\\mapname\\mp_a\\protocol\\6\n"
                    "  0:01 J;g1;1;Alpha\n"
                    "  0:02 J;g3;3;Zed\n"
                    "  0:03 K;g3;3;axis;Zed;g1;1;allies;Alpha;mp5_mp;40;MOD_RIFLE_BULLET;head\n"
                    "  0:04 K;g1;1;allies;Alpha;g3;3;axis;Zed;mp5_mp;40;MOD_RIFLE_BULLET;torso\n");
    enum class Edit { None, Posted, Pending };
    // LOAD, PARSE, the edit of the log's last event (Alpha's kill) to Omega's, HTML: the page.
    const auto pageAfter = [](Edit edit) {
        ProgramWindows windows;
        MainWindow& form = windows.mainWindow;
        control<QPushButton>(form, "Button1")->click();
        control<QPushButton>(form, "Button2")->click();
        if (edit != Edit::None) {
            RecordTable& grid = form.run.eventTable;
            grid.first();
            grid.edit();
            grid.setText(EventField::kAttackerName, "Omega");
            if (edit == Edit::Posted) grid.post();
        }
        control<QPushButton>(form, "Button3")->click();
        return form.run.logLines.text();
    };
    EXPECT_THAT(pageAfter(Edit::None), Not(HasSubstr("<td>Omega</td>")));
    EXPECT_THAT(pageAfter(Edit::Posted), HasSubstr("<tr><td>1</td><td>Omega</td>"));
    EXPECT_THAT(pageAfter(Edit::Pending), HasSubstr("<tr><td>1</td><td>Omega</td>"));
}

TEST_F(Steps, JoinNamesWithNothingSelectedOnTheLeftChangesNothing) {
    ProgramWindows windows;
    windows.mergeNamesWindow.setRoster({"Alpha", "Beta"});
    windows.mergeNamesWindow.offerRosterForMerging();
    control<QListWidget>(windows.mergeNamesWindow, "ListBox2")->item(1)->setSelected(true);
    control<QPushButton>(windows.mergeNamesWindow, "Button1")->click();
    EXPECT_EQ(dialogs.errors, std::vector<std::string>{"List index out of bounds (-1)"});
    EXPECT_TRUE(windows.mergeNamesWindow.isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

// "Player pages", ticked in the settings window (not saved): SAVE writes the pages with
// the page, under the name the dialog gave, and the batch writes the same files.
TEST_F(Steps, PlayerPagesGoWithThePageFromTheWindowAndTheBatch) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    prepareStoredPageRun();
    std::filesystem::create_directories(folder.file("desktop"));
    std::filesystem::create_directories(folder.file("batch"));
    {
        ProgramWindows windows;
        fixClock(windows.mainWindow);
        QCheckBox* playerPages = control<QCheckBox>(windows.settingsWindow, "CheckBox9");
        ASSERT_NE(playerPages, nullptr);
        EXPECT_EQ(playerPages->text(), "Player pages");
        EXPECT_FALSE(playerPages->isChecked());
        EXPECT_EQ(nextTabStop(control<QCheckBox>(windows.settingsWindow, "history")), playerPages);
        playerPages->setChecked(true);
        dialogs.saveAnswers.push_back(folder.file("desktop/stats.html"));
        control<QPushButton>(windows.mainWindow, "Button5")->click();
    }
    const std::string page = test::readFile(folder.file("desktop/stats.html"));
    EXPECT_EQ(countOf(page, "<td><a href=\"players/"), 4);
    const std::string kipsate =
        test::readFile(folder.file("desktop/players/AIkipsate-de1ac9a34c2ac264.html"));
    EXPECT_THAT(kipsate, HasSubstr("<a href=\"../stats.html\">Statistics</a>"));

    test::writeFile(folder.file("GravmarkParser.INI"), "[General]\r\nplayerpages=1\r\n[Medals]\r\ntnt=1\r\n");
    ASSERT_EQ(runBatchTo(folder.file("batch/stats.html")), 0);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.file("desktop"))) {
        if (!entry.is_regular_file()) continue;
        const auto relative = std::filesystem::relative(entry.path(), folder.file("desktop"));
        EXPECT_EQ(test::readFile(entry.path().string()),
                  test::readFile(folder.file("batch/" + relative.string())))
            << relative;
    }
}

}  // namespace
}  // namespace gravmark
