#include "ui/text_box.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QtMath>
#include <algorithm>
#include <climits>

namespace gravmark {

namespace {

constexpr int kMargin = 2;     // between the frame and the text
constexpr int kBlinkMs = 500;  // caret blink half-period

}  // namespace

TextBox::TextBox(TextBoxLines& lines, QWidget* parent)
    : QAbstractScrollArea(parent), lines_(lines), metrics_(std::make_unique<TextBoxMetrics>(font())) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    // The model may outlive the box (it belongs to the window, which deletes its
    // children last): a guard keeps a late change from reaching a deleted box.
    lines_.setChangeListener([box = QPointer<TextBox>(this)] {
        if (box) box->modelChanged();
    });
}

void TextBox::setReadOnly(bool readOnly) { readOnly_ = readOnly; }

void TextBox::modelChanged() {
    if (stale_) return;
    stale_ = true;
    if (isVisible()) viewport()->update();
}

void TextBox::settle() {
    if (!stale_) return;
    stale_ = false;
    caret_ = clamp(caret_);
    anchor_ = clamp(anchor_);
    contentWidth_ = metrics_->width(lines_.row(lines_.longestRow()));
    updateScrollBars();
}

TextBox::Position TextBox::clamp(Position position) const {
    position.row = std::min(position.row, lines_.rowCount() - 1);
    position.column = std::min(position.column, lines_.row(position.row).size());
    return position;
}

int TextBox::visibleRows() const { return std::max(1, viewport()->height() / metrics_->rowHeight()); }

void TextBox::updateScrollBars() {
    const int rows = static_cast<int>(std::min<size_t>(lines_.rowCount(), INT_MAX));
    verticalScrollBar()->setRange(0, std::max(0, rows - visibleRows()));
    verticalScrollBar()->setPageStep(visibleRows());
    const int width = viewport()->width();
    horizontalScrollBar()->setRange(0, std::max(0, qCeil(contentWidth_) + 2 * kMargin - width));
    horizontalScrollBar()->setPageStep(width);
    horizontalScrollBar()->setSingleStep(std::max(1, qRound(metrics_->averageWidth() * 4)));
}

qreal TextBox::caretX() const { return metrics_->width(lines_.row(caret_.row).substr(0, caret_.column)); }

void TextBox::ensureCaretVisible() {
    QScrollBar* vertical = verticalScrollBar();
    const int row = static_cast<int>(std::min<size_t>(caret_.row, INT_MAX));
    if (row < vertical->value()) vertical->setValue(row);
    if (row >= vertical->value() + visibleRows()) vertical->setValue(row - visibleRows() + 1);

    QScrollBar* horizontal = horizontalScrollBar();
    const int x = qRound(caretX());
    const int room = viewport()->width() - 2 * kMargin - 1;
    if (x > contentWidth_) {  // a row not measured yet: make room before scrolling to it
        contentWidth_ = x;
        updateScrollBars();
    }
    if (x < horizontal->value()) horizontal->setValue(std::max(0, x - room / 3));
    if (x > horizontal->value() + room) horizontal->setValue(x - room + room / 3);
}

void TextBox::setCaret(Position position, bool extendSelection) {
    settle();
    caret_ = clamp(position);
    if (!extendSelection) anchor_ = caret_;
    preferredX_ = -1;
    ensureCaretVisible();
    restartBlink();
    viewport()->update();
}

void TextBox::selectAll() {
    setCaret({0, 0});
    setCaret(lines_.endPosition(), true);
}

std::string TextBox::selectedText() const {
    return lines_.textBetween(std::min(anchor_, caret_), std::max(anchor_, caret_));
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const bool editable = !readOnly_;
    menu.addAction(tr("Cu&t"), this, &TextBox::cut)->setEnabled(editable && hasSelection());
    menu.addAction(tr("&Copy"), this, &TextBox::copy)->setEnabled(hasSelection());
    menu.addAction(tr("&Paste"), this, &TextBox::paste)->setEnabled(editable);
    menu.addAction(tr("&Delete"), this, [this] { insertText({}); })->setEnabled(editable && hasSelection());
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &TextBox::selectAll);
    menu.exec(event->globalPos());
}

void TextBox::insertText(std::string_view bytes) {
    if (readOnly_) return;
    settle();
    setCaret(lines_.replaceRange(std::min(anchor_, caret_), std::max(anchor_, caret_), bytes));
}

TextBox::Position TextBox::positionAt(QPoint point) {
    settle();
    const qint64 offset = point.y() < kMargin ? -1 : (point.y() - kMargin) / metrics_->rowHeight();
    const qint64 row = std::clamp<qint64>(verticalScrollBar()->value() + offset, 0,
                                          static_cast<qint64>(lines_.rowCount()) - 1);
    const std::string_view text = lines_.row(static_cast<size_t>(row));
    const qreal x = point.x() - kMargin + horizontalScrollBar()->value();
    return {static_cast<size_t>(row), metrics_->columnAt(text, x)};
}

void TextBox::paintEvent(QPaintEvent*) {
    settle();
    QPainter painter(viewport());
    painter.setFont(TextBoxMetrics::displayFont(font()));
    const int height = metrics_->rowHeight();
    const int width = viewport()->width();
    const qreal left = kMargin - horizontalScrollBar()->value();
    const size_t first = static_cast<size_t>(verticalScrollBar()->value());
    const size_t last =
        std::min(lines_.rowCount(), first + static_cast<size_t>(viewport()->height() / height + 1));
    const Position selectFrom = std::min(anchor_, caret_);
    const Position selectTo = std::max(anchor_, caret_);
    const QPalette& colours = palette();
    qreal widest = contentWidth_;

    for (size_t row = first; row < last; ++row) {
        const std::string_view text = lines_.row(row);
        const int top = kMargin + static_cast<int>(row - first) * height;
        const qreal baseline = top + metrics_->ascent();
        qreal start = 0;
        const size_t from = metrics_->firstColumnPast(text, -left, start);
        qreal ignored = 0;
        const size_t to = std::min(text.size(), metrics_->firstColumnPast(text, width - left, ignored) + 1);
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(QPointF(left + start, baseline), metrics_->display(text.substr(from, to - from)));
        widest = std::max(widest, metrics_->width(text));

        if (selectFrom.row <= row && row <= selectTo.row && selectFrom != selectTo) {
            const size_t a = row == selectFrom.row ? selectFrom.column : 0;
            const size_t b = row == selectTo.row ? selectTo.column : text.size();
            const qreal x = left + metrics_->width(text.substr(0, a));
            const qreal w = metrics_->width(text.substr(a, b - a)) +
                            (row < selectTo.row ? metrics_->averageWidth() / 2 : 0);
            painter.fillRect(QRectF(x, top, w, height), colours.color(QPalette::Highlight));
            painter.setPen(colours.color(QPalette::HighlightedText));
            painter.drawText(QPointF(x, baseline), metrics_->display(text.substr(a, b - a)));
        }
        if (row == caret_.row && hasFocus() && caretShown_) {
            const qreal x = left + caretX();
            painter.fillRect(QRectF(x, top, 1, height), colours.color(QPalette::Text));
        }
    }
    if (hasFocus()) {
        painter.setPen(colours.color(QPalette::Highlight));
        painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    }
    if (widest > contentWidth_) {
        contentWidth_ = widest;
        updateScrollBars();
    }
}

void TextBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    settle();
    updateScrollBars();
}

void TextBox::showEvent(QShowEvent* event) {
    settle();
    QAbstractScrollArea::showEvent(event);
}

void TextBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        metrics_ = std::make_unique<TextBoxMetrics>(font());
        stale_ = true;
        viewport()->update();
    }
    QAbstractScrollArea::changeEvent(event);
}

void TextBox::scrollContentsBy(int, int) { viewport()->update(); }

void TextBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    setCaret(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) setCaret(positionAt(event->position().toPoint()), true);
}

void TextBox::restartBlink() {
    caretShown_ = true;
    if (hasFocus()) blink_.start(kBlinkMs, this);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    restartBlink();
    viewport()->update();
    QAbstractScrollArea::focusInEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    blink_.stop();
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
}

void TextBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId()) return QAbstractScrollArea::timerEvent(event);
    caretShown_ = !caretShown_;
    viewport()->update();
}

}  // namespace gravmark
