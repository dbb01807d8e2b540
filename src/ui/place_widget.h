#pragma once
// Placing the controls of a window: each control's name and place (left, top, width,
// height in pixels within the client area), and the order Tab moves through them.
#include <QString>
#include <QWidget>
#include <initializer_list>

namespace gravmark {

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

// Tab moves from each control to the next one given.
inline void chainTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace gravmark
