#pragma once
// The data behind the page for others to use: stats.json and players.csv beside it, in
// UTF-8 (names converted from the log's code page), staged with the page. Numbers are
// written without the locale: "." before decimals, no grouping.
//
// stats.json: {"schema": 1, "generator", "updated" (local time, ISO 8601), "linesParsed",
// "gamesPlayed" (the page's total), "players": [...]} with, per player in page order: "name"
// (colour codes kept), "plainName" (without them), "kills", "deaths", "games",
// "killsPerGame", "ratio" (999 with no kills or no deaths, as on the page), "headshots",
// "headshotsTaken", "suicides", "medals" (the shown medals won, by key), "weapons"
// ([{"id", "name", "kills", "headshots"}]), "maps" ([{"map", "kills", "deaths", "games"}]),
// then the extra fields.
// players.csv (RFC 4180: CR LF, fields quoted where needed): a header row, then one row per
// player: name, plain_name, kills, deaths, games, kills_per_game, ratio, headshots,
// headshots_taken, suicides, medals (keys joined by ";"), then the extra columns.
#include <QDateTime>
#include <array>
#include <string>
#include <string_view>

#include "site/site_options.h"

namespace gravmark {

inline constexpr std::string_view kStatsJson = "stats.json";
inline constexpr std::string_view kPlayersCsv = "players.csv";

// The keys of the medals in stats.json and players.csv, in the page's medal order.
inline constexpr std::array<const char*, 7> kMedalExportKeys = {
    "killer", "headshooter", "shotInTheHead", "target", "tnt", "grenades", "suicide"};

struct ExportHeader {
    QDateTime updated;
    int32_t linesParsed = 0;
    int32_t gamesPlayed = 0;
    std::string version;
};

std::string statsJson(const ModernSite& modern, const ExportHeader& header);
std::string playersCsv(const ModernSite& modern);

// A name without its colour codes ("^1Flo" -> "Flo").
std::string withoutColourCodes(std::string_view name);

}  // namespace gravmark
