#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "support/real_logs.h"
#include "test_parse_support.h"

namespace gravmark {
namespace {

struct ExpectedCounts {
    int joins = 0;
    int kills = 0;
    int gameStarts = 0;
};

// Fills the store the way LOAD does (every line with ";" appended, then the summary
// line) and counts the event lines of the raw text by the log's own grammar: a clock
// (minutes:seconds) and then the event word.
ExpectedCounts loadAndCount(const std::string& path, TextBoxLines& memo1) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    const std::regex event(R"(^ *[0-9]+:[0-9]{2} (J;|K;|InitGame:))");
    ExpectedCounts counts;
    std::string line;
    size_t stored = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        memo1.addLine(line + ";");
        ++stored;
        std::smatch match;
        if (!std::regex_search(line, match, event)) continue;
        const std::string word = match[1];
        counts.joins += word == "J;";
        counts.kills += word == "K;";
        counts.gameStarts += word == "InitGame:";
    }
    memo1.addLine("Aantal Lines : " + std::to_string(stored));
    return counts;
}

void expectParsedAsCounted(const std::string& name, const ExpectedCounts& known) {
    test::ParseRun run;
    const ExpectedCounts counted = loadAndCount(std::string(GRAVMARK_REAL_LOGS) + "/" + name, run.memo1);
    // The logs' own description states these numbers; the raw count must agree with it.
    EXPECT_EQ(counted.joins, known.joins);
    EXPECT_EQ(counted.kills, known.kills);
    EXPECT_EQ(counted.gameStarts, known.gameStarts);

    run.parse(true);
    int joins = 0, kills = 0;
    for (const auto& record : run.records()) {
        joins += record.at("command") == "J";
        kills += record.at("command") == "K";
    }
    EXPECT_EQ(joins, counted.joins);
    EXPECT_EQ(kills, counted.kills);
    EXPECT_EQ(run.gameCount, counted.gameStarts);
    EXPECT_EQ(run.memo2.lineCount(), static_cast<size_t>(counted.joins + counted.kills));
}

TEST(ParseRealLogs, SmallLogGivesEveryJoinKillAndGame) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    expectParsedAsCounted("server-small-100.log", {14, 26, 4});
}

TEST(ParseRealLogs, LanLogGivesEveryJoinKillAndGame) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    expectParsedAsCounted("server-lan-10k.log", {515, 2159, 306});
}

}  // namespace
}  // namespace gravmark
