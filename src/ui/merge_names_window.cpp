#include "ui/merge_names_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

#include "common/dialogs.h"
#include "common/program_folder.h"
#include "merge/join_names.h"
#include "names/alias_list.h"
#include "names/kept_names.h"
#include "ui/db_navigator.h"
#include "ui/error_guard.h"
#include "ui/event_grid_panel.h"
#include "ui/place_widget.h"
#include "ui/progress_bar.h"
#include "ui/ui_font.h"

namespace gravmark {

namespace {

// A label as wide as its caption, like the design's auto-sized labels.
QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* label = place(new QLabel(QString::fromLatin1(caption), parent), name, left, top, 0, 13);
    label->resize(label->sizeHint().width(), 13);
    return label;
}

}  // namespace

MergeNamesWindow::MergeNamesWindow(RecordTable& events, QWidget* parent) : QWidget(parent), events_(events) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Merge names"));
    setWindowFlags(Qt::Window);
    setFont(uiFont());
    resize(693, 660);
    move(0, 0);

    // Created first, so that it lies below the controls it shares the top band with.
    eventGrid = new EventGridPanel(events_, this);
    joinNamesButton =
        place(new QPushButton(QStringLiteral("JOIN NAMES"), this), "Button1", 512, 191, 161, 25);
    // The hint is kept for assistive tools; the window shows no tooltips.
    joinNamesButton->setAccessibleDescription(QStringLiteral(
        "Select in the left box the name you want to keep.\n"
        "Select multiple names in the right box that will be converted to the name on the left.\n"
        "Then click join names. Afterwards this window will close. If you need to convert more "
        "name, re-open the window."));
    sourceNameLabel = label(this, "Label1", "Select one Source name", 16, 236);
    mergedNamesLabel = label(this, "Label2", "Select multiple names to merge", 352, 235);
    sourceNameList = place(new QListWidget(this), "ListBox1", 8, 255, 329, 193);
    sourceNameList->setSelectionMode(QAbstractItemView::SingleSelection);
    mergedNamesList = place(new QListWidget(this), "ListBox2", 352, 254, 333, 193);
    mergedNamesList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    joinProgressBar = place(new ProgressBar(this), "joinstatus", 8, 458, 677, 17);
    createRuleList();

    chainTabOrder({eventGrid->grid(), eventGrid->navigator(), sourceNameList, mergedNamesList,
                   joinNamesButton, keptRulesList, removeRuleButton});

    connect(joinNamesButton, &QPushButton::clicked, this,
            guarded(this, &MergeNamesWindow::joinSelectedNames));
    connect(removeRuleButton, &QPushButton::clicked, this,
            guarded(this, &MergeNamesWindow::removeSelectedRule));
}

void MergeNamesWindow::createRuleList() {
    keptRulesLabel = label(this, "Label3", "Kept names (alias -> kept name), applied by every run", 16, 484);
    keptRulesList = place(new QListWidget(this), "ListBox3", 8, 500, 677, 97);
    keptRulesList->setSelectionMode(QAbstractItemView::SingleSelection);
    removeRuleButton =
        place(new QPushButton(QStringLiteral("REMOVE RULE"), this), "Button2", 512, 603, 161, 25);
    removeRuleNoteLabel = label(this, "Label4", "A removed rule takes effect from the next PARSE.", 16, 609);
    sharedIdsLabel = place(new QLabel(this), "Label5", 16, 636, 669, 13);
    sharedIdsLabel->hide();
}

// Closing hides the event grid too: "show db" reveals it again.
void MergeNamesWindow::closeEvent(QCloseEvent* event) {
    eventGrid->hide();
    event->accept();
}

void MergeNamesWindow::showEventGrid() {
    eventGrid->show();
    show();
    raise();
}

void MergeNamesWindow::setRoster(const std::vector<std::string>& roster) {
    sourceNameList->clear();
    for (const std::string& name : roster) sourceNameList->addItem(QString::fromLatin1(name));
}

void MergeNamesWindow::offerRosterForMerging() {
    mergedNamesList->clear();
    for (int i = 0; i < sourceNameList->count(); ++i)
        mergedNamesList->addItem(sourceNameList->item(i)->text());
    showKeptRules();
    show();
    raise();
}

void MergeNamesWindow::joinSelectedNames() {
    std::optional<std::string> keptName;
    if (const QList<QListWidgetItem*> kept = sourceNameList->selectedItems(); !kept.isEmpty()) {
        keptName = kept.front()->text().toLatin1().toStdString();
    }
    std::vector<std::pair<std::string, bool>> rightItems;
    rightItems.reserve(static_cast<size_t>(mergedNamesList->count()));
    for (int i = 0; i < mergedNamesList->count(); ++i) {
        const QListWidgetItem* item = mergedNamesList->item(i);
        rightItems.emplace_back(item->text().toLatin1().toStdString(), item->isSelected());
    }
    const std::vector<std::string> merged =
        joinNames(events_, keptName, rightItems, joinProgressBar->model());
    const std::vector<std::string> notKept = keepJoinedNames(programFolder(), *keptName, merged);
    dialogs().showMessage("Merge done!");
    if (!notKept.empty()) dialogs().showMessage(problemsText(notKept));
    hide();  // not closed: the event grid keeps its visibility
}

void MergeNamesWindow::showKeptRules() {
    keptRulesList->clear();
    for (const AliasRule& rule : AliasList::read(AliasList::fileName(programFolder())).rules()) {
        auto* item = new QListWidgetItem(QString::fromLatin1(rule.alias + " -> " + rule.kept), keptRulesList);
        item->setData(Qt::UserRole, QByteArray::fromStdString(rule.alias));
    }
}

void MergeNamesWindow::removeSelectedRule() {
    const QList<QListWidgetItem*> selected = keptRulesList->selectedItems();
    if (selected.isEmpty()) return;
    const std::string path = AliasList::fileName(programFolder());
    AliasList list = AliasList::read(path);
    if (list.remove(selected.front()->data(Qt::UserRole).toByteArray().toStdString())) list.write(path);
    showKeptRules();
    dialogs().showMessage(
        "The rule is removed. The events of this run are already renamed: it takes effect from the next "
        "PARSE.");
}

void MergeNamesWindow::showSharedIds(const std::vector<std::string>& ids) {
    sharedIdsLabel->setText(QString::fromLatin1(sharedIdsText(ids)));
    sharedIdsLabel->setVisible(!ids.empty());
}

}  // namespace gravmark
