#include "ui/record_table_model.h"

#include "ui/error_guard.h"

namespace gravmark {

RecordTableModel::RecordTableModel(RecordTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    table_.setChangeListener([this] { scheduleRefresh(); });
    refresh();
}

// The table outlives the grid: it must not call back into a model that is gone.
RecordTableModel::~RecordTableModel() { table_.setChangeListener(nullptr); }

void RecordTableModel::scheduleRefresh() {
    if (refreshPending_) return;
    refreshPending_ = true;
    QMetaObject::invokeMethod(this, &RecordTableModel::refresh, Qt::QueuedConnection);
}

void RecordTableModel::refresh() {
    refreshPending_ = false;
    beginResetModel();
    columns_ = static_cast<int>(table_.fieldDefs().size());
    rows_ = table_.active() ? table_.viewSize() : 0;
    endResetModel();
    emit currentRowChanged(table_.active() ? table_.currentRow() : -1);
}

int RecordTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int RecordTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    // Until the pending refresh the view may ask for rows the table no longer has.
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !table_.active() ||
        index.row() >= table_.viewSize() || index.column() >= static_cast<int>(table_.fieldDefs().size())) {
        return {};
    }
    const Value value = table_.viewValue(index.row(), index.column());
    if (const auto* text = std::get_if<std::string>(&value)) {
        return QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size()));
    }
    if (const auto* number = std::get_if<int32_t>(&value)) return *number;
    if (const auto* number = std::get_if<double>(&value)) return *number;
    return {};
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section >= static_cast<int>(table_.fieldDefs().size())) return {};
    return QString::fromLatin1(table_.fieldDefs()[static_cast<size_t>(section)].name);
}

Qt::ItemFlags RecordTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool RecordTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    return runGuarded([&] {
        const std::string field = table_.fieldDefs().at(static_cast<size_t>(index.column())).name;
        table_.moveToRow(index.row());
        table_.edit();
        table_.setText(field, value.toString().toLatin1().toStdString());
        table_.post();
    });
}

}  // namespace gravmark
