#include "sftp/host_key.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace gravmark {

std::string fingerprint(const HostKey& key) {
    const QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(key.blob),
                                                       QCryptographicHash::Sha256);
    return "SHA256:" + digest.toBase64(QByteArray::OmitTrailingEquals).toStdString();
}

}  // namespace gravmark
