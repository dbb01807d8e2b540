#pragma once
// JOIN NAMES: every event of the merged names takes the kept name, as attacker or player
// (`a_name`) and as victim (`v_name`), in one pass over `events`. Afterwards `events` is
// unfiltered, ordered by "a_name" and without a key range.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/progress.h"
#include "table/record_table.h"

namespace gravmark {

// `keptName`: the item selected in the left list, none when nothing is selected (then
// the error "List index out of bounds (-1)" is thrown before anything changes).
// `rightItems`: every item of the right list in order, with whether it is selected; a
// selected item spelled exactly as the kept name is skipped. `joinstatus` counts the items.
// Returns the names merged into the kept name, in list order.
std::vector<std::string> joinNames(RecordTable& events, const std::optional<std::string>& keptName,
               const std::vector<std::pair<std::string, bool>>& rightItems, Progress& joinstatus);

}  // namespace gravmark
