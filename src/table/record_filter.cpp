#include "table/record_filter.h"

#include "common/error.h"
#include "table/number_text.h"

namespace gravmark {

namespace {

int fieldIndex(const std::vector<FieldDef>& defs, std::string_view name) {
    for (size_t f = 0; f < defs.size(); ++f) {
        if (defs[f].name == name) return int(f);
    }
    throw Error("Field '" + std::string(name) + "' not found");
}

// A number field's value as a prefix filter reads it.
std::string numberFieldText(const RecordLayout& layout, const uint32_t* rec, int f) {
    return layout.type(f) == FieldType::Integer ? numberText(layout.integer(rec, f))
                                                : numberText(layout.real(rec, f));
}

}  // namespace

void RecordFilter::resolve(const std::vector<FilterTerm>& terms, const std::vector<FieldDef>& defs,
                           StringPool& pool) {
    std::vector<Term> resolved;
    for (const FilterTerm& term : terms) {
        Term t;
        t.field = fieldIndex(defs, term.field);
        t.type = defs[t.field].type;
        t.prefix = term.prefix;
        t.text = term.literal;
        switch (defs[t.field].type) {
            case FieldType::String:
                if (!t.prefix) t.id = pool.intern(t.text);
                break;
            case FieldType::Integer: {
                const std::optional<int32_t> integer = parseNumber<int32_t>(t.text);
                t.matchable = integer.has_value();
                t.integer = integer.value_or(0);
                break;
            }
            case FieldType::Float: {
                const std::optional<double> real = parseNumber<double>(t.text);
                t.matchable = real.has_value();
                t.real = real.value_or(0);
                break;
            }
        }
        resolved.push_back(std::move(t));
    }
    terms_ = std::move(resolved);
}

bool RecordFilter::termPasses(const Term& t, const uint32_t* rec, const RecordLayout& layout,
                              const StringPool& pool) const {
    if (layout.isNull(rec, t.field)) return false;
    FieldType type = layout.type(t.field);
    if (t.prefix) {
        if (type != FieldType::String) return numberFieldText(layout, rec, t.field).starts_with(t.text);
        return pool.text(layout.cell(rec, t.field)).starts_with(t.text);
    }
    switch (type) {
        case FieldType::String:
            return layout.cell(rec, t.field) == t.id;
        case FieldType::Integer:
            return t.matchable && layout.integer(rec, t.field) == t.integer;
        case FieldType::Float:
            return t.matchable && layout.real(rec, t.field) == t.real;
    }
    return false;
}

bool RecordFilter::passes(const uint32_t* rec, const RecordLayout& layout, const StringPool& pool) const {
    for (const Term& t : terms_) {
        if (!termPasses(t, rec, layout, pool)) return false;
    }
    return true;
}

bool RecordFilter::countable() const {
    if (terms_.empty() || terms_.size() > 2) return false;
    for (const Term& t : terms_) {
        if (t.prefix || t.type == FieldType::Float) return false;
    }
    return true;
}

uint64_t RecordFilter::comboOf(const uint32_t* rec, const RecordLayout& layout) const {
    uint64_t combo = 0;
    for (const Term& t : terms_) combo = combo << 32 | layout.cell(rec, t.field);
    return combo;
}

uint32_t RecordFilter::count(const RowStore& rows, const RecordLayout& layout, uint64_t dataVersion) {
    std::vector<int> fields;
    for (const Term& t : terms_) fields.push_back(t.field);
    Counts* counts = nullptr;
    for (Counts& c : counts_) {
        if (c.fields == fields) counts = &c;
    }
    if (!counts) {
        counts = &counts_.emplace_back();
        counts->fields = fields;
        counts->version = dataVersion + 1;
    }
    if (counts->version != dataVersion) {
        counts->byValues.clear();
        counts->version = dataVersion;
        for (uint32_t id = 0; id < rows.size(); ++id) {
            const uint32_t* rec = rows.row(id);
            if (!rows.alive(id)) continue;
            bool present = true;
            for (int f : fields) present = present && !layout.isNull(rec, f);
            if (present) ++counts->byValues[comboOf(rec, layout)];
        }
    }
    for (const Term& t : terms_) {
        if (!t.matchable) return 0;
    }
    uint64_t combo = 0;
    for (const Term& t : terms_) {
        uint32_t value = t.type == FieldType::String ? t.id : uint32_t(t.integer);
        combo = combo << 32 | value;
    }
    auto it = counts->byValues.find(combo);
    return it == counts->byValues.end() ? 0 : it->second;
}

}  // namespace gravmark
