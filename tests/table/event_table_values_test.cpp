// The events as plain values and the event table the window shows: filling the table and
// taking the events back keep every value, null apart from empty, in log order, with what
// the user typed into the grid.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"
#include "table/event_table.h"

namespace gravmark {
namespace {

std::vector<std::string> texts(const GameEvents& events, uint32_t GameEvent::*field) {
    std::vector<std::string> out;
    for (const GameEvent& event : events.list)
        out.push_back(event.*field == GameEvents::kNoText ? "(null)"
                                                          : std::string(events.text(event.*field)));
    return out;
}

TEST(EventTableValues, ShownEventsComeBackWithTheGridsEditsInLogOrder) {
    GameEvents events;
    GameEvent join;
    join.kind = EventKind::Join;
    join.command = events.intern("J", EventWidth::kCommand);
    join.attackerName = events.intern(std::string(45, 'n'), EventWidth::kName);  // kept cut to 40
    join.game = 1;
    GameEvent kill = join;
    kill.kind = EventKind::Kill;
    kill.command = events.intern("K", EventWidth::kCommand);
    kill.attackerName = events.intern(std::string("Al\0ice", 6), EventWidth::kName);  // a NUL ends it
    kill.victimName = events.intern("", EventWidth::kName);                           // empty, not null
    kill.game = 2;
    events.list = {join, kill};
    EXPECT_EQ(events.text(join.attackerName).size(), 40u);

    test::TempFolder folder;
    RecordTable table;
    table.setFieldDefs(eventTableFields());
    table.setFileName(folder.file("lijst.xml"));
    table.createDataSet();
    showEventsInTable(events, table);
    EXPECT_TRUE(std::filesystem::exists(folder.file("lijst.xml")));
    table.first();
    EXPECT_EQ(table.textOf(EventField::kAttackerName), "Al");  // record 0 is the log's last event

    // The user types a command of their own and empties the game of the first record shown.
    table.edit();
    table.setText(EventField::kCommand, "X");
    table.setFieldValue(EventField::kGame, Value{});
    std::vector<uint32_t> recordOfEvent;
    const GameEvents shown = eventsOfTable(table, recordOfEvent);
    EXPECT_EQ(recordOfEvent, (std::vector<uint32_t>{1, 0}));
    EXPECT_EQ(texts(shown, &GameEvent::command), (std::vector<std::string>{"J", "X"}));
    EXPECT_EQ(texts(shown, &GameEvent::attackerName), (std::vector<std::string>{std::string(40, 'n'), "Al"}));
    EXPECT_EQ(texts(shown, &GameEvent::victimName), (std::vector<std::string>{"(null)", ""}));
    EXPECT_EQ(shown.list[0].kind, EventKind::Join);
    EXPECT_EQ(shown.list[1].kind, EventKind::Other);
    EXPECT_EQ(shown.list[0].game, 1);
    EXPECT_FALSE(shown.list[1].game.has_value());

    // A copy moved on by some games keeps the texts under ids of its own.
    GameEvents copy;
    copy.intern("unrelated", EventWidth::kMap);
    copy.append(shown, 10);
    EXPECT_EQ(texts(copy, &GameEvent::attackerName), texts(shown, &GameEvent::attackerName));
    EXPECT_EQ(copy.list[0].game, 11);
}

}  // namespace
}  // namespace gravmark
