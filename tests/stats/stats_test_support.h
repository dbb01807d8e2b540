#pragma once
// Event tables built by hand, for the statistics tests, and counted as the window counts
// the table it shows.
#include <string>
#include <vector>

#include "pipeline/shown_events.h"
#include "report/run_statistics.h"
#include "table/event_table.h"
#include "table/record_table.h"

namespace gravmark::test {

inline void makeTable(RecordTable& table, std::vector<FieldDef> fields) {
    table.setFieldDefs(std::move(fields));
    table.createDataSet();
}

inline void makeEventTable(RecordTable& db) { makeTable(db, eventTableFields()); }

inline void addJoin(RecordTable& db, int32_t game, const std::string& name) {
    db.insert();
    db.setText("command", "J");
    db.setText("a_name", name);
    db.setText("maptype", "dm");
    db.setText("map", "mp_harbor");
    db.setInteger("game", game);
    db.post();
}

struct Kill {
    int32_t game = 1;
    std::string attacker;
    std::string victim;
    std::string weapon = "kar98_mp";
    std::string type = "MOD_RIFLE_BULLET";
    std::string location = "torso_upper";
};

inline void addKill(RecordTable& db, const Kill& kill) {
    db.insert();
    db.setText("command", "K");
    db.setText("v_team", "axis");
    db.setText("v_name", kill.victim);
    db.setText("a_team", "allies");
    db.setText("a_name", kill.attacker);
    db.setText("a_weapon", kill.weapon);
    db.setText("damage", "100");
    db.setText("damage_type", kill.type);
    db.setText("damage_location", kill.location);
    db.setText("maptype", "dm");
    db.setText("map", "mp_harbor");
    db.setInteger("game", kill.game);
    db.post();
}

// The events of a table, as the window takes them back from its grid.
inline GameEvents eventsOf(RecordTable& db) {
    std::vector<uint32_t> recordOfEvent;
    return eventsOfTable(db, recordOfEvent);
}

// What the window's HTML does with the table it shows: its events counted, the table left
// pruned and in the views counting leaves. Returns the events as counting left them.
inline GameEvents countShown(Statistics& stats, RecordTable& db, RecordTable& tempdb, int32_t gameCount,
                             Progress& progress, PlayerStandings* standings = nullptr) {
    std::vector<uint32_t> recordOfEvent;
    GameEvents events = eventsOfTable(db, recordOfEvent);
    const PlayerStandings counted = runStatistics(stats, events, tempdb, gameCount, progress);
    if (standings) *standings = counted;
    showCountedEvents(db, stats, recordOfEvent);
    return events;
}

// How many records hold exactly `value` in `field`; the table is left unfiltered.
inline int countOf(RecordTable& table, const std::string& field, const std::string& value) {
    table.setFiltered(false);
    table.setFilterTerms({{field, value}});
    table.setFiltered(true);
    const int n = table.recordCount();
    table.setFiltered(false);
    return n;
}

// The a_name of every record of the view, in view order.
inline std::vector<std::string> attackers(RecordTable& db) {
    std::vector<std::string> names;
    db.first();
    for (int i = 0; i < db.recordCount(); ++i, db.next()) names.emplace_back(db.textOf("a_name"));
    return names;
}

}  // namespace gravmark::test
