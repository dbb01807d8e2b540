#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "ui/event_grid_panel.h"
#include "ui/program_windows.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::control;

class MergeWindow : public test::WindowTest {
protected:
    static void addJoin(RecordTable& db, const char* name) {
        db.insert();
        db.setText("command", "J");
        db.setText("a_name", name);
        db.post();
    }
};

TEST_F(MergeWindow, HasItsLayoutAndStartsHidden) {
    ProgramWindows windows;
    const MergeNamesWindow& form = windows.mergeNamesWindow;
    EXPECT_EQ(form.windowTitle(), "Merge names");
    EXPECT_EQ(form.size(), QSize(693, 660));
    EXPECT_NE(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(control<QTableView>(form, "DBGridEh1")->geometry(), QRect(8, 8, 677, 177));
    EXPECT_EQ(control<QWidget>(form, "DBNavigator1")->geometry(), QRect(8, 191, 240, 25));
    EXPECT_FALSE(control<QTableView>(form, "DBGridEh1")->isVisibleTo(&form));
    EXPECT_FALSE(control<DbNavigator>(form, "DBNavigator1")->isVisibleTo(&form));
    EXPECT_EQ(control<QPushButton>(form, "Button1")->text(), "JOIN NAMES");
    EXPECT_TRUE(control<QPushButton>(form, "Button1")->toolTip().isEmpty());
    EXPECT_EQ(
        control<QPushButton>(form, "Button1")->accessibleDescription().split('\n'),
        QStringList({"Select in the left box the name you want to keep.",
                     "Select multiple names in the right box that will be converted to the name on the left.",
                     "Then click join names. Afterwards this window will close. If you need to convert more "
                     "name, re-open the window."}));
    EXPECT_EQ(control<QLabel>(form, "Label1")->text(), "Select one Source name");
    EXPECT_EQ(control<QLabel>(form, "Label2")->text(), "Select multiple names to merge");
    EXPECT_EQ(control<QListWidget>(form, "ListBox1")->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(control<QListWidget>(form, "ListBox2")->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(control<QProgressBar>(form, "joinstatus")->geometry().topLeft(), QPoint(8, 458));
    EXPECT_EQ(control<QPushButton>(form, "Button2")->text(), "REMOVE RULE");
    EXPECT_EQ(control<QListWidget>(form, "ListBox3")->geometry(), QRect(8, 500, 677, 97));
    EXPECT_FALSE(control<QLabel>(form, "Label5")->isVisibleTo(&form));
    QWidget* expectedOrder[] = {control<QWidget>(form, "DBGridEh1"), control<QWidget>(form, "DBNavigator1"),
                                control<QWidget>(form, "ListBox1"),  control<QWidget>(form, "ListBox2"),
                                control<QWidget>(form, "Button1"),   control<QWidget>(form, "ListBox3"),
                                control<QWidget>(form, "Button2")};
    for (size_t i = 1; i < std::size(expectedOrder); ++i) {
        EXPECT_EQ(nextTabStop(expectedOrder[i - 1]), expectedOrder[i]) << i;
    }
}

TEST_F(MergeWindow, GridShowsAndEditsTheEventTable) {
    ProgramWindows windows;
    RecordTable& db = windows.mainWindow.run.eventTable;
    addJoin(db, "Alpha");
    addJoin(db, "Bravo");
    control<QAction>(windows.mainWindow, "showdb1")->trigger();
    QCoreApplication::processEvents();
    QAbstractItemModel* model = control<QTableView>(windows.mergeNamesWindow, "DBGridEh1")->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->columnCount(), 13);
    EXPECT_EQ(model->headerData(4, Qt::Horizontal).toString(), "a_name");
    // A posted insert stands before the record that was current: Bravo, Alpha.
    EXPECT_EQ(model->data(model->index(0, 4)).toString(), "Bravo");
    EXPECT_EQ(model->data(model->index(1, 4)).toString(), "Alpha");

    EXPECT_TRUE(model->setData(model->index(0, 4), "Charlie"));
    QCoreApplication::processEvents();
    db.first();
    EXPECT_EQ(db.textOf("a_name"), "Charlie");
    EXPECT_EQ(db.state(), TableState::Browsing);

    control<QToolButton>(windows.mergeNamesWindow, "last")->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(db.textOf("a_name"), "Alpha");
    EXPECT_EQ(control<QTableView>(windows.mergeNamesWindow, "DBGridEh1")->currentIndex().row(), 1);
    EXPECT_TRUE(dialogs.errors.empty());
}

// JOIN NAMES hides the window without its close step: the grid opened by "show db" is
// there again when HTML next opens the window for merging.
TEST_F(MergeWindow, JoinNamesHidesTheWindowAndKeepsTheGridForTheNextOpening) {
    ProgramWindows windows;
    MergeNamesWindow& form = windows.mergeNamesWindow;
    addJoin(windows.mainWindow.run.eventTable, "Alpha");
    control<QAction>(windows.mainWindow, "showdb1")->trigger();
    form.setRoster({"Alpha", "Alpha2"});
    form.offerRosterForMerging();
    control<QListWidget>(form, "ListBox1")->item(0)->setSelected(true);
    control<QPushButton>(form, "Button1")->click();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Merge done!"});
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(control<ProgressBar>(form, "joinstatus")->value(), 100);

    form.offerRosterForMerging();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(control<QTableView>(form, "DBGridEh1")->isVisible());
    EXPECT_TRUE(control<DbNavigator>(form, "DBNavigator1")->isVisible());
}

}  // namespace
}  // namespace gravmark
