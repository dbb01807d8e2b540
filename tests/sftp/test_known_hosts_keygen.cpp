// known_hosts: the fingerprint of a key OpenSSH's ssh-keygen made reads as ssh-keygen's own.
// A Linux test: it runs ssh-keygen.
#include <gtest/gtest.h>

#include <QByteArray>

#include "sftp/known_hosts.h"
#include "ssh_test_servers.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::readFile;
using test::TempFolder;

TEST(KnownHosts, FingerprintIsOpenSshs) {
    if (const auto missing = test::sshdMissing()) GTEST_SKIP() << *missing;
    TempFolder folder;
    test::makeKeyPair(folder.file("key"), "ed25519");
    // "ssh-ed25519 AAAA... comment": the blob is the second field.
    const std::string line = readFile(folder.file("key.pub"));
    const auto start = line.find(' ') + 1;
    const std::string blob =
        QByteArray::fromBase64(QByteArray::fromStdString(line.substr(start, line.find(' ', start) - start)))
            .toStdString();
    EXPECT_EQ(fingerprint(HostKey{"ssh-ed25519", blob}), test::keygenFingerprint(folder.file("key.pub")));
}

}  // namespace
}  // namespace gravmark
