#include "ui/right_anchored_label.h"

namespace gravmark {

RightAnchoredLabel::RightAnchoredLabel(int right, int top, int height, QWidget* parent)
    : QLabel(parent), right_(right), top_(top), height_(height) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void RightAnchoredLabel::setText(const QString& text) {
    QLabel::setText(text);
    const int width = fontMetrics().horizontalAdvance(text) + 2 * margin() + 2;
    setGeometry(right_ - width, top_, width, height_);
}

}  // namespace gravmark
