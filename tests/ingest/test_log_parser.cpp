#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "common/error.h"
#include "ingest/parse_fields.h"
#include "ingest/parse_game_start.h"
#include "ingest/parse_line_kind.h"
#include "support/table_contents.h"
#include "test_parse_support.h"

namespace gravmark {
namespace {

using test::EventRecord;
using test::ParseRun;
using test::readFile;
using test::recordsById;
using test::viewOrder;

TEST(FieldAt, ReturnsTheFieldBeforeTheNthDelimiterOnly) {
    EXPECT_EQ(fieldAt("a;b;c;", ';', 2), "a");
    EXPECT_EQ(fieldAt("a;b;c;", ';', 4), "c");
    EXPECT_EQ(fieldAt("a;b;c;", ';', 5), "");
    EXPECT_EQ(fieldAt("a;b;c", ';', 4), "");  // text after the last delimiter never counts
    EXPECT_EQ(fieldAt("a;;c;", ';', 3), "");
    EXPECT_EQ(fieldAt("", ';', 2), "");
    EXPECT_EQ(fieldAt(";", ';', 2), "");
    EXPECT_EQ(fieldAt("abc", ';', 2), "");
    EXPECT_EQ(fieldAt("a;b;", ';', 1), "");
}

TEST(FieldAt, AgreesWithTheOnePassSplitOnRandomLines) {
    std::mt19937 random(7);
    const std::string alphabet = ";;;ab ";
    for (int round = 0; round < 2000; ++round) {
        std::string line(random() % 40, ' ');
        for (char& c : line) c = alphabet[random() % alphabet.size()];
        const ParseFields fields(line, ';');
        for (int k = 1; k <= ParseFields::kMaxField; ++k) {
            ASSERT_EQ(fields.field(k), fieldAt(line, ';', k + 1)) << '"' << line << "\" field " << k;
        }
    }
}

TEST(ClassifyLine, TokenMustFirstOccurBeforePositionTen) {
    EXPECT_EQ(classifyLine("12345678 K;a;b;"), LineKind::Kill);   // position 9
    EXPECT_EQ(classifyLine("123456789 K;a;b;"), LineKind::None);  // position 10
    EXPECT_EQ(classifyLine(" 1:00 J;x;1;name;"), LineKind::Join);
    EXPECT_EQ(classifyLine(" 1:00 say;x;1;Bob;hi;"), LineKind::Say);
    EXPECT_EQ(classifyLine(" 1:00 sayteam;x;1;Bob;hi;"), LineKind::SayTeam);
    EXPECT_EQ(classifyLine(" 1:00 D;x;1;axis;Bob;"), LineKind::D);
    EXPECT_EQ(classifyLine(" 0:00 InitGame: \\g_gametype\\dm"), LineKind::GameStart);
    EXPECT_EQ(classifyLine("12345678 InitGame: x"), LineKind::GameStart);
    EXPECT_EQ(classifyLine(" 0:00 ExitLevel: executed;"), LineKind::None);
    EXPECT_EQ(classifyLine("Aantal Lines : 12"), LineKind::None);
    // Names holding other tokens: those occur at position 10 or later.
    EXPECT_EQ(classifyLine(" 1:00 K;g;1;;Joe J;g;2;;Mr D;m16_mp;30;MOD;head;"), LineKind::Kill);
    EXPECT_EQ(classifyLine(" 1:00 K;g;1;; say what;g;2;; sayteam;m16_mp;30;MOD;head;"), LineKind::Kill);
    // The last passing test decides, wherever the tokens stand.
    EXPECT_EQ(classifyLine(" K J"), LineKind::Join);
    EXPECT_EQ(classifyLine(" J K"), LineKind::Join);
    EXPECT_EQ(classifyLine(" D sayteam"), LineKind::D);
    // A token the line's end cuts off does not occur.
    EXPECT_EQ(classifyLine(" 1:00 sayte"), LineKind::Say);
    EXPECT_EQ(classifyLine("1234567 InitGame"), LineKind::None);
    // A first occurrence too far out is not rescued by the line's content.
    EXPECT_EQ(classifyLine("1234567890 K;a;b;c;d;e;f;g;h;i;j;k;l;"), LineKind::None);
}

TEST(ParseGameStart, TakesMapAndTypeByThePositionRule) {
    const std::string line =
        " 0:00 InitGame: \\g_compassShowEnemies\\0\\g_gametype\\dm\\gamename\\Call of Duty "
        "4\\mapname\\mp_carentan\\protocol\\5\\shortversion\\1.6";
    EXPECT_EQ(parseGameStart(line).mapName, "mp_carentan");
    EXPECT_EQ(parseGameStart(line).gameType, "dm");

    const GameStart noProtocol =
        parseGameStart(" 0:00 InitGame: \\mapname\\mp_x\\g_gametype\\sd\\gamename\\");
    EXPECT_EQ(noProtocol.mapName, "");
    EXPECT_EQ(noProtocol.gameType, "sd");

    // Without the key its position counts as 0: the text from position 8 up to "\protocol".
    EXPECT_EQ(parseGameStart("  0:00 InitGame: \\protocol\\5").mapName, "InitGame: ");
    // The closing key before the key: a count below 1.
    EXPECT_EQ(parseGameStart(" 0:00 InitGame: \\gamename\\x\\g_gametype\\tdm").gameType, "");
    EXPECT_EQ(parseGameStart(" 0:00 InitGame: \\mapname\\protocol").mapName, "");
}

// A store as LOAD leaves it: every line with ";" appended, then the summary line.
void load(TextBoxLines& memo, const std::vector<std::string>& lines) {
    for (const auto& line : lines) memo.addLine(line + ";");
    memo.addLine("Aantal Lines : " + std::to_string(lines.size()));
}

const EventRecord* findEvent(const std::vector<EventRecord>& records, const std::string& command,
                             const std::string& name) {
    auto found = std::find_if(records.begin(), records.end(), [&](const EventRecord& r) {
        return r.at("command") == command && r.at("a_name") == name;
    });
    return found == records.end() ? nullptr : &*found;
}

TEST(ParseLog, StoresJoinAndKillRecordsWithEveryField) {
    ParseRun run;
    load(run.memo1, {
                        " 0:01 J;g0;1;Early",
                        " 0:02 InitGame: \\g_gametype\\tdm\\gamename\\CoD\\mapname\\mp_crash\\protocol\\5",
                        " 0:03 J;g1;2;Alice",
                        " 0:04 K;g2;3;axis;Bob;g1;2;allies;Alice;m16_mp;35;MOD_RIFLE_BULLET;head",
                        " 0:05 K;g3;4;a;V;g1;2;allies;Carol;ak47_mp;100;MOD_HEAD_SHOT;neck",
                        " 0:06 K;g4;5;axis;Dave;g1;2;allies;Erin;mp5_mp",
                        " 0:07 say;g1;2;Alice;gg K;",
                        " 0:08 sayteam;g1;2;Alice;J;",
                        " 0:09 D;g1;2;axis;Bob;g2;3;allies;Alice;m16_mp;20;MOD_PISTOL_BULLET;leg",
                        " 0:10 Weapon;g1;2;Alice;m16_mp",
                        " 0:11 InitGame: \\g_gametype\\sd\\mapname\\mp_strike",
                        " 0:12 J;g5;6;Frank",
                    });
    const int32_t stored = run.parse();

    EXPECT_EQ(stored, 6);
    EXPECT_EQ(run.gameCount, 2);
    EXPECT_EQ(run.progress.totalParts(), 13);
    EXPECT_EQ(run.progress.partsComplete(), 13);
    EXPECT_EQ(run.progress.percent(), 100);
    EXPECT_TRUE(std::filesystem::exists(run.folder.file("lijst.xml")));
    EXPECT_TRUE(run.memo2.empty());

    const auto records = run.records();
    ASSERT_EQ(records.size(), 6u);
    const EventRecord early{
        {"a_name", "Early"}, {"command", "J"}, {"map", ""}, {"game", "0"}, {"maptype", ""}};
    ASSERT_NE(findEvent(records, "J", "Early"), nullptr);
    EXPECT_EQ(*findEvent(records, "J", "Early"), early);
    const EventRecord alice{
        {"a_name", "Alice"}, {"command", "J"}, {"map", "mp_crash"}, {"game", "1"}, {"maptype", "tdm"}};
    ASSERT_NE(findEvent(records, "J", "Alice"), nullptr);
    EXPECT_EQ(*findEvent(records, "J", "Alice"), alice);

    const EventRecord aliceKill{{"a_name", "Alice"},
                                {"command", "K"},
                                {"a_team", "allies"},
                                {"v_name", "Bob"},
                                {"v_team", "axis"},
                                {"damage", "35"},
                                {"a_weapon", "m16_mp"},
                                {"damage_type", "MOD_RIFLE_BULLET"},
                                {"damage_location", "head"},
                                {"map", "mp_crash"},
                                {"game", "1"},
                                {"maptype", "tdm"}};
    ASSERT_NE(findEvent(records, "K", "Alice"), nullptr);
    EXPECT_EQ(*findEvent(records, "K", "Alice"), aliceKill);

    // Victim name and team shorter than 2 characters: the attacker's are used.
    const EventRecord* carol = findEvent(records, "K", "Carol");
    ASSERT_NE(carol, nullptr);
    EXPECT_EQ(carol->at("v_name"), "Carol");
    EXPECT_EQ(carol->at("v_team"), "allies");
    EXPECT_EQ(carol->at("damage"), "100");

    // Fewer than 13 fields: the missing ones are empty texts, not nulls.
    const EventRecord* erin = findEvent(records, "K", "Erin");
    ASSERT_NE(erin, nullptr);
    EXPECT_EQ(erin->at("a_weapon"), "mp5_mp");
    EXPECT_EQ(erin->at("damage"), "");
    EXPECT_EQ(erin->at("damage_type"), "");
    EXPECT_EQ(erin->at("damage_location"), "");
    EXPECT_EQ(erin->count("message"), 0u);

    const EventRecord* frank = findEvent(records, "J", "Frank");
    ASSERT_NE(frank, nullptr);
    EXPECT_EQ(frank->at("map"), "");  // "\protocol" missing in its game start
    EXPECT_EQ(frank->at("maptype"), "");
    EXPECT_EQ(frank->at("game"), "2");
}

TEST(ParseLog, WritesOneDetailsLinePerStoredRecordInLogOrder) {
    ParseRun run;
    run.memo2.addLine("kept");
    load(run.memo1, {
                        " 0:02 InitGame: \\mapname\\mp_crash\\protocol\\5",
                        " 0:03 J;g1;2;Alice",
                        " 0:04 K;g2;3;axis;;g1;2;allies;Alice;m16_mp;35;MOD_RIFLE_BULLET;head",
                        " 0:05 D;g2;3;axis;Bob;g1;2;allies;Alice;m16_mp;35;MOD_RIFLE_BULLET;head",
                    });
    run.parse(true);

    ASSERT_EQ(run.memo2.lineCount(), 3u);
    EXPECT_EQ(run.memo2.line(0), "kept");
    EXPECT_EQ(run.memo2.line(1), "Alice joined game : mp_crash");
    EXPECT_EQ(
        run.memo2.line(2),
        "*KILL* - Alice killed (35%) Alice with a MOD_RIFLE_BULLET in the head using a m16_mp. (mp_crash)");
}

TEST(ParseLog, OddBytesAndOddLinesFollowTheRules) {
    using namespace std::string_literals;
    ParseRun run;
    const std::string odd = "\x80\xff\x01\x1b[1m\x7f"s;
    load(run.memo1, {
                        std::string(300, ';'),
                        "",
                        // The keys in the wrong order: both values empty.
                        " 0:01 InitGame: \\protocol\\5\\mapname\\mp_x\\gamename\\g\\g_gametype\\dm",
                        " 0:02 J;g;1;" + odd,
                        " 0:03 K;g;1;axis;" + odd + ";g;2;allies;\xe9l\xe8ve;m16;35;MOD;head",
                        // " K" and " InitGame:" both near the front: the last test decides.
                        " K InitGame: \\mapname\\mp_y\\protocol",
                        " 0:04 J;g;1;late",
                    });
    EXPECT_EQ(run.parse(), 3);
    EXPECT_EQ(run.gameCount, 2);
    const auto records = run.records();
    const EventRecord* join = findEvent(records, "J", odd);
    ASSERT_NE(join, nullptr);
    EXPECT_EQ(join->at("map"), "");
    EXPECT_EQ(join->at("maptype"), "");
    const EventRecord* kill = findEvent(records, "K", "\xe9l\xe8ve");
    ASSERT_NE(kill, nullptr);
    EXPECT_EQ(kill->at("v_name"), odd);
    const EventRecord* late = findEvent(records, "J", "late");
    ASSERT_NE(late, nullptr);
    EXPECT_EQ(late->at("map"), "mp_y");
}

TEST(ParseLog, ReadsLinesAsTheStoreCutsThem) {
    ParseRun run;
    // The hit location lies beyond the 4096 characters the store gives out.
    const std::string longName(4100, 'x');
    run.memo1.addLine(" 0:04 K;g;1;axis;Bob;g;2;allies;Al;m16_mp;35;MOD;" + longName + ";");
    run.parse();
    const auto records = run.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].at("damage_location"), "");
}

TEST(ParseLog, StartsEverySecondRunFromAnEmptyTable) {
    ParseRun run;
    load(run.memo1, {" 0:01 InitGame: \\mapname\\a\\protocol", " 0:03 J;g1;2;Alice",
                     " 0:04 K;g2;3;axis;Bob;g1;2;allies;Alice;m16_mp;35;MOD_RIFLE_BULLET;head"});
    run.parse();
    run.gameCount = 99;
    EXPECT_EQ(run.parse(), 2);
    EXPECT_EQ(run.records().size(), 2u);
    EXPECT_EQ(run.gameCount, 1);
}

// After PARSE the table is what reading its work file back gives: the same records, in
// the same posting order with the same text ids, and the same index orders. A second run
// after other texts, and a table whose view is ordered, change none of that.
TEST(ParseLog, LeavesTheTableAsItsWorkFileReadsBack) {
    ParseRun run;
    load(run.memo1, {" 0:01 InitGame: \\mapname\\other\\protocol", " 0:03 J;g1;2;Someone else"});
    run.parse();
    run.db.setIndexFieldNames("a_name;game");
    run.memo1.setText(readFile(std::string(GRAVMARK_TEST_DATA) + "/report/generated-seed-7.log"));
    ASSERT_GT(run.parse(true), 100);

    RecordTable read;
    read.setFieldDefs(eventTableFields());
    read.setFileName(run.folder.file("lijst.xml"));
    read.setIndexFieldNames("a_name;game");
    read.open();
    EXPECT_EQ(recordsById(run.db), recordsById(read));
    EXPECT_EQ(viewOrder(run.db), viewOrder(read));
    EXPECT_EQ(run.db.currentRow(), read.currentRow());
    run.db.setIndexFieldNames("command");
    read.setIndexFieldNames("command");
    EXPECT_EQ(viewOrder(run.db), viewOrder(read));
}

// Many more events than the reading ahead holds at once: every one is stored, in log
// order. And a store that fails midway ends PARSE with its error, the reading stopped.
TEST(ParseLog, StoresLongLogsInOrderAndStopsReadingOnAFailure) {
    ParseRun run;
    run.memo1.addLine(" 0:01 InitGame: \\mapname\\mp_a\\protocol");
    for (int i = 0; i < 50000; ++i)
        run.memo1.addLine(" 0:02 J;g;" + std::to_string(i) + ";P" + std::to_string(i) + ";");
    EXPECT_EQ(run.parse(), 50000);
    EXPECT_EQ(run.gameCount, 1);
    run.db.last();  // each record went before the one stored before it
    EXPECT_EQ(run.db.textOf("a_name"), "P0");
    run.db.first();
    EXPECT_EQ(run.db.textOf("a_name"), "P49999");

    RecordTable withoutNames;
    withoutNames.setFieldDefs({{"command", FieldType::String, 20}});
    withoutNames.createDataSet();
    EXPECT_THROW(showEventsInTable(run.events, withoutNames), Error);
}

TEST(ParseLog, ReportsEveryPercentageOnceAsALineByLineUpdateWould) {
    for (const size_t lines : {1u, 2u, 3u, 7u, 199u, 200u, 201u, 333u, 1000u, 12345u}) {
        ParseRun run;
        for (size_t i = 0; i < lines; ++i) run.memo1.addLine("x;");
        std::vector<int> heard;
        run.progress.setPercentListener([&](int percent) { heard.push_back(percent); });
        run.parse();

        Progress reference;
        std::vector<int> expected;
        reference.setPercentListener([&](int percent) { expected.push_back(percent); });
        reference.setPartsComplete(0);
        reference.setTotalParts(static_cast<int64_t>(lines));
        for (size_t i = 0; i < lines; ++i) reference.setPartsComplete(static_cast<int64_t>(i));
        reference.setPartsComplete(static_cast<int64_t>(lines));
        EXPECT_EQ(heard, expected) << lines << " lines";
    }
}

}  // namespace
}  // namespace gravmark
