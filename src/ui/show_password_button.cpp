#include "ui/show_password_button.h"

#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace gravmark {

namespace {

// An eye: the outline of the lid and the pupil, in the colour of button text.
QIcon eyeIcon(const QColor& colour) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.3));
    QPainterPath lid(QPointF(1, 8));
    lid.quadTo(8, 1, 15, 8);
    lid.quadTo(8, 15, 1, 8);
    painter.drawPath(lid);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(8, 8), 2.5, 2.5);
    return QIcon(picture);
}

}  // namespace

QToolButton* addShowPasswordButton(QLineEdit* box, const char* name) {
    box->setEchoMode(QLineEdit::Password);
    auto* button = new QToolButton(box->parentWidget());
    button->setObjectName(QString::fromLatin1(name));
    const QRect next = box->geometry();
    button->setGeometry(next.right() + 3, next.top(), 20, next.height());
    button->setCheckable(true);
    button->setIcon(eyeIcon(button->palette().color(QPalette::ButtonText)));
    button->setToolTip(QStringLiteral("Show the password"));
    button->setAccessibleName(QStringLiteral("Show password"));
    button->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button, &QToolButton::toggled, box, [box](bool shown) {
        box->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
    });
    return button;
}

}  // namespace gravmark
