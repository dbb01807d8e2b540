#pragma once
// The data grid's model of a record table: the rows of the table's current view, one
// column per field. Editing a cell edits that record through the table (edit, set the
// field's text, post), so the table converts and checks the value as it does for code.
//
// The model takes the table's change listener. Changes are gathered and the model is
// reset once when control returns to the event loop, so a step that inserts a million
// records costs the grid one reset.
#include <QAbstractTableModel>

#include "table/record_table.h"

namespace gravmark {

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordTableModel(RecordTable& table, QObject* parent = nullptr);
    ~RecordTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Rereads the table's view now.
    void refresh();

signals:
    // After a refresh: the table's current record, as a row of the view (-1: none).
    void currentRowChanged(int row);

private:
    void scheduleRefresh();

    RecordTable& table_;
    int rows_ = 0;
    int columns_ = 0;
    bool refreshPending_ = false;
};

}  // namespace gravmark
