#include "ui/event_grid_panel.h"

#include <QHeaderView>
#include <QTableView>
#include <algorithm>

#include "ui/db_navigator.h"
#include "ui/error_guard.h"
#include "ui/place_widget.h"
#include "ui/record_table_model.h"

namespace gravmark {

EventGridPanel::EventGridPanel(RecordTable& events, QWidget* parent) : QWidget(parent), events_(events) {
    setGeometry(0, 0, 685, 216);
    model_ = new RecordTableModel(events_, this);
    grid_ = place(new QTableView(this), "DBGridEh1", 8, 8, 677, 177);
    grid_->setModel(model_);
    grid_->verticalHeader()->setDefaultSectionSize(17);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != events_.currentRow()) {
                    runGuarded([&] { events_.moveToRow(current.row()); });
                }
            });
    connect(model_, &RecordTableModel::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        const int column = std::max(grid_->currentIndex().column(), 0);
        grid_->setCurrentIndex(model_->index(row, column));
    });

    navigator_ = place(new DbNavigator(events_, *model_, this), "DBNavigator1", 8, 191, 240, 25);
    hide();
}

QWidget* EventGridPanel::grid() const { return grid_; }

QWidget* EventGridPanel::navigator() const { return navigator_; }

}  // namespace gravmark
