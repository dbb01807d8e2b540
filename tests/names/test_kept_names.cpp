#include <gtest/gtest.h>

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/log_loader.h"
#include "ingest/log_parser.h"
#include "merge/join_names.h"
#include "names/alias_list.h"
#include "names/id_merges.h"
#include "names/kept_names.h"
#include "report/run_statistics.h"
#include "support/temp_folder.h"
#include "table/event_table.h"
#include "table/player_table_fields.h"

namespace gravmark {
namespace {

const std::string kLanLog = std::string(GRAVMARK_REAL_LOGS) + "/server-lan-10k.log";

// A log parsed and shown in an event table, and the player rows a statistics run makes of it.
struct ParsedLog {
    test::TempFolder workFolder;  // showing the events passes the table through its work file
    RecordTable db;
    PlayerIdCounts ids;
    int32_t gameCount = 0;

    explicit ParsedLog(const std::string& path) {
        db.setFieldDefs(eventTableFields());
        db.setFileName(workFolder.file("lijst.xml"));
        db.createDataSet();
        TextBoxLines memo1, memo2;
        Progress progress;
        loadLog(path, memo1, progress);
        GameEvents events;
        parseLog(memo1, events, false, memo2, progress, gameCount, &ids);
        showEventsInTable(events, db);
    }

    // Every row of the player table as the page shows it, in page order.
    std::vector<std::string> rows() {
        RecordTable tempdb;
        tempdb.setFieldDefs(playerTableFields());
        tempdb.createDataSet();
        Statistics stats;
        Progress progress;
        std::vector<uint32_t> recordOfEvent;
        GameEvents events = eventsOfTable(db, recordOfEvent);
        runStatistics(stats, events, tempdb, gameCount, progress);
        std::vector<std::string> rows;
        for (tempdb.first(); !tempdb.eof(); tempdb.next()) rows.emplace_back(tempdb.textOf("html"));
        return rows;
    }

    int count(const char* field, const std::string& name) {
        int n = 0;
        db.setFiltered(false);
        db.clearKeyRange();
        for (db.first(); !db.eof(); db.next()) n += db.textOf(field) == name;
        return n;
    }
};

class KeptNames : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kLanLog)) GTEST_SKIP() << "no real logs beside the project";
    }
    test::TempFolder folder;
};

// Rules chained in any order give the page of joining the same names by hand; a rule for a
// name the log lacks changes nothing; without rules nothing is touched.
TEST_F(KeptNames, RulesGiveThePageOfJoiningByHand) {
    Progress bar;
    ParsedLog byHand(kLanLog);
    joinNames(byHand.db, std::string("Homer"), {{"Link2Death", true}, {"Jonny", true}, {"Agony", true}},
              bar);
    const std::vector<std::string> expected = byHand.rows();

    ParsedLog untouched(kLanLog);
    untouched.db.setIndexFieldNames("game");
    EXPECT_EQ(applyKeptNames(untouched.db, folder.folder(), nullptr).eventsRenamed, 0);
    EXPECT_EQ(untouched.db.indexFieldNames(), "game");

    test::writeFile(AliasList::fileName(folder.folder()),
                    "# two players\r\nJonny\tAgony\r\nAgony\tHomer\r\nLink2Death\tHomer\r\nNever seen\tHomer\r\n");
    ParsedLog kept(kLanLog);
    const int agonyEvents = kept.count("a_name", "Agony") + kept.count("v_name", "Agony");
    const KeptNamesRun run = applyKeptNames(kept.db, folder.folder(), nullptr);
    EXPECT_EQ(run.rulesApplied, 4u);
    EXPECT_TRUE(run.problems.empty());
    EXPECT_GE(run.eventsRenamed, agonyEvents);
    EXPECT_EQ(kept.count("a_name", "Jonny") + kept.count("v_name", "Agony"), 0);
    EXPECT_EQ(kept.rows(), expected);
    EXPECT_NE(untouched.rows(), expected);
}

// Names of one id are counted under the name with the most events; an explicit rule wins;
// an id of more than 5 names is not used and is named.
TEST_F(KeptNames, MergingByPlayerId) {
    Progress bar;
    ParsedLog byHand(kLanLog);
    joinNames(byHand.db, std::string("Homer"), {{"Link2Death", true}}, bar);
    joinNames(byHand.db, std::string("Jonny"), {{"HarpienKill", true}}, bar);
    joinNames(byHand.db, std::string("P-A"), {{"Adolf Hitler", true}}, bar);

    ParsedLog byId(kLanLog);
    const std::string lanId = "d3ccc66f7b1bf9e77faead1d50a15a0a";
    const auto shared = std::find_if(byId.ids.ids().begin(), byId.ids.ids().end(),
                                     [&](const auto& entry) { return entry.id == lanId; });
    ASSERT_NE(shared, byId.ids.ids().end());
    ASSERT_GT(shared->names.size(), 5u);
    const std::vector<std::string> untouched = byId.rows();
    ParsedLog again(kLanLog);
    const KeptNamesRun run = applyKeptNames(again.db, folder.folder(), &again.ids);
    EXPECT_EQ(run.sharedIds, std::vector<std::string>{lanId + " (" + std::to_string(shared->names.size()) +
                                                      " names)"});
    EXPECT_EQ(run.namesMergedById, 3u);
    EXPECT_EQ(again.count("a_name", "Link2Death") + again.count("v_name", "HarpienKill"), 0);
    // Each name of the shared id keeps its row.
    for (const auto& [name, events] : shared->names) {
        EXPECT_GT(again.count("a_name", name) + again.count("v_name", name), 0) << name;
    }

    // An explicit rule wins: Link2Death goes to its own kept name, not to Homer.
    test::writeFile(AliasList::fileName(folder.folder()), "Link2Death\tLink\n");
    ParsedLog ruled(kLanLog);
    const int link2Death = ruled.count("a_name", "Link2Death");
    applyKeptNames(ruled.db, folder.folder(), &ruled.ids);
    EXPECT_EQ(ruled.count("a_name", "Link"), link2Death);
    EXPECT_EQ(again.rows(), byHand.rows());
    EXPECT_NE(again.rows(), untouched);
}

TEST(IdMerges, MostEventsWinsTiesGoToTheFirstMetAndSixNamesAreTooMany) {
    PlayerIdCounts ids;
    for (const char* name : {"Tie1", "Tie2", "Tie2", "Tie1"}) ids.add("aaaaaaaa", name);
    for (const char* name : {"Few", "Many", "Many"}) ids.add("bbbbbbbb", name);
    for (const char* name : {"n1", "n2", "n3", "n4", "n5", "n5"}) ids.add("five-names", name);
    for (const char* name : {"s1", "s2", "s3", "s4", "s5", "s6"}) ids.add("six-names", name);
    const IdMerges merges = idMerges(ids);
    std::vector<std::string> rules;
    for (const AliasRule& rule : merges.rules) rules.push_back(rule.alias + ">" + rule.kept);
    EXPECT_EQ(rules, (std::vector<std::string>{"Tie2>Tie1", "Few>Many", "n1>n5", "n2>n5", "n3>n5", "n4>n5"}));
    EXPECT_EQ(merges.sharedIds, std::vector<std::string>{"six-names (6 names)"});
}

TEST(KeptNamesText, ProblemsAreCappedAndSharedIdsNamed) {
    EXPECT_EQ(problemsText({}), "");
    EXPECT_EQ(problemsText({"a", "b", "c"}, 2), "a\nb\n... and 1 more");
    EXPECT_EQ(sharedIdsText({}), "");
    EXPECT_EQ(sharedIdsText({"abc (7 names)", "def (6 names)"}),
              "Player ids seen with more than 5 names are not used for merging: abc (7 names), def (6 names)");
}

}  // namespace
}  // namespace gravmark
