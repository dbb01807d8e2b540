// Filling a whole table at once from values pooled elsewhere (the events PARSE made): each
// distinct text is pooled once per field instead of once per record, and the records are
// made in the order reopening leaves them, so no renumbering follows.
#include <algorithm>
#include <exception>
#include <future>

#include "table/record_table_impl.h"

namespace gravmark {

namespace {

void requireField(const std::vector<FieldDef>& defs, int field, FieldType type) {
    if (field < 0 || size_t(field) >= defs.size() || defs[size_t(field)].type != type)
        throw Error("Field number " + std::to_string(field) + " does not take this value");
}

}  // namespace

RecordTable::RecordFill::RecordFill(const Impl& table, StringPool& pool, uint32_t sourceTextCount)
    : table_(table),
      pool_(pool),
      sourceTextCount_(sourceTextCount),
      tableIdOfSource_(table.defs.size()),
      cells_(size_t(table.layout.stride()), 0) {}

void RecordTable::RecordFill::setInteger(int field, int32_t value) {
    requireField(table_.defs, field, FieldType::Integer);
    table_.layout.setCell(cells_.data(), field, uint32_t(value));
}

void RecordTable::RecordFill::setPooledText(int field, uint32_t sourceId, std::string_view text) {
    requireField(table_.defs, field, FieldType::String);
    if (sourceId >= sourceTextCount_) throw Error("Text id " + std::to_string(sourceId) + " out of range");
    std::vector<uint32_t>& tableIds = tableIdOfSource_[size_t(field)];
    if (tableIds.empty()) tableIds.assign(sourceTextCount_, Impl::kNone);
    uint32_t& id = tableIds[sourceId];
    if (id == Impl::kNone) id = pool_.intern(Impl::storedText(text, table_.defs[size_t(field)].size));
    table_.layout.setCell(cells_.data(), field, id);
}

void RecordTable::RecordFill::makeEach(uint32_t count, const std::function<void(uint32_t, RecordFill&)>& fill,
                                       const std::function<void(const uint32_t*)>& take) {
    for (uint32_t record = 0; record < count; ++record) {
        std::fill(cells_.begin(), cells_.end(), 0);
        fill(record, *this);
        take(cells_.data());
    }
}

void RecordTable::Impl::fillRecords(uint32_t count, uint32_t sourceTextCount,
                                    const std::function<void(uint32_t, RecordFill&)>& fill) {
    requireOpen();
    // The old records go first, so that they and the new ones are not held at once.
    startEmpty();
    // The work file is written meanwhile from records made again on the second thread,
    // with a pool of their own, so neither thread reads what the other writes.
    std::future<void> written;
    if (!fileName.empty()) {
        written = std::async(std::launch::async, [this, count, sourceTextCount, &fill] {
            StringPool texts;
            RecordFill fields(*this, texts, sourceTextCount);
            RowsToFile file(*this, fileName);
            fields.makeEach(count, fill, [&](const uint32_t* rec) { file.add(rec, texts); });
            file.finish();
        });
    }
    Renumbered fresh;
    try {
        fresh.rows.reset(layout.stride());
        RecordFill fields(*this, fresh.pool, sourceTextCount);
        fields.makeEach(count, fill, [&fresh](const uint32_t* rec) { fresh.rows.append(rec); });
    } catch (...) {
        if (written.valid()) written.wait();
        activate();  // an empty table, its orders and filter applied
        throw;
    }
    std::exception_ptr writeFailure;
    try {
        if (written.valid()) written.get();
    } catch (...) {
        writeFailure = std::current_exception();
    }
    takeRenumbered(std::move(fresh));
    if (writeFailure) {
        changed = true;  // closing tries the file again
        std::rethrow_exception(writeFailure);
    }
}

void RecordTable::fillRecords(uint32_t count, uint32_t sourceTextCount,
                              const std::function<void(uint32_t, RecordFill&)>& fill) {
    impl_->fillRecords(count, sourceTextCount, fill);
}

}  // namespace gravmark
