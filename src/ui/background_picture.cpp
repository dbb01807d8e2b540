#include "ui/background_picture.h"

#include <QFile>
#include <QPainter>

#include "ui/jpeg_image.h"

// The resource lives in a static library: nothing would pull it into the program
// unless it is initialised by name, which must happen outside any namespace.
static void initBackgroundResource() { Q_INIT_RESOURCE(background); }

namespace gravmark {

const QImage& BackgroundPicture::picture() {
    static const QImage image = [] {
        initBackgroundResource();
        QFile file(QStringLiteral(":/background.jpg"));
        file.open(QIODevice::ReadOnly);
        return decodeJpeg(file.readAll());
    }();
    return image;
}

BackgroundPicture::BackgroundPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BackgroundPicture::resizeEvent(QResizeEvent*) {
    stretched_ =
        QPixmap::fromImage(picture().scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void BackgroundPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, stretched_);
}

}  // namespace gravmark
