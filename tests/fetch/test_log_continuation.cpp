// The continuation rules against a remote log in memory: what is asked for, what ends up
// in the copy, what is kept beside it, and what a failure leaves behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "fake_remote_log.h"
#include "fetch/log_continuation.h"
#include "common/rotated_copies.h"
#include "support/error_text.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using test::FakeRemoteLog;
using test::readFile;
using test::writeFile;
using Offsets = std::vector<int64_t>;

constexpr int64_t K = LogContinuation::kOverlap;

// Log-like bytes that differ with the seed, with CR LF, lone LF and NUL among them.
std::string logBytes(size_t size, int seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = "abc\r\n\0xyz\n"[(i * 7 + static_cast<size_t>(seed) + i / 97) % 10];
    return bytes;
}

class LogContinuationTest : public testing::Test {
protected:
    FetchOutcome fetch() {
        LogContinuation continuation(logPath, notifications());
        const FetchOutcome outcome = continuation.run(remote);
        keptCopy = continuation.keptCopy();
        return outcome;
    }
    std::string fetchError() {
        return test::errorText([this] { fetch(); });
    }
    FetchNotifications notifications() {
        return {{},
                [this](int64_t size) { events.push_back("begin " + std::to_string(size)); },
                [this](int64_t received) { lastCount = received; },
                [this] { events.push_back("end"); }};
    }
    // The offsets asked for by fetches since the last call.
    Offsets offsets() { return std::exchange(remote.offsets, {}); }
    bool exists(const std::string& path) const { return std::filesystem::exists(path); }

    test::TempFolder folder;
    std::string logPath = folder.file("games_mp.log");
    std::string partPath = logPath + ".part";
    FakeRemoteLog remote;
    std::string keptCopy;
    std::vector<std::string> events;
    int64_t lastCount = 0;
};

TEST_F(LogContinuationTest, AGrowingLogIsContinuedAfterTheOverlapAndNothingNewTransfersNothing) {
    const std::string log = logBytes(300'000, 1);
    remote.content = log.substr(0, 100'000);
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(offsets(), Offsets{0});
    EXPECT_EQ(readFile(logPath), remote.content);
    EXPECT_EQ(keptCopy, "");
    EXPECT_FALSE(exists(partPath));

    remote.content = log;
    events.clear();
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_EQ(offsets(), Offsets{100'000 - K}) << "the last 64 KiB are received again and compared";
    EXPECT_EQ(readFile(logPath), log);
    EXPECT_EQ(events, (std::vector<std::string>{"begin 300000", "end"}));
    EXPECT_EQ(lastCount, 200'000 + K) << "this transfer's bytes";

    EXPECT_EQ(fetch(), FetchOutcome::UpToDate);
    EXPECT_EQ(offsets(), Offsets{}) << "same size: no transfer";

    // A copy shorter than the overlap is compared whole, from the start.
    writeFile(logPath, log.substr(0, 1000));
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_EQ(offsets(), Offsets{0});
    EXPECT_EQ(readFile(logPath), log);
    EXPECT_TRUE(rotatedCopies(logPath).empty());
}

TEST_F(LogContinuationTest, ARotatedLogReplacesTheCopyWhichIsKeptUnderADatedName) {
    const std::string first = logBytes(200'000, 1);
    writeFile(logPath, first);

    // Shorter than the copy: fetched whole at once.
    const std::string second = logBytes(50'000, 2);
    remote.content = second;
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(offsets(), Offsets{0});
    EXPECT_EQ(readFile(logPath), second);
    EXPECT_EQ(readFile(keptCopy), first);
    EXPECT_TRUE(std::filesystem::path(keptCopy).filename().string().starts_with("games_mp.log.20"));

    // Already longer than the copy: the overlap differs, then the whole log is fetched.
    const std::string third = logBytes(120'000, 3);
    remote.content = third;
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(offsets(), (Offsets{0, 0})) << "a copy shorter than the overlap is compared from its start";
    EXPECT_EQ(readFile(logPath), third);

    // Nothing spliced, nothing lost: every log that was replaced is kept, oldest first.
    const auto copies = rotatedCopies(logPath);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(readFile(copies[0]), first);
    EXPECT_EQ(readFile(copies[1]), second);
    EXPECT_EQ(copies[1], keptCopy);
    EXPECT_FALSE(exists(partPath));

    // A rotated log that only differs in the overlap's first byte is still a rotation.
    std::string fourth = third + "more";
    fourth[third.size() - K] ^= 1;
    remote.content = fourth;
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(readFile(logPath), fourth);
    EXPECT_EQ(readFile(keptCopy), third);
}

TEST_F(LogContinuationTest, WithoutASizeTheOverlapDecides) {
    remote.saysSize = false;
    const std::string log = logBytes(150'000, 4);
    writeFile(logPath, log.substr(0, 90'000));

    remote.content = log;
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_EQ(readFile(logPath), log);
    EXPECT_EQ(events.front(), "begin -1");

    EXPECT_EQ(fetch(), FetchOutcome::UpToDate) << "only the overlap came";
    EXPECT_EQ(readFile(logPath), log);

    // Ending inside the overlap: shorter than the copy, so rotated.
    remote.content = log.substr(0, 100'000);
    offsets();
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(offsets(), (Offsets{150'000 - K, 0}));
    EXPECT_EQ(readFile(logPath), remote.content);
    EXPECT_EQ(readFile(keptCopy), log);
}

TEST_F(LogContinuationTest, ARefusedRestartFetchesWholeAndKeepsADatedCopyOnlyForARotation) {
    remote.refusesRestart = true;
    const std::string log = logBytes(400'000, 5);
    writeFile(logPath, log.substr(0, 300'000));

    remote.content = log;
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(offsets(), (Offsets{300'000 - K, 0}));
    EXPECT_EQ(readFile(logPath), log);
    EXPECT_EQ(keptCopy, "") << "the new log begins with the copy: nothing to keep";

    remote.content = logBytes(500'000, 6);
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(readFile(logPath), remote.content);
    EXPECT_EQ(readFile(keptCopy), log);
    EXPECT_EQ(rotatedCopies(logPath).size(), 1u);
}

TEST_F(LogContinuationTest, ADroppedTransferKeepsItsVerifiedBytesAndTheNextFetchContinues) {
    const std::string log = logBytes(300'000, 7);
    writeFile(logPath, log.substr(0, 100'000));
    remote.content = log;

    // While continuing: the copy grew by verified bytes only.
    remote.dropAfter = K + 50'000;
    EXPECT_EQ(fetchError(),
              "The server closed the connection after 150000 of 300000 bytes; the next fetch continues from "
              "there.");
    EXPECT_EQ(readFile(logPath), log.substr(0, 150'000));
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_EQ(readFile(logPath), log);

    // While fetching a rotated log whole: the copy stays as it was, the part is continued.
    const std::string rotated = logBytes(250'000, 8);
    remote.content = rotated;
    remote.dropAfter = 100'000;
    offsets();
    EXPECT_EQ(fetchError(),
              "The server closed the connection after 100000 of 250000 bytes; the next fetch continues from "
              "there.");
    EXPECT_EQ(readFile(logPath), log);
    EXPECT_EQ(readFile(partPath), rotated.substr(0, 100'000));
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(offsets(), (Offsets{0, 100'000 - K}));
    EXPECT_EQ(readFile(logPath), rotated);
    EXPECT_EQ(readFile(keptCopy), log);
    EXPECT_FALSE(exists(partPath));

    // A part left by a log that has since been rotated again is not continued.
    remote.dropAfter = 10'000;
    remote.content = logBytes(90'000, 9);
    EXPECT_NE(fetchError(), "no error");
    remote.content = logBytes(95'000, 10);
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(readFile(logPath), remote.content);
    EXPECT_EQ(readFile(keptCopy), rotated);

    // Without a size the message says how far the copy got.
    remote.saysSize = false;
    remote.content += "x";
    remote.dropAfter = 0;
    EXPECT_EQ(fetchError(),
              "The server closed the connection after 95000 bytes; the next fetch continues from there.");
}

TEST_F(LogContinuationTest, AFirstFetchThatFailsLeavesNoFile) {
    remote.content = logBytes(100'000, 11);
    remote.dropAfter = 0;
    EXPECT_NE(fetchError(), "no error");
    EXPECT_FALSE(exists(logPath)) << "no 0-byte log";
    EXPECT_FALSE(exists(partPath));
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(readFile(logPath), remote.content);

    // An empty remote log: the copy follows it, the old one is kept.
    const std::string before = remote.content;
    remote.content.clear();
    EXPECT_EQ(fetch(), FetchOutcome::Replaced);
    EXPECT_EQ(readFile(logPath), "");
    EXPECT_EQ(readFile(keptCopy), before);
}

// A full disk, made by a file size limit: writing past it fails as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    sighandler_t previousHandler_;
};

TEST_F(LogContinuationTest, AFullDiskKeepsThePreviousCopyAndLeavesNoPart) {
    const std::string old = logBytes(100'000, 12);
    writeFile(logPath, old);
    remote.content = logBytes(300'000, 13);
    {
        FileSizeLimit full(200'000);
        const std::string error = fetchError();
        EXPECT_TRUE(error.starts_with("Cannot write file \"" + partPath + "\".")) << error;
    }
    EXPECT_EQ(readFile(logPath), old);
    EXPECT_FALSE(exists(partPath));
    EXPECT_TRUE(rotatedCopies(logPath).empty());

    // Appending: what reached the disk is a verified prefix of the remote log.
    remote.content = old + logBytes(200'000, 14);
    {
        FileSizeLimit full(150'000);
        EXPECT_NE(fetchError(), "no error");
    }
    const std::string kept = readFile(logPath);
    EXPECT_EQ(kept, remote.content.substr(0, kept.size()));
    EXPECT_EQ(fetch(), FetchOutcome::Appended);
    EXPECT_EQ(readFile(logPath), remote.content);
}

}  // namespace
}  // namespace gravmark
