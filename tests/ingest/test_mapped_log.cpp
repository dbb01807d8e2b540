#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "ingest/mapped_log.h"
#include "ingest/parse_fields.h"
#include "support/box_lines.h"
#include "support/temp_folder.h"

namespace gravmark {
namespace {

using namespace std::string_literals;

// Each line as PARSE reads it from the mapping, its closing ";" written out.
std::vector<std::string> readLines(const MappedLog& log) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < log.lineCount(); ++i) {
        const ScanLine line = log.line(i);
        lines.push_back(std::string(line.text) + (line.closedAtEnd ? ";" : ""));
    }
    return lines;
}

TEST(MappedLog, ReadsTheLinesTheLineStoreHolds) {
    const std::string longText(5000, 'x');
    const std::vector<std::string> logs = {
        "one\r\ntwo\nthree",
        "a\rb\r\nc\r\r\n\r\n\n",
        "with\0nul;\0\nafter\0"s,
        "kept\x1a cut off\nnext\n\x1a never read\nnor this\n",
        longText.substr(0, 4094) + "\n" + longText.substr(0, 4095) + "\n" + longText.substr(0, 4096) +
            "\r\n" + longText + "\n" + longText.substr(0, 4095) + "\r",
    };
    for (const std::string& bytes : logs) {
        test::TempFolder folder;
        const std::string path = folder.file("games_mp.log");
        test::writeFile(path, bytes);
        TextBoxLines stored;
        Progress copying;
        const int32_t count = loadLog(path, stored, copying);

        MappedLog mapped;
        Progress mapping;
        ASSERT_TRUE(mapped.load(path, mapping));
        EXPECT_EQ(readLines(mapped), test::linesOf(stored)) << bytes.substr(0, 40);
        EXPECT_EQ(mapped.logLineCount(), count);
        EXPECT_EQ(mapping.totalParts(), copying.totalParts());
        EXPECT_EQ(mapping.partsComplete(), copying.partsComplete());
    }

    test::TempFolder folder;
    test::writeFile(folder.file("empty.log"), "");
    MappedLog empty;
    Progress progress;
    EXPECT_FALSE(empty.load(folder.file("empty.log"), progress));  // read instead
    EXPECT_EQ(empty.lineCount(), 0u);
}

// Every event's texts and game, as PARSE stored them from the log.
std::vector<std::string> parsedEvents(const MappedLog& log) {
    GameEvents events;
    TextBoxLines details;
    Progress progress;
    int32_t games = 0;
    parseLog(log, events, false, details, progress, games);
    std::vector<std::string> texts;
    for (const GameEvent& event : events.list) {
        std::string text = std::to_string(event.game.value_or(-1));
        for (const EventTextField& field : kEventTextFields) {
            const uint32_t id = event.*field.member;
            text.append("|").append(id == GameEvent::kNoText ? "-" : events.text(id));
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(MappedLog, ReadChunkByChunkGivesTheLinesAndEventsOfTheWholeMapping) {
    std::string bytes;
    for (int game = 0; game < 40; ++game) {
        bytes += "  0:00 InitGame: \\g_gametype\\dm\\mapname\\mp_map" + std::to_string(game % 3) + "\r\n";
        for (int kill = 0; kill < 30; ++kill) {
            const std::string a = "Player" + std::to_string(kill % 7),
                              v = "Other" + std::to_string((kill + game) % 5);
            bytes += "  0:" + std::to_string(kill) + " J;" + std::to_string(kill) + ";1;" + a + "\n";
            bytes += "  0:" + std::to_string(kill) + " K;1;2;axis;" + v + ";3;4;allies;" + a +
                     ";kar98k_mp;100;MOD_RIFLE_BULLET;head" + (kill % 4 ? "\n" : "\r\n");
        }
    }
    test::TempFolder folder;
    const std::string path = folder.file("games_mp.log");
    test::writeFile(path, bytes);
    MappedLog whole;
    MappedLog byPages({.heldWholeBytes = 0, .chunkBytes = 4096});
    Progress progress;
    ASSERT_TRUE(whole.load(path, progress));
    ASSERT_TRUE(byPages.load(path, progress));
    ASSERT_GT(bytes.size(), 20u * 4096);
    EXPECT_EQ(readLines(byPages), readLines(whole));
    const std::vector<std::string> events = parsedEvents(byPages);
    EXPECT_EQ(events.size(), 40u * 60);
    EXPECT_EQ(events, parsedEvents(whole));
    EXPECT_EQ(readLines(byPages), readLines(whole));  // still readable after PARSE gave the pages back
}

TEST(MappedLog, LineEndClosesAFieldAsADelimiterWould) {
    for (const std::string line :
         {"", ";", "a", "a;b", "a;b;", ";;;;;;;;;;;;;;;;", "1;2;3;4;5;6;7;8;9;10;11;12;13"}) {
        const std::string closed = line + ";";
        const ParseFields withDelimiter(closed, ';');
        const ParseFields atEnd(line, ';', true);
        for (int k = 1; k <= ParseFields::kMaxField; ++k)
            EXPECT_EQ(atEnd.field(k), withDelimiter.field(k)) << line << k;
    }
}

}  // namespace
}  // namespace gravmark
