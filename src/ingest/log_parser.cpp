#include "ingest/log_parser.h"

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/line_scanner.h"
#include "ingest/player_id_counts.h"
#include "table/game_events.h"

namespace gravmark {

namespace {

// A victim's field shorter than 2 characters gives way to the attacker's field.
bool victimFieldHolds(std::string_view victim) { return victim.size() >= 2; }

std::string_view orAttacker(std::string_view victim, std::string_view attacker) {
    return victimFieldHolds(victim) ? victim : attacker;
}

void storeJoin(const ScannedEvent& scanned, GameEvents& events, bool showDetails, TextBoxLines& detailLines,
               PlayerIdCounts* ids) {
    const ParseFields& fields = scanned.fields;
    const std::string_view name = fields.field(4);
    if (ids) ids->add(fields.field(2), name);
    if (showDetails) {
        std::string details(name);
        details.append(" joined game : ").append(scanned.map);
        detailLines.addLine(details);
    }
    GameEvent event;
    event.kind = EventKind::Join;
    event.command = events.internNext(&GameEvent::command, "J", EventWidth::kCommand);
    event.attackerName = events.intern(name, EventWidth::kName);
    event.mapType = events.internNext(&GameEvent::mapType, scanned.maptype, EventWidth::kMapType);
    event.map = events.internNext(&GameEvent::map, scanned.map, EventWidth::kMap);
    event.game = scanned.game;
    events.list.push_back(event);
}

void storeKill(const ScannedEvent& scanned, GameEvents& events, bool showDetails, TextBoxLines& detailLines,
               PlayerIdCounts* ids) {
    const ParseFields& fields = scanned.fields;
    const std::string_view victimName = orAttacker(fields.field(5), fields.field(9));
    const std::string_view victimTeam = orAttacker(fields.field(4), fields.field(8));
    const std::string_view attackerName = fields.field(9);
    const std::string_view attackerTeam = fields.field(8);
    const std::string_view weapon = fields.field(10);
    const std::string_view damage = fields.field(11);
    const std::string_view damageType = fields.field(12);
    const std::string_view location = fields.field(13);
    if (ids) {
        ids->add(fields.field(6), attackerName);
        // A victim named by the attacker's field has no id of its own.
        if (victimFieldHolds(fields.field(5))) ids->add(fields.field(2), victimName);
    }
    if (showDetails) {
        std::string details("*KILL* - ");
        details.append(attackerName).append(" killed (").append(damage).append("%) ");
        details.append(victimName).append(" with a ").append(damageType).append(" in the ");
        details.append(location).append(" using a ").append(weapon).append(". (");
        details.append(scanned.map).append(")");
        detailLines.addLine(details);
    }
    GameEvent event;
    event.kind = EventKind::Kill;
    event.command = events.internNext(&GameEvent::command, "K", EventWidth::kCommand);
    event.victimTeam = events.internNext(&GameEvent::victimTeam, victimTeam, EventWidth::kTeam);
    event.victimName = events.intern(victimName, EventWidth::kName);
    event.attackerTeam = events.internNext(&GameEvent::attackerTeam, attackerTeam, EventWidth::kTeam);
    event.attackerName = events.intern(attackerName, EventWidth::kName);
    event.weapon = events.internNext(&GameEvent::weapon, weapon, EventWidth::kWeapon);
    event.damage = events.internNext(&GameEvent::damage, damage, EventWidth::kDamage);
    event.damageType = events.internNext(&GameEvent::damageType, damageType, EventWidth::kDamageType);
    event.hitLocation = events.internNext(&GameEvent::hitLocation, location, EventWidth::kHitLocation);
    event.mapType = events.internNext(&GameEvent::mapType, scanned.maptype, EventWidth::kMapType);
    event.map = events.internNext(&GameEvent::map, scanned.map, EventWidth::kMap);
    event.game = scanned.game;
    events.list.push_back(event);
}

// Stores every event the scanner hands over, in log order; `beforeEach` hears each first.
// The lines before each stored batch are done with.
template <typename BeforeEach>
int32_t storeEvents(LineScanner& scanner, const ScanLines& lines, GameEvents& events, bool showDetails,
                    TextBoxLines& detailLines, PlayerIdCounts* ids, BeforeEach beforeEach) {
    int32_t stored = 0;
    for (std::span<const ScannedEvent> scanned; !(scanned = scanner.next()).empty();) {
        lines.doneBefore(scanned.front().line);
        for (const ScannedEvent& event : scanned) {
            beforeEach(event);
            if (event.kind == LineKind::Join) {
                storeJoin(event, events, showDetails, detailLines, ids);
            } else {
                storeKill(event, events, showDetails, detailLines, ids);
            }
            ++stored;
        }
    }
    return stored;
}

// The line store's lines carry their ";" (unless the 4096-character cut took it off).
class StoredLines final : public ScanLines {
public:
    explicit StoredLines(const TextBoxLines& lines) : lines_(lines) {}
    size_t lineCount() const override { return lines_.lineCount(); }
    ScanLine line(size_t index) const override { return {lines_.line(index), false}; }

private:
    const TextBoxLines& lines_;
};

}  // namespace

std::string fieldAt(std::string_view line, char delimiter, int n) {
    size_t start = 0;
    for (int found = 0; found < n - 1; ++found) {
        const size_t at = line.find(delimiter, start);
        if (at == std::string_view::npos) return {};
        if (found == n - 2) return std::string(line.substr(start, at - start));
        start = at + 1;
    }
    return {};
}

int32_t parseLog(const TextBoxLines& logLines, GameEvents& events, bool showDetails,
                 TextBoxLines& detailLines, Progress& progress, int32_t& gameCount, PlayerIdCounts* ids) {
    return parseLog(StoredLines(logLines), events, showDetails, detailLines, progress, gameCount, ids);
}

int32_t parseLog(const ScanLines& logLines, GameEvents& events, bool showDetails, TextBoxLines& detailLines,
                 Progress& progress, int32_t& gameCount, PlayerIdCounts* ids) {
    const int64_t total = static_cast<int64_t>(logLines.lineCount());
    progress.setPartsComplete(0);
    progress.setTotalParts(total);
    events.clear();
    // Room for an event per line at most, taken once: growing the list step by step copied
    // it and touched new pages each time, a sixth of PARSE under Wine. Pages no event
    // reaches are never touched, so the unused room costs address space only.
    events.list.reserve(logLines.lineCount());
    if (ids) ids->clear();

    // A second thread reads the lines ahead while this one stores the events.
    LineScanner scanner(logLines);
    int64_t line = 0;
    const int32_t stored =
        storeEvents(scanner, logLines, events, showDetails, detailLines, ids, [&](const ScannedEvent& event) {
            for (; line < static_cast<int64_t>(event.line); ++line) progress.setPartsComplete(line);
            gameCount = event.game;
        });
    for (; line < total; ++line) progress.setPartsComplete(line);
    if (total > 0) gameCount = scanner.gameCount();
    progress.setPartsComplete(progress.totalParts());
    return stored;
}

int32_t appendLogEvents(const TextBoxLines& lines, GameEvents& events, ScanState& state,
                        PlayerIdCounts* ids) {
    TextBoxLines noDetails;
    const StoredLines logLines(lines);
    LineScanner scanner(logLines, state);
    const int32_t stored =
        storeEvents(scanner, logLines, events, false, noDetails, ids, [](const ScannedEvent&) {});
    state = scanner.endState();
    return stored;
}

}  // namespace gravmark
