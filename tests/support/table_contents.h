#pragma once
// A table's contents as text, for comparing two tables exactly.
#include <optional>
#include <string>
#include <vector>

#include "table/record_table.h"

namespace gravmark::test {

// Every record in posting order, deleted ones marked, each text with its id, so that two
// tables compare equal only when their records, posting order and text ids agree.
inline std::vector<std::string> recordsById(const RecordTable& t) {
    std::vector<std::string> records;
    for (uint32_t r = 0; r < t.postedCount(); ++r) {
        std::string record = t.isLive(r) ? "live" : "gone";
        for (int f = 0; f < int(t.fieldDefs().size()); ++f) {
            if (t.fieldDefs()[size_t(f)].type == FieldType::String) {
                const uint32_t id = t.recordTextId(r, f);
                record.append("|").append(std::to_string(id)).append(":");
                record.append(id == RecordTable::kNullTextId ? std::string("null")
                                                             : std::string(t.textOfId(id)));
            } else {
                const std::optional<int32_t> n = t.recordInteger(r, f);
                record.append("|").append(n ? std::to_string(*n) : std::string("null"));
            }
        }
        records.push_back(record);
    }
    return records;
}

// The record numbers of the view, in view order.
inline std::vector<uint32_t> viewOrder(const RecordTable& t) {
    std::vector<uint32_t> order;
    for (int row = 0; row < t.viewSize(); ++row) order.push_back(t.viewRecordNumber(row));
    return order;
}

}  // namespace gravmark::test
