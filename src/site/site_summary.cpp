#include "site/site_summary.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "report/player_row_html.h"
#include "site/player_file_names.h"
#include "site/site_medals.h"

namespace gravmark {

namespace {

constexpr uint32_t kNull = GameEvents::kNoText;
constexpr size_t kMostOpponents = 5;

// The rows in page order, the player table's view: its record n is rows[n].
std::vector<PlayerSummary> rowsOf(const RecordTable& playerTable, const std::vector<PlayerRow>& rows) {
    std::vector<PlayerSummary> players(size_t(playerTable.viewSize()));
    for (int shown = 0; shown < playerTable.viewSize(); ++shown) {
        PlayerSummary& player = players[size_t(shown)];
        player.namedPlace = playerTable.viewRecordNumber(shown);
        const PlayerRow& row = rows.at(player.namedPlace);
        player.name = row.name;
        player.headshots = row.headshotsGiven;
        player.headshotsTaken = row.headshotsTaken;
        player.kills = row.kills;
        player.killed = row.deaths;
        player.played = row.gamesPlayed;
        player.ratio = row.ratio;
    }
    return players;
}

// A medal belongs to the first row whose name, as the main page shows it, is the winner's.
void markMedals(std::vector<PlayerSummary>& players, const MedalWinners& winners) {
    std::vector<std::string> shown;
    for (const PlayerSummary& player : players) shown.push_back(pageName(player.name));
    for (size_t medal = 0; medal < kSiteMedals.size(); ++medal) {
        const auto won = std::find(shown.begin(), shown.end(), winners.*kSiteMedals[medal].winner);
        if (won != shown.end()) players[size_t(won - shown.begin())].medals.push_back(medal);
    }
}

uint64_t pairKey(int player, uint32_t text) { return uint64_t(uint32_t(player)) << 32 | text; }
int playerOfKey(uint64_t key) { return int(uint32_t(key >> 32)); }
uint32_t textOfKey(uint64_t key) { return uint32_t(key); }

// Counts gathered in one pass over the events, keyed by player and text id.
struct Tallies {
    std::unordered_map<uint64_t, WeaponKills> weapons;
    std::unordered_map<uint64_t, int32_t> locations;
    std::unordered_map<uint64_t, MapTally> maps;
    std::unordered_map<uint64_t, int32_t> victims;
    std::unordered_map<uint64_t, int32_t> killers;
    std::unordered_map<uint32_t, int32_t> serverWeapons;
    std::unordered_map<uint32_t, int32_t> serverMapKills;
    std::unordered_set<uint64_t> gamesOnMaps;  // game number and map id
};

// Every event, classified by its text ids once per distinct text.
class EventScan {
public:
    EventScan(const GameEvents& events, const std::vector<PlayerSummary>& players)
        : events_(events),
          head_(events.find("head")),
          suicide_(events.find("MOD_SUICIDE")),
          empty_(events.find("")) {
        std::unordered_map<std::string_view, int> playerByName;
        for (size_t p = 0; p < players.size(); ++p) playerByName.emplace(players[p].name, int(p));
        playerOfText_.assign(events.textCount(), kNoPlayer);
        for (const auto& [name, player] : playerByName) {
            const uint32_t id = events.find(name);
            if (id != kNull) playerOfText_[id] = player;
        }
    }

    void run(Tallies& tallies, std::vector<PlayerSummary>& players) {
        for (const GameEvent& event : events_.list) {
            const uint32_t attackerName = event.attackerName;
            const uint32_t victimName = event.victimName;
            const uint32_t map = event.map;
            const int attacker = playerOf(attackerName);
            const int victim = playerOf(victimName);
            if (map != kNull)
                tallies.gamesOnMaps.insert(uint64_t(uint32_t(event.game.value_or(0))) << 32 | map);
            if (event.kind == EventKind::Join && attacker != kNoPlayer)
                ++tallies.maps[pairKey(attacker, map)].games;
            if (event.kind == EventKind::Kill) {
                const uint32_t weapon = event.weapon;
                ++tallies.serverWeapons[weapon];
                ++tallies.serverMapKills[map];
                if (attacker != kNoPlayer) {
                    const uint32_t location = event.hitLocation;
                    WeaponKills& byWeapon = tallies.weapons[pairKey(attacker, weapon)];
                    ++byWeapon.kills;
                    if (location == head_) ++byWeapon.headshots;
                    ++tallies.locations[pairKey(attacker, location)];
                    ++tallies.maps[pairKey(attacker, map)].kills;
                    ++tallies.victims[pairKey(attacker, victimName)];
                    if (event.damageType == suicide_) ++players[size_t(attacker)].suicides;
                }
            }
            // Deaths are every event naming the victim, as the counter takes them.
            if (victim != kNoPlayer) {
                ++tallies.maps[pairKey(victim, map)].deaths;
                ++tallies.killers[pairKey(victim, attackerName)];
                if (attackerName == kNull || attackerName == empty_) ++players[size_t(victim)].worldDeaths;
            }
        }
    }

    std::string text(uint32_t id) const { return std::string(events_.text(id)); }
    std::string_view view(uint32_t id) const { return events_.text(id); }
    bool isNameless(uint32_t id) const { return id == kNull || id == empty_; }
    // The first row named by the text, if any.
    int playerOf(uint32_t id) const { return id == kNull ? kNoPlayer : playerOfText_[id]; }

private:
    const GameEvents& events_;
    std::vector<int> playerOfText_;
    const uint32_t head_, suicide_, empty_;
};

template <class Line, class Count>
void sortMostFirst(std::vector<Line>& lines, Count count, std::string Line::*text) {
    std::sort(lines.begin(), lines.end(), [&](const Line& a, const Line& b) {
        if (count(a) != count(b)) return count(a) > count(b);
        return a.*text < b.*text;
    });
}

struct OpponentCount {
    uint32_t name;
    int32_t count;
};

// The five met most, most first, ties by name; only those are made into lines.
std::vector<Opponent> mostMet(std::vector<OpponentCount>& met, const EventScan& scan) {
    const size_t kept = std::min(met.size(), kMostOpponents);
    std::partial_sort(met.begin(), met.begin() + ptrdiff_t(kept), met.end(),
                      [&](const OpponentCount& a, const OpponentCount& b) {
                          if (a.count != b.count) return a.count > b.count;
                          return scan.view(a.name) < scan.view(b.name);
                      });
    std::vector<Opponent> opponents;
    for (size_t i = 0; i < kept; ++i)
        opponents.push_back({scan.text(met[i].name), met[i].count, scan.playerOf(met[i].name)});
    return opponents;
}

void distribute(const Tallies& tallies, const EventScan& scan, std::vector<PlayerSummary>& players) {
    for (const auto& [key, tally] : tallies.weapons) {
        WeaponKills line = tally;
        line.weapon = scan.text(textOfKey(key));
        players[size_t(playerOfKey(key))].weapons.push_back(std::move(line));
    }
    for (const auto& [key, kills] : tallies.locations)
        players[size_t(playerOfKey(key))].locations.push_back({scan.text(textOfKey(key)), kills});
    for (const auto& [key, tally] : tallies.maps) {
        MapTally line = tally;
        line.map = scan.text(textOfKey(key));
        players[size_t(playerOfKey(key))].maps.push_back(std::move(line));
    }
    std::vector<std::vector<OpponentCount>> victims(players.size()), killers(players.size());
    for (const auto& [key, count] : tallies.victims) {
        const uint32_t victim = textOfKey(key);
        if (scan.view(victim) != players[size_t(playerOfKey(key))].name)
            victims[size_t(playerOfKey(key))].push_back({victim, count});
    }
    for (const auto& [key, count] : tallies.killers) {
        const uint32_t killer = textOfKey(key);
        if (!scan.isNameless(killer) && scan.view(killer) != players[size_t(playerOfKey(key))].name)
            killers[size_t(playerOfKey(key))].push_back({killer, count});
    }
    for (size_t p = 0; p < players.size(); ++p) {
        players[p].victims = mostMet(victims[p], scan);
        players[p].nemeses = mostMet(killers[p], scan);
    }
    for (PlayerSummary& player : players) {
        sortMostFirst(
            player.weapons, [](const WeaponKills& w) { return w.kills; }, &WeaponKills::weapon);
        sortMostFirst(
            player.locations, [](const LocationKills& l) { return l.kills; }, &LocationKills::location);
        sortMostFirst(
            player.maps, [](const MapTally& m) { return int64_t(m.kills) << 32 | uint32_t(m.deaths); },
            &MapTally::map);
    }
}

std::vector<ServerWeapon> serverWeapons(const Tallies& tallies, const EventScan& scan) {
    std::unordered_map<uint32_t, ServerWeapon> byWeapon;
    for (const auto& [weapon, kills] : tallies.serverWeapons) byWeapon[weapon] = {scan.text(weapon), kills};
    for (const auto& [key, tally] : tallies.weapons) {
        ServerWeapon& line = byWeapon[textOfKey(key)];
        const int player = playerOfKey(key);
        if (tally.kills > line.topKills || (tally.kills == line.topKills && player < line.topPlayer)) {
            line.topKills = tally.kills;
            line.topPlayer = player;
        }
    }
    std::vector<ServerWeapon> lines;
    for (auto& [id, line] : byWeapon) lines.push_back(std::move(line));
    sortMostFirst(
        lines, [](const ServerWeapon& w) { return w.kills; }, &ServerWeapon::weapon);
    return lines;
}

std::vector<MapTally> serverMaps(const Tallies& tallies, const EventScan& scan) {
    std::unordered_map<uint32_t, MapTally> byMap;
    for (const auto& [map, kills] : tallies.serverMapKills) byMap[map].kills = kills;
    for (const uint64_t gameAndMap : tallies.gamesOnMaps) ++byMap[uint32_t(gameAndMap)].games;
    std::vector<MapTally> lines;
    for (auto& [id, line] : byMap) {
        line.map = scan.text(id);
        lines.push_back(std::move(line));
    }
    sortMostFirst(
        lines, [](const MapTally& m) { return int64_t(m.kills) << 32 | uint32_t(m.games); }, &MapTally::map);
    return lines;
}

}  // namespace

SiteSummary summarizeSite(const GameEvents& events, const std::vector<PlayerRow>& rows,
                          const RecordTable& playerTable, const MedalWinners& winners, bool withEventLists) {
    SiteSummary site;
    site.players = rowsOf(playerTable, rows);
    markMedals(site.players, winners);
    std::vector<std::string> names;
    for (const PlayerSummary& player : site.players) names.push_back(player.name);
    const std::vector<std::string> files = uniquePlayerFileNames(names);
    for (size_t p = 0; p < files.size(); ++p) site.players[p].fileName = files[p];
    if (!withEventLists) return site;

    Tallies tallies;
    EventScan scan(events, site.players);
    scan.run(tallies, site.players);
    distribute(tallies, scan, site.players);
    site.weapons = serverWeapons(tallies, scan);
    site.maps = serverMaps(tallies, scan);
    return site;
}

}  // namespace gravmark
