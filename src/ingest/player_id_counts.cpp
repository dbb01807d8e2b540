#include "ingest/player_id_counts.h"

#include <algorithm>
#include <utility>

#include "table/game_events.h"

namespace gravmark {

void PlayerIdCounts::clear() {
    slots_.clear();
    ids_.clear();
}

void PlayerIdCounts::grow() {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(std::max<size_t>(64, slots_.size() * 2)));
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (!slot.entry) continue;
        size_t at = slot.hash & mask;
        while (slots_[at].entry) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

PlayerIdCounts::IdNames& PlayerIdCounts::entryOf(std::string_view id) {
    if ((ids_.size() + 1) * 2 > slots_.size()) grow();
    const size_t hash = std::hash<std::string_view>{}(id);
    const size_t mask = slots_.size() - 1;
    size_t at = hash & mask;
    for (; slots_[at].entry; at = (at + 1) & mask) {
        if (slots_[at].hash != hash) continue;
        IdNames& known = ids_[slots_[at].entry - 1];
        if (known.id == id) return known;
    }
    ids_.push_back({std::string(id), {}});
    slots_[at] = {hash, static_cast<uint32_t>(ids_.size())};
    return ids_.back();
}

void PlayerIdCounts::add(std::string_view id, std::string_view name) {
    if (id.size() < kShortestId) return;
    name = name.substr(0, EventWidth::kName);
    std::vector<NameEvents>& names = entryOf(id).names;
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
