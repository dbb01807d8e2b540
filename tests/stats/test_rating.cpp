#include <gtest/gtest.h>

#include <cmath>

#include "stats/glicko2.h"
#include "stats/rating_report.h"
#include "stats_test_support.h"

namespace gravmark {
namespace {

TEST(Rating, GlickmansWorkedExample) {
    const Glicko2State player = Glicko2State::fromRating(1500, 200, 0.06);
    PeriodSums results;
    results.add(player, Glicko2State::fromRating(1400, 30, 0.06), 1);
    results.add(player, Glicko2State::fromRating(1550, 100, 0.06), 0);
    results.add(player, Glicko2State::fromRating(1700, 300, 0.06), 0);
    const Glicko2State after = afterPeriod(player, results);
    EXPECT_NEAR(after.rating(), 1464.05, 0.005);
    EXPECT_NEAR(after.deviation(), 151.52, 0.005);
    EXPECT_NEAR(after.sigma, 0.05999, 0.00001);  // the paper cuts 0.059996
    // A period without results only widens the deviation.
    const Glicko2State idle = afterPeriod(player, PeriodSums{});
    EXPECT_DOUBLE_EQ(idle.rating(), 1500);
    EXPECT_NEAR(idle.deviation(), std::hypot(200, 0.06 * kGlickoScale), 1e-9);
}

// Game 0 and the no-result kinds change nothing; A sits out game 2 and B game 3; game 4
// is empty. Expected values worked through by hand from Glickman's steps.
TEST(Rating, ThreeGamesFollowTheRules) {
    RatingInput input;
    input.players = {"A", "B", "C"};
    input.gameCount = 4;
    input.mapOfGame = {"", "mp_one", "mp_two", "mp_three", ""};
    input.kills = {{0, 0, 2, false}, {1, 0, 1, false},           {1, 1, 1, false}, {2, 1, 2, false},
                   {2, 2, 1, true},  {2, kNotAPlayer, 0, false}, {3, 2, 0, false}};
    const RatingReport report = rateGames(input);
    const auto expect = [&](size_t p, double rating, double deviation) {
        EXPECT_TRUE(report.players[p].rated);
        EXPECT_NEAR(report.players[p].rating, rating, 0.0001) << p;
        EXPECT_NEAR(report.players[p].deviation, deviation, 0.0001) << p;
        EXPECT_TRUE(report.players[p].provisional);
        EXPECT_EQ(report.players[p].rank, 0);
    };
    expect(0, 1410.3997, 265.2379);
    expect(1, 1502.5491, 256.7686);
    expect(2, 1513.3211, 262.6258);
    EXPECT_NEAR(report.players[2].volatility, 0.060003, 0.0000005);
    EXPECT_EQ(report.rankedCount, 0);

    // A's chart: after games 1, 2 (killed by the world: wider) and 3, not after game 0.
    const std::span<const RatingPoint> a = report.history.of(0);
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[1].game, 2);
    EXPECT_NEAR(a[1].rating, 1662.3109, 0.0001);
    EXPECT_NEAR(a[1].deviation, 290.506, 0.0001);
    EXPECT_EQ(report.history.of(2).front().game, 2);  // C's first result

    // Form: B's suicide is a kill and a death, as the page counts them.
    const std::span<const FormGame> b = report.form.of(1);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0].game, 1);
    EXPECT_EQ(b[0].kills, 1);
    EXPECT_EQ(b[0].deaths, 2);
    EXPECT_EQ(b[1].kills, 1);
    EXPECT_EQ(b[1].deaths, 1);
    EXPECT_EQ(report.headToHead.kills(0, 2), 1);  // game 0 counts here
    EXPECT_EQ(report.headToHead.kills(2, 1), 1);  // so do team kills
    EXPECT_EQ(report.headToHead.kills(1, 1), 0);
}

TEST(Rating, RankSkipsProvisionalPlayersAndBreaksTiesByName) {
    RatingInput input;
    input.players = {"b", "a", "c", "d"};
    input.gameCount = 60;
    input.mapOfGame.resize(61);
    // a and b beat each other equally often; c plays once; d only dies by the world.
    for (int32_t game = 1; game <= 60; ++game) {
        input.kills.push_back({game, 0, 1, false});
        input.kills.push_back({game, 1, 0, false});
        input.kills.push_back({game, kNotAPlayer, 3, false});
    }
    input.kills.push_back({60, 2, 0, false});
    const RatingReport report = rateGames(input);
    EXPECT_EQ(report.rankedCount, 2);
    EXPECT_EQ(report.players[1].rank, 1);  // a: same values as b, earlier name
    EXPECT_EQ(report.players[0].rank, 2);
    EXPECT_TRUE(report.players[2].provisional);
    EXPECT_FALSE(report.players[3].rated);
    EXPECT_EQ(report.form.of(3).size(), kFormGames);  // the last 50 of 60
    EXPECT_EQ(report.form.of(3).front().game, 11);
    EXPECT_EQ(report.history.of(3).size(), 0u);
}

TEST(Rating, InputFromTheEventTable) {
    RecordTable db;
    test::makeEventTable(db);
    test::addKill(db, {.game = 2, .attacker = "A", .victim = "B"});
    test::addKill(db, {.game = 1, .attacker = "", .victim = "Z"});  // nobody on the page
    test::addKill(db, {.game = 1, .attacker = "B", .victim = "Z"});
    test::addJoin(db, 3, "A");
    const RatingInput input = ratingInputOf(test::eventsOf(db), {"A", "B"}, 2);
    ASSERT_EQ(input.kills.size(), 2u);
    EXPECT_EQ(input.gameCount, 2);
    EXPECT_EQ(input.mapOfGame.at(2), "mp_harbor");
    const RatedKill& aOnB = input.kills[0].game == 2 ? input.kills[0] : input.kills[1];
    EXPECT_EQ(aOnB.killer, 0);
    EXPECT_EQ(aOnB.victim, 1);
    EXPECT_FALSE(aOnB.teamKill);  // allies on axis
}

}  // namespace
}  // namespace gravmark
