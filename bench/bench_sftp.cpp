// Reading a 100 MB log over SFTP from OpenSSH's sshd on loopback (the real 10k-line log
// repeated) into a local file, and a session that finds nothing new (the size only).
// Prints the best of three runs of each, the time to connect and log in, and the peak
// resident memory of the process, which must not grow with the size of the log.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench_figures.h"
#include "sftp/sftp_remote_log.h"
#include "ssh_test_servers.h"

namespace {

using gravmark::bench::Clock;
using gravmark::bench::peakMegabytes;
using gravmark::bench::secondsSince;

void writeRepeatedLog(const std::string& path, int64_t size) {
    std::ifstream in(GRAVMARK_REAL_LOGS "/server-lan-10k.log", std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    const std::string log = content.str();
    std::ofstream out(path, std::ios::binary);
    for (int64_t left = size; left > 0; left -= static_cast<int64_t>(log.size()))
        out.write(log.data(), std::min<int64_t>(left, static_cast<int64_t>(log.size())));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (const auto missing = gravmark::test::sshdMissing()) {
        std::fprintf(stderr, "%s\n", missing->c_str());
        return 1;
    }
    constexpr int64_t kSize = 100 * 1024 * 1024;
    gravmark::test::Sshd sshd;
    gravmark::test::TempFolder folder;
    const std::string remote = folder.file("games_mp.log");
    const std::string local = folder.file("copy.log");
    writeRepeatedLog(remote, kSize);
    const gravmark::SftpAccount account{"127.0.0.1:" + std::to_string(sshd.port()), sshd.user(), std::nullopt,
                                        sshd.clientKey(), remote};
    gravmark::SftpPrompts prompts;
    prompts.trustNewHostKey = [](const std::string&, const std::string&) { return true; };
    const std::string knownHosts = folder.file("known_hosts");

    double bestConnect = 1e9, bestRead = 1e9, bestNothingNew = 1e9;
    for (int run = 0; run < 3; ++run) {
        auto start = Clock::now();
        gravmark::SftpRemoteLog session(account, knownHosts, prompts);
        bestConnect = std::min(bestConnect, secondsSince(start));

        start = Clock::now();
        std::ofstream out(local, std::ios::binary | std::ios::trunc);
        int64_t received = 0;
        session.read(0, [&](std::string_view block) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            received += static_cast<int64_t>(block.size());
            return true;
        });
        out.close();
        bestRead = std::min(bestRead, secondsSince(start));
        if (received != kSize) {
            std::fprintf(stderr, "received %lld bytes, not %lld\n", static_cast<long long>(received),
                         static_cast<long long>(kSize));
            return 1;
        }

        start = Clock::now();
        if (session.size() != kSize) return 1;
        bestNothingNew = std::min(bestNothingNew, secondsSince(start));
        session.finish();
    }
    std::printf("connect and log in:        %.3f s\n", bestConnect);
    std::printf("100 MB read to a file:     %.3f s (%.0f MB/s)\n", bestRead, 100.0 / bestRead);
    std::printf("nothing new (size only):   %.1f ms\n", bestNothingNew * 1000.0);
    std::printf("peak resident memory:      %.1f MB\n", peakMegabytes());
    std::filesystem::remove(local);
    return 0;
}
