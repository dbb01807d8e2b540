#pragma once
// Renaming players in the events (and in the event table the "show db" grid shows): the one
// rename that JOIN NAMES and the kept alias rules share. A name is renamed wherever it stands exactly: as the
// attacker of a kill or the player of a join (`a_name`), and as the victim of a kill (`v_name`), so a merged
// player's deaths and headshots taken follow the kills and games.
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "table/game_events.h"
#include "table/record_table.h"

namespace gravmark {

// Hashes std::string and std::string_view alike, so a table of names is searched with a
// view into the events' texts without copying the name.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

// Old name -> new name, compared exactly (byte for byte). A new name is final: it is not
// looked up again.
using NameRenames = std::unordered_map<std::string, std::string, NameHash, std::equal_to<>>;

// One pass over every event of `events`. Afterwards `events` is unfiltered, without key range and in
// its default order (no index field list); with no renames it is not touched at all.
// Returns the number of events changed.
int renameNames(RecordTable& events, const NameRenames& renames);

// The same over the events as plain values: a new name is kept cut as the table keeps it.
int renameNames(GameEvents& events, const NameRenames& renames);

}  // namespace gravmark
