#pragma once
// Gives a control of a window its name and its place (left, top, width, height in
// pixels within the client area).
#include <QString>

namespace gravmark {

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

}  // namespace gravmark
