#include "sftp/known_hosts.h"

#include <QByteArray>
#include <QFile>
#include <QMessageAuthenticationCode>
#include <QSaveFile>
#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>

#include "common/error.h"
#include "common/file_names.h"
#include "platform/native_path.h"

namespace gravmark {

namespace {

struct KnownHostsLine {
    bool revoked = false;
    std::string names;
    HostKey key;
};

std::optional<KnownHostsLine> parseLine(const std::string& line) {
    std::istringstream fields(line);
    KnownHostsLine parsed;
    std::string first, base64;
    if (!(fields >> first) || first.starts_with('#')) return {};
    if (first.starts_with('@')) {
        if (first != "@revoked") return {};
        parsed.revoked = true;
        if (!(fields >> first)) return {};
    }
    parsed.names = first;
    if (!(fields >> parsed.key.type >> base64)) return {};
    parsed.key.blob = QByteArray::fromBase64(QByteArray::fromStdString(base64)).toStdString();
    if (parsed.key.blob.empty()) return {};
    return parsed;
}

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "|1|salt|hmac": the HMAC-SHA1 of the name under the salt, both in base64.
bool hashedNameMatches(const std::string& hashed, const std::string& name) {
    const auto saltEnd = hashed.find('|', 3);
    if (!hashed.starts_with("|1|") || saltEnd == std::string::npos) return false;
    const QByteArray salt = QByteArray::fromBase64(QByteArray::fromStdString(hashed.substr(3, saltEnd - 3)));
    const QByteArray hmac = QByteArray::fromBase64(QByteArray::fromStdString(hashed.substr(saltEnd + 1)));
    return QMessageAuthenticationCode::hash(QByteArray::fromStdString(name), salt,
                                            QCryptographicHash::Sha1) == hmac;
}

bool namesMatch(const std::string& names, const std::string& name) {
    if (names.starts_with('|')) return hashedNameMatches(names, name);
    std::istringstream list(names);
    for (std::string each; std::getline(list, each, ',');) {
        if (lowerCase(each) == lowerCase(name)) return true;
    }
    return false;
}

}  // namespace

std::string knownHostsName(const std::string& host, uint16_t port) {
    return port == 22 ? host : "[" + host + "]:" + std::to_string(port);
}

HostKeyCheck KnownHosts::check(const std::string& host, uint16_t port, const HostKey& offered) const {
    const std::string name = knownHostsName(host, port);
    HostKeyCheck result;
    bool known = false;
    std::ifstream file(platform::nativePath(path_), std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        const auto parsed = parseLine(line);
        if (!parsed || !namesMatch(parsed->names, name)) continue;
        if (parsed->key == offered) {
            if (parsed->revoked) return {HostKeyStatus::Revoked, {}};
            known = true;
        } else if (!parsed->revoked) {
            result.knownFingerprints.push_back(fingerprint(parsed->key));
        }
    }
    if (known) return {HostKeyStatus::Known, {}};
    result.status = result.knownFingerprints.empty() ? HostKeyStatus::Unknown : HostKeyStatus::Changed;
    return result;
}

void KnownHosts::add(const std::string& host, uint16_t port, const HostKey& key) const {
    QByteArray content;
    {
        // Closed again before the new file takes its place: Windows refuses to replace a
        // file that is still open.
        QFile existing(qtFileName(path_));
        if (existing.exists()) {
            if (!existing.open(QIODevice::ReadOnly))
                throw Error("Cannot read \"" + path_ + "\": " + existing.errorString().toStdString());
            content = existing.readAll();
            if (!content.isEmpty() && !content.endsWith('\n')) content += '\n';
        }
    }
    content += QByteArray::fromStdString(knownHostsName(host, port) + " " + key.type + " ") +
               QByteArray::fromStdString(key.blob).toBase64() + '\n';
    QSaveFile file(qtFileName(path_));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw Error("Cannot write \"" + path_ + "\": " + file.errorString().toStdString());
}

}  // namespace gravmark
