#pragma once
// The state behind a RecordTable and the steps its public calls are made of. Only the
// record_table*.cpp files include this: each defines the steps of one concern (the record
// cycle, the view, the orders, the work file), and this header holds what they share.
// The small steps the concerns take on their hot paths (finding a field, storing a text,
// settling, the filter test, locating the current record) stay inline here, so that
// splitting the table into files costs no call on them.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/error.h"
#include "table/default_order.h"
#include "table/record_filter.h"
#include "table/record_layout.h"
#include "table/record_table.h"
#include "table/row_store.h"
#include "table/string_pool.h"
#include "table/table_index.h"
#include "table/work_file_reader.h"
#include "table/work_file_writer.h"

namespace gravmark {

struct RecordTable::Impl {
    static constexpr uint32_t kNone = UINT32_MAX;
    static constexpr size_t kMaxIndexFields = 16;
    using Key = std::array<uint64_t, kMaxIndexFields>;

    // Settings: they outlive closing.
    std::vector<FieldDef> defs;
    std::string fileName;
    std::vector<IndexDef> indexDefs;
    std::string fieldList;
    int namedActive = -1;
    std::string filterText;
    std::vector<FilterTerm> filterTerms;
    bool filtered = false;
    std::function<void()> listener;
    mutable size_t nextField = 0;
    // Per string field, the text assigned last and its pool id (valid until the pool is emptied).
    std::vector<std::pair<std::string_view, uint32_t>> lastTexts;

    // The data of an open table.
    bool open = false;
    TableState state = TableState::Closed;
    RecordLayout layout;
    StringPool pool;
    RowStore rows;
    DefaultOrder order;
    std::vector<std::unique_ptr<TableIndex>> named;  // by indexDefs entry, built while open
    std::unique_ptr<TableIndex> listIndex;
    RecordFilter filter;
    bool changed = false;
    uint64_t dataVersion = 0;
    uint64_t viewVersion = 0;

    // The key range, as records holding its values in the leading index fields.
    bool hasRange = false;
    std::vector<uint32_t> rangeStart;
    std::vector<uint32_t> rangeEnd;
    int startCount = 0;
    int endCount = 0;

    // The current record. pendingFirst: the first record of the view, not yet located.
    uint32_t cur = kNone;
    bool pendingFirst = false;
    size_t curPos = 0;  // where cur probably stands in the active index
    bool eof = false;
    bool bof = false;

    // The record being inserted or edited.
    std::vector<uint32_t> buffer;
    bool assigned = false;
    uint32_t insertBefore = kNone;
    uint32_t editRow = kNone;

    // The view as rows, for the grid.
    std::vector<uint32_t> viewRows;
    uint64_t viewRowsVersion = UINT64_MAX;

    void notify() const {
        if (listener) listener();
    }
    void requireOpen() const {
        if (!open) throw Error("Cannot perform this operation on a closed dataset");
    }
    bool pending() const { return state == TableState::Inserting || state == TableState::Editing; }

    // Fields are mostly named in definition order, so the search starts after the last one found.
    int fieldIndex(std::string_view name) const {
        size_t n = defs.size();
        for (size_t k = 0, f = nextField < n ? nextField : 0; k < n; ++k, f = f + 1 == n ? 0 : f + 1) {
            if (defs[f].name.size() == name.size() && defs[f].name == name) {
                nextField = f + 1 == n ? 0 : f + 1;
                return int(f);
            }
        }
        throw Error("Field '" + std::string(name) + "' not found");
    }

    // ---- values and the record cycle (record_editing.cpp) ----

    // A text as a string field of that size keeps it: cut at a NUL, then to the size.
    static std::string_view storedText(std::string_view text, int size) {
        text = text.substr(0, text.find('\0'));
        return text.substr(0, size_t(std::max(size, 0)));
    }
    // A text into string field f, cut as the field keeps it and stored once in the pool.
    // Consecutive records often repeat a field's text (the map, the teams, the command),
    // so the field's last text is checked before the pool is searched.
    void assignText(uint32_t* rec, int f, std::string_view text) {
        text = storedText(text, defs[f].size);
        if (size_t(f) >= lastTexts.size()) lastTexts.resize(defs.size(), {{}, kNone});
        auto& [lastText, lastId] = lastTexts[size_t(f)];
        if (lastId == kNone || lastText != text) {
            lastId = pool.intern(text);
            lastText = pool.text(lastId);
        }
        layout.setCell(rec, f, lastId);
    }
    void assign(uint32_t* rec, int f, const Value& value);
    Value valueOf(const uint32_t* rec, int f) const;
    // The record that field reads see: the one being inserted or edited, else the current one.
    const uint32_t* shownRecord();
    uint32_t* editable(std::string_view field, int& f);

    // Posts a pending insert or edit when a field was assigned since it began, else cancels it.
    void settle() {
        if (!pending()) return;
        if (assigned) {
            post();
        } else {
            cancel();
        }
    }
    void beginInsert();
    void beginEdit();
    void cancel();
    void post();
    void dataChanged() {
        changed = true;
        ++dataVersion;
        ++viewVersion;
    }
    void postInsert();
    void postEdit();
    void deleteRecord();
    void deleteRecords(const std::vector<uint32_t>& records);

    // ---- the view: filter, range, moving and the grid (record_view.cpp) ----

    TableIndex* active() const { return namedActive >= 0 ? named[namedActive].get() : listIndex.get(); }
    bool passes(uint32_t row) const { return filter.empty() || filter.passes(rows.row(row), layout, pool); }
    std::pair<size_t, size_t> span() const;
    // Where the record's key stands against the range start (negative: before it) and end.
    int compareToRange(const uint32_t* rec, bool toEnd) const;
    bool inRange(uint32_t row) const {
        if (!hasRange) return true;
        const uint32_t* rec = rows.row(row);
        return compareToRange(rec, false) >= 0 && compareToRange(rec, true) <= 0;
    }
    bool inView(uint32_t row) const { return passes(row) && inRange(row); }
    uint32_t firstInView();
    uint32_t lastInView();
    // The record after (forward) or before `row` in the view; row must be in the view.
    uint32_t stepInView(uint32_t row, bool forward);
    // The place of the current record in the active index (0 without one).
    size_t placeOf(uint32_t row);
    uint32_t current() {
        if (pendingFirst) {
            pendingFirst = false;
            cur = firstInView();
        }
        return cur;
    }
    // After a change of the view: the first record of the new view becomes current.
    void viewChanged() {
        pendingFirst = true;
        eof = bof = false;
        ++viewVersion;
    }
    // Keeps the current record after a change of order; the first one when there was none.
    void orderChanged(uint32_t keep) {
        cur = keep;
        pendingFirst = keep == kNone;
        ++viewVersion;
    }
    // first() or last(): the first (last) record of the view becomes current.
    void moveToEnd(bool toFirst);
    // next (forward) or prior; at the end of the view the record stays and eof (bof) is set.
    void moveBy(bool forward);
    int recordCount();
    void checkFilterFields(const std::vector<FilterTerm>& terms) const {
        for (const FilterTerm& t : terms) fieldIndex(t.field);
    }
    void applyFilter(std::string text, std::vector<FilterTerm> terms);
    void setFiltered(bool on);
    const std::vector<uint32_t>& view();

    // ---- indexes and key ranges (record_orders.cpp) ----

    std::vector<int> parseFieldList(std::string_view list) const;
    std::unique_ptr<TableIndex> buildIndex(std::vector<int> fields, bool descending);
    template <class F>
    void forEachIndex(F f) {
        for (auto& index : named) {
            if (index) f(*index);
        }
        if (listIndex) f(*listIndex);
    }
    // Gives labels to new texts; indexes refresh their keys when the pool relabelled.
    void prepare() {
        forEachIndex([](TableIndex& index) { index.refresh(); });
    }
    void setIndexFieldNames(std::string list);
    int namedIndex(std::string_view name) const;
    void setIndexName(std::string name);
    void addIndex(std::string name, std::string fields, bool descending);
    std::vector<uint32_t> rangeRecord(const std::vector<Value>& values, const TableIndex& index, int& count);
    bool sameRange(const std::vector<uint32_t>& start, int starts, const std::vector<uint32_t>& end,
                   int ends) const;
    void setKeyRange(const std::vector<Value>& start, const std::vector<Value>& end);
    void clearKeyRange();

    // ---- life cycle (record_table.cpp) ----

    // Empties the data; an open table is then an empty table of the current definitions.
    void resetData(bool opened);
    void startEmpty() { resetData(true); }
    void dropData() { resetData(false); }
    // Applies the index and filter settings to freshly filled data; on failure the table closes.
    void activate();
    void requireFieldDefs() const {
        if (defs.empty()) throw Error("No fields defined.  Cannot create dataset");
    }
    void createDataSet();
    void emptyDataSet();

    // ---- the work file: loading, writing, the round trip (record_work_file.cpp) ----

    void openTable();
    void addLoadedRow(const std::vector<PacketValue>& values);
    void close();
    // The table as reading its work file back would give it: rows in the default order,
    // texts pooled in the order the reader meets them (row by row, field by field).
    struct Renumbered {
        StringPool pool;
        RowStore rows;
    };
    // With `releasing` (this table's own rows), each block of rows is given back once its
    // last row is copied: the table's rows are not there twice at the peak. Nothing else
    // may read them meanwhile.
    Renumbered renumbered(RowStore* releasing) const;
    void closeAndReopen();
    void takeRenumbered(Renumbered fresh);
    // RecordTable::fillRecords (record_fill.cpp).
    void fillRecords(uint32_t count, uint32_t sourceTextCount,
                     const std::function<void(uint32_t, RecordFill&)>& fill);
    // Rows go in the default order, so a table read back has the same default order.
    void write(const std::string& path) const;
    // The work file written a row at a time, each row's texts read from the pool given
    // with it; each field's attribute for each text is made on first use.
    class RowsToFile {
    public:
        RowsToFile(const Impl& table, const std::string& path);
        void add(const uint32_t* rec, const StringPool& pool);
        void finish();

    private:
        const Impl& table_;
        WorkFileWriter writer_;
        std::vector<std::vector<std::string>> attributes_;  // by field, by text id
    };
    void saveToFile(const std::string& path);
};

}  // namespace gravmark
