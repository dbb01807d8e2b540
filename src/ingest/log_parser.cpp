#include "ingest/log_parser.h"

#include "common/progress.h"
#include "common/text_box_lines.h"
#include "ingest/parse_fields.h"
#include "ingest/parse_game_start.h"
#include "ingest/parse_line_kind.h"
#include "ingest/player_id_counts.h"
#include "table/record_table.h"

namespace gravmark {

namespace {

constexpr char kDelimiter = ';';

// The map name and game type of the game in progress. They view into the line that
// started the game; memo1 is not changed while PARSE runs, so the views stay valid.
struct CurrentGame {
    std::string_view map;
    std::string_view maptype;
    int32_t number = 0;
};

// A victim's field shorter than 2 characters gives way to the attacker's field.
bool victimFieldHolds(std::string_view victim) { return victim.size() >= 2; }

std::string_view orAttacker(std::string_view victim, std::string_view attacker) {
    return victimFieldHolds(victim) ? victim : attacker;
}

void storeJoin(const ParseFields& fields, const CurrentGame& game, RecordTable& db, bool showDetails,
               TextBoxLines& memo2, PlayerIdCounts* ids) {
    const std::string_view name = fields.field(4);
    if (ids) ids->add(fields.field(2), name);
    if (showDetails) {
        std::string details(name);
        details.append(" joined game : ").append(game.map);
        memo2.addLine(details);
    }
    db.insert();
    db.setText("a_name", name);
    db.setText("command", "J");
    db.setText("map", game.map);
    db.setInteger("game", game.number);
    db.setText("maptype", game.maptype);
    db.post();
}

void storeKill(const ParseFields& fields, const CurrentGame& game, RecordTable& db, bool showDetails,
               TextBoxLines& memo2, PlayerIdCounts* ids) {
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
        details.append(game.map).append(")");
        memo2.addLine(details);
    }
    db.insert();
    db.setText("a_name", attackerName);
    db.setText("command", "K");
    db.setText("a_team", attackerTeam);
    db.setText("v_name", victimName);
    db.setText("v_team", victimTeam);
    db.setText("damage", damage);
    db.setText("a_weapon", weapon);
    db.setText("damage_type", damageType);
    db.setText("damage_location", location);
    db.setText("map", game.map);
    db.setInteger("game", game.number);
    db.setText("maptype", game.maptype);
    db.post();
}

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

int32_t parseLog(const TextBoxLines& memo1, RecordTable& db, bool showDetails, TextBoxLines& memo2,
                 Progress& progress, int32_t& gameCount, PlayerIdCounts* ids) {
    const int64_t total = static_cast<int64_t>(memo1.lineCount());
    progress.setPartsComplete(0);
    progress.setTotalParts(total);
    db.emptyDataSet();
    if (ids) ids->clear();

    CurrentGame game;
    int32_t stored = 0;
    for (int64_t i = 0; i < total; ++i) {
        const std::string_view line = memo1.line(static_cast<size_t>(i));
        switch (classifyLine(line)) {
            case LineKind::GameStart: {
                ++game.number;
                const GameStart start = parseGameStart(line);
                game.map = start.mapName;
                game.maptype = start.gameType;
                break;
            }
            case LineKind::Join:
                storeJoin(ParseFields(line, kDelimiter), game, db, showDetails, memo2, ids);
                ++stored;
                break;
            case LineKind::Kill:
                storeKill(ParseFields(line, kDelimiter), game, db, showDetails, memo2, ids);
                ++stored;
                break;
            default:
                break;
        }
        progress.setPartsComplete(i);
        gameCount = game.number;
    }
    progress.setPartsComplete(progress.totalParts());

    db.closeAndReopen();
    return stored;
}

}  // namespace gravmark
