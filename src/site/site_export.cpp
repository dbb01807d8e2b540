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

std::string member(std::string_view key, std::string_view value) {
    return jsonString(key) + ": " + std::string(value);
}

std::string member(std::string_view key, int32_t value) { return member(key, std::to_string(value)); }

std::string weaponsArray(const PlayerSummary& player, CodePage codePage) {
    std::string json = "[";
    for (const WeaponKills& weapon : player.weapons) {
        if (json.size() > 1) json += ", ";
        json += "{" + member("id", logString(weapon.weapon, codePage)) + ", " +
                member("name", logString(weaponName(weapon.weapon), codePage)) + ", " +
                member("kills", weapon.kills) + ", " + member("headshots", weapon.headshots) + "}";
    }
    return json + "]";
}

std::string mapsArray(const PlayerSummary& player, CodePage codePage) {
    std::string json = "[";
    for (const MapTally& map : player.maps) {
        if (json.size() > 1) json += ", ";
        json += "{" + member("map", logString(map.map, codePage)) + ", " + member("kills", map.kills) + ", " +
                member("deaths", map.deaths) + ", " + member("games", map.games) + "}";
    }
    return json + "]";
}

std::string playerObject(const ModernSite& modern, size_t p) {
    const PlayerSummary& player = modern.site.players[p];
    const CodePage codePage = modern.options.codePage;
    std::string medals = "[";
    for (const char* key : medalKeys(modern, player))
        medals += (medals.size() > 1 ? ", " : "") + jsonString(key);
    medals += "]";
    std::string json =
        "    {" + member("name", logString(player.name, codePage)) + ", " +
        member("plainName", logString(withoutColourCodes(player.name), codePage)) + ", " +
        member("kills", player.kills) + ", " + member("deaths", player.killed) + ", " +
        member("games", player.played) + ", " + member("killsPerGame", number(killsPerGame(player))) + ", " +
        member("ratio", number(player.ratio)) + ", " + member("headshots", player.headshots) + ", " +
        member("headshotsTaken", player.headshotsTaken) + ", " + member("suicides", player.suicides) + ", " +
        member("medals", medals) + ", " + member("weapons", weaponsArray(player, codePage)) + ", " +
        member("maps", mapsArray(player, codePage));
    for (const ExtraField& field : modern.extras.fields) {
        if (p < field.json.size() && !field.json[p].empty()) json += ", " + member(field.key, field.json[p]);
    }
    return json + "}";
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
    std::string json = "{\n  " + member("schema", 1) + ",\n  " +
                       member("generator", jsonString("Gravmark Parser " + header.version)) + ",\n  " +
                       member("updated", jsonString(header.updated.toString(Qt::ISODate).toStdString())) +
                       ",\n  " + member("linesParsed", header.linesParsed) + ",\n  " +
                       member("gamesPlayed", header.gamesPlayed) + ",\n  \"players\": [";
    for (size_t p = 0; p < modern.site.players.size(); ++p)
        json += (p == 0 ? "\n" : ",\n") + playerObject(modern, p);
    return json + "\n  ]\n}\n";
}

std::string playersCsv(const ModernSite& modern) {
    std::string csv =
        "name,plain_name,kills,deaths,games,kills_per_game,ratio,headshots,headshots_taken,suicides,medals";
    for (const ExtraColumn& column : modern.extras.columns) csv += "," + csvField(column.caption);
    csv += "\r\n";
    const CodePage codePage = modern.options.codePage;
    for (size_t p = 0; p < modern.site.players.size(); ++p) {
        const PlayerSummary& player = modern.site.players[p];
        std::string medals;
        for (const char* key : medalKeys(modern, player))
            medals += (medals.empty() ? "" : ";") + std::string(key);
        csv += csvField(toUtf8(player.name, codePage)) + "," +
               csvField(toUtf8(withoutColourCodes(player.name), codePage)) + "," +
               std::to_string(player.kills) + "," + std::to_string(player.killed) + "," +
               std::to_string(player.played) + "," + number(killsPerGame(player)) + "," +
               number(player.ratio) + "," + std::to_string(player.headshots) + "," +
               std::to_string(player.headshotsTaken) + "," + std::to_string(player.suicides) + "," + medals;
        for (const ExtraColumn& column : modern.extras.columns)
            csv += "," + csvField(p < column.cells.size() ? column.cells[p] : std::string());
        csv += "\r\n";
    }
    return csv;
}

}  // namespace gravmark
