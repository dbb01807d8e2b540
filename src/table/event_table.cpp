#include "table/event_table.h"

#include <array>
#include <iterator>

namespace gravmark {

namespace {

// The names of the text fields, in the order of kEventTextFields.
constexpr const char* kTextFieldNames[] = {
    EventField::kCommand,      EventField::kVictimTeam, EventField::kVictimName, EventField::kAttackerTeam,
    EventField::kAttackerName, EventField::kWeapon,     EventField::kDamage,     EventField::kDamageType,
    EventField::kHitLocation,  EventField::kMapType,    EventField::kMap,        EventField::kMessage,
};
static_assert(std::size(kTextFieldNames) == std::size(kEventTextFields));
constexpr size_t kFieldsBeforeGame = std::size(kEventTextFields) - 1;

using TextFieldNumbers = std::array<int, std::size(kEventTextFields)>;

TextFieldNumbers textFieldNumbers(const RecordTable& table) {
    TextFieldNumbers numbers;
    for (size_t f = 0; f < numbers.size(); ++f) numbers[f] = table.fieldNumber(kTextFieldNames[f]);
    return numbers;
}

}  // namespace

std::vector<FieldDef> eventTableFields() {
    std::vector<FieldDef> fields;
    for (size_t f = 0; f < std::size(kEventTextFields); ++f) {
        if (f == kFieldsBeforeGame) fields.push_back({EventField::kGame, FieldType::Integer, 0});
        fields.push_back({kTextFieldNames[f], FieldType::String, kEventTextFields[f].width});
    }
    return fields;
}

void showEventsInTable(const GameEvents& events, RecordTable& table) {
    const TextFieldNumbers fieldNumbers = textFieldNumbers(table);
    const int game = table.fieldNumber(EventField::kGame);
    const auto count = uint32_t(events.list.size());
    // PARSE has always posted each event before the one posted last, so reopening numbers
    // them from the log's last event (record 0) back to its first.
    table.fillRecords(count, events.textCount(), [&](uint32_t record, RecordTable::RecordFill& fields) {
        const GameEvent& event = events.list[count - 1 - record];
        for (size_t f = 0; f < std::size(kEventTextFields); ++f) {
            if (f == kFieldsBeforeGame && event.game) fields.setInteger(game, *event.game);
            const uint32_t id = event.*kEventTextFields[f].member;
            if (id != GameEvents::kNoText) fields.setPooledText(fieldNumbers[f], id, events.text(id));
        }
    });
}

GameEvents eventsOfTable(RecordTable& table, std::vector<uint32_t>& recordOfEvent) {
    table.first();  // a pending grid edit is posted first
    const TextFieldNumbers fieldNumbers = textFieldNumbers(table);
    const int game = table.fieldNumber(EventField::kGame);
    // The table's text ids map to the events' own once each.
    std::vector<uint32_t> idOfText(table.textIdCount(), GameEvents::kNoText);
    GameEvents events;
    recordOfEvent.clear();
    for (uint32_t record = table.postedCount(); record-- > 0;) {
        if (!table.isLive(record)) continue;
        GameEvent event;
        for (size_t f = 0; f < std::size(kEventTextFields); ++f) {
            const uint32_t id = table.recordTextId(record, fieldNumbers[f]);
            if (id == RecordTable::kNullTextId) continue;
            if (idOfText[id] == GameEvents::kNoText)
                idOfText[id] = events.intern(table.textOfId(id), kEventTextFields[f].width);
            event.*kEventTextFields[f].member = idOfText[id];
        }
        event.kind = GameEvents::kindOf(events.text(event.command));
        event.game = table.recordInteger(record, game);
        events.list.push_back(event);
        recordOfEvent.push_back(record);
    }
    return events;
}

}  // namespace gravmark
