#include "common/file_names.h"

#include <QByteArray>
#include <QFile>

namespace gravmark {

std::string fileSystemName(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString shownFileName(std::string_view bytes) {
    const QByteArray encoded(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString decoded = QFile::decodeName(encoded);
    // Decoding replaces invalid bytes, so only a valid name survives the way back unchanged.
    if (QFile::encodeName(decoded) == encoded) return decoded;
    return QString::fromLatin1(encoded);
}

std::string storedFileName(std::string_view bytes) { return fileSystemName(shownFileName(bytes)); }

}  // namespace gravmark
