#pragma once
// Keeping names merged: before every statistics run (the window's HTML, with or without
// "Let me join Names", and the batch) the events are renamed by the kept rules of
// aliases.txt and, when asked, by the names each player id was seen with. The page then
// equals the one a user gets by joining those names by hand in that run. Explicit rules win
// over id merging: a name with a rule of its own is not merged by id.
#include <cstddef>
#include <string>
#include <vector>

#include "ingest/player_id_counts.h"
#include "names/alias_list.h"
#include "names/name_renames.h"
#include "table/record_table.h"

namespace gravmark {

struct KeptNamesRun {
    size_t rulesApplied = 0;     // the rules in force in aliases.txt
    size_t namesMergedById = 0;  // names joined to another by their player id
    int eventsRenamed = 0;
    std::vector<std::string> problems;   // lines of aliases.txt that are no rule in force
    std::vector<std::string> sharedIds;  // ids not used for merging, as "ID (N names)"
};

// Reads aliases.txt in `folder` and renames the records of `events` (the table the window
// shows) in one pass; `ids` is null when names are not merged by id. With no rule and no
// merge `events` is not touched.
// Throws Error when aliases.txt exists but cannot be read.
KeptNamesRun applyKeptNames(RecordTable& events, const std::string& folder, const PlayerIdCounts* ids);

// The same over the events as plain values; with the rules of a list read before (a watch
// keeps the last list it could read) or of aliases.txt in `folder`.
KeptNamesRun applyKeptNames(GameEvents& events, const std::string& folder, const PlayerIdCounts* ids);
KeptNamesRun applyKeptNames(GameEvents& events, const AliasList& list, const PlayerIdCounts* ids);

// What applyKeptNames would do, without touching any event: the run's report (no event
// counted as renamed) and every name's final name.
struct KeptNamesPlan {
    KeptNamesRun run;
    NameRenames renames;
};
KeptNamesPlan planKeptNames(const AliasList& list, const PlayerIdCounts* ids);
// The same by the rules of aliases.txt in `folder`; throws as applyKeptNames does.
KeptNamesPlan planKeptNames(const std::string& folder, const PlayerIdCounts* ids);

// JOIN NAMES keeps what it did: each merged name becomes the rule name -> kept in
// aliases.txt in `folder` (replacing that name's rule). Returns what could not be kept, one
// text per message; the events of this run are merged either way.
std::vector<std::string> keepJoinedNames(const std::string& folder, const std::string& kept,
                                         const std::vector<std::string>& merged);

// The line that names the ids not used for merging; empty when there is none.
std::string sharedIdsText(const std::vector<std::string>& sharedIds);

// The problems of a run as one text for a message box or a warning, at most `shown` of
// them followed by how many more there are; empty when there is none.
std::string problemsText(const std::vector<std::string>& problems, size_t shown = 10);

}  // namespace gravmark
