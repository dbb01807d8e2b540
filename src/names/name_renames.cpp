#include "names/name_renames.h"

#include "table/event_table.h"

namespace gravmark {

namespace {

const std::string* renamed(const NameRenames& renames, std::string_view name) {
    const auto found = renames.find(name);
    return found == renames.end() ? nullptr : &found->second;
}

}  // namespace

int renameNames(RecordTable& events, const NameRenames& renames) {
    if (renames.empty()) return 0;
    events.clearKeyRange();
    events.setFiltered(false);
    // In the default order an edited record keeps its place, so one walk visits each once.
    events.setIndexName("");
    events.setIndexFieldNames("");
    int changed = 0;
    for (events.first(); !events.eof(); events.next()) {
        const std::string* attacker = renamed(renames, events.textOf(EventField::kAttackerName));
        const std::string* victim = renamed(renames, events.textOf(EventField::kVictimName));
        // A join event has no victim: its null v_name reads as the empty name.
        if (victim && isNull(events.fieldValue(EventField::kVictimName))) victim = nullptr;
        if (!attacker && !victim) continue;
        events.edit();
        if (attacker) events.setText(EventField::kAttackerName, *attacker);
        if (victim) events.setText(EventField::kVictimName, *victim);
        events.post();
        ++changed;
    }
    return changed;
}

}  // namespace gravmark
