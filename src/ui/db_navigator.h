#pragma once
// The record navigator of the merge window's data grid: first, prior, next, last,
// insert, delete, edit, post, cancel and refresh on a record table. Each button runs
// through the application's error handler.
#include <QWidget>

#include "table/record_table.h"

namespace gravmark {

class RecordTableModel;

class DbNavigator : public QWidget {
    Q_OBJECT
public:
    DbNavigator(RecordTable& table, RecordTableModel& model, QWidget* parent = nullptr);
};

}  // namespace gravmark
