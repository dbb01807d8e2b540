#pragma once
// The seven medal winners of one statistics run: the `name` field of the winning player
// record, colour codes already replaced. Empty when the player table has no records.
#include <string>

namespace gravmark {

struct MedalWinners {
    std::string killer;         // "#1 Killer"
    std::string headshooter;    // "#1 Headshooter"
    std::string shotInTheHead;  // "#1 Shot in the head"
    std::string target;         // "#1 Target"
    std::string tnt;            // "#1 Killer using TNT (Admiral MOD)"
    std::string grenades;       // "#1 Killer using Grenades"
    std::string suicide;        // "#1 Suicide Dude"
};

}  // namespace gravmark
