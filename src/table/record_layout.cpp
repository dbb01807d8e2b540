#include "table/record_layout.h"

#include <cstring>

namespace gravmark {

RecordLayout::RecordLayout(const std::vector<FieldDef>& defs) {
    int at = 0;
    for (const FieldDef& def : defs) {
        types_.push_back(def.type);
        offsets_.push_back(at);
        at += def.type == FieldType::Float ? 2 : 1;
    }
    maskAt_ = at;
    stride_ = at + (int(defs.size()) + 31) / 32;
}

void RecordLayout::setNull(uint32_t* rec, int f) const {
    rec[maskAt_ + f / 32] &= ~(1u << (f % 32));
    rec[offsets_[f]] = 0;
    if (types_[f] == FieldType::Float) rec[offsets_[f] + 1] = 0;
}

void RecordLayout::setCell(uint32_t* rec, int f, uint32_t v) const {
    rec[offsets_[f]] = v;
    markSet(rec, f);
}

double RecordLayout::real(const uint32_t* rec, int f) const {
    double v;
    std::memcpy(&v, rec + offsets_[f], sizeof v);
    return v;
}

void RecordLayout::setReal(uint32_t* rec, int f, double v) const {
    std::memcpy(rec + offsets_[f], &v, sizeof v);
    markSet(rec, f);
}

bool RecordLayout::sameValue(const uint32_t* a, const uint32_t* b, int f) const {
    if (isNull(a, f) || isNull(b, f)) return isNull(a, f) == isNull(b, f);
    if (types_[f] == FieldType::Float) return real(a, f) == real(b, f);
    return cell(a, f) == cell(b, f);
}

}  // namespace gravmark
