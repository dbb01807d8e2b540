#pragma once
// TForm2, the merge window (Form2): the player roster on the left, the names to merge
// on the right, JOIN NAMES, and a data grid with a record navigator over the event table
// `db` that "show db" reveals. Below them the rules kept in aliases.txt, which every run
// applies, with REMOVE RULE, and the player ids not used for merging. Created hidden;
// closing it hides it.
#include <QWidget>
#include <string>
#include <vector>

#include "table/record_table.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace gravmark {

class DbNavigator;
class ProgressBar;
class RecordTableModel;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(RecordTable& db, QWidget* parent = nullptr);

    void FormClose();
    // JOIN NAMES: every event of the names selected on the right takes the name selected
    // on the left; then "Merge done!" and the window hides.
    void Button1Click();

    // The player roster becomes the items of ListBox1.
    void setRoster(const std::vector<std::string>& roster);
    // ListBox2 gets a copy of ListBox1's items, the kept rules are read again, and the
    // window shows, for merging.
    void offerRosterForMerging();
    // REMOVE RULE: the rule selected in ListBox3 leaves aliases.txt.
    void Button2Click();
    // The ids seen with too many names to merge by, as "ID (N names)"; none hides the line.
    void showSharedIds(const std::vector<std::string>& ids);

    QTableView* DBGridEh1 = nullptr;
    DbNavigator* DBNavigator1 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    ProgressBar* joinstatus = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* ListBox3 = nullptr;  // the kept rules, "alias -> kept name"
    QPushButton* Button2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;  // the ids not used for merging

    // The event table of the main window.
    RecordTable& db;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createGrid();
    void createRuleList();
    void showKeptRules();

    RecordTableModel* gridModel_ = nullptr;
};

}  // namespace gravmark
