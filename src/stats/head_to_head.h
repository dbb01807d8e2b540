#pragma once
// How often one player killed another, for every pair that met: a sparse count, so that
// 50,000 players cost what their kills cost, not a table of every pair.
#include <cstdint>
#include <unordered_map>

namespace gravmark {

class HeadToHead {
public:
    void addKill(int32_t killer, int32_t victim) { ++kills_[key(killer, victim)]; }
    // Kills of `killer` on `victim`; 0 for a pair that never met.
    int32_t kills(int32_t killer, int32_t victim) const {
        const auto found = kills_.find(key(killer, victim));
        return found == kills_.end() ? 0 : found->second;
    }

private:
    static uint64_t key(int32_t killer, int32_t victim) {
        return uint64_t(uint32_t(killer)) << 32 | uint32_t(victim);
    }
    std::unordered_map<uint64_t, int32_t> kills_;
};

}  // namespace gravmark
