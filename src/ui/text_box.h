#pragma once
// TextBox: a multi-line text box of the main window over a TextBoxLines model. It paints
// only the visible rows, so a box of a million lines costs no more than a small one,
// never wraps, and edits the model's rows in place, so the program reads the lines as
// the user left them.
//
// The model tells the box of every change; the box then only marks itself stale and asks
// for a repaint, and settles (caret, scroll ranges) once before it next paints or takes
// input. A hidden box asks for nothing: LOAD fills the log box while it is hidden.
//
// The horizontal range comes from the widest row known: the longest row in bytes,
// measured, and every row painted so far.
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <memory>

#include "common/text_box_lines.h"
#include "ui/text_box_metrics.h"

namespace gravmark {

class TextBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    using Position = TextBoxLines::Position;

    explicit TextBox(TextBoxLines& lines, QWidget* parent = nullptr);
    void setReadOnly(bool readOnly);

    Position caret() const { return caret_; }
    bool hasSelection() const { return anchor_ != caret_; }
    std::string selectedText() const;
    void setCaret(Position position, bool extendSelection = false);
    void selectAll();
    // Replaces the selection (or inserts at the caret) as typing or pasting does.
    void insertText(std::string_view bytes);
    // The clipboard holds text as Latin-1, one character per byte.
    void copy() const;
    void cut();
    void paste();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void modelChanged();
    void settle();
    void updateScrollBars();
    void ensureCaretVisible();
    void restartBlink();
    int visibleRows() const;
    Position positionAt(QPoint point);
    Position clamp(Position position) const;
    qreal caretX() const;

    // Keyboard (text_box_keys.cpp).
    bool moveCaret(QKeyEvent* event);
    bool edit(QKeyEvent* event);
    bool typeKey(QKeyEvent* event);  // Backspace, Delete, Enter and characters
    void removeSelectionOr(Position from, Position to);

    TextBoxLines& lines_;
    std::unique_ptr<TextBoxMetrics> metrics_;
    bool readOnly_ = false;
    bool stale_ = true;
    Position caret_;
    Position anchor_;
    qreal preferredX_ = -1;  // the column Up and Down keep to, as an x position
    qreal contentWidth_ = 0;
    bool caretShown_ = true;
    QBasicTimer blink_;
};

}  // namespace gravmark
