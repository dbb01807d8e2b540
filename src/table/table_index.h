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
    size_t size() const { return rows_.size(); }
    uint32_t rowAt(size_t pos) const { return rows_[pos]; }

    void build();
    void clear();
    void refresh();  // call before use once texts may have been added to the pool

    // The key of a record (its first m index fields).
    void keyOf(const uint32_t* rec, uint64_t* out, int m) const;
    // First position whose first m key parts are not below key.
    size_t lowerBound(const uint64_t* key, int m) const;
    // First position at or after `from` whose first m key parts are above key.
    size_t upperBound(const uint64_t* key, int m, size_t from) const;
    int compareAt(size_t pos, const uint64_t* key, int m) const;
    static int compare(const uint64_t* a, const uint64_t* b, int m);

    size_t add(uint32_t row);
    size_t positionOf(uint32_t row, size_t hint) const;
    void eraseAt(size_t pos);

private:
    template <int K>
    void buildWidth(const std::vector<uint32_t>& posting);
    uint64_t part(const uint32_t* rec, int i) const;

    std::vector<int> fields_;
    bool descending_;
    const RecordLayout& layout_;
    StringPool& pool_;
    const RowStore& store_;
    std::vector<uint32_t> rows_;
    std::vector<uint64_t> keys_;  // keyWidth() parts per entry
    uint64_t generation_ = 0;
};

}  // namespace gravmark
