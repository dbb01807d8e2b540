#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "support/scripted_dialogs.h"
#include "table/player_table_fields.h"
#include "report/run_statistics.h"
#include "stats_test_support.h"

namespace gravmark {
namespace {

using test::addJoin;
using test::addKill;
using test::Kill;

class RosterCounters : public ::testing::Test {
protected:
    void SetUp() override {
        test::makeEventTable(db);
        test::makeTable(tempdb, playerTableFields());
    }

    void countAll(int32_t gameCount) { test::countShown(stats, db, tempdb, gameCount, progress); }

    size_t indexOf(const std::string& name) const {
        return static_cast<size_t>(std::find(stats.roster.begin(), stats.roster.end(), name) -
                                   stats.roster.begin());
    }

    test::ScriptedDialogs messages;
    RecordTable db;
    RecordTable tempdb;
    Statistics stats;
    Progress progress;
};

TEST_F(RosterCounters, RosterHoldsEverySpellingInCaseBlindOrderWithTheWorldFirst) {
    addKill(db, {.attacker = "", .victim = "bob"});
    addJoin(db, 1, "bob");
    addJoin(db, 1, "Alice");
    addJoin(db, 2, "BOB");
    addJoin(db, 3, "Bob\x01");  // differs from Bob only in a character the collation ignores
    addJoin(db, 3, "Bob");
    stats.removeDuplicates(test::eventsOf(db), progress);
    EXPECT_EQ(progress.totalParts(), 6);
    EXPECT_EQ(progress.partsComplete(), 6);
    const std::vector<std::string> expected{"", "Alice", "BOB", "Bob", "bob", "Bob\x01"};
    EXPECT_EQ(stats.roster, expected);

    // The record order no longer decides anything.
    db.setIndexFieldNames("game");
    stats.removeDuplicates(test::eventsOf(db), progress);
    EXPECT_EQ(stats.roster, expected);
}

TEST_F(RosterCounters, SpellingsThatDifferOnlyInCaseKeepTheirOwnRowsAndCounts) {
    addJoin(db, 1, "Bob");
    addJoin(db, 1, "BOB");
    addKill(db, {.attacker = "BOB", .victim = "Bob", .location = "head"});
    addKill(db, {.attacker = "BOB", .victim = "Bob"});
    addKill(db, {.attacker = "Bob", .victim = "BOB"});
    countAll(1);

    ASSERT_EQ(stats.roster, (std::vector<std::string>{"BOB", "Bob"}));
    EXPECT_EQ(stats.killCounts, (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(stats.deathCounts, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(stats.headshotsTaken, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(stats.playedTotal, 2);

    // The first roster name has no row (it is the world's place); every other spelling does.
    addKill(db, {.attacker = "", .victim = "BOB"});
    countAll(1);
    ASSERT_EQ(tempdb.recordCount(), 2);
    tempdb.first();
    EXPECT_EQ(tempdb.textOf("name"), "BOB");
    EXPECT_EQ(std::get<int32_t>(tempdb.fieldValue("kills")), 2);
    EXPECT_EQ(std::get<int32_t>(tempdb.fieldValue("killed")), 2);
    tempdb.next();
    EXPECT_EQ(tempdb.textOf("name"), "Bob");
    EXPECT_EQ(std::get<int32_t>(tempdb.fieldValue("kills")), 1);
    EXPECT_EQ(std::get<int32_t>(tempdb.fieldValue("killed")), 2);
}

TEST_F(RosterCounters, EveryCounterCountsItsOwnEventsOfTheExactName) {
    for (int32_t game = 1; game <= 3; ++game) addJoin(db, game, "ab*");
    addKill(db, {.attacker = "ab*", .victim = "O'Neil", .location = "head"});
    addKill(db, {.attacker = "ab*", .victim = "O'Neil", .weapon = "tnt_bomb_mp"});
    addKill(db, {.attacker = "ab*", .victim = "abc", .type = "MOD_GRENADE_SPLASH"});
    addKill(db, {.attacker = "ab*", .victim = "abc", .type = "MOD_GRENADE_SPLASH"});
    addKill(db, {.attacker = "ab*", .victim = "ab*", .type = "MOD_SUICIDE"});
    addKill(db, {.attacker = "abc", .victim = "ab*", .location = "head"});
    addKill(db, {.attacker = "O'Neil", .victim = "abc"});
    addJoin(db, 1, "abc");

    countAll(0);  // no game to prune
    ASSERT_EQ(stats.roster, (std::vector<std::string>{"ab*", "abc", "O'Neil"}));
    // Kill events only (joins are not kills), suicides included; "ab*" is not a prefix.
    EXPECT_EQ(stats.killCounts, (std::vector<int32_t>{5, 1, 1}));
    EXPECT_EQ(stats.deathCounts, (std::vector<int32_t>{2, 3, 2}));
    EXPECT_EQ(stats.headshotsGiven, (std::vector<int32_t>{1, 1, 0}));
    EXPECT_EQ(stats.headshotsTaken, (std::vector<int32_t>{1, 0, 1}));
    EXPECT_EQ(stats.tntKills, (std::vector<int32_t>{1, 0, 0}));
    EXPECT_EQ(stats.grenadeKills, (std::vector<int32_t>{2, 0, 0}));
    EXPECT_EQ(stats.suicideCounts, (std::vector<int32_t>{1, 0, 0}));
    EXPECT_EQ(stats.gamesPlayed, (std::vector<int32_t>{3, 1, 0}));
    EXPECT_EQ(stats.playedTotal, 4);

    // The views the event table is left in: ordered by command, the last named player's
    // games-played filter kept but switched off, the first join current.
    EXPECT_FALSE(db.filtered());
    EXPECT_EQ(db.filter(), "a_name = 'O''Neil' AND command = 'J'");
    EXPECT_EQ(db.indexFieldNames(), "command");
    EXPECT_EQ(db.recordCount(), 11);  // no key range left
    EXPECT_EQ(db.currentRow(), 0);
    EXPECT_EQ(db.textOf("command"), "J");
    EXPECT_EQ(progress.partsComplete(), progress.totalParts());
    EXPECT_TRUE(messages.messages.empty());
}

// Counting player by player, a filter per player and counter over the whole table, as
// earlier releases counted.
std::vector<int32_t> countPerPlayer(RecordTable& db, const std::vector<std::string>& roster,
                                    const std::vector<FilterTerm>& otherTerms, const char* nameField) {
    std::vector<int32_t> counts;
    for (const std::string& name : roster) {
        std::vector<FilterTerm> terms{{nameField, name}};
        terms.insert(terms.end(), otherTerms.begin(), otherTerms.end());
        db.setFiltered(false);
        db.setFilterTerms(terms);
        db.setFiltered(true);
        counts.push_back(db.recordCount());
    }
    db.setFiltered(false);
    return counts;
}

// Hostile names (quotes, a trailing *, bytes a collation ignores, case twins, the empty
// name) and random events: the one pass counts what the per-player filters count.
TEST_F(RosterCounters, OnePassCountsWhatPerPlayerFiltersCount) {
    const std::vector<std::string> names{"", "Ann", "ann", "O'Neil", "ab*", "ab", "Bob\x01", "Bob", "\xe9t\xe9",
                                         "<b>&amp;"};
    const std::vector<std::string> weapons{"kar98_mp", "tnt_bomb_mp", "TNT_BOMB_MP"};
    const std::vector<std::string> types{"MOD_RIFLE_BULLET", "MOD_GRENADE_SPLASH", "MOD_SUICIDE", "mod_suicide"};
    const std::vector<std::string> locations{"head", "Head", "torso_upper", "head*"};
    std::mt19937 random(11);
    auto any = [&random](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    for (int event = 0; event < 2000; ++event) {
        if (random() % 5 == 0) {
            addJoin(db, static_cast<int32_t>(random() % 9), any(names));
        } else {
            addKill(db, {.game = static_cast<int32_t>(random() % 9), .attacker = any(names), .victim = any(names),
                         .weapon = any(weapons), .type = any(types), .location = any(locations)});
        }
    }
    countAll(-1);  // nothing pruned: the counts compare with the whole table
    RecordTable& t = db;
    const auto& r = stats.roster;
    EXPECT_EQ(r.size(), names.size());
    EXPECT_EQ(stats.killCounts, countPerPlayer(t, r, {{"command", "K"}}, "a_name"));
    EXPECT_EQ(stats.deathCounts, countPerPlayer(t, r, {}, "v_name"));
    EXPECT_EQ(stats.headshotsGiven, countPerPlayer(t, r, {{"damage_location", "head"}}, "a_name"));
    EXPECT_EQ(stats.headshotsTaken, countPerPlayer(t, r, {{"damage_location", "head"}}, "v_name"));
    EXPECT_EQ(stats.tntKills, countPerPlayer(t, r, {{"a_weapon", "tnt_bomb_mp"}}, "a_name"));
    EXPECT_EQ(stats.grenadeKills, countPerPlayer(t, r, {{"damage_type", "MOD_GRENADE_SPLASH"}}, "a_name"));
    EXPECT_EQ(stats.suicideCounts, countPerPlayer(t, r, {{"damage_type", "MOD_SUICIDE"}}, "a_name"));
    EXPECT_EQ(stats.gamesPlayed, countPerPlayer(t, r, {{"command", "J"}}, "a_name"));
}

TEST_F(RosterCounters, LargeRosterCountsEveryoneWithoutAMessage) {
    for (int i = 0; i < 53; ++i) {
        const std::string name = std::to_string(100 + i) + "p";
        for (int k = 0; k <= i; ++k) addKill(db, {.attacker = name, .victim = "zz"});
    }
    countAll(1);
    ASSERT_EQ(stats.killCounts.size(), 53u);
    for (int i = 0; i < 53; ++i) EXPECT_EQ(stats.killCounts[static_cast<size_t>(i)], i + 1);
    EXPECT_EQ(tempdb.recordCount(), 53);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(RosterCounters, PruningKeepsJoinsOfGamesWithAKillOrWithSeveralJoins) {
    addJoin(db, 0, "Ann");  // no kill in game 0: pruned
    addJoin(db, 0, "Ben");
    addKill(db, {.game = 0, .attacker = "Ben", .victim = "Ann"});
    addJoin(db, 1, "Cid");  // joined twice, no kill: both stay
    addJoin(db, 1, "Cid");
    addJoin(db, 1, "Ann");
    addKill(db, {.game = 1, .attacker = "Ann", .victim = "Dan"});
    addJoin(db, 1, "Dan");  // only died: pruned
    addJoin(db, 1, "BEN");  // a spelling of its own, without a kill: pruned
    addJoin(db, 2, "Ann");  // last game, no kill: pruned
    addJoin(db, 3, "Ann");  // past gameCount: not looked at
    db.setIndexFieldNames("game");
    countAll(2);

    EXPECT_EQ(stats.roster, (std::vector<std::string>{"Ann", "BEN", "Ben", "Cid", "Dan"}));
    EXPECT_EQ(stats.playedTotal, 5);
    EXPECT_FALSE(db.filtered());
    EXPECT_EQ(db.indexFieldNames(), "command");
    EXPECT_EQ(db.recordCount(), 7);
    EXPECT_EQ(stats.gamesPlayed, (std::vector<int32_t>{2, 0, 1, 2, 0}));

    // A second run finds nothing more to prune.
    countAll(2);
    EXPECT_EQ(stats.playedTotal, 5);
    EXPECT_EQ(db.recordCount(), 7);
}

// The pruning as the plain loop states it: every game, every roster name.
void pruneNameByName(RecordTable& db, const std::vector<std::string>& roster, int32_t gameCount) {
    db.setFiltered(false);
    db.setIndexFieldNames("game;command;a_name");
    for (int32_t game = 0; game <= gameCount; ++game) {
        for (const std::string& name : roster) {
            const std::vector<Value> kills{game, std::string("K"), name};
            db.setKeyRange(kills, kills);
            if (db.recordCount() != 0) continue;
            const std::vector<Value> joins{game, std::string("J"), name};
            db.setKeyRange(joins, joins);
            if (db.recordCount() == 1) db.deleteRecord();
            db.clearKeyRange();
        }
    }
    db.clearKeyRange();
}

std::multiset<std::tuple<int32_t, std::string, std::string>> contents(RecordTable& db) {
    std::multiset<std::tuple<int32_t, std::string, std::string>> records;
    db.setFiltered(false);
    db.first();
    for (int i = 0; i < db.recordCount(); ++i, db.next()) {
        records.emplace(std::get<int32_t>(db.fieldValue("game")), std::string(db.textOf("command")),
                        std::string(db.textOf("a_name")));
    }
    return records;
}

TEST_F(RosterCounters, PruningGivesWhatTheNameByNameLoopGives) {
    const std::vector<std::string> names{"", "Ann", "ann", "ANN", "Bo", "bo", "Cy", "Di", "Ed", "Flo"};
    std::mt19937 random(7);
    RecordTable reference;
    test::makeEventTable(reference);
    const int32_t gameCount = 12;
    for (int event = 0; event < 600; ++event) {
        const int32_t game = static_cast<int32_t>(random() % (gameCount + 1));
        const std::string& who = names[random() % names.size()];
        const std::string& victim = names[1 + random() % (names.size() - 1)];
        const bool kill = random() % 3 == 0;
        for (RecordTable* table : {&db, &reference}) {
            if (kill) {
                addKill(*table, {.game = game, .attacker = who, .victim = victim});
            } else {
                addJoin(*table, game, who);
            }
        }
    }
    countAll(gameCount);
    pruneNameByName(reference, stats.roster, gameCount);
    EXPECT_LT(contents(db).size(), 600u);
    EXPECT_EQ(contents(db), contents(reference));
}

TEST_F(RosterCounters, EmptyTableGivesNothingToCount) {
    countAll(0);
    EXPECT_TRUE(stats.roster.empty());
    EXPECT_TRUE(stats.killCounts.empty());
    EXPECT_EQ(stats.playedTotal, 0);
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace gravmark
