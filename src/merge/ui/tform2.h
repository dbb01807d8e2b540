#pragma once
// TForm2, the merge window (Form2): the player roster on the left, the names to merge
// on the right, JOIN NAMES, and a data grid with a record navigator over the event table
// `db` that "show db" reveals. Created hidden; closing it hides it.
#include <QWidget>

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
    void Button1Click();

    QTableView* DBGridEh1 = nullptr;
    DbNavigator* DBNavigator1 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    ProgressBar* joinstatus = nullptr;

    // The event table of the main window.
    RecordTable& db;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createGrid();

    RecordTableModel* gridModel_ = nullptr;
};

}  // namespace gravmark
