#include "site/site_export.h"

#include <charconv>

#include "site/weapon_names.h"

namespace gravmark {

namespace {

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string logString(std::string_view bytes, CodePage codePage) {
    return jsonString(toUtf8(bytes, codePage));
}

std::string number(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

double killsPerGame(const PlayerSummary& player) {
    return player.kills >= 1 ? static_cast<double>(player.kills) / player.played : 0.0;
}

// The medals the page shows that the player won.
std::vector<const char*> medalKeys(const ModernSite& modern, const PlayerSummary& player) {
    std::vector<const char*> keys;
    for (const size_t medal : player.medals) {
        if (modern.options.medals[medal]) keys.push_back(kMedalExportKeys[medal]);
    }
    return keys;
}

// Members and items joined with ", " as they are added.
class JsonList {
public:
    explicit JsonList(char open) : close_(open == '{' ? '}' : ']') { text_ += open; }
    JsonList& item(std::string_view value) {
        if (text_.size() > 1) text_ += ", ";
        text_ += value;
        return *this;
    }
    JsonList& member(std::string_view key, std::string_view value) {
        item(jsonString(key));
        text_ += ": ";
        text_ += value;
        return *this;
    }
    JsonList& member(std::string_view key, int32_t value) { return member(key, std::to_string(value)); }
    std::string done() { return std::move(text_ += close_); }

private:
    char close_;
    std::string text_;
};

std::string weaponsArray(const PlayerSummary& player, CodePage codePage) {
    JsonList weapons('[');
    for (const WeaponKills& weapon : player.weapons) {
        weapons.item(JsonList('{')
                         .member("id", logString(weapon.weapon, codePage))
                         .member("name", logString(weaponName(weapon.weapon), codePage))
                         .member("kills", weapon.kills)
                         .member("headshots", weapon.headshots)
                         .done());
    }
    return weapons.done();
}

std::string mapsArray(const PlayerSummary& player, CodePage codePage) {
    JsonList maps('[');
    for (const MapTally& map : player.maps) {
        maps.item(JsonList('{')
                      .member("map", logString(map.map, codePage))
                      .member("kills", map.kills)
                      .member("deaths", map.deaths)
                      .member("games", map.games)
                      .done());
    }
    return maps.done();
}

std::string playerObject(const ModernSite& modern, size_t p) {
    const PlayerSummary& player = modern.site.players[p];
    const CodePage codePage = modern.options.codePage;
    JsonList medals('[');
    for (const char* key : medalKeys(modern, player)) medals.item(jsonString(key));
    JsonList json('{');
    json.member("name", logString(player.name, codePage))
        .member("plainName", logString(withoutColourCodes(player.name), codePage))
        .member("kills", player.kills)
        .member("deaths", player.killed)
        .member("games", player.played)
        .member("killsPerGame", number(killsPerGame(player)))
        .member("ratio", number(player.ratio))
        .member("headshots", player.headshots)
        .member("headshotsTaken", player.headshotsTaken)
        .member("suicides", player.suicides)
        .member("medals", medals.done())
        .member("weapons", weaponsArray(player, codePage))
        .member("maps", mapsArray(player, codePage));
    for (const ExtraField& field : modern.extras.fields) {
        if (p < field.json.size() && !field.json[p].empty()) json.member(field.key, field.json[p]);
    }
    return "    " + json.done();
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string withoutColourCodes(std::string_view name) {
    std::string plain;
    for (size_t at = 0; at < name.size(); ++at) {
        if (name[at] == '^' && at + 1 < name.size() && name[at + 1] >= '0' && name[at + 1] <= '9') {
            ++at;
            continue;
        }
        plain += name[at];
    }
    return plain;
}

std::string statsJson(const ModernSite& modern, const ExportHeader& header) {
    std::string json =
        "{\n  \"schema\": 1,\n  \"generator\": " + jsonString("Gravmark Parser " + header.version);
    json += ",\n  \"updated\": " + jsonString(header.updated.toString(Qt::ISODate).toStdString());
    json += ",\n  \"linesParsed\": " + std::to_string(header.linesParsed);
    json += ",\n  \"gamesPlayed\": " + std::to_string(header.gamesPlayed);
    json += ",\n  \"players\": [";
    for (size_t p = 0; p < modern.site.players.size(); ++p) {
        json += p == 0 ? "\n" : ",\n";
        json += playerObject(modern, p);
    }
    return json + "\n  ]\n}\n";
}

namespace {

// One record of players.csv: fields joined by commas, ended by CR LF.
class CsvRecord {
public:
    CsvRecord& field(std::string_view text) {
        if (!first_) text_ += ',';
        first_ = false;
        text_ += csvField(text);
        return *this;
    }
    CsvRecord& field(int32_t number) { return field(std::to_string(number)); }
    std::string done() { return std::move(text_ += "\r\n"); }

private:
    bool first_ = true;
    std::string text_;
};

}  // namespace

std::string playersCsv(const ModernSite& modern) {
    CsvRecord header;
    for (const char* caption : {"name", "plain_name", "kills", "deaths", "games", "kills_per_game", "ratio",
                                "headshots", "headshots_taken", "suicides", "medals"})
        header.field(caption);
    for (const ExtraColumn& column : modern.extras.columns) header.field(column.caption);
    std::string csv = header.done();
    const CodePage codePage = modern.options.codePage;
    for (size_t p = 0; p < modern.site.players.size(); ++p) {
        const PlayerSummary& player = modern.site.players[p];
        std::string medals;
        for (const char* key : medalKeys(modern, player)) {
            if (!medals.empty()) medals += ';';
            medals += key;
        }
        CsvRecord record;
        record.field(toUtf8(player.name, codePage))
            .field(toUtf8(withoutColourCodes(player.name), codePage))
            .field(player.kills)
            .field(player.killed)
            .field(player.played)
            .field(number(killsPerGame(player)))
            .field(number(player.ratio))
            .field(player.headshots)
            .field(player.headshotsTaken)
            .field(player.suicides)
            .field(medals);
        for (const ExtraColumn& column : modern.extras.columns)
            record.field(p < column.cells.size() ? column.cells[p] : std::string());
        csv += record.done();
    }
    return csv;
}

}  // namespace gravmark
