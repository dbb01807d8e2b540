#include "ui/gradient_line.h"

#include <QLinearGradient>
#include <QPainter>

namespace gravmark {

GradientLine::GradientLine(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {}

void GradientLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF area = rect();
    // Across the line: the line runs along the other axis.
    QLinearGradient gradient = orientation_ == Qt::Vertical
                                   ? QLinearGradient(area.topLeft(), area.topRight())
                                   : QLinearGradient(area.topLeft(), area.bottomLeft());
    const QColor face = palette().color(QPalette::Window);
    gradient.setColorAt(0.0, face);
    gradient.setColorAt(0.5, palette().color(QPalette::Dark));
    gradient.setColorAt(1.0, face);
    painter.fillRect(area, gradient);
}

}  // namespace gravmark
