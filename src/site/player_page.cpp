#include "site/player_page.h"

#include "site/form_chart.h"
#include "site/rating_chart.h"
#include "site/rating_text.h"
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

// With ratings, each line also counts the other way: how often the opponent killed the
// player (victims) or the player killed him (nemeses).
enum class Side { Victims, Nemeses };

int32_t otherWay(const SiteSummary& site, const PlayerSummary& player, const Opponent& opponent, Side side) {
    if (opponent.player == kNoPlayer) return 0;
    const auto other = int32_t(site.players[size_t(opponent.player)].namedPlace);
    const auto self = int32_t(player.namedPlace);
    return side == Side::Victims ? site.ratings->headToHead.kills(other, self)
                                 : site.ratings->headToHead.kills(self, other);
}

void addOpponents(PageText& page, const SiteSummary& site, const PlayerSummary& player, Side side) {
    const std::vector<Opponent>& opponents = side == Side::Victims ? player.victims : player.nemeses;
    page.addLine(heading(side == Side::Victims ? "Favourite victims" : "Nemeses"));
    if (opponents.empty()) return page.addLine("<p align=center>Nobody.</p>");
    const char* count = side == Side::Victims ? "KILLS" : "KILLED BY";
    const char* other = side == Side::Victims ? "KILLED BY" : "KILLS";
    page.addLine(site.ratings ? headerRow({"PLAYER", count, other}) : headerRow({"PLAYER", count}));
    for (const Opponent& opponent : opponents) {
        const std::string otherCell = site.ratings ? cell(otherWay(site, player, opponent, side)) : "";
        page.addLine("<tr>" + opponentCell(site, opponent) + cell(opponent.count) + otherCell + "</tr>");
    }
    page.addLine("</table>");
}

void addRating(PageText& page, const SiteSummary& site, const PlayerSummary& player) {
    const RatingReport& ratings = *site.ratings;
    const PlayerRating& rating = ratings.players[player.namedPlace];
    page.addLine(heading("Skill rating"));
    page.addLine("<p align=center>" + ratingText(rating, ratings.rankedCount) + "</p>");
    const std::string chart = ratingChart(ratings.history.of(player.namedPlace));
    if (!chart.empty()) page.addLine("<div>" + chart + "</div>");
    page.addLine(heading("Form: the last games"));
    const std::string form = formChart(ratings.form.of(player.namedPlace), ratings.mapOfGame);
    page.addLine(form.empty() ? "<p align=center>No games.</p>" : "<div>" + form + "</div>");
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
    if (site.ratings) addRating(page, site, shown);
    addWeapons(page, shown);
    addLocations(page, shown);
    addMaps(page, shown);
    addOpponents(page, site, shown, Side::Victims);
    addOpponents(page, site, shown, Side::Nemeses);
    addSelfAndWorld(page, shown);
    return page.finish();
}

}  // namespace gravmark
