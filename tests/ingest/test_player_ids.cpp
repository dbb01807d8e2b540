#include <gtest/gtest.h>

#include "ingest/player_id_counts.h"
#include "test_parse_support.h"

namespace gravmark {
namespace {

using Names = std::vector<std::pair<std::string, int64_t>>;

Names namesOf(const PlayerIdCounts& counts, const std::string& id) {
    for (const PlayerIdCounts::IdNames& entry : counts.ids()) {
        if (entry.id != id) continue;
        Names names;
        for (const auto& [name, events] : entry.names) names.emplace_back(name, events);
        return names;
    }
    return {};
}

// Joins count for the player, kills for the attacker and for the victim; ids that say
// nothing are not collected; the event table is the same with or without the counts.
TEST(PlayerIds, ParseCountsTheEventsOfEachIdAndName) {
    const std::string longName(44, 'n');
    test::ParseRun run;
    for (const std::string& line : std::vector<std::string>{
             " 0:01 J;0123456789abcdef;3;Bob;",
             " 0:02 J;0123456789abcdef;3;Bobby;",
             " 0:03 J;0;4;Zero;",
             " 0:04 J;;5;Empty;",
             " 0:05 J;1234567;6;Short;",
             " 0:06 K;fedcba9876543210;2;axis;Eve;0123456789abcdef;3;allies;Bob;kar98_mp;100;MOD_HEAD_SHOT;head;",
             " 0:07 K;0123456789abcdef;3;allies;Bobby;fedcba9876543210;2;axis;Eve;kar98_mp;100;MOD_RIFLE_BULLET;torso;",
             // A world kill: no attacker id; the victim's own field names it.
             " 0:08 K;fedcba9876543210;2;axis;Eve;;-1;world;;none;100;MOD_FALLING;none;",
             // The victim's field is empty, so the victim is the attacker's name: no victim id.
             " 0:09 K;aaaaaaaaaaaaaaaa;7;;;0123456789abcdef;3;allies;Bob;kar98_mp;100;MOD_SUICIDE;none;",
             " 0:10 J;bbbbbbbbbbbbbbbb;8;" + longName + ";",
         }) {
        run.memo1.addLine(line);
    }
    const std::vector<test::EventRecord> without = (run.parse(), run.records());
    PlayerIdCounts counts;
    counts.add("stale-id-from-before", "Old");
    parseLog(run.memo1, run.events, false, run.memo2, run.progress, run.gameCount, &counts);
    EXPECT_EQ(run.records(), without);

    ASSERT_EQ(counts.ids().size(), 3u);
    EXPECT_EQ(counts.ids()[0].id, "0123456789abcdef");
    EXPECT_EQ(namesOf(counts, "0123456789abcdef"), (Names{{"Bob", 3}, {"Bobby", 2}}));
    EXPECT_EQ(namesOf(counts, "fedcba9876543210"), (Names{{"Eve", 3}}));
    EXPECT_EQ(namesOf(counts, "bbbbbbbbbbbbbbbb"), (Names{{std::string(40, 'n'), 1}}));
}

}  // namespace
}  // namespace gravmark
