#include <gtest/gtest.h>

#include "names/name_renames.h"
#include "table/event_table.h"

namespace gravmark {
namespace {

void addEvent(RecordTable& db, const char* command, const char* attacker, const char* victim) {
    db.insert();
    db.setText("command", command);
    db.setText("a_name", attacker);
    if (victim) db.setText("v_name", victim);
    db.post();
}

// Every event is visited once whatever order the table is in, attackers and victims alike;
// a join's missing victim is not the empty name.
TEST(RenameNames, RenamesAttackersAndVictimsInOnePassFromAnyOrder) {
    RecordTable db;
    db.setFieldDefs(eventTableFields());
    db.createDataSet();
    db.addIndex("byAttacker", "a_name", true);
    for (int i = 0; i < 20; ++i) {
        addEvent(db, "K", "Alpha", "Bravo");
        addEvent(db, "K", "", "Alpha");
        addEvent(db, "J", "Bravo", nullptr);
    }
    db.setIndexName("byAttacker");
    db.setFilterTerms({{"a_name", "Alpha"}});
    db.setFiltered(true);

    EXPECT_EQ(renameNames(db, {{"Alpha", "Zulu"}, {"Bravo", "Alpha"}, {"", "Nobody"}}), 60);
    EXPECT_FALSE(db.filtered());
    EXPECT_EQ(db.indexName(), "");
    int zuluKills = 0, alphaDeaths = 0, nobodyKills = 0, zuluDeaths = 0, joinsWithVictim = 0;
    for (db.first(); !db.eof(); db.next()) {
        zuluKills += db.textOf("a_name") == "Zulu";
        nobodyKills += db.textOf("a_name") == "Nobody";
        alphaDeaths += db.textOf("v_name") == "Alpha";
        zuluDeaths += db.textOf("v_name") == "Zulu";
        joinsWithVictim += db.textOf("command") == "J" && !isNull(db.fieldValue("v_name"));
    }
    EXPECT_EQ(zuluKills, 20);
    EXPECT_EQ(nobodyKills, 20);
    EXPECT_EQ(alphaDeaths, 20);
    EXPECT_EQ(zuluDeaths, 20);
    EXPECT_EQ(joinsWithVictim, 0);
    EXPECT_EQ(renameNames(db, {}), 0);
}

// The events as plain values are renamed as the table is, a long new name cut alike.
TEST(RenameNames, EventsAreRenamedAsTheTableIs) {
    RecordTable db;
    db.setFieldDefs(eventTableFields());
    db.createDataSet();
    addEvent(db, "K", "Alpha", "Bravo");
    addEvent(db, "K", "", "Alpha");
    addEvent(db, "J", "Bravo", nullptr);
    addEvent(db, "K", "Charlie", "");
    std::vector<uint32_t> recordOfEvent;
    GameEvents events = eventsOfTable(db, recordOfEvent);
    const NameRenames renames{{"Alpha", std::string(50, 'z')}, {"Bravo", "Alpha"}, {"", "Nobody"}};

    EXPECT_EQ(renameNames(events, renames), renameNames(db, renames));
    const GameEvents renamedTable = eventsOfTable(db, recordOfEvent);
    ASSERT_EQ(events.list.size(), renamedTable.list.size());
    for (size_t i = 0; i < events.list.size(); ++i) {
        for (uint32_t GameEvent::*name : {&GameEvent::attackerName, &GameEvent::victimName}) {
            const uint32_t id = events.list[i].*name, shown = renamedTable.list[i].*name;
            EXPECT_EQ(id == GameEvents::kNoText, shown == GameEvents::kNoText) << i;
            EXPECT_EQ(events.text(id), renamedTable.text(shown)) << i;
        }
    }
}

}  // namespace
}  // namespace gravmark
