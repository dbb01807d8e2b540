// The table's life cycle and its whole-table reads: field definitions, creating and
// emptying, applying the orders and the filter to fresh data, and the reads by record
// number and text id that the summaries take without moving the current record. The
// record cycle, the view, the orders and the work file each have a file of their own
// (record_editing, record_view, record_orders, record_work_file).
#include "table/record_table.h"

#include "table/record_table_impl.h"

namespace gravmark {

std::string quotedStr(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
}

void RecordTable::Impl::resetData(bool opened) {
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

void RecordTable::Impl::activate() {
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

void RecordTable::Impl::createDataSet() {
    if (open) throw Error("Cannot perform this operation on an open dataset");
    requireFieldDefs();
    // A new table has no named indexes: they are added to a table, not defined with it,
    // so indexes added later are built afresh and order equal keys as on a first run.
    indexDefs.clear();
    namedActive = -1;
    startEmpty();
    activate();
}

void RecordTable::Impl::emptyDataSet() {
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
bool RecordTable::active() const { return impl_->open; }
void RecordTable::setLogChanges(bool) {}
void RecordTable::emptyDataSet() { impl_->emptyDataSet(); }
TableState RecordTable::state() const { return impl_->state; }

std::string_view RecordTable::textOfId(uint32_t id) const { return impl_->pool.text(id); }

uint32_t RecordTable::textIdCount() const { return impl_->pool.size(); }

uint64_t RecordTable::changeCount() const { return impl_->dataVersion; }

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

void RecordTable::setChangeListener(std::function<void()> listener) { impl_->listener = std::move(listener); }

}  // namespace gravmark
