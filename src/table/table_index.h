#pragma once
// TableIndex: one index order of a table, a sorted sequence of row ids.
//
// Every entry carries its key: one integer per index field that sorts as the field's
// value sorts in this index (null lowest; texts by their collation label; a descending
// index complements every part, which reverses each comparison). Keys of texts follow
// the pool's labels; refresh() recomputes them when the pool relabelled.
//
// Equal keys: build() keeps the order its sort leaves; add() puts a record after every
// record with an equal key.
//
// The sequence is kept in blocks of a few thousand entries, so that adding or removing
// one record moves a block's worth of entries, not the whole index.
#include <cstdint>
#include <vector>

#include "table/record_layout.h"
#include "table/row_store.h"
#include "table/string_pool.h"

namespace gravmark {

class TableIndex {
public:
    TableIndex(std::vector<int> fields, bool descending, const RecordLayout& layout, StringPool& pool,
               const RowStore& rows);

    const std::vector<int>& fields() const { return fields_; }
    int keyWidth() const { return int(fields_.size()); }
    size_t size() const { return size_; }
    uint32_t rowAt(size_t pos) const {
        auto [b, at] = locate(pos);
        return blocks_[b].rows[at];
    }

    void build();
    void clear();
    void refresh();  // call before use once texts may have been added to the pool

    // The key of a record (its first m index fields).
    void keyOf(const uint32_t* rec, uint64_t* out, int m) const;
    // First position whose first m key parts are not below key.
    size_t lowerBound(const uint64_t* key, int m) const;
    // First position at or after `from` whose first m key parts are above key.
    size_t upperBound(const uint64_t* key, int m, size_t from) const;
    static int compare(const uint64_t* a, const uint64_t* b, int m);

    size_t add(uint32_t row);
    size_t positionOf(uint32_t row, size_t hint) const;
    void eraseAt(size_t pos);
    // Removes every entry whose row is marked in `gone` (by row id), keeping the order of the rest.
    void eraseRows(const std::vector<uint8_t>& gone);

private:
    struct Block {
        std::vector<uint32_t> rows;
        std::vector<uint64_t> keys;  // keyWidth() parts per entry
    };

    template <int K>
    void buildWidth(const std::vector<uint32_t>& posting);
    uint64_t part(const uint32_t* rec, int i) const;
    std::pair<size_t, size_t> locate(size_t pos) const;  // block and place in it
    const uint64_t* keyAt(size_t b, size_t at) const { return &blocks_[b].keys[at * fields_.size()]; }
    // First position whose first m parts compare above key (orEqual: or equal to it).
    size_t firstBeyond(const uint64_t* key, int m, bool orEqual) const;
    void shiftStarts(size_t fromBlock, ptrdiff_t by);
    void splitIfFull(size_t b);

    std::vector<int> fields_;
    bool descending_;
    const RecordLayout& layout_;
    StringPool& pool_;
    const RowStore& store_;
    std::vector<Block> blocks_;
    std::vector<size_t> starts_;  // position of each block's first entry
    size_t size_ = 0;
    uint64_t generation_ = 0;
};

}  // namespace gravmark
