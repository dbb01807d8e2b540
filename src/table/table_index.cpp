#include "table/table_index.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "table/index_sort.h"

namespace gravmark {

namespace {

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
            case FieldType::String: v = pool_.label(layout_.cell(rec, f)); break;
            case FieldType::Integer: v = uint64_t(int64_t(layout_.integer(rec, f)) + (int64_t(1) << 31)) + 1; break;
            case FieldType::Float: v = orderedBits(layout_.real(rec, f)); break;
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
    for (size_t p = 0; p < rows_.size(); ++p) keyOf(store_.row(rows_[p]), &keys_[p * k], k);
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
    rows_.resize(entries.size());
    keys_.resize(entries.size() * k);
    for (size_t p = 0; p < entries.size(); ++p) {
        rows_[p] = entries[p].row;
        std::copy_n(entries[p].key.begin(), k, &keys_[p * k]);
    }
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
        case 1: return buildWidth<1>(posting);
        case 2: return buildWidth<2>(posting);
        case 3: return buildWidth<3>(posting);
        case 4: return buildWidth<4>(posting);
        default: return buildWidth<16>(posting);
    }
}

void TableIndex::clear() {
    rows_.clear();
    keys_.clear();
}

int TableIndex::compare(const uint64_t* a, const uint64_t* b, int m) {
    for (int i = 0; i < m; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

int TableIndex::compareAt(size_t pos, const uint64_t* key, int m) const {
    return compare(&keys_[pos * keyWidth()], key, m);
}

size_t TableIndex::lowerBound(const uint64_t* key, int m) const {
    size_t lo = 0;
    size_t n = rows_.size();
    while (n > 0) {
        size_t half = n / 2;
        if (compareAt(lo + half, key, m) < 0) {
            lo += half + 1;
            n -= half + 1;
        } else {
            n = half;
        }
    }
    return lo;
}

size_t TableIndex::upperBound(const uint64_t* key, int m, size_t from) const {
    // Gallop first: a range is usually short, and its end near its start.
    size_t lo = from;
    size_t step = 1;
    size_t hi = from;
    while (hi < rows_.size() && compareAt(hi, key, m) <= 0) {
        lo = hi + 1;
        hi = from + step;
        step *= 2;
    }
    hi = std::min(hi, rows_.size());
    while (lo < hi) {
        size_t mid = lo + (hi - lo) / 2;
        if (compareAt(mid, key, m) <= 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

size_t TableIndex::add(uint32_t row) {
    int k = keyWidth();
    std::array<uint64_t, 16> key{};
    keyOf(store_.row(row), key.data(), k);
    size_t pos = upperBound(key.data(), k, lowerBound(key.data(), k));
    rows_.insert(rows_.begin() + pos, row);
    keys_.insert(keys_.begin() + pos * k, key.begin(), key.begin() + k);
    return pos;
}

size_t TableIndex::positionOf(uint32_t row, size_t hint) const {
    if (hint < rows_.size() && rows_[hint] == row) return hint;
    int k = keyWidth();
    std::array<uint64_t, 16> key{};
    keyOf(store_.row(row), key.data(), k);
    size_t pos = lowerBound(key.data(), k);
    while (rows_[pos] != row) ++pos;
    return pos;
}

void TableIndex::eraseAt(size_t pos) {
    int k = keyWidth();
    rows_.erase(rows_.begin() + pos);
    keys_.erase(keys_.begin() + pos * k, keys_.begin() + (pos + 1) * k);
}

}  // namespace gravmark
