#include <gtest/gtest.h>

#include "common/error.h"
#include "merge/join_names.h"
#include "stats/statistics.h"
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

    int count(const std::string& field, const std::string& name) {
        db.setFiltered(false);
        db.setFilterTerms({{field, name}});
        db.setFiltered(true);
        const int n = db.recordCount();
        db.setFiltered(false);
        return n;
    }

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
    EXPECT_EQ(count("v_name", "Mid-victim"), 4);  // victims keep their names

    EXPECT_FALSE(db.filtered());
    EXPECT_EQ(db.indexFieldNames(), "a_name");
    EXPECT_EQ(db.recordCount(), 17);

    Statistics stats;
    Progress progress;
    stats.Removeduplicates(db, progress);
    EXPECT_EQ(stats.roster, std::vector<std::string>{"Zed"});
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
