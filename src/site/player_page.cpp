#include "site/player_page.h"

#include "site/rating_section.h"
#include "site/rivals.h"
#include "site/site_html.h"
#include "site/site_medals.h"
#include "site/site_navigation.h"
#include "stats/number_format.h"

namespace gravmark {

namespace {

void addNumbers(PageText& page, const PlayerSummary& player) {
    const double killsPerGame = player.kills >= 1 ? static_cast<double>(player.kills) / player.played : 0.0;
    page.addLine(
        headerRow({"KILLS", "TIMES KILLED", "GAMES PLAYED", "KILLS PER GAME", "RATIO KILLS/KILLED"}));
    page.addLine("<tr>" + cell(player.kills) + cell(player.killed) + cell(player.played) +
                 cell(formatKillsPerGame(killsPerGame)) + cell(formatRatio(player.ratio)) + "</tr>");
    page.addLine("</table>");
}

void addMedals(PageText& page, const PlayerSummary& player) {
    if (player.medals.empty()) return;
    page.addLine("<table align=center cellspacing=5 border=0><tr>");
    for (const size_t medal : player.medals) {
        const SiteMedal& shown = kSiteMedals[medal];
        page.addLine("<td align=center><img src=\"../" + std::string(shown.picture) + "\"><BR><b>" +
                     std::string(shown.caption) + "</b></td>");
    }
    page.addLine("</tr></table>");
}

void addWeapons(PageText& page, const PlayerSummary& player) {
    page.addLine(heading("Kills by weapon"));
    if (player.weapons.empty()) return page.addLine("<p align=center>No kills.</p>");
    page.addLine(headerRow({"WEAPON", "KILLS", "SHARE", "HEADSHOTS"}));
    for (const WeaponKills& line : player.weapons) {
        page.addLine("<tr>" + cell(shownValue(line.weapon)) + cell(line.kills) +
                     cell(shareText(line.kills, player.kills)) + cell(line.headshots) + "</tr>");
    }
    page.addLine("</table>");
}

void addLocations(PageText& page, const PlayerSummary& player) {
    page.addLine(heading("Kills by hit location"));
    if (player.locations.empty()) return page.addLine("<p align=center>No kills.</p>");
    page.addLine(headerRow({"LOCATION", "KILLS", "SHARE"}));
    int32_t headshots = 0;
    for (const LocationKills& line : player.locations) {
        if (line.location == "head") headshots = line.kills;
        page.addLine("<tr>" + cell(shownValue(line.location)) + cell(line.kills) +
                     cell(shareText(line.kills, player.kills)) + "</tr>");
    }
    page.addLine("</table>");
    page.addLine("<p align=center>Headshots: " + std::to_string(headshots) + " (" +
                 shareText(headshots, player.kills) + " of the kills)</p>");
}

void addMaps(PageText& page, const PlayerSummary& player) {
    page.addLine(heading("Kills and deaths by map"));
    if (player.maps.empty()) return page.addLine("<p align=center>No games.</p>");
    page.addLine(headerRow({"MAP", "KILLS", "DEATHS", "GAMES PLAYED"}));
    for (const MapTally& line : player.maps) {
        page.addLine("<tr>" + cell(shownValue(line.map)) + cell(line.kills) + cell(line.deaths) +
                     cell(line.games) + "</tr>");
    }
    page.addLine("</table>");
}

// A name links to the player's page when the name has a row.
std::string opponentCell(const SiteSummary& site, const Opponent& opponent) {
    const std::string name = shownName(opponent.name);
    if (opponent.player == kNoPlayer) return cell(name);
    return cell(link(addressOf(site.players[size_t(opponent.player)].fileName), name));
}

void addOpponents(PageText& page, const SiteSummary& site, const PlayerSummary& player, OpponentSide side) {
    const std::vector<Opponent>& opponents = side == OpponentSide::Victims ? player.victims : player.nemeses;
    page.addLine(heading(side == OpponentSide::Victims ? "Favourite victims" : "Nemeses"));
    if (opponents.empty()) return page.addLine("<p align=center>Nobody.</p>");
    const char* count = side == OpponentSide::Victims ? "KILLS" : "KILLED BY";
    const char* other = side == OpponentSide::Victims ? "KILLED BY" : "KILLS";
    page.addLine(site.ratings ? headerRow({"PLAYER", count, other}) : headerRow({"PLAYER", count}));
    for (const Opponent& opponent : opponents) {
        const std::string otherCell =
            site.ratings ? cell(killsTheOtherWay(site, player, opponent, side)) : "";
        page.addLine("<tr>" + opponentCell(site, opponent) + cell(opponent.count) + otherCell + "</tr>");
    }
    page.addLine("</table>");
}

void addSelfAndWorld(PageText& page, const PlayerSummary& player) {
    if (player.suicides > 0)
        page.addLine("<p align=center>Suicides: " + std::to_string(player.suicides) + "</p>");
    if (player.worldDeaths > 0)
        page.addLine("<p align=center>Killed by the world: " + std::to_string(player.worldDeaths) + "</p>");
}

}  // namespace

std::string playerPage(const SiteSummary& site, size_t player, const PageFrame& frame,
                       std::string_view mainPage) {
    const PlayerSummary& shown = site.players[player];
    PageText page(frame);
    page.addLine("<center><font size=+2><b>" + shownName(shown.name) + "</b></font></center><BR>");
    page.addLine(navigationLine(mainPage, "../", site.ratings != nullptr));
    addNumbers(page, shown);
    addMedals(page, shown);
    if (site.ratings) addRatingSection(page, *site.ratings, shown, PageStyle::Classic);
    addWeapons(page, shown);
    addLocations(page, shown);
    addMaps(page, shown);
    addOpponents(page, site, shown, OpponentSide::Victims);
    addOpponents(page, site, shown, OpponentSide::Nemeses);
    addSelfAndWorld(page, shown);
    return page.finish();
}

}  // namespace gravmark
