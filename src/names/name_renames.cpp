#include "names/name_renames.h"

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
        const std::string* attacker = renamed(renames, db.textOf("a_name"));
        const std::string* victim = renamed(renames, db.textOf("v_name"));
        // A join event has no victim: its null v_name reads as the empty name.
        if (victim && isNull(db.fieldValue("v_name"))) victim = nullptr;
        if (!attacker && !victim) continue;
        db.edit();
        if (attacker) db.setText("a_name", *attacker);
        if (victim) db.setText("v_name", *victim);
        db.post();
        ++changed;
    }
    return changed;
}

}  // namespace gravmark
