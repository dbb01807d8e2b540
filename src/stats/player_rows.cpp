#include "stats/player_rows.h"

#include <algorithm>

namespace gravmark {

std::vector<PlayerRow> playerRows(const Statistics& stats) {
    std::vector<PlayerRow> rows;
    rows.reserve(stats.roster.size());
    for (size_t i = 0; i < stats.roster.size(); ++i) {
        if (stats.roster[i].empty()) continue;
        PlayerRow& row = rows.emplace_back();
        row.name = stats.roster[i];
        row.kills = stats.killCounts[i];
        row.deaths = stats.deathCounts[i];
        row.gamesPlayed = std::max(stats.gamesPlayed[i], 1);
        row.headshotsGiven = stats.headshotsGiven[i];
        row.headshotsTaken = stats.headshotsTaken[i];
        row.tntKills = stats.tntKills[i];
        row.grenadeKills = stats.grenadeKills[i];
        row.suicides = stats.suicideCounts[i];
        if (row.kills >= 1) row.killsPerGame = static_cast<double>(row.kills) / row.gamesPlayed;
        if (row.kills >= 1 && row.deaths >= 1) row.ratio = static_cast<double>(row.kills) / row.deaths;
    }
    return rows;
}

}  // namespace gravmark
