// First cut: paints the visible lines. Editing and scrolling come with the full widget.
#include "app/text_box.h"

#include <QPainter>

namespace gravmark {

TextBox::TextBox(TextBoxLines& lines, QWidget* parent) : QAbstractScrollArea(parent), lines_(lines) {
    lines_.setChangeListener([this] { viewport()->update(); });
}

void TextBox::setReadOnly(bool readOnly) { readOnly_ = readOnly; }

void TextBox::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int height = fontMetrics().height();
    const int visible = viewport()->height() / height + 1;
    for (int i = 0; i < visible && static_cast<size_t>(i) < lines_.lineCount(); ++i) {
        const auto line = lines_.fullLine(static_cast<size_t>(i));
        painter.drawText(2, (i + 1) * height - fontMetrics().descent(),
                         QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
    }
}

}  // namespace gravmark
