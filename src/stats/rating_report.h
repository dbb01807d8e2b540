#pragma once
// The skill rating of every player (Glicko-2), who killed whom, and each player's form,
// from the kill events of RatingInput:
//  - one rating period per game, games in number order; events of game 0 (before the
//    first game start) are in no period;
//  - a kill between two different players who are not on the same non-empty team is one
//    result each way: won for the killer, lost for the victim, each scored against the
//    other's rating and deviation from before the period; suicides, deaths by the world
//    and team kills are no result;
//  - a player enters at his first result with 1500 / 350 / 0.06; in a period without
//    results a rated player's deviation grows (see glicko2.h);
//  - the rank counts only players who are not provisional (deviation above 110), best
//    first by rating minus twice the deviation, equal ones by their names' bytes.
// Time and memory grow with the players plus the games plus the kill events.
#include <cstdint>
#include <string>
#include <vector>

#include "stats/head_to_head.h"
#include "stats/per_player_lists.h"
#include "stats/rating_input.h"

namespace gravmark {

inline constexpr double kProvisionalDeviation = 110;
inline constexpr size_t kFormGames = 50;

struct RatingPoint {
    int32_t game = 0;
    double rating = 0;
    double deviation = 0;
};

struct PlayerRating {
    bool rated = false;  // had at least one result; the values below only then
    double rating = 0;
    double deviation = 0;
    double volatility = 0;
    bool provisional = false;
    int32_t rank = 0;  // 1 for the best; 0 while provisional or unrated
};

// A game of the player: his kills (suicides included) and deaths in it, as the page counts them.
struct FormGame {
    int32_t game = 0;
    int32_t kills = 0;
    int32_t deaths = 0;
};

struct RatingReport {
    std::vector<PlayerRating> players;  // by place in RatingInput::players
    int32_t rankedCount = 0;            // the M of "N of M"
    HeadToHead headToHead;              // every kill between two different players, game 0 too
    // Per player: his rating after every game he killed or died in, from his first result on.
    PerPlayerLists<RatingPoint> history;
    PerPlayerLists<FormGame> form;       // per player: his last kFormGames games, oldest first
    std::vector<std::string> mapOfGame;  // as in the input
};

RatingReport rateGames(const RatingInput& input);

}  // namespace gravmark
