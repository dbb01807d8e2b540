#pragma once
// Decodes a JPEG picture with libjpeg into an RGB image.
#include <QByteArray>
#include <QImage>

namespace gravmark {

// Throws gravmark::Error with libjpeg's message when the data is not a readable JPEG.
QImage decodeJpeg(const QByteArray& data);

}  // namespace gravmark
