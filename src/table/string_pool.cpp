#include "table/string_pool.h"

#include <algorithm>
#include <cstring>

#include "platform/collator_keys.h"
#include "platform/same_bytes.h"

namespace gravmark {

namespace {

constexpr uint64_t kSpacing = uint64_t(1) << 32;

// Eight bytes at a time: interning runs for every text of every record.
uint32_t hashOf(std::string_view text) {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ text.size();
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        h = (h ^ word) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    // An empty text may have no bytes at all (a null view), which memcpy must not be given.
    uint64_t tail = 0;
    if (i < text.size()) std::memcpy(&tail, text.data() + i, text.size() - i);
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ull;
    return uint32_t(h ^ (h >> 29));
}

}  // namespace

// The slot holding the text, or the free slot where it would go.
size_t StringPool::slotOf(std::string_view text, uint32_t h) const {
    size_t mask = slots_.size() - 1;
    size_t s = h & mask;
    for (; slots_[s] != 0; s = (s + 1) & mask) {
        uint32_t id = slots_[s] - 1;
        if (hashes_[id] == h && platform::sameBytes(texts_[id], text)) return s;
    }
    return s;
}

uint32_t StringPool::find(std::string_view text) const {
    if (slots_.empty()) return kNotFound;
    size_t s = slotOf(text, hashOf(text));
    return slots_[s] == 0 ? kNotFound : slots_[s] - 1;
}

uint32_t StringPool::intern(std::string_view text) {
    if ((texts_.size() + 1) * 2 > slots_.size()) grow();
    uint32_t h = hashOf(text);
    size_t s = slotOf(text, h);
    if (slots_[s] != 0) return slots_[s] - 1;
    uint32_t id = uint32_t(texts_.size());
    texts_.push_back(bytes_.store(text));
    hashes_.push_back(h);
    slots_[s] = id + 1;
    return id;
}

void StringPool::grow() {
    std::vector<uint32_t> fresh(std::max<size_t>(64, slots_.size() * 2), 0);
    size_t mask = fresh.size() - 1;
    for (uint32_t id = 0; id < texts_.size(); ++id) {
        size_t s = hashes_[id] & mask;
        while (fresh[s] != 0) s = (s + 1) & mask;
        fresh[s] = id + 1;
    }
    slots_.swap(fresh);
}

void StringPool::clear() { *this = StringPool(); }

void StringPool::ensureLabels() {
    if (labels_.size() == texts_.size()) return;
    if (!collation_) collation_.emplace(true);
    size_t first = labels_.size();
    if (platform::collatorSortKeysWork())
        for (size_t id = keys_.size(); id < texts_.size(); ++id)
            keys_.push_back(collation_->sortKey(texts_[id]));
    labels_.resize(texts_.size(), 0);
    // Slotting in costs a move of the sorted list per text; many new texts at once sort faster.
    if (texts_.size() - first > sorted_.size() / 8 + 16) return relabelAll();
    for (size_t id = first; id < texts_.size(); ++id) {
        if (!slotIn(uint32_t(id))) return relabelAll();
    }
}

// Sort keys are faster for many texts; where the system's do not order as the collator's
// comparison (none were made then), the comparison itself.
bool StringPool::before(uint32_t a, uint32_t b) const {
    if (keys_.empty()) return collation_->compare(texts_[a], texts_[b]) < 0;
    return Collation::compareKeyed(keys_[a], texts_[a], keys_[b], texts_[b]) < 0;
}

bool StringPool::slotIn(uint32_t id) {
    auto at = std::lower_bound(sorted_.begin(), sorted_.end(), id,
                               [this](uint32_t a, uint32_t b) { return before(a, b); });
    uint64_t low = at == sorted_.begin() ? 0 : labels_[*(at - 1)];
    uint64_t high = at == sorted_.end() ? low + 2 * kSpacing : labels_[*at];
    if (high - low < 2) return false;
    labels_[id] = low + (high - low) / 2;
    sorted_.insert(at, id);
    return true;
}

void StringPool::relabelAll() {
    sorted_.resize(texts_.size());
    for (uint32_t id = 0; id < sorted_.size(); ++id) sorted_[id] = id;
    std::sort(sorted_.begin(), sorted_.end(), [this](uint32_t a, uint32_t b) { return before(a, b); });
    for (size_t i = 0; i < sorted_.size(); ++i) labels_[sorted_[i]] = (i + 1) * kSpacing;
    ++generation_;
}

}  // namespace gravmark
