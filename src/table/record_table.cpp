#include "table/record_table.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <future>

#include "common/error.h"
#include "platform/native_path.h"
#include "table/default_order.h"
#include "table/filter_expression.h"
#include "table/number_text.h"
#include "table/record_filter.h"
#include "table/record_layout.h"
#include "table/row_store.h"
#include "table/string_pool.h"
#include "table/table_index.h"
#include "table/work_file_reader.h"
#include "table/work_file_writer.h"

namespace gravmark {

namespace {

constexpr uint32_t kNone = UINT32_MAX;
constexpr size_t kMaxIndexFields = 16;
using Key = std::array<uint64_t, kMaxIndexFields>;

// A text as a string field of that size keeps it: cut at a NUL, then to the size.
std::string_view storedText(std::string_view text, int size) {
    text = text.substr(0, text.find('\0'));
    return text.substr(0, size_t(std::max(size, 0)));
}

template <class T>
T parsed(const std::string& text, const char* kind) {
    const std::optional<T> value = parseNumber<T>(text);
    if (!value) throw Error("'" + text + "' is not a valid " + kind + " value");
    return *value;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(platform::nativePath(path), ec);
}

}  // namespace

std::string quotedStr(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

struct RecordTable::Impl {
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

    std::vector<int> parseFieldList(std::string_view list) const {
        std::vector<int> fields;
        while (!list.empty()) {
            size_t semi = list.find(';');
            std::string_view name = list.substr(0, semi);
            list = semi == std::string_view::npos ? std::string_view() : list.substr(semi + 1);
            while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
            while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
            if (!name.empty()) fields.push_back(fieldIndex(name));
        }
        if (fields.size() > kMaxIndexFields) throw Error("Too many fields in index");
        return fields;
    }

    void checkFilterFields(const std::vector<FilterTerm>& terms) const {
        for (const FilterTerm& t : terms) fieldIndex(t.field);
    }

    // ---- values ----

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

    void assign(uint32_t* rec, int f, const Value& value) {
        const FieldDef& def = defs[f];
        if (isNull(value)) return layout.setNull(rec, f);
        if (const auto* text = std::get_if<std::string>(&value)) {
            switch (def.type) {
                case FieldType::String:
                    return assignText(rec, f, *text);
                case FieldType::Integer:
                    return layout.setCell(rec, f, uint32_t(parsed<int32_t>(*text, "integer")));
                case FieldType::Float:
                    return layout.setReal(rec, f, parsed<double>(*text, "floating point"));
            }
        }
        if (const auto* integer = std::get_if<int32_t>(&value)) {
            switch (def.type) {
                case FieldType::String:
                    return assign(rec, f, std::to_string(*integer));
                case FieldType::Integer:
                    return layout.setCell(rec, f, uint32_t(*integer));
                case FieldType::Float:
                    return layout.setReal(rec, f, *integer);
            }
        }
        double real = std::get<double>(value);
        switch (def.type) {
            case FieldType::String:
                return assign(rec, f, numberText(real));
            case FieldType::Integer:
                if (!(std::fabs(real) < 2147483648.0))
                    throw Error(numberText(real) + " is not a valid integer value");
                return layout.setCell(rec, f, uint32_t(int32_t(std::llround(real))));
            case FieldType::Float:
                return layout.setReal(rec, f, real);
        }
    }

    Value valueOf(const uint32_t* rec, int f) const {
        if (layout.isNull(rec, f)) return {};
        switch (defs[f].type) {
            case FieldType::String:
                return std::string(pool.text(layout.cell(rec, f)));
            case FieldType::Integer:
                return layout.integer(rec, f);
            case FieldType::Float:
                return layout.real(rec, f);
        }
        return {};
    }

    // The record that field reads see: the one being inserted or edited, else the current one.
    const uint32_t* shownRecord() {
        if (pending()) return buffer.data();
        if (!open) return nullptr;
        uint32_t row = current();
        return row == kNone ? nullptr : rows.row(row);
    }

    uint32_t* editable(std::string_view field, int& f) {
        f = fieldIndex(field);
        if (!pending()) throw Error("Dataset not in edit or insert mode");
        return buffer.data();
    }

    // ---- indexes and the view ----

    TableIndex* active() const { return namedActive >= 0 ? named[namedActive].get() : listIndex.get(); }

    std::unique_ptr<TableIndex> buildIndex(std::vector<int> fields, bool descending) {
        auto index = std::make_unique<TableIndex>(std::move(fields), descending, layout, pool, rows);
        index->build();
        return index;
    }

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

    bool passes(uint32_t row) const { return filter.empty() || filter.passes(rows.row(row), layout, pool); }

    std::pair<size_t, size_t> span() const {
        TableIndex* index = active();
        if (!hasRange) return {0, index->size()};
        Key start;
        Key end;
        index->keyOf(rangeStart.data(), start.data(), startCount);
        index->keyOf(rangeEnd.data(), end.data(), endCount);
        size_t lo = index->lowerBound(start.data(), startCount);
        return {lo, index->upperBound(end.data(), endCount, lo)};
    }

    // Where the record's key stands against the range start (negative: before it) and end.
    int compareToRange(const uint32_t* rec, bool toEnd) const {
        TableIndex* index = active();
        Key key;
        Key bound;
        int m = toEnd ? endCount : startCount;
        index->keyOf(rec, key.data(), m);
        index->keyOf(toEnd ? rangeEnd.data() : rangeStart.data(), bound.data(), m);
        return TableIndex::compare(key.data(), bound.data(), m);
    }

    bool inRange(uint32_t row) const {
        if (!hasRange) return true;
        const uint32_t* rec = rows.row(row);
        return compareToRange(rec, false) >= 0 && compareToRange(rec, true) <= 0;
    }

    bool inView(uint32_t row) const { return passes(row) && inRange(row); }

    uint32_t firstInView() {
        if (TableIndex* index = active()) {
            auto [lo, hi] = span();
            for (size_t p = lo; p < hi; ++p) {
                if (passes(index->rowAt(p))) return curPos = p, index->rowAt(p);
            }
            return kNone;
        }
        for (uint32_t r = order.first(); r != kNone; r = order.next(r)) {
            if (passes(r)) return r;
        }
        return kNone;
    }

    uint32_t lastInView() {
        if (TableIndex* index = active()) {
            auto [lo, hi] = span();
            for (size_t p = hi; p > lo; --p) {
                if (passes(index->rowAt(p - 1))) return curPos = p - 1, index->rowAt(p - 1);
            }
            return kNone;
        }
        for (uint32_t r = order.last(); r != kNone; r = order.prior(r)) {
            if (passes(r)) return r;
        }
        return kNone;
    }

    // The record after (forward) or before `row` in the view; row must be in the view.
    uint32_t stepInView(uint32_t row, bool forward) {
        if (TableIndex* index = active()) {
            auto [lo, hi] = span();
            size_t p = index->positionOf(row, curPos);
            while (forward ? p + 1 < hi : p > lo) {
                p = forward ? p + 1 : p - 1;
                if (passes(index->rowAt(p))) return curPos = p, index->rowAt(p);
            }
            return kNone;
        }
        for (uint32_t r = forward ? order.next(row) : order.prior(row); r != kNone;
             r = forward ? order.next(r) : order.prior(r)) {
            if (passes(r)) return r;
        }
        return kNone;
    }

    // The place of the current record in the active index (0 without one).
    size_t placeOf(uint32_t row) {
        if (TableIndex* index = active()) curPos = index->positionOf(row, curPos);
        return curPos;
    }

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

    // ---- the record cycle ----

    void settle() {
        if (!pending()) return;
        if (assigned) {
            post();
        } else {
            cancel();
        }
    }

    void beginInsert() {
        requireOpen();
        settle();
        insertBefore = current();
        buffer.assign(layout.stride(), 0);
        assigned = false;
        state = TableState::Inserting;
        notify();
    }

    void beginEdit() {
        requireOpen();
        if (pending()) return;
        if (current() == kNone) return beginInsert();
        editRow = cur;
        const uint32_t* rec = rows.row(editRow);
        buffer.assign(rec, rec + layout.stride());
        assigned = false;
        state = TableState::Editing;
        notify();
    }

    void cancel() {
        if (!pending()) return;
        state = TableState::Browsing;
        buffer.clear();
        notify();
    }

    void post() {
        if (!pending()) return;
        prepare();
        if (state == TableState::Inserting) {
            postInsert();
        } else {
            postEdit();
        }
        state = TableState::Browsing;
        buffer.clear();
        dataChanged();
        eof = bof = false;
        notify();
    }

    void dataChanged() {
        changed = true;
        ++dataVersion;
        ++viewVersion;
    }

    void postInsert() {
        uint32_t row = rows.append(buffer.data());
        order.insertBefore(row, insertBefore);
        TableIndex* index = active();
        size_t pos = 0;
        forEachIndex([&](TableIndex& ix) {
            size_t at = ix.add(row);
            if (&ix == index) pos = at;
        });
        if (inView(row)) {
            cur = row;
            curPos = pos;
            pendingFirst = false;
        }
    }

    void postEdit() {
        uint32_t row = editRow;
        uint32_t* rec = rows.row(row);
        size_t rowPos = placeOf(row);
        uint32_t neighbour = kNone;
        if (!filter.empty()) {
            neighbour = stepInView(row, true);
            if (neighbour == kNone) neighbour = stepInView(row, false);
        }
        std::vector<TableIndex*> moved;
        forEachIndex([&](TableIndex& ix) {
            Key before;
            Key after;
            ix.keyOf(rec, before.data(), ix.keyWidth());
            ix.keyOf(buffer.data(), after.data(), ix.keyWidth());
            if (TableIndex::compare(before.data(), after.data(), ix.keyWidth()) == 0) return;
            ix.eraseAt(ix.positionOf(row, &ix == active() ? rowPos : 0));
            moved.push_back(&ix);
        });
        std::copy(buffer.begin(), buffer.end(), rec);
        for (TableIndex* ix : moved) {
            size_t at = ix->add(row);
            if (ix == active()) curPos = at;
        }
        pendingFirst = false;
        if (inView(row)) {
            cur = row;
        } else if (!inRange(row)) {
            bool before = compareToRange(rec, false) < 0;
            cur = before ? firstInView() : lastInView();
        } else {
            cur = neighbour != kNone && inView(neighbour) ? neighbour : firstInView();
        }
    }

    void deleteRecord() {
        requireOpen();
        if (state == TableState::Inserting) return cancel();
        cancel();
        uint32_t row = current();
        if (row == kNone) throw Error("Cannot perform this operation on an empty dataset");
        prepare();
        size_t rowPos = placeOf(row);
        uint32_t next = stepInView(row, true);
        if (next == kNone) next = stepInView(row, false);
        TableIndex* index = active();
        forEachIndex([&](TableIndex& ix) {
            size_t at = ix.positionOf(row, &ix == index ? rowPos : 0);
            ix.eraseAt(at);
            if (&ix == index) curPos = at;
        });
        order.remove(row);
        rows.kill(row);
        cur = next;
        eof = bof = false;
        dataChanged();
        notify();
    }

    void deleteRecords(const std::vector<uint32_t>& records) {
        requireOpen();
        cancel();
        std::vector<uint8_t> gone(rows.size(), 0);
        bool any = false;
        for (uint32_t row : records) {
            if (row >= rows.size() || !rows.alive(row) || gone[row]) continue;
            gone[row] = 1;
            any = true;
        }
        if (!any) return;
        prepare();
        forEachIndex([&](TableIndex& ix) { ix.eraseRows(gone); });
        for (uint32_t row = 0; row < rows.size(); ++row) {
            if (!gone[row]) continue;
            order.remove(row);
            rows.kill(row);
        }
        dataChanged();
        viewChanged();
        notify();
    }

    // first() or last(): the first (last) record of the view becomes current.
    void moveToEnd(bool toFirst) {
        requireOpen();
        settle();
        pendingFirst = false;
        cur = toFirst ? firstInView() : lastInView();
        bof = toFirst;
        eof = !toFirst;
        notify();
    }

    // next (forward) or prior; at the end of the view the record stays and eof (bof) is set.
    void moveBy(bool forward) {
        requireOpen();
        settle();
        if (current() != kNone) {
            uint32_t to = stepInView(cur, forward);
            (forward ? eof : bof) = to == kNone;
            (forward ? bof : eof) = false;
            if (to != kNone) cur = to;
        } else {
            eof = bof = true;
        }
        notify();
    }

    int recordCount() {
        requireOpen();
        if (!hasRange) {
            if (filter.empty()) return int(rows.liveCount());
            if (filter.countable()) return int(filter.count(rows, layout, dataVersion));
            int n = 0;
            for (uint32_t r = 0; r < rows.size(); ++r) n += rows.alive(r) && passes(r);
            return n;
        }
        auto [lo, hi] = span();
        if (filter.empty()) return int(hi - lo);
        int n = 0;
        for (size_t p = lo; p < hi; ++p) n += passes(active()->rowAt(p));
        return n;
    }

    // ---- filters ----

    void applyFilter(std::string text, std::vector<FilterTerm> terms) {
        if (open && filtered) {
            checkFilterFields(terms);
            settle();
            filter.resolve(terms, defs, pool);
            viewChanged();
        }
        filterText = std::move(text);
        filterTerms = std::move(terms);
        if (open && filtered) notify();
    }

    void setFiltered(bool on) {
        if (on == filtered) return;
        if (!open) {
            filtered = on;
            return;
        }
        if (on) checkFilterFields(filterTerms);
        settle();
        filtered = on;
        if (on) {
            filter.resolve(filterTerms, defs, pool);
        } else {
            filter.clear();
        }
        viewChanged();
        notify();
    }

    // ---- orders and ranges ----

    void setIndexFieldNames(std::string list) {
        if (list == fieldList) return;  // reads as "" while a named index is active
        if (!open) {                    // checked against the fields when the table opens
            fieldList = std::move(list);
            namedActive = -1;
            return;
        }
        std::vector<int> fields = parseFieldList(list);
        settle();
        uint32_t keep = current();
        listIndex = fields.empty() ? nullptr : buildIndex(std::move(fields), false);
        fieldList = std::move(list);
        namedActive = -1;
        hasRange = false;
        orderChanged(keep);
        notify();
    }

    int namedIndex(std::string_view name) const {
        for (size_t i = 0; i < indexDefs.size(); ++i) {
            if (indexDefs[i].name == name) return int(i);
        }
        return -1;
    }

    void setIndexName(std::string name) {
        if (name == (namedActive >= 0 ? indexDefs[namedActive].name : std::string())) return;
        int index = name.empty() ? -1 : namedIndex(name);
        if (!name.empty() && index < 0) throw Error("Index '" + name + "' not found");
        if (!open) {
            namedActive = index;
            fieldList.clear();
            return;
        }
        settle();
        uint32_t keep = current();
        namedActive = index;
        fieldList.clear();
        listIndex.reset();
        hasRange = false;
        orderChanged(keep);
        notify();
    }

    void addIndex(std::string name, std::string fields, bool descending) {
        if (name.empty() || namedIndex(name) >= 0) throw Error("Duplicate index name '" + name + "'");
        std::unique_ptr<TableIndex> built;
        if (open) {  // a closed table builds its indexes when it opens
            std::vector<int> parsedFields = parseFieldList(fields);
            settle();
            built = buildIndex(std::move(parsedFields), descending);
        }
        indexDefs.push_back({std::move(name), std::move(fields), descending});
        named.push_back(std::move(built));
    }

    std::vector<uint32_t> rangeRecord(const std::vector<Value>& values, const TableIndex& index, int& count) {
        std::vector<uint32_t> rec(layout.stride(), 0);
        count = int(std::min(values.size(), size_t(index.keyWidth())));
        for (int i = 0; i < count; ++i) assign(rec.data(), index.fields()[i], values[i]);
        return rec;
    }

    bool sameRange(const std::vector<uint32_t>& start, int starts, const std::vector<uint32_t>& end,
                   int ends) const {
        if (!hasRange || starts != startCount || ends != endCount) return false;
        const std::vector<int>& fields = active()->fields();
        for (int i = 0; i < starts; ++i) {
            if (!layout.sameValue(start.data(), rangeStart.data(), fields[i])) return false;
        }
        for (int i = 0; i < ends; ++i) {
            if (!layout.sameValue(end.data(), rangeEnd.data(), fields[i])) return false;
        }
        return true;
    }

    void setKeyRange(const std::vector<Value>& start, const std::vector<Value>& end) {
        requireOpen();
        if (!active()) throw Error("No index currently active");
        int starts = 0;
        int ends = 0;
        std::vector<uint32_t> startRec = rangeRecord(start, *active(), starts);
        std::vector<uint32_t> endRec = rangeRecord(end, *active(), ends);
        settle();
        prepare();
        if (sameRange(startRec, starts, endRec, ends)) return;
        hasRange = true;
        rangeStart = std::move(startRec);
        rangeEnd = std::move(endRec);
        startCount = starts;
        endCount = ends;
        viewChanged();
        notify();
    }

    void clearKeyRange() {
        requireOpen();
        settle();
        if (!hasRange) return;
        orderChanged(current());
        hasRange = false;
        notify();
    }

    // ---- life cycle ----

    // Empties the data; an open table is then an empty table of the current definitions.
    void resetData(bool opened) {
        layout = opened ? RecordLayout(defs) : RecordLayout();
        pool.clear();
        lastTexts.clear();
        rows.reset(layout.stride());
        order.clear();
        filter = RecordFilter();
        named.clear();
        named.resize(indexDefs.size());
        listIndex.reset();
        hasRange = false;
        cur = kNone;
        pendingFirst = false;
        eof = bof = false;
        buffer.clear();
        viewRows.clear();
        open = opened;
        state = opened ? TableState::Browsing : TableState::Closed;
        ++dataVersion;
        ++viewVersion;
    }

    void startEmpty() { resetData(true); }
    void dropData() { resetData(false); }

    // Applies the index and filter settings to freshly filled data; on failure the table closes.
    void activate() {
        try {
            for (size_t i = 0; i < indexDefs.size(); ++i) {
                named[i] = buildIndex(parseFieldList(indexDefs[i].fields), indexDefs[i].descending);
            }
            std::vector<int> fields = parseFieldList(fieldList);
            if (!fields.empty()) listIndex = buildIndex(std::move(fields), false);
            if (filtered) filter.resolve(filterTerms, defs, pool);
        } catch (...) {
            dropData();
            throw;
        }
        changed = false;
        viewChanged();
        notify();
    }

    void requireFieldDefs() const {
        if (defs.empty()) throw Error("No fields defined.  Cannot create dataset");
    }

    void createDataSet() {
        if (open) throw Error("Cannot perform this operation on an open dataset");
        requireFieldDefs();
        // A new table has no named indexes: they are added to a table, not defined with it,
        // so indexes added later are built afresh and order equal keys as on a first run.
        indexDefs.clear();
        namedActive = -1;
        startEmpty();
        activate();
    }

    void openTable() {
        if (open) return;
        if (fileName.empty() || !fileExists(fileName)) {
            // Nothing to load: an empty table, but still with the orders it had when it closed,
            // its named indexes among them (only creating a table drops those).
            requireFieldDefs();
            startEmpty();
            return activate();
        }
        std::vector<FieldDef> kept = defs;
        try {
            readWorkFile(
                fileName,
                [&](std::vector<FieldDef> fileDefs) {
                    defs = std::move(fileDefs);
                    startEmpty();
                },
                [&](const std::vector<PacketValue>& values) { addLoadedRow(values); });
        } catch (...) {
            defs = std::move(kept);
            dropData();
            throw;
        }
        activate();
    }

    void addLoadedRow(const std::vector<PacketValue>& values) {
        buffer.assign(layout.stride(), 0);
        for (size_t f = 0; f < values.size(); ++f) {
            const PacketValue& v = values[f];
            if (!v.present) continue;
            switch (defs[f].type) {
                case FieldType::String:
                    assignText(buffer.data(), int(f), v.text);
                    break;
                case FieldType::Integer:
                    layout.setCell(buffer.data(), int(f), uint32_t(v.integer));
                    break;
                case FieldType::Float:
                    layout.setReal(buffer.data(), int(f), v.real);
                    break;
            }
        }
        order.insertBefore(rows.append(buffer.data()), kNone);
        buffer.clear();
    }

    void close() {
        if (!open) return;
        state = TableState::Browsing;  // a pending insert or edit is dropped
        buffer.clear();
        if (!fileName.empty() && (changed || !fileExists(fileName))) write(fileName);
        dropData();
        notify();
    }

    // The table as reading its work file back would give it: rows in the default order,
    // texts pooled in the order the reader meets them (row by row, field by field).
    struct Renumbered {
        StringPool pool;
        RowStore rows;
    };

    // With `releasing` (this table's own rows), each block of rows is given back once its
    // last row is copied: the table's rows are not there twice at the peak. Nothing else
    // may read them meanwhile.
    Renumbered renumbered(RowStore* releasing) const {
        Renumbered fresh;
        fresh.rows.reset(layout.stride());
        std::vector<uint32_t> newId(pool.size(), kNone);
        std::vector<uint32_t> cells(layout.stride());
        std::vector<uint32_t> uncopied(releasing ? rows.blockCount() : 0, 0);
        if (releasing) {
            for (uint32_t r = order.first(); r != kNone; r = order.next(r)) ++uncopied[RowStore::blockOf(r)];
        }
        for (uint32_t r = order.first(); r != kNone; r = order.next(r)) {
            const uint32_t* rec = rows.row(r);
            std::copy_n(rec, cells.size(), cells.data());
            for (int f = 0; f < int(defs.size()); ++f) {
                if (defs[f].type != FieldType::String || layout.isNull(rec, f)) continue;
                uint32_t& id = newId[layout.cell(rec, f)];
                if (id == kNone) id = fresh.pool.intern(pool.text(layout.cell(rec, f)));
                layout.setCell(cells.data(), f, id);
            }
            fresh.rows.append(cells.data());
            if (releasing && --uncopied[RowStore::blockOf(r)] == 0) releasing->releaseBlockOf(r);
        }
        return fresh;
    }

    void closeAndReopen() {
        if (!open) return openTable();
        // Nothing to write: opening reads what is there.
        if (!fileName.empty() && !changed && fileExists(fileName)) {
            close();
            return openTable();
        }
        state = TableState::Browsing;  // a pending insert or edit is dropped, as closing drops it
        buffer.clear();
        // Both threads only read the table until the file is complete.
        std::future<void> written;
        if (!fileName.empty()) written = std::async(std::launch::async, [this] { write(fileName); });
        Renumbered fresh = renumbered(written.valid() ? nullptr : &rows);
        if (written.valid()) written.get();
        takeRenumbered(std::move(fresh));
    }

    void copyRecordsOf(const Impl& source) {
        requireOpen();
        source.requireOpen();
        state = TableState::Browsing;  // a pending insert or edit is dropped
        buffer.clear();
        takeRenumbered(source.renumbered(nullptr));
    }

    void takeRenumbered(Renumbered fresh) {
        startEmpty();
        pool = std::move(fresh.pool);
        rows = std::move(fresh.rows);
        for (uint32_t r = 0; r < rows.size(); ++r) order.insertBefore(r, kNone);
        activate();
    }

    // Rows go in the default order, so a table read back has the same default order.
    void write(const std::string& path) const {
        WorkFileWriter writer(path, defs);
        // Each field's attribute for each text, made on first use.
        std::vector<std::vector<std::string>> attributes(defs.size());
        for (uint32_t r = order.first(); r != kNone; r = order.next(r)) {
            const uint32_t* rec = rows.row(r);
            writer.beginRow();
            for (int f = 0; f < int(defs.size()); ++f) {
                if (layout.isNull(rec, f)) continue;
                switch (defs[f].type) {
                    case FieldType::String: {
                        const uint32_t id = layout.cell(rec, f);
                        std::vector<std::string>& made = attributes[size_t(f)];
                        if (made.empty()) made.resize(pool.size());
                        // Every made attribute holds at least ` name=""`: empty means not yet made.
                        if (made[id].empty()) made[id] = writer.textAttribute(f, pool.text(id));
                        writer.madeAttribute(made[id]);
                        break;
                    }
                    case FieldType::Integer:
                        writer.integer(f, layout.integer(rec, f));
                        break;
                    case FieldType::Float:
                        writer.real(f, layout.real(rec, f));
                        break;
                }
            }
            writer.endRow();
        }
        writer.finish();
    }

    void saveToFile(const std::string& path) {
        if (!open) return;
        const std::string& target = path.empty() ? fileName : path;
        if (target.empty()) return;
        write(target);
        if (target == fileName) changed = false;
    }

    void emptyDataSet() {
        requireOpen();
        state = TableState::Browsing;
        buffer.clear();
        rows.reset(layout.stride());
        order.clear();
        forEachIndex([](TableIndex& ix) { ix.clear(); });
        cur = kNone;
        pendingFirst = false;
        eof = bof = false;
        dataChanged();
        notify();
    }

    // ---- the grid ----

    const std::vector<uint32_t>& view() {
        if (viewRowsVersion == viewVersion) return viewRows;
        viewRows.clear();
        if (TableIndex* index = active()) {
            auto [lo, hi] = span();
            for (size_t p = lo; p < hi; ++p) {
                if (passes(index->rowAt(p))) viewRows.push_back(index->rowAt(p));
            }
        } else {
            for (uint32_t r = order.first(); r != kNone; r = order.next(r)) {
                if (passes(r)) viewRows.push_back(r);
            }
        }
        viewRowsVersion = viewVersion;
        return viewRows;
    }
};

RecordTable::RecordTable() : impl_(std::make_unique<Impl>()) {}
// Like closing: the work file is written when the table changed or the file is missing
// (this is how the player table reaches its file at the end of the program). A failure
// to write cannot be reported from here and is dropped.
RecordTable::~RecordTable() {
    try {
        impl_->close();
    } catch (const Error&) {
    }
}

void RecordTable::setFieldDefs(std::vector<FieldDef> defs) {
    if (impl_->open) throw Error("Cannot perform this operation on an open dataset");
    impl_->defs = std::move(defs);
}
const std::vector<FieldDef>& RecordTable::fieldDefs() const { return impl_->defs; }
void RecordTable::setFileName(std::string path) { impl_->fileName = std::move(path); }
const std::string& RecordTable::fileName() const { return impl_->fileName; }

void RecordTable::createDataSet() { impl_->createDataSet(); }
void RecordTable::open() { impl_->openTable(); }
void RecordTable::close() { impl_->close(); }
bool RecordTable::active() const { return impl_->open; }
void RecordTable::setLogChanges(bool) {}
void RecordTable::emptyDataSet() { impl_->emptyDataSet(); }
TableState RecordTable::state() const { return impl_->state; }

void RecordTable::insert() { impl_->beginInsert(); }
void RecordTable::edit() { impl_->beginEdit(); }
void RecordTable::post() { impl_->post(); }
void RecordTable::cancel() { impl_->cancel(); }
void RecordTable::deleteRecord() { impl_->deleteRecord(); }
void RecordTable::first() { impl_->moveToEnd(true); }
void RecordTable::next() { impl_->moveBy(true); }
void RecordTable::prior() { impl_->moveBy(false); }
void RecordTable::last() { impl_->moveToEnd(false); }
bool RecordTable::eof() const { return !impl_->open || impl_->eof || impl_->current() == kNone; }
bool RecordTable::bof() const { return !impl_->open || impl_->bof || impl_->current() == kNone; }
int RecordTable::recordCount() const { return impl_->recordCount(); }

void RecordTable::setFieldValue(std::string_view field, const Value& value) {
    int f;
    uint32_t* rec = impl_->editable(field, f);
    impl_->assign(rec, f, value);
    impl_->assigned = true;
}

void RecordTable::setText(std::string_view field, std::string_view text) {
    int f;
    uint32_t* rec = impl_->editable(field, f);
    if (impl_->defs[f].type == FieldType::String) {
        impl_->assignText(rec, f, text);
    } else {
        impl_->assign(rec, f, std::string(text));
    }
    impl_->assigned = true;
}

void RecordTable::setInteger(std::string_view field, int32_t value) { setFieldValue(field, value); }
void RecordTable::setFloat(std::string_view field, double value) { setFieldValue(field, value); }

Value RecordTable::fieldValue(std::string_view field) const {
    int f = impl_->fieldIndex(field);
    const uint32_t* rec = impl_->shownRecord();
    return rec ? impl_->valueOf(rec, f) : Value();
}

std::string_view RecordTable::textOf(std::string_view field) const {
    int f = impl_->fieldIndex(field);
    const uint32_t* rec = impl_->shownRecord();
    if (!rec || impl_->defs[f].type != FieldType::String || impl_->layout.isNull(rec, f)) return {};
    return impl_->pool.text(impl_->layout.cell(rec, f));
}

bool RecordTable::hasField(std::string_view field) const {
    for (const FieldDef& def : impl_->defs) {
        if (def.name == field) return true;
    }
    return false;
}

void RecordTable::setFilter(std::string expression) {
    std::vector<FilterTerm> terms = parseFilter(expression);
    impl_->applyFilter(std::move(expression), std::move(terms));
}
const std::string& RecordTable::filter() const { return impl_->filterText; }
void RecordTable::setFilterTerms(std::vector<FilterTerm> terms) {
    std::string text = filterText(terms);
    impl_->applyFilter(std::move(text), std::move(terms));
}
void RecordTable::setFiltered(bool on) { impl_->setFiltered(on); }
bool RecordTable::filtered() const { return impl_->filtered; }

void RecordTable::setIndexFieldNames(std::string fields) { impl_->setIndexFieldNames(std::move(fields)); }
const std::string& RecordTable::indexFieldNames() const { return impl_->fieldList; }
void RecordTable::setIndexName(std::string name) { impl_->setIndexName(std::move(name)); }
std::string RecordTable::indexName() const {
    return impl_->namedActive >= 0 ? impl_->indexDefs[impl_->namedActive].name : std::string();
}
const std::vector<IndexDef>& RecordTable::indexDefs() const { return impl_->indexDefs; }
void RecordTable::addIndex(std::string name, std::string fields, bool descending) {
    impl_->addIndex(std::move(name), std::move(fields), descending);
}

void RecordTable::setKeyRange(const std::vector<Value>& start, const std::vector<Value>& end) {
    impl_->setKeyRange(start, end);
}
void RecordTable::clearKeyRange() { impl_->clearKeyRange(); }

void RecordTable::saveToFile(const std::string& path) { impl_->saveToFile(path); }

int RecordTable::viewSize() const { return impl_->open ? impl_->recordCount() : 0; }

Value RecordTable::viewValue(int row, int field) const {
    if (!impl_->open || field < 0 || field >= int(impl_->defs.size())) return {};
    const std::vector<uint32_t>& view = impl_->view();
    if (row < 0 || row >= int(view.size())) return {};
    return impl_->valueOf(impl_->rows.row(view[row]), field);
}

uint32_t RecordTable::viewTextId(int row, int field) const {
    const uint32_t* rec = impl_->rows.row(impl_->view()[row]);
    return impl_->layout.isNull(rec, field) ? kNullTextId : impl_->layout.cell(rec, field);
}

std::string_view RecordTable::textOfId(uint32_t id) const { return impl_->pool.text(id); }

uint32_t RecordTable::textIdCount() const { return impl_->pool.size(); }

uint32_t RecordTable::viewRecordNumber(int row) const { return impl_->view()[row]; }

uint32_t RecordTable::postedCount() const { return impl_->open ? impl_->rows.size() : 0; }

bool RecordTable::isLive(uint32_t record) const { return impl_->rows.alive(record); }

int RecordTable::fieldNumber(std::string_view field) const { return impl_->fieldIndex(field); }

uint32_t RecordTable::recordTextId(uint32_t record, int field) const {
    const uint32_t* rec = impl_->rows.row(record);
    return impl_->layout.isNull(rec, field) ? kNullTextId : impl_->layout.cell(rec, field);
}

std::optional<int32_t> RecordTable::recordInteger(uint32_t record, int field) const {
    const uint32_t* rec = impl_->rows.row(record);
    if (impl_->layout.isNull(rec, field)) return std::nullopt;
    return impl_->layout.integer(rec, field);
}

uint32_t RecordTable::findTextId(std::string_view text) const {
    const uint32_t id = impl_->pool.find(text);
    return id == StringPool::kNotFound ? kNullTextId : id;
}

void RecordTable::deleteRecords(const std::vector<uint32_t>& records) { impl_->deleteRecords(records); }

void RecordTable::closeAndReopen() { impl_->closeAndReopen(); }
void RecordTable::copyRecordsOf(const RecordTable& source) { impl_->copyRecordsOf(*source.impl_); }

int RecordTable::currentRow() const {
    if (!impl_->open || impl_->current() == kNone) return -1;
    const std::vector<uint32_t>& view = impl_->view();
    auto at = std::find(view.begin(), view.end(), impl_->cur);
    return at == view.end() ? -1 : int(at - view.begin());
}

void RecordTable::moveToRow(int row) {
    impl_->requireOpen();
    impl_->settle();
    const std::vector<uint32_t>& view = impl_->view();
    if (row < 0 || row >= int(view.size())) return;
    impl_->cur = view[row];
    impl_->pendingFirst = false;
    impl_->eof = impl_->bof = false;
    impl_->notify();
}

void RecordTable::setChangeListener(std::function<void()> listener) { impl_->listener = std::move(listener); }

}  // namespace gravmark
