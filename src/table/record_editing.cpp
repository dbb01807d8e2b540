// Values and the record cycle: how a field value is converted and stored, how a record is
// inserted, edited, posted or deleted, and how the current record and the indexes follow.
// Filling the event table runs through here once per field of every log line, so the
// public field calls live beside the steps they take.
#include <cmath>
#include <optional>

#include "table/number_text.h"
#include "table/record_table_impl.h"

namespace gravmark {

namespace {

template <class T>
T parsed(const std::string& text, const char* kind) {
    const std::optional<T> value = parseNumber<T>(text);
    if (!value) throw Error("'" + text + "' is not a valid " + kind + " value");
    return *value;
}

}  // namespace

void RecordTable::Impl::assign(uint32_t* rec, int f, const Value& value) {
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

Value RecordTable::Impl::valueOf(const uint32_t* rec, int f) const {
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

const uint32_t* RecordTable::Impl::shownRecord() {
    if (pending()) return buffer.data();
    if (!open) return nullptr;
    uint32_t row = current();
    return row == kNone ? nullptr : rows.row(row);
}

uint32_t* RecordTable::Impl::editable(std::string_view field, int& f) {
    f = fieldIndex(field);
    if (!pending()) throw Error("Dataset not in edit or insert mode");
    return buffer.data();
}

void RecordTable::Impl::beginInsert() {
    requireOpen();
    settle();
    insertBefore = current();
    buffer.assign(layout.stride(), 0);
    assigned = false;
    state = TableState::Inserting;
    notify();
}

void RecordTable::Impl::beginEdit() {
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

void RecordTable::Impl::cancel() {
    if (!pending()) return;
    state = TableState::Browsing;
    buffer.clear();
    notify();
}

void RecordTable::Impl::post() {
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

void RecordTable::Impl::postInsert() {
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

void RecordTable::Impl::postEdit() {
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

void RecordTable::Impl::deleteRecord() {
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

void RecordTable::Impl::deleteRecords(const std::vector<uint32_t>& records) {
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

void RecordTable::insert() { impl_->beginInsert(); }
void RecordTable::edit() { impl_->beginEdit(); }
void RecordTable::post() { impl_->post(); }
void RecordTable::cancel() { impl_->cancel(); }
void RecordTable::deleteRecord() { impl_->deleteRecord(); }
void RecordTable::deleteRecords(const std::vector<uint32_t>& records) { impl_->deleteRecords(records); }

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

}  // namespace gravmark
