#pragma once
// The merge window: the player roster on the left, the names to merge on the right, JOIN
// NAMES, and the event grid over the event table that "show db" reveals. Below them the
// rules kept in aliases.txt, which every run applies, with REMOVE RULE, and the player ids
// not used for merging. Created hidden; closing it hides it and its event grid.
//
// The widgets are the window's own; they keep their old object names (`Form2`, `Button1`,
// `ListBox1`, `joinstatus`, ...), by which scripts, tests and accessibility tools find them.
#include <QWidget>
#include <string>
#include <vector>

#include "table/record_table.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace gravmark {

class EventGridPanel;
class ProgressBar;

class MergeNamesWindow : public QWidget {
    Q_OBJECT
public:
    explicit MergeNamesWindow(RecordTable& events, QWidget* parent = nullptr);

    // JOIN NAMES: every event of the names selected on the right takes the name selected
    // on the left; then "Merge done!" and the window hides.
    void joinSelectedNames();
    // REMOVE RULE: the rule selected in the kept rules leaves aliases.txt.
    void removeSelectedRule();

    // The player roster becomes the items of the source names.
    void setRoster(const std::vector<std::string>& roster);
    // The names to merge get a copy of the source names, the kept rules are read again,
    // and the window shows, for merging.
    void offerRosterForMerging();
    // The ids seen with too many names to merge by, as "ID (N names)"; none hides the line.
    void showSharedIds(const std::vector<std::string>& ids);
    // "show db": the window shows, in front, with its event grid.
    void showEventGrid();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createRuleList();
    void showKeptRules();

    // The event table of the main window.
    RecordTable& events_;

    EventGridPanel* eventGrid = nullptr;
    QPushButton* joinNamesButton = nullptr;   // Button1, "JOIN NAMES"
    QLabel* sourceNameLabel = nullptr;        // Label1
    QLabel* mergedNamesLabel = nullptr;       // Label2
    QListWidget* sourceNameList = nullptr;    // ListBox1: the roster, one name to keep
    QListWidget* mergedNamesList = nullptr;   // ListBox2: the names that take it
    ProgressBar* joinProgressBar = nullptr;   // joinstatus
    QLabel* keptRulesLabel = nullptr;         // Label3
    QListWidget* keptRulesList = nullptr;     // ListBox3: the kept rules, "alias -> kept name"
    QPushButton* removeRuleButton = nullptr;  // Button2, "REMOVE RULE"
    QLabel* removeRuleNoteLabel = nullptr;    // Label4
    QLabel* sharedIdsLabel = nullptr;         // Label5: the ids not used for merging
};

}  // namespace gravmark
