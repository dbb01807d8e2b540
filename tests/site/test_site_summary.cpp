// The summary behind the player pages, from a hand-made event table: what each list
// holds, its order, and that it follows the rows exactly.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "site/site_summary.h"
#include "report/run_statistics.h"
#include "stats/stats_test_support.h"
#include "table/player_table_fields.h"

namespace gravmark {
namespace {

using test::addJoin;
using test::addKill;
using test::Kill;

class SiteSummaryTest : public testing::Test {
protected:
    SiteSummaryTest() {
        test::makeEventTable(db);
        test::makeTable(tempdb, playerTableFields());
    }
    SiteSummary summarize() {
        Progress progress;
        PlayerStandings standings;
        const GameEvents events = test::countShown(stats, db, tempdb, 2, progress, &standings);
        return summarizeSite(events, standings.rows, tempdb, standings.winners);
    }
    const PlayerSummary& player(const SiteSummary& site, const std::string& name) {
        for (const PlayerSummary& p : site.players) {
            if (p.name == name) return p;
        }
        throw std::runtime_error("no page for " + name);
    }

    RecordTable db, tempdb;
    Statistics stats;
};

TEST_F(SiteSummaryTest, ListsOfOnePlayer) {
    addJoin(db, 1, "Flo");
    addJoin(db, 1, "Bob");
    addJoin(db, 1, "Quiet");  // joins, dies, never kills
    addKill(db, {.attacker = "Flo", .victim = "Bob", .location = "head"});
    addKill(db, {.attacker = "Flo", .victim = "Bob", .weapon = "mp40_mp", .type = "MOD_PISTOL_BULLET"});
    addKill(db, {.attacker = "Flo", .victim = "Quiet", .location = "head"});
    addKill(db, {.attacker = "Flo", .victim = "Flo", .weapon = "frag_grenade_mp", .type = "MOD_SUICIDE"});
    addKill(db, {.attacker = "Flo", .victim = "Ghost"});  // a victim without a row
    addKill(db,
            {.attacker = "", .victim = "Flo", .weapon = "none", .type = "MOD_FALLING", .location = "none"});
    addKill(db, {.attacker = "Bob", .victim = "Flo"});
    addKill(db, {.attacker = "Bob", .victim = "Quiet"});
    addJoin(db, 2, "Flo");
    addKill(db, {.game = 2, .attacker = "Flo", .victim = "Bob"});

    const SiteSummary site = summarize();
    ASSERT_EQ(site.players.size(), 3u);
    EXPECT_EQ(site.players[0].name, "Flo");  // rows in page order, most kills first
    const PlayerSummary& flo = player(site, "Flo");
    EXPECT_EQ(flo.kills, 6);
    EXPECT_EQ(flo.killed, 3);
    EXPECT_EQ(flo.played, 2);
    ASSERT_EQ(flo.weapons.size(), 3u);
    EXPECT_EQ(flo.weapons[0].weapon, "kar98_mp");
    EXPECT_EQ(flo.weapons[0].kills, 4);
    EXPECT_EQ(flo.weapons[0].headshots, 2);
    EXPECT_EQ(flo.weapons[1].weapon, "frag_grenade_mp");  // a tie goes by the text
    EXPECT_EQ(flo.weapons[2].weapon, "mp40_mp");
    ASSERT_EQ(flo.locations.size(), 2u);
    EXPECT_EQ(flo.locations[0].location, "torso_upper");
    EXPECT_EQ(flo.locations[0].kills, 4);
    EXPECT_EQ(flo.locations[1].location, "head");
    ASSERT_EQ(flo.maps.size(), 1u);
    EXPECT_EQ(flo.maps[0].map, "mp_harbor");
    EXPECT_EQ(flo.maps[0].kills, 6);
    EXPECT_EQ(flo.maps[0].deaths, 3);
    EXPECT_EQ(flo.maps[0].games, 2);
    // Victims leave the player out; nemeses leave out the player and the world.
    ASSERT_EQ(flo.victims.size(), 3u);
    EXPECT_EQ(flo.victims[0].name, "Bob");
    EXPECT_EQ(flo.victims[0].count, 3);
    EXPECT_EQ(site.players[size_t(flo.victims[0].player)].name, "Bob");
    EXPECT_EQ(flo.victims[1].name, "Ghost");
    EXPECT_EQ(flo.victims[1].player, kNoPlayer);
    ASSERT_EQ(flo.nemeses.size(), 1u);
    EXPECT_EQ(flo.nemeses[0].name, "Bob");
    EXPECT_EQ(flo.suicides, 1);
    EXPECT_EQ(flo.worldDeaths, 1);
    EXPECT_THAT(flo.medals, testing::Contains(0u));  // #1 Killer

    const PlayerSummary& quiet = player(site, "Quiet");
    EXPECT_EQ(quiet.kills, 0);
    EXPECT_EQ(quiet.killed, 2);
    EXPECT_TRUE(quiet.weapons.empty());
    EXPECT_TRUE(quiet.victims.empty());
    ASSERT_EQ(quiet.maps.size(), 1u);
    EXPECT_EQ(quiet.maps[0].kills, 0);
    EXPECT_EQ(quiet.maps[0].deaths, 2);
    EXPECT_EQ(quiet.maps[0].games, 0);  // pruned: joined and made no kill
    EXPECT_EQ(quiet.played, 1);         // the row's at-least-one

    // One weapon table for the server: every kill, the world's included.
    ASSERT_EQ(site.weapons.size(), 4u);
    EXPECT_EQ(site.weapons[0].weapon, "kar98_mp");
    EXPECT_EQ(site.weapons[0].kills, 6);
    EXPECT_EQ(site.players[size_t(site.weapons[0].topPlayer)].name, "Flo");
    const auto none = std::find_if(site.weapons.begin(), site.weapons.end(),
                                   [](const ServerWeapon& w) { return w.weapon == "none"; });
    ASSERT_NE(none, site.weapons.end());
    EXPECT_EQ(none->topPlayer, kNoPlayer);
    ASSERT_EQ(site.maps.size(), 1u);
    EXPECT_EQ(site.maps[0].kills, 9);
    EXPECT_EQ(site.maps[0].games, 2);
}

TEST_F(SiteSummaryTest, FollowsTheRowsExactNamesAfterMerging) {
    // Names that differ only in case or by a trailing "*" are different players to the
    // counters, and so to the pages.
    addKill(db, {.attacker = "Ab*", .victim = "Abc"});
    addKill(db, {.attacker = "Abc", .victim = "Ab*"});
    addKill(db, {.attacker = "Abc", .victim = "ABC"});
    addKill(db, {.attacker = "ABC", .victim = "Abc"});
    const SiteSummary site = summarize();
    for (const PlayerSummary& page : site.players) {
        const auto at = std::find(stats.roster.begin(), stats.roster.end(), page.name);
        ASSERT_NE(at, stats.roster.end());
        const size_t i = size_t(at - stats.roster.begin());
        EXPECT_EQ(page.kills, stats.killCounts[i]) << page.name;
        EXPECT_EQ(page.killed, stats.deathCounts[i]) << page.name;
        int32_t weaponKills = 0;
        for (const WeaponKills& w : page.weapons) weaponKills += w.kills;
        EXPECT_EQ(weaponKills, page.kills) << page.name;
    }
}

TEST_F(SiteSummaryTest, EmptyTableGivesNoPagesAndEmptyTables) {
    const SiteSummary site = summarize();
    EXPECT_TRUE(site.players.empty());
    EXPECT_TRUE(site.weapons.empty());
    EXPECT_TRUE(site.maps.empty());
}

}  // namespace
}  // namespace gravmark
