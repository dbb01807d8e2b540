// gravmark-batch --watch and --server: pages of a log that grows, rotates and stops
// mid-line equal full runs; failures are told once and outlived; several servers add up.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <regex>
#include <thread>

#include "batch/batch_options.h"
#include "batch/batch_run.h"
#include "batch/watch_run.h"
#include "batch_process.h"
#include "ftp/scripted_ftp_server.h"
#include "loggen/log_generator.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

const char* const kNow = "2026-12-09 14:30:05";

// Time moves on at once; after every cycle the story looks at the pages and changes the
// log, until it says it is done.
class StoryClock : public WatchClock {
public:
    explicit StoryClock(std::function<bool()> story) : story_(std::move(story)) {}
    int64_t nowMs() override { return now_; }
    void sleepUntil(int64_t ms) override {
        pauses.push_back(ms - now_);
        now_ = std::max(now_, ms);
        done_ = !story_();
    }
    bool stopAsked() const override { return done_; }
    std::vector<int64_t> pauses;

private:
    std::function<bool()> story_;
    int64_t now_ = 0;
    bool done_ = false;
};

BatchOptions watchOptions(const test::TempFolder& folder, std::vector<std::string> more = {}) {
    std::vector<std::string> arguments{
        "--folder", folder.folder(), "--out", folder.file("index.html"), "--now", kNow, "--watch",
        "5",        "--quiet"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return parseBatchOptions(arguments);
}

std::string readIfThere(const std::string& path) { return fs::exists(path) ? test::readFile(path) : ""; }

// The page of a plain run on `stream` cut after its last LF, with these settings and rules.
std::string fullRunPage(const std::string& stream, const std::string& settings, const std::string& aliases) {
    const test::TempFolder reference;
    test::writeFile(reference.file("games_mp.log"), stream.substr(0, stream.rfind('\n') + 1));
    test::writeFile(reference.file("GravmarkParser.INI"), settings);
    if (!aliases.empty()) test::writeFile(reference.file("aliases.txt"), aliases);
    const BatchOptions options = parseBatchOptions(
        {"--folder", reference.folder(), "--out", reference.file("page.html"), "--now", kNow, "--quiet"});
    EXPECT_EQ(runBatch(options), 0);
    return test::readFile(reference.file("page.html"));
}

std::string nameOfJoin(const std::string& log, int which) {
    const std::regex join(" J;[^;]*;[^;]*;([^\n;]+)\n");
    auto match = std::sregex_iterator(log.begin(), log.end(), join);
    std::advance(match, which);
    return (*match)[1];
}

// A writer grows the log by pieces that end anywhere in a line, renames it to a kept copy
// (history is on), starts it again losing what it held, and edits aliases.txt; after
// every cycle that wrote a page, that page equals a full run on the stream then.
void growLogComparingPages(const std::string& settings, int64_t lines) {
    const std::string log =
        loggen::generateLog({.lines = lines, .seed = 11, .players = 25, .linesPerGame = 90});
    const test::TempFolder folder;
    test::writeFile(folder.file("GravmarkParser.INI"), settings);
    test::writeFile(folder.file("games_mp.log"), log.substr(0, 500));
    const std::string rule = nameOfJoin(log, 3) + "\t" + nameOfJoin(log, 1) + "\r\n";

    std::mt19937 random(7);
    size_t written = 500;
    std::string kept;     // the kept copies' bytes, oldest first
    std::string current;  // the log's bytes
    current = log.substr(0, 500);
    std::string aliases, lastPage;
    int cycles = 0, pagesChecked = 0, copies = 0;
    StoryClock clock([&] {
        const std::string page = readIfThere(folder.file("index.html"));
        if (page != lastPage) {
            EXPECT_EQ(page, fullRunPage(kept + current, settings, aliases)) << "cycle " << cycles;
            lastPage = page;
            ++pagesChecked;
        }
        if (written == log.size()) return false;
        ++cycles;
        const int what = int(random() % 20);
        if (what == 0) {  // rotated: the log is kept under a dated name
            char name[64];
            std::snprintf(name, sizeof name, "games_mp.log.20260101-0000%02d", copies++);
            fs::rename(folder.file("games_mp.log"), folder.file(name));
            kept += current;
            current.clear();
            test::writeFile(folder.file("games_mp.log"), "");
        } else if (what == 1) {  // started again in place: what it held is gone
            current.clear();
            test::writeFile(folder.file("games_mp.log"), "");
        } else if (cycles == 15) {
            aliases = rule;
            test::writeFile(folder.file("aliases.txt"), aliases);
        } else if (cycles == 30) {
            aliases.clear();
            fs::remove(folder.file("aliases.txt"));
        } else {
            const size_t piece = std::min<size_t>(log.size() - written, 1 + random() % 6000);
            current += log.substr(written, piece);
            written += piece;
            test::writeFile(folder.file("games_mp.log"), current);
        }
        return true;
    });
    EXPECT_EQ(runWatch(watchOptions(folder), clock), 0);
    EXPECT_GT(pagesChecked, 10);
    EXPECT_GT(copies, 0);
    EXPECT_THAT(
        test::readFile(folder.file("gravmark-status.txt")),
        testing::MatchesRegex("last page 2026-12-09 14:30:05; last fetch: none; games seen: [0-9]+\r\n"));
}

TEST(BatchWatch, PagesEqualFullRunsThroughGrowthRotationAndCutLines) {
    // The counts carried on from page to page, with names merged by id.
    growLogComparingPages("[Medals]\r\ntnt=1\r\n[General]\r\nhistory=1\r\nmergebyid=1\r\n", 4000);
    // With player pages every page counts all events kept.
    growLogComparingPages("[General]\r\nhistory=1\r\nplayerpages=1\r\n", 1500);
    // The ratings on the modern page and in the export are taken from every event too.
    growLogComparingPages("[General]\r\nhistory=1\r\nsitestyle=modern\r\nratings=1\r\nexport=1\r\n", 1500);
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// 10,000 looks at a log that grows a line at a time, a page after every game: what the watch
// keeps does not grow beyond the log's own events.
TEST(BatchWatch, MemoryStaysFlatOverManyLooks) {
    const std::string log =
        loggen::generateLog({.lines = 10000, .seed = 4, .players = 30, .linesPerGame = 200});
    const test::TempFolder folder;
    test::writeFile(folder.file("GravmarkParser.INI"), "");
    test::writeFile(folder.file("games_mp.log"), "");
    std::ofstream out(folder.file("games_mp.log"), std::ios::binary | std::ios::app);
    size_t written = 0;
    int looks = 0;
    long peakAfterWarmUp = 0;
    StoryClock clock([&] {
        if (++looks == 100) peakAfterWarmUp = peakKilobytes();
        const size_t end =
            written == log.size() ? written : std::min(log.find('\n', written) + 1, log.size());
        out.write(log.data() + written, std::streamsize(end - written)).flush();
        written = end;
        return looks < 10000;
    });
    EXPECT_EQ(runWatch(watchOptions(folder), clock), 0);
    EXPECT_LE(peakKilobytes() - peakAfterWarmUp, 10 * 1024);
    EXPECT_THAT(test::readFile(folder.file("index.html")), HasSubstr("# of lines parsed : "));
}

// A server that cannot be reached: told once, tried again after a pause that grows to ten
// times SECONDS, the local log's page still written. A full disk: the old page stays, the
// message is told once, and the page is written once there is room. An unreadable
// aliases.txt: told once, the rules read before stay in force.
TEST(BatchWatch, FailuresAreToldOnceAndOutlived) {
    const std::string log =
        loggen::generateLog({.lines = 1500, .seed = 3, .players = 60, .linesPerGame = 100});
    const test::TempFolder folder;
    const std::string settings = "[FTPconnect]\r\nserver=127.0.0.1:1\r\n";
    test::writeFile(folder.file("GravmarkParser.INI"), settings);
    const size_t half = log.find("InitGame", log.size() / 2);
    test::writeFile(folder.file("games_mp.log"), log.substr(0, half));
    const std::string rule = nameOfJoin(log, 2) + "\t" + nameOfJoin(log, 0) + "\r\n";
    test::writeFile(folder.file("aliases.txt"), rule);

    int cycle = 0;
    std::string before;
    std::optional<test::FileSizeLimit> fullDisk;
    testing::internal::CaptureStderr();
    StoryClock clock([&] {
        ++cycle;
        if (cycle == 1) {
            EXPECT_EQ(test::readFile(folder.file("index.html")), fullRunPage(log.substr(0, half), "", rule));
            before = test::readFile(folder.file("index.html"));
            fs::remove(folder.file("aliases.txt"));
            fs::create_directory(folder.file("aliases.txt"));   // exists, cannot be read
            test::writeFile(folder.file("games_mp.log"), log);  // a game has ended
            fullDisk.emplace();
        } else if (cycle == 3) {
            EXPECT_EQ(test::readFile(folder.file("index.html")), before);
            fullDisk.reset();
        }
        return cycle < 7;
    });
    BatchOptions options = watchOptions(folder);
    options.quiet = false;
    EXPECT_EQ(runWatch(options, clock), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(test::readFile(folder.file("index.html")), fullRunPage(log, "", rule));
    EXPECT_EQ(clock.pauses, (std::vector<int64_t>{5000, 10000, 20000, 40000, 50000, 50000, 50000}));
    const auto count = [&err](const std::string& text) {
        size_t n = 0;
        for (size_t at = err.find(text); at != std::string::npos; at = err.find(text, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("The server 127.0.0.1:1 is down"), 1u) << err;
    EXPECT_EQ(count("Cannot create file"), 1u) << err;
    EXPECT_EQ(count("The rules read before stay in force."), 1u) << err;
    EXPECT_THAT(test::readFile(folder.file("gravmark-status.txt")), HasSubstr("last fetch: failed: "));
}

// A loopback FTP server that goes down and comes back, its log growing and then rotated:
// each told once, and each page equals a full run on what was fetched (with history).
TEST(BatchWatch, FetchesThroughAServerThatGoesDownAndIsRotated) {
    const std::string log =
        loggen::generateLog({.lines = 1500, .seed = 9, .players = 20, .linesPerGame = 100});
    const size_t first = log.find("InitGame", log.size() / 3),
                 second = log.find("InitGame", 2 * log.size() / 3);
    const test::TempFolder folder;
    test::ScriptedFtpServer server;
    server.setRemoteFile(log.substr(0, first));
    test::writeFile(folder.file("GravmarkParser.INI"),
                    "[FTPconnect]\r\nserver=" + server.serverText() +
                        "\r\nuser=gamer\r\npass=secret\r\nlogfile=games_mp.log\r\n"
                        "[General]\r\nhistory=1\r\n");
    const std::string history = "[General]\r\nhistory=1\r\n";
    int cycle = 0;
    testing::internal::CaptureStderr();
    StoryClock clock([&] {
        const std::string page = test::readFile(folder.file("index.html"));
        if (++cycle == 1) {
            EXPECT_EQ(page, fullRunPage(log.substr(0, first), history, ""));
            server.greeting = "421 Service not available, closing control connection.";
        } else if (cycle == 3) {
            server.greeting = "220 Scripted server ready";
            server.setRemoteFile(log.substr(0, second));
        } else if (cycle == 4) {
            EXPECT_EQ(page, fullRunPage(log.substr(0, second), history, ""));
            server.setRemoteFile(log.substr(second));  // a new log: the old copy is kept
        }
        return cycle < 5;
    });
    BatchOptions options = watchOptions(folder);
    options.quiet = false;
    EXPECT_EQ(runWatch(options, clock), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(test::readFile(folder.file("index.html")), fullRunPage(log, history, ""));
    EXPECT_EQ(err.find("is down"), err.rfind("is down")) << err;
    EXPECT_EQ(err.find("is back"), err.rfind("is back")) << err;
    EXPECT_NE(err.find("is back"), std::string::npos) << err;
    EXPECT_NE(err.find("the old copy is kept"), std::string::npos) << err;
    EXPECT_EQ(err.find("Received"), std::string::npos) << "a look tells only what changed: " << err;
}

// Two servers: their own pages, and the combined page whose lines, games and every
// player's kills are the sums of theirs.
void addUpTwoServers(const std::string& siteSettings) {
    const std::string log =
        loggen::generateLog({.lines = 3000, .seed = 5, .players = 20, .linesPerGame = 150});
    const size_t half = log.find("InitGame", log.size() / 2);
    const test::TempFolder site, tdm, sd;
    test::writeFile(site.file("GravmarkParser.INI"), siteSettings);
    test::writeFile(tdm.file("games_mp.log"), log.substr(0, half));
    test::writeFile(sd.file("games_mp.log"), log.substr(half));
    StoryClock once([] { return false; });
    ASSERT_EQ(runWatch(parseBatchOptions({"--folder", site.folder(), "--out", site.file("index.html"),
                                          "--now", kNow, "--quiet", "--server", "tdm=" + tdm.folder(),
                                          "--server", "sd=" + sd.folder()}),
                       once),
              0);
    EXPECT_EQ(test::readFile(site.file("tdm/index.html")), fullRunPage(log.substr(0, half), "", ""));
    EXPECT_EQ(test::readFile(site.file("sd/index.html")), fullRunPage(log.substr(half), "", ""));

    const std::regex totals("lines parsed : ([0-9]+)<BR>Total Games actually played : ([0-9]+)");
    const std::regex row("<tr><td>([0-9]+)</td><td>(.*?)</td>", std::regex::icase);
    struct Page {
        int lines = 0, played = 0;
        std::map<std::string, int> kills;
    };
    const auto read = [&](const std::string& path) {
        const std::string page = test::readFile(path);
        Page numbers;
        std::smatch match;
        EXPECT_TRUE(std::regex_search(page, match, totals)) << path;
        numbers.lines = std::stoi(match[1]);
        numbers.played = std::stoi(match[2]);
        for (auto it = std::sregex_iterator(page.begin(), page.end(), row); it != std::sregex_iterator();
             ++it)
            numbers.kills[std::regex_replace((*it)[2].str(), std::regex("</?a[^>]*>"), "")] +=
                std::stoi((*it)[1]);
        return numbers;
    };
    Page all = read(site.file("index.html")), first = read(site.file("tdm/index.html")),
         second = read(site.file("sd/index.html"));
    EXPECT_EQ(all.lines, first.lines + second.lines);
    EXPECT_EQ(all.played, first.played + second.played);
    EXPECT_FALSE(all.kills.empty());
    for (const auto& [name, kills] : all.kills)
        EXPECT_EQ(kills, first.kills[name] + second.kills[name]) << name;
    EXPECT_THAT(test::readFile(site.file("index.html")),
                testing::ContainsRegex("Servers : tdm \\([0-9]+ games\\), sd \\([0-9]+ games\\)"));
    EXPECT_TRUE(fs::exists(site.file("gravmark-status.txt")) &&
                fs::exists(site.file("sd/gravmark-status.txt")));
}

TEST(BatchWatch, TwoServersAddUpToTheCombinedPage) {
    addUpTwoServers("[Medals]\r\ntnt=1\r\n");           // the servers' counts added up
    addUpTwoServers("[General]\r\nplayerpages=1\r\n");  // counted over their events
}

// SIGTERM at any moment, writing the first page included, ends the watch with status 0
// and leaves the page whole or not yet there, never half-written.
TEST(BatchWatch, TerminationLeavesAWholePage) {
    const test::TempFolder folder;
    loggen::writeLog({.lines = 200000, .seed = 2}, folder.file("games_mp.log"));
    test::writeFile(folder.file("GravmarkParser.INI"), "");
    const test::TempFolder other;
    ASSERT_EQ(
        test::runBatchProcess({"--folder", folder.folder(), "--out", other.file("page.html"), "--now", kNow})
            .exitCode,
        0);
    const std::string whole = test::readFile(other.file("page.html"));
    // On a busy machine the early signals may come before the batch has set its handlers;
    // such a run ends by the signal and must have written nothing. By the last one the
    // first page is long written and the watch is waiting.
    for (const int delayMs : {40, 80, 120, 200, 400, 1500}) {
        const test::BatchResult result =
            test::runBatchProcess({"--folder", folder.folder(), "--out", folder.file("index.html"), "--now",
                                   kNow, "--watch", "1", "--quiet"},
                                  {}, GRAVMARK_BATCH_EXE, delayMs);
        const std::string page = readIfThere(folder.file("index.html"));
        const bool endedBySignal = result.exitCode == -1;
        EXPECT_TRUE(result.exitCode == 0 || (endedBySignal && page.empty() && delayMs < 1500))
            << delayMs << " " << result.exitCode << result.err;
        if (!page.empty()) {
            EXPECT_EQ(page, whole) << delayMs;
        }
        for (const auto& entry : fs::directory_iterator(folder.path()))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
        fs::remove(folder.file("index.html"));
    }
}

}  // namespace
}  // namespace gravmark
