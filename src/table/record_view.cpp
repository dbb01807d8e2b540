// The view: which records pass the filter and lie in the key range, in which order, and
// how the current record moves through them (first, next, the grid's rows). Counting and
// the grid read the view here without moving the current record.
#include <algorithm>

#include "table/filter_expression.h"
#include "table/record_table_impl.h"

namespace gravmark {

std::pair<size_t, size_t> RecordTable::Impl::span() const {
    TableIndex* index = active();
    if (!hasRange) return {0, index->size()};
    Key start;
    Key end;
    index->keyOf(rangeStart.data(), start.data(), startCount);
    index->keyOf(rangeEnd.data(), end.data(), endCount);
    size_t lo = index->lowerBound(start.data(), startCount);
    return {lo, index->upperBound(end.data(), endCount, lo)};
}

int RecordTable::Impl::compareToRange(const uint32_t* rec, bool toEnd) const {
    TableIndex* index = active();
    Key key;
    Key bound;
    int m = toEnd ? endCount : startCount;
    index->keyOf(rec, key.data(), m);
    index->keyOf(toEnd ? rangeEnd.data() : rangeStart.data(), bound.data(), m);
    return TableIndex::compare(key.data(), bound.data(), m);
}

uint32_t RecordTable::Impl::firstInView() {
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

uint32_t RecordTable::Impl::lastInView() {
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

uint32_t RecordTable::Impl::stepInView(uint32_t row, bool forward) {
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

size_t RecordTable::Impl::placeOf(uint32_t row) {
    if (TableIndex* index = active()) curPos = index->positionOf(row, curPos);
    return curPos;
}

void RecordTable::Impl::moveToEnd(bool toFirst) {
    requireOpen();
    settle();
    pendingFirst = false;
    cur = toFirst ? firstInView() : lastInView();
    bof = toFirst;
    eof = !toFirst;
    notify();
}

void RecordTable::Impl::moveBy(bool forward) {
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

int RecordTable::Impl::recordCount() {
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

void RecordTable::Impl::applyFilter(std::string text, std::vector<FilterTerm> terms) {
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

void RecordTable::Impl::setFiltered(bool on) {
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

const std::vector<uint32_t>& RecordTable::Impl::view() {
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

void RecordTable::first() { impl_->moveToEnd(true); }
void RecordTable::next() { impl_->moveBy(true); }
void RecordTable::prior() { impl_->moveBy(false); }
void RecordTable::last() { impl_->moveToEnd(false); }
bool RecordTable::eof() const { return !impl_->open || impl_->eof || impl_->current() == Impl::kNone; }
bool RecordTable::bof() const { return !impl_->open || impl_->bof || impl_->current() == Impl::kNone; }
int RecordTable::recordCount() const { return impl_->recordCount(); }

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

uint32_t RecordTable::viewRecordNumber(int row) const { return impl_->view()[row]; }

int RecordTable::currentRow() const {
    if (!impl_->open || impl_->current() == Impl::kNone) return -1;
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

}  // namespace gravmark
