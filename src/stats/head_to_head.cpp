#include "stats/head_to_head.h"

#include <algorithm>

namespace gravmark {

HeadToHead::HeadToHead(size_t players, const std::vector<std::pair<int32_t, int32_t>>& kills) {
    const PerPlayerLists<int32_t> byKiller(players, kills);
    std::vector<std::pair<int32_t, std::pair<int32_t, int32_t>>> counted;
    // A killer's victims are tallied in one array for all, so that only the distinct
    // victims need sorting; the array is cleared again victim by victim.
    std::vector<int32_t> tally(players, 0), victims;
    for (size_t killer = 0; killer < players; ++killer) {
        victims.clear();
        for (const int32_t victim : byKiller.of(killer)) {
            if (tally[size_t(victim)]++ == 0) victims.push_back(victim);
        }
        std::sort(victims.begin(), victims.end());
        for (const int32_t victim : victims) {
            counted.push_back({int32_t(killer), {victim, tally[size_t(victim)]}});
            tally[size_t(victim)] = 0;
        }
    }
    victims_ = PerPlayerLists<std::pair<int32_t, int32_t>>(players, counted);
}

int32_t HeadToHead::kills(int32_t killer, int32_t victim) const {
    if (killer < 0) return 0;
    const auto own = victims_.of(size_t(killer));
    const auto found = std::lower_bound(own.begin(), own.end(), std::pair{victim, 0});
    return found != own.end() && found->first == victim ? found->second : 0;
}

}  // namespace gravmark
