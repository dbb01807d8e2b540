#pragma once
// RecordLayout: how one record sits in a row of 32-bit cells.
//
// Each field takes one cell (a string's pool id, an integer's bits) or two (a float's
// bits); after the fields come the null-mask words, one bit per field, set when the
// field holds a value. A record of all zero cells is a record of nulls.
#include <cstdint>
#include <vector>

#include "table/record_table.h"

namespace gravmark {

class RecordLayout {
public:
    RecordLayout() = default;
    explicit RecordLayout(const std::vector<FieldDef>& defs);

    int stride() const { return stride_; }
    FieldType type(int f) const { return types_[f]; }

    bool isNull(const uint32_t* rec, int f) const { return !(rec[maskAt_ + f / 32] >> (f % 32) & 1u); }
    void setNull(uint32_t* rec, int f) const;
    uint32_t cell(const uint32_t* rec, int f) const { return rec[offsets_[f]]; }
    void setCell(uint32_t* rec, int f, uint32_t v) const;
    int32_t integer(const uint32_t* rec, int f) const { return int32_t(rec[offsets_[f]]); }
    double real(const uint32_t* rec, int f) const;
    void setReal(uint32_t* rec, int f, double v) const;
    bool sameValue(const uint32_t* a, const uint32_t* b, int f) const;

private:
    void markSet(uint32_t* rec, int f) const { rec[maskAt_ + f / 32] |= 1u << (f % 32); }

    std::vector<FieldType> types_;
    std::vector<int> offsets_;
    int maskAt_ = 0;
    int stride_ = 0;
};

}  // namespace gravmark
