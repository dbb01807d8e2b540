// The record table against a plain model: the fuzzer's bytes are a sequence of inserts,
// edits, deletes (one or many at once), moves, filters, orders, key ranges and reopenings.
// After each one the table's view must hold the records the model says, in the model's
// default order when no index is active and sorted when the index is on the number field;
// walking it must meet the same records as reading it by row. A table reopened in memory
// must be what reading its work file back gives.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/error.h"
#include "fuzz_support.h"
#include "table/record_table.h"

namespace gravmark {
namespace {

constexpr int kNameSize = 6;

struct ModelRecord {
    int32_t id = 0;
    std::optional<std::string> name;
    std::optional<int32_t> number;
};

struct ModelFilter {
    std::optional<std::string> name;  // a literal, a trailing "*" of two or more characters a prefix test
    std::optional<std::string> number;
};

// What the table should hold, kept as plainly as possible.
struct Model {
    std::vector<ModelRecord> records;  // in the default order
    ModelFilter filter;
    bool filtered = false;
    std::string index;  // "", "name", "number" or "number;name"
    std::optional<std::pair<int32_t, int32_t>> range;

    static bool nameMatches(const std::optional<std::string>& name, const std::string& literal) {
        if (!name) return false;
        if (literal.size() >= 2 && literal.back() == '*')
            return name->starts_with(std::string_view(literal).substr(0, literal.size() - 1));
        return *name == literal;
    }
    static bool numberMatches(const std::optional<int32_t>& number, const std::string& literal) {
        return number && std::to_string(*number) == literal;
    }
    bool inView(const ModelRecord& r) const {
        if (filtered && filter.name && !nameMatches(r.name, *filter.name)) return false;
        if (filtered && filter.number && !numberMatches(r.number, *filter.number)) return false;
        return !range || (r.number && *r.number >= range->first && *r.number <= range->second);
    }
    std::vector<const ModelRecord*> view() const {
        std::vector<const ModelRecord*> out;
        for (const ModelRecord& r : records)
            if (inView(r)) out.push_back(&r);
        return out;
    }
    ModelRecord* find(int32_t id) {
        auto at =
            std::find_if(records.begin(), records.end(), [&](const ModelRecord& r) { return r.id == id; });
        return at == records.end() ? nullptr : &*at;
    }
};

// A short name from a small alphabet, so that names repeat and prefixes meet; "*" and
// quotes test the filter's escapes. The table keeps at most kNameSize characters.
std::string nameFrom(fuzz::ByteReader& input) {
    static constexpr std::string_view kLetters = "abAB'*x ";
    std::string name;
    for (char c : input.text(8)) name += kLetters[static_cast<uint8_t>(c) % kLetters.size()];
    return name;
}

std::optional<int32_t> currentId(const RecordTable& table) {
    const Value id = table.fieldValue("id");
    return isNull(id) ? std::nullopt : std::optional<int32_t>(std::get<int32_t>(id));
}

// Sets the name and number a byte asks for: each may be left, set or made null.
void assignFields(fuzz::ByteReader& input, RecordTable& table, ModelRecord& record) {
    const uint8_t what = input.byte();
    if (what & 1) {
        record.name = (what & 2) ? std::optional<std::string>() : nameFrom(input);
        table.setFieldValue("name", record.name ? Value(*record.name) : Value());
        if (record.name) record.name->resize(std::min<size_t>(record.name->size(), kNameSize));
    }
    if (what & 4) {
        record.number = (what & 8) ? std::optional<int32_t>() : int32_t(input.byte() % 16) - 4;
        table.setFieldValue("number", record.number ? Value(*record.number) : Value());
    }
}

void setFilter(fuzz::ByteReader& input, RecordTable& table, Model& model) {
    const uint8_t what = input.byte();
    model.filter = {};
    std::string text;
    if (what & 1) {
        model.filter.name = nameFrom(input);
        text = "name = " + quotedStr(*model.filter.name);
    }
    if (what & 2) {
        // A literal that is no number matches nothing.
        model.filter.number = (what & 4) ? "x" : std::to_string(int(input.byte() % 16) - 4);
        text += (text.empty() ? "" : " AND ") + ("number = " + quotedStr(*model.filter.number));
    }
    table.setFilter(text);
    model.filtered = what & 8;
    table.setFiltered(model.filtered);
}

void setIndex(fuzz::ByteReader& input, RecordTable& table, Model& model) {
    static const std::string kIndexes[] = {"", "name", "number", "number;name"};
    table.clearKeyRange();
    model.range.reset();
    model.index = kIndexes[input.byte() % 4];
    table.setIndexFieldNames(model.index);
}

void setRange(fuzz::ByteReader& input, RecordTable& table, Model& model) {
    if (model.index != "number") return;
    const int32_t low = int32_t(input.byte() % 16) - 4;
    const int32_t high = int32_t(input.byte() % 16) - 4;
    table.setKeyRange({low}, {high});
    model.range = {low, high};
}

void move(fuzz::ByteReader& input, RecordTable& table) {
    switch (input.byte() % 5) {
        case 0:
            return table.first();
        case 1:
            return table.next();
        case 2:
            return table.prior();
        case 3:
            return table.last();
        default:
            if (table.viewSize() > 0) table.moveToRow(input.byte() % table.viewSize());
    }
}

const std::vector<FieldDef>& fieldDefs() {
    static const std::vector<FieldDef> defs{{"id", FieldType::Integer, 0},
                                            {"name", FieldType::String, kNameSize},
                                            {"number", FieldType::Integer, 0}};
    return defs;
}

// Deletes the live records a byte picks, all at once.
void deleteSome(fuzz::ByteReader& input, RecordTable& table, Model& model) {
    const uint8_t pick = input.byte();
    std::vector<uint32_t> doomed;
    for (uint32_t record = 0; record < table.postedCount(); ++record) {
        if (!table.isLive(record) || (record + pick) % (pick % 4 + 2) != 0) continue;
        doomed.push_back(record);
        const int32_t id = *table.recordInteger(record, 0);
        std::erase_if(model.records, [&](const ModelRecord& r) { return r.id == id; });
    }
    if (pick & 0x80) std::reverse(doomed.begin(), doomed.end());  // any order
    table.deleteRecords(doomed);
}

// Reopens the table in memory, like closing and opening it; like closing, that ends the key
// range, while the order and the filter stay. With a work file (which a byte decides), the
// table must then be, record by record, what reading the file back gives: the same records
// in the same posting order, the same text ids. Reopening it again unchanged reads the file.
void reopen(fuzz::ByteReader& input, RecordTable& table, Model& model) {
    const uint8_t how = input.byte();
    model.range.reset();
    if (!(how & 1)) return table.closeAndReopen();
    const std::string workFile = fuzz::scratch().file("table.xml");
    table.setFileName(workFile);
    table.closeAndReopen();
    RecordTable read;
    read.setFieldDefs(fieldDefs());
    read.setFileName(workFile);
    read.open();
    read.setFileName("");
    fuzz::require(read.postedCount() == table.postedCount(), "reopening keeps what the file holds");
    for (uint32_t record = 0; record < table.postedCount(); ++record) {
        fuzz::require(table.isLive(record) && read.isLive(record), "a reopened table has no gaps");
        fuzz::require(table.recordInteger(record, 0) == read.recordInteger(record, 0) &&
                          table.recordTextId(record, 1) == read.recordTextId(record, 1) &&
                          table.recordInteger(record, 2) == read.recordInteger(record, 2),
                      "a reopened record is the one read from the file");
    }
    if (how & 2) table.closeAndReopen();
    // The file belongs to this step alone: no later step may find it and read it.
    table.setFileName("");
    std::filesystem::remove(workFile);
}

void checkView(RecordTable& table, Model& model) {
    const auto expected = model.view();
    fuzz::require(table.recordCount() == int(expected.size()), "recordCount() is the model's view size");
    fuzz::require(table.viewSize() == int(expected.size()), "viewSize() is the model's view size");
    std::vector<int32_t> rows, walked, wanted;
    std::optional<int32_t> previousNumber;
    for (int row = 0; row < table.viewSize(); ++row) {
        const int32_t id = std::get<int32_t>(table.viewValue(row, 0));
        const ModelRecord* record = model.find(id);
        fuzz::require(record != nullptr, "the view holds only records of the model");
        const Value name = table.viewValue(row, 1), number = table.viewValue(row, 2);
        fuzz::require(record->name ? name == Value(*record->name) : isNull(name), "names are as assigned");
        fuzz::require(record->number ? number == Value(*record->number) : isNull(number),
                      "numbers are as assigned");
        // Nulls sort first, then numbers ascending.
        const auto numberKey = [](const std::optional<int32_t>& n) {
            return std::pair(n.has_value(), n.value_or(0));
        };
        fuzz::require(!model.index.starts_with("number") || row == 0 ||
                          numberKey(previousNumber) <= numberKey(record->number),
                      "the number index sorts the view");
        previousNumber = record->number;
        rows.push_back(id);
    }
    for (table.first(); !table.eof(); table.next()) walked.push_back(*currentId(table));
    fuzz::require(walked == rows, "walking meets the records of the view in its order");
    for (const ModelRecord* r : expected) wanted.push_back(r->id);
    if (!model.index.empty()) {
        std::sort(rows.begin(), rows.end());
        std::sort(wanted.begin(), wanted.end());
    }
    fuzz::require(rows == wanted, model.index.empty() ? "the view follows the default order"
                                                      : "the indexed view holds the model's records");
}

}  // namespace
}  // namespace gravmark

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace gravmark;
    fuzz::ByteReader input(fuzz::bytesOf(data, size));
    RecordTable table;
    table.setFieldDefs(fieldDefs());
    table.createDataSet();
    Model model;
    int32_t nextId = 0;
    // Reopening costs a thread, a row block and a file; a few per input keep the runs quick.
    int reopeningsLeft = 3;
    for (int step = 0; step < 200 && !input.empty(); ++step) {
        switch (input.byte() % 11) {
            case 0:
            case 1: {  // insert, posted before the current record (at the end without one)
                const std::optional<int32_t> current = currentId(table);
                table.insert();
                ModelRecord record{nextId++, {}, {}};
                table.setInteger("id", record.id);
                assignFields(input, table, record);
                table.post();
                auto at = std::find_if(model.records.begin(), model.records.end(),
                                       [&](const ModelRecord& r) { return current && r.id == *current; });
                model.records.insert(at, record);
                break;
            }
            case 2:  // an insert given up
                table.insert();
                table.setInteger("id", nextId);
                table.cancel();
                break;
            case 3:
                if (const auto id = currentId(table)) {
                    table.edit();
                    assignFields(input, table, *model.find(*id));
                    table.post();
                }
                break;
            case 4:
                if (const auto id = currentId(table)) {
                    table.deleteRecord();
                    std::erase_if(model.records, [&](const ModelRecord& r) { return r.id == *id; });
                }
                break;
            case 5:
                setFilter(input, table, model);
                break;
            case 6:
                setIndex(input, table, model);
                break;
            case 7:
                setRange(input, table, model);
                break;
            case 8:
                deleteSome(input, table, model);
                break;
            case 9:
                if (reopeningsLeft-- > 0) reopen(input, table, model);
                break;
            default:
                move(input, table);
        }
        checkView(table, model);
    }
    return 0;
}
