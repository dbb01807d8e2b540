#pragma once
// The event table `events` as a data grid with its record navigator, which "show db" reveals
// in the merge window. The grid's current row is the table's current record, both ways;
// editing a cell edits the record. Created hidden.
//
// The panel spans the merge window's top band from the window's corner, so that the grid
// and the navigator keep the window's coordinates; it draws nothing itself and lies below
// the window's other controls.
#include <QWidget>

#include "table/record_table.h"

class QTableView;

namespace gravmark {

class DbNavigator;
class RecordTableModel;

class EventGridPanel : public QWidget {
    Q_OBJECT
public:
    explicit EventGridPanel(RecordTable& events, QWidget* parent);

    // For the window's tab order.
    QWidget* grid() const;
    QWidget* navigator() const;

private:
    RecordTable& events_;
    QTableView* grid_ = nullptr;        // DBGridEh1
    DbNavigator* navigator_ = nullptr;  // DBNavigator1
    RecordTableModel* model_ = nullptr;
};

}  // namespace gravmark
