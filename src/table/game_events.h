#pragma once
// GameEvents: the join and kill events of a log as plain values, the road from PARSE to the
// statistics, the player pages and the ratings. The record table `events` of the window is
// filled from them (table/event_table.h), never the other way round except where the user
// edited that table.
//
// Contract:
//  - `list` holds the events in log order (a log's first join first).
//  - Every text field is an id into one pool of texts (`text(id)`); kNoText stands for a
//    field with no value (a join has no victim, weapon or damage), which is not the empty
//    text: an empty victim name is a text a kill can hold.
//  - A text is kept as the event table's field of that width keeps it: cut at a NUL, then
//    to the width (EventWidth), so names compare the same here and in the table.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "table/string_pool.h"

namespace gravmark {

// The widths of the event table's text fields: the most bytes a value keeps.
struct EventWidth {
    static constexpr int kCommand = 20;
    static constexpr int kTeam = 20;
    static constexpr int kName = 40;
    static constexpr int kWeapon = 30;
    static constexpr int kDamage = 10;
    static constexpr int kDamageType = 30;
    static constexpr int kHitLocation = 30;
    static constexpr int kMapType = 20;
    static constexpr int kMap = 40;
    static constexpr int kMessage = 80;
};

// "J", "K", or another command a user typed into the grid (counted as neither).
enum class EventKind : uint8_t { Join, Kill, Other };

struct GameEvent {
    static constexpr uint32_t kNoText = UINT32_MAX;
    EventKind kind = EventKind::Other;
    uint32_t command = kNoText;  // the kind's text: "J", "K" or what the grid holds
    uint32_t victimTeam = kNoText;
    uint32_t victimName = kNoText;
    uint32_t attackerTeam = kNoText;
    uint32_t attackerName = kNoText;  // the joining player on a join
    uint32_t weapon = kNoText;
    uint32_t damage = kNoText;
    uint32_t damageType = kNoText;  // the means of death, e.g. MOD_SUICIDE
    uint32_t hitLocation = kNoText;
    uint32_t mapType = kNoText;
    uint32_t map = kNoText;
    uint32_t message = kNoText;
    std::optional<int32_t> game;  // the game counter at the event; none only from the grid
};

// Every text field with its width, in the event table's order (where the game, an integer,
// stands between the map and the message).
struct EventTextField {
    uint32_t GameEvent::*member;
    int width;
};
inline constexpr EventTextField kEventTextFields[] = {
    {&GameEvent::command, EventWidth::kCommand},
    {&GameEvent::victimTeam, EventWidth::kTeam},
    {&GameEvent::victimName, EventWidth::kName},
    {&GameEvent::attackerTeam, EventWidth::kTeam},
    {&GameEvent::attackerName, EventWidth::kName},
    {&GameEvent::weapon, EventWidth::kWeapon},
    {&GameEvent::damage, EventWidth::kDamage},
    {&GameEvent::damageType, EventWidth::kDamageType},
    {&GameEvent::hitLocation, EventWidth::kHitLocation},
    {&GameEvent::mapType, EventWidth::kMapType},
    {&GameEvent::map, EventWidth::kMap},
    {&GameEvent::message, EventWidth::kMessage},
};

class GameEvents {
public:
    static constexpr uint32_t kNoText = GameEvent::kNoText;

    std::vector<GameEvent> list;

    // The id of `text` cut to `width` (see above), added to the pool when new.
    uint32_t intern(std::string_view text, int width);
    // The same for `field` of an event about to be appended. Consecutive events often repeat
    // a field's text (the command, the map, the teams, the weapon), so the last event's text
    // of that field is tried before the pool is searched.
    uint32_t internNext(uint32_t GameEvent::*field, std::string_view text, int width);
    // The id of a text the events hold, or kNoText: nothing is added.
    uint32_t find(std::string_view text) const;
    // The text of an id; the empty text for kNoText.
    std::string_view text(uint32_t id) const { return id == kNoText ? std::string_view() : texts_.text(id); }
    // Ids run from 0 to textCount() - 1.
    uint32_t textCount() const { return texts_.size(); }
    // The kind a command text gives.
    static EventKind kindOf(std::string_view command);
    // No event and no text.
    void clear();
    // Appends copies of the events of `from` (another set), their games moved on by gameOffset.
    void append(const GameEvents& from, int32_t gameOffset = 0);

private:
    StringPool texts_;
};

}  // namespace gravmark
