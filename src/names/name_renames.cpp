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

int renameNames(GameEvents& events, const NameRenames& renames) {
    if (renames.empty()) return 0;
    // Each text is looked up once: the new name's id, or kNoText when the text stays.
    std::vector<uint32_t> renamedId(events.textCount(), GameEvents::kNoText);
    std::vector<uint8_t> looked(events.textCount(), 0);
    const auto newId = [&](uint32_t id) {
        if (!looked[id]) {
            looked[id] = 1;
            if (const std::string* name = renamed(renames, events.text(id)))
                renamedId[id] = events.intern(*name, EventWidth::kName);
        }
        return renamedId[id];
    };
    // A join's missing player reads as the empty name, as the table's null does.
    const std::string* unnamed = renamed(renames, "");
    const uint32_t unnamedId = unnamed ? events.intern(*unnamed, EventWidth::kName) : GameEvents::kNoText;
    int changed = 0;
    for (GameEvent& event : events.list) {
        const uint32_t attacker =
            event.attackerName == GameEvents::kNoText ? unnamedId : newId(event.attackerName);
        // A join event has no victim: its missing name is not renamed.
        const uint32_t victim =
            event.victimName == GameEvents::kNoText ? GameEvents::kNoText : newId(event.victimName);
        if (attacker == GameEvents::kNoText && victim == GameEvents::kNoText) continue;
        if (attacker != GameEvents::kNoText) event.attackerName = attacker;
        if (victim != GameEvents::kNoText) event.victimName = victim;
        ++changed;
    }
    return changed;
}

}  // namespace gravmark
