#pragma once
// One list per player held in a single array (each player's part in the order its
// entries came), so that many players with short lists cost two allocations, not one each.
#include <cstdint>
#include <limits>
#include <span>
#include <utility>
#include <vector>

namespace gravmark {

template <class Item>
class PerPlayerLists {
public:
    PerPlayerLists() = default;
    // `entries` name the player (0 .. players - 1) of each item. Of each player's
    // entries only the last `keepLast` are kept.
    PerPlayerLists(size_t players, const std::vector<std::pair<int32_t, Item>>& entries,
                   size_t keepLast = std::numeric_limits<size_t>::max())
        : starts_(players + 1, 0) {
        std::vector<size_t> total(players, 0);
        for (const auto& entry : entries) ++total[size_t(entry.first)];
        for (size_t p = 0; p < players; ++p) starts_[p + 1] = starts_[p] + std::min(total[p], keepLast);
        items_.resize(starts_.back());
        std::vector<size_t> seen(players, 0);
        for (const auto& [player, item] : entries) {
            const size_t p = size_t(player), at = seen[p]++,
                         dropped = total[p] - (starts_[p + 1] - starts_[p]);
            if (at >= dropped) items_[starts_[p] + at - dropped] = item;
        }
    }

    std::span<const Item> of(size_t player) const {
        if (player + 1 >= starts_.size()) return {};
        return {items_.data() + starts_[player], starts_[player + 1] - starts_[player]};
    }

private:
    std::vector<size_t> starts_;
    std::vector<Item> items_;
};

}  // namespace gravmark
