#include <gtest/gtest.h>

#include "common/error.h"
#include "merge/join_names.h"
#include "report/run_statistics.h"
#include "stats/statistics.h"
#include "table/player_table_fields.h"
#include "stats_test_support.h"

namespace gravmark {
namespace {

using test::addJoin;
using test::addKill;

class JoinNames : public ::testing::Test {
protected:
    void SetUp() override {
        test::makeEventTable(db);
        // Four events of each name, in mixed posting order, victims named after attackers.
        for (int round = 0; round < 4; ++round) {
            for (const char* name : {"Mid", "Alpha", "Zed", "Mid_x"}) {
                addKill(db, {.attacker = name, .victim = std::string(name) + "-victim"});
            }
        }
        addJoin(db, 1, "Mid");
    }

    int count(const std::string& field, const std::string& name) { return test::countOf(db, field, name); }

    RecordTable db;
    Progress joinstatus;
};

TEST_F(JoinNames, RenamesEveryEventWhicheverWayTheKeptNameSorts) {
    // Alpha sorts before Mid and Mid_x, Zed after them; Mid itself is selected and skipped.
    joinNames(db, std::string("Alpha"), {{"Alpha", false}, {"Mid", true}, {"Zed", false}}, joinstatus);
    EXPECT_EQ(count("a_name", "Alpha"), 9);
    EXPECT_EQ(count("a_name", "Mid"), 0);
    EXPECT_EQ(joinstatus.totalParts(), 3);
    EXPECT_EQ(joinstatus.partsComplete(), 3);

    joinNames(db, std::string("Zed"), {{"Alpha", true}, {"Mid_x", true}, {"Zed", true}}, joinstatus);
    EXPECT_EQ(count("a_name", "Zed"), 17);
    EXPECT_EQ(count("a_name", "Alpha"), 0);
    EXPECT_EQ(count("a_name", "Mid_x"), 0);
    EXPECT_EQ(count("v_name", "Mid-victim"), 4);  // other victims keep their names

    EXPECT_FALSE(db.filtered());
    EXPECT_EQ(db.indexFieldNames(), "a_name");
    EXPECT_EQ(db.recordCount(), 17);

    Statistics stats;
    Progress progress;
    stats.removeDuplicates(test::eventsOf(db), progress);
    EXPECT_EQ(stats.roster, std::vector<std::string>{"Zed"});
}

// The kept player's row carries the merged name's deaths and headshots taken as well as its
// kills; nothing of the merged name is left on no row.
TEST_F(JoinNames, KeptPlayerTakesTheMergedNamesDeathsAndHeadshotsTaken) {
    RecordTable fresh;
    test::makeEventTable(fresh);
    addJoin(fresh, 1, "Y");
    addJoin(fresh, 1, "X");
    addKill(fresh, {.attacker = "Z", .victim = "X", .location = "head"});
    addKill(fresh, {.attacker = "Z", .victim = "X"});
    addKill(fresh, {.attacker = "Z", .victim = "Y", .location = "head"});
    addKill(fresh, {.attacker = "X", .victim = "Z"});
    addKill(fresh, {.attacker = "Y", .victim = "Z"});
    joinNames(fresh, std::string("Y"), {{"X", true}, {"Y", false}, {"Z", false}}, joinstatus);
    EXPECT_EQ(test::countOf(fresh, "v_name", "X"), 0);

    RecordTable tempdb;
    test::makeTable(tempdb, playerTableFields());
    Statistics stats;
    Progress progress;
    test::countShown(stats, fresh, tempdb, 1, progress);
    ASSERT_EQ(stats.roster, (std::vector<std::string>{"Y", "Z"}));
    EXPECT_EQ(stats.deathCounts[0], 3);
    EXPECT_EQ(stats.headshotsTaken[0], 2);
    EXPECT_EQ(stats.deathCounts[1], 2);
    ASSERT_EQ(test::countOf(tempdb, "name", "Y"), 1);
    tempdb.setFilterTerms({{"name", "Y"}});
    tempdb.setFiltered(true);
    EXPECT_EQ(std::get<int32_t>(tempdb.fieldValue("killed")), 3);
    EXPECT_EQ(std::get<int32_t>(tempdb.fieldValue("headshotr")), 2);
}

TEST_F(JoinNames, RenamesOnlyTheExactSpelling) {
    addJoin(db, 2, "MID");
    joinNames(db, std::string("Zed"), {{"Mid", true}}, joinstatus);
    EXPECT_EQ(count("a_name", "MID"), 1);
    EXPECT_EQ(count("a_name", "Zed"), 9);
}

TEST_F(JoinNames, NothingKeptOnTheLeftChangesNothing) {
    db.setIndexFieldNames("game");
    try {
        joinNames(db, std::nullopt, {{"Mid", true}}, joinstatus);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (-1)");
    }
    EXPECT_EQ(count("a_name", "Mid"), 5);
    EXPECT_EQ(db.indexFieldNames(), "game");
    EXPECT_EQ(joinstatus.totalParts(), 0);
}

TEST_F(JoinNames, NothingSelectedOnTheRightRunsTheBarToItsEnd) {
    joinNames(db, std::string("Alpha"), {{"Mid", false}, {"Alpha", true}}, joinstatus);
    EXPECT_EQ(count("a_name", "Alpha"), 4);
    EXPECT_EQ(count("a_name", "Mid"), 5);
    EXPECT_EQ(joinstatus.partsComplete(), 2);
}

}  // namespace
}  // namespace gravmark
