#pragma once
// RecordTable: the in-memory table of typed fields behind the event table and the player
// table.
//
// Contract (what the rest of the program relies on):
//  - Fields are strings of a fixed size, 32-bit integers or 64-bit floats. A new record's
//    fields are null. A text longer than its field is cut to the size, silently, and an
//    embedded NUL also ends it. An empty text is a value, not null.
//  - One current record. States: closed, browsing, inserting, editing. To settle: post a
//    pending insert or edit when a field was assigned since it began, else cancel it.
//    insert, edit, first, next, filter and index changes, add index and the key-range
//    calls settle first. recordCount and fieldValue do not.
//  - View: the records that pass the filter (when on) and lie in the key range (when set),
//    in the order of the active index; with none, in the default order, where a posted
//    insert stands just before the record that was current when the insert began (at the
//    end when there was none).
//  - Filters: field = 'literal' [AND field = 'literal']. A quote inside a literal is
//    doubled; a literal keeps at most 512 characters; a literal of two or more characters
//    ending in "*" is a prefix test; null never equals anything.
//  - Indexes: a field list (IndexFieldNames, up to 16 fields) or a named index (IndexName,
//    ascending or descending). Texts compare by the locale's collation, case-sensitive,
//    with only identical texts equal; nulls first; a descending index reverses every
//    comparison. An index is built from the records in posting order by a partition
//    sort (above ten elements) and a final insertion pass; that fixes the order of equal
//    keys. A posted record goes after every record with an equal key.
//  - Key ranges: records whose leading index fields lie between start and end, both
//    included; values convert as field assignment does. The same range twice does not
//    move the current record. An edited record that leaves the range leaves the view;
//    the current record becomes the first of the range (new key before it), the last
//    (after it), or none (the range is now empty).
//  - Work file: closing writes the table to FileName (when it changed since it was
//    created, loaded or written, or when the file is missing); opening loads it.
//    Destroying an open table closes it first (a write error is then dropped).
// Every failure throws gravmark::Error with the user-visible message, leaving the table
// as it was.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace gravmark {

class StringPool;

enum class FieldType { String, Integer, Float };

struct FieldDef {
    std::string name;
    FieldType type = FieldType::String;
    int size = 0;  // strings only: the most characters a value keeps
};

// A field value: null, text, integer or float.
using Value = std::variant<std::monostate, std::string, int32_t, double>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

struct IndexDef {
    std::string name;
    std::string fields;  // field names separated by ";"
    bool descending = false;
};

// One comparison of a filter built by code. Unlike a filter text, a literal ending
// in "*" is compared exactly unless `prefix` is set.
struct FilterTerm {
    std::string field;
    std::string literal;
    bool prefix = false;
};

enum class TableState { Closed, Browsing, Inserting, Editing };

// The value between single quotes with every inner single quote doubled: O'Neil -> 'O''Neil'.
std::string quotedStr(std::string_view text);

class RecordTable {
public:
    RecordTable();
    ~RecordTable();
    RecordTable(const RecordTable&) = delete;
    RecordTable& operator=(const RecordTable&) = delete;

    // Definitions and the work file.
    void setFieldDefs(std::vector<FieldDef> defs);
    const std::vector<FieldDef>& fieldDefs() const;
    void setFileName(std::string path);
    const std::string& fileName() const;

    // Life cycle.
    void createDataSet();  // "create": a new empty table from the field definitions, opened
    void open();
    void close();
    bool active() const;
    void setLogChanges(bool on);  // kept for the start-up sequence; no further effect
    void emptyDataSet();  // removes every record; definitions, indexes and filter stay
    TableState state() const;

    // The current record and its cycle.
    void insert();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    void first();
    void next();
    void prior();
    void last();
    bool eof() const;  // moved forward from the last record
    bool bof() const;
    int recordCount() const;

    // Field access on the current record (the record being inserted while inserting).
    void setFieldValue(std::string_view field, const Value& value);
    void setText(std::string_view field, std::string_view text);
    void setInteger(std::string_view field, int32_t value);
    void setFloat(std::string_view field, double value);
    Value fieldValue(std::string_view field) const;  // null when the view is empty
    // Fast read of a string field of the current record: empty for null or no record.
    std::string_view textOf(std::string_view field) const;
    bool hasField(std::string_view field) const;

    // Filters.
    void setFilter(std::string expression);
    const std::string& filter() const;
    void setFilterTerms(std::vector<FilterTerm> terms);
    void setFiltered(bool on);
    bool filtered() const;

    // Orders.
    void setIndexFieldNames(std::string fields);
    const std::string& indexFieldNames() const;
    void setIndexName(std::string name);
    std::string indexName() const;
    const std::vector<IndexDef>& indexDefs() const;
    void addIndex(std::string name, std::string fields, bool descending);

    // Key ranges over the leading fields of the active index.
    void setKeyRange(const std::vector<Value>& start, const std::vector<Value>& end);
    void clearKeyRange();

    // The work file.
    void saveToFile(const std::string& path = {});

    // Random access to the current view, for the data grid.
    int viewSize() const;
    Value viewValue(int row, int field) const;
    int currentRow() const;  // -1 when the view is empty
    void moveToRow(int row);  // settles first

    // Reading a whole view fast, without moving the current record (summaries over the
    // event table). A string field's value as the id of its text: every distinct text of
    // the table has one id, ids run from 0 to textIdCount() - 1, and null is kNullTextId.
    static constexpr uint32_t kNullTextId = UINT32_MAX;
    uint32_t viewTextId(int row, int field) const;
    std::string_view textOfId(uint32_t id) const;
    uint32_t textIdCount() const;
    // The record's place in posting order (0 for the first record posted), which never changes.
    uint32_t viewRecordNumber(int row) const;

    // Reading the whole table fast, by record number (posting order), whatever the view:
    // numbers run from 0 to postedCount() - 1, and a deleted record keeps its number but
    // is no longer live.
    uint32_t postedCount() const;
    bool isLive(uint32_t record) const;
    int fieldNumber(std::string_view field) const;  // throws "Field 'x' not found"
    uint32_t recordTextId(uint32_t record, int field) const;  // kNullTextId for null
    std::optional<int32_t> recordInteger(uint32_t record, int field) const;  // none for null
    // The id of a text the table holds, or kNullTextId: unlike a filter, nothing is added.
    uint32_t findTextId(std::string_view text) const;
    // Deletes the given live records in one pass, as deleting them one by one would;
    // then the first record of the view is current.
    void deleteRecords(const std::vector<uint32_t>& records);
    // What close() followed by open() gives, without reading back the work file that
    // close() writes: the records renumbered in the default order, their texts pooled
    // afresh in file order, the indexes built anew. The file is written on a second
    // thread meanwhile and is complete when this returns; when writing fails, the error
    // is thrown and the table stays as it was. A table without a work file keeps its
    // records, renumbered as a file would give them back.
    void closeAndReopen();

    class RecordFill;  // a record given to fillRecords (below the class)
    // What emptying the table, posting `count` records and closeAndReopen give, fast: the
    // records come in the order reopening leaves them (record 0 first), `fill` giving
    // record r's fields; then the indexes are built. The work file is written meanwhile on
    // a second thread, which calls `fill` too: it must only read. Source ids run from 0 to
    // sourceTextCount - 1. When writing fails, the error is thrown and the table holds the
    // new records, changed since the file.
    void fillRecords(uint32_t count, uint32_t sourceTextCount,
                     const std::function<void(uint32_t record, RecordFill& fields)>& fill);

    // Moves on with every change of the records (posting, deleting, emptying, closing,
    // opening) and never goes back: an equal count means the same records as then.
    uint64_t changeCount() const;

    // Told after every change of data, view or current record (a grid refreshes).
    void setChangeListener(std::function<void()> listener);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A record given to RecordTable::fillRecords: its fields by number (fieldNumber), null
// unless set.
class RecordTable::RecordFill {
public:
    void setInteger(int field, int32_t value);
    // A text by its id in the caller's pool: the table pools each text once per field,
    // however many records hold it, and reads `text` only on the id's first use there.
    void setPooledText(int field, uint32_t sourceId, std::string_view text);

private:
    friend class RecordTable;
    RecordFill(const Impl& table, StringPool& pool, uint32_t sourceTextCount);
    // Makes records 0 to count - 1 by `fill`, handing each to `take` as cells.
    void makeEach(uint32_t count, const std::function<void(uint32_t, RecordFill&)>& fill,
                  const std::function<void(const uint32_t*)>& take);
    const Impl& table_;
    StringPool& pool_;
    uint32_t sourceTextCount_;
    std::vector<std::vector<uint32_t>> tableIdOfSource_;  // per field, by source id
    std::vector<uint32_t> cells_;
};

}  // namespace gravmark
