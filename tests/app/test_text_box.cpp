#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <string>

#include "ui/text_box.h"

namespace gravmark {
namespace {

using namespace std::string_literals;
using Pos = TextBoxLines::Position;

void press(TextBox& box, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&box, &event);
}

void type(TextBox& box, const QString& text) {
    for (const QChar c : text) press(box, 0, Qt::NoModifier, QString(c));
}

struct Shown {
    TextBoxLines lines;
    TextBox box{lines};
    Shown() {
        box.resize(300, 120);
        box.show();
        QApplication::processEvents();
    }
};

TEST(TextBox, KeyboardEditsReachTheModel) {
    Shown shown;
    TextBox& box = shown.box;
    shown.lines.setText("abc\r\ndef");
    box.setCaret({0, 3});
    type(box, QStringLiteral("X\u00e9"));
    EXPECT_EQ(shown.lines.line(0), "abcX\xe9");
    press(box, Qt::Key_Backspace);
    press(box, Qt::Key_Return);  // splits the line at the caret
    EXPECT_EQ(shown.lines.text(), "abcX\r\n\r\ndef");
    press(box, Qt::Key_Backspace);  // joins it again
    press(box, Qt::Key_Delete);     // at the end of a line: joins the next
    EXPECT_EQ(shown.lines.text(), "abcXdef");
    EXPECT_EQ(box.caret(), (Pos{0, 4}));

    press(box, Qt::Key_Home);
    press(box, Qt::Key_Right, Qt::ShiftModifier);
    press(box, Qt::Key_Right, Qt::ShiftModifier);
    press(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ab"));
    press(box, Qt::Key_X, Qt::ControlModifier);
    press(box, Qt::Key_End);
    press(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(shown.lines.text(), "cXdefab");

    QApplication::clipboard()->setText(QStringLiteral("1\n2\u00fc"));  // a paste may hold line breaks
    press(box, Qt::Key_A, Qt::ControlModifier);
    press(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(shown.lines.text(), "1\r\n2\xfc");
    EXPECT_EQ(box.caret(), (Pos{1, 2}));
    press(box, Qt::Key_Up);
    press(box, Qt::Key_Home, Qt::ControlModifier);
    press(box, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box.selectedText(), "1\r\n2\xfc");

    box.setReadOnly(true);
    press(box, Qt::Key_Delete);
    type(box, QStringLiteral("z"));
    EXPECT_EQ(shown.lines.text(), "1\r\n2\xfc");
}

TEST(TextBox, MouseSelectsAndNulShowsAsAPicture) {
    Shown shown;
    TextBox& box = shown.box;
    shown.lines.setText("first\nsecond\nthird");
    QApplication::processEvents();
    const int rowHeight = TextBoxMetrics(box.font()).rowHeight();
    const QPoint secondRow(3, 2 + rowHeight + rowHeight / 2);
    QMouseEvent click(QEvent::MouseButtonPress, secondRow, box.viewport()->mapToGlobal(secondRow),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &click);
    EXPECT_EQ(box.caret(), (Pos{1, 0}));
    const QPoint farRight(290, 2 + 2 * rowHeight + rowHeight / 2);
    QMouseEvent drag(QEvent::MouseMove, farRight, box.viewport()->mapToGlobal(farRight), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &drag);
    EXPECT_EQ(box.selectedText(), "second\r\nthird");

    const TextBoxMetrics metrics(box.font());
    EXPECT_EQ(metrics.display("a\0b"s), QStringLiteral("a\u2400b"));
    EXPECT_GT(metrics.width("\0"s), 0);
}

TEST(TextBox, HoldsAMillionLines) {
    Shown shown;
    TextBox& box = shown.box;
    box.hide();  // filled while hidden, as LOAD does
    std::string text;
    for (int i = 0; i < 1'000'000; ++i) text += "line " + std::to_string(i) + "\n";
    shown.lines.setText(text);
    box.show();
    QApplication::processEvents();
    EXPECT_GE(box.verticalScrollBar()->maximum(), 1'000'000 - 20);
    press(box, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(box.caret(), (Pos{1'000'000, 0}));  // the empty row after the final break
    press(box, Qt::Key_PageUp);
    type(box, QStringLiteral("!"));
    box.viewport()->grab();  // paints the rows now in view
    EXPECT_GT(box.caret().row, 999'900u);
    EXPECT_EQ(shown.lines.line(box.caret().row).substr(0, 6), "!line ");
    EXPECT_EQ(shown.lines.lineCount(), 1'000'000u);
}

}  // namespace
}  // namespace gravmark
