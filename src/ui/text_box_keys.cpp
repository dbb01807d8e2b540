// The keyboard of the text box: caret movement and selection, editing, clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include "ui/text_box.h"

namespace gravmark {

void TextBox::keyPressEvent(QKeyEvent* event) {
    settle();
    if (moveCaret(event) || edit(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool TextBox::moveCaret(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const size_t lastRow = lines_.rowCount() - 1;
    Position to = caret_;
    qreal keepX = -1;
    ptrdiff_t rows = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            if (!shift && hasSelection()) {
                to = std::min(anchor_, caret_);
            } else if (to.column > 0) {
                --to.column;
            } else if (to.row > 0) {
                --to.row;
                to.column = lines_.row(to.row).size();
            }
            break;
        case Qt::Key_Right:
            if (!shift && hasSelection()) {
                to = std::max(anchor_, caret_);
            } else if (to.column < lines_.row(to.row).size()) {
                ++to.column;
            } else if (to.row < lastRow) {
                to = {to.row + 1, 0};
            }
            break;
        case Qt::Key_Up:
            rows = -1;
            break;
        case Qt::Key_Down:
            rows = 1;
            break;
        case Qt::Key_PageUp:
            rows = -visibleRows();
            break;
        case Qt::Key_PageDown:
            rows = visibleRows();
            break;
        case Qt::Key_Home:
            to = control ? Position{0, 0} : Position{to.row, 0};
            break;
        case Qt::Key_End:
            to = control ? lines_.endPosition() : Position{to.row, lines_.row(to.row).size()};
            break;
        default:
            return false;
    }
    if (rows != 0) {  // keep to the caret's column as an x position, as editors do
        keepX = preferredX_ >= 0 ? preferredX_ : caretX();
        const auto row = static_cast<size_t>(
            std::clamp<ptrdiff_t>(static_cast<ptrdiff_t>(to.row) + rows, 0, static_cast<ptrdiff_t>(lastRow)));
        to = {row, metrics_->columnAt(lines_.row(row), keepX)};
        if (rows < -1 || rows > 1) {
            verticalScrollBar()->setValue(verticalScrollBar()->value() + static_cast<int>(rows));
        }
    }
    setCaret(to, shift);
    if (keepX >= 0) preferredX_ = keepX;
    return true;
}

void TextBox::removeSelectionOr(Position from, Position to) {
    if (hasSelection()) {
        insertText({});
    } else if (from < to) {
        setCaret(lines_.replaceRange(from, to, {}));
    }
}

void TextBox::copy() const {
    if (hasSelection()) QGuiApplication::clipboard()->setText(QString::fromLatin1(selectedText()));
}

void TextBox::cut() {
    if (readOnly_) return;
    copy();
    insertText({});
}

void TextBox::paste() { insertText(QGuiApplication::clipboard()->text().toLatin1().toStdString()); }

bool TextBox::edit(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::Cut)) {
        cut();
    } else if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (!readOnly_) {
        return typeKey(event);
    } else {
        return false;
    }
    return true;
}

bool TextBox::typeKey(QKeyEvent* event) {
    const Position here = caret_;
    switch (event->key()) {
        case Qt::Key_Backspace:
            removeSelectionOr(here.column > 0 ? Position{here.row, here.column - 1}
                              : here.row > 0  ? Position{here.row - 1, lines_.row(here.row - 1).size()}
                                              : here,
                              here);
            return true;
        case Qt::Key_Delete:
            removeSelectionOr(here, here.column < lines_.row(here.row).size()
                                        ? Position{here.row, here.column + 1}
                                    : here.row + 1 < lines_.rowCount() ? Position{here.row + 1, 0}
                                                                       : here);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            insertText("\r\n");
            return true;
        default:
            break;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || (event->modifiers() & Qt::ControlModifier)) return false;
    for (const QChar c : typed) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
    }
    insertText(typed.toLatin1().toStdString());
    return true;
}

}  // namespace gravmark
