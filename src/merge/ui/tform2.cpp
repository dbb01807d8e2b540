#include "merge/ui/tform2.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include "app/error_guard.h"
#include "app/place_widget.h"
#include "app/progress_bar.h"
#include "app/ui_font.h"
#include "common/dialogs.h"
#include "common/program_folder.h"
#include "merge/join_names.h"
#include "merge/ui/db_navigator.h"
#include "merge/ui/record_table_model.h"
#include "names/alias_list.h"
#include "names/kept_names.h"

namespace gravmark {

namespace {

// A label as wide as its caption, like the design's auto-sized labels.
QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* label = place(new QLabel(QString::fromLatin1(caption), parent), name, left, top, 0, 13);
    label->resize(label->sizeHint().width(), 13);
    return label;
}

}  // namespace

TForm2::TForm2(RecordTable& table, QWidget* parent) : QWidget(parent), db(table) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Merge names"));
    setWindowFlags(Qt::Window);
    setFont(uiFont());
    resize(693, 660);
    move(0, 0);

    createGrid();
    Button1 = place(new QPushButton(QStringLiteral("JOIN NAMES"), this), "Button1", 512, 191, 161, 25);
    // The hint is kept for assistive tools; the window shows no tooltips.
    Button1->setAccessibleDescription(QStringLiteral(
        "Select in the left box the name you want to keep.\n"
        "Select multiple names in the right box that will be converted to the name on the left.\n"
        "Then click join names. Afterwards this window will close. If you need to convert more "
        "name, re-open the window."));
    Label1 = label(this, "Label1", "Select one Source name", 16, 236);
    Label2 = label(this, "Label2", "Select multiple names to merge", 352, 235);
    ListBox1 = place(new QListWidget(this), "ListBox1", 8, 255, 329, 193);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox2 = place(new QListWidget(this), "ListBox2", 352, 254, 333, 193);
    ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    joinstatus = place(new ProgressBar(this), "joinstatus", 8, 458, 677, 17);
    createRuleList();

    chainTabOrder({DBGridEh1, DBNavigator1, ListBox1, ListBox2, Button1, ListBox3, Button2});

    connect(Button1, &QPushButton::clicked, this, guarded(this, &TForm2::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guarded(this, &TForm2::Button2Click));
}

void TForm2::createRuleList() {
    Label3 = label(this, "Label3", "Kept names (alias -> kept name), applied by every run", 16, 484);
    ListBox3 = place(new QListWidget(this), "ListBox3", 8, 500, 677, 97);
    ListBox3->setSelectionMode(QAbstractItemView::SingleSelection);
    Button2 = place(new QPushButton(QStringLiteral("REMOVE RULE"), this), "Button2", 512, 603, 161, 25);
    Label4 = label(this, "Label4", "A removed rule takes effect from the next PARSE.", 16, 609);
    Label5 = place(new QLabel(this), "Label5", 16, 636, 669, 13);
    Label5->hide();
}

void TForm2::createGrid() {
    gridModel_ = new RecordTableModel(db, this);
    DBGridEh1 = place(new QTableView(this), "DBGridEh1", 8, 8, 677, 177);
    DBGridEh1->setModel(gridModel_);
    DBGridEh1->verticalHeader()->setDefaultSectionSize(17);
    DBGridEh1->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGridEh1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridEh1->hide();
    // The grid's current row is the table's current record, both ways.
    connect(DBGridEh1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != db.currentRow()) {
                    runGuarded([&] { db.moveToRow(current.row()); });
                }
            });
    connect(gridModel_, &RecordTableModel::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        const int column = std::max(DBGridEh1->currentIndex().column(), 0);
        DBGridEh1->setCurrentIndex(gridModel_->index(row, column));
    });

    DBNavigator1 = place(new DbNavigator(db, *gridModel_, this), "DBNavigator1", 8, 191, 240, 25);
    DBNavigator1->hide();
}

void TForm2::FormClose() {
    DBGridEh1->hide();
    DBNavigator1->hide();
}

void TForm2::closeEvent(QCloseEvent* event) {
    runGuarded([this] { FormClose(); });
    event->accept();
}

void TForm2::setRoster(const std::vector<std::string>& roster) {
    ListBox1->clear();
    for (const std::string& name : roster) ListBox1->addItem(QString::fromLatin1(name));
}

void TForm2::offerRosterForMerging() {
    ListBox2->clear();
    for (int i = 0; i < ListBox1->count(); ++i) ListBox2->addItem(ListBox1->item(i)->text());
    showKeptRules();
    show();
    raise();
}

void TForm2::Button1Click() {
    std::optional<std::string> keptName;
    if (const QList<QListWidgetItem*> kept = ListBox1->selectedItems(); !kept.isEmpty()) {
        keptName = kept.front()->text().toLatin1().toStdString();
    }
    std::vector<std::pair<std::string, bool>> rightItems;
    rightItems.reserve(static_cast<size_t>(ListBox2->count()));
    for (int i = 0; i < ListBox2->count(); ++i) {
        const QListWidgetItem* item = ListBox2->item(i);
        rightItems.emplace_back(item->text().toLatin1().toStdString(), item->isSelected());
    }
    const std::vector<std::string> merged = joinNames(db, keptName, rightItems, joinstatus->model());
    const std::vector<std::string> notKept = keepJoinedNames(programFolder(), *keptName, merged);
    dialogs().showMessage("Merge done!");
    if (!notKept.empty()) dialogs().showMessage(problemsText(notKept));
    hide();  // not closed: the grid and the navigator keep their visibility
}

void TForm2::showKeptRules() {
    ListBox3->clear();
    for (const AliasRule& rule : AliasList::read(AliasList::fileName(programFolder())).rules()) {
        auto* item = new QListWidgetItem(QString::fromLatin1(rule.alias + " -> " + rule.kept), ListBox3);
        item->setData(Qt::UserRole, QByteArray::fromStdString(rule.alias));
    }
}

void TForm2::Button2Click() {
    const QList<QListWidgetItem*> selected = ListBox3->selectedItems();
    if (selected.isEmpty()) return;
    const std::string path = AliasList::fileName(programFolder());
    AliasList list = AliasList::read(path);
    if (list.remove(selected.front()->data(Qt::UserRole).toByteArray().toStdString())) list.write(path);
    showKeptRules();
    dialogs().showMessage(
        "The rule is removed. The events of this run are already renamed: it takes effect from the next PARSE.");
}

void TForm2::showSharedIds(const std::vector<std::string>& ids) {
    Label5->setText(QString::fromLatin1(sharedIdsText(ids)));
    Label5->setVisible(!ids.empty());
}

}  // namespace gravmark
