#include "merge/join_names.h"

#include "common/error.h"
#include "names/name_renames.h"
#include "table/event_table.h"

namespace gravmark {

std::vector<std::string> joinNames(RecordTable& events, const std::optional<std::string>& keptName,
               const std::vector<std::pair<std::string, bool>>& rightItems, Progress& joinstatus) {
    if (!keptName) throw Error("List index out of bounds (-1)");
    joinstatus.setPartsComplete(0);
    joinstatus.setTotalParts(static_cast<int64_t>(rightItems.size()));
    std::vector<std::string> merged;
    NameRenames renames;
    for (const auto& [text, selected] : rightItems) {
        if (selected && text != *keptName && renames.emplace(text, *keptName).second) merged.push_back(text);
    }
    renameNames(events, renames);
    joinstatus.setPartsComplete(joinstatus.totalParts());
    events.clearKeyRange();
    events.setFiltered(false);
    events.setIndexFieldNames(EventField::kAttackerName);
    return merged;
}

}  // namespace gravmark
