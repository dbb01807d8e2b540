#pragma once
// How often one player killed another, for every pair that met, kept per killer in one
// sorted array: 50,000 players cost what their kills cost, not a table of every pair.
#include <cstdint>
#include <utility>
#include <vector>

#include "stats/per_player_lists.h"

namespace gravmark {

class HeadToHead {
public:
    HeadToHead() = default;
    // From (killer, victim) pairs of players 0 .. players - 1.
    HeadToHead(size_t players, const std::vector<std::pair<int32_t, int32_t>>& kills);
    // Kills of `killer` on `victim`; 0 for a pair that never met.
    int32_t kills(int32_t killer, int32_t victim) const;

private:
    PerPlayerLists<std::pair<int32_t, int32_t>> victims_;  // per killer: (victim, kills), by victim
};

}  // namespace gravmark
