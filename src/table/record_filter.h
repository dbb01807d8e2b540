#pragma once
// RecordFilter: the filter terms of a table resolved against its fields, and counting.
//
// An exact text term matches by pool id (its literal is interned), so a match costs one
// comparison. Counting the records that pass a filter of exact text terms uses a count
// of every combination of those fields' values, made in one pass and kept until the
// data change: switching such a filter per player costs a lookup, not a scan.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "table/record_layout.h"
#include "table/record_table.h"
#include "table/row_store.h"
#include "table/string_pool.h"

namespace gravmark {

class RecordFilter {
public:
    // Throws "Field 'x' not found" for a term on a missing field, leaving the filter as it was.
    void resolve(const std::vector<FilterTerm>& terms, const std::vector<FieldDef>& defs, StringPool& pool);
    void clear() { terms_.clear(); }
    bool empty() const { return terms_.empty(); }
    bool passes(const uint32_t* rec, const RecordLayout& layout, const StringPool& pool) const;

    bool countable() const;  // count() may be used
    uint32_t count(const RowStore& rows, const RecordLayout& layout, uint64_t dataVersion);

private:
    struct Term {
        int field = 0;
        FieldType type = FieldType::String;
        bool prefix = false;
        bool matchable = true;  // a number literal that does not read as a number matches nothing
        uint32_t id = 0;
        std::string text;
        int32_t integer = 0;
        double real = 0;
    };
    struct Counts {
        std::vector<int> fields;
        uint64_t version = 0;
        std::unordered_map<uint64_t, uint32_t> byValues;
    };

    bool termPasses(const Term& t, const uint32_t* rec, const RecordLayout& layout,
                    const StringPool& pool) const;
    uint64_t comboOf(const uint32_t* rec, const RecordLayout& layout) const;

    std::vector<Term> terms_;
    std::vector<Counts> counts_;
};

}  // namespace gravmark
