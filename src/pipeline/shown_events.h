#pragma once
// What HTML leaves on the event table the window shows ("show db"): the statistics run over
// the events taken from it (eventsOfTable), and the table then shows what they did, in the
// views earlier releases left there, which users see in the grid and its work file keeps.
#include <cstdint>
#include <vector>

#include "stats/statistics.h"
#include "table/record_table.h"

namespace gravmark {

// After the roster for merging: the last record current (the first when there is none), as
// walking the view to collect the names left it.
void leaveRosterView(RecordTable& eventTable);

// After counting: the pruned join events deleted from the table (recordOfEvent[i] is the
// record event i was taken from). Then the table is ordered by command (that index built
// afresh), no filter switched on, no key range, the filter text
// "a_name = '<last named roster entry>' AND command = 'J'" kept (with no named entry:
// "v_name = '<last entry>'"), the first record current: the view earlier releases left
// after counting player by player with filters and key ranges.
void showCountedEvents(RecordTable& eventTable, const Statistics& counts,
                       const std::vector<uint32_t>& recordOfEvent);

}  // namespace gravmark
