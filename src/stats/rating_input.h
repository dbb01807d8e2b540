#pragma once
// What the skill rating, the head-to-head counts and the form are taken from: the kill
// events between the page's players, as plain values.
#include <cstdint>
#include <string>
#include <vector>

#include "table/game_events.h"

namespace gravmark {

inline constexpr int32_t kNotAPlayer = -1;

// One kill event. killer and victim are places in RatingInput::players, or kNotAPlayer
// for a name that is not a player (the world's empty name among them). A suicide has
// killer == victim.
struct RatedKill {
    int32_t game = 0;  // 0 before the first game start
    int32_t killer = kNotAPlayer;
    int32_t victim = kNotAPlayer;
    bool teamKill = false;  // both on the same non-empty team
};

struct RatingInput {
    std::vector<std::string> players;    // the names, raw bytes
    int32_t gameCount = 0;               // games 1 .. gameCount, each one rating period
    std::vector<std::string> mapOfGame;  // by game number, 0 .. gameCount
    std::vector<RatedKill> kills;        // in any order
};

// The roster's non-empty names in roster order: the players of the page, in the order
// their player-table records were posted.
std::vector<std::string> namedPlayers(const std::vector<std::string>& roster);

// The kill events of `events` between `players`, given by their exact names; events naming no player on
// either side are left out. gameCount is PARSE's count of game starts; a game number above it (an earlier
// PARSE's) raises it. The map of a game is the map its kill events carry.
RatingInput ratingInputOf(const GameEvents& events, std::vector<std::string> players, int32_t gameCount);

}  // namespace gravmark
