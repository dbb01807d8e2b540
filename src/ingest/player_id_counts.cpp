#include "ingest/player_id_counts.h"

#include "table/event_table.h"

namespace gravmark {

void PlayerIdCounts::clear() {
    indexOf_.clear();
    ids_.clear();
}

void PlayerIdCounts::add(std::string_view id, std::string_view name) {
    if (id.size() < kShortestId) return;
    name = name.substr(0, kEventNameWidth);
    auto found = indexOf_.find(id);
    if (found == indexOf_.end()) {
        found = indexOf_.emplace(std::string(id), ids_.size()).first;
        ids_.push_back({std::string(id), {}});
    }
    std::vector<NameEvents>& names = ids_[found->second].names;
    // Most ids have one name, a few a handful: a linear search is the quickest.
    for (NameEvents& known : names) {
        if (known.name == name) {
            ++known.events;
            return;
        }
    }
    names.push_back({std::string(name), 1});
}

}  // namespace gravmark
