#pragma once
// PlayerIdCounts: how many events each (player id, name) pair has in the log, collected by
// PARSE beside the events: a join counts for its player, a kill for its attacker and
// its victim. Join and kill lines carry a player id before each name; an id shorter than 8
// characters (the servers write "0" or nothing where they have none) tells nothing and is
// not collected. Names are kept as the events keep them (their first 40 bytes).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gravmark {

class PlayerIdCounts {
public:
    static constexpr size_t kShortestId = 8;

    struct NameEvents {
        std::string name;
        int64_t events = 0;
    };
    struct IdNames {
        std::string id;
        std::vector<NameEvents> names;  // in the order first met
    };

    void clear();
    // One event of `name` under `id`.
    void add(std::string_view id, std::string_view name);
    // Every id collected, in the order first met.
    const std::vector<IdNames>& ids() const { return ids_; }

private:
    // PARSE calls add() for most events, so ids are found through a flat open-addressed
    // table (a power of two of slots, at most half full) rather than a node-based map.
    struct Slot {
        size_t hash = 0;
        uint32_t entry = 0;  // 1 + the index in ids_; 0 for an empty slot
    };
    IdNames& entryOf(std::string_view id);
    void grow();

    std::vector<Slot> slots_;
    std::vector<IdNames> ids_;
};

}  // namespace gravmark
