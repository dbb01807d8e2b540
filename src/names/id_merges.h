#pragma once
// Merging names by player id: every id seen with several names has them counted under one
// name, the one with the most events for that id (ties: the one met first). An id seen with
// more than 5 names is shared or cracked (a LAN log here has one id with 25 names) and is
// never used. Ids that say nothing ("0", empty, shorter than 8) were never collected.
#include <string>
#include <vector>

#include "ingest/player_id_counts.h"
#include "names/alias_line.h"

namespace gravmark {

inline constexpr size_t kMostNamesOfOneId = 5;

struct IdMerges {
    std::vector<AliasRule> rules;  // each other name of an id -> its kept name, in the order ids were met
    std::vector<std::string> sharedIds;  // the ids not used, as "ID (N names)"
};

IdMerges idMerges(const PlayerIdCounts& ids);

}  // namespace gravmark
