// The work file: opening loads it, closing writes it when the table changed, and the
// round trip (closeAndReopen) gives what closing and opening would without reading the
// file back, writing it on a second thread meanwhile; another table's records can be
// copied as that round trip renumbers them. The file format itself belongs to
// WorkFileReader and WorkFileWriter.
#include <filesystem>
#include <future>

#include "platform/native_path.h"
#include "table/record_table_impl.h"
#include "table/work_file_writer.h"

namespace gravmark {

namespace {

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(platform::nativePath(path), ec);
}

}  // namespace

void RecordTable::Impl::openTable() {
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

void RecordTable::Impl::addLoadedRow(const std::vector<PacketValue>& values) {
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

void RecordTable::Impl::close() {
    if (!open) return;
    state = TableState::Browsing;  // a pending insert or edit is dropped
    buffer.clear();
    if (!fileName.empty() && (changed || !fileExists(fileName))) write(fileName);
    dropData();
    notify();
}

RecordTable::Impl::Renumbered RecordTable::Impl::renumbered(RowStore* releasing) const {
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

void RecordTable::Impl::closeAndReopen() {
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

void RecordTable::Impl::takeRenumbered(Renumbered fresh) {
    startEmpty();
    pool = std::move(fresh.pool);
    rows = std::move(fresh.rows);
    for (uint32_t r = 0; r < rows.size(); ++r) order.insertBefore(r, kNone);
    activate();
}

RecordTable::Impl::RowsToFile::RowsToFile(const Impl& table, const std::string& path)
    : table_(table), writer_(path, table.defs), attributes_(table.defs.size()) {}

void RecordTable::Impl::RowsToFile::add(const uint32_t* rec, const StringPool& pool) {
    const RecordLayout& layout = table_.layout;
    writer_.beginRow();
    for (int f = 0; f < int(table_.defs.size()); ++f) {
        if (layout.isNull(rec, f)) continue;
        switch (table_.defs[size_t(f)].type) {
            case FieldType::String: {
                const uint32_t id = layout.cell(rec, f);
                std::vector<std::string>& made = attributes_[size_t(f)];
                if (id >= made.size()) made.resize(pool.size());
                // Every made attribute holds at least ` name=""`: empty means not yet made.
                if (made[id].empty()) made[id] = writer_.textAttribute(f, pool.text(id));
                writer_.madeAttribute(made[id]);
                break;
            }
            case FieldType::Integer:
                writer_.integer(f, layout.integer(rec, f));
                break;
            case FieldType::Float:
                writer_.real(f, layout.real(rec, f));
                break;
        }
    }
    writer_.endRow();
}

void RecordTable::Impl::RowsToFile::finish() { writer_.finish(); }

void RecordTable::Impl::write(const std::string& path) const {
    RowsToFile file(*this, path);
    for (uint32_t r = order.first(); r != kNone; r = order.next(r)) file.add(rows.row(r), pool);
    file.finish();
}

void RecordTable::Impl::saveToFile(const std::string& path) {
    if (!open) return;
    const std::string& target = path.empty() ? fileName : path;
    if (target.empty()) return;
    write(target);
    if (target == fileName) changed = false;
}

void RecordTable::open() { impl_->openTable(); }
void RecordTable::close() { impl_->close(); }
void RecordTable::saveToFile(const std::string& path) { impl_->saveToFile(path); }
void RecordTable::closeAndReopen() { impl_->closeAndReopen(); }

}  // namespace gravmark
