#include "common/file_names.h"

#include <QByteArray>

namespace gravmark {

std::string fileSystemName(const QString& name) { return name.toUtf8().toStdString(); }

QString qtFileName(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString shownFileName(std::string_view bytes) {
    const QByteArray encoded(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString decoded = QString::fromUtf8(encoded);
    // Decoding replaces invalid bytes, so only a valid name survives the way back unchanged.
    if (decoded.toUtf8() == encoded) return decoded;
    return QString::fromLatin1(encoded);
}

std::string storedFileName(std::string_view bytes) { return fileSystemName(shownFileName(bytes)); }

}  // namespace gravmark
