// known_hosts: reading OpenSSH's lines, checking an offered key, adding one.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>

#include "common/error.h"
#include "sftp/known_hosts.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

HostKey keyOf(const std::string& type, const std::string& blob) { return {type, blob}; }

std::string base64(const std::string& bytes) {
    return QByteArray::fromStdString(bytes).toBase64().toStdString();
}

std::string hashedName(const std::string& name, const std::string& salt) {
    const QByteArray hmac = QMessageAuthenticationCode::hash(QByteArray::fromStdString(name),
                                                             QByteArray::fromStdString(salt), QCryptographicHash::Sha1);
    return "|1|" + base64(salt) + "|" + hmac.toBase64().toStdString();
}

TEST(KnownHosts, ChecksTheOfferedKeyAgainstTheHostsLines) {
    TempFolder folder;
    const HostKey ours = keyOf("ssh-ed25519", "key one");
    const HostKey other = keyOf("ssh-ed25519", "key two");
    const HostKey third = keyOf("ecdsa-sha2-nistp256", "key three");
    writeFile(folder.file("known_hosts"),
              "# comment\n"
              "\n"
              "plain.example,10.0.0.1 ssh-ed25519 " + base64(ours.blob) + " someone@somewhere\n"
              "[ported.example]:2222 ssh-ed25519 " + base64(ours.blob) + "\n"
              "Changed.Example ssh-ed25519 " + base64(other.blob) + "\n" +
              hashedName("hashed.example", "0123456789abcdefghij") + " ssh-ed25519 " + base64(ours.blob) + "\n"
              "@revoked revoked.example ssh-ed25519 " + base64(ours.blob) + "\n"
              "revoked.example ssh-ed25519 " + base64(ours.blob) + "\n"
              "@cert-authority *.example ssh-ed25519 " + base64(other.blob) + "\n"
              "broken.example ssh-ed25519\n"
              "two.example ssh-ed25519 " + base64(other.blob) + "\n"
              "two.example ecdsa-sha2-nistp256 " + base64(third.blob) + "\n");
    const KnownHosts knownHosts(folder.file("known_hosts"));

    const auto status = [&](const std::string& host, uint16_t port, const HostKey& key) {
        return knownHosts.check(host, port, key).status;
    };
    EXPECT_EQ(status("plain.example", 22, ours), HostKeyStatus::Known);
    EXPECT_EQ(status("10.0.0.1", 22, ours), HostKeyStatus::Known);
    EXPECT_EQ(status("PLAIN.example", 22, ours), HostKeyStatus::Known);
    EXPECT_EQ(status("ported.example", 2222, ours), HostKeyStatus::Known);
    EXPECT_EQ(status("ported.example", 22, ours), HostKeyStatus::Unknown) << "the port is part of the name";
    EXPECT_EQ(status("plain.example", 2222, ours), HostKeyStatus::Unknown);
    EXPECT_EQ(status("hashed.example", 22, ours), HostKeyStatus::Known);
    EXPECT_EQ(status("hashed.example", 22, other), HostKeyStatus::Changed);
    EXPECT_EQ(status("unheard.example", 22, ours), HostKeyStatus::Unknown);
    EXPECT_EQ(status("revoked.example", 22, ours), HostKeyStatus::Revoked);
    EXPECT_EQ(status("broken.example", 22, ours), HostKeyStatus::Unknown);

    const HostKeyCheck changed = knownHosts.check("changed.example", 22, ours);
    EXPECT_EQ(changed.status, HostKeyStatus::Changed);
    EXPECT_EQ(changed.knownFingerprints, std::vector<std::string>{fingerprint(other)});
    EXPECT_EQ(knownHosts.check("two.example", 22, ours).knownFingerprints,
              (std::vector<std::string>{fingerprint(other), fingerprint(third)}));

    EXPECT_EQ(KnownHosts(folder.file("missing")).check("plain.example", 22, ours).status, HostKeyStatus::Unknown);
}

TEST(KnownHosts, AddingKeepsEveryLineAndWritesOpenSshsForm) {
    TempFolder folder;
    const std::string path = folder.file("known_hosts");
    const KnownHosts knownHosts(path);
    const HostKey first = keyOf("ssh-ed25519", "first key");
    const HostKey second = keyOf("ecdsa-sha2-nistp256", "second key");

    knownHosts.add("first.example", 22, first);
    EXPECT_EQ(readFile(path), "first.example ssh-ed25519 " + base64(first.blob) + "\n");

    writeFile(path, readFile(path) + "# the user's own line, without a final line break");
    knownHosts.add("::1", 2222, second);
    EXPECT_EQ(readFile(path), "first.example ssh-ed25519 " + base64(first.blob) + "\n" +
                                  "# the user's own line, without a final line break\n" +
                                  "[::1]:2222 ecdsa-sha2-nistp256 " + base64(second.blob) + "\n");
    EXPECT_EQ(knownHosts.check("::1", 2222, second).status, HostKeyStatus::Known);
    EXPECT_EQ(knownHosts.check("first.example", 22, first).status, HostKeyStatus::Known);

    const KnownHosts unwritable(folder.file("no such folder/known_hosts"));
    EXPECT_THROW(unwritable.add("first.example", 22, first), Error);
}

}  // namespace
}  // namespace gravmark
