#include "pipeline/shown_events.h"

#include <algorithm>

#include "table/event_table.h"

namespace gravmark {

void leaveRosterView(RecordTable& eventTable) {
    if (eventTable.recordCount() == 0) {
        eventTable.first();
    } else {
        eventTable.last();
    }
}

void showCountedEvents(RecordTable& eventTable, const Statistics& counts,
                       const std::vector<uint32_t>& recordOfEvent) {
    std::vector<uint32_t> pruned;
    pruned.reserve(counts.prunedJoins.size());
    for (const size_t event : counts.prunedJoins) pruned.push_back(recordOfEvent[event]);
    // No index to keep up while deleting: the order by command is built afresh afterwards.
    eventTable.setIndexFieldNames("");
    eventTable.deleteRecords(pruned);

    eventTable.setFiltered(false);
    eventTable.setIndexFieldNames(EventField::kCommand);
    const std::vector<Value> joins{std::string("J")};
    eventTable.setKeyRange(joins, joins);
    eventTable.clearKeyRange();
    // Counting player by player set the games-played filter of each named player last, or,
    // with no named player, the deaths filter of the last roster entry.
    const std::vector<std::string>& roster = counts.roster;
    const auto named =
        std::find_if(roster.rbegin(), roster.rend(), [](const std::string& n) { return !n.empty(); });
    if (named != roster.rend()) {
        eventTable.setFilterTerms({{EventField::kAttackerName, *named}, {EventField::kCommand, "J"}});
        eventTable.setFiltered(true);
        eventTable.setFiltered(false);
    } else if (!roster.empty()) {
        eventTable.setFilterTerms({{EventField::kVictimName, roster.back()}});
    }
}

}  // namespace gravmark
