#include "names/id_merges.h"

#include <algorithm>

namespace gravmark {

IdMerges idMerges(const PlayerIdCounts& ids) {
    IdMerges merges;
    for (const PlayerIdCounts::IdNames& entry : ids.ids()) {
        const auto& names = entry.names;
        if (names.size() > kMostNamesOfOneId) {
            merges.sharedIds.push_back(entry.id + " (" + std::to_string(names.size()) + " names)");
            continue;
        }
        // max_element keeps the first of equal counts: the name met first.
        const auto kept = std::max_element(names.begin(), names.end(),
                                           [](const auto& a, const auto& b) { return a.events < b.events; });
        for (const PlayerIdCounts::NameEvents& other : names) {
            if (&other != &*kept) merges.rules.push_back({other.name, kept->name});
        }
    }
    return merges;
}

}  // namespace gravmark
