#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/rotated_copies.h"
#include "ingest/log_loader.h"
#include "support/box_lines.h"
#include "support/real_logs.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

struct Loaded {
    Lines lines;  // the lines of Memo1, summary line included
    int32_t lineCount = -1;
    int64_t totalParts = -1;
    int64_t partsComplete = -1;
    std::vector<int> percents;  // every whole percentage the bar showed
};

Loaded loadFile(const std::string& path, TextBoxLines& memo1) {
    Loaded result;
    Progress progress;
    progress.setPercentListener([&result](int percent) { result.percents.push_back(percent); });
    result.lineCount = loadLog(path, memo1, progress);
    result.lines = test::fullLinesOf(memo1);
    result.totalParts = progress.totalParts();
    result.partsComplete = progress.partsComplete();
    return result;
}

Loaded loadBytes(const std::string& bytes) {
    test::TempFolder folder;
    test::writeFile(folder.file("games_mp.log"), bytes);
    TextBoxLines memo1;
    return loadFile(folder.file("games_mp.log"), memo1);
}

TEST(LogLoader, TwoLinesWithEveryKindOfEnding) {
    for (const std::string first : {"\r\n", "\n"}) {
        for (const std::string second : {"\r\n", "\n", ""}) {
            const Loaded loaded = loadBytes("one" + first + "two" + second);
            EXPECT_EQ(loaded.lines, (Lines{"one;", "two;", "Aantal Lines : 2"}))
                << first.size() << second.size();
            EXPECT_EQ(loaded.lineCount, 2);
            EXPECT_EQ(loaded.totalParts, 2);
            EXPECT_EQ(loaded.partsComplete, 2);
        }
    }
}

TEST(LogLoader, EmptyFileAndEmptyLines) {
    const Loaded empty = loadBytes("");
    EXPECT_EQ(empty.lines, (Lines{"Aantal Lines : 0"}));
    EXPECT_EQ(empty.lineCount, 0);
    EXPECT_EQ(empty.totalParts, 0);

    const Loaded gap = loadBytes("a\n\nb\n");
    EXPECT_EQ(gap.lines, (Lines{"a;", ";", "b;", "Aantal Lines : 3"}));
    EXPECT_EQ(gap.lineCount, 3);
}

TEST(LogLoader, LoneCarriageReturnsJoinButCountAsBreaks) {
    const Loaded lone = loadBytes("a\rb\nc\n");
    EXPECT_EQ(lone.lines, (Lines{"ab;", "c;", "Aantal Lines : 2"}));
    EXPECT_EQ(lone.totalParts, 3);
    EXPECT_EQ(lone.partsComplete, 3);  // full at the end all the same
    EXPECT_EQ(lone.percents.back(), 100);

    const Loaded lfcr = loadBytes("a\n\rb\r");  // LF CR: two breaks for the count
    EXPECT_EQ(lfcr.lines, (Lines{"a;", "b;", "Aantal Lines : 2"}));
    EXPECT_EQ(lfcr.totalParts, 3);
}

TEST(LogLoader, CtrlZEndsReadingAtLineStartAndCutsALineInside) {
    const Loaded atStart = loadBytes(
        "a\n\x1a"
        "b\nc\n");
    EXPECT_EQ(atStart.lines, (Lines{"a;", "Aantal Lines : 1"}));
    EXPECT_EQ(atStart.totalParts, 3);  // the count pass knows no Ctrl-Z
    EXPECT_EQ(atStart.partsComplete, 3);

    const Loaded inside = loadBytes(
        "ab\x1a"
        "cd\r\x1a\nef\r\n");
    EXPECT_EQ(inside.lines, (Lines{"ab;", "ef;", "Aantal Lines : 2"}));
}

TEST(LogLoader, NulBytesAreKeptInTheStoreButEndTheCount) {
    const Loaded loaded = loadBytes("a\0b\nc\n\0\n"s);
    EXPECT_EQ(loaded.lines, (Lines{"a\0b;"s, "c;", "\0;"s, "Aantal Lines : 3"}));
    EXPECT_EQ(loaded.lineCount, 3);
    EXPECT_EQ(loaded.totalParts, 1);  // the text the count pass sees is "a"
}

TEST(LogLoader, ProgressIsLinesReadPlusOneCappedAtTheTotal) {
    const Loaded three = loadBytes("a\nb\nc\n");
    // 2 of 3 after the first line, then 3 (capped) after the second and third.
    EXPECT_EQ(three.percents, (std::vector<int>{67, 100}));
    EXPECT_EQ(three.partsComplete, 3);
}

// The bar, told after every line as LOAD describes it, shows these percentages.
std::vector<int> percentsLinePerLine(int64_t total, int64_t linesRead) {
    std::vector<int> percents;
    Progress progress;
    progress.setPercentListener([&percents](int percent) { percents.push_back(percent); });
    progress.setTotalParts(total);
    for (int64_t n = 1; n <= linesRead; ++n) progress.setPartsComplete(n + 1);
    progress.setPartsComplete(total);
    return percents;
}

TEST(LogLoader, BarShowsTheSamePercentagesAsWhenToldEveryLine) {
    for (const int lines : {7, 199, 200, 201, 999, 12345}) {
        std::string log;
        for (int i = 0; i < lines; ++i) log += std::string(static_cast<size_t>(i % 13), 'x') + "\n";
        EXPECT_EQ(loadBytes(log).percents, percentsLinePerLine(lines, lines)) << lines;
        // A Ctrl-Z two thirds in: the bar stops early, then jumps to full.
        const std::string cut =
            log.substr(0, log.size() * 2 / 3) + "\n\x1a\n" + log.substr(log.size() * 2 / 3);
        const Loaded loaded = loadBytes(cut);
        EXPECT_EQ(loaded.percents, percentsLinePerLine(loaded.totalParts, loaded.lineCount)) << lines;
    }
}

TEST(LogLoader, LogsOfOnlyBreaksOrOneHugeLine) {
    const Loaded feeds = loadBytes(std::string(100000, '\n'));
    EXPECT_EQ(feeds.lineCount, 100000);
    EXPECT_EQ(feeds.lines.front(), ";");
    EXPECT_EQ(feeds.lines[99999], ";");
    EXPECT_EQ(feeds.totalParts, 100000);

    // Lone CRs break only the count: the line pass sees one empty line.
    const Loaded returns = loadBytes(std::string(100000, '\r'));
    EXPECT_EQ(returns.lines, (Lines{";", "Aantal Lines : 1"}));
    EXPECT_EQ(returns.totalParts, 100000);
    EXPECT_EQ(returns.percents.back(), 100);

    const std::string huge(20 << 20, ';');
    test::TempFolder folder;
    test::writeFile(folder.file("games_mp.log"), huge);
    TextBoxLines memo1;
    EXPECT_EQ(loadFile(folder.file("games_mp.log"), memo1).lineCount, 1);
    EXPECT_EQ(memo1.fullLine(0), huge + ";");
    EXPECT_EQ(memo1.line(0).size(), TextBoxLines::kMaxLineRead);
}

TEST(LogLoader, LoadingTwiceGivesTheSameStore) {
    test::TempFolder folder;
    const std::string path = folder.file("games_mp.log");
    test::writeFile(path, "x\r\ny\n");
    TextBoxLines memo1;
    const Loaded once = loadFile(path, memo1);
    const Loaded twice = loadFile(path, memo1);
    EXPECT_EQ(twice.lines, once.lines);
    EXPECT_EQ(twice.lineCount, 2);
    EXPECT_EQ(memo1.text(), "x;\r\ny;\r\nAantal Lines : 2\r\n");
}

TEST(LogLoader, RotatedCopiesReadFirstAsOneLogWhenAsked) {
    test::TempFolder folder;
    const std::string log = folder.file("games_mp.log");
    test::writeFile(log + ".20261209-120000-2", "second\r\n");
    test::writeFile(log + ".20261130-235959", "first\n");
    test::writeFile(log + ".20261209-120000", "first too\r\n");
    test::writeFile(log, "now\n");
    TextBoxLines memo1;
    Progress progress;

    EXPECT_EQ(loadLog(logFilesToLoad(log, true), memo1, progress), 4);
    EXPECT_EQ(test::fullLinesOf(memo1),
              (Lines{"first;", "first too;", "second;", "now;", "Aantal Lines : 4"}));
    EXPECT_EQ(progress.totalParts(), 4);

    EXPECT_EQ(loadLog(logFilesToLoad(log, false), memo1, progress), 1);
    EXPECT_EQ(test::fullLinesOf(memo1), (Lines{"now;", "Aantal Lines : 1"}));
}

TEST(LogLoader, ExistenceOpenFailureAndCapacity) {
    test::TempFolder folder;
    EXPECT_FALSE(logFileExists(folder.file("games_mp.log")));
    std::filesystem::create_directory(folder.file("games_mp.log"));
    EXPECT_FALSE(logFileExists(folder.file("games_mp.log")));  // a folder does not count
    test::writeFile(folder.file("other.log"), "");
    EXPECT_TRUE(logFileExists(folder.file("other.log")));

    TextBoxLines memo1;
    memo1.addLine("kept until LOAD starts");
    Progress progress;
    const std::string missing = folder.file("missing.log");
    try {
        loadLog(missing, memo1, progress);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + missing + "\". No such file or directory");
    }
    EXPECT_TRUE(memo1.empty());

    // A sparse file just over the capacity: rejected before anything is read.
    const std::string huge = folder.file("huge.log");
    test::writeFile(huge, "");
    std::filesystem::resize_file(huge, kMaxLogBytes + 1);
    try {
        loadLog(huge, memo1, progress);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Text exceeds memo capacity");
    }
}

// The real logs end every line with LF and hold no CR, Ctrl-Z or NUL: each stored line
// is the log line with ";" appended, and there is one per LF.
TEST(LogLoader, RealLogs) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    for (const char* name : {"server-small-100.log", "server-lan-10k.log"}) {
        const std::string path = std::string(GRAVMARK_REAL_LOGS) + "/" + name;
        const std::string bytes = test::readFile(path);
        ASSERT_EQ(bytes.find_first_of("\r\x1a\0"s), std::string::npos);
        Lines expected;
        for (size_t start = 0, lf; (lf = bytes.find('\n', start)) != std::string::npos; start = lf + 1)
            expected.push_back(bytes.substr(start, lf - start) + ";");
        expected.push_back("Aantal Lines : " + std::to_string(expected.size()));

        TextBoxLines memo1;
        const Loaded loaded = loadFile(path, memo1);
        EXPECT_EQ(loaded.lines, expected) << name;
        EXPECT_EQ(loaded.lineCount, static_cast<int32_t>(expected.size() - 1)) << name;
        EXPECT_EQ(loaded.totalParts, loaded.lineCount) << name;
    }
}

}  // namespace
}  // namespace gravmark
