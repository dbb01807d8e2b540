#include "table/table_index.h"

#include <algorithm>
#include <array>
#include <bit>

#include "table/index_sort.h"

namespace gravmark {

namespace {

constexpr size_t kBlockFill = 2048;  // entries per block after a build
constexpr size_t kBlockMax = 4096;   // a block this full is split

uint64_t orderedBits(double v) {
    if (v == 0) v = 0;  // -0 equals +0
    uint64_t bits = std::bit_cast<uint64_t>(v);
    bits = (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
    return std::max<uint64_t>(bits, 1);
}

}  // namespace

TableIndex::TableIndex(std::vector<int> fields, bool descending, const RecordLayout& layout, StringPool& pool,
                       const RowStore& rows)
    : fields_(std::move(fields)), descending_(descending), layout_(layout), pool_(pool), store_(rows) {}

uint64_t TableIndex::part(const uint32_t* rec, int i) const {
    int f = fields_[i];
    uint64_t v = 0;
    if (!layout_.isNull(rec, f)) {
        switch (layout_.type(f)) {
            case FieldType::String:
                v = pool_.label(layout_.cell(rec, f));
                break;
            case FieldType::Integer:
                v = uint64_t(int64_t(layout_.integer(rec, f)) + (int64_t(1) << 31)) + 1;
                break;
            case FieldType::Float:
                v = orderedBits(layout_.real(rec, f));
                break;
        }
    }
    return descending_ ? ~v : v;
}

void TableIndex::keyOf(const uint32_t* rec, uint64_t* out, int m) const {
    for (int i = 0; i < m; ++i) out[i] = part(rec, i);
}

void TableIndex::refresh() {
    pool_.ensureLabels();
    if (generation_ == pool_.generation()) return;
    generation_ = pool_.generation();
    int k = keyWidth();
    for (Block& block : blocks_) {
        for (size_t at = 0; at < block.rows.size(); ++at)
            keyOf(store_.row(block.rows[at]), &block.keys[at * k], k);
    }
}

template <int K>
void TableIndex::buildWidth(const std::vector<uint32_t>& posting) {
    struct Entry {
        std::array<uint64_t, K> key;
        uint32_t row;
    };
    int k = keyWidth();
    std::vector<Entry> entries(posting.size());
    for (size_t p = 0; p < posting.size(); ++p) {
        entries[p].key.fill(0);
        keyOf(store_.row(posting[p]), entries[p].key.data(), k);
        entries[p].row = posting[p];
    }
    indexSort(entries.data(), entries.size(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    clear();
    for (size_t p = 0; p < entries.size(); p += kBlockFill) {
        Block& block = blocks_.emplace_back();
        size_t end = std::min(entries.size(), p + kBlockFill);
        block.rows.reserve(kBlockMax);
        block.keys.reserve(kBlockMax * k);
        for (size_t q = p; q < end; ++q) {
            block.rows.push_back(entries[q].row);
            block.keys.insert(block.keys.end(), entries[q].key.begin(), entries[q].key.begin() + k);
        }
        starts_.push_back(p);
    }
    size_ = entries.size();
}

void TableIndex::build() {
    pool_.ensureLabels();
    generation_ = pool_.generation();
    std::vector<uint32_t> posting;
    posting.reserve(store_.liveCount());
    for (uint32_t id = 0; id < store_.size(); ++id) {
        if (store_.alive(id)) posting.push_back(id);
    }
    switch (keyWidth()) {
        case 1:
            return buildWidth<1>(posting);
        case 2:
            return buildWidth<2>(posting);
        case 3:
            return buildWidth<3>(posting);
        case 4:
            return buildWidth<4>(posting);
        default:
            return buildWidth<16>(posting);
    }
}

void TableIndex::clear() {
    blocks_.clear();
    starts_.clear();
    size_ = 0;
}

int TableIndex::compare(const uint64_t* a, const uint64_t* b, int m) {
    for (int i = 0; i < m; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

std::pair<size_t, size_t> TableIndex::locate(size_t pos) const {
    size_t b = size_t(std::upper_bound(starts_.begin(), starts_.end(), pos) - starts_.begin()) - 1;
    return {b, pos - starts_[b]};
}

size_t TableIndex::firstBeyond(const uint64_t* key, int m, bool orEqual) const {
    auto beyond = [&](size_t b, size_t at) {
        int c = compare(keyAt(b, at), key, m);
        return orEqual ? c >= 0 : c > 0;
    };
    size_t lo = 0;
    size_t hi = blocks_.size();
    while (lo < hi) {  // the first block whose last entry is beyond
        size_t mid = lo + (hi - lo) / 2;
        if (beyond(mid, blocks_[mid].rows.size() - 1)) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    if (lo == blocks_.size()) return size_;
    size_t b = lo;
    size_t first = 0;
    size_t last = blocks_[b].rows.size() - 1;
    while (first < last) {
        size_t mid = first + (last - first) / 2;
        if (beyond(b, mid)) {
            last = mid;
        } else {
            first = mid + 1;
        }
    }
    return starts_[b] + first;
}

size_t TableIndex::lowerBound(const uint64_t* key, int m) const { return firstBeyond(key, m, true); }

size_t TableIndex::upperBound(const uint64_t* key, int m, size_t from) const {
    return std::max(from, firstBeyond(key, m, false));
}

void TableIndex::shiftStarts(size_t fromBlock, ptrdiff_t by) {
    for (size_t b = fromBlock; b < starts_.size(); ++b) starts_[b] += by;
}

void TableIndex::splitIfFull(size_t b) {
    if (blocks_[b].rows.size() < kBlockMax) return;
    size_t k = fields_.size();
    size_t half = blocks_[b].rows.size() / 2;
    Block upper;
    upper.rows.assign(blocks_[b].rows.begin() + half, blocks_[b].rows.end());
    upper.keys.assign(blocks_[b].keys.begin() + half * k, blocks_[b].keys.end());
    blocks_[b].rows.resize(half);
    blocks_[b].keys.resize(half * k);
    blocks_.insert(blocks_.begin() + b + 1, std::move(upper));
    starts_.insert(starts_.begin() + b + 1, starts_[b] + half);
}

size_t TableIndex::add(uint32_t row) {
    int k = keyWidth();
    std::array<uint64_t, 16> key{};
    keyOf(store_.row(row), key.data(), k);
    size_t pos = upperBound(key.data(), k, 0);
    if (blocks_.empty()) {
        blocks_.emplace_back();
        starts_.push_back(0);
    }
    // A position between two blocks goes to the end of the earlier one.
    auto [b, at] = pos == size_ ? std::pair(blocks_.size() - 1, blocks_.back().rows.size()) : locate(pos);
    if (at == 0 && b > 0) {
        --b;
        at = blocks_[b].rows.size();
    }
    Block& block = blocks_[b];
    block.rows.insert(block.rows.begin() + at, row);
    block.keys.insert(block.keys.begin() + at * k, key.begin(), key.begin() + k);
    ++size_;
    shiftStarts(b + 1, 1);
    splitIfFull(b);
    return pos;
}

size_t TableIndex::positionOf(uint32_t row, size_t hint) const {
    if (hint < size_ && rowAt(hint) == row) return hint;
    int k = keyWidth();
    std::array<uint64_t, 16> key{};
    keyOf(store_.row(row), key.data(), k);
    auto [b, at] = locate(lowerBound(key.data(), k));
    while (blocks_[b].rows[at] != row) {
        if (++at == blocks_[b].rows.size()) {
            ++b;
            at = 0;
        }
    }
    return starts_[b] + at;
}

void TableIndex::eraseAt(size_t pos) {
    int k = keyWidth();
    auto [b, at] = locate(pos);
    Block& block = blocks_[b];
    block.rows.erase(block.rows.begin() + at);
    block.keys.erase(block.keys.begin() + at * k, block.keys.begin() + (at + 1) * k);
    --size_;
    shiftStarts(b + 1, -1);
    if (block.rows.empty()) {
        blocks_.erase(blocks_.begin() + b);
        starts_.erase(starts_.begin() + b);
    }
}

void TableIndex::eraseRows(const std::vector<uint8_t>& gone) {
    const size_t k = fields_.size();
    std::vector<Block> kept;
    starts_.clear();
    size_ = 0;
    for (Block& block : blocks_) {
        size_t to = 0;
        for (size_t at = 0; at < block.rows.size(); ++at) {
            if (gone[block.rows[at]]) continue;
            block.rows[to] = block.rows[at];
            std::copy_n(block.keys.begin() + at * k, k, block.keys.begin() + to * k);
            ++to;
        }
        if (to == 0) continue;
        block.rows.resize(to);
        block.keys.resize(to * k);
        starts_.push_back(size_);
        size_ += to;
        kept.push_back(std::move(block));
    }
    blocks_ = std::move(kept);
}

}  // namespace gravmark
