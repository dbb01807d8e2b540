// The work-file reader on arbitrary bytes: a file is refused with an error, or the table
// it opens walks exactly recordCount() records and survives being written and read back
// unchanged.
#include <cmath>
#include <cstring>
#include <vector>

#include "common/error.h"
#include "fuzz_support.h"
#include "table/record_table.h"

namespace gravmark {
namespace {

bool sameValue(const Value& a, const Value& b) {
    const auto* x = std::get_if<double>(&a);
    const auto* y = std::get_if<double>(&b);
    // A float must come back to the same bits (a NaN is not equal to itself).
    if (x && y) return std::memcmp(x, y, sizeof(double)) == 0 || (std::isnan(*x) && std::isnan(*y));
    return a == b;
}

// Every value of the table, record by record in its default order.
std::vector<std::vector<Value>> contents(RecordTable& table) {
    std::vector<std::vector<Value>> rows;
    for (int row = 0; row < table.viewSize(); ++row) {
        std::vector<Value>& values = rows.emplace_back();
        for (int field = 0; field < int(table.fieldDefs().size()); ++field)
            values.push_back(table.viewValue(row, field));
    }
    return rows;
}

bool sameDefs(const std::vector<FieldDef>& a, const std::vector<FieldDef>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].type != b[i].type || a[i].size != b[i].size) return false;
    }
    return true;
}

}  // namespace
}  // namespace gravmark

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gravmark;
    const std::string packet = fuzz::scratch().file("packet.xml");
    const std::string copy = fuzz::scratch().file("copy.xml");
    test::writeFile(packet, fuzz::bytesOf(data, size));

    RecordTable table;
    table.setFileName(packet);
    try {
        table.open();
    } catch (const Error&) {
        return 0;  // not a packet: refused, as it should be
    }
    int walked = 0;
    for (table.first(); !table.eof(); table.next()) ++walked;
    fuzz::require(walked == table.recordCount(), "records walked = recordCount()");

    const auto before = contents(table);
    table.saveToFile(copy);
    RecordTable reopened;
    reopened.setFileName(copy);
    try {
        reopened.open();
    } catch (const Error& error) {
        fuzz::require(false, "a written packet opens again", error.what());
    }
    fuzz::require(sameDefs(table.fieldDefs(), reopened.fieldDefs()), "fields survive write and reopen");
    const auto after = contents(reopened);
    bool same = before.size() == after.size();
    for (size_t r = 0; same && r < before.size(); ++r) {
        for (size_t f = 0; same && f < before[r].size(); ++f) same = sameValue(before[r][f], after[r][f]);
    }
    fuzz::require(same, "records survive write and reopen");
    return 0;
}
