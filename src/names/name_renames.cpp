#include "names/name_renames.h"

#include "table/event_table.h"

namespace gravmark {

namespace {

const std::string* renamed(const NameRenames& renames, std::string_view name) {
    const auto found = renames.find(name);
    return found == renames.end() ? nullptr : &found->second;
}

}  // namespace

int renameNames(RecordTable& db, const NameRenames& renames) {
    if (renames.empty()) return 0;
    db.clearKeyRange();
    db.setFiltered(false);
    // In the default order an edited record keeps its place, so one walk visits each once.
    db.setIndexName("");
    db.setIndexFieldNames("");
    int changed = 0;
    for (db.first(); !db.eof(); db.next()) {
        const std::string* attacker = renamed(renames, db.textOf(EventField::kAttackerName));
        const std::string* victim = renamed(renames, db.textOf(EventField::kVictimName));
        // A join event has no victim: its null v_name reads as the empty name.
        if (victim && isNull(db.fieldValue(EventField::kVictimName))) victim = nullptr;
        if (!attacker && !victim) continue;
        db.edit();
        if (attacker) db.setText(EventField::kAttackerName, *attacker);
        if (victim) db.setText(EventField::kVictimName, *victim);
        db.post();
        ++changed;
    }
    return changed;
}

}  // namespace gravmark
