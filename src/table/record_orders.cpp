// Orders and key ranges: the field-list index, the named indexes, which of them is
// active, and the range of keys the view is kept to. Switching keeps the current record
// where it can; the indexes themselves are built and searched by TableIndex.
#include "table/record_table_impl.h"

namespace gravmark {

std::vector<int> RecordTable::Impl::parseFieldList(std::string_view list) const {
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

std::unique_ptr<TableIndex> RecordTable::Impl::buildIndex(std::vector<int> fields, bool descending) {
    auto index = std::make_unique<TableIndex>(std::move(fields), descending, layout, pool, rows);
    index->build();
    return index;
}

void RecordTable::Impl::setIndexFieldNames(std::string list) {
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

int RecordTable::Impl::namedIndex(std::string_view name) const {
    for (size_t i = 0; i < indexDefs.size(); ++i) {
        if (indexDefs[i].name == name) return int(i);
    }
    return -1;
}

void RecordTable::Impl::setIndexName(std::string name) {
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

void RecordTable::Impl::addIndex(std::string name, std::string fields, bool descending) {
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

std::vector<uint32_t> RecordTable::Impl::rangeRecord(const std::vector<Value>& values,
                                                     const TableIndex& index, int& count) {
    std::vector<uint32_t> rec(layout.stride(), 0);
    count = int(std::min(values.size(), size_t(index.keyWidth())));
    for (int i = 0; i < count; ++i) assign(rec.data(), index.fields()[i], values[i]);
    return rec;
}

bool RecordTable::Impl::sameRange(const std::vector<uint32_t>& start, int starts,
                                  const std::vector<uint32_t>& end, int ends) const {
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

void RecordTable::Impl::setKeyRange(const std::vector<Value>& start, const std::vector<Value>& end) {
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

void RecordTable::Impl::clearKeyRange() {
    requireOpen();
    settle();
    if (!hasRange) return;
    orderChanged(current());
    hasRange = false;
    notify();
}

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

}  // namespace gravmark
