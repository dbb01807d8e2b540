#pragma once
// PlayerIdCounts: how many events each (player id, name) pair has in the log, collected by
// PARSE beside the event table: a join counts for its player, a kill for its attacker and
// its victim. Join and kill lines carry a player id before each name; an id shorter than 8
// characters (the servers write "0" or nothing where they have none) tells nothing and is
// not collected. Names are kept as the event table stores them (their first 40 bytes).
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, size_t, Hash, std::equal_to<>> indexOf_;
    std::vector<IdNames> ids_;
};

}  // namespace gravmark
