#include "ui/db_navigator.h"

#include <QToolButton>
#include <functional>

#include "ui/error_guard.h"
#include "ui/record_table_model.h"

namespace gravmark {

DbNavigator::DbNavigator(RecordTable& table, RecordTableModel& model, QWidget* parent) : QWidget(parent) {
    struct Entry {
        const char* name;
        const char* glyph;
        const char* hint;
        std::function<void()> action;
    };
    const Entry entries[] = {
        {"first", "|\u25C0", "First record", [&table] { table.first(); }},
        {"prior", "\u25C0", "Prior record", [&table] { table.prior(); }},
        {"next", "\u25B6", "Next record", [&table] { table.next(); }},
        {"last", "\u25B6|", "Last record", [&table] { table.last(); }},
        {"insert", "+", "Insert record", [&table] { table.insert(); }},
        {"delete", "\u2212", "Delete record", [&table] { table.deleteRecord(); }},
        {"edit", "\u25B2", "Edit record", [&table] { table.edit(); }},
        {"post", "\u2714", "Post edit", [&table] { table.post(); }},
        {"cancel", "\u2718", "Cancel edit", [&table] { table.cancel(); }},
        {"refresh", "\u21BB", "Refresh data", [&model] { model.refresh(); }},
    };
    constexpr int kButtonWidth = 24;
    int left = 0;
    for (const auto& entry : entries) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setText(QString::fromUtf8(entry.glyph));
        button->setToolTip(QString::fromLatin1(entry.hint));
        button->setGeometry(left, 0, kButtonWidth, 25);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [action = entry.action] { runGuarded(action); });
        left += kButtonWidth;
    }
    setFocusPolicy(Qt::TabFocus);
}

}  // namespace gravmark
