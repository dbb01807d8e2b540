// The events as plain values and the event table the window shows: filling the table and
// taking the events back keep every value, null apart from empty, in log order, with what
// the user typed into the grid.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "support/table_contents.h"
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

// Filling the table at once (fillRecords) gives what posting the events one by one as PARSE
// once did and reopening gave: the same records, texts, view through an index, and work file.
TEST(EventTableValues, ShownEventsAreWhatPostingAndReopeningGave) {
    std::mt19937 random(3);
    GameEvents events;
    const std::string bytes = std::string("J\0K<&\"'>\r\n", 10) + std::string(60, 'x');
    for (int k = 0; k < 20000; ++k) {  // more records than a block of rows holds
        GameEvent event;
        event.command = events.intern(k % 5 ? "K" : "J", EventWidth::kCommand);
        event.attackerName = events.intern(bytes.substr(random() % 12, random() % 60), EventWidth::kName);
        if (k % 3) event.victimName = events.intern(bytes.substr(random() % 12, random() % 4), EventWidth::kName);
        if (k % 7) event.game = int32_t(random() % 50);
        events.list.push_back(event);
    }
    test::TempFolder folder;
    const auto tableOf = [&folder](const std::string& file) {
        auto table = std::make_unique<RecordTable>();
        table->setFieldDefs(eventTableFields());
        table->setFileName(folder.file(file));
        table->createDataSet();
        table->setIndexFieldNames("a_name;game");
        return table;
    };
    std::vector<std::string> textFields;  // in the order of kEventTextFields
    for (const FieldDef& def : eventTableFields())
        if (def.type == FieldType::String) textFields.push_back(def.name);
    const auto posted = tableOf("posted.xml");
    for (const GameEvent& event : events.list) {
        posted->insert();  // each before the one posted last
        for (size_t f = 0; f < textFields.size(); ++f) {
            const uint32_t id = event.*kEventTextFields[f].member;
            if (id != GameEvents::kNoText) posted->setText(textFields[f], events.text(id));
        }
        if (event.game) posted->setInteger(EventField::kGame, *event.game);
        posted->post();
    }
    posted->closeAndReopen();
    const auto filled = tableOf("filled.xml");
    showEventsInTable(events, *filled);

    EXPECT_EQ(test::readFile(folder.file("filled.xml")), test::readFile(folder.file("posted.xml")));
    EXPECT_EQ(test::recordsById(*filled), test::recordsById(*posted));
    EXPECT_EQ(filled->textIdCount(), posted->textIdCount());
    EXPECT_EQ(test::viewOrder(*filled), test::viewOrder(*posted));
}

}  // namespace
}  // namespace gravmark
